// The `apply` command's plan: a profile (what `show --json` writes, rows deleted and states edited by the
// user) read against the pages as the main window loads them now, every problem of it found before
// anything is written; then the changed rows set in the pages' models and applied through the main
// window's apply cycle (settings/ApplyCycle.h), the one path both take.
#pragma once

#include <string>
#include <vector>

#include "cli/core/LoadedPages.h"
#include "settings/ApplyCycle.h"

namespace velmora::cli {

// Message boxes for a run without a window: a question is answered Yes, a notice is not shown. The
// profile is the user's answer to the question a row's apply asks (the numeric tails'). The pages of an
// apply are loaded with services around these, so that their questions come here.
class UnattendedMessages : public MessageBoxes {
  public:
    explicit UnattendedMessages(MessageBoxes& system) : system_(system) {}
    int Show(WindowRef owner, const std::string& text, const std::string& caption,
             std::uint32_t style) override;
    std::string SystemErrorText(long code) override;
    // `services` with these message boxes in place of its own.
    Services Around(Services services);

  private:
    MessageBoxes& system_;
};

// A row of the profile whose state differs from the one the page loads now.
struct PlannedChange {
    const ListedSetting* row;
    std::string now;
    std::string wanted;
};

// Reads `text` as a profile against `pages`. Returns the changes in apply order; every problem (bad JSON,
// an unknown page or caption, a row given twice, a state the row cannot take, a state for a row this
// system does not load) goes to `problems`, each with its place in the file, and then nothing may be
// applied. A row whose state is null, and a password row (a profile holds only its marks), ask nothing.
std::vector<PlannedChange> PlanApply(const std::string& text, LoadedPages& pages,
                                     std::vector<std::string>& problems);

// What applying the changes did.
struct AppliedChanges {
    ApplyOutcome outcome;
    std::vector<bool> failed;      // per change, in plan order
    std::vector<long> errors;      // the error of a failed change's row
    std::vector<bool> ownSubkeys;  // that error was a key's own subkeys (FailedSetting::ownSubkeys)
    bool restartNeeded = false;
};

// Sets each change's member in its model, marks its row as its control would, and applies the four
// pages through ApplyTouchedSettings in the main window's order. `services` are those `pages` were loaded
// with (around UnattendedMessages).
AppliedChanges ApplyChanges(Services services, LoadedPages& pages, const std::vector<PlannedChange>& changes);

// The rows of the changes Windows will not use because a machine-wide policy sets them, as the apply
// cycle names them; for a dry run, which writes nothing.
std::vector<OverriddenSetting> OverriddenBy(LoadedPages& pages, const std::vector<PlannedChange>& changes);

}  // namespace velmora::cli

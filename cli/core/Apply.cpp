#include "cli/core/Apply.h"

#include <algorithm>
#include <array>

#include "cli/core/Json.h"
#include "cli/core/Show.h"
#include "settings/ModelPage.h"
#include "settings/TableModel.h"

namespace velmora::cli {
namespace {

// The number a choice row holds for `state`; -1 when it is none of the choices.
int ChoiceIndex(const std::vector<std::string>& choices, const std::string& state) {
    const auto found = std::find(choices.begin(), choices.end(), state);
    return found == choices.end() ? -1 : static_cast<int>(found - choices.begin());
}

std::string Quoted(const std::string& text) {
    return "\"" + text + "\"";
}

std::string ChoiceList(const std::vector<std::string>& choices) {
    std::string list;
    for (std::size_t i = 0; i < choices.size(); ++i) {
        list += (i == 0 ? "" : i + 1 == choices.size() ? " or " : ", ") + Quoted(choices[i]);
    }
    return list;
}

// Why the row cannot take `state`; empty when it can.
std::string StateProblem(const ListedSetting& row, const std::string& state, LoadedPages& pages) {
    switch (row.state) {
        case Shown::kCheck:
        case Shown::kFolder:
            if (state != "checked" && state != "unchecked") {
                return "a check box is \"checked\" or \"unchecked\", not " + Quoted(state);
            }
            if (row.state == Shown::kFolder && !pages.startMenu.FoldersAvailable()) {
                return "there is no Start Menu folder here, so the page cannot change this box";
            }
            return "";
        case Shown::kArrows:
            return ChoiceIndex(ArrowChoices(), state) < 0
                       ? "the choice is " + ChoiceList(ArrowChoices()) + ", not " + Quoted(state)
                       : "";
        case Shown::kIconSize:
            return ChoiceIndex(IconSizeChoices(), state) < 0
                       ? "the choice is " + ChoiceList(IconSizeChoices()) + ", not " + Quoted(state)
                       : "";
        case Shown::kMenuDelay:
        case Shown::kUserName:
            // One line of an edit: what the page's edit could hold.
            for (const char c : state) {
                if (static_cast<unsigned char>(c) < 0x20) {
                    return "the text holds a control character, which the page's edit cannot";
                }
            }
            return "";
        case Shown::kPassword:
            return std::all_of(state.begin(), state.end(), [](char c) { return c == '*'; })
                       ? ""
                       : "a profile holds no password (show writes one \"*\" per character); leave the marks "
                         "as they are";
    }
    return "";
}

const ListedSetting* FindRow(const std::string& page, const std::string& caption) {
    const ListedSetting* plain = nullptr;
    for (const ListedSetting& row : ListedSettings()) {
        if (page != PageName(row.page)) {
            continue;
        }
        if (caption == row.caption) {
            return &row;
        }
        if (plain == nullptr && PlainCaption(caption) == PlainCaption(row.caption)) {
            plain = &row;
        }
    }
    return plain;
}

bool KnownPage(const std::string& page) {
    for (const Page known : {Page::kStartMenu, Page::kDesktop, Page::kMiscellaneous, Page::kSecurity}) {
        if (page == PageName(known)) {
            return true;
        }
    }
    return false;
}

constexpr std::array<Page, 4> kApplyOrder = {Page::kStartMenu, Page::kDesktop, Page::kMiscellaneous,
                                             Page::kSecurity};

}  // namespace

int UnattendedMessages::Show(WindowRef, const std::string&, const std::string&, std::uint32_t style) {
    return (style & 0x0F) == mb::kYesNo ? mb::kIdYes : mb::kIdOk;
}

std::string UnattendedMessages::SystemErrorText(long code) {
    return system_.SystemErrorText(code);
}

Services UnattendedMessages::Around(Services services) {
    return Services{
        services.registry,  services.parameters, services.broadcaster, services.directories, *this,
        services.restarter, services.shell,      services.help};
}

std::vector<PlannedChange> PlanApply(const std::string& text, LoadedPages& pages,
                                     std::vector<std::string>& problems) {
    std::string error;
    const std::optional<JsonValue> profile = ParseJson(text, error);
    if (!profile) {
        problems.push_back(error + ": not JSON");
        return {};
    }
    const JsonValue* settings = profile->kind == JsonValue::kObject ? profile->Find("settings") : nullptr;
    if (settings == nullptr || settings->kind != JsonValue::kArray) {
        problems.push_back(PlaceOf(settings != nullptr ? *settings : *profile) +
                           ": a profile is an object with a \"settings\" array, as show --json writes it");
        return {};
    }
    std::vector<std::pair<const ListedSetting*, std::string>> asked;
    for (std::size_t i = 0; i < settings->items.size(); ++i) {
        const JsonValue& item = settings->items[i];
        const std::string at = PlaceOf(item) + ": settings[" + std::to_string(i) + "]";
        const JsonValue* page = item.Find("page");
        const JsonValue* caption = item.Find("caption");
        const JsonValue* state = item.Find("state");
        if (item.kind != JsonValue::kObject || page == nullptr || page->kind != JsonValue::kString ||
            caption == nullptr || caption->kind != JsonValue::kString || state == nullptr) {
            problems.push_back(at +
                               ": a setting is an object with a \"page\", a \"caption\" and a \"state\"");
            continue;
        }
        if (!KnownPage(page->text)) {
            problems.push_back(PlaceOf(*page) + ": settings[" + std::to_string(i) + "]: unknown page " +
                               Quoted(page->text));
            continue;
        }
        const ListedSetting* row = FindRow(page->text, caption->text);
        if (row == nullptr) {
            problems.push_back(PlaceOf(*caption) + ": settings[" + std::to_string(i) + "]: the " +
                               page->text + " page has no setting " + Quoted(caption->text));
            continue;
        }
        const bool repeated =
            std::any_of(asked.begin(), asked.end(), [&](const auto& a) { return a.first == row; });
        if (repeated) {
            problems.push_back(at + ": " + page->text + " / " + PlainCaption(row->caption) +
                               " is given a second time");
            continue;
        }
        if (state->kind == JsonValue::kNull) {
            asked.emplace_back(row, "");
            continue;
        }
        const std::string where = PlaceOf(*state) + ": " + page->text + " / " + PlainCaption(row->caption);
        if (state->kind != JsonValue::kString) {
            problems.push_back(where + ": the state is a string in double quotes (or null)");
            continue;
        }
        if (const std::string note = pages.NotLoaded(*row); !note.empty()) {
            problems.push_back(where + ": not loaded on this system (" + note + ")");
            continue;
        }
        const std::string now = StateText(*row, pages.Bind(*row));
        if (state->text == now) {
            asked.emplace_back(row, "");
            continue;
        }
        if (const std::string problem = StateProblem(*row, state->text, pages); !problem.empty()) {
            problems.push_back(where + ": " + problem);
            continue;
        }
        asked.emplace_back(row, state->text);
    }
    if (!problems.empty()) {
        return {};
    }
    // In the order the pages apply them, whatever the order of the file.
    std::vector<PlannedChange> changes;
    for (const ListedSetting& row : ListedSettings()) {
        for (const auto& [listed, wanted] : asked) {
            if (listed == &row && !wanted.empty() && row.state != Shown::kPassword) {
                changes.push_back(PlannedChange{&row, StateText(row, pages.Bind(row)), wanted});
            }
        }
    }
    return changes;
}

AppliedChanges ApplyChanges(Services services, LoadedPages& pages,
                            const std::vector<PlannedChange>& changes) {
    for (const PlannedChange& change : changes) {
        const ListedSetting& row = *change.row;
        const BoundMember member = pages.Bind(row);
        switch (row.state) {
            case Shown::kCheck:
            case Shown::kFolder:
                *member.number = change.wanted == "checked" ? 1 : 0;
                break;
            case Shown::kArrows:
                *member.number = ChoiceIndex(ArrowChoices(), change.wanted);
                break;
            case Shown::kIconSize:
                *member.number = ChoiceIndex(IconSizeChoices(), change.wanted);
                break;
            case Shown::kMenuDelay:
            case Shown::kUserName:
            case Shown::kPassword:
                *member.text = change.wanted;
                break;
        }
        pages.Rows(row.page).Touch(row.control, NotificationOf(row.state));
    }
    std::vector<ModelPage> adapters;
    adapters.reserve(kApplyOrder.size());
    std::vector<ApplyTarget> targets;
    for (const Page page : kApplyOrder) {
        adapters.emplace_back(pages.Rows(page));
    }
    for (std::size_t i = 0; i < kApplyOrder.size(); ++i) {
        targets.push_back(ApplyTarget{&adapters[i], PageName(kApplyOrder[i])});
    }
    AppliedChanges applied;
    applied.outcome = ApplyTouchedSettings(services, targets);
    for (const PlannedChange& change : changes) {
        TableModel& rows = pages.Rows(change.row->page);
        const bool failed = rows.Changed(change.row->row);
        long error = 0;
        bool ownSubkeys = false;
        const std::string name = PlainCaption(rows.RowCaption(change.row->row));
        for (const FailedSetting& f : applied.outcome.failed) {
            if (failed && error == 0 && f.page == PageName(change.row->page) && f.caption == name) {
                error = f.error;
                ownSubkeys = f.ownSubkeys;
            }
        }
        applied.failed.push_back(failed);
        applied.errors.push_back(error);
        applied.ownSubkeys.push_back(ownSubkeys);
    }
    for (const Page page : kApplyOrder) {
        applied.restartNeeded = applied.restartNeeded || pages.Rows(page).RestartNeeded();
    }
    return applied;
}

std::vector<OverriddenSetting> OverriddenBy(LoadedPages& pages, const std::vector<PlannedChange>& changes) {
    std::vector<OverriddenSetting> overridden;
    std::vector<const ListedSetting*> named;
    for (const PlannedChange& change : changes) {
        const ListedSetting& row = *change.row;
        if (row.index != row.row || std::find(named.begin(), named.end(), &row) != named.end()) {
            continue;
        }
        TableModel& rows = pages.Rows(row.page);
        if (const auto effective = rows.Effective(row.row);
            effective && effective->source == PolicySource::kMachine) {
            overridden.push_back(OverriddenSetting{PageName(row.page), PlainCaption(rows.RowCaption(row.row)),
                                                   effective->state, effective->machine});
            named.push_back(&row);
        }
    }
    return overridden;
}

}  // namespace velmora::cli

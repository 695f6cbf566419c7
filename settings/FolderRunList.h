// The Folders/Run page's lists: the per-user system folder paths ("Shell Folders") and the autorun
// entries of three Run keys. Unlike the setting pages nothing waits for Apply: every confirmed change is
// written at once and the list it belongs to is read again, so it always shows the registry as it is.
// It is not one of the shared entry lists (EntryList.h, which says why); its page shares their helpers
// for the wait cursor and the list box fill (pages/WaitingList.h, pages/ListBoxFill.h).
#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "registry/Registry.h"
#include "settings/ListWalk.h"
#include "settings/Locations.h"
#include "system/Services.h"

namespace velmora {

// Where the autorun entries of one combo item live.
struct AutorunSource {
    const char* comboText;
    RootKey root;
    const char* path;
};

inline constexpr std::array<AutorunSource, 3> kAutorunSources = {{
    {"Current User", RootKey::CurrentUser, keys::kRun},
    {"Local Machine", RootKey::LocalMachine, keys::kRun},
    {"Services", RootKey::LocalMachine, keys::kRunServices},
}};

// The system folders' key, by the name the companion reads it under.
inline constexpr const char* kShellFoldersPath = keys::kShellFolders;

// The value names of a key, in the registry's order, read into 100-byte buffers from index 0 up to the
// first call that fails (the end, or a name of 100 characters or more). Nothing when the key cannot be
// opened.
std::optional<std::vector<std::string>> ListValueNames(Registry& registry, RootKey root,
                                                       std::string_view path);

// The page's two lists as the start-up reader reads them: the system folders (nothing when the Shell
// Folders key cannot be opened) and the autorun entries of the first source.
struct FolderRunRead {
    std::optional<std::vector<std::string>> folders;
    std::vector<std::string> autoruns;
};
// Nothing when `stop` ended the reading.
std::optional<FolderRunRead> ReadFolderRunLists(Registry& registry, const StopRequested& stop = {});

class FolderRunList {
  public:
    // What one of the two editor dialogs gave back.
    struct EditResult {
        bool ok = false;       // closed with OK
        bool changed = false;  // the editable text was typed in
        std::string text;      // the editable text as it was at OK
    };
    // Shows an editor for the value `name` holding `text`; returns when the user closed it.
    using RunEditor = std::function<EditResult(const std::string& name, const std::string& text)>;

    // Which controls the page enables; the page applies them after every call.
    struct Enabled {
        bool folderList = true;
        bool changePath = false;
        bool deleteEntry = false;
        bool editEntry = false;
    };

    static constexpr const char* kPathHint = "Mark folder name above to see path Here!";
    static constexpr const char* kPathError = "Error!";

    explicit FolderRunList(Services services) : services_(services) {}

    // The system folders, then the autorun entries of the chosen source.
    void Load() {
        LoadFolders();
        LoadAutoruns();
    }
    void LoadFolders();
    void LoadAutoruns();

    // Until both lists are first read, here or by the start-up reader, the page shows them empty and
    // disabled, with the source combo and every button disabled, under a wait cursor.
    bool Waiting() const { return waiting_; }
    // Takes both lists the start-up reader read, the first source's autorun entries among them (the
    // source becomes the first again); refused (false, nothing changed) once either list has been read
    // otherwise.
    bool AdoptRead(FolderRunRead lists);

    // A folder was selected: its path becomes the path text.
    void SelectFolder(const std::string& name);
    // An autorun entry was selected.
    void SelectAutorun();

    // The buttons' actions. `selected` is the list's selected name, nothing when the list has none; with
    // no selection the action does nothing at all. `owner` owns the questions and notices.
    void ChangeFolderPath(const std::optional<std::string>& selected, const RunEditor& edit, WindowRef owner);
    void DeleteAutorun(const std::optional<std::string>& selected, WindowRef owner);
    void EditAutorun(const std::optional<std::string>& selected, const RunEditor& edit, WindowRef owner);

    // Set by every attempt to change a folder path, whatever its outcome; never cleared.
    bool RestartNeeded() const { return restartNeeded_; }

    // The lists as last read, in the registry's order (the list boxes sort them), and how often each was
    // read, so that the page refills a list box only when its list was read again.
    const std::vector<std::string>& Folders() const { return folders_; }
    const std::vector<std::string>& Autoruns() const { return autoruns_; }
    unsigned FolderReads() const { return folderReads_; }
    unsigned AutorunReads() const { return autorunReads_; }

    Enabled enabled;

    // Members bound to controls.
    std::string pathText;  // the path static
    int source = 0;        // the source combo

  private:
    // The chosen source; none for an index outside the combo's items.
    const AutorunSource* CurrentSource() const;
    bool Confirm(const char* question, WindowRef owner);
    void AfterAutorunAction();
    void SetFolders(std::optional<std::vector<std::string>> names);
    void SetAutoruns(std::vector<std::string> names);

    Services services_;
    std::vector<std::string> folders_;
    std::vector<std::string> autoruns_;
    unsigned folderReads_ = 0;
    unsigned autorunReads_ = 0;
    bool restartNeeded_ = false;
    bool waiting_ = true;
};

}  // namespace velmora

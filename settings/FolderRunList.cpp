#include "settings/FolderRunList.h"

#include <algorithm>
#include <cstring>

#include "registry/RegKey.h"
#include "registry/RegistryStore.h"
#include "registry/ValueReader.h"
#include "settings/ApplyCycle.h"

namespace velmora {
namespace {

constexpr std::uint32_t kNameBufferSize = 100;

constexpr const char* kImportantCaption = "Velmora 99 - Important";
constexpr const char* kChangeFolderQuestion =
    "You're about to change the searchpath for a System Folder. Do you want to continue?";
constexpr const char* kDeleteQuestion = "You're about to delete an AutoRun Program. Do you want to continue?";
constexpr const char* kEditQuestion =
    "You're about to change the searchpath for an AutoRun Program. Do you want to continue?";
constexpr const char* kCouldNotRemove = "Couldn\xC2\xB4t remove ";

// The value's data as text (up to its first zero, never past the bytes read); empty when unreadable.
std::string ReadText(Registry& registry, RootKey root, std::string_view path, const std::string& name) {
    const auto data = ReadValue(registry, root, path, name);
    return data ? std::string(data->Text()) : std::string();
}

constexpr const char* kPageTitle = "Folders/Run";

}  // namespace

std::optional<std::vector<std::string>> ListValueNames(Registry& registry, RootKey root,
                                                       std::string_view path) {
    RegKey key;
    if (key.Open(registry, ToHKey(root), path, reg::kQueryValue) != reg::kSuccess) {
        return std::nullopt;
    }
    std::vector<std::string> names;
    for (std::uint32_t index = 0;; ++index) {
        std::string name;
        if (registry.EnumValue(key.Get(), index, kNameBufferSize, name, nullptr, nullptr, nullptr) !=
            reg::kSuccess) {
            break;
        }
        names.push_back(std::move(name));
    }
    return names;
}

std::optional<FolderRunRead> ReadFolderRunLists(Registry& registry, const StopRequested& stop) {
    FolderRunRead lists;
    if (Stopped(stop)) {
        return std::nullopt;
    }
    lists.folders = ListValueNames(registry, RootKey::CurrentUser, keys::kShellFolders);
    if (Stopped(stop)) {
        return std::nullopt;
    }
    const AutorunSource& first = kAutorunSources[0];
    lists.autoruns = ListValueNames(registry, first.root, first.path).value_or(std::vector<std::string>{});
    return lists;
}

void FolderRunList::SetFolders(std::optional<std::vector<std::string>> names) {
    ++folderReads_;
    waiting_ = false;
    if (!names) {
        folders_.clear();
        enabled.folderList = false;
        pathText = kPathError;
        return;
    }
    folders_ = std::move(*names);
    pathText = kPathHint;
}

void FolderRunList::SetAutoruns(std::vector<std::string> names) {
    ++autorunReads_;
    waiting_ = false;
    autoruns_ = std::move(names);
}

void FolderRunList::LoadFolders() {
    SetFolders(ListValueNames(services_.registry, RootKey::CurrentUser, keys::kShellFolders));
}

const AutorunSource* FolderRunList::CurrentSource() const {
    if (source < 0 || static_cast<std::size_t>(source) >= kAutorunSources.size()) {
        return nullptr;
    }
    return &kAutorunSources[static_cast<std::size_t>(source)];
}

void FolderRunList::LoadAutoruns() {
    std::vector<std::string> names;
    if (const AutorunSource* from = CurrentSource()) {
        if (auto read = ListValueNames(services_.registry, from->root, from->path)) {
            names = std::move(*read);
        }
    }
    SetAutoruns(std::move(names));
}

bool FolderRunList::AdoptRead(FolderRunRead lists) {
    if (!waiting_) {
        return false;
    }
    // The reader reads the first source. The combo is disabled while the lists are awaited, so the user
    // has picked no other; leaving the page meanwhile may have read its empty selection into `source`.
    source = 0;
    SetFolders(std::move(lists.folders));
    SetAutoruns(std::move(lists.autoruns));
    return true;
}

void FolderRunList::SelectFolder(const std::string& name) {
    pathText = ReadText(services_.registry, RootKey::CurrentUser, keys::kShellFolders, name);
    enabled.changePath = true;
}

void FolderRunList::SelectAutorun() {
    enabled.deleteEntry = true;
    enabled.editEntry = true;
}

bool FolderRunList::Confirm(const char* question, WindowRef owner) {
    return services_.messages.Show(owner, question, kImportantCaption, mb::kYesNo | mb::kIconQuestion) ==
           mb::kIdYes;
}

void FolderRunList::ChangeFolderPath(const std::optional<std::string>& selected, const RunEditor& edit,
                                     WindowRef owner) {
    if (!selected) {
        return;
    }
    const EditResult result = edit(*selected, pathText);
    if (result.ok && result.changed && Confirm(kChangeFolderQuestion, owner)) {
        // A key that cannot be opened is not created: the list is read again below and shows what is there.
        const long written = RegistryStore(services_.registry)
                                 .WriteListedString(RootKey::CurrentUser, keys::kShellFolders, *selected,
                                                    result.text, reg::kWrite);
        if (written != reg::kSuccess) {
            ReportFailures(services_, owner, {{kPageTitle, *selected, written}});
        }
    }
    // Whatever came of it, the user went as far as the editor: the shell may need a restart.
    enabled.changePath = false;
    LoadFolders();
    restartNeeded_ = true;
}

void FolderRunList::AfterAutorunAction() {
    LoadAutoruns();
    enabled.deleteEntry = false;
    enabled.editEntry = false;
}

void FolderRunList::DeleteAutorun(const std::optional<std::string>& selected, WindowRef owner) {
    const AutorunSource* from = CurrentSource();
    if (!selected || from == nullptr) {
        return;
    }
    if (Confirm(kDeleteQuestion, owner)) {
        const long status =
            RegistryStore(services_.registry).DeleteListedValue(from->root, from->path, *selected);
        if (status != reg::kSuccess) {
            // Concatenated, never formatted: the name is registry data.
            services_.messages.Show(owner, WithAdministratorLine(kCouldNotRemove + *selected, status),
                                    kErrorCaption, mb::kOk | mb::kIconStop);
        }
    }
    AfterAutorunAction();
}

void FolderRunList::EditAutorun(const std::optional<std::string>& selected, const RunEditor& edit,
                                WindowRef owner) {
    const AutorunSource* from = CurrentSource();
    if (!selected || from == nullptr) {
        return;
    }
    const std::string command = ReadText(services_.registry, from->root, from->path, *selected);
    const EditResult result = edit(*selected, command);
    if (result.ok && result.changed && Confirm(kEditQuestion, owner)) {
        const long written = RegistryStore(services_.registry)
                                 .WriteListedString(from->root, from->path, *selected, result.text);
        if (written != reg::kSuccess) {
            ReportFailures(services_, owner, {{kPageTitle, *selected, written}});
        }
    }
    AfterAutorunAction();
}

}  // namespace velmora

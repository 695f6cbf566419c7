#include "settings/ShellNewList.h"

#include <optional>
#include <string_view>

#include "registry/RegKey.h"
#include "registry/ValueReader.h"
#include "settings/ApplyCycle.h"

namespace velmora {
namespace {

constexpr HKey kClassesRoot = ToHKey(RootKey::ClassesRoot);

// A default value as text; nothing when it is missing or empty.
std::optional<std::string> NonEmptyText(const std::optional<ValueData>& data) {
    if (!data || data->Text().empty()) {
        return std::nullopt;
    }
    return std::string(data->Text());
}

// The default value of a key under HKEY_CLASSES_ROOT: open, one read, close.
std::optional<std::string> DefaultText(Registry& registry, const std::string& path) {
    RegKey key;
    if (key.Open(registry, kClassesRoot, path, reg::kRead) != reg::kSuccess) {
        return std::nullopt;
    }
    return NonEmptyText(ReadValueAtOnce(registry, key.Get(), ""));
}

// Whether an open key may have subkeys: only "no more items" at index 0 says for certain that it has
// none (a name too long for the buffer, or a failed call, leave the question open).
bool MayHaveSubkeys(Registry& registry, HKey key) {
    char name[reg::kMaxKeyNameLength + 1];
    std::uint32_t size = sizeof name;
    return registry.EnumKey(key, 0, name, &size) != reg::kNoMoreItems;
}

// The entry of one extension key, if it offers one.
std::optional<ShellNewEntry> ReadExtension(Registry& registry, const std::string& extension) {
    // Both places a "ShellNew" can be looked for lie below the extension's own key, so an extension key
    // without subkeys (most of them) offers nothing: one open, one enumeration call and one close
    // instead of looking for both and reading its file type. A key that cannot be opened is looked into
    // by path, as any other.
    RegKey key;
    if (key.Open(registry, kClassesRoot, extension, reg::kRead) == reg::kSuccess &&
        !MayHaveSubkeys(registry, key.Get())) {
        return std::nullopt;
    }
    const auto fileType = [&] {
        return key.IsOpen() ? NonEmptyText(ReadValueAtOnce(registry, key.Get(), ""))
                            : DefaultText(registry, extension);
    };
    // Shortcuts carry a "ShellNew" of their own that is not a New menu entry; only the exact name is
    // passed over, so ".LNK" is treated like any other extension.
    if (extension != ".lnk" && KeyExists(registry, RootKey::ClassesRoot, extension + "\\ShellNew")) {
        const auto type = fileType();
        const auto description = type ? DefaultText(registry, *type) : std::nullopt;
        // Without a file type or a description the entry goes by its extension, so that it can still be
        // seen and removed.
        return ShellNewEntry{description.value_or(extension), extension};
    }
    const auto type = fileType();
    if (!type) {
        return std::nullopt;
    }
    std::string typeKey = extension + "\\" + *type;
    if (!KeyExists(registry, RootKey::ClassesRoot, typeKey + "\\ShellNew")) {
        return std::nullopt;
    }
    return ShellNewEntry{DefaultText(registry, *type).value_or(extension), std::move(typeKey)};
}

}  // namespace

std::optional<std::vector<ShellNewEntry>> ReadShellNewEntries(Registry& registry, const StopRequested& stop) {
    std::vector<ShellNewEntry> entries;
    // A name that does not fit the buffer ends the walk, as the end of the keys does.
    const bool walked = ForEachSubkey(registry, RootKey::ClassesRoot, "", stop, [&](const char* name) {
        if (name[0] != '.') {
            return;
        }
        if (auto entry = ReadExtension(registry, name)) {
            entries.push_back(std::move(*entry));
        }
    });
    if (!walked) {
        return std::nullopt;
    }
    return entries;
}

void ShellNewList::Remove(const std::vector<std::string>& selectedTexts, WindowRef owner) {
    Registry& registry = services_.registry;
    RemoveEach(selectedTexts, [&](const ShellNewEntry& entry) {
        // The failure, and the error that says why (see DeleteRefusal).
        long status = reg::kSuccess;
        long reason = reg::kSuccess;
        {
            RegKey key;
            status = key.Open(registry, kClassesRoot, entry.keyPath, reg::kAllAccess);
            reason = status;
            if (status == reg::kSuccess) {
                status = registry.DeleteKey(key.Get(), "ShellNew");
                reason = DeleteRefusal(registry, key.Get(), "ShellNew", status);
            }
        }
        if (status != reg::kSuccess) {
            services_.messages.Show(owner, WithAdministratorLine("Couldn't Remove Value.", reason),
                                    "Velmora 99 - Error", mb::kOk | mb::kIconExclamation);
        }
        return true;
    });
    // Nothing is asked, so every Remove reads the list again, whatever was selected.
    Load();
}

}  // namespace velmora

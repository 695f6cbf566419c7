#include "settings/ShellNewList.h"

#include <optional>
#include <string_view>
#include <unordered_map>

#include "registry/RegKey.h"
#include "registry/ValueReader.h"

namespace velmora {
namespace {

constexpr std::uint32_t kNameBufferSize = 100;
constexpr HKey kClassesRoot = ToHKey(RootKey::ClassesRoot);

// The default value of a key under HKEY_CLASSES_ROOT; nothing when it is missing or empty.
std::optional<std::string> DefaultText(Registry& registry, const std::string& path) {
    const auto data = ReadValue(registry, RootKey::ClassesRoot, path, "");
    if (!data || data->Text().empty()) {
        return std::nullopt;
    }
    return std::string(data->Text());
}

}  // namespace

void ShellNewList::Load() {
    entries_.clear();
    Registry& registry = services_.registry;
    RegKey root;
    if (root.Open(registry, kClassesRoot, "", reg::kEnumerateSubKeys) != reg::kSuccess) {
        return;
    }
    for (std::uint32_t index = 0;; ++index) {
        char name[kNameBufferSize] = {};
        std::uint32_t nameSize = kNameBufferSize;
        // A name that does not fit the buffer ends the walk, as the end of the keys does.
        if (registry.EnumKey(root.Get(), index, name, &nameSize) != reg::kSuccess) {
            break;
        }
        if (name[0] == '.') {
            LoadExtension(name);
        }
    }
}

void ShellNewList::LoadExtension(const std::string& extension) {
    Registry& registry = services_.registry;
    // Shortcuts carry a "ShellNew" of their own that is not a New menu entry; only the exact name is
    // passed over, so ".LNK" is treated like any other extension.
    if (extension != ".lnk" && KeyExists(registry, RootKey::ClassesRoot, extension + "\\ShellNew")) {
        const auto fileType = DefaultText(registry, extension);
        const auto description = fileType ? DefaultText(registry, *fileType) : std::nullopt;
        // Without a file type or a description the entry goes by its extension, so that it can still be
        // seen and removed.
        Add(description.value_or(extension), extension);
        return;
    }
    const auto fileType = DefaultText(registry, extension);
    if (!fileType) {
        return;
    }
    const std::string typeKey = extension + "\\" + *fileType;
    if (!KeyExists(registry, RootKey::ClassesRoot, typeKey + "\\ShellNew")) {
        return;
    }
    Add(DefaultText(registry, *fileType).value_or(extension), typeKey);
}

void ShellNewList::Add(std::string description, std::string keyPath) {
    entries_.push_back(ShellNewEntry{std::move(description), std::move(keyPath)});
}

const ShellNewEntry* ShellNewList::Find(std::string_view description) const {
    for (const ShellNewEntry& entry : entries_) {
        if (entry.description == description) {
            return &entry;
        }
    }
    return nullptr;
}

void ShellNewList::Remove(const std::vector<std::string>& selectedTexts, WindowRef owner) {
    Registry& registry = services_.registry;
    // Each description's first entry, found in one pass: selecting thousands of lines must not search
    // the whole list once per line. emplace keeps the first of equal descriptions, as Find does.
    std::unordered_map<std::string_view, const ShellNewEntry*> firstOf;
    firstOf.reserve(entries_.size());
    for (const ShellNewEntry& entry : entries_) {
        firstOf.emplace(entry.description, &entry);
    }
    for (const std::string& text : selectedTexts) {
        const auto found = firstOf.find(text);
        if (found == firstOf.end()) {
            continue;
        }
        const ShellNewEntry* entry = found->second;
        bool removed = false;
        {
            RegKey key;
            if (key.Open(registry, kClassesRoot, entry->keyPath, reg::kAllAccess) == reg::kSuccess) {
                removed = registry.DeleteKey(key.Get(), "ShellNew") == reg::kSuccess;
            }
        }
        if (!removed) {
            services_.messages.Show(owner, "Couldn't Remove Value.", "Velmora 99 - Error",
                                    mb::kOk | mb::kIconExclamation);
        }
    }
    Load();
}

}  // namespace velmora

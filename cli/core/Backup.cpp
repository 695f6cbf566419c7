#include "cli/core/Backup.h"

#include <algorithm>
#include <map>
#include <utility>

#include "registry/Names.h"
#include "registry/RegKey.h"
#include "settings/FolderRunList.h"
#include "settings/ShellNewList.h"
#include "settings/UninstallList.h"

namespace velmora::cli {
namespace {

enum class KeyState { kPresent, kAbsent, kUnreadable };

KeyState StateOf(Registry& registry, RootKey root, const std::string& path) {
    RegKey key;
    switch (key.Open(registry, ToHKey(root), path, reg::kRead)) {
        case reg::kSuccess:
            return KeyState::kPresent;
        case reg::kFileNotFound:
            return KeyState::kAbsent;
        default:
            return KeyState::kUnreadable;
    }
}

// A value's type and bytes, read whole whatever its size; nothing when it is missing.
std::optional<RawValue> ReadRaw(Registry& registry, HKey key, const std::string& name) {
    for (int attempt = 0; attempt < 4; ++attempt) {
        RawValue value;
        std::uint32_t size = 0;
        if (registry.QueryValue(key, name, &value.type, nullptr, &size) != reg::kSuccess) {
            return std::nullopt;
        }
        value.data.resize(size);
        std::uint8_t empty = 0;
        const long result =
            registry.QueryValue(key, name, &value.type, size ? value.data.data() : &empty, &size);
        if (result == reg::kSuccess) {
            value.data.resize(std::min<std::size_t>(size, value.data.size()));
            return value;
        }
        if (result != reg::kMoreData) {
            return std::nullopt;
        }
        // The value grew between the two calls: ask again.
    }
    return std::nullopt;
}

class Reader {
  public:
    explicit Reader(Registry& registry) : registry_(registry) {}

    Section& SectionFor(RootKey root, const std::string& path) {
        auto [it, added] = sections_.try_emplace({static_cast<std::uint32_t>(root), LowerName(path)});
        if (added) {
            it->second.root = root;
            it->second.path = path;
        }
        return it->second;
    }

    static void Put(Section& section, ValueEntry entry) {
        for (const ValueEntry& existing : section.values) {
            if (NamesEqual(existing.name, entry.name)) {
                return;
            }
        }
        section.values.push_back(std::move(entry));
    }

    // Keys Velmora creates as a unit and deletes again: the kTree targets. A key inside one counts too
    // (a verb's "command", which the page deletes first).
    void AddUnit(RootKey root, const std::string& path) { units_.emplace_back(root, LowerName(path)); }

    bool IsUnit(RootKey root, const std::string& path) const {
        const std::string lower = LowerName(path);
        for (const auto& [unitRoot, unit] : units_) {
            if (unitRoot == root && (lower == unit || lower.rfind(unit + "\\", 0) == 0)) {
                return true;
            }
        }
        return false;
    }

    // `path` does not exist (or a key above it does not). The highest absent key that is one of
    // Velmora's units is deleted; otherwise the absent keys are only parents on the way, and the value
    // (when there is one) is deleted by name, so that an import leaves those keys, empty at worst.
    bool RecordAbsent(RootKey root, const std::string& path, const std::string* value, std::string& error) {
        std::string prefix;
        bool absent = false;
        for (std::string_view part : SplitKeyPath(path)) {
            if (!prefix.empty()) {
                prefix += '\\';
            }
            prefix.append(part);
            if (!absent) {
                const KeyState state = StateOf(registry_, root, prefix);
                if (state == KeyState::kUnreadable) {
                    error = "cannot read " + std::string(RootName(root)) + "\\" + prefix;
                    return false;
                }
                absent = state == KeyState::kAbsent;
            }
            if (absent && IsUnit(root, prefix)) {
                SectionFor(root, prefix).deleteKey = true;
                return true;
            }
        }
        if (value) {
            Put(SectionFor(root, path), ValueEntry{*value, std::nullopt});
        }
        return true;
    }

    bool ReadValue(RootKey root, const std::string& path, const std::string& name) {
        RegKey key;
        if (key.Open(registry_, ToHKey(root), path, reg::kRead) != reg::kSuccess) {
            return false;
        }
        Put(SectionFor(root, path), ValueEntry{name, ReadRaw(registry_, key.Get(), name)});
        return true;
    }

    bool ReadKey(RootKey root, const std::string& path, bool withSubkeys, std::string& error) {
        std::vector<std::string> subkeys;
        {
            RegKey key;
            if (key.Open(registry_, ToHKey(root), path, reg::kRead) != reg::kSuccess) {
                error = "cannot read " + std::string(RootName(root)) + "\\" + path;
                return false;
            }
            Section& section = SectionFor(root, path);
            for (std::uint32_t index = 0;; ++index) {
                std::string valueName;
                if (registry_.EnumValue(key.Get(), index, reg::kMaxValueNameLength + 1, valueName, nullptr,
                                        nullptr, nullptr) != reg::kSuccess) {
                    break;
                }
                Put(section, ValueEntry{valueName, ReadRaw(registry_, key.Get(), valueName)});
            }
            for (std::uint32_t index = 0; withSubkeys; ++index) {
                std::string child;
                if (registry_.EnumKey(key.Get(), index, reg::kMaxKeyNameLength + 1, child) != reg::kSuccess) {
                    break;
                }
                subkeys.push_back(std::move(child));
            }
        }
        for (const std::string& child : subkeys) {
            if (!ReadKey(root, path + "\\" + child, true, error)) {
                return false;
            }
        }
        return true;
    }

    RegFile Result() const {
        RegFile file;
        for (const auto& [key, section] : sections_) {
            // A key below a deleted one is already covered by the deletion.
            bool covered = false;
            for (const Section& earlier : file.sections) {
                covered = covered || (earlier.deleteKey && earlier.root == section.root &&
                                      LowerName(section.path).rfind(LowerName(earlier.path) + "\\", 0) == 0);
            }
            if (!covered) {
                Section copy = section;
                if (copy.deleteKey) {
                    copy.values.clear();
                }
                file.sections.push_back(std::move(copy));
            }
        }
        return file;
    }

  private:
    Registry& registry_;
    std::map<std::pair<std::uint32_t, std::string>, Section> sections_;
    std::vector<std::pair<RootKey, std::string>> units_;
};

}  // namespace

std::vector<Target> CollectTargets(Services services) {
    std::vector<Target> targets;
    for (const ListedSetting& row : ListedSettings()) {
        const std::string owner = std::string(PageName(row.page)) + " / " + row.caption;
        for (const Location& location : row.locations) {
            targets.push_back(Target{location.kind == Location::kValue ? Target::kValue : Target::kTree,
                                     location.root, location.key, location.value, owner});
        }
    }
    targets.push_back(
        Target{Target::kValues, RootKey::CurrentUser, kShellFoldersPath, "", "Folders/Run / system folders"});
    for (const AutorunSource& source : kAutorunSources) {
        targets.push_back(Target{Target::kValues, source.root, source.path, "",
                                 std::string("Folders/Run / autorun entries (") + source.comboText + ")"});
    }
    UninstallList uninstall(services);
    uninstall.Load();
    for (const UninstallEntry& entry : uninstall.Entries()) {
        targets.push_back(Target{Target::kEntry, RootKey::LocalMachine, entry.keyPath, "",
                                 "Add/Remove / " + entry.displayName});
    }
    ShellNewList shellNew(services);
    shellNew.Load();
    for (const ShellNewEntry& entry : shellNew.Entries()) {
        targets.push_back(Target{Target::kEntry, RootKey::ClassesRoot, entry.keyPath + "\\ShellNew", "",
                                 "New / " + entry.description});
    }
    return targets;
}

bool ReadTargets(Registry& registry, const std::vector<Target>& targets, RegFile& file, std::string& error) {
    Reader reader(registry);
    for (const Target& target : targets) {
        if (target.kind == Target::kTree) {
            reader.AddUnit(target.root, target.key);
        }
    }
    for (const Target& target : targets) {
        const KeyState state = StateOf(registry, target.root, target.key);
        if (state == KeyState::kUnreadable) {
            error = "cannot read " + std::string(RootName(target.root)) + "\\" + target.key;
            return false;
        }
        if (state == KeyState::kAbsent) {
            // A list's key that is absent is left alone: the backup names none of its entries.
            const bool setting = target.kind == Target::kValue || target.kind == Target::kTree;
            const std::string* value = target.kind == Target::kValue ? &target.value : nullptr;
            if (setting && !reader.RecordAbsent(target.root, target.key, value, error)) {
                return false;
            }
            continue;
        }
        bool ok = true;
        switch (target.kind) {
            case Target::kValue:
                ok = reader.ReadValue(target.root, target.key, target.value);
                break;
            case Target::kValues:
                ok = reader.ReadKey(target.root, target.key, false, error);
                break;
            case Target::kTree:
            case Target::kEntry:
                ok = reader.ReadKey(target.root, target.key, true, error);
                break;
        }
        if (!ok) {
            if (error.empty()) {
                error = "cannot read " + std::string(RootName(target.root)) + "\\" + target.key;
            }
            return false;
        }
    }
    file = reader.Result();
    return true;
}

}  // namespace velmora::cli

// Benchmark build only: what the list reader thread notes about its walks. Each list's walk is timed
// between marks ("New begin", "New end") and its registry calls are counted by kind; the New walk also
// counts the extension keys it enumerated, so that the report can give its calls per extension key.
#pragma once

#include <cstring>
#include <string>

#include "bench/StartupMarks.h"
#include "registry/Registry.h"
#include "settings/StartupLists.h"

namespace velmora::bench {

// Counts every call by kind before passing it on.
class CountingRegistry : public Registry {
  public:
    enum Kind {
        kOpen,
        kCreate,
        kClose,
        kQuery,
        kSet,
        kDeleteValue,
        kDeleteKey,
        kEnumValue,
        kEnumKey,
        kKinds
    };
    static constexpr const char* kKindNames[kKinds] = {
        "open", "create", "close", "query", "set", "delete value", "delete key", "enum value", "enum key"};

    explicit CountingRegistry(Registry& inner) : inner_(inner) {}

    long OpenKey(HKey parent, std::string_view path, std::uint32_t access, HKey& result) override {
        ++calls_[kOpen];
        const long status = inner_.OpenKey(parent, path, access, result);
        if (status == reg::kSuccess && parent == ToHKey(RootKey::ClassesRoot) && path.empty()) {
            classesRoot_ = result;  // the New walk's own handle of HKEY_CLASSES_ROOT
        }
        return status;
    }
    long CreateKey(HKey parent, std::string_view path, std::uint32_t access, HKey& result) override {
        ++calls_[kCreate];
        return inner_.CreateKey(parent, path, access, result);
    }
    long CloseKey(HKey key) override {
        ++calls_[kClose];
        return inner_.CloseKey(key);
    }
    long QueryValue(HKey key, std::string_view name, std::uint32_t* type, std::uint8_t* data,
                    std::uint32_t* size) override {
        ++calls_[kQuery];
        return inner_.QueryValue(key, name, type, data, size);
    }
    long QueryDefaultValue(HKey key, std::string_view subKey, char* data, long* size) override {
        ++calls_[kQuery];
        return inner_.QueryDefaultValue(key, subKey, data, size);
    }
    long SetValue(HKey key, std::string_view name, std::uint32_t type, const std::uint8_t* data,
                  std::uint32_t size) override {
        ++calls_[kSet];
        return inner_.SetValue(key, name, type, data, size);
    }
    long DeleteValue(HKey key, std::string_view name) override {
        ++calls_[kDeleteValue];
        return inner_.DeleteValue(key, name);
    }
    long DeleteKey(HKey key, std::string_view subKey) override {
        ++calls_[kDeleteKey];
        return inner_.DeleteKey(key, subKey);
    }
    long EnumValue(HKey key, std::uint32_t index, char* name, std::uint32_t* nameSize, std::uint32_t* type,
                   std::uint8_t* data, std::uint32_t* dataSize) override {
        ++calls_[kEnumValue];
        return inner_.EnumValue(key, index, name, nameSize, type, data, dataSize);
    }
    long EnumKey(HKey key, std::uint32_t index, char* name, std::uint32_t* nameSize) override {
        ++calls_[kEnumKey];
        const long status = inner_.EnumKey(key, index, name, nameSize);
        if (status == reg::kSuccess && key == classesRoot_ && classesRoot_ != 0 && name[0] == '.') {
            ++extensionKeys_;
        }
        return status;
    }

    long long Calls(Kind kind) const { return calls_[kind]; }
    long long ExtensionKeys() const { return extensionKeys_; }

  private:
    Registry& inner_;
    long long calls_[kKinds] = {};
    HKey classesRoot_ = 0;
    long long extensionKeys_ = 0;
};

class ReaderMarks {
  public:
    explicit ReaderMarks(CountingRegistry& registry) : registry_(registry) {
        Begin(StartupList::Page::kFolderRun);
    }

    // A list has been read (and is about to be posted).
    void Read(StartupList::Page page) {
        const std::string name = Name(page);
        Mark((name + " end").c_str());
        for (int kind = 0; kind < CountingRegistry::kKinds; ++kind) {
            const auto k = static_cast<CountingRegistry::Kind>(kind);
            Count(name + " calls " + CountingRegistry::kKindNames[kind], registry_.Calls(k) - base_[kind]);
        }
        if (page == StartupList::Page::kShellNew) {
            Count("New extension keys", registry_.ExtensionKeys());
        }
        if (page != StartupList::Page::kShellNew) {
            Begin(static_cast<StartupList::Page>(static_cast<int>(page) + 1));
        }
    }

  private:
    static const char* Name(StartupList::Page page) {
        switch (page) {
            case StartupList::Page::kFolderRun:
                return "Folders/Run";
            case StartupList::Page::kUninstall:
                return "Add/Remove";
            case StartupList::Page::kShellNew:
                return "New";
        }
        return "?";
    }
    void Begin(StartupList::Page page) {
        for (int kind = 0; kind < CountingRegistry::kKinds; ++kind) {
            base_[kind] = registry_.Calls(static_cast<CountingRegistry::Kind>(kind));
        }
        Mark((std::string(Name(page)) + " begin").c_str());
    }

    CountingRegistry& registry_;
    long long base_[CountingRegistry::kKinds] = {};
};

}  // namespace velmora::bench

// The registry calls of the start-up's list loads, written down as the program's own code makes them and
// made again bare. The floor of a load is the same calls, in the same order and with the same arguments,
// made straight to advapi32 by a loop that keeps nothing: taken from the program as it runs, so that a
// change to what a load reads changes its floor with it.
#pragma once

#include <windows.h>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "registry/Registry.h"
#include "settings/StartupLists.h"

namespace velmora::bench {

enum class CallKind { kOpen, kCreate, kClose, kQuery, kSet, kDeleteValue, kDeleteKey, kEnumValue, kEnumKey };
inline constexpr int kCallKinds = 9;
inline constexpr const char* kCallKindNames[kCallKinds] = {
    "open", "create", "close", "query", "set", "delete value", "delete key", "enum value", "enum key"};

// One call as it was made. Keys are named by slot: the n-th key the script opened, or a root.
struct RecordedCall {
    CallKind kind = CallKind::kOpen;
    bool defaultValue = false;  // a query of a default value as text (RegQueryValueA)
    int key = -1;               // the slot of the key the call is made on; -1: `root`
    HKey root = 0;
    int opened = -1;           // an open that succeeded: the slot its key takes
    std::string text;          // path, value name or subkey
    std::uint32_t number = 0;  // access or index
    std::uint32_t size = 0;    // the name or data buffer offered, in bytes
    bool data = false;         // whether a data buffer was offered (else only the size was asked)
};

struct CallScript {
    std::vector<RecordedCall> calls;
    int slots = 0;
};

// Passes every call on to `inner`, counts it by kind and writes the reads down in the current script.
// The loads write nothing; a write would be counted, never written down, so never made again.
class RecordingRegistry : public Registry {
  public:
    explicit RecordingRegistry(Registry& inner) : inner_(inner) {}

    // Ends the current script and starts the next.
    CallScript Take();
    long long Calls(CallKind kind) const { return calls_[static_cast<int>(kind)]; }
    // Extension keys (names beginning with '.') enumerated at the top of HKEY_CLASSES_ROOT.
    long long ExtensionKeys() const { return extensionKeys_; }

    long OpenKey(HKey parent, std::string_view path, std::uint32_t access, HKey& result) override;
    long CreateKey(HKey parent, std::string_view path, std::uint32_t access, HKey& result) override;
    long CloseKey(HKey key) override;
    long QueryValue(HKey key, std::string_view name, std::uint32_t* type, std::uint8_t* data,
                    std::uint32_t* size) override;
    long QueryDefaultValue(HKey key, std::string_view subKey, char* data, long* size) override;
    long SetValue(HKey key, std::string_view name, std::uint32_t type, const std::uint8_t* data,
                  std::uint32_t size) override;
    long DeleteValue(HKey key, std::string_view name) override;
    long DeleteKey(HKey key, std::string_view subKey) override;
    long EnumValue(HKey key, std::uint32_t index, std::uint32_t room, std::string& name, std::uint32_t* type,
                   std::uint8_t* data, std::uint32_t* dataSize) override;
    long EnumKey(HKey key, std::uint32_t index, std::uint32_t room, std::string& name) override;

  private:
    RecordedCall& Write(CallKind kind, HKey key);
    void Opened(long status, HKey result, RecordedCall& call);

    Registry& inner_;
    CallScript script_;
    std::map<HKey, int> slots_;  // open keys of the current script
    long long calls_[kCallKinds] = {};
    HKey classesRoot_ = 0;
    long long extensionKeys_ = 0;
};

// The name a list's marks carry ("New begin", "floor New end").
inline const char* ListName(StartupList::Page page) {
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

// Makes the calls of `script` straight to advapi32, into buffers of the sizes recorded.
void Replay(const CallScript& script);

}  // namespace velmora::bench

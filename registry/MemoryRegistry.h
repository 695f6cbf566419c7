// A registry held in memory that behaves as the Win32 one does in every way the program relies on
// (the shared contract tests prove it): case-insensitive names, the default value, size queries,
// whole-value replacement, key deletion one level at a time, name-ordered subkeys and values (Wine keeps
// both sorted; Windows keeps values in creation order, and the program relies on neither), enumeration
// buffers, access rights and handles to deleted keys.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "registry/FaultTrigger.h"
#include "registry/Registry.h"

namespace velmora {

class MemoryRegistry : public Registry {
  public:
    MemoryRegistry();
    ~MemoryRegistry() override;

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

    // Handles opened and not yet closed: every routine of the program must leave this where it found it.
    std::size_t OpenHandleCount() const { return handles_.size(); }

    // Fault injection for tests: the nth call of a kind fails with the chosen error (access denied or
    // not found) and does nothing else. QueryValue and QueryDefaultValue are both queries. A failed close
    // still releases the handle: the program cannot do anything about it, and the count of open handles
    // stays a measure of what the program forgot to close.
    enum class Call {
        kOpen,
        kCreate,
        kQuery,
        kSet,
        kDeleteValue,
        kDeleteKey,
        kEnumValue,
        kEnumKey,
        kClose,
        kCount
    };
    void FailNth(Call call, unsigned nth, long error = reg::kAccessDenied);
    void ClearFaults();
    bool FaultHit() const;
    unsigned Calls(Call call) const { return faults_[static_cast<std::size_t>(call)].Calls(); }
    // The same counters read as a cost: every kind counted from zero again (and any fault disarmed), so
    // that a test can tell how many calls of each kind one routine makes.
    void ResetCallCounts() { ClearFaults(); }

  private:
    struct Value {
        std::string name;
        std::uint32_t type = 0;
        std::vector<std::uint8_t> data;
    };
    struct Node {
        std::string name;
        std::vector<Value> values;                   // name order, case ignored
        std::vector<std::shared_ptr<Node>> subkeys;  // name order, case ignored
        Node* parent = nullptr;
        bool deleted = false;
    };
    struct Handle {
        std::shared_ptr<Node> node;
        std::uint32_t access = 0;
    };

    long Resolve(HKey key, std::uint32_t needed, std::shared_ptr<Node>& node) const;
    long Walk(HKey parent, std::string_view path, bool create, std::shared_ptr<Node>& node);
    HKey AddHandle(std::shared_ptr<Node> node, std::uint32_t access);
    static Value* FindValue(Node& node, std::string_view name);

    // True (with `error` set) when this call of `call` is the one that must fail.
    bool Injected(Call call, long& error);

    std::array<FaultTrigger, static_cast<std::size_t>(Call::kCount)> faults_{};
    long faultError_ = reg::kAccessDenied;
    std::map<HKey, std::shared_ptr<Node>> roots_;
    std::map<HKey, Handle> handles_;
    HKey nextHandle_ = 0x1000;
};

}  // namespace velmora

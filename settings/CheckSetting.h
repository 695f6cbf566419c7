// A setting shown as one check box and stored in one registry value: how it is read, what each state
// writes, its state when nothing can be read, and whether applying it needs a restart. Most rows of the
// setting pages are of this kind.
#pragma once

#include <array>
#include <cstdint>

#include "registry/Registry.h"
#include "registry/RegistryStore.h"

namespace velmora {

// What applying one state of a check box does to its value.
struct RegistryAction {
    enum Kind { kDelete, kBinary, kDword, kString };
    Kind kind = kDelete;
    std::array<std::uint8_t, 4> bytes{};
    std::uint32_t number = 0;
    const char* text = nullptr;

    static constexpr RegistryAction Delete() { return RegistryAction{}; }
    static constexpr RegistryAction Binary(std::array<std::uint8_t, 4> data) {
        return {kBinary, data, 0, nullptr};
    }
    static constexpr RegistryAction Dword(std::uint32_t value) { return {kDword, {}, value, nullptr}; }
    static constexpr RegistryAction String(const char* value) { return {kString, {}, 0, value}; }
};

inline constexpr RegistryAction kWriteFlag1 = RegistryAction::Binary({0x01, 0x00, 0x00, 0x00});
inline constexpr RegistryAction kWriteFlag0 = RegistryAction::Binary({0x00, 0x00, 0x00, 0x00});

// When a value that could be read shows its box checked.
enum class ReadRule {
    kFirstByteZero,    // the first byte is 0 (a policy switch that hides something)
    kFirstByteSet,     // the first byte is not 0
    kTextEqualsOne,    // the text is exactly "1"
    kFirstByteEquals,  // the first byte equals `firstByte`
    kTextIsNotZero,    // any text but "0"
};

struct CheckSetting {
    int control;
    RootKey root;
    const char* path;
    const char* value;
    ReadRule rule;
    bool missingChecked;
    RegistryAction whenChecked;
    RegistryAction whenUnchecked;
    bool restart;
    std::uint8_t firstByte = 0;
};

// The box state (1 checked, 0 unchecked) the stored value gives.
int ReadCheck(Registry& registry, const CheckSetting& setting);

// Writes or deletes the value for the box state (1 is checked); reg::kSuccess or the error code.
long ApplyCheck(const RegistryStore& store, const CheckSetting& setting, int state);

}  // namespace velmora

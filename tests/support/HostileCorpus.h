// The hostile-registry corpus: every value and key the program reads, and the strange states another
// program may have left there, each as a function that writes the state into any `Registry&` (the
// in-memory one on the host, the real one under Wine).
//
// How to use it. A case is one target and one state that applies to it (Applies). Set up a registry with
// the target's context (SetUp), write the state (State::apply), and let the page that reads the target
// load. Compare what the page shows with the same page loaded over a second registry set up with the
// same context and the state's benign equivalent (State::equivalent): the two must agree. The
// equivalents carry the decisions of the read pattern: the stored type is never looked at, text ends at
// its first zero or at the last byte received, a value with no data reads like the empty text, a key
// where a value is expected is a missing value and a value where a key is expected a missing key. For
// the list sources, ListedNames says which of the entries a state adds must show in the list.
//
// Adding a target or a state is one line in HostileCorpus.cpp. Long names that a state adds sort after
// every other name of their key (they are made of '~'), so that a list which stops at a name it cannot
// read loses nothing else. Portable: no gtest, no <windows.h>.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "registry/Registry.h"

namespace velmora::hostile {

// What the program does with a target.
enum class Kind : unsigned {
    kValue = 1,      // reads the value `name` of the key `path` by the read pattern
    kKey = 2,        // tests whether the key `path` exists
    kValueList = 4,  // enumerates the value names of the key `path`
    kKeyList = 8,    // enumerates the subkeys of the key `path`
};

struct Target {
    const char* page;  // the page that reads it, as the reliability report names pages
    Kind kind;
    RootKey root;
    const char* path;
    const char* name;            // the value's name for kValue ("" is the default value); else ""
    void (*context)(Registry&);  // what must be there for the program to look at the target; may be null
    void (*addEntry)(Registry&, const Target&, const std::string& name);  // lists: one entry named `name`
};

struct State {
    const char* name;
    unsigned kinds;  // the Kind bits it applies to
    // The hostile state, and what the program must make of it, written over the target's context.
    void (*apply)(Registry&, const Target&);
    void (*equivalent)(Registry&, const Target&);
    // Lists: the names of the entries this state adds that the list must show (in any order).
    std::vector<std::string> (*listed)(const Target&);
};

std::span<const Target> Targets();
std::span<const State> States();

bool Applies(const State& state, const Target& target);
// Writes the target's context.
void SetUp(Registry& registry, const Target& target);
// The entries a list must show after the state; empty for targets that are not lists.
std::vector<std::string> ListedNames(const State& state, const Target& target);

// "Desktop: HKCU\...\Explorer \"NoNetHood\"" and the like, for messages.
std::string Describe(const Target& target);

// The number of entries the "thousands" states write.
inline constexpr std::size_t kThousands = 3000;
// The size of the "1 MiB of text" state.
inline constexpr std::size_t kHugeTextSize = 1u << 20;

// Writing helpers, also for tests that build their own hostile registries.
void SetRaw(Registry& registry, RootKey root, std::string_view path, std::string_view name,
            std::uint32_t type, const std::vector<std::uint8_t>& bytes);
void SetText(Registry& registry, RootKey root, std::string_view path, std::string_view name,
             std::string_view text);  // REG_SZ with its zero
void MakeKey(Registry& registry, RootKey root, std::string_view path);
// Every target of `page` (of every page when empty) present with ordinary data: its context, "1" for a
// value, the key itself, three entries for a list ("Entry A".."Entry C", ".A".. in a class key).
void FillOrdinary(Registry& registry, std::string_view page = {});
// The key holding a target: its path without the last component ("" at the root), and that component.
std::string ParentPath(std::string_view path);
std::string LastName(std::string_view path);
// A name of `length` characters that sorts last in its key; list entries of the New page start with '.'.
std::string LongEntryName(const Target& target, std::size_t length);

}  // namespace velmora::hostile

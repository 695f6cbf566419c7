#include "tests/e2e/harness/ExpectedChanges.h"

#include <algorithm>

#include "registry/Names.h"

namespace velmora::e2e {
namespace {

// True when `key` is `parent` or lies below it (whole components, case ignored).
bool Within(std::string_view key, std::string_view parent) {
    return key.size() >= parent.size() && NamesEqual(key.substr(0, parent.size()), parent) &&
           (key.size() == parent.size() || key[parent.size()] == '\\');
}

}  // namespace

ExpectedChanges& ExpectedChanges::Set(RootKey root, std::string_view path, std::string_view name,
                                      const RegistryValue& value) {
    const std::string key = WholeKeyName(root, path);
    // Keys that the write had to create, outermost first. A snapshot of some keys holds no key above
    // them: only a key there afterwards can have been created.
    std::string prefix;
    for (const std::string_view component : SplitKeyPath(key)) {
        prefix = prefix.empty() ? std::string(component) : prefix + "\\" + std::string(component);
        if (prefix.find('\\') != std::string::npos && !before_.HasKey(prefix) && after_.HasKey(prefix)) {
            lines_.push_back("+ key " + Spelled(prefix));
        }
    }
    const std::optional<RegistryValue> old = before_.ValueOf(key, std::string(name));
    const std::string label = capture::ValueLabel(Spelled(key), std::string(name));
    if (!old) {
        lines_.push_back("+ " + label + " = " + Describe(value));
    } else if (!(*old == value)) {
        lines_.push_back("~ " + label + ": " + Describe(*old) + " -> " + Describe(value));
    }
    return *this;
}

ExpectedChanges& ExpectedChanges::Remove(RootKey root, std::string_view path, std::string_view name) {
    const std::string key = WholeKeyName(root, path);
    if (const std::optional<RegistryValue> old = before_.ValueOf(key, std::string(name))) {
        lines_.push_back("- " + capture::ValueLabel(Spelled(key), std::string(name)) + " (was " +
                         Describe(*old) + ")");
    }
    return *this;
}

ExpectedChanges& ExpectedChanges::RemoveKey(RootKey root, std::string_view path) {
    const std::string key = WholeKeyName(root, path);
    for (const auto& [name, values] : before_.AllKeys()) {
        if (Within(name, key)) {
            lines_.push_back("- key " + name);
        }
    }
    return *this;
}

std::vector<std::string> ExpectedChanges::Lines() const {
    std::vector<std::string> lines = lines_;
    std::sort(lines.begin(), lines.end());
    return lines;
}

std::string ExpectedChanges::Spelled(const std::string& key) const {
    if (const std::string* stored = after_.StoredName(key)) {
        return *stored;
    }
    if (const std::string* stored = before_.StoredName(key)) {
        return *stored;
    }
    return key;
}

testing::AssertionResult OnlyTheseChanged(const RegistrySnapshot& before, const RegistrySnapshot& after,
                                          const ExpectedChanges& expected) {
    const std::vector<std::string> actual = capture::ChangedLines(before.Capture(), after.Capture());
    const std::vector<std::string> wanted = expected.Lines();
    if (actual == wanted) {
        return testing::AssertionSuccess();
    }
    testing::AssertionResult result = testing::AssertionFailure();
    result << "the registry changed:";
    for (const std::string& line : actual) {
        result << "\n  " << line;
    }
    result << "\nbut the scenario names:";
    for (const std::string& line : wanted) {
        result << "\n  " << line;
    }
    return result;
}

testing::AssertionResult NothingChanged(const RegistrySnapshot& before, const RegistrySnapshot& after) {
    return OnlyTheseChanged(before, after, ExpectedChanges(before, after));
}

}  // namespace velmora::e2e

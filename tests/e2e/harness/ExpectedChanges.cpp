#include "tests/e2e/harness/ExpectedChanges.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>

#include "registry/Names.h"

namespace velmora::e2e {
namespace {

// True when `key` is `parent` or lies below it (whole components, case ignored).
bool Within(std::string_view key, std::string_view parent) {
    return key.size() >= parent.size() && NamesEqual(key.substr(0, parent.size()), parent) &&
           (key.size() == parent.size() || key[parent.size()] == '\\');
}

// With VELMORA_E2E_DIFF_LOG set, every comparison appends the registry's changes to that file under the
// scenario's name: two builds run through the same scenarios give two files that `diff` compares line by
// line, which shows that a change of the program's code left every write and delete as it was.
void RecordChanges(const std::vector<std::string>& actual) {
    const char* file = std::getenv("VELMORA_E2E_DIFF_LOG");
    if (!file || !*file) {
        return;
    }
    std::ofstream log(file, std::ios::app | std::ios::binary);
    const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
    log << "== " << (test ? std::string(test->test_suite_name()) + "." + test->name() : std::string("?"))
        << "\n";
    for (const std::string& line : actual) {
        log << line << "\n";
    }
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
    RecordChanges(actual);
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

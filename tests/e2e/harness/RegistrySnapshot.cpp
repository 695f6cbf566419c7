#include "tests/e2e/harness/RegistrySnapshot.h"

#include "registry/Names.h"
#include "registry/RegKey.h"
#include "tests/e2e/harness/WholeRegistry.h"

namespace velmora::e2e {
namespace {

std::string Join(std::string_view root, std::string_view path) {
    return path.empty() ? std::string(root) : std::string(root) + "\\" + std::string(path);
}

// The root and path through which a key of a snapshot is reached again.
std::pair<RootKey, std::string> Locate(const std::string& key, bool whole) {
    const std::size_t slash = key.find('\\');
    const std::string root = key.substr(0, slash);
    const std::string path = slash == std::string::npos ? "" : key.substr(slash + 1);
    if (root == "HKCU") {
        return {RootKey::CurrentUser, path};
    }
    if (root == "HKCR") {
        return whole ? std::pair{RootKey::LocalMachine, Join("Software\\Classes", path)}
                     : std::pair{RootKey::ClassesRoot, path};
    }
    if (root == "HKU") {
        return {RootKey::Users, path};
    }
    return {RootKey::LocalMachine, path};
}

}  // namespace

RegistrySnapshot RegistrySnapshot::Take(const std::vector<RegistryLocation>& locations) {
    RegistrySnapshot snapshot;
    snapshot.locations_ = locations;
    for (const RegistryLocation& location : locations) {
        snapshot.capture_.Add(MachineRegistry(), ToHKey(location.root), location.path,
                              KeyName(location.root, location.path), location.recursive);
    }
    return snapshot;
}

RegistrySnapshot RegistrySnapshot::TakeWhole() {
    RegistrySnapshot snapshot;
    snapshot.capture_ = CaptureWholeRegistry();
    snapshot.whole_ = true;
    return snapshot;
}

RegistrySnapshot RegistrySnapshot::Again() const {
    return whole_ ? TakeWhole() : Take(locations_);
}

bool RegistrySnapshot::Restore() const {
    return PutBack(*this, Again());
}

std::vector<std::string> Differences(const RegistrySnapshot& before, const RegistrySnapshot& after) {
    std::vector<std::string> lines;
    for (const capture::Change& change : capture::Changes(before.Capture(), after.Capture())) {
        lines.push_back(change.Line());
    }
    return lines;
}

bool PutBack(const RegistrySnapshot& before, const RegistrySnapshot& after) {
    const bool whole = before.Whole();
    bool ok = true;
    const std::vector<capture::Change> changes = capture::Changes(before.Capture(), after.Capture());
    // Keys that appeared go first, innermost first; the rest in key order, parents before children.
    for (auto it = changes.rbegin(); it != changes.rend(); ++it) {
        if (it->kind == capture::Change::kKeyAdded) {
            const auto [root, path] = Locate(it->key, whole);
            ok = RemoveKeyTree(root, path) && ok;
        }
    }
    for (const capture::Change& change : changes) {
        const auto [root, path] = Locate(change.key, whole);
        switch (change.kind) {
            case capture::Change::kKeyAdded:
                break;
            case capture::Change::kKeyRemoved: {
                RegKey created;
                ok =
                    created.Create(MachineRegistry(), ToHKey(root), path, reg::kWrite) == reg::kSuccess && ok;
                for (const auto& [name, value] : before.Keys().at(change.key)) {
                    ok = WriteRawValue(root, path, name, value) && ok;
                }
                break;
            }
            case capture::Change::kValueAdded:
                // Inside an added key it went with the key.
                ok = RemoveValue(root, path, change.name) && ok;
                break;
            case capture::Change::kValueRemoved:
            case capture::Change::kValueChanged:
                ok = WriteRawValue(root, path, change.name, *change.before) &&
                     ReadRawValue(root, path, change.name) == change.before && ok;
                break;
        }
    }
    return ok;
}

testing::AssertionResult RegistryUnchangedSince(const RegistrySnapshot& before) {
    const std::vector<std::string> lines = Differences(before, before.Again());
    if (lines.empty()) {
        return testing::AssertionSuccess();
    }
    testing::AssertionResult result = testing::AssertionFailure();
    result << "the registry changed:";
    for (const std::string& line : lines) {
        result << "\n  " << line;
    }
    return result;
}

}  // namespace velmora::e2e

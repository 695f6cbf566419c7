#include "tests/e2e/harness/WholeRegistry.h"

#include <windows.h>

#include <sddl.h>

#include <algorithm>
#include <map>
#include <memory>
#include <set>
#include <vector>

#include "registry/Names.h"
#include "registry/Win32Registry.h"
#include "tests/e2e/harness/RegistryValues.h"

namespace velmora::e2e {
namespace {

// A key whose subtree holds more keys than this is read key by key; a smaller one is a watched branch.
constexpr std::size_t kBranchKeys = 128;

// The real registry as the capture walks it: a symbolic link (HKLM\...\Time Zones and the like) is
// opened as the link itself, so that its target is read once, under its own name. Every key is opened in
// the program's registry view: under WOW64 the 64-bit one, where Wow6432Node is a key like any other.
class LinkKeepingRegistry : public Win32Registry {
  public:
    long OpenKey(HKey parent, std::string_view path, std::uint32_t access, HKey& result) override {
        if (IsRootKey(parent) || path.empty()) {
            return Win32Registry::OpenKey(parent, path, access, result);
        }
        ::HKEY key = nullptr;
        const long status = RegOpenKeyExA(reinterpret_cast<::HKEY>(parent), std::string(path).c_str(),
                                          REG_OPTION_OPEN_LINK, Access(access), &key);
        if (status == ERROR_SUCCESS) {
            result = reinterpret_cast<HKey>(key);
        }
        return status;
    }
};

LinkKeepingRegistry& Walker() {
    static LinkKeepingRegistry registry;
    return registry;
}

::HKEY Native(RootKey root) {
    return root == RootKey::LocalMachine ? HKEY_LOCAL_MACHINE : HKEY_USERS;
}

// The rest of `path` after `prefix` (whole components, case ignored), or nullopt.
std::optional<std::string_view> After(std::string_view path, std::string_view prefix) {
    if (path.size() < prefix.size() || !NamesEqual(path.substr(0, prefix.size()), prefix)) {
        return std::nullopt;
    }
    if (path.size() == prefix.size()) {
        return std::string_view();
    }
    if (path[prefix.size()] != '\\') {
        return std::nullopt;
    }
    return path.substr(prefix.size() + 1);
}

// The volatile keys: found under Wine 8 as the keys a walk meets that the server's own save of the
// registry leaves out (the save keeps every persistent key). Below DeviceClasses they are the interface
// link keys ("#"), which the device manager links again at each start.
bool Volatile(const std::string& key) {
    static const char* const kVolatile[] = {
        "HKLM\\Hardware",
        "HKLM\\Software\\Microsoft\\Windows NT\\CurrentVersion\\NetworkCards",
        "HKLM\\System\\CurrentControlSet\\Control\\ComputerName\\ActiveComputerName",
        "HKLM\\System\\CurrentControlSet\\Control\\ServiceCurrent",
        "HKLM\\System\\CurrentControlSet\\Control\\Video",
        "HKLM\\System\\CurrentControlSet\\Hardware Profiles\\Current\\System",
        "HKLM\\System\\MountedDevices",
        "HKCU\\Software\\Wine\\Fonts\\Cache",
        "HKCU\\Software\\Wine\\Temporary System Parameters",
    };
    for (const char* name : kVolatile) {
        if (NamesEqual(key, name)) {
            return true;
        }
    }
    return After(key, "HKLM\\System\\CurrentControlSet\\Control\\DeviceClasses") && key.ends_with("\\#");
}

// Each branch once, under the name people know it by.
bool Skipped(const std::string& key) {
    return Volatile(key) || NamesEqual(key, "HKLM\\Software\\Classes") ||
           (!CurrentUserSid().empty() && NamesEqual(key, "HKU\\" + CurrentUserSid()));
}

bool SameTime(const FILETIME& a, const FILETIME& b) {
    return a.dwLowDateTime == b.dwLowDateTime && a.dwHighDateTime == b.dwHighDateTime;
}

// A small subtree, read again only when its watch fired or the key was made again.
class Branch {
  public:
    Branch(std::string name, const FILETIME& written) : name_(std::move(name)), written_(written) {}
    ~Branch() {
        if (key_ != nullptr) {
            RegCloseKey(key_);
        }
        if (event_ != nullptr) {
            CloseHandle(event_);
        }
    }
    Branch(const Branch&) = delete;
    Branch& operator=(const Branch&) = delete;

    HANDLE Event() const { return event_; }
    // `fired`: its watch said something below it changed.
    const capture::RegistryCapture& Read(::HKEY parent, const std::string& child, const FILETIME& written,
                                         bool fired) {
        if (event_ != nullptr && !fired && SameTime(written, written_)) {
            return cache_;
        }
        written_ = written;
        if (key_ != nullptr) {
            RegCloseKey(key_);
            key_ = nullptr;
        }
        if (event_ == nullptr) {
            event_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
        }
        ResetEvent(event_);
        cache_ = capture::RegistryCapture();
        // Watched before it is read: a change while it is read is seen at the next capture.
        if (RegOpenKeyExA(parent, child.c_str(), REG_OPTION_OPEN_LINK, Walker().Access(KEY_READ | KEY_NOTIFY),
                          &key_) != ERROR_SUCCESS ||
            RegNotifyChangeKeyValue(key_, TRUE, REG_NOTIFY_CHANGE_NAME | REG_NOTIFY_CHANGE_LAST_SET, event_,
                                    TRUE) != ERROR_SUCCESS) {
            // Not watched: read again every time.
            CloseHandle(event_);
            event_ = nullptr;
        }
        cache_.Add(Walker(), reinterpret_cast<HKey>(parent), child, name_, true, Skipped);
        return cache_;
    }

  private:
    std::string name_;
    FILETIME written_;
    ::HKEY key_ = nullptr;
    HANDLE event_ = nullptr;
    capture::RegistryCapture cache_;
};

// A key with a large subtree: its values and subkey names are read every time.
class LargeKey {
  public:
    LargeKey(std::string name, const capture::Keys& sizes) : name_(std::move(name)), sizes_(&sizes) {}

    void Read(::HKEY key, capture::RegistryCapture& out) {
        out.Add(Walker(), reinterpret_cast<HKey>(key), "", name_, false);
        std::vector<std::pair<std::string, FILETIME>> children;
        char child[reg::kMaxKeyNameLength + 1];
        for (DWORD index = 0;; ++index) {
            DWORD size = sizeof child;
            FILETIME written{};
            if (RegEnumKeyExA(key, index, child, &size, nullptr, nullptr, nullptr, &written) !=
                ERROR_SUCCESS) {
                break;
            }
            children.emplace_back(std::string(child, size), written);
        }
        std::map<std::string, std::unique_ptr<Branch>, capture::NameOrder> branches;
        std::map<std::string, std::unique_ptr<LargeKey>, capture::NameOrder> large;
        const std::set<const Branch*> fired = Fired();
        for (const auto& [child, written] : children) {
            const std::string name = name_ + "\\" + child;
            if (Skipped(name)) {
                continue;
            }
            if (const auto it = large_.find(child); it != large_.end()) {
                ::HKEY sub = nullptr;
                if (RegOpenKeyExA(key, child.c_str(), REG_OPTION_OPEN_LINK, Walker().Access(KEY_READ),
                                  &sub) == ERROR_SUCCESS) {
                    it->second->Read(sub, out);
                    RegCloseKey(sub);
                }
                large.insert(large_.extract(it));
                continue;
            }
            if (LargeSubtree(name)) {
                auto node = std::make_unique<LargeKey>(name, *sizes_);
                ::HKEY sub = nullptr;
                if (RegOpenKeyExA(key, child.c_str(), REG_OPTION_OPEN_LINK, Walker().Access(KEY_READ),
                                  &sub) == ERROR_SUCCESS) {
                    node->Read(sub, out);
                    RegCloseKey(sub);
                }
                large.emplace(child, std::move(node));
                continue;
            }
            auto it = branches_.find(child);
            if (it == branches_.end()) {
                it = branches_.emplace(child, std::make_unique<Branch>(name, written)).first;
            }
            out.Include(it->second->Read(key, child, written, fired.contains(it->second.get())));
            branches.insert(branches_.extract(it));
        }
        // Keys gone since are forgotten with their watches.
        branches_ = std::move(branches);
        large_ = std::move(large);
    }

  private:
    bool LargeSubtree(const std::string& name) const {
        std::size_t count = 0;
        for (auto it = sizes_->lower_bound(name); it != sizes_->end() && After(it->first, name); ++it) {
            if (++count > kBranchKeys) {
                return true;
            }
        }
        return false;
    }

    // The branches whose watches fired: asked 64 events at a time.
    std::set<const Branch*> Fired() const {
        std::vector<HANDLE> events;
        std::vector<const Branch*> watched;
        for (const auto& [child, branch] : branches_) {
            if (branch->Event() != nullptr) {
                events.push_back(branch->Event());
                watched.push_back(branch.get());
            }
        }
        std::set<const Branch*> fired;
        for (std::size_t start = 0; start < events.size(); start += MAXIMUM_WAIT_OBJECTS) {
            const std::size_t count = std::min<std::size_t>(MAXIMUM_WAIT_OBJECTS, events.size() - start);
            if (WaitForMultipleObjects(static_cast<DWORD>(count), events.data() + start, FALSE, 0) ==
                WAIT_TIMEOUT) {
                continue;
            }
            for (std::size_t i = start; i < start + count; ++i) {
                if (WaitForSingleObject(events[i], 0) == WAIT_OBJECT_0) {
                    fired.insert(watched[i]);
                }
            }
        }
        return fired;
    }

    std::string name_;
    const capture::Keys* sizes_;
    std::map<std::string, std::unique_ptr<Branch>, capture::NameOrder> branches_;
    std::map<std::string, std::unique_ptr<LargeKey>, capture::NameOrder> large_;
};

struct Root {
    RootKey root;
    std::string path;
    std::string name;
};

std::vector<Root> Roots() {
    std::vector<Root> roots = {{RootKey::LocalMachine, "", "HKLM"},
                               {RootKey::LocalMachine, "Software\\Classes", "HKCR"},
                               {RootKey::Users, "", "HKU"}};
    if (!CurrentUserSid().empty()) {
        roots.push_back({RootKey::Users, CurrentUserSid(), "HKCU"});
    }
    return roots;
}

}  // namespace

const std::string& CurrentUserSid() {
    static const std::string sid = [] {
        std::string text;
        HANDLE token = nullptr;
        if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) {
            return text;
        }
        char buffer[256];
        DWORD size = sizeof buffer;
        if (GetTokenInformation(token, TokenUser, buffer, size, &size)) {
            char* string = nullptr;
            if (ConvertSidToStringSidA(reinterpret_cast<TOKEN_USER*>(buffer)->User.Sid, &string)) {
                text = string;
                LocalFree(string);
            }
        }
        CloseHandle(token);
        return text;
    }();
    return sid;
}

capture::RegistryCapture CaptureWholeRegistry() {
    // The first, full walk tells the large keys from the small branches.
    static capture::Keys sizes;
    static std::vector<std::unique_ptr<LargeKey>> roots;
    capture::RegistryCapture capture;
    if (roots.empty()) {
        for (const Root& root : Roots()) {
            capture.Add(Walker(), ToHKey(root.root), root.path, root.name, true, Skipped);
        }
        sizes = capture.AllKeys();
        for (const Root& root : Roots()) {
            roots.push_back(std::make_unique<LargeKey>(root.name, sizes));
        }
        return capture;
    }
    const std::vector<Root> all = Roots();
    for (std::size_t i = 0; i < all.size(); ++i) {
        ::HKEY key = nullptr;
        if (RegOpenKeyExA(Native(all[i].root), all[i].path.c_str(), 0, Walker().Access(KEY_READ), &key) ==
            ERROR_SUCCESS) {
            roots[i]->Read(key, capture);
            RegCloseKey(key);
        }
    }
    return capture;
}

std::string WholeKeyName(RootKey root, std::string_view path) {
    if (root == RootKey::LocalMachine) {
        if (const auto classes = After(path, "Software\\Classes")) {
            return KeyName(RootKey::ClassesRoot, *classes);
        }
    }
    if (root == RootKey::Users && !CurrentUserSid().empty()) {
        if (const auto user = After(path, CurrentUserSid())) {
            return KeyName(RootKey::CurrentUser, *user);
        }
    }
    return KeyName(root, path);
}

}  // namespace velmora::e2e

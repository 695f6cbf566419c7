#include "tests/e2e/harness/WholeRegistry.h"

#include <windows.h>

#include <sddl.h>

#include <algorithm>
#include <cctype>
#include <fstream>

#include "registry/Names.h"
#include "registry/RegKey.h"

namespace velmora::e2e {
namespace {

// The current user's branch of HKEY_USERS ("S-1-5-21-..."), which HKEY_CURRENT_USER shows.
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

std::string Join(std::string_view root, std::string_view path) {
    return path.empty() ? std::string(root) : std::string(root) + "\\" + std::string(path);
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

std::string MachineKeyName(std::string_view path) {
    if (const auto classes = After(path, "Software\\Classes")) {
        return Join("HKCR", *classes);
    }
    return Join("HKLM", path);
}

std::string UsersKeyName(std::string_view path) {
    if (!CurrentUserSid().empty()) {
        if (const auto user = After(path, CurrentUserSid())) {
            return Join("HKCU", *user);
        }
    }
    return Join("HKU", path);
}

// The root and path through which a key of an image is reached again.
std::pair<RootKey, std::string> Locate(const std::string& key) {
    const std::size_t slash = key.find('\\');
    const std::string root = key.substr(0, slash);
    const std::string path = slash == std::string::npos ? "" : key.substr(slash + 1);
    if (root == "HKCU") {
        return {RootKey::CurrentUser, path};
    }
    if (root == "HKCR") {
        return {RootKey::LocalMachine, Join("Software\\Classes", path)};
    }
    if (root == "HKU") {
        return {RootKey::Users, path};
    }
    return {RootKey::LocalMachine, path};
}

// Wine's save format (the server's own registry files): "[path] time" opens a key, "#..." lines are
// metadata, `"name"=...` or `@=...` are values, a line ending in a backslash goes on in the next one.
// Texts escape '\\', the quote or bracket, control characters and every character above 127.
std::wstring Unescape(std::string_view text) {
    std::wstring result;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            result += static_cast<wchar_t>(static_cast<unsigned char>(text[i]));
            continue;
        }
        const char c = text[++i];
        auto digits = [&](int base, std::size_t most) {
            unsigned value = 0;
            std::size_t taken = 0;
            while (taken < most && i + 1 < text.size() &&
                   std::isxdigit(static_cast<unsigned char>(text[i + 1])) &&
                   (base == 16 || (text[i + 1] >= '0' && text[i + 1] <= '7'))) {
                value = value * base + std::stoi(std::string(1, text[++i]), nullptr, 16);
                ++taken;
            }
            return static_cast<wchar_t>(value);
        };
        switch (c) {
            case 'x':
                result += digits(16, 4);
                break;
            case 'a':
                result += L'\a';
                break;
            case 'b':
                result += L'\b';
                break;
            case 't':
                result += L'\t';
                break;
            case 'n':
                result += L'\n';
                break;
            case 'v':
                result += L'\v';
                break;
            case 'f':
                result += L'\f';
                break;
            case 'r':
                result += L'\r';
                break;
            case 'e':
                result += L'\x1B';
                break;
            default:
                if (c >= '0' && c <= '7') {
                    --i;
                    result += digits(8, 3);
                } else {
                    result += static_cast<wchar_t>(static_cast<unsigned char>(c));
                }
        }
    }
    return result;
}

// As the ANSI calls hand it over: in the program's code page.
std::string Narrow(const std::wstring& text) {
    if (text.empty()) {
        return {};
    }
    const int size = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                         nullptr, nullptr);
    std::string result(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), result.data(), size, nullptr,
                        nullptr);
    return result;
}

// The end of a quoted text that starts after `open` (the index of the opening quote).
std::size_t ClosingQuote(std::string_view line, std::size_t open) {
    for (std::size_t i = open + 1; i < line.size(); ++i) {
        if (line[i] == '\\') {
            ++i;
        } else if (line[i] == '"') {
            return i;
        }
    }
    return std::string_view::npos;
}

std::vector<std::uint8_t> HexBytes(std::string_view text) {
    std::vector<std::uint8_t> bytes;
    for (std::size_t i = 0; i + 1 < text.size();) {
        if (!std::isxdigit(static_cast<unsigned char>(text[i]))) {
            ++i;
            continue;
        }
        bytes.push_back(static_cast<std::uint8_t>(std::stoi(std::string(text.substr(i, 2)), nullptr, 16)));
        i += 2;
    }
    return bytes;
}

// One value line's data, as RegQueryValueExA hands it over.
RegistryValue ParseData(std::string_view data) {
    RegistryValue value;
    if (data.starts_with("dword:")) {
        return RegistryValue::Dword(
            static_cast<std::uint32_t>(std::stoul(std::string(data.substr(6)), nullptr, 16)));
    }
    std::uint32_t type = reg::kSz;
    if (data.starts_with("str(")) {
        type = static_cast<std::uint32_t>(std::stoul(std::string(data.substr(4)), nullptr, 16));
        data.remove_prefix(data.find(':') + 1);
    }
    if (data.starts_with("\"")) {
        std::wstring text = Unescape(data.substr(1, ClosingQuote(data, 0) - 1));
        text += L'\0';
        const std::string narrow = Narrow(text);
        return RegistryValue{type, std::vector<std::uint8_t>(narrow.begin(), narrow.end())};
    }
    if (data.starts_with("hex:")) {
        return RegistryValue{reg::kBinary, HexBytes(data.substr(4))};
    }
    // hex(type):bytes. Texts land here when they are not whole UTF-16 texts with their zero.
    type = static_cast<std::uint32_t>(std::stoul(std::string(data.substr(4)), nullptr, 16));
    std::vector<std::uint8_t> bytes = HexBytes(data.substr(data.find(':') + 1));
    if ((type == reg::kSz || type == reg::kExpandSz || type == reg::kMultiSz) && bytes.size() % 2 == 0) {
        std::wstring text(bytes.size() / 2, L'\0');
        for (std::size_t i = 0; i < text.size(); ++i) {
            text[i] = static_cast<wchar_t>(bytes[2 * i] | bytes[2 * i + 1] << 8);
        }
        const std::string narrow = Narrow(text);
        bytes.assign(narrow.begin(), narrow.end());
    }
    return RegistryValue{type, std::move(bytes)};
}

// Adds a key and every key above it (the format lists only keys with values, and leaves).
RegistryImage::Values& AddKey(RegistryImage::Keys& keys, const std::string& name) {
    for (std::size_t slash = name.find('\\'); slash != std::string::npos;
         slash = name.find('\\', slash + 1)) {
        keys.try_emplace(name.substr(0, slash));
    }
    return keys[name];
}

void ParseSaved(const std::string& file, std::string (*keyName)(std::string_view),
                RegistryImage::Keys& keys) {
    std::ifstream in(file, std::ios::binary);
    std::string line;
    std::string full;
    RegistryImage::Values* current = nullptr;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        full += line;
        if (!full.empty() && full.back() == '\\' && (full.find("=hex") != std::string::npos)) {
            full.pop_back();
            continue;
        }
        const std::string_view text = full;
        if (text.starts_with("[")) {
            std::size_t close = 1;
            while (close < text.size() && text[close] != ']') {
                close += text[close] == '\\' ? 2 : 1;
            }
            current = &AddKey(keys, keyName(Narrow(Unescape(text.substr(1, close - 1)))));
        } else if (current != nullptr && (text.starts_with("\"") || text.starts_with("@="))) {
            std::string name;
            std::size_t equals = 1;
            if (text.starts_with("\"")) {
                const std::size_t close = ClosingQuote(text, 0);
                name = Narrow(Unescape(text.substr(1, close - 1)));
                equals = close + 1;
            }
            (*current)[name] = ParseData(text.substr(equals + 1));
        }
        full.clear();
    }
}

// Lets the driver save the registry (RegSaveKey asks for the backup privilege).
bool EnableBackupPrivilege() {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token)) {
        return false;
    }
    TOKEN_PRIVILEGES privileges{};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    const bool ok = LookupPrivilegeValueA(nullptr, "SeBackupPrivilege", &privileges.Privileges[0].Luid) &&
                    AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr) &&
                    GetLastError() == ERROR_SUCCESS;
    CloseHandle(token);
    return ok;
}

// Saves one root through the registry server in its own format and reads it back.
bool SaveAndParse(HKEY root, std::string (*keyName)(std::string_view), RegistryImage::Keys& keys) {
    static const bool privileged = EnableBackupPrivilege();
    char directory[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, directory);
    const std::string file =
        std::string(directory) + "velmora-e2e-registry-" + std::to_string(GetCurrentProcessId()) + ".txt";
    DeleteFileA(file.c_str());
    const bool saved = privileged && RegSaveKeyA(root, file.c_str(), nullptr) == ERROR_SUCCESS;
    if (saved) {
        ParseSaved(file, keyName, keys);
    }
    DeleteFileA(file.c_str());
    return saved;
}

std::string ValueLabel(const std::string& key, const std::string& name) {
    return key + " [" + (name.empty() ? "(default)" : name) + "]";
}

}  // namespace

RegistryImage RegistryImage::Take() {
    RegistryImage image;
    image.saved_ = SaveAndParse(HKEY_LOCAL_MACHINE, MachineKeyName, image.keys_) &&
                   SaveAndParse(HKEY_USERS, UsersKeyName, image.keys_);
    return image;
}

const std::string* RegistryImage::StoredName(const std::string& key) const {
    const auto it = keys_.find(key);
    return it == keys_.end() ? nullptr : &it->first;
}

std::optional<RegistryValue> RegistryImage::Value(const std::string& key, const std::string& name) const {
    const auto it = keys_.find(key);
    if (it == keys_.end()) {
        return std::nullopt;
    }
    const auto value = it->second.find(name);
    if (value == it->second.end()) {
        return std::nullopt;
    }
    return value->second;
}

std::string ImageKeyName(RootKey root, std::string_view path) {
    switch (root) {
        case RootKey::ClassesRoot:
            return Join("HKCR", path);
        case RootKey::CurrentUser:
            return Join("HKCU", path);
        case RootKey::LocalMachine:
            return MachineKeyName(path);
        case RootKey::Users:
            return UsersKeyName(path);
    }
    return Join("?", path);
}

std::string RegistryChange::Line() const {
    switch (kind) {
        case kKeyAdded:
            return "+ key " + key;
        case kKeyRemoved:
            return "- key " + key;
        case kValueAdded:
            return "+ " + ValueLabel(key, name) + " = " + Describe(*after);
        case kValueRemoved:
            return "- " + ValueLabel(key, name) + " (was " + Describe(*before) + ")";
        case kValueChanged:
            return "~ " + ValueLabel(key, name) + ": " + Describe(*before) + " -> " + Describe(*after);
    }
    return "?";
}

std::vector<RegistryChange> AllChanges(const RegistryImage& before, const RegistryImage& after) {
    std::vector<RegistryChange> changes;
    const auto& old = before.AllKeys();
    const auto& now = after.AllKeys();
    for (const auto& [key, values] : old) {
        const auto match = now.find(key);
        if (match == now.end()) {
            changes.push_back({RegistryChange::kKeyRemoved, key, "", std::nullopt, std::nullopt});
            continue;
        }
        for (const auto& [name, value] : values) {
            const auto other = match->second.find(name);
            if (other == match->second.end()) {
                changes.push_back({RegistryChange::kValueRemoved, key, name, value, std::nullopt});
            } else if (!(other->second == value)) {
                changes.push_back({RegistryChange::kValueChanged, key, name, value, other->second});
            }
        }
        for (const auto& [name, value] : match->second) {
            if (!values.contains(name)) {
                changes.push_back({RegistryChange::kValueAdded, key, name, std::nullopt, value});
            }
        }
    }
    for (const auto& [key, values] : now) {
        if (old.contains(key)) {
            continue;
        }
        changes.push_back({RegistryChange::kKeyAdded, key, "", std::nullopt, std::nullopt});
        for (const auto& [name, value] : values) {
            changes.push_back({RegistryChange::kValueAdded, key, name, std::nullopt, value});
        }
    }
    return changes;
}

std::vector<std::string> ChangedLines(const RegistryImage& before, const RegistryImage& after) {
    std::vector<std::string> lines;
    for (const RegistryChange& change : AllChanges(before, after)) {
        lines.push_back(change.Line());
    }
    std::sort(lines.begin(), lines.end());
    return lines;
}

bool PutBack(const RegistryImage& before, const RegistryImage& after) {
    bool ok = true;
    for (const RegistryChange& change : AllChanges(before, after)) {
        const auto [root, path] = Locate(change.key);
        switch (change.kind) {
            case RegistryChange::kKeyAdded:
                ok = RemoveKeyTree(root, path) && ok;
                break;
            case RegistryChange::kKeyRemoved: {
                RegKey created;
                ok =
                    created.Create(MachineRegistry(), ToHKey(root), path, reg::kWrite) == reg::kSuccess && ok;
                for (const auto& [name, value] : before.AllKeys().at(change.key)) {
                    ok = WriteRawValue(root, path, name, value) && ok;
                }
                break;
            }
            case RegistryChange::kValueAdded:
                // Inside an added key it went with the key.
                ok = RemoveValue(root, path, change.name) && ok;
                break;
            case RegistryChange::kValueRemoved:
            case RegistryChange::kValueChanged:
                ok = WriteRawValue(root, path, change.name, *change.before) &&
                     ReadRawValue(root, path, change.name) == change.before && ok;
                break;
        }
    }
    return ok;
}

ExpectedChanges& ExpectedChanges::Set(RootKey root, std::string_view path, std::string_view name,
                                      const RegistryValue& value) {
    const std::string key = ImageKeyName(root, path);
    // Keys that the write had to create, outermost first.
    std::string prefix;
    for (const std::string_view component : SplitKeyPath(key)) {
        prefix = prefix.empty() ? std::string(component) : prefix + "\\" + std::string(component);
        if (prefix.find('\\') != std::string::npos && !before_.HasKey(prefix)) {
            lines_.push_back("+ key " + Spelled(prefix));
        }
    }
    const std::optional<RegistryValue> old = before_.Value(key, std::string(name));
    const std::string label = ValueLabel(Spelled(key), std::string(name));
    if (!old) {
        lines_.push_back("+ " + label + " = " + Describe(value));
    } else if (!(*old == value)) {
        lines_.push_back("~ " + label + ": " + Describe(*old) + " -> " + Describe(value));
    }
    return *this;
}

ExpectedChanges& ExpectedChanges::Remove(RootKey root, std::string_view path, std::string_view name) {
    const std::string key = ImageKeyName(root, path);
    if (const std::optional<RegistryValue> old = before_.Value(key, std::string(name))) {
        lines_.push_back("- " + ValueLabel(Spelled(key), std::string(name)) + " (was " + Describe(*old) +
                         ")");
    }
    return *this;
}

ExpectedChanges& ExpectedChanges::RemoveKey(RootKey root, std::string_view path) {
    const std::string key = ImageKeyName(root, path);
    for (const auto& [name, values] : before_.AllKeys()) {
        if (After(name, key)) {
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

testing::AssertionResult OnlyTheseChanged(const RegistryImage& before, const RegistryImage& after,
                                          const ExpectedChanges& expected) {
    const std::vector<std::string> actual = ChangedLines(before, after);
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

testing::AssertionResult NothingChanged(const RegistryImage& before, const RegistryImage& after) {
    return OnlyTheseChanged(before, after, ExpectedChanges(before, after));
}

}  // namespace velmora::e2e

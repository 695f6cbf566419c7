#include "tests/support/HostileCorpus.h"

#include <array>
#include <cstdio>

#include "registry/Names.h"
#include "settings/DesktopSettings.h"
#include "settings/MiscSettings.h"
#include "settings/SecuritySettings.h"
#include "settings/StartMenuSettings.h"

namespace velmora::hostile {

void SetRaw(Registry& registry, RootKey root, std::string_view path, std::string_view name,
            std::uint32_t type, const std::vector<std::uint8_t>& bytes) {
    HKey key = 0;
    if (registry.CreateKey(ToHKey(root), path, reg::kAllAccess, key) != reg::kSuccess) {
        return;
    }
    registry.SetValue(key, name, type, bytes.empty() ? nullptr : bytes.data(),
                      static_cast<std::uint32_t>(bytes.size()));
    registry.CloseKey(key);
}

void SetText(Registry& registry, RootKey root, std::string_view path, std::string_view name,
             std::string_view text) {
    std::vector<std::uint8_t> bytes(text.begin(), text.end());
    bytes.push_back(0);
    SetRaw(registry, root, path, name, reg::kSz, bytes);
}

void MakeKey(Registry& registry, RootKey root, std::string_view path) {
    HKey key = 0;
    if (registry.CreateKey(ToHKey(root), path, reg::kAllAccess, key) == reg::kSuccess) {
        registry.CloseKey(key);
    }
}

std::string ParentPath(std::string_view path) {
    const auto slash = path.rfind('\\');
    return slash == std::string_view::npos ? std::string() : std::string(path.substr(0, slash));
}

std::string LastName(std::string_view path) {
    const auto slash = path.rfind('\\');
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

namespace {

constexpr RootKey kHkcr = RootKey::ClassesRoot;
constexpr RootKey kHkcu = RootKey::CurrentUser;
constexpr RootKey kHklm = RootKey::LocalMachine;

constexpr const char* kShellFolders = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr const char* kWinlogon = "Software\\Microsoft\\Windows\\CurrentVersion\\Winlogon";
constexpr const char* kUninstall = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
constexpr const char* kHostileProgram = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Hostile";

std::vector<std::uint8_t> Bytes(std::string_view text) {
    return std::vector<std::uint8_t>(text.begin(), text.end());
}

std::string Numbered(const char* prefix, std::size_t i) {
    char digits[16];
    std::snprintf(digits, sizeof digits, "%04zu", i);
    return std::string(prefix) + digits;
}

// ---- contexts: what has to be there for the program to read a target at all ----

void AutologonOn(Registry& r) {
    SetText(r, kHklm, kWinlogon, "AutoAdminLogon", "1");
}
void AutologonWithUser(Registry& r) {
    AutologonOn(r);
    SetText(r, kHklm, kWinlogon, "DefaultUserName", "Hostile user");
}
void ProgramWithCommand(Registry& r) {
    SetText(r, kHklm, kHostileProgram, "UninstallString", "C:\\Hostile\\uninstall.exe");
}
void ProgramWithName(Registry& r) {
    SetText(r, kHklm, kHostileProgram, "DisplayName", "Hostile program");
}
void DirectShellNew(Registry& r) {
    MakeKey(r, kHkcr, ".hst\\ShellNew");
    SetText(r, kHkcr, "hstfile", "", "Hostile document");
}
void DirectShellNewOfType(Registry& r) {
    SetText(r, kHkcr, ".hst", "", "hstfile");
    MakeKey(r, kHkcr, ".hst\\ShellNew");
}
void DirectType(Registry& r) {
    SetText(r, kHkcr, ".hst", "", "hstfile");
    SetText(r, kHkcr, "hstfile", "", "Hostile document");
}
void IndirectShellNew(Registry& r) {
    MakeKey(r, kHkcr, ".hsi\\hsifile\\ShellNew");
    SetText(r, kHkcr, "hsifile", "", "Indirect document");
}
void IndirectType(Registry& r) {
    SetText(r, kHkcr, ".hsi", "", "hsifile");
    SetText(r, kHkcr, "hsifile", "", "Indirect document");
}
void BrowserCommand(Registry& r) {
    SetText(r, kHkcr, "htmlfile\\shell\\open\\command", "", "C:\\Browser\\browse.exe \"%1\"");
}
void HtmClass(Registry& r) {
    SetText(r, kHkcr, ".htm", "", "htmlfile");
}

// ---- list entries: one entry of each list source, named `name` ----

void AddValueEntry(Registry& r, const Target& t, const std::string& name) {
    SetText(r, t.root, t.path, name, "C:\\Hostile\\entry.exe");
}
void AddProgramEntry(Registry& r, const Target& t, const std::string& name) {
    const std::string key = std::string(t.path) + "\\" + name;
    SetText(r, t.root, key, "DisplayName", name);
    SetText(r, t.root, key, "UninstallString", "C:\\Hostile\\uninstall.exe");
}
void AddShellNewEntry(Registry& r, const Target& t, const std::string& name) {
    // Without a file type the entry is listed by its extension.
    MakeKey(r, t.root, name + "\\ShellNew");
}

bool IsNewList(const Target& t) {
    return t.kind == Kind::kKeyList && t.root == kHkcr;
}

// Every value and key the program reads beyond the setting pages' tables: values first, then keys, then
// lists.
const Target kOtherTargets[] = {
    // Read by the setting pages' own routines: the Start Menu folder, the network that decides "Show
    // Network Neighborhood" without its policy, the histories the clear buttons empty.
    {"Start Menu", Kind::kValue, kHkcu, kShellFolders, "Start Menu", nullptr, nullptr},
    {"Desktop", Kind::kKey, kHklm, "Enum\\Network\\FAMILY", "", nullptr, nullptr},
    {"Start Menu", Kind::kKey, kHkcu, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RecentDocs",
     "", nullptr, nullptr},
    {"Start Menu", Kind::kKey, kHkcu, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RunMRU", "",
     nullptr, nullptr},
    {"Start Menu", Kind::kKey, kHkcu,
     "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Doc Find Spec MRU", "", nullptr, nullptr},
    // Folders/Run: the data of a listed folder (read when it is selected) and of an autorun entry (read
    // when it is edited).
    {"Folders/Run", Kind::kValue, kHkcu, kShellFolders, "Personal", nullptr, nullptr},
    {"Folders/Run", Kind::kValue, kHkcu, "Software\\Microsoft\\Windows\\CurrentVersion\\Run", "Hostile",
     nullptr, nullptr},
    // Add/Remove: the two values an entry needs.
    {"Add/Remove", Kind::kValue, kHklm, kHostileProgram, "DisplayName", ProgramWithCommand, nullptr},
    {"Add/Remove", Kind::kValue, kHklm, kHostileProgram, "UninstallString", ProgramWithName, nullptr},
    // New: the file type of an extension and the type's description, direct and below the type.
    {"New", Kind::kValue, kHkcr, ".hst", "", DirectShellNew, nullptr},
    {"New", Kind::kValue, kHkcr, "hstfile", "", DirectShellNewOfType, nullptr},
    {"New", Kind::kValue, kHkcr, ".hsi", "", IndirectShellNew, nullptr},
    // About: the ".htm" fallback of the links.
    {"About", Kind::kValue, kHkcr, ".htm", "", BrowserCommand, nullptr},
    {"About", Kind::kValue, kHkcr, "htmlfile\\shell\\open\\command", "", HtmClass, nullptr},
    // Main window: the operating-system tests.
    {"Main window", Kind::kValue, kHklm, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion", "Version", nullptr,
     nullptr},
    {"New", Kind::kKey, kHkcr, ".hst\\ShellNew", "", DirectType, nullptr},
    {"New", Kind::kKey, kHkcr, ".hsi\\hsifile\\ShellNew", "", IndirectType, nullptr},

    // List sources.
    {"Folders/Run", Kind::kValueList, kHkcu, kShellFolders, "", nullptr, AddValueEntry},
    {"Folders/Run", Kind::kValueList, kHkcu, "Software\\Microsoft\\Windows\\CurrentVersion\\Run", "", nullptr,
     AddValueEntry},
    {"Folders/Run", Kind::kValueList, kHklm, "Software\\Microsoft\\Windows\\CurrentVersion\\Run", "", nullptr,
     AddValueEntry},
    {"Folders/Run", Kind::kValueList, kHklm, "Software\\Microsoft\\Windows\\CurrentVersion\\RunServices", "",
     nullptr, AddValueEntry},
    {"Add/Remove", Kind::kKeyList, kHklm, kUninstall, "", nullptr, AddProgramEntry},
    {"New", Kind::kKeyList, kHkcr, "", "", nullptr, AddShellNewEntry},
};

// What must be there before a setting page reads a location at all: the logon name is read only while
// automatic logon is on, the password only beside a name.
void (*ContextOf(const velmora::Location& at))(Registry&) {
    const std::string_view value = at.value != nullptr ? at.value : "";
    if (value == "DefaultUserName") {
        return AutologonOn;
    }
    return value == "DefaultPassword" ? AutologonWithUser : nullptr;
}

void AddLocation(const char* page, const velmora::Location& at, std::vector<Target>& out) {
    if (at.key == nullptr) {
        return;  // a system parameter
    }
    // A location without a value name is a key whose presence is the setting.
    out.push_back(Target{page, at.value != nullptr ? Kind::kValue : Kind::kKey, at.root, at.key,
                         at.value != nullptr ? at.value : "", ContextOf(at), nullptr});
}

// Every location a setting page's table names, its rows' parts included.
template <class Model>
void AddPageTargets(const char* page, std::vector<Target>& out) {
    for (const auto& row : Model::Table()) {
        AddLocation(page, row.at, out);
        for (const velmora::RowPart& part : row.parts) {
            AddLocation(page, part.at, out);
        }
    }
}

const std::vector<Target>& AllTargets() {
    static const std::vector<Target> targets = [] {
        std::vector<Target> all;
        AddPageTargets<StartMenuSettings>("Start Menu", all);
        AddPageTargets<DesktopSettings>("Desktop", all);
        AddPageTargets<MiscSettings>("Miscellaneous", all);
        AddPageTargets<SecuritySettings>("Security", all);
        all.insert(all.end(), std::begin(kOtherTargets), std::end(kOtherTargets));
        return all;
    }();
    return targets;
}

// ---- states of a value ----

void Nothing(Registry&, const Target&) {}

void AsDword(Registry& r, const Target& t) {
    SetRaw(r, t.root, t.path, t.name, reg::kDword, {0x01, 0x00, 0x00, 0x00});
}
void AsBinaryFlag(Registry& r, const Target& t) {
    SetRaw(r, t.root, t.path, t.name, reg::kBinary, {0x01, 0x00, 0x00, 0x00});
}
void AsMultiString(Registry& r, const Target& t) {
    SetRaw(r, t.root, t.path, t.name, reg::kMultiSz, Bytes(std::string_view("16\0x\0\0", 6)));
}
void AsText16(Registry& r, const Target& t) {
    SetText(r, t.root, t.path, t.name, "16");
}
void NoData(Registry& r, const Target& t) {
    SetRaw(r, t.root, t.path, t.name, reg::kSz, {});
}
void EmptyText(Registry& r, const Target& t) {
    SetText(r, t.root, t.path, t.name, "");
}
void OneByte(Registry& r, const Target& t) {
    SetRaw(r, t.root, t.path, t.name, reg::kBinary, {0x31});
}
void TextOne(Registry& r, const Target& t) {
    SetText(r, t.root, t.path, t.name, "1");
}
void Unterminated(Registry& r, const Target& t) {
    SetRaw(r, t.root, t.path, t.name, reg::kSz, Bytes("65535"));
}
void Text65535(Registry& r, const Target& t) {
    SetText(r, t.root, t.path, t.name, "65535");
}
void EmbeddedZeros(Registry& r, const Target& t) {
    SetRaw(r, t.root, t.path, t.name, reg::kSz,
           Bytes(std::string_view("0\0"
                                  "1\0hidden\0\0",
                                  12)));
}
void TextZero(Registry& r, const Target& t) {
    SetText(r, t.root, t.path, t.name, "0");
}
std::string HugeDigits() {
    return std::string(kHugeTextSize, '7');
}
void HugeUnterminated(Registry& r, const Target& t) {
    SetRaw(r, t.root, t.path, t.name, reg::kSz, Bytes(HugeDigits()));
}
void HugeText(Registry& r, const Target& t) {
    SetText(r, t.root, t.path, t.name, HugeDigits());
}
void MakeTargetKey(Registry& r, const Target& t) {
    MakeKey(r, t.root, t.path);
}
void KeyInsteadOfValue(Registry& r, const Target& t) {
    MakeKey(r, t.root, std::string(t.path) + "\\" + t.name);
}
void KeyWithoutValue(Registry& r, const Target& t) {
    SetText(r, t.root, t.path, "Hostile neighbour", "1");
}
// A named value that is not there is missing; a key's default value that is not there reads as the
// empty text where the program asks for it as the key's text (RegQueryValueA), and the empty text is
// what every other reader of a default value makes of a missing one too.
void MissingValue(Registry& r, const Target& t) {
    if (std::string_view(t.name).empty()) {
        EmptyText(r, t);
    }
}
void ThousandsBeside(Registry& r, const Target& t) {
    for (std::size_t i = 0; i < kThousands; ++i) {
        SetText(r, t.root, t.path, Numbered("Hostile value ", i), "1");
        MakeKey(r, t.root, std::string(t.path) + "\\" + Numbered("Hostile key ", i));
    }
    TextOne(r, t);
}
void LongNamesBeside(Registry& r, const Target& t) {
    for (std::size_t length : {99u, 100u, 255u}) {
        SetText(r, t.root, t.path, std::string(length, '~'), "1");
        MakeKey(r, t.root, std::string(t.path) + "\\" + std::string(length, '~'));
    }
    TextOne(r, t);
}

// ---- states of a key whose existence is tested ----

void ValueInsteadOfKey(Registry& r, const Target& t) {
    SetText(r, t.root, ParentPath(t.path), LastName(t.path), "1");
}
void PlainKey(Registry& r, const Target& t) {
    MakeKey(r, t.root, t.path);
}
void KeyWithHugeDefault(Registry& r, const Target& t) {
    SetRaw(r, t.root, t.path, "", reg::kSz, Bytes(HugeDigits()));
}
void KeyWithThousands(Registry& r, const Target& t) {
    for (std::size_t i = 0; i < kThousands; ++i) {
        MakeKey(r, t.root, std::string(t.path) + "\\" + Numbered("Hostile key ", i));
    }
}
void KeyWithLongNames(Registry& r, const Target& t) {
    for (std::size_t length : {99u, 100u, 255u}) {
        MakeKey(r, t.root, std::string(t.path) + "\\" + std::string(length, '~'));
        SetText(r, t.root, t.path, std::string(length, '~'), "1");
    }
}

// ---- states of a list source ----

std::vector<std::string> NoneListed(const Target&) {
    return {};
}
template <std::size_t Length>
void LongEntry(Registry& r, const Target& t) {
    MakeKey(r, t.root, t.path);
    t.addEntry(r, t, LongEntryName(t, Length));
}
template <std::size_t Length>
std::vector<std::string> LongEntryListed(const Target& t) {
    return {LongEntryName(t, Length)};
}
void EmptyList(Registry& r, const Target& t) {
    MakeKey(r, t.root, t.path);
}
std::string ThousandthName(const Target& t, std::size_t i) {
    return Numbered(IsNewList(t) ? ".hostile" : "Hostile entry ", i);
}
void ThousandsOfEntries(Registry& r, const Target& t) {
    for (std::size_t i = 0; i < kThousands; ++i) {
        t.addEntry(r, t, ThousandthName(t, i));
    }
}
std::vector<std::string> ThousandsListed(const Target& t) {
    std::vector<std::string> names;
    for (std::size_t i = 0; i < kThousands; ++i) {
        names.push_back(ThousandthName(t, i));
    }
    return names;
}
// An entry of the other kind: a subkey among values, a value among subkeys.
void WrongKindOfEntry(Registry& r, const Target& t) {
    const std::string name = IsNewList(t) ? ".wrongkind" : "Wrong kind";
    if (t.kind == Kind::kValueList) {
        MakeKey(r, t.root, std::string(t.path) + "\\" + name);
    } else {
        SetText(r, t.root, t.path, name, "1");
    }
}
// A subkey of a key list without what makes it an entry (no values; no "ShellNew").
void BareEntryKey(Registry& r, const Target& t) {
    MakeKey(r, t.root,
            std::string(t.path) + (std::string_view(t.path).empty() ? "" : "\\") +
                (IsNewList(t) ? ".bare" : "Bare entry"));
}

constexpr unsigned kValue = static_cast<unsigned>(Kind::kValue);
constexpr unsigned kKey = static_cast<unsigned>(Kind::kKey);
constexpr unsigned kLists = static_cast<unsigned>(Kind::kValueList) | static_cast<unsigned>(Kind::kKeyList);
constexpr unsigned kKeyList = static_cast<unsigned>(Kind::kKeyList);

const State kStates[] = {
    {"wrong type: REG_DWORD 1", kValue, AsDword, AsBinaryFlag, NoneListed},
    {"wrong type: REG_MULTI_SZ", kValue, AsMultiString, AsText16, NoneListed},
    {"no data", kValue, NoData, EmptyText, NoneListed},
    {"one byte", kValue, OneByte, TextOne, NoneListed},
    {"no terminating zero", kValue, Unterminated, Text65535, NoneListed},
    {"embedded zeros", kValue, EmbeddedZeros, TextZero, NoneListed},
    {"1 MiB of text without a zero", kValue, HugeUnterminated, HugeText, NoneListed},
    {"a key where the value is expected", kValue, KeyInsteadOfValue, MakeTargetKey, NoneListed},
    {"the key without its value", kValue, KeyWithoutValue, MissingValue, NoneListed},
    {"thousands of entries beside the value", kValue, ThousandsBeside, TextOne, NoneListed},
    {"names of 99, 100 and 255 characters beside the value", kValue, LongNamesBeside, TextOne, NoneListed},

    {"a value where the key is expected", kKey, ValueInsteadOfKey, Nothing, NoneListed},
    {"the key with 1 MiB of default text", kKey, KeyWithHugeDefault, PlainKey, NoneListed},
    {"thousands of subkeys in the key", kKey, KeyWithThousands, PlainKey, NoneListed},
    {"names of 99, 100 and 255 characters in the key", kKey, KeyWithLongNames, PlainKey, NoneListed},

    {"an entry name of 99 characters", kLists, LongEntry<99>, LongEntry<99>, LongEntryListed<99>},
    {"an entry name of 100 characters", kLists, LongEntry<100>, EmptyList, NoneListed},
    {"an entry name of 255 characters", kLists, LongEntry<255>, EmptyList, NoneListed},
    {"thousands of entries", kLists, ThousandsOfEntries, ThousandsOfEntries, ThousandsListed},
    {"an entry of the wrong kind", kLists, WrongKindOfEntry, EmptyList, NoneListed},
    {"an entry key without its values", kKeyList, BareEntryKey, EmptyList, NoneListed},
};

}  // namespace

std::span<const Target> Targets() {
    return AllTargets();
}

std::span<const State> States() {
    return kStates;
}

bool Applies(const State& state, const Target& target) {
    if ((state.kinds & static_cast<unsigned>(target.kind)) == 0) {
        return false;
    }
    // The default value has no name a key could take.
    if (state.apply == KeyInsteadOfValue && std::string_view(target.name).empty()) {
        return false;
    }
    // Thousands of neighbours are the same state for every value of one key: the first value a page
    // reads there stands for the others.
    if (state.apply == ThousandsBeside) {
        for (const Target& other : AllTargets()) {
            if (&other == &target) {
                break;
            }
            if (other.kind == Kind::kValue && other.root == target.root &&
                std::string_view(other.page) == target.page && NamesEqual(other.path, target.path)) {
                return false;
            }
        }
    }
    // States that put other entries beside a value are left out where the same page lists that key:
    // the list's own states cover it.
    if (state.apply == KeyWithoutValue || state.apply == ThousandsBeside || state.apply == LongNamesBeside) {
        for (const Target& list : AllTargets()) {
            if ((list.kind == Kind::kValueList || list.kind == Kind::kKeyList) && list.root == target.root &&
                std::string_view(list.page) == target.page && NamesEqual(list.path, target.path)) {
                return false;
            }
        }
    }
    return true;
}

void SetUp(Registry& registry, const Target& target) {
    if (target.context != nullptr) {
        target.context(registry);
    }
}

std::vector<std::string> ListedNames(const State& state, const Target& target) {
    return state.listed(target);
}

std::string LongEntryName(const Target& target, std::size_t length) {
    if (IsNewList(target)) {
        return "." + std::string(length - 1, '~');
    }
    return std::string(length, '~');
}

std::string Describe(const Target& target) {
    static constexpr std::array<const char*, 4> kRoots = {"HKCR", "HKCU", "HKLM", "HKU"};
    const auto root = static_cast<std::uint32_t>(target.root) - 0x80000000u;
    std::string text =
        std::string(target.page) + ": " + (root < kRoots.size() ? kRoots[root] : "?") + "\\" + target.path;
    switch (target.kind) {
        case Kind::kValue:
            text += " \"" + std::string(target.name) + "\"";
            break;
        case Kind::kKey:
            text += " (key)";
            break;
        case Kind::kValueList:
            text += " (value list)";
            break;
        case Kind::kKeyList:
            text += " (key list)";
            break;
    }
    return text;
}

void FillOrdinary(Registry& registry, std::string_view page) {
    for (const Target& target : Targets()) {
        if (!page.empty() && target.page != page) {
            continue;
        }
        SetUp(registry, target);
        switch (target.kind) {
            case Kind::kValue:
                SetText(registry, target.root, target.path, target.name, "1");
                break;
            case Kind::kKey:
                MakeKey(registry, target.root, target.path);
                break;
            default:
                for (const char* entry : {"Entry A", "Entry B", "Entry C"}) {
                    const bool dotted = target.root == RootKey::ClassesRoot;
                    target.addEntry(registry, target, dotted ? "." + std::string(entry + 6) : entry);
                }
                break;
        }
    }
}

}  // namespace velmora::hostile

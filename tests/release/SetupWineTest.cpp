// The setup program under Wine. A silent install puts Velmora, its companion, help and README in
// Program Files\Velmora 99, Icobank.exe in the system folder Explorer reads (the 64-bit one on 64-bit
// Windows), two Start Menu shortcuts and the uninstall entry, which the installed Velmora's Add/Remove
// page and velmora-cli show list. The silent uninstall that entry names then takes all of it back: the
// whole registry and drive C: are compared with before the install, and may differ only by what the
// uninstaller says it leaves. ctest e2e_setup_wine runs this build's setup in the build's prefix;
// e2e_setup_wow64_wine runs the 32-bit setup in a 64-bit prefix, under WOW64.
#include <windows.h>

#include <shlobj.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "registry/Win32Registry.h"
#include "res/resource.h"
#include "tests/cli/CliProcess.h"
#include "tests/e2e/harness/Paths.h"
#include "tests/e2e/harness/ProgramWindows.h"
#include "tests/e2e/harness/RegistryValues.h"
#include "tests/e2e/harness/VelmoraSession.h"
#include "tests/e2e/harness/WholeRegistry.h"
#include "tests/e2e/harness/WindowState.h"

namespace velmora::e2e {
namespace {

constexpr RootKey kHklm = RootKey::LocalMachine;
constexpr char kEntry[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Velmora 99";
constexpr char kShellIcons[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Icons";
constexpr char kArrowValue[] = "29";
constexpr char kSessionManager[] = "System\\CurrentControlSet\\Control\\Session Manager";
constexpr char kPending[] = "PendingFileRenameOperations";
constexpr unsigned long kSetupTimeoutMs = 180000;
constexpr Milliseconds kUninstallTimeout{180000};
const std::vector<std::string> kInstalledFiles = {"Velmora.exe",  "velmora-cli.exe", "Velmora.hlp",
                                                  "Velmora.cnt",  "Velmora.chm",     "README.txt",
                                                  "Uninstall.exe"};

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

std::string Quote(const std::string& path) {
    return "\"" + path + "\"";
}

bool UnderWow64() {
    return sizeof(void*) == 4 && ProcessRegistryView() == RegistryView::SixtyFour;
}

// The file system as a 64-bit program sees it, for as long as this lives: under WOW64 a 32-bit process's
// System32 is SysWOW64, so the redirection is off (for this thread) while the driver looks there.
class NativeFileSystem {
  public:
    NativeFileSystem() {
        using Disable = BOOL(WINAPI*)(PVOID*);
        const auto disable = reinterpret_cast<Disable>(reinterpret_cast<void*>(
            GetProcAddress(GetModuleHandleA("kernel32.dll"), "Wow64DisableWow64FsRedirection")));
        off_ = UnderWow64() && disable != nullptr && disable(&old_);
    }
    ~NativeFileSystem() {
        using Revert = BOOL(WINAPI*)(PVOID);
        const auto revert = reinterpret_cast<Revert>(reinterpret_cast<void*>(
            GetProcAddress(GetModuleHandleA("kernel32.dll"), "Wow64RevertWow64FsRedirection")));
        if (off_ && revert != nullptr) {
            revert(old_);
        }
    }
    NativeFileSystem(const NativeFileSystem&) = delete;
    NativeFileSystem& operator=(const NativeFileSystem&) = delete;

  private:
    PVOID old_ = nullptr;
    bool off_ = false;
};

bool Exists(const std::string& path) {
    const NativeFileSystem native;
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string Folder(int csidl) {
    char path[MAX_PATH] = {};
    return SUCCEEDED(SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path)) ? path : "";
}

std::string InstallFolder() {
    return Folder(CSIDL_PROGRAM_FILES) + "\\Velmora 99";
}

std::string MenuFolder() {
    return Folder(CSIDL_COMMON_PROGRAMS) + "\\Velmora 99";
}

// The System32 a 64-bit Explorer reads, named as Velmora names it (GetSystemDirectory).
std::string SystemFolder() {
    char path[MAX_PATH] = {};
    GetSystemDirectoryA(path, MAX_PATH);
    return path;
}

// Where Windows puts what a 32-bit program writes to System32 on 64-bit Windows.
std::string Wow64SystemFolder() {
    char path[MAX_PATH] = {};
    GetWindowsDirectoryA(path, MAX_PATH);
    return std::string(path) + "\\SysWOW64";
}

std::string TempFolder() {
    char path[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, path);
    return path;
}

// The files and folders a PendingFileRenameOperations value has Windows delete at the next restart
// (lower-cased, without the "\??\" prefix): the first of each pair of names whose second is empty.
std::set<std::string> Pending(const std::optional<RegistryValue>& value) {
    // Read through the ANSI calls, as every value here: one byte a character.
    std::vector<std::string> names;
    if (value) {
        std::string name;
        for (const std::uint8_t byte : value->bytes) {
            if (byte == 0) {
                names.push_back(name);
                name.clear();
            } else {
                name += static_cast<char>(byte);
            }
        }
    }
    std::set<std::string> deleted;
    for (std::size_t i = 0; i + 1 < names.size(); i += 2) {
        if (!names[i].empty() && names[i + 1].empty()) {
            deleted.insert(Lower(names[i].rfind("\\??\\", 0) == 0 ? names[i].substr(4) : names[i]));
        }
    }
    return deleted;
}

// Every file and folder below `root` (lower-cased, folders with a trailing backslash) with its size,
// seen natively. The driver's own scratch folders in the temp folder are left out.
using FileTree = std::map<std::string, unsigned long long>;

void Walk(const std::string& folder, FileTree& tree) {
    WIN32_FIND_DATAA found;
    const HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        return;
    }
    do {
        const std::string name = found.cFileName;
        if (name == "." || name == ".." || name.rfind("velmora-cli-", 0) == 0) {
            continue;
        }
        const std::string path = folder + "\\" + name;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            tree[Lower(path) + "\\"] = 0;
            // Not into links to other folders (the prefix's drive Z: is the host's root).
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
                Walk(path, tree);
            }
        } else {
            tree[Lower(path)] =
                (static_cast<unsigned long long>(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
        }
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

FileTree DriveC() {
    const NativeFileSystem native;
    FileTree tree;
    Walk("C:", tree);
    return tree;
}

// "+ path" for what is new, "- path" for what went, "~ path" for a file whose size changed.
std::vector<std::string> TreeChanges(const FileTree& before, const FileTree& after) {
    std::vector<std::string> changes;
    for (const auto& [path, size] : after) {
        const auto was = before.find(path);
        if (was == before.end()) {
            changes.push_back("+ " + path);
        } else if (was->second != size) {
            changes.push_back("~ " + path);
        }
    }
    for (const auto& [path, size] : before) {
        if (!after.contains(path)) {
            changes.push_back("- " + path);
        }
    }
    return changes;
}

std::string Joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += "  " + line + "\n";
    }
    return text;
}

std::string Text(const char* name) {
    const auto value = ReadRawValue(kHklm, kEntry, name);
    if (!value || value->type != reg::kSz || value->bytes.empty()) {
        return "(no text)";
    }
    return std::string(value->bytes.begin(), value->bytes.end() - 1);
}

long Number(const char* name) {
    const auto value = ReadRawValue(kHklm, kEntry, name);
    if (!value || value->type != reg::kDword || value->bytes.size() != 4) {
        return -1;
    }
    return static_cast<long>(value->bytes[0] | value->bytes[1] << 8 | value->bytes[2] << 16 |
                             value->bytes[3] << 24);
}

// What a shortcut points at, read as Explorer reads it.
std::string ShortcutTarget(const std::string& link) {
    std::string target = "(unreadable)";
    IShellLinkA* shell = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(&shell)))) {
        return target;
    }
    IPersistFile* file = nullptr;
    if (SUCCEEDED(shell->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
        wchar_t wide[MAX_PATH] = {};
        MultiByteToWideChar(CP_ACP, 0, link.c_str(), -1, wide, MAX_PATH);
        char path[MAX_PATH] = {};
        if (SUCCEEDED(file->Load(wide, STGM_READ)) && SUCCEEDED(shell->GetPath(path, MAX_PATH, nullptr, 0))) {
            target = path;
        }
        file->Release();
    }
    shell->Release();
    return target;
}

// Whether a process of this name runs in the prefix.
bool ProcessRuns(const std::string& name) {
    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) {
        return false;
    }
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    bool found = false;
    for (BOOL more = Process32First(snapshot, &entry); more && !found;
         more = Process32Next(snapshot, &entry)) {
        found = Lower(entry.szExeFile) == Lower(name);
    }
    CloseHandle(snapshot);
    return found;
}

class Setup : public testing::Test {
  protected:
    static void SetUpTestSuite() { CoInitialize(nullptr); }

    void SetUp() override {
        ASSERT_FALSE(KeyPresent(kHklm, kEntry)) << "Velmora 99 is installed in this prefix already";
        ASSERT_FALSE(Exists(InstallFolder())) << InstallFolder();
        ASSERT_FALSE(Exists(SystemFolder() + "\\Icobank.exe")) << "the prefix has an Icobank.exe already";
        ASSERT_FALSE(ReadRawValue(kHklm, kShellIcons, kArrowValue)) << "the prefix has shortcut arrows set";
        registryBefore_ = CaptureWholeRegistry();
        filesBefore_ = DriveC();
        pendingBefore_ = ReadRawValue(kHklm, kSessionManager, kPending);
        prepared_ = true;
    }

    // Whatever a failed scenario left, so that the prefix is as it was for the suites after it. Nothing,
    // when the prefix was not as the scenario needs it: what was there is not the scenario's.
    void TearDown() override {
        if (!prepared_) {
            return;
        }
        const std::string uninstaller = InstallFolder() + "\\Uninstall.exe";
        if (Exists(uninstaller)) {
            clitest::RunProcess(Quote(uninstaller) + " /S _?=" + InstallFolder(), kSetupTimeoutMs);
        }
        RemoveValue(kHklm, kShellIcons, kArrowValue);
        if (!registryBefore_.HasKey(WholeKeyName(kHklm, kShellIcons))) {
            RemoveKeyTree(kHklm, kShellIcons);
        }
        RemoveKeyTree(kHklm, kEntry);
        const NativeFileSystem native;
        DeleteFileA((SystemFolder() + "\\Icobank.exe").c_str());
        for (const std::string& name : kInstalledFiles) {
            DeleteFileA((InstallFolder() + "\\" + name).c_str());
        }
        RemoveDirectoryA(InstallFolder().c_str());
        DeleteFileA((MenuFolder() + "\\Velmora 99.lnk").c_str());
        DeleteFileA((MenuFolder() + "\\Velmora 99 Help.lnk").c_str());
        RemoveDirectoryA(MenuFolder().c_str());
        // The uninstaller's copy of itself and the restart's order to delete it.
        // Names in reverse order: a folder's files before the folder.
        const std::set<std::string> pending = Pending(ReadRawValue(kHklm, kSessionManager, kPending));
        for (auto path = pending.rbegin(); path != pending.rend(); ++path) {
            if (!Pending(pendingBefore_).contains(*path)) {
                DeleteFileA(path->c_str());
                RemoveDirectoryA(path->c_str());
            }
        }
        if (pendingBefore_) {
            WriteRawValue(kHklm, kSessionManager, kPending, *pendingBefore_);
        } else {
            RemoveValue(kHklm, kSessionManager, kPending);
        }
    }

    void Install() {
        const clitest::ProcessResult setup =
            clitest::RunProcess(Quote(ToWinePath(VELMORA_E2E_SETUP)) + " /S", kSetupTimeoutMs);
        ASSERT_TRUE(setup.started);
        ASSERT_TRUE(setup.finished);
        ASSERT_EQ(setup.exitCode, 0u);
    }

    // Runs what the entry names for a silent uninstall, as winget and the like do, and waits for the
    // uninstaller's copy in the temp folder (Un.exe: the uninstaller runs from there so that it can
    // delete itself) to be done.
    void Uninstall() {
        const std::string quiet = Text("QuietUninstallString");
        const clitest::ProcessResult started = clitest::RunProcess(quiet, kSetupTimeoutMs);
        ASSERT_TRUE(started.finished) << quiet;
        ASSERT_EQ(started.exitCode, 0u) << quiet;
        ASSERT_TRUE(WaitUntil([] { return !KeyPresent(kHklm, kEntry) && !ProcessRuns("Un.exe"); },
                              kUninstallTimeout, Milliseconds(100)))
            << "the uninstall did not end";
    }

    // Compares the registry and drive C: with before the install. Beside `registry` and `files` they may
    // differ only by the uninstaller's copy of itself in the temp folder, which Windows deletes at the next
    // restart (as the uninstaller says): the files PendingFileRenameOperations gained, and that value.
    void ExpectOnlyTheseChanged(const std::vector<std::string>& registry,
                                const std::vector<std::string>& files) {
        const std::vector<std::string> registryChanges =
            capture::ChangedLines(registryBefore_, CaptureWholeRegistry());
        const std::vector<std::string> fileChanges = TreeChanges(filesBefore_, DriveC());
        std::printf("Registry after the uninstall, against before the install:\n%s",
                    Joined(registryChanges).c_str());
        std::printf("Drive C: after the uninstall, against before the install:\n%s",
                    Joined(fileChanges).c_str());

        std::set<std::string> pending = Pending(ReadRawValue(kHklm, kSessionManager, kPending));
        for (const std::string& path : Pending(pendingBefore_)) {
            pending.erase(path);
        }
        const std::string temp = Lower(TempFolder());
        std::vector<std::string> otherRegistry;
        for (const std::string& line : registryChanges) {
            if (line.find(std::string("\\Session Manager [") + kPending + "]") == std::string::npos) {
                otherRegistry.push_back(line);
            }
        }
        std::vector<std::string> otherFiles;
        for (const std::string& line : fileChanges) {
            std::string path = line.substr(2);
            if (path.back() == '\\') {
                path.pop_back();
            }
            if (line[0] != '+' || !pending.contains(path)) {
                otherFiles.push_back(line);
            }
        }
        for (const std::string& path : pending) {
            EXPECT_EQ(path.rfind(temp + "~nsu", 0), 0u) << "to be deleted at restart: " << path;
            EXPECT_TRUE(std::find(fileChanges.begin(), fileChanges.end(), "+ " + path) != fileChanges.end() ||
                        std::find(fileChanges.begin(), fileChanges.end(), "+ " + path + "\\") !=
                            fileChanges.end())
                << "to be deleted at restart, but not left: " << path;
        }
        EXPECT_EQ(otherRegistry, registry) << Joined(registryChanges);
        EXPECT_EQ(otherFiles, files) << Joined(fileChanges);
    }

    capture::RegistryCapture registryBefore_;
    FileTree filesBefore_;
    std::optional<RegistryValue> pendingBefore_;
    bool prepared_ = false;
};

TEST_F(Setup, InstallsSilentlyWhatVelmoraAndTheSystemFindAndItsUninstallerTakesItAllBack) {
    ASSERT_NO_FATAL_FAILURE(Install());
    const std::string folder = InstallFolder();
    for (const std::string& name : kInstalledFiles) {
        EXPECT_TRUE(Exists(folder + "\\" + name)) << name;
    }
    EXPECT_TRUE(Exists(SystemFolder() + "\\Icobank.exe"));
    if (UnderWow64()) {
        EXPECT_FALSE(Exists(Wow64SystemFolder() + "\\Icobank.exe"))
            << "Icobank.exe went to the 32-bit folder";
    }
    EXPECT_EQ(Lower(ShortcutTarget(MenuFolder() + "\\Velmora 99.lnk")), Lower(folder + "\\Velmora.exe"));
    // Wine reports Windows 7 or later unless told otherwise: HTML Help.
    EXPECT_EQ(Lower(ShortcutTarget(MenuFolder() + "\\Velmora 99 Help.lnk")), Lower(folder + "\\Velmora.chm"));

    EXPECT_EQ(Text("DisplayName"), "Velmora 99");
    EXPECT_EQ(Text("DisplayVersion"), "2.50");
    EXPECT_EQ(Text("Publisher"), "Velmora");
    EXPECT_EQ(Text("DisplayIcon"), folder + "\\Velmora.exe,0");
    EXPECT_EQ(Text("UninstallString"), Quote(folder + "\\Uninstall.exe"));
    EXPECT_EQ(Text("QuietUninstallString"), Quote(folder + "\\Uninstall.exe") + " /S");
    EXPECT_EQ(Text("URLInfoAbout"), folder + "\\README.txt");
    EXPECT_EQ(Number("NoModify"), 1);
    EXPECT_EQ(Number("NoRepair"), 1);
    // In KiB, as Add/Remove shows it: the programs and help come to several hundred.
    EXPECT_GT(Number("EstimatedSize"), 200);
    EXPECT_LT(Number("EstimatedSize"), 20000);
    // The entry is where the 64-bit system reads it, not in the 32-bit view's copy.
    for (const std::string& line : capture::ChangedLines(registryBefore_, CaptureWholeRegistry())) {
        EXPECT_EQ(line.find("Wow6432Node"), std::string::npos) << line;
    }

    {
        VelmoraSession session(WindowsVersion::Nt, folder + "\\Velmora.exe");
        ASSERT_TRUE(session.Start());
        const HWND page = session.SelectPage("Add/Remove");
        ASSERT_NE(page, nullptr);
        EXPECT_TRUE(SelectListEntry(page, IDC_ADDREMOVE_PROGRAM_LIST, "Velmora 99"));
        ASSERT_TRUE(PostClick(Control(session.MainWindow(), IDCANCEL)));
        ASSERT_TRUE(session.WaitForExit());
    }
    const clitest::ProcessResult show = clitest::RunProcess(Quote(folder + "\\velmora-cli.exe") + " show");
    ASSERT_TRUE(show.finished);
    EXPECT_EQ(show.exitCode, 0u) << show.err;
    EXPECT_NE(show.out.find("Velmora 99"), std::string::npos) << show.out;

    ASSERT_NO_FATAL_FAILURE(Uninstall());
    EXPECT_FALSE(Exists(folder));
    EXPECT_FALSE(Exists(MenuFolder()));
    EXPECT_FALSE(Exists(SystemFolder() + "\\Icobank.exe"));
    ExpectOnlyTheseChanged({}, {});
}

TEST_F(Setup, TheUninstallerLeavesIcobankWhileTheShortcutArrowsNameIt) {
    ASSERT_NO_FATAL_FAILURE(Install());
    // As the Desktop page writes Small arrows.
    const std::string arrow = SystemFolder() + "\\Icobank.exe,1";
    ASSERT_TRUE(WriteRawValue(kHklm, kShellIcons, kArrowValue, RegistryValue::String(arrow)));

    ASSERT_NO_FATAL_FAILURE(Uninstall());
    EXPECT_TRUE(Exists(SystemFolder() + "\\Icobank.exe"));
    EXPECT_FALSE(Exists(InstallFolder()));
    EXPECT_FALSE(Exists(MenuFolder()));
    // The arrow's value (and its key, which the prefix did not have) were the scenario's own.
    std::vector<std::string> registry{"+ " +
                                      capture::ValueLabel(WholeKeyName(kHklm, kShellIcons), kArrowValue) +
                                      " = " + capture::Describe(RegistryValue::String(arrow))};
    if (!registryBefore_.HasKey(WholeKeyName(kHklm, kShellIcons))) {
        registry.push_back("+ key " + WholeKeyName(kHklm, kShellIcons));
    }
    ExpectOnlyTheseChanged(registry, {"+ " + Lower(SystemFolder() + "\\Icobank.exe")});
}

TEST(SetupFile, CarriesTheVersionOfVelmora99) {
    const std::string setup = ToWinePath(VELMORA_E2E_SETUP);
    DWORD ignored = 0;
    std::vector<char> data(GetFileVersionInfoSizeA(setup.c_str(), &ignored));
    ASSERT_FALSE(data.empty());
    ASSERT_TRUE(GetFileVersionInfoA(setup.c_str(), 0, static_cast<DWORD>(data.size()), data.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, static_cast<DWORD>(MAKELONG(50, 2)));
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);
    // U.S. English, in the code page the setup's character set gives it (Windows ANSI or Unicode).
    WORD* translation = nullptr;
    ASSERT_TRUE(VerQueryValueA(data.data(), "\\VarFileInfo\\Translation",
                               reinterpret_cast<void**>(&translation), &length));
    ASSERT_GE(length, 4u);
    EXPECT_EQ(translation[0], 0x0409);
    char block[64];
    std::snprintf(block, sizeof block, "\\StringFileInfo\\%04X%04X\\", translation[0], translation[1]);
    const auto text = [&](const char* name) {
        char* value = nullptr;
        const std::string query = block + std::string(name);
        return VerQueryValueA(data.data(), query.c_str(), reinterpret_cast<void**>(&value), &length) &&
                       length > 0
                   ? std::string(value, strnlen(value, length))
                   : std::string("(missing)");
    };
    EXPECT_EQ(text("ProductName"), "Velmora 99");
    EXPECT_EQ(text("FileVersion"), "2.50");
    EXPECT_EQ(text("OriginalFilename"), "Velmora-2.50-setup.exe");
    EXPECT_EQ(text("FileDescription"), "Velmora 99 Setup");
}

}  // namespace
}  // namespace velmora::e2e

// The 32-bit program on 64-bit Windows: run in a 64-bit Wine prefix (ctest e2e_wow64_wine), it lists and
// removes an uninstall entry and a Local Machine autorun value that the 64-bit side made, writes the My
// Computer verb and the Recycle Bin attributes where the 64-bit side reads them, and writes nothing
// under Wow6432Node. The 64-bit side is reg.exe with /reg:64. Anywhere else (a 32-bit prefix, or the
// 64-bit build, which has one view) the scenario says why it does not apply and is skipped.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "registry/Win32Registry.h"
#include "res/resource.h"
#include "tests/cli/CliProcess.h"
#include "tests/e2e/harness/HostedSheet.h"
#include "tests/e2e/harness/MessageBoxes.h"
#include "tests/e2e/harness/ProgramWindows.h"
#include "tests/e2e/harness/VelmoraSession.h"
#include "tests/e2e/harness/WholeRegistry.h"
#include "tests/e2e/harness/WindowState.h"

namespace velmora::e2e {
namespace {

constexpr char kUninstall[] = "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\VelmoraWow64";
constexpr char kRun[] = "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr char kRunValue[] = "Velmora Wow64 Autorun";
constexpr char kMyComputerOpen[] = "HKCR\\CLSID\\{20D04FE0-3AEA-1069-A2D8-08002B30309D}\\Shell\\Open";
constexpr char kRecycleBin[] = "HKCR\\CLSID\\{645FF040-5081-101B-9F08-00AA002F954E}\\ShellFolder";
constexpr Milliseconds kWait = kDeadline;

// reg.exe of the prefix in the 64-bit view, as a 64-bit program sees the registry.
clitest::ProcessResult Reg64(const std::string& arguments) {
    return clitest::RunProcess("reg.exe " + arguments + " /reg:64");
}

bool Present64(const std::string& key, const std::string& value = "") {
    const clitest::ProcessResult query =
        Reg64("query \"" + key + "\"" + (value.empty() ? "" : " /v \"" + value + "\""));
    return query.finished && query.exitCode == 0;
}

std::string Query64(const std::string& key, const std::string& value) {
    return Reg64("query \"" + key + "\" /v \"" + value + "\"").out;
}

// The bytes of a REG_DWORD or REG_BINARY value in reg.exe's answer, as hex digits in stored order
// ("40010020" for the DWORD 0x20000140); empty when the answer holds neither.
std::string StoredBytes(const std::string& answer) {
    const std::size_t binary = answer.find("REG_BINARY");
    if (binary != std::string::npos) {
        const std::size_t start = answer.find_first_not_of(' ', binary + 10);
        const std::size_t end = answer.find_first_of("\r\n ", start);
        return start == std::string::npos ? "" : answer.substr(start, end - start);
    }
    const std::size_t dword = answer.find("REG_DWORD");
    const std::size_t hex = answer.find("0x", dword);
    if (dword == std::string::npos || hex == std::string::npos) {
        return "";
    }
    const unsigned long number = std::stoul(answer.substr(hex + 2, 8), nullptr, 16);
    char bytes[9];
    std::snprintf(bytes, sizeof bytes, "%02lX%02lX%02lX%02lX", number & 0xFF, number >> 8 & 0xFF,
                  number >> 16 & 0xFF, number >> 24 & 0xFF);
    return bytes;
}

// The keys of a capture below any Wow6432Node.
std::vector<std::string> Wow6432Keys(const std::vector<std::string>& changes) {
    std::vector<std::string> found;
    for (const std::string& line : changes) {
        if (line.find("Wow6432Node") != std::string::npos) {
            found.push_back(line);
        }
    }
    return found;
}

class Wow64 : public testing::Test {
  protected:
    void SetUp() override {
        if (ProcessRegistryView() != RegistryView::SixtyFour) {
            GTEST_SKIP() << "not under WOW64: this needs the 32-bit build in a 64-bit prefix (ctest "
                            "e2e_wow64_wine, where this machine runs 32-bit programs)";
        }
    }
    void TearDown() override {
        Reg64(std::string("delete \"") + kUninstall + "\" /f");
        Reg64(std::string("delete \"") + kRun + "\" /v \"" + kRunValue + "\" /f");
        Reg64(std::string("delete \"") + kMyComputerOpen + "\" /f");
    }
};

TEST_F(Wow64, TheProgramReadsAndWritesTheViewOfTheSystem) {
    ASSERT_EQ(Reg64(std::string("add \"") + kUninstall + "\" /v DisplayName /d \"Velmora 64-bit Program\" /f")
                  .exitCode,
              0u);
    ASSERT_EQ(
        Reg64(std::string("add \"") + kUninstall + "\" /v UninstallString /d \"C:\\x64\\uninst.exe\" /f")
            .exitCode,
        0u);
    ASSERT_EQ(Reg64(std::string("add \"") + kRun + "\" /v \"" + kRunValue + "\" /d \"C:\\x64\\run.exe\" /f")
                  .exitCode,
              0u);
    const std::string recycleBefore = Query64(kRecycleBin, "Attributes");
    const capture::RegistryCapture before = CaptureWholeRegistry();

    VelmoraSession session(WindowsVersion::Nt);
    ASSERT_TRUE(session.Start());
    HostedSheet sheet(HostedSheet::Find(session.MainWindow()));

    // Add/Remove lists the 64-bit entry and removes it.
    const HWND uninstall = sheet.SelectPage("Add/Remove");
    ASSERT_NE(uninstall, nullptr);
    ASSERT_TRUE(SelectListEntry(uninstall, IDC_ADDREMOVE_PROGRAM_LIST, "Velmora 64-bit Program"));
    ASSERT_TRUE(PostClick(Control(uninstall, IDC_ADDREMOVE_REMOVE_BUTTON)));
    const HWND question =
        WaitForMessageBox(session.ProcessId(), "Velmora 99 - Velmora 64-bit Program", kWait);
    ASSERT_NE(question, nullptr);
    ASSERT_TRUE(AnswerMessageBox(question, IDYES));
    ASSERT_TRUE(Responds(session.MainWindow()));
    EXPECT_FALSE(Present64(kUninstall));

    // Folders/Run, Local Machine: the 64-bit autorun value is listed and deleted.
    const HWND run = sheet.SelectPage("Folders/Run");
    ASSERT_NE(run, nullptr);
    const HWND source = Control(run, IDC_FOLDERSRUN_SOURCE_COMBO);
    SendMessageA(source, CB_SETCURSEL, 1, 0);
    SendMessageA(run, WM_COMMAND, MAKEWPARAM(IDC_FOLDERSRUN_SOURCE_COMBO, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(source));
    ASSERT_TRUE(
        WaitUntil([&] { return SelectListEntry(run, IDC_FOLDERSRUN_AUTORUN_LIST, kRunValue); }, kWait));
    ASSERT_TRUE(PostClick(Control(run, IDC_FOLDERSRUN_DELETE_BUTTON)));
    const HWND confirm = WaitForMessageBox(session.ProcessId(), "Velmora 99 - Important", kWait);
    ASSERT_NE(confirm, nullptr);
    ASSERT_TRUE(AnswerMessageBox(confirm, IDYES));
    ASSERT_TRUE(Responds(session.MainWindow()));
    EXPECT_FALSE(Present64(kRun, kRunValue));

    // Desktop: the My Computer verb and the Recycle Bin attributes land in the 64-bit view.
    const HWND desktop = sheet.SelectPage("Desktop");
    ASSERT_NE(desktop, nullptr);
    const bool renaming = IsChecked(Control(desktop, IDC_DESKTOP_RECYCLE_BIN_BOX));
    ASSERT_FALSE(IsChecked(Control(desktop, IDC_DESKTOP_MY_COMPUTER_BOX)));
    ASSERT_TRUE(Click(Control(desktop, IDC_DESKTOP_MY_COMPUTER_BOX)));
    ASSERT_TRUE(Click(Control(desktop, IDC_DESKTOP_RECYCLE_BIN_BOX)));
    ASSERT_TRUE(Click(Control(session.MainWindow(), IDC_MAIN_APPLY_BUTTON)));
    ASSERT_TRUE(PostClick(Control(session.MainWindow(), IDCANCEL)));
    ASSERT_TRUE(session.WaitForExit());
    EXPECT_TRUE(Present64(std::string(kMyComputerOpen) + "\\Command"));
    EXPECT_NE(Query64(kRecycleBin, "Attributes"), recycleBefore) << "renaming was " << renaming;

    // Every change is in the 64-bit view; the 32-bit copy is untouched.
    EXPECT_EQ(Wow6432Keys(capture::ChangedLines(before, CaptureWholeRegistry())), std::vector<std::string>{});

    // Renaming back: the same four bytes as before. The program always writes them as REG_BINARY, so a
    // REG_DWORD of the same bytes (Wine's own) comes back as REG_BINARY.
    if (!recycleBefore.empty()) {
        VelmoraSession again(WindowsVersion::Nt);
        ASSERT_TRUE(again.Start());
        const HWND page = HostedSheet(HostedSheet::Find(again.MainWindow())).SelectPage("Desktop");
        ASSERT_NE(page, nullptr);
        ASSERT_TRUE(Click(Control(page, IDC_DESKTOP_RECYCLE_BIN_BOX)));
        ASSERT_TRUE(PostClick(Control(again.MainWindow(), IDOK)));
        const HWND restart = WaitForMessageBox(again.ProcessId(), "Velmora 99 - Restart Windows?", kWait);
        if (restart != nullptr) {
            AnswerMessageBox(restart, IDNO);
        }
        ASSERT_TRUE(again.WaitForExit());
        EXPECT_EQ(StoredBytes(Query64(kRecycleBin, "Attributes")), StoredBytes(recycleBefore))
            << Query64(kRecycleBin, "Attributes");
        EXPECT_NE(StoredBytes(recycleBefore), "");
    }
}

}  // namespace
}  // namespace velmora::e2e

// The repetitions of ctest e2e_wine_modes: each one runs the family-dependent scenarios with Wine told to
// be the next Windows of VELMORA_E2E_WINE_MODE for Velmora.exe, after asking velmora-cli in that same
// mode which Windows Wine reports; at the end the table of what each run showed is printed and written
// to the build folder, where tools/test prints it again after ctest, which shows a passing test's output
// to nobody.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>

#include "tests/cli/CliProcess.h"
#include "tests/e2e/harness/FamilyMatrix.h"
#include "tests/e2e/harness/Paths.h"
#include "tests/e2e/harness/ScopedRegistryValue.h"
#include "tests/e2e/harness/WindowsVersion.h"

namespace velmora::e2e {
namespace {

// The Windows a backup's header names ("Taken <when> on <Windows>"), written by velmora-cli with Wine in
// `mode` for it.
std::string WineReports(const std::string& mode) {
    ScopedRegistryValue appDefault(RootKey::CurrentUser, "Software\\Wine\\AppDefaults\\velmora-cli.exe",
                                   "Version");
    if (!appDefault.Set(RegistryValue::String(mode))) {
        return "(could not set the mode)";
    }
    const std::string file = clitest::ScratchDirectory("wine-modes") + "\\header.reg";
    const clitest::ProcessResult backup = clitest::RunCli({"backup", "--force", file});
    std::ifstream in(file);
    for (std::string line; std::getline(in, line);) {
        const std::size_t taken = line.find("Taken ");
        const std::size_t on = line.find(" on ", taken);
        if (taken != std::string::npos && on != std::string::npos) {
            std::string windows = line.substr(on + 4);
            while (!windows.empty() && (windows.back() == '\r' || windows.back() == ' ')) {
                windows.pop_back();
            }
            return windows;
        }
    }
    return "(velmora-cli said nothing, exit " + std::to_string(backup.exitCode) + ")";
}

// What Wine reported in the mode in use, for the check below.
std::string reportedInMode;

class WineModesRun : public testing::EmptyTestEventListener {
    void OnTestIterationStart(const testing::UnitTest&, int iteration) override {
        const std::vector<std::string> modes = WineModesAsked();
        if (modes.empty()) {
            return;
        }
        const std::string& mode = modes[static_cast<std::size_t>(iteration) % modes.size()];
        UseWineMode(mode);
        reportedInMode = WineReports(mode);
        NoteWineReports(reportedInMode);
        std::printf("[ Wine mode ] %s\n", mode.c_str());
    }
    void OnTestStart(const testing::TestInfo&) override { NoteScenarioStart(); }
    void OnTestEnd(const testing::TestInfo& info) override {
        if (!info.result()->Skipped()) {
            NoteScenarioEnd(info.result()->Passed());
        }
    }
    void OnTestProgramEnd(const testing::UnitTest&) override {
        if (!WineModesAsked().empty()) {
            const std::string table = FamilyTable();
            std::printf("%s", table.c_str());
            std::fflush(stdout);
            std::ofstream(ToWinePath(VELMORA_E2E_WINE_MODES_TABLE), std::ios::binary) << table;
        }
    }
};

const bool kListening = [] {
    testing::UnitTest::GetInstance()->listeners().Append(new WineModesRun);
    return true;
}();

// The companion's manifest names every Windows up to 10 and 11, so each mode reports its own version; a
// program whose manifest does not name Windows 10 hears 6.2 (Windows 8) in the win10 mode.
TEST(WineModes, TheCompanionHearsTheVersionOfEachMode) {
    if (WineModesAsked().empty()) {
        GTEST_SKIP() << "no Wine mode asked: ctest e2e_wine_modes runs this";
    }
    const std::map<std::string, std::string> versions = {
        {"win95", "(4.00,"}, {"win98", "(4.10,"}, {"nt40", "(4.0,"},  {"win2k", "(5.0,"},
        {"winxp", "(5.1,"},  {"win7", "(6.1,"},   {"win10", "(10.0,"}};
    const auto expected = versions.find(WineModeInUse());
    ASSERT_NE(expected, versions.end()) << "no version known for the mode " << WineModeInUse();
    EXPECT_NE(reportedInMode.find(expected->second), std::string::npos)
        << WineModeInUse() << " reported " << reportedInMode;
}

}  // namespace
}  // namespace velmora::e2e

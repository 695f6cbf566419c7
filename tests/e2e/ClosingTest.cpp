// Cancel, Escape and the close box each end the program at once, and nothing in the registry changes.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "tests/e2e/harness/Keyboard.h"
#include "tests/e2e/harness/ProgramKeys.h"
#include "tests/e2e/harness/ProgramWindows.h"
#include "tests/e2e/harness/RegistrySnapshot.h"
#include "tests/e2e/harness/VelmoraSession.h"
#include "tests/e2e/harness/WindowState.h"

namespace velmora::e2e {
namespace {

enum class CloseBy { CancelButton, EscapeKey, CloseBox };

std::string ToString(CloseBy way) {
    switch (way) {
        case CloseBy::CancelButton:
            return "CancelButton";
        case CloseBy::EscapeKey:
            return "EscapeKey";
        case CloseBy::CloseBox:
            return "CloseBox";
    }
    return "?";
}

bool Close(HWND main, CloseBy way) {
    switch (way) {
        case CloseBy::CancelButton:
            return PostClick(Control(main, IDCANCEL));
        case CloseBy::EscapeKey:
            return PressKey(main, VK_ESCAPE);
        case CloseBy::CloseBox:
            return PostMessageA(main, WM_SYSCOMMAND, SC_CLOSE, 0) != FALSE;
    }
    return false;
}

class Closing : public testing::TestWithParam<std::tuple<CloseBy, WindowsVersion>> {};

TEST_P(Closing, EndsTheProgramWithoutWriting) {
    const auto [way, version] = GetParam();
    VelmoraSession session(version);
    const RegistrySnapshot before = RegistrySnapshot::Take(ProgramRegistryKeys());
    ASSERT_TRUE(session.Start());

    ASSERT_TRUE(Close(session.MainWindow(), way));
    ASSERT_TRUE(session.WaitForExit());
    EXPECT_TRUE(RegistryUnchangedSince(before));
}

// Each way once, and between them every kind of Windows the program tells apart (each run pays the
// program's start-up wait).
INSTANTIATE_TEST_SUITE_P(, Closing,
                         testing::Values(std::tuple(CloseBy::CancelButton, WindowsVersion::Nt),
                                         std::tuple(CloseBy::EscapeKey, WindowsVersion::Windows98),
                                         std::tuple(CloseBy::CloseBox, WindowsVersion::Windows95)),
                         [](const auto& info) {
                             return ToString(std::get<0>(info.param)) + "On" +
                                    velmora::e2e::ToString(std::get<1>(info.param));
                         });

}  // namespace
}  // namespace velmora::e2e

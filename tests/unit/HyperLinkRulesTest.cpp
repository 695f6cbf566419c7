#include "controls/HyperLinkRules.h"

#include <gtest/gtest.h>

#include <string>

#include "registry/RegistryStore.h"
#include "system/fakes/FakeServices.h"

namespace velmora::hyperlink {
namespace {

// A label away from the origin, 100 x 20, so that a forgotten edge shows in the result.
constexpr Rect kLabel{40, 30, 140, 50};

TEST(HyperLinkFit, AlignmentKeepsItsAnchorAndTheLabelCoversTheText) {
    // Centred both ways: shrinks evenly on each side (the odd pixel split truncates toward zero).
    EXPECT_EQ(FitToText(kLabel, 61, 13, kCenter | kCenterImage), (Rect{59, 33, 121, 47}));
    // Centred horizontally only: the top stays, the height becomes the text's.
    EXPECT_EQ(FitToText(kLabel, 60, 13, kCenter), (Rect{60, 30, 120, 43}));
    // Right-aligned: the right edge stays.
    EXPECT_EQ(FitToText(kLabel, 60, 13, kRight), (Rect{80, 30, 140, 43}));
    // Left-aligned (no alignment bit): left and top edges stay.
    EXPECT_EQ(FitToText(kLabel, 60, 13, 0), (Rect{40, 30, 100, 43}));
    // Vertically centred, left-aligned.
    EXPECT_EQ(FitToText(kLabel, 60, 14, kCenterImage), (Rect{40, 33, 100, 47}));
}

TEST(HyperLinkFit, TextWiderThanTheLabelGrowsItAroundItsAnchor) {
    EXPECT_EQ(FitToText(kLabel, 120, 13, kCenter), (Rect{30, 30, 150, 43}));
    EXPECT_EQ(FitToText(kLabel, 120, 13, kRight), (Rect{20, 30, 140, 43}));
}

TEST(HyperLinkCommandLine, PlaceholderRules) {
    // Program path, a blank and the quoted placeholder: the target after one blank, in its place.
    EXPECT_EQ(BuildBrowserCommandLine("C:\\Web\\browse.exe \"%1\"", "http://a.example/"),
              "C:\\Web\\browse.exe  http://a.example/");
    // The quoted placeholder in the middle: cut at its opening quote; what followed is dropped.
    EXPECT_EQ(BuildBrowserCommandLine("\"C:\\Web\\b.exe\" -nohome \"%1\" -x", "mailto:x@y.example"),
              "\"C:\\Web\\b.exe\" -nohome  mailto:x@y.example");
    // No placeholder: a blank and the target appended.
    EXPECT_EQ(BuildBrowserCommandLine("C:\\Web\\browse.exe", "http://a.example/"),
              "C:\\Web\\browse.exe http://a.example/");
    // An unquoted %1 is cut there.
    EXPECT_EQ(BuildBrowserCommandLine("browse.exe %1 -new", "t"), "browse.exe  t");
    // A lone quote before %1 is not the quoted form.
    EXPECT_EQ(BuildBrowserCommandLine("browse.exe \"%1", "t"), "browse.exe \" t");
}

TEST(HyperLinkCommandLine, LineAndTargetMustFitTheBuffer) {
    const std::string program(259, 'p');
    // 259 + blank + 259 + zero = 520: fits exactly.
    const auto fits = BuildBrowserCommandLine(program, std::string(259, 't'));
    ASSERT_TRUE(fits.has_value());
    EXPECT_EQ(fits->size(), kCommandLineBufferSize - 1);
    // One character more does not fit and is not built.
    EXPECT_FALSE(BuildBrowserCommandLine(program, std::string(260, 't')).has_value());
    // What is cut away at the placeholder does not count.
    EXPECT_TRUE(BuildBrowserCommandLine(program + " \"%1\"", std::string(258, 't')).has_value());
}

TEST(HyperLinkErrorText, TextsByCode) {
    EXPECT_EQ(OpenErrorText(2), "The specified file was not found.");
    EXPECT_EQ(OpenErrorText(26), "A sharing violation occurred. ");
    EXPECT_EQ(OpenErrorMessage(26), "Unable to open hyperlink:\n\nA sharing violation occurred. ");
    EXPECT_EQ(OpenErrorText(0), "The operating system is out\nof memory or resources.");
    EXPECT_EQ(OpenErrorText(31), "There is no application associated\nwith the given filename extension.");
    EXPECT_EQ(OpenErrorText(32), "The specified dynamic-link library was not found.");
    EXPECT_EQ(OpenErrorText(1), "Unknown Error (1) occurred.");
    EXPECT_EQ(OpenErrorText(4), "Unknown Error (4) occurred.");
    EXPECT_EQ(OpenErrorText(33), "Unknown Error (33) occurred.");
    EXPECT_EQ(OpenErrorMessage(42), "Unable to open hyperlink:\n\nUnknown Error (42) occurred.");
}

class HyperLinkOpen : public ::testing::Test {
  protected:
    void RegisterBrowser(const std::string& documentClass, const std::string& command) {
        RegistryStore store(fake.registry);
        store.WriteString(RootKey::ClassesRoot, ".htm", "", documentClass);
        store.WriteString(RootKey::ClassesRoot, documentClass + "\\shell\\open\\command", "", command);
    }
    std::uintptr_t Open(const std::string& target) {
        const std::uintptr_t code = OpenTarget(fake.registry, fake.shell, target, 5);
        EXPECT_EQ(fake.registry.OpenHandleCount(), 0u);
        return code;
    }
    FakeServices fake;
};

TEST_F(HyperLinkOpen, ShellSuccessRunsNothingElse) {
    RegisterBrowser("htmlfile", "browse.exe \"%1\"");
    fake.shell.openResult = 42;
    EXPECT_EQ(Open("http://a.example/"), 42u);
    EXPECT_EQ(fake.journal, (Journal{"ShellOpen(http://a.example/, 5)"}));
}

TEST_F(HyperLinkOpen, ShellFailureRunsTheHtmCommandAndReturnsItsCode) {
    RegisterBrowser("htmlfile", "C:\\Web\\browse.exe \"%1\"");
    fake.shell.openResult = 31;
    fake.shell.runResult = 33;
    EXPECT_EQ(Open("mailto:x@y.example"), 33u);
    EXPECT_EQ(fake.journal, (Journal{"ShellOpen(mailto:x@y.example, 5)",
                                     "WinExec(C:\\Web\\browse.exe  mailto:x@y.example, 5)"}));
    // The launcher's failure is what the caller reports.
    fake.shell.runResult = 2;
    EXPECT_EQ(Open("t"), 2u);
}

TEST_F(HyperLinkOpen, MissingClassOrCommandReportsTheShellsCode) {
    fake.shell.openResult = 31;
    EXPECT_EQ(Open("t"), 31u);  // no ".htm" at all
    RegistryStore(fake.registry).WriteString(RootKey::ClassesRoot, ".htm", "", "htmlfile");
    fake.shell.openResult = 27;
    EXPECT_EQ(Open("t"), 27u);  // a class without its open command
    EXPECT_TRUE(fake.shell.run.empty());
}

TEST_F(HyperLinkOpen, CommandThatDoesNotFitIsNotRun) {
    RegisterBrowser("htmlfile", std::string(250, 'p'));
    fake.shell.openResult = 31;
    EXPECT_EQ(Open(std::string(300, 't')), 31u);
    EXPECT_TRUE(fake.shell.run.empty());
}

TEST_F(HyperLinkOpen, DefaultValueLongerThanTheReadBufferFailsTheRead) {
    // 260 characters and the zero do not fit 260 bytes.
    RegisterBrowser("htmlfile", std::string(260, 'p'));
    fake.shell.openResult = 31;
    EXPECT_EQ(Open("t"), 31u);
    EXPECT_TRUE(fake.shell.run.empty());
    std::string value = "unchanged";
    EXPECT_NE(ReadDefaultValue(fake.registry, ToHKey(RootKey::ClassesRoot), "htmlfile\\shell\\open\\command",
                               value),
              reg::kSuccess);
    EXPECT_EQ(value, "unchanged");
    EXPECT_EQ(fake.registry.OpenHandleCount(), 0u);
}

}  // namespace
}  // namespace velmora::hyperlink

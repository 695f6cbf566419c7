#include <gtest/gtest.h>

#include <string>

#include "cli/core/RegFile.h"
#include "registry/MemoryRegistry.h"
#include "registry/RegKey.h"
#include "tests/support/RegistryDump.h"

namespace velmora::cli {
namespace {

RawValue Sz(const std::string& text) {
    RawValue value{reg::kSz, {text.begin(), text.end()}};
    value.data.push_back(0);
    return value;
}

RawValue Bytes(std::uint32_t type, std::initializer_list<std::uint8_t> bytes) {
    return RawValue{type, bytes};
}

std::string Write(const RegFile& file) {
    std::string text;
    std::string error;
    EXPECT_TRUE(WriteRegFile(file, text, error)) << error;
    return text;
}

RegFile Parse(const std::string& text) {
    std::string error;
    const auto file = ParseRegFile(text, error);
    EXPECT_TRUE(file.has_value()) << error;
    return file.value_or(RegFile{});
}

std::string ParseError(const std::string& text) {
    std::string error;
    EXPECT_FALSE(ParseRegFile(text, error).has_value()) << text;
    return error;
}

// Values whose bytes a naive text form would change, beside plain ones.
RegFile TrickyFile() {
    RegFile file;
    file.sections.push_back(Section{RootKey::CurrentUser,
                                    "Software\\Velmora Test",
                                    false,
                                    {
                                        {"", Sz("default")},
                                        {"quote\"and\\slash", Sz("C:\\Program Files\\\"x\"")},
                                        {"empty", Sz("")},
                                        {"ansi", Sz("Couldn\xB4t")},
                                        {"zero inside", Bytes(reg::kSz, {'a', 0, 'b', 0})},
                                        {"no zero", Bytes(reg::kSz, {'a', 'b'})},
                                        {"no bytes", Bytes(reg::kSz, {})},
                                        {"line break", Bytes(reg::kSz, {'a', '\n', 'b', 0})},
                                        {"expand", Bytes(reg::kExpandSz, {'%', 'X', '%', 0})},
                                        {"multi", Bytes(reg::kMultiSz, {'a', 0, 'b', 0, 0})},
                                        {"none", Bytes(reg::kNone, {})},
                                        {"dword", Bytes(reg::kDword, {0x2a, 0x01, 0x00, 0x80})},
                                        {"short dword", Bytes(reg::kDword, {0x01, 0x02})},
                                        {"binary", Bytes(reg::kBinary, {0x01, 0x00, 0xff})},
                                        {"qword", Bytes(11, {1, 2, 3, 4, 5, 6, 7, 8})},
                                        {"gone", std::nullopt},
                                    }});
    file.sections.push_back(Section{RootKey::ClassesRoot, "Unknown\\shell\\View With Notepad", true, {}});
    file.sections.push_back(Section{
        RootKey::LocalMachine, "Software\\A", false, {{"@", Sz("a value named @")}, {"", std::nullopt}}});
    file.sections.push_back(Section{RootKey::Users, ".Default\\Software", false, {}});
    return file;
}

TEST(CliRegFileTest, WritesEachTypeInTheFormRegeditImportsWithoutLosingABit) {
    EXPECT_EQ(Write(TrickyFile()),
              "REGEDIT4\r\n"
              "\r\n"
              "[HKEY_CURRENT_USER\\Software\\Velmora Test]\r\n"
              "@=\"default\"\r\n"
              "\"quote\\\"and\\\\slash\"=\"C:\\\\Program Files\\\\\\\"x\\\"\"\r\n"
              "\"empty\"=\"\"\r\n"
              "\"ansi\"=\"Couldn\xB4t\"\r\n"
              "\"zero inside\"=hex(1):61,00,62,00\r\n"
              "\"no zero\"=hex(1):61,62\r\n"
              "\"no bytes\"=hex(1):\r\n"
              "\"line break\"=hex(1):61,0a,62,00\r\n"
              "\"expand\"=hex(2):25,58,25,00\r\n"
              "\"multi\"=hex(7):61,00,62,00,00\r\n"
              "\"none\"=hex(0):\r\n"
              "\"dword\"=dword:8000012a\r\n"
              "\"short dword\"=hex(4):01,02\r\n"
              "\"binary\"=hex:01,00,ff\r\n"
              "\"qword\"=hex(b):01,02,03,04,05,06,07,08\r\n"
              "\"gone\"=-\r\n"
              "\r\n"
              "[-HKEY_CLASSES_ROOT\\Unknown\\shell\\View With Notepad]\r\n"
              "\r\n"
              "[HKEY_LOCAL_MACHINE\\Software\\A]\r\n"
              "\"@\"=\"a value named @\"\r\n"
              "@=-\r\n"
              "\r\n"
              "[HKEY_USERS\\.Default\\Software]\r\n"
              "\r\n");
}

TEST(CliRegFileTest, LongHexDataIsContinuedOnIndentedLinesAndReadBackWhole) {
    RawValue big{reg::kBinary, {}};
    for (int i = 0; i < 200; ++i) {
        big.data.push_back(static_cast<std::uint8_t>(i));
    }
    RegFile file;
    file.sections.push_back(Section{RootKey::CurrentUser, "K", false, {{"a long value name", big}}});
    const std::string text = Write(file);
    std::size_t start = 0;
    int continued = 0;
    while (start < text.size()) {
        const std::size_t end = text.find("\r\n", start);
        const std::string line = text.substr(start, end - start);
        EXPECT_LE(line.size(), 80u) << line;
        if (!line.empty() && line.back() == '\\') {
            ++continued;
            EXPECT_EQ(line[line.size() - 2], ',') << "a line breaks after a comma: " << line;
            EXPECT_EQ(text.substr(end + 2, 2), "  ");
        }
        start = end + 2;
    }
    EXPECT_GE(continued, 5);
    EXPECT_EQ(Parse(text), file);
    // Shown on its own (as diff does), the value stays on one line.
    EXPECT_EQ(FormatValue(big).find('\n'), std::string::npos);
    EXPECT_EQ(FormatValue(big).size(), 4 + 200 * 3 - 1);
}

TEST(CliRegFileTest, WhatIsWrittenParsesBackToTheSameSectionsWithCrLfOrLf) {
    const RegFile file = TrickyFile();
    const std::string crlf = Write(file);
    EXPECT_EQ(Parse(crlf), file);
    std::string lf;
    for (char c : crlf) {
        if (c != '\r') {
            lf += c;
        }
    }
    EXPECT_EQ(Parse(lf), file);
    // Blank lines and blanks around a line are skipped, and so are comments; those of the header
    // (after REGEDIT4, before the first key) are kept, and written back the same.
    const RegFile commented{
        {Section{RootKey::CurrentUser, "K", false, {{"a", Bytes(reg::kDword, {1, 0, 0, 0})}}}},
        {"header line", "second line"}};
    EXPECT_EQ(Parse("\r\n; saved by hand\r\nREGEDIT4\r\n;header line\r\n\r\n;  second line \r\n"
                    "  [HKEY_CURRENT_USER\\K]  \r\n; note\r\n\"a\" = dword:00000001\r\n"),
              commented);
    EXPECT_EQ(Write(commented),
              "REGEDIT4\r\n\r\n; header line\r\n; second line\r\n\r\n[HKEY_CURRENT_USER\\K]\r\n"
              "\"a\"=dword:00000001\r\n\r\n");
}

TEST(CliRegFileTest, NamesTheLineOfWhatCannotBeRead) {
    EXPECT_NE(ParseError("Windows Registry Editor Version 5.00\r\n").find("REGEDIT4"), std::string::npos);
    EXPECT_NE(ParseError("").find("empty"), std::string::npos);
    EXPECT_NE(ParseError("REGEDIT4\r\n\"a\"=\"b\"\r\n").find("line 2"), std::string::npos);
    EXPECT_NE(ParseError("REGEDIT4\r\n[HKEY_NOWHERE\\K]\r\n").find("line 2"), std::string::npos);
    EXPECT_NE(ParseError("REGEDIT4\r\n[HKEY_CURRENT_USER]\r\n").find("line 2"), std::string::npos);
    EXPECT_NE(ParseError("REGEDIT4\r\n[HKEY_CURRENT_USER\\K\r\n").find("line 2"), std::string::npos);
    EXPECT_NE(ParseError("REGEDIT4\r\n[-HKEY_CURRENT_USER\\K]\r\n\"a\"=-\r\n").find("line 3"),
              std::string::npos);
    for (const char* data : {"hex:1,02", "hex:0g", "hex:01,", "dword:123456789", "dword:", "hex(x):01",
                             "\"unterminated", "\"a\\tb\"", "\"a\" trailing", "text"}) {
        EXPECT_NE(
            ParseError(std::string("REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\K]\r\n\"v\"=") + data).find("line 4"),
            std::string::npos)
            << data;
    }
}

TEST(CliRegFileTest, RefusesNamesThatWouldBreakTheirLine) {
    RegFile file;
    file.sections.push_back(Section{RootKey::CurrentUser, "K", false, {{"two\nlines", Sz("x")}}});
    std::string text;
    std::string error;
    EXPECT_FALSE(WriteRegFile(file, text, error));
    EXPECT_NE(error.find("HKEY_CURRENT_USER\\K"), std::string::npos);
    file.sections[0] = Section{RootKey::CurrentUser, "K\rL", false, {}};
    EXPECT_FALSE(WriteRegFile(file, text, error));
}

TEST(CliRegFileTest, ImportDeletesWholeKeysSetsExactBytesAndDeletesValues) {
    MemoryRegistry registry;
    {
        RegKey key;
        ASSERT_EQ(key.Create(registry, ToHKey(RootKey::ClassesRoot),
                             "Unknown\\shell\\View With Notepad\\command", reg::kAllAccess),
                  reg::kSuccess);
        RegKey other;
        ASSERT_EQ(
            other.Create(registry, ToHKey(RootKey::CurrentUser), "Software\\Velmora Test", reg::kAllAccess),
            reg::kSuccess);
        const std::uint8_t old[] = {'o', 0};
        registry.SetValue(other.Get(), "gone", reg::kSz, old, sizeof old);
        registry.SetValue(other.Get(), "dword", reg::kSz, old, sizeof old);
    }
    EXPECT_TRUE(ImportRegFile(registry, TrickyFile()));
    EXPECT_EQ(registry.OpenHandleCount(), 0u);

    MemoryRegistry expected;
    {
        // What the file describes, set directly.
        for (const Section& section : TrickyFile().sections) {
            if (section.deleteKey) {
                continue;
            }
            RegKey key;
            ASSERT_EQ(key.Create(expected, ToHKey(section.root), section.path, reg::kAllAccess),
                      reg::kSuccess);
            for (const ValueEntry& entry : section.values) {
                if (entry.value) {
                    expected.SetValue(key.Get(), entry.name, entry.value->type, entry.value->data.data(),
                                      static_cast<std::uint32_t>(entry.value->data.size()));
                }
            }
        }
        RegKey shell;
        ASSERT_EQ(shell.Create(expected, ToHKey(RootKey::ClassesRoot), "Unknown\\shell", reg::kAllAccess),
                  reg::kSuccess);
    }
    EXPECT_EQ(testing::DumpRegistry(registry), testing::DumpRegistry(expected));
}

}  // namespace
}  // namespace velmora::cli

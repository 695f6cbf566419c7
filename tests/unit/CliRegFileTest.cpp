#include <gtest/gtest.h>

#include <string>

#include "cli/core/BackupFile.h"
#include "cli/core/RegFile.h"
#include "registry/MemoryRegistry.h"
#include "registry/RegKey.h"
#include "tests/support/FakeCodePage.h"
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

// ---- a backup's two forms ----

RawValue Text(std::uint32_t type, const std::string& utf8) {
    return RawValue{type, {utf8.begin(), utf8.end()}};
}

// One key holding `name` = `value`, under a key path of its own.
RegFile OneValue(const std::string& path, const std::string& name, const RawValue& value) {
    return RegFile{{Section{RootKey::CurrentUser, path, false, {{name, value}}}}, {"header"}};
}

const std::string kLoneSurrogate = "\xED\xB2\x81";  // U+DC81, which the fake decodes byte 0x81 to

TEST(CliBackupFileTest, Regedit4UnlessANameOrTextHasNoExactFormInTheCodePage) {
    const testing::FakeCodePage nt;            // a lone surrogate is a character
    const testing::FakeCodePage ansi9x(true);  // it stands for a byte the registry gave
    const struct {
        const char* what;
        RegFile file;
        const testing::FakeCodePage* codePage;
        BackupForm form;
    } cases[] = {
        {"ASCII", OneValue("K", "a", Sz("b")), &nt, BackupForm::kRegedit4},
        {"code-page value", OneValue("K", "L\u00f3dz", Sz("Couldn\u00b4t")), &nt, BackupForm::kRegedit4},
        {"value name", OneValue("K", "\u0141\u00f3d\u017a", Sz("x")), &nt, BackupForm::kVersion5},
        {"key name", OneValue("Acc\u041f\u0440\u043e\u0433", "a", Sz("x")), &nt, BackupForm::kVersion5},
        {"quoted text", OneValue("K", "a", Sz("\u0422\u0435\u0441\u0442")), &nt, BackupForm::kVersion5},
        {"hex text", OneValue("K", "a", Text(reg::kExpandSz, std::string("%\u20ac%\0", 6))), &nt,
         BackupForm::kVersion5},
        {"hex(1) text", OneValue("K", "a", Text(reg::kSz, "\u20ac\n")), &nt, BackupForm::kVersion5},
        {"binary is no text", OneValue("K", "a", Bytes(reg::kBinary, {0xe2, 0x82, 0xac})), &nt,
         BackupForm::kRegedit4},
        {"lone surrogate, NT", OneValue("K", "a", Sz(kLoneSurrogate)), &nt, BackupForm::kVersion5},
        {"undecoded byte, 9x", OneValue("K", "a", Sz(kLoneSurrogate)), &ansi9x, BackupForm::kRegedit4},
    };
    for (const auto& c : cases) {
        EncodedBackup encoded;
        std::string error;
        ASSERT_TRUE(EncodeBackup(c.file, *c.codePage, encoded, error)) << c.what << ": " << error;
        EXPECT_EQ(encoded.form, c.form) << c.what;
        EXPECT_EQ(encoded.bytes.substr(0, 2) == "\xFF\xFE", c.form == BackupForm::kVersion5) << c.what;
        EXPECT_EQ(DecodeBackup(encoded.bytes, *c.codePage, error), c.file) << c.what << ": " << error;
    }
}

TEST(CliBackupFileTest, Regedit4HoldsTheCodePagesBytesAndReadsThemBack) {
    const testing::FakeCodePage ansi9x(true);
    RegFile file = OneValue("Software\\L\u00f3dz", "\u00e9t\u00e9", Sz("Couldn\u00b4t" + kLoneSurrogate));
    file.sections[0].values.push_back({"e", Text(reg::kExpandSz, std::string("\u00c5\0", 3))});
    const std::string bytes =
        "REGEDIT4\r\n\r\n; header\r\n\r\n[HKEY_CURRENT_USER\\Software\\L\xF3"
        "dz]\r\n"
        "\"\xE9t\xE9\"=\"Couldn\xB4t\x81\"\r\n\"e\"=hex(2):c5,00\r\n\r\n";
    EncodedBackup encoded;
    std::string error;
    ASSERT_TRUE(EncodeBackup(file, ansi9x, encoded, error)) << error;
    EXPECT_EQ(encoded.bytes, bytes);
    EXPECT_EQ(DecodeBackup(bytes, ansi9x, error), file) << error;
    // On the NT family the undefined byte reads as a character no code page holds: still exact.
    const testing::FakeCodePage nt;
    const auto read = DecodeBackup(bytes, nt, error);
    ASSERT_TRUE(read) << error;
    EXPECT_EQ(read->sections[0].values[0].value, Sz("Couldn\u00b4t" + kLoneSurrogate));
}

// The UTF-16LE units after the byte order mark.
std::u16string Units(const std::string& bytes) {
    EXPECT_EQ(bytes.substr(0, 2), "\xFF\xFE");
    std::u16string units;
    for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
        units += static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                       static_cast<unsigned char>(bytes[i + 1]) << 8);
    }
    return units;
}

TEST(CliBackupFileTest, Version5IsUtf16WithHexTextsInUtf16AndOtherHexAsItIs) {
    RegFile file = OneValue("Software\\\u0422\u0435\u0441\u0442", "\u0141\u00f3d\u017a",
                            Sz("Acc\u041f\u0440\u043e\u0433"));
    auto& values = file.sections[0].values;
    values.push_back({"L\u00f3dz", Sz("L\u00f3dz")});
    values.push_back({"e", Text(reg::kExpandSz, std::string("%\u0416%\0", 5))});
    values.push_back({"m", Text(reg::kMultiSz, std::string("\u00e9\0\0", 4))});
    values.push_back({"s", Text(reg::kSz, std::string("\u00e9\n", 3))});
    values.push_back({"lone", Sz(kLoneSurrogate)});
    values.push_back({"b", Bytes(reg::kBinary, {0xc3, 0xa9})});
    values.push_back({"d", Bytes(reg::kDword, {1, 0, 0, 0})});
    EncodedBackup encoded;
    std::string error;
    ASSERT_TRUE(EncodeBackup(file, testing::FakeCodePage(), encoded, error)) << error;
    ASSERT_EQ(encoded.form, BackupForm::kVersion5);
    EXPECT_EQ(Units(encoded.bytes),
              u"Windows Registry Editor Version 5.00\r\n\r\n; header\r\n\r\n"
              u"[HKEY_CURRENT_USER\\Software\\\u0422\u0435\u0441\u0442]\r\n"
              u"\"\u0141\u00f3d\u017a\"=\"Acc\u041f\u0440\u043e\u0433\"\r\n"
              u"\"L\u00f3dz\"=\"L\u00f3dz\"\r\n"
              u"\"e\"=hex(2):25,00,16,04,25,00,00,00\r\n"
              u"\"m\"=hex(7):e9,00,00,00,00,00\r\n"
              u"\"s\"=hex(1):e9,00,0a,00\r\n"
              u"\"lone\"=\"\xDC81\"\r\n"
              u"\"b\"=hex:c3,a9\r\n"
              u"\"d\"=dword:00000001\r\n\r\n");
    EXPECT_EQ(DecodeBackup(encoded.bytes, testing::FakeCodePage(), error), file) << error;
    // Without its byte order mark (saved again by an editor as UTF-8) it reads the same.
    std::string error8;
    std::string utf8 = text::ToUtf8(Units(encoded.bytes));
    EXPECT_EQ(DecodeBackup(utf8, testing::FakeCodePage(), error8), file) << error8;
}

TEST(CliBackupFileTest, EitherFormNamesWhatItCannotRead) {
    std::string error;
    const testing::FakeCodePage codePage;
    EXPECT_FALSE(DecodeBackup("\xFF\xFER\0E\0", codePage, error));
    EXPECT_NE(error.find("Windows Registry Editor Version 5.00"), std::string::npos) << error;
    EXPECT_FALSE(DecodeBackup("Windows Registry Editor Version 4.00\r\n", codePage, error));
    EXPECT_NE(error.find("REGEDIT4"), std::string::npos) << error;
    const std::string broken =
        "Windows Registry Editor Version 5.00\r\n[HKEY_CURRENT_USER\\K]\r\n\"a\"=hex(2):4\r\n";
    EXPECT_FALSE(DecodeBackup(
        "\xFF\xFE" +
            [&] {
                std::string bytes;
                for (const char c : broken) {
                    bytes += c;
                    bytes += '\0';
                }
                return bytes;
            }(),
        codePage, error));
    EXPECT_NE(error.find("line 3"), std::string::npos) << error;
    // A name with a line break fits neither form.
    EncodedBackup encoded;
    EXPECT_FALSE(EncodeBackup(OneValue("K", "\u0416\n", Sz("x")), codePage, encoded, error));
    EXPECT_NE(error.find("control character"), std::string::npos) << error;
}

}  // namespace
}  // namespace velmora::cli

#include <gtest/gtest.h>

#include <string>

#include "text/CodePage.h"
#include "text/Utf.h"

namespace velmora::text {
namespace {

// Text read from the NT family's registry must go back unit for unit, whatever it holds.
TEST(Utf, EveryUtf16SequenceGoesBackUnitForUnit) {
    const std::u16string cases[] = {
        u"",
        u"plain",
        u"\u0141\u00f3d\u017a",           // Łódź
        u"\u0422\u0435\u0441\u0442",      // Тест
        u"\u65e5\u672c",                  // two ideographs
        std::u16string(u"\xD83D\xDE00"),  // a pair: one character of four bytes
        std::u16string(u"a\xDC80"
                       u"b"),             // a lone low surrogate
        std::u16string(u"\xD800"),        // a lone high surrogate at the end
        std::u16string(u"\xDE00\xD83D"),  // a pair the wrong way round
        std::u16string(u"x\0y\0", 4),     // embedded and terminating zeros
    };
    for (const std::u16string& units : cases) {
        EXPECT_EQ(ToUtf16(ToUtf8(units)), units);
        EXPECT_EQ(Utf16Length(ToUtf8(units)), units.size());
    }
    EXPECT_EQ(ToUtf8(u"\u0141ukasz"), "\xC5\x81ukasz");
    EXPECT_EQ(ToUtf8(std::u16string(u"\xD83D\xDE00")), "\xF0\x9F\x98\x80");
}

TEST(Utf, BytesThatAreNoUtf8BecomeOneReplacementEachAndStopNothing) {
    EXPECT_EQ(ToUtf16("a\xFF"
                      "b"),
              u"a\uFFFDb");
    EXPECT_EQ(ToUtf16("\xC5"), u"\uFFFD");                                  // cut short
    EXPECT_EQ(ToUtf16("\xC0\x80"), u"\uFFFD\uFFFD");                        // overlong
    EXPECT_EQ(ToUtf16("\xF4\x90\x80\x80z"), u"\uFFFD\uFFFD\uFFFD\uFFFDz");  // past U+10FFFF
}

TEST(Utf, FirstUnitsCutsOnlyBetweenCharacters) {
    const std::string text = "a\xC5\x81\xF0\x9F\x98\x80z";  // a Ł 😀 z: 1 + 1 + 2 + 1 units
    EXPECT_EQ(FirstUnits(text, 0), "");
    EXPECT_EQ(FirstUnits(text, 2), "a\xC5\x81");
    EXPECT_EQ(FirstUnits(text, 3), "a\xC5\x81");  // the pair does not fit in one unit
    EXPECT_EQ(FirstUnits(text, 4), "a\xC5\x81\xF0\x9F\x98\x80");
    EXPECT_EQ(FirstUnits(text, 99), text);
}

TEST(Utf, EscapedBytesCoverTheUpperHalfOnly) {
    for (int byte = 0x80; byte <= 0xFF; ++byte) {
        EXPECT_EQ(UnescapedByte(EscapedByte(static_cast<unsigned char>(byte))), byte);
    }
    EXPECT_FALSE(UnescapedByte(0xDC7F));
    EXPECT_FALSE(UnescapedByte(0xDD00));
    EXPECT_FALSE(UnescapedByte(u'a'));
}

}  // namespace
}  // namespace velmora::text

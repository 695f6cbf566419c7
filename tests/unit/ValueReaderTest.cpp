#include "registry/ValueReader.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace velmora {
namespace {

ValueData Text(const std::string& bytes) {
    return ValueData(std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
}

TEST(ValueData, NumberConvertsLikeAtoiWithoutOverflowing) {
    EXPECT_EQ(Text(std::string("400\0", 4)).Number(), 400);
    EXPECT_EQ(Text(" \t42abc").Number(), 42);
    EXPECT_EQ(Text("-7").Number(), -7);
    EXPECT_EQ(Text("+65535").Number(), 65535);
    EXPECT_EQ(Text("Default").Number(), 0);
    EXPECT_EQ(Text("- 5").Number(), 0);
    EXPECT_EQ(Text("").Number(), 0);
    EXPECT_EQ(Text("99999999999999999999999").Number(), INT_MAX);
    EXPECT_EQ(Text("-99999999999999999999999").Number(), INT_MIN);
    EXPECT_EQ(Text(std::string("3\0"
                               "9",
                               3))
                  .Number(),
              3);
}

TEST(ValueData, TextStopsAtTheFirstZeroOrTheEndOfTheData) {
    EXPECT_EQ(Text(std::string("abc\0def", 7)).Text(), "abc");
    EXPECT_EQ(Text("no terminator").Text(), "no terminator");
    EXPECT_EQ(ValueData().Text(), "");
}

TEST(ValueData, ComparisonsAreCaseSensitive) {
    const ValueData version = Text(std::string("Windows 98\0", 11));
    EXPECT_TRUE(version.TextEquals("Windows 98"));
    EXPECT_FALSE(version.TextEquals("windows 98"));
    EXPECT_FALSE(version.TextEquals("Windows 9"));
    EXPECT_TRUE(version.Contains("98"));
    EXPECT_FALSE(version.Contains("WINDOWS"));
    EXPECT_TRUE(version.FirstCharIs('W'));
    EXPECT_FALSE(ValueData().FirstCharIs('\0'));
}

TEST(ValueData, ContainsNeverMatchesPastTheText) {
    // "Icobank.exe,1" split by a zero is not found, and a needle longer than the data is not either.
    const ValueData split = Text(std::string("Icobank.exe\0,1", 14));
    EXPECT_FALSE(split.Contains("Icobank.exe,1"));
    EXPECT_FALSE(Text("Ico").Contains("Icobank"));
}

}  // namespace
}  // namespace velmora

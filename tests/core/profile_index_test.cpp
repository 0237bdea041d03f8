// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "model/profile_index.h"

namespace sylvanode {
namespace {

TEST(ProfileIndex, LookupRules) {
    const std::string text =
        "; a comment\r\n"
        "[Config]\r\n"
        "Count = 3 \r\n"
        "\tname\t=\t\"quoted value\"\r\n"
        "single='x'\r\n"
        "mismatched=\"x'\r\n"
        "eq=a=b\r\n"
        "count=99\r\n"          // only the first key of a name counts
        "  ;key=comment\r\n"
        "noequals\r\n"
        "[ other ]\n"
        "0=zero\r"
        "1=one\n"
        "[CONFIG]\r\n"          // a repeated section is ignored
        "late=1\r\n";
    ProfileIndex ini(text);
    const auto* cfg = ini.section("config");
    ASSERT_NE(cfg, nullptr);
    EXPECT_EQ(ini.getInt(cfg, "COUNT", -1), 3);
    EXPECT_EQ(ini.getString(cfg, "Name", "?"), "quoted value");
    EXPECT_EQ(ini.getString(cfg, "single", "?"), "x");
    EXPECT_EQ(ini.getString(cfg, "mismatched", "?"), "\"x'");
    EXPECT_EQ(ini.getString(cfg, "eq", "?"), "a=b");
    EXPECT_EQ(ini.getString(cfg, ";key", "missing"), "missing");
    EXPECT_EQ(ini.getString(cfg, "noequals", "missing"), "missing");
    EXPECT_EQ(ini.getString(cfg, "late", "missing"), "missing");
    const auto* other = ini.section("Other");
    ASSERT_NE(other, nullptr);
    EXPECT_EQ(ini.getString(other, 0, ""), "zero");
    EXPECT_EQ(ini.getString(other, "1", ""), "one");
    EXPECT_EQ(ini.getString(other, 2, "def"), "def");
    EXPECT_EQ(ini.section("nothing"), nullptr);
    EXPECT_EQ(ini.getString(nullptr, 0, "def"), "def");
}

TEST(ProfileIndex, DoubleByteNamesAreNotFoldedAndBracketsInsideCharactersDoNotEndHeaders) {
    // 0x81 0x5D has "]" as trail byte; 0xC4 0x41 has "A" as trail byte.
    const std::string text = "[\x81\x5Dx]\r\n\xC4\x41=upper\r\n\xC4\x61=lower\r\n";
    ProfileIndex ini(text);
    const auto* s = ini.section("\x81\x5Dx");
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(ini.getString(s, "\xC4\x41", ""), "upper");
    EXPECT_EQ(ini.getString(s, "\xC4\x61", ""), "lower");
}

TEST(ProfileIndex, ValuesAreReturnedWholeWhateverTheirLength) {
    const std::string ascii(5000, 'a');
    std::string gbk = "b";
    while (gbk.size() < 100000) gbk += "\xD6\xD0";  // 中
    const std::string text = "[s]\r\n0=" + ascii + "\r\n1= \"" + gbk + "\" \r\n";
    ProfileIndex ini(text);
    const auto* s = ini.section("s");
    EXPECT_TRUE(ini.getString(s, 0, "") == ascii);
    EXPECT_TRUE(ini.getString(s, 1, "") == gbk);
}

TEST(ProfileIndex, NulByteEndsALineAndBomIsSkipped) {
    const std::string text = std::string("\xEF\xBB\xBF[s]\r\n0=ab\0cd\r\n1=x\r\n", 20);
    ProfileIndex ini(text);
    const auto* s = ini.section("s");
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(ini.getString(s, 0, ""), "ab");
    EXPECT_EQ(ini.getString(s, 1, ""), "x");
}

TEST(ProfileIndex, LargeAndOddNumericKeys) {
    // Key 40 comes before the section has lines enough for a table that long, and
    // again once it has: the first one still counts.
    std::string text = "[s]\r\n2000000000=big\r\n007=padded\r\n-1=neg\r\n40=first\r\n";
    for (int k = 100; k < 130; ++k) text += std::to_string(k) + "=filler\r\n";
    text += "40=second\r\n2147483648=beyond\r\n";
    ProfileIndex ini(text);
    const auto* s = ini.section("s");
    EXPECT_EQ(ini.getString(s, 2000000000, ""), "big");
    EXPECT_EQ(ini.getString(s, "2000000000", ""), "big");
    EXPECT_EQ(ini.getString(s, "007", ""), "padded");
    EXPECT_EQ(ini.getString(s, 7, "none"), "none");  // "007" is another key than "7"
    EXPECT_EQ(ini.getString(s, "-1", ""), "neg");
    EXPECT_EQ(ini.getString(s, 40, ""), "first");
    EXPECT_EQ(ini.getString(s, 129, ""), "filler");
    EXPECT_EQ(ini.getString(s, "2147483648", ""), "beyond");
}

TEST(ParseInt32, DecimalHexAndRejects) {
    struct Case {
        const char* text;
        bool ok;
        int32_t value;
    } cases[] = {
        {"0", true, 0},
        {"-5", true, -5},
        {"+7", true, 7},
        {"2147483647", true, 2147483647},
        {"-2147483648", true, INT32_MIN},
        {"2147483648", false, 0},
        {"0x1F", true, 31},
        {"0XfF", true, 255},
        {"$10", true, 16},
        {"0xFFFFFFFF", true, -1},
        {"0x80000000", true, INT32_MIN},
        {"$FFFFFFFE", true, -2},  // wrap
        {"0x1FFFFFFFF", false, 0},
        {"0x100000000", false, 0},
        {"$100000000", false, 0},     // beyond 32 bits
        {"0x00000000FF", true, 255},  // leading zeros still fit
        {"", false, 0},
        {"-", false, 0},
        {"0x", false, 0},
        {"12a", false, 0},
        {" 1", false, 0},
        {"1.5", false, 0},
        {"0x80000005", true, static_cast<int32_t>(0x80000005u)},
    };
    for (const Case& c : cases) {
        int32_t v = 12345;
        EXPECT_EQ(parseInt32(c.text, v), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(v, c.value) << c.text;
        }
    }
}

}  // namespace
}  // namespace sylvanode

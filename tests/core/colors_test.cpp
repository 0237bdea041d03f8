// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "model/colors.h"

namespace sylvanode {
namespace {

constexpr ColorValue sys(int index) { return static_cast<ColorValue>(0x80000000u + static_cast<uint32_t>(index)); }

TEST(Colors, HexTexts) {
    EXPECT_EQ(hexByte(0), "00");
    EXPECT_EQ(hexByte(171), "AB");
    EXPECT_EQ(colorToHexText(0x000000FF), "FF0000");
    EXPECT_EQ(colorToHexText(0x00FF0000), "0000FF");
    EXPECT_EQ(colorToHexText(0), "000000");
    EXPECT_EQ(colorToHexText(0x00336699), "996633");
}

TEST(Colors, parseColorText) {
    struct Case {
        const char* text;
        bool ok;
        ColorValue value;
    } cases[] = {
        {"FF0000", true, 0x000000FF}, {"ff", true, 0x00FF0000},   {"", true, 0},
        {"abc", true, 0x00BC0A00},    {"1234567", false, 0},      {"12345G", false, 0},
        {" 12345", false, 0},         {"GG", false, 0},           {"clBtnFace", true, sys(15)},
        {"clRed", true, 0x000000FF},  {"clbtnface", true, sys(15)}, {"clNoSuchColour", false, 0},
        {"CLBTNFACE", false, 0},      {"0x00123456", false, 0},   {"-1", false, 0},
        {"clInfoBk", true, sys(24)},  {"cl3DDkShadow", true, sys(21)},
    };
    for (const Case& c : cases) {
        const ParsedColor p = parseColorText(c.text);
        EXPECT_EQ(p.ok, c.ok) << c.text;
        EXPECT_EQ(p.value, c.value) << c.text;
    }
}

TEST(Colors, ValidColorTextKeepsTextAsIs) {
    EXPECT_EQ(validColorText("GG"), "");
    EXPECT_EQ(validColorText("abc"), "abc");
    EXPECT_EQ(validColorText("ff"), "ff");
    EXPECT_EQ(validColorText("0x00123456"), "");
    EXPECT_EQ(validColorText("clWindow"), "clWindow");
}

TEST(Colors, CssValues) {
    EXPECT_EQ(cssColorValue("clHighlightText"), "highlighttext");
    EXPECT_EQ(cssColorValue("clInfoBk"), "infobackground");
    EXPECT_EQ(cssColorValue("clRed"), "clRed");
    EXPECT_EQ(cssColorValue("clbtnface"), "clbtnface");
    EXPECT_EQ(cssColorValue("FF0000"), "#FF0000");
    EXPECT_EQ(cssColorValue("ff"), "#ff");
    EXPECT_EQ(cssColorValue("0A0B0C"), "#0A0B0C");
    EXPECT_EQ(cssColorValue("0x00123456"), "#0x00123456");
    EXPECT_EQ(cssSystemColorName("clBtnFace"), "buttonface");
    EXPECT_EQ(cssSystemColorName("nothing"), "nothing");
}

TEST(Colors, SystemTableRoundTripsThroughIdentifiers) {
    const SystemColor* table = systemColors();
    for (int i = 0; i < kSystemColorCount; ++i) {
        const ParsedColor p = stringToColor(table[i].identifier);
        ASSERT_TRUE(p.ok) << table[i].identifier;
        EXPECT_EQ(p.value, sys(table[i].index));
        EXPECT_EQ(colorToString(p.value), table[i].identifier);
        EXPECT_EQ(cssColorValue(table[i].identifier), table[i].cssName);
    }
    EXPECT_STREQ(table[0].cssName, "activeborder");
    EXPECT_STREQ(table[21].identifier, "clWindowText");
}

TEST(Colors, NamedAndNumericConversions) {
    EXPECT_EQ(colorToString(0x0000FF), "clRed");
    EXPECT_EQ(colorToString(0xFF0000), "clBlue");
    EXPECT_EQ(colorToString(0xC0C0C0), "clSilver");
    EXPECT_EQ(colorToString(0x00123456), "0x00123456");
    EXPECT_EQ(colorToString(0x000A0000), "0x000a0000");
    EXPECT_TRUE(stringToColor("CLWHITE").ok);
    EXPECT_EQ(stringToColor("clNone").value, 0x1FFFFFFF);
    EXPECT_EQ(stringToColor("$FF").value, 255);
    EXPECT_EQ(stringToColor("0x00FFCC00").value, 0x00FFCC00);
    EXPECT_EQ(stringToColor("12").value, 12);
    EXPECT_FALSE(stringToColor("blue").ok);
}

}  // namespace
}  // namespace sylvanode

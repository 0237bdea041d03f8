// SPDX-License-Identifier: MIT
#include "model/colors.h"

#include <cstdio>

#include "model/profile_index.h"

namespace sylvanode {
namespace {

constexpr ColorValue kSystemBase = static_cast<ColorValue>(0x80000000u);

constexpr SystemColor kSystemColors[kSystemColorCount] = {
    {"activeborder", "clActiveBorder", 10},
    {"activecaption", "clActiveCaption", 2},
    {"appworkspace", "clAppWorkSpace", 12},
    {"background", "clBackground", 1},
    {"buttonface", "clBtnFace", 15},
    {"buttonhighlight", "clBtnHighlight", 20},
    {"buttonshadow", "clBtnShadow", 16},
    {"buttontext", "clBtnText", 18},
    {"captiontext", "clCaptionText", 9},
    {"graytext", "clGrayText", 17},
    {"highlight", "clHighlight", 13},
    {"highlighttext", "clHighlightText", 14},
    {"inactiveborder", "clInactiveBorder", 11},
    {"inactivecaption", "clInactiveCaption", 3},
    {"inactivecaptiontext", "clInactiveCaptionText", 19},
    {"infobackground", "clInfoBk", 24},
    {"infotext", "clInfoText", 23},
    {"menu", "clMenu", 4},
    {"menutext", "clMenuText", 7},
    {"window", "clWindow", 5},
    {"windowframe", "clWindowFrame", 6},
    {"windowtext", "clWindowText", 8},
};

struct NamedColor {
    const char* identifier;
    ColorValue value;
};

// Identifiers the toolkit's colour conversions know besides the system table.
constexpr NamedColor kNamedColors[] = {
    {"clBlack", 0x000000},   {"clMaroon", 0x000080}, {"clGreen", 0x008000},  {"clOlive", 0x008080},
    {"clNavy", 0x800000},    {"clPurple", 0x800080}, {"clTeal", 0x808000},   {"clGray", 0x808080},
    {"clSilver", 0xC0C0C0},  {"clRed", 0x0000FF},    {"clLime", 0x00FF00},   {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000},    {"clFuchsia", 0xFF00FF}, {"clAqua", 0xFFFF00},  {"clWhite", 0xFFFFFF},
    {"clScrollBar", kSystemBase + 0}, {"cl3DDkShadow", kSystemBase + 21}, {"cl3DLight", kSystemBase + 22},
    {"clNone", 0x1FFFFFFF},
};

bool equalsNoCase(std::string_view a, const char* b) {
    size_t i = 0;
    for (; i < a.size() && b[i]; ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
        if (x != y) return false;
    }
    return i == a.size() && b[i] == '\0';
}

bool containsCl(std::string_view text) { return text.find("cl") != std::string_view::npos; }

}  // namespace

const SystemColor* systemColors() { return kSystemColors; }

std::string hexByte(int n) {
    auto digit = [](int d) { return static_cast<char>(d <= 9 ? '0' + d : 'A' + d - 10); };
    return {digit((n / 16) & 0xF), digit(n % 16)};
}

std::string colorToHexText(ColorValue value) {
    const uint32_t v = static_cast<uint32_t>(value);
    return hexByte(static_cast<int>(v & 0xFF)) + hexByte(static_cast<int>((v >> 8) & 0xFF)) +
           hexByte(static_cast<int>((v >> 16) & 0xFF));
}

ParsedColor stringToColor(std::string_view text) {
    for (const SystemColor& c : kSystemColors)
        if (equalsNoCase(text, c.identifier)) return {true, kSystemBase + c.index};
    for (const NamedColor& c : kNamedColors)
        if (equalsNoCase(text, c.identifier)) return {true, c.value};
    int32_t v = 0;
    if (parseInt32(text, v)) return {true, v};
    return {false, 0};
}

std::string colorToString(ColorValue value) {
    for (const SystemColor& c : kSystemColors)
        if (value == kSystemBase + c.index) return c.identifier;
    for (const NamedColor& c : kNamedColors)
        if (value == c.value) return c.identifier;
    char buf[16];
    std::snprintf(buf, sizeof buf, "0x%08x", static_cast<uint32_t>(value));
    return buf;
}

ParsedColor parseColorText(std::string_view text) {
    if (containsCl(text)) {
        const ParsedColor c = stringToColor(text);
        return c.ok ? c : ParsedColor{false, 0};
    }
    if (text.size() > 6) return {false, 0};
    std::string t(6 - text.size(), '0');
    t += text;
    for (char& ch : t)
        if (ch >= 'A' && ch <= 'Z') ch = static_cast<char>(ch - 'A' + 'a');
    // RRGGBB becomes BBGGRR.
    std::string swapped = t.substr(4, 2) + t.substr(2, 2) + t.substr(0, 2);
    // Only hex digits may follow the prefix (the integer reader would accept a sign elsewhere).
    for (char ch : swapped)
        if (!((ch >= '0' && ch <= '9') || (ch >= 'a' && ch <= 'f'))) return {false, 0};
    const ParsedColor c = stringToColor("0x00" + swapped);
    return c.ok ? c : ParsedColor{false, 0};
}

std::string validColorText(std::string_view text) {
    return parseColorText(text).ok ? std::string(text) : std::string();
}

std::string cssSystemColorName(std::string_view text) {
    for (const SystemColor& c : kSystemColors)
        if (text == c.identifier) return c.cssName;
    return std::string(text);
}

std::string cssColorValue(std::string_view text) {
    if (containsCl(text)) return cssSystemColorName(text);
    // Appended to a reserved string: GCC 12 warns (-Wrestrict) about "#" + std::string under the
    // hardened release flags.
    std::string css;
    css.reserve(text.size() + 1);
    css += '#';
    css += text;
    return css;
}

}  // namespace sylvanode

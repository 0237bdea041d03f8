#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace sylvanode {

// Colour value: 0x00BBGGRR for RGB, 0x80000000 + index for a system colour.
using ColorValue = int32_t;

struct SystemColor {
    const char* cssName;
    const char* identifier;
    int index;
};
// The 22 system colours in their fixed order.
inline constexpr int kSystemColorCount = 22;
const SystemColor* systemColors();

struct ParsedColor {
    bool ok = false;
    ColorValue value = 0;
};

std::string HexByte(int n);
std::string ColorToHexText(ColorValue value);
ParsedColor ParseColorText(std::string_view text);
std::string ValidColorText(std::string_view text);
std::string CssSystemColorName(std::string_view text);
std::string CssColorValue(std::string_view text);

// Our stand-ins for the toolkit's identifier conversions: identifiers match without
// regard to case; other texts are read as decimal or as hexadecimal after "0x"/"$".
ParsedColor StringToColor(std::string_view text);
// Identifier of a known value, else "0x" and eight lower-case hex digits.
std::string ColorToString(ColorValue value);

}  // namespace sylvanode

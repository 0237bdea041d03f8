// SPDX-License-Identifier: MIT
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

std::string hexByte(int n);
std::string colorToHexText(ColorValue value);
ParsedColor parseColorText(std::string_view text);
std::string validColorText(std::string_view text);
std::string cssSystemColorName(std::string_view text);
std::string cssColorValue(std::string_view text);

// Our stand-ins for the toolkit's identifier conversions: identifiers match without
// regard to case; other texts are read as decimal or as hexadecimal after "0x"/"$".
ParsedColor stringToColor(std::string_view text);
// Identifier of a known value, else "0x" and eight lower-case hex digits.
std::string colorToString(ColorValue value);

}  // namespace sylvanode

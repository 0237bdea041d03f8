// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "model/menu_scheme.h"

namespace sylvanode {

// Length of the character of scheme bytes that starts at `at`, as a GB18030 decoder in a
// browser reads it: 2 for a lead byte 0x81-0xFE with a trail byte 0x40-0x7E or 0x80-0xFE
// (the trail may be 0x5C "\"), 4 for lead, 0x30-0x39, lead, 0x30-0x39, 1 for any other
// byte, and 0 for a lead byte that starts no character.
size_t gb18030CharLength(std::string_view bytes, size_t at);

// Appends `text` so that a script string literal quoted by `quote` (" or ') holds exactly
// that text once the script is read in `charset`. GBK keeps the scheme's bytes; UTF-8 converts
// them as a browser decodes GBK. A lead byte that starts no character becomes \uFFFD (with
// the 0xFF after it, which a browser takes with it), "\" becomes "\\", the quote gets
// a backslash, CR and LF become \r and \n, and "</" and "<!" become "<\/" and "<\!" so that a
// script pasted inline into a page cannot end its <script> element. Every other byte is copied.
void appendScriptLiteral(std::string& out, std::string_view text, char quote, ScriptCharset charset);

}  // namespace sylvanode

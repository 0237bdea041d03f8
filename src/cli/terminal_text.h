// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>

namespace sylvanode::cli {

// Scheme bytes (GBK) as UTF-8 for the terminal. Bytes that do not decode and control
// characters (below 0x20, 0x7F, 0x80-0x9F) are shown as \xNN per byte, so no text of a
// scheme can move the cursor, change colours or end a line.
std::string gbkForTerminal(std::string_view gbk);

// A message, path or other UTF-8 text for the terminal: valid UTF-8 is kept, control
// characters and bytes that are not UTF-8 are shown as \xNN per byte.
std::string terminalSafe(std::string_view text);

}  // namespace sylvanode::cli

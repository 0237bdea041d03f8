// SPDX-License-Identifier: MIT
#pragma once

#include <string_view>

#include "exchange/imported_tree.h"

namespace sylvanode {

// A plain-text outline (UTF-8) as a menu tree. Each non-blank line is an item; deeper
// indentation (spaces, or tabs counted as four columns) makes it a child of the line above.
// A leading bullet ("-", "*", "+", "1." or "1)") is dropped. A line that is a Markdown link
// [title](url) or [title](url "hint") gives a link item, and so do two columns
// "title<TAB>link" (taken as they stand, without escapes); a bare http(s) address links to
// itself; a javascript: link becomes a script item. "\" escapes [ ] ( ) < > and itself.
ImportResult readOutline(std::string_view utf8);

}  // namespace sylvanode

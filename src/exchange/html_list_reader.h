// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>

#include "exchange/imported_tree.h"

namespace sylvanode {

// Which part of a page becomes the menu. Without `select`, the best list: one inside a
// navigation before one outside, one outside the footer before one inside it, a list of
// pages before a list of places on the page (a table of contents), then the one with more
// links, then more items. A much larger block of links in table cells or <div> rows (an old
// portal's left column) wins over a small list.
struct HtmlListOptions {
    // UTF-8: an element's id, or a CSS selector ("footer ul", "#menu-main", "nav.primary");
    // the best list inside what it names, or its links when it holds no list.
    std::string select;
    std::string charset;    // the character set to read the bytes in (an iconv name); sniffed when empty
    bool markdown = false;  // a page made from Markdown: a table of contents wins, and
                            // without a list of links the headings are the menu
};

// A page (or a fragment, as a browser copies it) as a menu tree. The bytes are decoded by
// the given charset, else their byte-order mark, a <meta charset> or http-equiv declaration,
// else as UTF-8 when they are UTF-8, else by the detection library's verdict. The report
// says what was taken and what else was found. A frameset page without a menu of its own
// fails with its frames' sources in `frames`.
ImportResult readHtmlList(std::string_view bytes, const HtmlListOptions& options = {});
// The same for a page already in UTF-8.
ImportResult readHtmlUtf8(std::string_view utf8, const HtmlListOptions& options);

// The character set readHtmlList decodes `bytes` with (an iconv name, e.g. "UTF-8", "GB18030").
std::string detectHtmlCharset(std::string_view bytes);

// The page's <title>, white space collapsed, as UTF-8; empty when it has none.
std::string readHtmlTitle(std::string_view bytes);

// The anchor of a heading as GitHub and most Markdown sites make it: lower case, punctuation
// dropped, blanks as "-".
std::string headingSlug(std::string_view utf8);

}  // namespace sylvanode

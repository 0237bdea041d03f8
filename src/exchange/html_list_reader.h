// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>

#include "exchange/imported_tree.h"

namespace sylvanode {

// Which list of a page becomes the menu: the list inside the element with this id when set;
// else the largest list inside a <nav>; else the largest list of the page.
struct HtmlListOptions {
    std::string selectId;  // UTF-8
};

// A page (or a fragment, as a browser copies it) as a menu tree. The bytes are decoded by
// their byte-order mark, a <meta charset> or http-equiv declaration, else as UTF-8 when they
// are UTF-8, else as GB18030.
ImportResult readHtmlList(std::string_view bytes, const HtmlListOptions& options = {});

// The character set readHtmlList decodes `bytes` with (an iconv name, e.g. "UTF-8", "GB18030").
std::string detectHtmlCharset(std::string_view bytes);

// The page's <title>, white space collapsed, as UTF-8; empty when it has none.
std::string readHtmlTitle(std::string_view bytes);

}  // namespace sylvanode

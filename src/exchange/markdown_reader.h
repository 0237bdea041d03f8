// SPDX-License-Identifier: MIT
#pragma once

#include <string_view>

#include "exchange/html_list_reader.h"
#include "exchange/imported_tree.h"

namespace sylvanode {

// A Markdown file (CommonMark) as a menu: rendered to HTML, then read by the rules of a
// page, except that a table of contents (a list of links to the file's own headings) wins,
// and a file without a list of links gives its headings, each linking to its #anchor.
ImportResult readMarkdown(std::string_view utf8, const HtmlListOptions& options = {});

}  // namespace sylvanode

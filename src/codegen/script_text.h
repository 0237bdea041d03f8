// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>

#include "model/menu_scheme.h"
#include "platform/safe_file.h"

namespace sylvanode {

// The font-family value of a stored font name (a family, or a list of them separated by ","),
// as browsers read it and nothing can break out of: ASCII other than letters, digits, "-", "_"
// and blanks is written as a CSS escape; a quoted name keeps its quotes; the foundry tag a font
// list may add ("C059 [urw]") is dropped; a word starting with a digit gets the digit escaped,
// and a name that is a reserved word (Default, inherit, ...) is quoted, so each name is valid.
std::string cssFontFamily(std::string_view fontName);

// CSS declarations of one style, without braces; empty when nothing is set.
std::string styleToCss(const CssStyle& style);
// "{" declarations, height and paddings "}" for style 0..2 of a kind.
std::string styleRuleBody(const KindStyle& kind, int styleIndex);

// A node text as it goes between double quotes in the script: blanks (bytes <= 32) trimmed at
// both ends, then written as a string literal (see appendScriptLiteral).
std::string quoteScriptText(std::string_view text, ScriptCharset charset = ScriptCharset::Gbk);
// Appends the node array entries of `node` and its whole subtree.
void appendNodeEntries(std::string& out, const MenuNode& node, ScriptCharset charset = ScriptCharset::Gbk);

// The 30 lines of the script, joined by CR LF, without CR LF after the last, in the
// scheme's script character set; every string literal holds exactly its text.
std::string buildScriptText(const MenuScheme& scheme);

// The same script for a page that holds the menu as an exported <nav> list: line 1 names the
// list, var tree_node<S>=Tree_readList("tree<S>"); instead of carrying the node array.
std::string buildListScriptText(const MenuScheme& scheme);

// The bytes of the script file: the text followed by one CR LF.
std::string scriptFileBytes(const MenuScheme& scheme);
// Writes the script file atomically.
IoResult writeScriptFile(const MenuScheme& scheme, const std::string& path);

// Multi-menu suffix rule: bytes <= 32 trimmed at both ends, lower-cased; valid when
// only ASCII letters and digits remain (the empty text included). `normalised` gets the result.
bool checkMenuSuffix(std::string_view typed, std::string& normalised);

}  // namespace sylvanode

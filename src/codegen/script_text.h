#pragma once

#include <string>
#include <string_view>

#include "model/menu_scheme.h"
#include "platform/safe_file.h"

namespace sylvanode {

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

// The bytes of the script file: the text followed by one CR LF.
std::string scriptFileBytes(const MenuScheme& scheme);
// Writes the script file atomically.
IoResult writeScriptFile(const MenuScheme& scheme, const std::string& path);

// Multi-menu suffix rule: bytes <= 32 trimmed at both ends, lower-cased; valid when
// only ASCII letters and digits remain (the empty text included). `normalised` gets the result.
bool checkMenuSuffix(std::string_view typed, std::string& normalised);

}  // namespace sylvanode

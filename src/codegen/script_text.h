#pragma once

#include <string>
#include <string_view>

#include "model/menu_scheme.h"
#include "platform/safe_file.h"

namespace sylvanode {

// The font-family value of a stored font name, as browsers read it: a name (or each name of
// a comma list) that is not a plain sequence of CSS identifiers, or is a reserved word, is
// put in double quotes; a foundry tag a font list may add ("C059 [urw]") is dropped. A value
// that needs neither is returned unchanged.
std::string cssFontFamily(std::string_view fontName);

// CSS declarations of one style, without braces; empty when nothing is set.
std::string styleToCss(const CssStyle& style);
// "{" declarations, height and paddings "}" for style 0..2 of a kind.
std::string styleRuleBody(const KindStyle& kind, int styleIndex);

// A text value as it goes between double quotes in the script.
std::string quoteScriptText(std::string_view text);
// Appends the node array entries of `node` and its whole subtree.
void appendNodeEntries(std::string& out, const MenuNode& node);

// The 30 lines of the script, joined by CR LF, without CR LF after the last.
std::string buildScriptText(const MenuScheme& scheme);

// The bytes of the script file: the text followed by one CR LF.
std::string scriptFileBytes(const MenuScheme& scheme);
// Writes the script file atomically.
IoResult writeScriptFile(const MenuScheme& scheme, const std::string& path);

// Multi-menu suffix rule: bytes <= 32 trimmed at both ends, lower-cased; valid when
// only ASCII letters and digits remain (the empty text included). `normalised` gets the result.
bool checkMenuSuffix(std::string_view typed, std::string& normalised);

}  // namespace sylvanode

// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "model/menu_scheme.h"
#include "model/scheme_io.h"

namespace sylvanode {

// A look: how a menu is drawn, without its items. It is a small file in the scheme's own
// format holding the [Config] keys of the look (indent, node lines, selection mark) and the
// style sections (paddings, heights and the six styles), so any scheme can take it; an
// optional [Look] section names it.
struct SchemeLook {
    std::string name;  // scheme bytes; empty when the file has none
    int32_t indent = 13;
    bool showLine = false;
    bool showSelect = true;
    std::array<KindStyle, 2> kinds{};
};

SchemeLook lookOf(const MenuScheme& scheme);
// Puts the look onto settings and styles; everything else stays.
void applyLook(const SchemeLook& look, SchemeSettings& settings, std::array<KindStyle, 2>& kinds);

// The look file's text (CR LF lines, scheme bytes).
std::string writeLookText(const SchemeLook& look);
SchemeResult readLookText(SchemeLook& look, std::string_view text);

}  // namespace sylvanode

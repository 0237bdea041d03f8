// SPDX-License-Identifier: MIT
#pragma once

#include <memory>
#include <vector>

#include "exchange/xml_support.h"
#include "model/menu_scheme.h"

namespace sylvanode::html {

// Menus without lists: the links of an old portal's left column (table cells, often nested
// tables) or of a sidebar of <div> rows.
struct LinkCluster {
    const xmlNode* container = nullptr;
    size_t links = 0;
};

// The element holding the most links outside lists whose text is mostly the text of those
// links; on a tie the innermost, unless only the outer one has an id or class. No container
// when no element holds three such links.
LinkCluster findLinkCluster(const xmlNode* scope);

// The links outside lists in `container`, in document order, nested by their visible indent:
// a deeper nested table, a class of a deeper level (menu1, menu2; sub), then more leading
// non-breaking or ideographic spaces.
std::vector<std::unique_ptr<MenuNode>> buildClusterTree(const xmlNode* container);

}  // namespace sylvanode::html

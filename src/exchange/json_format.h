// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>

#include "exchange/imported_tree.h"
#include "model/menu_scheme.h"

namespace sylvanode {

// The menu tree as JSON (UTF-8): {"sylvanode-menu":1,"items":[...]} where each item is an
// object with the keys title, hint, status, icon1, icon2, link, target, script (present for
// a script item) and children; empty texts are left out.
std::string writeMenuJson(const MenuScheme& scheme);

// The menu tree as jsTree 3 reads it: an array of nodes with text (HTML-escaped), a_attr
// (href, target), li_attr (title: the hint), icon (an icon image), state (opened) and
// children; the status text, the open-folder icon and a script ride along in data.
std::string writeJsTreeJson(const MenuScheme& scheme);

// A menu tree in the JSON shapes people have, told apart by their keys:
// - ours (what writeMenuJson writes);
// - jsTree's: text, children (an array, or true for a folder loaded later), a_attr.href and
//   target, li_attr.title, state.opened, icon, and the flat form of id/parent nodes;
// - Fancytree's: title, children, folder, href or data.href, tooltip, expanded;
// - the common {title|text|name|label, children|items|nodes, url|href|link}.
// The items are an array at the top, or the list of an object (items, children, nodes,
// data, core.data), or one item object. Unknown keys are skipped.
ImportResult readMenuJson(std::string_view utf8);

}  // namespace sylvanode

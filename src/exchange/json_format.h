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

// Reads what writeMenuJson writes; unknown keys are skipped.
ImportResult readMenuJson(std::string_view utf8);

}  // namespace sylvanode

// SPDX-License-Identifier: MIT
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "model/menu_scheme.h"

namespace sylvanode::test {

// A forest as text, one item a line, indented two spaces a level, texts as UTF-8:
//   title -> link @target {hint} !script <status> (icon1|icon2) [folder]
// Fields that are empty are left out, so expected trees read like outlines. Without
// `allFields`, targets, status texts and icons (which an outline does not keep) are left out too.
std::string dumpForest(const std::vector<std::unique_ptr<MenuNode>>& roots, bool allFields = true);

}  // namespace sylvanode::test

// SPDX-License-Identifier: MIT
#pragma once

#include <string>

namespace sylvanode::bench {

// Many tiny sections, each holding one numbered key near the file's line count
// ("[s17]\r\n20000=x\r\n"): a per-section key table sized by the whole file
// would take memory quadratic in the file's size.
std::string manySmallSections(int sections);

// An irregular [MenuLevel] sequence of about `items` items that keeps attaching
// new items to a branch early in the tree, ahead of a long tail of later items.
std::string irregularLevels(int items);

}  // namespace sylvanode::bench

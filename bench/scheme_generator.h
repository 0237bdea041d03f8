// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string>

#include "model/menu_scheme.h"

namespace sylvanode::bench {

// Fills `scheme` with `items` items of realistic size (about 110 bytes of scheme
// file each): folders of up to 8 children nested a few levels deep, GBK titles,
// links, hints and a few scripts. Deterministic for a given seed.
void generateScheme(MenuScheme& scheme, int items, uint32_t seed = 1);

}  // namespace sylvanode::bench

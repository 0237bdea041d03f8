// SPDX-License-Identifier: MIT
#include "scheme_generator.h"

#include <random>
#include <vector>

namespace sylvanode::bench {

void generateScheme(MenuScheme& scheme, int items, uint32_t seed) {
    scheme.clearTree();
    std::mt19937 rng(seed);
    std::vector<MenuNode*> open;  // the current branch
    const char* words[] = {"\xB2\xFA\xC6\xB7", "\xD0\xC2\xCE\xC5", "Products", "Support", "\xB9\xD8\xD3\xDA"};
    for (int i = 0; i < items; ++i) {
        // Go up a level now and then, down when the branch is shallow.
        while (!open.empty() && (open.size() > 4 || rng() % 4 == 0)) open.pop_back();
        if (!open.empty() && open.back()->childCount() >= 8) open.pop_back();
        MenuNode* n = open.empty() ? scheme.appendRoot() : open.back()->appendChild();
        MenuItemData& d = n->data;
        d.menuName = std::string(words[rng() % 5]) + " " + std::to_string(i);
        n->caption = d.menuName;
        d.menuHint = "Hint for item " + std::to_string(i);
        if (rng() % 10 == 0) {
            d.contentType = 1;
            d.menuScript = "openItem(" + std::to_string(i) + ")";
        } else {
            d.menuLink = "pages/section" + std::to_string(i % 97) + "/item" + std::to_string(i) + ".html";
            d.menuTarget = i % 3 ? "" : "main";
        }
        if (i % 5 == 0) d.menuIcon1 = "img/icon" + std::to_string(i % 7) + ".gif";
        if (rng() % 3 == 0) open.push_back(n);
    }
    forEachPreOrder(scheme.roots(), [](MenuNode* n, int) { n->refreshImage(); });
}

}  // namespace sylvanode::bench

// SPDX-License-Identifier: MIT
#pragma once

#include <memory>
#include <vector>

#include "model/menu_scheme.h"

namespace sylvanode {

// Depth-first walk without recursion: enter(node, level) before a node's children,
// leave(node, level) after them.
template <class Enter, class Leave>
void walkTree(const std::vector<std::unique_ptr<MenuNode>>& roots, Enter&& enter, Leave&& leave) {
    struct Frame {
        const std::vector<std::unique_ptr<MenuNode>>* list;
        size_t next;
        const MenuNode* owner;
    };
    std::vector<Frame> stack{{&roots, 0, nullptr}};
    while (!stack.empty()) {
        Frame& f = stack.back();
        if (f.next == f.list->size()) {
            const MenuNode* owner = f.owner;
            stack.pop_back();
            if (owner) leave(*owner, static_cast<int>(stack.size()) - 1);
            continue;
        }
        const MenuNode* node = (*f.list)[f.next++].get();
        const int level = static_cast<int>(stack.size()) - 1;
        enter(*node, level);
        stack.push_back({&node->children(), 0, node});
    }
}

}  // namespace sylvanode

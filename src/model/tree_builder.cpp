// SPDX-License-Identifier: MIT
#include "model/tree_builder.h"

#include <cassert>
#include <cstddef>

namespace sylvanode {

uint32_t TreeBuilder::attach(uint32_t parent, std::unique_ptr<MenuNode> node) {
    const auto id = static_cast<uint32_t>(parent_.size());
    assert(id < nodes_.size() && nodes_[id] == node.get());
    parent_.push_back(parent);
    if (parent == kNone)
        scheme_.appendRoot(std::move(node));
    else
        nodes_[parent]->appendChild(std::move(node));

    if (!sequence_) {
        if (parent == kNone) {
            spine_.assign(1, id);
            return id;
        }
        // The node lands at the end of the pre-order when its parent lies on the
        // path to the last node. Searching that path from its end costs what it cuts off.
        size_t i = spine_.size();
        while (i > 0 && spine_[i - 1] != parent) --i;
        if (i > 0) {
            spine_.resize(i);
            spine_.push_back(id);
            return id;
        }
        switchToSequence();  // includes the new node at its place
        return id;
    }
    left_.resize(left_.size() + 2, kNone);
    right_.resize(right_.size() + 2, kNone);
    up_.resize(up_.size() + 2, kNone);
    opens_.resize(opens_.size() + 2, 0);
    insertBefore(closeToken(parent), openToken(id), closeToken(id));
    return id;
}

uint32_t TreeBuilder::idAt(uint32_t position) {
    if (!sequence_) return position;
    uint32_t t = root_;
    for (;;) {
        const uint32_t l = count(left_[t]);
        if (position < l) {
            t = left_[t];
            continue;
        }
        position -= l;
        if (isOpen(t)) {
            if (position == 0) break;
            --position;
        }
        t = right_[t];
    }
    splay(t);
    return (t - 1) / 2;
}

std::vector<MenuNode*> TreeBuilder::preOrder() const {
    if (!sequence_) return {nodes_.begin(), nodes_.begin() + static_cast<std::ptrdiff_t>(parent_.size())};
    std::vector<MenuNode*> out;
    out.reserve(parent_.size());
    std::vector<uint32_t> stack;
    uint32_t t = root_;
    while (t != kNone || !stack.empty()) {
        while (t != kNone) {
            stack.push_back(t);
            t = left_[t];
        }
        t = stack.back();
        stack.pop_back();
        if (isOpen(t)) out.push_back(nodes_[(t - 1) / 2]);
        t = right_[t];
    }
    return out;
}

void TreeBuilder::switchToSequence() {
    // The Euler tour of the forest as it was before the newest node, when every id
    // was its own pre-order position; the newest node is then inserted like any other.
    const auto n = static_cast<uint32_t>(parent_.size());
    const uint32_t newest = n - 1;
    std::vector<uint32_t> tokens;
    tokens.reserve(2 * size_t{n} + 1);
    std::vector<uint32_t> open;  // ids whose close token is still to come
    auto closeUntil = [&](uint32_t ancestor) {
        while (!open.empty() && open.back() != ancestor) {
            tokens.push_back(closeToken(open.back()));
            open.pop_back();
        }
    };
    for (uint32_t id = 0; id < newest; ++id) {
        closeUntil(parent_[id]);
        tokens.push_back(openToken(id));
        open.push_back(id);
    }
    closeUntil(kNone);
    tokens.push_back(closeToken(kNone));

    // Chain the tokens into a left-leaning path; splaying evens it out as it is used.
    const size_t size = 2 * size_t{n} + 1;
    left_.assign(size, kNone);
    right_.assign(size, kNone);
    up_.assign(size, kNone);
    opens_.assign(size, 0);
    root_ = kNone;
    for (const uint32_t t : tokens) {
        left_[t] = root_;
        if (root_ != kNone) up_[root_] = t;
        update(t);
        root_ = t;
    }
    sequence_ = true;
    insertBefore(closeToken(parent_[newest]), openToken(newest), closeToken(newest));
}

void TreeBuilder::rotate(uint32_t x) {
    const uint32_t p = up_[x];
    const uint32_t g = up_[p];
    if (left_[p] == x) {
        left_[p] = right_[x];
        if (right_[x] != kNone) up_[right_[x]] = p;
        right_[x] = p;
    } else {
        right_[p] = left_[x];
        if (left_[x] != kNone) up_[left_[x]] = p;
        left_[x] = p;
    }
    up_[p] = x;
    up_[x] = g;
    if (g != kNone) (left_[g] == p ? left_[g] : right_[g]) = x;
    update(p);
    update(x);
}

void TreeBuilder::splay(uint32_t x) {
    while (up_[x] != kNone) {
        const uint32_t p = up_[x];
        const uint32_t g = up_[p];
        if (g != kNone) rotate((left_[g] == p) == (left_[p] == x) ? p : x);
        rotate(x);
    }
    root_ = x;
}

void TreeBuilder::insertBefore(uint32_t at, uint32_t open, uint32_t close) {
    splay(at);
    // at's left part, then open, close; open takes over at's left subtree.
    const uint32_t before = left_[at];
    left_[open] = before;
    if (before != kNone) up_[before] = open;
    right_[open] = close;
    up_[close] = open;
    left_[close] = right_[close] = kNone;
    update(close);
    update(open);
    up_[open] = at;
    left_[at] = open;
    update(at);
}

}  // namespace sylvanode

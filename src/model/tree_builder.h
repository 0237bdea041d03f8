// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "model/menu_scheme.h"

namespace sylvanode {

// Builds a scheme's forest node by node, each new node becoming the last child of
// a node added before (or a new root), and answers "which node is at pre-order
// position j of the tree built so far", as the reader's level rules need.
//
// Nodes are named by ids, 0, 1, 2, ... in the order they were added. While every
// node lands at the end of the pre-order (any file this program writes), ids are
// pre-order positions and each step costs O(1) amortised. The first node that lands
// inside the tree switches to a splay tree over the forest's Euler tour (an open
// and a close token per node): O(log n) amortised per step, so irregular level
// sequences stay near-linear instead of quadratic.
class TreeBuilder {
public:
    static constexpr uint32_t kNone = UINT32_MAX;

    // `nodes` lists the nodes to add, by id: the builder adds them in that order and reads
    // them from there (a loaded scheme's records), rather than keeping a copy of the list.
    TreeBuilder(MenuScheme& scheme, const std::vector<MenuNode*>& nodes) : scheme_(scheme), nodes_(nodes) {}
    void reserve(size_t nodes) { parent_.reserve(nodes); }

    // Adds the next node of the list, `node`, to the scheme as the last child of node
    // `parent` (kNone: a new root after the others) and returns its id.
    uint32_t attach(uint32_t parent, std::unique_ptr<MenuNode> node);
    uint32_t parentOf(uint32_t id) const { return parent_[id]; }
    // The id of the node at pre-order position `position` (< nodes added).
    uint32_t idAt(uint32_t position);
    // All nodes added, in pre-order.
    std::vector<MenuNode*> preOrder() const;
    // True while every node landed at the end of the pre-order: ids are positions.
    bool preOrderIsAttachOrder() const { return !sequence_; }
    MenuNode* node(uint32_t id) const { return nodes_[id]; }

private:
    // Tokens: 0 closes a virtual root above all roots; node i opens with 2i+1 and closes with 2i+2.
    static uint32_t openToken(uint32_t id) { return 2 * id + 1; }
    static uint32_t closeToken(uint32_t id) { return id == kNone ? 0 : 2 * id + 2; }
    static bool isOpen(uint32_t token) { return (token & 1) != 0; }

    void switchToSequence();
    uint32_t count(uint32_t token) const { return token == kNone ? 0 : opens_[token]; }
    void update(uint32_t token) {
        opens_[token] = count(left_[token]) + count(right_[token]) + (isOpen(token) ? 1 : 0);
    }
    void rotate(uint32_t x);
    void splay(uint32_t x);
    void insertBefore(uint32_t at, uint32_t open, uint32_t close);

    MenuScheme& scheme_;
    const std::vector<MenuNode*>& nodes_;  // by id; the first parent_.size() are added
    std::vector<uint32_t> parent_;         // by id
    std::vector<uint32_t> spine_;   // append mode: ids from the last root down to the last node
    bool sequence_ = false;
    // Splay tree over tokens (sequence mode only).
    std::vector<uint32_t> left_, right_, up_, opens_;
    uint32_t root_ = kNone;
};

}  // namespace sylvanode

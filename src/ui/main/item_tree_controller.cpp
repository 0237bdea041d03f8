// SPDX-License-Identifier: MIT
#include "ui/main/item_tree_controller.h"

#include <QItemSelectionModel>
#include <QScopedValueRollback>
#include <utility>
#include <vector>

#include "document/item_edits.h"
#include "document/scheme_document.h"
#include "ui/main/menu_tree_view.h"
#include "ui/main/scheme_tree_model.h"

namespace sylvanode {

ItemTreeController::ItemTreeController(SchemeDocument& document, SchemeTreeModel& model, MenuTreeView& view,
                                       QObject* parent)
    : QObject(parent), document_(document), model_(model), view_(view) {
    connect(view_.selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) { onViewCurrentChanged(current); });
    connect(&view_, &QTreeView::expanded, this, [this](const QModelIndex& i) { onViewExpanded(i, true); });
    connect(&view_, &QTreeView::collapsed, this, [this](const QModelIndex& i) { onViewExpanded(i, false); });
    connect(&view_, &MenuTreeView::leftPressed, this, &ItemTreeController::onLeftPressed);
    connect(&view_, &MenuTreeView::dropped, this, &ItemTreeController::onDropped);
    connect(&view_, &MenuTreeView::expandAllRequested, this, &ItemTreeController::expandSubtree);

    connect(&document_, &SchemeDocument::currentItemChanged, this, &ItemTreeController::showCurrent);
    connect(&document_, &SchemeDocument::itemLookChanged, this, &ItemTreeController::followExpansion);
    connect(&document_, &SchemeDocument::itemsInserted, this, [this](MenuNode* parent, int first, int last) {
        const auto& group = parent ? parent->children() : document_.scheme().roots();
        for (int row = first; row <= last; ++row) restoreExpansion(group[static_cast<size_t>(row)].get());
    });
    connect(&document_, &SchemeDocument::itemsAboutToBeRemoved, this, [this](MenuNode* parent, int first, int last) {
        const auto& group = parent ? parent->children() : document_.scheme().roots();
        for (int row = first; row <= last; ++row) forgetInside(group[static_cast<size_t>(row)].get());
    });
    connect(&document_, &SchemeDocument::aboutToReplace, this, [this] { clickedNode_ = dragNode_ = nullptr; });
    connect(&document_, &SchemeDocument::replaced, this, [this] {
        // Items stored as open are shown so.
        for (const auto& root : document_.scheme().roots()) restoreExpansion(root.get());
    });
}

void ItemTreeController::showCurrent(MenuNode* node) {
    const QScopedValueRollback<bool> syncing(syncing_, true);
    const QModelIndex index = model_.indexOf(node);
    if (!index.isValid()) {
        view_.selectionModel()->clear();
        return;
    }
    if (view_.currentIndex() != index) view_.setCurrentIndex(index);
    view_.scrollTo(index);
}

void ItemTreeController::onViewCurrentChanged(const QModelIndex& current) {
    // Rows coming and going during a step move the view's current row; the step says which
    // item is current when it ends.
    if (syncing_ || document_.isChanging()) return;
    document_.setCurrentItem(model_.nodeFromIndex(current));
}

void ItemTreeController::onViewExpanded(const QModelIndex& index, bool expanded) {
    MenuNode* node = model_.nodeFromIndex(index);
    if (!node || syncing_) return;
    document_.setExpanded(node, expanded);
    // Too deep for the view's layout: it stays closed.
    if (node->expanded != expanded) {
        const QScopedValueRollback<bool> syncing(syncing_, true);
        view_.setExpanded(index, node->expanded);
    }
}

void ItemTreeController::followExpansion(MenuNode* node) {
    if (syncing_ || !node->hasChildren()) return;
    const QModelIndex index = model_.indexOf(node);
    if (!index.isValid() || view_.isExpanded(index) == node->expanded) return;
    const QScopedValueRollback<bool> syncing(syncing_, true);
    view_.setExpanded(index, node->expanded);
}

void ItemTreeController::restoreExpansion(MenuNode* root) {
    // The view forgot the expansion of items that left the tree (or were never shown).
    // Stored children first while a layout is pending, so a large subtree costs one layout.
    std::vector<MenuNode*> open;
    std::vector<std::pair<MenuNode*, int>> stack{{root, nodeLevel(root)}};
    while (!stack.empty()) {
        auto [n, level] = stack.back();
        stack.pop_back();
        if (!n->expanded || !n->hasChildren() || level >= SchemeDocument::kDeepestExpandedLevel) continue;
        open.push_back(n);
        for (const auto& c : n->children()) stack.emplace_back(c.get(), level + 1);
    }
    if (open.empty()) return;
    const QScopedValueRollback<bool> syncing(syncing_, true);
    view_.scheduleLayout();
    for (auto it = open.rbegin(); it != open.rend(); ++it) view_.setExpanded(model_.indexOf(*it), true);
}

void ItemTreeController::expandSubtree(MenuNode* node) {
    if (!node) return;
    std::vector<MenuNode*> order;
    std::vector<std::pair<MenuNode*, int>> stack{{node, nodeLevel(node)}};
    while (!stack.empty()) {
        auto [n, level] = stack.back();
        stack.pop_back();
        if (!n->hasChildren() || level >= SchemeDocument::kDeepestExpandedLevel) continue;
        order.push_back(n);
        for (const auto& c : n->children()) stack.emplace_back(c.get(), level + 1);
    }
    const QScopedValueRollback<bool> syncing(syncing_, true);
    // Children before their parents while a layout is pending: the view only stores each
    // expansion and lays the subtree out once.
    view_.scheduleLayout();
    for (auto it = order.rbegin(); it != order.rend(); ++it) view_.setExpanded(model_.indexOf(*it), true);
    for (MenuNode* n : order) document_.setExpanded(n, true);
}

void ItemTreeController::reveal(MenuNode* node) {
    if (!node) return;
    // The view follows each item that opens.
    for (MenuNode* p = node->parent(); p; p = p->parent()) document_.setExpanded(p, true);
    document_.setCurrentItem(node);
    view_.scrollTo(model_.indexOf(node));
}

void ItemTreeController::forgetInside(const MenuNode* node) {
    // Nothing may keep pointing into a subtree that leaves the tree.
    const auto inside = [node](const MenuNode* n) { return n && (n == node || isAncestorOf(node, n)); };
    if (inside(dragNode_)) dragNode_ = nullptr;
    if (inside(clickedNode_)) clickedNode_ = nullptr;
}

void ItemTreeController::onLeftPressed(MenuNode* pressed) {
    dragNode_ = nullptr;
    if (!pressed) return;
    if (pressed == clickedNode_) {
        // The second press on the same caption arms a drag.
        view_.armDrag(pressed);
        dragNode_ = pressed;
        clickedNode_ = nullptr;
    } else {
        clickedNode_ = pressed;
    }
}

void ItemTreeController::onDropped(MenuNode* target) {
    MenuNode* dragged = dragNode_;
    dragNode_ = nullptr;
    if (dropItem(document_, dragged, target)) clickedNode_ = nullptr;
}

}  // namespace sylvanode

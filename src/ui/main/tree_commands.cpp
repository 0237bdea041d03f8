// Structural editing of the item tree: add, delete, move up and down, drag and drop.
#include <QLineEdit>

#include "ui/main/item_panel.h"
#include "ui/main/main_window.h"
#include "ui/main/menu_tree_view.h"
#include "ui/main/scheme_tree_model.h"

using namespace sylvanode;

namespace {
const char* const kNewItem = "New Item";

std::unique_ptr<MenuNode> newNode() {
    auto node = std::make_unique<MenuNode>();
    node->caption = kNewItem;
    return node;
}

bool inSubtree(const MenuNode* root, const MenuNode* node) {
    return node && (node == root || isAncestorOf(root, node));
}
}  // namespace

void MainWindow::addRootItem() {
    clickedNode_ = nullptr;
    if (selected_) saveNodeData(selected_);
    MenuNode* node = model_->appendRoot(newNode());
    // Until step 5 the node counts as one without a record.
    awaitingRecord_ = node;
    selectNode(node);
    awaitingRecord_ = nullptr;
    node->data = MenuItemData{};
    panel_->menuName()->setText(QString::fromLatin1(kNewItem));
    markModified();
    refreshImage(node);
    clearItemPanel();
}

void MainWindow::addSubItem() {
    if (!selected_) return;
    MenuNode* child = model_->appendChild(selected_, newNode());
    child->data = MenuItemData{};
    child->imageIndex = ImageFile;
    model_->nodeChanged(child);
    saveNodeData(selected_);
    refreshImage(selected_);
    markModified();
    clickedNode_ = nullptr;
}

void MainWindow::deleteItem() {
    MenuNode* node = selected_;
    if (!node) return;
    // Nothing may keep pointing into the subtree that goes away.
    if (inSubtree(node, dragNode_)) dragNode_ = nullptr;
    if (inSubtree(node, clickedNode_)) clickedNode_ = nullptr;
    // The view moves the selection to a neighbour while the node is removed; that
    // runs the selection-change steps like any other move of the selection.
    model_->removeNode(node);
    if (selected_ == node) selected_ = nullptr;  // no neighbour was left
    if (selected_) tree_->selectionModel()->select(model_->indexOf(selected_), QItemSelectionModel::ClearAndSelect);
    markModified();
    if (!selected_) {
        clearItemPanel();
        panel_->menuName()->clear();
    }
}

void MainWindow::moveSelected(int delta) {
    if (!selected_) return;
    // renumberSiblings: the selected item's group gets 0, 1, 2, ... in its present order.
    const auto& group = scheme_.siblingsOf(selected_);
    for (size_t i = 0; i < group.size(); ++i) group[i]->data.sortKey = static_cast<int32_t>(i);
    const int row = model_->rowOf(selected_);
    const int other = row + delta;
    if (other < 0 || other >= static_cast<int>(group.size())) return;
    std::swap(selected_->data.sortKey, group[static_cast<size_t>(other)]->data.sortKey);
    // compareSortKey over every sibling group, stable: keys left at -1 sort first.
    model_->sortAllBySortKey();
    markModified();
    tree_->scrollTo(model_->indexOf(selected_));
}

void MainWindow::moveDown() { moveSelected(+1); }

void MainWindow::moveUp() { moveSelected(-1); }

void MainWindow::onLeftPressed(MenuNode* pressed) {
    dragNode_ = nullptr;
    if (!pressed) return;
    if (pressed == clickedNode_) {
        // The second press on the same caption arms a drag.
        tree_->armDrag();
        dragNode_ = pressed;
        clickedNode_ = nullptr;
    } else {
        clickedNode_ = pressed;
    }
}

void MainWindow::onDropped(MenuNode* target) {
    if (!dragNode_) return;
    MenuNode* oldParent = dragNode_->parent();
    if (target == oldParent) return;  // own parent, or a root item onto empty space
    // A drop onto the dragged item or into its own subtree moves nothing.
    if (!inSubtree(dragNode_, target)) {
        model_->moveToEnd(dragNode_, target);
        if (target) tree_->setExpanded(model_->indexOf(target), true);
    }
    refreshImage(oldParent);
    refreshImage(target);
    refreshImage(dragNode_);
    dragNode_ = nullptr;
    markModified();
    clickedNode_ = nullptr;
}

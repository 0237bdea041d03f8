// SPDX-License-Identifier: MIT
// Structural editing of the item tree: add, delete, move up and down, indent, outdent,
// drag and drop. Each command is one undo step (undo_commands.h).
#include "ui/main/item_panel.h"
#include "ui/main/main_window.h"
#include "ui/main/menu_tree_view.h"
#include "ui/main/scheme_tree_model.h"
#include "ui/main/undo_commands.h"

using namespace sylvanode;

namespace {
const char* const kNewItem = "New Item";

std::unique_ptr<MenuNode> newNode(int contentType) {
    auto node = std::make_unique<MenuNode>();
    node->caption = kNewItem;
    node->data.contentType = contentType;
    return node;
}

std::vector<std::unique_ptr<MenuNode>> one(std::unique_ptr<MenuNode> node) {
    std::vector<std::unique_ptr<MenuNode>> v;
    v.push_back(std::move(node));
    return v;
}
}  // namespace

void MainWindow::addRootItem() {
    clickedNode_ = nullptr;
    // The new item takes the action kind the radio buttons show, as it would at its first store.
    auto node = newNode(panel_->contentType());
    MenuNode* added = node.get();
    perform(new InsertItemsCommand(*this, tr("增加根菜单"), nullptr, static_cast<int>(scheme_.roots().size()),
                                   one(std::move(node)), added));
}

void MainWindow::addSubItem() {
    if (!selected_) return;
    perform(new InsertItemsCommand(*this, tr("增加子菜单"), selected_, selected_->childCount(),
                                   one(newNode(0)), selected_));
    clickedNode_ = nullptr;
}

void MainWindow::deleteItem() {
    if (!selected_) return;
    perform(new RemoveItemCommand(*this, tr("删除菜单项"), selected_));
}

void MainWindow::moveSelected(int delta) {
    if (!selected_) return;
    // Only the item's own sibling group changes order.
    const int row = model_->rowOf(selected_);
    const int other = row + delta;
    if (other < 0 || other >= static_cast<int>(scheme_.siblingsOf(selected_).size())) return;
    perform(new MoveItemCommand(*this, delta < 0 ? tr("上移") : tr("下移"), selected_, selected_->parent(),
                                other, false));
}

void MainWindow::moveDown() { moveSelected(+1); }

void MainWindow::moveUp() { moveSelected(-1); }

void MainWindow::outdentItem() {
    if (!selected_ || !selected_->parent()) return;
    MenuNode* parent = selected_->parent();
    perform(new MoveItemCommand(*this, tr("升级"), selected_, parent->parent(), model_->rowOf(parent) + 1,
                                false));
}

void MainWindow::indentItem() {
    if (!selected_) return;
    const int row = model_->rowOf(selected_);
    if (row <= 0) return;
    MenuNode* newParent = scheme_.siblingsOf(selected_)[static_cast<size_t>(row) - 1].get();
    perform(new MoveItemCommand(*this, tr("降级"), selected_, newParent, newParent->childCount(), true));
}

void MainWindow::onLeftPressed(MenuNode* pressed) {
    dragNode_ = nullptr;
    if (!pressed) return;
    if (pressed == clickedNode_) {
        // The second press on the same caption arms a drag.
        tree_->armDrag(pressed);
        dragNode_ = pressed;
        clickedNode_ = nullptr;
    } else {
        clickedNode_ = pressed;
    }
}

void MainWindow::onDropped(MenuNode* target) {
    if (!dragNode_) return;
    if (target == dragNode_->parent()) return;  // own parent, or a root item onto empty space
    // It becomes the target's last child (a drop onto the item itself or into its own
    // subtree moves nothing, but is still a step).
    const int row = static_cast<int>((target ? target->children() : scheme_.roots()).size());
    MenuNode* dragged = dragNode_;
    dragNode_ = nullptr;
    perform(new MoveItemCommand(*this, tr("拖放菜单项"), dragged, target, row, true));
    refreshImage(target);
    clickedNode_ = nullptr;
}

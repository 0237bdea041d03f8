// SPDX-License-Identifier: MIT
// The undo history of the main window: edits in the pages become steps, and the steps
// the undo commands (undo_commands.h) are made of keep the tree view, the item panel and
// the pages in step with the scheme.
#include <QScopedValueRollback>
#include <QTabWidget>
#include <QUndoStack>

#include "ui/main/item_panel.h"
#include "ui/main/main_window.h"
#include "ui/main/menu_tree_view.h"
#include "ui/main/scheme_tree_model.h"
#include "ui/main/settings_page.h"
#include "ui/main/style_page.h"
#include "ui/main/undo_commands.h"
#include "ui_main_window.h"

using namespace sylvanode;

void MainWindow::onPanelFieldEdited(ItemField field) {
    if (!selected_) return;
    ItemState before{selected_->caption, selected_->data};
    ItemState after = before;
    panel_->storeField(field, after.data);
    if (field == ItemField::Title) after.caption = after.data.menuName;
    perform(new ItemEditCommand(*this, selected_, field, editSession_, std::move(before), std::move(after)));
}

void MainWindow::onOptionChanged(int page, const QString& stepName, int mergeKey) {
    SchemeOptions after = optionsOf(scheme_);
    perform(new OptionsCommand(*this, static_cast<OptionsCommand::Page>(page), stepName, mergeKey,
                               editSession_, *shownOptions_, after));
    *shownOptions_ = std::move(after);
}

void MainWindow::perform(QUndoCommand* command) {
    undoStack_->push(command);
    markModified();
}

void MainWindow::clearHistory() {
    undoStack_->clear();
    shownOptions_ = std::make_unique<SchemeOptions>(optionsOf(scheme_));
    sealMerging();
}

void MainWindow::undo() {
    if (!undoStack_->canUndo()) return;
    sealMerging();
    undoStack_->undo();
}

void MainWindow::redo() {
    if (!undoStack_->canRedo()) return;
    sealMerging();
    undoStack_->redo();
}

bool MainWindow::inTree(const MenuNode* node) const {
    if (!node) return false;
    const MenuNode* top = node;
    while (top->parent()) top = top->parent();
    return model_->rowOf(top) >= 0;
}

void MainWindow::beginTreeChange() {
    saveNodeData(selected_);
    suppressSelection_ = true;
}

void MainWindow::endTreeChange(MenuNode* select) {
    if (!inTree(select)) select = nullptr;
    const bool same = select == selected_;
    selected_ = select;
    if (select) {
        const QModelIndex index = model_->indexOf(select);
        tree_->setCurrentIndex(index);
        tree_->scrollTo(index);
    } else {
        tree_->selectionModel()->clear();
    }
    suppressSelection_ = false;
    sealMerging();
    if (!select)
        panel_->showNothing();
    else if (!same)
        showNodeData(select);
    else
        refreshImage(select);
    updateActions();
}

MenuNode* MainWindow::insertSubtree(MenuNode* parent, int row, std::unique_ptr<MenuNode> node) {
    MenuNode* added = model_->insertNode(parent, row, std::move(node));
    refreshImage(parent);
    restoreExpansion(added);
    return added;
}

std::unique_ptr<MenuNode> MainWindow::takeSubtree(MenuNode* node) {
    // Nothing may keep pointing into the subtree that leaves the tree.
    const auto inside = [node](const MenuNode* n) {
        return n && (n == node || sylvanode::isAncestorOf(node, n));
    };
    if (inside(dragNode_)) dragNode_ = nullptr;
    if (inside(clickedNode_)) clickedNode_ = nullptr;
    if (inside(selected_)) selected_ = nullptr;
    MenuNode* parent = node->parent();
    std::unique_ptr<MenuNode> taken = model_->takeNode(node);
    // A parent that lost its last child is a page again at once.
    refreshImage(parent);
    return taken;
}

void MainWindow::moveSubtree(MenuNode* node, MenuNode* parent, int row, bool expandParent) {
    MenuNode* oldParent = node->parent();
    model_->moveNode(node, parent, row);
    if (expandParent && parent && nodeLevel(parent) < kDeepestExpandedLevel)
        tree_->setExpanded(model_->indexOf(parent), true);
    refreshImage(oldParent);
    refreshImage(parent);
    refreshImage(node);
}

void MainWindow::restoreExpansion(MenuNode* root) {
    // The view forgot the expansion of nodes that left the tree. Stored children-first while
    // a layout is pending, so a large subtree costs one layout.
    std::vector<MenuNode*> open;
    const int top = nodeLevel(root);
    std::vector<std::pair<MenuNode*, int>> stack{{root, top}};
    while (!stack.empty()) {
        auto [n, level] = stack.back();
        stack.pop_back();
        if (!n->expanded || !n->hasChildren() || level >= kDeepestExpandedLevel) continue;
        open.push_back(n);
        for (const auto& c : n->children()) stack.emplace_back(c.get(), level + 1);
    }
    if (open.empty()) return;
    const QScopedValueRollback<bool> restoring(restoringExpansion_, true);
    tree_->scheduleLayout();
    for (auto it = open.rbegin(); it != open.rend(); ++it) tree_->setExpanded(model_->indexOf(*it), true);
}

void MainWindow::setItemState(MenuNode* node, const ItemState& state, bool fromPanel) {
    node->caption = state.caption;
    node->data = state.data;
    model_->nodeChanged(node);
    // An undo or redo selects the item first (revealItem), so the panel shows what it holds.
    if (!fromPanel && node == selected_) panel_->show(node->data);
}

void MainWindow::revealItem(MenuNode* node) {
    if (node != selected_) selectNode(node);
    ui->pages->setCurrentWidget(panel_);
}

void MainWindow::setOptions(const SchemeOptions& options, int page) {
    applyOptions(scheme_, options);
    *shownOptions_ = options;
    QWidget* shown = page == int(OptionsCommand::Page::Settings) ? static_cast<QWidget*>(settingsPage_)
                                                                 : static_cast<QWidget*>(stylePage_);
    ui->pages->setCurrentWidget(shown);
    stylePage_->refreshStyleTexts();
    stylePage_->refreshValues();
    settingsPage_->refresh();
}

// SPDX-License-Identifier: MIT
#include "ui/main/undo_commands.h"

#include <QCoreApplication>

#include "ui/main/main_window.h"
#include "ui/main/scheme_tree_model.h"

namespace sylvanode {

SchemeOptions optionsOf(const MenuScheme& scheme) {
    SchemeOptions o{scheme.settings, scheme.kinds};
    o.settings.menuSuffix.clear();
    return o;
}

void applyOptions(MenuScheme& scheme, const SchemeOptions& options) {
    std::string suffix = std::move(scheme.settings.menuSuffix);
    scheme.settings = options.settings;
    scheme.settings.menuSuffix = std::move(suffix);
    scheme.kinds = options.kinds;
}

QString itemFieldStepName(ItemField field) {
    switch (field) {
        case ItemField::Title: return QCoreApplication::translate("MainWindow", "修改菜单标题");
        case ItemField::Hint: return QCoreApplication::translate("MainWindow", "修改提示文字");
        case ItemField::Status: return QCoreApplication::translate("MainWindow", "修改状态栏文字");
        case ItemField::Icon1: return QCoreApplication::translate("MainWindow", "修改折叠图标");
        case ItemField::Icon2: return QCoreApplication::translate("MainWindow", "修改展开图标");
        case ItemField::Link: return QCoreApplication::translate("MainWindow", "修改链接");
        case ItemField::Target: return QCoreApplication::translate("MainWindow", "修改目标框架");
        case ItemField::Script: return QCoreApplication::translate("MainWindow", "修改脚本");
        case ItemField::Action: return QCoreApplication::translate("MainWindow", "修改点击动作");
    }
    return {};
}

// ---- insert ----

InsertItemsCommand::InsertItemsCommand(MainWindow& window, const QString& text, MenuNode* parent, int row,
                                       std::vector<std::unique_ptr<MenuNode>> nodes, MenuNode* selectAfter)
    : QUndoCommand(text),
      window_(window),
      parent_(parent),
      row_(row),
      owned_(std::move(nodes)),
      selectBefore_(window.selectedNode()),
      selectAfter_(selectAfter) {
    for (const auto& n : owned_) nodes_.push_back(n.get());
}

void InsertItemsCommand::redo() {
    window_.beginTreeChange();
    for (size_t i = 0; i < owned_.size(); ++i)
        window_.insertSubtree(parent_, row_ + static_cast<int>(i), std::move(owned_[i]));
    owned_.clear();
    window_.endTreeChange(selectAfter_);
}

void InsertItemsCommand::undo() {
    window_.beginTreeChange();
    owned_.resize(nodes_.size());
    for (size_t i = nodes_.size(); i-- > 0;) owned_[i] = window_.takeSubtree(nodes_[i]);
    window_.endTreeChange(selectBefore_);
}

// ---- remove ----

RemoveItemCommand::RemoveItemCommand(MainWindow& window, const QString& text, MenuNode* node)
    : QUndoCommand(text),
      window_(window),
      node_(node),
      parent_(node->parent()),
      row_(window.treeModel().rowOf(node)) {}

void RemoveItemCommand::redo() {
    window_.beginTreeChange();
    MenuNode* selected = window_.selectedNode();
    const bool selectionGoes = selected && (selected == node_ || isAncestorOf(node_, selected));
    owned_ = window_.takeSubtree(node_);
    if (selectionGoes) {
        // The neighbour that took the item's place, else the one before it, else the parent.
        const auto& group = parent_ ? parent_->children() : window_.scheme().roots();
        if (static_cast<size_t>(row_) < group.size())
            selected = group[static_cast<size_t>(row_)].get();
        else if (row_ > 0 && !group.empty())
            selected = group[static_cast<size_t>(row_) - 1].get();
        else
            selected = parent_;
    }
    window_.endTreeChange(selected);
}

void RemoveItemCommand::undo() {
    window_.beginTreeChange();
    window_.insertSubtree(parent_, row_, std::move(owned_));
    window_.endTreeChange(node_);
}

// ---- move ----

MoveItemCommand::MoveItemCommand(MainWindow& window, const QString& text, MenuNode* node, MenuNode* newParent,
                                 int row, bool expandNewParent)
    : QUndoCommand(text),
      window_(window),
      node_(node),
      oldParent_(node->parent()),
      oldRow_(window.treeModel().rowOf(node)),
      newParent_(newParent),
      newRow_(row),
      expand_(expandNewParent) {
    moves_ =
        newParent != node && !isAncestorOf(node, newParent) && !(newParent == oldParent_ && row == oldRow_);
}

void MoveItemCommand::redo() {
    window_.beginTreeChange();
    if (moves_) window_.moveSubtree(node_, newParent_, newRow_, expand_);
    window_.endTreeChange(node_);
}

void MoveItemCommand::undo() {
    window_.beginTreeChange();
    if (moves_) window_.moveSubtree(node_, oldParent_, oldRow_, false);
    window_.endTreeChange(node_);
}

// ---- item fields ----

ItemEditCommand::ItemEditCommand(MainWindow& window, MenuNode* node, ItemField field, int session,
                                 ItemState before, ItemState after, bool fromPanel)
    : QUndoCommand(itemFieldStepName(field)),
      window_(window),
      node_(node),
      field_(field),
      session_(session),
      before_(std::move(before)),
      after_(std::move(after)),
      fromPanel_(fromPanel) {}

void ItemEditCommand::redo() {
    if (!pushed_) {
        pushed_ = true;
        window_.setItemState(node_, after_, fromPanel_);
        return;
    }
    window_.revealItem(node_);
    window_.setItemState(node_, after_, false);
}

void ItemEditCommand::undo() {
    window_.revealItem(node_);
    window_.setItemState(node_, before_, false);
}

bool ItemEditCommand::mergeWith(const QUndoCommand* other) {
    const auto* next = static_cast<const ItemEditCommand*>(other);
    if (next->node_ != node_ || next->session_ != session_) return false;
    after_ = next->after_;
    return true;
}

// ---- settings and styles ----

OptionsCommand::OptionsCommand(MainWindow& window, Page page, const QString& text, int mergeKey, int session,
                               SchemeOptions before, SchemeOptions after)
    : QUndoCommand(text),
      window_(window),
      page_(page),
      mergeKey_(mergeKey),
      session_(session),
      before_(std::move(before)),
      after_(std::move(after)) {}

int OptionsCommand::id() const {
    if (mergeKey_ < 0) return -1;
    return (page_ == Page::Settings ? kSettingsId : kStylesId) + mergeKey_;
}

void OptionsCommand::redo() {
    if (!pushed_) {
        // The page wrote the change into the scheme itself.
        pushed_ = true;
        return;
    }
    window_.setOptions(after_, static_cast<int>(page_));
}

void OptionsCommand::undo() { window_.setOptions(before_, static_cast<int>(page_)); }

bool OptionsCommand::mergeWith(const QUndoCommand* other) {
    const auto* next = static_cast<const OptionsCommand*>(other);
    if (next->session_ != session_) return false;
    after_ = next->after_;
    return true;
}

}  // namespace sylvanode

// SPDX-License-Identifier: MIT
#include "document/edit_commands.h"

#include <algorithm>

namespace sylvanode {
namespace {

// The text an item field edits (the action has none of its own: its kind).
const SchemeText* fieldText(const MenuItemData& d, ItemField field) {
    switch (field) {
        case ItemField::Title: return &d.menuName;
        case ItemField::Hint: return &d.menuHint;
        case ItemField::Status: return &d.menuStatus;
        case ItemField::Icon1: return &d.menuIcon1;
        case ItemField::Icon2: return &d.menuIcon2;
        case ItemField::Link: return &d.menuLink;
        case ItemField::Target: return &d.menuTarget;
        case ItemField::Script: return &d.menuScript;
        case ItemField::Action: return nullptr;
    }
    return nullptr;
}

bool isBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

bool startsNewWord(std::string_view before, std::string_view after) {
    if (after.size() <= before.size()) return false;
    // The bytes typed: what lies between the common beginning and the common end. A blank
    // is never a trail byte, so a byte scan finds it.
    size_t head = 0;
    while (head < before.size() && before[head] == after[head]) ++head;
    size_t tail = 0;
    while (tail < before.size() - head && before[before.size() - 1 - tail] == after[after.size() - 1 - tail])
        ++tail;
    const auto typed = after.substr(head, after.size() - head - tail);
    return std::any_of(typed.begin(), typed.end(), isBlank);
}

// ---- insert ----

InsertItemsCommand::InsertItemsCommand(SchemeDocument& document, const QString& text, MenuNode* parent, int row,
                                       std::vector<std::unique_ptr<MenuNode>> nodes, MenuNode* selectAfter)
    : QUndoCommand(text),
      document_(document),
      parent_(parent),
      row_(row),
      owned_(std::move(nodes)),
      selectBefore_(document.currentItem()),
      selectAfter_(selectAfter) {
    for (const auto& n : owned_) nodes_.push_back(n.get());
}

void InsertItemsCommand::redo() {
    document_.beginStep();
    for (size_t i = 0; i < owned_.size(); ++i)
        document_.insertSubtree(parent_, row_ + static_cast<int>(i), std::move(owned_[i]));
    owned_.clear();
    document_.endStep(selectAfter_);
}

void InsertItemsCommand::undo() {
    document_.beginStep();
    owned_.resize(nodes_.size());
    for (size_t i = nodes_.size(); i-- > 0;) owned_[i] = document_.takeSubtree(nodes_[i]);
    document_.endStep(selectBefore_);
}

// ---- remove ----

RemoveItemCommand::RemoveItemCommand(SchemeDocument& document, const QString& text, MenuNode* node)
    : QUndoCommand(text),
      document_(document),
      node_(node),
      parent_(node->parent()),
      row_(document.rowOf(node)) {}

void RemoveItemCommand::redo() {
    document_.beginStep();
    MenuNode* selected = document_.currentItem();
    const bool selectionGoes = selected && (selected == node_ || isAncestorOf(node_, selected));
    owned_ = document_.takeSubtree(node_);
    if (selectionGoes) {
        const auto& group = parent_ ? parent_->children() : document_.scheme().roots();
        if (static_cast<size_t>(row_) < group.size())
            selected = group[static_cast<size_t>(row_)].get();
        else if (row_ > 0 && !group.empty())
            selected = group[static_cast<size_t>(row_) - 1].get();
        else
            selected = parent_;
    }
    document_.endStep(selected);
}

void RemoveItemCommand::undo() {
    document_.beginStep();
    document_.insertSubtree(parent_, row_, std::move(owned_));
    document_.endStep(node_);
}

// ---- move ----

MoveItemCommand::MoveItemCommand(SchemeDocument& document, const QString& text, MenuNode* node,
                                 MenuNode* newParent, int row, bool expandNewParent)
    : QUndoCommand(text),
      document_(document),
      node_(node),
      oldParent_(node->parent()),
      oldRow_(document.rowOf(node)),
      newParent_(newParent),
      newRow_(row),
      expand_(expandNewParent) {
    moves_ =
        newParent != node && !isAncestorOf(node, newParent) && !(newParent == oldParent_ && row == oldRow_);
}

void MoveItemCommand::redo() {
    document_.beginStep();
    if (moves_) {
        document_.moveSubtree(node_, newParent_, newRow_);
        if (expand_ && newParent_) document_.setExpanded(newParent_, true);
    }
    document_.endStep(node_);
}

void MoveItemCommand::undo() {
    document_.beginStep();
    if (moves_) document_.moveSubtree(node_, oldParent_, oldRow_);
    document_.endStep(node_);
}

// ---- item fields ----

ItemEditCommand::ItemEditCommand(SchemeDocument& document, MenuNode* node, ItemField field, ItemState before,
                                 ItemState after)
    : QUndoCommand(),
      document_(document),
      node_(node),
      field_(field),
      session_(document.editSession()),
      time_(document.now()),
      before_(std::move(before)),
      after_(std::move(after)) {
    switch (field) {
        case ItemField::Title: setText(SchemeDocument::tr("修改菜单标题")); break;
        case ItemField::Hint: setText(SchemeDocument::tr("修改提示文字")); break;
        case ItemField::Status: setText(SchemeDocument::tr("修改状态栏文字")); break;
        case ItemField::Icon1: setText(SchemeDocument::tr("修改折叠图标")); break;
        case ItemField::Icon2: setText(SchemeDocument::tr("修改展开图标")); break;
        case ItemField::Link: setText(SchemeDocument::tr("修改链接")); break;
        case ItemField::Target: setText(SchemeDocument::tr("修改目标框架")); break;
        case ItemField::Script: setText(SchemeDocument::tr("修改脚本")); break;
        case ItemField::Action: setText(SchemeDocument::tr("修改点击动作")); break;
    }
}

void ItemEditCommand::redo() {
    if (pushed_) {
        // Made again: the item is shown where it was edited.
        document_.setCurrentItem(node_);
        Q_EMIT document_.changeReplayed(DocumentPart::Items, node_);
    }
    pushed_ = true;
    document_.setItemState(node_, after_);
}

void ItemEditCommand::undo() {
    document_.setCurrentItem(node_);
    Q_EMIT document_.changeReplayed(DocumentPart::Items, node_);
    document_.setItemState(node_, before_);
}

bool ItemEditCommand::mergeWith(const QUndoCommand* other) {
    const auto* next = static_cast<const ItemEditCommand*>(other);
    if (next->node_ != node_ || next->session_ != session_) return false;
    if (next->time_ - time_ > SchemeDocument::kMergePauseMs) return false;
    const SchemeText* was = fieldText(after_.data, field_);
    const SchemeText* now = fieldText(next->after_.data, field_);
    if (was && now && startsNewWord(*was, *now)) return false;
    after_ = next->after_;
    time_ = next->time_;
    return true;
}

// ---- settings and styles ----

OptionsCommand::OptionsCommand(SchemeDocument& document, DocumentPart part, const QString& text, int mergeKey,
                               SchemeOptions before, SchemeOptions after)
    : QUndoCommand(text),
      document_(document),
      part_(part),
      mergeKey_(mergeKey),
      session_(document.editSession()),
      time_(document.now()),
      before_(std::move(before)),
      after_(std::move(after)) {}

int OptionsCommand::id() const {
    if (mergeKey_ < 0) return -1;
    return (part_ == DocumentPart::Settings ? kSettingsId : kStylesId) + mergeKey_;
}

void OptionsCommand::redo() {
    if (pushed_) Q_EMIT document_.changeReplayed(part_, nullptr);
    pushed_ = true;
    document_.setOptions(after_, part_);
}

void OptionsCommand::undo() {
    Q_EMIT document_.changeReplayed(part_, nullptr);
    document_.setOptions(before_, part_);
}

bool OptionsCommand::mergeWith(const QUndoCommand* other) {
    const auto* next = static_cast<const OptionsCommand*>(other);
    if (next->session_ != session_ || next->time_ - time_ > SchemeDocument::kMergePauseMs) return false;
    if (startsNewWord(after_.settings.target, next->after_.settings.target)) return false;
    after_ = next->after_;
    time_ = next->time_;
    return true;
}

// ---- reload ----

ReloadCommand::ReloadCommand(SchemeDocument& document, const QString& text, std::unique_ptr<MenuScheme> other)
    : QUndoCommand(text), document_(document), other_(std::move(other)) {}

void ReloadCommand::exchange() { document_.swapContent(*other_); }

void ReloadCommand::redo() { exchange(); }

void ReloadCommand::undo() { exchange(); }

}  // namespace sylvanode

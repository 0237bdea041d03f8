// SPDX-License-Identifier: MIT
#pragma once

#include <QUndoCommand>
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "model/menu_scheme.h"
#include "ui/main/item_panel.h"

class MainWindow;

namespace sylvanode {

// One undo step per edit of the scheme. Every command works on nodes by pointer: a node
// that leaves the tree is owned by the command that took it out (or, while an insertion
// is undone, by the insertion), so a pointer held by any command on the stack stays valid
// and undo puts the very same nodes back. Each command's first redo runs when it is pushed.

// The texts of one item as its record and its caption hold them.
struct ItemState {
    std::string caption;
    MenuItemData data;
    bool operator==(const ItemState&) const = default;
};

// What the settings and style pages edit: everything of the scheme but the tree, the file
// name and the suffix (which is not part of the document's history).
struct SchemeOptions {
    SchemeSettings settings;
    std::array<KindStyle, 2> kinds{};
    bool operator==(const SchemeOptions&) const = default;
};
SchemeOptions optionsOf(const MenuScheme& scheme);
void applyOptions(MenuScheme& scheme, const SchemeOptions& options);

// Ids under which consecutive steps merge (QUndoCommand::id).
enum CommandId { kItemFieldId = 100, kSettingsId = 200, kStylesId = 300 };

// New items (add root item, add sub item, paste, duplicate): consecutive children of
// `parent` (none: roots) from `row` on.
class InsertItemsCommand : public QUndoCommand {
public:
    InsertItemsCommand(MainWindow& window, const QString& text, MenuNode* parent, int row,
                       std::vector<std::unique_ptr<MenuNode>> nodes, MenuNode* selectAfter);
    void redo() override;
    void undo() override;

private:
    MainWindow& window_;
    MenuNode* parent_;
    int row_;
    std::vector<MenuNode*> nodes_;
    std::vector<std::unique_ptr<MenuNode>> owned_;  // while undone
    MenuNode* selectBefore_;
    MenuNode* selectAfter_;
};

// Delete and cut: one item with its subtree.
class RemoveItemCommand : public QUndoCommand {
public:
    RemoveItemCommand(MainWindow& window, const QString& text, MenuNode* node);
    void redo() override;
    void undo() override;

private:
    MainWindow& window_;
    MenuNode* node_;
    MenuNode* parent_;
    int row_;
    std::unique_ptr<MenuNode> owned_;  // while done
};

// Move up, move down, indent, outdent and a drop: one item with its subtree becomes child
// `row` of `newParent` (none: a root). A target inside the item's own subtree moves nothing
// but is still a step, as a drop there marks the scheme modified.
class MoveItemCommand : public QUndoCommand {
public:
    MoveItemCommand(MainWindow& window, const QString& text, MenuNode* node, MenuNode* newParent, int row,
                    bool expandNewParent);
    void redo() override;
    void undo() override;

private:
    MainWindow& window_;
    MenuNode* node_;
    MenuNode* oldParent_;
    int oldRow_;
    MenuNode* newParent_;
    int newRow_;
    bool expand_;
    bool moves_;
};

// An edit of one field of an item in the item panel (or a rename in the tree). Typing in
// one field merges into one step until another field, another item or another command.
class ItemEditCommand : public QUndoCommand {
public:
    // `fromPanel`: the item panel is where the edit came from and shows it already.
    ItemEditCommand(MainWindow& window, MenuNode* node, ItemField field, int session, ItemState before,
                    ItemState after, bool fromPanel = true);
    void redo() override;
    void undo() override;
    int id() const override { return kItemFieldId + static_cast<int>(field_); }
    bool mergeWith(const QUndoCommand* other) override;

private:
    MainWindow& window_;
    MenuNode* node_;
    ItemField field_;
    int session_;
    ItemState before_;
    ItemState after_;
    bool fromPanel_;
    bool pushed_ = false;
};

// A change on the settings page or the style page, as snapshots of both sides.
class OptionsCommand : public QUndoCommand {
public:
    enum class Page { Styles, Settings };
    OptionsCommand(MainWindow& window, Page page, const QString& text, int mergeKey, int session,
                   SchemeOptions before, SchemeOptions after);
    void redo() override;
    void undo() override;
    int id() const override;
    bool mergeWith(const QUndoCommand* other) override;

private:
    MainWindow& window_;
    Page page_;
    int mergeKey_;
    int session_;
    SchemeOptions before_;
    SchemeOptions after_;
    bool pushed_ = false;
};

// The names of the steps, as the edit menu shows them after "撤销" and "重做".
QString itemFieldStepName(ItemField field);

}  // namespace sylvanode

// SPDX-License-Identifier: MIT
#pragma once

#include <QUndoCommand>
#include <memory>
#include <string_view>
#include <vector>

#include "document/scheme_document.h"

namespace sylvanode {

// One undo step per edit of a document. Every command works on nodes by pointer: a node that
// leaves the tree is owned by the command that took it out (or, while an insertion is
// undone, by the insertion), so a pointer held by any command on the stack stays valid and
// undo puts the very same nodes back. Each command's first redo runs when it is pushed.
// Commands change the document only through its steps; none of them knows a view.

// Ids under which consecutive steps merge (QUndoCommand::id).
enum CommandId { kItemFieldId = 100, kSettingsId = 200, kStylesId = 300 };

// New items (add root item, add sub item, paste, duplicate): consecutive children of
// `parent` (none: roots) from `row` on; `selectAfter` becomes the current item.
class InsertItemsCommand : public QUndoCommand {
public:
    InsertItemsCommand(SchemeDocument& document, const QString& text, MenuNode* parent, int row,
                       std::vector<std::unique_ptr<MenuNode>> nodes, MenuNode* selectAfter);
    void redo() override;
    void undo() override;

private:
    SchemeDocument& document_;
    MenuNode* parent_;
    int row_;
    std::vector<MenuNode*> nodes_;
    std::vector<std::unique_ptr<MenuNode>> owned_;  // while undone
    MenuNode* selectBefore_;
    MenuNode* selectAfter_;
};

// Delete and cut: one item with its subtree. The neighbour that takes its place (else the
// one before it, else the parent) becomes current when the current item goes with it.
class RemoveItemCommand : public QUndoCommand {
public:
    RemoveItemCommand(SchemeDocument& document, const QString& text, MenuNode* node);
    void redo() override;
    void undo() override;

private:
    SchemeDocument& document_;
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
    MoveItemCommand(SchemeDocument& document, const QString& text, MenuNode* node, MenuNode* newParent, int row,
                    bool expandNewParent);
    void redo() override;
    void undo() override;

private:
    SchemeDocument& document_;
    MenuNode* node_;
    MenuNode* oldParent_;
    int oldRow_;
    MenuNode* newParent_;
    int newRow_;
    bool expand_;
    bool moves_;
};

// An edit of one field of an item (or a rename in the tree). Typing in one field merges
// into one step while the session lasts, the pauses stay short and no word begins.
class ItemEditCommand : public QUndoCommand {
public:
    ItemEditCommand(SchemeDocument& document, MenuNode* node, ItemField field, ItemState before, ItemState after);
    void redo() override;
    void undo() override;
    int id() const override { return kItemFieldId + static_cast<int>(field_); }
    bool mergeWith(const QUndoCommand* other) override;

private:
    SchemeDocument& document_;
    MenuNode* node_;
    ItemField field_;
    int session_;
    qint64 time_;
    ItemState before_;
    ItemState after_;
    bool pushed_ = false;
};

// A change of the settings or the styles, as snapshots of both sides. Changes of one control
// (`mergeKey` >= 0) merge like typing.
class OptionsCommand : public QUndoCommand {
public:
    OptionsCommand(SchemeDocument& document, DocumentPart part, const QString& text, int mergeKey,
                   SchemeOptions before, SchemeOptions after);
    void redo() override;
    void undo() override;
    int id() const override;
    bool mergeWith(const QUndoCommand* other) override;

private:
    SchemeDocument& document_;
    DocumentPart part_;
    int mergeKey_;
    int session_;
    qint64 time_;
    SchemeOptions before_;
    SchemeOptions after_;
    bool pushed_ = false;
};

// The file read again after another program changed it: tree, settings and styles are
// exchanged whole, so undo gives back the very nodes of the version before.
class ReloadCommand : public QUndoCommand {
public:
    ReloadCommand(SchemeDocument& document, const QString& text, std::unique_ptr<MenuScheme> other);
    void redo() override;
    void undo() override;

private:
    void exchange();
    SchemeDocument& document_;
    std::unique_ptr<MenuScheme> other_;
};

// Whether going from `before` to `after` types the start of a new word (a blank inserted):
// where typing stops merging into the step before.
bool startsNewWord(std::string_view before, std::string_view after);

}  // namespace sylvanode

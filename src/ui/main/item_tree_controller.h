// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>

class QModelIndex;

namespace sylvanode {

class MenuNode;
class MenuTreeView;
class SchemeDocument;
class SchemeTreeModel;

// Keeps the item tree view and the document in step: the view shows the document's current
// item and each item's expansion, and what the user does in the view (select, open, close,
// drag with the editor's two-press rule, open everything below an item) reaches the document.
class ItemTreeController : public QObject {
    Q_OBJECT
public:
    ItemTreeController(SchemeDocument& document, SchemeTreeModel& model, MenuTreeView& view,
                       QObject* parent = nullptr);

    // The item the last press hit, and the item whose drag the press after it armed.
    MenuNode* clickedNode() const { return clickedNode_; }
    MenuNode* dragNode() const { return dragNode_; }
    // The next press starts over (after an item was added, pasted or dropped).
    void forgetClick() { clickedNode_ = nullptr; }
    // Opens everything below `node` ("*" on an item), as deep as the view can lay out.
    void expandSubtree(MenuNode* node);
    // The item shown: its parents opened, scrolled to, current.
    void reveal(MenuNode* node);

private:
    void showCurrent(MenuNode* node);
    void onViewCurrentChanged(const QModelIndex& current);
    void onViewExpanded(const QModelIndex& index, bool expanded);
    void followExpansion(MenuNode* node);
    // Opens the items of a subtree (back in the tree) that were open, in one layout.
    void restoreExpansion(MenuNode* root);
    void forgetInside(const MenuNode* node);
    void onLeftPressed(MenuNode* pressed);
    void onDropped(MenuNode* target);

    SchemeDocument& document_;
    SchemeTreeModel& model_;
    MenuTreeView& view_;
    MenuNode* clickedNode_ = nullptr;
    MenuNode* dragNode_ = nullptr;
    bool syncing_ = false;  // the view is being set from the document
};

}  // namespace sylvanode

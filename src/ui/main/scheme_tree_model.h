// SPDX-License-Identifier: MIT
#pragma once

#include <QAbstractItemModel>
#include <QIcon>
#include <array>
#include <unordered_map>
#include <vector>

#include "model/menu_scheme.h"

namespace sylvanode {

// The tree view's window onto the scheme's item forest. The scheme is the one
// truth; every structural edit goes through this adapter so the view hears of it.
//
// Rows of nodes are looked up in a cache that is rebuilt for one sibling group at
// a time when that group changes, so finding a node's index costs O(1) even among
// tens of thousands of siblings.
class SchemeTreeModel : public QAbstractItemModel {
    Q_OBJECT
public:
    explicit SchemeTreeModel(MenuScheme& scheme, QObject* parent = nullptr);

    MenuScheme& scheme() const { return scheme_; }

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    bool hasChildren(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // A rename in place is reported, not applied: the window makes it an undo step.
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

    MenuNode* nodeFromIndex(const QModelIndex& index) const;
    QModelIndex indexOf(const MenuNode* node) const;
    int rowOf(const MenuNode* node) const;

    // Structural edits. A node that leaves the tree is handed over, never destroyed here,
    // so an undo step can put the very same nodes back.
    // Inserts a detached node with its subtree as child `row` of `parent` (none: a root).
    MenuNode* insertNode(MenuNode* parent, int row, std::unique_ptr<MenuNode> node);
    // Detaches a node with its subtree.
    std::unique_ptr<MenuNode> takeNode(MenuNode* node);
    // Moves a node with its subtree so that it becomes child `row` of `newParent` (none: a
    // root), `row` counted after the move. The caller keeps a node out of its own subtree.
    void moveNode(MenuNode* node, MenuNode* newParent, int row);
    // The caption or picture of a node changed.
    void nodeChanged(const MenuNode* node);
    // The whole forest was replaced or emptied outside the adapter.
    void beginReplace();
    void endReplace();

    static const QIcon& imageIcon(int imageIndex);

Q_SIGNALS:
    void renameRequested(sylvanode::MenuNode* node, const QString& title);

private:
    using Siblings = std::vector<std::unique_ptr<MenuNode>>;
    const Siblings& groupOf(const MenuNode* parent) const;
    void indexGroup(const Siblings& group, size_t from = 0) const;

    MenuScheme& scheme_;
    mutable std::unordered_map<const MenuNode*, int> rows_;
};

}  // namespace sylvanode

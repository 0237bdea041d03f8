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

    MenuNode* nodeFromIndex(const QModelIndex& index) const;
    QModelIndex indexOf(const MenuNode* node) const;
    int rowOf(const MenuNode* node) const;

    // Structural edits.
    MenuNode* appendRoot(std::unique_ptr<MenuNode> node);
    MenuNode* appendChild(MenuNode* parent, std::unique_ptr<MenuNode> node);
    void removeNode(MenuNode* node);
    // Moves `node` with its subtree to the end of `newParent`'s children (or of the roots).
    void moveToEnd(MenuNode* node, MenuNode* newParent);
    // Stable sort of every sibling group by sortKey; true when any order changed.
    bool sortAllBySortKey();
    // The caption or picture of a node changed.
    void nodeChanged(const MenuNode* node);
    // The whole forest was replaced or emptied outside the adapter.
    void beginReplace();
    void endReplace();

    static const QIcon& imageIcon(int imageIndex);

private:
    using Siblings = std::vector<std::unique_ptr<MenuNode>>;
    const Siblings& groupOf(const MenuNode* parent) const;
    void indexGroup(const Siblings& group) const;

    MenuScheme& scheme_;
    mutable std::unordered_map<const MenuNode*, int> rows_;
};

}  // namespace sylvanode

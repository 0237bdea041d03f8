// SPDX-License-Identifier: MIT
#include "ui/main/scheme_tree_model.h"

#include <algorithm>

#include "ui/common/icons.h"
#include "ui/common/text_codec.h"

namespace sylvanode {

SchemeTreeModel::SchemeTreeModel(MenuScheme& scheme, QObject* parent)
    : QAbstractItemModel(parent), scheme_(scheme) {
    indexGroup(scheme_.roots());
}

const QIcon& SchemeTreeModel::imageIcon(int imageIndex) {
    static const std::array<QIcon, 3> icons{ownIcon("book_closed"), ownIcon("book_open"), ownIcon("page")};
    return icons[static_cast<size_t>(std::clamp(imageIndex, 0, 2))];
}

const SchemeTreeModel::Siblings& SchemeTreeModel::groupOf(const MenuNode* parent) const {
    return parent ? parent->children() : scheme_.roots();
}

void SchemeTreeModel::indexGroup(const Siblings& group, size_t from) const {
    for (size_t i = from; i < group.size(); ++i) rows_[group[i].get()] = static_cast<int>(i);
}

int SchemeTreeModel::rowOf(const MenuNode* node) const {
    if (!node) return -1;
    auto it = rows_.find(node);
    if (it != rows_.end()) {
        const Siblings& group = groupOf(node->parent());
        const auto row = static_cast<size_t>(it->second);
        if (row < group.size() && group[row].get() == node) return it->second;
    }
    // Not indexed yet (a group never asked for) or stale: index the whole group once.
    const Siblings& group = groupOf(node->parent());
    indexGroup(group);
    it = rows_.find(node);
    return it == rows_.end() ? -1 : it->second;
}

MenuNode* SchemeTreeModel::nodeFromIndex(const QModelIndex& index) const {
    return index.isValid() ? static_cast<MenuNode*>(index.internalPointer()) : nullptr;
}

QModelIndex SchemeTreeModel::indexOf(const MenuNode* node) const {
    if (!node) return {};
    const int row = rowOf(node);
    return row < 0 ? QModelIndex() : createIndex(row, 0, const_cast<MenuNode*>(node));
}

QModelIndex SchemeTreeModel::index(int row, int column, const QModelIndex& parent) const {
    if (column != 0 || row < 0) return {};
    const MenuNode* p = nodeFromIndex(parent);
    const Siblings& group = groupOf(p);
    if (static_cast<size_t>(row) >= group.size()) return {};
    MenuNode* node = group[static_cast<size_t>(row)].get();
    return createIndex(row, 0, node);
}

QModelIndex SchemeTreeModel::parent(const QModelIndex& child) const {
    const MenuNode* node = nodeFromIndex(child);
    if (!node || !node->parent()) return {};
    return indexOf(node->parent());
}

int SchemeTreeModel::rowCount(const QModelIndex& parent) const {
    if (parent.column() > 0) return 0;
    return static_cast<int>(groupOf(nodeFromIndex(parent)).size());
}

int SchemeTreeModel::columnCount(const QModelIndex&) const { return 1; }

bool SchemeTreeModel::hasChildren(const QModelIndex& parent) const {
    if (parent.column() > 0) return false;
    return !groupOf(nodeFromIndex(parent)).empty();
}

QVariant SchemeTreeModel::data(const QModelIndex& index, int role) const {
    const MenuNode* node = nodeFromIndex(index);
    if (!node) return {};
    switch (role) {
        case Qt::DisplayRole:
        case Qt::EditRole: return toQString(node->caption);
        case Qt::DecorationRole: return imageIcon(node->imageIndex);
        default: return {};
    }
}

Qt::ItemFlags SchemeTreeModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    // Captions change through the title field, or by a rename in place (F2 only: the view
    // has no edit triggers).
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

bool SchemeTreeModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    MenuNode* node = nodeFromIndex(index);
    if (!node || role != Qt::EditRole) return false;
    Q_EMIT renameRequested(node, value.toString());
    return true;
}

MenuNode* SchemeTreeModel::insertNode(MenuNode* parent, int row, std::unique_ptr<MenuNode> node) {
    row = std::clamp(row, 0, static_cast<int>(groupOf(parent).size()));
    beginInsertRows(indexOf(parent), row, row);
    MenuNode* added =
        parent ? parent->insertChild(row, std::move(node)) : scheme_.insertRoot(row, std::move(node));
    indexGroup(groupOf(parent), static_cast<size_t>(row));
    endInsertRows();
    return added;
}

std::unique_ptr<MenuNode> SchemeTreeModel::takeNode(MenuNode* node) {
    MenuNode* parent = node->parent();
    const int row = rowOf(node);
    beginRemoveRows(indexOf(parent), row, row);
    // Forget the cached rows of the whole subtree while it is out of the tree.
    std::vector<const MenuNode*> stack{node};
    while (!stack.empty()) {
        const MenuNode* n = stack.back();
        stack.pop_back();
        rows_.erase(n);
        for (const auto& c : n->children()) stack.push_back(c.get());
    }
    std::unique_ptr<MenuNode> taken = scheme_.detach(node);
    indexGroup(groupOf(parent), static_cast<size_t>(row));
    endRemoveRows();
    return taken;
}

void SchemeTreeModel::moveNode(MenuNode* node, MenuNode* newParent, int row) {
    MenuNode* oldParent = node->parent();
    const int from = rowOf(node);
    const bool sameGroup = oldParent == newParent;
    const int last = static_cast<int>(groupOf(newParent).size()) - (sameGroup ? 1 : 0);
    row = std::clamp(row, 0, last);
    if (sameGroup && row == from) return;
    // Qt counts the destination before the move: below the node's own row it is one more.
    const int destination = sameGroup && row > from ? row + 1 : row;
    beginMoveRows(indexOf(oldParent), from, from, indexOf(newParent), destination);
    std::unique_ptr<MenuNode> taken = scheme_.detach(node);
    if (newParent)
        newParent->insertChild(row, std::move(taken));
    else
        scheme_.insertRoot(row, std::move(taken));
    indexGroup(groupOf(oldParent), static_cast<size_t>(sameGroup ? std::min(from, row) : from));
    if (!sameGroup) indexGroup(groupOf(newParent), static_cast<size_t>(row));
    endMoveRows();
}

void SchemeTreeModel::nodeChanged(const MenuNode* node) {
    const QModelIndex i = indexOf(node);
    if (i.isValid()) Q_EMIT dataChanged(i, i, {Qt::DisplayRole, Qt::DecorationRole});
}

void SchemeTreeModel::beginReplace() { beginResetModel(); }

void SchemeTreeModel::endReplace() {
    rows_.clear();
    indexGroup(scheme_.roots());
    endResetModel();
}

}  // namespace sylvanode

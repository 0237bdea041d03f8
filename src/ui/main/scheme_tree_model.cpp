// SPDX-License-Identifier: MIT
#include "ui/main/scheme_tree_model.h"

#include <algorithm>
#include <array>

#include "document/item_edits.h"
#include "document/scheme_document.h"
#include "document/text_codec.h"
#include "ui/common/icons.h"

namespace sylvanode {

SchemeTreeModel::SchemeTreeModel(SchemeDocument& document, QObject* parent)
    : QAbstractItemModel(parent), document_(document) {
    connect(&document_, &SchemeDocument::aboutToReplace, this, [this] { beginResetModel(); });
    connect(&document_, &SchemeDocument::replaced, this, [this] { endResetModel(); });
    connect(&document_, &SchemeDocument::itemsAboutToBeInserted, this,
            [this](MenuNode* parent, int first, int last) { beginInsertRows(indexOf(parent), first, last); });
    connect(&document_, &SchemeDocument::itemsInserted, this, [this] { endInsertRows(); });
    connect(&document_, &SchemeDocument::itemsAboutToBeRemoved, this,
            [this](MenuNode* parent, int first, int last) { beginRemoveRows(indexOf(parent), first, last); });
    connect(&document_, &SchemeDocument::itemsRemoved, this, [this] { endRemoveRows(); });
    connect(&document_, &SchemeDocument::itemAboutToBeMoved, this, &SchemeTreeModel::moveAboutToHappen);
    connect(&document_, &SchemeDocument::itemMoved, this, [this] { endMoveRows(); });
    connect(&document_, &SchemeDocument::itemChanged, this, &SchemeTreeModel::nodeChanged);
    connect(&document_, &SchemeDocument::itemLookChanged, this, &SchemeTreeModel::nodeChanged);
}

const QIcon& SchemeTreeModel::imageIcon(int imageIndex) {
    static const std::array<QIcon, 3> icons{ownIcon("book_closed"), ownIcon("book_open"), ownIcon("page")};
    return icons[static_cast<size_t>(std::clamp(imageIndex, 0, 2))];
}

void SchemeTreeModel::moveAboutToHappen(MenuNode* node, MenuNode* newParent, int newRow) {
    MenuNode* oldParent = node->parent();
    const int from = document_.rowOf(node);
    // Qt counts the destination before the move: below the node's own row it is one more.
    const int destination = oldParent == newParent && newRow > from ? newRow + 1 : newRow;
    beginMoveRows(indexOf(oldParent), from, from, indexOf(newParent), destination);
}

int SchemeTreeModel::rowOf(const MenuNode* node) const { return document_.rowOf(node); }

MenuNode* SchemeTreeModel::nodeFromIndex(const QModelIndex& index) const {
    return index.isValid() ? static_cast<MenuNode*>(index.internalPointer()) : nullptr;
}

QModelIndex SchemeTreeModel::indexOf(const MenuNode* node) const {
    if (!node) return {};
    const int row = document_.rowOf(node);
    return row < 0 ? QModelIndex() : createIndex(row, 0, const_cast<MenuNode*>(node));
}

QModelIndex SchemeTreeModel::index(int row, int column, const QModelIndex& parent) const {
    if (column != 0 || row < 0) return {};
    const MenuNode* p = nodeFromIndex(parent);
    const auto& group = p ? p->children() : document_.scheme().roots();
    if (static_cast<size_t>(row) >= group.size()) return {};
    return createIndex(row, 0, group[static_cast<size_t>(row)].get());
}

QModelIndex SchemeTreeModel::parent(const QModelIndex& child) const {
    const MenuNode* node = nodeFromIndex(child);
    if (!node || !node->parent()) return {};
    return indexOf(node->parent());
}

int SchemeTreeModel::rowCount(const QModelIndex& parent) const {
    if (parent.column() > 0) return 0;
    const MenuNode* p = nodeFromIndex(parent);
    return static_cast<int>((p ? p->children() : document_.scheme().roots()).size());
}

int SchemeTreeModel::columnCount(const QModelIndex&) const { return 1; }

bool SchemeTreeModel::hasChildren(const QModelIndex& parent) const { return rowCount(parent) > 0; }

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
    renameItem(document_, node, toSchemeBytes(value.toString()));
    return true;
}

void SchemeTreeModel::nodeChanged(const MenuNode* node) {
    const QModelIndex i = indexOf(node);
    if (i.isValid()) Q_EMIT dataChanged(i, i, {Qt::DisplayRole, Qt::DecorationRole});
}

}  // namespace sylvanode

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

void SchemeTreeModel::indexGroup(const Siblings& group) const {
    for (size_t i = 0; i < group.size(); ++i) rows_[group[i].get()] = static_cast<int>(i);
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
        case Qt::DisplayRole: return toQString(node->caption);
        case Qt::DecorationRole: return imageIcon(node->imageIndex);
        default: return {};
    }
}

Qt::ItemFlags SchemeTreeModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    // Captions are changed only through the title field.
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

MenuNode* SchemeTreeModel::appendRoot(std::unique_ptr<MenuNode> node) {
    const int row = static_cast<int>(scheme_.roots().size());
    beginInsertRows({}, row, row);
    MenuNode* added = scheme_.appendRoot(std::move(node));
    rows_[added] = row;
    endInsertRows();
    return added;
}

MenuNode* SchemeTreeModel::appendChild(MenuNode* parent, std::unique_ptr<MenuNode> node) {
    const int row = parent->childCount();
    beginInsertRows(indexOf(parent), row, row);
    MenuNode* added = parent->appendChild(std::move(node));
    rows_[added] = row;
    endInsertRows();
    return added;
}

void SchemeTreeModel::removeNode(MenuNode* node) {
    MenuNode* parent = node->parent();
    const int row = rowOf(node);
    beginRemoveRows(indexOf(parent), row, row);
    // Forget the cached rows of the whole subtree before its nodes go away.
    std::vector<const MenuNode*> stack{node};
    while (!stack.empty()) {
        const MenuNode* n = stack.back();
        stack.pop_back();
        rows_.erase(n);
        for (const auto& c : n->children()) stack.push_back(c.get());
    }
    scheme_.removeNode(node);
    const Siblings& group = groupOf(parent);
    for (size_t i = static_cast<size_t>(row); i < group.size(); ++i) rows_[group[i].get()] = static_cast<int>(i);
    endRemoveRows();
}

void SchemeTreeModel::moveToEnd(MenuNode* node, MenuNode* newParent) {
    MenuNode* oldParent = node->parent();
    const int row = rowOf(node);
    const QModelIndex from = indexOf(oldParent);
    const QModelIndex to = indexOf(newParent);
    const int destRow = static_cast<int>(groupOf(newParent).size());
    beginMoveRows(from, row, row, to, destRow);
    std::unique_ptr<MenuNode> taken = scheme_.detach(node);
    if (newParent)
        newParent->appendChild(std::move(taken));
    else
        scheme_.appendRoot(std::move(taken));
    const Siblings& oldGroup = groupOf(oldParent);
    for (size_t i = static_cast<size_t>(row); i < oldGroup.size(); ++i)
        rows_[oldGroup[i].get()] = static_cast<int>(i);
    rows_[node] = static_cast<int>(groupOf(newParent).size()) - 1;
    endMoveRows();
}

bool SchemeTreeModel::sortAllBySortKey() {
    const auto less = [](const std::unique_ptr<MenuNode>& a, const std::unique_ptr<MenuNode>& b) {
        return a->data.sortKey < b->data.sortKey;
    };
    // The groups whose order is wrong: the roots, then every node with children.
    std::vector<Siblings*> unsorted;
    if (!std::is_sorted(scheme_.mutableRoots().begin(), scheme_.mutableRoots().end(), less))
        unsorted.push_back(&scheme_.mutableRoots());
    forEachPreOrder(scheme_.roots(), [&](MenuNode* n, int) {
        if (n->hasChildren() && !std::is_sorted(n->mutableChildren().begin(), n->mutableChildren().end(), less))
            unsorted.push_back(&n->mutableChildren());
    });
    if (unsorted.empty()) return false;

    Q_EMIT layoutAboutToBeChanged();
    const QModelIndexList before = persistentIndexList();
    std::vector<const MenuNode*> nodes;
    nodes.reserve(static_cast<size_t>(before.size()));
    for (const QModelIndex& i : before) nodes.push_back(nodeFromIndex(i));
    for (Siblings* group : unsorted) {
        std::stable_sort(group->begin(), group->end(), less);
        indexGroup(*group);
    }
    QModelIndexList after;
    after.reserve(before.size());
    for (const MenuNode* n : nodes) after << indexOf(n);
    changePersistentIndexList(before, after);
    Q_EMIT layoutChanged();
    return true;
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

// SPDX-License-Identifier: MIT
#pragma once

#include <QAbstractItemModel>
#include <QIcon>

#include "model/menu_scheme.h"

namespace sylvanode {

class SchemeDocument;

// The tree view's window onto a document's item forest. The document is the one truth: the
// model follows its signals (each change of the tree is one insert, remove or move of rows)
// and changes it only through commands (a rename in place). Needs Qt Gui, no widgets.
class SchemeTreeModel : public QAbstractItemModel {
    Q_OBJECT
public:
    explicit SchemeTreeModel(SchemeDocument& document, QObject* parent = nullptr);

    SchemeDocument& document() const { return document_; }

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    bool hasChildren(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // A rename in place: one undo step on the document.
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

    MenuNode* nodeFromIndex(const QModelIndex& index) const;
    QModelIndex indexOf(const MenuNode* node) const;
    int rowOf(const MenuNode* node) const;

    static const QIcon& imageIcon(int imageIndex);

private:
    void nodeChanged(const MenuNode* node);
    void moveAboutToHappen(MenuNode* node, MenuNode* newParent, int newRow);

    SchemeDocument& document_;
};

}  // namespace sylvanode

#include "ui/main/menu_tree_view.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyle>
#include <QStyleOptionViewItem>

#include "ui/main/scheme_tree_model.h"

namespace sylvanode {

MenuTreeView::MenuTreeView(QWidget* parent) : QTreeView(parent) {
    setHeaderHidden(true);
    setUniformRowHeights(true);
    setIndentation(19);
    setIconSize(QSize(16, 16));
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setDragEnabled(false);
    setAcceptDrops(false);
    setDragDropMode(QAbstractItemView::NoDragDrop);
    setAutoScroll(true);
}

SchemeTreeModel* MenuTreeView::schemeModel() const { return qobject_cast<SchemeTreeModel*>(model()); }

MenuNode* MenuTreeView::nodeAt(const QPoint& pos) const {
    const SchemeTreeModel* m = schemeModel();
    return m ? m->nodeFromIndex(indexAt(pos)) : nullptr;
}

QRect MenuTreeView::captionRect(const QModelIndex& index) const {
    QStyleOptionViewItem opt;
    initViewItemOption(&opt);
    opt.rect = visualRect(index);
    opt.index = index;
    opt.text = index.data(Qt::DisplayRole).toString();
    opt.icon = qvariant_cast<QIcon>(index.data(Qt::DecorationRole));
    opt.features |= QStyleOptionViewItem::HasDisplay;
    if (!opt.icon.isNull()) opt.features |= QStyleOptionViewItem::HasDecoration;
    opt.decorationSize = iconSize();
    opt.displayAlignment = Qt::AlignLeft | Qt::AlignVCenter;
    QRect text = style()->subElementRect(QStyle::SE_ItemViewItemText, &opt, this);
    // The text element spans the rest of the row; only the caption itself counts.
    const int margin = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
    text.setWidth(std::min(text.width(), opt.fontMetrics.horizontalAdvance(opt.text) + 2 * margin));
    return text;
}

MenuNode* MenuTreeView::captionNodeAt(const QPoint& pos) const {
    const QModelIndex index = indexAt(pos);
    if (!index.isValid() || !captionRect(index).contains(pos)) return nullptr;
    return schemeModel()->nodeFromIndex(index);
}

void MenuTreeView::armDrag() { armed_ = true; }

void MenuTreeView::handleLeftPress(QMouseEvent* event) {
    armed_ = false;
    pressPos_ = event->position().toPoint();
    Q_EMIT leftPressed(captionNodeAt(event->position().toPoint()));
}

void MenuTreeView::mousePressEvent(QMouseEvent* event) {
    QTreeView::mousePressEvent(event);
    if (event->button() == Qt::LeftButton) handleLeftPress(event);
}

void MenuTreeView::mouseDoubleClickEvent(QMouseEvent* event) {
    // The second press of a quick pair is still a press on the caption.
    QTreeView::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton) handleLeftPress(event);
}

void MenuTreeView::mouseMoveEvent(QMouseEvent* event) {
    if (event->buttons() & Qt::LeftButton) {
        // Holding the button never sweeps the selection along; it may drag.
        if (armed_ && !dragging_ &&
            (event->position().toPoint() - pressPos_).manhattanLength() >= kDragThreshold) {
            dragging_ = true;
            viewport()->setCursor(Qt::DragMoveCursor);
        }
        return;
    }
    QTreeView::mouseMoveEvent(event);
}

void MenuTreeView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && dragging_) {
        const QPoint pos = event->position().toPoint();
        const bool overTree = viewport()->rect().contains(pos);
        MenuNode* target = overTree ? nodeAt(pos) : nullptr;
        endDrag();
        if (overTree) Q_EMIT dropped(target);
        QTreeView::mouseReleaseEvent(event);
        return;
    }
    armed_ = false;
    QTreeView::mouseReleaseEvent(event);
}

void MenuTreeView::keyPressEvent(QKeyEvent* event) {
    if (dragging_ && event->key() == Qt::Key_Escape) {
        endDrag();
        return;
    }
    QTreeView::keyPressEvent(event);
}

QItemSelectionModel::SelectionFlags MenuTreeView::selectionCommand(const QModelIndex& index,
                                                                   const QEvent* event) const {
    // The selected item always stays highlighted: a click on empty space or a
    // Ctrl+click does not take the highlight away from the item the panel shows.
    if (!index.isValid()) return QItemSelectionModel::NoUpdate;
    // A press held and released over another item selects nothing there (the
    // highlight would leave the current item the panel shows).
    if (event && event->type() == QEvent::MouseButtonRelease && index != currentIndex())
        return QItemSelectionModel::NoUpdate;
    QItemSelectionModel::SelectionFlags flags = QTreeView::selectionCommand(index, event);
    if (flags & (QItemSelectionModel::Deselect | QItemSelectionModel::Toggle))
        flags = QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows;
    return flags;
}

void MenuTreeView::endDrag() {
    armed_ = false;
    dragging_ = false;
    viewport()->unsetCursor();
}

}  // namespace sylvanode

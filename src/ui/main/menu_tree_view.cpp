// SPDX-License-Identifier: MIT
#include "ui/main/menu_tree_view.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
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
    scrollTimer_.setInterval(40);
    connect(&scrollTimer_, &QTimer::timeout, this, [this] { autoScroll(); });
    showFocus();
}

void MenuTreeView::showFocus() {
    if (settingPalette_) return;
    settingPalette_ = true;
    // Start from what the tree inherits, so a new desktop palette is followed.
    setPalette(QPalette());
    if (!hasFocus()) {
        QPalette p = palette();
        const QColor mark = p.color(QPalette::Active, QPalette::Highlight);
        const QColor base = p.color(QPalette::Active, QPalette::Base);
        const auto mix = [](int a, int b) { return (a * 35 + b * 65) / 100; };
        const QColor pale(mix(mark.red(), base.red()), mix(mark.green(), base.green()), mix(mark.blue(), base.blue()));
        for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
            p.setColor(group, QPalette::Highlight, pale);
            p.setColor(group, QPalette::HighlightedText, p.color(group, QPalette::Text));
        }
        setPalette(p);
    }
    settingPalette_ = false;
}

void MenuTreeView::focusInEvent(QFocusEvent* event) {
    QTreeView::focusInEvent(event);
    showFocus();
}

void MenuTreeView::focusOutEvent(QFocusEvent* event) {
    QTreeView::focusOutEvent(event);
    showFocus();
}

void MenuTreeView::changeEvent(QEvent* event) {
    QTreeView::changeEvent(event);
    if (event->type() == QEvent::PaletteChange) showFocus();
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

void MenuTreeView::armDrag(MenuNode* node) {
    armed_ = true;
    dragged_ = node;
}

MenuNode* MenuTreeView::dropTarget() const {
    const SchemeTreeModel* m = schemeModel();
    return m && dropIndex_.isValid() ? m->nodeFromIndex(dropIndex_) : nullptr;
}

void MenuTreeView::trackDrop(const QPoint& pos) {
    dragPos_ = pos;
    const QModelIndex index = viewport()->rect().contains(pos) ? indexAt(pos) : QModelIndex();
    dropIndex_ = index;
    MenuNode* target = dropTarget();
    // Onto its own parent (or a root onto empty space) nothing happens; into its own
    // subtree nothing moves.
    bool moves = dragged_ && target != dragged_->parent();
    for (const MenuNode* n = target; moves && n; n = n->parent())
        if (n == dragged_) moves = false;
    dropMoves_ = moves;
    dropLine_ = QLine();
    if (moves) {
        // The line goes below the target's last shown descendant (or below the last root),
        // indented one level deeper than the target.
        QModelIndex last = index;
        if (!index.isValid()) last = model()->index(model()->rowCount() - 1, 0);
        while (last.isValid() && isExpanded(last) && model()->rowCount(last) > 0)
            last = model()->index(model()->rowCount(last) - 1, 0, last);
        const QRect below = visualRect(last);
        int x = indentation();
        if (index.isValid()) x = visualRect(index).left() + indentation();
        if (!rootIsDecorated() && !index.isValid()) x = 0;
        // On the border to the next row, clear of the frame around the target.
        const int y = below.isValid() ? below.bottom() + 1 : 0;
        dropLine_ = QLine(x, y, viewport()->width() - 2, y);
    }
    viewport()->setCursor(moves || !dragged_ ? Qt::DragMoveCursor : Qt::ForbiddenCursor);
    const bool nearEdge = pos.y() < kAutoScrollMargin || pos.y() > viewport()->height() - kAutoScrollMargin;
    if (nearEdge && !scrollTimer_.isActive())
        scrollTimer_.start();
    else if (!nearEdge)
        scrollTimer_.stop();
    viewport()->update();
}

void MenuTreeView::autoScroll() {
    if (!dragging_) {
        scrollTimer_.stop();
        return;
    }
    QScrollBar* bar = verticalScrollBar();
    const int before = bar->value();
    if (dragPos_.y() < kAutoScrollMargin)
        bar->setValue(before - bar->singleStep());
    else if (dragPos_.y() > viewport()->height() - kAutoScrollMargin)
        bar->setValue(before + bar->singleStep());
    if (bar->value() != before) trackDrop(dragPos_);
}

void MenuTreeView::contextMenuEvent(QContextMenuEvent* event) {
    QPoint at = event->globalPos();
    if (event->reason() != QContextMenuEvent::Mouse && currentIndex().isValid()) {
        // From the keyboard: beside the current item.
        const QRect row = visualRect(currentIndex());
        at = viewport()->mapToGlobal(QPoint(row.left() + 16, row.bottom()));
    }
    Q_EMIT contextMenuWanted(at);
    event->accept();
}

void MenuTreeView::paintEvent(QPaintEvent* event) {
    QTreeView::paintEvent(event);
    if (!dragging_ || !dropMoves_) return;
    QPainter p(viewport());
    const QColor mark = palette().color(QPalette::Highlight);
    p.setPen(QPen(mark, 2));
    if (dropIndex_.isValid()) {
        const QRect row = visualRect(dropIndex_);
        p.setBrush(Qt::NoBrush);
        p.drawRect(row.adjusted(1, 1, -2, -2));
    }
    if (!dropLine_.isNull()) {
        p.drawLine(dropLine_);
        // A small arrow head at the start tells the line from the frame.
        p.setBrush(mark);
        const QPoint s = dropLine_.p1();
        p.drawPolygon(QPolygon({s + QPoint(-4, -4), s + QPoint(0, 0), s + QPoint(-4, 4)}));
    }
}

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
        if (dragging_) trackDrop(event->position().toPoint());
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
    if (event->key() == Qt::Key_Asterisk) {
        // The view's own "expand everything" lays a deep chain out recursively; the window
        // expands with a limit instead.
        if (const SchemeTreeModel* m = schemeModel())
            if (MenuNode* n = m->nodeFromIndex(currentIndex())) Q_EMIT expandAllRequested(n);
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
    dragged_ = nullptr;
    dropIndex_ = QPersistentModelIndex();
    dropLine_ = QLine();
    scrollTimer_.stop();
    viewport()->unsetCursor();
    viewport()->update();
}

}  // namespace sylvanode

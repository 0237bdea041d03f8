// SPDX-License-Identifier: MIT
#pragma once

#include <QPersistentModelIndex>
#include <QPoint>
#include <QTimer>
#include <QTreeView>

namespace sylvanode {

class MenuNode;
class SchemeTreeModel;

// The item tree. Dragging follows the editor's own rule instead of Qt's item drag
// and drop: a press on a caption that was pressed last time arms a drag, which
// starts once the pointer has moved 10 pixels with the button held; releasing over
// the tree drops. The window decides what a press and a drop mean. While dragging,
// the view shows where the item will land (a frame around the item that will take
// it as its last child, and a line where it will appear) and scrolls when the
// pointer nears the top or bottom edge.
class MenuTreeView : public QTreeView {
    Q_OBJECT
public:
    explicit MenuTreeView(QWidget* parent = nullptr);

    SchemeTreeModel* schemeModel() const;
    // The node whose caption text lies under `pos` (viewport coordinates), else none.
    MenuNode* captionNodeAt(const QPoint& pos) const;
    MenuNode* nodeAt(const QPoint& pos) const;
    // The caption text's rectangle of a node (viewport coordinates).
    QRect captionRect(const QModelIndex& index) const;
    bool dragging() const { return dragging_; }
    // While dragging: the item the dragged one would become the last child of (none: the
    // roots), and whether dropping there would move it.
    MenuNode* dropTarget() const;
    bool dropMoves() const { return dropMoves_; }
    // The line drawn where the dragged item would appear (viewport coordinates).
    QLine dropLine() const { return dropLine_; }
    // Lays the tree out once, later: expansions made until then are only stored.
    void scheduleLayout() { scheduleDelayedItemsLayout(); }
    // A rename in place is open.
    bool renaming() const { return state() == EditingState; }

    static constexpr int kDragThreshold = 10;
    // Distance from the top or bottom edge within which a drag scrolls the tree.
    static constexpr int kAutoScrollMargin = 20;

Q_SIGNALS:
    // A left press; `caption` is the node whose caption was hit, or none.
    void leftPressed(sylvanode::MenuNode* caption);
    // A drag ended over the tree; `target` is the node under the pointer or none.
    void dropped(sylvanode::MenuNode* target);
    // "*" on an item: everything below it should open.
    void expandAllRequested(sylvanode::MenuNode* node);
    // The context menu, by the mouse or the keyboard, at a global position.
    void contextMenuWanted(const QPoint& globalPos);

public:
    // Called by the window while it handles leftPressed when the press armed a drag of `node`.
    void armDrag(MenuNode* node);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event = nullptr) const override;

private:
    // The selected row is drawn in the highlight colour while the tree has the focus and in a
    // pale tint of it otherwise, so the keyboard's place shows at a glance.
    void showFocus();
    void handleLeftPress(QMouseEvent* event);
    void endDrag();
    // Where a drop at `pos` would put the dragged item; repaints the indicator.
    void trackDrop(const QPoint& pos);
    void autoScroll();

    bool armed_ = false;
    bool dragging_ = false;
    QPoint pressPos_;
    MenuNode* dragged_ = nullptr;
    QPoint dragPos_;
    QPersistentModelIndex dropIndex_;
    bool dropMoves_ = false;
    QLine dropLine_;
    QTimer scrollTimer_;
    bool settingPalette_ = false;
};

}  // namespace sylvanode

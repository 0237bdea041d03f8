#pragma once

#include <QPoint>
#include <QTreeView>

namespace sylvanode {

class MenuNode;
class SchemeTreeModel;

// The item tree. Dragging follows the editor's own rule instead of Qt's item drag
// and drop: a press on a caption that was pressed last time arms a drag, which
// starts once the pointer has moved 10 pixels with the button held; releasing over
// the tree drops. The window decides what a press and a drop mean.
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

    static constexpr int kDragThreshold = 10;

Q_SIGNALS:
    // A left press; `caption` is the node whose caption was hit, or none.
    void leftPressed(sylvanode::MenuNode* caption);
    // A drag ended over the tree; `target` is the node under the pointer or none.
    void dropped(sylvanode::MenuNode* target);

public:
    // Called by the window while it handles leftPressed when the press armed a drag.
    void armDrag();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                         const QEvent* event = nullptr) const override;

private:
    void handleLeftPress(QMouseEvent* event);
    void endDrag();

    bool armed_ = false;
    bool dragging_ = false;
    QPoint pressPos_;
};

}  // namespace sylvanode

// SPDX-License-Identifier: MIT
// The edit menu: undo and redo, cut, copy, paste, duplicate and renaming in place.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QMimeData>
#include <QUndoStack>

#include "ui/common/text_codec.h"
#include "ui/main/item_panel.h"
#include "ui/main/main_window.h"
#include "ui/main/menu_tree_view.h"
#include "ui/main/scheme_tree_model.h"
#include "ui/main/tree_clipboard.h"
#include "ui/main/undo_commands.h"
#include "ui_main_window.h"

using namespace sylvanode;

void MainWindow::buildEditMenu() {
    // Undo and redo name the step they take back or make again ("撤销 删除菜单项").
    const auto named = [this](QAction* action, const QString& verb, const QString& step) {
        action->setText(step.isEmpty() ? verb : verb + QLatin1Char(' ') + step);
        action->setStatusTip(action->toolTip());  // the text without its mnemonic
    };
    connect(undoStack_, &QUndoStack::undoTextChanged, this,
            [this, named](const QString& step) { named(ui->undoAction, tr("撤销"), step); });
    connect(undoStack_, &QUndoStack::redoTextChanged, this,
            [this, named](const QString& step) { named(ui->redoAction, tr("重做"), step); });
    connect(undoStack_, &QUndoStack::canUndoChanged, ui->undoAction, &QAction::setEnabled);
    connect(undoStack_, &QUndoStack::canRedoChanged, ui->redoAction, &QAction::setEnabled);
    ui->undoAction->setEnabled(false);
    ui->redoAction->setEnabled(false);
    ui->undoAction->setIcon(QIcon::fromTheme(QStringLiteral("edit-undo")));
    ui->redoAction->setIcon(QIcon::fromTheme(QStringLiteral("edit-redo")));
    ui->cutAction->setIcon(QIcon::fromTheme(QStringLiteral("edit-cut")));
    ui->copyAction->setIcon(QIcon::fromTheme(QStringLiteral("edit-copy")));
    ui->pasteAction->setIcon(QIcon::fromTheme(QStringLiteral("edit-paste")));

    // Paste is offered while the clipboard may hold items.
    const auto followClipboard = [this] {
        clipboardMayPaste_ = mayHoldItems(QApplication::clipboard()->mimeData());
        updateActions();
    };
    connect(QApplication::clipboard(), &QClipboard::dataChanged, this, followClipboard);
    clipboardMayPaste_ = mayHoldItems(QApplication::clipboard()->mimeData());

    // The tree's context menu offers the same commands.
    treeContextMenu_ = new QMenu(this);
    treeContextMenu_->setObjectName(QStringLiteral("treeContextMenu"));
    treeContextMenu_->addActions(
        {ui->addRootItemAction, ui->addSubItemAction, ui->deleteItemAction, ui->renameAction});
    treeContextMenu_->addSeparator();
    treeContextMenu_->addActions({ui->cutAction, ui->copyAction, ui->pasteAction, ui->duplicateAction});
    treeContextMenu_->addSeparator();
    treeContextMenu_->addActions({ui->moveUpAction, ui->moveDownAction, ui->outdentAction, ui->indentAction});
    treeContextMenu_->addSeparator();
    treeContextMenu_->addActions({ui->undoAction, ui->redoAction});
    connect(tree_, &MenuTreeView::contextMenuWanted, this, [this](const QPoint& at) {
        updateActions();
        treeContextMenu_->popup(at);
    });
}

void MainWindow::copyItem() {
    if (!selected_) return;
    saveNodeData(selected_);
    QApplication::clipboard()->setMimeData(itemsToMimeData(*selected_).release());
}

void MainWindow::cutItem() {
    if (!selected_) return;
    copyItem();
    perform(new RemoveItemCommand(*this, tr("剪切"), selected_));
}

void MainWindow::insertItems(std::vector<std::unique_ptr<MenuNode>> nodes, const QString& stepName) {
    if (nodes.empty()) return;
    MenuNode* parent = selected_ ? selected_->parent() : nullptr;
    const int row = selected_ ? model_->rowOf(selected_) + 1 : static_cast<int>(scheme_.roots().size());
    MenuNode* first = nodes.front().get();
    perform(new InsertItemsCommand(*this, stepName, parent, row, std::move(nodes), first));
    clickedNode_ = nullptr;
}

void MainWindow::pasteItems() {
    const QMimeData* data = QApplication::clipboard()->mimeData();
    if (!data) return;
    insertItems(itemsFromMimeData(*data), tr("粘贴"));
}

void MainWindow::duplicateItem() {
    if (!selected_) return;
    saveNodeData(selected_);
    std::vector<std::unique_ptr<MenuNode>> copy;
    copy.push_back(cloneSubtree(*selected_));
    insertItems(std::move(copy), tr("创建副本"));
}

void MainWindow::renameItem() {
    if (!selected_) return;
    const QModelIndex index = model_->indexOf(selected_);
    tree_->setFocus();
    tree_->scrollTo(index);
    tree_->edit(index);
}

void MainWindow::onRenamed(MenuNode* node, const QString& title) {
    const std::string bytes = toSchemeBytes(title);
    if (!node || bytes == node->caption) return;
    ItemState before{node->caption, node->data};
    ItemState after = before;
    after.caption = after.data.menuName = bytes;
    sealMerging();
    // The title field follows the rename, as the tree follows typing in the field.
    perform(new ItemEditCommand(*this, node, ItemField::Title, editSession_, std::move(before),
                                std::move(after), false));
    sealMerging();
}

// SPDX-License-Identifier: MIT
// The menus of the main window beyond the form: undo and redo that name their step, the
// tree's context menu, the recent files, and paste that follows the clipboard.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFileInfo>
#include <QMenu>
#include <QUndoStack>

#include "ui/main/main_window.h"
#include "ui/main/menu_tree_view.h"
#include "ui/main/session.h"
#include "ui/main/tree_clipboard.h"
#include "ui/main/workspace.h"
#include "ui_main_window.h"

using namespace sylvanode;

void MainWindow::buildMenus() {
    QUndoStack& stack = document_->undoStack();
    // Undo and redo name the step they take back or make again ("撤销 删除菜单项").
    const auto named = [](QAction* action, const QString& verb, const QString& step) {
        action->setText(step.isEmpty() ? verb : verb + QLatin1Char(' ') + step);
        action->setStatusTip(action->toolTip());  // the text without its mnemonic
    };
    connect(&stack, &QUndoStack::undoTextChanged, this,
            [this, named](const QString& step) { named(ui->undoAction, tr("撤销"), step); });
    connect(&stack, &QUndoStack::redoTextChanged, this,
            [this, named](const QString& step) { named(ui->redoAction, tr("重做"), step); });
    connect(&stack, &QUndoStack::canUndoChanged, ui->undoAction, &QAction::setEnabled);
    connect(&stack, &QUndoStack::canRedoChanged, ui->redoAction, &QAction::setEnabled);
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

    // The recent files, newest first; one that is gone is shown greyed.
    recentMenu_ = ui->recentMenu;
    const auto fillRecent = [this] {
        recentMenu_->clear();
        const QStringList files = workspace_.session().recentFiles();
        for (qsizetype i = 0; i < files.size(); ++i) {
            const QString path = files[i];
            QAction* a = recentMenu_->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(path));
            a->setEnabled(QFileInfo(path).isFile());
            connect(a, &QAction::triggered, this, [this, path] {
                guarded([&] {
                    // Gone since the menu was shown: the usual message, and off the list.
                    if (!QFileInfo(path).isFile()) workspace_.session().removeRecentFile(path);
                    workspace_.openFiles({path}, this);
                });
            });
        }
        recentMenu_->setEnabled(!files.isEmpty());
    };
    connect(recentMenu_, &QMenu::aboutToShow, this, fillRecent);
    // Filled when shown (an entry may be running when the list changes); offered while not empty.
    const auto offerRecent = [this] { recentMenu_->setEnabled(!workspace_.session().recentFiles().isEmpty()); };
    connect(&workspace_.session(), &Session::recentFilesChanged, this, offerRecent);
    offerRecent();
}

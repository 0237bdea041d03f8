// SPDX-License-Identifier: MIT
// The keyboard and the desktop around the main window: shortcuts for every command (shown
// in the tool tips), the tab order, moving between tree and pages, undo keys in the fields,
// scheme files dropped on the window.
#include <QAbstractSpinBox>
#include <QAction>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QRadioButton>
#include <QTabBar>
#include <QToolButton>
#include <QUndoStack>

#include "ui/main/item_panel.h"
#include "ui/main/main_window.h"
#include "ui/main/menu_tree_view.h"
#include "ui/main/settings_page.h"
#include "ui/main/style_page.h"
#include "ui/main/workspace.h"
#include "ui_main_window.h"

using namespace sylvanode;

namespace {

// `first` and then the platform's own standard keys for the same command.
QList<QKeySequence> keys(const QKeySequence& first, QKeySequence::StandardKey standard) {
    QList<QKeySequence> list = QKeySequence::keyBindings(standard);
    list.removeAll(first);
    list.prepend(first);
    return list;
}

bool isUndoKey(const QKeyEvent* key) {
    const QKeyCombination combo = key->keyCombination();
    const QKeySequence pressed(combo);
    return key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo) ||
           pressed == QKeySequence(Qt::CTRL | Qt::Key_Y) ||
           pressed == QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z);
}

// The scheme files a drag brings from the file manager: local *.menu files, and only those.
QStringList droppedSchemeFiles(const QMimeData* data) {
    if (!data || !data->hasUrls()) return {};
    QStringList paths;
    for (const QUrl& url : data->urls()) {
        const QString path = url.isLocalFile() ? url.toLocalFile() : QString();
        if (QFileInfo(path).suffix().compare(QStringLiteral("menu"), Qt::CaseInsensitive) != 0) return {};
        paths << path;
    }
    return paths;
}

}  // namespace

void MainWindow::setUpKeyboardAndNames() {
    using K = QKeySequence;
    ui->newAction->setShortcuts(keys(K(Qt::CTRL | Qt::Key_N), K::New));
    ui->openAction->setShortcuts(keys(K(Qt::CTRL | Qt::Key_O), K::Open));
    ui->saveAction->setShortcuts(keys(K(Qt::CTRL | Qt::Key_S), K::Save));
    ui->saveAsAction->setShortcuts(keys(K(Qt::CTRL | Qt::SHIFT | Qt::Key_S), K::SaveAs));
    ui->exitAction->setShortcuts(keys(K(Qt::CTRL | Qt::Key_Q), K::Quit));
    ui->closeAction->setShortcuts(keys(K(Qt::CTRL | Qt::Key_W), K::Close));
    ui->helpAction->setShortcuts(keys(K(Qt::Key_F1), K::HelpContents));
    ui->undoAction->setShortcuts(keys(K(Qt::CTRL | Qt::Key_Z), K::Undo));
    ui->redoAction->setShortcuts({K(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), K(Qt::CTRL | Qt::Key_Y)});
    // A new root item needs no selection, so its key works wherever the focus is.
    ui->addRootItemAction->setShortcut(K(Qt::CTRL | Qt::SHIFT | Qt::Key_N));

    // The commands on the selected item belong to the tree: in a text field the same keys
    // copy text, delete a character or move by words.
    const std::pair<QAction*, QList<QKeySequence>> treeKeys[] = {
        {ui->cutAction, keys(K(Qt::CTRL | Qt::Key_X), K::Cut)},
        {ui->copyAction, keys(K(Qt::CTRL | Qt::Key_C), K::Copy)},
        {ui->pasteAction, keys(K(Qt::CTRL | Qt::Key_V), K::Paste)},
        {ui->duplicateAction, {K(Qt::CTRL | Qt::Key_D)}},
        {ui->deleteItemAction, {K(Qt::Key_Delete)}},
        {ui->addSubItemAction, {K(Qt::Key_Insert)}},
        {ui->renameAction, {K(Qt::Key_F2)}},
        {ui->moveUpAction, {K(Qt::CTRL | Qt::Key_Up)}},
        {ui->moveDownAction, {K(Qt::CTRL | Qt::Key_Down)}},
        {ui->outdentAction, {K(Qt::CTRL | Qt::Key_Left)}},
        {ui->indentAction, {K(Qt::CTRL | Qt::Key_Right)}},
    };
    for (const auto& [action, sequences] : treeKeys) {
        action->setShortcuts(sequences);
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        tree_->addAction(action);
    }

    // Tool tips name the key of their command: "新建文件 (Ctrl+N)". The status bar keeps the
    // hint alone.
    for (QAction* a : {ui->newAction, ui->openAction, ui->saveAction, ui->generateAction, ui->helpAction,
                       ui->addRootItemAction, ui->addSubItemAction, ui->deleteItemAction, ui->moveDownAction,
                       ui->moveUpAction}) {
        const QString hint = a->toolTip();
        a->setProperty("hint", hint);
        if (!a->shortcut().isEmpty())
            a->setToolTip(hint + QStringLiteral(" (") + a->shortcut().toString(K::NativeText) + QLatin1Char(')'));
    }

    // The tree is a key away: Alt+1 goes there, F6 goes between the tree and the page shown.
    auto* focusTree = new QAction(this);
    focusTree->setObjectName(QStringLiteral("focusTreeAction"));
    focusTree->setShortcut(K(Qt::ALT | Qt::Key_1));
    connect(focusTree, &QAction::triggered, tree_, [this] { tree_->setFocus(Qt::ShortcutFocusReason); });
    auto* cycleFocus = new QAction(this);
    cycleFocus->setObjectName(QStringLiteral("cycleFocusAction"));
    cycleFocus->setShortcut(K(Qt::Key_F6));
    connect(cycleFocus, &QAction::triggered, this, [this] {
        if (!tree_->hasFocus()) {
            tree_->setFocus(Qt::ShortcutFocusReason);
            return;
        }
        QWidget* page = ui->pages->currentWidget();
        QWidget* first = page == panel_ ? panel_->menuName() : page->nextInFocusChain();
        while (first && first != page && (!page->isAncestorOf(first) || !(first->focusPolicy() & Qt::TabFocus)))
            first = first->nextInFocusChain();
        (first && first != page ? first : page)->setFocus(Qt::ShortcutFocusReason);
    });
    addActions({focusTree, cycleFocus});

    // Tab runs from the tree through the item fields in reading order.
    const QList<QWidget*> order{tree_,
                                panel_->menuName(),
                                panel_->menuHint(),
                                panel_->findChild<QToolButton*>(QStringLiteral("copyToHintButton")),
                                panel_->menuStatus(),
                                panel_->findChild<QToolButton*>(QStringLiteral("copyToStatusButton")),
                                panel_->menuIcon1(),
                                panel_->findChild<QToolButton*>(QStringLiteral("browseIcon1Button")),
                                panel_->menuIcon2(),
                                panel_->findChild<QToolButton*>(QStringLiteral("browseIcon2Button")),
                                panel_->radioLink(),
                                panel_->menuLink(),
                                panel_->findChild<QToolButton*>(QStringLiteral("browseLinkButton")),
                                panel_->menuTarget(),
                                panel_->radioScript(),
                                panel_->menuScript()};
    QWidget* previous = nullptr;
    for (QWidget* w : order) {
        if (!w) continue;
        if (previous) setTabOrder(previous, w);
        previous = w;
    }
    ui->pages->tabBar()->setAccessibleName(tr("属性页"));

    // Undo and redo in a field of the pages are the document's: every edit there is a step.
    // A scheme file dropped on a field opens, instead of landing in it as text.
    for (QWidget* page : {static_cast<QWidget*>(panel_), static_cast<QWidget*>(settingsPage_),
                          static_cast<QWidget*>(stylePage_)})
        for (QWidget* w : page->findChildren<QWidget*>())
            if (qobject_cast<QLineEdit*>(w) || qobject_cast<QAbstractSpinBox*>(w) ||
                qobject_cast<QComboBox*>(w))
                w->installEventFilter(this);
    setAcceptDrops(true);
    tree_->setFocus();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::ShortcutOverride:
            // Not taken by the field: the window's undo and redo run.
            if (isUndoKey(static_cast<QKeyEvent*>(event))) {
                event->ignore();
                return true;
            }
            break;
        case QEvent::DragEnter:
        case QEvent::DragMove: {
            auto* drag = static_cast<QDragMoveEvent*>(event);
            if (!droppedSchemeFiles(drag->mimeData()).isEmpty()) {
                drag->acceptProposedAction();
                return true;
            }
            break;
        }
        case QEvent::Drop: {
            auto* drop = static_cast<QDropEvent*>(event);
            const QStringList paths = droppedSchemeFiles(drop->mimeData());
            if (!paths.isEmpty()) {
                drop->acceptProposedAction();
                guarded([&] { workspace_.openFiles(paths, this); });
                return true;
            }
            break;
        }
        default:
            break;
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (!droppedSchemeFiles(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
    const QStringList paths = droppedSchemeFiles(event->mimeData());
    if (paths.isEmpty()) return;
    event->acceptProposedAction();
    guarded([&] { workspace_.openFiles(paths, this); });
}

// SPDX-License-Identifier: MIT
#include "ui/main/main_window.h"

#include <QAbstractEventDispatcher>
#include <QCloseEvent>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QProxyStyle>
#include <QScopedValueRollback>
#include <QScreen>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTabBar>
#include <QTemporaryDir>
#include <QToolBar>
#include <QToolButton>
#include <QUndoStack>
#include <exception>
#include <new>

#include "platform/paths.h"
#include "ui/common/choosers.h"
#include "ui/common/icons.h"
#include "ui/common/prompter.h"
#include "ui/common/text_codec.h"
#include "ui/main/item_panel.h"
#include "ui/main/language_menu.h"
#include "ui/main/menu_tree_view.h"
#include "ui/main/scheme_tree_model.h"
#include "ui/main/settings_page.h"
#include "ui/main/style_page.h"
#include "ui/main/undo_commands.h"
#include "ui_main_window.h"

using namespace sylvanode;

namespace {

// Tabs of the page control are 35 pixels high; everything else as the style draws it.
class PageTabStyle : public QProxyStyle {
public:
    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget) const override {
        QSize s = QProxyStyle::sizeFromContents(type, option, size, widget);
        if (type == CT_TabBarTab) s.setHeight(std::max(s.height(), 35));
        return s;
    }
};

}  // namespace

MainWindow::MainWindow(Prompter& prompter, QWidget* parent)
    : QMainWindow(parent), ui(std::make_unique<Ui::MainWindow>()), prompter_(prompter) {
    initUiResources();
    ui->setupUi(this);
    saveDialogTitle_ = tr("保存菜单文件");

    undoStack_ = new QUndoStack(this);
    model_ = new SchemeTreeModel(scheme_, this);
    tree_ = ui->tree;
    tree_->setModel(model_);

    panel_ = new ItemPanel(
        prompter_, [this] { return browseBaseDirectory(scheme_); }, this);
    stylePage_ = new StylePage(
        scheme_, prompter_,
        [this](const QString& step, int key) {
            onOptionChanged(int(OptionsCommand::Page::Styles), step, key);
        },
        this);
    settingsPage_ = new SettingsPage(
        scheme_, prompter_,
        [this](const QString& step, int key) {
            onOptionChanged(int(OptionsCommand::Page::Settings), step, key);
        },
        this);
    ui->pages->addTab(panel_, tr("菜单项属性"));
    ui->pages->addTab(stylePage_, tr("风格样式"));
    ui->pages->addTab(settingsPage_, tr("方案属性"));
    ui->pages->setCurrentIndex(0);

    buildFrame();
    buildEditMenu();
    ui->mainMenuBar->insertMenu(ui->toolsMenu->menuAction(), createViewMenu(this, prompter_));
    connectCommands();

    // Construction: an untitled scheme in its reset state.
    resetScheme();

    // The first showing: pages filled, nothing modified yet.
    refreshPages();
    clearHistory();
    scheme_.modified = false;
    updateTitle();
    updateActions();
    createToolDialogs();
    setUpKeyboardAndNames();
}

MainWindow::~MainWindow() {
    // The view must not outlive the nodes it shows; the commands own nodes out of the tree.
    tree_->setModel(nullptr);
    undoStack_->clear();
}

void MainWindow::buildFrame() {
    QFont font;
    font.setFamilies({QStringLiteral("宋体"), QStringLiteral("SimSun"), QStringLiteral("WenQuanYi Micro Hei"),
                      QStringLiteral("Noto Sans CJK SC")});
    font.setPixelSize(13);
    setFont(font);

    // Pictures: theme icons where the desktop has a fitting one, our own otherwise.
    ui->newAction->setIcon(themeIcon("document-new", "new"));
    ui->openAction->setIcon(themeIcon("document-open", "open"));
    ui->saveAction->setIcon(themeIcon("document-save", "save"));
    ui->generateAction->setIcon(ownIcon("make_code"));
    ui->helpAction->setIcon(ownIcon("help"));
    ui->saveAsAction->setIcon(themeIcon("document-save-as", "save_as"));
    // The tools menu's generate entry has no picture; its tool button has.
    ui->generateAction->setIconVisibleInMenu(false);
    ui->addRootItemAction->setIcon(ownIcon("add_root"));
    ui->addSubItemAction->setIcon(ownIcon("add_sub"));
    ui->deleteItemAction->setIcon(ownIcon("delete"));
    ui->moveDownAction->setIcon(ownIcon("down"));
    ui->moveUpAction->setIcon(ownIcon("up"));

    // One action per command serves its menu item and its tool button. A button is named
    // after its action ("newAction": "newButton"); its status bar hint is its tool tip,
    // also where the menu item's hint says something else ("新建文件" against "新建方案").
    const auto setUpButton = [this](QToolBar* bar, QAction* a) -> QWidget* {
        QWidget* b = bar->widgetForAction(a);
        if (!b) return nullptr;
        b->setObjectName(a->objectName().replace(QStringLiteral("Action"), QStringLiteral("Button")));
        const auto hint = [a, b] { b->setStatusTip(a->toolTip()); };
        hint();
        // The button takes the action's texts again on every change of the action.
        connect(a, &QAction::changed, b, hint);
        return b;
    };
    for (QAction* a : {ui->newAction, ui->openAction, ui->saveAction, ui->generateAction, ui->helpAction})
        if (QWidget* b = setUpButton(ui->fileToolBar, a)) b->setFixedSize(41, 38);
    for (QAction* a : {ui->addRootItemAction, ui->addSubItemAction, ui->deleteItemAction, ui->moveDownAction,
                       ui->moveUpAction})
        if (QWidget* b = setUpButton(ui->treeToolBar, a)) b->setFixedWidth(29);
    // Name the menu separators after their menus.
    if (QAction* sep = ui->fileMenu->actions().value(4))
        sep->setObjectName(QStringLiteral("fileMenuSeparator"));
    if (QAction* sep = ui->toolsMenu->actions().value(1))
        sep->setObjectName(QStringLiteral("toolsMenuSeparator"));

    // Working area: the tree takes what the page control (362 wide at start) leaves.
    // At the smallest window (400 wide) the page control keeps its 350 and the tree
    // side makes do with what is left.
    ui->treePane->setMinimumWidth(30);
    ui->tree->setMinimumWidth(30);
    ui->treeToolBar->setMinimumWidth(30);
    ui->splitter->setStretchFactor(0, 1);
    ui->splitter->setStretchFactor(1, 0);
    ui->splitter->setSizes({582 - 362 - ui->splitter->handleWidth(), 362});

    // Made after the page control, so destroyed after it.
    auto* tabStyle = new PageTabStyle;
    tabStyle->setParent(this);
    ui->pages->tabBar()->setStyle(tabStyle);

    // Status bar: the hint panel and the program's name.
    hintPanel_ = new QLabel(this);
    hintPanel_->setObjectName(QStringLiteral("hintPanel"));
    // 300 pixels wide, and wider for a hint that needs it: no hint is cut off.
    hintPanel_->setMinimumWidth(300);
    namePanel_ = new QLabel(QStringLiteral("Sylvanode"), this);
    namePanel_->setObjectName(QStringLiteral("namePanel"));
    namePanel_->setAlignment(Qt::AlignCenter);
    namePanel_->setMinimumWidth(std::max(50, namePanel_->sizeHint().width() + 8));
    ui->statusBar->addWidget(hintPanel_);
    ui->statusBar->addWidget(namePanel_);

    // Controls with a hint show it in the status bar too.
    for (QWidget* w : findChildren<QWidget*>())
        if (!w->toolTip().isEmpty() && w->statusTip().isEmpty()) w->setStatusTip(w->toolTip());

    resize(582, 500);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.center() - QPoint(width() / 2, height() / 2));
    }
}

void MainWindow::showFailure(const QString& what) {
    prompter_.message(this, QStringLiteral("Sylvanode"), what, Prompter::Icon::Error, Prompter::Ok);
}

void MainWindow::connectCommands() {
    const auto on = [this](QAction* action, void (MainWindow::*command)()) {
        connect(action, &QAction::triggered, this, [this, action, command] {
            // While a rename is open in the tree, the tree's keys belong to it.
            if (tree_->renaming() && action->shortcutContext() == Qt::WidgetWithChildrenShortcut) return;
            guarded([&] { (this->*command)(); });
        });
    };
    on(ui->newAction, &MainWindow::newScheme);
    on(ui->openAction, &MainWindow::openScheme);
    on(ui->saveAction, &MainWindow::saveScheme);
    on(ui->saveAsAction, &MainWindow::saveSchemeAs);
    on(ui->importAction, &MainWindow::importFile);
    on(ui->importFolderAction, &MainWindow::importFolder);
    on(ui->exportAction, &MainWindow::exportTree);
    on(ui->checkLinksAction, &MainWindow::checkLinks);
    on(ui->exitAction, &MainWindow::exit);
    on(ui->generateAction, &MainWindow::generateScript);
    on(ui->previewAction, &MainWindow::showPreview);
    on(ui->editSuffixAction, &MainWindow::editSuffix);
    on(ui->helpAction, &MainWindow::showHelp);
    on(ui->aboutAction, &MainWindow::showAbout);
    on(ui->addRootItemAction, &MainWindow::addRootItem);
    on(ui->addSubItemAction, &MainWindow::addSubItem);
    on(ui->deleteItemAction, &MainWindow::deleteItem);
    on(ui->moveDownAction, &MainWindow::moveDown);
    on(ui->moveUpAction, &MainWindow::moveUp);
    on(ui->outdentAction, &MainWindow::outdentItem);
    on(ui->indentAction, &MainWindow::indentItem);
    on(ui->renameAction, &MainWindow::renameItem);
    on(ui->undoAction, &MainWindow::undo);
    on(ui->redoAction, &MainWindow::redo);
    on(ui->cutAction, &MainWindow::cutItem);
    on(ui->copyAction, &MainWindow::copyItem);
    on(ui->pasteAction, &MainWindow::pasteItems);
    on(ui->duplicateAction, &MainWindow::duplicateItem);

    connect(tree_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& c, const QModelIndex& p) { guarded([&] { onCurrentChanged(c, p); }); });
    connect(tree_, &QTreeView::expanded, this, [this](const QModelIndex& i) { onExpandedChanged(i, true); });
    connect(tree_, &QTreeView::collapsed, this,
            [this](const QModelIndex& i) { onExpandedChanged(i, false); });
    connect(tree_, &MenuTreeView::leftPressed, this,
            [this](MenuNode* n) { guarded([&] { onLeftPressed(n); }); });
    connect(tree_, &MenuTreeView::dropped, this, [this](MenuNode* n) { guarded([&] { onDropped(n); }); });
    connect(tree_, &MenuTreeView::expandAllRequested, this,
            [this](MenuNode* n) { guarded([&] { expandSubtree(n); }); });
    connect(model_, &SchemeTreeModel::renameRequested, this,
            [this](MenuNode* n, const QString& t) { guarded([&] { onRenamed(n, t); }); });

    connect(panel_, &ItemPanel::fieldEdited, this,
            [this](ItemField field) { guarded([&] { onPanelFieldEdited(field); }); });
    connect(settingsPage_, &SettingsPage::useImageToggled, panel_, &ItemPanel::setIconRowsVisible);
    connect(ui->pages, &QTabWidget::currentChanged, this, [this] {
        sealMerging();
        guarded([&] { refreshPages(); });
    });

    // The modified mark follows the history: undoing back to the saved state clears it.
    connect(undoStack_, &QUndoStack::indexChanged, this, [this] {
        scheme_.modified = !undoStack_->isClean();
        updateTitle();
    });

    // The enabling rules are evaluated again whenever the application goes idle.
    if (QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance())
        connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this, &MainWindow::updateActions);
}

bool MainWindow::event(QEvent* event) {
    if (event->type() == QEvent::StatusTip) {
        hintPanel_->setText(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // Closes only when the question let it: a failure on the way keeps the window and the scheme.
    bool close = false;
    guarded([&] { close = askToSave(); });
    if (close)
        event->accept();
    else
        event->ignore();
}

void MainWindow::exit() { close(); }

// ---- the tree and the item panel ----

void MainWindow::refreshImage(MenuNode* node) {
    if (!node) return;
    node->refreshImage();
    model_->nodeChanged(node);
}

void MainWindow::saveNodeData(MenuNode* node) {
    if (!node) return;
    panel_->store(node->data);
}

void MainWindow::showNodeData(MenuNode* node) {
    refreshImage(node);
    clearItemPanel();
    if (!node) return;
    panel_->show(node->data);
}

void MainWindow::clearItemPanel() { panel_->clear(); }

void MainWindow::selectNode(MenuNode* node) {
    if (node)
        tree_->setCurrentIndex(model_->indexOf(node));
    else
        tree_->selectionModel()->clear();
}

void MainWindow::onCurrentChanged(const QModelIndex& current, const QModelIndex&) {
    if (suppressSelection_) return;
    // Leaving: the panel goes into the item it showed. Entering: showing is not editing.
    saveNodeData(selected_);
    sealMerging();
    selected_ = model_->nodeFromIndex(current);
    if (!selected_) return;
    showNodeData(selected_);
    updateTitle();
}

void MainWindow::onExpandedChanged(const QModelIndex& index, bool expanded) {
    MenuNode* node = model_->nodeFromIndex(index);
    if (!node || restoringExpansion_) return;
    if (expanded && nodeLevel(node) >= kDeepestExpandedLevel) {
        // Too deep for the view's layout: it stays closed.
        tree_->collapse(index);
        return;
    }
    node->expanded = expanded;
    refreshImage(node);
}

void MainWindow::expandSubtree(MenuNode* node) {
    if (!node) return;
    // Children before their parents while a layout is pending: the view only stores each
    // expansion and lays the subtree out once. Nothing deeper than the view can lay out.
    std::vector<MenuNode*> order;
    std::vector<std::pair<MenuNode*, int>> stack{{node, nodeLevel(node)}};
    while (!stack.empty()) {
        auto [n, level] = stack.back();
        stack.pop_back();
        if (!n->hasChildren() || level >= kDeepestExpandedLevel) continue;
        order.push_back(n);
        for (const auto& c : n->children()) stack.emplace_back(c.get(), level + 1);
    }
    {
        const QScopedValueRollback<bool> restoring(restoringExpansion_, true);
        tree_->scheduleLayout();
        for (auto it = order.rbegin(); it != order.rend(); ++it) tree_->setExpanded(model_->indexOf(*it), true);
    }
    // The open-book pictures, in one repaint.
    for (MenuNode* n : order) {
        n->expanded = true;
        n->refreshImage();
    }
    tree_->viewport()->update();
}

void MainWindow::updateActions() {
    const int row = selected_ ? model_->rowOf(selected_) : -1;
    const int count = selected_ ? static_cast<int>(scheme_.siblingsOf(selected_).size()) : 0;
    const bool any = selected_ != nullptr;
    ui->itemSelectedAction->setEnabled(any);
    ui->canMoveDownAction->setEnabled(any && row + 1 < count);
    ui->canMoveUpAction->setEnabled(any && row > 0);
    for (QAction* a : {ui->addSubItemAction, ui->deleteItemAction, ui->renameAction, ui->cutAction,
                       ui->copyAction, ui->duplicateAction})
        a->setEnabled(any);
    ui->moveDownAction->setEnabled(ui->canMoveDownAction->isEnabled());
    ui->moveUpAction->setEnabled(ui->canMoveUpAction->isEnabled());
    ui->indentAction->setEnabled(ui->canMoveUpAction->isEnabled());
    ui->outdentAction->setEnabled(any && selected_->parent() != nullptr);
    ui->pasteAction->setEnabled(clipboardMayPaste_);
}

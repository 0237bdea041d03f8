// SPDX-License-Identifier: MIT
#include "ui/main/main_window.h"

#include <QDockWidget>
#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QMimeData>
#include <QProxyStyle>
#include <QScreen>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTabBar>
#include <QToolBar>
#include <QToolButton>

#include "document/item_edits.h"
#include "ui/common/icons.h"
#include "ui/common/prompter.h"
#include "ui/main/file_change_bar.h"
#include "ui/main/file_commands.h"
#include "ui/main/item_panel.h"
#include "ui/main/item_tree_controller.h"
#include "ui/main/language_menu.h"
#include "ui/main/menu_tree_view.h"
#include "ui/main/scheme_tree_model.h"
#include "ui/main/session.h"
#include "ui/main/settings_page.h"
#include "ui/main/style_page.h"
#include "ui/main/tool_commands.h"
#include "ui/main/tree_clipboard.h"
#include "ui/main/workspace.h"
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

MainWindow::MainWindow(Workspace& workspace, QWidget* parent)
    : QMainWindow(parent),
      ui(std::make_unique<Ui::MainWindow>()),
      workspace_(workspace),
      prompter_(workspace.prompter()) {
    initUiResources();
    ui->setupUi(this);

    document_ = new SchemeDocument(this);
    model_ = new SchemeTreeModel(*document_, this);
    tree_ = ui->tree;
    tree_->setModel(model_);
    treeController_ = new ItemTreeController(*document_, *model_, *tree_, this);

    panel_ = new ItemPanel(*document_, prompter_, this);
    stylePage_ = new StylePage(*document_, prompter_, this);
    settingsPage_ = new SettingsPage(*document_, prompter_, this);
    ui->pages->addTab(panel_, tr("菜单项属性"));
    ui->pages->addTab(stylePage_, tr("风格样式"));
    ui->pages->addTab(settingsPage_, tr("方案属性"));
    ui->pages->setCurrentIndex(0);

    // Above the tree: what happened to the file on disk.
    fileBar_ = new FileChangeBar(*document_, this);
    ui->treePaneLayout->insertWidget(1, fileBar_);

    fileCommands_ = new FileCommands(*this);
    toolCommands_ = new ToolCommands(*this);

    buildFrame();
    buildMenus();
    ui->mainMenuBar->insertMenu(ui->toolsMenu->menuAction(), createViewMenu(this, prompter_));
    buildPreviewDock();
    connectCommands();
    followDocument();
    updateTitle();
    updateActions();
    setUpKeyboardAndNames();
    restoreWindowState();
    workspace_.add(this);
}

MainWindow::~MainWindow() {
    workspace_.remove(this);
    // The view lets go of the nodes before the document takes them along, while the views
    // that follow it are still whole.
    tree_->setModel(nullptr);
    delete document_;
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
    // after its action ("newAction": "newButton"); its status bar hint is the action's hint
    // (its tool tip without the keys), also where the menu item's hint says something else
    // ("新建文件" against "新建方案").
    const auto setUpButton = [this](QToolBar* bar, QAction* a) -> QWidget* {
        QWidget* b = bar->widgetForAction(a);
        if (!b) return nullptr;
        b->setObjectName(a->objectName().replace(QStringLiteral("Action"), QStringLiteral("Button")));
        const auto hint = [a, b] {
            const QVariant plain = a->property("hint");
            b->setStatusTip(plain.isValid() ? plain.toString() : a->toolTip());
        };
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

    // Working area: the tree takes what the page control (362 wide at start) leaves.
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
    auto* namePanel = new QLabel(QStringLiteral("Sylvanode"), this);
    namePanel->setObjectName(QStringLiteral("namePanel"));
    namePanel->setAlignment(Qt::AlignCenter);
    namePanel->setMinimumWidth(std::max(50, namePanel->sizeHint().width() + 8));
    ui->statusBar->addWidget(hintPanel_);
    ui->statusBar->addWidget(namePanel);

    // Controls with a hint show it in the status bar too.
    for (QWidget* w : findChildren<QWidget*>())
        if (!w->toolTip().isEmpty() && w->statusTip().isEmpty()) w->setStatusTip(w->toolTip());
}

void MainWindow::restoreWindowState() {
    const Session::WindowState state = workspace_.session().windowState();
    if (state.geometry.isEmpty() || !restoreGeometry(state.geometry)) {
        // The form's size, and room for the preview pane beside it when that is shown.
        const int paneWidth = previewDock_->isHidden() ? 0 : 400;
        resize(582 + paneWidth, 500);
        if (paneWidth) resizeDocks({previewDock_}, {paneWidth}, Qt::Horizontal);
        if (const QScreen* screen = QGuiApplication::primaryScreen())
            move(screen->availableGeometry().center() - QPoint(width() / 2, height() / 2));
    }
    if (!state.splitter.isEmpty()) ui->splitter->restoreState(state.splitter);
    if (!state.docks.isEmpty()) restoreState(state.docks);
    if (state.page >= 0 && state.page < ui->pages->count()) ui->pages->setCurrentIndex(state.page);

    // Never larger than the screen's free area (a large scale factor shrinks it), and never
    // wider or taller than the screen would let the window be.
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    const QRect area = screen->availableGeometry();
    // Room for the frame the window manager adds.
    const QSize room(std::max(1, area.width() - 16), std::max(1, area.height() - 40));
    setMinimumSize(minimumSize().boundedTo(room));
    if (width() > room.width() || height() > room.height()) resize(size().boundedTo(room));
    QRect frame = geometry();
    if (!area.contains(frame)) {
        frame.moveLeft(std::clamp(frame.left(), area.left(), std::max(area.left(), area.right() - frame.width())));
        frame.moveTop(std::clamp(frame.top(), area.top() + 30, std::max(area.top() + 30, area.bottom() - frame.height())));
        move(frame.topLeft());
    }
}

void MainWindow::showFailure(const QString& what) {
    prompter_.message(this, QStringLiteral("Sylvanode"), what, Prompter::Icon::Error, Prompter::Ok);
}

void MainWindow::connectCommands() {
    const auto on = [this](QAction* action, auto command) {
        connect(action, &QAction::triggered, this, [this, action, command] {
            // While a rename is open in the tree, the tree's keys belong to it.
            if (tree_->renaming() && action->shortcutContext() == Qt::WidgetWithChildrenShortcut) return;
            guarded(command);
        });
    };
    SchemeDocument& doc = *document_;
    FileCommands& files = *fileCommands_;
    ToolCommands& tools = *toolCommands_;
    on(ui->newAction, [&files] { files.newScheme(); });
    on(ui->newWindowAction, [this] { workspace_.newWindow(); });
    on(ui->openAction, [&files] { files.open(); });
    on(ui->saveAction, [&files] { files.save(); });
    on(ui->saveAsAction, [&files] { files.saveAs(); });
    on(ui->importAction, [&files] { files.importFile(); });
    on(ui->importFolderAction, [&files] { files.importFolder(); });
    on(ui->exportAction, [&files] { files.exportTree(); });
    on(ui->closeAction, [this] { close(); });
    on(ui->exitAction, [this] { workspace_.closeAll(); });
    on(ui->checkLinksAction, [&tools] { tools.checkLinks(); });
    on(ui->generateAction, [&tools] { tools.generateScript(); });
    on(ui->previewAction, [&tools] { tools.showPreview(); });
    on(ui->editSuffixAction, [&tools] { tools.editSuffix(); });
    on(ui->helpAction, [&tools] { tools.showHelp(); });
    on(ui->aboutAction, [&tools] { tools.showAbout(); });

    on(ui->addRootItemAction, [this, &doc] {
        treeController_->forgetClick();
        // The new item takes the action kind the radio buttons show, as it would at its first store.
        addRootItem(doc, panel_->contentType());
    });
    on(ui->addSubItemAction, [this, &doc] {
        if (addSubItem(doc)) treeController_->forgetClick();
    });
    on(ui->deleteItemAction, [&doc] { deleteItem(doc); });
    on(ui->moveDownAction, [&doc] { moveItem(doc, +1); });
    on(ui->moveUpAction, [&doc] { moveItem(doc, -1); });
    on(ui->outdentAction, [&doc] { outdentItem(doc); });
    on(ui->indentAction, [&doc] { indentItem(doc); });
    on(ui->renameAction, [this, &doc] {
        const QModelIndex index = model_->indexOf(doc.currentItem());
        if (!index.isValid()) return;
        tree_->setFocus();
        tree_->scrollTo(index);
        tree_->edit(index);
    });
    on(ui->undoAction, [&doc] { doc.undo(); });
    on(ui->redoAction, [&doc] { doc.redo(); });
    on(ui->copyAction, [&doc] {
        if (MenuNode* node = doc.currentItem()) QApplication::clipboard()->setMimeData(itemsToMimeData(*node).release());
    });
    on(ui->cutAction, [this, &doc] {
        MenuNode* node = doc.currentItem();
        if (!node) return;
        QApplication::clipboard()->setMimeData(itemsToMimeData(*node).release());
        deleteItem(doc, tr("剪切"));
    });
    on(ui->pasteAction, [this, &doc] {
        const QMimeData* data = QApplication::clipboard()->mimeData();
        if (data && insertItems(doc, itemsFromMimeData(*data), tr("粘贴"))) treeController_->forgetClick();
    });
    on(ui->duplicateAction, [this, &doc] {
        if (duplicateItem(doc)) treeController_->forgetClick();
    });

    // A new page is a new editing session: typing there never merges with typing before. The
    // option pages show the document afresh (the side selectors back at the top).
    connect(ui->pages, &QTabWidget::currentChanged, this, [this] {
        document_->sealMerging();
        guarded([this] {
            stylePage_->refresh();
            settingsPage_->refresh();
        });
    });

    // The enabling rules are evaluated again whenever the application goes idle.
    if (QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance())
        connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this, &MainWindow::updateActions);
}

void MainWindow::followDocument() {
    connect(document_, &SchemeDocument::filePathChanged, this, &MainWindow::updateTitle);
    connect(document_, &SchemeDocument::modifiedChanged, this, &MainWindow::updateTitle);
    connect(document_, &SchemeDocument::readOnlyChanged, this, &MainWindow::updateTitle);
    connect(document_, &SchemeDocument::currentItemChanged, this, &MainWindow::updateActions);
    // An undo or redo shows where it changed something.
    connect(document_, &SchemeDocument::changeReplayed, this, [this](DocumentPart part) { showPage(part); });
}

void MainWindow::updateTitle() {
    QString title = QStringLiteral("Sylvanode 3.0-");
    title += document_->isUntitled() ? tr("未命名") : document_->fileName();
    if (document_->isReadOnly()) title += tr("[只读]");
    if (document_->isModified()) title += tr("[Modify]");
    if (windowTitle() != title) setWindowTitle(title);
}

void MainWindow::showPage(DocumentPart part) {
    switch (part) {
        case DocumentPart::Items: ui->pages->setCurrentWidget(panel_); break;
        case DocumentPart::Settings: ui->pages->setCurrentWidget(settingsPage_); break;
        case DocumentPart::Styles: ui->pages->setCurrentWidget(stylePage_); break;
    }
}

void MainWindow::showItem(MenuNode* node) {
    treeController_->reveal(node);
    showPage(DocumentPart::Items);
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
    guarded([&] { close = fileCommands_->askToSave(); });
    if (!close) {
        event->ignore();
        return;
    }
    workspace_.session().setWindowState(
        {saveGeometry(), ui->splitter->saveState(), ui->pages->currentIndex(), saveState()});
    event->accept();
}

void MainWindow::updateActions() {
    const MenuNode* current = document_->currentItem();
    const int row = current ? document_->rowOf(current) : -1;
    const int count = current ? static_cast<int>(document_->scheme().siblingsOf(current).size()) : 0;
    const bool any = current != nullptr;
    ui->itemSelectedAction->setEnabled(any);
    ui->canMoveDownAction->setEnabled(any && row + 1 < count);
    ui->canMoveUpAction->setEnabled(any && row > 0);
    for (QAction* a : {ui->addSubItemAction, ui->deleteItemAction, ui->renameAction, ui->cutAction,
                       ui->copyAction, ui->duplicateAction})
        a->setEnabled(any);
    ui->moveDownAction->setEnabled(ui->canMoveDownAction->isEnabled());
    ui->moveUpAction->setEnabled(ui->canMoveUpAction->isEnabled());
    ui->indentAction->setEnabled(ui->canMoveUpAction->isEnabled());
    ui->outdentAction->setEnabled(any && current->parent() != nullptr);
    ui->pasteAction->setEnabled(clipboardMayPaste_);
}

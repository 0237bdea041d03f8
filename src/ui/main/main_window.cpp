#include "ui/main/main_window.h"

#include <QAbstractEventDispatcher>
#include <QCloseEvent>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QProxyStyle>
#include <QScreen>
#include <QTabBar>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTemporaryDir>
#include <QToolButton>
#include <exception>

#include "platform/paths.h"
#include "ui/common/icons.h"
#include "ui/common/prompter.h"
#include "ui/common/text_codec.h"
#include "ui/main/item_panel.h"
#include "ui/main/menu_tree_view.h"
#include "ui/main/scheme_tree_model.h"
#include "ui/main/settings_page.h"
#include "ui/main/style_page.h"
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

    model_ = new SchemeTreeModel(scheme_, this);
    tree_ = ui->Tree;
    tree_->setModel(model_);

    const auto mark = [this] { markModified(); };
    panel_ = new ItemPanel(prompter_, [this] { return scheme_.settings.workDir; }, this);
    stylePage_ = new StylePage(scheme_, prompter_, mark, this);
    settingsPage_ = new SettingsPage(scheme_, prompter_, mark, this);
    ui->PageControl1->addTab(panel_, tr("菜单项属性"));
    ui->PageControl1->addTab(stylePage_, tr("风格样式"));
    ui->PageControl1->addTab(settingsPage_, tr("方案属性"));
    ui->PageControl1->setCurrentIndex(0);

    buildFrame();
    connectCommands();

    // Construction: an untitled scheme in its reset state.
    resetScheme();

    // FormCreate.
    refreshPages();
    scheme_.modified = false;
    updateTitle();
    updateActions();
    createToolDialogs();
}

MainWindow::~MainWindow() {
    // The view must not outlive the nodes it shows.
    tree_->setModel(nullptr);
}

void MainWindow::buildFrame() {
    QFont font;
    font.setFamilies({QStringLiteral("宋体"), QStringLiteral("SimSun"), QStringLiteral("WenQuanYi Micro Hei"),
                      QStringLiteral("Noto Sans CJK SC")});
    font.setPixelSize(13);
    setFont(font);

    // Pictures: theme icons where the desktop has a fitting one, our own otherwise.
    ui->c_new->setIcon(themeIcon("document-new", "new"));
    ui->c_open->setIcon(themeIcon("document-open", "open"));
    ui->c_save->setIcon(themeIcon("document-save", "save"));
    ui->c_makeCode->setIcon(ownIcon("make_code"));
    ui->ToolButton11->setIcon(ownIcon("help"));
    ui->m_new->setIcon(ui->c_new->icon());
    ui->m_open->setIcon(ui->c_open->icon());
    ui->m_save->setIcon(ui->c_save->icon());
    ui->m_saveAs->setIcon(themeIcon("document-save-as", "save_as"));
    ui->m_help->setIcon(ui->ToolButton11->icon());
    ui->c_addRootMenu->setIcon(ownIcon("add_root"));
    ui->c_addSubMenu->setIcon(ownIcon("add_sub"));
    ui->c_deleteMenu->setIcon(ownIcon("delete"));
    ui->ToolButton2->setIcon(ownIcon("down"));
    ui->ToolButton3->setIcon(ownIcon("up"));

    for (QAction* a : {ui->c_new, ui->c_open, ui->c_save, ui->c_makeCode, ui->ToolButton11})
        if (QWidget* b = ui->ToolBar1->widgetForAction(a)) {
            b->setFixedSize(41, 38);
            b->setObjectName(a->objectName() + QStringLiteral("Button"));
        }
    for (QAction* a : {ui->c_addRootMenu, ui->c_addSubMenu, ui->c_deleteMenu, ui->ToolButton2, ui->ToolButton3})
        if (QWidget* b = ui->ToolBar2->widgetForAction(a)) {
            b->setFixedWidth(29);
            b->setObjectName(a->objectName() + QStringLiteral("Button"));
        }
    // Name the menu separators after their places in the menu.
    if (QAction* sep = ui->File1->actions().value(4)) sep->setObjectName(QStringLiteral("N2"));
    if (QAction* sep = ui->N3->actions().value(1)) sep->setObjectName(QStringLiteral("N5"));

    // Working area: the tree takes what the page control (362 wide at start) leaves.
    // At the smallest window (400 wide) the page control keeps its 350 and the tree
    // side makes do with what is left.
    ui->Panel1->setMinimumWidth(30);
    ui->Tree->setMinimumWidth(30);
    ui->ToolBar2->setMinimumWidth(30);
    ui->Splitter1->setStretchFactor(0, 1);
    ui->Splitter1->setStretchFactor(1, 0);
    ui->Splitter1->setSizes({582 - 362 - ui->Splitter1->handleWidth(), 362});

    // Made after the page control, so destroyed after it.
    auto* tabStyle = new PageTabStyle;
    tabStyle->setParent(this);
    ui->PageControl1->tabBar()->setStyle(tabStyle);

    // Status bar: the hint panel and the program's name.
    hintPanel_ = new QLabel(this);
    hintPanel_->setObjectName(QStringLiteral("hintPanel"));
    hintPanel_->setFixedWidth(300);
    namePanel_ = new QLabel(QStringLiteral("Sylvanode"), this);
    namePanel_->setObjectName(QStringLiteral("namePanel"));
    namePanel_->setAlignment(Qt::AlignCenter);
    namePanel_->setMinimumWidth(std::max(50, namePanel_->sizeHint().width() + 8));
    ui->StatusBar1->addWidget(hintPanel_);
    ui->StatusBar1->addWidget(namePanel_);

    // Controls with a hint show it in the status bar too.
    for (QWidget* w : findChildren<QWidget*>())
        if (!w->toolTip().isEmpty() && w->statusTip().isEmpty()) w->setStatusTip(w->toolTip());

    resize(582, 500);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.center() - QPoint(width() / 2, height() / 2));
    }
}

template <class F>
void MainWindow::guarded(F&& command) {
    try {
        command();
    } catch (const std::exception& e) {
        showFailure(QString::fromLocal8Bit(e.what()));
    } catch (...) {
        showFailure(tr("未知错误"));
    }
    updateActions();
}

void MainWindow::showFailure(const QString& what) {
    prompter_.message(this, QStringLiteral("Sylvanode"), what, Prompter::Icon::Error, Prompter::Ok);
}

void MainWindow::connectCommands() {
    const auto on = [this](QAction* action, void (MainWindow::*command)()) {
        connect(action, &QAction::triggered, this, [this, command] { guarded([&] { (this->*command)(); }); });
    };
    on(ui->c_new, &MainWindow::newScheme);
    on(ui->m_new, &MainWindow::newScheme);
    on(ui->c_open, &MainWindow::openScheme);
    on(ui->m_open, &MainWindow::openScheme);
    on(ui->c_save, &MainWindow::saveScheme);
    on(ui->m_save, &MainWindow::saveScheme);
    on(ui->m_saveAs, &MainWindow::saveSchemeAs);
    on(ui->X1, &MainWindow::X1Click);
    on(ui->c_makeCode, &MainWindow::c_makeCodeClick);
    on(ui->C1, &MainWindow::C1Click);
    on(ui->P1, &MainWindow::P1Click);
    on(ui->M1, &MainWindow::M1Click);
    on(ui->m_help, &MainWindow::m_helpClick);
    on(ui->ToolButton11, &MainWindow::ToolButton11Click);
    on(ui->m_about, &MainWindow::m_aboutClick);
    on(ui->c_addRootMenu, &MainWindow::c_addRootMenuClick);
    on(ui->c_addSubMenu, &MainWindow::c_addSubMenuClick);
    on(ui->c_deleteMenu, &MainWindow::c_deleteMenuClick);
    on(ui->ToolButton2, &MainWindow::ToolButton2Click);
    on(ui->ToolButton3, &MainWindow::ToolButton3Click);

    connect(tree_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& c, const QModelIndex& p) { guarded([&] { onCurrentChanged(c, p); }); });
    connect(tree_, &QTreeView::expanded, this, [this](const QModelIndex& i) { onExpandedChanged(i, true); });
    connect(tree_, &QTreeView::collapsed, this, [this](const QModelIndex& i) { onExpandedChanged(i, false); });
    connect(tree_, &MenuTreeView::leftPressed, this, [this](MenuNode* n) { guarded([&] { onLeftPressed(n); }); });
    connect(tree_, &MenuTreeView::dropped, this, [this](MenuNode* n) { guarded([&] { onDropped(n); }); });

    connect(panel_, &ItemPanel::titleChanged, this, [this](const QString& t) { guarded([&] { onPanelTitleChanged(t); }); });
    connect(panel_, &ItemPanel::edited, this, [this] { guarded([&] { onPanelEdited(); }); });
    connect(settingsPage_, &SettingsPage::useImageToggled, panel_, &ItemPanel::setIconRowsVisible);
    connect(ui->PageControl1, &QTabWidget::currentChanged, this, [this] { guarded([&] { refreshPages(); }); });

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
    bool close = true;
    guarded([&] { close = askToSave(); });
    if (close)
        event->accept();
    else
        event->ignore();
}

void MainWindow::X1Click() { close(); }

void MainWindow::C1Click() { c_makeCodeClick(); }

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
    if (!node || node == awaitingRecord_) return;
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
    selected_ = model_->nodeFromIndex(current);
    if (!selected_) return;
    const bool wasModified = scheme_.modified;
    showNodeData(selected_);
    scheme_.modified = wasModified;
    updateTitle();
}

void MainWindow::onExpandedChanged(const QModelIndex& index, bool expanded) {
    MenuNode* node = model_->nodeFromIndex(index);
    if (!node) return;
    node->expanded = expanded;
    refreshImage(node);
}

void MainWindow::onPanelTitleChanged(const QString& text) {
    if (!selected_) return;
    selected_->caption = toSchemeBytes(text);
    model_->nodeChanged(selected_);
    markModified();
}

void MainWindow::onPanelEdited() {
    if (selected_) markModified();
}

void MainWindow::updateActions() {
    const int row = selected_ ? model_->rowOf(selected_) : -1;
    const int count = selected_ ? static_cast<int>(scheme_.siblingsOf(selected_).size()) : 0;
    ui->Action1->setEnabled(selected_ != nullptr);
    ui->Action3->setEnabled(selected_ && row + 1 < count);
    ui->Action4->setEnabled(selected_ && row > 0);
    ui->c_addSubMenu->setEnabled(ui->Action1->isEnabled());
    ui->c_deleteMenu->setEnabled(ui->Action1->isEnabled());
    ui->ToolButton2->setEnabled(ui->Action3->isEnabled());
    ui->ToolButton3->setEnabled(ui->Action4->isEnabled());
}

// SPDX-License-Identifier: MIT
// The preview pane of the main window (a dock beside the pages, shown and hidden from the 视图
// menu, whose clicks select items and whose links show in the status bar) and the 样式 menu.
#include <QDockWidget>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>

#include "ui/common/prompter.h"
#include "ui/main/main_window.h"
#include "ui/main/tool_commands.h"
#include "ui/main/ui_main_window.h"
#include "ui/preview/look_gallery.h"
#include "ui/preview/preview_pane.h"

using namespace sylvanode;

void MainWindow::buildPreviewDock() {
    previewDock_ = new QDockWidget(tr("预览"), this);
    previewDock_->setObjectName(QStringLiteral("previewDock"));
    previewDock_->setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea | Qt::BottomDockWidgetArea);
    previewPane_ = new PreviewPane(*document_, ui->previewAction, previewDock_);
    previewDock_->setWidget(previewPane_);
    addDockWidget(Qt::RightDockWidgetArea, previewDock_);
    // On by default where it can draw the page; elsewhere 视图 → 预览 offers the button.
    if (!livePreviewAvailable()) previewDock_->hide();

    QAction* toggle = previewDock_->toggleViewAction();
    toggle->setObjectName(QStringLiteral("previewPaneAction"));
    toggle->setText(tr("预览(&P)"));
    toggle->setStatusTip(tr("显示或隐藏预览窗格"));
    // The 视图 menu (made with its 语言 submenu) gets the pane's toggle first.
    auto* viewMenu = findChild<QMenu*>(QStringLiteral("viewMenu"));
    Q_ASSERT(viewMenu);
    QAction* first = viewMenu->actions().value(0);
    viewMenu->insertAction(first, toggle);
    viewMenu->insertSeparator(first);

    // 样式: the gallery of looks, and the current look saved as one.
    auto* styleMenu = new QMenu(tr("样式(&Y)"), this);
    styleMenu->setObjectName(QStringLiteral("styleMenu"));
    QAction* gallery = styleMenu->addAction(tr("样式库(&G)…"));
    gallery->setObjectName(QStringLiteral("lookGalleryAction"));
    gallery->setStatusTip(tr("从现成的样式中挑选一种套用到方案"));
    QAction* saveLook = styleMenu->addAction(tr("保存当前样式…"));
    saveLook->setObjectName(QStringLiteral("saveLookAction"));
    saveLook->setStatusTip(tr("把方案的样式保存为样式库中的一种"));
    menuBar()->insertMenu(ui->toolsMenu->menuAction(), styleMenu);
    connect(gallery, &QAction::triggered, this, [this] {
        guarded([this] {
            LookGallery dialog(*document_, readLooks({shippedLooksFolder(), userLooksFolder()}), this);
            prompter_.runDialog(dialog);
        });
    });
    connect(saveLook, &QAction::triggered, this, [this] { guarded([this] { saveCurrentLook(*document_, prompter_, this); }); });

    connect(previewPane_, &PreviewPane::itemClicked, this, [this](int index) {
        if (MenuNode* node = document_->itemAt(index)) showItem(node);
    });
    connect(previewPane_, &PreviewPane::message, this, [this](const QString& text) {
        statusBar()->showMessage(text, 8000);
    });
    connect(previewPane_, &PreviewPane::followLink, this,
            [this](const QUrl& url) { prompter_.openWithShell(url.isLocalFile() ? url.toLocalFile() : url.toString()); });
}

// SPDX-License-Identifier: MIT
// The preview pane of the main window: a dock beside the pages, shown and hidden from the
// 视图 menu, whose clicks select items and whose links show in the status bar.
#include <QDockWidget>
#include <QMenuBar>
#include <QStatusBar>

#include "ui/common/prompter.h"
#include "ui/main/main_window.h"
#include "ui/main/tool_commands.h"
#include "ui/main/ui_main_window.h"
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
    auto* viewMenu = new QMenu(tr("视图(&V)"), this);
    viewMenu->setObjectName(QStringLiteral("viewMenu"));
    viewMenu->addAction(toggle);
    menuBar()->insertMenu(ui->toolsMenu->menuAction(), viewMenu);

    connect(previewPane_, &PreviewPane::itemClicked, this, [this](int index) {
        if (MenuNode* node = document_->itemAt(index)) showItem(node);
    });
    connect(previewPane_, &PreviewPane::message, this, [this](const QString& text) {
        statusBar()->showMessage(text, 8000);
    });
    connect(previewPane_, &PreviewPane::followLink, this,
            [this](const QUrl& url) { prompter_.openWithShell(url.isLocalFile() ? url.toLocalFile() : url.toString()); });
}

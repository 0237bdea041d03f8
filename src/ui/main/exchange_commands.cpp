// SPDX-License-Identifier: MIT
// Import, export and the link check of the main window; the work itself is the core's.
#include <QFile>
#include <QFileInfo>
#include <QScreen>
#include <QTabWidget>

#include "exchange/exporter.h"
#include "exchange/link_check.h"
#include "platform/safe_file.h"
#include "ui/common/failure_text.h"
#include "ui/common/file_filters.h"
#include "ui/common/prompter.h"
#include "ui/common/text_codec.h"
#include "ui/dialogs/link_check_dialog.h"
#include "ui/main/main_window.h"
#include "ui/main/menu_tree_view.h"
#include "ui/main/scheme_tree_model.h"
#include "ui/main/settings_page.h"
#include "ui_main_window.h"

using namespace sylvanode;

namespace {

const QString kCaption = QStringLiteral("Sylvanode");

// The export format a file name asks for by its ending.
bool formatOfPath(const QString& path, ExportFormat& format) {
    const QString ending = QFileInfo(path).suffix().toLower();
    if (ending == QLatin1String("html") || ending == QLatin1String("htm"))
        format = ExportFormat::Html;
    else if (ending == QLatin1String("txt") || ending == QLatin1String("md"))
        format = ExportFormat::Outline;
    else if (ending == QLatin1String("opml") || ending == QLatin1String("xml"))
        format = ExportFormat::Opml;
    else if (ending == QLatin1String("json"))
        format = ExportFormat::Json;
    else
        return false;
    return true;
}

// Puts a window that stays open beside the main window where the screen has room for it
// (right, left, below); else over the right side, so `keepInView` stays visible.
void placeBeside(QWidget* dialog, const QWidget* window, const QWidget* keepInView) {
    const QScreen* screen = window->screen();
    if (!screen) return;
    const QRect area = screen->availableGeometry();
    const QRect frame = window->frameGeometry();
    // The dialog's own frame is not known before it is shown: take the main window's.
    const QRect inner = window->geometry();
    const QMargins decoration(inner.left() - frame.left(), inner.top() - frame.top(), frame.right() - inner.right(),
                              frame.bottom() - inner.bottom());
    QSize size = QRect(QPoint(), dialog->size()).marginsAdded(decoration).size();
    for (const QPoint at : {QPoint(frame.right() + 1, frame.top()), QPoint(frame.left() - size.width(), frame.top()),
                            QPoint(frame.left(), frame.bottom() + 1)}) {
        if (area.contains(QRect(at, size))) {
            dialog->move(at);
            return;
        }
    }
    QPoint at(keepInView->mapToGlobal(QPoint(keepInView->width(), 0)).x() + 1, frame.top());
    const int room = area.right() + 1 - at.x();
    if (size.width() > room && room >= dialog->minimumSizeHint().width() + decoration.left() + decoration.right()) {
        dialog->resize(room - decoration.left() - decoration.right(), dialog->height());
        size.setWidth(room);
    }
    at.setX(std::max(area.left(), std::min(at.x(), area.right() + 1 - size.width())));
    at.setY(std::max(area.top(), std::min(at.y(), area.bottom() + 1 - size.height())));
    dialog->move(at);
}

}  // namespace

void MainWindow::importFile() {
    if (!askToSave()) return;
    Prompter::FileRequest request;
    request.title = tr("导入");
    request.filter = importFileFilter();
    startDialogOn(request, lastImportPath_);
    const std::optional<QString> path = prompter_.openFile(this, request);
    if (!path) return;
    lastImportPath_ = *path;
    importFrom(*path);
}

void MainWindow::importFolder() {
    if (!askToSave()) return;
    const QString start = lastImportPath_.isEmpty() ? QString() : QFileInfo(lastImportPath_).absolutePath();
    const std::optional<QString> folder = prompter_.chooseFolder(this, tr("选择要导入的网站文件夹"), start);
    if (!folder) return;
    lastImportPath_ = *folder + QStringLiteral("/");
    importFrom(*folder);
}

void MainWindow::exportTree() {
    Prompter::FileRequest request;
    request.title = tr("导出");
    request.filter = exportFileFilter();
    startDialogOn(request, lastExportPath_);
    request.defaultExtension = QStringLiteral("*.html");
    request.confirmOverwrite = true;
    const std::optional<QString> path = prompter_.saveFile(this, request);
    if (!path) return;
    lastExportPath_ = *path;
    ExportFormat format;
    if (!formatOfPath(*path, format)) {
        prompter_.message(this, kCaption, tr("请用 .html、.txt、.opml 或 .json 作文件的扩展名"),
                          Prompter::Icon::Error, Prompter::Ok);
        return;
    }
    saveNodeData(selectedNode());
    const ExportResult result = exportScheme(scheme_, format);
    const IoResult written = result
                                 ? writeFileAtomically(QFile::encodeName(*path).toStdString(), result.bytes)
                                 : IoResult::failure(result.error);
    if (!written)
        prompter_.message(this, kCaption, tr("导出时出错：%1").arg(failureReason(written)),
                          Prompter::Icon::Error, Prompter::Ok);
}

void MainWindow::checkLinks() {
    saveNodeData(selectedNode());
    // The work directory (GBK bytes) in the file system's encoding, else the scheme's folder.
    QString folder = toQString(scheme_.settings.workDir);
    if (folder.isEmpty() && !scheme_.fileName.empty())
        folder = QFileInfo(toQString(scheme_.fileName)).absolutePath();
    const LinkCheckResult result = sylvanode::checkLinks(scheme_, QFile::encodeName(folder).toStdString());
    if (!result.error.empty()) {
        prompter_.message(this, kCaption, tr("工作目录不存在：%1").arg(folder), Prompter::Icon::Error,
                          Prompter::Ok);
        return;
    }
    if (!linkCheckDialog_) {
        linkCheckDialog_ = new LinkCheckDialog(this);
        linkCheckDialog_->setObjectName(QStringLiteral("linkCheckDialog"));
        connect(linkCheckDialog_, &LinkCheckDialog::itemChosen, this, [this](int index) {
            activateWindow();
            if (index < 0) {  // a default icon: the settings page shows it
                ui->pages->setCurrentWidget(settingsPage_);
                return;
            }
            const std::vector<MenuNode*> nodes = scheme_.flatten();
            if (index >= static_cast<int>(nodes.size())) return;  // the tree has changed since
            MenuNode* node = nodes[static_cast<size_t>(index)];
            for (MenuNode* p = node->parent(); p; p = p->parent())
                tree_->setExpanded(model_->indexOf(p), true);
            // The item with its page, where the link is mended.
            revealItem(node);
            tree_->scrollTo(model_->indexOf(node));
        });
        placeBeside(linkCheckDialog_, this, ui->treePane);
    }
    linkCheckDialog_->showResult(result, folder);
    linkCheckDialog_->show();
    linkCheckDialog_->raise();
}

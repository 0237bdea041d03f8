// SPDX-License-Identifier: MIT
// Import, export and the link check of the main window; the work itself is the core's.
#include <QFile>
#include <QFileInfo>
#include <QScreen>
#include <QTabWidget>
#include <algorithm>

#include "exchange/exporter.h"
#include "exchange/link_check.h"
#include "platform/safe_file.h"
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
const QString kImportFilter = QStringLiteral(
    "网页、大纲和菜单文件(*.html;*.htm;*.txt;*.md;*.xml;*.opml;*.json)|*.html;*.htm;*.txt;*.md;*.xml;*.opml;*"
    ".json|"
    "所有文件(*.*)|*.*");
const QString kExportFilter =
    QStringLiteral("HTML 列表(*.html)|*.html|大纲(*.txt)|*.txt|OPML(*.opml)|*.opml|JSON(*.json)|*.json");

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

// The folder the links are checked against: the work directory, else the scheme file's folder.
QString linkFolderOf(const MenuScheme& scheme) {
    QString folder = toQString(scheme.settings.workDir);
    if (folder.isEmpty() && !scheme.fileName.empty())
        folder = QFileInfo(toQString(scheme.fileName)).absolutePath();
    return folder;
}

bool sameProblem(const LinkProblem& a, const LinkProblem& b) {
    return a.title == b.title && a.field == b.field && a.kind == b.kind && a.value == b.value;
}

bool sameList(const std::vector<LinkProblem>& a, const std::vector<LinkProblem>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const LinkProblem& x, const LinkProblem& y) {
        return x.item == y.item && x.firstItem == y.firstItem && sameProblem(x, y);
    });
}

// Where the problem is in a newer check: at the same item, else the one item that has it now.
// -1 when it has gone, or when several items have it and none is the listed one.
int rowOfProblem(const std::vector<LinkProblem>& now, const LinkProblem& listed) {
    int found = -1;
    for (size_t row = 0; row < now.size(); ++row) {
        if (!sameProblem(now[row], listed)) continue;
        if (now[row].item == listed.item) return static_cast<int>(row);
        found = found == -1 ? static_cast<int>(row) : -2;
    }
    return found < 0 ? -1 : found;
}

}  // namespace

void MainWindow::importFile() {
    if (!askToSave()) return;
    Prompter::FileRequest request;
    request.title = tr("导入");
    request.filter = kImportFilter;
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
    request.filter = kExportFilter;
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
        prompter_.message(this, kCaption, tr("导出时出错：%1").arg(QString::fromStdString(written.error)),
                          Prompter::Icon::Error, Prompter::Ok);
}

void MainWindow::showMissingWorkFolder(const QString& folder) {
    prompter_.message(this, kCaption, tr("工作目录不存在：%1").arg(folder), Prompter::Icon::Error,
                      Prompter::Ok);
}

void MainWindow::checkLinks() {
    saveNodeData(selectedNode());
    // The work directory (GBK bytes) in the file system's encoding, else the scheme's folder.
    const QString folder = linkFolderOf(scheme_);
    const LinkCheckResult result = sylvanode::checkLinks(scheme_, QFile::encodeName(folder).toStdString());
    if (!result.error.empty()) {
        showMissingWorkFolder(folder);
        return;
    }
    if (!linkCheckDialog_) {
        linkCheckDialog_ = new LinkCheckDialog(this);
        linkCheckDialog_->setObjectName(QStringLiteral("linkCheckDialog"));
        connect(linkCheckDialog_, &LinkCheckDialog::problemChosen, this, [this](const LinkProblem& listed) {
            activateWindow();
            if (listed.item < 0) {  // a default icon: the settings page shows it
                ui->pages->setCurrentWidget(settingsPage_);
                return;
            }
            // Items may have been added, moved or mended since the check: check again, list the
            // problems as they are now, and go to the item that has the chosen one, if any does.
            saveNodeData(selectedNode());
            const QString now = linkFolderOf(scheme_);
            const LinkCheckResult fresh =
                sylvanode::checkLinks(scheme_, QFile::encodeName(now).toStdString());
            if (!fresh.error.empty()) {
                showMissingWorkFolder(now);
                return;
            }
            const int row = rowOfProblem(fresh.problems, listed);
            if (!sameList(fresh.problems, linkCheckDialog_->problems())) {
                linkCheckDialog_->showResult(fresh, now);
                linkCheckDialog_->setCurrentRow(row);
            }
            const int index = row < 0 ? -1 : fresh.problems[static_cast<size_t>(row)].item;
            const std::vector<MenuNode*> nodes = scheme_.flatten();
            if (index < 0 || index >= static_cast<int>(nodes.size())) return;
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

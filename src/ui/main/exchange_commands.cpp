// Import, export and the link check of the main window; the work itself is the core's.
#include <QFile>
#include <QFileInfo>

#include "exchange/exporter.h"
#include "exchange/link_check.h"
#include "platform/safe_file.h"
#include "ui/common/prompter.h"
#include "ui/common/text_codec.h"
#include "ui/dialogs/link_check_dialog.h"
#include "ui/main/main_window.h"
#include "ui/main/menu_tree_view.h"
#include "ui/main/scheme_tree_model.h"

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
            const std::vector<MenuNode*> nodes = scheme_.flatten();
            if (index < 0 || index >= static_cast<int>(nodes.size())) return;  // the tree has changed since
            MenuNode* node = nodes[static_cast<size_t>(index)];
            for (MenuNode* p = node->parent(); p; p = p->parent())
                tree_->setExpanded(model_->indexOf(p), true);
            selectNode(node);
            tree_->scrollTo(model_->indexOf(node));
            activateWindow();
        });
    }
    linkCheckDialog_->showResult(result, folder);
    linkCheckDialog_->show();
    linkCheckDialog_->raise();
}

// SPDX-License-Identifier: MIT
// The document lifecycle of the main window: title, modified flag, the save
// question, New, Open, Save and Save As.
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QUndoStack>

#include "exchange/importer.h"
#include "model/scheme_io.h"
#include "platform/paths.h"
#include "ui/common/prompter.h"
#include "ui/common/text_codec.h"
#include "ui/main/item_panel.h"
#include "ui/main/main_window.h"
#include "ui/main/menu_tree_view.h"
#include "ui/main/scheme_tree_model.h"
#include "ui/main/settings_page.h"
#include "ui/main/style_page.h"

using namespace sylvanode;

namespace {

const QString kCaption = QStringLiteral("Sylvanode");
const QString kMenuFilter = QStringLiteral("menu文件(*.menu)|*.menu|所有文件(*.*)|*.*");

// The file-name part of a path in scheme bytes: what follows the last "/", "\" or
// ":", each taken only as a character of its own (never as a trail byte).
std::string fileNamePart(const std::string& path) {
    size_t start = 0;
    for (size_t i = 0; i < path.size(); ++i) {
        const auto c = static_cast<unsigned char>(path[i]);
        if (isGbkLeadByte(c) && i + 1 < path.size()) {
            ++i;
            continue;
        }
        if (c == '\\' || c == '/' || c == ':') start = i + 1;
    }
    return path.substr(start);
}

// A failure message: the fixed text, and below it why.
QString withReason(const QString& text, const SchemeResult& result) {
    if (result.outOfMemory) return text + QLatin1Char('\n') + MainWindow::tr("内存不足");
    return result.reason.empty() ? text : text + QLatin1Char('\n') + messageText(result.reason);
}

// Scheme bytes to the file system's own encoding of the same path.
std::string fsPath(const std::string& schemeBytes) {
    return QFile::encodeName(toQString(schemeBytes)).toStdString();
}

}  // namespace

void MainWindow::markModified() {
    scheme_.modified = true;
    updateTitle();
}

void MainWindow::updateTitle() {
    QString title = QStringLiteral("Sylvanode 3.0-");
    title += scheme_.fileName.empty() ? tr("未命名") : toQString(fileNamePart(scheme_.fileName));
    if (scheme_.modified) title += QStringLiteral("[Modify]");
    if (windowTitle() != title) setWindowTitle(title);
}

bool MainWindow::askToSave() {
    if (!scheme_.modified) return true;
    const int answer = prompter_.message(this, kCaption, tr("菜单方案已修改，是否保存"), Prompter::Icon::Information,
                                         Prompter::Yes | Prompter::No | Prompter::Cancel);
    // Yes goes on only once the scheme is written: a cancelled save dialog or a failed
    // write keeps the document, still modified, rather than dropping the changes.
    if (answer == Prompter::Yes) return saveToFile();
    return answer == Prompter::No;
}

void MainWindow::refreshPages() {
    stylePage_->refresh();
    settingsPage_->refresh();
}

// Replacing the forest under the view: the view hears one reset, the selection
// steps stay quiet, and an exception on the way still ends the reset.
class MainWindow::TreeReplacement {
public:
    explicit TreeReplacement(MainWindow& w) : w_(w) {
        w_.suppressSelection_ = true;
        // The history belongs to the tree that goes.
        w_.undoStack_->clear();
        w_.model_->beginReplace();
        w_.selected_ = w_.dragNode_ = w_.clickedNode_ = nullptr;
    }
    ~TreeReplacement() {
        w_.model_->endReplace();
        w_.tree_->selectionModel()->clear();
        w_.suppressSelection_ = false;
    }
    TreeReplacement(const TreeReplacement&) = delete;
    TreeReplacement& operator=(const TreeReplacement&) = delete;

private:
    MainWindow& w_;
};

void MainWindow::emptyTree() {
    TreeReplacement replacing(*this);
    scheme_.clearTree();
}

void MainWindow::newScheme() {
    if (!askToSave()) return;
    emptyTree();
    clearItemPanel();
    panel_->menuName()->clear();
    resetScheme();
    refreshPages();
    clearHistory();
    scheme_.modified = false;
    updateTitle();
}

// The file dialogs start on the file last chosen in them: its folder, its name filled in.
void MainWindow::startDialogOn(Prompter::FileRequest& request, const QString& lastPath) const {
    if (lastPath.isEmpty()) return;
    request.initialFile = lastPath;
    request.initialDirectory = QFileInfo(lastPath).absolutePath();
}

void MainWindow::openScheme() {
    if (!askToSave()) return;
    Prompter::FileRequest request;
    request.title = tr("打开菜单文件");
    request.filter = kMenuFilter;
    request.defaultExtension = QStringLiteral("*.menu");
    startDialogOn(request, lastOpenPath_);
    const std::optional<QString> path = prompter_.openFile(this, request);
    if (!path) return;
    loadScheme(*path);
}

void MainWindow::loadScheme(const QString& path) {
    lastOpenPath_ = path;

    // Read into a scheme of its own; the open document is replaced only by a complete one,
    // so a failed open leaves tree, selection, pages, suffix, name and mark as they were.
    MenuScheme loaded;
    const SchemeResult result = readSchemeFile(loaded, fsPath(toSchemeBytes(path)));
    if (!result) {
        prompter_.message(this, kCaption, withReason(tr("菜单方案格式不正确"), result), Prompter::Icon::Error,
                          Prompter::Ok);
        return;
    }
    {
        TreeReplacement replacing(*this);
        clearItemPanel();
        panel_->menuName()->clear();
        scheme_.swap(loaded);
    }
    // The previous tree goes with `loaded`, after the view has let go of it.
    // Nodes stored as expanded are shown so.
    forEachPreOrder(scheme_.roots(), [this](MenuNode* n, int) {
        if (n->expanded && n->hasChildren()) tree_->setExpanded(model_->indexOf(n), true);
    });
    if (!scheme_.empty()) selectNode(scheme_.roots().front().get());
    scheme_.fileName = toSchemeBytes(path);
    refreshPages();
    clearHistory();
    scheme_.modified = false;
    updateTitle();
}

bool MainWindow::importFrom(const QString& path) {
    // Read first: a refused import leaves the open scheme exactly as it was.
    ImportResult imported = importPath(QFile::encodeName(path).toStdString());
    if (!imported) {
        prompter_.message(this, kCaption, tr("无法导入 %1：%2").arg(path, QString::fromStdString(imported.error)),
                          Prompter::Icon::Error, Prompter::Ok);
        return false;
    }
    {
        TreeReplacement replacing(*this);
        scheme_.clearTree();
        clearItemPanel();
        panel_->menuName()->clear();
        resetScheme();
        applyImportSettings(scheme_.settings, imported);
        for (auto& root : imported.roots) scheme_.appendRoot(std::move(root));
    }
    if (!scheme_.empty()) selectNode(scheme_.roots().front().get());
    refreshPages();
    // A new history for the new scheme, with no saved state in it: undoing its edits never
    // takes the mark off a scheme that was never written.
    clearHistory();
    undoStack_->resetClean();
    // A new untitled scheme whose items exist nowhere else yet: closing asks to save them.
    scheme_.modified = true;
    updateTitle();
    return true;
}

void MainWindow::resetScheme() {
    scheme_.fileName.clear();
    scheme_.reset();
    // The executable's folder comes in the file system's encoding; the scheme holds GBK bytes.
    scheme_.settings.workDir = toSchemeBytes(QFile::decodeName(QByteArray::fromStdString(scheme_.settings.workDir)));
}

std::optional<QString> MainWindow::askSavePath() {
    Prompter::FileRequest request;
    request.title = saveDialogTitle_;
    request.filter = kMenuFilter;
    request.defaultExtension = QStringLiteral("*.menu");
    request.confirmOverwrite = true;
    // The name last chosen here, else the scheme's own file.
    startDialogOn(request, !lastSavePath_.isEmpty() ? lastSavePath_ : toQString(scheme_.fileName));
    std::optional<QString> path = prompter_.saveFile(this, request);
    if (path) lastSavePath_ = *path;
    return path;
}

bool MainWindow::writeTo(const QString& path) {
    saveNodeData(selected_);
    const SchemeResult result = writeSchemeFile(scheme_, fsPath(toSchemeBytes(path)));
    if (!result) {
        prompter_.message(this, kCaption, withReason(tr("保存菜单方案时出错"), result), Prompter::Icon::Error,
                          Prompter::Ok);
        return false;
    }
    undoStack_->setClean();
    scheme_.modified = false;
    scheme_.fileName = toSchemeBytes(path);
    updateTitle();
    return true;
}

bool MainWindow::saveToFile() {
    QString target;
    const QFileInfo existing(QFile::decodeName(QByteArray::fromStdString(fsPath(scheme_.fileName))));
    if (!scheme_.fileName.empty() && existing.exists() && !existing.isDir()) {
        target = toQString(scheme_.fileName);
    } else {
        // Untitled, or the file has gone since it was opened or written.
        const std::optional<QString> path = askSavePath();
        if (!path) return false;
        target = *path;
    }
    return writeTo(target);
}

void MainWindow::saveScheme() { saveToFile(); }

void MainWindow::saveSchemeAs() {
    saveDialogTitle_ = tr("另存为...");
    if (const std::optional<QString> path = askSavePath()) writeTo(*path);
    saveDialogTitle_ = tr("保存菜单方案");
}

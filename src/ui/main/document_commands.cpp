// The document lifecycle of the main window: title, modified flag, the save
// question, New, Open, Save and Save As.
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QUndoStack>

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
    if (answer == Prompter::Yes) {
        // Whatever comes of the save, the caller goes on.
        saveScheme();
        return true;
    }
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

QString MainWindow::fileDialogDirectory(const QString& lastPath) const {
    return lastPath.isEmpty() ? QString() : QFileInfo(lastPath).absolutePath();
}

void MainWindow::openScheme() {
    if (!askToSave()) return;
    Prompter::FileRequest request;
    request.title = tr("打开菜单文件");
    request.filter = kMenuFilter;
    request.initialDirectory = fileDialogDirectory(lastOpenPath_);
    request.defaultExtension = QStringLiteral("*.menu");
    const std::optional<QString> path = prompter_.openFile(this, request);
    if (!path) return;
    loadScheme(*path);
}

void MainWindow::loadScheme(const QString& chosen) {
    const std::optional<QString> path = chosen;
    lastOpenPath_ = *path;

    // Emptying and reading happen inside one reset of the view: a failed read
    // leaves whatever nodes it had added, and the view shows exactly those.
    SchemeResult result;
    {
        TreeReplacement replacing(*this);
        scheme_.clearTree();
        clearItemPanel();
        panel_->menuName()->clear();
        result = readSchemeFile(scheme_, fsPath(toSchemeBytes(*path)));
    }
    if (!result) {
        prompter_.message(this, kCaption, tr("菜单方案格式不正确"), Prompter::Icon::Error, Prompter::Ok);
        return;
    }
    // Nodes stored as expanded are shown so.
    forEachPreOrder(scheme_.roots(), [this](MenuNode* n, int) {
        if (n->expanded && n->hasChildren()) tree_->setExpanded(model_->indexOf(n), true);
    });
    if (!scheme_.empty()) selectNode(scheme_.roots().front().get());
    scheme_.fileName = toSchemeBytes(*path);
    refreshPages();
    clearHistory();
    scheme_.modified = false;
    updateTitle();
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
    request.initialDirectory = fileDialogDirectory(lastSavePath_);
    request.defaultExtension = QStringLiteral("*.menu");
    request.confirmOverwrite = true;
    std::optional<QString> path = prompter_.saveFile(this, request);
    if (path) lastSavePath_ = *path;
    return path;
}

bool MainWindow::writeTo(const QString& path) {
    saveNodeData(selected_);
    const SchemeResult result = writeSchemeFile(scheme_, fsPath(toSchemeBytes(path)));
    if (!result) {
        prompter_.message(this, kCaption, tr("保存菜单方案时出错"), Prompter::Icon::Error, Prompter::Ok);
        return false;
    }
    undoStack_->setClean();
    scheme_.modified = false;
    scheme_.fileName = toSchemeBytes(path);
    updateTitle();
    return true;
}

void MainWindow::saveScheme() {
    QString target;
    const QFileInfo existing(QFile::decodeName(QByteArray::fromStdString(fsPath(scheme_.fileName))));
    if (!scheme_.fileName.empty() && existing.exists() && !existing.isDir()) {
        target = toQString(scheme_.fileName);
    } else {
        // Untitled, or the file has gone since it was opened or written.
        const std::optional<QString> path = askSavePath();
        if (!path) return;
        target = *path;
    }
    writeTo(target);
}

void MainWindow::saveSchemeAs() {
    saveDialogTitle_ = tr("另存为...");
    if (const std::optional<QString> path = askSavePath()) writeTo(*path);
    saveDialogTitle_ = tr("保存菜单方案");
}

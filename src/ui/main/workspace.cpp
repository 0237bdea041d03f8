// SPDX-License-Identifier: MIT
#include "ui/main/workspace.h"

#include <QFile>
#include <QFileInfo>
#include <QLocale>

#include <string>
#include <vector>

#include "document/scheme_document.h"
#include "document/text_codec.h"
#include "platform/safe_file.h"
#include "ui/common/failure_text.h"
#include "ui/common/prompter.h"
#include "ui/main/main_window.h"
#include "ui/main/session.h"

namespace sylvanode {
namespace {

// A failure message: the fixed text, and below it why. A file that could not be read is not
// called malformed: the reason says why it was not read.
QString openFailure(const SchemeResult& result) {
    const QString text = result.ioError ? MainWindow::tr("无法打开菜单方案") : MainWindow::tr("菜单方案格式不正确");
    return withReason(text, failureReason(result));
}

// Two names of one file: the same file on disk (links and "." resolved), else the same path.
bool sameFile(const QString& a, const QString& b) {
    const QString ca = QFileInfo(a).canonicalFilePath();
    const QString cb = QFileInfo(b).canonicalFilePath();
    if (!ca.isEmpty() && !cb.isEmpty()) return ca == cb;
    return QFileInfo(a).absoluteFilePath() == QFileInfo(b).absoluteFilePath();
}

}  // namespace

Workspace::Workspace(Prompter& prompter, Session& session, QObject* parent)
    : QObject(parent), prompter_(prompter), session_(session) {}

Workspace::~Workspace() {
    for (const QPointer<MainWindow>& window : owned_) delete window.data();
}

void Workspace::add(MainWindow* window) {
    if (!windows_.contains(window)) windows_ << window;
}

void Workspace::remove(MainWindow* window) { windows_.removeAll(window); }

QList<MainWindow*> Workspace::windows() const { return windows_; }

MainWindow* Workspace::newWindow() {
    auto* window = new MainWindow(*this);
    window->setAttribute(Qt::WA_DeleteOnClose);
    owned_ << window;
    // Not exactly over the window before it.
    if (windows_.size() > 1) {
        const MainWindow* before = windows_[windows_.size() - 2];
        window->move(before->pos() + QPoint(32, 32));
    }
    window->show();
    return window;
}

MainWindow* Workspace::windowFor(const QString& path) const {
    for (MainWindow* window : windows_)
        if (!window->document().isUntitled() && sameFile(window->document().filePath(), path)) return window;
    return nullptr;
}

MainWindow* Workspace::openFiles(const QStringList& paths, MainWindow* from) {
    MainWindow* last = nullptr;
    for (const QString& path : paths) {
        last = openFile(path, from);
        // The next file goes where this one would have: an untitled window left by a failure
        // takes it.
        if (last) from = last;
    }
    return last;
}

MainWindow* Workspace::openFile(const QString& path, MainWindow* from) {
    if (MainWindow* open = windowFor(path)) {
        open->show();
        open->raise();
        open->activateWindow();
        return open;
    }
    // A save of this file that was killed while writing it in place left the file perhaps partly
    // written and its old contents in a backup, which the next save would remove: the author
    // chooses which to open.
    QString source = path;
    if (const std::vector<std::string> backups = leftBackups(QFile::encodeName(path).toStdString()); !backups.empty()) {
        const QFileInfo backup(QFile::decodeName(backups.front().c_str()));
        const QString when = QLocale().toString(backup.lastModified(), QLocale::ShortFormat);
        const int choice = prompter_.choose(
            from, QStringLiteral("Sylvanode"),
            tr("上次保存“%1”时被中断，这个文件可能不完整。\n保存之前的内容在备份“%2”中（%3）。\n"
               "保存这个文件以后，备份会被删除。")
                .arg(QFileInfo(path).fileName(), backup.fileName(), when),
            Prompter::Icon::Warning, {tr("打开备份"), tr("打开文件"), tr("取消")});
        if (choice == 2) return nullptr;
        if (choice == 0) source = backup.filePath();
    }
    const bool restored = source != path;
    LoadedScheme loaded = SchemeDocument::read(source);
    if (!loaded.result) {
        prompter_.message(from, QStringLiteral("Sylvanode"), openFailure(loaded.result), Prompter::Icon::Error,
                          Prompter::Ok);
        return nullptr;
    }
    const bool reuse = from && from->document().isUntitled() && !from->document().isModified();
    MainWindow* window = reuse ? from : newWindow();
    if (restored)
        window->document().adoptRestored(std::move(loaded), path);
    else
        window->document().adopt(std::move(loaded), path);
    session_.addRecentFile(window->document().filePath());
    if (!reuse) window->activateWindow();
    return window;
}

bool Workspace::closeAll() {
    // Newest first, as a desktop closes a stack of windows; each asks about its own changes.
    const QList<MainWindow*> all = windows_;
    for (auto it = all.rbegin(); it != all.rend(); ++it)
        if (windows_.contains(*it) && !(*it)->close()) return false;
    return true;
}

}  // namespace sylvanode

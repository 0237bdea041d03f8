// SPDX-License-Identifier: MIT
#include "ui/main/tool_commands.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QClipboard>
#include <QScreen>
#include <QTemporaryDir>
#include <algorithm>

#include "codegen/script_text.h"
#include "document/scheme_document.h"
#include "document/text_codec.h"
#include "exchange/link_check.h"
#include "platform/help_files.h"
#include "platform/paths.h"
#include "platform/safe_file.h"
#include "preview/preview_page.h"
#include "preview/web_library.h"
#include "ui/common/failure_text.h"
#include "ui/common/file_filters.h"
#include "ui/common/prompter.h"
#include "ui/common/translations.h"
#include "ui/dialogs/about_dialog.h"
#include "ui/dialogs/link_check_dialog.h"
#include "ui/dialogs/suffix_dialog.h"
#include "ui/main/file_commands.h"
#include "ui/main/main_window.h"
#include "ui/main/session.h"
#include "ui/main/workspace.h"

namespace sylvanode {
namespace {

const QString kCaption = QStringLiteral("Sylvanode");

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
QString linkFolderOf(const SchemeDocument& document) {
    QString folder = toQString(document.scheme().settings.workDir);
    if (folder.isEmpty() && !document.isUntitled()) folder = QFileInfo(document.filePath()).absolutePath();
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

void ToolCommands::SuffixDialogDeleter::operator()(SuffixDialog* dialog) const { delete dialog; }

ToolCommands::ToolCommands(MainWindow& window)
    : QObject(&window),
      window_(window),
      document_(window.document()),
      prompter_(window.workspace().prompter()),
      suffixDialog_(new SuffixDialog(prompter_, &window)) {
    suffixDialog_->hide();
}

ToolCommands::~ToolCommands() = default;

void ToolCommands::inform(const QString& text) {
    prompter_.message(&window_, kCaption, text, Prompter::Icon::Information, Prompter::Ok);
}

void ToolCommands::generateScript() {
    const MenuScheme& scheme = document_.scheme();
    if (scheme.empty()) {
        inform(tr("没有菜单项，终止生成代码"));
        return;
    }
    Session& session = window_.workspace().session();
    Prompter::FileRequest request;
    request.title = tr("生成脚本文件");
    request.filter = scriptFileFilter();
    request.defaultExtension = QStringLiteral("*.js");
    request.confirmOverwrite = true;
    // Beside the scheme, with its name; an untitled scheme starts where the last script went.
    if (!document_.isUntitled()) {
        const QFileInfo own(document_.filePath());
        startDialogOn(request, own.absoluteDir().filePath(own.completeBaseName() + QStringLiteral(".js")));
    } else {
        startDialogOn(request, session.lastPath(Session::Dialog::Script));
    }
    const std::optional<QString> path = prompter_.saveFile(&window_, request);
    if (!path) return;
    session.setLastPath(Session::Dialog::Script, *path);
    // Written whole or not at all: a failed write leaves an existing file as it was.
    const IoResult result = writeScriptFile(scheme, QFile::encodeName(*path).toStdString());
    if (!result) {
        prompter_.message(&window_, kCaption, withReason(tr("生成代码时出错"), failureReason(result)),
                          Prompter::Icon::Error, Prompter::Ok);
        return;
    }
    inform(tr("生成代码完毕"));
}

void ToolCommands::showPreview() {
    const MenuScheme& scheme = document_.scheme();
    if (scheme.empty()) {
        inform(tr("没有菜单项，终止生成代码"));
        return;
    }
    if (!previewDir_) previewDir_ = std::make_unique<QTemporaryDir>();
    // Relative icons and links resolve against the work directory, or the scheme file's folder.
    const QString schemeDir =
        document_.isUntitled() ? QDir::currentPath() : QFileInfo(document_.filePath()).absolutePath();
    const QString title = document_.isUntitled() ? QStringLiteral("preview.menu") : document_.fileName();
    const QString pageDir = previewDir_->path() + QStringLiteral("/page");
    const std::string library = webLibraryDirectory();
    QString failure;
    std::string pagePath;
    if (library.empty()) {
        failure = tr("找不到树形菜单库 %1").arg(QLatin1String(kWebLibraryFile));
    } else if (!previewDir_->isValid()) {
        failure = tr("无法建立预览文件夹");
    } else {
        const std::string base = previewBaseDirectory(scheme, QFile::encodeName(schemeDir).toStdString());
        // writePreview lends the script the page's own node-line images for a moment and puts
        // the scheme back as it was before it returns: no change of the document.
        const IoResult written =
            writePreview(const_cast<MenuScheme&>(scheme), base, QFile::encodeName(pageDir).toStdString(), library,
                         title.toUtf8().toStdString(), pagePath);
        if (!written) failure = failureReason(written);
    }
    if (!failure.isEmpty()) {
        prompter_.message(&window_, kCaption, tr("预览时出错") + QLatin1Char('\n') + failure, Prompter::Icon::Error,
                          Prompter::Ok);
        return;
    }
    const QString page = pageDir + QLatin1Char('/') + QLatin1String(kPreviewPage);
    if (prompter_.openWithShell(page)) return;
    // No browser took the page: where it is, and a button that copies that.
    const int choice = prompter_.choose(&window_, kCaption,
                                        tr("没有可以打开预览页面的浏览器：") + QLatin1Char('\n') + page,
                                        Prompter::Icon::Information, {tr("复制路径"), tr("确定")});
    if (choice == 0) QGuiApplication::clipboard()->setText(page);
}

void ToolCommands::showMissingWorkFolder(const QString& folder) {
    prompter_.message(&window_, kCaption, tr("工作目录不存在：%1").arg(folder), Prompter::Icon::Error, Prompter::Ok);
}

void ToolCommands::checkLinks() {
    // The work directory (GBK bytes) in the file system's encoding, else the scheme's folder.
    const QString folder = linkFolderOf(document_);
    const LinkCheckResult result = sylvanode::checkLinks(document_.scheme(), QFile::encodeName(folder).toStdString());
    if (result.failure) {
        showMissingWorkFolder(folder);
        return;
    }
    if (!linkCheckDialog_) {
        linkCheckDialog_ = new LinkCheckDialog(&window_);
        linkCheckDialog_->setObjectName(QStringLiteral("linkCheckDialog"));
        connect(linkCheckDialog_, &LinkCheckDialog::problemChosen, this,
                [this](const LinkProblem& listed) { showProblem(listed); });
        placeBeside(linkCheckDialog_, &window_, window_.findChild<QWidget*>(QStringLiteral("treePane")));
    }
    linkCheckDialog_->showResult(result, folder);
    linkCheckDialog_->show();
    linkCheckDialog_->raise();
}

void ToolCommands::showProblem(const LinkProblem& listed) {
    window_.activateWindow();
    if (listed.item < 0) {  // a default icon: the settings page shows it
        window_.showPage(DocumentPart::Settings);
        return;
    }
    // Items may have been added, moved or mended since the check: check again, list the
    // problems as they are now, and go to the item that has the chosen one, if any does.
    const QString now = linkFolderOf(document_);
    const LinkCheckResult fresh = sylvanode::checkLinks(document_.scheme(), QFile::encodeName(now).toStdString());
    if (fresh.failure) {
        showMissingWorkFolder(now);
        return;
    }
    const int row = rowOfProblem(fresh.problems, listed);
    if (!sameList(fresh.problems, linkCheckDialog_->problems())) {
        linkCheckDialog_->showResult(fresh, now);
        linkCheckDialog_->setCurrentRow(row);
    }
    const int index = row < 0 ? -1 : fresh.problems[static_cast<size_t>(row)].item;
    // The item with its page, where the link is mended.
    if (MenuNode* node = document_.itemAt(index)) window_.showItem(node);
}

void ToolCommands::editSuffix() {
    if (prompter_.runDialog(*suffixDialog_) == QDialog::Accepted) document_.setMenuSuffix(suffixDialog_->suffix());
}

void ToolCommands::showHelp() {
    // The guide in the language the editor speaks (English for a language it has no guide in).
    // Chinese readers get the help file first when the desktop names a viewer for it; a viewer
    // that fails to start gives way to the HTML guide.
    const std::string exeDir = executableDirectory();
    const Language language = languageOfLocale(uiLanguage().toStdString());
    bool viewerKnown = false;
    if (language == Language::Chinese && !findHelpFile(exeDir).empty())
        for (const char* type : kHelpFileTypes)
            if (!viewerKnown) viewerKnown = !prompter_.desktopApplicationFor(QLatin1String(type)).isEmpty();
    const std::vector<std::string> docs = helpDocuments(exeDir, language, viewerKnown);
    for (const std::string& doc : docs)
        if (prompter_.openWithShell(QFile::decodeName(doc.c_str()))) return;

    // The guide, when found, is the last document; the help file alone means it is missing.
    const bool guideFound = !docs.empty() && docs.back().size() > 5 && docs.back().ends_with(".html");
    if (!guideFound) {
        const QString expected = QFile::decodeName(installedUserGuidePath(exeDir, language).c_str());
        inform(tr("找不到用户指南，它应在：") + QLatin1Char('\n') + expected);
    } else {
        inform(tr("没有可以打开用户指南的程序：") + QLatin1Char('\n') + QFile::decodeName(docs.back().c_str()));
    }
}

void ToolCommands::showAbout() {
    AboutDialog about(prompter_, &window_);
    prompter_.runDialog(about);
}

}  // namespace sylvanode

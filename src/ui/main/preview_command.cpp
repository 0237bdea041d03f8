// SPDX-License-Identifier: MIT
// The preview command: the scheme as it stands, shown in the browser through a
// page beside the tree-menu library, in a folder kept until the window closes.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "preview/preview_page.h"
#include "preview/web_library.h"
#include "ui/common/failure_text.h"
#include "ui/common/prompter.h"
#include "ui/common/text_codec.h"
#include "ui/main/main_window.h"

using namespace sylvanode;

void MainWindow::showPreview() {
    const QString caption = QStringLiteral("Sylvanode");
    if (scheme_.empty()) {
        prompter_.message(this, caption, tr("没有菜单项，终止生成代码"), Prompter::Icon::Information, Prompter::Ok);
        return;
    }
    saveNodeData(selected_);
    if (!previewDir_) previewDir_ = std::make_unique<QTemporaryDir>();
    // Relative icons and links resolve against the work directory, or the scheme file's folder.
    const QString schemeDir = scheme_.fileName.empty() ? QDir::currentPath()
                                                       : QFileInfo(toQString(scheme_.fileName)).absolutePath();
    const QString title = scheme_.fileName.empty() ? QStringLiteral("preview.menu")
                                                   : QFileInfo(toQString(scheme_.fileName)).fileName();
    const QString pageDir = previewDir_->path() + QStringLiteral("/page");
    const std::string library = webLibraryDirectory();
    QString failure;
    std::string pagePath;
    if (library.empty()) {
        failure = tr("找不到树形菜单库 %1").arg(QLatin1String(kWebLibraryFile));
    } else if (!previewDir_->isValid()) {
        failure = tr("无法建立预览文件夹");
    } else {
        const std::string base = previewBaseDirectory(scheme_, QFile::encodeName(schemeDir).toStdString());
        const IoResult written = writePreview(scheme_, base, QFile::encodeName(pageDir).toStdString(), library,
                                              title.toUtf8().toStdString(), pagePath);
        if (!written) failure = failureReason(written);
    }
    if (!failure.isEmpty()) {
        prompter_.message(this, caption, tr("预览时出错") + QLatin1Char('\n') + failure, Prompter::Icon::Error,
                          Prompter::Ok);
        return;
    }
    const QString page = pageDir + QLatin1Char('/') + QLatin1String(kPreviewPage);
    if (!prompter_.openWithShell(page))
        prompter_.message(this, caption, tr("没有可以打开预览页面的浏览器：") + QLatin1Char('\n') + page,
                          Prompter::Icon::Information, Prompter::Ok);
}

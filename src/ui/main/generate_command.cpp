// SPDX-License-Identifier: MIT
// The generate command: writes the script file for the open scheme.
#include <QFile>

#include "codegen/script_text.h"
#include "ui/common/failure_text.h"
#include "ui/common/file_filters.h"
#include "ui/common/prompter.h"
#include "ui/common/text_codec.h"
#include "ui/main/main_window.h"

using namespace sylvanode;

void MainWindow::generateScript() {
    const QString caption = QStringLiteral("Sylvanode");
    if (scheme_.empty()) {
        prompter_.message(this, caption, tr("没有菜单项，终止生成代码"), Prompter::Icon::Information, Prompter::Ok);
        return;
    }
    Prompter::FileRequest request;
    request.title = tr("生成脚本文件");
    request.filter = scriptFileFilter();
    request.defaultExtension = QStringLiteral("*.js");
    request.confirmOverwrite = true;
    startDialogOn(request, lastScriptPath_);
    const std::optional<QString> path = prompter_.saveFile(this, request);
    if (!path) return;
    lastScriptPath_ = *path;
    saveNodeData(selected_);
    // Written whole or not at all: a failed write leaves an existing file as it was.
    const IoResult result = writeScriptFile(scheme_, QFile::encodeName(*path).toStdString());
    if (!result) {
        prompter_.message(this, caption, withReason(tr("生成代码时出错"), failureReason(result)),
                          Prompter::Icon::Error, Prompter::Ok);
        return;
    }
    prompter_.message(this, caption, tr("生成代码完毕"), Prompter::Icon::Information, Prompter::Ok);
}

// The preview command: the scheme as it stands, shown in the browser through a
// page beside the tree-menu library, in a folder kept until the window closes.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <sstream>

#include "cli/preview_command.h"
#include "model/scheme_io.h"
#include "ui/common/prompter.h"
#include "ui/common/text_codec.h"
#include "ui/main/tfm_main.h"

using namespace sylvanode;

void TfmMain::P1Click() {
    const QString caption = QStringLiteral("Sylvanode");
    if (scheme_.empty()) {
        prompter_.message(this, caption, tr("没有菜单项，终止生成代码"), Prompter::Icon::Information, Prompter::Ok);
        return;
    }
    saveNodeData(selected_);
    if (!previewDir_) previewDir_ = std::make_unique<QTemporaryDir>();
    const QString base = previewDir_->path();
    // The scheme goes to the preview as a file, under its own name (the page's title).
    const QString name = scheme_.fileName.empty() ? QStringLiteral("preview.menu")
                                                  : QFileInfo(toQString(scheme_.fileName)).fileName();
    const QString source = base + QStringLiteral("/scheme/") + name;
    const QString pageDir = base + QStringLiteral("/page");
    std::ostringstream out;
    std::ostringstream err;
    int rc = 1;
    if (previewDir_->isValid() && QDir().mkpath(base + QStringLiteral("/scheme"))) {
        const SchemeResult written = writeSchemeFile(scheme_, QFile::encodeName(source).toStdString());
        if (written) {
            std::map<std::string, std::string> values{{"-o", QFile::encodeName(pageDir).toStdString()}};
            if (!scheme_.settings.menuSuffix.empty()) values["--suffix"] = scheme_.settings.menuSuffix;
            rc = cli::previewCommand({QFile::encodeName(source).toStdString()}, values, out, err);
        } else {
            err << written.reason;
        }
    }
    if (rc != 0) {
        prompter_.message(this, caption, tr("预览时出错") + QLatin1Char('\n') + QString::fromLocal8Bit(err.str()).trimmed(),
                          Prompter::Icon::Error, Prompter::Ok);
        return;
    }
    const QString page = pageDir + QLatin1Char('/') + QLatin1String(cli::kPreviewPage);
    if (!prompter_.openWithShell(page))
        prompter_.message(this, caption, tr("没有可以打开预览页面的浏览器：") + QLatin1Char('\n') + page,
                          Prompter::Icon::Information, Prompter::Ok);
}

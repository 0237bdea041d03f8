// SPDX-License-Identifier: MIT
#include "ui/common/choosers.h"

#include <QDir>
#include <QFileInfo>

#include "model/menu_scheme.h"
#include "platform/paths.h"
#include "ui/common/file_filters.h"
#include "ui/common/prompter.h"
#include "document/text_codec.h"

namespace sylvanode {

std::string browseBaseDirectory(const MenuScheme& scheme) {
    const std::string& work = scheme.settings.workDir;
    if (work.empty()) return {};
    const QString base =
        scheme.fileName.empty() ? QDir::currentPath() : QFileInfo(toQString(scheme.fileName)).absolutePath();
    return absoluteWorkDir(work, toSchemeBytes(base));
}

std::string chooseRelativePath(Prompter& prompter, QWidget* parent, const std::string& workDir,
                               const QString& pipeFilter) {
    Prompter::FileRequest request;
    request.filter = pipeFilter + QLatin1Char('|') + allFilesFilter();
    request.initialDirectory = toQString(workDir);
    const std::optional<QString> chosen = prompter.openFile(parent, request);
    if (!chosen || chosen->isEmpty()) return {};
    return relativeWebPath(toSchemeBytes(*chosen), workDir);
}

std::string chooseFolder(Prompter& prompter, QWidget* parent, const QString& title) {
    // The browser starts at the top of the file system.
    const std::optional<QString> chosen = prompter.chooseFolder(parent, title, QDir::rootPath());
    if (!chosen || chosen->isEmpty()) return {};
    std::string path = toSchemeBytes(QDir::toNativeSeparators(*chosen));
    if (path.empty() || path.back() != kNativeSeparator) path.push_back(kNativeSeparator);
    return path;
}

}  // namespace sylvanode

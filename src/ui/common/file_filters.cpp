// SPDX-License-Identifier: MIT
#include "ui/common/file_filters.h"

#include <QCoreApplication>

namespace sylvanode {
namespace {

// Translators see the descriptions only; the patterns stay as they are.
class FileFilter {
    Q_DECLARE_TR_FUNCTIONS(FileFilter)
public:
    static QString entry(const QString& description, const char* patterns) {
        return description + QLatin1Char('|') + QLatin1String(patterns);
    }
};

}  // namespace

QString allFilesFilter() { return FileFilter::entry(FileFilter::tr("所有文件(*.*)"), "*.*"); }

QString menuFileFilter() {
    return FileFilter::entry(FileFilter::tr("menu文件(*.menu)"), "*.menu") + QLatin1Char('|') + allFilesFilter();
}

QString scriptFileFilter() {
    return FileFilter::entry(FileFilter::tr("脚本文件(*.js)"), "*.js") + QLatin1Char('|') + allFilesFilter();
}

QString importFileFilter() {
    return FileFilter::entry(FileFilter::tr("网页、大纲和菜单文件(*.html;*.htm;*.txt;*.md;*.xml;*.opml;*.json)"),
                             "*.html;*.htm;*.txt;*.md;*.xml;*.opml;*.json") +
           QLatin1Char('|') + allFilesFilter();
}

QString exportFileFilter() {
    return FileFilter::entry(FileFilter::tr("HTML 列表(*.html)"), "*.html") + QLatin1Char('|') +
           FileFilter::entry(FileFilter::tr("大纲(*.txt)"), "*.txt") + QLatin1Char('|') +
           FileFilter::entry(FileFilter::tr("OPML(*.opml)"), "*.opml") + QLatin1Char('|') +
           FileFilter::entry(FileFilter::tr("JSON(*.json)"), "*.json");
}

QString gifFileFilter() { return FileFilter::entry(FileFilter::tr("Gif文件(*.gif)"), "*.gif"); }

QString pageFileFilter() { return FileFilter::entry(FileFilter::tr("Html文件(*.html)"), "*.html;*.htm"); }

}  // namespace sylvanode

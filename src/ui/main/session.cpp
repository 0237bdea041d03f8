// SPDX-License-Identifier: MIT
#include "ui/main/session.h"

#include <QFileInfo>
#include <QSettings>

namespace sylvanode {
namespace {

QString keyOf(Session::Dialog dialog) {
    switch (dialog) {
        case Session::Dialog::Open: return QStringLiteral("dialogs/open");
        case Session::Dialog::Save: return QStringLiteral("dialogs/save");
        case Session::Dialog::Script: return QStringLiteral("dialogs/script");
        case Session::Dialog::Import: return QStringLiteral("dialogs/import");
        case Session::Dialog::Export: return QStringLiteral("dialogs/export");
    }
    return {};
}

const QString kRecent = QStringLiteral("recentFiles");
const QString kLastFolder = QStringLiteral("dialogs/lastFolder");

}  // namespace

Session::Session(const QString& settingsFile, QObject* parent)
    : QObject(parent),
      settings_(settingsFile.isEmpty()
                    ? std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("sylvanode"),
                                                  QStringLiteral("sylvanode"))
                    : std::make_unique<QSettings>(settingsFile, QSettings::IniFormat)) {}

Session::~Session() = default;

QStringList Session::recentFiles() const { return settings_->value(kRecent).toStringList(); }

void Session::writeRecent(const QStringList& files) {
    if (files == recentFiles()) return;
    settings_->setValue(kRecent, files);
    Q_EMIT recentFilesChanged();
}

void Session::addRecentFile(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    QStringList files = recentFiles();
    files.removeAll(absolute);
    files.prepend(absolute);
    while (files.size() > kMaxRecentFiles) files.removeLast();
    writeRecent(files);
}

void Session::removeRecentFile(const QString& path) {
    QStringList files = recentFiles();
    files.removeAll(QFileInfo(path).absoluteFilePath());
    writeRecent(files);
}

QString Session::lastPath(Dialog dialog) const { return settings_->value(keyOf(dialog)).toString(); }

void Session::setLastPath(Dialog dialog, const QString& path) {
    settings_->setValue(keyOf(dialog), path);
    // (A folder chosen for import ends in "/", so this is the folder itself.)
    settings_->setValue(kLastFolder, QFileInfo(path).absolutePath());
}

QString Session::lastFolder() const { return settings_->value(kLastFolder).toString(); }

Session::WindowState Session::windowState() const {
    WindowState state;
    state.geometry = settings_->value(QStringLiteral("window/geometry")).toByteArray();
    state.splitter = settings_->value(QStringLiteral("window/splitter")).toByteArray();
    state.page = settings_->value(QStringLiteral("window/page"), 0).toInt();
    return state;
}

void Session::setWindowState(const WindowState& state) {
    settings_->setValue(QStringLiteral("window/geometry"), state.geometry);
    settings_->setValue(QStringLiteral("window/splitter"), state.splitter);
    settings_->setValue(QStringLiteral("window/page"), state.page);
}

}  // namespace sylvanode

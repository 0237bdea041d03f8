// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>
#include <memory>

class QSettings;

namespace sylvanode {

// What the editor remembers between runs: the recent files, the last file chosen in each
// file dialog, and the window's geometry, splitter and page. Kept with QSettings in the
// user's XDG config folder (sylvanode/sylvanode.ini), or in a file a test names.
class Session : public QObject {
    Q_OBJECT
public:
    explicit Session(const QString& settingsFile = {}, QObject* parent = nullptr);
    ~Session() override;

    static constexpr int kMaxRecentFiles = 10;
    // Newest first.
    QStringList recentFiles() const;
    void addRecentFile(const QString& path);
    void removeRecentFile(const QString& path);

    // The file dialogs, each starting on the file last chosen in it.
    enum class Dialog { Open, Save, Script, Import, Export };
    QString lastPath(Dialog dialog) const;
    void setLastPath(Dialog dialog, const QString& path);
    // The folder of the file last chosen in any of them; empty before the first.
    QString lastFolder() const;

    struct WindowState {
        QByteArray geometry;
        QByteArray splitter;
        int page = 0;
    };
    WindowState windowState() const;
    void setWindowState(const WindowState& state);

Q_SIGNALS:
    void recentFilesChanged();

private:
    void writeRecent(const QStringList& files);
    std::unique_ptr<QSettings> settings_;
};

}  // namespace sylvanode

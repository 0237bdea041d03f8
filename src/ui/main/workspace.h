// SPDX-License-Identifier: MIT
#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

class MainWindow;

namespace sylvanode {

class Prompter;
class Session;

// The editor's windows in one process, each a view of its own document: which file is open
// where, a new window, opening files by the desktop's rules, and quitting.
class Workspace : public QObject {
    Q_OBJECT
public:
    Workspace(Prompter& prompter, Session& session, QObject* parent = nullptr);
    ~Workspace() override;

    Prompter& prompter() { return prompter_; }
    Session& session() { return session_; }

    // A new window with a new untitled document, shown; it is deleted when it closes.
    MainWindow* newWindow();
    // Opens each file: one already open brings its window forward; `from` takes the file
    // when it shows an untitled, unmodified document, else a new window does. A file that
    // cannot be read gives the usual message and no window. Returns the window that shows
    // the last file (none when it failed).
    MainWindow* openFiles(const QStringList& paths, MainWindow* from);
    // The window whose document is this file.
    MainWindow* windowFor(const QString& path) const;
    QList<MainWindow*> windows() const;
    // Closes every window, each asking about its own changes; false when one stays open.
    bool closeAll();

    // Windows register themselves while they live.
    void add(MainWindow* window);
    void remove(MainWindow* window);

private:
    MainWindow* openFile(const QString& path, MainWindow* from);

    Prompter& prompter_;
    Session& session_;
    QList<MainWindow*> windows_;
    QList<QPointer<MainWindow>> owned_;
};

}  // namespace sylvanode

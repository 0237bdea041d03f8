// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <array>
#include <functional>
#include <memory>
#include <string>

#include "document/scheme_document.h"
#include "scripted_prompter.h"
#include "ui/main/main_window.h"
#include "ui/main/session.h"
#include "ui/main/workspace.h"

class QAction;
class QLineEdit;

namespace sylvanode {

class MenuNode;

// The control of that object name under `parent`; a missing one ends the test run at once.
template <class T>
T* child(const QObject& parent, const char* name) {
    T* w = parent.findChild<T*>(QString::fromLatin1(name));
    if (!w) qFatal("no control %s", name);
    return w;
}

// A main window driven by a scripted prompter, with a temporary directory for files and a
// session of its own (nothing read from or written to the user's settings).
// Make one per test function (init), and end it with closeWindowFixture (cleanup).
class WindowFixture {
public:
    WindowFixture();
    ~WindowFixture();

    ScriptedPrompter prompter;
    QTemporaryDir dir;
    QTemporaryDir settingsDir;
    std::unique_ptr<Session> session;
    std::unique_ptr<Workspace> workspace;
    std::unique_ptr<MainWindow> window;

    MainWindow& w() { return *window; }
    SchemeDocument& doc() { return window->document(); }
    const MenuScheme& scheme() { return window->document().scheme(); }
    // The document's current item, and making one current (as a click in the tree would).
    MenuNode* current() { return window->document().currentItem(); }
    void select(MenuNode* node) { window->document().setCurrentItem(node); }
    // Settings or styles changed as one step (what a page would do).
    void changeSettings(const std::function<void(SchemeSettings&)>& edit);
    void changeStyles(const std::function<void(std::array<KindStyle, 2>&)>& edit);
    QString path(const QString& name) const { return dir.filePath(name); }
    // Copies tests/fixtures/<relative> into the temporary directory; returns the copy's path.
    QString copyFixture(const QString& relative, const QString& as = {});
    static QString fixturePath(const QString& relative);

    QAction* action(const char* name) const;
    // Triggers an action, or clicks a button, by its object name; an unknown name fails the test.
    void trigger(const char* name);
    QLineEdit* edit(const char* name) const;
    template <class T>
    T* child(const char* name) const {
        return window->findChild<T*>(QString::fromLatin1(name));
    }

    // The tree in pre-order, one "  "-indented caption per node.
    QStringList outline() const;
    // The node at a row path (first root, its third child: {0, 2}).
    MenuNode* node(std::initializer_list<int> rows) const;
    bool modified() const { return window->document().isModified(); }
    QString title() const;

    // Writes bytes to a file in the temporary directory.
    QString writeFile(const QString& name, const std::string& bytes) const;
    static std::string readFile(const QString& path);
};

// Closes the window, then fails the test when the prompter met a question it was not told to expect.
void closeWindowFixture(std::unique_ptr<WindowFixture>& fixture);

}  // namespace sylvanode

// SPDX-License-Identifier: MIT
// Several documents in one process: a window each, items copied between them, a file open only
// once, and closing and quitting that ask about each window's own changes.
#include <QAction>
#include <QFile>
#include <QLineEdit>
#include <QTest>

#include "model/scheme_io.h"
#include "window_fixture.h"

using namespace sylvanode;

class SeveralWindowsTest : public QObject {
    Q_OBJECT

    static void trigger(MainWindow* window, const char* action) {
        QAction* a = window->findChild<QAction*>(QString::fromLatin1(action));
        QVERIFY2(a, action);
        a->trigger();
    }

private Q_SLOTS:
    void oneProcessManyDocuments() {
        WindowFixture f;
        Workspace& workspace = *f.workspace;
        f.trigger("addRootItemAction");
        f.edit("menuNameEdit")->setText(QStringLiteral("Mine"));
        QCOMPARE(f.action("newWindowAction")->text(), QStringLiteral("新建窗口(&W)"));
        // Ctrl+Shift+N stays "add root item".
        QCOMPARE(f.action("addRootItemAction")->shortcut(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_N));
        f.trigger("newWindowAction");
        QCOMPARE(workspace.windows().size(), 2);
        MainWindow* second = workspace.windows().last();
        QVERIFY(second->isVisible());
        QCOMPARE(second->windowTitle(), QStringLiteral("Sylvanode 3.0-未命名"));
        QVERIFY(&second->document() != &f.doc());

        // Items go from one window to the other through the clipboard, every field with them.
        f.trigger("copyAction");
        trigger(second, "pasteAction");
        QCOMPARE(second->document().scheme().roots().size(), size_t(1));
        QCOMPARE(second->document().scheme().roots()[0]->caption, std::string("Mine"));
        QVERIFY(second->document().isModified());
        QCOMPARE(f.outline(), QStringList({"Mine"}));

        // A file opens in a window of its own, once: asked again, its window comes forward.
        MenuScheme s;
        s.reset();
        s.appendRoot()->caption = "File";
        const QString path = f.writeFile(QStringLiteral("one.menu"), writeSchemeText(s));
        f.prompter.answerOpenFile(path);
        f.trigger("openAction");
        QCOMPARE(workspace.windows().size(), 3);
        MainWindow* third = workspace.windowFor(path);
        QVERIFY(third && third != second && third != &f.w());
        workspace.openFiles({path}, second);
        workspace.openFiles({f.path(QStringLiteral("./one.menu"))}, &f.w());
        QCOMPARE(workspace.windows().size(), 3);

        // Quit asks each modified window, newest first; Cancel stops it there.
        f.prompter.answerMessage(Prompter::No);      // the second window: closes, changes dropped
        f.prompter.answerMessage(Prompter::Cancel);  // the first window: stays
        trigger(third, "exitAction");
        QTRY_COMPARE(workspace.windows().size(), 1);
        QCOMPARE(workspace.windows().front(), &f.w());
        QVERIFY(f.w().isVisible());
        QCOMPARE(f.prompter.count(ScriptedPrompter::Kind::Message), 2);

        // Close (Ctrl+W) closes one window, with the question.
        QCOMPARE(f.action("closeAction")->text(), QStringLiteral("关闭(&C)"));
        QVERIFY(f.action("closeAction")->shortcuts().contains(QKeySequence(Qt::CTRL | Qt::Key_W)));
        f.prompter.answerMessage(Prompter::Cancel);
        f.trigger("closeAction");
        QVERIFY(f.w().isVisible());
        f.prompter.answerMessage(Prompter::No);
        f.trigger("closeAction");
        QVERIFY(!f.w().isVisible());
        QVERIFY2(f.prompter.failures().isEmpty(), qPrintable(f.prompter.failures().join("; ")));
    }

    // Files from the command line: each in a window; one that cannot be read gives the usual
    // "cannot be opened" message and leaves the untitled window for the next.
    void filesFromTheCommandLine() {
        WindowFixture f;
        MenuScheme s;
        s.reset();
        s.appendRoot()->caption = "A";
        const QString a = f.writeFile(QStringLiteral("a.menu"), writeSchemeText(s));
        const QString b = f.writeFile(QStringLiteral("b.menu"), writeSchemeText(s));
        f.prompter.answerMessage(Prompter::Ok);
        MainWindow* last = f.workspace->openFiles({f.path(QStringLiteral("missing.menu")), a, b}, &f.w());
        QCOMPARE(f.prompter.requests().front().text.section(QLatin1Char('\n'), 0, 0),
                 QStringLiteral("无法打开菜单方案"));
        QCOMPARE(f.workspace->windows().size(), 2);
        QCOMPARE(f.doc().filePath(), a);
        QCOMPARE(last->document().filePath(), b);
        QVERIFY2(f.prompter.failures().isEmpty(), qPrintable(f.prompter.failures().join("; ")));
    }
};

QTEST_MAIN(SeveralWindowsTest)
#include "several_windows_test.moc"

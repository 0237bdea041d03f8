// SPDX-License-Identifier: MIT
// What the editor remembers between runs (recent files, the last folders, the window's size,
// splitter and page), a window that fits the screen, and a preview without a browser.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QMenu>
#include <QScreen>
#include <QSplitter>
#include <QTabWidget>
#include <QTest>

#include "model/scheme_io.h"
#include "window_fixture.h"

using namespace sylvanode;

namespace {

std::string oneItemScheme(const char* caption) {
    MenuScheme s;
    s.reset();
    s.appendRoot()->caption = caption;
    return writeSchemeText(s);
}

// The entries of the recent-files menu as shown now.
QList<QAction*> recentEntries(WindowFixture& f) {
    auto* menu = f.child<QMenu>("recentMenu");
    Q_EMIT menu->aboutToShow();
    return menu->actions();
}

}  // namespace

class SessionTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // 最近打开: the last ten files, newest first; a file that is gone is greyed, and chosen all
    // the same (it vanished meanwhile) it gives the usual message and leaves the list.
    void recentFiles() {
        WindowFixture f;
        QCOMPARE(f.child<QMenu>("recentMenu")->title(), QStringLiteral("最近打开(&R)"));
        QVERIFY(!f.child<QMenu>("recentMenu")->isEnabled());
        QStringList files;
        for (int i = 0; i < 12; ++i) {
            files << f.writeFile(QStringLiteral("r%1.menu").arg(i), oneItemScheme("R"));
            f.session->addRecentFile(files.last());
        }
        QVERIFY(f.child<QMenu>("recentMenu")->isEnabled());
        QCOMPARE(f.session->recentFiles().size(), Session::kMaxRecentFiles);
        QCOMPARE(f.session->recentFiles().front(), files[11]);
        QCOMPARE(f.session->recentFiles().back(), files[2]);
        QFile::remove(files[9]);
        QList<QAction*> entries = recentEntries(f);
        QCOMPARE(entries.size(), 10);
        QCOMPARE(entries[0]->text(), QStringLiteral("&1 ") + files[11]);
        QVERIFY(entries[0]->isEnabled());
        QVERIFY(entries[1]->isEnabled());
        QVERIFY(!entries[2]->isEnabled());
        entries[0]->trigger();
        QCOMPARE(f.doc().filePath(), files[11]);
        QFile::remove(files[10]);  // gone while the menu was open
        f.prompter.answerMessage(Prompter::Ok);
        entries[1]->trigger();
        QCOMPARE(f.prompter.last().text.section(QLatin1Char('\n'), 0, 0), QStringLiteral("无法打开菜单方案"));
        QVERIFY(!f.session->recentFiles().contains(files[10]));
        QCOMPARE(f.workspace->windows().size(), 1);
        // Saving under a new name puts that name first.
        const QString copy = f.path(QStringLiteral("copy.menu"));
        f.prompter.answerSaveFile(copy);
        f.trigger("saveAsAction");
        QCOMPARE(recentEntries(f).front()->text(), QStringLiteral("&1 ") + copy);
        QVERIFY2(f.prompter.failures().isEmpty(), qPrintable(f.prompter.failures().join("; ")));
    }

    // The size, the splitter and the page of the window closed last come back in the next one,
    // in this run and the next (the settings file); so do the last folders of the dialogs.
    void theWindowIsRemembered() {
        WindowFixture f;
        f.w().resize(640, 520);
        auto* splitter = f.child<QSplitter>("splitter");
        splitter->setSizes({300, 330});
        const QList<int> sizes = splitter->sizes();
        f.child<QTabWidget>("pages")->setCurrentIndex(2);
        const QString opened = f.writeFile(QStringLiteral("o.menu"), oneItemScheme("O"));
        f.prompter.answerOpenFile(opened);
        f.trigger("openAction");
        QVERIFY(f.w().close());

        Session again(f.settingsDir.filePath(QStringLiteral("sylvanode.ini")));
        Workspace workspace(f.prompter, again);
        MainWindow* next = workspace.newWindow();
        QCOMPARE(next->size(), QSize(640, 520));
        QCOMPARE(next->findChild<QSplitter*>(QStringLiteral("splitter"))->sizes(), sizes);
        QCOMPARE(next->findChild<QTabWidget*>(QStringLiteral("pages"))->currentIndex(), 2);
        QCOMPARE(again.lastPath(Session::Dialog::Open), opened);
        QCOMPARE(again.lastFolder(), f.dir.path());
        QCOMPARE(again.recentFiles(), QStringList({opened}));
        // The open dialog starts where the last one ended.
        f.prompter.answerOpenFile(std::nullopt);
        next->findChild<QAction*>(QStringLiteral("openAction"))->trigger();
        QCOMPARE(f.prompter.last().initialFile, opened);
        QVERIFY2(f.prompter.failures().isEmpty(), qPrintable(f.prompter.failures().join("; ")));
    }

    // No browser takes the preview page: where it is, and a button that copies that.
    void previewWithoutABrowser() {
        WindowFixture f;
        f.trigger("addRootItemAction");
        f.prompter.answerShell(false);
        f.prompter.answerChoice(0);
        f.trigger("previewAction");
        const auto& said = f.prompter.last();
        QCOMPARE(said.kind, ScriptedPrompter::Kind::Choice);
        QCOMPARE(said.choices, QStringList({"复制路径", "确定"}));
        const QString page = f.prompter.requests()[f.prompter.requests().size() - 2].target;
        QCOMPARE(said.text, QStringLiteral("没有可以打开预览页面的浏览器：\n") + page);
        QCOMPARE(QApplication::clipboard()->text(), page);
        QVERIFY(QFile::exists(page));
        QVERIFY2(f.prompter.failures().isEmpty(), qPrintable(f.prompter.failures().join("; ")));
    }
};

QTEST_MAIN(SessionTest)
#include "session_test.moc"

// SPDX-License-Identifier: MIT
// The preview command, and an error escaping a command: shown, and the window goes on.
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QTest>

#include "window_fixture.h"

using namespace sylvanode;

class PreviewAndFailuresTest : public QObject {
    Q_OBJECT
    std::unique_ptr<WindowFixture> f;

private Q_SLOTS:
    void init() { f = std::make_unique<WindowFixture>(); }
    void cleanup() { closeWindowFixture(f); }

    void previewIsInTheToolsMenuAfterGenerate() {
        const QList<QAction*> items = f->child<QMenu>("toolsMenu")->actions();
        QCOMPARE(items.size(), 5);
        QCOMPARE(items.at(2)->objectName(), QStringLiteral("generateAction"));
        QCOMPARE(items.at(3)->text(), QStringLiteral("预览(&P)"));
    }

    void previewOfAnEmptyTreeStops() {
        f->prompter.answerMessage(Prompter::Ok);
        f->trigger("previewAction");
        QCOMPARE(f->prompter.last().text, QStringLiteral("没有菜单项，终止生成代码"));
    }

    void previewWritesAPageAndOpensIt() {
        f->trigger("addRootItemAction");
        f->edit("menuNameEdit")->setText(QStringLiteral("首页"));
        f->edit("menuLinkEdit")->setText(QStringLiteral("home.htm"));  // not stored yet
        f->doc().undoStack().setClean();
        f->prompter.answerShell(true);
        f->trigger("previewAction");
        const auto& r = f->prompter.last();
        QCOMPARE(r.kind, ScriptedPrompter::Kind::OpenWithShell);
        QVERIFY(r.target.endsWith(QStringLiteral("/index.html")));
        QVERIFY(QFileInfo::exists(r.target));
        const std::string script =
            WindowFixture::readFile(QFileInfo(r.target).absolutePath() + QStringLiteral("/sylvanode-preview.js"));
        QVERIFY(script.find("home.htm") != std::string::npos);
        QVERIFY(script.find("\xCA\xD7\xD2\xB3") != std::string::npos);  // 首页 in GBK
        QVERIFY(!f->modified());
    }

    void previewWithoutAFolderSaysWhy() {
        f->trigger("addRootItemAction");
        const QByteArray tmp = qgetenv("TMPDIR");
        // A file where the temporary folder should be: no folder can be made there.
        qputenv("TMPDIR", QFile::encodeName(f->writeFile(QStringLiteral("not a folder"), "")));
        f->prompter.answerMessage(Prompter::Ok);
        f->trigger("previewAction");
        if (tmp.isNull())
            qunsetenv("TMPDIR");
        else
            qputenv("TMPDIR", tmp);
        QCOMPARE(f->prompter.last().text, QStringLiteral("预览时出错\n无法建立预览文件夹"));
        QCOMPARE(f->prompter.last().icon, Prompter::Icon::Error);
    }

    void anErrorEscapingACommandIsShown() {
        f->trigger("addRootItemAction");
        const QString title = f->title();
        f->prompter.answerThrow(ScriptedPrompter::Kind::OpenFile, "disk on fire");
        f->prompter.answerMessage(Prompter::Ok);
        f->trigger("openAction");
        const auto& r = f->prompter.last();
        QCOMPARE(r.kind, ScriptedPrompter::Kind::Message);
        QCOMPARE(r.text, QStringLiteral("disk on fire"));
        QCOMPARE(r.caption, QStringLiteral("Sylvanode"));
        QCOMPARE(r.icon, Prompter::Icon::Error);
        // The window goes on with the state the command left.
        QCOMPARE(f->title(), title);
        QCOMPARE(f->outline(), QStringList({"New Item"}));
        f->trigger("addRootItemAction");
        QCOMPARE(f->outline().size(), 2);
    }
};

QTEST_MAIN(PreviewAndFailuresTest)
#include "preview_and_failures_test.moc"

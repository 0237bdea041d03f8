// SPDX-License-Identifier: MIT
// The generate command from the tool button and from the Tools menu.
#include <QFile>
#include <QLineEdit>
#include <QTest>

#include "codegen/script_text.h"
#include "window_fixture.h"

using namespace sylvanode;

class GenerateCommandTest : public QObject {
    Q_OBJECT
    std::unique_ptr<WindowFixture> f;

    void clean() {
        f->doc().undoStack().setClean();
    }

private Q_SLOTS:
    void init() { f = std::make_unique<WindowFixture>(); }
    void cleanup() { closeWindowFixture(f); }

    void emptyTreeStops() {
        f->prompter.answerMessage(Prompter::Ok);
        f->trigger("generateAction");
        QCOMPARE(f->prompter.requests().size(), size_t(1));
        const auto& r = f->prompter.last();
        QCOMPARE(r.text, QStringLiteral("没有菜单项，终止生成代码"));
        QCOMPARE(r.caption, QStringLiteral("Sylvanode"));
        QCOMPARE(r.icon, Prompter::Icon::Information);
        QCOMPARE(r.buttons, int(Prompter::Ok));
    }

    void cancelWritesNothing() {
        f->trigger("addRootItemAction");
        f->prompter.answerSaveFile(std::nullopt);
        f->trigger("generateAction");
        const auto& r = f->prompter.last();
        QCOMPARE(r.title, QStringLiteral("生成脚本文件"));
        QCOMPARE(r.filter, QStringLiteral("脚本文件(*.js)|*.js|所有文件(*.*)|*.*"));
        QCOMPARE(r.defaultExtension, QStringLiteral("*.js"));
        QVERIFY(r.initialDirectory.isEmpty());
        QVERIFY(r.confirmOverwrite);
        QCOMPARE(f->prompter.requests().size(), size_t(1));
    }

    void writesTheScriptWithUnstoredPanelValues_data() {
        QTest::addColumn<QString>("command");
        QTest::newRow("tool button") << "generateButton";
        QTest::newRow("Tools menu") << "generateAction";
    }
    void writesTheScriptWithUnstoredPanelValues() {
        QFETCH(QString, command);
        f->trigger("addRootItemAction");
        f->trigger("addSubItemAction");
        clean();
        const QString title = f->title();
        // Typed but not yet stored: the command stores the panel first.
        f->edit("menuLinkEdit")->setText(QStringLiteral("index.htm"));
        f->doc().undoStack().setClean();
        const QString target = f->path(QStringLiteral("menu.js"));
        f->prompter.answerSaveFile(target);
        f->prompter.answerMessage(Prompter::Ok);
        f->trigger(command.toLatin1().constData());
        const auto& r = f->prompter.last();
        QCOMPARE(r.text, QStringLiteral("生成代码完毕"));
        QCOMPARE(r.icon, Prompter::Icon::Information);
        QCOMPARE(f->node({0})->data.menuLink, std::string("index.htm"));
        const std::string written = WindowFixture::readFile(target);
        QCOMPARE(written, scriptFileBytes(f->scheme()));
        QVERIFY(written.find("index.htm") != std::string::npos);
        QVERIFY(written.size() > 2 && written.compare(written.size() - 4, 4, ");\r\n") == 0);
        QVERIFY(!f->modified());
        QCOMPARE(f->title(), title);
    }

    void failedWriteIsReportedAndKeepsAnExistingFile() {
        f->trigger("addRootItemAction");
        f->prompter.answerSaveFile(f->path(QStringLiteral("missing/dir/menu.js")));
        f->prompter.answerMessage(Prompter::Ok);
        f->trigger("generateAction");
        const auto& r = f->prompter.last();
        QCOMPARE(r.text.section(QLatin1Char('\n'), 0, 0), QStringLiteral("生成代码时出错"));
        QVERIFY2(r.text.contains(QStringLiteral("：文件夹不存在")), qPrintable(r.text));
        QCOMPARE(r.icon, Prompter::Icon::Error);
        QCOMPARE(r.buttons, int(Prompter::Ok));
        // A directory where the file should go: the write fails, the directory stays.
        QDir(f->dir.path()).mkdir(QStringLiteral("taken.js"));
        f->prompter.answerSaveFile(f->path(QStringLiteral("taken.js")));
        f->prompter.answerMessage(Prompter::Ok);
        f->trigger("generateAction");
        QCOMPARE(f->prompter.last().text.section(QLatin1Char('\n'), 0, 0), QStringLiteral("生成代码时出错"));
        QVERIFY(QFileInfo(f->path(QStringLiteral("taken.js"))).isDir());
    }
};

QTEST_MAIN(GenerateCommandTest)
#include "generate_command_test.moc"

// Help through the main window when the desktop has no viewer for the help file, and when it has one.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include "platform/paths.h"
#include "window_fixture.h"

using namespace sylvanode;

class HelpGuideTest : public QObject {
    Q_OBJECT

    QTemporaryDir xdg;
    // The installed place of the help file, seen from this test's executable.
    QString installedHelpFile() const {
        return QDir::cleanPath(QFile::decodeName(executableDirectory().c_str()) +
                               "/../share/doc/sylvanode/sylvanode.chm");
    }

    QList<ScriptedPrompter::Request> shellRequests(const ScriptedPrompter& p) const {
        QList<ScriptedPrompter::Request> out;
        for (const auto& r : p.requests())
            if (r.kind == ScriptedPrompter::Kind::OpenWithShell) out.push_back(r);
        return out;
    }

private slots:
    void initTestCase() {
        // A desktop of our own, with no file associations unless a test writes one.
        QVERIFY(xdg.isValid());
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(xdg.filePath("config")));
        qputenv("XDG_CONFIG_DIRS", QFile::encodeName(xdg.filePath("etc")));
        qputenv("XDG_DATA_HOME", QFile::encodeName(xdg.filePath("data")));
        qputenv("XDG_DATA_DIRS", QFile::encodeName(xdg.filePath("share")));
    }

    void withoutAViewerHelpOpensTheGuide() {
        WindowFixture f;
        f.prompter.answerShell(true);
        f.trigger("helpAction");
        const auto shell = shellRequests(f.prompter);
        QCOMPARE(shell.size(), 1);
        QVERIFY2(shell[0].target.endsWith("/share/doc/sylvanode/guide/index.html"), qPrintable(shell[0].target));
        QVERIFY2(QFileInfo(shell[0].target).isFile(), "the guide is copied into the build tree by the build");
        QCOMPARE(f.prompter.count(ScriptedPrompter::Kind::Message), 0);
        QVERIFY(!f.modified());
        QVERIFY2(f.prompter.failures().isEmpty(), qPrintable(f.prompter.failures().join("; ")));
    }

    void withAViewerHelpOpensTheHelpFileAndFallsBackToTheGuide() {
        QVERIFY(QDir().mkpath(xdg.filePath("config")));
        QFile list(xdg.filePath("config/mimeapps.list"));
        QVERIFY(list.open(QIODevice::WriteOnly));
        list.write("[Default Applications]\napplication/vnd.ms-htmlhelp=viewer.desktop\n");
        list.close();
        const QString chm = installedHelpFile();
        const bool made = !QFile::exists(chm);
        if (made) {
            QVERIFY(QDir().mkpath(QFileInfo(chm).path()));
            QFile file(chm);
            QVERIFY(file.open(QIODevice::WriteOnly));
        }

        WindowFixture f;
        f.prompter.answerShell(true);
        f.trigger("helpAction");
        auto shell = shellRequests(f.prompter);
        QCOMPARE(shell.size(), 1);
        QVERIFY2(shell[0].target.endsWith("/sylvanode.chm"), qPrintable(shell[0].target));

        // The viewer fails to start: the guide follows.
        f.prompter.clearRequests();
        f.prompter.answerShell(false);
        f.prompter.answerShell(true);
        f.trigger("helpAction");
        shell = shellRequests(f.prompter);
        QCOMPARE(shell.size(), 2);
        QVERIFY(shell[0].target.endsWith("/sylvanode.chm"));
        QVERIFY(shell[1].target.endsWith("/share/doc/sylvanode/guide/index.html"));
        QCOMPARE(f.prompter.count(ScriptedPrompter::Kind::Message), 0);
        QVERIFY2(f.prompter.failures().isEmpty(), qPrintable(f.prompter.failures().join("; ")));

        if (made) QFile::remove(chm);
    }
};

QTEST_MAIN(HelpGuideTest)
#include "help_guide_test.moc"

// SPDX-License-Identifier: MIT
// Help through the main window: the guide in the reader's language, the help file first for
// Chinese readers whose desktop has a viewer for it, and a message when nothing opens.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QTest>

#include "platform/paths.h"
#include "window_fixture.h"

using namespace sylvanode;

namespace {

QString programDir() { return QDir::cleanPath(QFile::decodeName(executableDirectory().c_str())); }
// Where the build puts the guide, seen from this test's executable (as after installation).
QString guideDir() { return QDir::cleanPath(programDir() + "/../../share/doc/sylvanode/guide"); }
QString installedHelpFile() {
    return QDir::cleanPath(programDir() + "/../share/doc/sylvanode/sylvanode.chm");
}

// Makes a file for the length of a test, and removes it again.
struct TemporaryFile {
    QString path;
    explicit TemporaryFile(const QString& p) : path(p) {
        QDir().mkpath(QFileInfo(p).path());
        QFile f(p);
        if (!f.open(QIODevice::WriteOnly)) qFatal("cannot make %s", qPrintable(p));
    }
    ~TemporaryFile() { QFile::remove(path); }
};

// Hides the build's copy of the guide for the length of a test.
struct HiddenGuide {
    QString hidden = guideDir() + ".hidden";
    HiddenGuide() {
        if (!QDir().rename(guideDir(), hidden)) qFatal("cannot hide %s", qPrintable(guideDir()));
    }
    ~HiddenGuide() { QDir().rename(hidden, guideDir()); }
};

}  // namespace

class HelpGuideTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { QLocale::setDefault(QLocale::system()); }

    void helpOpensTheGuideInTheReadersLanguage_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<bool>("helpFile");
        QTest::addColumn<QString>("viewer");       // what the desktop names for the help file's type
        QTest::addColumn<QList<bool>>("opens");    // the shell's answers, in order
        QTest::addColumn<QStringList>("targets");  // what reaches the shell, by file name
        QTest::addColumn<QString>("message");      // the start of the message shown, if any

        const QString chm = QStringLiteral("sylvanode.chm");
        const QString zh = QStringLiteral("index.html");
        const QString en = QStringLiteral("index.en.html");
        QTest::newRow("Chinese, viewer")
            << "zh_CN" << true << "xchm.desktop" << QList<bool>{true} << QStringList{chm} << QString();
        QTest::newRow("Chinese, viewer fails to start")
            << "zh_TW" << true << "xchm.desktop" << QList<bool>{false, true} << QStringList{chm, zh}
            << QString();
        QTest::newRow("Chinese, no viewer")
            << "zh_CN" << true << "" << QList<bool>{true} << QStringList{zh} << QString();
        QTest::newRow("Chinese, no help file")
            << "zh_CN" << false << "xchm.desktop" << QList<bool>{true} << QStringList{zh} << QString();
        QTest::newRow("English") << "en_US" << true << "xchm.desktop" << QList<bool>{true} << QStringList{en}
                                 << QString();
        QTest::newRow("German") << "de_DE" << false << "" << QList<bool>{true} << QStringList{en}
                                << QString();
        QTest::newRow("nothing opens")
            << "zh_CN" << true << "xchm.desktop" << QList<bool>{false, false} << QStringList{chm, zh}
            << QStringLiteral("没有可以打开用户指南的程序：\n");
    }
    void helpOpensTheGuideInTheReadersLanguage() {
        QFETCH(QString, locale);
        QFETCH(bool, helpFile);
        QFETCH(QString, viewer);
        QFETCH(QList<bool>, opens);
        QFETCH(QStringList, targets);
        QFETCH(QString, message);
        QLocale::setDefault(QLocale(locale));
        std::unique_ptr<TemporaryFile> chm;
        if (helpFile) chm = std::make_unique<TemporaryFile>(installedHelpFile());

        WindowFixture f;
        f.prompter.setDesktopApplication(QStringLiteral("application/vnd.ms-htmlhelp"), viewer);
        for (bool ok : opens) f.prompter.answerShell(ok);
        if (!message.isEmpty()) f.prompter.answerMessage(Prompter::Ok);
        f.trigger("helpAction");

        QStringList opened;
        int queries = 0;
        for (const auto& r : f.prompter.requests()) {
            if (r.kind == ScriptedPrompter::Kind::OpenWithShell) {
                QVERIFY2(QFileInfo(r.target).isFile(), qPrintable(r.target));
                opened << QFileInfo(r.target).fileName();
            }
            if (r.kind == ScriptedPrompter::Kind::DesktopQuery) ++queries;
        }
        QCOMPARE(opened, targets);
        // The desktop is asked only when a help file could be opened.
        QCOMPARE(queries > 0, helpFile && locale.startsWith(QLatin1String("zh")));
        if (!message.isEmpty()) {
            const auto& r = f.prompter.last();
            QCOMPARE(r.kind, ScriptedPrompter::Kind::Message);
            QVERIFY2(r.text.startsWith(message), qPrintable(r.text));
            QVERIFY2(r.text.endsWith(QLatin1Char('/') + targets.constLast()), qPrintable(r.text));
        }
        QVERIFY(!f.modified());
        QVERIFY2(f.prompter.failures().isEmpty(), qPrintable(f.prompter.failures().join("; ")));
    }

    void withoutAGuideAMessageSaysWhereItShouldBe() {
        QLocale::setDefault(QLocale(QStringLiteral("en_GB")));
        const HiddenGuide hidden;
        WindowFixture f;
        f.prompter.answerMessage(Prompter::Ok);
        f.trigger("helpButton");
        QCOMPARE(f.prompter.count(ScriptedPrompter::Kind::OpenWithShell), 0);
        const auto& r = f.prompter.last();
        QCOMPARE(r.caption, QStringLiteral("Sylvanode"));
        QCOMPARE(r.text, QStringLiteral("找不到用户指南，它应在：\n") +
                             QDir::cleanPath(programDir() + "/../share/doc/sylvanode/guide/index.en.html"));
        QVERIFY2(f.prompter.failures().isEmpty(), qPrintable(f.prompter.failures().join("; ")));
    }
};

QTEST_MAIN(HelpGuideTest)
#include "help_guide_test.moc"

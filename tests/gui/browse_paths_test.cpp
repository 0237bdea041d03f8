// SPDX-License-Identifier: MIT
// The browse buttons of the item panel and the settings page: a chosen file becomes a path
// that leads to it from the work directory, or its own file URL, never a path to elsewhere.
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>

#include "document/text_codec.h"
#include "window_fixture.h"

using namespace sylvanode;

class BrowsePathsTest : public QObject {
    Q_OBJECT
private slots:
    void chosenFilesKeepTheirPlace_data() {
        QTest::addColumn<QString>("workDir");
        QTest::addColumn<QString>("schemeFile");  // relative to the test folder; empty: untitled
        QTest::addColumn<QString>("chosen");      // relative to the test folder, or absolute
        QTest::addColumn<QString>("stored");      // "@" stands for the test folder

        QTest::newRow("no work directory") << ""
                                           << ""
                                           << "/site/img/a.gif"
                                           << "file:///site/img/a.gif";
        QTest::newRow("no work directory, titled") << ""
                                                   << "menus/s.menu"
                                                   << "img/a.gif"
                                                   << "file://@/img/a.gif";
        QTest::newRow("relative, from the scheme's folder") << "D1/"
                                                            << "menus/s.menu"
                                                            << "menus/D1/img/a.gif"
                                                            << "img/a.gif";
        QTest::newRow("relative, upwards") << "../D1/"
                                           << "menus/s.menu"
                                           << "D1/a.gif"
                                           << "a.gif";
        QTest::newRow("relative, file elsewhere") << "D1/"
                                                  << "menus/s.menu"
                                                  << "pics/b.gif"
                                                  << "../../pics/b.gif";
        QTest::newRow("relative, untitled: the current folder") << "D1/"
                                                                << ""
                                                                << "D1/x/c.gif"
                                                                << "x/c.gif";
        QTest::newRow("absolute") << "@/site/"
                                  << ""
                                  << "site/img/a.gif"
                                  << "img/a.gif";
    }
    void chosenFilesKeepTheirPlace() {
        QFETCH(QString, workDir);
        QFETCH(QString, schemeFile);
        QFETCH(QString, chosen);
        QFETCH(QString, stored);
        WindowFixture f;
        const QString root = QDir(f.dir.path()).canonicalPath();
        const QString previous = QDir::currentPath();
        QDir::setCurrent(root);
        f.trigger("addRootItemAction");
        f.changeSettings([&](SchemeSettings& s) {
            s.workDir = toSchemeBytes(QString(workDir).replace(QLatin1Char('@'), root));
        });
        if (!schemeFile.isEmpty()) {
            QDir(root).mkpath(QFileInfo(schemeFile).path());
            QVERIFY(f.doc().save(root + QLatin1Char('/') + schemeFile));
        }
        const QString file = chosen.startsWith(QLatin1Char('/')) ? chosen : root + QLatin1Char('/') + chosen;
        const QString expected = QString(stored).replace(QLatin1Char('@'), root);

        f.prompter.answerOpenFile(file);
        f.trigger("browseLinkButton");
        f.prompter.answerOpenFile(file);
        f.trigger("fileIconButton");
        QDir::setCurrent(previous);
        QCOMPARE(f.edit("menuLinkEdit")->text(), expected);
        QCOMPARE(toQString(f.scheme().settings.fileIcon), expected);
        QVERIFY2(f.prompter.failures().isEmpty(), qPrintable(f.prompter.failures().join("; ")));
    }
};

QTEST_MAIN(BrowsePathsTest)
#include "browse_paths_test.moc"

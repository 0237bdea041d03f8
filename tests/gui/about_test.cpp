// SPDX-License-Identifier: MIT
// The About box: its texts, our logo and the link through the shell.
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "scripted_prompter.h"
#include "ui/dialogs/about_dialog.h"

using namespace sylvanode;

class AboutTest : public QObject {
    Q_OBJECT
    ScriptedPrompter prompter;
private slots:
    void init() { prompter.reset(); }
    void cleanup() { verifyAsScripted(prompter); }

    void showsVersionDateAndLogo() {
        AboutDialog about(prompter);
        QCOMPARE(about.windowTitle(), QString("About Sylvanode"));
        QCOMPARE(about.findChild<QLabel*>("versionLabel")->text(), QString("Version:  3.0"));
        QCOMPARE(about.findChild<QLabel*>("dateLabel")->text(), QString("Date   :  2003-03-03"));
        const QPixmap logo = about.findChild<QLabel*>("logoLabel")->pixmap();
        QCOMPARE(logo.size(), QSize(130, 49));
        // Drawn, not blank.
        const QImage image = logo.toImage();
        int inked = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) inked += qAlpha(image.pixel(x, y)) > 0;
        QVERIFY(inked > 300);
        QCOMPARE(about.findChild<QLabel*>("url")->text(), QString(SYLVANODE_HOMEPAGE_URL));
    }

    // The link opens the address through the shell; with no browser to open it, a message says so.
    void urlOpensTheAddressThroughTheShell() {
        AboutDialog about(prompter);
        about.show();
        auto* url = about.findChild<QLabel*>("url");
        QCOMPARE(url->cursor().shape(), Qt::PointingHandCursor);
        QVERIFY(url->font().underline());
        prompter.answerShell(true);
        QTest::mouseClick(url, Qt::LeftButton);
        QCOMPARE(prompter.count(ScriptedPrompter::Kind::OpenWithShell), 1);
        QCOMPARE(prompter.last().target, AboutDialog::homepage());
        prompter.answerShell(false);
        prompter.answerMessage(Prompter::Ok);
        QTest::mouseClick(url, Qt::LeftButton);
        QCOMPARE(prompter.count(ScriptedPrompter::Kind::OpenWithShell), 2);
        QCOMPARE(prompter.last().kind, ScriptedPrompter::Kind::Message);
        QCOMPARE(prompter.last().text, "没有可以打开主页的浏览器：\n" + AboutDialog::homepage());
        QCOMPARE(prompter.last().icon, Prompter::Icon::Information);
        QVERIFY(about.isVisible());
        QTest::mouseClick(about.findChild<QPushButton*>("okButton"), Qt::LeftButton);
        QCOMPARE(about.result(), int(QDialog::Accepted));
    }
};

QTEST_MAIN(AboutTest)
#include "about_test.moc"

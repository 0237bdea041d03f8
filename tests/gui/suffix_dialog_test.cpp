// SPDX-License-Identifier: MIT
// The multi-menu suffix dialog: the check, the stored suffix, and the keys.
#include "ui/dialogs/suffix_dialog.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "scripted_prompter.h"

using namespace sylvanode;

namespace {

QLineEdit* edit(SuffixDialog& dlg) { return dlg.findChild<QLineEdit*>("suffixEdit"); }
void pressOk(SuffixDialog& dlg) {
    QTest::mouseClick(dlg.findChild<QPushButton*>("okButton"), Qt::LeftButton);
}

}  // namespace

class SuffixDialogTest : public QObject {
    Q_OBJECT
    ScriptedPrompter prompter;
private slots:
    void init() { prompter.reset(); }
    void cleanup() { verifyAsScripted(prompter); }

    // What the suffix may be is checked below the dialog; here: the accepted text is stored trimmed
    // and lowered, while the field keeps what was typed.
    void acceptedTextIsTrimmedAndLowered() {
        SuffixDialog dlg(prompter);
        dlg.show();
        edit(dlg)->setText("  Menu2 ");
        pressOk(dlg);
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        QVERIFY(!dlg.isVisible());
        QCOMPARE(dlg.suffix(), std::string("menu2"));
        QCOMPARE(edit(dlg)->text(), QString("  Menu2 "));
    }

    // A refused text gets one message; the dialog stays open, and Cancel then keeps the suffix
    // accepted before.
    void rejectedTextShowsOneMessageAndStays() {
        SuffixDialog dlg(prompter);
        dlg.show();
        edit(dlg)->setText("good1");
        pressOk(dlg);
        QCOMPARE(dlg.suffix(), std::string("good1"));
        dlg.show();
        edit(dlg)->setText("菜单1");
        prompter.answerMessage(Prompter::Ok);
        pressOk(dlg);
        QCOMPARE(prompter.count(ScriptedPrompter::Kind::Message), 1);
        const auto& r = prompter.last();
        QCOMPARE(r.text, QString("后缀名格式不正确"));
        QCOMPARE(r.caption, QString("Sylvanode"));
        QCOMPARE(r.icon, Prompter::Icon::Error);
        QCOMPARE(r.buttons, int(Prompter::Ok));
        QVERIFY(dlg.isVisible());
        QCOMPARE(edit(dlg)->text(), QString("菜单1"));
        QCOMPARE(dlg.suffix(), std::string("good1"));
        QTest::mouseClick(dlg.findChild<QPushButton*>("cancelButton"), Qt::LeftButton);
        QCOMPARE(dlg.result(), int(QDialog::Rejected));
        QCOMPARE(dlg.suffix(), std::string("good1"));
    }

    // Kept for the run, the dialog still opens with the focus in its text field every time,
    // wherever the focus was when it closed.
    void everyShowingStartsInTheTextField() {
        SuffixDialog dlg(prompter);
        for (const char* leaveOn : {"cancelButton", "okButton", "cancelButton"}) {
            dlg.show();
            QVERIFY(QTest::qWaitForWindowActive(&dlg));
            QTRY_COMPARE(dlg.focusWidget(), static_cast<QWidget*>(edit(dlg)));
            QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(edit(dlg)));
            auto* button = dlg.findChild<QPushButton*>(leaveOn);
            button->setFocus(Qt::TabFocusReason);
            QCOMPARE(dlg.focusWidget(), static_cast<QWidget*>(button));
            QTest::mouseClick(button, Qt::LeftButton);
            QVERIFY(!dlg.isVisible());
        }
    }

    void escapeDoesNothingAndEnterIsOk() {
        SuffixDialog dlg(prompter);
        dlg.show();
        edit(dlg)->setFocus();
        QTest::keyClicks(edit(dlg), "Two");
        QTest::keyClick(edit(dlg), Qt::Key_Escape);
        QVERIFY(dlg.isVisible());
        QTest::keyClick(edit(dlg), Qt::Key_Return);
        QVERIFY(!dlg.isVisible());
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        QCOMPARE(dlg.suffix(), std::string("two"));
    }
};

QTEST_MAIN(SuffixDialogTest)
#include "suffix_dialog_test.moc"

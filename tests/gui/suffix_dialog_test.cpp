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
private slots:
    void acceptedTextIsTrimmedAndLowered_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stored");
        QTest::newRow("spaces and capitals") << "  Menu2 "
                                             << "menu2";
        QTest::newRow("empty") << ""
                               << "";
        QTest::newRow("only spaces") << "   "
                                     << "";
        QTest::newRow("tab and digits") << "\tAB12\t"
                                        << "ab12";
    }
    void acceptedTextIsTrimmedAndLowered() {
        QFETCH(QString, typed);
        QFETCH(QString, stored);
        ScriptedPrompter prompter;
        SuffixDialog dlg(prompter);
        dlg.show();
        edit(dlg)->setText(typed);
        pressOk(dlg);
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        QVERIFY(!dlg.isVisible());
        QCOMPARE(QString::fromStdString(dlg.suffix()), stored);
        QCOMPARE(edit(dlg)->text(), typed);  // the field keeps what was typed
        QCOMPARE(prompter.count(ScriptedPrompter::Kind::Message), 0);
    }

    void rejectedTextShowsOneMessageAndStays_data() {
        QTest::addColumn<QString>("typed");
        QTest::newRow("underscore") << "a_b";
        QTest::newRow("inner space") << "a b";
        QTest::newRow("hyphen and dot") << "x-y.z";
        QTest::newRow("chinese") << "菜单1";
    }
    void rejectedTextShowsOneMessageAndStays() {
        QFETCH(QString, typed);
        ScriptedPrompter prompter;
        SuffixDialog dlg(prompter);
        dlg.show();
        edit(dlg)->setText("good1");
        pressOk(dlg);
        QCOMPARE(dlg.suffix(), std::string("good1"));
        dlg.show();
        edit(dlg)->setText(typed);
        prompter.answerMessage(Prompter::Ok);
        pressOk(dlg);
        QCOMPARE(prompter.count(ScriptedPrompter::Kind::Message), 1);
        const auto& r = prompter.last();
        QCOMPARE(r.text, QString("后缀名格式不正确"));
        QCOMPARE(r.caption, QString("Sylvanode"));
        QCOMPARE(r.icon, Prompter::Icon::Error);
        QCOMPARE(r.buttons, int(Prompter::Ok));
        QVERIFY(dlg.isVisible());
        QCOMPARE(edit(dlg)->text(), typed);
        QCOMPARE(dlg.suffix(), std::string("good1"));
        // Cancel after the refusal keeps the suffix accepted before.
        QTest::mouseClick(dlg.findChild<QPushButton*>("cancelButton"), Qt::LeftButton);
        QCOMPARE(dlg.result(), int(QDialog::Rejected));
        QCOMPARE(dlg.suffix(), std::string("good1"));
        QVERIFY(prompter.failures().isEmpty());
    }

    // Kept for the run, the dialog still opens with the focus in its text field every time,
    // wherever the focus was when it closed.
    void everyShowingStartsInTheTextField() {
        ScriptedPrompter prompter;
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
        ScriptedPrompter prompter;
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

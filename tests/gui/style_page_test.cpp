// SPDX-License-Identifier: MIT
// The style page: standalone on a document, counting the changes it makes, and inside the
// main window for the change of page.
#include "ui/main/style_page.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>

#include "codegen/script_text.h"
#include "document/item_edits.h"
#include "scripted_prompter.h"
#include "document/text_codec.h"
#include "ui/dialogs/desktop_colors.h"
#include "window_fixture.h"

using namespace sylvanode;

namespace {

struct Host {
    SchemeDocument doc;
    ScriptedPrompter prompter;
    int marks = 0;  // changes of the document's content
    QWidget window;
    StylePage* page;

    Host() : page(new StylePage(doc, prompter, &window)) {
        QObject::connect(&doc, &SchemeDocument::contentChanged, [this] { ++marks; });
        window.show();
    }
    const std::array<KindStyle, 2>& kinds() const { return doc.scheme().kinds; }
    // Styles as a scheme file may hold them, shown as after opening it (selectors at the top).
    void load(const std::function<void(std::array<KindStyle, 2>&)>& edit) {
        SchemeOptions options = optionsOf(doc.scheme());
        edit(options.kinds);
        changeOptions(doc, DocumentPart::Styles, QStringLiteral("test"), -1, options);
        page->refresh();
        marks = 0;
    }
    template <class T = QWidget>
    T* c(const char* name) {
        return child<T>(window, name);
    }
    QString text(const char* name) { return c<QLineEdit>(name)->text(); }
    void step(const char* spinName, Qt::Key key, int times) {
        auto* spin = c<QSpinBox>(spinName);
        spin->setFocus();
        for (int i = 0; i < times; ++i) QTest::keyClick(spin, key);
    }
};

// Picks a side the way a user does (keyboard on the drop-down list).
void chooseSide(QComboBox* box, int index) {
    box->setFocus();
    while (box->currentIndex() < index) QTest::keyClick(box, Qt::Key_Down);
    while (box->currentIndex() > index) QTest::keyClick(box, Qt::Key_Up);
}

// Answers the CSS dialog: shows it, lets `edit` work on it, presses OK.
template <class Edit>
void answerCssOk(ScriptedPrompter& prompter, Edit edit) {
    prompter.answerDialog([edit](QDialog& d) {
        d.show();
        edit(d);
        QTest::mouseClick(d.findChild<QPushButton*>("okButton"), Qt::LeftButton);
        return d.result();
    });
}

}  // namespace

class StylePageTest : public QObject {
    Q_OBJECT
private slots:
    void layoutAndInitialValues() {
        Host h;
        QCOMPARE(h.page->objectName(), QString("stylePage"));
        for (const char* box : {"folderPaddingSide", "filePaddingSide"}) {
            auto* combo = h.c<QComboBox>(box);
            QVERIFY(!combo->isEditable());
            QCOMPARE(combo->count(), 4);
            QCOMPARE(combo->itemText(0), QString("上边距"));
            QCOMPARE(combo->itemText(1), QString("下边距 "));
            QCOMPARE(combo->itemText(2), QString("左边距"));
            QCOMPARE(combo->itemText(3), QString("右边距"));
        }
        for (const char* field :
             {"folderHeightEdit", "folderPaddingEdit", "fileHeightEdit", "filePaddingEdit"}) {
            QCOMPARE(h.text(field), QString("0"));
            QVERIFY(h.c<QLineEdit>(field)->isReadOnly());
        }
        for (const char* css : {"folderNormalStyle", "folderHoverStyle", "folderSelectStyle",
                                "fileNormalStyle", "fileHoverStyle", "fileSelectStyle"}) {
            auto* f = h.c<QLineEdit>(css);
            QVERIFY(f->isReadOnly());
            QVERIFY(f->text().isEmpty());  // nothing set: empty text
            QCOMPARE(f->cursor().shape(), Qt::PointingHandCursor);
            QCOMPARE(f->palette().color(QPalette::Base), desktopColor(kInactiveBorderIndex));
        }
        QCOMPARE(h.marks, 0);
    }

    void sideSelectorShowsEachSide() {
        Host h;
        auto* combo = h.c<QComboBox>("folderPaddingSide");
        chooseSide(combo, 2);
        QCOMPARE(h.text("folderPaddingEdit"), QString("2"));
        QCOMPARE(h.page->kindSide(0), 2);
        chooseSide(combo, 3);
        QCOMPARE(h.text("folderPaddingEdit"), QString("5"));
        // Folder left padding to 7, away and back.
        chooseSide(combo, 2);
        h.step("folderPaddingSpin", Qt::Key_Up, 5);
        QCOMPARE(h.kinds()[0].padding[2], 7);
        QCOMPARE(h.marks, 5);
        chooseSide(combo, 3);
        QCOMPARE(h.text("folderPaddingEdit"), QString("5"));
        chooseSide(combo, 2);
        QCOMPARE(h.text("folderPaddingEdit"), QString("7"));
        QCOMPARE(h.marks, 5);  // switching sides marks nothing
        QCOMPARE(h.kinds()[1].padding, (std::array<int32_t, 4>{0, 0, 2, 5}));
    }

    void spinnersMarkEveryRequestAlsoAtTheEnds() {
        Host h;
        h.step("folderHeightSpin", Qt::Key_Down, 2);  // at 0 already
        QCOMPARE(h.kinds()[0].height, 0);
        QCOMPARE(h.marks, 2);
        h.step("fileHeightSpin", Qt::Key_Up, 52);  // 0 -> 50, two more requests at 50
        QCOMPARE(h.kinds()[1].height, 50);
        QCOMPARE(h.text("fileHeightEdit"), QString("50"));
        QCOMPARE(h.marks, 54);
        chooseSide(h.c<QComboBox>("filePaddingSide"), 1);
        h.step("filePaddingSpin", Qt::Key_Up, 3);
        QCOMPARE(h.kinds()[1].padding[1], 3);
        QCOMPARE(h.kinds()[0].height, 0);
    }

    void refreshReturnsSelectorsToTheTopSide() {
        Host h;
        h.load([](std::array<KindStyle, 2>& k) { k[1].padding[0] = 4; });
        chooseSide(h.c<QComboBox>("filePaddingSide"), 3);
        h.step("filePaddingSpin", Qt::Key_Up, 2);
        QCOMPARE(h.kinds()[1].padding[3], 7);
        h.marks = 0;
        h.page->refresh();
        QCOMPARE(h.c<QComboBox>("filePaddingSide")->currentIndex(), 0);
        QCOMPARE(h.page->kindSide(1), 0);
        QCOMPARE(h.text("filePaddingEdit"), QString("4"));
        QCOMPARE(h.kinds()[1].padding[3], 7);
        QCOMPARE(h.marks, 0);
    }

    void switchingSidesKeepsAValueOutsideTheSpinnerRange() {
        Host h;
        h.load([](std::array<KindStyle, 2>& k) { k[0].padding = {80, 0, 2, 5}; });  // as a file may hold it
        chooseSide(h.c<QComboBox>("folderPaddingSide"), 2);
        chooseSide(h.c<QComboBox>("folderPaddingSide"), 0);
        QCOMPARE(h.kinds()[0].padding[0], 80);
        QCOMPARE(h.marks, 0);
    }

    void styleDialogOkMarksEvenWithoutAChange() {
        Host h;
        h.load([](std::array<KindStyle, 2>& k) {
            k[0].styles[1].textColor = "clBtnText";
            k[0].styles[1].fontSize = 9;
        });
        QCOMPARE(h.text("folderHoverStyle"), QString("font-size:9pt;color:buttontext;"));
        const CssStyle before = h.kinds()[0].styles[1];
        answerCssOk(h.prompter, [](QDialog&) {});
        QTest::mouseClick(h.c<QLineEdit>("folderHoverStyle"), Qt::LeftButton);
        QCOMPARE(h.prompter.count(ScriptedPrompter::Kind::RunDialog), 1);
        QCOMPARE(h.prompter.last().dialogClass, QString("CssStyleDialog"));
        QCOMPARE(h.marks, 1);
        QVERIFY(h.kinds()[0].styles[1] == before);
        QCOMPARE(h.text("folderHoverStyle"), QString("font-size:9pt;color:buttontext;"));

        // An edit goes into the slot and its field.
        answerCssOk(h.prompter, [](QDialog& d) {
            auto* box = d.findChild<QCheckBox*>("useUnderline");
            QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
        });
        QTest::mouseClick(h.c<QLineEdit>("fileSelectStyle"), Qt::LeftButton);
        QVERIFY(h.kinds()[1].styles[2].underline);
        QCOMPARE(h.text("fileSelectStyle"), QString("text-decoration:underline;"));
        QCOMPARE(h.marks, 2);
        // Enter on a focused style field opens the dialog as well.
        h.prompter.answerDialog([](QDialog&) { return int(QDialog::Rejected); });
        h.c<QLineEdit>("folderSelectStyle")->setFocus();
        QTest::keyClick(h.c<QLineEdit>("folderSelectStyle"), Qt::Key_Return);
        QCOMPARE(h.prompter.count(ScriptedPrompter::Kind::RunDialog), 3);
        QCOMPARE(h.marks, 2);
        QVERIFY(h.prompter.failures().isEmpty());
    }

    void styleDialogCancelChangesNothing() {
        Host h;
        h.load([](std::array<KindStyle, 2>& k) { k[1].styles[0].fontName = toSchemeBytes(QString("宋体")); });
        h.prompter.answerDialog([](QDialog& d) {
            d.show();
            auto* box = d.findChild<QCheckBox*>("useFontName");
            QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));  // off
            QTest::mouseClick(d.findChild<QPushButton*>("cancelButton"), Qt::LeftButton);
            return d.result();
        });
        QTest::mouseClick(h.c<QLineEdit>("fileNormalStyle"), Qt::LeftButton);
        QCOMPARE(h.kinds()[1].styles[0].fontName, std::string("\xCB\xCE\xCC\xE5"));
        QCOMPARE(h.text("fileNormalStyle"), QString("font-family:宋体;"));
        QCOMPARE(h.marks, 0);
        QVERIFY(h.prompter.failures().isEmpty());
    }

    void changeOfPageInTheWindow() {
        WindowFixture f;
        auto* pages = f.child<QTabWidget>("pages");
        QVERIFY(pages);
        pages->setCurrentWidget(f.child<QWidget>("stylePage"));
        auto* combo = f.child<QComboBox>("filePaddingSide");
        chooseSide(combo, 3);
        auto* spin = f.child<QSpinBox>("filePaddingSpin");
        spin->setFocus();
        QTest::keyClick(spin, Qt::Key_Up);
        QCOMPARE(f.scheme().kinds[1].padding[3], 6);
        QVERIFY(f.modified());
        f.doc().undoStack().setClean();

        pages->setCurrentWidget(f.child<QWidget>("settingsPage"));
        pages->setCurrentWidget(f.child<QWidget>("stylePage"));
        QCOMPARE(combo->currentIndex(), 0);
        QCOMPARE(f.edit("filePaddingEdit")->text(), QString("0"));
        QCOMPARE(f.scheme().kinds[1].padding[3], 6);
        QVERIFY(!f.modified());
        QVERIFY(!f.title().endsWith("[Modify]"));

        // The dialog's OK marks the window's scheme.
        answerCssOk(f.prompter, [](QDialog&) {});
        QTest::mouseClick(f.edit("folderHoverStyle"), Qt::LeftButton);
        QVERIFY(f.title().endsWith("[Modify]"));
        QVERIFY(f.prompter.failures().isEmpty());
    }
};

QTEST_MAIN(StylePageTest)
#include "style_page_test.moc"

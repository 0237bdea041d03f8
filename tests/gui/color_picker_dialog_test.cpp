// The colour picker and its hexadecimal entry field, driven directly.
#include "ui/dialogs/color_picker_dialog.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

#include "model/colors.h"
#include "ui/dialogs/color_panel.h"
#include "ui/dialogs/desktop_colors.h"
#include "ui/dialogs/eyedropper.h"
#include "ui/dialogs/hex_color_edit.h"

using namespace sylvanode;

namespace {

template <class T>
T* child(QWidget& parent, const char* name) {
    T* w = parent.findChild<T*>(QString::fromLatin1(name));
    if (!w) qFatal("no control %s", name);
    return w;
}

void toRgbPage(ColorPickerDialog& dlg) {
    auto* radio = child<QRadioButton>(dlg, "rgbRadio");
    QTest::mouseClick(radio, Qt::LeftButton, {}, QPoint(6, radio->height() / 2));
}

void typeHex(ColorPickerDialog& dlg, const char* text) {
    HexColorEdit* rgb = child<HexColorEdit>(dlg, "rgb");
    rgb->setFocus();
    QTest::keyClicks(rgb, QString::fromLatin1(text));
}

}  // namespace

class ColorPickerDialogTest : public QObject {
    Q_OBJECT
private slots:
    void listsTheSystemColoursInTableOrder() {
        ColorPickerDialog dlg;
        auto* list = child<QListWidget>(dlg, "colorList");
        QCOMPARE(list->count(), kSystemColorCount);
        for (int row = 0; row < kSystemColorCount; ++row)
            QCOMPARE(list->item(row)->text(), QString::fromLatin1(systemColors()[row].cssName));
        QCOMPARE(list->currentRow(), 0);
        auto* panel = child<ColorPanel>(dlg, "colorPanel");
        QCOMPARE(panel->text(), QString("activeborder"));
        QCOMPARE(uint32_t(panel->colorValue()), 0x8000000Au);
        // The contrast rule treats the system value as a number: 0x00FF0A.
        QCOMPARE(panel->palette().color(QPalette::WindowText), QColor(0x0A, 0xFF, 0x00));
        QVERIFY(child<QWidget>(dlg, "systemColorPage")->isVisibleTo(&dlg));
        QVERIFY(!child<QWidget>(dlg, "rgbPage")->isVisibleTo(&dlg));
    }

    void resultTexts() {
        {
            ColorPickerDialog dlg;  // OK at once
            QCOMPARE(dlg.resultText(), std::string("clActiveBorder"));
        }
        {
            ColorPickerDialog dlg;
            dlg.show();
            auto* list = child<QListWidget>(dlg, "colorList");
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                              list->visualItemRect(list->item(15)).center());
            QCOMPARE(child<ColorPanel>(dlg, "colorPanel")->text(), QString("infobackground"));
            QCOMPARE(dlg.resultText(), std::string("clInfoBk"));
        }
        {
            ColorPickerDialog dlg;
            dlg.show();
            toRgbPage(dlg);
            QVERIFY(!child<QWidget>(dlg, "systemColorPage")->isVisible());
            QVERIFY(child<QWidget>(dlg, "rgbPage")->isVisible());
            // The RGB page right after the preset: low three bytes of the system value.
            QCOMPARE(dlg.resultText(), std::string("0A0000"));
            typeHex(dlg, "ff8");
            auto* panel = child<ColorPanel>(dlg, "colorPanel");
            QCOMPARE(panel->text(), QString("ff8"));
            QCOMPARE(panel->palette().color(QPalette::Window), QColor(0x00, 0x0F, 0xF8));
            QCOMPARE(dlg.resultText(), std::string("000FF8"));
        }
        {
            // A plain value on the system page: a basic colour identifier when it is one.
            ColorPickerDialog dlg;
            dlg.show();
            toRgbPage(dlg);
            typeHex(dlg, "FF0000");
            auto* radio = child<QRadioButton>(dlg, "systemColorRadio");
            QTest::mouseClick(radio, Qt::LeftButton, {}, QPoint(6, radio->height() / 2));
            QVERIFY(child<QWidget>(dlg, "systemColorPage")->isVisible());
            QCOMPARE(dlg.resultText(), std::string("clRed"));
            // Typing does not change the list selection.
            auto* list = child<QListWidget>(dlg, "colorList");
            QCOMPARE(list->currentRow(), 0);
            // A click on the entry already selected brings its system colour back.
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                              list->visualItemRect(list->item(0)).center());
            QCOMPARE(dlg.resultText(), std::string("clActiveBorder"));
        }
        {
            ColorPickerDialog dlg;
            dlg.show();
            toRgbPage(dlg);
            typeHex(dlg, "563412");
            child<QRadioButton>(dlg, "systemColorRadio")->click();
            QCOMPARE(dlg.resultText(), std::string("0x00123456"));
        }
    }

    void hexFieldFiltersTypedCharacters() {
        ColorPickerDialog dlg;
        dlg.show();
        toRgbPage(dlg);
        HexColorEdit* rgb = child<HexColorEdit>(dlg, "rgb");
        QCOMPARE(rgb->maxLength(), 6);
        QApplication::clipboard()->setText("abc");
        typeHex(dlg, "g#f");
        QCOMPARE(rgb->text(), QString("f"));
        // Ctrl+V as the control character it arrives as: dropped, nothing pasted.
        QKeyEvent ctrlV(QEvent::KeyPress, Qt::Key_V, Qt::ControlModifier, QString(QChar(0x16)));
        QApplication::sendEvent(rgb, &ctrlV);
        QCOMPARE(rgb->text(), QString("f"));
        QKeyEvent ctrlA(QEvent::KeyPress, Qt::Key_A, Qt::ControlModifier, QString(QChar(0x01)));
        QApplication::sendEvent(rgb, &ctrlA);
        QKeyEvent tab(QEvent::KeyPress, Qt::Key_Z, Qt::NoModifier, QString(QChar(0x1B)));
        QApplication::sendEvent(rgb, &tab);
        typeHex(dlg, "f8 Z");
        QCOMPARE(rgb->text(), QString("ff8"));
        QTest::keyClick(rgb, Qt::Key_Backspace);
        QCOMPARE(rgb->text(), QString("ff"));
        typeHex(dlg, "ABCDEF9");
        QCOMPARE(rgb->text(), QString("ffABCD"));  // six at most
        // A paste from the context menu is not filtered: unreadable text shows black.
        rgb->clear();
        QApplication::clipboard()->setText("zz");
        rgb->paste();
        QCOMPARE(rgb->text(), QString("zz"));
        auto* panel = child<ColorPanel>(dlg, "colorPanel");
        QCOMPARE(panel->text(), QString("zz"));
        QCOMPARE(panel->colorValue(), 0);
        QCOMPARE(dlg.resultText(), std::string("000000"));
    }

    void enterInTheHexFieldPressesOk() {
        ColorPickerDialog dlg;
        dlg.show();
        toRgbPage(dlg);
        typeHex(dlg, "abc");
        QTest::keyClick(child<HexColorEdit>(dlg, "rgb"), Qt::Key_Return);
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        QCOMPARE(dlg.resultText(), std::string("000ABC"));
    }

    void screenPickingFollowsThePointerUntilRelease() {
        // A window of a known colour to pick from.
        QWidget target;
        target.setWindowFlags(Qt::FramelessWindowHint);
        target.setAutoFillBackground(true);
        QPalette pal = target.palette();
        pal.setColor(QPalette::Window, QColor(0x12, 0x34, 0x56));
        target.setPalette(pal);
        target.setGeometry(600, 400, 80, 60);
        target.show();
        QVERIFY(QTest::qWaitForWindowExposed(&target));

        ColorPickerDialog dlg;
        dlg.move(20, 20);
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        toRgbPage(dlg);
        if (QGuiApplication::platformName() == QLatin1String("offscreen")) {
            // The offscreen platform routes the grab inside the program only, and says so.
            QTest::ignoreMessage(QtWarningMsg, "This plugin does not support grabbing the mouse");
            QTest::ignoreMessage(QtWarningMsg, "This plugin does not support grabbing the mouse");
        }
        auto* button = child<QToolButton>(dlg, "eyedropperButton");
        QTest::mousePress(button, Qt::LeftButton);
        QVERIFY(dlg.isPicking());
        QCOMPARE(QWidget::mouseGrabber(), static_cast<QWidget*>(&dlg));
        const QCursor* cursor = QApplication::overrideCursor();
        QVERIFY(cursor);
        QCOMPARE(cursor->hotSpot(), QPoint(kEyedropperHotX, kEyedropperHotY));
        QCOMPARE(cursor->pixmap().size(), QSize(16, 16));

        // The grab routes every move to the dialog, wherever the pointer is.
        const QPoint overTarget = dlg.mapFromGlobal(target.mapToGlobal(QPoint(40, 30)));
        QVERIFY(!dlg.rect().contains(overTarget));
        QTest::mouseMove(&dlg, overTarget);
        auto* panel = child<ColorPanel>(dlg, "colorPanel");
        QCOMPARE(panel->text(), QString("123456"));
        QCOMPARE(dlg.resultText(), std::string("123456"));
        QVERIFY(child<HexColorEdit>(dlg, "rgb")->text().isEmpty());  // picking leaves the field alone

        QTest::mouseRelease(&dlg, Qt::LeftButton, {}, overTarget);
        QVERIFY(!dlg.isPicking());
        QVERIFY(!QWidget::mouseGrabber());
        QVERIFY(!QApplication::overrideCursor());
    }
};

QTEST_MAIN(ColorPickerDialogTest)
#include "color_picker_dialog_test.moc"

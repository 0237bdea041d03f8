// SPDX-License-Identifier: MIT
// The colour picker and its hexadecimal entry field, driven directly.
#include "ui/dialogs/color_picker_dialog.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSet>
#include <QTest>
#include <QToolButton>
#include <random>

#include "codegen/script_text.h"
#include "model/colors.h"
#include "model/scheme_io.h"
#include "ui/dialogs/color_panel.h"
#include "ui/dialogs/desktop_colors.h"
#include "ui/dialogs/eyedropper.h"
#include "ui/dialogs/hex_color_edit.h"
#include "window_fixture.h"

using namespace sylvanode;

namespace {

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
            QCOMPARE(dlg.resultText(), std::string("FF0000"));  // six digits, no basic colour name
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
            QCOMPARE(dlg.resultText(), std::string("563412"));
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
        // Delete works as in every field, as it arrives from the keyboard (with its 0x7F text).
        QTest::keyClick(rgb, Qt::Key_Home);
        QKeyEvent del(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier, QString(QChar(0x7F)));
        QApplication::sendEvent(rgb, &del);
        QCOMPARE(rgb->text(), QString("f"));
        QTest::keyClick(rgb, Qt::Key_End);
        QKeyEvent backspace(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier, QString(QChar(0x08)));
        QApplication::sendEvent(rgb, &backspace);
        QCOMPARE(rgb->text(), QString());
        typeHex(dlg, "ff");
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

    // Whatever path leads to OK — list entries, the RGB page, typing, deleting, pasting,
    // picking from the screen, switching pages back and forth — the result is a colour text
    // that loading keeps and that the style sheet turns into a valid CSS colour.
    void everyResultIsAColourThePageUnderstands() {
        QWidget target;  // a window of random colours to pick from
        target.setWindowFlags(Qt::FramelessWindowHint);
        target.setAutoFillBackground(true);
        target.setGeometry(600, 400, 40, 40);
        target.show();
        QVERIFY(QTest::qWaitForWindowExposed(&target));
        // The offscreen platform warns on every mouse grab; the grab itself works in the program.
        struct QuietGrabs {
            QtMessageHandler previous =
                qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
            ~QuietGrabs() { qInstallMessageHandler(previous); }
        } quiet;

        QSet<QString> cssSystemNames;
        for (int row = 0; row < kSystemColorCount; ++row)
            cssSystemNames.insert(QLatin1String(systemColors()[row].cssName));
        std::mt19937 random(4711);
        QSet<QString> seenKinds;
        for (int round = 0; round < 200; ++round) {
            ColorPickerDialog dlg;
            dlg.move(20, 20);
            dlg.show();
            auto* list = child<QListWidget>(dlg, "colorList");
            HexColorEdit* rgb = child<HexColorEdit>(dlg, "rgb");
            const int steps = 1 + static_cast<int>(random() % 6);
            for (int step = 0; step < steps; ++step) {
                switch (random() % 7) {
                    case 0:
                        child<QRadioButton>(dlg, "systemColorRadio")->click();
                        break;
                    case 1:
                        toRgbPage(dlg);
                        break;
                    case 2: {
                        const int row = static_cast<int>(random() % kSystemColorCount);
                        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                                          list->visualItemRect(list->item(row)).center());
                        break;
                    }
                    case 3: {
                        static const char digits[] = "0123456789abcdefABCDEFxyz#";
                        QString typed;
                        for (int n = static_cast<int>(random() % 8); n > 0; --n)
                            typed += QLatin1Char(digits[random() % (sizeof digits - 1)]);
                        rgb->setFocus();
                        QTest::keyClicks(rgb, typed);
                        break;
                    }
                    case 4:
                        rgb->setFocus();
                        QTest::keyClick(rgb, random() % 2 ? Qt::Key_Backspace : Qt::Key_Delete);
                        break;
                    case 5:
                        QApplication::clipboard()->setText(random() % 2 ? QStringLiteral("zz")
                                                                        : QStringLiteral("1"));
                        rgb->paste();
                        break;
                    case 6: {
                        QPalette pal = target.palette();
                        pal.setColor(QPalette::Window,
                                     QColor::fromRgb(static_cast<QRgb>(random() & 0xFFFFFF)));
                        target.setPalette(pal);
                        dlg.startPicking();
                        dlg.pickAt(target.mapToGlobal(QPoint(20, 20)));
                        dlg.stopPicking();
                        break;
                    }
                }
            }
            QTest::mouseClick(child<QPushButton>(dlg, "okButton"), Qt::LeftButton);
            QCOMPARE(dlg.result(), int(QDialog::Accepted));
            const std::string text = dlg.resultText();

            // Loading keeps it: written into a style, saved and read back, it is the same text.
            MenuScheme scheme;
            scheme.reset();
            scheme.kinds[0].styles[0].textColor = text;
            scheme.kinds[0].styles[0].borderColor = text;
            scheme.kinds[0].styles[0].useBorder = true;
            MenuScheme loaded;
            QVERIFY(readSchemeText(loaded, writeSchemeText(scheme)));
            QCOMPARE(loaded.kinds[0].styles[0].textColor, text);

            // The style sheet gets a colour CSS knows: #RRGGBB or a CSS system colour name.
            const QString css = QString::fromStdString(styleToCss(loaded.kinds[0].styles[0]));
            static const QRegularExpression form(
                QStringLiteral("^color:(#[0-9A-F]{6}|[a-z]+);border:1pt solid (#[0-9A-F]{6}|[a-z]+);$"));
            const QRegularExpressionMatch m = form.match(css);
            QVERIFY2(m.hasMatch(), qPrintable(css));
            QVERIFY2(m.captured(1).startsWith(QLatin1Char('#')) || cssSystemNames.contains(m.captured(1)),
                     qPrintable(css));
            QCOMPARE(m.captured(2), m.captured(1));
            seenKinds.insert(m.captured(1).startsWith(QLatin1Char('#')) ? QStringLiteral("rgb")
                                                                        : QStringLiteral("system"));
        }
        QCOMPARE(seenKinds.size(), 2);
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

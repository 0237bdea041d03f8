// SPDX-License-Identifier: MIT
// The CSS style dialog driven directly: loading, the switches, the colour
// choosers and OK's normalisation.
#include "ui/dialogs/css_style_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFontDatabase>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSet>
#include <QSpinBox>
#include <QTest>
#include <QToolButton>

#include "model/colors.h"
#include "scripted_prompter.h"
#include "document/text_codec.h"
#include "ui/dialogs/color_panel.h"
#include "ui/dialogs/color_picker_dialog.h"
#include "window_fixture.h"

using namespace sylvanode;

namespace {

// A click on the box itself (a wide check box only reacts on its indicator and text).
void clickBox(QCheckBox* box) { QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2)); }

// Shows the dialog (its handlers copy values only while it is on screen),
// runs `act`, presses OK and returns the working style.
template <class Act>
CssStyle editAndOk(CssStyleDialog& dlg, Act&& act) {
    dlg.show();
    act();
    QTest::mouseClick(child<QPushButton>(dlg, "okButton"), Qt::LeftButton);
    return dlg.workStyle();
}

// The bytes of an installed font whose OS/2 vendor (the foundry a font list names) is
// replaced by "Sylv": the same family from a second foundry. Empty when no font is found.
QByteArray sameFamilyOtherFoundry(QString& family) {
    const struct {
        const char* path;
        const char* family;
    } candidates[] = {{"/usr/share/fonts/truetype/wqy/wqy-microhei.ttc", "WenQuanYi Micro Hei"},
                      {"/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", "DejaVu Sans"}};
    for (const auto& c : candidates) {
        QFile file(QString::fromLatin1(c.path));
        if (!file.open(QIODevice::ReadOnly)) continue;
        QByteArray data = file.readAll();
        const auto u32 = [&data](qsizetype at) {
            return (quint32(quint8(data[at])) << 24) | (quint32(quint8(data[at + 1])) << 16) |
                   (quint32(quint8(data[at + 2])) << 8) | quint32(quint8(data[at + 3]));
        };
        QList<qsizetype> directories{0};
        if (data.startsWith("ttcf")) {
            directories.clear();
            for (quint32 i = 0; i < u32(8); ++i) directories << qsizetype(u32(12 + 4 * i));
        }
        for (qsizetype dir : directories) {
            const int tables = (quint8(data[dir + 4]) << 8) | quint8(data[dir + 5]);
            for (int t = 0; t < tables; ++t) {
                const qsizetype record = dir + 12 + 16 * t;
                if (data.mid(record, 4) == "OS/2") data.replace(qsizetype(u32(record + 8)) + 58, 4, "Sylv");
            }
        }
        family = QString::fromLatin1(c.family);
        return data;
    }
    return {};
}

CssStyle oddStyle() {
    CssStyle s;
    s.fontName = "No Such Font 4711";
    s.fontSize = 45;
    s.fontStyle = 7;
    s.underline = true;
    s.backgroundColor = "ff";
    s.textColor = "clBtnFace";
    s.borderColor = "000080";
    s.useBorder = true;
    s.borderWidth = 3;
    return s;
}

}  // namespace

class CssStyleDialogTest : public QObject {
    Q_OBJECT
    ScriptedPrompter prompter;
private slots:
    void init() { prompter.reset(); }
    void cleanup() { verifyAsScripted(prompter); }

    void formCreateFillsTheLists() {
        CssStyleDialog dlg(prompter);
        auto* fonts = child<QComboBox>(dlg, "fontBox");
        QVERIFY(fonts->findText("Default", Qt::MatchExactly) >= 0);
        QCOMPARE(fonts->currentIndex(), 0);
        for (int i = 1; i < fonts->count(); ++i)
            QVERIFY2(QString::compare(fonts->itemText(i - 1), fonts->itemText(i), Qt::CaseInsensitive) <= 0,
                     qPrintable(fonts->itemText(i)));
        auto* sizes = child<QComboBox>(dlg, "fontSize");
        QCOMPARE(sizes->count(), 31);
        QCOMPARE(sizes->itemText(0), QString("0"));
        QCOMPARE(sizes->itemText(30), QString("30"));
        QCOMPARE(sizes->currentText(), QString("10"));
        auto* styles = child<QComboBox>(dlg, "fontStyle");
        QCOMPARE(styles->count(), 4);
        QCOMPARE(styles->itemText(3), QString("粗斜体"));
        QVERIFY(child<QCheckBox>(dlg, "useBorder")->isChecked());
        QCOMPARE(child<QLineEdit>(dlg, "borderWidthEdit")->text(), QString("1"));
        // Never loaded: the reset style.
        QCOMPARE(dlg.workStyle(), CssStyle{});
    }

    // A family installed by two foundries is listed once, by the name a page knows; a stored
    // name, with or without the foundry tag Qt adds, finds it; and that name reaches the CSS.
    void fontListShowsEachFamilyOnceByItsName() {
        QString family;
        const QByteArray font = sameFamilyOtherFoundry(family);
        QVERIFY2(!font.isEmpty(), "no installed font to copy (scripts/setup.sh installs fonts-wqy-microhei)");
        QVERIFY(QFontDatabase::addApplicationFontFromData(font) >= 0);
        QStringList tagged;
        for (const QString& f : QFontDatabase::families())
            if (f.startsWith(family + QLatin1String(" ["))) tagged << f;
        QVERIFY2(tagged.size() >= 2, qPrintable(tagged.join(", ")));  // what Qt itself lists

        CssStyleDialog dlg(prompter);
        auto* fonts = child<QComboBox>(dlg, "fontBox");
        QStringList items;
        for (int i = 0; i < fonts->count(); ++i) items << fonts->itemText(i);
        QCOMPARE(items.count(family), 1);
        QCOMPARE(items.size(), QSet<QString>(items.begin(), items.end()).size());
        for (const QString& item : items) QVERIFY2(!item.endsWith(QLatin1Char(']')), qPrintable(item));

        for (const QString& stored : {family, tagged.constFirst(), family.toLower()}) {
            CssStyle s;
            s.fontName = toSchemeBytes(stored);
            dlg.loadStyle(s);
            QCOMPARE(fonts->currentText(), family);
            QCOMPARE(dlg.workStyle().fontName, toSchemeBytes(stored));  // kept until the user chooses
        }
        const CssStyle out = editAndOk(dlg, [&] {
            fonts->setFocus();
            QTest::keyClick(fonts, Qt::Key_Down);
            QTest::keyClick(fonts, Qt::Key_Up);
        });
        QCOMPARE(out.fontName, toSchemeBytes(family));
        QCOMPARE(dlg.cssText(), "font-family:" + toSchemeBytes(family) + ";");
    }

    void loadThenOkReturnsTheStyleUnchanged_data() {
        QTest::addColumn<int>("which");
        QTest::newRow("font not installed, size and style out of range") << 0;
        QTest::newRow("reset style") << 1;
        QTest::newRow("listed values") << 2;
    }
    void loadThenOkReturnsTheStyleUnchanged() {
        QFETCH(int, which);
        CssStyle s;
        if (which == 0) s = oddStyle();
        if (which == 2) {
            s.fontName = "Default";
            s.fontSize = 12;
            s.fontStyle = 2;
            s.textColor = "0A0B0C";
            s.borderColor = "clWindowFrame";
            s.borderWidth = 0;
        }
        CssStyleDialog dlg(prompter);
        dlg.loadStyle(s);
        QCOMPARE(dlg.workStyle(), s);  // loading writes no control value back
        if (which == 0) {
            QVERIFY(child<QCheckBox>(dlg, "useFontName")->isChecked());
            QCOMPARE(child<QComboBox>(dlg, "fontBox")->currentIndex(), 0);
            QCOMPARE(child<QComboBox>(dlg, "fontSize")->currentText(), QString("10"));
            QCOMPARE(child<QComboBox>(dlg, "fontStyle")->currentIndex(), 0);
            // The size is still applied to the preview; the odd style adds nothing.
            auto* preview = child<QLabel>(dlg, "preview");
            QCOMPARE(preview->font().pointSize(), 45);
            QVERIFY(!preview->font().bold() && !preview->font().italic());
            QVERIFY(preview->font().underline());
        }
        if (which == 2) {
            QCOMPARE(child<QComboBox>(dlg, "fontSize")->currentText(), QString("12"));
            QCOMPARE(child<QComboBox>(dlg, "fontStyle")->currentIndex(), 2);
            QCOMPARE(child<QComboBox>(dlg, "fontBox")->currentText(), QString("Default"));
        }
        QCOMPARE(child<QWidget>(dlg, "borderRows")->isVisibleTo(&dlg), s.useBorder);
        const CssStyle out = editAndOk(dlg, [] {});
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        QCOMPARE(out, s);
    }

    void handlersWriteNothingWhileOffScreen() {
        CssStyleDialog dlg(prompter);
        dlg.loadStyle(CssStyle{});
        child<QCheckBox>(dlg, "useFontName")->click();
        child<QCheckBox>(dlg, "useTextColor")->click();
        child<QCheckBox>(dlg, "useFontSize")->click();
        QCOMPARE(dlg.workStyle(), CssStyle{});
    }

    void switchingAColourOnForAnEmptyColourGivesBlack() {
        CssStyleDialog dlg(prompter);
        dlg.loadStyle(CssStyle{});
        const CssStyle out = editAndOk(dlg, [&] {
            clickBox(child<QCheckBox>(dlg, "useTextColor"));
            clickBox(child<QCheckBox>(dlg, "useBackgroundColor"));
            QCOMPARE(dlg.workStyle().textColor, std::string("000000"));
        });
        QCOMPARE(out.textColor, std::string("000000"));
        QCOMPARE(out.backgroundColor, std::string("000000"));
    }

    void switchesTakeTheListValuesOnScreen() {
        CssStyleDialog dlg(prompter);
        dlg.loadStyle(CssStyle{});
        const CssStyle out = editAndOk(dlg, [&] {
            auto* size = child<QComboBox>(dlg, "fontSize");
            size->setFocus();
            QTest::keyClick(size, Qt::Key_Down);  // 10 -> 11, stored although the switch is off
            QCOMPARE(dlg.workStyle().fontSize, 11);
            clickBox(child<QCheckBox>(dlg, "useFontSize"));
            auto* style = child<QComboBox>(dlg, "fontStyle");
            style->setCurrentIndex(3);
            clickBox(child<QCheckBox>(dlg, "useFontStyle"));
            QCOMPARE(dlg.workStyle().fontStyle, 3);
            auto* preview = child<QLabel>(dlg, "preview");
            QVERIFY(preview->font().bold() && preview->font().italic());
            QCOMPARE(preview->font().pointSize(), 11);
            clickBox(child<QCheckBox>(dlg, "useUnderline"));
        });
        QCOMPARE(out.fontSize, 11);
        QCOMPARE(out.fontStyle, 3);
        QVERIFY(out.underline);
        QVERIFY(out.fontName.empty());  // switch never on
    }

    void colourChosenWithItsSwitchOffIsClearedByOk() {
        prompter.answerColor(QColor(255, 0, 0));
        prompter.answerColor(QColor(0, 0x80, 0xFF));
        CssStyleDialog dlg(prompter);
        dlg.loadStyle(CssStyle{});
        const CssStyle out = editAndOk(dlg, [&] {
            QTest::mouseClick(child<ColorPanel>(dlg, "textColorPanel"), Qt::LeftButton);
            QCOMPARE(dlg.workStyle().textColor, std::string("FF0000"));
            auto* panel = child<ColorPanel>(dlg, "textColorPanel");
            QCOMPARE(panel->text(), QString("FF0000"));
            // Caption in the contrast colour: green byte inverted.
            QCOMPARE(panel->palette().color(QPalette::WindowText), QColor(255, 255, 0));
            // The chooser starts on the colour chosen last in this dialog.
            QTest::mouseClick(child<ColorPanel>(dlg, "backgroundColorPanel"), Qt::LeftButton);
            QCOMPARE(prompter.requests()[0].color, QColor(Qt::black));
            QCOMPARE(prompter.requests()[1].color, QColor(255, 0, 0));
            QCOMPARE(dlg.workStyle().backgroundColor, std::string("0080FF"));
        });
        QVERIFY(out.textColor.empty());
        QVERIFY(out.backgroundColor.empty());
    }

    void pickerButtonsTakeTheResultText() {
        prompter.answerDialog([](QDialog& d) {
            auto* list = d.findChild<QListWidget*>("colorList");
            list->setCurrentRow(15);  // infobackground
            return int(QDialog::Accepted);
        });
        prompter.answerDialog([](QDialog&) { return int(QDialog::Rejected); });
        CssStyle s;
        s.textColor = "123456";
        CssStyleDialog dlg(prompter);
        dlg.loadStyle(s);
        const CssStyle out = editAndOk(dlg, [&] {
            QTest::mouseClick(child<QToolButton>(dlg, "pickBackgroundColorButton"), Qt::LeftButton);
            QCOMPARE(dlg.workStyle().backgroundColor, std::string("clInfoBk"));
            QTest::mouseClick(child<QToolButton>(dlg, "pickTextColorButton"), Qt::LeftButton);  // cancelled
            QCOMPARE(dlg.workStyle().textColor, std::string("123456"));
            clickBox(child<QCheckBox>(dlg, "useBackgroundColor"));
        });
        QCOMPARE(prompter.count(ScriptedPrompter::Kind::RunDialog), 2);
        QCOMPARE(prompter.requests()[0].dialogClass, QString("ColorPickerDialog"));
        QCOMPARE(out.backgroundColor, std::string("clInfoBk"));
        QCOMPARE(out.textColor, std::string("123456"));
    }

    void borderOffKeepsColourAndWidth() {
        CssStyle s;
        s.useBorder = true;
        s.borderColor = "123456";
        s.borderWidth = 4;
        CssStyleDialog dlg(prompter);
        dlg.loadStyle(s);
        const CssStyle out = editAndOk(dlg, [&] {
            QVERIFY(child<QWidget>(dlg, "borderRows")->isVisible());
            QCOMPARE(child<QLineEdit>(dlg, "borderWidthEdit")->text(), QString("4"));
            clickBox(child<QCheckBox>(dlg, "useBorder"));
            QVERIFY(!child<QWidget>(dlg, "borderRows")->isVisible());
        });
        QVERIFY(!out.useBorder);
        QCOMPARE(out.borderColor, std::string("123456"));
        QCOMPARE(out.borderWidth, 4);
    }

    void borderOnTakesPanelColourAndWidth() {
        CssStyle s;
        s.borderColor = "ff";  // kept with the border off; normalised when it is switched on
        s.borderWidth = 6;
        CssStyle sys;
        sys.borderColor = "clHighlight";
        for (const CssStyle& in : {s, CssStyle{}, sys}) {
                CssStyleDialog dlg(prompter);
            dlg.loadStyle(in);
            const CssStyle out = editAndOk(dlg, [&] { clickBox(child<QCheckBox>(dlg, "useBorder")); });
            QVERIFY(out.useBorder);
            QCOMPARE(out.borderWidth, in.borderWidth);
            if (&in == &s) QCOMPARE(out.borderColor, std::string("0000FF"));
            // An empty colour shows black, and black is what the border gets.
            if (in.borderColor.empty()) QCOMPARE(out.borderColor, std::string("000000"));
            // A system colour keeps its identifier instead of becoming unrelated digits.
            if (&in == &sys) QCOMPARE(out.borderColor, std::string("clHighlight"));
        }
    }

    void widthSpinStaysWithinZeroToTen() {
        CssStyle s;
        s.useBorder = true;
        s.borderWidth = 1;
        CssStyleDialog dlg(prompter);
        dlg.loadStyle(s);
        dlg.show();
        auto* spin = child<QSpinBox>(dlg, "borderWidthSpin");
        spin->setFocus();
        for (int i = 0; i < 3; ++i) QTest::keyClick(spin, Qt::Key_Down);
        QCOMPARE(dlg.workStyle().borderWidth, 0);
        QCOMPARE(child<QLineEdit>(dlg, "borderWidthEdit")->text(), QString("0"));
        for (int i = 0; i < 14; ++i) QTest::keyClick(spin, Qt::Key_Up);
        QCOMPARE(dlg.workStyle().borderWidth, 10);
        QCOMPARE(child<QLineEdit>(dlg, "borderWidthEdit")->text(), QString("10"));
    }

    void cancelLeavesTheResultRejected() {
        CssStyleDialog dlg(prompter);
        dlg.loadStyle(oddStyle());
        dlg.show();
        QTest::keyClick(&dlg, Qt::Key_Escape);
        QCOMPARE(dlg.result(), int(QDialog::Rejected));
        QVERIFY(!dlg.isVisible());
    }
};

QTEST_MAIN(CssStyleDialogTest)
#include "css_style_dialog_test.moc"

// SPDX-License-Identifier: MIT
#include "ui/dialogs/css_style_dialog.h"

#include <QFontDatabase>
#include <QLineEdit>
#include <algorithm>

#include "codegen/script_text.h"
#include "model/colors.h"
#include "ui/common/prompter.h"
#include "document/text_codec.h"
#include "ui/dialogs/color_picker_dialog.h"
#include "ui/dialogs/desktop_colors.h"
#include "ui/dialogs/eyedropper.h"
#include "ui/dialogs/form_font.h"
#include "ui_css_style_dialog.h"

using namespace sylvanode;

namespace {

// "C059 [urw]" -> "C059": the family without the foundry tag Qt adds to tell foundries apart.
QString fontFamilyName(const QString& qtFamily) {
    if (!qtFamily.endsWith(QLatin1Char(']'))) return qtFamily;
    const qsizetype open = qtFamily.lastIndexOf(QLatin1String(" ["));
    return open > 0 ? qtFamily.left(open) : qtFamily;
}

ColorValue panelValueOf(const std::string& text) {
    const ParsedColor parsed = parseColorText(text);
    return parsed.ok ? parsed.value : 0;
}

}  // namespace

CssStyleDialog::CssStyleDialog(Prompter& prompter, QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::CssStyleDialog>()), prompter_(prompter) {
    ui->setupUi(this);
    setFont(formFont());
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    QLineEdit* widthField = ui->borderWidthSpin->findChild<QLineEdit*>();
    widthField->setObjectName(QStringLiteral("borderWidthEdit"));
    paintReadOnlyField(widthField);
    paintReadOnlyField(ui->borderWidthSpin);
    ui->borderWidthSpin->setRange(0, 10);
    ui->borderWidthSpin->setValue(1);
    for (ColorPanel* panel : {ui->textColorPanel, ui->backgroundColorPanel, ui->borderColorPanel})
        panel->setClickable(true);
    for (QToolButton* button :
         {ui->pickTextColorButton, ui->pickBackgroundColorButton, ui->pickBorderColorButton})
        button->setIcon(eyedropperGlyph());

    connect(ui->useFontName, &QCheckBox::clicked, this, [this] { toggleFontName(); });
    connect(ui->fontBox, &QComboBox::activated, this, [this] { applyFontName(); });
    connect(ui->useFontStyle, &QCheckBox::clicked, this, [this] { toggleFontStyle(); });
    connect(ui->fontStyle, &QComboBox::activated, this, [this] { applyFontStyle(); });
    connect(ui->useFontSize, &QCheckBox::clicked, this, [this] { toggleFontSize(); });
    connect(ui->fontSize, &QComboBox::activated, this, [this] { applyFontSize(); });
    connect(ui->useUnderline, &QCheckBox::clicked, this, [this] { toggleUnderline(); });
    connect(ui->useTextColor, &QCheckBox::clicked, this, [this] { toggleTextColor(); });
    connect(ui->useBackgroundColor, &QCheckBox::clicked, this, [this] { toggleBackgroundColor(); });
    connect(ui->textColorPanel, &ColorPanel::clicked, this, [this] { chooseTextColor(); });
    connect(ui->backgroundColorPanel, &ColorPanel::clicked, this, [this] { chooseBackgroundColor(); });
    connect(ui->borderColorPanel, &ColorPanel::clicked, this, [this] { chooseBorderColor(); });
    connect(ui->pickTextColorButton, &QToolButton::clicked, this, [this] { pickTextColor(); });
    connect(ui->pickBackgroundColorButton, &QToolButton::clicked, this, [this] { pickBackgroundColor(); });
    connect(ui->pickBorderColorButton, &QToolButton::clicked, this, [this] { pickBorderColor(); });
    connect(ui->useBorder, &QCheckBox::clicked, this, [this] { toggleBorder(); });
    connect(ui->borderWidthSpin, &StepSpinBox::changing, this, [this](int v) { applyBorderWidth(v); });
    connect(ui->okButton, &QPushButton::clicked, this, [this] { acceptStyle(); });
    connect(ui->cancelButton, &QPushButton::clicked, this, &QDialog::reject);

    fillFontLists();
    updatePreview();
    setFixedSize(sizeHint().expandedTo(QSize(304, 366)));
}

CssStyleDialog::~CssStyleDialog() = default;

void CssStyleDialog::fillFontLists() {
    // Qt names a family installed by several foundries once per foundry ("C059 [urw]"); a page
    // and the browser know only the family, so each family is listed once, by its name.
    QStringList families;
    for (const QString& family : QFontDatabase::families()) families.append(fontFamilyName(family));
    families.append(QStringLiteral("Default"));
    families.removeDuplicates();
    std::sort(families.begin(), families.end(), [](const QString& a, const QString& b) {
        const int c = QString::compare(a, b, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a < b;
    });
    ui->fontBox->addItems(families);
    ui->fontBox->setCurrentIndex(0);
    ui->fontStyle->setCurrentIndex(0);
    for (int size = 0; size <= 30; ++size) ui->fontSize->addItem(QString::number(size));
    ui->fontSize->setCurrentIndex(10);
}

void CssStyleDialog::loadStyle(const CssStyle& style) {
    workStyle_ = style;
    ui->useBackgroundColor->setChecked(!style.backgroundColor.empty());
    ui->useTextColor->setChecked(!style.textColor.empty());
    ui->useFontStyle->setChecked(style.fontStyle != -1);
    ui->useFontName->setChecked(!style.fontName.empty());
    ui->useFontSize->setChecked(style.fontSize != -1);
    ui->useUnderline->setChecked(style.underline);

    // A name stored with a foundry tag by an earlier version finds its family too.
    const int fontIndex =
        style.fontName.empty()
            ? -1
            : ui->fontBox->findText(fontFamilyName(toQString(style.fontName)), Qt::MatchFixedString);
    ui->fontBox->setCurrentIndex(fontIndex >= 0 ? fontIndex : 0);
    if (style.fontStyle >= 0 && style.fontStyle <= 3) ui->fontStyle->setCurrentIndex(style.fontStyle);
    if (style.fontSize != -1) {
        const int sizeIndex = ui->fontSize->findText(QString::number(style.fontSize), Qt::MatchExactly);
        if (sizeIndex >= 0) ui->fontSize->setCurrentIndex(sizeIndex);
    }
    ui->useBorder->setChecked(style.useBorder);
    updatePreview();
}

std::string CssStyleDialog::cssText() const { return styleToCss(workStyle_); }

void CssStyleDialog::updatePreview() {
    ui->borderRows->setVisible(workStyle_.useBorder);

    ui->textColorPanel->showColor(panelValueOf(workStyle_.textColor), toQString(workStyle_.textColor));
    ui->backgroundColorPanel->showColor(panelValueOf(workStyle_.backgroundColor),
                                        toQString(workStyle_.backgroundColor));
    ui->borderColorPanel->showColor(panelValueOf(workStyle_.borderColor), toQString(workStyle_.borderColor));

    QFont font = this->font();
    if (ui->useFontSize->isChecked() && workStyle_.fontSize != -1 && workStyle_.fontSize > 0)
        // Far beyond what a menu uses; the preview label only has to stay drawable.
        font.setPointSize(std::min(workStyle_.fontSize, 400));
    if (ui->useFontName->isChecked() && !workStyle_.fontName.empty())
        font.setFamilies({toQString(workStyle_.fontName)});
    font.setUnderline(ui->useUnderline->isChecked());
    font.setBold(false);
    font.setItalic(false);
    if (ui->useFontStyle->isChecked()) {
        font.setBold(workStyle_.fontStyle == 1 || workStyle_.fontStyle == 3);
        font.setItalic(workStyle_.fontStyle == 2 || workStyle_.fontStyle == 3);
    }
    ui->preview->setFont(font);

    QPalette pal = palette();
    if (ui->useTextColor->isChecked())
        pal.setColor(QPalette::WindowText, colorFromValue(ui->textColorPanel->colorValue()));
    if (ui->useBackgroundColor->isChecked())
        pal.setColor(QPalette::Window, colorFromValue(ui->backgroundColorPanel->colorValue()));
    ui->preview->setPalette(pal);
}

void CssStyleDialog::toggleFontName() {
    if (ui->useFontName->isChecked() && onScreen())
        workStyle_.fontName = toSchemeBytes(ui->fontBox->currentText());
    updatePreview();
}

void CssStyleDialog::applyFontName() {
    if (!onScreen()) return;
    workStyle_.fontName = toSchemeBytes(ui->fontBox->currentText());
    updatePreview();
}

void CssStyleDialog::toggleFontStyle() {
    if (ui->useFontStyle->isChecked() && onScreen()) workStyle_.fontStyle = ui->fontStyle->currentIndex();
    updatePreview();
}

void CssStyleDialog::applyFontStyle() {
    if (!onScreen()) return;
    workStyle_.fontStyle = ui->fontStyle->currentIndex();
    updatePreview();
}

void CssStyleDialog::toggleFontSize() {
    if (ui->useFontSize->isChecked() && onScreen()) workStyle_.fontSize = ui->fontSize->currentText().toInt();
    updatePreview();
}

void CssStyleDialog::applyFontSize() {
    if (!onScreen()) return;
    workStyle_.fontSize = ui->fontSize->currentIndex();
    updatePreview();
}

void CssStyleDialog::toggleUnderline() {
    if (ui->useUnderline->isChecked() && onScreen()) workStyle_.underline = true;
    updatePreview();
}

void CssStyleDialog::toggleTextColor() {
    if (ui->useTextColor->isChecked() && onScreen() && workStyle_.textColor.empty())
        workStyle_.textColor = colorToHexText(ui->textColorPanel->colorValue());
    updatePreview();
}

void CssStyleDialog::toggleBackgroundColor() {
    if (ui->useBackgroundColor->isChecked() && onScreen() && workStyle_.backgroundColor.empty())
        workStyle_.backgroundColor = colorToHexText(ui->backgroundColorPanel->colorValue());
    updatePreview();
}

bool CssStyleDialog::chooseStandardColor(std::string& field) {
    const std::optional<QColor> chosen = prompter_.chooseColor(this, lastChosen_);
    if (!chosen || !chosen->isValid()) return false;
    lastChosen_ = *chosen;
    field = colorToHexText(valueFromColor(*chosen));
    updatePreview();
    return true;
}

void CssStyleDialog::chooseTextColor() { chooseStandardColor(workStyle_.textColor); }
void CssStyleDialog::chooseBackgroundColor() { chooseStandardColor(workStyle_.backgroundColor); }
void CssStyleDialog::chooseBorderColor() { chooseStandardColor(workStyle_.borderColor); }

bool CssStyleDialog::runPicker(std::string& field) {
    ColorPickerDialog picker(this);
    if (prompter_.runDialog(picker) != QDialog::Accepted) return false;
    field = picker.resultText();
    updatePreview();
    return true;
}

void CssStyleDialog::pickTextColor() { runPicker(workStyle_.textColor); }
void CssStyleDialog::pickBackgroundColor() { runPicker(workStyle_.backgroundColor); }
void CssStyleDialog::pickBorderColor() { runPicker(workStyle_.borderColor); }

void CssStyleDialog::toggleBorder() {
    workStyle_.useBorder = ui->useBorder->isChecked();
    ui->borderRows->setVisible(workStyle_.useBorder);
    if (onScreen() && workStyle_.useBorder) {
        // Switching the border on gives it the panel's colour as six digits (black for
        // none). A system colour keeps its identifier: its value is no RGB colour, and
        // turning it into digits would replace the user's colour by an unrelated one.
        if (workStyle_.borderColor.find("cl") == std::string::npos ||
            !parseColorText(workStyle_.borderColor).ok)
            workStyle_.borderColor = colorToHexText(ui->borderColorPanel->colorValue());
        workStyle_.borderWidth = ui->borderWidthSpin->findChild<QLineEdit*>()->text().toInt();
        updatePreview();
    }
}

void CssStyleDialog::applyBorderWidth(int newPosition) {
    workStyle_.borderWidth = std::clamp(newPosition, 0, 10);
}

void CssStyleDialog::showEvent(QShowEvent* event) {
    // On showing: the width field shows the loaded width; the spin counts on from it.
    ui->borderWidthSpin->setValue(workStyle_.borderWidth);
    QDialog::showEvent(event);
}

void CssStyleDialog::acceptStyle() {
    if (!ui->useFontName->isChecked()) workStyle_.fontName.clear();
    if (!ui->useFontStyle->isChecked()) workStyle_.fontStyle = -1;
    if (!ui->useFontSize->isChecked()) workStyle_.fontSize = -1;
    workStyle_.underline = ui->useUnderline->isChecked();
    if (!ui->useBackgroundColor->isChecked()) workStyle_.backgroundColor.clear();
    if (!ui->useTextColor->isChecked()) workStyle_.textColor.clear();
    accept();
}

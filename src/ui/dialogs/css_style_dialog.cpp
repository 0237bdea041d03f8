#include "ui/dialogs/css_style_dialog.h"

#include <QFontDatabase>
#include <QLineEdit>
#include <algorithm>

#include "model/colors.h"
#include "codegen/script_text.h"
#include "ui/common/prompter.h"
#include "ui/common/text_codec.h"
#include "ui/dialogs/color_picker_dialog.h"
#include "ui/dialogs/desktop_colors.h"
#include "ui/dialogs/eyedropper.h"
#include "ui/dialogs/form_font.h"
#include "ui_css_style_dialog.h"

using namespace sylvanode;

namespace {

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
    QLineEdit* widthField = ui->UpDown1->findChild<QLineEdit*>();
    widthField->setObjectName(QStringLiteral("c_borderWidth"));
    paintReadOnlyField(widthField);
    paintReadOnlyField(ui->UpDown1);
    ui->UpDown1->setRange(0, 10);
    ui->UpDown1->setValue(1);
    for (ColorPanel* panel : {ui->p_textColor, ui->p_bkColor, ui->p_borderColor}) panel->setClickable(true);
    for (QToolButton* button : {ui->SpeedButton1, ui->SpeedButton2, ui->SpeedButton3})
        button->setIcon(eyedropperGlyph());

    connect(ui->use_font_name, &QCheckBox::clicked, this, [this] { use_font_nameClick(); });
    connect(ui->fontBox, &QComboBox::activated, this, [this] { fontBoxChange(); });
    connect(ui->use_style, &QCheckBox::clicked, this, [this] { use_styleClick(); });
    connect(ui->fontStyle, &QComboBox::activated, this, [this] { fontStyleChange(); });
    connect(ui->use_size, &QCheckBox::clicked, this, [this] { use_sizeClick(); });
    connect(ui->fontSize, &QComboBox::activated, this, [this] { fontSizeChange(); });
    connect(ui->use_underline, &QCheckBox::clicked, this, [this] { use_underlineClick(); });
    connect(ui->use_text_color, &QCheckBox::clicked, this, [this] { use_text_colorClick(); });
    connect(ui->use_bk_color, &QCheckBox::clicked, this, [this] { use_bk_colorClick(); });
    connect(ui->p_textColor, &ColorPanel::clicked, this, [this] { p_textColorClick(); });
    connect(ui->p_bkColor, &ColorPanel::clicked, this, [this] { p_bkColorClick(); });
    connect(ui->p_borderColor, &ColorPanel::clicked, this, [this] { p_borderColorClick(); });
    connect(ui->SpeedButton1, &QToolButton::clicked, this, [this] { SpeedButton1Click(); });
    connect(ui->SpeedButton2, &QToolButton::clicked, this, [this] { SpeedButton2Click(); });
    connect(ui->SpeedButton3, &QToolButton::clicked, this, [this] { SpeedButton3Click(); });
    connect(ui->use_border, &QCheckBox::clicked, this, [this] { use_borderClick(); });
    connect(ui->UpDown1, &StepSpinBox::changing, this, [this](int v) { UpDown1ChangingEx(v); });
    connect(ui->OKBtn, &QPushButton::clicked, this, [this] { OKBtnClick(); });
    connect(ui->CancelBtn, &QPushButton::clicked, this, &QDialog::reject);

    FormCreate();
    UpdatePreview();
    setFixedSize(sizeHint().expandedTo(QSize(304, 366)));
}

CssStyleDialog::~CssStyleDialog() = default;

void CssStyleDialog::FormCreate() {
    QStringList families = QFontDatabase::families();
    if (!families.contains(QStringLiteral("Default"))) families.append(QStringLiteral("Default"));
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

void CssStyleDialog::LoadStyle(const CssStyle& style) {
    workStyle_ = style;
    ui->use_bk_color->setChecked(!style.backgroundColor.empty());
    ui->use_text_color->setChecked(!style.textColor.empty());
    ui->use_style->setChecked(style.fontStyle != -1);
    ui->use_font_name->setChecked(!style.fontName.empty());
    ui->use_size->setChecked(style.fontSize != -1);
    ui->use_underline->setChecked(style.underline);

    const int fontIndex =
        style.fontName.empty() ? -1 : ui->fontBox->findText(toQString(style.fontName), Qt::MatchFixedString);
    ui->fontBox->setCurrentIndex(fontIndex >= 0 ? fontIndex : 0);
    if (style.fontStyle >= 0 && style.fontStyle <= 3) ui->fontStyle->setCurrentIndex(style.fontStyle);
    if (style.fontSize != -1) {
        const int sizeIndex = ui->fontSize->findText(QString::number(style.fontSize), Qt::MatchExactly);
        if (sizeIndex >= 0) ui->fontSize->setCurrentIndex(sizeIndex);
    }
    ui->use_border->setChecked(style.useBorder);
    UpdatePreview();
}

std::string CssStyleDialog::cssText() const { return styleToCss(workStyle_); }

void CssStyleDialog::UpdatePreview() {
    ui->Panel2->setVisible(workStyle_.useBorder);

    ui->p_textColor->showColor(panelValueOf(workStyle_.textColor), toQString(workStyle_.textColor));
    ui->p_bkColor->showColor(panelValueOf(workStyle_.backgroundColor), toQString(workStyle_.backgroundColor));
    ui->p_borderColor->showColor(panelValueOf(workStyle_.borderColor), toQString(workStyle_.borderColor));

    QFont font = this->font();
    if (ui->use_size->isChecked() && workStyle_.fontSize != -1 && workStyle_.fontSize > 0)
        // Far beyond what a menu uses; the preview label only has to stay drawable.
        font.setPointSize(std::min(workStyle_.fontSize, 400));
    if (ui->use_font_name->isChecked() && !workStyle_.fontName.empty())
        font.setFamilies({toQString(workStyle_.fontName)});
    font.setUnderline(ui->use_underline->isChecked());
    font.setBold(false);
    font.setItalic(false);
    if (ui->use_style->isChecked()) {
        font.setBold(workStyle_.fontStyle == 1 || workStyle_.fontStyle == 3);
        font.setItalic(workStyle_.fontStyle == 2 || workStyle_.fontStyle == 3);
    }
    ui->preView->setFont(font);

    QPalette pal = palette();
    if (ui->use_text_color->isChecked())
        pal.setColor(QPalette::WindowText, colorFromValue(ui->p_textColor->colorValue()));
    if (ui->use_bk_color->isChecked())
        pal.setColor(QPalette::Window, colorFromValue(ui->p_bkColor->colorValue()));
    ui->preView->setPalette(pal);
}

void CssStyleDialog::use_font_nameClick() {
    if (ui->use_font_name->isChecked() && onScreen())
        workStyle_.fontName = toSchemeBytes(ui->fontBox->currentText());
    UpdatePreview();
}

void CssStyleDialog::fontBoxChange() {
    if (!onScreen()) return;
    workStyle_.fontName = toSchemeBytes(ui->fontBox->currentText());
    UpdatePreview();
}

void CssStyleDialog::use_styleClick() {
    if (ui->use_style->isChecked() && onScreen()) workStyle_.fontStyle = ui->fontStyle->currentIndex();
    UpdatePreview();
}

void CssStyleDialog::fontStyleChange() {
    if (!onScreen()) return;
    workStyle_.fontStyle = ui->fontStyle->currentIndex();
    UpdatePreview();
}

void CssStyleDialog::use_sizeClick() {
    if (ui->use_size->isChecked() && onScreen()) workStyle_.fontSize = ui->fontSize->currentText().toInt();
    UpdatePreview();
}

void CssStyleDialog::fontSizeChange() {
    if (!onScreen()) return;
    workStyle_.fontSize = ui->fontSize->currentIndex();
    UpdatePreview();
}

void CssStyleDialog::use_underlineClick() {
    if (ui->use_underline->isChecked() && onScreen()) workStyle_.underline = true;
    UpdatePreview();
}

void CssStyleDialog::use_text_colorClick() {
    if (ui->use_text_color->isChecked() && onScreen() && workStyle_.textColor.empty())
        workStyle_.textColor = colorToHexText(ui->p_textColor->colorValue());
    UpdatePreview();
}

void CssStyleDialog::use_bk_colorClick() {
    if (ui->use_bk_color->isChecked() && onScreen() && workStyle_.backgroundColor.empty())
        workStyle_.backgroundColor = colorToHexText(ui->p_bkColor->colorValue());
    UpdatePreview();
}

bool CssStyleDialog::chooseStandardColor(std::string& field) {
    const std::optional<QColor> chosen = prompter_.chooseColor(this, lastChosen_);
    if (!chosen || !chosen->isValid()) return false;
    lastChosen_ = *chosen;
    field = colorToHexText(valueFromColor(*chosen));
    UpdatePreview();
    return true;
}

void CssStyleDialog::p_textColorClick() { chooseStandardColor(workStyle_.textColor); }
void CssStyleDialog::p_bkColorClick() { chooseStandardColor(workStyle_.backgroundColor); }
void CssStyleDialog::p_borderColorClick() { chooseStandardColor(workStyle_.borderColor); }

bool CssStyleDialog::runPicker(std::string& field) {
    ColorPickerDialog picker(this);
    if (prompter_.runDialog(picker) != QDialog::Accepted) return false;
    field = picker.ResultText();
    UpdatePreview();
    return true;
}

void CssStyleDialog::SpeedButton1Click() { runPicker(workStyle_.textColor); }
void CssStyleDialog::SpeedButton2Click() { runPicker(workStyle_.backgroundColor); }
void CssStyleDialog::SpeedButton3Click() { runPicker(workStyle_.borderColor); }

void CssStyleDialog::use_borderClick() {
    workStyle_.useBorder = ui->use_border->isChecked();
    ui->Panel2->setVisible(workStyle_.useBorder);
    if (onScreen() && workStyle_.useBorder) {
        // Switching the border on gives it the panel's colour as six digits (black for
        // none). A system colour keeps its identifier: its value is no RGB colour, and
        // turning it into digits would replace the user's colour by an unrelated one.
        if (workStyle_.borderColor.find("cl") == std::string::npos ||
            !parseColorText(workStyle_.borderColor).ok)
            workStyle_.borderColor = colorToHexText(ui->p_borderColor->colorValue());
        workStyle_.borderWidth = ui->UpDown1->findChild<QLineEdit*>()->text().toInt();
        UpdatePreview();
    }
}

void CssStyleDialog::UpDown1ChangingEx(int newPosition) { workStyle_.borderWidth = std::clamp(newPosition, 0, 10); }

void CssStyleDialog::showEvent(QShowEvent* event) {
    // FormShow: the width field shows the loaded width; the spin counts on from it.
    ui->UpDown1->setValue(workStyle_.borderWidth);
    QDialog::showEvent(event);
}

void CssStyleDialog::OKBtnClick() {
    if (!ui->use_font_name->isChecked()) workStyle_.fontName.clear();
    if (!ui->use_style->isChecked()) workStyle_.fontStyle = -1;
    if (!ui->use_size->isChecked()) workStyle_.fontSize = -1;
    workStyle_.underline = ui->use_underline->isChecked();
    if (!ui->use_bk_color->isChecked()) workStyle_.backgroundColor.clear();
    if (!ui->use_text_color->isChecked()) workStyle_.textColor.clear();
    accept();
}

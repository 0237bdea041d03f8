#include "ui/main/style_page.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <algorithm>

#include "codegen/script_text.h"
#include "model/menu_scheme.h"
#include "ui/common/prompter.h"
#include "ui/common/text_codec.h"
#include "ui/dialogs/css_style_dialog.h"
#include "ui/dialogs/desktop_colors.h"
#include "ui_style_page.h"

namespace sylvanode {
namespace {

CssStyle& styleOfSlot(MenuScheme& scheme, int slot) {
    const int i = slot - 1;
    return scheme.kinds[static_cast<size_t>(i / 3)].styles[static_cast<size_t>(i % 3)];
}

}  // namespace

StylePage::StylePage(MenuScheme& scheme, Prompter& prompter, std::function<void()> markModified,
                     QWidget* parent)
    : QWidget(parent),
      ui(std::make_unique<Ui::StylePage>()),
      scheme_(scheme),
      prompter_(prompter),
      markModified_(std::move(markModified)) {
    ui->setupUi(this);
    setObjectName(QStringLiteral("TabSheet3"));
    const std::pair<StepSpinBox*, const char*> spins[] = {
        {ui->UpDown2, "Edit3"}, {ui->UpDown3, "Edit4"}, {ui->UpDown4, "Edit7"}, {ui->UpDown5, "Edit8"}};
    for (const auto& [spin, fieldName] : spins) {
        spin->findChild<QLineEdit*>()->setObjectName(QString::fromLatin1(fieldName));
        spin->setRange(0, 50);
        spin->setValue(0);
        paintReadOnlyField(spin);
    }
    for (int slot = 1; slot <= 6; ++slot) {
        QLineEdit* field = cssField(slot);
        paintReadOnlyField(field);
        QPalette pal = field->palette();
        pal.setColor(QPalette::Text, desktopColor(kDesktopBackgroundIndex));
        field->setPalette(pal);
        field->setCursor(Qt::PointingHandCursor);
        field->installEventFilter(this);
    }
    ui->ComboBox1->setCurrentIndex(0);
    ui->ComboBox2->setCurrentIndex(0);

    // Only the user's choice runs the side handler; refresh() sets the entries silently.
    connect(ui->ComboBox1, &QComboBox::activated, this, [this] { sideChange(0); });
    connect(ui->ComboBox2, &QComboBox::activated, this, [this] { sideChange(1); });
    connect(ui->UpDown2, &StepSpinBox::changing, this, [this](int v) { heightChanging(0, v); });
    connect(ui->UpDown3, &StepSpinBox::changing, this, [this](int v) { paddingChanging(0, v); });
    connect(ui->UpDown4, &StepSpinBox::changing, this, [this](int v) { heightChanging(1, v); });
    connect(ui->UpDown5, &StepSpinBox::changing, this, [this](int v) { paddingChanging(1, v); });
}

StylePage::~StylePage() = default;

QLineEdit* StylePage::cssField(int slot) const {
    QLineEdit* const fields[] = {ui->css_1, ui->css_2, ui->css_3, ui->css_4, ui->css_5, ui->css_6};
    return fields[slot - 1];
}

void StylePage::showCss(int slot, const std::string& css) {
    QLineEdit* field = cssField(slot);
    field->setText(toQString(css));
    field->setCursorPosition(0);  // a long declaration shows its beginning
}

void StylePage::refresh() {
    refreshStyleTexts();
    refreshSizes();
}

void StylePage::refreshStyleTexts() {
    for (int slot = 1; slot <= 6; ++slot) showCss(slot, styleToCss(styleOfSlot(scheme_, slot)));
}

void StylePage::refreshSizes() {
    ui->UpDown2->setValue(scheme_.kinds[0].height);
    kindSide_[0] = 0;
    ui->ComboBox1->setCurrentIndex(0);
    ui->UpDown3->setValue(scheme_.kinds[0].padding[0]);
    ui->UpDown4->setValue(scheme_.kinds[1].height);
    kindSide_[1] = 0;
    ui->ComboBox2->setCurrentIndex(0);
    ui->UpDown5->setValue(scheme_.kinds[1].padding[0]);
}

void StylePage::cssClick(int slot) {
    CssStyleDialog dialog(prompter_, window());
    dialog.LoadStyle(styleOfSlot(scheme_, slot));
    if (prompter_.runDialog(dialog) != QDialog::Accepted) return;
    styleOfSlot(scheme_, slot) = dialog.workStyle();
    showCss(slot, dialog.cssText());
    markModified_();
}

void StylePage::sideChange(int kind) {
    QComboBox* selector = kind == 0 ? ui->ComboBox1 : ui->ComboBox2;
    StepSpinBox* spin = kind == 0 ? ui->UpDown3 : ui->UpDown5;
    auto& padding = scheme_.kinds[static_cast<size_t>(kind)].padding;
    // The side shown until now already holds its value: every step stored it.
    // Reading it back from the field would cut a value from a file that lies
    // outside the spinner's range to the range's end.
    kindSide_[static_cast<size_t>(kind)] = std::clamp(selector->currentIndex(), 0, 3);
    spin->setValue(padding[static_cast<size_t>(kindSide_[static_cast<size_t>(kind)])]);
}

void StylePage::heightChanging(int kind, int newValue) {
    scheme_.kinds[static_cast<size_t>(kind)].height = std::clamp(newValue, 0, 50);
    markModified_();
}

void StylePage::paddingChanging(int kind, int newValue) {
    const QComboBox* selector = kind == 0 ? ui->ComboBox1 : ui->ComboBox2;
    const int side = std::clamp(selector->currentIndex(), 0, 3);
    scheme_.kinds[static_cast<size_t>(kind)].padding[static_cast<size_t>(side)] = std::clamp(newValue, 0, 50);
    markModified_();
}

bool StylePage::eventFilter(QObject* watched, QEvent* event) {
    for (int slot = 1; slot <= 6; ++slot) {
        QLineEdit* field = cssField(slot);
        if (watched != field) continue;
        if (event->type() == QEvent::KeyPress) {
            // The keyboard way to the same dialog: Enter or Space on the focused field.
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) {
                cssClick(slot);
                return true;
            }
        } else if (event->type() == QEvent::MouseButtonPress &&
                   static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            pressedField_ = field;
        } else if (event->type() == QEvent::MouseButtonRelease &&
                   static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            const bool click = pressedField_ == field &&
                               field->rect().contains(static_cast<QMouseEvent*>(event)->position().toPoint());
            pressedField_ = nullptr;
            if (click) {
                QWidget::eventFilter(watched, event);
                cssClick(slot);
                return true;
            }
        }
        break;
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace sylvanode

// SPDX-License-Identifier: MIT
#include "ui/main/style_page.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <algorithm>
#include <cmath>

#include <QScopedValueRollback>

#include "codegen/script_text.h"
#include "document/item_edits.h"
#include "model/menu_scheme.h"
#include "ui/common/prompter.h"
#include "document/text_codec.h"
#include "ui/dialogs/css_style_dialog.h"
#include "ui/dialogs/desktop_colors.h"
#include "ui_style_page.h"

namespace sylvanode {
namespace {

double luminance(const QColor& c) {
    const auto channel = [](double v) {
        return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    const QColor rgb = c.toRgb();
    return 0.2126 * channel(rgb.redF()) + 0.7152 * channel(rgb.greenF()) + 0.0722 * channel(rgb.blueF());
}

// Steps of one spinner merge into one undo step: a key per kind, height and padding side.
int heightKey(int kind) { return 1 + kind; }
int paddingKey(int kind, int side) { return 3 + kind * 4 + side; }

template <class Kinds>
auto& styleOfSlot(Kinds& kinds, int slot) {
    const int i = slot - 1;
    return kinds[static_cast<size_t>(i / 3)].styles[static_cast<size_t>(i % 3)];
}

}  // namespace

double contrastRatio(const QColor& a, const QColor& b) {
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

StylePage::StylePage(SchemeDocument& document, Prompter& prompter, QWidget* parent)
    : QWidget(parent), ui(std::make_unique<Ui::StylePage>()), document_(document), prompter_(prompter) {
    ui->setupUi(this);
    setObjectName(QStringLiteral("stylePage"));
    styleFields_ = {ui->folderNormalStyle, ui->folderHoverStyle, ui->folderSelectStyle,
                    ui->fileNormalStyle,   ui->fileHoverStyle,   ui->fileSelectStyle};
    const std::pair<StepSpinBox*, const char*> spins[] = {{ui->folderHeightSpin, "folderHeightEdit"},
                                                          {ui->folderPaddingSpin, "folderPaddingEdit"},
                                                          {ui->fileHeightSpin, "fileHeightEdit"},
                                                          {ui->filePaddingSpin, "filePaddingEdit"}};
    for (const auto& [spin, fieldName] : spins) {
        spin->findChild<QLineEdit*>()->setObjectName(QString::fromLatin1(fieldName));
        spin->setRange(0, 50);
        spin->setValue(0);
    }
    for (int slot = 1; slot <= 6; ++slot) {
        QLineEdit* field = styleField(slot);
        field->setCursor(Qt::PointingHandCursor);
        field->installEventFilter(this);
    }
    paintReadOnlyFields();
    ui->folderPaddingSide->setCurrentIndex(0);
    ui->filePaddingSide->setCurrentIndex(0);

    // Only the user's choice runs the side handler; refresh() sets the entries silently.
    connect(ui->folderPaddingSide, &QComboBox::activated, this, [this] { showPaddingSide(0); });
    connect(ui->filePaddingSide, &QComboBox::activated, this, [this] { showPaddingSide(1); });
    connect(ui->folderHeightSpin, &StepSpinBox::changing, this, [this](int v) { applyHeight(0, v); });
    connect(ui->folderPaddingSpin, &StepSpinBox::changing, this, [this](int v) { applyPadding(0, v); });
    connect(ui->fileHeightSpin, &StepSpinBox::changing, this, [this](int v) { applyHeight(1, v); });
    connect(ui->filePaddingSpin, &StepSpinBox::changing, this, [this](int v) { applyPadding(1, v); });

    connect(&document_, &SchemeDocument::optionsChanged, this, [this](DocumentPart part) {
        if (part != DocumentPart::Styles) return;
        refreshStyleTexts();
        if (!applying_) refreshValues();
    });
    connect(&document_, &SchemeDocument::replaced, this, &StylePage::refresh);
    refresh();
}

void StylePage::change(const QString& stepName, int mergeKey,
                       const std::function<void(std::array<KindStyle, 2>&)>& edit) {
    if (refreshing_) return;
    SchemeOptions after = optionsOf(document_.scheme());
    edit(after.kinds);
    // A spinner shows its step only after reporting it: the page must not set it meanwhile.
    const QScopedValueRollback<bool> applying(applying_, true);
    changeOptions(document_, DocumentPart::Styles, stepName, mergeKey, after);
}

StylePage::~StylePage() = default;

void StylePage::paintReadOnlyFields() {
    for (StepSpinBox* spin :
         {ui->folderHeightSpin, ui->folderPaddingSpin, ui->fileHeightSpin, ui->filePaddingSpin})
        paintReadOnlyField(spin);
    for (int slot = 1; slot <= 6; ++slot) {
        QLineEdit* field = styleField(slot);
        paintReadOnlyField(field);
        // The declarations in the desktop's colour, unless that is hard to read on the grey
        // (a dark palette): then in the palette's own text colour.
        QPalette pal = field->palette();
        const QColor desktop = desktopColor(kDesktopBackgroundIndex);
        pal.setColor(QPalette::Text, contrastRatio(desktop, pal.color(QPalette::Base)) >= 3.0
                                         ? desktop
                                         : QApplication::palette().color(QPalette::Text));
        field->setPalette(pal);
    }
}

void StylePage::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::PaletteChange) paintReadOnlyFields();
}

QLineEdit* StylePage::styleField(int slot) const { return styleFields_[static_cast<size_t>(slot - 1)]; }

void StylePage::showCss(int slot, const std::string& css) {
    QLineEdit* field = styleField(slot);
    field->setText(toQString(css));
    field->setCursorPosition(0);  // a long declaration shows its beginning
}

void StylePage::refresh() {
    refreshStyleTexts();
    refreshSizes();
}

void StylePage::refreshStyleTexts() {
    for (int slot = 1; slot <= 6; ++slot) showCss(slot, styleToCss(styleOfSlot(document_.scheme().kinds, slot)));
}

void StylePage::refreshSizes() {
    const QScopedValueRollback<bool> refreshing(refreshing_, true);
    const auto& kinds = document_.scheme().kinds;
    ui->folderHeightSpin->setValue(kinds[0].height);
    kindSide_[0] = 0;
    ui->folderPaddingSide->setCurrentIndex(0);
    ui->folderPaddingSpin->setValue(kinds[0].padding[0]);
    ui->fileHeightSpin->setValue(kinds[1].height);
    kindSide_[1] = 0;
    ui->filePaddingSide->setCurrentIndex(0);
    ui->filePaddingSpin->setValue(kinds[1].padding[0]);
}

void StylePage::refreshValues() {
    const QScopedValueRollback<bool> refreshing(refreshing_, true);
    const auto& kinds = document_.scheme().kinds;
    ui->folderHeightSpin->setValue(kinds[0].height);
    ui->folderPaddingSpin->setValue(kinds[0].padding[static_cast<size_t>(kindSide_[0])]);
    ui->fileHeightSpin->setValue(kinds[1].height);
    ui->filePaddingSpin->setValue(kinds[1].padding[static_cast<size_t>(kindSide_[1])]);
}

void StylePage::editStyle(int slot) {
    CssStyleDialog dialog(prompter_, window());
    dialog.loadStyle(styleOfSlot(document_.scheme().kinds, slot));
    if (prompter_.runDialog(dialog) != QDialog::Accepted) return;
    const CssStyle chosen = dialog.workStyle();
    change(tr("修改样式"), -1, [&](std::array<KindStyle, 2>& kinds) { styleOfSlot(kinds, slot) = chosen; });
}

void StylePage::showPaddingSide(int kind) {
    QComboBox* selector = kind == 0 ? ui->folderPaddingSide : ui->filePaddingSide;
    StepSpinBox* spin = kind == 0 ? ui->folderPaddingSpin : ui->filePaddingSpin;
    const auto& padding = document_.scheme().kinds[static_cast<size_t>(kind)].padding;
    // The side shown until now already holds its value: every step stored it. Reading it
    // back from the field would cut a value from a file that lies outside the spinner's
    // range to the range's end.
    kindSide_[static_cast<size_t>(kind)] = std::clamp(selector->currentIndex(), 0, 3);
    const QScopedValueRollback<bool> refreshing(refreshing_, true);
    spin->setValue(padding[static_cast<size_t>(kindSide_[static_cast<size_t>(kind)])]);
}

void StylePage::applyHeight(int kind, int newValue) {
    change(tr("修改高度"), heightKey(kind), [&](std::array<KindStyle, 2>& kinds) {
        kinds[static_cast<size_t>(kind)].height = std::clamp(newValue, 0, 50);
    });
}

void StylePage::applyPadding(int kind, int newValue) {
    const QComboBox* selector = kind == 0 ? ui->folderPaddingSide : ui->filePaddingSide;
    const int side = std::clamp(selector->currentIndex(), 0, 3);
    change(tr("修改边距"), paddingKey(kind, side), [&](std::array<KindStyle, 2>& kinds) {
        kinds[static_cast<size_t>(kind)].padding[static_cast<size_t>(side)] = std::clamp(newValue, 0, 50);
    });
}

bool StylePage::eventFilter(QObject* watched, QEvent* event) {
    for (int slot = 1; slot <= 6; ++slot) {
        QLineEdit* field = styleField(slot);
        if (watched != field) continue;
        if (event->type() == QEvent::KeyPress) {
            // The keyboard way to the same dialog: Enter or Space on the focused field.
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) {
                editStyle(slot);
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
                editStyle(slot);
                return true;
            }
        }
        break;
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace sylvanode

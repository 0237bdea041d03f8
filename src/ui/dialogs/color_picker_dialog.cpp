// SPDX-License-Identifier: MIT
#include "ui/dialogs/color_picker_dialog.h"

#include <QApplication>
#include <QGuiApplication>
#include <QLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <algorithm>

#include "document/text_codec.h"
#include "ui/dialogs/desktop_colors.h"
#include "ui/dialogs/eyedropper.h"
#include "ui/dialogs/form_font.h"
#include "ui_color_picker_dialog.h"

using namespace sylvanode;

namespace {

constexpr ColorValue kSystemBase = static_cast<ColorValue>(0x80000000u);

QIcon swatch(const QColor& color) {
    QPixmap pix(20, 12);
    pix.fill(color);
    QPainter p(&pix);
    p.setPen(Qt::black);
    p.drawRect(0, 0, pix.width() - 1, pix.height() - 1);
    return QIcon(pix);
}

}  // namespace

ColorPickerDialog::ColorPickerDialog(QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::ColorPickerDialog>()) {
    ui->setupUi(this);
    setFont(formFont());
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    ui->eyedropperButton->setIcon(eyedropperGlyph());
    ui->eyedropperButton->setToolTip(tr("屏幕取色"));
    ui->eyedropperButton->installEventFilter(this);
    // The two pages keep their place while the other one is shown.
    for (QWidget* page : {ui->systemColorPage, ui->rgbPage}) {
        QSizePolicy policy = page->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        page->setSizePolicy(policy);
    }
    ui->rgbPage->setVisible(false);

    // A click counts also on the entry already selected (after typing on the RGB page,
    // it brings the system colour back); arrow keys move the selection.
    connect(ui->colorList, &QListWidget::currentRowChanged, this, [this] { showListColor(); });
    connect(ui->colorList, &QListWidget::itemClicked, this, [this] { showListColor(); });
    connect(ui->systemColorRadio, &QRadioButton::clicked, this, [this] { showSystemColors(); });
    connect(ui->rgbRadio, &QRadioButton::clicked, this, [this] { showRgbEntry(); });
    connect(ui->rgb, &QLineEdit::textChanged, this, [this] { showTypedColor(); });
    connect(ui->okButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(ui->cancelButton, &QPushButton::clicked, this, &QDialog::reject);

    fillColorList();
    // The list takes whatever height the note leaves; the note keeps room for three lines.
    ui->colorList->setMinimumHeight(72);
    ui->colorList->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Ignored);
    ui->systemColorNote->setFixedHeight(3 * ui->systemColorNote->fontMetrics().lineSpacing() + 2);
    setFixedSize(minimumSizeHint().expandedTo(QSize(448, 230)));
}

ColorPickerDialog::~ColorPickerDialog() {
    if (picking_) stopPicking();
}

void ColorPickerDialog::fillColorList() {
    const SystemColor* colors = systemColors();
    for (int row = 0; row < kSystemColorCount; ++row) {
        auto* item = new QListWidgetItem(swatch(desktopColor(colors[row].index)),
                                         QString::fromLatin1(colors[row].cssName));
        ui->colorList->addItem(item);
    }
    ui->colorList->setCurrentRow(0);
    showListColor();
}

void ColorPickerDialog::setPanel(ColorValue value, const QString& caption) {
    ui->colorPanel->showColor(value, caption);
}

ColorValue ColorPickerDialog::panelValue() const { return ui->colorPanel->colorValue(); }

void ColorPickerDialog::showListColor() {
    const int row = ui->colorList->currentRow();
    if (row < 0 || row >= kSystemColorCount) return;
    const SystemColor& c = systemColors()[row];
    setPanel(kSystemBase + c.index, QString::fromLatin1(c.cssName));
}

void ColorPickerDialog::showSystemColors() {
    ui->systemColorPage->setVisible(ui->systemColorRadio->isChecked());
    ui->rgbPage->setVisible(!ui->systemColorPage->isVisibleTo(this));
}

void ColorPickerDialog::showRgbEntry() {
    ui->rgbPage->setVisible(ui->rgbRadio->isChecked());
    ui->systemColorPage->setVisible(!ui->rgbPage->isVisibleTo(this));
}

void ColorPickerDialog::showTypedColor() {
    const QString text = ui->rgb->text();
    // Unreadable text (only a paste can bring it) shows black.
    const ParsedColor parsed = parseColorText(toSchemeBytes(text));
    setPanel(parsed.ok ? parsed.value : 0, text);
}

void ColorPickerDialog::startPicking() {
    picking_ = true;
    // The dialog takes every mouse move and the release, wherever the pointer goes.
    grabMouse(eyedropperCursor());
}

void ColorPickerDialog::pickAt(const QPoint& globalPos) {
    if (!picking_ || QWidget::mouseGrabber() != this) return;
    const QColor pixel = screenPixel(globalPos);
    if (!pixel.isValid()) return;
    const ColorValue value = valueFromColor(pixel);
    setPanel(value, QString::fromLatin1(colorToHexText(value).c_str()));
}

void ColorPickerDialog::stopPicking() {
    if (QWidget::mouseGrabber() == this) releaseMouse();
    picking_ = false;
}

QColor ColorPickerDialog::screenPixel(const QPoint& globalPos) {
    if (QScreen* screen = QGuiApplication::screenAt(globalPos)) {
        const QPoint local = globalPos - screen->geometry().topLeft();
        const QPixmap shot = screen->grabWindow(0, local.x(), local.y(), 1, 1);
        if (!shot.isNull()) {
            const QImage image = shot.toImage();
            if (image.width() > 0 && image.height() > 0) return image.pixelColor(0, 0);
        }
    }
    if (QWidget* under = QApplication::widgetAt(globalPos)) {
        QWidget* top = under->window();
        const QPixmap shot = top->grab(QRect(top->mapFromGlobal(globalPos), QSize(1, 1)));
        if (!shot.isNull()) {
            const QImage image = shot.toImage();
            if (image.width() > 0 && image.height() > 0) return image.pixelColor(0, 0);
        }
    }
    return {};
}

bool ColorPickerDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ui->eyedropperButton && event->type() == QEvent::MouseButtonPress) {
        startPicking();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void ColorPickerDialog::mouseMoveEvent(QMouseEvent* event) {
    pickAt(event->globalPosition().toPoint());
    QDialog::mouseMoveEvent(event);
}

void ColorPickerDialog::mouseReleaseEvent(QMouseEvent* event) {
    if (picking_) stopPicking();
    QDialog::mouseReleaseEvent(event);
}

std::string ColorPickerDialog::resultText() const {
    // A system colour of the list keeps its identifier, which a page shows as a CSS system
    // colour. Every other colour is six digits, on whichever page OK was pressed: an RGB
    // colour typed or picked and then taken from the system page included (a basic-colour
    // identifier or "0x" digits would mean nothing to a browser and be dropped on loading).
    const ColorValue value = panelValue();
    if (ui->systemColorRadio->isChecked())
        for (int row = 0; row < kSystemColorCount; ++row)
            if (value == kSystemBase + systemColors()[row].index) return systemColors()[row].identifier;
    return colorToHexText(value);
}

#include "ui/dialogs/color_picker_dialog.h"

#include <QApplication>
#include <QGuiApplication>
#include <QLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <algorithm>

#include "ui/common/text_codec.h"
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

ColorPickerDialog::ColorPickerDialog(QWidget* parent) : QDialog(parent), ui(std::make_unique<Ui::ColorPickerDialog>()) {
    ui->setupUi(this);
    setFont(formFont());
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    ui->Button1->setIcon(eyedropperGlyph());
    ui->Button1->setToolTip(tr("屏幕取色"));
    ui->Button1->installEventFilter(this);
    // The two pages keep their place while the other one is shown.
    for (QWidget* page : {ui->Panel1, ui->Panel2}) {
        QSizePolicy policy = page->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        page->setSizePolicy(policy);
    }
    ui->Panel2->setVisible(false);

    // A click counts also on the entry already selected (after typing on the RGB page,
    // it brings the system colour back); arrow keys move the selection.
    connect(ui->colorList, &QListWidget::currentRowChanged, this, [this] { colorListClick(); });
    connect(ui->colorList, &QListWidget::itemClicked, this, [this] { colorListClick(); });
    connect(ui->RadioButton1, &QRadioButton::clicked, this, [this] { RadioButton1Click(); });
    connect(ui->RadioButton2, &QRadioButton::clicked, this, [this] { RadioButton2Click(); });
    connect(ui->rgb, &QLineEdit::textChanged, this, [this] { rgbChange(); });
    connect(ui->OKBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(ui->CancelBtn, &QPushButton::clicked, this, &QDialog::reject);

    FormCreate();
    // The list takes whatever height the note leaves; the note keeps room for three lines.
    ui->colorList->setMinimumHeight(72);
    ui->colorList->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Ignored);
    ui->Label1->setFixedHeight(3 * ui->Label1->fontMetrics().lineSpacing() + 2);
    setFixedSize(minimumSizeHint().expandedTo(QSize(448, 230)));
}

ColorPickerDialog::~ColorPickerDialog() {
    if (picking_) FormMouseUp();
}

void ColorPickerDialog::FormCreate() {
    const SystemColor* colors = systemColors();
    for (int row = 0; row < kSystemColorCount; ++row) {
        auto* item = new QListWidgetItem(swatch(desktopColor(colors[row].index)),
                                         QString::fromLatin1(colors[row].cssName));
        ui->colorList->addItem(item);
    }
    ui->colorList->setCurrentRow(0);
    colorListClick();
}

void ColorPickerDialog::setPanel(ColorValue value, const QString& caption) {
    ui->colorPanel->showColor(value, caption);
}

ColorValue ColorPickerDialog::panelValue() const { return ui->colorPanel->colorValue(); }

void ColorPickerDialog::colorListClick() {
    const int row = ui->colorList->currentRow();
    if (row < 0 || row >= kSystemColorCount) return;
    const SystemColor& c = systemColors()[row];
    setPanel(kSystemBase + c.index, QString::fromLatin1(c.cssName));
}

void ColorPickerDialog::RadioButton1Click() {
    ui->Panel1->setVisible(ui->RadioButton1->isChecked());
    ui->Panel2->setVisible(!ui->Panel1->isVisibleTo(this));
}

void ColorPickerDialog::RadioButton2Click() {
    ui->Panel2->setVisible(ui->RadioButton2->isChecked());
    ui->Panel1->setVisible(!ui->Panel2->isVisibleTo(this));
}

void ColorPickerDialog::rgbChange() {
    const QString text = ui->rgb->text();
    // Unreadable text (only a paste can bring it) shows black.
    const ParsedColor parsed = parseColorText(toSchemeBytes(text));
    setPanel(parsed.ok ? parsed.value : 0, text);
}

void ColorPickerDialog::Button1MouseDown() {
    picking_ = true;
    // The dialog takes every mouse move and the release, wherever the pointer goes.
    grabMouse(eyedropperCursor());
}

void ColorPickerDialog::FormMouseMove(const QPoint& globalPos) {
    if (!picking_ || QWidget::mouseGrabber() != this) return;
    const QColor pixel = screenPixel(globalPos);
    if (!pixel.isValid()) return;
    const ColorValue value = valueFromColor(pixel);
    setPanel(value, QString::fromLatin1(colorToHexText(value).c_str()));
}

void ColorPickerDialog::FormMouseUp() {
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
    if (watched == ui->Button1 && event->type() == QEvent::MouseButtonPress) {
        Button1MouseDown();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void ColorPickerDialog::mouseMoveEvent(QMouseEvent* event) {
    FormMouseMove(event->globalPosition().toPoint());
    QDialog::mouseMoveEvent(event);
}

void ColorPickerDialog::mouseReleaseEvent(QMouseEvent* event) {
    if (picking_) FormMouseUp();
    QDialog::mouseReleaseEvent(event);
}

std::string ColorPickerDialog::ResultText() const {
    if (ui->RadioButton1->isChecked()) return colorToString(panelValue());
    return colorToHexText(panelValue());
}

// SPDX-License-Identifier: MIT
#include "ui/dialogs/color_panel.h"

#include <QMouseEvent>

#include "ui/dialogs/desktop_colors.h"

namespace sylvanode {

ColorPanel::ColorPanel(QWidget* parent) : QLabel(parent) {
    setAutoFillBackground(true);
    setAlignment(Qt::AlignCenter);
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    showColor(0, QString());
}

void ColorPanel::setClickable(bool on) {
    clickable_ = on;
    if (on)
        setCursor(Qt::PointingHandCursor);
    else
        unsetCursor();
}

void ColorPanel::showColor(ColorValue value, const QString& caption) {
    value_ = value;
    QPalette pal = palette();
    pal.setColor(QPalette::Window, colorFromValue(value));
    pal.setColor(QPalette::WindowText, contrastColor(value));
    setPalette(pal);
    setText(caption);
}

void ColorPanel::mousePressEvent(QMouseEvent* event) {
    pressed_ = clickable_ && event->button() == Qt::LeftButton;
    QLabel::mousePressEvent(event);
}

void ColorPanel::mouseReleaseEvent(QMouseEvent* event) {
    const bool wasPressed = pressed_;
    pressed_ = false;
    QLabel::mouseReleaseEvent(event);
    if (wasPressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        Q_EMIT clicked();
}

}  // namespace sylvanode

// SPDX-License-Identifier: MIT
#pragma once

#include <QDialog>
#include <memory>
#include <string>

#include "model/colors.h"

namespace Ui {
class ColorPickerDialog;
}

// "选择颜色": one of the 22 desktop system colours, or an RGB colour typed as
// hexadecimal digits or picked from the screen. The result is colour text.
class ColorPickerDialog : public QDialog {
    Q_OBJECT
public:
    explicit ColorPickerDialog(QWidget* parent = nullptr);
    ~ColorPickerDialog() override;

    // The chosen colour as colour text; read after OK.
    std::string resultText() const;
    // The value of colorPanel, from which the result is computed.
    sylvanode::ColorValue panelValue() const;
    bool isPicking() const { return picking_; }

    void showListColor();
    void showSystemColors();
    void showRgbEntry();
    void showTypedColor();
    void startPicking();
    void pickAt(const QPoint& globalPos);
    void stopPicking();

    // The colour of the screen pixel at a global position. Where the platform
    // refuses to read the screen, the program's own windows are still read.
    static QColor screenPixel(const QPoint& globalPos);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void fillColorList();
    void setPanel(sylvanode::ColorValue value, const QString& caption);

    std::unique_ptr<Ui::ColorPickerDialog> ui;
    bool picking_ = false;
};

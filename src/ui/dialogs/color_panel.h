// SPDX-License-Identifier: MIT
#pragma once

#include <QLabel>

#include "model/colors.h"

namespace sylvanode {

// A sunken panel that shows one colour with a caption drawn in the contrast
// colour; clickable, with a hand pointer when `clickable` is set.
class ColorPanel : public QLabel {
    Q_OBJECT
public:
    explicit ColorPanel(QWidget* parent = nullptr);

    void setClickable(bool on);
    // Panel colour from a colour value, caption in its contrast colour.
    void showColor(ColorValue value, const QString& caption);
    ColorValue colorValue() const { return value_; }

Q_SIGNALS:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    ColorValue value_ = 0;
    bool clickable_ = false;
    bool pressed_ = false;
};

}  // namespace sylvanode

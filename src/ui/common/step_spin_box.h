// SPDX-License-Identifier: MIT
#pragma once

#include <QSpinBox>

namespace sylvanode {

// A read-only number field with spin buttons that reports every step request with
// the value it is about to take, also at the ends of the range (where the shown
// value then stays put). Handlers clamp the reported value themselves.
class StepSpinBox : public QSpinBox {
    Q_OBJECT
public:
    explicit StepSpinBox(QWidget* parent = nullptr);

    void stepBy(int steps) override;

Q_SIGNALS:
    // Emitted before the value changes; `newValue` may lie outside the range.
    void changing(int newValue);

protected:
    StepEnabled stepEnabled() const override;
};

}  // namespace sylvanode

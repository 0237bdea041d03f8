// SPDX-License-Identifier: MIT
#include "ui/common/step_spin_box.h"

#include <QLineEdit>
#include <algorithm>
#include <limits>

namespace sylvanode {

StepSpinBox::StepSpinBox(QWidget* parent) : QSpinBox(parent) {
    // The field only shows the value; the buttons, keys and wheel change it.
    lineEdit()->setReadOnly(true);
    setWrapping(false);
}

void StepSpinBox::stepBy(int steps) {
    const long long wanted = static_cast<long long>(value()) + static_cast<long long>(steps) * singleStep();
    const long long lo = std::numeric_limits<int>::min();
    const long long hi = std::numeric_limits<int>::max();
    Q_EMIT changing(static_cast<int>(std::clamp(wanted, lo, hi)));
    QSpinBox::stepBy(steps);
}

QAbstractSpinBox::StepEnabled StepSpinBox::stepEnabled() const {
    // Both buttons stay live at the ends so a request there is still reported.
    return isEnabled() ? (StepUpEnabled | StepDownEnabled) : StepNone;
}

}  // namespace sylvanode

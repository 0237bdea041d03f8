// SPDX-License-Identifier: MIT
#pragma once

#include <QColor>

#include "model/colors.h"

class QWidget;

namespace sylvanode {

// The desktop colour a system-colour index (the index column of the system
// colour table) stands for, taken from the application's current palette.
QColor desktopColor(int systemIndex);

// Screen colour of a colour value: 0x00BBGGRR as RGB, a negative value as the
// desktop colour of its system-colour index.
QColor colorFromValue(ColorValue value);

// The caption colour on a panel of `value`: green byte inverted, top byte
// cleared, a system-colour value taken as a plain number.
QColor contrastColor(ColorValue value);

// 0x00BBGGRR of a screen colour.
ColorValue valueFromColor(const QColor& color);

// Grey background of the read-only fields (the inactive-border colour).
void paintReadOnlyField(QWidget* field);

inline constexpr int kInactiveBorderIndex = 11;
inline constexpr int kDesktopBackgroundIndex = 1;

}  // namespace sylvanode

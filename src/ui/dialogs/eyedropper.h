// SPDX-License-Identifier: MIT
#pragma once

#include <QCursor>
#include <QIcon>
#include <QPixmap>

namespace sylvanode {

// Our own 16 x 16 pipette drawing; its tip is at column 1, row 14.
QPixmap eyedropperPixmap();
// The screen-picking pointer, hot spot on the pipette's tip.
QCursor eyedropperCursor();
inline constexpr int kEyedropperHotX = 1;
inline constexpr int kEyedropperHotY = 14;
// Button glyph: the pipette with three dots.
QIcon eyedropperGlyph();

}  // namespace sylvanode

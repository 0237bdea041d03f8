// SPDX-License-Identifier: MIT
#pragma once

#include <QFont>

namespace sylvanode {

// The forms' font: 宋体 (SimSun) at 13 pixels, with the CJK fonts a Linux desktop
// usually has in its place.
QFont formFont();

}  // namespace sylvanode

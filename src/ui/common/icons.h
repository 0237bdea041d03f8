// SPDX-License-Identifier: MIT
#pragma once

#include <QIcon>

namespace sylvanode {

// Makes the resources of the ui library available (needed once; it is a static library).
void initUiResources();

// Our own picture ":/icons/<name>.svg".
QIcon ownIcon(const char* name);
// A freedesktop theme icon when the desktop has one, else our own picture.
QIcon themeIcon(const char* themeName, const char* fallbackName);

}  // namespace sylvanode

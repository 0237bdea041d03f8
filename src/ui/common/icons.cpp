// SPDX-License-Identifier: MIT
#include "ui/common/icons.h"

#include <QString>

static void initIconsResource() {
    Q_INIT_RESOURCE(icons);
    Q_INIT_RESOURCE(preview);
}

namespace sylvanode {

void initUiResources() {
    static const bool done = (initIconsResource(), true);
    (void)done;
}

QIcon ownIcon(const char* name) {
    initUiResources();
    return QIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(name)));
}

QIcon themeIcon(const char* themeName, const char* fallbackName) {
    return QIcon::fromTheme(QLatin1String(themeName), ownIcon(fallbackName));
}

}  // namespace sylvanode

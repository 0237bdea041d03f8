// SPDX-License-Identifier: MIT
#include "ui/dialogs/form_font.h"

#include <QStringList>

namespace sylvanode {

QFont formFont() {
    QFont font;
    font.setFamilies({QStringLiteral("宋体"), QStringLiteral("SimSun"), QStringLiteral("WenQuanYi Micro Hei"),
                      QStringLiteral("Noto Sans CJK SC")});
    font.setPixelSize(13);
    return font;
}

}  // namespace sylvanode

#include "ui/dialogs/desktop_colors.h"

#include <QApplication>
#include <QPalette>
#include <QWidget>

namespace sylvanode {

QColor desktopColor(int systemIndex) {
    const QPalette pal = QApplication::palette();
    using P = QPalette;
    switch (systemIndex) {
        case 0: return pal.color(P::Active, P::Button);              // scroll bar
        case 1: return pal.color(P::Active, P::Highlight).darker(120);  // desktop background
        case 2: return pal.color(P::Active, P::Highlight);           // active caption
        case 3: return pal.color(P::Active, P::Mid);                 // inactive caption
        case 4: return pal.color(P::Active, P::Window);              // menu
        case 5: return pal.color(P::Active, P::Base);                // window
        case 6: return pal.color(P::Active, P::Shadow);              // window frame
        case 7: return pal.color(P::Active, P::WindowText);          // menu text
        case 8: return pal.color(P::Active, P::Text);                // window text
        case 9: return pal.color(P::Active, P::HighlightedText);     // caption text
        case 10: return pal.color(P::Active, P::Window);             // active border
        case 11: return pal.color(P::Inactive, P::Window);           // inactive border
        case 12: return pal.color(P::Active, P::Mid);                // application work space
        case 13: return pal.color(P::Active, P::Highlight);
        case 14: return pal.color(P::Active, P::HighlightedText);
        case 15: return pal.color(P::Active, P::Button);             // button face
        case 16: return pal.color(P::Active, P::Dark);               // button shadow
        case 17: return pal.color(P::Disabled, P::WindowText);       // grey text
        case 18: return pal.color(P::Active, P::ButtonText);
        case 19: return pal.color(P::Active, P::Midlight);           // inactive caption text
        case 20: return pal.color(P::Active, P::Light);              // button highlight
        case 21: return pal.color(P::Active, P::Shadow);             // 3D dark shadow
        case 22: return pal.color(P::Active, P::Midlight);           // 3D light
        case 23: return pal.color(P::Active, P::ToolTipText);        // info text
        case 24: return pal.color(P::Active, P::ToolTipBase);        // info background
        default: return QColor(Qt::black);
    }
}

QColor colorFromValue(ColorValue value) {
    const auto v = static_cast<uint32_t>(value);
    if (value < 0) return desktopColor(static_cast<int>(v & 0xFF));
    return QColor(static_cast<int>(v & 0xFF), static_cast<int>((v >> 8) & 0xFF),
                  static_cast<int>((v >> 16) & 0xFF));
}

QColor contrastColor(ColorValue value) {
    const uint32_t c = (static_cast<uint32_t>(value) ^ 0xFF00u) & 0xFFFFFFu;
    return QColor(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF),
                  static_cast<int>((c >> 16) & 0xFF));
}

ColorValue valueFromColor(const QColor& color) {
    const QColor rgb = color.toRgb();
    return static_cast<ColorValue>(static_cast<uint32_t>(rgb.red()) |
                                   (static_cast<uint32_t>(rgb.green()) << 8) |
                                   (static_cast<uint32_t>(rgb.blue()) << 16));
}

void paintReadOnlyField(QWidget* field) {
    QPalette pal = field->palette();
    const QColor grey = desktopColor(kInactiveBorderIndex);
    pal.setColor(QPalette::Base, grey);
    pal.setColor(QPalette::Window, grey);
    field->setPalette(pal);
}

}  // namespace sylvanode

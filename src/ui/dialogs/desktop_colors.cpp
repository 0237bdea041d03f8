// SPDX-License-Identifier: MIT
#include "ui/dialogs/desktop_colors.h"

#include <QApplication>
#include <QPalette>
#include <QWidget>
#include <iterator>

namespace sylvanode {

namespace {

struct PaletteEntry {
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
};

// System-colour index -> the palette entry that plays the same part on this desktop.
// clang-format off
constexpr PaletteEntry kDesktopEntries[] = {
    {QPalette::Active,   QPalette::Button},           //  0 scroll bar
    {QPalette::Active,   QPalette::Highlight},        //  1 desktop background (darkened below)
    {QPalette::Active,   QPalette::Highlight},        //  2 active caption
    {QPalette::Active,   QPalette::Mid},              //  3 inactive caption
    {QPalette::Active,   QPalette::Window},           //  4 menu
    {QPalette::Active,   QPalette::Base},             //  5 window
    {QPalette::Active,   QPalette::Shadow},           //  6 window frame
    {QPalette::Active,   QPalette::WindowText},       //  7 menu text
    {QPalette::Active,   QPalette::Text},             //  8 window text
    {QPalette::Active,   QPalette::HighlightedText},  //  9 caption text
    {QPalette::Active,   QPalette::Window},           // 10 active border
    {QPalette::Inactive, QPalette::Window},           // 11 inactive border
    {QPalette::Active,   QPalette::Mid},              // 12 application work space
    {QPalette::Active,   QPalette::Highlight},        // 13 highlight
    {QPalette::Active,   QPalette::HighlightedText},  // 14 highlight text
    {QPalette::Active,   QPalette::Button},           // 15 button face
    {QPalette::Active,   QPalette::Dark},             // 16 button shadow
    {QPalette::Disabled, QPalette::WindowText},       // 17 grey text
    {QPalette::Active,   QPalette::ButtonText},       // 18 button text
    {QPalette::Active,   QPalette::Midlight},         // 19 inactive caption text
    {QPalette::Active,   QPalette::Light},            // 20 button highlight
    {QPalette::Active,   QPalette::Shadow},           // 21 3D dark shadow
    {QPalette::Active,   QPalette::Midlight},         // 22 3D light
    {QPalette::Active,   QPalette::ToolTipText},      // 23 info text
    {QPalette::Active,   QPalette::ToolTipBase},      // 24 info background
};
// clang-format on

}  // namespace

QColor desktopColor(int systemIndex) {
    if (systemIndex < 0 || systemIndex >= static_cast<int>(std::size(kDesktopEntries)))
        return QColor(Qt::black);
    const PaletteEntry& e = kDesktopEntries[systemIndex];
    const QColor c = QApplication::palette().color(e.group, e.role);
    // The desktop is a darker shade than selections, so text on it stays readable.
    return systemIndex == kDesktopBackgroundIndex ? c.darker(120) : c;
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

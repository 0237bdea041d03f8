// SPDX-License-Identifier: MIT
#include "ui/dialogs/eyedropper.h"

#include <QImage>
#include <QPainter>

namespace sylvanode {
namespace {

// The pipette, pixel by pixel: '#' outline and bulb, 'o' glass, tip at (1,14).
constexpr const char* kPipette[16] = {
    "................",  //
    "...........##...",  //
    "..........####..",  //
    "..........#####.",  //
    "........#.####..",  //
    ".........#.##...",  //
    "........#o#.#...",  //
    ".......#ooo#....",  //
    "......#ooo#.....",  //
    ".....#ooo#......",  //
    "....#ooo#.......",  //
    "...#ooo#........",  //
    "...#oo#.........",  //
    "..#.##..........",  //
    ".#..............",  //
    "................",  //
};

QImage pipetteImage() {
    QImage image(16, 16, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            if (kPipette[y][x] == '#') image.setPixelColor(x, y, Qt::black);
            if (kPipette[y][x] == 'o') image.setPixelColor(x, y, Qt::white);
        }
    return image;
}

}  // namespace

QPixmap eyedropperPixmap() { return QPixmap::fromImage(pipetteImage()); }

QCursor eyedropperCursor() { return QCursor(eyedropperPixmap(), kEyedropperHotX, kEyedropperHotY); }

QIcon eyedropperGlyph() {
    QImage image = pipetteImage();
    QPainter p(&image);
    // Three dots: the drops the pipette takes up.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xC0, 0x00, 0x00));
    p.drawRect(9, 13, 2, 2);
    p.setBrush(QColor(0x00, 0x80, 0x00));
    p.drawRect(12, 13, 2, 2);
    p.setBrush(QColor(0x00, 0x00, 0xC0));
    p.drawRect(12, 10, 2, 2);
    p.end();
    return QIcon(QPixmap::fromImage(image));
}

}  // namespace sylvanode

#include "ui/dialogs/eyedropper.h"

#include <QPainter>
#include <QPainterPath>

namespace sylvanode {
namespace {

void drawPipette(QPainter& p) {
    p.setRenderHint(QPainter::Antialiasing, false);
    // Glass tube from the tip (1,14) up to the collar.
    QPainterPath tube;
    tube.moveTo(1, 14);
    tube.lineTo(2, 11);
    tube.lineTo(8, 5);
    tube.lineTo(10, 7);
    tube.lineTo(4, 13);
    tube.closeSubpath();
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::white);
    p.drawPath(tube);
    // Collar and rubber bulb.
    p.setBrush(Qt::black);
    p.drawLine(7, 4, 11, 8);
    p.drawEllipse(QRectF(9.5, 1.5, 4, 4));
    p.drawLine(10, 5, 11, 6);
}

}  // namespace

QPixmap eyedropperPixmap() {
    QPixmap pix(16, 16);
    pix.fill(Qt::transparent);
    QPainter p(&pix);
    drawPipette(p);
    // The tip pixel itself, so the hot spot is visibly where the colour is read.
    p.setPen(Qt::black);
    p.drawPoint(kEyedropperHotX, kEyedropperHotY);
    return pix;
}

QCursor eyedropperCursor() { return QCursor(eyedropperPixmap(), kEyedropperHotX, kEyedropperHotY); }

QIcon eyedropperGlyph() {
    QPixmap pix(16, 16);
    pix.fill(Qt::transparent);
    QPainter p(&pix);
    drawPipette(p);
    // Three dots: the drops the pipette takes up.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xC0, 0x00, 0x00));
    p.drawRect(9, 13, 2, 2);
    p.setBrush(QColor(0x00, 0x80, 0x00));
    p.drawRect(12, 13, 2, 2);
    p.setBrush(QColor(0x00, 0x00, 0xC0));
    p.drawRect(12, 10, 2, 2);
    p.end();
    return QIcon(pix);
}

}  // namespace sylvanode

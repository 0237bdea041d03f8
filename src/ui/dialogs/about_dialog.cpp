// SPDX-License-Identifier: MIT
#include "ui/dialogs/about_dialog.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include "ui/common/prompter.h"
#include "ui/dialogs/form_font.h"
#include "ui_about_dialog.h"

#ifndef SYLVANODE_HOMEPAGE_URL
#error "SYLVANODE_HOMEPAGE_URL comes from the build (CMake cache variable)"
#endif

using namespace sylvanode;

AboutDialog::AboutDialog(Prompter& prompter, QWidget* parent)
    : QDialog(parent), ui(std::make_unique<Ui::AboutDialog>()), prompter_(prompter) {
    ui->setupUi(this);
    setFont(formFont());
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    ui->logoLabel->setPixmap(logo());
    ui->url->setText(homepage());
    QFont linkFont = ui->url->font();
    linkFont.setUnderline(true);
    ui->url->setFont(linkFont);
    QPalette pal = ui->url->palette();
    pal.setColor(QPalette::WindowText, QColor(0, 0, 255));
    ui->url->setPalette(pal);
    ui->url->setCursor(Qt::PointingHandCursor);
    ui->url->installEventFilter(this);
    connect(ui->okButton, &QPushButton::clicked, this, &QDialog::accept);
    setFixedSize(sizeHint().expandedTo(QSize(210, 238)));
}

AboutDialog::~AboutDialog() = default;

QString AboutDialog::homepage() { return QStringLiteral(SYLVANODE_HOMEPAGE_URL); }

QPixmap AboutDialog::logo() {
    // A few flat colours, drawn rather than shipped: a small tree of menu
    // nodes on the left and the name beside it.
    QPixmap pix(130, 49);
    pix.fill(Qt::transparent);
    QPainter p(&pix);
    p.setRenderHint(QPainter::Antialiasing, true);
    const QColor green(0, 128, 0), darkGreen(0, 64, 0), olive(128, 128, 0), navy(0, 0, 128);
    // Node lines.
    p.setPen(QPen(QColor(128, 128, 128), 1.5));
    p.drawLine(QPointF(10, 10), QPointF(10, 40));
    p.drawLine(QPointF(10, 24), QPointF(22, 24));
    p.drawLine(QPointF(10, 40), QPointF(22, 40));
    p.drawLine(QPointF(28, 24), QPointF(28, 34));
    // Nodes: a folder leaf at the top, two items below.
    p.setPen(QPen(darkGreen, 1));
    p.setBrush(green);
    QPainterPath leaf;
    leaf.moveTo(4, 12);
    leaf.cubicTo(4, 2, 16, 1, 20, 4);
    leaf.cubicTo(18, 12, 10, 16, 4, 12);
    p.drawPath(leaf);
    p.setBrush(olive);
    p.drawRoundedRect(QRectF(22, 19, 12, 10), 2, 2);
    p.setBrush(green);
    p.drawEllipse(QRectF(22, 35, 10, 10));
    // The name.
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setBold(true);
    // The largest size at which the name fits beside the tree.
    const QString name = QStringLiteral("Sylvanode");
    for (int px = 20; px > 8; --px) {
        font.setPixelSize(px);
        if (QFontMetrics(font).horizontalAdvance(name) <= 90) break;
    }
    p.setFont(font);
    p.setPen(navy);
    p.drawText(QRectF(36, 4, 94, 28), Qt::AlignLeft | Qt::AlignVCenter, name);
    QFont small(font);
    small.setPixelSize(10);
    small.setBold(false);
    p.setFont(small);
    p.setPen(darkGreen);
    p.drawText(QRectF(38, 30, 92, 16), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("tree menus"));
    p.end();
    return pix;
}

void AboutDialog::openHomepage() {
    // Without a browser the click would do nothing at all: say so, and where the page is.
    if (!prompter_.openWithShell(homepage()))
        prompter_.message(this, QStringLiteral("Sylvanode"),
                          tr("没有可以打开主页的浏览器：") + QLatin1Char('\n') + homepage(),
                          Prompter::Icon::Information, Prompter::Ok);
}

bool AboutDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ui->url && event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton && ui->url->rect().contains(mouse->position().toPoint())) {
            openHomepage();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

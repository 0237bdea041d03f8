// SPDX-License-Identifier: MIT
// At QT_SCALE_FACTOR=2 the screen is half as large: the window still fits it, where its size
// from the form (582 x 500, at least 400 x 500) would not.
#include <QApplication>
#include <QScreen>
#include <QTest>

#include "window_fixture.h"

using namespace sylvanode;

class ScreenFitTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void theFirstWindowFitsTheScreen() {
        WindowFixture f;
        const QRect area = f.w().screen()->availableGeometry();
        QVERIFY2(area.height() < 500, "the screen is no smaller than the window: nothing to test");
        QVERIFY2(area.contains(f.w().geometry()),
                 qPrintable(QStringLiteral("window %1,%2 %3x%4 on a screen of %5x%6")
                                .arg(f.w().x()).arg(f.w().y()).arg(f.w().width()).arg(f.w().height())
                                .arg(area.width()).arg(area.height())));
        QVERIFY(f.w().minimumHeight() <= area.height());
        QVERIFY(f.w().minimumWidth() <= area.width());
    }
};

int main(int argc, char** argv) {
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication app(argc, argv);
    ScreenFitTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "screen_fit_test.moc"

// SPDX-License-Identifier: MIT
// The window as a user sees it: no clipped texts, fields that stretch with the
// window, aligned label columns. With SYLVANODE_SCREENSHOT_DIR set, every page is
// also saved as a picture for a person to look at.
#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QSplitter>
#include <QTabWidget>
#include <QTest>

#include "ui/main/menu_tree_view.h"
#include "ui/main/scheme_tree_model.h"
#include "window_fixture.h"

using namespace sylvanode;

class WindowLookTest : public QObject {
    Q_OBJECT
    std::unique_ptr<WindowFixture> f;

    void fill() {
        const QStringList names{"产品介绍", "新闻中心", "技术支持", "关于我们"};
        for (const QString& n : names) {
            f->trigger("addRootItemAction");
            f->edit("menuNameEdit")->setText(n);
        }
        f->select(f->node({0}));
        for (const QString& n : {QStringLiteral("软件"), QStringLiteral("硬件")}) {
            f->trigger("addSubItemAction");
            f->select(f->node({0})->lastChild());
            f->edit("menuNameEdit")->setText(n);
            f->select(f->node({0}));
        }
        f->w().tree().expand(f->w().treeModel().indexOf(f->node({0})));
        f->select(f->node({0, 1}));
        f->edit("menuHintEdit")->setText(QStringLiteral("硬件产品一览"));
        f->edit("menuLinkEdit")->setText(QStringLiteral("products/hardware.htm"));
    }
    void save(const QString& name) {
        const QString dir = qEnvironmentVariable("SYLVANODE_SCREENSHOT_DIR");
        if (!dir.isEmpty()) f->w().grab().save(dir + QLatin1Char('/') + name + QStringLiteral(".png"));
    }
    // Every visible text-bearing control on `page` is wide enough for its text.
    void checkNothingClipped(QWidget* page) {
        for (QLabel* l : page->findChildren<QLabel*>()) {
            if (!l->isVisibleTo(page) || l->text().isEmpty() || l->wordWrap()) continue;
            QVERIFY2(l->width() >= l->fontMetrics().horizontalAdvance(l->text()),
                     qPrintable(l->objectName() + QStringLiteral(" clipped: ") + l->text()));
        }
        for (QAbstractButton* b : page->findChildren<QAbstractButton*>()) {
            if (!b->isVisibleTo(page) || b->text().isEmpty()) continue;
            QVERIFY2(b->width() >= b->minimumSizeHint().width() - 1,
                     qPrintable(b->objectName() + QStringLiteral(" clipped: ") + b->text()));
        }
    }

private Q_SLOTS:
    void init() {
        f = std::make_unique<WindowFixture>();
        QVERIFY(QTest::qWaitForWindowExposed(&f->w()));
        fill();
    }
    void cleanup() { closeWindowFixture(f); }

    void pagesAtTheStartSize() {
        auto* pages = f->child<QTabWidget>("pages");
        const char* names[] = {"item_page", "style_page", "settings_page"};
        for (int i = 0; i < 3; ++i) {
            pages->setCurrentIndex(i);
            QCoreApplication::processEvents();
            checkNothingClipped(pages->widget(i));
            save(QString::fromLatin1(names[i]));
        }
    }

    void itemPanelLabelsLineUp() {
        QWidget* panel = f->child<QWidget>("itemPanel");
        const auto left = [&](const char* name) { return f->edit(name)->mapTo(panel, QPoint(0, 0)).x(); };
        QCOMPARE(left("menuHintEdit"), left("menuNameEdit"));
        QCOMPARE(left("menuIcon1Edit"), left("menuNameEdit"));
        QCOMPARE(left("menuLinkEdit"), left("menuNameEdit"));
        QCOMPARE(left("menuScriptEdit"), left("menuNameEdit"));
        const auto right = [&](const char* name) {
            QWidget* w = f->child<QWidget>(name);
            return w->mapTo(panel, QPoint(w->width(), 0)).x();
        };
        QCOMPARE(right("browseIcon1Button"), right("copyToHintButton"));
        QCOMPARE(right("browseLinkButton"), right("copyToHintButton"));
    }

    void widerWindowWidensTheTree() {
        const int treeBefore = f->child<QWidget>("tree")->width();
        const int pagesBefore = f->child<QWidget>("pages")->width();
        f->w().resize(900, 640);
        QCoreApplication::processEvents();
        QVERIFY(f->child<QWidget>("tree")->width() > treeBefore);
        QCOMPARE(f->child<QWidget>("pages")->width(), pagesBefore);
        save(QStringLiteral("wide"));
        // The smallest window keeps the page control at its minimum width.
        f->w().resize(400, 500);
        QCoreApplication::processEvents();
        QWidget* pages = f->child<QWidget>("pages");
        QVERIFY(pages->width() >= 350);
        // Everything stays inside the window.
        QVERIFY(pages->mapTo(&f->w(), QPoint(pages->width(), 0)).x() <= f->w().width());
        QWidget* browse = f->child<QWidget>("browseLinkButton");
        QVERIFY(browse->mapTo(&f->w(), QPoint(browse->width(), 0)).x() <= f->w().width());
        checkNothingClipped(f->child<QWidget>("itemPanel"));
        save(QStringLiteral("narrow"));
    }
};

QTEST_MAIN(WindowLookTest)
#include "window_look_test.moc"

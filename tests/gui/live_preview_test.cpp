// SPDX-License-Identifier: MIT
// The live preview pane in a real window (needs an X display: the offscreen platform draws no
// web page): the page follows edits, undo and redo; selection goes both ways; a click never
// leaves the page; the phone and right-to-left views.
#include <QApplication>
#include <QDockWidget>
#include <QLabel>
#include <QLineEdit>
#include <QStatusBar>
#include <QTest>
#include <QUndoStack>
#include <QWebEnginePage>
#include <QWebEngineView>

#include "document/edit_commands.h"
#include "document/item_edits.h"
#include "ui/main/tool_commands.h"
#include "ui/preview/live_look_thumbnails.h"
#include "ui/preview/live_preview.h"
#include "ui/preview/look_gallery.h"
#include "ui/preview/preview_pane.h"
#include "window_fixture.h"

using namespace sylvanode;

namespace {

constexpr int kWaitMs = 20000;

}  // namespace

class LivePreviewTest : public QObject {
    Q_OBJECT
    std::unique_ptr<WindowFixture> f;

    LivePreview& pane() {
        LivePreview* live = f->w().previewPane().live();
        if (!live) qFatal("no live preview");
        return *live;
    }

    // Waits until the page shows the document as it is now.
    bool caughtUp() {
        return QTest::qWaitFor([this] { return pane().upToDate(); }, kWaitMs);
    }

    QVariant evaluate(const QString& script) {
        QVariant result;
        bool done = false;
        pane().runScript(script, [&](const QVariant& v) {
            result = v;
            done = true;
        });
        if (!QTest::qWaitFor([&] { return done; }, kWaitMs)) qFatal("no answer from the page");
        return result;
    }

    // Every item's title in the page, every folder opened.
    QStringList pageTitles() {
        evaluate(QStringLiteral("snPane.collect()"));
        QVariant titles;
        if (!QTest::qWaitFor([&] { return !(titles = evaluate(QStringLiteral("snPane.titles"))).isNull(); }, kWaitMs))
            return {QStringLiteral("(no titles)")};
        return titles.toStringList();
    }

    QStringList treeTitles() const {
        QStringList titles = f->outline();
        for (QString& t : titles) t = t.trimmed();
        return titles;
    }

    // The centre of the row of item `index` in the view's coordinates (the row drawn first).
    QPoint rowCentre(int index) {
        const QString script = QStringLiteral(
            "(function(){var r=snPane.rowOf(%1);"
            "if(!r)return null;var b=r.querySelector('[role=treeitem]').getBoundingClientRect();"
            "return [b.left+b.width/2,b.top+b.height/2];})()").arg(index);
        QVariant at;
        if (!QTest::qWaitFor([&] { return !(at = evaluate(script)).isNull(); }, kWaitMs)) return {};
        const QVariantList xy = at.toList();
        return QPoint(int(xy[0].toDouble()), int(xy[1].toDouble()));
    }

    int markedIndex() {
        return evaluate(QStringLiteral("snPane.marked()")).toInt();
    }

    // Types a new title for the current item, as a user would.
    void retitle(const QString& title) {
        QLineEdit* edit = f->edit("menuNameEdit");
        edit->selectAll();
        QTest::keyClicks(edit, title);
    }

    QWidget* pageWidget() { return pane().view()->focusProxy() ? pane().view()->focusProxy() : pane().view(); }

private Q_SLOTS:
    void init() {
        f = std::make_unique<WindowFixture>();
        QVERIFY(QTest::qWaitForWindowExposed(&f->w()));
        QVERIFY(f->w().previewDock().isVisible());
        QVERIFY(f->doc().open(f->copyFixture(QStringLiteral("products/scheme.menu"))));
        QVERIFY(caughtUp());
    }
    void cleanup() { closeWindowFixture(f); }

    // After each of a chain of edits, undos and redos the page's rows are the tree's titles,
    // and a folder the visitor opened stays open.
    void rowsFollowEditsUndoAndRedo() {
        QCOMPARE(pageTitles(), treeTitles());
        // Edits swap the menu inside the page: the page itself is never loaded again.
        evaluate(QStringLiteral("window.samePage = 1"));
        const std::vector<std::pair<const char*, std::function<void()>>> steps = {
            {"rename", [&] { retitle(QStringLiteral("Goods")); }},
            {"add root", [&] { f->trigger("addRootItemAction"); }},
            {"add child", [&] { f->trigger("addSubItemAction"); }},
            {"move up", [&] { f->trigger("moveUpAction"); }},
            {"delete", [&] { f->trigger("deleteItemAction"); }},
            {"undo", [&] { f->trigger("undoAction"); }},
            {"undo", [&] { f->trigger("undoAction"); }},
            {"redo", [&] { f->trigger("redoAction"); }},
        };
        for (const auto& [name, step] : steps) {
            step();
            QVERIFY2(caughtUp(), name);
            QCOMPARE(pageTitles(), treeTitles());
        }
        // A style reaches the page in place too, and the old version's style sheets go with it.
        const QString sheets = QStringLiteral("document.adoptedStyleSheets.length");
        const QString folderRow = QStringLiteral("document.querySelector('[aria-expanded]').closest('.sn-r').offsetHeight");
        const int sheetCount = evaluate(sheets).toInt();
        QVERIFY(evaluate(folderRow).toInt() < 30);
        f->changeStyles([](std::array<KindStyle, 2>& kinds) { kinds[0].height = 30; });
        QVERIFY(caughtUp());
        QCOMPARE_GE(evaluate(folderRow).toInt(), 30);
        QCOMPARE(evaluate(sheets).toInt(), sheetCount);
        QCOMPARE(evaluate(QStringLiteral("window.samePage")).toInt(), 1);
        QCOMPARE(evaluate(QStringLiteral("document.querySelectorAll('[role=tree]').length")).toInt(), 1);
        // The folders the visitor opened survive the next version of the page.
        const QVariantList open = evaluate(QStringLiteral("snPane.state().open")).toList();
        QVERIFY(!open.isEmpty());
        f->w().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&f->w()));
        f->edit("menuNameEdit")->setFocus();
        retitle(QStringLiteral("Other"));
        QVERIFY(caughtUp());
        QCOMPARE(evaluate(QStringLiteral("snPane.state().open")).toList(), open);
        // The typing stayed in the editor's field.
        QCOMPARE(QApplication::focusWidget(), f->edit("menuNameEdit"));
        // A new first item moves every folder one down; the same folders stay open.
        QVERIFY(addRootItem(f->doc(), 0));
        while (moveItem(f->doc(), -1)) {
        }
        QVERIFY(caughtUp());
        QCOMPARE(f->doc().indexOf(f->current()), 0);
        QVariantList moved;
        for (const QVariant& x : open) moved << x.toInt() + 1;
        QCOMPARE(evaluate(QStringLiteral("snPane.state().open")).toList(), moved);
        // Where the page was scrolled stays too.
        for (int i = 0; i < 60; ++i) QVERIFY(addRootItem(f->doc(), 0));
        QVERIFY(caughtUp());
        evaluate(QStringLiteral("scrollTo(0, 200)"));
        QTRY_COMPARE_WITH_TIMEOUT(evaluate(QStringLiteral("scrollY")).toInt(), 200, kWaitMs);
        retitle(QStringLiteral("Scrolled"));
        QVERIFY(caughtUp());
        QCOMPARE(evaluate(QStringLiteral("scrollY")).toInt(), 200);
    }

    // Tree to page: the current item is marked. Page to tree: a click on a row selects its item,
    // shows what the link would do, and the page stays where it is.
    void selectionBothWaysAndNoNavigation() {
        // The page opens with the current item marked.
        QCOMPARE(markedIndex(), f->doc().indexOf(f->current()));
        f->select(f->node({0, 0}));
        QTRY_COMPARE_WITH_TIMEOUT(markedIndex(), 1, kWaitMs);

        const QUrl before = pane().view()->url();
        const QPoint at = rowCentre(0);
        QVERIFY(!at.isNull());
        QTest::mouseClick(pageWidget(), Qt::LeftButton, {}, at);
        QTRY_COMPARE_WITH_TIMEOUT(f->current(), f->node({0}), kWaitMs);
        QCOMPARE(f->w().statusBar()->currentMessage(), QStringLiteral("链接: products.htm → _self"));
        QVERIFY(!f->prompter.failures().size());
        // Still the same page, still scriptable: nothing was followed.
        QCOMPARE(pane().view()->url(), before);
        QCOMPARE(evaluate(QStringLiteral("typeof snPane")).toString(), QStringLiteral("object"));
        QCOMPARE(markedIndex(), 0);
    }

    // The gallery's thumbnails: every look's sample menu drawn with its folders open.
    void galleryThumbnailsShowFoldersOpen() {
        std::vector<SchemeLook> looks;
        for (const LookFile& look : readLooks({shippedLooksFolder()})) looks.push_back(look.look);
        QVERIFY(looks.size() >= 8);
        LookThumbnails thumbnails(looks);
        thumbnails.resize(600, 400);
        thumbnails.show();
        const auto ask = [&](const QString& script) {
            QVariant result;
            bool done = false;
            thumbnails.view()->page()->runJavaScript(script, [&](const QVariant& v) {
                result = v;
                done = true;
            });
            if (!QTest::qWaitFor([&] { return done; }, kWaitMs)) qFatal("no answer from the gallery");
            return result;
        };
        // Six items in each sample; none of its folders closed.
        const int rows = int(looks.size()) * 6;
        QTRY_COMPARE_WITH_TIMEOUT(ask(QStringLiteral("document.querySelectorAll('[role=treeitem]').length")).toInt(), rows,
                                  kWaitMs);
        QCOMPARE(ask(QStringLiteral("document.querySelectorAll('[aria-expanded=false]').length")).toInt(), 0);
        QCOMPARE(ask(QStringLiteral("document.querySelectorAll('[aria-expanded=true]').length")).toInt(),
                 int(looks.size()) * 2);
    }

    // The phone view is 375 px wide with a coarse pointer; 从右到左 turns the page around.
    void phoneAndRightToLeft() {
        f->trigger("phoneViewAction");
        QVERIFY(caughtUp());
        QCOMPARE(evaluate(QStringLiteral("innerWidth")).toInt(), 375);
        QCOMPARE(evaluate(QStringLiteral("matchMedia('(pointer: coarse)').matches")).toBool(), true);
        // The library's rules for touch screens apply: every row at least 24 px high, also after an edit.
        const QString lowestRow = QStringLiteral(
            "Math.min.apply(null,[].map.call(document.querySelectorAll('.sn-r'),function(r){return r.offsetHeight;}))");
        QCOMPARE(evaluate(lowestRow).toInt(), 24);
        retitle(QStringLiteral("Touch"));
        QVERIFY(caughtUp());
        QCOMPARE(evaluate(lowestRow).toInt(), 24);
        f->trigger("rtlViewAction");
        QVERIFY(caughtUp());
        QCOMPARE(evaluate(QStringLiteral("getComputedStyle(document.querySelector('[role=tree]')).direction")).toString(),
                 QStringLiteral("rtl"));
        f->trigger("desktopViewAction");
        f->trigger("rtlViewAction");
        QVERIFY(caughtUp());
        QCOMPARE(evaluate(QStringLiteral("matchMedia('(pointer: coarse)').matches")).toBool(), false);
        QVERIFY(evaluate(QStringLiteral("innerWidth")).toInt() > 375);
        QVERIFY(evaluate(lowestRow).toInt() < 24);
    }
};

int main(int argc, char** argv) {
    preparePreviewEngine();
    QApplication app(argc, argv);
    LivePreviewTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "live_preview_test.moc"

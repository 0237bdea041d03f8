// SPDX-License-Identifier: MIT
// Cut, copy, paste and duplicate: the selected item with its subtree, in three clipboard
// forms; pasting our own form, an outline from any editor, or an HTML list.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QMimeData>
#include <QRadioButton>
#include <QTest>
#include <QUndoStack>

#include "model/scheme_io.h"
#include "document/text_codec.h"
#include "ui/main/item_panel.h"
#include "ui/main/menu_tree_view.h"
#include "ui/main/tree_clipboard.h"
#include "window_fixture.h"

using namespace sylvanode;

namespace {

void setClipboard(const QString& text, const QString& html = {}) {
    auto* data = new QMimeData;
    if (!text.isEmpty()) data->setText(text);
    if (!html.isEmpty()) data->setHtml(html);
    QApplication::clipboard()->setMimeData(data);
}

}  // namespace

class ClipboardTest : public QObject {
    Q_OBJECT
    std::unique_ptr<WindowFixture> f;

    MenuTreeView& tree() { return f->w().tree(); }
    void keyInTree(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::ControlModifier) {
        tree().setFocus();
        QTest::keyClick(&tree(), key, modifiers);
    }
    // "Shop" (link, target, hint, status, icons) with a script child "Tea" and a child "Cups".
    void buildShop() {
        f->trigger("addRootItemAction");
        ItemPanel& p = f->w().itemPanel();
        p.menuName()->setText(QStringLiteral("Shop"));
        p.menuHint()->setText(QStringLiteral("All \"goods\""));
        p.menuStatus()->setText(QStringLiteral("状态"));
        p.menuIcon1()->setText(QStringLiteral("img/c.gif"));
        p.menuIcon2()->setText(QStringLiteral("img/o.gif"));
        p.menuLink()->setText(QStringLiteral("shop.htm?a=1&b=2"));
        p.menuTarget()->setEditText(QStringLiteral("_top"));
        MenuNode* shop = f->node({0});
        for (const char* name : {"Tea", "Cups"}) {
            f->select(shop);
            f->trigger("addSubItemAction");
            f->select(shop->lastChild());
            p.menuName()->setText(QString::fromLatin1(name));
        }
        f->select(shop->child(0));
        p.radioScript()->click();
        p.menuScript()->setText(QStringLiteral("buy('tea')"));
        f->select(shop);
    }

private Q_SLOTS:
    void init() {
        f = std::make_unique<WindowFixture>();
        QVERIFY(QTest::qWaitForWindowExposed(&f->w()));
    }
    void cleanup() { closeWindowFixture(f); }

    void copyGivesThreeFormsAndPastesWhole() {
        buildShop();
        MenuNode* shop = f->node({0});
        keyInTree(Qt::Key_C);
        const QMimeData* data = QApplication::clipboard()->mimeData();
        QVERIFY(data->hasFormat(kItemsMimeType));
        QCOMPARE(data->text(),
                 QStringLiteral("Shop\tshop.htm?a=1&b=2\n  Tea\tjavascript:buy('tea')\n  Cups\n"));
        QCOMPARE(data->html(),
                 QStringLiteral("<ul><li><a href=\"shop.htm?a=1&amp;b=2\" target=\"_top\" "
                                "title=\"All &quot;goods&quot;\">Shop</a><ul><li><a "
                                "href=\"javascript:buy('tea')\">Tea</a></li><li>Cups</li></ul></li></ul>"));

        // Another running editor takes every field from our own form.
        WindowFixture other;
        other.w().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other.w()));
        other.w().tree().setFocus();
        QTest::keyClick(&other.w().tree(), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(other.outline(), QStringList({"Shop", "  Tea", "  Cups"}));
        const auto same = [](const MenuNode* a, const MenuNode* b) {
            return a->caption == b->caption && a->data.menuHint == b->data.menuHint &&
                   a->data.menuStatus == b->data.menuStatus && a->data.menuIcon1 == b->data.menuIcon1 &&
                   a->data.menuIcon2 == b->data.menuIcon2 && a->data.contentType == b->data.contentType &&
                   a->data.menuLink == b->data.menuLink && a->data.menuTarget == b->data.menuTarget &&
                   a->data.menuScript == b->data.menuScript;
        };
        QVERIFY(same(other.node({0}), shop));
        QVERIFY(same(other.node({0, 0}), shop->child(0)));
        QCOMPARE(other.current(), other.node({0}));
        QCOMPARE(other.edit("menuStatusEdit")->text(), QStringLiteral("状态"));
        QVERIFY(other.prompter.failures().isEmpty());
        f->w().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&f->w()));

        // Pasting goes after the selected item; duplicating too; both select the new copy.
        f->select(shop->child(0));
        keyInTree(Qt::Key_V);
        QCOMPARE(f->outline(), QStringList({"Shop", "  Tea", "  Shop", "    Tea", "    Cups", "  Cups"}));
        QCOMPARE(f->current(), shop->child(1));
        QCOMPARE(f->action("undoAction")->text(), QStringLiteral("撤销 粘贴"));
        keyInTree(Qt::Key_D);
        QCOMPARE(f->outline(), QStringList({"Shop", "  Tea", "  Shop", "    Tea", "    Cups", "  Shop",
                                            "    Tea", "    Cups", "  Cups"}));
        QCOMPARE(f->current(), shop->child(2));
        QVERIFY(shop->child(2) != shop->child(1));
        QVERIFY(same(shop->child(2)->child(0), shop->child(0)));
        // Cut is one step: the branch goes to the clipboard and comes back with undo.
        keyInTree(Qt::Key_X);
        QCOMPARE(f->outline(), QStringList({"Shop", "  Tea", "  Shop", "    Tea", "    Cups", "  Cups"}));
        QCOMPARE(f->action("undoAction")->text(), QStringLiteral("撤销 剪切"));
        QVERIFY(QApplication::clipboard()->mimeData()->hasFormat(kItemsMimeType));
        // Nothing selected: new roots at the end.
        f->select(nullptr);
        f->trigger("pasteAction");
        QCOMPARE(f->outline().mid(6), QStringList({"Shop", "  Tea", "  Cups"}));
        QCOMPARE(f->current(), f->node({1}));
    }

    void pastesOutlinesAndHtmlLists() {
        // An outline from any editor: spaces or tabs, bullets, Markdown links, tab columns.
        setClipboard(QStringLiteral(
            "- 产品\n  * [茶叶](tea.htm)\n  + 杯子\tcups.htm\n\t\t小杯\n1. Run\tjavascript:go()\n"));
        keyInTree(Qt::Key_V);
        QCOMPARE(f->outline(), QStringList({"产品", "  茶叶", "  杯子", "    小杯", "Run"}));
        QCOMPARE(f->node({0, 0})->data.menuLink, std::string("tea.htm"));
        QCOMPARE(f->node({0, 1})->data.menuLink, std::string("cups.htm"));
        QCOMPARE(f->node({1})->data.contentType, 1);
        QCOMPARE(f->node({1})->data.menuScript, std::string("go()"));
        QCOMPARE(f->current(), f->node({0}));
        // An HTML list (a browser's copy) goes before its plain text.
        setClipboard(QStringLiteral("News\nSports"),
                     QStringLiteral("<ul><li><a href=\"n.htm\" title=\"today\">News</a>"
                                    "<ul><li><a href=\"s.htm\">Sports</a></li></ul></li></ul>"));
        f->select(f->node({1}));
        keyInTree(Qt::Key_V);
        QCOMPARE(f->outline().mid(5), QStringList({"News", "  Sports"}));
        QCOMPARE(f->node({2})->data.menuHint, std::string("today"));
        QCOMPARE(f->node({2, 0})->data.menuLink, std::string("s.htm"));
        // An empty clipboard pastes nothing and is no step.
        QApplication::clipboard()->clear();
        const int steps = f->doc().undoStack().count();
        keyInTree(Qt::Key_V);
        QCOMPARE(f->doc().undoStack().count(), steps);
        // Paste is offered only while the clipboard may hold items.
        const struct {
            QString text, html;
            bool offered;
        } clipboards[] = {{{}, {}, false},
                          {QStringLiteral(" \n\t "), {}, false},
                          {{}, QStringLiteral("<p>no list</p>"), false},
                          {QStringLiteral("Item"), {}, true},
                          {{}, QStringLiteral("<UL><LI>Item</LI></UL>"), true}};
        for (const auto& c : clipboards) {
            setClipboard(c.text, c.html);
            QCOMPARE(f->action("pasteAction")->isEnabled(), c.offered);
        }
        QApplication::clipboard()->clear();
        QVERIFY(!f->action("pasteAction")->isEnabled());
        keyInTree(Qt::Key_C);
        QVERIFY(f->action("pasteAction")->isEnabled());
    }

    void aVeryDeepBranchCopiesWithoutAnOutline() {
        // 5,000 levels would indent their outline by 25 million blanks.
        MenuScheme chain;
        chain.reset();
        MenuNode* n = chain.appendRoot();
        for (int level = 1; level < 5000; ++level) n = n->appendChild();
        f->prompter.answerOpenFile(f->writeFile(QStringLiteral("chain.menu"), writeSchemeText(chain)));
        f->trigger("openAction");
        keyInTree(Qt::Key_C);
        const QMimeData* data = QApplication::clipboard()->mimeData();
        QVERIFY(!data->hasText());
        QVERIFY(data->hasFormat(kItemsMimeType));
        keyInTree(Qt::Key_V);
        QCOMPARE(f->scheme().itemCount(), 10000);
        QCOMPARE(f->current(), f->node({1}));
    }

    void textFieldsKeepTheirClipboardKeys() {
        buildShop();
        QLineEdit* title = f->edit("menuNameEdit");
        title->setFocus();
        title->selectAll();
        QTest::keyClick(title, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("Shop"));
        QVERIFY(!QApplication::clipboard()->mimeData()->hasFormat(kItemsMimeType));
        title->end(false);
        QTest::keyClick(title, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(title->text(), QStringLiteral("ShopShop"));
        QCOMPARE(f->outline(), QStringList({"ShopShop", "  Tea", "  Cups"}));
        title->home(false);
        QTest::keyClick(title, Qt::Key_Delete);
        QTest::keyClick(title, Qt::Key_X, Qt::ControlModifier);
        QCOMPARE(title->text(), QStringLiteral("hopShop"));
        QCOMPARE(f->outline(), QStringList({"hopShop", "  Tea", "  Cups"}));
    }
};

QTEST_MAIN(ClipboardTest)
#include "clipboard_test.moc"

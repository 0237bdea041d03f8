// SPDX-License-Identifier: MIT
// Structural editing of the tree (add, delete, move, drag and drop) and the
// bridge between the tree and the item panel.
#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <map>
#include <random>

#include "codegen/script_text.h"
#include "model/scheme_io.h"
#include "ui/common/prompter.h"
#include "document/text_codec.h"
#include "ui/main/menu_tree_view.h"
#include "ui/main/scheme_tree_model.h"
#include "ui/main/item_tree_controller.h"
#include "window_fixture.h"

using namespace sylvanode;

class TreeEditingTest : public QObject {
    Q_OBJECT
    std::unique_ptr<WindowFixture> f;

    MenuTreeView& tree() { return f->w().tree(); }
    QPoint captionPoint(MenuNode* n) { return tree().captionRect(f->w().treeModel().indexOf(n)).center(); }
    // Adds roots named by `names` (each through the panel's title field).
    void addRoots(const QStringList& names) {
        for (const QString& name : names) {
            f->trigger("addRootItemAction");
            f->edit("menuNameEdit")->setText(name);
        }
    }
    void addSub(MenuNode* parent, const QString& name) {
        f->select(parent);
        f->trigger("addSubItemAction");
        MenuNode* child = parent->lastChild();
        f->select(child);
        f->edit("menuNameEdit")->setText(name);
    }
    void clean() {
        f->doc().undoStack().setClean();
    }
    void press(MenuNode* n) { QTest::mousePress(tree().viewport(), Qt::LeftButton, {}, captionPoint(n)); }
    void release(const QPoint& at) { QTest::mouseRelease(tree().viewport(), Qt::LeftButton, {}, at); }
    void moveHeld(const QPoint& to) {
        QMouseEvent move(QEvent::MouseMove, to, tree().viewport()->mapToGlobal(to), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(tree().viewport(), &move);
    }
    // Two presses on the caption of `n`, then a drag to `to` and a release there.
    void drag(MenuNode* n, const QPoint& to) {
        const QPoint from = captionPoint(n);
        QTest::mouseClick(tree().viewport(), Qt::LeftButton, {}, from);
        press(n);
        moveHeld(from + QPoint(0, 5));
        moveHeld(to);
        release(to);
    }
    QPoint emptySpace() { return QPoint(5, tree().viewport()->height() - 3); }

private Q_SLOTS:
    void init() {
        f = std::make_unique<WindowFixture>();
        QVERIFY(QTest::qWaitForWindowExposed(&f->w()));
    }
    void cleanup() { closeWindowFixture(f); }

    void addRootToAnEmptyTree() {
        f->trigger("addRootItemAction");
        MenuNode* n = f->node({0});
        QVERIFY(n);
        QCOMPARE(f->current(), n);
        QCOMPARE(f->edit("menuNameEdit")->text(), QStringLiteral("New Item"));
        QCOMPARE(n->caption, std::string("New Item"));
        QCOMPARE(n->imageIndex, int(ImageFile));
        QVERIFY(f->title().endsWith(QStringLiteral("[Modify]")));
        QVERIFY(f->action("itemSelectedAction")->isEnabled());
        QVERIFY(!f->action("canMoveDownAction")->isEnabled());
        QVERIFY(!f->action("canMoveUpAction")->isEnabled());
    }

    void addSubToACollapsedLeaf() {
        addRoots({"Leaf"});
        MenuNode* leaf = f->node({0});
        f->trigger("addSubItemAction");
        QCOMPARE(f->outline(), QStringList({"Leaf", "  New Item"}));
        QCOMPARE(leaf->imageIndex, int(ImageFolderClosed));
        QCOMPARE(leaf->lastChild()->imageIndex, int(ImageFile));
        QVERIFY(!tree().isExpanded(f->w().treeModel().indexOf(leaf)));
        QCOMPARE(f->current(), leaf);
        // The parent's panel was stored when the child was added.
        QCOMPARE(leaf->data.menuName, std::string("Leaf"));
    }

    void deletingTheOnlyItemEmptiesThePanel() {
        addRoots({"Only"});
        f->edit("menuStatusEdit")->setText(QStringLiteral("status"));
        f->trigger("deleteItemAction");
        QVERIFY(f->scheme().empty());
        QCOMPARE(f->current(), nullptr);
        QVERIFY(f->edit("menuNameEdit")->text().isEmpty());
        QVERIFY(f->edit("menuStatusEdit")->text().isEmpty());
        for (const char* name : {"itemSelectedAction", "canMoveDownAction", "canMoveUpAction",
                                 "addSubItemAction", "deleteItemAction"})
            QVERIFY2(!f->action(name)->isEnabled(), name);
        QVERIFY(f->modified());
    }

    // The item that took the deleted one's place is selected, else the one before it, else its parent.
    void deletingMovesTheSelectionToANeighbour_data() {
        QTest::addColumn<QList<int>>("deleted");
        QTest::addColumn<QStringList>("outline");
        QTest::addColumn<QString>("selected");
        QTest::newRow("the next sibling") << QList<int>{1} << QStringList({"A", "C"}) << "C";
        QTest::newRow("the previous sibling") << QList<int>{2} << QStringList({"A", "B", "  b1"}) << "B";
        QTest::newRow("the parent") << QList<int>{1, 0} << QStringList({"A", "B", "C"}) << "B";
    }
    void deletingMovesTheSelectionToANeighbour() {
        QFETCH(QList<int>, deleted);
        QFETCH(QStringList, outline);
        QFETCH(QString, selected);
        addRoots({"A", "B", "C"});
        addSub(f->node({1}), QStringLiteral("b1"));
        f->select(deleted.size() == 1 ? f->node({deleted[0]}) : f->node({deleted[0], deleted[1]}));
        f->edit("menuHintEdit")->setText(QStringLiteral("stored into a node that goes"));
        f->trigger("deleteItemAction");
        QCOMPARE(f->outline(), outline);
        MenuNode* now = f->current();
        QVERIFY(now);
        QCOMPARE(toQString(now->caption), selected);
        QCOMPARE(f->edit("menuNameEdit")->text(), selected);
        QVERIFY(f->edit("menuHintEdit")->text().isEmpty());
        QVERIFY(tree().selectionModel()->isSelected(f->w().treeModel().indexOf(now)));
    }

    void moveEnablingAndOrder() {
        addRoots({"A", "B", "C"});
        f->select(f->node({2}));
        QVERIFY(!f->action("moveDownAction")->isEnabled());
        QVERIFY(f->action("moveUpAction")->isEnabled());
        clean();
        f->trigger("moveUpAction");
        QCOMPARE(f->outline(), QStringList({"A", "C", "B"}));
        QVERIFY(f->modified());
        QCOMPARE(toQString(f->current()->caption), QStringLiteral("C"));
        QCOMPARE(f->edit("menuNameEdit")->text(), QStringLiteral("C"));
        f->trigger("moveUpAction");
        QCOMPARE(f->outline(), QStringList({"C", "A", "B"}));
        QVERIFY(!f->action("moveUpAction")->isEnabled());
        QVERIFY(f->action("moveDownAction")->isEnabled());
        f->trigger("moveDownAction");
        QCOMPARE(f->outline(), QStringList({"A", "C", "B"}));
    }

    void movingReordersOnlyItsOwnGroup() {
        // Random adds and moves: after every move, each sibling group but the moved item's
        // keeps its order (new items once went first in other groups at the next move).
        std::mt19937 rng(11);
        addRoots({"R0", "R1", "R2"});
        for (int step = 0; step < 120; ++step) {
            const std::vector<MenuNode*> all = f->scheme().flatten();
            MenuNode* n = all[rng() % all.size()];
            f->select(n);
            if (rng() % 3 == 0) {
                f->trigger("addSubItemAction");
                continue;
            }
            std::map<const MenuNode*, std::vector<const MenuNode*>> groups;
            const auto record = [&groups, this] {
                groups.clear();
                groups[nullptr] = {};
                for (const auto& r : f->scheme().roots()) groups[nullptr].push_back(r.get());
                for (MenuNode* m : f->scheme().flatten())
                    for (const auto& c : m->children()) groups[m].push_back(c.get());
            };
            record();
            const auto before = groups;
            const char* command = rng() % 2 ? "moveUpAction" : "moveDownAction";
            if (!f->action(command)->isEnabled()) continue;
            f->trigger(command);
            record();
            for (const auto& [parent, order] : before)
                if (parent != n->parent()) QCOMPARE(groups[parent], order);
            QCOMPARE(f->current(), n);
        }
    }

    void deletingTheLastChildMakesAPageAtOnce() {
        // The editor's script always equals the script of the file it saves.
        addRoots({"A", "B"});
        MenuNode* a = f->node({0});
        addSub(a, QStringLiteral("a1"));
        f->select(a->child(0));
        f->trigger("deleteItemAction");
        QCOMPARE(a->imageIndex, int(ImageFile));
        QCOMPARE(
            tree().model()->data(f->w().treeModel().indexOf(a), Qt::DecorationRole).value<QIcon>().cacheKey(),
            SchemeTreeModel::imageIcon(ImageFile).cacheKey());
        const QString menu = f->path(QStringLiteral("a.menu"));
        const QString js = f->path(QStringLiteral("a.js"));
        f->prompter.answerSaveFile(menu);
        f->trigger("saveAction");
        f->prompter.answerSaveFile(js);
        f->prompter.answerMessage(Prompter::Ok);
        f->trigger("generateAction");
        MenuScheme saved;
        QVERIFY(readSchemeText(saved, WindowFixture::readFile(menu)));
        QCOMPARE(WindowFixture::readFile(js), scriptFileBytes(saved));
    }

    void selectingNeverMarks() {
        addRoots({"A", "B"});
        addSub(f->node({0}), QStringLiteral("a1"));
        clean();
        const QString title = f->title();
        tree().setFocus();
        f->select(f->node({0}));
        tree().expand(f->w().treeModel().indexOf(f->node({0})));
        QTest::keyClick(&tree(), Qt::Key_Down);
        QTest::keyClick(&tree(), Qt::Key_Down);
        QTest::keyClick(&tree(), Qt::Key_Up);
        QTest::mouseClick(tree().viewport(), Qt::LeftButton, {}, captionPoint(f->node({1})));
        QCOMPARE(f->current(), f->node({1}));
        tree().collapse(f->w().treeModel().indexOf(f->node({0})));
        QVERIFY(!f->modified());
        QCOMPARE(f->title(), title);
        QCOMPARE(f->node({0})->imageIndex, int(ImageFolderClosed));
    }

    void clickOnEmptySpaceKeepsTheSelection() {
        addRoots({"A", "B"});
        MenuNode* a = f->node({0});
        f->select(a);
        QTest::mouseClick(tree().viewport(), Qt::LeftButton, {}, emptySpace());
        QCOMPARE(f->current(), a);
        QVERIFY(tree().selectionModel()->isSelected(f->w().treeModel().indexOf(a)));
        // Ctrl+click on the selected item does not leave the panel without a highlighted item either.
        QTest::mouseClick(tree().viewport(), Qt::LeftButton, Qt::ControlModifier, captionPoint(a));
        QVERIFY(tree().selectionModel()->isSelected(f->w().treeModel().indexOf(a)));
    }

    void titleFollowsEveryKeystroke() {
        addRoots({""});
        MenuNode* n = f->node({0});
        clean();
        QSignalSpy changed(&f->w().treeModel(), &QAbstractItemModel::dataChanged);
        f->edit("menuNameEdit")->setFocus();
        QTest::keyClicks(f->edit("menuNameEdit"), QStringLiteral("abc"));
        QCOMPARE(changed.count(), 3);
        QCOMPARE(n->caption, std::string("abc"));
        QVERIFY(f->modified());
        // Without a selection typing changes nothing else.
        f->trigger("deleteItemAction");
        clean();
        QTest::keyClicks(f->edit("menuNameEdit"), QStringLiteral("xyz"));
        QVERIFY(!f->modified());
    }

    void copyButtons() {
        addRoots({"T"});
        f->edit("menuHintEdit")->setText(QStringLiteral("old"));
        f->child<QToolButton>("copyToStatusButton")->click();
        QCOMPARE(f->edit("menuStatusEdit")->text(), QStringLiteral("T"));
        f->edit("menuNameEdit")->clear();
        f->child<QToolButton>("copyToHintButton")->click();
        QCOMPARE(f->edit("menuHintEdit")->text(), QString());
        QCOMPARE(f->child<QToolButton>("copyToHintButton")->toolTip(), QStringLiteral("复制于菜单标题"));
    }

    void linkAndScriptSwitching() {
        addRoots({"L", "other"});
        MenuNode* l = f->node({0});
        f->select(l);
        f->edit("menuLinkEdit")->setText(QStringLiteral("x.htm"));
        f->child<QComboBox>("menuTargetCombo")->setEditText(QStringLiteral("_self"));
        f->select(f->node({1}));
        QCOMPARE(l->data.menuLink, std::string("x.htm"));
        QCOMPARE(l->data.menuTarget, std::string("_self"));
        f->select(l);
        QTest::mouseClick(f->child<QRadioButton>("scriptRadio"), Qt::LeftButton);
        f->edit("menuScriptEdit")->setText(QStringLiteral("go()"));
        f->select(f->node({1}));
        QCOMPARE(l->data.contentType, 1);
        QVERIFY(l->data.menuLink.empty());
        QVERIFY(l->data.menuTarget.empty());
        QCOMPARE(l->data.menuScript, std::string("go()"));
        // Switching back shows empty link and target fields.
        f->select(l);
        QTest::mouseClick(f->child<QRadioButton>("linkRadio"), Qt::LeftButton);
        QVERIFY(f->edit("menuLinkEdit")->text().isEmpty());
        QVERIFY(f->child<QComboBox>("menuTargetCombo")->currentText().isEmpty());
        f->select(f->node({1}));
        QCOMPARE(l->data.contentType, 0);
        QVERIFY(l->data.menuScript.empty());
    }

    void newRootKeepsTheActionKind() {
        addRoots({"S"});
        QTest::mouseClick(f->child<QRadioButton>("scriptRadio"), Qt::LeftButton);
        f->trigger("addRootItemAction");
        QVERIFY(f->child<QRadioButton>("scriptRadio")->isChecked());
        MenuNode* added = f->node({1});
        f->select(f->node({0}));
        QCOMPARE(added->data.contentType, 1);
        QCOMPARE(added->data.menuName, std::string("New Item"));
    }

    void targetListAndBrowseButtons() {
        QStringList entries;
        auto* target = f->child<QComboBox>("menuTargetCombo");
        for (int i = 0; i < target->count(); ++i) entries << target->itemText(i);
        QCOMPARE(entries, QStringList({"_self", "_parent", "_top", "_blank"}));
        QVERIFY(target->isEditable());

        addRoots({"I"});
        f->changeSettings([](SchemeSettings& s) { s.workDir = "/srv/site/"; });
        clean();
        f->prompter.answerOpenFile(std::nullopt);
        f->child<QToolButton>("browseIcon1Button")->click();
        QVERIFY(!f->modified());
        QCOMPARE(f->prompter.last().filter, QStringLiteral("Gif文件(*.gif)|*.gif|所有文件(*.*)|*.*"));
        QCOMPARE(f->prompter.last().initialDirectory, QStringLiteral("/srv/site/"));
        f->prompter.answerOpenFile(QStringLiteral("/srv/site/img/a.gif"));
        f->child<QToolButton>("browseIcon2Button")->click();
        QCOMPARE(f->edit("menuIcon2Edit")->text(), QStringLiteral("img/a.gif"));
        QVERIFY(f->modified());
        f->prompter.answerOpenFile(QStringLiteral("/srv/site/pages/index.htm"));
        f->child<QToolButton>("browseLinkButton")->click();
        QCOMPARE(f->prompter.last().filter,
                 QStringLiteral("Html文件(*.html)|*.html;*.htm|所有文件(*.*)|*.*"));
        QCOMPARE(f->edit("menuLinkEdit")->text(), QStringLiteral("pages/index.htm"));
    }

    void singlePressDoesNotDrag() {
        addRoots({"A", "B"});
        clean();
        MenuNode* b = f->node({1});
        const QPoint to = captionPoint(f->node({0}));
        press(b);  // first press on B: selects it and remembers it
        moveHeld(to);
        release(to);
        QCOMPARE(f->outline(), QStringList({"A", "B"}));
        QVERIFY(!f->modified());
        QCOMPARE(f->w().treeController().clickedNode(), b);
        QCOMPARE(f->w().treeController().dragNode(), nullptr);
        // The highlight stayed with the item the panel shows.
        QCOMPARE(f->current(), b);
        QVERIFY(tree().selectionModel()->isSelected(f->w().treeModel().indexOf(b)));
        QVERIFY(!tree().selectionModel()->isSelected(f->w().treeModel().indexOf(f->node({0}))));
    }

    void secondPressDragsOntoALeaf() {
        addRoots({"A", "B"});
        clean();
        MenuNode* a = f->node({0});
        MenuNode* b = f->node({1});
        drag(b, captionPoint(a));
        QCOMPARE(f->outline(), QStringList({"A", "  B"}));
        QVERIFY(tree().isExpanded(f->w().treeModel().indexOf(a)));
        QCOMPARE(a->imageIndex, int(ImageFolderOpen));
        QCOMPARE(b->imageIndex, int(ImageFile));
        QVERIFY(f->modified());
        QCOMPARE(f->w().treeController().dragNode(), nullptr);
        QCOMPARE(f->w().treeController().clickedNode(), nullptr);
    }

    void aShortMoveDoesNotDrop() {
        addRoots({"A", "B"});
        clean();
        MenuNode* b = f->node({1});
        const QPoint from = captionPoint(b);
        QTest::mouseClick(tree().viewport(), Qt::LeftButton, {}, from);
        press(b);
        moveHeld(from + QPoint(4, 4));  // 8 pixels: below the threshold
        release(from + QPoint(4, 4));
        QCOMPARE(f->outline(), QStringList({"A", "B"}));
        QVERIFY(!f->modified());
    }

    void dropsThatChangeNothing() {
        addRoots({"A", "B"});
        MenuNode* a = f->node({0});
        addSub(a, QStringLiteral("a1"));
        tree().expand(f->w().treeModel().indexOf(a));
        clean();
        // Onto its own parent.
        drag(a->child(0), captionPoint(a));
        QCOMPARE(f->outline(), QStringList({"A", "  a1", "B"}));
        QVERIFY(!f->modified());
        // A root onto empty space.
        drag(f->node({1}), emptySpace());
        QCOMPARE(f->outline(), QStringList({"A", "  a1", "B"}));
        QVERIFY(!f->modified());
    }

    void dropOntoOwnDescendantMarksButMovesNothing() {
        addRoots({"A"});
        MenuNode* a = f->node({0});
        addSub(a, QStringLiteral("a1"));
        tree().expand(f->w().treeModel().indexOf(a));
        clean();
        drag(a, captionPoint(a->child(0)));
        QCOMPARE(f->outline(), QStringList({"A", "  a1"}));
        QVERIFY(f->modified());
    }

    void dropOnEmptySpaceMakesARoot() {
        addRoots({"A", "B"});
        MenuNode* a = f->node({0});
        addSub(a, QStringLiteral("a1"));
        tree().expand(f->w().treeModel().indexOf(a));
        MenuNode* a1 = a->child(0);
        drag(a1, emptySpace());
        QCOMPARE(f->outline(), QStringList({"A", "B", "a1"}));
        // The old parent lost its only child: it is a page again.
        QCOMPARE(a->imageIndex, int(ImageFile));
    }

    void dragShowsWhereTheItemLandsAndScrollsAtTheEdge() {
        QStringList names;
        for (int i = 0; i < 60; ++i) names << QStringLiteral("R%1").arg(i);
        addRoots(names);
        MenuNode* first = f->node({0});
        f->select(first);
        tree().scrollToTop();
        QCoreApplication::processEvents();
        const QPoint from = captionPoint(first);
        QTest::mouseClick(tree().viewport(), Qt::LeftButton, {}, from);
        press(first);
        moveHeld(from + QPoint(0, 12));
        // Over another item: it will take the dragged one as its last child, shown by a
        // frame around it and a line below it, one level in.
        MenuNode* target = f->node({3});
        const QRect row = tree().visualRect(f->w().treeModel().indexOf(target));
        moveHeld(row.center());
        QCOMPARE(tree().dropTarget(), target);
        QVERIFY(tree().dropMoves());
        QCOMPARE(tree().dropLine().y1(), row.bottom() + 1);
        QVERIFY(tree().dropLine().x1() > row.left());
        const QImage shot = tree().viewport()->grab().toImage();
        const QColor mark = tree().palette().color(QPalette::Highlight);
        const int x = (tree().dropLine().x1() + tree().dropLine().x2()) / 2;
        QCOMPARE(shot.pixelColor(x * shot.width() / tree().viewport()->width(), row.bottom()).rgb(),
                 mark.rgb());
        // Over itself nothing moves: no line, a "no" pointer.
        moveHeld(captionPoint(first));
        QVERIFY(!tree().dropMoves());
        QCOMPARE(tree().viewport()->cursor().shape(), Qt::ForbiddenCursor);
        // Near the bottom edge the tree scrolls while the pointer rests.
        QScrollBar* bar = tree().verticalScrollBar();
        QCOMPARE(bar->value(), 0);
        const QPoint edge(row.center().x(), tree().viewport()->height() - 4);
        moveHeld(edge);
        QTRY_VERIFY(bar->value() > 3);
        MenuNode* landing = tree().nodeAt(edge);
        QVERIFY(landing && landing != first);
        QCOMPARE(tree().dropTarget(), landing);
        release(edge);
        QCOMPARE(first->parent(), landing);
        // The two-press rule still holds after an undo: one press alone drags nothing.
        f->trigger("undoAction");
        QCOMPARE(first->parent(), nullptr);
        tree().scrollToTop();
        QCoreApplication::processEvents();
        MenuNode* second = f->node({1});
        press(second);
        moveHeld(captionPoint(second) + QPoint(0, 30));
        QVERIFY(!tree().dragging());
        release(captionPoint(second) + QPoint(0, 30));
        QCOMPARE(second->parent(), nullptr);
    }

    void expandingEverythingOnAVeryDeepChainStaysAlive() {
        MenuScheme chain;
        chain.reset();
        MenuNode* n = chain.appendRoot();
        for (int level = 1; level < 30000; ++level) n = n->appendChild();
        f->prompter.answerOpenFile(f->writeFile(QStringLiteral("chain.menu"), writeSchemeText(chain)));
        f->trigger("openAction");
        QCOMPARE(f->scheme().itemCount(), 30000);
        tree().setFocus();
        QTest::keyClick(&tree(), Qt::Key_Asterisk);
        QCoreApplication::processEvents();
        // Expanded down to the deepest level the view lays out, not further.
        MenuNode* deepest = f->node({0});
        int expandedLevels = 0;
        while (deepest->hasChildren() && tree().isExpanded(f->w().treeModel().indexOf(deepest))) {
            ++expandedLevels;
            deepest = deepest->firstChild();
        }
        QCOMPARE(expandedLevels, SchemeDocument::kDeepestExpandedLevel);
        // A deeper item does not open by hand either, and whole layouts stay safe.
        tree().setCurrentIndex(f->w().treeModel().indexOf(deepest));
        QTest::keyClick(&tree(), Qt::Key_Right);
        QVERIFY(!tree().isExpanded(f->w().treeModel().indexOf(deepest)));
        QVERIFY(!deepest->expanded);
        const QModelIndex root = f->w().treeModel().indexOf(f->node({0}));
        tree().collapse(root);
        tree().expand(root);
        tree().doItemsLayout();
        QCoreApplication::processEvents();
        QVERIFY(tree().isExpanded(root));
        QVERIFY(f->w().isVisible());
    }

    void pressOnThePictureIsNotACaptionPress() {
        addRoots({"A"});
        const QRect text = tree().captionRect(f->w().treeModel().indexOf(f->node({0})));
        const QPoint onIcon(text.left() - 8, text.center().y());
        QTest::mouseClick(tree().viewport(), Qt::LeftButton, {}, onIcon);
        QTest::mouseClick(tree().viewport(), Qt::LeftButton, {}, onIcon);
        QCOMPARE(f->w().treeController().clickedNode(), nullptr);
        QCOMPARE(f->w().treeController().dragNode(), nullptr);
    }

    void useImageHidesTheIconRows() {
        auto* iconRows = f->child<QWidget>("iconRows");
        QVERIFY(iconRows->isVisible());
        addRoots({"I"});
        f->edit("menuIcon1Edit")->setText(QStringLiteral("i.gif"));
        auto* useImg = f->child<QAbstractButton>("useImage");
        QVERIFY(useImg);
        useImg->click();
        QVERIFY(!iconRows->isVisible());
        QVERIFY(f->child<QWidget>("iconsBox")->isVisible());
        f->trigger("addRootItemAction");
        f->select(f->node({0}));
        QCOMPARE(f->edit("menuIcon1Edit")->text(), QStringLiteral("i.gif"));
    }
};

QTEST_MAIN(TreeEditingTest)
#include "tree_editing_test.moc"

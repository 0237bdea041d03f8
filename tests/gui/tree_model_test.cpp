// SPDX-License-Identifier: MIT
// The tree adapter under QAbstractItemModelTester while the window edits the scheme,
// with the signal counts each kind of edit must produce.
#include <QAbstractItemModelTester>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

#include "model/scheme_io.h"
#include "ui/main/menu_tree_view.h"
#include "ui/main/scheme_tree_model.h"
#include "window_fixture.h"

using namespace sylvanode;

class TreeModelTest : public QObject {
    Q_OBJECT
    std::unique_ptr<WindowFixture> f;
    std::unique_ptr<QAbstractItemModelTester> tester;

    SchemeTreeModel& model() { return f->w().treeModel(); }

private Q_SLOTS:
    void init() {
        f = std::make_unique<WindowFixture>();
        tester = std::make_unique<QAbstractItemModelTester>(
            &model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    }
    void cleanup() {
        tester.reset();
        closeWindowFixture(f);
    }

    void insertsAndRemovals() {
        QSignalSpy inserted(&model(), &QAbstractItemModel::rowsInserted);
        QSignalSpy removed(&model(), &QAbstractItemModel::rowsRemoved);
        for (int i = 0; i < 3; ++i) f->trigger("addRootItemAction");
        QCOMPARE(inserted.count(), 3);
        QCOMPARE(inserted.at(2).at(1).toInt(), 2);
        f->w().selectNode(f->node({1}));
        f->trigger("addSubItemAction");
        f->trigger("addSubItemAction");
        QCOMPARE(inserted.count(), 5);
        QCOMPARE(inserted.at(4).at(0).value<QModelIndex>(), model().indexOf(f->node({1})));
        QCOMPARE(inserted.at(4).at(1).toInt(), 1);
        QCOMPARE(model().rowCount(model().indexOf(f->node({1}))), 2);
        f->trigger("deleteItemAction");  // the middle root with its two children
        QCOMPARE(removed.count(), 1);
        QCOMPARE(removed.at(0).at(1).toInt(), 1);
        QCOMPARE(model().rowCount(), 2);
        // Rows of the remaining nodes are right after the removal.
        QCOMPARE(model().indexOf(f->node({1})).row(), 1);
        QCOMPARE(model().parent(model().index(1, 0)), QModelIndex());
    }

    void movesAreRowMoves() {
        for (int i = 0; i < 3; ++i) f->trigger("addRootItemAction");
        f->w().selectNode(f->node({0}));
        f->trigger("addSubItemAction");
        f->w().tree().expand(model().indexOf(f->node({0})));
        QSignalSpy moved(&model(), &QAbstractItemModel::rowsMoved);
        QSignalSpy layout(&model(), &QAbstractItemModel::layoutChanged);
        QSignalSpy inserted(&model(), &QAbstractItemModel::rowsInserted);
        QSignalSpy removed(&model(), &QAbstractItemModel::rowsRemoved);
        MenuNode* last = f->node({2});
        f->w().selectNode(last);
        f->trigger("moveUpAction");
        QCOMPARE(moved.count(), 1);
        QCOMPARE(layout.count(), 0);
        QCOMPARE(f->w().tree().currentIndex(), model().indexOf(last));
        QCOMPARE(model().indexOf(last).row(), 1);
        f->w().selectNode(f->node({0, 0}));
        f->trigger("moveDownAction");  // disabled: no next sibling; nothing happens
        QCOMPARE(moved.count(), 1);
        // A drop is one row move.
        MenuTreeView& tree = f->w().tree();
        MenuNode* child = f->node({0, 0});
        const QPoint from = tree.captionRect(model().indexOf(child)).center();
        const QPoint to = tree.captionRect(model().indexOf(last)).center();
        QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, from);
        QTest::mousePress(tree.viewport(), Qt::LeftButton, {}, from);
        QMouseEvent move(QEvent::MouseMove, to, tree.viewport()->mapToGlobal(to), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(tree.viewport(), &move);
        QTest::mouseRelease(tree.viewport(), Qt::LeftButton, {}, to);
        QCOMPARE(moved.count(), 2);
        QCOMPARE(child->parent(), last);
        QCOMPARE(inserted.count(), 0);
        QCOMPARE(removed.count(), 0);
        QCOMPARE(model().parent(model().indexOf(child)), model().indexOf(last));
    }

    void openAndNewAreResets() {
        MenuScheme s;
        s.reset();
        for (int i = 0; i < 5; ++i) {
            MenuNode* r = s.appendRoot();
            r->caption = r->data.menuName = "r";
            for (int j = 0; j < 3; ++j) {
                MenuNode* c = r->appendChild();
                c->caption = c->data.menuName = "c";
            }
        }
        QSignalSpy reset(&model(), &QAbstractItemModel::modelReset);
        f->prompter.answerOpenFile(f->writeFile(QStringLiteral("s.menu"), writeSchemeText(s)));
        f->trigger("openAction");
        QCOMPARE(reset.count(), 1);
        QCOMPARE(model().rowCount(), 5);
        QCOMPARE(model().rowCount(model().index(4, 0)), 3);
        QCOMPARE(model().data(model().index(0, 0, model().index(4, 0))).toString(), QStringLiteral("c"));
        f->trigger("newAction");
        QCOMPARE(reset.count(), 2);
        QCOMPARE(model().rowCount(), 0);
    }

    void captionAndPictureChangesAreDataChanges() {
        f->trigger("addRootItemAction");
        const QModelIndex root = model().index(0, 0);
        QCOMPARE(root.data().toString(), QStringLiteral("New Item"));
        QSignalSpy changed(&model(), &QAbstractItemModel::dataChanged);
        f->edit("menuNameEdit")->setText(QStringLiteral("中文"));
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.at(0).at(0).value<QModelIndex>(), root);
        QCOMPARE(root.data().toString(), QStringLiteral("中文"));
        QVERIFY(!root.data(Qt::DecorationRole).value<QIcon>().isNull());
        // Renaming in place is F2's alone: no click or key of the view opens an editor.
        QCOMPARE(f->w().tree().editTriggers(), QAbstractItemView::NoEditTriggers);
        QVERIFY(!(model().flags(root) & Qt::ItemIsDragEnabled));
    }
};

QTEST_MAIN(TreeModelTest)
#include "tree_model_test.moc"

// SPDX-License-Identifier: MIT
// The tree model on a document alone, no view and no widget: QAbstractItemModelTester while
// random edits run, the rows each kind of edit moves, and a rename that is a step.
#include <QAbstractItemModelTester>
#include <QGuiApplication>
#include <QIcon>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <random>

#include "document/item_edits.h"
#include "document_fixture.h"
#include "ui/common/icons.h"
#include "ui/main/scheme_tree_model.h"

using namespace sylvanode;
using namespace sylvanode::testing;

class TreeModelTest : public QObject {
    Q_OBJECT
    std::unique_ptr<SchemeDocument> doc;
    std::unique_ptr<SchemeTreeModel> model;
    std::unique_ptr<QAbstractItemModelTester> tester;

    MenuNode* node(std::initializer_list<int> rows) { return nodeAt(doc->scheme(), rows); }
    void addRoots(int n) {
        for (int i = 0; i < n; ++i) addRootItem(*doc, 0);
    }

private Q_SLOTS:
    void initTestCase() { initUiResources(); }
    void init() {
        doc = std::make_unique<SchemeDocument>();
        model = std::make_unique<SchemeTreeModel>(*doc);
        tester = std::make_unique<QAbstractItemModelTester>(model.get(),
                                                            QAbstractItemModelTester::FailureReportingMode::QtTest);
    }
    void cleanup() {
        tester.reset();
        model.reset();
        doc.reset();
    }

    void insertsAndRemovals() {
        QSignalSpy inserted(model.get(), &QAbstractItemModel::rowsInserted);
        QSignalSpy removed(model.get(), &QAbstractItemModel::rowsRemoved);
        addRoots(3);
        QCOMPARE(inserted.count(), 3);
        QCOMPARE(inserted.at(2).at(1).toInt(), 2);
        doc->setCurrentItem(node({1}));
        addSubItem(*doc);
        addSubItem(*doc);
        QCOMPARE(inserted.count(), 5);
        QCOMPARE(inserted.at(4).at(0).value<QModelIndex>(), model->indexOf(node({1})));
        QCOMPARE(inserted.at(4).at(1).toInt(), 1);
        QCOMPARE(model->rowCount(model->indexOf(node({1}))), 2);
        deleteItem(*doc);  // the middle root with its two children: one row
        QCOMPARE(removed.count(), 1);
        QCOMPARE(removed.at(0).at(1).toInt(), 1);
        QCOMPARE(model->rowCount(), 2);
        QCOMPARE(model->indexOf(node({1})).row(), 1);
        QCOMPARE(model->parent(model->index(1, 0)), QModelIndex());
        // Undo puts the branch back as one row.
        doc->undo();
        QCOMPARE(inserted.count(), 6);
        QCOMPARE(model->rowCount(model->index(1, 0)), 2);
    }

    void movesAreRowMoves() {
        addRoots(3);
        doc->setCurrentItem(node({0}));
        addSubItem(*doc);
        QSignalSpy moved(model.get(), &QAbstractItemModel::rowsMoved);
        QSignalSpy layout(model.get(), &QAbstractItemModel::layoutChanged);
        QSignalSpy inserted(model.get(), &QAbstractItemModel::rowsInserted);
        QSignalSpy removed(model.get(), &QAbstractItemModel::rowsRemoved);
        MenuNode* last = node({2});
        doc->setCurrentItem(last);
        moveItem(*doc, -1);
        QCOMPARE(moved.count(), 1);
        QCOMPARE(model->indexOf(last).row(), 1);
        moveItem(*doc, +1);  // down again: the destination counts the row itself
        QCOMPARE(moved.count(), 2);
        QCOMPARE(moved.at(1).at(4).toInt(), 3);
        QCOMPARE(model->indexOf(last).row(), 2);
        MenuNode* child = node({0, 0});
        QVERIFY(dropItem(*doc, child, last));
        QCOMPARE(moved.count(), 3);
        QCOMPARE(child->parent(), last);
        QCOMPARE(model->parent(model->indexOf(child)), model->indexOf(last));
        QCOMPARE(layout.count(), 0);
        QCOMPARE(inserted.count(), 0);
        QCOMPARE(removed.count(), 0);
    }

    void replacingTheSchemeIsAReset() {
        QTemporaryDir dir;
        std::mt19937 rng(7);
        const QString path = dir.filePath(QStringLiteral("s.menu"));
        writeFile(path, randomSchemeText(rng));
        QSignalSpy reset(model.get(), &QAbstractItemModel::modelReset);
        QVERIFY(doc->open(path));
        QCOMPARE(reset.count(), 1);
        QCOMPARE(model->rowCount(), static_cast<int>(doc->scheme().roots().size()));
        doc->newScheme();
        QCOMPARE(reset.count(), 2);
        QCOMPARE(model->rowCount(), 0);
    }

    void captionsPicturesAndRenames() {
        addRoots(1);
        const QModelIndex root = model->index(0, 0);
        QCOMPARE(root.data().toString(), QStringLiteral("New Item"));
        QSignalSpy changed(model.get(), &QAbstractItemModel::dataChanged);
        MenuItemData fields = node({0})->data;
        fields.menuName = "\xD6\xD0\xCE\xC4";  // 中文
        editItemField(*doc, node({0}), ItemField::Title, fields);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(changed.at(0).at(0).value<QModelIndex>(), root);
        QCOMPARE(root.data().toString(), QStringLiteral("中文"));
        // A first child makes a page a folder: its picture changes with it.
        const qint64 page = root.data(Qt::DecorationRole).value<QIcon>().cacheKey();
        addSubItem(*doc);
        QVERIFY(root.data(Qt::DecorationRole).value<QIcon>().cacheKey() != page);
        // A rename in place is one undo step on the document.
        QVERIFY(model->setData(root, QStringLiteral("Home")));
        QCOMPARE(node({0})->caption, std::string("Home"));
        QCOMPARE(node({0})->data.menuName, std::string("Home"));
        QCOMPARE(doc->undoStack().undoText(), QStringLiteral("修改菜单标题"));
        doc->undo();
        QCOMPARE(root.data().toString(), QStringLiteral("中文"));
    }

    // Random edits under the model tester: every signal the model passes on is consistent.
    void randomEditsKeepTheModelConsistent() {
        std::mt19937 rng(3);
        addRoots(2);
        for (int step = 0; step < 600; ++step) {
            const int count = doc->itemCount();
            MenuNode* some = count ? doc->itemAt(static_cast<int>(rng() % static_cast<unsigned>(count))) : nullptr;
            doc->setCurrentItem(some);
            switch (rng() % 9) {
                case 0: addRootItem(*doc, 0); break;
                case 1: addSubItem(*doc); break;
                case 2: deleteItem(*doc); break;
                case 3: moveItem(*doc, rng() % 2 ? 1 : -1); break;
                case 4: rng() % 2 ? indentItem(*doc) : outdentItem(*doc); break;
                case 5: duplicateItem(*doc); break;
                case 6: dropItem(*doc, some, count ? doc->itemAt(static_cast<int>(rng() % static_cast<unsigned>(count))) : nullptr); break;
                case 7: doc->undo(); break;
                case 8: doc->redo(); break;
            }
        }
        QCOMPARE(doc->itemCount(), doc->scheme().itemCount());
    }
};

int main(int argc, char** argv) {
    // Qt Gui for the pictures, no widgets.
    QGuiApplication app(argc, argv);
    TreeModelTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tree_model_test.moc"

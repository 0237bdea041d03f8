// SPDX-License-Identifier: MIT
// The editing commands of a document, without any window: thousands of random edits undone
// and redone to the very bytes, the signals a view follows, and the rules of each command.
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <map>
#include <random>

#include "document/edit_commands.h"
#include "document/item_edits.h"
#include "document/text_codec.h"
#include "document_fixture.h"
#include "model/scheme_io.h"

using namespace sylvanode;
using namespace sylvanode::testing;

namespace {

// A view that knows the tree only from the document's signals: it keeps its own copy of the
// structure and must always agree with the document.
class Mirror {
public:
    explicit Mirror(SchemeDocument& document) : document_(document) {
        QObject::connect(&document, &SchemeDocument::replaced, [this] { rebuild(); });
        QObject::connect(&document, &SchemeDocument::aboutToReplace, [this] { begin("replace"); });
        QObject::connect(&document, &SchemeDocument::replaced, [this] { end("replace"); });
        QObject::connect(&document, &SchemeDocument::itemsAboutToBeInserted, [this](MenuNode*, int, int) {
            begin("insert");
        });
        QObject::connect(&document, &SchemeDocument::itemsInserted, [this](MenuNode* parent, int first, int last) {
            end("insert");
            auto& group = children_[parent];
            const auto& real = groupOf(parent);
            for (int row = first; row <= last; ++row) {
                MenuNode* n = real[static_cast<size_t>(row)].get();
                group.insert(group.begin() + row, n);
                adopt(n);
            }
        });
        QObject::connect(&document, &SchemeDocument::itemsAboutToBeRemoved,
                         [this](MenuNode* parent, int first, int last) {
                             begin("remove");
                             auto& group = children_[parent];
                             for (int row = last; row >= first; --row) {
                                 if (group.at(static_cast<size_t>(row)) != groupOf(parent)[static_cast<size_t>(row)].get())
                                     problems_ << QStringLiteral("removed row %1 is not the mirror's").arg(row);
                                 group.erase(group.begin() + row);
                             }
                         });
        QObject::connect(&document, &SchemeDocument::itemsRemoved, [this] { end("remove"); });
        QObject::connect(&document, &SchemeDocument::itemAboutToBeMoved, [this](MenuNode*, MenuNode*, int) {
            begin("move");
        });
        QObject::connect(&document, &SchemeDocument::itemMoved, [this](MenuNode* node, MenuNode* oldParent, int oldRow) {
            end("move");
            auto& from = children_[oldParent];
            if (from.at(static_cast<size_t>(oldRow)) != node) problems_ << QStringLiteral("moved item not at its row");
            from.erase(from.begin() + oldRow);
            auto& to = children_[node->parent()];
            const int row = document_.rowOf(node);
            to.insert(to.begin() + row, node);
        });
        rebuild();
    }

    // Problems found so far, and whether the mirror's tree is the document's.
    QStringList check() {
        QStringList out = problems_;
        std::vector<MenuNode*> flat;
        std::vector<MenuNode*> stack(children_[nullptr].rbegin(), children_[nullptr].rend());
        while (!stack.empty()) {
            MenuNode* n = stack.back();
            stack.pop_back();
            flat.push_back(n);
            const auto& c = children_[n];
            stack.insert(stack.end(), c.rbegin(), c.rend());
        }
        if (flat != document_.scheme().flatten()) out << QStringLiteral("the mirror's tree is not the document's");
        if (open_) out << QStringLiteral("a change never ended");
        return out;
    }

private:
    const std::vector<std::unique_ptr<MenuNode>>& groupOf(MenuNode* parent) const {
        return parent ? parent->children() : document_.scheme().roots();
    }
    void adopt(MenuNode* top) {
        std::vector<MenuNode*> stack{top};
        while (!stack.empty()) {
            MenuNode* n = stack.back();
            stack.pop_back();
            auto& group = children_[n];
            group.clear();
            for (const auto& c : n->children()) {
                group.push_back(c.get());
                stack.push_back(c.get());
            }
        }
    }
    void rebuild() {
        children_.clear();
        auto& roots = children_[nullptr];
        for (const auto& r : document_.scheme().roots()) {
            roots.push_back(r.get());
            adopt(r.get());
        }
    }
    void begin(const char* what) {
        if (open_) problems_ << QStringLiteral("%1 begins inside another change").arg(QLatin1String(what));
        open_ = what;
    }
    void end(const char* what) {
        if (open_ != what) problems_ << QStringLiteral("%1 ends without its beginning").arg(QLatin1String(what));
        open_ = nullptr;
    }

    SchemeDocument& document_;
    std::map<MenuNode*, std::vector<MenuNode*>> children_;
    const char* open_ = nullptr;
    QStringList problems_;
};

MenuNode* randomNode(const SchemeDocument& document, std::mt19937& rng) {
    const int count = document.itemCount();
    return count == 0 ? nullptr : document.itemAt(static_cast<int>(rng() % static_cast<unsigned>(count)));
}

// One random edit, or something that is no step (selecting, opening, a pause, undo, redo).
void randomAction(SchemeDocument& document, std::mt19937& rng, qint64& clock) {
    MenuNode* some = randomNode(document, rng);
    switch (rng() % 24) {
        case 0: document.setCurrentItem(rng() % 8 ? some : nullptr); break;
        case 1: addRootItem(document, static_cast<int>(rng() % 2)); break;
        case 2: addSubItem(document); break;
        case 3: deleteItem(document, rng() % 2 ? QString() : QStringLiteral("cut")); break;
        case 4: moveItem(document, rng() % 2 ? 1 : -1); break;
        case 5: rng() % 2 ? indentItem(document) : outdentItem(document); break;
        case 6: duplicateItem(document); break;
        case 7:
            if (some) {
                std::vector<std::unique_ptr<MenuNode>> copies;
                copies.push_back(cloneSubtree(*some));
                if (rng() % 2) copies.push_back(cloneSubtree(*some));
                insertItems(document, std::move(copies), QStringLiteral("paste"));
            }
            break;
        case 8: dropItem(document, some, rng() % 5 ? randomNode(document, rng) : nullptr); break;
        case 9:
        case 10:
        case 11: {
            // Typing into a field: characters one by one, blanks among them now and then.
            if (!some) break;
            const auto field = static_cast<ItemField>(rng() % 9);
            MenuItemData fields = some->data;
            for (int i = static_cast<int>(rng() % 4); i >= 0; --i) {
                const char typed = "ab \xB2"[rng() % 4];
                for (SchemeText* text : {&fields.menuName, &fields.menuHint, &fields.menuStatus, &fields.menuIcon1,
                                         &fields.menuIcon2, &fields.menuLink, &fields.menuTarget, &fields.menuScript})
                    *text = text->str() + (typed == '\xB2' ? 'x' : typed);
                if (field == ItemField::Action) fields.contentType = static_cast<int>(rng() % 2);
                editItemField(document, some, field, fields);
                clock += rng() % 3 == 0 ? 1500 : 100;
            }
            break;
        }
        case 12:
            if (some) {
                MenuItemData fields = some->data;
                fields.menuName = randomText(rng);
                editItemField(document, some, ItemField::Title, fields);
            }
            break;
        case 13: renameItem(document, some, randomText(rng) + "!"); break;
        case 14:
        case 15: {
            SchemeOptions options = optionsOf(document.scheme());
            const bool styles = rng() % 2;
            if (styles) {
                options.kinds[rng() % 2].padding[rng() % 4] = static_cast<int32_t>(rng() % 50);
                options.kinds[rng() % 2].styles[rng() % 3].underline = rng() % 2;
            } else {
                options.settings.indent = 10 + static_cast<int32_t>(rng() % 40);
                options.settings.target = randomText(rng);
                options.settings.showLine = rng() % 2;
                options.settings.scriptCharset = rng() % 2 ? ScriptCharset::Utf8 : ScriptCharset::Gbk;
            }
            changeOptions(document, styles ? DocumentPart::Styles : DocumentPart::Settings, QStringLiteral("options"),
                          static_cast<int>(rng() % 3) - 1, options);
            break;
        }
        case 16: document.setExpanded(some, rng() % 2); break;
        case 17: document.sealMerging(); break;
        case 18:
        case 19:
        case 20:
            for (int i = static_cast<int>(rng() % 3); i >= 0; --i) document.undo();
            break;
        case 21: document.redo(); break;
        case 22: clock += 2000; break;
        case 23: deleteItem(document); break;
    }
}

}  // namespace

class EditsTest : public QObject {
    Q_OBJECT
    QTemporaryDir dir;

private Q_SLOTS:
    // Thousands of random edits: undoing all gives back the very bytes the document was
    // opened with, redoing all the bytes after the edits; the document's script is always the
    // script of the file it would save; a view that follows only the signals always holds the
    // document's tree; item indexes map both ways.
    void randomEditsUndoAndRedoToTheSameBytes() {
        for (unsigned seed = 1; seed <= 4; ++seed) {
            std::mt19937 rng(seed);
            const QString path = dir.filePath(QStringLiteral("random%1.menu").arg(seed));
            writeFile(path, randomSchemeText(rng));
            SchemeDocument document;
            qint64 clock = 0;
            document.setClock([&clock] { return clock; });
            Mirror mirror(document);
            QVERIFY(document.open(path));
            const std::string original = bytesOf(document);
            QCOMPARE(original, readFile(path));
            for (int step = 0; step < 1500; ++step) {
                randomAction(document, rng, clock);
                const QStringList problems = mirror.check();
                QVERIFY2(problems.isEmpty(), qPrintable(QStringLiteral("seed %1 step %2: ").arg(seed).arg(step) +
                                                        problems.join(QStringLiteral("; "))));
                if (step % 50 == 0) {
                    for (int i = 0; i < document.itemCount(); ++i) QCOMPARE(document.indexOf(document.itemAt(i)), i);
                    QCOMPARE(document.itemCount(), document.scheme().itemCount());
                    QVERIFY(!document.currentItem() || document.contains(document.currentItem()));
                }
            }
            while (document.undoStack().canRedo()) document.redo();
            const std::string after = bytesOf(document);
            QVERIFY(document.undoStack().count() > 200);
            QVERIFY(after != original);
            QCOMPARE(scriptOf(document), scriptOfText(after));

            while (document.undoStack().canUndo()) document.undo();
            QVERIFY2(bytesOf(document) == original, qPrintable(QStringLiteral("seed %1: undo all").arg(seed)));
            QVERIFY(!document.isModified());
            QCOMPARE(scriptOf(document), scriptOfText(original));
            while (document.undoStack().canRedo()) document.redo();
            QVERIFY2(bytesOf(document) == after, qPrintable(QStringLiteral("seed %1: redo all").arg(seed)));
            QVERIFY(document.isModified());
            QCOMPARE(scriptOf(document), scriptOfText(after));
            QVERIFY(mirror.check().isEmpty());
        }
    }

    // Each command acts on the current item; one with nothing to act on makes no step.
    void commandsNeedSomethingToActOn_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QList<int>>("current");  // row path; empty: none
        QTest::addColumn<bool>("step");
        QTest::addColumn<QStringList>("outline");
        // The tree: A (A1, A2), B.
        const QStringList same{"A", "  A1", "  A2", "B"};
        QTest::newRow("add sub, nothing current") << "addSub" << QList<int>{} << false << same;
        QTest::newRow("add sub") << "addSub" << QList<int>{1} << true << QStringList{"A", "  A1", "  A2", "B", "  New Item"};
        QTest::newRow("delete, nothing current") << "delete" << QList<int>{} << false << same;
        QTest::newRow("delete a branch") << "delete" << QList<int>{0} << true << QStringList{"B"};
        QTest::newRow("up, first") << "up" << QList<int>{0, 0} << false << same;
        QTest::newRow("up") << "up" << QList<int>{0, 1} << true << QStringList{"A", "  A2", "  A1", "B"};
        QTest::newRow("down, last") << "down" << QList<int>{1} << false << same;
        QTest::newRow("down") << "down" << QList<int>{0} << true << QStringList{"B", "A", "  A1", "  A2"};
        QTest::newRow("indent, first") << "indent" << QList<int>{0} << false << same;
        QTest::newRow("indent") << "indent" << QList<int>{1} << true << QStringList{"A", "  A1", "  A2", "  B"};
        QTest::newRow("outdent, root") << "outdent" << QList<int>{1} << false << same;
        QTest::newRow("outdent") << "outdent" << QList<int>{0, 0} << true << QStringList{"A", "  A2", "A1", "B"};
        QTest::newRow("duplicate") << "duplicate" << QList<int>{0} << true
                                   << QStringList{"A", "  A1", "  A2", "A", "  A1", "  A2", "B"};
        QTest::newRow("drop on its parent") << "dropOnParent" << QList<int>{0, 1} << false << same;
        QTest::newRow("drop into its own subtree") << "dropInside" << QList<int>{0} << true << same;
        QTest::newRow("drop on empty space") << "dropOnSpace" << QList<int>{0, 0} << true
                                             << QStringList{"A", "  A2", "B", "A1"};
        QTest::newRow("drop on another") << "dropOnB" << QList<int>{0} << true << QStringList{"B", "  A", "    A1", "    A2"};
    }
    void commandsNeedSomethingToActOn() {
        QFETCH(QString, command);
        QFETCH(QList<int>, current);
        QFETCH(bool, step);
        QFETCH(QStringList, outline);
        SchemeDocument document;
        MenuScheme s;
        s.reset();
        for (const char* name : {"A", "B"}) s.appendRoot()->caption = name;
        for (const char* name : {"A1", "A2"}) s.roots()[0]->appendChild()->caption = name;
        const QString path = dir.filePath(QStringLiteral("rules.menu"));
        QVERIFY(writeSchemeFile(s, QFile::encodeName(path).toStdString()));
        QVERIFY(document.open(path));
        MenuNode* node = current.isEmpty() ? nullptr : document.scheme().roots()[static_cast<size_t>(current[0])].get();
        if (current.size() > 1) node = node->child(current[1]);
        document.setCurrentItem(node);
        const auto a = nodeAt(document.scheme(), {0});
        const auto b = nodeAt(document.scheme(), {1});
        bool made = false;
        if (command == "addSub") made = addSubItem(document);
        if (command == "delete") made = deleteItem(document);
        if (command == "up") made = moveItem(document, -1);
        if (command == "down") made = moveItem(document, +1);
        if (command == "indent") made = indentItem(document);
        if (command == "outdent") made = outdentItem(document);
        if (command == "duplicate") made = duplicateItem(document);
        if (command == "dropOnParent") made = dropItem(document, node, node->parent());
        if (command == "dropInside") made = dropItem(document, node, node->child(1));
        if (command == "dropOnSpace") made = dropItem(document, node, nullptr);
        if (command == "dropOnB") made = dropItem(document, a, b);
        QCOMPARE(made, step);
        QCOMPARE(document.undoStack().count(), step ? 1 : 0);
        QCOMPARE(document.isModified(), step);
        QCOMPARE(testing::outline(document.scheme()), outline);
        document.undo();
        QCOMPARE(testing::outline(document.scheme()), QStringList({"A", "  A1", "  A2", "B"}));
    }

    // Delete makes the neighbour that takes the item's place current, else the one before it,
    // else the parent; undo brings back the very nodes, and the item is current again.
    void deleteLeavesANeighbourCurrent() {
        SchemeDocument document;
        addRootItem(document, 0);
        MenuNode* root = document.currentItem();
        for (int i = 0; i < 3; ++i) addSubItem(document);
        MenuNode* first = root->child(0);
        MenuNode* middle = root->child(1);
        MenuNode* last = root->child(2);
        QSignalSpy current(&document, &SchemeDocument::currentItemChanged);
        document.setCurrentItem(middle);
        deleteItem(document);
        QCOMPARE(document.currentItem(), last);
        deleteItem(document);
        QCOMPARE(document.currentItem(), first);
        deleteItem(document);
        QCOMPARE(document.currentItem(), root);
        document.undo();
        QCOMPARE(document.currentItem(), first);
        QCOMPARE(root->child(0), first);
        document.undo();
        document.undo();
        QCOMPARE(root->childCount(), 3);
        QCOMPARE(root->child(1), middle);
        QCOMPARE(document.currentItem(), middle);
        // Each change was heard once, with the item it ended on.
        QCOMPARE(current.count(), 7);
        QCOMPARE(current.last().at(0).value<MenuNode*>(), middle);
    }

    // Typing in a field merges into one step until a pause, a blank (a new word), another
    // field, another item, or a new session; a rename is always a step of its own.
    void typingMergesUntilAPauseOrAWord() {
        SchemeDocument document;
        qint64 clock = 0;
        document.setClock([&clock] { return clock; });
        addRootItem(document, 0);
        MenuNode* item = document.currentItem();
        const auto type = [&](ItemField field, const std::string& text) {
            MenuItemData fields = item->data;
            for (char c : text) {
                SchemeText& typed = field == ItemField::Hint ? fields.menuHint : fields.menuName;
                typed = typed.str() + c;
                editItemField(document, item, field, fields);
                clock += 200;
            }
        };
        const int base = document.undoStack().count();
        type(ItemField::Hint, "hello");
        QCOMPARE(document.undoStack().count(), base + 1);
        type(ItemField::Hint, " world");  // a blank starts a word
        QCOMPARE(document.undoStack().count(), base + 2);
        clock += SchemeDocument::kMergePauseMs + 1;  // a pause
        type(ItemField::Hint, "!");
        QCOMPARE(document.undoStack().count(), base + 3);
        type(ItemField::Title, "T");  // another field
        QCOMPARE(document.undoStack().count(), base + 4);
        document.sealMerging();
        type(ItemField::Title, "U");
        QCOMPARE(document.undoStack().count(), base + 5);
        renameItem(document, item, "Renamed");
        type(ItemField::Title, "V");
        QCOMPARE(document.undoStack().count(), base + 7);
        // Ctrl+Z takes back the last word, not the whole run.
        for (int i = 0; i < 4; ++i) document.undo();
        QCOMPARE(item->data.menuHint, std::string("hello world!"));
        document.undo();
        QCOMPARE(item->data.menuHint, std::string("hello world"));
        document.undo();
        QCOMPARE(item->data.menuHint, std::string("hello"));
        QCOMPARE(document.undoStack().undoText(), QStringLiteral("修改提示文字"));
        QVERIFY(startsNewWord("ab", "ab c"));
        QVERIFY(startsNewWord("ab", "a b"));
        QVERIFY(!startsNewWord("ab", "abc"));
        QVERIFY(!startsNewWord("a b", "ab"));
        QVERIFY(!startsNewWord("\xD0\xC2", "\xD0\xC2\xCE\xC5"));
    }

    // The item shows only its chosen action: choosing one drops the other's texts in the same
    // step (undo brings them back); a text of the other action typed meanwhile changes nothing,
    // though it is a step.
    void anActionKeepsOnlyItsOwnTexts() {
        SchemeDocument document;
        addRootItem(document, 0);
        MenuNode* item = document.currentItem();
        MenuItemData fields = item->data;
        fields.menuLink = "a.htm";
        fields.menuTarget = "_top";
        editItemField(document, item, ItemField::Link, fields);
        editItemField(document, item, ItemField::Target, fields);
        fields.menuScript = "go()";
        const int steps = document.undoStack().count();
        editItemField(document, item, ItemField::Script, fields);  // while the link is chosen
        QCOMPARE(document.undoStack().count(), steps + 1);
        QVERIFY(item->data.menuScript.empty());
        fields.contentType = 1;
        editItemField(document, item, ItemField::Action, fields);
        QCOMPARE(item->data.contentType, 1);
        QCOMPARE(item->data.menuScript, std::string("go()"));
        QVERIFY(item->data.menuLink.empty() && item->data.menuTarget.empty());
        document.undo();
        QCOMPARE(item->data.contentType, 0);
        QCOMPARE(item->data.menuLink, std::string("a.htm"));
        QCOMPARE(item->data.menuTarget, std::string("_top"));
        QVERIFY(item->data.menuScript.empty());
    }

    // "Modified" is the history's clean state and nothing else: a save is clean, undoing back
    // to it too; an import was never saved, so no undo makes it clean; New and Open start clean.
    void modifiedIsTheCleanState() {
        SchemeDocument document;
        QSignalSpy modified(&document, &SchemeDocument::modifiedChanged);
        QVERIFY(!document.isModified());
        addRootItem(document, 0);
        QVERIFY(document.isModified());
        const QString path = dir.filePath(QStringLiteral("clean.menu"));
        QVERIFY(document.save(path));
        QVERIFY(!document.isModified());
        QCOMPARE(document.filePath(), path);
        QCOMPARE(document.fileName(), QStringLiteral("clean.menu"));
        addRootItem(document, 0);
        QVERIFY(document.isModified());
        document.undo();
        QVERIFY(!document.isModified());
        document.undo();
        QVERIFY(document.isModified());
        document.setMenuSuffix("x");  // no step
        document.setExpanded(document.currentItem(), true);
        QCOMPARE(document.undoStack().count(), 2);
        QCOMPARE(modified.count(), 5);

        ImportResult imported;
        imported.roots.push_back(std::make_unique<MenuNode>());
        imported.workDir = "/site/";
        imported.report.title = "Site";
        document.adoptImported(std::move(imported));
        QVERIFY(document.isModified());
        QVERIFY(document.isUntitled());
        QCOMPARE(document.scheme().settings.workDir, std::string("/site/"));
        QCOMPARE(document.scheme().settings.title, std::string("Site"));
        QCOMPARE(document.scheme().settings.target, std::string("_self"));  // no imported link names one
        addRootItem(document, 0);
        document.undo();
        QVERIFY(document.isModified());
        document.newScheme();
        QVERIFY(!document.isModified());
        QVERIFY(document.scheme().empty());
        QVERIFY(document.scheme().settings.menuSuffix.empty());
        document.setMenuSuffix("y");  // opening a scheme empties it, as new does
        QVERIFY(document.open(path));
        QVERIFY(document.scheme().settings.menuSuffix.empty());
        QVERIFY(!document.isModified());
        QCOMPARE(document.currentItem(), document.scheme().roots().front().get());
        // A failed open changes nothing.
        writeFile(dir.filePath(QStringLiteral("bad.menu")), "[Config]\r\ncount=2\r\n[MenuLevel]\r\n0=1\r\n");
        addRootItem(document, 0);
        const std::string before = bytesOf(document);
        QVERIFY(!document.open(dir.filePath(QStringLiteral("bad.menu"))));
        QCOMPARE(bytesOf(document), before);
        QCOMPARE(document.filePath(), path);
        QVERIFY(document.isModified());
    }

    // Settings and styles: one step per change, merged per control, undone whole.
    void optionsAreSteps() {
        SchemeDocument document;
        QSignalSpy options(&document, &SchemeDocument::optionsChanged);
        QSignalSpy content(&document, &SchemeDocument::contentChanged);
        SchemeOptions after = optionsOf(document.scheme());
        for (int indent = 14; indent <= 16; ++indent) {
            after.settings.indent = indent;
            changeOptions(document, DocumentPart::Settings, QStringLiteral("修改缩进"), 2, after);
        }
        QCOMPARE(document.undoStack().count(), 1);
        after.kinds[0].styles[1].underline = true;
        changeOptions(document, DocumentPart::Styles, QStringLiteral("修改样式"), -1, after);
        QCOMPARE(document.undoStack().count(), 2);
        QCOMPARE(options.count(), 4);
        QCOMPARE(options.last().at(0).value<DocumentPart>(), DocumentPart::Styles);
        QCOMPARE(content.count(), 4);
        QSignalSpy replayed(&document, &SchemeDocument::changeReplayed);
        document.undo();
        document.undo();
        QCOMPARE(document.scheme().settings.indent, 13);
        QVERIFY(!document.scheme().kinds[0].styles[1].underline);
        QCOMPARE(replayed.count(), 2);
        QCOMPARE(replayed.last().at(0).value<DocumentPart>(), DocumentPart::Settings);
    }
};

QTEST_GUILESS_MAIN(EditsTest)
#include "edits_test.moc"

// SPDX-License-Identifier: MIT
// Undo and redo: every edit is one step, undoing everything gives back the very bytes
// the scheme started with, redoing everything the bytes after the edits.
#include <QAbstractItemModelTester>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <QUndoStack>
#include <random>

#include "codegen/script_text.h"
#include "model/scheme_io.h"
#include "ui/common/text_codec.h"
#include "ui/main/item_panel.h"
#include "ui/main/menu_tree_view.h"
#include "ui/main/scheme_tree_model.h"
#include "ui/main/settings_page.h"
#include "ui/main/style_page.h"
#include "window_fixture.h"

using namespace sylvanode;

namespace {

// Texts as authors type them: ASCII, GBK (with a 0x5C trail byte), quotes and "=" inside.
const char* const kTexts[] = {"Home",
                              "\xB2\xFA\xC6\xB7",
                              "a=b;c",
                              "x\x81\x5Cy",
                              "say \"hi\"",
                              "pages/a.htm",
                              "javascript:void(0)",
                              "_top",
                              "img/i.gif",
                              "\xD0\xC2 \xCE\xC5",
                              "go('a', 1)",
                              ""};

std::string pick(std::mt19937& rng) { return kTexts[rng() % std::size(kTexts)]; }

// A random scheme: a forest of up to 40 items, any action, any texts; some settings changed.
std::string randomSchemeText(std::mt19937& rng) {
    MenuScheme s;
    s.reset();
    std::vector<MenuNode*> nodes;
    const int count = 5 + static_cast<int>(rng() % 36);
    for (int i = 0; i < count; ++i) {
        MenuNode* parent = nodes.empty() || rng() % 4 == 0 ? nullptr : nodes[rng() % nodes.size()];
        MenuNode* n = parent ? parent->appendChild() : s.appendRoot();
        MenuItemData& d = n->data;
        d.menuName = pick(rng) + std::to_string(i);
        n->caption = d.menuName;
        d.menuHint = pick(rng);
        d.menuStatus = pick(rng);
        d.menuIcon1 = pick(rng);
        if (rng() % 3 == 0) {
            d.contentType = 1;
            d.menuScript = pick(rng);
        } else {
            d.menuLink = pick(rng);
            d.menuTarget = pick(rng);
        }
        nodes.push_back(n);
    }
    for (MenuNode* n : nodes) n->refreshImage();
    s.settings.indent = 10 + static_cast<int>(rng() % 40);
    s.settings.showLine = rng() % 2;
    s.kinds[1].styles[0].fontName = "Arial";
    return writeSchemeText(s);
}

// Answers the CSS dialog: flips underline and presses OK.
void answerCssUnderline(ScriptedPrompter& prompter) {
    prompter.answerDialog([](QDialog& d) {
        d.show();
        d.findChild<QCheckBox*>(QStringLiteral("useUnderline"))->click();
        QTest::mouseClick(d.findChild<QPushButton*>(QStringLiteral("okButton")), Qt::LeftButton);
        return d.result();
    });
}

}  // namespace

class UndoTest : public QObject {
    Q_OBJECT
    std::unique_ptr<WindowFixture> f;

    MainWindow& w() { return f->w(); }
    QUndoStack& stack() { return w().undoStack(); }
    // What Save would write: the panel stored, then the scheme's text.
    std::string bytes() {
        w().saveNodeData(w().selectedNode());
        return writeSchemeText(w().scheme());
    }
    std::string script() {
        w().saveNodeData(w().selectedNode());
        return scriptFileBytes(w().scheme());
    }
    static std::string scriptOfFile(const std::string& text) {
        MenuScheme s;
        if (!readSchemeText(s, text)) return "unreadable";
        return scriptFileBytes(s);
    }
    MenuNode* randomNode(std::mt19937& rng) {
        const std::vector<MenuNode*> all = w().scheme().flatten();
        return all.empty() ? nullptr : all[rng() % all.size()];
    }
    static void key(QWidget* target, QKeyCombination k) {
        QTest::keyClick(target, k.key(), k.keyboardModifiers());
    }

    // One random user action: a command, an edit in a page, or something that is no step.
    void randomAction(std::mt19937& rng) {
        MenuNode* some = randomNode(rng);
        ItemPanel& panel = w().itemPanel();
        switch (rng() % 20) {
            case 0:
                w().selectNode(some);
                break;
            case 1:
                f->trigger("addRootItemAction");
                break;
            case 2:
            case 3: {
                const char* commands[] = {"addSubItemAction", "deleteItemAction", "moveUpAction",
                                          "moveDownAction",   "indentAction",     "outdentAction",
                                          "duplicateAction",  "cutAction"};
                QAction* a = f->action(commands[rng() % std::size(commands)]);
                if (a->isEnabled()) a->trigger();
                break;
            }
            case 4:
                f->trigger("copyAction");
                w().selectNode(randomNode(rng));
                f->trigger("pasteAction");
                break;
            case 5: {
                // A drop: two presses on a caption arm it, then it lands on an item or on empty space.
                if (!some) break;
                w().selectNode(some);
                Q_EMIT w().tree().leftPressed(some);
                Q_EMIT w().tree().leftPressed(some);
                Q_EMIT w().tree().dropped(rng() % 5 == 0 ? nullptr : randomNode(rng));
                break;
            }
            case 6:
            case 7:
            case 8: {
                QLineEdit* fields[] = {panel.menuName(),  panel.menuHint(),  panel.menuStatus(),
                                       panel.menuIcon1(), panel.menuIcon2(), panel.menuLink(),
                                       panel.menuScript()};
                QLineEdit* field = fields[rng() % std::size(fields)];
                if (rng() % 2)
                    field->setText(toQString(pick(rng)));
                else
                    QTest::keyClicks(field, QStringLiteral("ab"));  // typing: merged steps
                break;
            }
            case 9:
                if (rng() % 2)
                    panel.menuTarget()->setEditText(toQString(pick(rng)));
                else
                    (rng() % 2 ? panel.radioScript() : panel.radioLink())->click();
                break;
            case 10:
                f->child<QToolButton>(rng() % 2 ? "copyToHintButton" : "copyToStatusButton")->click();
                break;
            case 11:
                if (some) w().treeModel().setData(w().treeModel().indexOf(some), toQString(pick(rng)) + "!");
                break;
            case 12: {
                const char* boxes[] = {"useImage",         "useHint",    "useStatus", "useTitleAsHint",
                                       "useTitleAsStatus", "showSelect", "showLine"};
                f->child<QCheckBox>(boxes[rng() % std::size(boxes)])->click();
                break;
            }
            case 13:
                if (rng() % 2)
                    f->edit("target")->setText(toQString(pick(rng)));
                else
                    f->child<QComboBox>("scriptCharsetCombo")->setCurrentIndex(static_cast<int>(rng() % 2));
                break;
            case 14: {
                const char* spins[] = {"indentSpin", "folderHeightSpin", "folderPaddingSpin",
                                       "fileHeightSpin", "filePaddingSpin"};
                auto* spin = f->child<QSpinBox>(spins[rng() % std::size(spins)]);
                key(spin, rng() % 2 ? QKeyCombination(Qt::Key_Up) : QKeyCombination(Qt::Key_Down));
                break;
            }
            case 15:
                answerCssUnderline(f->prompter);
                w().stylePage().editStyle(1 + static_cast<int>(rng() % 6));
                break;
            case 16:
                if (some) w().tree().setExpanded(w().treeModel().indexOf(some), rng() % 2);
                break;
            case 17:
            case 18:
                for (int i = static_cast<int>(rng() % 3); i >= 0; --i) f->trigger("undoAction");
                break;
            case 19:
                f->trigger("redoAction");
                break;
        }
    }

private Q_SLOTS:
    void init() {
        f = std::make_unique<WindowFixture>();
        QVERIFY(QTest::qWaitForWindowExposed(&w()));
    }
    void cleanup() { closeWindowFixture(f); }

    void randomEditsUndoAndRedoToTheSameBytes() {
        QAbstractItemModelTester tester(&w().treeModel(),
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        for (unsigned seed = 1; seed <= 4; ++seed) {
            std::mt19937 rng(seed);
            f->prompter.answerOpenFile(f->writeFile(QStringLiteral("random.menu"), randomSchemeText(rng)));
            f->trigger("openAction");
            const std::string original = bytes();
            for (int step = 0; step < 250; ++step) randomAction(rng);
            while (stack().canRedo()) f->trigger("redoAction");
            const std::string after = bytes();
            QVERIFY(stack().count() > 50);
            QVERIFY(after != original);
            // The editor's script is always the script of the file it would save.
            QCOMPARE(script(), scriptOfFile(after));

            while (stack().canUndo()) f->trigger("undoAction");
            QVERIFY2(bytes() == original, qPrintable(QStringLiteral("seed %1: undo all").arg(seed)));
            QVERIFY(!f->modified());
            QCOMPARE(script(), scriptOfFile(original));
            while (stack().canRedo()) f->trigger("redoAction");
            QVERIFY2(bytes() == after, qPrintable(QStringLiteral("seed %1: redo all").arg(seed)));
            QVERIFY(f->modified());
            QCOMPARE(script(), scriptOfFile(after));
            f->prompter.answerMessage(Prompter::No);  // the next Open's save question
        }
        f->prompter.reset();
    }

    void undoAndRedoThroughTheKeyboard() {
        MenuTreeView& tree = w().tree();
        QLineEdit* title = f->edit("menuNameEdit");
        tree.setFocus();
        key(&tree, Qt::CTRL | Qt::SHIFT | Qt::Key_N);
        MenuNode* root = f->node({0});
        QVERIFY(root);
        title->setFocus();
        QTest::keyClicks(title, QStringLiteral("Home"));
        QCOMPARE(f->action("undoAction")->text(), QStringLiteral("撤销 修改菜单标题"));
        tree.setFocus();
        key(&tree, QKeyCombination(Qt::Key_Insert));
        key(&tree, QKeyCombination(Qt::Key_Insert));
        QCOMPARE(f->outline(), QStringList({"New ItemHome", "  New Item", "  New Item"}));
        MenuNode* firstChild = root->child(0);
        QCOMPARE(f->action("undoAction")->text(), QStringLiteral("撤销 增加子菜单"));

        f->prompter.answerSaveFile(f->path(QStringLiteral("k.menu")));
        key(&tree, Qt::CTRL | Qt::Key_S);
        QVERIFY(!f->modified());
        QCOMPARE(f->title(), QStringLiteral("Sylvanode 3.0-k.menu"));

        // Delete takes the whole branch; undo puts back the very same nodes, selected.
        key(&tree, QKeyCombination(Qt::Key_Delete));
        QVERIFY(w().scheme().empty());
        QVERIFY(f->title().endsWith(QStringLiteral("[Modify]")));
        QCOMPARE(f->action("undoAction")->text(), QStringLiteral("撤销 删除菜单项"));
        auto* editMenu = f->child<QMenu>("editMenu");
        QVERIFY(editMenu->actions().contains(f->action("undoAction")));
        key(&tree, Qt::CTRL | Qt::Key_Z);
        QCOMPARE(f->node({0}), root);
        QCOMPARE(root->child(0), firstChild);
        QCOMPARE(w().selectedNode(), root);
        QCOMPARE(title->text(), QStringLiteral("New ItemHome"));
        // Back at the saved state: no modified mark; redo sets it again (both redo keys).
        QCOMPARE(f->title(), QStringLiteral("Sylvanode 3.0-k.menu"));
        QCOMPARE(f->action("redoAction")->text(), QStringLiteral("重做 删除菜单项"));
        key(&tree, Qt::CTRL | Qt::SHIFT | Qt::Key_Z);
        QVERIFY(w().scheme().empty());
        QVERIFY(f->modified());
        key(&tree, Qt::CTRL | Qt::Key_Z);
        key(&tree, Qt::CTRL | Qt::Key_Y);
        QVERIFY(w().scheme().empty());
        key(&tree, Qt::CTRL | Qt::Key_Z);
        QCOMPARE(f->node({0}), root);

        // Typing in one field is one step, also when undone from inside the field.
        w().selectNode(root);
        title->setFocus();
        title->end(false);
        QTest::keyClicks(title, QStringLiteral("abc"));
        QCOMPARE(root->caption, std::string("New ItemHomeabc"));
        key(title, Qt::CTRL | Qt::Key_Z);
        QCOMPARE(title->text(), QStringLiteral("New ItemHome"));
        QCOMPARE(root->caption, std::string("New ItemHome"));
        QVERIFY(!f->modified());
        // Another field starts another step; undo goes back to the item it touched.
        QTest::keyClicks(f->edit("menuHintEdit"), QStringLiteral("h"));
        QTest::keyClicks(f->edit("menuStatusEdit"), QStringLiteral("s"));
        w().selectNode(firstChild);
        f->child<QTabWidget>("pages")->setCurrentIndex(2);
        key(&tree, Qt::CTRL | Qt::Key_Z);
        QCOMPARE(w().selectedNode(), root);
        QCOMPARE(f->child<QTabWidget>("pages")->currentIndex(), 0);
        QVERIFY(f->edit("menuStatusEdit")->text().isEmpty());
        QCOMPARE(f->edit("menuHintEdit")->text(), QStringLiteral("h"));
        QCOMPARE(f->action("undoAction")->text(), QStringLiteral("撤销 修改提示文字"));

        // Selecting and expanding are no steps; New forgets the history.
        const int steps = stack().count();
        w().selectNode(firstChild);
        tree.expand(w().treeModel().indexOf(root));
        QCOMPARE(stack().count(), steps);
        f->prompter.answerMessage(Prompter::No);
        key(&tree, Qt::CTRL | Qt::Key_N);
        QVERIFY(!stack().canUndo());
        QVERIFY(!f->action("undoAction")->isEnabled());
        QCOMPARE(f->action("undoAction")->text(), QStringLiteral("撤销"));
    }

    void anImportedSchemeHasAHistoryOfItsOwn() {
        f->child<QCheckBox>("showLine")->click();  // an edit of the scheme that goes
        const QString outline = f->writeFile(QStringLiteral("site.txt"), "- Home\n  - News\n");
        QVERIFY(w().importFrom(outline));
        QVERIFY(!stack().canUndo());
        QVERIFY(f->modified());
        // Undoing an edit of the imported scheme keeps it marked (it was never saved) and
        // gives back its own settings, not those of the scheme before it.
        f->child<QCheckBox>("useHint")->click();
        f->trigger("undoAction");
        QVERIFY(w().scheme().settings.showHint);
        QVERIFY(!w().scheme().settings.showLine);
        QVERIFY(f->modified());
        QVERIFY(f->title().endsWith(QStringLiteral("[Modify]")));
    }

    void settingsAndStylesAreStepsToo() {
        auto* pages = f->child<QTabWidget>("pages");
        // Steps of one spinner are one step; undo shows the page it happened on.
        pages->setCurrentWidget(&w().settingsPage());
        auto* indent = f->child<QSpinBox>("indentSpin");
        indent->setFocus();
        for (int i = 0; i < 3; ++i) key(indent, QKeyCombination(Qt::Key_Up));
        QCOMPARE(w().scheme().settings.indent, 16);
        QCOMPARE(stack().count(), 1);
        QCOMPARE(f->action("undoAction")->text(), QStringLiteral("撤销 修改缩进"));
        f->child<QCheckBox>("showLine")->click();
        auto* charset = f->child<QComboBox>("scriptCharsetCombo");
        charset->setCurrentIndex(1);
        QCOMPARE(w().scheme().settings.scriptCharset, ScriptCharset::Utf8);
        QCOMPARE(f->action("undoAction")->text(), QStringLiteral("撤销 修改脚本字符集"));
        pages->setCurrentWidget(&w().itemPanel());
        key(f->edit("menuNameEdit"), Qt::CTRL | Qt::Key_Z);
        QCOMPARE(w().scheme().settings.scriptCharset, ScriptCharset::Gbk);
        QCOMPARE(charset->currentIndex(), 0);
        QCOMPARE(pages->currentWidget(), &w().settingsPage());
        f->trigger("undoAction");
        QVERIFY(!w().scheme().settings.showLine);
        QVERIFY(!f->child<QCheckBox>("showLine")->isChecked());
        f->trigger("undoAction");
        QCOMPARE(w().scheme().settings.indent, 13);
        QCOMPARE(indent->value(), 13);
        QVERIFY(!f->modified());
        // The CSS dialog closed with OK is a step, with Cancel none; the suffix is none either.
        answerCssUnderline(f->prompter);
        w().stylePage().editStyle(2);
        QVERIFY(w().scheme().kinds[0].styles[1].underline);
        const QString css = f->edit("folderHoverStyle")->text();
        QVERIFY(!css.isEmpty());
        f->prompter.answerDialog([](QDialog&) { return int(QDialog::Rejected); });
        w().stylePage().editStyle(2);
        f->prompter.answerDialog([](QDialog& d) {
            d.findChild<QLineEdit*>()->setText(QStringLiteral("b"));
            return int(QDialog::Accepted);
        });
        w().editSuffix();
        QCOMPARE(f->action("undoAction")->text(), QStringLiteral("撤销 修改样式"));
        f->trigger("undoAction");
        QVERIFY(!w().scheme().kinds[0].styles[1].underline);
        QVERIFY(f->edit("folderHoverStyle")->text().isEmpty());
        QCOMPARE(pages->currentWidget(), &w().stylePage());
        QVERIFY(!stack().canUndo());
        QVERIFY(!f->modified());
        f->trigger("redoAction");
        QCOMPARE(f->edit("folderHoverStyle")->text(), css);
        QVERIFY(f->modified());
    }
};

QTEST_MAIN(UndoTest)
#include "undo_test.moc"

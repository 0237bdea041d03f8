// SPDX-License-Identifier: MIT
// Undo and redo in the window: keys, the edit menu's texts, the page an undo shows. (Random
// edits undone and redone to the same bytes are a document test.)
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
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <QUndoStack>

#include "model/scheme_io.h"
#include "document/text_codec.h"
#include "ui/main/item_panel.h"
#include "ui/main/menu_tree_view.h"
#include "ui/main/scheme_tree_model.h"
#include "ui/main/settings_page.h"
#include "ui/main/style_page.h"
#include "ui/main/file_commands.h"
#include "ui/main/tool_commands.h"
#include "window_fixture.h"

using namespace sylvanode;

namespace {

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
    QUndoStack& stack() { return f->doc().undoStack(); }
    static void key(QWidget* target, QKeyCombination k) {
        QTest::keyClick(target, k.key(), k.keyboardModifiers());
    }

private Q_SLOTS:
    void init() {
        f = std::make_unique<WindowFixture>();
        QVERIFY(QTest::qWaitForWindowExposed(&w()));
    }
    void cleanup() { closeWindowFixture(f); }

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
        QVERIFY(f->scheme().empty());
        QVERIFY(f->title().endsWith(QStringLiteral("[Modify]")));
        QCOMPARE(f->action("undoAction")->text(), QStringLiteral("撤销 删除菜单项"));
        auto* editMenu = f->child<QMenu>("editMenu");
        QVERIFY(editMenu->actions().contains(f->action("undoAction")));
        key(&tree, Qt::CTRL | Qt::Key_Z);
        QCOMPARE(f->node({0}), root);
        QCOMPARE(root->child(0), firstChild);
        QCOMPARE(f->current(), root);
        QCOMPARE(title->text(), QStringLiteral("New ItemHome"));
        // Back at the saved state: no modified mark; redo sets it again (both redo keys).
        QCOMPARE(f->title(), QStringLiteral("Sylvanode 3.0-k.menu"));
        QCOMPARE(f->action("redoAction")->text(), QStringLiteral("重做 删除菜单项"));
        key(&tree, Qt::CTRL | Qt::SHIFT | Qt::Key_Z);
        QVERIFY(f->scheme().empty());
        QVERIFY(f->modified());
        key(&tree, Qt::CTRL | Qt::Key_Z);
        key(&tree, Qt::CTRL | Qt::Key_Y);
        QVERIFY(f->scheme().empty());
        key(&tree, Qt::CTRL | Qt::Key_Z);
        QCOMPARE(f->node({0}), root);

        // Typing in one field is one step, also when undone from inside the field.
        f->select(root);
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
        f->select(firstChild);
        f->child<QTabWidget>("pages")->setCurrentIndex(2);
        key(&tree, Qt::CTRL | Qt::Key_Z);
        QCOMPARE(f->current(), root);
        QCOMPARE(f->child<QTabWidget>("pages")->currentIndex(), 0);
        QVERIFY(f->edit("menuStatusEdit")->text().isEmpty());
        QCOMPARE(f->edit("menuHintEdit")->text(), QStringLiteral("h"));
        QCOMPARE(f->action("undoAction")->text(), QStringLiteral("撤销 修改提示文字"));

        // Selecting and expanding are no steps; New forgets the history.
        const int steps = stack().count();
        f->select(firstChild);
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
        QSignalSpy finished(&w().fileCommands(), &FileCommands::importFinished);
        w().fileCommands().importFrom(outline);
        QTRY_COMPARE(finished.count(), 1);
        QCOMPARE(finished.at(0).at(0).toBool(), true);
        QVERIFY(!stack().canUndo());
        QVERIFY(f->modified());
        // Undoing an edit of the imported scheme keeps it marked (it was never saved) and
        // gives back its own settings, not those of the scheme before it.
        f->child<QCheckBox>("useHint")->click();
        f->trigger("undoAction");
        QVERIFY(f->scheme().settings.showHint);
        QVERIFY(!f->scheme().settings.showLine);
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
        QCOMPARE(f->scheme().settings.indent, 16);
        QCOMPARE(stack().count(), 1);
        QCOMPARE(f->action("undoAction")->text(), QStringLiteral("撤销 修改缩进"));
        f->child<QCheckBox>("showLine")->click();
        auto* charset = f->child<QComboBox>("scriptCharsetCombo");
        charset->setCurrentIndex(1);
        QCOMPARE(f->scheme().settings.scriptCharset, ScriptCharset::Utf8);
        QCOMPARE(f->action("undoAction")->text(), QStringLiteral("撤销 修改脚本字符集"));
        pages->setCurrentWidget(&w().itemPanel());
        key(f->edit("menuNameEdit"), Qt::CTRL | Qt::Key_Z);
        QCOMPARE(f->scheme().settings.scriptCharset, ScriptCharset::Gbk);
        QCOMPARE(charset->currentIndex(), 0);
        QCOMPARE(pages->currentWidget(), &w().settingsPage());
        f->trigger("undoAction");
        QVERIFY(!f->scheme().settings.showLine);
        QVERIFY(!f->child<QCheckBox>("showLine")->isChecked());
        f->trigger("undoAction");
        QCOMPARE(f->scheme().settings.indent, 13);
        QCOMPARE(indent->value(), 13);
        QVERIFY(!f->modified());
        // The CSS dialog closed with OK is a step, with Cancel none.
        answerCssUnderline(f->prompter);
        w().stylePage().editStyle(2);
        QVERIFY(f->scheme().kinds[0].styles[1].underline);
        const QString css = f->edit("folderHoverStyle")->text();
        QVERIFY(!css.isEmpty());
        f->prompter.answerDialog([](QDialog&) { return int(QDialog::Rejected); });
        w().stylePage().editStyle(2);
        QCOMPARE(f->action("undoAction")->text(), QStringLiteral("撤销 修改样式"));
        f->trigger("undoAction");
        QVERIFY(!f->scheme().kinds[0].styles[1].underline);
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

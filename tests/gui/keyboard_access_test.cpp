// SPDX-License-Identifier: MIT
// The window for the keyboard and the screen reader: a key for every command (and none
// taken from the text fields), renaming in place, the context menu, the tab order, a name
// for every control, a dark desktop palette, a scheme file dropped on the window.
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QSignalSpy>
#include <QTabWidget>
#include <QRadioButton>
#include <QTest>
#include <QUndoStack>

#include "model/scheme_io.h"
#include "document/text_codec.h"
#include "ui/dialogs/about_dialog.h"
#include "ui/dialogs/color_picker_dialog.h"
#include "ui/dialogs/css_style_dialog.h"
#include "ui/dialogs/link_check_dialog.h"
#include "ui/dialogs/suffix_dialog.h"
#include "ui/main/menu_tree_view.h"
#include "ui/main/scheme_tree_model.h"
#include "ui/main/style_page.h"
#include "window_fixture.h"

using namespace sylvanode;

namespace {

// Focusable controls of `root` whose accessible name is empty (or without a description
// where the form gives the control a hint). The inner editors of spin
// and combo boxes and the viewports of views speak through their owner.
QStringList unnamedControls(QWidget* root) {
    QStringList unnamed;
    QList<QWidget*> widgets = root->findChildren<QWidget*>();
    widgets.prepend(root);
    for (QWidget* w : widgets) {
        if (w->focusPolicy() == Qt::NoFocus || w->window() != root->window()) continue;
        QWidget* owner = w->parentWidget();
        if (owner && (qobject_cast<QAbstractSpinBox*>(owner) || qobject_cast<QComboBox*>(owner))) continue;
        if (w->focusProxy()) continue;
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
        if (!a || a->text(QAccessible::Name).trimmed().isEmpty())
            unnamed << QStringLiteral("%1 (%2)").arg(w->objectName(),
                                                     QString::fromLatin1(w->metaObject()->className()));
        // A hint on the form is the control's description too.
        else if (!w->toolTip().isEmpty() && a->text(QAccessible::Description).isEmpty())
            unnamed << w->objectName() + QStringLiteral(" without description");
    }
    return unnamed;
}

QPalette darkPalette() {
    QPalette p;
    const QColor window(53, 53, 53), base(35, 35, 35), text(230, 230, 230);
    for (QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        p.setColor(g, QPalette::Window, window);
        p.setColor(g, QPalette::WindowText, text);
        p.setColor(g, QPalette::Base, base);
        p.setColor(g, QPalette::AlternateBase, window);
        p.setColor(g, QPalette::Text, text);
        p.setColor(g, QPalette::Button, window);
        p.setColor(g, QPalette::ButtonText, text);
        p.setColor(g, QPalette::Highlight, QColor(42, 130, 218));
        p.setColor(g, QPalette::HighlightedText, Qt::black);
    }
    p.setColor(QPalette::Inactive, QPalette::Window, QColor(60, 60, 60));
    return p;
}

}  // namespace

class KeyboardAccessTest : public QObject {
    Q_OBJECT
    std::unique_ptr<WindowFixture> f;

    MenuTreeView& tree() { return f->w().tree(); }
    // Roots A (children a1, a2), B, C.
    void build() {
        for (const char* name : {"A", "B", "C"}) {
            f->trigger("addRootItemAction");
            f->edit("menuNameEdit")->setText(QString::fromLatin1(name));
        }
        for (const char* name : {"a1", "a2"}) {
            f->select(f->node({0}));
            f->trigger("addSubItemAction");
            f->select(f->node({0})->lastChild());
            f->edit("menuNameEdit")->setText(QString::fromLatin1(name));
        }
        tree().expand(f->w().treeModel().indexOf(f->node({0})));
    }

private Q_SLOTS:
    void init() {
        f = std::make_unique<WindowFixture>();
        QVERIFY(QTest::qWaitForWindowExposed(&f->w()));
        f->w().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&f->w()));
    }
    void cleanup() { closeWindowFixture(f); }

    void treeKeys_data() {
        QTest::addColumn<QList<int>>("select");
        QTest::addColumn<QKeyCombination>("key");
        QTest::addColumn<QStringList>("outline");
        QTest::addColumn<QList<int>>("selected");
        const QStringList built{"A", "  a1", "  a2", "B", "C"};
        using L = QList<int>;
        QTest::newRow("Insert adds a sub item")
            << L{1} << QKeyCombination(Qt::Key_Insert)
            << QStringList({"A", "  a1", "  a2", "B", "  New Item", "C"}) << L{1};
        QTest::newRow("Delete deletes")
            << L{0} << QKeyCombination(Qt::Key_Delete) << QStringList({"B", "C"}) << L{0};
        QTest::newRow("Ctrl+Shift+N adds a root")
            << L{0, 1} << QKeyCombination(Qt::CTRL | Qt::SHIFT | Qt::Key_N) << built + QStringList{"New Item"}
            << L{3};
        QTest::newRow("Ctrl+Up") << L{2} << QKeyCombination(Qt::CTRL | Qt::Key_Up)
                                 << QStringList({"A", "  a1", "  a2", "C", "B"}) << L{1};
        QTest::newRow("Ctrl+Down") << L{0, 0} << QKeyCombination(Qt::CTRL | Qt::Key_Down)
                                   << QStringList({"A", "  a2", "  a1", "B", "C"}) << L{0, 1};
        QTest::newRow("Ctrl+Left outdents") << L{0, 0} << QKeyCombination(Qt::CTRL | Qt::Key_Left)
                                            << QStringList({"A", "  a2", "a1", "B", "C"}) << L{1};
        QTest::newRow("Ctrl+Right indents") << L{1} << QKeyCombination(Qt::CTRL | Qt::Key_Right)
                                            << QStringList({"A", "  a1", "  a2", "  B", "C"}) << L{0, 2};
        QTest::newRow("Ctrl+D duplicates") << L{0, 1} << QKeyCombination(Qt::CTRL | Qt::Key_D)
                                           << QStringList({"A", "  a1", "  a2", "  a2", "B", "C"}) << L{0, 2};
        QTest::newRow("Ctrl+Left on a root does nothing")
            << L{1} << QKeyCombination(Qt::CTRL | Qt::Key_Left) << built << L{1};
    }
    void treeKeys() {
        QFETCH(QList<int>, select);
        QFETCH(QKeyCombination, key);
        QFETCH(QStringList, outline);
        QFETCH(QList<int>, selected);
        build();
        const auto at = [this](const QList<int>& path) {
            MenuNode* n = nullptr;
            const std::vector<std::unique_ptr<MenuNode>>* group = &f->scheme().roots();
            for (int r : path) {
                n = (*group)[static_cast<size_t>(r)].get();
                group = &n->children();
            }
            return n;
        };
        f->select(at(select));
        tree().setFocus();
        QTest::keyClick(&tree(), key.key(), key.keyboardModifiers());
        QCOMPARE(f->outline(), outline);
        QCOMPARE(f->current(), at(selected));
        // The key did what the menu does: one step back brings the tree as it was.
        if (f->outline() != QStringList({"A", "  a1", "  a2", "B", "C"})) {
            QTest::keyClick(&tree(), Qt::Key_Z, Qt::ControlModifier);
            QCOMPARE(f->outline(), QStringList({"A", "  a1", "  a2", "B", "C"}));
        }
    }

    void textFieldsKeepTheirKeys() {
        build();
        f->select(f->node({1}));
        QLineEdit* hint = f->edit("menuHintEdit");
        hint->setFocus();
        QTest::keyClicks(hint, QStringLiteral("abc"));
        hint->home(false);
        for (Qt::Key k : {Qt::Key_Insert, Qt::Key_F2}) QTest::keyClick(hint, k);
        QTest::keyClick(hint, Qt::Key_Right, Qt::ControlModifier);  // to the end of the word
        QTest::keyClick(hint, Qt::Key_Up, Qt::ControlModifier);
        QTest::keyClick(hint, Qt::Key_D, Qt::ControlModifier);
        QTest::keyClick(hint, Qt::Key_Left);
        QTest::keyClick(hint, Qt::Key_Delete);  // deletes "c"
        QCOMPARE(hint->text(), QStringLiteral("ab"));
        QCOMPARE(f->outline(), QStringList({"A", "  a1", "  a2", "B", "C"}));
        QCOMPARE(f->current(), f->node({1}));
    }

    void standardKeysRunTheirCommands() {
        const std::pair<const char*, QKeyCombination> table[] = {
            {"newAction", Qt::CTRL | Qt::Key_N},   {"openAction", Qt::CTRL | Qt::Key_O},
            {"saveAction", Qt::CTRL | Qt::Key_S},  {"saveAsAction", Qt::CTRL | Qt::SHIFT | Qt::Key_S},
            {"exitAction", Qt::CTRL | Qt::Key_Q},  {"helpAction", QKeyCombination(Qt::Key_F1)},
            {"undoAction", Qt::CTRL | Qt::Key_Z},  {"redoAction", Qt::CTRL | Qt::SHIFT | Qt::Key_Z},
            {"redoAction", Qt::CTRL | Qt::Key_Y},  {"renameAction", QKeyCombination(Qt::Key_F2)},
            {"cutAction", Qt::CTRL | Qt::Key_X},   {"copyAction", Qt::CTRL | Qt::Key_C},
            {"pasteAction", Qt::CTRL | Qt::Key_V}, {"duplicateAction", Qt::CTRL | Qt::Key_D},
        };
        for (const auto& [name, key] : table) {
            QAction* action = f->action(name);
            QVERIFY2(action->shortcuts().contains(QKeySequence(key)), name);
            // The menus show the key beside the command.
            QVERIFY2(!action->shortcut().isEmpty(), name);
        }
        // No key runs two commands.
        QMap<QKeySequence, QString> owner;
        for (QAction* a : f->w().findChildren<QAction*>())
            for (const QKeySequence& k : a->shortcuts()) {
                QVERIFY2(!owner.contains(k) || owner[k] == a->objectName(),
                         qPrintable(k.toString() + QStringLiteral(": ") + owner[k] + QStringLiteral(", ") +
                                    a->objectName()));
                owner[k] = a->objectName();
            }
        // Through real keys: the file commands ask their questions.
        tree().setFocus();
        f->prompter.answerOpenFile(std::nullopt);
        QTest::keyClick(&tree(), Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(f->prompter.last().title, QStringLiteral("打开菜单文件"));
        f->prompter.answerSaveFile(std::nullopt);
        QTest::keyClick(&tree(), Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(f->prompter.last().title, QStringLiteral("另存为..."));
        QSignalSpy help(f->action("helpAction"), &QAction::triggered);
        f->prompter.reset();
        QTest::keyClick(&tree(), Qt::Key_F1);
        QCOMPARE(help.count(), 1);
        f->prompter.reset();
        QTest::keyClick(&tree(), Qt::Key_Q, Qt::ControlModifier);
        QVERIFY(!f->w().isVisible());
    }

    void renameInPlace() {
        build();
        MenuNode* b = f->node({1});
        f->select(b);
        tree().setFocus();
        QTest::keyClick(&tree(), Qt::Key_F2);
        auto* editor = tree().viewport()->findChild<QLineEdit*>();
        QVERIFY(editor && editor->isVisible());
        editor->selectAll();
        QTest::keyClicks(editor, QStringLiteral("Newsx"));
        QTest::keyClick(editor, Qt::Key_Backspace);
        editor->insert(QStringLiteral("中心"));
        editor->home(false);
        QTest::keyClick(editor, Qt::Key_Delete);  // the editor's key, not the tree's delete
        QTest::keyClick(editor, Qt::Key_Return);
        QCoreApplication::processEvents();  // the view commits after the key
        QCOMPARE(b->caption, toSchemeBytes(QStringLiteral("ews中心")));
        QCOMPARE(f->edit("menuNameEdit")->text(), QStringLiteral("ews中心"));
        QCOMPARE(f->node({1}), b);
        QCOMPARE(f->action("undoAction")->text(), QStringLiteral("撤销 修改菜单标题"));
        // Escape cancels.
        QTest::keyClick(&tree(), Qt::Key_F2);
        editor = tree().viewport()->findChild<QLineEdit*>();
        QVERIFY(editor);
        QTest::keyClicks(editor, QStringLiteral("xyz"));
        QTest::keyClick(editor, Qt::Key_Escape);
        QCoreApplication::processEvents();
        QCOMPARE(b->caption, toSchemeBytes(QStringLiteral("ews中心")));
        QTest::keyClick(&tree(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(b->caption, std::string("B"));
        QCOMPARE(f->edit("menuNameEdit")->text(), QStringLiteral("B"));
    }

    void contextMenuOffersTheTreeCommands() {
        build();
        const QPoint at = tree().visualRect(f->w().treeModel().indexOf(f->node({1}))).center();
        QTest::mouseClick(tree().viewport(), Qt::RightButton, {}, at);
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, tree().viewport()->mapToGlobal(at));
        QCoreApplication::sendEvent(tree().viewport(), &event);
        auto* menu = f->child<QMenu>("treeContextMenu");
        QTRY_VERIFY(menu->isVisible());
        QCOMPARE(f->current(), f->node({1}));
        QStringList names;
        for (QAction* a : menu->actions())
            if (!a->isSeparator()) names << a->objectName();
        QCOMPARE(names, QStringList({"addRootItemAction", "addSubItemAction", "deleteItemAction",
                                     "renameAction", "cutAction", "copyAction", "pasteAction",
                                     "duplicateAction", "moveUpAction", "moveDownAction", "outdentAction",
                                     "indentAction", "undoAction", "redoAction"}));
        QVERIFY(!f->action("outdentAction")->isEnabled());  // B is a root
        QVERIFY(f->action("indentAction")->isEnabled());
        menu->close();
        // The edit, view and style menus sit between the file and tools menus.
        QStringList bar;
        for (QAction* a : f->w().menuBar()->actions()) bar << a->text();
        QCOMPARE(bar, QStringList({"文件(&F)", "编辑(&E)", "视图(&V)", "样式(&Y)", "工具(&T)", "帮助(&H)"}));
    }

    void tabRunsFromTheTreeThroughTheItemFields() {
        build();
        f->select(f->node({1}));
        tree().setFocus();
        QStringList order;
        for (int i = 0; i < 15; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            order << QApplication::focusWidget()->objectName();
        }
        QCOMPARE(order, QStringList({"menuNameEdit", "menuHintEdit", "copyToHintButton", "menuStatusEdit",
                                     "copyToStatusButton", "menuIcon1Edit", "browseIcon1Button",
                                     "menuIcon2Edit", "browseIcon2Button", "linkRadio", "menuLinkEdit",
                                     "browseLinkButton", "menuTargetCombo", "menuScriptEdit", order.last()}));
    }

    // The tree is a key away (Alt+1; F6 goes between the tree and the page shown), every field
    // of the item panel has its Alt+letter, and the tree's selection shows whether the keys are
    // there: the highlight colour with the focus, a pale tint of it without.
    void keysReachTheTreeAndTheFields() {
        build();
        f->select(f->node({1}));
        QWidget* window = &f->w();
        const QColor highlight = QApplication::palette().color(QPalette::Active, QPalette::Highlight);
        const auto selection = [this] { return tree().palette().color(QPalette::Active, QPalette::Highlight); };
        f->edit("menuHintEdit")->setFocus();
        QVERIFY(selection() != highlight);
        QVERIFY(contrastRatio(selection(), tree().palette().color(QPalette::Active, QPalette::HighlightedText)) >= 4.5);
        QTest::keyClick(window, Qt::Key_1, Qt::AltModifier);
        QVERIFY(tree().hasFocus());
        QCOMPARE(selection(), highlight);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F6);
        QCOMPARE(QApplication::focusWidget(), f->edit("menuNameEdit"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F6);
        QVERIFY(tree().hasFocus());
        f->child<QTabWidget>("pages")->setCurrentIndex(2);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F6);
        QVERIFY(f->child<QWidget>("settingsPage")->isAncestorOf(QApplication::focusWidget()));
        f->child<QTabWidget>("pages")->setCurrentIndex(0);
        const struct {
            Qt::Key key;
            const char* field;
        } mnemonics[] = {{Qt::Key_N, "menuNameEdit"},  {Qt::Key_I, "menuHintEdit"},  {Qt::Key_U, "menuStatusEdit"},
                         {Qt::Key_O, "menuIcon1Edit"}, {Qt::Key_X, "menuIcon2Edit"}, {Qt::Key_G, "menuTargetCombo"}};
        for (const auto& m : mnemonics) {
            tree().setFocus();
            QTest::keyClick(window, m.key, Qt::AltModifier);
            QWidget* focus = QApplication::focusWidget();
            QVERIFY2(focus && (focus->objectName() == QLatin1String(m.field) ||
                               focus->parentWidget()->objectName() == QLatin1String(m.field)),
                     m.field);
        }
        // The action's keys choose the action, as a click would (one step).
        QTest::keyClick(window, Qt::Key_S, Qt::AltModifier);
        QTRY_VERIFY(f->child<QRadioButton>("scriptRadio")->isChecked());
        QCOMPARE(f->current()->data.contentType, 1);
        QTest::keyClick(window, Qt::Key_L, Qt::AltModifier);
        QTRY_COMPARE(f->current()->data.contentType, 0);
    }

    void everyControlHasAName() {
        auto* pages = f->child<QTabWidget>("pages");
        for (int i = 0; i < pages->count(); ++i) {
            pages->setCurrentIndex(i);
            QStringList unnamed = unnamedControls(&f->w());
            QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(QStringLiteral(", "))));
        }
        CssStyleDialog css(f->prompter, &f->w());
        ColorPickerDialog color(&f->w());
        SuffixDialog suffix(f->prompter, &f->w());
        AboutDialog about(f->prompter, &f->w());
        LinkCheckDialog links(&f->w());
        for (QDialog* d : std::initializer_list<QDialog*>{&css, &color, &suffix, &about, &links}) {
            d->show();
            const QStringList unnamed = unnamedControls(d);
            QVERIFY2(unnamed.isEmpty(),
                     qPrintable(d->objectName() + QStringLiteral(": ") + unnamed.join(", ")));
            d->hide();
        }
        // The fields a label cannot tell apart have names of their own.
        const auto name = [this](const char* object) {
            return QAccessible::queryAccessibleInterface(f->child<QWidget>(object))->text(QAccessible::Name);
        };
        QCOMPARE(name("tree"), QStringLiteral("菜单项"));
        QCOMPARE(name("menuNameEdit"), QStringLiteral("菜单标题"));
        QStringList distinct{name("folderNormalStyle"), name("folderHoverStyle"), name("folderSelectStyle"),
                             name("fileNormalStyle"),   name("fileHoverStyle"),   name("fileSelectStyle"),
                             name("menuLinkEdit"),      name("menuScriptEdit")};
        distinct.removeDuplicates();
        QCOMPARE(distinct.size(), 8);
    }

    void darkPaletteKeepsEveryFieldReadable() {
        const QPalette light = QApplication::palette();
        QApplication::setPalette(darkPalette());
        QCoreApplication::processEvents();
        QStringList hard;
        for (QWidget* w : f->w().findChildren<QWidget*>()) {
            if (!qobject_cast<QLineEdit*>(w) && !qobject_cast<QAbstractSpinBox*>(w)) continue;
            const QPalette p = w->palette();
            const double ratio = contrastRatio(p.color(QPalette::Active, QPalette::Text),
                                               p.color(QPalette::Active, QPalette::Base));
            if (ratio < 3.0) hard << QStringLiteral("%1 %2").arg(w->objectName()).arg(ratio, 0, 'f', 2);
        }
        const QString shots = qEnvironmentVariable("SYLVANODE_SCREENSHOT_DIR");
        auto* pages = f->child<QTabWidget>("pages");
        for (int i = 0; !shots.isEmpty() && i < pages->count(); ++i) {
            pages->setCurrentIndex(i);
            f->w().grab().save(shots + QStringLiteral("/dark-page-%1.png").arg(i));
        }
        QApplication::setPalette(light);
        QVERIFY2(hard.isEmpty(), qPrintable(hard.join(QStringLiteral(", "))));
    }

    // A scheme file dropped on the window (on a field too) opens where Open would put it:
    // here while the window shows an untitled, unmodified document, else in a window of its own.
    void droppingASchemeFileOpensIt() {
        MenuScheme s;
        s.reset();
        s.appendRoot()->caption = "Dropped";
        const QString file = f->writeFile(QStringLiteral("dropped.menu"), writeSchemeText(s));
        const QString second = f->writeFile(QStringLiteral("second.menu"), writeSchemeText(s));
        QLineEdit* title = f->edit("menuNameEdit");
        const QPoint at = title->rect().center();
        const auto drop = [&](const QString& path) {
            QMimeData data;
            data.setUrls({QUrl::fromLocalFile(path)});
            data.setText(path);
            QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QCoreApplication::sendEvent(title, &enter);
            QVERIFY(enter.isAccepted());
            QDropEvent dropped(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QCoreApplication::sendEvent(title, &dropped);
        };
        drop(file);
        QCOMPARE(f->outline(), QStringList({"Dropped"}));
        QCOMPARE(f->title(), QStringLiteral("Sylvanode 3.0-dropped.menu"));
        QVERIFY(!f->doc().undoStack().canUndo());
        f->trigger("addRootItemAction");
        drop(second);
        QCOMPARE(f->outline(), QStringList({"Dropped", "New Item"}));
        QCOMPARE(f->workspace->windows().size(), 2);
        QVERIFY(f->workspace->windowFor(second));
        QVERIFY(f->prompter.requests().empty());
        // Another kind of file is not taken.
        QMimeData other;
        other.setUrls({QUrl::fromLocalFile(f->path(QStringLiteral("page.html")))});
        QDragEnterEvent refused(QPoint(5, 5), Qt::CopyAction, &other, Qt::LeftButton, Qt::NoModifier);
        refused.setAccepted(false);
        QCoreApplication::sendEvent(&f->w(), &refused);
        QVERIFY(!refused.isAccepted());
    }
};

QTEST_MAIN(KeyboardAccessTest)
#include "keyboard_access_test.moc"

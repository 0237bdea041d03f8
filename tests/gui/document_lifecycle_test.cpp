// SPDX-License-Identifier: MIT
// New, Open, Save, Save As, the save question, closing, and the title that shows
// the file name and the modified mark.
#include <QAbstractSpinBox>
#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>
#include <QSplitter>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>
#include <new>

#include "../core/failure_samples.h"
#include "document/text_codec.h"
#include "model/scheme_io.h"
#include "ui/main/item_panel.h"
#include "ui/main/menu_tree_view.h"
#include "ui/main/scheme_tree_model.h"
#include "window_fixture.h"

using namespace sylvanode;

namespace {

const QString kUntitled = QStringLiteral("Sylvanode 3.0-未命名");
const QString kMenuFilter = QStringLiteral("menu文件(*.menu)|*.menu|所有文件(*.*)|*.*");

// A scheme file with roots "One" (children "A", "B") and "Two", indent 21.
std::string sampleSchemeText() {
    MenuScheme s;
    s.reset();
    s.settings.indent = 21;
    s.settings.target = "_top";
    MenuNode* one = s.appendRoot();
    one->caption = one->data.menuName = "One";
    MenuNode* a = one->appendChild();
    a->caption = a->data.menuName = "A";
    a->data.menuLink = "a.htm";
    MenuNode* b = one->appendChild();
    b->caption = b->data.menuName = "B";
    b->data.contentType = 1;
    b->data.menuScript = "go()";
    MenuNode* two = s.appendRoot();
    two->caption = two->data.menuName = "\xB6\xFE";  // 二
    return writeSchemeText(s);
}

// The shown controls of `page` that the user cannot see whole: covered or cut off by the page or by
// another control, narrower than their text needs, or lower than a line of it.
QStringList clippedControls(QWidget* page) {
    QStringList clipped;
    for (QWidget* w : page->findChildren<QWidget*>()) {
        const bool control = qobject_cast<QLineEdit*>(w) || qobject_cast<QComboBox*>(w) ||
                             qobject_cast<QAbstractButton*>(w) || qobject_cast<QAbstractSpinBox*>(w) ||
                             qobject_cast<QLabel*>(w);
        // The text field inside an editable list or a spin box is sized by it.
        const bool part = qobject_cast<QComboBox*>(w->parentWidget()) ||
                          qobject_cast<QAbstractSpinBox*>(w->parentWidget());
        if (!control || part || !w->isVisible()) continue;
        const int width = qobject_cast<QLineEdit*>(w) ? w->minimumSizeHint().width() : w->sizeHint().width();
        if (w->visibleRegion() != QRegion(w->rect()) || w->width() < width ||
            w->height() < w->fontMetrics().height())
            clipped << QStringLiteral("%1 %2x%3 (needs %4x%5)")
                           .arg(w->objectName())
                           .arg(w->width())
                           .arg(w->height())
                           .arg(width)
                           .arg(w->fontMetrics().height());
    }
    return clipped;
}

// Levels 0, 2, 1: the walk back finds no level 1, so the load fails after two nodes.
const char* const kBrokenScheme =
    "[Config]\r\ncount=3\r\n[MenuName]\r\n0=P\r\n1=Q\r\n2=R\r\n[MenuLevel]\r\n0=0\r\n1=2\r\n2=1\r\n";

}  // namespace

class DocumentLifecycleTest : public QObject {
    Q_OBJECT
    std::unique_ptr<WindowFixture> f;

    QString sampleFile(const QString& name = QStringLiteral("site.menu")) {
        return f->writeFile(name, sampleSchemeText());
    }
    void openFile(const QString& path, bool fails = false) {
        f->prompter.answerOpenFile(path);
        if (fails) f->prompter.answerMessage(Prompter::Ok);
        f->trigger("openAction");
    }
    void edit() {
        f->trigger("addRootItemAction");
        QVERIFY(f->modified());
    }

private Q_SLOTS:
    void init() { f = std::make_unique<WindowFixture>(); }
    void cleanup() { closeWindowFixture(f); }

    void startsUntitledAndClean() {
        QCOMPARE(f->title(), kUntitled);
        QVERIFY(!f->modified());
        QVERIFY(f->scheme().empty());
        QCOMPARE(f->w().size(), QSize(582, 500));
        QCOMPARE(f->w().minimumSize(), QSize(400, 500));
        auto* pages = f->child<QTabWidget>("pages");
        QCOMPARE(pages->count(), 3);
        QCOMPARE(pages->tabText(0), QStringLiteral("菜单项属性"));
        QCOMPARE(pages->tabText(1), QStringLiteral("风格样式"));
        QCOMPARE(pages->tabText(2), QStringLiteral("方案属性"));
        QCOMPARE(pages->widget(0)->objectName(), QStringLiteral("itemPanel"));
        QCOMPARE(pages->widget(1)->objectName(), QStringLiteral("stylePage"));
        QCOMPARE(pages->widget(2)->objectName(), QStringLiteral("settingsPage"));
        QCOMPARE(pages->currentIndex(), 0);
        QCOMPARE(pages->minimumWidth(), 350);
        // At the first size every tab's title and every control of every page can be read whole.
        const QFontMetrics tabFont(pages->tabBar()->font());
        for (int i = 0; i < pages->count(); ++i) {
            const QRect tab = pages->tabBar()->tabRect(i);
            QVERIFY2(
                tab.width() > tabFont.horizontalAdvance(pages->tabText(i)) && tab.height() > tabFont.height(),
                qPrintable(pages->tabText(i)));
            pages->setCurrentIndex(i);
            const QStringList clipped = clippedControls(pages->widget(i));
            QVERIFY2(clipped.isEmpty(), qPrintable(pages->tabText(i) + ": " + clipped.join(", ")));
        }
        pages->setCurrentIndex(0);
        for (const char* name : {"menuNameEdit", "menuHintEdit", "menuStatusEdit", "menuLinkEdit"})
            QVERIFY2(f->edit(name)->isVisible(), name);
        for (const char* name :
             {"newAction", "openAction", "saveAction", "generateAction", "helpAction", "addRootItemAction"})
            QVERIFY2(f->action(name)->isEnabled(), name);
        for (const char* name : {"itemSelectedAction", "canMoveDownAction", "canMoveUpAction",
                                 "addSubItemAction", "deleteItemAction", "moveDownAction", "moveUpAction"})
            QVERIFY2(!f->action(name)->isEnabled(), name);
        QVERIFY(f->child<QRadioButton>("linkRadio")->isChecked());
        for (const char* name :
             {"menuNameEdit", "menuHintEdit", "menuStatusEdit", "menuLinkEdit", "menuScriptEdit"})
            QVERIFY2(f->edit(name)->text().isEmpty(), name);
        const SchemeSettings& s = f->scheme().settings;
        QCOMPARE(s.indent, 13);
        QCOMPARE(s.target, std::string("_blank"));
        QVERIFY(!s.workDir.empty() && s.workDir.back() == '/');
    }

    void frameTextsAndHints() {
        const struct {
            const char* name;
            const char* text;
            const char* tip;
        } tools[] = {{"newAction", "", "新建文件"},
                     {"openAction", "", "打开文件"},
                     {"saveAction", "", "保存文件"},
                     {"generateAction", "", "生成代码"},
                     {"helpAction", "", "帮助"},
                     {"addRootItemAction", "", "增加根菜单"},
                     {"addSubItemAction", "", "增加子菜单"},
                     {"deleteItemAction", "", "删除菜单"},
                     {"moveDownAction", "", "下移"},
                     {"moveUpAction", "", "上移"}};
        for (const auto& t : tools) {
            QAction* action = f->action(t.name);
            // The tool tip names the key too: "新建文件 (Ctrl+N)".
            const QString keys = action->shortcut().toString(QKeySequence::NativeText);
            QCOMPARE(action->toolTip(), keys.isEmpty() ? QString::fromUtf8(t.tip)
                                                       : QString::fromUtf8(t.tip) + " (" + keys + ")");
            QVERIFY2(!action->icon().isNull(), t.name);
            // The tool button shares the menu item's action but shows its own hint in the
            // status bar, also after the action has changed.
            auto* button =
                f->w().findChild<QToolButton*>(QString::fromLatin1(t.name).replace("Action", "Button"));
            QVERIFY2(button, t.name);
            const bool enabled = action->isEnabled();
            action->setEnabled(!enabled);
            action->setEnabled(enabled);
            QCOMPARE(button->statusTip(), QString::fromUtf8(t.tip));
        }
        QCOMPARE(f->action("helpAction")->statusTip(), QString());
        const struct {
            const char* menu;
            QStringList items;
        } menus[] = {
            {"fileMenu",
             {"新建方案(&N)", "新建窗口(&W)", "打开方案(&O)", "最近打开(&R)", "保存方案(&S)", "另存为(&A)", "",
              "导入(&I)…", "导入文件夹(&D)…", "导出(&E)…", "", "关闭(&C)", "退出(&X)"}},
            {"toolsMenu", {"多菜单设置(&M)", "", "生成代码(&C)", "预览(&P)", "检查链接(&L)"}},
            {"helpMenu", {"帮助(&H)", "关于(&A)"}}};
        for (const auto& m : menus) {
            QStringList texts;
            for (QAction* a : f->child<QMenu>(m.menu)->actions()) texts << a->text();
            QCOMPARE(texts, m.items);
        }
        QCOMPARE(f->child<QMenu>("fileMenu")->title(), QStringLiteral("文件(&F)"));
        QCOMPARE(f->child<QMenu>("toolsMenu")->title(), QStringLiteral("工具(&T)"));
        QCOMPARE(f->child<QMenu>("helpMenu")->title(), QStringLiteral("帮助(&H)"));
        QCOMPARE(f->action("newAction")->toolTip(), QStringLiteral("新建文件 (Ctrl+N)"));
        QCOMPARE(f->action("newAction")->statusTip(), QStringLiteral("新建方案"));
        QCOMPARE(f->action("generateAction")->statusTip(), QStringLiteral("生成代码"));
        QCOMPARE(f->child<QWidget>("tree")->toolTip(), QStringLiteral("可拖放节点"));
        QCOMPARE(f->child<QTreeView>("tree")->iconSize(), QSize(16, 16));
        // A sub item is shown indented from its parent by more than a picture's width.
        f->trigger("addRootItemAction");
        f->trigger("addSubItemAction");
        const QModelIndex parentRow = f->w().treeModel().indexOf(f->node({0}));
        f->w().tree().expand(parentRow);
        const int indent = f->w().tree().visualRect(f->w().treeModel().indexOf(f->node({0, 0}))).left() -
                           f->w().tree().visualRect(parentRow).left();
        QVERIFY2(indent > 16, qPrintable(QString::number(indent)));
        QCOMPARE(f->child<QLabel>("namePanel")->text(), QStringLiteral("Sylvanode"));
        QCOMPARE(f->child<QLabel>("hintPanel")->width(), 300);
        // Hints reach the status bar's first panel.
        QStatusTipEvent tip(QStringLiteral("打开文件"));
        QCoreApplication::sendEvent(&f->w(), &tip);
        QCOMPARE(f->child<QLabel>("hintPanel")->text(), QStringLiteral("打开文件"));
    }

    void saveUntitledAsksForAName() {
        edit();
        const QString target = f->path(QStringLiteral("first.menu"));
        f->prompter.answerSaveFile(target);
        f->trigger("saveAction");
        const auto& r = f->prompter.last();
        QCOMPARE(r.kind, ScriptedPrompter::Kind::SaveFile);
        QCOMPARE(r.title, QStringLiteral("保存菜单文件"));
        QCOMPARE(r.filter, kMenuFilter);
        QCOMPARE(r.defaultExtension, QStringLiteral("*.menu"));
        QVERIFY(r.confirmOverwrite);
        QCOMPARE(f->title(), QStringLiteral("Sylvanode 3.0-first.menu"));
        QVERIFY(!f->modified());
        QCOMPARE(WindowFixture::readFile(target), writeSchemeText(f->scheme()));

        // A named scheme whose file exists is written without a dialog, modified or not.
        f->trigger("saveAction");
        QCOMPARE(f->prompter.requests().size(), size_t(1));
        // When another program has written the file meanwhile, Save asks first.
        f->writeFile(QStringLiteral("first.menu"), "garbage");
        f->prompter.answerChoice(2);
        f->trigger("saveAction");
        QCOMPARE(f->prompter.last().choices, QStringList({"覆盖", "另存为...", "取消"}));
        QCOMPARE(f->prompter.last().text, QStringLiteral("“first.menu”已被其他程序修改。保存会覆盖那些修改。"));
        QCOMPARE(WindowFixture::readFile(target), std::string("garbage"));
        f->prompter.answerChoice(0);
        f->trigger("saveAction");
        QCOMPARE(WindowFixture::readFile(target), writeSchemeText(f->scheme()));
        // Written: the next save is the document's own again.
        f->trigger("saveAction");
        QCOMPARE(f->prompter.count(ScriptedPrompter::Kind::Choice), 2);
    }

    // The file was deleted behind the editor's back: Save asks where to write it; cancelled, the
    // document keeps its name and its modified mark; answered, it is written there and clean.
    void saveShowsTheDialogWhenTheFileHasGone() {
        const QString path = sampleFile();
        openFile(path);
        edit();
        QFile::remove(path);
        f->prompter.answerSaveFile(std::nullopt);
        f->trigger("saveAction");
        QCOMPARE(f->prompter.count(ScriptedPrompter::Kind::SaveFile), 1);
        // The dialog starts on the file's own name: Enter writes it again.
        QCOMPARE(f->prompter.last().initialFile, path);
        QCOMPARE(f->title(), QStringLiteral("Sylvanode 3.0-site.menu[Modify]"));
        QVERIFY(f->modified());
        QVERIFY(!QFile::exists(path));
        const QString again = f->path(QStringLiteral("again.menu"));
        f->prompter.answerSaveFile(again);
        f->trigger("saveAction");
        QCOMPARE(f->title(), QStringLiteral("Sylvanode 3.0-again.menu"));
        QVERIFY(!f->modified());
        QCOMPARE(WindowFixture::readFile(again), writeSchemeText(f->scheme()));
    }

    void saveAsCancelledOnlyRetitlesTheDialog() {
        edit();
        f->prompter.answerSaveFile(std::nullopt);
        f->trigger("saveAsAction");
        QCOMPARE(f->prompter.last().title, QStringLiteral("另存为..."));
        QCOMPARE(f->title(), kUntitled + QStringLiteral("[Modify]"));
        QVERIFY(f->scheme().fileName.empty());
        f->prompter.answerSaveFile(std::nullopt);
        f->trigger("saveAction");
        QCOMPARE(f->prompter.last().title, QStringLiteral("保存菜单方案"));
    }

    void saveAsWritesAndRenames() {
        openFile(sampleFile());
        edit();
        const QString copy = f->path(QStringLiteral("copy.menu"));
        f->prompter.answerSaveFile(copy);
        f->trigger("saveAsAction");
        QCOMPARE(f->title(), QStringLiteral("Sylvanode 3.0-copy.menu"));
        QCOMPARE(WindowFixture::readFile(copy), writeSchemeText(f->scheme()));
        QCOMPARE(WindowFixture::readFile(f->path(QStringLiteral("site.menu"))), sampleSchemeText());
    }

    void failedWriteChangesNothing() {
        const QString original = sampleFile();
        openFile(original);
        edit();
        const std::string before = WindowFixture::readFile(original);
        f->prompter.answerSaveFile(f->path(QStringLiteral("no/such/dir/x.menu")));
        f->prompter.answerMessage(Prompter::Ok);
        f->trigger("saveAsAction");
        const auto& r = f->prompter.last();
        // The fixed text, and below it why: the folder does not exist.
        QCOMPARE(r.text.section(QLatin1Char('\n'), 0, 0), QStringLiteral("保存菜单方案时出错"));
        QVERIFY2(r.text.contains(QStringLiteral("：文件夹不存在")), qPrintable(r.text));
        QCOMPARE(r.caption, QStringLiteral("Sylvanode"));
        QCOMPARE(r.icon, Prompter::Icon::Error);
        QCOMPARE(r.buttons, int(Prompter::Ok));
        QCOMPARE(f->title(), QStringLiteral("Sylvanode 3.0-site.menu[Modify]"));
        QVERIFY(f->modified());
        QCOMPARE(QString::fromStdString(f->scheme().fileName), original);
        QCOMPARE(WindowFixture::readFile(original), before);
    }

    void openShowsTheFileAndSelectsTheFirstItem() {
        const QString path = sampleFile(QStringLiteral("a.menu"));
        openFile(path);
        const auto& r = f->prompter.last();
        QCOMPARE(r.title, QStringLiteral("打开菜单文件"));
        QCOMPARE(r.filter, kMenuFilter);
        QCOMPARE(f->title(), QStringLiteral("Sylvanode 3.0-a.menu"));
        QCOMPARE(f->outline(), QStringList({"One", "  A", "  B", "二"}));
        QCOMPARE(f->current(), f->node({0}));
        QCOMPARE(f->edit("menuNameEdit")->text(), QStringLiteral("One"));
        QCOMPARE(f->scheme().settings.indent, 21);
        // Selecting other items never marks the scheme.
        f->select(f->node({0, 1}));
        f->select(f->node({1}));
        QCOMPARE(f->title(), QStringLiteral("Sylvanode 3.0-a.menu"));
        // The first edit does.
        f->edit("menuHintEdit")->setText(QStringLiteral("h"));
        QCOMPARE(f->title(), QStringLiteral("Sylvanode 3.0-a.menu[Modify]"));
    }

    void titleTakesTheNamePartOfAChinesePath() {
        // 誠 is D5 5C in GBK: its trail byte is no "\".
        openFile(sampleFile(QStringLiteral("誠菜单.menu")));
        QCOMPARE(f->title(), QStringLiteral("Sylvanode 3.0-誠菜单.menu"));
        QCOMPARE(f->scheme().fileName.substr(f->scheme().fileName.size() - 9),
                 std::string("\xB2\xCB\xB5\xA5.menu"));
    }

    // The save question before New and Import (Open never replaces a modified document): Cancel
    // stops, No goes on, Yes goes on only once the scheme is written (a cancelled dialog or a
    // failed write keeps everything).
    void questionAnswers_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("saveTo");  // Yes: the save dialog's answer ("" cancels)
        QTest::addColumn<bool>("goesOn");
        for (const char* command : {"newAction", "importAction"}) {
            QTest::addRow("%s yes, saved", command) << command << int(Prompter::Yes) << "saved.menu" << true;
            QTest::addRow("%s yes, save cancelled", command) << command << int(Prompter::Yes) << "" << false;
            QTest::addRow("%s yes, write fails", command)
                << command << int(Prompter::Yes) << "no/such/dir/x.menu" << false;
            QTest::addRow("%s no", command) << command << int(Prompter::No) << "" << true;
            QTest::addRow("%s cancel", command) << command << int(Prompter::Cancel) << "" << false;
        }
    }
    void questionAnswers() {
        QFETCH(QString, command);
        QFETCH(int, answer);
        QFETCH(QString, saveTo);
        QFETCH(bool, goesOn);
        edit();
        f->prompter.answerMessage(answer);
        if (answer == Prompter::Yes) {
            f->prompter.answerSaveFile(saveTo.isEmpty() ? std::nullopt
                                                        : std::optional<QString>(f->path(saveTo)));
            if (saveTo.contains(QLatin1Char('/')))
                f->prompter.answerMessage(Prompter::Ok);  // the write error
        }
        const QString page = WindowFixture::fixturePath(QStringLiteral("import/two-lists-nav.html"));
        if (goesOn && command == QLatin1String("importAction")) f->prompter.answerOpenFile(page);
        f->trigger(command.toLatin1().constData());
        const auto& q = f->prompter.requests().front();
        QCOMPARE(q.text, QStringLiteral("菜单方案已修改，是否保存"));
        QCOMPARE(q.caption, QStringLiteral("Sylvanode"));
        QCOMPARE(q.icon, Prompter::Icon::Information);
        QCOMPARE(q.buttons, int(Prompter::Yes | Prompter::No | Prompter::Cancel));
        if (!goesOn) {
            QCOMPARE(f->title(), kUntitled + QStringLiteral("[Modify]"));
            QCOMPARE(f->outline(), QStringList({"New Item"}));
            QVERIFY(f->modified());
        } else if (command == QLatin1String("newAction")) {
            QCOMPARE(f->title(), kUntitled);
            QVERIFY(f->scheme().empty());
        } else {
            QCOMPARE(f->title(), kUntitled + QStringLiteral("[Modify]"));
            QCOMPARE(f->outline().value(0), QStringLiteral("Home"));
        }
        if (!saveTo.isEmpty() && goesOn) QVERIFY(QFile::exists(f->path(saveTo)));
    }

    // Open never asks: a window that holds changes (or a file) keeps them, and the file opens
    // in a window of its own; a file already open brings its window forward.
    void openGoesToAWindowOfItsOwn() {
        edit();
        f->prompter.answerOpenFile(std::nullopt);
        f->trigger("openAction");
        QCOMPARE(f->workspace->windows().size(), 1);
        const QString path = sampleFile();
        openFile(path);
        QCOMPARE(f->title(), kUntitled + QStringLiteral("[Modify]"));
        QCOMPARE(f->outline(), QStringList({"New Item"}));
        QCOMPARE(f->workspace->windows().size(), 2);
        MainWindow* other = f->workspace->windowFor(path);
        QVERIFY(other && other != &f->w());
        QCOMPARE(other->windowTitle(), QStringLiteral("Sylvanode 3.0-site.menu"));
        QVERIFY(!other->document().isModified());
        openFile(path);
        QCOMPARE(f->workspace->windows().size(), 2);
        other->close();
        QTRY_COMPARE(f->workspace->windows().size(), 1);
    }

    void newResetsEverything() {
        openFile(sampleFile());
        edit();
        f->prompter.answerMessage(Prompter::No);
        f->trigger("newAction");
        QCOMPARE(f->title(), kUntitled);
        QVERIFY(f->scheme().empty());
        QCOMPARE(f->scheme().settings.indent, 13);
        QCOMPARE(f->current(), nullptr);
        QVERIFY(f->edit("menuNameEdit")->text().isEmpty());
        QVERIFY(!f->action("itemSelectedAction")->isEnabled());
    }

    // A failed open changes nothing: tree, selection, panel, settings, styles, suffix, file
    // name, mark and title stay; one Save afterwards writes the document, not the broken file.
    void failedOpenChangesNothing() {
        const QString good = sampleFile();
        openFile(good);
        f->select(f->node({0, 1}));
        f->edit("menuScriptEdit")->setText(QStringLiteral("typed()"));
        f->doc().setMenuSuffix("keep");
        f->changeStyles([](std::array<KindStyle, 2>& kinds) { kinds[1].styles[2].textColor = "FF0000"; });
        QVERIFY(f->modified());
        const std::string before = writeSchemeText(f->scheme());
        const QStringList outline = f->outline();
        const QString title = f->title();

        openFile(f->writeFile(QStringLiteral("broken.menu"), kBrokenScheme), true);
        QCOMPARE(f->workspace->windows().size(), 1);
        const auto& r = f->prompter.last();
        QCOMPARE(r.text.section(QLatin1Char('\n'), 0, 0), QStringLiteral("菜单方案格式不正确"));
        QVERIFY2(r.text.contains(QStringLiteral("第 2 项：层次 1 与前面的菜单项接不上")),
                 qPrintable(r.text));  // the reader's reason
        QCOMPARE(r.icon, Prompter::Icon::Error);
        QCOMPARE(r.buttons, int(Prompter::Ok));

        QCOMPARE(f->title(), title);
        QVERIFY(f->modified());
        QCOMPARE(QString::fromStdString(f->scheme().fileName), good);
        QCOMPARE(f->outline(), outline);
        QCOMPARE(f->current(), f->node({0, 1}));
        QCOMPARE(f->w().treeModel().nodeFromIndex(f->w().tree().currentIndex()), f->node({0, 1}));
        QCOMPARE(f->edit("menuNameEdit")->text(), QStringLiteral("B"));
        QCOMPARE(f->edit("menuScriptEdit")->text(), QStringLiteral("typed()"));
        QCOMPARE(f->scheme().settings.menuSuffix, std::string("keep"));
        QCOMPARE(writeSchemeText(f->scheme()), before);
        QCOMPARE(f->child<QLineEdit>("target")->text(), QStringLiteral("_top"));

        f->trigger("saveAction");
        MenuScheme saved;
        QVERIFY(readSchemeText(saved, WindowFixture::readFile(good)));
        QCOMPARE(saved.flatten().size(), size_t(4));
        QCOMPARE(saved.nodeAt(2)->data.menuScript, std::string("typed()"));
        QCOMPARE(saved.kinds[1].styles[2].textColor, std::string("FF0000"));
    }

    // A file that is read and rejected has the wrong format; one that cannot be read cannot be
    // opened. Either way the reason follows on a line of its own, and the editor stays as it was.
    void badFilesAreRefusedWithTheirReason_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("headline");
        QTest::addColumn<QString>("reason");
        const QString badFormat = QStringLiteral("菜单方案格式不正确");
        const QString cannotOpen = QStringLiteral("无法打开菜单方案");
        const QString noCount = QStringLiteral("[Config] 中没有菜单项个数");
        QTest::addRow("empty") << "empty.menu" << QByteArray() << badFormat << noCount;
        QTest::addRow("not a scheme")
            << "notes.txt" << QByteArray("hello\r\nworld=1\r\n") << badFormat << noCount;
        QTest::addRow("binary") << "blob.menu" << QByteArray("\x00\xff\x10[Config\x00count=", 15) << badFormat
                                << noCount;
        QTest::addRow("missing") << "absent.menu" << QByteArray() << cannotOpen << "：没有这个文件或文件夹";
        QTest::addRow("a folder") << "folder.menu" << QByteArray() << cannotOpen << "：它是文件夹";
    }
    void badFilesAreRefusedWithTheirReason() {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, headline);
        QFETCH(QString, reason);
        QString path = f->path(name);
        if (QTest::currentDataTag() == QLatin1String("a folder"))
            QVERIFY(QDir().mkdir(path));
        else if (QTest::currentDataTag() != QLatin1String("missing"))
            f->writeFile(name, bytes.toStdString());
        openFile(path, true);
        const QStringList lines = f->prompter.last().text.split(QLatin1Char('\n'));
        QCOMPARE(lines.size(), 2);
        QCOMPARE(lines[0], headline);
        QVERIFY(!lines[1].isEmpty());
        QVERIFY2(lines[1].contains(reason), qPrintable(lines[1]));
        // The reason is Chinese too: no English word but the file's name.
        QVERIFY2(test::onlyChineseWords(QString(lines[1]).remove(path).toStdString()), qPrintable(lines[1]));
        QCOMPARE(f->prompter.last().icon, Prompter::Icon::Error);
        QCOMPARE(f->title(), kUntitled);
        QVERIFY(f->scheme().empty());
        QCOMPARE(f->scheme().settings.target, std::string("_blank"));
        f->trigger("addRootItemAction");
        QCOMPARE(f->outline(), QStringList({"New Item"}));
    }

    // A file the user may not write: "只读" in the title, never replaced; its save failure
    // offers Save As at once.
    void readOnlyFileIsNotReplaced() {
        const QString path = sampleFile();
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
        openFile(path);
        QCOMPARE(f->title(), QStringLiteral("Sylvanode 3.0-site.menu[只读]"));
        edit();
        const QString copy = f->path(QStringLiteral("copy.menu"));
        f->prompter.clearRequests();
        f->prompter.answerChoice(0);
        f->prompter.answerSaveFile(copy);
        f->trigger("saveAction");
        const auto& question = f->prompter.requests().front();
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
        QCOMPARE(question.kind, ScriptedPrompter::Kind::Choice);
        QCOMPARE(question.text.section(QLatin1Char('\n'), 0, 0), QStringLiteral("保存菜单方案时出错"));
        const QString reason = question.text.section(QLatin1Char('\n'), 1);
        QVERIFY2(reason.contains(QStringLiteral("只读")), qPrintable(question.text));
        QVERIFY2(test::onlyChineseWords(QString(reason).remove(path).toStdString()),
                 qPrintable(question.text));
        QCOMPARE(question.choices, QStringList({"另存为...", "取消"}));
        QCOMPARE(f->prompter.last().title, QStringLiteral("另存为..."));
        QCOMPARE(WindowFixture::readFile(path), sampleSchemeText());
        QCOMPARE(WindowFixture::readFile(copy), writeSchemeText(f->scheme()));
        QVERIFY(!f->modified());
        QCOMPARE(f->title(), QStringLiteral("Sylvanode 3.0-copy.menu"));
    }

    // The file changed by another program: the bar above the tree says what happened and
    // offers what the author can do; nothing is lost and nothing is overwritten unasked.
    void outsideChangesShowTheBar() {
        const QString path = sampleFile();
        openFile(path);
        auto* bar = f->child<QWidget>("fileChangeBar");
        auto* message = f->child<QLabel>("fileChangeMessage");
        QVERIFY(!bar->isVisible());
        MenuScheme other;
        other.reset();
        other.appendRoot()->caption = "Outside";
        f->writeFile(QStringLiteral("site.menu"), writeSchemeText(other));
        QTRY_VERIFY(bar->isVisible());
        QCOMPARE(message->text(), QStringLiteral("文件已被其他程序修改，已重新载入。撤销可以取回之前的内容。"));
        QCOMPARE(f->outline(), QStringList({"Outside"}));
        QCOMPARE(f->title(), QStringLiteral("Sylvanode 3.0-site.menu"));
        f->trigger("closeBarButton");
        QVERIFY(!bar->isVisible());
        f->trigger("undoAction");
        QCOMPARE(f->outline(), QStringList({"One", "  A", "  B", "二"}));

        // Modified: the author chooses; keeping this version saves it without another question.
        other.appendRoot()->caption = "Again";
        f->writeFile(QStringLiteral("site.menu"), writeSchemeText(other));
        QTRY_VERIFY(bar->isVisible());
        QCOMPARE(message->text(), QStringLiteral("文件已被其他程序修改。"));
        QVERIFY(f->child<QWidget>("reloadButton")->isVisible());
        QCOMPARE(f->outline(), QStringList({"One", "  A", "  B", "二"}));
        f->trigger("keepMineButton");
        QVERIFY(!bar->isVisible());
        f->trigger("saveAction");
        QCOMPARE(WindowFixture::readFile(path), writeSchemeText(f->scheme()));

        QFile::remove(path);
        QTRY_VERIFY(bar->isVisible());
        QCOMPARE(message->text(), QStringLiteral("文件已从磁盘上删除。保存可以重新写入它。"));
    }

    // A save killed while writing the file in place left it perhaps partly written and its old
    // contents in a backup beside it: opening the file asks which to open. The backup becomes the
    // file's document, modified; saving writes it there and removes the backup.
    void aBackupLeftByAKilledSaveIsOffered() {
        const QString path = sampleFile();
        MenuScheme partial;
        partial.reset();
        partial.appendRoot()->caption = "Partial";
        f->writeFile(QStringLiteral("site.menu"), writeSchemeText(partial));
        const QString backup = f->writeFile(QStringLiteral(".site.menu.backup-AbCd12"), sampleSchemeText());
        for (int choice : {2, 1, 0}) {
            f->trigger("newAction");
            f->prompter.clearRequests();
            f->prompter.answerOpenFile(path);
            f->prompter.answerChoice(choice);
            f->trigger("openAction");
            const auto& question = f->prompter.requests().at(1);
            QCOMPARE(question.kind, ScriptedPrompter::Kind::Choice);
            QCOMPARE(question.choices, QStringList({"打开备份", "打开文件", "取消"}));
            QVERIFY2(question.text.startsWith(QStringLiteral("上次保存“site.menu”时被中断，这个文件可能不完整。\n"
                                                             "保存之前的内容在备份“.site.menu.backup-AbCd12”中（")),
                     qPrintable(question.text));
            if (choice == 2) QCOMPARE(f->title(), kUntitled);
            if (choice == 1) QCOMPARE(f->outline(), QStringList({"Partial"}));
            QCOMPARE(f->modified(), choice == 0);
        }
        QCOMPARE(f->outline(), QStringList({"One", "  A", "  B", "二"}));
        QCOMPARE(f->title(), QStringLiteral("Sylvanode 3.0-site.menu[Modify]"));
        f->trigger("saveAction");
        QCOMPARE(WindowFixture::readFile(path), writeSchemeText(f->scheme()));
        QVERIFY(!QFile::exists(backup));
        QVERIFY(!f->modified());
    }

    // Running out of memory is reported in words, and the document stays as it was.
    void allocationFailureIsShownAsOutOfMemory() {
        edit();
        f->prompter.answerThrow(ScriptedPrompter::Kind::SaveFile, std::make_exception_ptr(std::bad_alloc()));
        f->prompter.answerMessage(Prompter::Ok);
        f->trigger("saveAction");
        QCOMPARE(f->prompter.last().text, QStringLiteral("内存不足"));
        QCOMPARE(f->prompter.last().icon, Prompter::Icon::Error);
        QVERIFY(f->modified());
        QCOMPARE(f->outline(), QStringList({"New Item"}));
    }

    // Each file dialog starts on the file last chosen in it, name and folder.
    void dialogsStartOnTheLastFile() {
        const QString first = sampleFile(QStringLiteral("first.menu"));
        openFile(first);
        f->prompter.answerOpenFile(std::nullopt);
        f->trigger("openAction");
        QCOMPARE(f->prompter.last().initialFile, first);
        QCOMPARE(f->prompter.last().initialDirectory, f->dir.path());

        // Save As starts on the scheme's own file, then on the name chosen in it.
        f->prompter.answerSaveFile(std::nullopt);
        f->trigger("saveAsAction");
        QCOMPARE(f->prompter.last().initialFile, first);
        const QString copy = f->path(QStringLiteral("copy.menu"));
        f->prompter.answerSaveFile(copy);
        f->trigger("saveAsAction");
        f->prompter.answerSaveFile(std::nullopt);
        f->trigger("saveAsAction");
        QCOMPARE(f->prompter.last().initialFile, copy);

        // Generate suggests the scheme's folder and name, with ".js".
        f->prompter.answerSaveFile(std::nullopt);
        f->trigger("generateAction");
        QCOMPARE(f->prompter.last().initialFile, f->path(QStringLiteral("copy.js")));

        // An untitled scheme: its title in the last folder used; the script where the last went.
        f->trigger("newAction");
        f->trigger("addRootItemAction");
        f->prompter.answerSaveFile(std::nullopt);
        f->trigger("saveAsAction");
        QCOMPARE(f->prompter.last().initialFile, f->path(QStringLiteral("未命名.menu")));
        const QString script = f->path(QStringLiteral("menu.js"));
        f->prompter.answerSaveFile(script);
        f->prompter.answerMessage(Prompter::Ok);
        f->trigger("generateAction");
        f->prompter.answerSaveFile(std::nullopt);
        f->trigger("generateAction");
        QCOMPARE(f->prompter.last().initialFile, script);
    }

    // Closing asks about a modified scheme: the window closes once the scheme is saved or the user
    // lets it go, and stays, still modified, when the save is cancelled or fails.
    void closing_data() {
        QTest::addColumn<bool>("modified");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("saveTo");  // Yes: the save dialog's answer ("" cancels)
        QTest::addColumn<bool>("closes");
        QTest::newRow("unmodified: no question") << false << 0 << "" << true;
        QTest::newRow("cancel") << true << int(Prompter::Cancel) << "" << false;
        QTest::newRow("no") << true << int(Prompter::No) << "" << true;
        QTest::newRow("yes, save cancelled") << true << int(Prompter::Yes) << "" << false;
        QTest::newRow("yes, write fails") << true << int(Prompter::Yes) << "no/such/dir/x.menu" << false;
        QTest::newRow("yes, saved") << true << int(Prompter::Yes) << "closing.menu" << true;
    }
    void closing() {
        QFETCH(bool, modified);
        QFETCH(int, answer);
        QFETCH(QString, saveTo);
        QFETCH(bool, closes);
        if (modified) {
            edit();
            f->prompter.answerMessage(answer);
        }
        if (answer == Prompter::Yes) {
            f->prompter.answerSaveFile(saveTo.isEmpty() ? std::nullopt
                                                        : std::optional<QString>(f->path(saveTo)));
            if (saveTo.contains(QLatin1Char('/')))
                f->prompter.answerMessage(Prompter::Ok);  // the write error
        }
        f->trigger("exitAction");
        QCOMPARE(f->w().isVisible(), !closes);
        QCOMPARE(f->prompter.count(ScriptedPrompter::Kind::Message) > 0, modified);
        if (modified)
            QCOMPARE(f->prompter.requests().front().text, QStringLiteral("菜单方案已修改，是否保存"));
        if (saveTo.contains(QLatin1Char('/')))
            QCOMPARE(f->prompter.last().text.section(QLatin1Char('\n'), 0, 0),
                     QStringLiteral("保存菜单方案时出错"));
        if (!closes) {
            QVERIFY(f->modified());
            QCOMPARE(f->title(), kUntitled + QStringLiteral("[Modify]"));
        }
        if (closes && !saveTo.isEmpty()) QVERIFY(QFile::exists(f->path(saveTo)));
        QCOMPARE(QDir(f->dir.path()).entryList(QDir::Files).size(), closes && !saveTo.isEmpty() ? 1 : 0);
    }
};

QTEST_MAIN(DocumentLifecycleTest)
#include "document_lifecycle_test.moc"

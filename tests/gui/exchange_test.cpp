// SPDX-License-Identifier: MIT
// Import, export and the link check in the real window, with the prompter scripted.
#include <QDeadlineTimer>
#include <QFileInfo>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <QThread>

#include "exchange/import_control.h"
#include "exchange/json_format.h"
#include "exchange/link_check.h"
#include "model/menu_scheme.h"
#include "model/scheme_io.h"
#include "document/text_codec.h"
#include "ui/dialogs/link_check_dialog.h"
#include "ui/main/file_commands.h"
#include "ui/main/item_panel.h"
#include "ui/main/menu_tree_view.h"
#include "ui/main/settings_page.h"
#include "ui/main/tool_commands.h"
#include "window_fixture.h"

using namespace sylvanode;

class ExchangeTest : public QObject {
    Q_OBJECT
    std::unique_ptr<WindowFixture> f;

private Q_SLOTS:
    void init() { f = std::make_unique<WindowFixture>(); }
    void cleanup() { closeWindowFixture(f); }

    // Import asks the save question first, refuses bad input with a message and leaves the
    // scheme alone, and makes a good page a new untitled, modified scheme.
    void importAPage() {
        f->trigger("addRootItemAction");
        QVERIFY(f->modified());
        f->prompter.answerMessage(Prompter::Cancel);
        f->trigger("importAction");
        QCOMPARE(f->prompter.last().text, QStringLiteral("菜单方案已修改，是否保存"));
        QCOMPARE(f->outline(), QStringList{"New Item"});

        f->prompter.answerMessage(Prompter::No);
        f->prompter.answerOpenFile(WindowFixture::fixturePath("import/site/images/logo.png"));
        f->prompter.answerMessage(Prompter::Ok);
        f->trigger("importAction");
        QCOMPARE(f->prompter.last().icon, Prompter::Icon::Error);
        QVERIFY2(f->prompter.last().text.startsWith(QStringLiteral("无法导入 ")),
                 qPrintable(f->prompter.last().text));
        QCOMPARE(f->outline(), QStringList{"New Item"});

        f->prompter.answerMessage(Prompter::No);
        f->prompter.answerOpenFile(WindowFixture::fixturePath("import/gbk-site.html"));
        f->trigger("importAction");
        QCOMPARE(f->outline(),
                 (QStringList{"网站首页", "关于我们", "  发展历程", "  企业荣誉", "产品中心", "  产品介绍",
                              "  电机系列", "  水泵系列 €", "新闻动态", "联系我们"}));
        QCOMPARE(f->title(), QStringLiteral("Sylvanode 3.0-未命名[Modify]"));
        QCOMPARE(f->current(), f->node({0}));
        QCOMPARE(f->edit("menuLinkEdit")->text(), QStringLiteral("index.htm"));
    }

    // A long import runs beside the window: a window-modal dialog follows its progress while
    // the window goes on handling events, and Cancel leaves the open document exactly as it
    // was. Left alone, the same import replaces the document.
    void aLongImportShowsProgressAndCancels() {
        std::string html = "<html><body><ul>";
        constexpr int kItems = 5000;
        for (int i = 0; i < kItems; ++i) html += "<li><a href=\"p" + std::to_string(i) + ".html\">Page</a></li>";
        const QString page = f->writeFile(QStringLiteral("large.html"), html + "</ul></body></html>");
        const QString own = f->path(QStringLiteral("own.menu"));
        f->trigger("addRootItemAction");
        f->trigger("addSubItemAction");
        f->prompter.answerSaveFile(own);
        f->trigger("saveAction");
        const QStringList before = f->outline();
        const QString title = f->title();
        QVERIFY(!f->modified());

        // The import waits, once under way, until it is cancelled: only a window that still
        // handles events can show its progress and take the click.
        FileCommands& files = f->w().fileCommands();
        files.setImportObserver([](ImportControl& control) {
            if (control.done() == 0) return;
            QDeadlineTimer deadline(30000);
            while (!control.cancelled() && !deadline.hasExpired()) QThread::yieldCurrentThread();
        });
        QSignalSpy finished(&files, &FileCommands::importFinished);
        files.importFrom(page);
        QVERIFY(files.importRunning());
        QProgressDialog* progress = nullptr;
        QTRY_VERIFY((progress = f->child<QProgressDialog>("importProgress")) && progress->isVisible());
        QCOMPARE(progress->windowModality(), Qt::WindowModal);
        QTRY_VERIFY(progress->value() > 0);
        QVERIFY(files.importRunning());
        auto* cancel = progress->findChild<QPushButton*>();
        QVERIFY(cancel);
        QTest::mouseClick(cancel, Qt::LeftButton);
        QTRY_COMPARE(finished.count(), 1);
        QCOMPARE(finished.at(0).at(0).toBool(), false);
        QVERIFY(!files.importRunning());
        QCOMPARE(f->outline(), before);
        QCOMPARE(f->title(), title);
        QCOMPARE(f->doc().filePath(), QFileInfo(own).absoluteFilePath());
        QVERIFY(!f->modified());
        QCOMPARE(f->prompter.requests().size(), size_t{1});  // the save dialog; no message

        files.setImportObserver(nullptr);
        files.importFrom(page);
        QTRY_COMPARE(finished.count(), 2);
        QCOMPARE(finished.at(1).at(0).toBool(), true);
        QCOMPARE(f->outline().size(), kItems);
        QVERIFY(f->doc().isUntitled());
        QVERIFY(f->modified());
        QTRY_VERIFY(!f->child<QProgressDialog>("importProgress"));
    }

    // A folder import sets the work directory; the link check lists what is wrong, and a
    // double-click selects the item; export writes the tree, the panel's edits included.
    void importFolderCheckLinksAndExport() {
        const QString site = WindowFixture::fixturePath("import/site");
        f->prompter.answerFolder(site);
        f->trigger("importFolderAction");
        QCOMPARE(f->outline().size(), 9);
        QCOMPARE(toQString(f->scheme().settings.workDir), site + "/");

        f->select(f->node({4, 0}));  // 月饼, products/mooncake.html
        f->edit("menuLinkEdit")->setText(QStringLiteral("products/月饼.html"));
        f->changeSettings([](SchemeSettings& s) { s.folderIcon2 = "img/open.gif"; });
        f->trigger("checkLinksAction");
        LinkCheckDialog* dialog = f->w().toolCommands().linkCheckDialog();
        QVERIFY(dialog && dialog->isVisible());
        QCOMPARE(dialog->rowCount(), 2);
        QCOMPARE(dialog->rowText(0), QStringLiteral("默认图标\t文件夹(展开)\t图标不存在：img/open.gif"));
        QCOMPARE(dialog->rowText(1), QStringLiteral("7\t月饼\t文件不存在：products/月饼.html"));
        // The list leaves the tree in view, where a double-click shows the item with its page.
        const QWidget& tree = f->w().tree();
        QVERIFY(!dialog->frameGeometry().intersects(QRect(tree.mapToGlobal(QPoint()), tree.size())));
        auto* pages = f->child<QTabWidget>("pages");
        pages->setCurrentIndex(2);
        f->select(f->node({0}));
        dialog->activateRow(1);
        QCOMPARE(f->current(), f->node({4, 0}));
        QCOMPARE(pages->currentWidget(), static_cast<QWidget*>(&f->w().itemPanel()));
        dialog->activateRow(0);
        QCOMPARE(pages->currentWidget(), static_cast<QWidget*>(&f->w().settingsPage()));
        QCOMPARE(f->current(), f->node({4, 0}));
        f->changeSettings([](SchemeSettings& s) { s.folderIcon2.clear(); });

        f->edit("menuNameEdit")->setText(QStringLiteral("中秋月饼"));
        const QString out = f->path("menu.json");
        f->prompter.answerSaveFile(out);
        f->trigger("exportAction");
        QCOMPARE(f->prompter.last().title, QStringLiteral("导出"));
        QVERIFY(f->prompter.last().confirmOverwrite);
        const std::string json = WindowFixture::readFile(out);
        QVERIFY2(json.find("{\"title\":\"中秋月饼\",\"link\":\"products/月饼.html\"}") != std::string::npos,
                 json.c_str());
        ImportResult back = readMenuJson(json);
        QVERIFY(back);

        f->prompter.answerSaveFile(f->path("menu.doc"));
        f->prompter.answerMessage(Prompter::Ok);
        f->trigger("exportAction");
        QCOMPARE(f->prompter.last().text, QStringLiteral("请用 .html、.txt、.opml 或 .json 作文件的扩展名"));
        QVERIFY(!QFile::exists(f->path("menu.doc")));

        // A write that fails says so, and why.
        const QString target = f->path("no/such/menu.json");
        f->prompter.answerSaveFile(target);
        f->prompter.answerMessage(Prompter::Ok);
        f->trigger("exportAction");
        QCOMPARE(f->prompter.last().text,
                 QStringLiteral("导出时出错：无法写入 %1：文件夹不存在").arg(target));
        QCOMPARE(f->prompter.last().icon, Prompter::Icon::Error);
    }

    // A row chosen after the tree has changed goes to the item that has its problem now, never to
    // whatever item took its place; a problem mended meanwhile selects nothing. Either way the list
    // then shows the problems as they are. Without a folder to check against, a message says so.
    void linkCheckRowsFollowTheirItems() {
        f->prompter.answerFolder(WindowFixture::fixturePath("import/site"));
        f->trigger("importFolderAction");
        MenuNode* mooncake = f->node({4, 0});
        f->select(mooncake);
        f->edit("menuLinkEdit")->setText(QStringLiteral("products/月饼.html"));
        f->trigger("checkLinksAction");
        LinkCheckDialog* dialog = f->w().toolCommands().linkCheckDialog();
        QCOMPARE(dialog->rowCount(), 1);
        QCOMPARE(dialog->rowText(0), QStringLiteral("7\t月饼\t文件不存在：products/月饼.html"));

        // An item added above it: 月饼 is item 8 now, and item 7 is another one.
        f->select(f->node({0}));
        f->trigger("addSubItemAction");
        dialog->activateRow(0);
        QCOMPARE(f->current(), mooncake);
        QCOMPARE(dialog->rowCount(), 2);
        QCOMPARE(dialog->rowText(0), QStringLiteral("1\tNew Item\t链接为空"));
        QCOMPARE(dialog->rowText(1), QStringLiteral("8\t月饼\t文件不存在：products/月饼.html"));

        // Mended since: the stale row selects nothing.
        f->edit("menuLinkEdit")->setText(QStringLiteral("products/mooncake.html"));
        f->select(f->node({1}));
        dialog->activateRow(1);
        QCOMPARE(f->current(), f->node({1}));
        QCOMPARE(dialog->rowCount(), 1);
        QCOMPARE(dialog->rowText(0), QStringLiteral("1\tNew Item\t链接为空"));

        f->changeSettings([](SchemeSettings& s) { s.workDir = "/no/such/folder/"; });
        f->prompter.answerMessage(Prompter::Ok);
        f->trigger("checkLinksAction");
        QCOMPARE(f->prompter.last().text, QStringLiteral("工作目录不存在：/no/such/folder/"));
        QCOMPARE(f->prompter.last().icon, Prompter::Icon::Error);
        f->prompter.answerMessage(Prompter::Ok);
        dialog->activateRow(0);
        QCOMPARE(f->prompter.last().text, QStringLiteral("工作目录不存在：/no/such/folder/"));
        QCOMPARE(f->current(), f->node({1}));
    }
};

QTEST_MAIN(ExchangeTest)
#include "exchange_test.moc"

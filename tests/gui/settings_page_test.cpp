// SPDX-License-Identifier: MIT
// The settings page: standalone on a document, counting the changes it makes, and inside
// the main window for following New and Open.
#include "ui/main/settings_page.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>
#include <QToolButton>

#include "document/item_edits.h"
#include "model/scheme_io.h"
#include "platform/paths.h"
#include "scripted_prompter.h"
#include "document/text_codec.h"
#include "ui/dialogs/desktop_colors.h"
#include "window_fixture.h"

using namespace sylvanode;

namespace {

struct Host {
    SchemeDocument doc;
    ScriptedPrompter prompter;
    int marks = 0;  // changes of the document's content
    QWidget window;
    SettingsPage* page;

    Host() : page(new SettingsPage(doc, prompter, &window)) {
        QObject::connect(&doc, &SchemeDocument::contentChanged, [this] { ++marks; });
        window.show();
    }
    const SchemeSettings& settings() const { return doc.scheme().settings; }
    // Settings changed elsewhere (an undo, another view): one step, then the count starts over.
    void set(const std::function<void(SchemeSettings&)>& edit) {
        SchemeOptions options = optionsOf(doc.scheme());
        edit(options.settings);
        changeOptions(doc, DocumentPart::Settings, QStringLiteral("test"), -1, options);
        marks = 0;
    }
    template <class T = QWidget>
    T* c(const char* name) {
        return child<T>(window, name);
    }
    QString text(const char* name) { return c<QLineEdit>(name)->text(); }
    void click(const char* name) { QTest::mouseClick(c<QToolButton>(name), Qt::LeftButton); }
    void toggle(const char* name) {
        auto* box = c<QCheckBox>(name);
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
    }
    void step(const char* spinName, Qt::Key key, int times) {
        auto* spin = c<QSpinBox>(spinName);
        spin->setFocus();
        for (int i = 0; i < times; ++i) QTest::keyClick(spin, key);
    }
};

}  // namespace

class SettingsPageTest : public QObject {
    Q_OBJECT
private slots:
    void showsTheResetScheme() {
        Host h;
        QCOMPARE(h.page->objectName(), QString("settingsPage"));
        // A new scheme's work directory is the user's documents folder (the program's own is a
        // system folder once installed), else the home folder.
        QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        if (!QFileInfo(documents).isDir()) documents = QDir::homePath();
        QCOMPARE(h.text("workDirEdit"), documents + '/');
        QVERIFY(h.text("workDirEdit") != toQString(executableDirectory()));
        QCOMPARE(h.text("lineFolder"), QString("./"));
        QCOMPARE(h.text("target"), QString("_blank"));
        QCOMPARE(h.text("indentEdit"), QString("13"));
        for (const char* on :
             {"useImage", "useHint", "useStatus", "useTitleAsHint", "useTitleAsStatus", "showSelect"})
            QVERIFY2(h.c<QCheckBox>(on)->isChecked(), on);
        QVERIFY(!h.c<QCheckBox>("showLine")->isChecked());
        for (const char* empty : {"fileIconEdit", "folderIcon1Edit", "folderIcon2Edit"})
            QVERIFY(h.text(empty).isEmpty());
        QCOMPARE(h.c<QCheckBox>("showSelect")->text(), QString("对选择的菜单项使用\"选择样式\""));
        QCOMPARE(h.c<QToolButton>("lineFolderButton")->toolTip(), QString("选择结点图片目录"));
        for (const char* ro : {"workDirEdit", "lineFolder", "fileIconEdit", "indentEdit"}) {
            QVERIFY2(h.c<QLineEdit>(ro)->isReadOnly(), ro);
            QCOMPARE(h.c<QLineEdit>(ro)->palette().color(QPalette::Base), desktopColor(kInactiveBorderIndex));
        }
        QVERIFY(!h.c<QLineEdit>("target")->isReadOnly());
    }

    void followsTheDocumentWithoutReporting() {
        Host h;
        h.set([](SchemeSettings& s) {
            s.useImage = false;
            s.showLine = true;
            s.target = "main";
            s.indent = 40;
            s.fileIcon = "img/f.gif";
        });
        // Showing is not editing: the controls follow one step and make none of their own.
        QCOMPARE(h.doc.undoStack().count(), 1);
        QVERIFY(!h.c<QCheckBox>("useImage")->isChecked());
        QVERIFY(h.c<QCheckBox>("showLine")->isChecked());
        QCOMPARE(h.text("indentEdit"), QString("40"));
        QCOMPARE(h.text("fileIconEdit"), QString("img/f.gif"));
        QCOMPARE(h.text("target"), QString("main"));
        h.doc.undo();
        QCOMPARE(h.text("target"), QString("_blank"));
        QVERIFY(h.c<QCheckBox>("useImage")->isChecked());
        QCOMPARE(h.marks, 1);
    }

    void everyControlWritesAndMarks() {
        Host h;
        struct Flag {
            const char* box;
            bool SchemeSettings::*field;
        };
        const Flag flags[] = {{"useTitleAsHint", &SchemeSettings::useTitleAsHint},
                              {"useTitleAsStatus", &SchemeSettings::useTitleAsStatus},
                              {"useHint", &SchemeSettings::showHint},
                              {"useStatus", &SchemeSettings::showStatus},
                              {"showSelect", &SchemeSettings::showSelect},
                              {"showLine", &SchemeSettings::showLine},
                              {"useImage", &SchemeSettings::useImage}};
        int expectedMarks = 0;
        for (const Flag& f : flags) {
            const bool before = h.settings().*f.field;
            h.toggle(f.box);
            QCOMPARE(h.settings().*f.field, !before);
            QCOMPARE(h.marks, ++expectedMarks);
        }

        h.c<QLineEdit>("target")->setFocus();
        QTest::keyClicks(h.c<QLineEdit>("target"), "x");
        QCOMPARE(h.settings().target, std::string("_blankx"));
        QCOMPARE(h.marks, ++expectedMarks);
        h.c<QLineEdit>("target")->clear();  // taken as typed, also empty
        QCOMPARE(h.settings().target, std::string());
        QCOMPARE(h.marks, ++expectedMarks);
    }

    // Every request is a change, also at the ends of the range; one run of steps is one
    // undo step.
    void indentStepsMarkAlsoAtTheEnds() {
        Host h;
        h.step("indentSpin", Qt::Key_Up, 38);  // 13 -> 50, then one request at the end
        QCOMPARE(h.settings().indent, 50);
        QCOMPARE(h.text("indentEdit"), QString("50"));
        QCOMPARE(h.marks, 38);
        QCOMPARE(h.doc.undoStack().count(), 1);
        h.marks = 0;
        h.step("indentSpin", Qt::Key_Down, 42);  // 50 -> 10, and two requests at 10
        QCOMPARE(h.settings().indent, 10);
        QCOMPARE(h.text("indentEdit"), QString("10"));
        QCOMPARE(h.marks, 42);
    }

    void workDirectoryChooser() {
        Host h;
        h.set([](SchemeSettings& s) { s.fileIcon = "img/a.gif"; });
        h.prompter.answerFolder(std::nullopt);
        h.click("workDirButton");
        QCOMPARE(h.marks, 0);
        QCOMPARE(h.prompter.last().title, QString("选择工作目录"));
        h.prompter.answerFolder(QString("/srv/site"));
        h.click("workDirButton");
        QCOMPARE(h.settings().workDir, std::string("/srv/site/"));
        QCOMPARE(h.text("workDirEdit"), QString("/srv/site/"));
        QCOMPARE(h.marks, 1);
        // Paths chosen earlier stay as they were.
        QCOMPARE(h.settings().fileIcon, std::string("img/a.gif"));
        QCOMPARE(h.text("fileIconEdit"), QString("img/a.gif"));
        QVERIFY(h.prompter.failures().isEmpty());
    }

    void nodePictureDirectoryIsRelative_data() {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("stored");
        QTest::newRow("below") << "/srv/site/lines"
                               << "lines/";
        QTest::newRow("the work directory itself") << "/srv/site/"
                                                   << "";
        QTest::newRow("elsewhere") << "/opt/pics"
                                   << "../../opt/pics/";
    }
    void nodePictureDirectoryIsRelative() {
        QFETCH(QString, chosen);
        QFETCH(QString, stored);
        Host h;
        h.set([](SchemeSettings& s) { s.workDir = "/srv/site/"; });
        h.prompter.answerFolder(chosen);
        h.click("lineFolderButton");
        QCOMPARE(h.prompter.last().title, QString("结点图片目录"));
        QCOMPARE(toQString(h.settings().lineFolder), stored);
        QCOMPARE(h.text("lineFolder"), stored);
        QCOMPARE(h.marks, 1);
        h.prompter.answerFolder(std::nullopt);
        h.click("lineFolderButton");
        QCOMPARE(toQString(h.settings().lineFolder), stored);
        QCOMPARE(h.marks, 1);
    }

    void defaultIconChoosers() {
        Host h;
        h.set([](SchemeSettings& s) { s.workDir = "/srv/site/"; });
        struct Row {
            const char* button;
            const char* field;
            std::string SchemeSettings::*setting;
        };
        const Row rows[] = {{"fileIconButton", "fileIconEdit", &SchemeSettings::fileIcon},
                            {"folderIcon1Button", "folderIcon1Edit", &SchemeSettings::folderIcon1},
                            {"folderIcon2Button", "folderIcon2Edit", &SchemeSettings::folderIcon2}};
        int expectedMarks = 0;
        for (const Row& r : rows) {
            h.prompter.answerOpenFile(std::nullopt);
            h.click(r.button);
            QCOMPARE(h.marks, expectedMarks);
            QCOMPARE(h.prompter.last().filter, QString("Gif文件(*.gif)|*.gif|所有文件(*.*)|*.*"));
            QCOMPARE(h.prompter.last().initialDirectory, QString("/srv/site/"));
            h.prompter.answerOpenFile(QString("/srv/site/img/%1.gif").arg(r.field));
            h.click(r.button);
            const QString expected = QString("img/%1.gif").arg(r.field);
            QCOMPARE(toQString(h.settings().*r.setting), expected);
            QCOMPARE(h.text(r.field), expected);
            QCOMPARE(h.marks, ++expectedMarks);
        }
        QVERIFY(h.prompter.failures().isEmpty());
    }

    // The script's character set: GBK by default, UTF-8 for pages in UTF-8; a choice marks
    // the scheme like any setting, is saved with it, and comes back with the file.
    void scriptCharsetChoice() {
        {
            Host h;
            auto* combo = h.c<QComboBox>("scriptCharsetCombo");
            QCOMPARE(h.c<QLabel>("labelScriptCharset")->text(), QString("脚本字符集"));
            QCOMPARE(h.c<QLabel>("labelScriptCharset")->buddy(), static_cast<QWidget*>(combo));
            QCOMPARE(combo->count(), 2);
            QCOMPARE(combo->itemText(0), QString("GBK"));
            QCOMPARE(combo->itemText(1), QString("UTF-8"));
            QCOMPARE(combo->currentIndex(), 0);
            combo->setFocus();
            QTest::keyClick(combo, Qt::Key_Down);
            QCOMPARE(h.settings().scriptCharset, ScriptCharset::Utf8);
            QCOMPARE(h.marks, 1);
            QTest::keyClick(combo, Qt::Key_Up);
            QCOMPARE(h.settings().scriptCharset, ScriptCharset::Gbk);
            QCOMPARE(h.marks, 2);
            h.page->refresh();  // already shown: nothing changes
            QCOMPARE(h.marks, 2);
            QVERIFY(h.doc.undoStack().canUndo());
        }
        WindowFixture f;
        auto* combo = f.child<QComboBox>("scriptCharsetCombo");
        combo->setCurrentIndex(1);
        QVERIFY(f.modified());
        QVERIFY(f.title().endsWith("[Modify]"));
        // The editor's script follows: a Chinese title comes out in UTF-8.
        f.trigger("addRootItemAction");
        f.edit("menuNameEdit")->setText(QStringLiteral("首页"));
        f.prompter.answerSaveFile(f.path("menu.js"));
        f.prompter.answerMessage(Prompter::Ok);
        f.trigger("generateAction");
        const std::string script = WindowFixture::readFile(f.path("menu.js"));
        QVERIFY(script.find("\"\xE9\xA6\x96\xE9\xA1\xB5\"") != std::string::npos);
        QVERIFY(script.find("\xCA\xD7\xD2\xB3") == std::string::npos);  // not GBK
        const QString file = f.path("utf8.menu");
        f.prompter.answerSaveFile(file);
        f.trigger("saveAction");
        QVERIFY(WindowFixture::readFile(file).find("\r\ncharset=UTF-8\r\n") != std::string::npos);
        f.trigger("newAction");
        QCOMPARE(combo->currentIndex(), 0);
        QCOMPARE(f.scheme().settings.scriptCharset, ScriptCharset::Gbk);
        QVERIFY(!f.modified());
        f.prompter.answerOpenFile(file);
        f.trigger("openAction");
        QCOMPARE(combo->currentText(), QString("UTF-8"));
        QCOMPARE(f.scheme().settings.scriptCharset, ScriptCharset::Utf8);
        QVERIFY(!f.modified());
        QVERIFY(f.prompter.failures().isEmpty());
    }

    void refreshAfterNewAndOpenLeavesTheSchemeUnmodified() {
        WindowFixture f;
        QWidget* iconRows = f.child<QWidget>("iconRows");
        QVERIFY(iconRows && iconRows->isVisible());

        // A scheme file with icons off and other flags turned round.
        MenuScheme other;
        other.reset();
        other.settings.useImage = false;
        other.settings.showLine = true;
        other.settings.showHint = false;
        other.settings.target = "right";
        other.settings.indent = 21;
        other.appendRoot();
        const QString file = f.path("other.menu");
        QVERIFY(writeSchemeFile(other, toSchemeBytes(file)).ok);

        f.prompter.answerOpenFile(file);
        f.trigger("openAction");
        QVERIFY(!f.modified());
        QVERIFY(!f.title().endsWith("[Modify]"));
        QVERIFY(!iconRows->isVisible());
        QVERIFY(!f.child<QCheckBox>("useImage")->isChecked());
        QVERIFY(f.child<QCheckBox>("showLine")->isChecked());
        QVERIFY(!f.child<QCheckBox>("useHint")->isChecked());
        QCOMPARE(f.edit("target")->text(), QString("right"));
        QCOMPARE(f.edit("indentEdit")->text(), QString("21"));
        QVERIFY(!f.scheme().settings.useImage);

        // An edit on the page marks the scheme.
        QTest::mouseClick(f.child<QCheckBox>("showSelect"), Qt::LeftButton, {}, QPoint(6, 6));
        QVERIFY(f.modified());
        QVERIFY(f.title().endsWith("[Modify]"));

        f.prompter.answerMessage(Prompter::No);
        f.trigger("newAction");
        QVERIFY(!f.modified());
        QVERIFY(iconRows->isVisible());
        QVERIFY(f.child<QCheckBox>("useImage")->isChecked());
        QCOMPARE(f.edit("target")->text(), QString("_blank"));
        QVERIFY(f.prompter.failures().isEmpty());
    }

    void cancelledChoosersInTheWindowMarkNothing() {
        WindowFixture f;
        f.prompter.answerFolder(std::nullopt);
        QTest::mouseClick(f.child<QToolButton>("workDirButton"), Qt::LeftButton);
        f.prompter.answerOpenFile(std::nullopt);
        QTest::mouseClick(f.child<QToolButton>("fileIconButton"), Qt::LeftButton);
        QVERIFY(!f.modified());
        f.prompter.answerOpenFile(f.path("pic.gif"));
        QTest::mouseClick(f.child<QToolButton>("folderIcon1Button"), Qt::LeftButton);
        QVERIFY(f.modified());
        QVERIFY(f.prompter.failures().isEmpty());
    }
};

QTEST_MAIN(SettingsPageTest)
#include "settings_page_test.moc"

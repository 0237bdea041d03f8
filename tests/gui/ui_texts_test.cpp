// SPDX-License-Identifier: MIT
// Every text the editor shows, gathered from the real window, its pages, its dialogs and the
// questions it asks: in Chinese exactly the texts recorded in tests/fixtures/ui-texts/zh_CN.txt,
// in English none with a Chinese character (the user's own texts here are ASCII).
//
// After a deliberate change of a Chinese text, record the texts again with
//   SYLVANODE_RECORD_UI_TEXTS=1 build/dev/tests/gui/gui_ui_texts_test
#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>
#include <QSet>
#include <QTabBar>
#include <QTest>
#include <QTreeWidget>

#include "model/scheme_io.h"
#include "ui/common/translations.h"
#include "ui/dialogs/link_check_dialog.h"
#include "window_fixture.h"

using namespace sylvanode;

namespace {

const QString kRecorded = QStringLiteral(SYLVANODE_FIXTURES_DIR "/ui-texts/zh_CN.txt");

// Controls whose entries are data, not the program's texts: installed fonts and sizes.
const QSet<QString> kDataLists{QStringLiteral("fontBox"), QStringLiteral("fontSize")};

// The texts of one window and everything in it, as "scope/object.property\ttext" lines.
class TextCollector {
public:
    void collect(QWidget* root, const QString& scope) {
        QList<QWidget*> widgets{root};
        widgets += root->findChildren<QWidget*>();
        // Dialogs owned by the window are gathered on their own, while they run.
        for (QWidget* w : widgets)
            if (w->window() == root) collectWidget(w, scope);
        QList<QAction*> actions = root->findChildren<QAction*>();
        for (QAction* a : actions) collectAction(a, scope);
    }
    // Paths differ from run to run: each is recorded as <path>. A line break is written "\n".
    void add(const QString& where, QString text) {
        if (text.isEmpty()) return;
        // A path ends at a blank or at a full-width colon, which a Chinese reason follows.
        static const QRegularExpression path(QStringLiteral("(^|\\s|：|: )/[^\\s：]*"));
        text.replace(path, QStringLiteral("\\1<path>")).replace(QLatin1Char('\n'), QLatin1String("\\n"));
        lines_.insert(where + QLatin1Char('\t') + text);
    }
    QStringList lines() const {
        QStringList sorted(lines_.cbegin(), lines_.cend());
        sorted.sort();
        return sorted;
    }

private:
    static QString nameOf(const QObject* o) {
        return o->objectName().isEmpty() ? QString::fromLatin1(o->metaObject()->className()) : o->objectName();
    }
    void collectWidget(QWidget* w, const QString& scope) {
        const QString at = scope + QLatin1Char('/') + nameOf(w) + QLatin1Char('.');
        if (w->isWindow()) add(at + QStringLiteral("windowTitle"), w->windowTitle());
        add(at + QStringLiteral("toolTip"), w->toolTip());
        add(at + QStringLiteral("statusTip"), w->statusTip());
        add(at + QStringLiteral("whatsThis"), w->whatsThis());
        add(at + QStringLiteral("accessibleName"), w->accessibleName());
        add(at + QStringLiteral("accessibleDescription"), w->accessibleDescription());
        if (auto* b = qobject_cast<QAbstractButton*>(w)) add(at + QStringLiteral("text"), b->text());
        if (auto* l = qobject_cast<QLabel*>(w)) add(at + QStringLiteral("text"), l->text());
        if (auto* g = qobject_cast<QGroupBox*>(w)) add(at + QStringLiteral("title"), g->title());
        if (auto* e = qobject_cast<QLineEdit*>(w)) add(at + QStringLiteral("placeholderText"), e->placeholderText());
        if (auto* m = qobject_cast<QMenu*>(w)) add(at + QStringLiteral("title"), m->title());
        if (auto* c = qobject_cast<QComboBox*>(w); c && !kDataLists.contains(c->objectName()))
            for (int i = 0; i < c->count(); ++i) add(at + QStringLiteral("item"), c->itemText(i));
        if (auto* t = qobject_cast<QTabBar*>(w)) {
            for (int i = 0; i < t->count(); ++i) {
                add(at + QStringLiteral("tabText"), t->tabText(i));
                add(at + QStringLiteral("tabToolTip"), t->tabToolTip(i));
            }
        }
        if (auto* list = qobject_cast<QListWidget*>(w))
            for (int i = 0; i < list->count(); ++i) add(at + QStringLiteral("item"), list->item(i)->text());
        if (auto* tree = qobject_cast<QTreeWidget*>(w)) {
            for (int c = 0; c < tree->columnCount(); ++c) add(at + QStringLiteral("header"), tree->headerItem()->text(c));
            for (int r = 0; r < tree->topLevelItemCount(); ++r)
                for (int c = 0; c < tree->columnCount(); ++c)
                    add(at + QStringLiteral("row"), tree->topLevelItem(r)->text(c));
        } else if (auto* view = qobject_cast<QTreeView*>(w); view && view->model() && !view->isHeaderHidden()) {
            for (int c = 0; c < view->model()->columnCount(); ++c)
                add(at + QStringLiteral("header"), view->model()->headerData(c, Qt::Horizontal).toString());
        }
    }
    void collectAction(QAction* a, const QString& scope) {
        if (a->isSeparator()) return;
        const QString at = scope + QLatin1Char('/') + nameOf(a) + QLatin1Char('.');
        add(at + QStringLiteral("text"), a->text());
        add(at + QStringLiteral("toolTip"), a->toolTip());
        add(at + QStringLiteral("statusTip"), a->statusTip());
        add(at + QStringLiteral("whatsThis"), a->whatsThis());
    }
    QSet<QString> lines_;
};

// A text with a character of the CJK scripts, their punctuation or full-width forms.
bool hasChinese(const QString& text) {
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if ((u >= 0x3000 && u <= 0x303F) || (u >= 0x3400 && u <= 0x9FFF) || (u >= 0xF900 && u <= 0xFAFF) ||
            (u >= 0xFF00 && u <= 0xFFEF) || c.isSurrogate())
            return true;
    }
    return false;
}

// Runs the editor through every page, dialog and question, gathering what it shows.
// What the user types here is plain ASCII, so that any Chinese text is the program's.
void walkTheEditor(QStringList& shown) {
    TextCollector texts;
    auto f = std::make_unique<WindowFixture>();
    ScriptedPrompter& prompter = f->prompter;
    MainWindow& w = f->w();

    // The empty window on each page, and the questions of an empty scheme.
    auto* pages = f->child<QTabWidget>("pages");
    for (int i = 0; i < pages->count(); ++i) {
        pages->setCurrentIndex(i);
        texts.collect(&w, QStringLiteral("window"));
    }
    pages->setCurrentIndex(0);
    f->trigger("generateAction");
    f->trigger("previewAction");
    f->trigger("openAction");
    f->trigger("importAction");
    f->trigger("importFolderAction");
    f->trigger("exportAction");
    f->trigger("saveAsAction");
    f->trigger("helpAction");

    // Items, their undo steps and the item page's choosers.
    f->trigger("addRootItemAction");
    f->edit("menuNameEdit")->setText(QStringLiteral("Products"));
    f->trigger("addSubItemAction");
    f->select(f->node({0, 0}));
    f->edit("menuNameEdit")->setText(QStringLiteral("Software"));
    f->edit("menuLinkEdit")->setText(QStringLiteral("missing.html"));
    f->trigger("addRootItemAction");
    f->edit("menuNameEdit")->setText(QStringLiteral("Contact"));
    f->edit("menuLinkEdit")->setText(QStringLiteral("javascript:mail()"));
    f->trigger("browseIcon1Button");
    f->trigger("browseLinkButton");
    texts.collect(&w, QStringLiteral("window"));
    f->trigger("undoAction");
    texts.collect(&w, QStringLiteral("window"));
    f->trigger("generateAction");
    f->trigger("previewAction");
    f->trigger("newAction");

    // The settings page's choosers.
    pages->setCurrentIndex(2);
    for (const char* button : {"workDirButton", "lineFolderButton", "fileIconButton"}) f->trigger(button);

    // The dialogs: each is gathered while it runs.
    prompter.answerDialog([&](QDialog& d) {
        d.show();
        texts.collect(&d, QStringLiteral("suffix"));
        d.findChild<QLineEdit*>(QStringLiteral("suffixEdit"))->setText(QStringLiteral("a-b"));
        QTest::mouseClick(d.findChild<QPushButton*>(QStringLiteral("okButton")), Qt::LeftButton);
        return int(QDialog::Rejected);
    });
    f->trigger("editSuffixAction");
    prompter.answerDialog([&](QDialog& d) {
        d.show();
        texts.collect(&d, QStringLiteral("about"));
        return int(QDialog::Rejected);
    });
    f->trigger("aboutAction");
    // The gallery of looks (the shipped ones), and saving the current look.
    prompter.answerDialog([&](QDialog& d) {
        d.show();
        texts.collect(&d, QStringLiteral("looks"));
        return int(QDialog::Rejected);
    });
    f->trigger("lookGalleryAction");
    f->trigger("saveLookAction");
    pages->setCurrentIndex(1);
    prompter.answerDialog([&](QDialog& css) {
        css.show();
        texts.collect(&css, QStringLiteral("css"));
        prompter.answerDialog([&](QDialog& picker) {
            picker.show();
            texts.collect(&picker, QStringLiteral("picker"));
            return int(QDialog::Rejected);
        });
        QTest::mouseClick(css.findChild<QAbstractButton*>(QStringLiteral("pickTextColorButton")), Qt::LeftButton);
        return int(QDialog::Rejected);
    });
    QTest::keyClick(f->edit("folderNormalStyle"), Qt::Key_Return);

    // The link check: first without a work directory that exists, then with one.
    f->changeSettings([](SchemeSettings& s) { s.workDir = "/nonexistent-sylvanode-folder/"; });
    f->trigger("checkLinksAction");
    const std::string workDir = f->dir.path().toStdString() + "/";
    f->changeSettings([&](SchemeSettings& s) {
        s.workDir = workDir;
        s.fileIcon = "missing.gif";
    });
    f->trigger("checkLinksAction");
    if (auto* links = w.findChild<LinkCheckDialog*>(QStringLiteral("linkCheckDialog")))
        texts.collect(links, QStringLiteral("links"));

    // The save question, and the title of a modified scheme.
    texts.collect(&w, QStringLiteral("window"));
    f->trigger("newAction");

    // A file that cannot be opened, a read-only one (its title), and the recent files.
    f->workspace->openFiles({f->path(QStringLiteral("missing.menu"))}, nullptr);
    MenuScheme sample;
    sample.reset();
    sample.appendRoot()->caption = "Home";
    const QString readOnly = f->writeFile(QStringLiteral("read-only.menu"), writeSchemeText(sample));
    QFile::setPermissions(readOnly, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    MainWindow* other = f->workspace->openFiles({readOnly}, nullptr);
    QVERIFY(other && other != &w);
    texts.collect(other, QStringLiteral("window"));
    other->close();
    QTRY_COMPARE(f->workspace->windows().size(), 1);

    // Another program changes the open file: read again while unmodified, a choice when
    // modified, a question before overwriting it; then it is deleted.
    const QString site = f->writeFile(QStringLiteral("site.menu"), writeSchemeText(sample));
    other = f->workspace->openFiles({site}, nullptr);
    QVERIFY(other);
    auto* bar = other->findChild<QWidget*>(QStringLiteral("fileChangeBar"));
    auto* message = other->findChild<QLabel*>(QStringLiteral("fileChangeMessage"));
    sample.appendRoot()->caption = "Outside";
    f->writeFile(QStringLiteral("site.menu"), writeSchemeText(sample));
    QTRY_VERIFY(bar->isVisible());
    texts.collect(other, QStringLiteral("window"));
    const QString reloaded = message->text();
    other->findChild<QAction*>(QStringLiteral("addRootItemAction"))->trigger();
    sample.appendRoot()->caption = "Again";
    f->writeFile(QStringLiteral("site.menu"), writeSchemeText(sample));
    QTRY_VERIFY(message->text() != reloaded);
    texts.collect(other, QStringLiteral("window"));
    const QString changed = message->text();
    other->findChild<QAction*>(QStringLiteral("saveAction"))->trigger();  // the question, answered "cancel"
    QFile::remove(site);
    QTRY_VERIFY(message->text() != changed);
    texts.collect(other, QStringLiteral("window"));
    prompter.answerMessage(Prompter::No);
    other->close();
    QTRY_COMPARE(f->workspace->windows().size(), 1);

    // The recent files, and a new window.
    texts.collect(&w, QStringLiteral("window"));
    f->trigger("newWindowAction");
    QCOMPARE(f->workspace->windows().size(), 2);
    for (MainWindow* shown : f->workspace->windows()) {
        if (shown == &w) continue;
        texts.collect(shown, QStringLiteral("window"));
        shown->close();
    }
    QTRY_COMPARE(f->workspace->windows().size(), 1);

    for (const ScriptedPrompter::Request& r : prompter.requests()) {
        const QString at = QStringLiteral("request/") + QLatin1String(kindName(r.kind)) + QLatin1Char('.');
        texts.add(at + QStringLiteral("caption"), r.caption);
        texts.add(at + QStringLiteral("text"), r.text);
        texts.add(at + QStringLiteral("title"), r.title);
        texts.add(at + QStringLiteral("filter"), r.filter);
        for (const QString& choice : r.choices) texts.add(at + QStringLiteral("choice"), choice);
    }
    f->prompter.reset();
    f.reset();
    shown = texts.lines();
}

}  // namespace

class UiTextsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void chineseTextsAreTheRecordedOnes() {
        QStringList shown;
        walkTheEditor(shown);
        if (QTest::currentTestFailed()) return;
        if (qEnvironmentVariableIsSet("SYLVANODE_RECORD_UI_TEXTS")) {
            QFile out(kRecorded);
            QVERIFY(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
            out.write(shown.join(QLatin1Char('\n')).toUtf8() + '\n');
            QSKIP("texts recorded");
        }
        QFile in(kRecorded);
        QVERIFY2(in.open(QIODevice::ReadOnly), qPrintable(kRecorded));
        const QStringList recorded = QString::fromUtf8(in.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        const QSet<QString> shownSet(shown.cbegin(), shown.cend());
        const QSet<QString> recordedSet(recorded.cbegin(), recorded.cend());
        QStringList differences;
        for (const QString& line : recorded)
            if (!shownSet.contains(line)) differences << QStringLiteral("- ") + line;
        for (const QString& line : shown)
            if (!recordedSet.contains(line)) differences << QStringLiteral("+ ") + line;
        QVERIFY2(differences.isEmpty(), qPrintable(differences.join(QLatin1Char('\n'))));
        // The walk reached every part: a few texts of each.
        QVERIFY(shown.size() > 300);
    }

    void englishTextsHaveNoChinese() {
        QVERIFY(installTranslations(QStringLiteral("en")));
        QStringList shown;
        walkTheEditor(shown);
        installTranslations(QLatin1String(kSourceLanguage));
        if (QTest::currentTestFailed()) return;
        QStringList chinese;
        int languageNames = 0;
        for (const QString& line : shown) {
            if (!hasChinese(line)) continue;
            // The language menu lists each language by its own name.
            if (line.startsWith(QLatin1String("window/languageAction_zh_CN.")) &&
                line.endsWith(QLatin1Char('\t') + languageName(QLatin1String(kSourceLanguage)))) {
                ++languageNames;
                continue;
            }
            chinese << line;
        }
        QVERIFY2(chinese.isEmpty(), qPrintable(chinese.join(QLatin1Char('\n'))));
        QCOMPARE(languageNames, 2);  // its text and tool tip
        QVERIFY(shown.size() > 300);
        QVERIFY(shown.contains(QStringLiteral("window/QAction.text\t&File")));
    }
};

QTEST_MAIN(UiTextsTest)
#include "ui_texts_test.moc"

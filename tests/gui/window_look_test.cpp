// SPDX-License-Identifier: MIT
// The window as a user sees it: no clipped texts, fields that stretch with the
// window, aligned label columns. With SYLVANODE_SCREENSHOT_DIR set, every page is
// also saved as a picture for a person to look at.
#include <QAbstractButton>
#include <QAction>
#include <QDialog>
#include <QListWidget>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSplitter>
#include <QStatusTipEvent>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

#include "model/scheme_io.h"
#include "ui/common/translations.h"
#include "ui/dialogs/link_check_dialog.h"
#include "ui/main/menu_tree_view.h"
#include "ui/main/scheme_tree_model.h"
#include "window_fixture.h"

using namespace sylvanode;

class WindowLookTest : public QObject {
    Q_OBJECT
    std::unique_ptr<WindowFixture> f;

    void fill() {
        const QStringList names{"产品介绍", "新闻中心", "技术支持", "关于我们"};
        for (const QString& n : names) {
            f->trigger("addRootItemAction");
            f->edit("menuNameEdit")->setText(n);
        }
        f->select(f->node({0}));
        for (const QString& n : {QStringLiteral("软件"), QStringLiteral("硬件")}) {
            f->trigger("addSubItemAction");
            f->select(f->node({0})->lastChild());
            f->edit("menuNameEdit")->setText(n);
            f->select(f->node({0}));
        }
        f->w().tree().expand(f->w().treeModel().indexOf(f->node({0})));
        f->select(f->node({0, 1}));
        f->edit("menuHintEdit")->setText(QStringLiteral("硬件产品一览"));
        f->edit("menuLinkEdit")->setText(QStringLiteral("products/hardware.htm"));
    }
    void save(const QString& name) {
        const QString dir = qEnvironmentVariable("SYLVANODE_SCREENSHOT_DIR");
        if (!dir.isEmpty()) f->w().grab().save(dir + QLatin1Char('/') + name + QStringLiteral(".png"));
    }
    // Every visible text-bearing control on `page` is wide enough for its text.
    void checkNothingClipped(QWidget* page) {
        for (QLabel* l : page->findChildren<QLabel*>()) {
            if (!l->isVisibleTo(page) || l->text().isEmpty()) continue;
            if (l->wordWrap()) {
                // Every line shows (the last line's lowest pixel may go).
                QVERIFY2(l->height() + 1 >= l->heightForWidth(l->width()),
                         qPrintable(l->objectName() + QStringLiteral(" cut off: ") + l->text()));
                continue;
            }
            // The text as shown: a mnemonic's "&" is an underline ("&&" shows one "&").
            QString shown = l->text();
            shown.replace(QLatin1String("&&"), QStringLiteral("\x01")).remove(QLatin1Char('&'));
            shown.replace(QLatin1Char('\x01'), QLatin1Char('&'));
            const int textWidth = l->fontMetrics().horizontalAdvance(shown);
            QVERIFY2(l->width() >= textWidth, qPrintable(l->objectName() + QStringLiteral(" clipped: ") + l->text()));
            // A field beside its label starts after the label's text (a squeezed row overlaps them).
            if (QWidget* field = l->buddy(); field && field->isVisibleTo(page) && !(l->alignment() & Qt::AlignRight)) {
                const QRect fieldRect(field->mapTo(page, QPoint(0, 0)), field->size());
                const QRect labelRect(l->mapTo(page, QPoint(0, 0)), l->size());
                const int fieldLeft = fieldRect.left(), labelLeft = labelRect.left();
                const bool sameRow = fieldRect.top() <= labelRect.bottom() && labelRect.top() <= fieldRect.bottom();
                if (sameRow && fieldLeft > labelLeft)
                    QVERIFY2(labelLeft + textWidth <= fieldLeft,
                             qPrintable(l->objectName() + QStringLiteral(" covered by its field: ") + l->text()));
            }
        }
        for (QAbstractButton* b : page->findChildren<QAbstractButton*>()) {
            if (!b->isVisibleTo(page) || b->text().isEmpty()) continue;
            QVERIFY2(b->width() >= b->minimumSizeHint().width() - 1,
                     qPrintable(b->objectName() + QStringLiteral(" clipped: ") + b->text()));
        }
        for (QGroupBox* g : page->findChildren<QGroupBox*>()) {
            if (!g->isVisibleTo(page) || g->title().isEmpty()) continue;
            QVERIFY2(g->width() >= g->fontMetrics().horizontalAdvance(g->title()) + 8,
                     qPrintable(g->objectName() + QStringLiteral(" clipped: ") + g->title()));
        }
        for (QTabBar* t : page->findChildren<QTabBar*>()) {
            if (!t->isVisibleTo(page) || t->count() == 0) continue;
            QVERIFY2(t->tabRect(t->count() - 1).right() < t->width(),
                     qPrintable(t->objectName() + QStringLiteral(" cannot show every tab")));
        }
    }
    // Shows a dialog the window runs, checks it and saves its picture.
    void lookAt(QDialog& dialog, const QString& name) {
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        checkNothingClipped(&dialog);
        const QString dir = qEnvironmentVariable("SYLVANODE_SCREENSHOT_DIR");
        if (!dir.isEmpty()) dialog.grab().save(dir + QLatin1Char('/') + name + QStringLiteral(".png"));
    }

private Q_SLOTS:
    // Every page and dialog in each language, at the start size: no text cut off.
    void everyPageAndDialogFitsItsTexts_data() {
        QTest::addColumn<QString>("language");
        QTest::newRow("Chinese") << QString::fromLatin1(kSourceLanguage);
        QTest::newRow("English") << QStringLiteral("en");
    }
    void everyPageAndDialogFitsItsTexts() {
        QFETCH(QString, language);
        closeWindowFixture(f);
        QVERIFY(installTranslations(language));
        f = std::make_unique<WindowFixture>();
        QVERIFY(QTest::qWaitForWindowExposed(&f->w()));
        fill();
        auto* pages = f->child<QTabWidget>("pages");
        for (int i = 0; i < pages->count(); ++i) {
            pages->setCurrentIndex(i);
            QCoreApplication::processEvents();
            checkNothingClipped(&f->w());
            save(language + QStringLiteral("-page-") + QString::number(i));
        }
        // Every hint shows whole in the status bar.
        auto* hints = f->child<QLabel>("hintPanel");
        QStringList tips;
        for (QWidget* w : f->w().findChildren<QWidget*>()) tips << w->statusTip();
        for (QAction* a : f->w().findChildren<QAction*>()) tips << a->statusTip();
        for (const QString& tip : tips) {
            QStatusTipEvent event(tip);
            QCoreApplication::sendEvent(&f->w(), &event);
            QCoreApplication::processEvents();
            QVERIFY2(hints->contentsRect().width() >= hints->fontMetrics().horizontalAdvance(tip),
                     qPrintable(QStringLiteral("hint cut off: ") + tip));
        }
        // The bar above the tree, with its buttons, once another program changed the file.
        f->prompter.answerSaveFile(f->path(QStringLiteral("look.menu")));
        f->trigger("saveAsAction");
        f->trigger("addRootItemAction");
        MenuScheme outside;
        outside.reset();
        f->writeFile(QStringLiteral("look.menu"), writeSchemeText(outside));
        QTRY_VERIFY(f->child<QWidget>("reloadButton")->isVisible());
        checkNothingClipped(&f->w());
        save(language + QStringLiteral("-file-changed"));
        f->trigger("keepMineButton");
        ScriptedPrompter& prompter = f->prompter;
        const auto look = [&](const QString& name) {
            return [this, name, language](QDialog& d) {
                lookAt(d, language + QStringLiteral("-dialog-") + name);
                return int(QDialog::Rejected);
            };
        };
        prompter.answerDialog(look(QStringLiteral("suffix")));
        f->trigger("editSuffixAction");
        prompter.answerDialog(look(QStringLiteral("about")));
        f->trigger("aboutAction");
        int looksShown = 0;
        prompter.answerDialog([&](QDialog& d) {
            looksShown = d.findChild<QListWidget*>(QStringLiteral("lookList"))->count();
            lookAt(d, language + QStringLiteral("-dialog-looks"));
            return int(QDialog::Rejected);
        });
        f->trigger("lookGalleryAction");
        QCOMPARE_GE(looksShown, 8);
        pages->setCurrentIndex(1);
        prompter.answerDialog([&](QDialog& css) {
            lookAt(css, language + QStringLiteral("-dialog-css"));
            prompter.answerDialog([&](QDialog& picker) {
                lookAt(picker, language + QStringLiteral("-dialog-picker"));
                picker.findChild<QAbstractButton*>(QStringLiteral("rgbRadio"))->click();
                lookAt(picker, language + QStringLiteral("-dialog-picker-rgb"));
                return int(QDialog::Rejected);
            });
            css.findChild<QAbstractButton*>(QStringLiteral("pickTextColorButton"))->click();
            return int(QDialog::Rejected);
        });
        QTest::keyClick(f->edit("folderNormalStyle"), Qt::Key_Return);
        const std::string workDir = f->dir.path().toStdString() + "/";
        f->changeSettings([&](SchemeSettings& s) { s.workDir = workDir; });
        f->trigger("checkLinksAction");
        auto* links = f->w().findChild<QDialog*>(QStringLiteral("linkCheckDialog"));
        QVERIFY(links);
        lookAt(*links, language + QStringLiteral("-dialog-links"));
        links->close();
        QVERIFY(installTranslations(QString::fromLatin1(kSourceLanguage)));
        f->prompter.reset();
    }

    void init() {
        f = std::make_unique<WindowFixture>();
        QVERIFY(QTest::qWaitForWindowExposed(&f->w()));
        fill();
    }
    void cleanup() { closeWindowFixture(f); }

    void pagesAtTheStartSize() {
        auto* pages = f->child<QTabWidget>("pages");
        const char* names[] = {"item_page", "style_page", "settings_page"};
        for (int i = 0; i < 3; ++i) {
            pages->setCurrentIndex(i);
            QCoreApplication::processEvents();
            checkNothingClipped(pages->widget(i));
            save(QString::fromLatin1(names[i]));
        }
    }

    void itemPanelLabelsLineUp() {
        QWidget* panel = f->child<QWidget>("itemPanel");
        const auto left = [&](const char* name) { return f->edit(name)->mapTo(panel, QPoint(0, 0)).x(); };
        QCOMPARE(left("menuHintEdit"), left("menuNameEdit"));
        QCOMPARE(left("menuIcon1Edit"), left("menuNameEdit"));
        QCOMPARE(left("menuLinkEdit"), left("menuNameEdit"));
        QCOMPARE(left("menuScriptEdit"), left("menuNameEdit"));
        const auto right = [&](const char* name) {
            QWidget* w = f->child<QWidget>(name);
            return w->mapTo(panel, QPoint(w->width(), 0)).x();
        };
        QCOMPARE(right("browseIcon1Button"), right("copyToHintButton"));
        QCOMPARE(right("browseLinkButton"), right("copyToHintButton"));
    }

    void widerWindowWidensTheTree() {
        const int treeBefore = f->child<QWidget>("tree")->width();
        const int pagesBefore = f->child<QWidget>("pages")->width();
        f->w().resize(900, 640);
        QCoreApplication::processEvents();
        QVERIFY(f->child<QWidget>("tree")->width() > treeBefore);
        QCOMPARE(f->child<QWidget>("pages")->width(), pagesBefore);
        save(QStringLiteral("wide"));
        // The smallest window keeps the page control at its minimum width.
        f->w().resize(400, 500);
        QCoreApplication::processEvents();
        QWidget* pages = f->child<QWidget>("pages");
        QVERIFY(pages->width() >= 350);
        // Everything stays inside the window.
        QVERIFY(pages->mapTo(&f->w(), QPoint(pages->width(), 0)).x() <= f->w().width());
        QWidget* browse = f->child<QWidget>("browseLinkButton");
        QVERIFY(browse->mapTo(&f->w(), QPoint(browse->width(), 0)).x() <= f->w().width());
        checkNothingClipped(f->child<QWidget>("itemPanel"));
        save(QStringLiteral("narrow"));
    }
};

QTEST_MAIN(WindowLookTest)
#include "window_look_test.moc"

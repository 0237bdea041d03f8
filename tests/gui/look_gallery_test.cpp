// SPDX-License-Identifier: MIT
// 样式 → 样式库 and 保存当前样式…: the shipped looks, applying one as a single undo step that
// changes no item, and the current look saved among the user's looks and offered again.
#include <QDialog>
#include <QListWidget>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>
#include <QUndoStack>

#include "model/scheme_look.h"
#include "ui/preview/look_gallery.h"
#include "window_fixture.h"

using namespace sylvanode;

class LookGalleryTest : public QObject {
    Q_OBJECT
    std::unique_ptr<WindowFixture> f;

private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init() {
        f = std::make_unique<WindowFixture>();
        QDir(userLooksFolder()).removeRecursively();
        QVERIFY(f->doc().open(f->copyFixture(QStringLiteral("products/scheme.menu"))));
    }
    void cleanup() {
        closeWindowFixture(f);
        QDir(userLooksFolder()).removeRecursively();
    }

    void shippedLooksAreReadable() {
        const std::vector<LookFile> looks = readLooks({shippedLooksFolder()});
        QVERIFY2(looks.size() >= 8 && looks.size() <= 12, qPrintable(QString::number(looks.size())));
        for (const LookFile& look : looks) QVERIFY2(!look.look.name.empty(), qPrintable(look.path));
    }

    void applyingALookIsOneUndoStepAndKeepsTheItems() {
        const std::vector<LookFile> looks = readLooks({shippedLooksFolder()});
        QVERIFY(looks.size() > 4);
        const QStringList items = f->outline();
        const std::string itemBytes = writeSchemeText(f->scheme());
        const int steps = f->doc().undoStack().count();
        f->prompter.answerDialog([](QDialog& d) {
            auto* list = d.findChild<QListWidget*>(QStringLiteral("lookList"));
            list->setCurrentRow(4);
            d.findChild<QPushButton*>(QStringLiteral("applyLookButton"))->click();
            return int(QDialog::Rejected);
        });
        f->trigger("lookGalleryAction");
        QCOMPARE(f->doc().undoStack().count(), steps + 1);
        QCOMPARE(f->scheme().kinds, looks[4].look.kinds);
        QCOMPARE(f->scheme().settings.indent, looks[4].look.indent);
        QCOMPARE(f->outline(), items);
        f->trigger("undoAction");
        QCOMPARE(writeSchemeText(f->scheme()), itemBytes);
    }

    void savedLookComesBackInTheGallery() {
        f->changeStyles([](std::array<KindStyle, 2>& kinds) { kinds[1].height = 33; });
        const QString path = userLooksFolder() + QStringLiteral("/mine.look");
        f->prompter.answerSaveFile(path);
        f->trigger("saveLookAction");
        QVERIFY(QFileInfo::exists(path));
        const std::vector<LookFile> looks = readLooks({userLooksFolder()});
        QCOMPARE(looks.size(), size_t(1));
        QCOMPARE(looks[0].look.name, std::string("mine"));
        QCOMPARE(looks[0].look.kinds, f->scheme().kinds);
    }
};

QTEST_MAIN(LookGalleryTest)
#include "look_gallery_test.moc"

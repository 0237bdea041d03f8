// SPDX-License-Identifier: MIT
// Tools and Help through the main window: the multi-menu suffix and About (Help: help_guide_test).
#include <QDialog>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "document/text_codec.h"
#include "model/scheme_io.h"
#include "ui/dialogs/suffix_dialog.h"
#include "ui/main/tool_commands.h"
#include "window_fixture.h"

using namespace sylvanode;

namespace {

// Answers the suffix dialog: types `text` over the field and presses OK.
void answerSuffix(ScriptedPrompter& prompter, const QString& text) {
    prompter.answerDialog([text](QDialog& d) {
        d.show();
        auto* edit = d.findChild<QLineEdit*>("suffixEdit");
        edit->setText(text);
        QTest::mouseClick(d.findChild<QPushButton*>("okButton"), Qt::LeftButton);
        d.hide();
        return d.result();
    });
}

QByteArray generate(WindowFixture& f, const QString& name) {
    const QString path = f.path(name);
    f.prompter.answerSaveFile(path);
    f.prompter.answerMessage(Prompter::Ok);
    f.trigger("generateAction");
    return QByteArray::fromStdString(WindowFixture::readFile(path));
}

}  // namespace

class ToolsTest : public QObject {
    Q_OBJECT
    std::unique_ptr<WindowFixture> f;
private slots:
    void init() { f = std::make_unique<WindowFixture>(); }
    void cleanup() { closeWindowFixture(f); }

    void suffixDialogIsMadeAtStartAndKept() {
        SuffixDialog* dialog = f->w().toolCommands().suffixDialog();
        QVERIFY(dialog);
        QVERIFY(!dialog->isVisible());
        answerSuffix(f->prompter, "first");
        f->trigger("editSuffixAction");
        QCOMPARE(f->w().toolCommands().suffixDialog(), dialog);
        QCOMPARE(dialog->findChild<QLineEdit*>("suffixEdit")->text(), QString("first"));
    }

    void suffixReachesTheScriptWithoutMarking() {
        f->trigger("addRootItemAction");
        f->doc().undoStack().setClean();
        const QString title = f->title();

        answerSuffix(f->prompter, "  Two ");
        f->trigger("editSuffixAction");
        QCOMPARE(f->scheme().settings.menuSuffix, std::string("two"));
        QVERIFY(!f->modified());
        QCOMPARE(f->title(), title);
        const QByteArray script = generate(*f, "a.js");
        QVERIFY(script.contains("var tree_nodetwo=new Array("));

        // Cancel keeps the suffix.
        f->prompter.answerDialog([](QDialog&) { return int(QDialog::Rejected); });
        f->trigger("editSuffixAction");
        QCOMPARE(f->scheme().settings.menuSuffix, std::string("two"));
    }

    void aboutRunsTheAboutBox() {
        f->prompter.answerDialog([](QDialog& d) {
            QTest::mouseClick(d.findChild<QPushButton*>("okButton"), Qt::LeftButton);
            return d.result();
        });
        f->trigger("aboutAction");
        QCOMPARE(f->prompter.last().dialogClass, QString("AboutDialog"));
        QVERIFY(!f->modified());
    }
};

QTEST_MAIN(ToolsTest)
#include "tools_test.moc"

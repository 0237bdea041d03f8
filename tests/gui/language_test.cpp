// SPDX-License-Identifier: MIT
// The editor's language: chosen from the system's languages or in View → Language, remembered
// for the next start, and followed by the window, Qt's own texts and Help.
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QMenuBar>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>

#include "ui/common/translations.h"
#include "window_fixture.h"

using namespace sylvanode;

class LanguageTest : public QObject {
    Q_OBJECT

    // The menu bar's titles, as the window shows them.
    static QStringList menuTitles(MainWindow& w) {
        QStringList titles;
        for (QAction* a : w.menuBar()->actions()) titles << a->text();
        return titles;
    }
    static QString guideOpenedByHelp() {
        WindowFixture f;
        f.prompter.answerShell(true);
        f.trigger("helpAction");
        for (const auto& r : f.prompter.requests())
            if (r.kind == ScriptedPrompter::Kind::OpenWithShell) return QFileInfo(r.target).fileName();
        return {};
    }

private Q_SLOTS:
    void initTestCase() {
        // The choice goes to a settings file of the tests, not the user's.
        QStandardPaths::setTestModeEnabled(true);
        storeLanguage(QString());
    }
    void cleanup() {
        storeLanguage(QString());
        installTranslations(QString::fromLatin1(kSourceLanguage));
    }

    void theSystemsFirstLanguageThatTheEditorHasIsTaken_data() {
        QTest::addColumn<QStringList>("tags");
        QTest::addColumn<QStringList>("available");
        QTest::addColumn<QString>("language");
        const QStringList ours{"zh_CN", "en"};
        QTest::newRow("Chinese") << QStringList{"zh-CN"} << ours << "zh_CN";
        QTest::newRow("traditional Chinese") << QStringList{"zh-Hant-TW", "en-US"} << ours << "zh_CN";
        QTest::newRow("English") << QStringList{"en-GB", "zh-CN"} << ours << "en";
        QTest::newRow("German") << QStringList{"de-DE", "de"} << ours << "en";
        QTest::newRow("French, then Chinese") << QStringList{"fr-FR", "zh"} << ours << "zh_CN";
        QTest::newRow("the C locale") << QStringList{"C"} << ours << "en";
        QTest::newRow("nothing") << QStringList{} << ours << "en";
        QTest::newRow("a locale name") << QStringList{"zh_CN.UTF-8"} << ours << "zh_CN";
        const QStringList withGerman{"zh_CN", "de", "en"};
        QTest::newRow("a translation for the region's language") << QStringList{"de-AT"} << withGerman << "de";
        QTest::newRow("the first that has one") << QStringList{"pt-BR", "de-DE"} << withGerman << "de";
        QTest::newRow("Zhuang is not Chinese") << QStringList{"za", "zha"} << ours << "en";
    }
    void theSystemsFirstLanguageThatTheEditorHasIsTaken() {
        QFETCH(QStringList, tags);
        QFETCH(QStringList, available);
        QFETCH(QString, language);
        QCOMPARE(languageForTags(tags, available), language);
    }

    void theProgramHasChineseAndEnglish() {
        QCOMPARE(availableLanguages(), (QStringList{"zh_CN", "en"}));
        QCOMPARE(languageName(QStringLiteral("zh_CN")), QStringLiteral("简体中文"));
        QCOMPARE(languageName(QStringLiteral("en")), QStringLiteral("English"));
    }

    // The menu stores the choice; the next start speaks it, and so do Help and Qt's buttons.
    void aChoiceInTheMenuAppliesAtTheNextStart() {
        QVERIFY(installTranslations(QString::fromLatin1(kSourceLanguage)));
        {
            QDialogButtonBox buttons(QDialogButtonBox::Cancel);  // Qt's own texts in Chinese
            QCOMPARE(buttons.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("取消"));
            WindowFixture f;
            QVERIFY(f.action("systemLanguageAction")->isChecked());
            QCOMPARE(f.action("languageAction_en")->text(), QStringLiteral("English"));
            f.prompter.answerMessage(Prompter::Ok);
            f.trigger("languageAction_en");
            QCOMPARE(f.prompter.last().text, QStringLiteral("新的语言将在下次启动 Sylvanode 时使用。"));
            QCOMPARE(storedLanguage(), QStringLiteral("en"));
            QVERIFY(f.action("languageAction_en")->isChecked());
            // Back to the language it speaks: nothing to say.
            const int requests = int(f.prompter.requests().size());
            f.trigger("languageAction_zh_CN");
            QCOMPARE(int(f.prompter.requests().size()), requests);
            QCOMPARE(storedLanguage(), QStringLiteral("zh_CN"));
            QCOMPARE(menuTitles(f.w()),
                     (QStringList{"文件(&F)", "编辑(&E)", "视图(&V)", "样式(&Y)", "工具(&T)", "帮助(&H)"}));
            f.prompter.answerMessage(Prompter::Ok);
            f.trigger("languageAction_en");
            QVERIFY(f.prompter.failures().isEmpty());
        }
        QCOMPARE(guideOpenedByHelp(), QStringLiteral("index.html"));

        // The next start.
        QCOMPARE(languageToUse(), QStringLiteral("en"));
        QVERIFY(installTranslations(languageToUse()));
        QCOMPARE(uiLanguage(), QStringLiteral("en"));
        WindowFixture f;
        QCOMPARE(menuTitles(f.w()), (QStringList{"&File", "&Edit", "&View", "Loo&ks", "&Tools", "&Help"}));
        QCOMPARE(f.title(), QStringLiteral("Sylvanode 3.0-Untitled"));
        QVERIFY(f.action("languageAction_en")->isChecked());
        QCOMPARE(guideOpenedByHelp(), QStringLiteral("index.en.html"));
        // Qt's own buttons speak English too.
        QDialogButtonBox buttons(QDialogButtonBox::Cancel);
        QCOMPARE(buttons.button(QDialogButtonBox::Cancel)->text().remove(QLatin1Char('&')), QStringLiteral("Cancel"));

        // Following the system again: its language at the next start.
        f.trigger("systemLanguageAction");
        QCOMPARE(storedLanguage(), QString());
        QCOMPARE(languageToUse(), systemLanguage());
        f.prompter.reset();
    }

    void aStoredLanguageThatIsGoneFallsBackToTheSystems() {
        storeLanguage(QStringLiteral("tlh"));
        QCOMPARE(languageToUse(), systemLanguage());
    }
};

QTEST_MAIN(LanguageTest)
#include "language_test.moc"

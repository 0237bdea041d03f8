// SPDX-License-Identifier: MIT
// The editor's words for the failures the core reports, in each language: every kind and
// variant is one sentence, Chinese without English words and English without Chinese, and
// the English is the tool's own (the two frontends say the same).
#include "cli/failure_text.h"

#include <QTest>

#include "../core/failure_samples.h"
#include "ui/common/failure_text.h"
#include "ui/common/translations.h"

using namespace sylvanode;

class FailureTextTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { installTranslations(QString::fromLatin1(kSourceLanguage)); }

    void everyFailureInEachLanguage() {
        QVERIFY(installTranslations(QString::fromLatin1(kSourceLanguage)));
        const std::vector<Failure> chinese = test::failureSamples("/数据/菜单", "甲乙");
        std::vector<QString> zh;
        for (const Failure& f : chinese) zh.push_back(failureReason(f));
        QVERIFY(installTranslations(QStringLiteral("en")));
        const std::vector<Failure> english = test::failureSamples("/data/menu", "abc");
        QCOMPARE(english.size(), chinese.size());
        for (size_t i = 0; i < english.size(); ++i) {
            const QString en = failureReason(english[i]);
            const QString what = QString::fromStdString(failureSummary(english[i])) + QStringLiteral("\n  ") +
                                 en + QStringLiteral("\n  ") + zh[i];
            QVERIFY2(!en.isEmpty() && !zh[i].isEmpty(), qPrintable(what));
            QVERIFY2(!en.contains(QLatin1Char('\n')) && !zh[i].contains(QLatin1Char('\n')), qPrintable(what));
            QVERIFY2(!test::hasCjk(en.toStdString()), qPrintable(what));
            QVERIFY2(test::hasCjk(zh[i].toStdString()), qPrintable(what));
            QVERIFY2(test::onlyChineseWords(zh[i].toStdString()), qPrintable(what));
            // The tool's English, but for a system error outside the table (the editor shows its
            // name whatever the language: the system's own text would be English in Chinese).
            if (english[i].error != ENOTUNIQ)
                QCOMPARE(en, QString::fromStdString(cli::failureText(english[i], Language::English)));
        }
        QCOMPARE(systemErrorText(ENOTUNIQ), QStringLiteral("system error ENOTUNIQ (76)"));
    }
};

QTEST_MAIN(FailureTextTest)
#include "failure_text_test.moc"

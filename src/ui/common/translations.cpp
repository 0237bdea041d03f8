// SPDX-License-Identifier: MIT
#include "ui/common/translations.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QSettings>
#include <QTranslator>
#include <memory>
#include <optional>

#include "platform/user_language.h"

namespace sylvanode {
namespace {

const QString kTranslationFolder = QStringLiteral(":/translations/");
const QString kLanguageKey = QStringLiteral("view/language");

std::unique_ptr<QSettings> userSettings() {
    return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("sylvanode"),
                                       QStringLiteral("sylvanode"));
}

QString programTranslation(const QString& code) {
    return kTranslationFolder + QStringLiteral("sylvanode_") + code + QStringLiteral(".qm");
}

// The language a tag ("de-DE", "zh_TW", "en") asks for among those available; empty if none.
QString availableLanguageOf(const QString& tag, const QStringList& available) {
    if (languageOfLocale(tag.toStdString()) == Language::Chinese) return QLatin1String(kSourceLanguage);
    const QString name = QString(tag).replace(QLatin1Char('-'), QLatin1Char('_')).section(QLatin1Char('.'), 0, 0);
    if (available.contains(name)) return name;
    const QString language = name.section(QLatin1Char('_'), 0, 0);
    return available.contains(language) ? language : QString();
}

struct Installed {
    QString code;
    std::unique_ptr<QTranslator> program;
    std::unique_ptr<QTranslator> qt;
};
std::optional<Installed> installed;

}  // namespace

QStringList availableLanguages() {
    QStringList codes;
    for (const QString& file : QDir(kTranslationFolder).entryList({QStringLiteral("sylvanode_*.qm")}, QDir::Files))
        codes << file.mid(10, file.size() - 13);  // sylvanode_<code>.qm
    codes.sort();
    codes.prepend(QLatin1String(kSourceLanguage));
    return codes;
}

QString languageForTags(const QStringList& tags, const QStringList& available) {
    for (const QString& tag : tags)
        if (const QString code = availableLanguageOf(tag, available); !code.isEmpty()) return code;
    return QStringLiteral("en");
}

QString systemLanguage() { return languageForTags(QLocale::system().uiLanguages(), availableLanguages()); }

QString storedLanguage() { return userSettings()->value(kLanguageKey).toString(); }

void storeLanguage(const QString& code) {
    const auto settings = userSettings();
    if (code.isEmpty())
        settings->remove(kLanguageKey);
    else
        settings->setValue(kLanguageKey, code);
}

QString languageToUse() {
    const QString stored = storedLanguage();
    return availableLanguages().contains(stored) ? stored : systemLanguage();
}

bool installTranslations(const QString& code) {
    if (installed) {
        if (installed->program) QCoreApplication::removeTranslator(installed->program.get());
        if (installed->qt) QCoreApplication::removeTranslator(installed->qt.get());
        installed.reset();
    }
    Installed now{code, nullptr, nullptr};
    bool complete = true;
    if (code != QLatin1String(kSourceLanguage)) {
        now.program = std::make_unique<QTranslator>();
        complete = now.program->load(programTranslation(code));
        if (complete)
            QCoreApplication::installTranslator(now.program.get());
        else
            now.program.reset();
    }
    const QLocale locale(code);
    now.qt = std::make_unique<QTranslator>();
    if (now.qt->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(now.qt.get());
    else
        now.qt.reset();
    // Dates and numbers in Qt's dialogs follow the regional settings, unless those are of
    // another language than the one chosen, which would mix two languages in one dialog.
    QLocale::setDefault(QLocale::system().language() == locale.language() ? QLocale::system() : locale);
    installed = std::move(now);
    return complete;
}

QString uiLanguage() {
    return installed ? installed->code : languageForTags(QLocale().uiLanguages(), availableLanguages());
}

QString languageName(const QString& code) {
    if (code == QLatin1String(kSourceLanguage)) return QStringLiteral("简体中文");
    if (code == QLatin1String("en")) return QStringLiteral("English");
    QString name = QLocale(code).nativeLanguageName();
    if (!name.isEmpty()) name[0] = name[0].toUpper();
    return name.isEmpty() ? code : name;
}

}  // namespace sylvanode

// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QStringList>

namespace sylvanode {

// The editor's languages are named by their codes: "zh_CN" for its own texts (the Chinese of
// the sources), and the code of each translation built from translations/sylvanode_<code>.ts
// ("en"). A new language needs only its .ts file.
inline constexpr const char* kSourceLanguage = "zh_CN";

// The source language first, then every translation that was built in, by code.
QStringList availableLanguages();

// The first of the user-interface languages ("de-DE", "zh-Hant-TW", most wanted first) that
// is Chinese or among `available`; English when none is.
QString languageForTags(const QStringList& tags, const QStringList& available);
// The language the system asks for: languageForTags of QLocale::system().uiLanguages(), which
// reads LANGUAGE and the locale.
QString systemLanguage();

// The choice of View → Language, kept between runs in the user's settings
// (sylvanode/sylvanode.ini in the XDG configuration folder); empty: the system's language.
QString storedLanguage();
void storeLanguage(const QString& code);

// The stored choice when it is still available, else the system's language.
QString languageToUse();

// Makes the application speak `code`: the program's translation (none for the source
// language) and Qt's own texts (qtbase_*.qm, its dialogs and buttons), replacing those
// installed before. Widgets made afterwards show the new texts. False when the program's
// translation could not be loaded (the texts then stay Chinese).
bool installTranslations(const QString& code);

// The language installed last; before the first installTranslations, the default locale's.
QString uiLanguage();

// A language's name in that language, as the language menu lists it ("简体中文", "English").
QString languageName(const QString& code);

}  // namespace sylvanode

// SPDX-License-Identifier: MIT
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace sylvanode {

// The languages the editor and the command-line tool speak: Chinese, and English for everyone
// who does not read Chinese.
enum class Language { Chinese, English };

// Chinese for a locale name or language tag of Chinese ("zh", "zh_CN.UTF-8", "zh-Hant-TW",
// "zh@pinyin"); English for anything else, "C", "POSIX" and the empty name included.
Language languageOfLocale(std::string_view name);

// The first of the names, most wanted first, that is Chinese or English ("fr:zh_CN" asks for
// Chinese); English when none is.
Language preferredLanguage(const std::vector<std::string>& names);

// Reads an environment variable; null when it is not set.
using EnvironmentReader = std::function<const char*(const char*)>;

// The language the environment asks for, read as programs with message catalogues read it:
// the locale of messages is the first non-empty of LC_ALL, LC_MESSAGES and LANG. In the C and
// POSIX locales (and without any) that is English; otherwise a non-empty LANGUAGE list
// ("fr:zh_CN:en") decides by preferredLanguage(), else the locale itself.
Language environmentLanguage(const EnvironmentReader& getenv);
Language environmentLanguage();  // of this process

}  // namespace sylvanode

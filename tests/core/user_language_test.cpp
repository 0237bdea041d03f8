// SPDX-License-Identifier: MIT
#include "platform/user_language.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace sylvanode {
namespace {

TEST(UserLanguage, ChineseLocalesGiveChineseAndEveryOtherEnglish) {
    const struct {
        const char* locale;
        Language expected;
    } cases[] = {
        {"zh_CN.UTF-8", Language::Chinese}, {"zh-CN", Language::Chinese},     {"zh_TW", Language::Chinese},
        {"zh-Hant-HK", Language::Chinese},  {"ZH", Language::Chinese},        {"zh", Language::Chinese},
        {"zh@pinyin", Language::Chinese},   {"en_US.UTF-8", Language::English}, {"de-DE", Language::English},
        {"C", Language::English},           {"C.UTF-8", Language::English},   {"POSIX", Language::English},
        {"", Language::English},            {"zha", Language::English},  // Zhuang, not Chinese
    };
    for (const auto& c : cases) EXPECT_EQ(languageOfLocale(c.locale), c.expected) << c.locale;
}

TEST(UserLanguage, TheEnvironmentIsReadAsMessageCataloguesReadIt) {
    using Env = std::map<std::string, std::string>;
    const struct {
        Env env;
        Language expected;
    } cases[] = {
        {{}, Language::English},
        {{{"LANG", "zh_CN.UTF-8"}}, Language::Chinese},
        {{{"LANG", "de_DE.UTF-8"}}, Language::English},
        {{{"LANG", "zh_CN.UTF-8"}, {"LC_MESSAGES", "en_GB.UTF-8"}}, Language::English},
        {{{"LANG", "en_US.UTF-8"}, {"LC_MESSAGES", "zh_TW.UTF-8"}}, Language::Chinese},
        {{{"LC_MESSAGES", "zh_CN.UTF-8"}, {"LC_ALL", "C"}}, Language::English},
        {{{"LANG", "zh_CN.UTF-8"}, {"LC_ALL", ""}}, Language::Chinese},  // empty counts as unset
        {{{"LC_ALL", "POSIX"}, {"LANGUAGE", "zh_CN"}}, Language::English},  // C and POSIX ignore LANGUAGE
        {{{"LANGUAGE", "zh_CN"}}, Language::English},                       // so does no locale at all
        {{{"LANG", "C.UTF-8"}, {"LANGUAGE", "zh_CN:en"}}, Language::English},
        {{{"LANG", "en_US.UTF-8"}, {"LANGUAGE", "zh_CN:en"}}, Language::Chinese},
        {{{"LANG", "zh_CN.UTF-8"}, {"LANGUAGE", "en_GB:zh_CN"}}, Language::English},
        {{{"LANG", "fr_FR.UTF-8"}, {"LANGUAGE", "fr:zh"}}, Language::Chinese},  // the first we speak
        {{{"LANG", "zh_CN.UTF-8"}, {"LANGUAGE", "fr:de"}}, Language::English},
        {{{"LANG", "zh_CN.UTF-8"}, {"LANGUAGE", ""}}, Language::Chinese},
        {{{"LANG", "de_DE.UTF-8"}, {"LANGUAGE", "::zh_HK"}}, Language::Chinese},
    };
    for (const auto& c : cases) {
        const auto read = [&c](const char* name) -> const char* {
            const auto it = c.env.find(name);
            return it == c.env.end() ? nullptr : it->second.c_str();
        };
        std::string shown;
        for (const auto& [k, v] : c.env) shown += k + "=" + v + " ";
        EXPECT_EQ(environmentLanguage(read), c.expected) << shown;
    }
}

}  // namespace
}  // namespace sylvanode

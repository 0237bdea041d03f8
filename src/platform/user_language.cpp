// SPDX-License-Identifier: MIT
#include "platform/user_language.h"

#include <cstdlib>

namespace sylvanode {
namespace {

bool isChinese(std::string_view name) {
    return name.size() >= 2 && (name[0] == 'z' || name[0] == 'Z') && (name[1] == 'h' || name[1] == 'H') &&
           (name.size() == 2 || name[2] == '_' || name[2] == '-' || name[2] == '.' || name[2] == '@');
}

bool isEnglish(std::string_view name) {
    return name.size() >= 2 && (name[0] == 'e' || name[0] == 'E') && (name[1] == 'n' || name[1] == 'N') &&
           (name.size() == 2 || name[2] == '_' || name[2] == '-' || name[2] == '.' || name[2] == '@');
}

// "C", "POSIX" and their variants ("C.UTF-8") ask for no language at all.
bool isPlainLocale(std::string_view name) {
    const std::string_view base = name.substr(0, name.find_first_of(".@"));
    return base.empty() || base == "C" || base == "POSIX";
}

}  // namespace

Language languageOfLocale(std::string_view name) {
    return isChinese(name) ? Language::Chinese : Language::English;
}

Language preferredLanguage(const std::vector<std::string>& names) {
    for (const std::string& name : names) {
        if (isChinese(name)) return Language::Chinese;
        if (isEnglish(name)) return Language::English;
    }
    return Language::English;
}

Language environmentLanguage(const EnvironmentReader& getenv) {
    std::string_view locale;
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = getenv(variable);
        if (value && *value) {
            locale = value;
            break;
        }
    }
    if (isPlainLocale(locale)) return Language::English;
    if (const char* list = getenv("LANGUAGE"); list && *list) {
        std::vector<std::string> names;
        std::string_view rest = list;
        while (!rest.empty()) {
            const size_t colon = rest.find(':');
            names.emplace_back(rest.substr(0, colon));
            rest = colon == std::string_view::npos ? std::string_view() : rest.substr(colon + 1);
        }
        return preferredLanguage(names);
    }
    return languageOfLocale(locale);
}

Language environmentLanguage() {
    return environmentLanguage([](const char* name) -> const char* { return std::getenv(name); });
}

}  // namespace sylvanode

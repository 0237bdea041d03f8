// SPDX-License-Identifier: MIT
#include "exchange/link_cluster.h"

#include <algorithm>
#include <string>

#include "exchange/html_markup.h"

namespace sylvanode::html {
namespace {

using xml::isElement;

// Elements that only style text: never a block of their own.
bool isInline(const xmlNode* n) {
    for (const char* tag : {"a", "span", "font", "b", "strong", "em", "i", "u", "small", "big", "img", "label"})
        if (isElement(n, tag)) return true;
    return false;
}

// Elements after which a new line of the menu starts, so the indent counts afresh.
bool startsLine(const xmlNode* n) {
    for (const char* tag : {"br", "td", "th", "tr", "table", "div", "p", "dd", "dt", "h1", "h2", "h3", "h4", "h5",
                            "h6", "center"})
        if (isElement(n, tag)) return true;
    return false;
}

bool isBlankByte(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f'; }

// Visible characters of a text (blanks and non-breaking spaces left out), and the spaces that
// indent: U+00A0, U+2002, U+2003, U+3000.
void countText(std::string_view utf8, size_t& visible, size_t& indent) {
    for (size_t i = 0; i < utf8.size(); ++i) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        if (utf8.substr(i, 2) == "\xC2\xA0") {
            ++indent, ++i;
        } else if (utf8.substr(i, 3) == "\xE3\x80\x80" || utf8.substr(i, 3) == "\xE2\x80\x82" ||
                   utf8.substr(i, 3) == "\xE2\x80\x83") {
            ++indent, i += 2;
        } else if (!isBlankByte(utf8[i]) && (c & 0xC0) != 0x80) {
            ++visible;
        }
    }
}

bool isMenuLink(const xmlNode* n) { return leadsSomewhere(n) && !activeTitle(n).empty(); }

// The level a class names: the number at the end of a token (menu2, level-3, lm_1), else 1
// for a token of a sub-menu (sub, submenu, child), else -1.
int classLevel(const xmlNode* n) {
    const std::string classes = xml::attribute(n, "class");
    int level = -1;
    size_t pos = 0;
    while (pos < classes.size()) {
        const size_t start = classes.find_first_not_of(" \t\r\n\f", pos);
        if (start == std::string::npos) break;
        size_t end = classes.find_first_of(" \t\r\n\f", start);
        if (end == std::string::npos) end = classes.size();
        std::string token = classes.substr(start, end - start);
        pos = end;
        for (char& c : token)
            if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        size_t digits = token.size();
        while (digits > 0 && token[digits - 1] >= '0' && token[digits - 1] <= '9') --digits;
        if (digits > 0 && digits < token.size() && token.size() - digits <= 2) {
            level = std::max(level, std::stoi(token.substr(digits)));
        } else if (token.find("sub") != std::string::npos || token.find("child") != std::string::npos) {
            level = std::max(level, 1);
        }
    }
    return level;
}

}  // namespace

LinkCluster findLinkCluster(const xmlNode* scope) {
    struct Counts {
        size_t links = 0, linkChars = 0, chars = 0;
    };
    std::vector<Counts> open;  // one per element entered
    size_t inLink = 0;
    LinkCluster best;
    auto counted = [](const xmlNode* n) { return isElement(n) && !isSkipped(n) && !isList(n); };
    walkNodes(
        scope,
        [&](const xmlNode* n) {
            if (n->type == XML_TEXT_NODE && n->content && !open.empty()) {
                size_t visible = 0, indent = 0;
                countText(reinterpret_cast<const char*>(n->content), visible, indent);
                open.back().chars += visible;
                if (inLink) open.back().linkChars += visible;
                return false;
            }
            if (!counted(n)) return false;
            open.emplace_back();
            if (isElement(n, "a")) ++inLink;
            return true;
        },
        [&](const xmlNode* n) {
            if (!counted(n)) return;
            Counts c = open.back();
            open.pop_back();
            if (isElement(n, "a")) {
                --inLink;
                c.links += isMenuLink(n) ? 1 : 0;
            }
            const bool dense = c.links >= 3 && c.linkChars * 10 >= c.chars * 6 && !isInline(n);
            if (dense) {
                const bool named = !xml::attribute(n, "id").empty() || !xml::attribute(n, "class").empty();
                const bool bestNamed = best.container && (!xml::attribute(best.container, "id").empty() ||
                                                          !xml::attribute(best.container, "class").empty());
                if (c.links > best.links || (c.links == best.links && named && !bestNamed)) best = {n, c.links};
            }
            if (!open.empty()) {
                open.back().links += c.links;
                open.back().linkChars += c.linkChars;
                open.back().chars += c.chars;
            }
        });
    return best;
}

std::vector<std::unique_ptr<MenuNode>> buildClusterTree(const xmlNode* container) {
    ForestBuilder builder;
    std::vector<long> indents;  // of the open items
    long tables = 0;
    long spaces = 0;  // indenting spaces since the line began
    walkNodes(
        container,
        [&](const xmlNode* n) {
            if (n->type == XML_TEXT_NODE && n->content) {
                size_t visible = 0, indent = 0;
                countText(reinterpret_cast<const char*>(n->content), visible, indent);
                spaces += static_cast<long>(indent);
                return false;
            }
            if (!isElement(n) || isSkipped(n) || isList(n)) return false;
            if (n != container && startsLine(n)) spaces = 0;
            if (isElement(n, "table") && n != container) ++tables;
            if (!isElement(n, "a")) return true;
            if (isMenuLink(n)) {
                // The level a class names, on the link or a few elements around it.
                int level = -1;
                int steps = 0;
                for (const xmlNode* p = n; p && p != container && level < 0 && steps < 8; p = p->parent, ++steps)
                    level = classLevel(p);
                const long indent = tables * 1'000'000 + std::max(level, 0) * 1000 + std::min(spaces, 999L);
                while (!indents.empty() && indents.back() >= indent) {
                    indents.pop_back();
                    builder.close();
                }
                openItem(n, activeTitle(n), builder);
                indents.push_back(indent);
            }
            spaces = 0;
            return false;
        },
        [&](const xmlNode* n) {
            if (n == container || !isElement(n)) return;
            if (isElement(n, "table")) --tables;
            if (startsLine(n)) spaces = 0;
        });
    return builder.finish();
}

}  // namespace sylvanode::html

// SPDX-License-Identifier: MIT
#include "exchange/outline_reader.h"

#include <vector>

#include "platform/text_encoding.h"

namespace sylvanode {
namespace {

constexpr int kTabWidth = 4;

bool isEscapable(char c) {
    return c == '[' || c == ']' || c == '(' || c == ')' || c == '<' || c == '>' || c == '\\' || c == '"';
}

std::string unescape(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\\' && i + 1 < s.size() && isEscapable(s[i + 1])) ++i;
        out.push_back(s[i]);
    }
    return out;
}

std::string_view trimBlanks(std::string_view s) {
    const size_t b = s.find_first_not_of(" \t");
    if (b == std::string_view::npos) return {};
    return s.substr(b, s.find_last_not_of(" \t") - b + 1);
}

// Drops one leading bullet and the blank after it.
std::string_view stripBullet(std::string_view s) {
    if (s.size() >= 2 && (s[0] == '-' || s[0] == '*' || s[0] == '+') && (s[1] == ' ' || s[1] == '\t'))
        return trimBlanks(s.substr(2));
    if (s.size() == 1 && (s[0] == '-' || s[0] == '*' || s[0] == '+')) return {};
    size_t d = 0;
    while (d < s.size() && d < 9 && s[d] >= '0' && s[d] <= '9') ++d;
    if (d > 0 && d + 1 < s.size() && (s[d] == '.' || s[d] == ')') && (s[d + 1] == ' ' || s[d + 1] == '\t'))
        return trimBlanks(s.substr(d + 2));
    return s;
}

// Index of the unescaped `close` that ends what starts after `from`; npos when none.
size_t findClosing(std::string_view s, size_t from, char close) {
    for (size_t i = from; i < s.size(); ++i) {
        if (s[i] == '\\') {
            ++i;
            continue;
        }
        if (s[i] == close) return i;
    }
    return std::string_view::npos;
}

struct LineItem {
    std::string title, link, hint;
    bool isLink = false;
};

// [title](url) or [title](<url>) with an optional "hint", filling the whole line.
bool parseMarkdownLink(std::string_view s, LineItem& item) {
    if (s.empty() || s[0] != '[') return false;
    const size_t close = findClosing(s, 1, ']');
    if (close == std::string_view::npos || close + 1 >= s.size() || s[close + 1] != '(' || s.back() != ')')
        return false;
    std::string_view inner = trimBlanks(s.substr(close + 2, s.size() - close - 3));
    std::string url;
    std::string_view rest;
    if (!inner.empty() && inner[0] == '<') {
        const size_t end = findClosing(inner, 1, '>');
        if (end == std::string_view::npos) return false;
        url = unescape(inner.substr(1, end - 1));
        rest = trimBlanks(inner.substr(end + 1));
    } else {
        const size_t end = inner.find_first_of(" \t");
        url = unescape(inner.substr(0, end));
        rest = end == std::string_view::npos ? std::string_view() : trimBlanks(inner.substr(end));
    }
    std::string hint;
    if (!rest.empty()) {
        if (rest.size() < 2 || rest.front() != '"' || rest.back() != '"') return false;
        hint = unescape(rest.substr(1, rest.size() - 2));
    }
    item.title = unescape(s.substr(1, close - 1));
    item.link = std::move(url);
    item.hint = std::move(hint);
    item.isLink = true;
    return true;
}

LineItem parseContent(std::string_view s) {
    LineItem item;
    if (parseMarkdownLink(s, item)) return item;
    // "title<TAB>link": two columns of a spreadsheet, or an outline this program copied.
    if (const size_t tab = s.find('\t'); tab != std::string_view::npos) {
        const std::string_view title = trimBlanks(s.substr(0, tab));
        const std::string_view link = trimBlanks(s.substr(tab + 1));
        if (!title.empty() && !link.empty()) {
            item.title = std::string(title);
            item.link = std::string(link);
            item.isLink = true;
            return item;
        }
    }
    if ((s.rfind("http://", 0) == 0 || s.rfind("https://", 0) == 0) &&
        s.find_first_of(" \t") == std::string_view::npos) {
        item.title = std::string(s);
        item.link = std::string(s);
        item.isLink = true;
        return item;
    }
    item.title = unescape(s);
    return item;
}

bool isJavaScript(std::string_view link) {
    constexpr std::string_view prefix = "javascript:";
    if (link.size() < prefix.size()) return false;
    for (size_t i = 0; i < prefix.size(); ++i)
        if ((link[i] | 0x20) != prefix[i] && link[i] != prefix[i]) return false;
    return true;
}

}  // namespace

ImportResult readOutline(std::string_view text) {
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    if (text.find('\0') != std::string_view::npos)
        return ImportResult::failed(FailureKind::BinaryData, DataFormat::Outline);
    if (!isValidUtf8(text)) return ImportResult::failed(FailureKind::NotUtf8, DataFormat::Outline);

    ForestBuilder builder;
    std::vector<int> indents;  // indentation of each open item
    for (size_t pos = 0; pos < text.size();) {
        size_t end = text.find_first_of("\r\n", pos);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(pos, end - pos);
        pos = end;
        if (pos < text.size() && text[pos] == '\r') ++pos;
        if (pos < text.size() && text[pos] == '\n') ++pos;

        int indent = 0;
        size_t i = 0;
        for (; i < line.size() && (line[i] == ' ' || line[i] == '\t'); ++i)
            indent = line[i] == '\t' ? (indent / kTabWidth + 1) * kTabWidth : indent + 1;
        const std::string_view content = stripBullet(trimBlanks(line.substr(i)));
        if (trimBlanks(line).empty()) continue;

        while (!indents.empty() && indents.back() >= indent) {
            indents.pop_back();
            builder.close();
        }
        const LineItem item = parseContent(content);
        MenuItemData& d = builder.open(item.title);
        d.menuHint = toSchemeText(item.hint);
        if (item.isLink && isJavaScript(item.link)) {
            d.contentType = 1;
            d.menuScript = toSchemeText(item.link.substr(11));
        } else {
            d.menuLink = toSchemeText(item.link);
        }
        indents.push_back(indent);
    }
    ImportResult r;
    r.roots = builder.finish();
    if (r.roots.empty()) return ImportResult::failed(FailureKind::NoItems, DataFormat::Outline);
    return r;
}

}  // namespace sylvanode

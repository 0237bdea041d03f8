// SPDX-License-Identifier: MIT
#include "exchange/html_markup.h"

#include <algorithm>
#include <vector>

namespace sylvanode::html {
namespace {

using xml::isElement;

std::string lower(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

bool trivialScript(std::string_view code) {
    const std::string c = lower(collapseWhiteSpace(code));
    return c.empty() || c == ";" || c == "void(0)" || c == "void(0);" || c == "void 0" || c == "void 0;";
}

// An attribute value for a message: white space collapsed, quotes escaped, long values cut.
std::string shortValue(std::string_view value) {
    std::string v = collapseWhiteSpace(value);
    if (v.size() > 60) {
        size_t cut = 57;
        while (cut > 0 && (static_cast<unsigned char>(v[cut]) & 0xC0) == 0x80) --cut;  // whole characters
        v = v.substr(0, cut) + "...";
    }
    std::string out;
    for (char c : v) out += c == '"' ? std::string("&quot;") : std::string(1, c);
    return out;
}

}  // namespace

bool isList(const xmlNode* n) { return isElement(n, "ul") || isElement(n, "ol") || isElement(n, "menu"); }

bool isSkipped(const xmlNode* n) {
    return isElement(n, "script") || isElement(n, "style") || isElement(n, "template") || isElement(n, "noscript");
}

bool isNavigation(const xmlNode* n) {
    return isElement(n, "nav") || (isElement(n) && lower(xml::attribute(n, "role")) == "navigation");
}

bool hasClass(const xmlNode* n, std::string_view token) {
    if (!isElement(n)) return false;
    const std::string classes = xml::attribute(n, "class");
    for (size_t pos = 0; pos < classes.size();) {
        const size_t start = classes.find_first_not_of(" \t\r\n\f", pos);
        if (start == std::string::npos) break;
        size_t end = classes.find_first_of(" \t\r\n\f", start);
        if (end == std::string::npos) end = classes.size();
        if (std::string_view(classes).substr(start, end - start) == token) return true;
        pos = end;
    }
    return false;
}

bool isScreenReaderOnly(const xmlNode* n) {
    return hasClass(n, "sr-only") || hasClass(n, "visually-hidden") || hasClass(n, "visuallyhidden") ||
           hasClass(n, "screen-reader-text") || hasClass(n, "sr-only-text");
}

std::string ownText(const xmlNode* element, const std::vector<const xmlNode*>& except) {
    std::string text;
    for (const xmlNode* n = element->children; n;) {
        bool descend = true;
        if (n->type == XML_TEXT_NODE || n->type == XML_CDATA_SECTION_NODE) {
            if (n->content) text += reinterpret_cast<const char*>(n->content);
        } else if (isElement(n)) {
            descend = !isList(n) && !isSkipped(n) && !isNavigation(n) && !isScreenReaderOnly(n) &&
                      std::find(except.begin(), except.end(), n) == except.end();
            if (isElement(n, "br")) text += ' ';
        }
        n = xml::nextNode(n, element, descend);
    }
    return collapseWhiteSpace(text);
}

bool isActive(const xmlNode* n) {
    return isElement(n, "a") || (isElement(n, "button") && !xml::attribute(n, "data-script").empty());
}

std::string activeTitle(const xmlNode* el) {
    std::string title = ownText(el);
    if (title.empty()) title = collapseWhiteSpace(xml::attribute(el, "title"));
    if (title.empty())
        for (const xmlNode* n = el; n; n = xml::nextNode(n, el))
            if (isElement(n, "img")) {
                title = collapseWhiteSpace(xml::attribute(n, "alt"));
                if (!title.empty()) break;
            }
    return title;
}

MenuItemData& openItem(const xmlNode* el, std::string title, ForestBuilder& builder) {
    MenuItemData& d = builder.open(title);
    if (!el) return d;
    d.menuHint = toSchemeText(xml::attribute(el, "title"));
    d.menuStatus = toSchemeText(xml::attribute(el, "data-status"));
    d.menuIcon1 = toSchemeText(xml::attribute(el, "data-icon1"));
    d.menuIcon2 = toSchemeText(xml::attribute(el, "data-icon2"));
    bool hasScript = false;
    const std::string script = xml::attribute(el, "data-script", &hasScript);
    if (hasScript) {
        d.contentType = 1;
        d.menuScript = toSchemeText(script);
        return d;
    }
    if (!isElement(el, "a")) return d;
    std::string href = xml::attribute(el, "href");
    const std::string trimmed = collapseWhiteSpace(href);
    if (lower(trimmed.substr(0, 11)) == "javascript:") {
        const std::string code = trimmed.substr(11);
        if (!trivialScript(code)) {
            d.contentType = 1;
            d.menuScript = toSchemeText(code);
        }
        return d;
    }
    if (trimmed == "#") href.clear();
    d.menuLink = toSchemeText(href);
    d.menuTarget = toSchemeText(xml::attribute(el, "target"));
    return d;
}

bool leadsSomewhere(const xmlNode* a) {
    if (!isElement(a, "a")) return false;
    const std::string href = collapseWhiteSpace(xml::attribute(a, "href"));
    if (href.empty() || href == "#") return false;
    return lower(href.substr(0, 11)) != "javascript:" || !trivialScript(href.substr(11));
}

std::string describeElement(const xmlNode* n) {
    std::string out = "<";
    out += xml::localName(n);
    for (const char* name : {"id", "class"}) {
        const std::string value = xml::attribute(n, name);
        if (collapseWhiteSpace(value).empty()) continue;
        out += ' ';
        out += name;
        out += "=\"";
        out += shortValue(value);
        out += '"';
    }
    return out + ">";
}

}  // namespace sylvanode::html

// SPDX-License-Identifier: MIT
#include "exchange/html_list_reader.h"

#include <algorithm>
#include <vector>

#include "exchange/xml_support.h"
#include "platform/text_encoding.h"

namespace sylvanode {
namespace {

using xml::isElement;

std::string lower(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

std::string trim(std::string_view s) {
    const char* ws = " \t\r\n\f\"'";
    const size_t b = s.find_first_not_of(ws);
    if (b == std::string_view::npos) return {};
    return std::string(s.substr(b, s.find_last_not_of(ws) - b + 1));
}

// A declared name as iconv knows it, the way browsers read the labels: the GB family
// decodes as GB18030, Latin-1 as windows-1252, and a UTF-16 label on an ASCII-compatible
// page as UTF-8.
std::string charsetFromLabel(std::string_view label) {
    const std::string l = lower(trim(label));
    if (l.empty()) return {};
    if (l == "gb2312" || l == "gbk" || l == "x-gbk" || l == "gb18030" || l == "gb_2312-80" ||
        l == "chinese" || l == "csgb2312" || l == "iso-ir-58" || l == "cp936" || l == "windows-936")
        return "GB18030";
    if (l == "iso-8859-1" || l == "latin1" || l == "l1" || l == "us-ascii" || l == "ascii" ||
        l == "windows-1252" || l == "cp1252")
        return "WINDOWS-1252";
    if (l == "utf-8" || l == "utf8" || l.rfind("utf-16", 0) == 0) return "UTF-8";
    std::string probe;
    if (!charsetToUtf8("a", l, probe)) return {};
    return l;
}

// The charset named in the page's first few kilobytes. The prefix is parsed as Latin-1,
// which keeps every byte, so the declaration is found whatever the page's real encoding.
std::string declaredCharset(std::string_view bytes) {
    const std::string_view head = bytes.substr(0, 4096);
    std::string latin1;
    charsetToUtf8(head, "ISO-8859-1", latin1);
    xml::Doc doc = xml::parseHtmlUtf8(latin1);
    if (!doc) return {};
    const xmlNode* root = xmlDocGetRootElement(doc.get());
    for (const xmlNode* n = root; n; n = xml::nextNode(n, root)) {
        if (!isElement(n, "meta")) continue;
        if (std::string c = charsetFromLabel(xml::attribute(n, "charset")); !c.empty()) return c;
        if (lower(trim(xml::attribute(n, "http-equiv"))) != "content-type") continue;
        const std::string content = lower(xml::attribute(n, "content"));
        const size_t at = content.find("charset=");
        if (at == std::string::npos) continue;
        std::string value = content.substr(at + 8);
        value = value.substr(0, value.find_first_of("; "));
        if (std::string c = charsetFromLabel(value); !c.empty()) return c;
    }
    return {};
}

struct Decoded {
    std::string utf8;
    std::string error;
};

Decoded decodePage(std::string_view bytes) {
    Decoded d;
    std::string charset;
    size_t skip = 0;
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") {
        charset = "UTF-8", skip = 3;
    } else if (bytes.substr(0, 2) == "\xFF\xFE") {
        charset = "UTF-16LE", skip = 2;
    } else if (bytes.substr(0, 2) == "\xFE\xFF") {
        charset = "UTF-16BE", skip = 2;
    }
    if (charset.empty() && bytes.find('\0') != std::string_view::npos) {
        d.error = "not an HTML page (binary data)";
        return d;
    }
    if (charset.empty()) charset = detectHtmlCharset(bytes);
    const std::string_view body = bytes.substr(skip);
    if (charset == "UTF-8" && isValidUtf8(body)) {
        d.utf8.assign(body);
    } else if (charset == "GB18030") {
        // The scheme's own decoder: GBK, GB18030 and 0x80 as the euro sign, as browsers read it.
        d.utf8 = schemeBytesToUtf8(body, "\xEF\xBF\xBD");
    } else {
        charsetToUtf8(body, charset, d.utf8);
    }
    if (d.utf8.find('\0') != std::string::npos) d.error = "not an HTML page (binary data)";
    return d;
}

bool isList(const xmlNode* n) { return isElement(n, "ul") || isElement(n, "ol") || isElement(n, "menu"); }
bool isSkipped(const xmlNode* n) {
    return isElement(n, "script") || isElement(n, "style") || isElement(n, "template") ||
           isElement(n, "noscript");
}

// Text of an element, without the lists nested in it and without scripts and styles.
std::string ownText(const xmlNode* element) {
    std::string text;
    for (const xmlNode* n = element->children; n;) {
        bool descend = true;
        if (n->type == XML_TEXT_NODE || n->type == XML_CDATA_SECTION_NODE) {
            if (n->content) text += reinterpret_cast<const char*>(n->content);
        } else if (isElement(n)) {
            descend = !isList(n) && !isSkipped(n);
            if (isElement(n, "br")) text += ' ';
        }
        n = xml::nextNode(n, element, descend);
    }
    return collapseWhiteSpace(text);
}

// The <li> items of a list: its <li> descendants with no other list or item between.
std::vector<const xmlNode*> listItems(const xmlNode* list) {
    std::vector<const xmlNode*> items;
    for (const xmlNode* n = list->children; n;) {
        const bool item = isElement(n, "li");
        if (item) items.push_back(n);
        n = xml::nextNode(n, list, !item && !isList(n) && !isSkipped(n));
    }
    return items;
}

// Lists below an item: those inside it, and (a common slip) lists that follow it directly
// in its parent list, before the next item.
std::vector<const xmlNode*> subLists(const xmlNode* li) {
    std::vector<const xmlNode*> lists;
    for (const xmlNode* n = li->children; n;) {
        const bool list = isList(n);
        if (list) lists.push_back(n);
        n = xml::nextNode(n, li, !list && !isSkipped(n));
    }
    for (const xmlNode* s = li->next; s && !isElement(s, "li"); s = s->next)
        if (isList(s)) lists.push_back(s);
    return lists;
}

// The element that carries an item's link or script: its first link outside nested lists,
// else a button with a script, else its first element child.
const xmlNode* itemElement(const xmlNode* li) {
    const xmlNode* button = nullptr;
    for (const xmlNode* n = li->children; n;) {
        if (isElement(n, "a")) return n;
        if (!button && isElement(n, "button") && !xml::attribute(n, "data-script").empty()) button = n;
        n = xml::nextNode(n, li, !isList(n) && !isSkipped(n));
    }
    if (button) return button;
    for (const xmlNode* n = li->children; n; n = n->next)
        if (isElement(n) && !isList(n)) return n;
    return nullptr;
}

bool trivialScript(std::string_view code) {
    const std::string c = lower(collapseWhiteSpace(code));
    return c.empty() || c == ";" || c == "void(0)" || c == "void(0);" || c == "void 0" || c == "void 0;";
}

// Fills an item from its element; false when the <li> holds nothing worth an item.
bool fillItem(const xmlNode* li, bool hasChildren, ForestBuilder& builder) {
    const xmlNode* el = itemElement(li);
    // A link or a button is titled by its own text; an item without either by all its text.
    const bool active = isElement(el, "a") || isElement(el, "button");
    std::string title = active ? ownText(el) : std::string();
    if (title.empty() && active) title = collapseWhiteSpace(xml::attribute(el, "title"));
    if (title.empty() && active) {
        for (const xmlNode* n = el; n; n = xml::nextNode(n, el))
            if (isElement(n, "img")) {
                title = collapseWhiteSpace(xml::attribute(n, "alt"));
                if (!title.empty()) break;
            }
    }
    if (title.empty()) title = ownText(li);
    if (!el && title.empty() && !hasChildren) return false;

    MenuItemData& d = builder.open(title);
    if (!el) return true;
    d.menuHint = toSchemeText(xml::attribute(el, "title"));
    d.menuStatus = toSchemeText(xml::attribute(el, "data-status"));
    d.menuIcon1 = toSchemeText(xml::attribute(el, "data-icon1"));
    d.menuIcon2 = toSchemeText(xml::attribute(el, "data-icon2"));
    bool hasScript = false;
    const std::string script = xml::attribute(el, "data-script", &hasScript);
    if (hasScript) {
        d.contentType = 1;
        d.menuScript = toSchemeText(script);
        return true;
    }
    if (!isElement(el, "a")) return true;
    std::string href = xml::attribute(el, "href");
    const std::string trimmed = collapseWhiteSpace(href);
    if (lower(trimmed.substr(0, 11)) == "javascript:") {
        const std::string code = trimmed.substr(11);
        if (!trivialScript(code)) {
            d.contentType = 1;
            d.menuScript = toSchemeText(code);
        }
        return true;
    }
    if (trimmed == "#") href.clear();
    d.menuLink = toSchemeText(href);
    d.menuTarget = toSchemeText(xml::attribute(el, "target"));
    return true;
}

std::vector<std::unique_ptr<MenuNode>> buildTree(const xmlNode* list) {
    ForestBuilder builder;
    struct Frame {
        std::vector<const xmlNode*> items;
        size_t next = 0;
        bool opened = false;  // whether the frame's items hang below an opened item
    };
    std::vector<Frame> frames;
    frames.push_back({listItems(list), 0, false});
    while (!frames.empty()) {
        Frame& f = frames.back();
        if (f.next == f.items.size()) {
            const bool opened = f.opened;
            frames.pop_back();
            if (opened) builder.close();
            continue;
        }
        const xmlNode* li = f.items[f.next++];
        std::vector<const xmlNode*> children;
        for (const xmlNode* sub : subLists(li)) {
            std::vector<const xmlNode*> more = listItems(sub);
            children.insert(children.end(), more.begin(), more.end());
        }
        if (!fillItem(li, !children.empty(), builder)) continue;
        if (children.empty())
            builder.close();
        else
            frames.push_back({std::move(children), 0, true});
    }
    return builder.finish();
}

// The largest outermost list below `root` (or `root` itself when it is a list), counted in
// items; with `insideNav`, only lists within a <nav>.
const xmlNode* largestList(const xmlNode* root, bool insideNav) {
    const xmlNode* best = nullptr;
    size_t bestCount = 0;
    auto consider = [&](const xmlNode* list) {
        size_t count = 0;
        for (const xmlNode* n = list; n; n = xml::nextNode(n, list))
            if (isElement(n, "li")) ++count;
        if (!best || count > bestCount) best = list, bestCount = count;
    };
    if (isList(root)) {
        consider(root);
        return best;
    }
    std::vector<const xmlNode*> navs;  // open <nav> ancestors of the walk
    for (const xmlNode* n = root; n;) {
        const bool list = isList(n);
        if (list) {
            bool inNav = false;
            for (const xmlNode* p = n->parent; p && !inNav; p = p->parent) inNav = isElement(p, "nav");
            if (!insideNav || inNav) consider(n);
        }
        n = xml::nextNode(n, root, !list && !isSkipped(n));
    }
    return best;
}

const xmlNode* elementById(const xmlNode* root, const std::string& id) {
    for (const xmlNode* n = root; n; n = xml::nextNode(n, root))
        if (isElement(n) && xml::attribute(n, "id") == id) return n;
    return nullptr;
}

}  // namespace

std::string detectHtmlCharset(std::string_view bytes) {
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") return "UTF-8";
    if (bytes.substr(0, 2) == "\xFF\xFE") return "UTF-16LE";
    if (bytes.substr(0, 2) == "\xFE\xFF") return "UTF-16BE";
    if (std::string declared = declaredCharset(bytes); !declared.empty()) return declared;
    return isValidUtf8(bytes) ? "UTF-8" : "GB18030";
}

ImportResult readHtmlList(std::string_view bytes, const HtmlListOptions& options) {
    Decoded page = decodePage(bytes);
    if (!page.error.empty()) return ImportResult::failure(page.error);
    xml::Doc doc = xml::parseHtmlUtf8(page.utf8);
    const xmlNode* root = doc ? xmlDocGetRootElement(doc.get()) : nullptr;
    if (!root) return ImportResult::failure("not an HTML page (nothing to read)");
    const xmlNode* list = nullptr;
    if (!options.selectId.empty()) {
        const xmlNode* chosen = elementById(root, options.selectId);
        if (!chosen) return ImportResult::failure("no element with the id \"" + options.selectId + "\"");
        list = largestList(chosen, false);
        if (!list)
            return ImportResult::failure("no list inside the element with the id \"" + options.selectId +
                                         "\"");
    } else {
        list = largestList(root, true);
        if (!list) list = largestList(root, false);
        if (!list) return ImportResult::failure("no list (<ul> or <ol>) found in the page");
    }
    ImportResult r;
    r.roots = buildTree(list);
    if (r.roots.empty()) return ImportResult::failure("the list has no items");
    return r;
}

std::string readHtmlTitle(std::string_view bytes) {
    Decoded page = decodePage(bytes);
    if (!page.error.empty()) return {};
    xml::Doc doc = xml::parseHtmlUtf8(page.utf8);
    const xmlNode* root = doc ? xmlDocGetRootElement(doc.get()) : nullptr;
    for (const xmlNode* n = root; n; n = xml::nextNode(n, root)) {
        if (isElement(n, "body")) break;
        if (isElement(n, "title")) return ownText(n);
    }
    return {};
}

}  // namespace sylvanode

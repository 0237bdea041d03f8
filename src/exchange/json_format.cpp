// SPDX-License-Identifier: MIT
#include "exchange/json_format.h"

#include <cctype>
#include <unordered_map>
#include <vector>

#include "exchange/json_value.h"
#include "exchange/tree_walk.h"
#include "platform/text_encoding.h"

namespace sylvanode {
namespace {

constexpr const char* kReplacement = "\xEF\xBF\xBD";
using Json = JsonDocument;

std::string utf8(std::string_view schemeBytes) { return schemeBytesToUtf8(schemeBytes, kReplacement); }

void appendField(std::string& out, const char* key, std::string_view schemeBytes, bool always = false) {
    if (schemeBytes.empty() && !always) return;
    out += ",\"";
    out += key;
    out += "\":";
    appendJsonString(out, utf8(schemeBytes));
}

// ,"name":{"key":"value",...} with the fields that are set (or `always`), or nothing at all.
struct JsonField {
    const char* key;
    std::string_view schemeBytes;
    bool always = false;
};
void appendObject(std::string& out, const char* name, std::initializer_list<JsonField> fields) {
    bool any = false;
    for (const JsonField& f : fields) {
        if (f.schemeBytes.empty() && !f.always) continue;
        out += any ? "," : std::string(",\"") + name + "\":{";
        any = true;
        out += '"';
        out += f.key;
        out += "\":";
        appendJsonString(out, utf8(f.schemeBytes));
    }
    if (any) out += '}';
}

std::string htmlEscaped(std::string_view text) {
    std::string out;
    for (char c : text) {
        if (c == '&')
            out += "&amp;";
        else if (c == '<')
            out += "&lt;";
        else if (c == '>')
            out += "&gt;";
        else
            out.push_back(c);
    }
    return out;
}

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// jsTree's text is HTML: tags are dropped and character references decoded.
std::string htmlToText(std::string_view html) {
    if (html.find_first_of("<&") == std::string_view::npos) return std::string(html);
    std::string out;
    for (size_t i = 0; i < html.size(); ++i) {
        const char c = html[i];
        if (c == '<' && i + 1 < html.size() &&
            (std::isalpha(static_cast<unsigned char>(html[i + 1])) || html[i + 1] == '/' || html[i + 1] == '!')) {
            const size_t end = html.find('>', i);
            if (end == std::string_view::npos) break;
            i = end;
            continue;
        }
        if (c != '&') {
            out.push_back(c);
            continue;
        }
        const size_t semi = html.find(';', i);
        const std::string_view name =
            semi == std::string_view::npos || semi - i > 10 ? std::string_view() : html.substr(i + 1, semi - i - 1);
        char32_t cp = 0;
        if (name.size() > 1 && name[0] == '#') {
            const bool hex = name[1] == 'x' || name[1] == 'X';
            for (size_t k = hex ? 2 : 1; k < name.size() && cp <= 0x10FFFF; ++k) {
                const int d = hex ? hexValue(name[k]) : (name[k] >= '0' && name[k] <= '9' ? name[k] - '0' : -1);
                if (d < 0) {
                    cp = 0;
                    break;
                }
                cp = cp * (hex ? 16 : 10) + static_cast<char32_t>(d);
            }
            if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = 0xFFFD;
        } else if (name == "amp") {
            cp = '&';
        } else if (name == "lt") {
            cp = '<';
        } else if (name == "gt") {
            cp = '>';
        } else if (name == "quot") {
            cp = '"';
        } else if (name == "apos") {
            cp = '\'';
        } else if (name == "nbsp") {
            cp = 0xA0;
        }
        if (cp == 0) {
            out.push_back(c);
            continue;
        }
        appendUtf8(out, cp);
        i = semi;
    }
    return out;
}

bool isTrivialScript(std::string_view code) {
    std::string c;
    for (char ch : code)
        if (ch != ' ') c.push_back(ch);
    return c.empty() || c == ";" || c == "void(0)" || c == "void(0);" || c == "void0" || c == "void0;";
}

bool startsWithNoCase(std::string_view s, std::string_view prefix) {
    if (s.size() < prefix.size()) return false;
    for (size_t i = 0; i < prefix.size(); ++i)
        if ((s[i] | 0x20) != prefix[i]) return false;
    return true;
}

class TreeReader {
public:
    explicit TreeReader(const Json& doc) : doc_(doc) {}

    // Reads the items of the top list (or the one item) into the builder.
    void readNested(const std::vector<int32_t>& top, ForestBuilder& builder);
    void readFlat(const std::vector<int32_t>& top, ForestBuilder& builder);
    size_t laterChildren() const { return laterChildren_; }

private:
    // The first non-empty text among the members; "a.b" looks into the object a.
    std::string first(int32_t item, std::initializer_list<const char*> keys) const {
        for (const char* key : keys) {
            std::string_view k = key;
            int32_t object = item;
            if (const size_t dot = k.find('.'); dot != std::string_view::npos) {
                object = doc_.member(item, k.substr(0, dot));
                k = k.substr(dot + 1);
            }
            std::string value = doc_.memberText(object, k);
            if (!value.empty()) return value;
        }
        return {};
    }
    bool isTrue(int32_t item, std::string_view object, std::string_view key) const {
        const int32_t o = object.empty() ? item : doc_.member(item, object);
        return doc_.type(doc_.member(o, key)) == Json::Type::True;
    }
    // The item's list of children, else kNone; counts a folder whose children come later.
    int32_t children(int32_t item) {
        for (const char* key : {"children", "items", "nodes"}) {
            const int32_t c = doc_.member(item, key);
            if (doc_.isArray(c)) return c;
            if (doc_.type(c) == Json::Type::True) ++laterChildren_;
        }
        if (isTrue(item, {}, "lazy")) ++laterChildren_;
        return Json::kNone;
    }
    void open(int32_t item, ForestBuilder& builder);

    const Json& doc_;
    size_t laterChildren_ = 0;
};

void TreeReader::open(int32_t item, ForestBuilder& builder) {
    if (doc_.isString(item)) {  // jsTree takes a plain string as a node's text
        builder.open(htmlToText(doc_.text(item)));
        return;
    }
    std::string title = first(item, {"title"});
    if (title.empty()) title = htmlToText(first(item, {"text"}));
    if (title.empty()) title = first(item, {"name", "label"});
    MenuItemData& d = builder.open(title);
    if (isTrue(item, "state", "opened") || isTrue(item, {}, "expanded")) builder.expandOpen();
    d.menuHint = toSchemeText(first(item, {"hint", "tooltip", "li_attr.title", "a_attr.title", "data.hint"}));
    d.menuStatus = toSchemeText(first(item, {"status", "data.status"}));
    std::string icon1 = first(item, {"icon1", "data.icon1"});
    if (icon1.empty()) {
        // jsTree and Fancytree take an image path or a class name; only a path is an icon here.
        const std::string icon = first(item, {"icon"});
        if (icon.find_first_of("/.") != std::string::npos) icon1 = icon;
    }
    d.menuIcon1 = toSchemeText(icon1);
    d.menuIcon2 = toSchemeText(first(item, {"icon2", "data.icon2"}));
    const int32_t data = doc_.member(item, "data");
    if (doc_.isString(doc_.member(item, "script")) || doc_.isString(doc_.member(data, "script"))) {
        d.contentType = 1;
        d.menuScript = toSchemeText(first(item, {"script", "data.script"}));
        return;
    }
    std::string link = first(item, {"link", "url", "href", "a_attr.href", "data.href", "data.url", "data.link"});
    if (startsWithNoCase(link, "javascript:")) {
        if (!isTrivialScript(link.substr(11))) {
            d.contentType = 1;
            d.menuScript = toSchemeText(link.substr(11));
        }
        return;
    }
    if (link == "#") link.clear();  // jsTree's placeholder
    d.menuLink = toSchemeText(link);
    d.menuTarget = toSchemeText(first(item, {"target", "a_attr.target", "data.target"}));
}

void TreeReader::readNested(const std::vector<int32_t>& top, ForestBuilder& builder) {
    auto usable = [&](int32_t at) { return doc_.isObject(at) || doc_.isString(at); };
    // Opens an item and returns its first child, or closes it at once when it has none.
    auto enter = [&](int32_t item) {
        open(item, builder);
        const int32_t list = doc_.isObject(item) ? children(item) : Json::kNone;
        const int32_t firstChild = list == Json::kNone ? Json::kNone : doc_[list].firstChild;
        if (firstChild == Json::kNone) builder.close();
        return firstChild;
    };
    std::vector<int32_t> stack;  // per open item: the next of its children to read
    for (int32_t item : top) {
        if (!usable(item)) continue;
        if (const int32_t child = enter(item); child != Json::kNone) stack.push_back(child);
        while (!stack.empty()) {
            int32_t at = stack.back();
            while (at != Json::kNone && !usable(at)) at = doc_[at].next;
            if (at == Json::kNone) {
                stack.pop_back();
                builder.close();
                continue;
            }
            stack.back() = doc_[at].next;
            if (const int32_t child = enter(at); child != Json::kNone) stack.push_back(child);
        }
    }
}

// jsTree's flat form: every node names its parent by id ("#" for a root), in any order;
// children keep the order of the array. A parent that is missing, or a loop, makes a root.
void TreeReader::readFlat(const std::vector<int32_t>& top, ForestBuilder& builder) {
    std::unordered_map<std::string, size_t> byId;
    std::vector<std::vector<size_t>> kids(top.size());
    std::vector<size_t> roots;
    for (size_t i = 0; i < top.size(); ++i) byId.emplace(doc_.memberText(top[i], "id"), i);
    for (size_t i = 0; i < top.size(); ++i) {
        const std::string parent = doc_.memberText(top[i], "parent");
        const auto it = byId.find(parent);
        if (parent.empty() || parent == "#" || it == byId.end() || it->second == i)
            roots.push_back(i);
        else
            kids[it->second].push_back(i);
    }
    std::vector<bool> seen(top.size(), false);
    struct Frame {
        const std::vector<size_t>* list;
        size_t next;
    };
    std::vector<size_t> loopRoot(1);
    for (size_t pass = 0; pass <= top.size(); ++pass) {
        std::vector<Frame> stack{{&roots, 0}};
        while (!stack.empty()) {
            Frame& f = stack.back();
            if (f.next == f.list->size()) {
                stack.pop_back();
                if (!stack.empty()) builder.close();
                continue;
            }
            const size_t i = (*f.list)[f.next++];
            if (seen[i]) continue;
            seen[i] = true;
            open(top[i], builder);
            stack.push_back({&kids[i], 0});
        }
        // Nodes on a loop of parents were not reached: the first of them becomes a root.
        roots.clear();
        for (size_t i = 0; i < top.size() && roots.empty(); ++i)
            if (!seen[i]) roots.push_back(i);
        if (roots.empty()) break;
    }
}

}  // namespace

std::string writeMenuJson(const MenuScheme& scheme) {
    std::string out = "{\"sylvanode-menu\":1";
    if (!scheme.settings.title.empty()) appendField(out, "title", scheme.settings.title);
    out += ",\"items\":[";
    std::vector<bool> first{true};  // per open list: no item written yet
    walkTree(
        scheme.roots(),
        [&](const MenuNode& n, int) {
            if (!first.back()) out.push_back(',');
            first.back() = false;
            out += "\n{\"title\":";
            appendJsonString(out, utf8(n.caption));
            const MenuItemData& d = n.data;
            appendField(out, "hint", d.menuHint);
            appendField(out, "status", d.menuStatus);
            appendField(out, "icon1", d.menuIcon1);
            appendField(out, "icon2", d.menuIcon2);
            if (d.contentType == 0) {
                appendField(out, "link", d.menuLink);
                appendField(out, "target", d.menuTarget);
            } else {
                appendField(out, "script", d.menuScript, true);
            }
            if (n.hasChildren()) {
                out += ",\"children\":[";
                first.push_back(true);
            }
        },
        [&](const MenuNode& n, int) {
            if (n.hasChildren()) {
                out += "]";
                first.pop_back();
            }
            out += "}";
        });
    out += "\n]}\n";
    return out;
}

std::string writeJsTreeJson(const MenuScheme& scheme) {
    std::string out = "[";
    std::vector<bool> first{true};
    walkTree(
        scheme.roots(),
        [&](const MenuNode& n, int) {
            if (!first.back()) out.push_back(',');
            first.back() = false;
            const MenuItemData& d = n.data;
            out += "\n{\"text\":";
            appendJsonString(out, htmlEscaped(utf8(n.caption)));
            const bool iconIsPath = d.menuIcon1.view().find_first_of("/.") != std::string_view::npos;
            if (iconIsPath) appendField(out, "icon", d.menuIcon1);
            const bool script = d.contentType != 0;
            appendObject(out, "li_attr", {{"title", d.menuHint}});
            if (!script) appendObject(out, "a_attr", {{"href", d.menuLink}, {"target", d.menuTarget}});
            if (n.expanded && n.hasChildren()) out += ",\"state\":{\"opened\":true}";
            // A script is written even when empty: it makes a script item.
            appendObject(out, "data",
                         {{"status", d.menuStatus},
                          {"icon1", iconIsPath ? std::string_view() : std::string_view(d.menuIcon1)},
                          {"icon2", d.menuIcon2},
                          {"script", script ? std::string_view(d.menuScript) : std::string_view(), script}});
            if (n.hasChildren()) {
                out += ",\"children\":[";
                first.push_back(true);
            }
        },
        [&](const MenuNode& n, int) {
            if (n.hasChildren()) {
                out += "]";
                first.pop_back();
            }
            out += "}";
        });
    out += "\n]\n";
    return out;
}

ImportResult readMenuJson(std::string_view text) {
    Json doc;
    if (!doc.parse(text)) return ImportResult::failed(doc.error());
    const int32_t root = doc.root();
    std::vector<int32_t> top;
    auto takeList = [&](int32_t list) {
        for (int32_t c = doc[list].firstChild; c != Json::kNone; c = doc[c].next) top.push_back(c);
    };
    bool found = false;
    if (doc.isArray(root)) {
        takeList(root), found = true;
    } else if (doc.isObject(root)) {
        const bool isItem = !doc.memberText(root, "title").empty() || !doc.memberText(root, "text").empty() ||
                            !doc.memberText(root, "name").empty() || !doc.memberText(root, "label").empty();
        if (isItem && doc.member(root, "sylvanode-menu") == Json::kNone) {
            top.push_back(root), found = true;
        } else {
            for (const char* key : {"items", "children", "nodes", "data"}) {
                if (const int32_t list = doc.member(root, key); !found && doc.isArray(list)) takeList(list), found = true;
            }
            if (const int32_t core = doc.member(root, "core"); !found && doc.isArray(doc.member(core, "data")))
                takeList(doc.member(core, "data")), found = true;
        }
    }
    if (!found) return ImportResult::failed(FailureKind::JsonNoItems, DataFormat::Json);

    bool flat = !top.empty();
    for (int32_t item : top)
        flat = flat && doc.isObject(item) && doc.member(item, "id") != Json::kNone &&
               doc.member(item, "parent") != Json::kNone;
    ForestBuilder builder;
    TreeReader reader(doc);
    if (flat)
        reader.readFlat(top, builder);
    else
        reader.readNested(top, builder);
    ImportResult r;
    r.roots = builder.finish();
    if (r.roots.empty()) return ImportResult::failed(FailureKind::NoItems, DataFormat::Json);
    r.report.kind = "json";
    r.report.laterChildren = reader.laterChildren();
    if (doc.isObject(root) && doc.member(root, "sylvanode-menu") != Json::kNone)
        r.report.title = collapseWhiteSpace(doc.memberText(root, "title"));
    return r;
}

}  // namespace sylvanode

// SPDX-License-Identifier: MIT
#include "exchange/html_list_reader.h"

#include <libxml/xpath.h>

#include <algorithm>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "exchange/charset_detection.h"
#include "exchange/css_selector.h"
#include "exchange/html_markup.h"
#include "exchange/link_cluster.h"
#include "platform/text_encoding.h"

namespace sylvanode {
namespace {

using namespace html;
using xml::isElement;

// How many other candidates a report names.
constexpr size_t kAlsoFound = 3;

std::string lower(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

// Separators and labels of a dropdown, not destinations.
bool isDivider(const xmlNode* li) {
    return lower(xml::attribute(li, "role")) == "separator" || hasClass(li, "divider") ||
           hasClass(li, "dropdown-divider") || hasClass(li, "nav-divider") || hasClass(li, "separator") ||
           hasClass(li, "dropdown-header");
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

// The element that carries an item's link or script: its first link outside nested lists and
// navigations, else a button with a script, else its first element child.
const xmlNode* itemElement(const xmlNode* li) {
    const xmlNode* button = nullptr;
    for (const xmlNode* n = li->children; n;) {
        if (isElement(n, "a")) return n;
        if (!button && isElement(n, "button") && !xml::attribute(n, "data-script").empty()) button = n;
        n = xml::nextNode(n, li, !isList(n) && !isSkipped(n) && !isNavigation(n));
    }
    if (button) return button;
    for (const xmlNode* n = li->children; n; n = n->next)
        if (isElement(n) && !isList(n)) return n;
    return nullptr;
}

// The item marks the page it is on (the current page of a site menu).
bool isCurrentPage(const xmlNode* li, const xmlNode* el) {
    auto marked = [](const xmlNode* n) {
        const std::string current = lower(xml::attribute(n, "aria-current"));
        if (!current.empty() && current != "false") return true;
        const std::string classes = lower(xml::attribute(n, "class"));
        return classes.find("active") != std::string::npos || classes.find("current") != std::string::npos;
    };
    if (isElement(el, "a")) {
        const std::string href = collapseWhiteSpace(xml::attribute(el, "href"));
        if (href.empty() || href == "#" || href == "./" || href == ".") return true;
    }
    return marked(li) || (el && marked(el));
}

// The lists below `top` whose links all point to places on the same page (#fragment), and
// that have one: tables of contents. One walk, so that nested lists cost nothing more.
std::unordered_set<const xmlNode*> fragmentOnlyLists(const xmlNode* top) {
    struct Links {
        bool any = false, allFragments = true;
    };
    std::unordered_set<const xmlNode*> found;
    std::vector<Links> open;
    walkNodes(
        top,
        [&](const xmlNode* n) {
            if (!isElement(n) || isSkipped(n)) return false;
            open.emplace_back();
            if (isElement(n, "a") && !xml::attribute(n, "href").empty()) {
                open.back().any = true;
                open.back().allFragments = collapseWhiteSpace(xml::attribute(n, "href")).rfind('#', 0) == 0;
            }
            return true;
        },
        [&](const xmlNode* n) {
            if (!isElement(n) || isSkipped(n)) return;
            const Links links = open.back();
            open.pop_back();
            if (isList(n) && links.any && links.allFragments) found.insert(n);
            if (!open.empty()) {
                open.back().any = open.back().any || links.any;
                open.back().allFragments = open.back().allFragments && links.allFragments;
            }
        });
    return found;
}

struct Children {
    std::vector<const xmlNode*> entries;     // <li> items and <a> links, in document order
    std::vector<const xmlNode*> lists;       // the nested lists the <li> entries come from
    std::vector<const xmlNode*> containers;  // blocks whose links are children (a dropdown)
};

// What hangs below an item: the items of its nested lists (also of lists that follow it
// directly in its parent list, a common slip), and the links in a <div> of the item that does
// not hold the item's own link (a dropdown menu).
Children childrenOf(const xmlNode* li, const xmlNode* el, const std::unordered_set<const xmlNode*>& contents) {
    Children c;
    std::vector<const xmlNode*> holdsItem;  // the ancestors of the item's element below the <li>
    for (const xmlNode* p = el; p && p != li; p = p->parent) holdsItem.push_back(p);
    auto addList = [&](const xmlNode* list) {
        c.lists.push_back(list);
        for (const xmlNode* item : listItems(list)) c.entries.push_back(item);
    };
    for (const xmlNode* n = li->children; n;) {
        bool descend = !isSkipped(n);
        if (isList(n)) {
            addList(n);
            descend = false;
        } else if (isElement(n, "div") && std::find(holdsItem.begin(), holdsItem.end(), n) == holdsItem.end()) {
            c.containers.push_back(n);
            for (const xmlNode* m = n->children; m;) {
                bool down = !isSkipped(m);
                if (isList(m)) {
                    addList(m);
                    down = false;
                } else if (isElement(m, "a")) {
                    if (isActive(m) && !activeTitle(m).empty()) c.entries.push_back(m);
                    down = false;
                }
                m = xml::nextNode(m, n, down);
            }
            descend = false;
        }
        n = xml::nextNode(n, li, descend);
    }
    for (const xmlNode* s = li->next; s && !isElement(s, "li"); s = s->next)
        if (isList(s)) addList(s);
    // The current page's own table of contents stays out of the site menu.
    if (!c.lists.empty() && isCurrentPage(li, el) &&
        std::all_of(c.lists.begin(), c.lists.end(), [&](const xmlNode* l) { return contents.count(l) > 0; })) {
        std::erase_if(c.entries, [](const xmlNode* e) { return isElement(e, "li"); });
        c.lists.clear();
    }
    return c;
}

// Opens the item of an <li> (false when it holds nothing worth an item).
bool openListItem(const xmlNode* li, const xmlNode* el, const Children& children, ForestBuilder& builder) {
    if (isDivider(li) || (el && !isActive(el) && isDivider(el))) return false;
    const bool active = isActive(el);
    std::string title = active ? activeTitle(el) : std::string();
    if (title.empty()) title = ownText(li, children.containers);
    if (!active && title.empty() && children.entries.empty()) return false;
    openItem(el, title, builder);
    return true;
}

std::vector<std::unique_ptr<MenuNode>> buildTree(const xmlNode* list) {
    const std::unordered_set<const xmlNode*> contents = fragmentOnlyLists(list);
    ForestBuilder builder;
    struct Frame {
        std::vector<const xmlNode*> entries;
        size_t next = 0;
        bool opened = false;  // whether the frame's items hang below an opened item
    };
    std::vector<Frame> frames;
    frames.push_back({listItems(list), 0, false});
    while (!frames.empty()) {
        Frame& f = frames.back();
        if (f.next == f.entries.size()) {
            const bool opened = f.opened;
            frames.pop_back();
            if (opened) builder.close();
            continue;
        }
        const xmlNode* entry = f.entries[f.next++];
        if (isElement(entry, "a")) {  // a link of a dropdown block
            openItem(entry, activeTitle(entry), builder);
            builder.close();
            continue;
        }
        const xmlNode* el = itemElement(entry);
        Children children = childrenOf(entry, el, contents);
        if (!openListItem(entry, el, children, builder)) continue;
        if (children.entries.empty())
            builder.close();
        else
            frames.push_back({std::move(children.entries), 0, true});
    }
    return builder.finish();
}

struct ListCandidate {
    const xmlNode* list;
    size_t items = 0, links = 0;
    int region = 1;  // 2 in a navigation, 1 elsewhere, 0 in a footer
    bool fragmentsOnly = false;
    const xmlNode* navigation = nullptr;  // the innermost around the list
    const xmlNode* landmark = nullptr;    // header, footer, main, aside, section, ... or an element with an id
    const xmlNode* heading = nullptr;     // the last heading before the list
};

bool isLandmark(const xmlNode* n) {
    for (const char* tag : {"header", "footer", "main", "aside", "article", "section", "form"})
        if (isElement(n, tag)) return true;
    return isElement(n) && !xml::attribute(n, "id").empty() && !isElement(n, "body") && !isElement(n, "html");
}

struct PageScan {
    std::vector<ListCandidate> lists;   // the outermost lists
    size_t linksOutsideLists = 0;
    std::vector<const xmlNode*> headings;
    std::vector<std::string> frames;    // frame sources, as written
};

void scan(const xmlNode* scope, PageScan& page) {
    int footers = 0;
    std::vector<const xmlNode*> navigations, landmarks;  // open around the walk, innermost last
    const xmlNode* heading = nullptr;
    auto isFooter = [](const xmlNode* n) {
        return isElement(n, "footer") || (isElement(n) && lower(xml::attribute(n, "role")) == "contentinfo");
    };
    // The walk starts below the scope's own navigation or footer when it is inside one.
    for (const xmlNode* p = scope->parent; isElement(p); p = p->parent) {
        if (isNavigation(p)) navigations.insert(navigations.begin(), p);
        if (isLandmark(p)) landmarks.insert(landmarks.begin(), p);
        footers += isFooter(p);
    }
    walkNodes(
        scope,
        [&](const xmlNode* n) {
            if (!isElement(n) || isSkipped(n)) return false;
            if (isList(n)) {
                ListCandidate c{n};
                c.region = footers ? 0 : !navigations.empty() ? 2 : 1;
                c.navigation = navigations.empty() ? nullptr : navigations.back();
                c.landmark = landmarks.empty() ? nullptr : landmarks.back();
                c.heading = heading;
                bool pageLinks = false;
                for (const xmlNode* m = n; m; m = xml::nextNode(m, n, !isSkipped(m))) {
                    if (isElement(m, "li")) ++c.items;
                    if (!leadsSomewhere(m) && !isElement(m, "button")) continue;
                    ++c.links;
                    pageLinks = pageLinks || collapseWhiteSpace(xml::attribute(m, "href")).rfind('#', 0) != 0;
                }
                c.fragmentsOnly = c.links > 0 && !pageLinks;
                page.lists.push_back(c);
                return false;
            }
            if (leadsSomewhere(n)) ++page.linksOutsideLists;
            const std::string_view name = xml::localName(n);
            if (name.size() == 2 && name[0] == 'h' && name[1] >= '1' && name[1] <= '6') {
                page.headings.push_back(n);
                heading = n;
            }
            if (isElement(n, "frame")) {
                const std::string src = collapseWhiteSpace(xml::attribute(n, "src"));
                if (!src.empty()) page.frames.push_back(src);
            }
            if (isNavigation(n)) navigations.push_back(n);
            if (isLandmark(n)) landmarks.push_back(n);
            footers += isFooter(n);
            return true;
        },
        [&](const xmlNode* n) {
            if (!isElement(n) || isSkipped(n) || isList(n)) return;
            if (isNavigation(n)) navigations.pop_back();
            if (isLandmark(n)) landmarks.pop_back();
            footers -= isFooter(n);
        });
}

// How a report names a list: its navigation when that holds no other list; else the list,
// and the navigation or landmark around it, or the heading before a bare one.
std::string describe(const ListCandidate& c, const std::vector<ListCandidate>& all) {
    // A navigation without a name of its own (a bare <div role="navigation">) says little.
    const xmlNode* nav = c.navigation && (isElement(c.navigation, "nav") || !xml::attribute(c.navigation, "id").empty() ||
                                          !xml::attribute(c.navigation, "class").empty())
                             ? c.navigation
                             : nullptr;
    if (nav && std::count_if(all.begin(), all.end(), [&](const ListCandidate& o) { return o.navigation == nav; }) == 1)
        return describeElement(nav);
    std::string text = describeElement(c.list);
    if (nav) return text + " in " + describeElement(nav);
    if (c.landmark) return text + " in " + describeElement(c.landmark);
    const bool bare = xml::attribute(c.list, "id").empty() && xml::attribute(c.list, "class").empty();
    if (bare && c.heading) {
        std::string title = ownText(c.heading);
        if (title.size() > 40) {
            size_t cut = 37;
            while (cut > 0 && (static_cast<unsigned char>(title[cut]) & 0xC0) == 0x80) --cut;
            title = title.substr(0, cut) + "...";
        }
        if (!title.empty()) text += " after \"" + title + "\"";
    }
    return text;
}

// Best first. A page's site menu: in a navigation, outside the footer, of pages rather than
// of places on the page; a Markdown file's table of contents (its places) comes first.
void rank(std::vector<ListCandidate>& lists, bool markdown) {
    std::stable_sort(lists.begin(), lists.end(), [markdown](const ListCandidate& a, const ListCandidate& b) {
        auto key = [markdown](const ListCandidate& c) {
            return markdown ? std::make_tuple(c.fragmentsOnly ? 1 : 0, 1, c.links, c.items)
                            : std::make_tuple(c.region, c.fragmentsOnly ? 0 : 1, c.links, c.items);
        };
        return key(a) > key(b);
    });
}

// The elements `select` names: the element with that id when there is one, else what the
// CSS selector matches, in document order.
std::vector<const xmlNode*> selectElements(xmlDoc* doc, const xmlNode* root, const std::string& select,
                                           Failure& error) {
    std::vector<const xmlNode*> found;
    if (select.find_first_of("#.[]>+~*:, \t") == std::string::npos) {
        for (const xmlNode* n = root; n; n = xml::nextNode(n, root))
            if (isElement(n) && xml::attribute(n, "id") == select) return {n};
    }
    std::string xpath;
    if (!cssToXPath(select, xpath, error)) return {};
    xmlXPathContextPtr context = xmlXPathNewContext(doc);
    if (!context) {
        error = Failure::of(FailureKind::OutOfMemory);
        return {};
    }
    // The expression comes from the command line; a bound keeps even a silly one finite.
    context->opLimit = 100'000'000;
    xmlXPathObjectPtr result =
        xmlXPathEvalExpression(reinterpret_cast<const xmlChar*>(xpath.c_str()), context);
    if (result && result->nodesetval)
        for (int i = 0; i < result->nodesetval->nodeNr; ++i)
            if (isElement(result->nodesetval->nodeTab[i])) found.push_back(result->nodesetval->nodeTab[i]);
    xmlXPathFreeObject(result);
    xmlXPathFreeContext(context);
    if (found.empty()) error = Failure::of(FailureKind::NothingMatches).withValue(select);
    return found;
}

// The headings of a Markdown page as a tree, each linking to its anchor.
std::vector<std::unique_ptr<MenuNode>> headingTree(const std::vector<const xmlNode*>& headings) {
    ForestBuilder builder;
    std::vector<int> levels;
    std::unordered_map<std::string, int> used;
    for (const xmlNode* h : headings) {
        const int level = xml::localName(h)[1] - '0';
        const std::string title = ownText(h);
        if (title.empty()) continue;
        while (!levels.empty() && levels.back() >= level) {
            levels.pop_back();
            builder.close();
        }
        std::string slug = headingSlug(title);
        const int seen = used[slug]++;
        if (seen) {
            slug += '-';
            slug += std::to_string(seen);
        }
        std::string link = "#";
        link += slug;
        builder.open(title).menuLink = toSchemeText(link);
        levels.push_back(level);
    }
    return builder.finish();
}

}  // namespace

std::string headingSlug(std::string_view utf8) {
    std::string slug;
    for (size_t i = 0; i < utf8.size();) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        if (c < 0x80) {
            if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '_')
                slug.push_back(static_cast<char>(c));
            else if (c >= 'A' && c <= 'Z')
                slug.push_back(static_cast<char>(c - 'A' + 'a'));
            else if (c == ' ')
                slug.push_back('-');
            ++i;
            continue;
        }
        size_t len = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : 2;
        len = std::min(len, utf8.size() - i);
        const std::string_view ch = utf8.substr(i, len);
        // General and CJK punctuation and full-width symbols are dropped like ASCII punctuation.
        const bool punctuation = ch.substr(0, 2) == "\xE2\x80" || ch.substr(0, 2) == "\xE2\x81" ||
                                 ch.substr(0, 2) == "\xE3\x80" || ch == "\xC2\xA0" ||
                                 (ch.substr(0, 2) == "\xEF\xBC" && !(ch[2] >= '\x90' && ch[2] <= '\x99') &&
                                  !(ch[2] >= '\xA1' && ch[2] <= '\xBA'));
        if (!punctuation) slug.append(ch);
        i += len;
    }
    return slug;
}

ImportResult readHtmlUtf8(std::string_view utf8, const HtmlListOptions& options) {
    if (utf8.find('\0') != std::string_view::npos)
        return ImportResult::failed(FailureKind::BinaryData, DataFormat::Page);
    xml::Doc doc = xml::parseHtmlUtf8(utf8);
    const xmlNode* root = doc ? xmlDocGetRootElement(doc.get()) : nullptr;
    if (!root) return ImportResult::failed(FailureKind::NothingToRead, DataFormat::Page);

    const bool selected = !options.select.empty();
    std::vector<const xmlNode*> scopes{root};
    if (selected) {
        Failure error;
        scopes = selectElements(doc.get(), root, options.select, error);
        if (scopes.empty()) return ImportResult::failed(std::move(error));
    }
    PageScan page;
    std::vector<size_t> linksPerScope;
    for (const xmlNode* scope : scopes) {
        const size_t before = page.linksOutsideLists;
        scan(scope, page);
        linksPerScope.push_back(page.linksOutsideLists - before);
    }
    rank(page.lists, options.markdown);
    const size_t bestLinks = page.lists.empty() ? 0 : page.lists[0].links;

    // A block of links without a list: what the user selected, or one that dwarfs the best list.
    html::LinkCluster cluster;
    if (selected && page.lists.empty()) {
        for (size_t i = 0; i < scopes.size() && !cluster.container; ++i)
            if (linksPerScope[i] > 0) cluster = {scopes[i], linksPerScope[i]};
    } else if (!options.markdown && page.linksOutsideLists >= 4 && page.linksOutsideLists > 2 * bestLinks) {
        for (const xmlNode* scope : scopes) {
            const html::LinkCluster c = html::findLinkCluster(scope);
            if (c.links > cluster.links) cluster = c;
        }
        if (cluster.links < 4 || cluster.links <= 2 * bestLinks) cluster = {};
    }

    ImportResult r;
    ImportReport& report = r.report;
    report.kind = options.markdown ? "markdown" : "html";
    size_t also = 0;
    if (cluster.container) {
        r.roots = html::buildClusterTree(cluster.container);
        report.source = MenuSource::LinkCluster;
        report.taken.element = describeElement(cluster.container);
    } else if (options.markdown && bestLinks == 0 && !page.headings.empty()) {
        r.roots = headingTree(page.headings);
        report.source = MenuSource::Headings;
        report.taken.element = "<h1>-<h6>";
    } else if (!page.lists.empty()) {
        r.roots = buildTree(page.lists[0].list);
        report.source = MenuSource::List;
        report.taken.element = describe(page.lists[0], page.lists);
        also = 1;
    } else if (selected) {
        return ImportResult::failed(Failure::of(FailureKind::NoListInSelection).withValue(options.select));
    } else {
        // A frameset page: the caller looks into its frames.
        r = ImportResult::failed(page.frames.empty() ? FailureKind::NoList : FailureKind::FramesWithoutMenu,
                                 DataFormat::Page);
        r.frames = std::move(page.frames);
        return r;
    }
    if (r.roots.empty()) return ImportResult::failed(FailureKind::NoItems, DataFormat::Page);
    forEachPreOrder(r.roots, [&](MenuNode*, int) { ++report.taken.items; });
    for (size_t i = also; i < page.lists.size() && report.alsoFound.size() < kAlsoFound; ++i)
        report.alsoFound.push_back({describe(page.lists[i], page.lists), page.lists[i].items});
    return r;
}

std::string detectHtmlCharset(std::string_view bytes) { return sniffCharset(bytes, true); }

ImportResult readHtmlList(std::string_view bytes, const HtmlListOptions& options) {
    const bool utf16 = bytes.substr(0, 2) == "\xFF\xFE" || bytes.substr(0, 2) == "\xFE\xFF";
    if (!utf16 && options.charset.rfind("UTF-16", 0) != 0 && bytes.find('\0') != std::string_view::npos)
        return ImportResult::failed(FailureKind::BinaryData, DataFormat::Page);
    const DecodedText text = decodeText(bytes, options.charset, true);
    ImportResult r = readHtmlUtf8(text.utf8, options);
    r.report.charset = text.charset;
    r.report.charsetSource = charsetSourceName(text.source);
    return r;
}

std::string readHtmlTitle(std::string_view bytes) {
    if (bytes.find('\0') != std::string_view::npos) return {};
    const DecodedText text = decodeText(bytes, {}, true);
    xml::Doc doc = xml::parseHtmlUtf8(text.utf8);
    const xmlNode* root = doc ? xmlDocGetRootElement(doc.get()) : nullptr;
    for (const xmlNode* n = root; n; n = xml::nextNode(n, root)) {
        if (isElement(n, "body")) break;
        if (isElement(n, "title")) return ownText(n);
    }
    return {};
}

}  // namespace sylvanode

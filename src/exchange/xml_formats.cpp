// SPDX-License-Identifier: MIT
#include "exchange/xml_formats.h"

#include <map>
#include <vector>

#include "exchange/xml_support.h"
#include "platform/text_encoding.h"

namespace sylvanode {
namespace {

std::string textOf(const xmlNode* element) {
    std::string text;
    for (const xmlNode* n = element->children; n; n = xml::nextNode(n, element))
        if ((n->type == XML_TEXT_NODE || n->type == XML_CDATA_SECTION_NODE) && n->content)
            text += reinterpret_cast<const char*>(n->content);
    return collapseWhiteSpace(text);
}

const xmlNode* rootOf(const xml::Doc& doc) { return doc ? xmlDocGetRootElement(doc.get()) : nullptr; }

bool binary(std::string_view bytes) {
    return bytes.find('\0') != std::string_view::npos && bytes.substr(0, 2) != "\xFF\xFE" &&
           bytes.substr(0, 2) != "\xFE\xFF";
}

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// A path segment as a title: percent-decoded (UTF-8, else GB18030), page ending dropped.
std::string segmentTitle(std::string_view segment) {
    std::string bytes;
    for (size_t i = 0; i < segment.size(); ++i) {
        if (segment[i] == '%' && i + 2 < segment.size() && hexValue(segment[i + 1]) >= 0 &&
            hexValue(segment[i + 2]) >= 0) {
            bytes.push_back(static_cast<char>(hexValue(segment[i + 1]) * 16 + hexValue(segment[i + 2])));
            i += 2;
        } else {
            bytes.push_back(segment[i]);
        }
    }
    for (std::string_view ending : {".html", ".htm", ".shtml", ".php", ".asp", ".aspx", ".jsp"}) {
        if (bytes.size() > ending.size() &&
            bytes.compare(bytes.size() - ending.size(), ending.size(), ending) == 0) {
            bytes.resize(bytes.size() - ending.size());
            break;
        }
    }
    if (isValidUtf8(bytes)) return bytes;
    std::string utf8;
    charsetToUtf8(bytes, "GB18030", utf8);
    return utf8;
}

bool isIndexPage(std::string_view segment) {
    return segment == "index.html" || segment == "index.htm" || segment == "index.php" ||
           segment == "default.htm" || segment == "default.html" || segment == "default.aspx";
}

struct PathNode {
    std::string title;  // UTF-8
    std::string link;   // as written in the sitemap
    bool hasPage = false;
    std::vector<size_t> children;
    std::map<std::string, size_t> bySegment;
};

class PathTree {
public:
    PathTree() { nodes_.emplace_back(); }
    size_t child(size_t parent, const std::string& segment) {
        auto it = nodes_[parent].bySegment.find(segment);
        if (it != nodes_[parent].bySegment.end()) return it->second;
        const size_t id = add(parent, segmentTitle(segment));
        nodes_[parent].bySegment.emplace(segment, id);
        return id;
    }
    size_t add(size_t parent, std::string title) {
        nodes_.emplace_back();
        nodes_.back().title = std::move(title);
        nodes_[parent].children.push_back(nodes_.size() - 1);
        return nodes_.size() - 1;
    }
    // Gives `node` the page; a second page for the same path becomes an item beside it.
    void setPage(size_t parent, size_t node, const std::string& link) {
        if (nodes_[node].hasPage) {
            if (nodes_[node].link == link) return;
            node = add(parent, nodes_[node].title);
        }
        nodes_[node].hasPage = true;
        nodes_[node].link = link;
    }
    PathNode& operator[](size_t i) { return nodes_[i]; }

    std::vector<std::unique_ptr<MenuNode>> build() {
        ForestBuilder builder;
        struct Frame {
            size_t node;
            size_t next;
        };
        std::vector<Frame> stack{{0, 0}};
        while (!stack.empty()) {
            Frame& f = stack.back();
            if (f.next == nodes_[f.node].children.size()) {
                stack.pop_back();
                if (!stack.empty()) builder.close();
                continue;
            }
            const size_t id = nodes_[f.node].children[f.next++];
            MenuItemData& d = builder.open(nodes_[id].title);
            d.menuLink = toSchemeText(nodes_[id].link);
            stack.push_back({id, 0});
        }
        return builder.finish();
    }

private:
    std::vector<PathNode> nodes_;
};

struct Address {
    std::string host;  // scheme and host ("https://example.com"), empty for a relative address
    std::vector<std::string> segments;
};

Address splitAddress(std::string_view url) {
    Address a;
    std::string_view path = url;
    if (const size_t scheme = url.find("://"); scheme != std::string_view::npos) {
        const size_t slash = url.find('/', scheme + 3);
        a.host = std::string(url.substr(0, slash));
        path = slash == std::string_view::npos ? std::string_view() : url.substr(slash);
    }
    path = path.substr(0, path.find_first_of("?#"));
    for (size_t pos = 0; pos <= path.size();) {
        size_t end = path.find('/', pos);
        if (end == std::string_view::npos) end = path.size();
        if (end > pos) a.segments.emplace_back(path.substr(pos, end - pos));
        pos = end + 1;
    }
    if (!a.segments.empty() && isIndexPage(a.segments.back())) a.segments.pop_back();
    return a;
}

std::string hostTitle(const std::string& host) {
    const size_t at = host.find("://");
    return at == std::string::npos ? host : host.substr(at + 3);
}

}  // namespace

ImportResult readSitemap(std::string_view bytes, const std::string& charset) {
    if (binary(bytes)) return ImportResult::failed(FailureKind::BinaryData, DataFormat::Sitemap);
    bool entities = false;
    xml::Doc doc = xml::parseXml(bytes, charset.empty() ? nullptr : charset.c_str(), &entities);
    if (entities) return ImportResult::failed(FailureKind::EntitiesRefused, DataFormat::Sitemap);
    const xmlNode* root = rootOf(doc);
    if (!root) return ImportResult::failed(FailureKind::NotWellFormed, DataFormat::Sitemap);
    if (xml::localName(root) == "sitemapindex")
        return ImportResult::failed(FailureKind::SitemapIndex, DataFormat::Sitemap);
    if (xml::localName(root) != "urlset")
        return ImportResult::failed(
            Failure::of(FailureKind::MissingElement).withFormat(DataFormat::Sitemap).withValue("urlset"));

    std::vector<std::pair<std::string, Address>> pages;
    std::vector<std::string> hosts;
    for (const xmlNode* url = root->children; url; url = url->next) {
        if (!xml::isElement(url) || xml::localName(url) != "url") continue;
        for (const xmlNode* loc = url->children; loc; loc = loc->next) {
            if (!xml::isElement(loc) || xml::localName(loc) != "loc") continue;
            std::string link = textOf(loc);
            if (link.empty()) continue;
            Address a = splitAddress(link);
            bool known = false;
            for (const auto& h : hosts) known = known || h == a.host;
            if (!known) hosts.push_back(a.host);
            pages.emplace_back(std::move(link), std::move(a));
            break;
        }
    }
    if (pages.empty()) return ImportResult::failed(FailureKind::NoItems, DataFormat::Sitemap);

    PathTree tree;
    std::map<std::string, size_t> hostNodes;
    const bool severalHosts = hosts.size() > 1;
    // The home page of a single-host sitemap comes first.
    if (!severalHosts)
        for (const auto& [link, a] : pages)
            if (a.segments.empty()) {
                tree.setPage(0, tree.add(0, hostTitle(a.host).empty() ? "/" : hostTitle(a.host)), link);
                break;
            }
    for (const auto& [link, a] : pages) {
        size_t parent = 0;
        if (severalHosts) {
            auto it = hostNodes.find(a.host);
            if (it == hostNodes.end()) it = hostNodes.emplace(a.host, tree.add(0, hostTitle(a.host))).first;
            parent = it->second;
            if (a.segments.empty()) {
                tree.setPage(0, parent, link);
                continue;
            }
        } else if (a.segments.empty()) {
            continue;  // the home page, placed above
        }
        size_t node = parent;
        for (const auto& segment : a.segments) {
            parent = node;
            node = tree.child(node, segment);
        }
        tree.setPage(parent, node, link);
    }
    ImportResult r;
    r.roots = tree.build();
    return r;
}

ImportResult readOpml(std::string_view bytes, const std::string& charset) {
    if (binary(bytes)) return ImportResult::failed(FailureKind::BinaryData, DataFormat::Opml);
    bool entities = false;
    xml::Doc doc = xml::parseXml(bytes, charset.empty() ? nullptr : charset.c_str(), &entities);
    if (entities) return ImportResult::failed(FailureKind::EntitiesRefused, DataFormat::Opml);
    const xmlNode* root = rootOf(doc);
    if (!root) return ImportResult::failed(FailureKind::NotWellFormed, DataFormat::Opml);
    if (xml::localName(root) != "opml")
        return ImportResult::failed(
            Failure::of(FailureKind::MissingElement).withFormat(DataFormat::Opml).withValue("opml"));
    const xmlNode* body = nullptr;
    std::string title;
    for (const xmlNode* n = root->children; n && !body; n = n->next) {
        if (xml::isElement(n) && xml::localName(n) == "body") body = n;
        if (xml::isElement(n) && xml::localName(n) == "head")
            for (const xmlNode* h = n->children; h; h = h->next)
                if (xml::isElement(h) && xml::localName(h) == "title") title = textOf(h);
    }
    if (!body)
        return ImportResult::failed(
            Failure::of(FailureKind::MissingElement).withFormat(DataFormat::Opml).withValue("body"));

    auto isOutline = [](const xmlNode* n) { return xml::isElement(n) && xml::localName(n) == "outline"; };
    ForestBuilder builder;
    std::vector<const xmlNode*> stack{body->children};  // next sibling to look at, per level
    while (!stack.empty()) {
        const xmlNode* n = stack.back();
        while (n && !isOutline(n)) n = n->next;
        if (!n) {
            stack.pop_back();
            if (!stack.empty()) builder.close();
            continue;
        }
        stack.back() = n->next;
        std::string title = xml::attribute(n, "text");
        if (title.empty()) title = xml::attribute(n, "title");
        MenuItemData& d = builder.open(title);
        std::string link = xml::attribute(n, "url");
        if (link.empty()) link = xml::attribute(n, "htmlUrl");
        if (link.empty()) link = xml::attribute(n, "xmlUrl");
        bool script = false;
        const std::string code = xml::attribute(n, "script", &script);
        if (script) {
            d.contentType = 1;
            d.menuScript = toSchemeText(code);
        } else {
            d.menuLink = toSchemeText(link);
            d.menuTarget = toSchemeText(xml::attribute(n, "target"));
        }
        std::string hint = xml::attribute(n, "hint");
        if (hint.empty()) hint = collapseWhiteSpace(xml::attribute(n, "_note"));
        d.menuHint = toSchemeText(hint);
        d.menuStatus = toSchemeText(xml::attribute(n, "status"));
        d.menuIcon1 = toSchemeText(xml::attribute(n, "icon1"));
        d.menuIcon2 = toSchemeText(xml::attribute(n, "icon2"));
        stack.push_back(n->children);
    }
    ImportResult r;
    r.roots = builder.finish();
    if (r.roots.empty()) return ImportResult::failed(FailureKind::NoItems, DataFormat::Opml);
    r.report.title = title;
    return r;
}

}  // namespace sylvanode

// SPDX-License-Identifier: MIT
#include "exchange/link_check.h"

#include <fnmatch.h>
#include <sys/stat.h>

#include <cctype>
#include <climits>
#include <cstdlib>
#include <unordered_map>
#include <unordered_set>

#include "exchange/charset_detection.h"
#include "exchange/json_value.h"
#include "exchange/xml_support.h"
#include "platform/safe_file.h"
#include "platform/text_encoding.h"

namespace sylvanode {
namespace {

constexpr const char* kReplacement = "\xEF\xBF\xBD";

std::string trimBlanks(const std::string& s) {
    const size_t b = s.find_first_not_of(" \t\r\n");
    if (b == std::string::npos) return {};
    return s.substr(b, s.find_last_not_of(" \t\r\n") - b + 1);
}

std::string lower(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return s;
}

// The URL scheme of a link ("http", "file", "c" for a drive path), empty for a relative one.
std::string urlScheme(const std::string& link) {
    size_t i = 0;
    while (i < link.size() && (std::isalnum(static_cast<unsigned char>(link[i])) || link[i] == '+' ||
                               link[i] == '-' || link[i] == '.'))
        ++i;
    if (i == 0 || i == link.size() || link[i] != ':' || !std::isalpha(static_cast<unsigned char>(link[0])))
        return {};
    return lower(link.substr(0, i));
}

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::string percentDecoded(const std::string& s) {
    std::string out;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '%' && i + 2 < s.size() && hexValue(s[i + 1]) >= 0 && hexValue(s[i + 2]) >= 0) {
            out.push_back(static_cast<char>(hexValue(s[i + 1]) * 16 + hexValue(s[i + 2])));
            i += 2;
        } else {
            out.push_back(s[i]);
        }
    }
    return out;
}

// A scheme-byte path as the file system names it: UTF-8 when the bytes decode, as they are else.
std::string nativePath(const std::string& schemeBytes) {
    bool clean = true;
    for (size_t i = 0; i < schemeBytes.size() && clean;) {
        const DecodedChar c = decodeSchemeChar(schemeBytes, i);
        clean = c.valid;
        i += c.length;
    }
    return clean ? schemeBytesToUtf8(schemeBytes) : schemeBytes;
}

// The real path of an existing file or folder, or empty.
std::string realPath(const std::string& path) {
    char* real = ::realpath(path.c_str(), nullptr);
    if (!real) return {};
    std::string out = real;
    std::free(real);
    return out;
}

bool isPageName(const std::string& path) {
    const std::string l = lower(path.substr(path.find_last_of('/') + 1));
    for (const char* ending : {".html", ".htm", ".xhtml", ".shtml"}) {
        const size_t n = std::char_traits<char>::length(ending);
        if (l.size() > n && l.compare(l.size() - n, n, ending) == 0) return true;
    }
    return false;
}

class Checker {
public:
    Checker(std::string root, const LinkCheckOptions& options, LinkCheckResult& result)
        : root_(std::move(root)), options_(options), result_(result) {
        if (!root_.empty() && root_.back() != '/') root_ += '/';
        realRoot_ = realPath(root_);
        if (!realRoot_.empty() && realRoot_.back() != '/') realRoot_ += '/';
    }

    bool ignored(const std::string& value) const {
        for (const std::string& pattern : options_.ignore)
            if (::fnmatch(pattern.c_str(), value.c_str(), 0) == 0) return true;
        return false;
    }

    // Checks one link or icon value; `pageItem` says an empty value is a fault.
    void check(int item, const std::string& title, const char* field, const std::string& raw,
               bool pageItem = false) {
        const std::string value = trimBlanks(raw);
        auto report = [&](LinkProblemKind kind, std::string what) {
            result_.problems.push_back({item, title, field, kind, std::move(what), -1});
        };
        if (value.empty()) {
            if (pageItem) report(LinkProblemKind::EmptyLink, {});
            return;
        }
        if (ignored(nativePath(value))) return;
        const std::string scheme = urlScheme(value);
        if (scheme == "javascript") return report(LinkProblemKind::ScriptInLink, value);
        if (scheme == "file" || scheme.size() == 1) return report(LinkProblemKind::NotPortable, value);
        if (!scheme.empty() || value.rfind("//", 0) == 0) return report(LinkProblemKind::NotChecked, value);

        const size_t cut = value.find_first_of("?#");
        std::string path = value.substr(0, cut);
        if (path.empty()) return;  // a place on the same page
        const size_t hash = value.find('#');
        const std::string fragment = hash == std::string::npos ? std::string() : value.substr(hash + 1);
        for (char& c : path)
            if (c == '\\') c = '/';
        // The link's own characters name the file in UTF-8, as a browser asks for it; %XX
        // escapes are bytes of that name, so they are decoded after the conversion. Dot
        // segments are resolved the way a browser resolves them, so "%2e%2e/" climbs too.
        const std::string file = percentDecoded(nativePath(path));
        std::string inside;
        bool outside = false;
        for (size_t pos = 0; pos <= file.size();) {
            size_t end = file.find('/', pos);
            if (end == std::string::npos) end = file.size();
            const std::string segment = file.substr(pos, end - pos);
            pos = end + 1;
            if (segment.empty() || segment == ".") continue;
            if (segment == "..") {
                if (inside.empty()) {
                    outside = true;
                    break;
                }
                const size_t slash = inside.find_last_of('/', inside.size() - 2);
                inside.erase(slash == std::string::npos ? 0 : slash + 1);
                continue;
            }
            inside += segment + "/";
        }
        if (outside) return report(LinkProblemKind::OutsideRoot, path);
        if (!inside.empty()) inside.pop_back();
        const std::string full = root_ + inside;
        const int kind = fileKind(full);
        if (kind == 0 || (kind == 1 && path.back() == '/')) return report(LinkProblemKind::Missing, path);
        std::string page = full;
        if (kind == 2) {
            page = fileKind(full + "/index.html") == 1 ? full + "/index.html"
                   : fileKind(full + "/index.htm") == 1 ? full + "/index.htm"
                                                        : std::string();
            if (page.empty())
                return report(LinkProblemKind::Missing, path + (path.back() == '/' ? "" : "/") + "index.html");
        }
        // A link (or a linked folder) may not lead out of the root either.
        if (!isInsideRoot(page)) return report(LinkProblemKind::OutsideRoot, path);
        if (!fragment.empty() && isPageName(page) && !hasAnchor(page, percentDecoded(nativePath(fragment))))
            report(LinkProblemKind::MissingAnchor, value.substr(0, cut) + "#" + fragment);
    }

private:
    // 0 missing, 1 file, 2 folder; remembered, since icons repeat.
    int fileKind(const std::string& path) {
        auto it = seen_.find(path);
        if (it != seen_.end()) return it->second;
        struct stat st {};
        int kind = 0;
        if (::stat(path.c_str(), &st) == 0) kind = S_ISDIR(st.st_mode) ? 2 : 1;
        seen_.emplace(path, kind);
        return kind;
    }

    bool isInsideRoot(const std::string& path) {
        if (realRoot_.empty()) return true;
        const std::string real = realPath(path);
        return real.empty() || real.rfind(realRoot_, 0) == 0 || real + "/" == realRoot_;
    }

    // Whether the page has an element with this id, or an <a> with this name. Each page is
    // read once; a page that cannot be read is not blamed for its anchors.
    bool hasAnchor(const std::string& page, const std::string& anchor) {
        if (lower(anchor) == "top") return true;  // browsers go to the top of any page
        auto it = anchors_.find(page);
        if (it == anchors_.end()) {
            Anchors found;
            std::string bytes;
            found.readable = static_cast<bool>(readWholeFile(page, bytes));
            xml::Doc doc = xml::parseHtmlUtf8(decodeText(bytes, {}, true).utf8);
            const xmlNode* root = doc ? xmlDocGetRootElement(doc.get()) : nullptr;
            for (const xmlNode* n = root; n; n = xml::nextNode(n, root)) {
                if (!xml::isElement(n)) continue;
                if (std::string id = xml::attribute(n, "id"); !id.empty()) found.names.insert(std::move(id));
                if (xml::isElement(n, "a"))
                    if (std::string name = xml::attribute(n, "name"); !name.empty()) found.names.insert(std::move(name));
            }
            it = anchors_.emplace(page, std::move(found)).first;
        }
        return !it->second.readable || it->second.names.count(anchor) > 0;
    }

    struct Anchors {
        bool readable = false;
        std::unordered_set<std::string> names;
    };

    std::string root_;
    std::string realRoot_;
    const LinkCheckOptions& options_;
    LinkCheckResult& result_;
    std::unordered_map<std::string, int> seen_;
    std::unordered_map<std::string, Anchors> anchors_;
};

const char* kindName(LinkProblemKind kind) {
    switch (kind) {
        case LinkProblemKind::Missing:
            return "missing";
        case LinkProblemKind::NotPortable:
            return "not-portable";
        case LinkProblemKind::ScriptInLink:
            return "script-in-link";
        case LinkProblemKind::EmptyLink:
            return "empty-link";
        case LinkProblemKind::Duplicate:
            return "duplicate";
        case LinkProblemKind::NotChecked:
            return "not-checked";
        case LinkProblemKind::OutsideRoot:
            return "outside-root";
        case LinkProblemKind::MissingAnchor:
            return "missing-anchor";
    }
    return "";
}

}  // namespace

int LinkCheckResult::faults() const {
    int n = 0;
    for (const auto& p : problems) n += p.isFault();
    return n;
}

std::string linkRootOf(const MenuScheme& scheme) {
    const size_t slash = scheme.fileName.find_last_of('/');
    const std::string schemeFolder =
        slash == std::string::npos ? std::string() : scheme.fileName.substr(0, slash + 1);
    const std::string work = nativePath(scheme.settings.workDir);
    // A relative work directory is relative to the scheme file, not to where the check runs.
    if (work.empty() || work[0] == '/') return work.empty() ? schemeFolder : work;
    return schemeFolder + work;
}

LinkCheckResult checkLinks(const MenuScheme& scheme, const std::string& root, const LinkCheckOptions& options) {
    LinkCheckResult result;
    struct stat st {};
    if (root.empty() || ::stat(root.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
        result.failure = Failure::of(FailureKind::NoRootFolder, root);
        return result;
    }
    Checker checker(root, options, result);
    const SchemeSettings& s = scheme.settings;
    checker.check(-1, {}, "fileIcon", s.fileIcon);
    checker.check(-1, {}, "folderIcon1", s.folderIcon1);
    checker.check(-1, {}, "folderIcon2", s.folderIcon2);
    std::unordered_map<std::string, int> firstWithLink;
    int index = 0;
    forEachPreOrder(scheme.roots(), [&](MenuNode* n, int) {
        const int item = index++;
        const MenuItemData& d = n->data;
        if (d.contentType == 0) {
            checker.check(item, n->caption, "link", d.menuLink, !n->hasChildren());
            const std::string link = trimBlanks(d.menuLink);
            if (!link.empty() && !checker.ignored(nativePath(link))) {
                auto [it, added] = firstWithLink.emplace(link, item);
                if (!added)
                    result.problems.push_back({item, n->caption, "link", LinkProblemKind::Duplicate, link,
                                               it->second, !options.strict});
            }
        }
        checker.check(item, n->caption, "icon1", d.menuIcon1);
        checker.check(item, n->caption, "icon2", d.menuIcon2);
    });
    return result;
}

std::string linkProblemText(const LinkProblem& p) {
    const std::string value = schemeBytesToUtf8(p.value, kReplacement);
    const bool icon = p.field != "link";
    const std::string what = icon ? "icon " : "";
    switch (p.kind) {
        case LinkProblemKind::Missing:
            return "missing " + what + value;
        case LinkProblemKind::NotPortable:
            return what + "file:/// path, not portable to a server: " + value;
        case LinkProblemKind::ScriptInLink:
            return "javascript: in the " + (icon ? what : "link ") +
                   "field (make it a script item): " + value;
        case LinkProblemKind::EmptyLink:
            return "empty link";
        case LinkProblemKind::Duplicate:
            return "duplicate link " + value + " (as item " + std::to_string(p.firstItem) + ")";
        case LinkProblemKind::NotChecked:
            return "not checked: " + what + value;
        case LinkProblemKind::OutsideRoot:
            return what + "outside the folder checked against: " + value;
        case LinkProblemKind::MissingAnchor:
            return "no such anchor in the page: " + value;
    }
    return {};
}

std::string linkProblemLine(const LinkProblem& p) {
    std::string head = p.item < 0 ? "default icon " + p.field
                                  : "item " + std::to_string(p.item) + " \"" +
                                        schemeBytesToUtf8(p.title, kReplacement) + "\"";
    return head + ": " + linkProblemText(p);
}

std::string linkProblemsJson(const LinkCheckResult& result) {
    std::string out = "[";
    for (size_t i = 0; i < result.problems.size(); ++i) {
        const LinkProblem& p = result.problems[i];
        out += i ? ",\n" : "\n";
        out += "{\"item\":" + std::to_string(p.item) + ",\"title\":";
        appendJsonString(out, schemeBytesToUtf8(p.title, kReplacement));
        out += ",\"field\":\"" + p.field + "\",\"problem\":\"" + kindName(p.kind) + "\",\"value\":";
        appendJsonString(out, schemeBytesToUtf8(p.value, kReplacement));
        if (p.kind == LinkProblemKind::Duplicate) out += ",\"firstItem\":" + std::to_string(p.firstItem);
        out += ",\"fault\":";
        out += p.isFault() ? "true" : "false";
        out += ",\"message\":";
        appendJsonString(out, linkProblemText(p));
        out += "}";
    }
    out += result.problems.empty() ? "]\n" : "\n]\n";
    return out;
}

}  // namespace sylvanode

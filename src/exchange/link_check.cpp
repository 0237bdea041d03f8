// SPDX-License-Identifier: MIT
#include "exchange/link_check.h"

#include <sys/stat.h>

#include <cctype>
#include <cstdio>
#include <unordered_map>

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

class Checker {
public:
    Checker(std::string root, LinkCheckResult& result) : root_(std::move(root)), result_(result) {
        if (!root_.empty() && root_.back() != '/') root_ += '/';
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
        const std::string scheme = urlScheme(value);
        if (scheme == "javascript") return report(LinkProblemKind::ScriptInLink, value);
        if (scheme == "file" || scheme.size() == 1) return report(LinkProblemKind::NotPortable, value);
        if (!scheme.empty() || value.rfind("//", 0) == 0) return report(LinkProblemKind::NotChecked, value);

        std::string path = value.substr(0, value.find_first_of("?#"));
        if (path.empty()) return;  // a place on the same page
        for (char& c : path)
            if (c == '\\') c = '/';
        // The link's own characters name the file in UTF-8, as a browser asks for it; %XX
        // escapes are bytes of that name, so they are decoded after the conversion.
        std::string file = percentDecoded(nativePath(path));
        while (!file.empty() && file.front() == '/') file.erase(0, 1);
        const std::string full = root_ + file;
        const int kind = fileKind(full);
        if (kind == 0 || (kind == 1 && !path.empty() && path.back() == '/'))
            return report(LinkProblemKind::Missing, path);
        if (kind == 2 && fileKind(full + "/index.html") != 1 && fileKind(full + "/index.htm") != 1)
            return report(LinkProblemKind::Missing, path + (path.back() == '/' ? "" : "/") + "index.html");
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

    std::string root_;
    LinkCheckResult& result_;
    std::unordered_map<std::string, int> seen_;
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
    }
    return "";
}

void appendJsonString(std::string& out, const std::string& utf8) {
    out.push_back('"');
    for (char c : utf8) {
        if (c == '"' || c == '\\') {
            out.push_back('\\');
            out.push_back(c);
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\u%04X", static_cast<unsigned char>(c));
            out += buf;
        } else {
            out.push_back(c);
        }
    }
    out.push_back('"');
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

LinkCheckResult checkLinks(const MenuScheme& scheme, const std::string& root) {
    LinkCheckResult result;
    struct stat st {};
    if (root.empty() || ::stat(root.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
        result.error =
            "the folder to check against does not exist: " + (root.empty() ? std::string("(none)") : root);
        return result;
    }
    Checker checker(root, result);
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
            if (!link.empty()) {
                auto [it, added] = firstWithLink.emplace(link, item);
                if (!added)
                    result.problems.push_back(
                        {item, n->caption, "link", LinkProblemKind::Duplicate, link, it->second});
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

// SPDX-License-Identifier: MIT
#include "exchange/exporter.h"

#include "exchange/json_format.h"
#include "exchange/tree_walk.h"
#include "platform/text_encoding.h"

namespace sylvanode {
namespace {

constexpr const char* kReplacement = "\xEF\xBF\xBD";
constexpr size_t kMaxOutlineIndent = size_t{64} << 20;

// HTML and XML escaping; the four special bytes are never the trail byte of a GBK or
// GB18030 character, so escaping byte by byte is safe in the scheme's bytes too.
// In XML (`xml` true) tabs and line breaks become character references, which attribute
// normalisation keeps, and the other control characters, which XML 1.0 cannot hold, U+FFFD.
void appendEscaped(std::string& out, std::string_view text, bool xml = false) {
    for (char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            case '\t':
                out += xml ? "&#9;" : "\t";
                break;
            case '\n':
                out += xml ? "&#10;" : "\n";
                break;
            case '\r':
                out += xml ? "&#13;" : "\r";
                break;
            default:
                if (xml && static_cast<unsigned char>(c) < 0x20)
                    out += kReplacement;
                else
                    out.push_back(c);
        }
    }
}

void appendAttribute(std::string& out, const char* name, std::string_view value, bool always = false,
                     bool xml = false) {
    if (value.empty() && !always) return;
    out.push_back(' ');
    out += name;
    out += "=\"";
    appendEscaped(out, value, xml);
    out.push_back('"');
}

void appendXmlAttribute(std::string& out, const char* name, std::string_view value, bool always = false) {
    appendAttribute(out, name, value, always, true);
}

std::string utf8(std::string_view schemeBytes) { return schemeBytesToUtf8(schemeBytes, kReplacement); }

// Outline escaping: the characters that would read as link syntax or an escape.
void appendOutlineEscaped(std::string& out, std::string_view text, std::string_view special) {
    for (char c : text) {
        if (c == '\\' || special.find(c) != std::string_view::npos) out.push_back('\\');
        out.push_back(c == '\n' || c == '\r' || c == '\t' ? ' ' : c);
    }
}

}  // namespace

bool parseExportFormat(std::string_view name, ExportFormat& format) {
    if (name == "html")
        format = ExportFormat::Html;
    else if (name == "outline")
        format = ExportFormat::Outline;
    else if (name == "opml")
        format = ExportFormat::Opml;
    else if (name == "json")
        format = ExportFormat::Json;
    else if (name == "jstree")
        format = ExportFormat::JsTree;
    else
        return false;
    return true;
}

const char* exportFormatName(ExportFormat format) {
    switch (format) {
        case ExportFormat::Html:
            return "html";
        case ExportFormat::Outline:
            return "outline";
        case ExportFormat::Opml:
            return "opml";
        case ExportFormat::Json:
            return "json";
        case ExportFormat::JsTree:
            return "jstree";
    }
    return "";
}

const char* exportFileEnding(ExportFormat format) {
    switch (format) {
        case ExportFormat::Html:
            return ".html";
        case ExportFormat::Outline:
            return ".txt";
        case ExportFormat::Opml:
            return ".opml";
        case ExportFormat::Json:
        case ExportFormat::JsTree:
            return ".json";
    }
    return "";
}

std::string exportHtmlNav(const MenuScheme& scheme) {
    std::string out = "<nav data-sylvanode=\"tree";
    appendEscaped(out, scheme.settings.menuSuffix);
    out += "\">\n<ul>\n";
    walkTree(
        scheme.roots(),
        [&](const MenuNode& n, int) {
            const MenuItemData& d = n.data;
            out += "<li>";
            const char* tag;
            if (d.contentType != 0) {
                tag = "button";
                out += "<button type=\"button\"";
                appendAttribute(out, "data-script", d.menuScript, true);
            } else if (!d.menuLink.empty() || !d.menuTarget.empty()) {
                tag = "a";
                out += "<a";
                appendAttribute(out, "href", d.menuLink);
                appendAttribute(out, "target", d.menuTarget);
            } else {
                tag = "span";
                out += "<span";
            }
            appendAttribute(out, "title", d.menuHint);
            appendAttribute(out, "data-status", d.menuStatus);
            appendAttribute(out, "data-icon1", d.menuIcon1);
            appendAttribute(out, "data-icon2", d.menuIcon2);
            out.push_back('>');
            appendEscaped(out, n.caption);
            out += "</";
            out += tag;
            out.push_back('>');
            out += n.hasChildren() ? "\n<ul>\n" : "</li>\n";
        },
        [&](const MenuNode& n, int) {
            if (n.hasChildren()) out += "</ul>\n</li>\n";
        });
    out += "</ul>\n</nav>\n";
    return out;
}

bool exportOutline(const MenuScheme& scheme, std::string& out) {
    out.clear();
    size_t indent = 0;
    forEachPreOrder(scheme.roots(), [&](MenuNode*, int level) { indent += 2 * static_cast<size_t>(level); });
    if (indent > kMaxOutlineIndent) return false;
    forEachPreOrder(scheme.roots(), [&](MenuNode* n, int level) {
        const MenuItemData& d = n->data;
        out.append(2 * static_cast<size_t>(level), ' ');
        out += "- ";
        const std::string title = utf8(n->caption);
        std::string link;
        if (d.contentType != 0)
            link = "javascript:" + utf8(d.menuScript);
        else
            link = utf8(d.menuLink);
        const bool plain = link.empty() && d.menuHint.empty() && title.find("://") == std::string::npos;
        if (plain) {
            appendOutlineEscaped(out, title, "[]");
        } else {
            out.push_back('[');
            appendOutlineEscaped(out, title, "[]");
            // Plain (url) reads best; <url> holds blanks and brackets.
            const bool bracketed = link.empty() || link.find_first_of(" ()<>\"") != std::string::npos;
            out += bracketed ? "](<" : "](";
            appendOutlineEscaped(out, link, "<>");
            if (bracketed) out.push_back('>');
            if (!d.menuHint.empty()) {
                out += " \"";
                appendOutlineEscaped(out, utf8(d.menuHint), "\"");
                out.push_back('"');
            }
            out.push_back(')');
        }
        out += '\n';
    });
    return true;
}

std::string exportOpml(const MenuScheme& scheme) {
    std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<opml version=\"2.0\">\n<head><title>";
    // The outline's own title when it came with one, else the scheme file's name.
    const std::string& title = scheme.settings.title;
    appendEscaped(out, utf8(title.empty() ? scheme.fileName.substr(scheme.fileName.find_last_of("/\\") + 1) : title));
    out += "</title></head>\n<body>\n";
    walkTree(
        scheme.roots(),
        [&](const MenuNode& n, int) {
            const MenuItemData& d = n.data;
            out += "<outline";
            appendXmlAttribute(out, "text", utf8(n.caption), true);
            if (d.contentType != 0) {
                appendXmlAttribute(out, "script", utf8(d.menuScript), true);
            } else {
                if (!d.menuLink.empty()) out += " type=\"link\"";
                appendXmlAttribute(out, "url", utf8(d.menuLink));
                appendXmlAttribute(out, "target", utf8(d.menuTarget));
            }
            appendXmlAttribute(out, "hint", utf8(d.menuHint));
            appendXmlAttribute(out, "status", utf8(d.menuStatus));
            appendXmlAttribute(out, "icon1", utf8(d.menuIcon1));
            appendXmlAttribute(out, "icon2", utf8(d.menuIcon2));
            out += n.hasChildren() ? ">\n" : "/>\n";
        },
        [&](const MenuNode& n, int) {
            if (n.hasChildren()) out += "</outline>\n";
        });
    out += "</body>\n</opml>\n";
    return out;
}

ExportResult exportScheme(const MenuScheme& scheme, ExportFormat format) {
    ExportResult r;
    switch (format) {
        case ExportFormat::Html:
            r.bytes = exportHtmlNav(scheme);
            if (scheme.settings.scriptCharset == ScriptCharset::Utf8) r.bytes = utf8(r.bytes);
            break;
        case ExportFormat::Outline:
            if (!exportOutline(scheme, r.bytes)) r.failure = Failure::of(FailureKind::OutlineTooDeep);
            break;
        case ExportFormat::Opml:
            r.bytes = exportOpml(scheme);
            break;
        case ExportFormat::Json:
            r.bytes = writeMenuJson(scheme);
            break;
        case ExportFormat::JsTree:
            r.bytes = writeJsTreeJson(scheme);
            break;
    }
    return r;
}

}  // namespace sylvanode

#include "codegen/script_text.h"

#include <charconv>
#include <vector>

#include "model/colors.h"

namespace sylvanode {
namespace {

void appendInt(std::string& out, long long v) {
    char buf[24];
    auto [end, ec] = std::to_chars(buf, buf + sizeof buf, v);
    out.append(buf, end);
}

bool containsCl(std::string_view s) { return s.find("cl") != std::string_view::npos; }

void appendQuoted(std::string& out, std::string_view text) {
    out += '"';
    out += quoteScriptText(text);
    out += "\",";
}

int actionKind(const MenuItemData& d) { return d.contentType == 0 ? 3 : 4; }

bool isAsciiLetter(unsigned char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool isCssBlank(unsigned char c) { return c == ' ' || c == '\t'; }

// CSS-wide keywords and "default": never a family name without quotes.
bool isReservedWord(std::string_view word) {
    static constexpr std::string_view reserved[] = {"initial", "inherit", "unset",
                                                    "default", "revert",  "revert-layer"};
    for (std::string_view r : reserved) {
        if (r.size() != word.size()) continue;
        bool same = true;
        for (size_t i = 0; i < r.size() && same; ++i) {
            char c = word[i];
            if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
            same = c == r[i];
        }
        if (same) return true;
    }
    return false;
}

// One family name: identifiers (letters, "_", "-", digits after the start, and every byte
// of 0x80 or more, which covers whole double-byte characters) separated by blanks.
bool isPlainFamilyName(std::string_view name) {
    size_t i = 0;
    bool any = false;
    while (i < name.size()) {
        while (i < name.size() && isCssBlank(static_cast<unsigned char>(name[i]))) ++i;
        if (i == name.size()) break;
        const size_t start = i;
        while (i < name.size() && !isCssBlank(static_cast<unsigned char>(name[i]))) {
            const auto c = static_cast<unsigned char>(name[i]);
            if (c >= 0x80) {
                i += (c >= 0x81 && c <= 0xFE && i + 1 < name.size()) ? 2 : 1;  // a trail byte is no ASCII
                continue;
            }
            if (!(isAsciiLetter(c) || c == '_' || c == '-' || (c >= '0' && c <= '9'))) return false;
            ++i;
        }
        const std::string_view word = name.substr(start, i - start);
        const auto first = static_cast<unsigned char>(word[0]);
        const auto second = word.size() > 1 ? static_cast<unsigned char>(word[1]) : 0;
        const bool startsWell = first >= 0x80 || isAsciiLetter(first) || first == '_' ||
                                (first == '-' && (second >= 0x80 || isAsciiLetter(second) || second == '_'));
        if (!startsWell || isReservedWord(word)) return false;
        any = true;
    }
    return any;
}

std::string_view trimBlanks(std::string_view s) {
    while (!s.empty() && isCssBlank(static_cast<unsigned char>(s.front()))) s.remove_prefix(1);
    while (!s.empty() && isCssBlank(static_cast<unsigned char>(s.back()))) s.remove_suffix(1);
    return s;
}

bool isQuoted(std::string_view s) {
    return s.size() >= 2 && (s.front() == '"' || s.front() == '\'') && s.back() == s.front();
}

// A foundry tag at the end of a family name: " [urw]".
std::string_view withoutFoundryTag(std::string_view name) {
    if (name.empty() || name.back() != ']') return name;
    const size_t open = name.rfind(" [");
    return (open == std::string_view::npos || open == 0) ? name : trimBlanks(name.substr(0, open));
}

// A CSS string in double quotes; backslashes, quotes and control bytes escaped, double-byte
// characters copied whole (their 0x5C trail byte is no backslash).
std::string cssString(std::string_view text) {
    std::string out = "\"";
    for (size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c >= 0x81 && c <= 0xFE && i + 1 < text.size()) {
            out += text[i];
            out += text[++i];
        } else if (c == '"' || c == '\\') {
            out += '\\';
            out += text[i];
        } else if (c < 0x20 || c == 0x7F) {
            static constexpr char hex[] = "0123456789ABCDEF";
            out += '\\';
            out += hex[c >> 4];
            out += hex[c & 0xF];
            out += ' ';
        } else {
            out += text[i];
        }
    }
    out += '"';
    return out;
}

}  // namespace

std::string cssFontFamily(std::string_view fontName) {
    std::vector<std::string_view> names;
    bool changes = false;
    size_t start = 0;
    char quote = 0;  // inside a quoted name a comma is part of it
    for (size_t i = 0; i <= fontName.size(); ++i) {
        if (i < fontName.size()) {
            const auto c = static_cast<unsigned char>(fontName[i]);
            if (c >= 0x81 && c <= 0xFE && i + 1 < fontName.size()) {
                ++i;
                continue;
            }
            if (quote) {
                if (c == static_cast<unsigned char>(quote)) quote = 0;
                continue;
            }
            if (c == '"' || c == '\'') quote = static_cast<char>(c);
            if (c != ',') continue;
        }
        const std::string_view name = trimBlanks(fontName.substr(start, i - start));
        names.push_back(name);
        changes = changes || (!name.empty() && !isQuoted(name) &&
                              (withoutFoundryTag(name) != name || !isPlainFamilyName(name)));
        start = i + 1;
    }
    if (!changes) return std::string(fontName);
    std::string out;
    for (std::string_view name : names) {
        if (name.empty()) continue;
        if (!out.empty()) out += ',';
        const std::string_view family = withoutFoundryTag(name);
        out += isQuoted(name) || isPlainFamilyName(family) ? std::string(family) : cssString(family);
    }
    return out;
}

std::string styleToCss(const CssStyle& s) {
    std::string out;
    if (!s.fontName.empty()) out += "font-family:" + cssFontFamily(s.fontName) + ";";
    if (s.underline) out += "text-decoration:underline;";
    if (s.fontSize != -1) {
        out += "font-size:";
        appendInt(out, s.fontSize);
        out += "pt;";
    }
    if (s.fontStyle == 0) out += "font-style:normal;";
    if (s.fontStyle == 1 || s.fontStyle == 3) out += "font-weight:bold;";
    if (s.fontStyle == 2 || s.fontStyle == 3) out += "font-style:italic;";
    if (!s.backgroundColor.empty()) out += "background-color:" + cssColorValue(s.backgroundColor) + ";";
    if (!s.textColor.empty()) out += "color:" + cssColorValue(s.textColor) + ";";
    if (s.useBorder && !s.borderColor.empty()) {
        out += "border:";
        appendInt(out, s.borderWidth);
        out += "pt solid ";
        out += containsCl(s.borderColor) ? cssSystemColorName(s.borderColor) : "#" + s.borderColor;
        out += ";";
    }
    return out;
}

std::string styleRuleBody(const KindStyle& kind, int styleIndex) {
    std::string out = "{";
    out += styleToCss(kind.styles[static_cast<size_t>(styleIndex)]);
    out += "height:";
    appendInt(out, kind.height);
    out += "pt;padding:";
    // Stored top, bottom, left, right; CSS wants top, right, bottom, left.
    const int order[4] = {PadTop, PadRight, PadBottom, PadLeft};
    for (int i = 0; i < 4; ++i) {
        if (i) out += ' ';
        appendInt(out, kind.padding[static_cast<size_t>(order[i])]);
        out += "pt";
    }
    out += ";}";
    return out;
}

std::string quoteScriptText(std::string_view text) {
    size_t b = 0, e = text.size();
    while (b < e && static_cast<unsigned char>(text[b]) <= 32) ++b;
    while (e > b && static_cast<unsigned char>(text[e - 1]) <= 32) --e;
    std::string out;
    out.reserve(e - b);
    // '"' (0x22) is never a trail byte of a double-byte character, so a plain scan is safe.
    for (size_t i = b; i < e; ++i) {
        if (text[i] == '"') out += '\\';
        out += text[i];
    }
    return out;
}

void appendNodeEntries(std::string& out, const MenuNode& root) {
    // Depth-first without recursion: a stack of (node, next child) frames.
    struct Frame {
        const MenuNode* node;
        int next;
    };
    std::vector<Frame> stack;
    auto open = [&](const MenuNode& n) {
        const MenuItemData& d = n.data;
        if (n.isFile()) {
            out += "2,";
            appendQuoted(out, d.menuName);
            appendQuoted(out, d.menuHint);
            appendQuoted(out, d.menuStatus);
            appendQuoted(out, d.menuIcon1);
            appendInt(out, actionKind(d));
            out += ',';
            appendQuoted(out, d.menuScript);
            appendQuoted(out, d.menuLink);
            appendQuoted(out, d.menuTarget);
            return false;
        }
        out += "0,";
        appendQuoted(out, d.menuName);
        appendQuoted(out, d.menuHint);
        appendQuoted(out, d.menuStatus);
        appendQuoted(out, d.menuIcon1);
        appendQuoted(out, d.menuIcon2);
        appendInt(out, actionKind(d));
        out += ',';
        appendQuoted(out, d.menuScript);
        appendQuoted(out, d.menuLink);
        appendQuoted(out, d.menuTarget);
        out += "-1,";
        return true;
    };
    if (!open(root)) return;
    stack.push_back({&root, 0});
    while (!stack.empty()) {
        Frame& f = stack.back();
        if (f.next == f.node->childCount()) {
            out += "1,";
            stack.pop_back();
            continue;
        }
        const MenuNode* child = f.node->child(f.next++);
        if (open(*child)) stack.push_back({child, 0});
    }
}

std::string buildScriptText(const MenuScheme& scheme) {
    const SchemeSettings& s = scheme.settings;
    const std::string& S = s.menuSuffix;
    // Browsers cap the arguments of one call (Chromium at about 65,500), so a menu whose array
    // would have more elements than that is written as an array literal, which has no such limit.
    constexpr size_t kMaxCallArguments = 65000;
    size_t elements = 1;
    forEachPreOrder(scheme.roots(), [&elements](const MenuNode* n, int) { elements += n->isFile() ? 9 : 12; });
    const bool literal = elements > kMaxCallArguments;
    std::string out = "var tree_node" + S + (literal ? "=[" : "=new Array(");
    for (const auto& root : scheme.roots()) appendNodeEntries(out, *root);
    out += literal ? "5];" : "5);";

    auto line = [&out](std::string_view text) {
        out += "\r\n";
        out += text;
    };
    auto boolText = [](bool b) { return b ? "true" : "false"; };
    const char* classes[6] = {"Tree_FOLDER_1", "Tree_FOLDER_2", "Tree_FOLDER_3",
                              "Tree_FILE_1",   "Tree_FILE_2",   "Tree_FILE_3"};
    line("document.write('<style>');");
    for (int slot = 0; slot < 6; ++slot)
        line("document.write('TD." + std::string(classes[slot]) + S +
             styleRuleBody(scheme.kinds[static_cast<size_t>(slot / 3)], slot % 3) + "');");
    line("document.write('</style>');");
    const std::string t = "tree" + S;
    line("var " + t + "=new Tree_treeView();");
    line(t + ".useImage=" + boolText(s.useImage) + ";");
    line(t + ".useTitleAsHint=" + boolText(s.useTitleAsHint) + ";");
    line(t + ".useTitleAsStatus=" + boolText(s.useTitleAsStatus) + ";");
    line(t + ".useHint=" + boolText(s.showHint) + ";");
    line(t + ".useStatus=" + boolText(s.showStatus) + ";");
    line(t + ".showSelect=" + boolText(s.showSelect) + ";");
    line(t + ".showLine=" + boolText(s.showLine) + ";");
    line(t + ".Indent=" + std::to_string(s.indent) + ";");
    line(t + ".folderImg1=\"" + s.folderIcon1 + "\";");
    line(t + ".lineFolder=\"" + s.lineFolder + "\";");
    line(t + ".folderImg2=\"" + s.folderIcon2 + "\";");
    line(t + ".fileImg=\"" + s.fileIcon + "\";");
    line(t + ".target=\"" + s.target + "\";");
    const char* options[6] = {"folderClass1", "folderClass2", "folderClass3", "fileClass1", "fileClass2", "fileClass3"};
    for (int slot = 0; slot < 6; ++slot)
        line(t + "." + options[slot] + "=\"" + classes[slot] + S + "\";");
    line("Tree_buildTree(tree_node" + S + "," + t + ");");
    return out;
}

std::string scriptFileBytes(const MenuScheme& scheme) { return buildScriptText(scheme) + "\r\n"; }

IoResult writeScriptFile(const MenuScheme& scheme, const std::string& path) {
    return writeFileAtomically(path, scriptFileBytes(scheme));
}

bool checkMenuSuffix(std::string_view typed, std::string& normalised) {
    size_t b = 0, e = typed.size();
    while (b < e && static_cast<unsigned char>(typed[b]) <= 32) ++b;
    while (e > b && static_cast<unsigned char>(typed[e - 1]) <= 32) --e;
    std::string t(typed.substr(b, e - b));
    for (char& c : t)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    for (char c : t)
        if (!((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))) return false;
    normalised = std::move(t);
    return true;
}

}  // namespace sylvanode

// SPDX-License-Identifier: MIT
#include "codegen/script_text.h"

#include <algorithm>
#include <charconv>
#include <vector>

#include "codegen/script_literal.h"
#include "model/colors.h"

namespace sylvanode {
namespace {

void appendInt(std::string& out, long long v) {
    char buf[24];
    auto [end, ec] = std::to_chars(buf, buf + sizeof buf, v);
    out.append(buf, end);
}

bool containsCl(std::string_view s) { return s.find("cl") != std::string_view::npos; }

std::string_view trimBlanks(std::string_view text) {
    size_t b = 0, e = text.size();
    while (b < e && static_cast<unsigned char>(text[b]) <= 32) ++b;
    while (e > b && static_cast<unsigned char>(text[e - 1]) <= 32) --e;
    return text.substr(b, e - b);
}

void appendQuoted(std::string& out, std::string_view text, ScriptCharset charset) {
    out += '"';
    appendScriptLiteral(out, trimBlanks(text), '"', charset);
    out += "\",";
}

// Font names as CSS. Letters, digits, "-", "_", "," and blanks stay, as do characters beyond ASCII;
// every other ASCII character is written as a CSS escape (a space ends it), so that no name can
// open a string, block or comment, end the declaration or rule, or the style element.
constexpr char kHexDigits[] = "0123456789ABCDEF";

void appendCssEscape(std::string& out, unsigned char c) {
    out += '\\';
    out += kHexDigits[c >> 4];
    out += kHexDigits[c & 15];
    out += ' ';
}

bool isAsciiLetter(unsigned char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool isAsciiDigit(unsigned char c) { return c >= '0' && c <= '9'; }

void appendFontText(std::string& out, std::string_view text) {
    for (size_t i = 0; i < text.size();) {
        const size_t length = std::max<size_t>(1, gb18030CharLength(text, i));
        const auto c = static_cast<unsigned char>(text[i]);
        if (c >= 0x80 || isAsciiLetter(c) || isAsciiDigit(c) || c == '-' || c == '_' || c == ' ' || c == ',')
            out.append(text, i, length);
        else
            appendCssEscape(out, c);
        i += length;
    }
}

// CSS-wide keywords and "default": a family of such a name must be quoted.
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

bool isQuoted(std::string_view s) {
    return s.size() >= 2 && (s[0] == '"' || s[0] == '\'') && s.back() == s[0];
}

// The foundry tag a font list adds to tell foundries apart: " [urw]".
std::string_view withoutFoundryTag(std::string_view name) {
    if (name.empty() || name.back() != ']') return name;
    const size_t open = name.rfind(" [");
    if (open == std::string_view::npos) return name;
    size_t end = open;
    while (end > 0 && name[end - 1] == ' ') --end;
    return end == 0 ? name : name.substr(0, end);
}

// One family name of a list, blanks around it kept.
void appendFamily(std::string& out, std::string_view piece) {
    size_t b = 0, e = piece.size();
    while (b < e && piece[b] == ' ') ++b;
    while (e > b && piece[e - 1] == ' ') --e;
    out.append(piece.substr(0, b));
    const std::string_view name = piece.substr(b, e - b);
    if (isQuoted(name)) {
        out += name[0];
        appendFontText(out, name.substr(1, name.size() - 2));
        out += name[0];
    } else {
        const std::string_view family = withoutFoundryTag(name);
        if (isReservedWord(family)) {
            out += '"';
            appendFontText(out, family);
            out += '"';
        } else {
            // Each word must read as an identifier: one that starts with a digit ("Font Awesome
            // 5 Free"), or "-" and a digit, or is a lone "-", gets that character escaped.
            for (size_t i = 0; i < family.size();) {
                size_t end = family.find(' ', i);
                if (end == std::string_view::npos) end = family.size();
                std::string_view word = family.substr(i, end - i);
                const size_t lead = !word.empty() && word[0] == '-' ? 1 : 0;
                if (lead < word.size() ? isAsciiDigit(static_cast<unsigned char>(word[lead])) : word == "-") {
                    const size_t at = word == "-" ? 0 : lead;
                    out.append(word.substr(0, at));
                    appendCssEscape(out, static_cast<unsigned char>(word[at]));
                    word.remove_prefix(at + 1);
                }
                appendFontText(out, word);
                if (end < family.size()) out += ' ';
                i = end + 1;
            }
        }
    }
    out.append(piece.substr(e));
}

int actionKind(const MenuItemData& d) { return d.contentType == 0 ? 3 : 4; }

// A very large node array is written in pieces, functions that each return a part of it: a browser
// compiles a function only when it is called, so evaluating the script stays short, and the
// library calls the pieces in tasks of their own. Smaller arrays are written whole.
constexpr size_t kPiecesAbove = 200000;
constexpr size_t kPieceElements = 50000;
constexpr std::string_view kPieceBreak = "]},function(){return[";

// Elements written into the current piece, when the array is written in pieces.
struct Pieces {
    size_t elements = 0;
};

}  // namespace

std::string cssFontFamily(std::string_view fontName) {
    // Split at the commas between names; a name that starts with a quote runs to its closing quote.
    std::string out;
    size_t start = 0;
    bool nameStart = true;
    char quote = 0;
    for (size_t i = 0; i < fontName.size();) {
        const auto c = static_cast<unsigned char>(fontName[i]);
        if (quote) {
            if (c == static_cast<unsigned char>(quote)) quote = 0;
        } else if (c == ',') {
            appendFamily(out, fontName.substr(start, i - start));
            out += ',';
            start = i + 1;
            nameStart = true;
        } else if (nameStart && (c == '"' || c == '\'')) {
            quote = static_cast<char>(c);
            nameStart = false;
        } else if (c != ' ') {
            nameStart = false;
        }
        i += std::max<size_t>(1, gb18030CharLength(fontName, i));
    }
    appendFamily(out, fontName.substr(start));
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

std::string quoteScriptText(std::string_view text, ScriptCharset charset) {
    std::string out;
    appendScriptLiteral(out, trimBlanks(text), '"', charset);
    return out;
}

namespace {

void appendEntries(std::string& out, const MenuNode& root, ScriptCharset charset, Pieces* pieces) {
    // Depth-first without recursion: a stack of (node, next child) frames.
    struct Frame {
        const MenuNode* node;
        int next;
    };
    std::vector<Frame> stack;
    // A new piece starts between entries, once the current one is full.
    auto count = [&](size_t elements) {
        if (!pieces) return;
        pieces->elements += elements;
        if (pieces->elements < kPieceElements) return;
        out += kPieceBreak;
        pieces->elements = 0;
    };
    auto open = [&](const MenuNode& n) {
        const MenuItemData& d = n.data;
        if (n.isFile()) {
            out += "2,";
            appendQuoted(out, d.menuName, charset);
            appendQuoted(out, d.menuHint, charset);
            appendQuoted(out, d.menuStatus, charset);
            appendQuoted(out, d.menuIcon1, charset);
            appendInt(out, actionKind(d));
            out += ',';
            appendQuoted(out, d.menuScript, charset);
            appendQuoted(out, d.menuLink, charset);
            appendQuoted(out, d.menuTarget, charset);
            count(9);
            return false;
        }
        out += "0,";
        appendQuoted(out, d.menuName, charset);
        appendQuoted(out, d.menuHint, charset);
        appendQuoted(out, d.menuStatus, charset);
        appendQuoted(out, d.menuIcon1, charset);
        appendQuoted(out, d.menuIcon2, charset);
        appendInt(out, actionKind(d));
        out += ',';
        appendQuoted(out, d.menuScript, charset);
        appendQuoted(out, d.menuLink, charset);
        appendQuoted(out, d.menuTarget, charset);
        out += "-1,";
        count(11);
        return true;
    };
    if (!open(root)) return;
    stack.push_back({&root, 0});
    while (!stack.empty()) {
        Frame& f = stack.back();
        if (f.next == f.node->childCount()) {
            out += "1,";
            count(1);
            stack.pop_back();
            continue;
        }
        const MenuNode* child = f.node->child(f.next++);
        if (open(*child)) stack.push_back({child, 0});
    }
}

}  // namespace

void appendNodeEntries(std::string& out, const MenuNode& root, ScriptCharset charset) {
    appendEntries(out, root, charset, nullptr);
}

std::string buildScriptText(const MenuScheme& scheme) {
    const SchemeSettings& s = scheme.settings;
    const ScriptCharset charset = s.scriptCharset;
    const std::string& S = s.menuSuffix;
    // A call's arguments go on the browser's stack: Chromium throws "Maximum call stack size
    // exceeded" from about 60,000 of them on (a 6,000-item menu). A menu whose array would have
    // more than half that is written as an array literal, which has no such limit.
    constexpr size_t kMaxCallArguments = 30000;
    size_t elements = 1;
    forEachPreOrder(scheme.roots(),
                    [&elements](const MenuNode* n, int) { elements += n->isFile() ? 9 : 12; });
    const bool literal = elements > kMaxCallArguments;
    Pieces pieces;
    Pieces* inPieces = elements > kPiecesAbove ? &pieces : nullptr;
    std::string out = "var tree_node" + S +
                      (inPieces  ? "=[function(){return["
                       : literal ? "=["
                                 : "=new Array(");
    for (const auto& root : scheme.roots()) appendEntries(out, *root, charset, inPieces);
    out += inPieces ? "5]}];" : literal ? "5];" : "5);";

    auto line = [&out](std::string_view text) {
        out += "\r\n";
        out += text;
    };
    auto boolText = [](bool b) { return b ? "true" : "false"; };
    const char* classes[6] = {"Tree_FOLDER_1", "Tree_FOLDER_2", "Tree_FOLDER_3",
                              "Tree_FILE_1",   "Tree_FILE_2",   "Tree_FILE_3"};
    line("document.write('<style>');");
    for (int slot = 0; slot < 6; ++slot) {
        line("document.write('TD." + std::string(classes[slot]) + S);
        appendScriptLiteral(out, styleRuleBody(scheme.kinds[static_cast<size_t>(slot / 3)], slot % 3), '\'',
                            charset);
        out += "');";
    }
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
    // Settings values are written untrimmed.
    auto textOption = [&](const char* name, const std::string& value) {
        line(t + "." + name + "=\"");
        appendScriptLiteral(out, value, '"', charset);
        out += "\";";
    };
    textOption("folderImg1", s.folderIcon1);
    textOption("lineFolder", s.lineFolder);
    textOption("folderImg2", s.folderIcon2);
    textOption("fileImg", s.fileIcon);
    textOption("target", s.target);
    const char* options[6] = {"folderClass1", "folderClass2", "folderClass3",
                              "fileClass1",   "fileClass2",   "fileClass3"};
    for (int slot = 0; slot < 6; ++slot) line(t + "." + options[slot] + "=\"" + classes[slot] + S + "\";");
    line("Tree_buildTree(tree_node" + S + "," + t + ");");
    return out;
}

std::string buildListScriptText(const MenuScheme& scheme) {
    const std::string& S = scheme.settings.menuSuffix;
    std::string text = buildScriptText(scheme);
    return "var tree_node" + S + "=Tree_readList(\"tree" + S + "\");" + text.substr(text.find("\r\n"));
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

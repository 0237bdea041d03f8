// SPDX-License-Identifier: MIT
#include <charconv>
#include <cstring>

#include "model/scheme_io.h"
#include "platform/safe_file.h"

namespace sylvanode {
namespace {

class LineWriter {
public:
    explicit LineWriter(std::string& out) : out_(out) {}

    void header(const char* name) {
        out_ += '[';
        out_ += name;
        out_ += "]\r\n";
    }
    void text(std::string_view key, std::string_view value) {
        out_ += key;
        out_ += '=';
        appendValue(value);
        out_ += "\r\n";
    }
    void number(std::string_view key, long long value) {
        out_ += key;
        out_ += '=';
        appendNumber(value);
        out_ += "\r\n";
    }
    void text(long long key, std::string_view value) {
        appendNumber(key);
        out_ += '=';
        appendValue(value);
        out_ += "\r\n";
    }
    void number(long long key, long long value) {
        appendNumber(key);
        out_ += '=';
        appendNumber(value);
        out_ += "\r\n";
    }

private:
    void appendNumber(long long v) {
        char buf[24];
        auto [end, ec] = std::to_chars(buf, buf + sizeof buf, v);
        out_.append(buf, end);
    }
    // Values are written as held, with two exceptions. A line break or NUL inside a
    // value would end the key line early and corrupt the file: those become blanks.
    // A value that reading would change (a blank or tab at either end, or one
    // matching pair of outer quotes) goes inside double quotes, which reading removes.
    void appendValue(std::string_view v) {
        if (v.find_first_of(std::string_view("\r\n\0", 3)) == std::string_view::npos) return appendLine(v);
        std::string flat(v);
        for (char& c : flat)
            if (c == '\r' || c == '\n' || c == '\0') c = ' ';
        appendLine(flat);
    }
    void appendLine(std::string_view v) {
        if (!needsQuotes(v)) {
            out_ += v;
            return;
        }
        out_ += '"';
        out_ += v;
        out_ += '"';
    }
    static bool isBlank(char c) { return c == ' ' || c == '\t'; }
    static bool needsQuotes(std::string_view v) {
        if (v.empty()) return false;
        if (isBlank(v.front()) || isBlank(v.back())) return true;
        return v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front();
    }
    std::string& out_;
};

}  // namespace

std::string writeSchemeText(const MenuScheme& scheme) {
    // One walk fills a buffer per item section: the nodes are visited once, and
    // each section is then copied in one piece (much kinder to the cache than
    // walking a large tree once per section).
    enum { Name, Level, Hint, Type, Link, Target, Script, Icon1, Icon2, Status, SectionCount };
    std::string parts[SectionCount];
    std::vector<LineWriter> writers;
    writers.reserve(SectionCount);
    for (std::string& p : parts) writers.emplace_back(p);
    long long count = 0;
    forEachPreOrder(scheme.roots(), [&](MenuNode* n, int level) {
        const long long i = count++;
        const MenuItemData& d = n->data;
        writers[Name].text(i, n->caption);
        writers[Level].number(i, level);
        writers[Hint].text(i, d.menuHint);
        writers[Type].number(i, d.contentType);
        if (d.contentType == 0) {
            writers[Link].text(i, d.menuLink);
            writers[Target].text(i, d.menuTarget);
        } else if (d.contentType == 1) {
            writers[Script].text(i, d.menuScript);
        }
        writers[Icon1].text(i, d.menuIcon1);
        if (!n->isFile()) writers[Icon2].text(i, d.menuIcon2);
        writers[Status].text(i, d.menuStatus);
    });

    size_t total = 4096;
    for (const std::string& p : parts) total += p.size();
    std::string out;
    out.reserve(total);
    LineWriter w(out);
    const SchemeSettings& s = scheme.settings;

    w.header("Config");
    w.number("count", count);
    w.text("workDir", s.workDir);
    w.text("fileIcon", s.fileIcon);
    w.text("folderIcon1", s.folderIcon1);
    w.text("folderIcon2", s.folderIcon2);
    w.number("indent", s.indent);
    w.text("target", s.target);
    w.text("lineFolder", s.lineFolder);
    w.number("use image", s.useImage);
    w.number("useTitleAsHint", s.useTitleAsHint);
    w.number("useTitleAsStatus", s.useTitleAsStatus);
    w.number("show hint", s.showHint);
    w.number("show status", s.showStatus);
    w.number("show select", s.showSelect);
    w.number("show line", s.showLine);
    // Only a non-default charset is written, so GBK schemes keep their exact bytes.
    if (s.scriptCharset == ScriptCharset::Utf8) w.text("charset", "UTF-8");
    if (!s.title.empty()) w.text("title", s.title);

    const std::pair<int, const char*> itemSections[] = {
        {Name, "MenuName"}, {Level, "MenuLevel"}, {Hint, "Hint"},   {Type, "Content Type"}, {Link, "Link"},
        {Target, "Target"}, {Script, "Script"},   {Icon1, "Icon1"}, {Icon2, "Icon2"}};
    for (auto [part, name] : itemSections) {
        w.header(name);
        out += parts[part];
    }

    w.header("padding");
    for (int k = 0; k < 2; ++k)
        for (int side = 0; side < 4; ++side) w.number(k * 4 + side, scheme.kinds[k].padding[side]);
    w.header("height");
    w.number(0, scheme.kinds[0].height);
    w.number(1, scheme.kinds[1].height);

    auto styleAt = [&](int slot) -> const CssStyle& { return scheme.kinds[slot / 3].styles[slot % 3]; };
    w.header("useborder");
    for (int i = 0; i < 6; ++i) w.number(i, styleAt(i).useBorder);
    w.header("border color");
    for (int i = 0; i < 6; ++i) w.text(i, styleAt(i).borderColor);
    w.header("border width");
    for (int i = 0; i < 6; ++i) w.number(i, styleAt(i).borderWidth);
    w.header("font name");
    for (int i = 0; i < 6; ++i) w.text(i, styleAt(i).fontName);
    w.header("font size");
    for (int i = 0; i < 6; ++i) w.number(i, styleAt(i).fontSize);
    w.header("font style");
    for (int i = 0; i < 6; ++i) w.number(i, styleAt(i).fontStyle);
    w.header("underline");
    for (int i = 0; i < 6; ++i) w.number(i, styleAt(i).underline);
    w.header("text color");
    for (int i = 0; i < 6; ++i) w.text(i, styleAt(i).textColor);
    w.header("background color");
    for (int i = 0; i < 6; ++i) w.text(i, styleAt(i).backgroundColor);

    // Status-bar texts: our own section, so that saving does not drop them.
    w.header("Status");
    out += parts[Status];
    return out;
}

SchemeResult writeSchemeFile(const MenuScheme& scheme, const std::string& path) {
    return SchemeResult::from(writeFileAtomically(path, writeSchemeText(scheme)));
}

}  // namespace sylvanode

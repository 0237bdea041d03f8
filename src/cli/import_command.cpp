// SPDX-License-Identifier: MIT
#include <filesystem>
#include <ostream>

#include "cli/exchange_commands.h"
#include "cli/failure_text.h"
#include "exchange/charset_detection.h"
#include "exchange/css_selector.h"
#include "exchange/importer.h"
#include "exchange/json_value.h"
#include "model/scheme_io.h"

namespace sylvanode::cli {
namespace {

const char* sourceName(MenuSource source) {
    switch (source) {
        case MenuSource::Whole:
            return "whole";
        case MenuSource::List:
            return "list";
        case MenuSource::LinkCluster:
            return "links";
        case MenuSource::Headings:
            return "headings";
    }
    return "";
}

// The one line that says what an import took from its source, or empty when there was no
// choice to tell about: "took <nav class="main"> (7 items); also found: <ul> in <footer> (10)".
// Element names and counts are data; the words around them are in the user's language.
std::string importNote(const ImportReport& report, Language language) {
    std::string note;
    auto add = [&note, language](const std::string& part) {
        if (!note.empty()) note += format("; ", language);
        note += part;
    };
    const std::string count = std::to_string(report.taken.items);
    switch (report.source) {
        case MenuSource::Whole:
            break;
        case MenuSource::List:
            add(format("took {1} ({2} items)", language, {report.taken.element, count}));
            break;
        case MenuSource::LinkCluster:
            add(format("took the links in {1} ({2} items), a menu without a list, nested by indent", language,
                       {report.taken.element, count}));
            break;
        case MenuSource::Headings:
            add(format("took the headings ({1} items)", language, {count}));
            break;
    }
    if (!report.frame.empty())
        note += note.empty() ? format("took the frame {1}", language, {report.frame})
                             : format(" from the frame {1}", language, {report.frame});
    if (!report.alsoFound.empty()) {
        std::string found;
        for (size_t i = 0; i < report.alsoFound.size(); ++i)
            found += (i ? ", " : "") + report.alsoFound[i].element + " (" + std::to_string(report.alsoFound[i].items) + ")";
        add(format("also found: {1} (--select takes another)", language, {found}));
    }
    if (report.charsetSource == charsetSourceName(CharsetSource::Detected))
        add(format("no character set declared, read as {1} (--charset to change)", language, {report.charset}));
    if (report.laterChildren)
        add(report.laterChildren == 1
                ? format("1 folder loads its children later and comes without them", language)
                : format("{1} folders load their children later and come without them", language,
                         {std::to_string(report.laterChildren)}));
    return note;
}

std::string importJson(const ImportReport& report, int items, const std::string& target) {
    std::string out = "{\"items\":" + std::to_string(items) + ",\"output\":";
    appendJsonString(out, target);
    out += ",\"kind\":";
    appendJsonString(out, report.kind);
    out += ",\"charset\":";
    appendJsonString(out, report.charset);
    out += ",\"charsetSource\":";
    appendJsonString(out, report.charsetSource);
    out += std::string(",\"source\":\"") + sourceName(report.source) + "\"";
    if (report.source != MenuSource::Whole) {
        out += ",\"taken\":{\"element\":";
        appendJsonString(out, report.taken.element);
        out += ",\"items\":" + std::to_string(report.taken.items) + "}";
    }
    out += ",\"alsoFound\":[";
    for (size_t i = 0; i < report.alsoFound.size(); ++i) {
        out += i ? ",{\"element\":" : "{\"element\":";
        appendJsonString(out, report.alsoFound[i].element);
        out += ",\"items\":" + std::to_string(report.alsoFound[i].items) + "}";
    }
    out += "]";
    if (!report.frame.empty()) {
        out += ",\"frame\":";
        appendJsonString(out, report.frame);
    }
    if (!report.title.empty()) {
        out += ",\"title\":";
        appendJsonString(out, report.title);
    }
    out += ",\"laterChildren\":" + std::to_string(report.laterChildren) + "}\n";
    return out;
}

int importCommand(Invocation& inv) {
    const std::string& source = inv.operands()[0];
    const std::string& target = *inv.option("-o");
    bool json = false;
    if (int rc = kOk; !inv.jsonFormat(json, rc)) return rc;
    if (json && target == "-")
        return inv.usageError(inv.text("--format json writes the report to standard output: -o needs a file"));
    ImportOptions options;
    if (const std::string* from = inv.option("--from")) {
        ImportKind kind;
        if (!parseImportKind(*from, kind))
            return inv.usageError(
                inv.text("unknown kind {1} (html, markdown, outline, sitemap, opml, json or folder)", {*from}));
        options.kind = kind;
    }
    if (const std::string* select = inv.option("--select")) {
        if (const Failure why = unreadableSelector(*select))
            return inv.usageError(failureText(why, inv.language()));
        options.select = *select;
    }
    if (const std::string* charset = inv.option("--charset")) {
        if (givenCharsetName(*charset).empty())
            return inv.usageError(inv.text("unknown character set {1} (e.g. utf-8, gbk, windows-1252)", {*charset}));
        options.charset = *charset;
    }

    ImportResult result;
    if (source == "-") {
        if (options.kind == ImportKind::Folder) return inv.usageError(inv.text("standard input is not a folder"));
        std::string bytes;
        if (int rc = inv.readInput(source, bytes)) return rc;
        result = importBytes(bytes, options);
        // Links read from a pipe are taken as relative to where the command runs.
        std::error_code ec;
        if (const auto here = std::filesystem::current_path(ec); result && !ec)
            result.workDir = toSchemeText((here / "").string());
    } else {
        result = importPath(source, options);
    }
    if (!result)
        return inv.fail(result.unreadable ? kIoError : kRejected,
                        importFailureText(inv.displayName(source), result.failure, inv.language()));
    const ImportReport report = result.report;
    MenuScheme scheme;
    adoptImport(scheme, result);
    if (int rc = inv.writeOutput(target, writeSchemeText(scheme))) return rc;
    if (json) {
        inv.out() << importJson(report, scheme.itemCount(), target);
    } else if (!inv.quiet()) {
        if (const std::string note = importNote(report, inv.language()); !note.empty())
            inv.note(inv.text("import: {1}", {note}));
        if (target != "-") inv.out() << scheme.itemCount() << " items imported\n";
    }
    return inv.checkOutput();
}

}  // namespace

CommandSyntax importCommandSyntax() {
    return {"import",
            "SOURCE",
            "a page, Markdown file, outline, sitemap, OPML, JSON tree or folder as a new scheme",
            "Without --from the kind is guessed from the content (a folder is a folder).\n"
            "From a page the menu is the best list: one in a <nav> before others, one outside the footer\n"
            "before one in it, a list of pages before a table of contents, then the one with more links.\n"
            "Links in table cells or <div> rows that far outnumber it win (nested by their indent); a\n"
            "frameset gives the frame with the largest menu; a Markdown file gives its table of contents,\n"
            "else its headings. One line on standard error says what was taken and what else was found.\n"
            "JSON: ours (export --to json), jsTree's, Fancytree's, or {title, children, url} alike.\n"
            "A page's character set is its byte-order mark, its <meta> declaration, UTF-8 when it is\n"
            "UTF-8, else detected; --charset overrides it.\n"
            "SOURCE may be \"-\" to read standard input. A source that cannot be imported exits with 1,\n"
            "one that cannot be read with 3, and OUT.menu is left untouched.",
            {outputOption("OUT.menu", "write the new scheme to OUT.menu (\"-\": standard output)", true),
             {"--from", "KIND", "html, markdown, outline, sitemap, opml, json or folder"},
             {"--select", "SELECTOR", "take the menu inside the element with this id or CSS selector"},
             {"--charset", "NAME", "read the source in this character set (utf-8, gbk, windows-1252, ...)"},
             formatOption("what was taken, on standard output: text (default) or json")},
            1,
            1,
            importCommand};
}

}  // namespace sylvanode::cli

// SPDX-License-Identifier: MIT
#include <optional>

#include "cli/exchange_commands.h"
#include "cli/failure_text.h"
#include "exchange/exporter.h"

namespace sylvanode::cli {
namespace {

int exportCommand(Invocation& inv) {
    ExportFormat format;
    const std::string& to = *inv.option("--to");
    if (!parseExportFormat(to, format))
        return inv.usageError(inv.text("unknown format {1} (html, outline, opml, json or jstree)", {to}));
    std::string suffix;
    std::optional<ScriptCharset> charset;
    if (!inv.suffix(suffix) || !inv.charset(charset)) return kUsage;
    if (charset == ScriptCharset::Gbk && format != ExportFormat::Html)
        return inv.usageError(inv.text("--charset gbk is for --to html; outline, OPML and JSON are UTF-8"));
    MenuScheme scheme;
    if (int rc = inv.loadScheme(inv.operands()[0], scheme)) return rc;
    scheme.settings.menuSuffix = suffix;
    if (charset) scheme.settings.scriptCharset = *charset;
    if (inv.operands()[0] != "-") scheme.fileName = inv.operands()[0];
    const ExportResult result = exportScheme(scheme, format);
    if (!result) return inv.fail(kRejected, exportFailureText(result.failure, inv.language()));
    const std::string* file = inv.option("-o");
    return inv.writeOutput(file ? *file : "-", result.bytes);
}

}  // namespace

CommandSyntax exportCommandSyntax() {
    return {"export",
            "FILE.menu",
            "the menu tree as a <nav> list, outline, OPML, JSON or jsTree JSON (to standard output without -o)",
            "html: a <nav data-sylvanode=\"tree\"> fragment in the scheme's character set\n"
            "(or --charset); outline, opml, json, jstree: UTF-8. jstree is the node data jsTree 3\n"
            "loads as it is. Importing an export gives the same tree back (an outline keeps no\n"
            "targets, status texts or icons).\n"
            "FILE.menu may be \"-\" to read the scheme from standard input.",
            {{"--to", "FORMAT", "html, outline, opml, json or jstree", true},
             outputOption("OUT", "write to OUT (\"-\": standard output)"),
             {"--suffix", "SUFFIX",
              "append SUFFIX (letters and digits) to the list's name, data-sylvanode=\"treeSUFFIX\""},
             {"--charset", "CHARSET",
              "character set of the html list: gbk or utf-8 (default: the scheme's own, else gbk)"}},
            1,
            1,
            exportCommand};
}

}  // namespace sylvanode::cli

#include "cli/exchange_commands.h"
#include "exchange/exporter.h"

namespace sylvanode::cli {
namespace {

int exportCommand(Invocation& inv) {
    ExportFormat format;
    const std::string& to = *inv.option("--to");
    if (!parseExportFormat(to, format)) return inv.usageError("unknown format " + to + " (html, outline, opml or json)");
    std::string suffix;
    if (!inv.suffix(suffix)) return kUsage;
    MenuScheme scheme;
    if (int rc = inv.loadScheme(inv.operands()[0], scheme)) return rc;
    scheme.settings.menuSuffix = suffix;
    if (inv.operands()[0] != "-") scheme.fileName = inv.operands()[0];
    const ExportResult result = exportScheme(scheme, format);
    if (!result) return inv.fail(kRejected, "export: " + result.error);
    const std::string* file = inv.option("-o");
    return inv.writeOutput(file ? *file : "-", result.bytes);
}

}  // namespace

CommandSpec exportCommandSpec() {
    return {"export",
            "FILE.menu",
            "the menu tree as a <nav> list, outline, OPML or JSON (to standard output without -o)",
            "html: a <nav data-sylvanode=\"tree\"> fragment in the scheme's character set;\n"
            "outline, opml, json: UTF-8. Importing an export gives the same tree back.\n"
            "FILE.menu may be \"-\" to read the scheme from standard input.",
            {{"--to", "FORMAT", "html, outline, opml or json", true},
             outputOption("OUT", "write to OUT (\"-\": standard output)"),
             suffixOption()},
            1,
            1,
            exportCommand};
}

}  // namespace sylvanode::cli

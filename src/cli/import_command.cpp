// SPDX-License-Identifier: MIT
#include <filesystem>
#include <ostream>

#include "cli/exchange_commands.h"
#include "cli/failure_text.h"
#include "exchange/importer.h"
#include "model/scheme_io.h"

namespace sylvanode::cli {
namespace {

int importCommand(Invocation& inv) {
    const std::string& source = inv.operands()[0];
    ImportOptions options;
    if (const std::string* from = inv.option("--from")) {
        ImportKind kind;
        if (!parseImportKind(*from, kind))
            return inv.usageError(inv.text("unknown kind {1} (html, outline, sitemap, opml, json or folder)", {*from}));
        options.kind = kind;
    }
    if (const std::string* select = inv.option("--select")) options.selectId = *select;

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
        return inv.fail(kRejected, importFailureText(inv.displayName(source), result.error, inv.language()));
    MenuScheme scheme;
    adoptImport(scheme, result);
    const std::string& target = *inv.option("-o");
    if (int rc = inv.writeOutput(target, writeSchemeText(scheme))) return rc;
    if (target != "-") inv.out() << scheme.itemCount() << " items imported\n";
    return inv.checkOutput();
}

}  // namespace

CommandSyntax importCommandSyntax() {
    return {"import",
            "SOURCE",
            "a page, outline, sitemap, OPML, JSON export or folder as a new scheme",
            "Without --from the kind is guessed from the content (a folder is a folder).\n"
            "From a page the menu is the list inside <nav>, else the largest list of the page.\n"
            "SOURCE may be \"-\" to read standard input. Input that cannot be imported exits with 1\n"
            "and leaves OUT.menu untouched.",
            {outputOption("OUT.menu", "write the new scheme to OUT.menu (\"-\": standard output)", true),
             {"--from", "KIND", "html, outline, sitemap, opml, json or folder"},
             {"--select", "ID", "a page: take the list inside the element with this id"}},
            1,
            1,
            importCommand};
}

}  // namespace sylvanode::cli

// SPDX-License-Identifier: MIT
#include <filesystem>
#include <ostream>

#include "cli/exchange_commands.h"
#include "cli/failure_text.h"
#include "cli/terminal_text.h"
#include "exchange/link_check.h"

namespace sylvanode::cli {
namespace {

int linksCommand(Invocation& inv) {
    const std::string* format = inv.option("--format");
    const bool json = format && *format == "json";
    if (format && !json && *format != "text")
        return inv.usageError(inv.text("unknown format {1} (text or json)", {*format}));
    const std::string& file = inv.operands()[0];
    MenuScheme scheme;
    if (int rc = inv.loadScheme(file, scheme)) return rc;
    if (file != "-") scheme.fileName = std::filesystem::absolute(file).string();
    const std::string* root = inv.option("--root");
    const LinkCheckResult result = checkLinks(scheme, root ? *root : linkRootOf(scheme));
    if (!result.error.empty())
        return inv.fail(kIoError, linkCheckFailureText(result.error, root != nullptr, inv.language()));
    if (json) {
        inv.out() << linkProblemsJson(result);
    } else {
        // Titles and links come from the scheme: control characters are shown, not sent.
        for (const auto& p : result.problems) inv.out() << terminalSafe(linkProblemLine(p)) << "\n";
    }
    if (int rc = inv.checkOutput()) return rc;
    return result.faults() ? kRejected : kOk;
}

}  // namespace

CommandSyntax linksCommandSyntax() {
    return {"links",
            "FILE.menu",
            "check every link and icon; one line per problem, exit 1 when there are problems",
            "Links and icons are looked up in the work directory (or --root DIR) without ?query and\n"
            "#fragment. Reported: missing files and folders (a folder needs index.html or index.htm),\n"
            "file:/// links, javascript: in a link field, empty links on items without children and\n"
            "duplicate links; absolute addresses are listed as not checked and do not count.",
            {{"--root", "DIR", "the folder the links are relative to (default: the work directory)"},
             {"--format", "FORMAT", "text (default) or json"}},
            1,
            1,
            linksCommand};
}

}  // namespace sylvanode::cli

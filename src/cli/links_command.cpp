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
    bool json = false;
    if (int rc = kOk; !inv.jsonFormat(json, rc)) return rc;
    const std::string& file = inv.operands()[0];
    MenuScheme scheme;
    if (int rc = inv.loadScheme(file, scheme)) return rc;
    if (file != "-") scheme.fileName = std::filesystem::absolute(file).string();
    const std::string* root = inv.option("--root");
    LinkCheckOptions options;
    options.ignore = inv.values("--ignore");
    options.strict = inv.flag("--strict");
    const LinkCheckResult result = checkLinks(scheme, root ? *root : linkRootOf(scheme), options);
    if (result.failure)
        return inv.fail(kIoError, linkCheckFailureText(result.failure, root != nullptr, inv.language()));
    if (json) {
        inv.out() << linkProblemsJson(result);
    } else {
        // Titles and links come from the scheme: control characters are shown, not sent.
        for (const auto& p : result.problems) {
            if (inv.quiet() && !p.isFault()) continue;  // notes and warnings are not data
            inv.out() << terminalSafe(linkProblemLine(p)) << (p.warning ? " (warning)" : "") << "\n";
        }
    }
    if (int rc = inv.checkOutput()) return rc;
    return result.faults() ? kRejected : kOk;
}

}  // namespace

CommandSyntax linksCommandSyntax() {
    return {"links",
            "FILE.menu",
            "check every link and icon; one line per problem, exit 1 when there are problems",
            "Links and icons are looked up in the work directory (or --root DIR) without ?query.\n"
            "Problems: missing files and folders (a folder needs index.html or index.htm), links that\n"
            "lead outside the folder (through .., %2e%2e or a symbolic link), page.html#id where the\n"
            "page has no such id or <a name>, file:/// links, javascript: in a link field and empty\n"
            "links on items without children. Duplicate links are warnings unless --strict; absolute\n"
            "addresses are listed as not checked. Neither counts as a problem.\n"
            "In a build pipeline:  sylvanode-cli links site.menu --root public --ignore '*.pdf' -q",
            {{"--root", "DIR", "the folder the links are relative to (default: the work directory)"},
             {"--ignore", "PATTERN", "leave links matching this glob unchecked (may be repeated)", false, true},
             {"--strict", "", "duplicate links are problems too"},
             formatOption()},
            1,
            1,
            linksCommand};
}

}  // namespace sylvanode::cli

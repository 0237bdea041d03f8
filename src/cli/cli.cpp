// SPDX-License-Identifier: MIT
#include "cli/cli.h"

#include <exception>
#include <new>
#include <ostream>

#include "cli/exchange_commands.h"
#include "cli/preview_command.h"
#include "cli/terminal_text.h"
#include "codegen/script_text.h"
#include "model/scheme_io.h"

namespace sylvanode::cli {
namespace {


int cmdCheck(Invocation& inv) {
    MenuScheme scheme;
    if (int rc = inv.loadScheme(inv.operands()[0], scheme)) return rc;
    inv.out() << scheme.itemCount() << " items\n";
    return inv.checkOutput();
}

int cmdRewrite(Invocation& inv) {
    MenuScheme scheme;
    if (int rc = inv.loadScheme(inv.operands()[0], scheme)) return rc;
    return inv.writeOutput(*inv.option("-o"), writeSchemeText(scheme));
}

// One line per item, written as it is made: a deep tree's outline can be far larger than
// the scheme (two spaces per level), so it is never held whole.
int cmdTree(Invocation& inv) {
    MenuScheme scheme;
    if (int rc = inv.loadScheme(inv.operands()[0], scheme)) return rc;
    std::ostream& out = inv.out();
    std::string line;
    forEachPreOrder(scheme.roots(), [&](MenuNode* n, int level) {
        if (!out.good()) return;  // standard output failed: nothing more is formatted
        line.assign(static_cast<size_t>(level) * 2, ' ');
        line += gbkForTerminal(n->caption);
        line += n->isFile() ? "  [file]" : "  [folder]";
        const MenuItemData& d = n->data;
        if (d.contentType == 0) {
            line += " link " + gbkForTerminal(d.menuLink);
            if (!d.menuTarget.empty()) line += " -> " + gbkForTerminal(d.menuTarget);
        } else {
            line += " script " + gbkForTerminal(d.menuScript);
        }
        line += '\n';
        out << line;
    });
    return inv.checkOutput();
}

int cmdGenerate(Invocation& inv) {
    std::string suffix;
    std::optional<ScriptCharset> charset;
    if (!inv.suffix(suffix) || !inv.charset(charset)) return kUsage;
    MenuScheme scheme;
    if (int rc = inv.loadScheme(inv.operands()[0], scheme)) return rc;
    if (scheme.empty()) return inv.fail(kRejected, inv.text("no menu items, no code generated"));
    scheme.settings.menuSuffix = suffix;
    if (charset) scheme.settings.scriptCharset = *charset;
    const std::string* file = inv.option("-o");
    const std::string script =
        inv.flag("--from-list") ? buildListScriptText(scheme) + "\r\n" : scriptFileBytes(scheme);
    return inv.writeOutput(file ? *file : "-", script);
}

std::string usageText(Language language) {
    std::string text(Text("Usage: sylvanode-cli COMMAND [ARGS]\n       sylvanode-cli COMMAND --help\n\nCommands:\n")
                         .in(language));
    for (const CommandSyntax& c : commands()) text += helpRow(c.name + " " + c.operands, c.summary.in(language));
    text += helpRow("--help", Text("show this help").in(language));
    text += helpRow("--version", Text("show the version").in(language));
    // Appended piece by piece: "\n" + a temporary string trips a false warning of GCC 12 at -O3.
    text += '\n';
    text += format("A file named \"-\" is standard input (or, after -o, standard output); \"--\" ends the options.",
                   language);
    text += '\n';
    text += format("Exit codes: 0 ok, 1 scheme rejected, 2 usage, 3 file could not be read or written.", language);
    text += '\n';
    return text;
}

}  // namespace

const std::vector<CommandSyntax>& commands() {
    static const std::vector<CommandSyntax> table = {
        {"check",
         "FILE.menu",
         "load a scheme and report its item count",
         "FILE.menu may be \"-\" to read the scheme from standard input.",
         {},
         1,
         1,
         cmdCheck},
        {"tree",
         "FILE.menu",
         "print the scheme's outline, one item per line",
         "FILE.menu may be \"-\" to read the scheme from standard input.\n"
         "Control characters in texts are shown as \\xNN.",
         {},
         1,
         1,
         cmdTree},
        {"rewrite",
         "FILE.menu",
         "load a scheme and write it again",
         "FILE.menu may be \"-\" to read the scheme from standard input.",
         {outputOption("OUT.menu", "write the scheme to OUT.menu (\"-\": standard output)", true)},
         1,
         1,
         cmdRewrite},
        {"generate",
         "FILE.menu",
         "write the menu script (to standard output without -o)",
         "FILE.menu may be \"-\" to read the scheme from standard input.",
         {outputOption("OUT.js", "write the script to OUT.js (\"-\": standard output)"), suffixOption(),
          charsetOption(),
          {"--from-list", "", "read the items from the page's exported <nav> list instead of carrying them"}},
         1,
         1,
         cmdGenerate},
        previewCommandSyntax(),
        libraryCommandSyntax(),
        importCommandSyntax(),
        exportCommandSyntax(),
        linksCommandSyntax(),
    };
    return table;
}

int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err, InputReader input,
        Language language) {
    static const CommandSyntax program{kProgram, "COMMAND", "", "", {}, 1, 1, {}};
    Invocation top(program, out, err, input, language);
    if (args.empty()) return top.fail(kUsage, top.text("no command given (see sylvanode-cli --help)"));
    const std::string& name = args[0];
    if (name == "--help" || name == "-h" || (name == "help" && args.size() == 1)) {
        out << usageText(language);
        return top.checkOutput();
    }
    if (name == "--version") {
        out << kProgram << " " << SYLVANODE_VERSION << "\n";
        return top.checkOutput();
    }
    // "help COMMAND" is "COMMAND --help".
    const std::string& wanted = name == "help" ? args[1] : name;
    for (const CommandSyntax& c : commands()) {
        if (c.name != wanted) continue;
        Invocation inv(c, out, err, input, language);
        if (name == "help") {
            out << commandHelp(c, language);
            return inv.checkOutput();
        }
        if (const int rc = inv.parse(std::vector<std::string>(args.begin() + 1, args.end())); rc >= 0)
            return rc;
        // Whatever escapes a command is still one line, not a crash report.
        try {
            return c.run(inv);
        } catch (const std::bad_alloc&) {
            return inv.fail(kIoError, inv.text("out of memory"));
        } catch (const std::exception& e) {
            return inv.fail(kIoError, e.what());
        }
    }
    return top.fail(kUsage, top.text("unknown command {1} (see sylvanode-cli --help)", {wanted}));
}

}  // namespace sylvanode::cli

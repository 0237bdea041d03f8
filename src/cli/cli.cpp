// SPDX-License-Identifier: MIT
#include "cli/cli.h"

#include <exception>
#include <new>
#include <ostream>

#include "cli/exchange_commands.h"
#include "cli/preview_command.h"
#include "cli/terminal_text.h"
#include "codegen/script_text.h"
#include "exchange/json_value.h"
#include "model/scheme_io.h"
#include "platform/text_encoding.h"

namespace sylvanode::cli {
namespace {

// Scheme bytes (or a file name's) as JSON text.
std::string jsonText(std::string_view bytes) {
    std::string out;
    appendJsonString(out, isValidUtf8(bytes) ? std::string(bytes) : schemeBytesToUtf8(bytes, "\xEF\xBF\xBD"));
    return out;
}

int cmdCheck(Invocation& inv) {
    bool json = false;
    if (int rc = kOk; !inv.jsonFormat(json, rc)) return rc;
    MenuScheme scheme;
    if (int rc = inv.loadScheme(inv.operands()[0], scheme)) return rc;
    if (json)
        inv.out() << "{\"file\":" << jsonText(inv.operands()[0] == "-" ? "standard input" : inv.operands()[0])
                  << ",\"items\":" << scheme.itemCount() << "}\n";
    else
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
    bool json = false;
    if (int rc = kOk; !inv.jsonFormat(json, rc)) return rc;
    MenuScheme scheme;
    if (int rc = inv.loadScheme(inv.operands()[0], scheme)) return rc;
    std::ostream& out = inv.out();
    std::string line;
    int index = 0;
    if (json) out << "[";
    forEachPreOrder(scheme.roots(), [&](MenuNode* n, int level) {
        if (!out.good()) return;  // standard output failed: nothing more is formatted
        const MenuItemData& d = n->data;
        if (json) {
            // One object a line, flat: the level says where it hangs.
            line = index ? ",\n{" : "\n{";
            line += "\"index\":" + std::to_string(index++) + ",\"level\":" + std::to_string(level) +
                    ",\"title\":" + jsonText(n->caption) + ",\"folder\":" + (n->isFile() ? "false" : "true");
            auto field = [&line](const char* key, const std::string& value, bool always = false) {
                if (!value.empty() || always) line += std::string(",\"") + key + "\":" + jsonText(value);
            };
            field("hint", d.menuHint);
            field("status", d.menuStatus);
            field("icon1", d.menuIcon1);
            field("icon2", d.menuIcon2);
            if (d.contentType == 0) {
                field("link", d.menuLink);
                field("target", d.menuTarget);
            } else {
                field("script", d.menuScript, true);
            }
            out << line << "}";
            return;
        }
        line.assign(static_cast<size_t>(level) * 2, ' ');
        line += gbkForTerminal(n->caption);
        line += n->isFile() ? "  [file]" : "  [folder]";
        if (d.contentType == 0) {
            line += " link " + gbkForTerminal(d.menuLink);
            if (!d.menuTarget.empty()) line += " -> " + gbkForTerminal(d.menuTarget);
        } else {
            line += " script " + gbkForTerminal(d.menuScript);
        }
        line += '\n';
        out << line;
    });
    if (json) out << (index ? "\n]\n" : "]\n");
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
    text += format("-q (--quiet) keeps standard output for data: no notes of what was done.", language);
    text += '\n';
    text += format("Exit codes, the same in every command: 0 ok; 1 scheme rejected, a source that cannot be\n"
                   "imported, or links with problems; 2 usage; 3 a file could not be read or written (a\n"
                   "missing input file included).",
                   language);
    text += '\n';
    return text;
}

}  // namespace

const std::vector<CommandSyntax>& commands() {
    static const std::vector<CommandSyntax> table = {
        {"check",
         "FILE.menu",
         "load a scheme and report its item count",
         "FILE.menu may be \"-\" to read the scheme from standard input.\n"
         "json: {\"file\":..., \"items\":N}.",
         {formatOption()},
         1,
         1,
         cmdCheck},
        {"tree",
         "FILE.menu",
         "print the scheme's outline, one item per line",
         "FILE.menu may be \"-\" to read the scheme from standard input.\n"
         "Control characters in texts are shown as \\xNN.\n"
         "json: an array of items in order, each with its index, level, title and folder flag and\n"
         "the texts it has (hint, status, icon1, icon2, link and target, or script).",
         {formatOption()},
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

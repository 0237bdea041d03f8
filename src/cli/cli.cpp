#include "cli/cli.h"

#include "cli/exchange_commands.h"
#include "cli/preview_command.h"
#include "cli/terminal_text.h"

#include <functional>
#include <map>
#include <ostream>

#include "codegen/script_text.h"
#include "model/scheme_io.h"
#include "platform/safe_file.h"

namespace sylvanode::cli {
namespace {

constexpr const char* kUsageText =
    "Usage: sylvanode-cli COMMAND [ARGS]\n"
    "\n"
    "Commands:\n"
    "  check FILE.menu                          load a scheme and report its item count\n"
    "  tree FILE.menu                           print the scheme's outline\n"
    "  rewrite FILE.menu -o OUT.menu            load a scheme and write it again\n"
    "  generate FILE.menu [-o OUT.js] [--suffix SUFFIX]\n"
    "                                           write the menu script (to stdout without -o)\n"
    "  preview FILE.menu -o DIR [--suffix SUFFIX]\n"
    "                                           write DIR/index.html showing the menu, with the library\n"
    "  library DIR                              copy the tree-menu library and its images into DIR\n"
    "  import SOURCE -o OUT.menu [--from KIND] [--select ID]\n"
    "                                           a page, outline, sitemap, OPML, JSON or folder as a scheme\n"
    "  export FILE.menu --to html|outline|opml|json [-o OUT] [--suffix SUFFIX]\n"
    "                                           the menu tree in another format (to stdout without -o)\n"
    "  links FILE.menu [--root DIR] [--format text|json]\n"
    "                                           check every link and icon; exit 1 on problems\n"
    "  --help                                   show this help\n"
    "  --version                                show the version\n"
    "\n"
    "Exit codes: 0 ok, 1 scheme rejected, 2 usage, 3 file could not be read or written.\n";

// The editor's fixed message texts, in UTF-8 for the terminal.
constexpr const char* kBadScheme = "菜单方案格式不正确";
constexpr const char* kNoItems = "没有菜单项，终止生成代码";
constexpr const char* kBadSuffix = "后缀名格式不正确";

struct Options {
    std::vector<std::string> positional;
    std::map<std::string, std::string> values;
};

// Splits arguments into positionals and the allowed "--name VALUE" options.
bool parseOptions(const std::vector<std::string>& args, size_t from, const std::vector<std::string>& allowed,
                  Options& opts, std::ostream& err) {
    for (size_t i = from; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a.size() > 1 && a[0] == '-') {
            bool known = false;
            for (const auto& name : allowed) known = known || name == a;
            if (!known) {
                err << "sylvanode-cli: unknown option " << a << " (see --help)\n";
                return false;
            }
            if (i + 1 >= args.size()) {
                err << "sylvanode-cli: option " << a << " needs a value\n";
                return false;
            }
            opts.values[a] = args[++i];
        } else {
            opts.positional.push_back(a);
        }
    }
    return true;
}

int loadScheme(const std::string& path, MenuScheme& scheme, std::ostream& err) {
    const SchemeResult r = readSchemeFile(scheme, path);
    if (r) return kOk;
    if (r.ioError) {
        err << "sylvanode-cli: " << r.reason << "\n";
        return kIoError;
    }
    err << kBadScheme << ": " << path << ": " << r.reason << "\n";
    return kRejected;
}


int cmdCheck(const Options& o, std::ostream& out, std::ostream& err) {
    if (o.positional.size() != 1) {
        err << "sylvanode-cli: usage: sylvanode-cli check FILE.menu\n";
        return kUsage;
    }
    MenuScheme scheme;
    if (int rc = loadScheme(o.positional[0], scheme, err)) return rc;
    out << scheme.itemCount() << " items\n";
    return kOk;
}

int cmdRewrite(const Options& o, std::ostream& out, std::ostream& err) {
    auto it = o.values.find("-o");
    if (o.positional.size() != 1 || it == o.values.end()) {
        err << "sylvanode-cli: usage: sylvanode-cli rewrite FILE.menu -o OUT.menu\n";
        return kUsage;
    }
    MenuScheme scheme;
    if (int rc = loadScheme(o.positional[0], scheme, err)) return rc;
    const SchemeResult w = writeSchemeFile(scheme, it->second);
    if (!w) {
        err << "sylvanode-cli: " << w.reason << "\n";
        return kIoError;
    }
    (void)out;
    return kOk;
}

int cmdTree(const Options& o, std::ostream& out, std::ostream& err) {
    if (o.positional.size() != 1) {
        err << "sylvanode-cli: usage: sylvanode-cli tree FILE.menu\n";
        return kUsage;
    }
    MenuScheme scheme;
    if (int rc = loadScheme(o.positional[0], scheme, err)) return rc;
    std::string text;
    forEachPreOrder(scheme.roots(), [&](MenuNode* n, int level) {
        text.append(static_cast<size_t>(level) * 2, ' ');
        text += gbkForTerminal(n->caption);
        text += n->isFile() ? "  [file]" : "  [folder]";
        const MenuItemData& d = n->data;
        if (d.contentType == 0) {
            text += " link " + gbkForTerminal(d.menuLink);
            if (!d.menuTarget.empty()) text += " -> " + gbkForTerminal(d.menuTarget);
        } else {
            text += " script " + gbkForTerminal(d.menuScript);
        }
        text += '\n';
    });
    out << text;
    return kOk;
}

int cmdGenerate(const Options& o, std::ostream& out, std::ostream& err) {
    if (o.positional.size() != 1) {
        err << "sylvanode-cli: usage: sylvanode-cli generate FILE.menu [-o OUT.js] [--suffix SUFFIX]\n";
        return kUsage;
    }
    std::string suffix;
    if (auto s = o.values.find("--suffix"); s != o.values.end() && !checkMenuSuffix(s->second, suffix)) {
        err << kBadSuffix << ": " << s->second << "\n";
        return kUsage;
    }
    MenuScheme scheme;
    if (int rc = loadScheme(o.positional[0], scheme, err)) return rc;
    if (scheme.empty()) {
        err << kNoItems << "\n";
        return kRejected;
    }
    scheme.settings.menuSuffix = suffix;
    auto it = o.values.find("-o");
    if (it == o.values.end()) {
        out << scriptFileBytes(scheme);
        return kOk;
    }
    const IoResult w = writeScriptFile(scheme, it->second);
    if (!w) {
        err << "sylvanode-cli: " << w.error << "\n";
        return kIoError;
    }
    return kOk;
}

}  // namespace

int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.empty()) {
        err << "sylvanode-cli: no command given (see --help)\n";
        return kUsage;
    }
    const std::string& cmd = args[0];
    if (cmd == "--help" || cmd == "-h" || cmd == "help") {
        out << kUsageText;
        return kOk;
    }
    if (cmd == "--version") {
        out << "sylvanode-cli " << SYLVANODE_VERSION << "\n";
        return kOk;
    }
    struct Command {
        std::vector<std::string> options;
        std::function<int(const Options&, std::ostream&, std::ostream&)> run;
    };
    const std::map<std::string, Command> commands = {
        {"check", {{}, cmdCheck}},
        {"tree", {{}, cmdTree}},
        {"rewrite", {{"-o"}, cmdRewrite}},
        {"generate", {{"-o", "--suffix"}, cmdGenerate}},
        {"preview", {{"-o", "--suffix"},
                     [](const Options& o, std::ostream& out, std::ostream& err) {
                         return previewCommand(o.positional, o.values, out, err);
                     }}},
        {"library", {{}, [](const Options& o, std::ostream& out, std::ostream& err) {
                         return libraryCommand(o.positional, out, err);
                     }}},
        {"import", {{"-o", "--from", "--select"},
                    [](const Options& o, std::ostream& out, std::ostream& err) {
                        return importCommand(o.positional, o.values, out, err);
                    }}},
        {"export", {{"-o", "--to", "--suffix"},
                    [](const Options& o, std::ostream& out, std::ostream& err) {
                        return exportCommand(o.positional, o.values, out, err);
                    }}},
        {"links", {{"--root", "--format"},
                   [](const Options& o, std::ostream& out, std::ostream& err) {
                       return linksCommand(o.positional, o.values, out, err);
                   }}},
    };
    auto c = commands.find(cmd);
    if (c == commands.end()) {
        err << "sylvanode-cli: unknown command " << cmd << " (see --help)\n";
        return kUsage;
    }
    Options opts;
    if (!parseOptions(args, 1, c->second.options, opts, err)) return kUsage;
    return c->second.run(opts, out, err);
}

}  // namespace sylvanode::cli

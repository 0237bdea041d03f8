#include <ostream>

#include "cli/cli.h"
#include "cli/exchange_commands.h"
#include "exchange/importer.h"
#include "model/scheme_io.h"

namespace sylvanode::cli {

int importCommand(const std::vector<std::string>& positional,
                  const std::map<std::string, std::string>& values, std::ostream& out, std::ostream& err) {
    const auto o = values.find("-o");
    if (positional.size() != 1 || o == values.end() || o->second.empty()) {
        err << "sylvanode-cli: usage: sylvanode-cli import SOURCE -o OUT.menu [--from "
               "html|outline|sitemap|opml|json|folder] [--select ID]\n";
        return kUsage;
    }
    ImportOptions options;
    if (auto from = values.find("--from"); from != values.end()) {
        ImportKind kind;
        if (!parseImportKind(from->second, kind)) {
            err << "sylvanode-cli: import: unknown kind " << from->second
                << " (html, outline, sitemap, opml, json or folder)\n";
            return kUsage;
        }
        options.kind = kind;
    }
    if (auto select = values.find("--select"); select != values.end()) options.selectId = select->second;

    ImportResult result = importPath(positional[0], options);
    if (!result) {
        err << "sylvanode-cli: import: " << positional[0] << ": " << result.error << "\n";
        return kRejected;
    }
    MenuScheme scheme;
    adoptImport(scheme, result);
    if (const SchemeResult w = writeSchemeFile(scheme, o->second); !w) {
        err << "sylvanode-cli: " << w.reason << "\n";
        return kIoError;
    }
    out << scheme.itemCount() << " items imported\n";
    return kOk;
}

}  // namespace sylvanode::cli

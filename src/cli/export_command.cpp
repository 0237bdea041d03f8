#include <ostream>

#include "cli/cli.h"
#include "cli/exchange_commands.h"
#include "codegen/script_text.h"
#include "exchange/exporter.h"
#include "model/scheme_io.h"
#include "platform/safe_file.h"

namespace sylvanode::cli {

int exportCommand(const std::vector<std::string>& positional,
                  const std::map<std::string, std::string>& values, std::ostream& out, std::ostream& err) {
    const auto to = values.find("--to");
    ExportFormat format;
    if (positional.size() != 1 || to == values.end()) {
        err << "sylvanode-cli: usage: sylvanode-cli export FILE.menu --to html|outline|opml|json [-o OUT] "
               "[--suffix SUFFIX]\n";
        return kUsage;
    }
    if (!parseExportFormat(to->second, format)) {
        err << "sylvanode-cli: export: unknown format " << to->second << " (html, outline, opml or json)\n";
        return kUsage;
    }
    std::string suffix;
    if (auto s = values.find("--suffix"); s != values.end() && !checkMenuSuffix(s->second, suffix)) {
        err << "后缀名格式不正确: " << s->second << "\n";
        return kUsage;
    }
    MenuScheme scheme;
    if (const SchemeResult r = readSchemeFile(scheme, positional[0]); !r) {
        err << (r.ioError ? "sylvanode-cli: " : "菜单方案格式不正确: " + positional[0] + ": ") << r.reason
            << "\n";
        return r.ioError ? kIoError : kRejected;
    }
    scheme.settings.menuSuffix = suffix;
    scheme.fileName = positional[0];
    const ExportResult result = exportScheme(scheme, format);
    if (!result) {
        err << "sylvanode-cli: export: " << result.error << "\n";
        return kRejected;
    }
    const auto o = values.find("-o");
    if (o == values.end() || o->second == "-") {
        out << result.bytes;
        return kOk;
    }
    if (const IoResult w = writeFileAtomically(o->second, result.bytes); !w) {
        err << "sylvanode-cli: " << w.error << "\n";
        return kIoError;
    }
    return kOk;
}

}  // namespace sylvanode::cli

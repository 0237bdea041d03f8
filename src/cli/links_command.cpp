#include <filesystem>
#include <ostream>

#include "cli/cli.h"
#include "cli/exchange_commands.h"
#include "exchange/link_check.h"
#include "model/scheme_io.h"

namespace sylvanode::cli {

int linksCommand(const std::vector<std::string>& positional, const std::map<std::string, std::string>& values,
                 std::ostream& out, std::ostream& err) {
    if (positional.size() != 1) {
        err << "sylvanode-cli: usage: sylvanode-cli links FILE.menu [--root DIR] [--format text|json]\n";
        return kUsage;
    }
    const auto format = values.find("--format");
    const bool json = format != values.end() && format->second == "json";
    if (format != values.end() && !json && format->second != "text") {
        err << "sylvanode-cli: links: unknown format " << format->second << " (text or json)\n";
        return kUsage;
    }
    MenuScheme scheme;
    if (const SchemeResult r = readSchemeFile(scheme, positional[0]); !r) {
        err << (r.ioError ? "sylvanode-cli: " : "菜单方案格式不正确: " + positional[0] + ": ") << r.reason
            << "\n";
        return r.ioError ? kIoError : kRejected;
    }
    scheme.fileName = std::filesystem::absolute(positional[0]).string();
    const auto root = values.find("--root");
    const LinkCheckResult result =
        checkLinks(scheme, root != values.end() ? root->second : linkRootOf(scheme));
    if (!result.error.empty()) {
        err << "sylvanode-cli: links: " << result.error << (root == values.end() ? " (give --root DIR)" : "")
            << "\n";
        return kIoError;
    }
    if (json) {
        out << linkProblemsJson(result);
    } else {
        for (const auto& p : result.problems) out << linkProblemLine(p) << "\n";
    }
    return result.faults() ? kRejected : kOk;
}

}  // namespace sylvanode::cli

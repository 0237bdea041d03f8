#include "cli/preview_command.h"

#include <filesystem>
#include <ostream>
#include <system_error>

#include "cli/cli.h"
#include "codegen/script_text.h"
#include "model/scheme_io.h"
#include "preview/preview_page.h"
#include "preview/web_library.h"

namespace sylvanode::cli {
namespace fs = std::filesystem;
namespace {

std::string withSlash(std::string dir) {
    if (dir.empty() || dir.back() != '/') dir += '/';
    return dir;
}

std::string locateLibrary(const std::string& given, std::ostream& err) {
    const std::string dir = given.empty() ? webLibraryDirectory() : withSlash(given);
    std::error_code ec;
    if (dir.empty() || !fs::is_regular_file(fs::path(dir) / kWebLibraryFile, ec)) {
        err << "sylvanode-cli: the tree-menu library (" << kWebLibraryFile
            << ") was not found; it belongs in share/sylvanode/web beside the program's directory\n";
        return {};
    }
    return dir;
}

bool makeDirectory(const std::string& dir, std::ostream& err) {
    std::error_code ec;
    fs::create_directories(dir, ec);
    if (ec || !fs::is_directory(dir, ec)) {
        err << "sylvanode-cli: cannot create the directory " << dir << "\n";
        return false;
    }
    return true;
}

int loadForPreview(const std::string& path, MenuScheme& scheme, std::ostream& err) {
    const SchemeResult r = readSchemeFile(scheme, path);
    if (r) return kOk;
    if (r.ioError) {
        err << "sylvanode-cli: " << r.reason << "\n";
        return kIoError;
    }
    err << "菜单方案格式不正确: " << path << ": " << r.reason << "\n";
    return kRejected;
}

}  // namespace

int previewCommand(const std::vector<std::string>& positional, const std::map<std::string, std::string>& values,
                   std::ostream& out, std::ostream& err, const std::string& libraryDir) {
    const auto o = values.find("-o");
    if (positional.size() != 1 || o == values.end() || o->second.empty()) {
        err << "sylvanode-cli: usage: sylvanode-cli preview FILE.menu -o DIR [--suffix SUFFIX]\n";
        return kUsage;
    }
    std::string suffix;
    if (auto s = values.find("--suffix"); s != values.end() && !checkMenuSuffix(s->second, suffix)) {
        err << "后缀名格式不正确: " << s->second << "\n";
        return kUsage;
    }
    MenuScheme scheme;
    if (int rc = loadForPreview(positional[0], scheme, err)) return rc;
    if (scheme.empty()) {
        err << "没有菜单项，终止生成代码\n";
        return kRejected;
    }
    const std::string library = locateLibrary(libraryDir, err);
    if (library.empty()) return kIoError;

    scheme.settings.menuSuffix = suffix;
    const std::string schemeDir = fs::path(positional[0]).parent_path().string();
    std::string page;
    const IoResult w = writePreview(scheme, previewBaseDirectory(scheme, schemeDir.empty() ? "." : schemeDir), o->second,
                                    library, fs::path(positional[0]).filename().string(), page);
    if (!w) {
        err << "sylvanode-cli: " << w.error << "\n";
        return kIoError;
    }
    out << page << "\n";
    return kOk;
}

int libraryCommand(const std::vector<std::string>& positional, std::ostream& out, std::ostream& err,
                   const std::string& libraryDir) {
    (void)out;
    if (positional.size() != 1 || positional[0].empty()) {
        err << "sylvanode-cli: usage: sylvanode-cli library DIR\n";
        return kUsage;
    }
    const std::string library = locateLibrary(libraryDir, err);
    if (library.empty()) return kIoError;
    if (!makeDirectory(positional[0], err)) return kIoError;
    if (IoResult r = copyWebLibrary(library, positional[0]); !r) {
        err << "sylvanode-cli: " << r.error << "\n";
        return kIoError;
    }
    return kOk;
}

}  // namespace sylvanode::cli

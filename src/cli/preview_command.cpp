#include "cli/preview_command.h"

#include <algorithm>
#include <filesystem>
#include <ostream>
#include <system_error>

#include "cli/cli.h"
#include "codegen/script_text.h"
#include "model/scheme_io.h"
#include "platform/safe_file.h"
#include "platform/web_library.h"

namespace sylvanode::cli {
namespace fs = std::filesystem;
namespace {

// Marks a page written by this command; any other index.html is never overwritten.
constexpr const char* kPreviewMark = "<!-- sylvanode preview -->";

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

// Copies every regular file of the library directory (the library and its images).
IoResult copyLibrary(const std::string& from, const std::string& to) {
    std::error_code ec;
    std::vector<std::string> names;
    for (fs::directory_iterator it(from, ec), end; !ec && it != end; it.increment(ec)) {
        if (it->is_regular_file(ec)) names.push_back(it->path().filename().string());
    }
    if (ec) return IoResult::failure("cannot read the directory " + from);
    std::sort(names.begin(), names.end());
    for (const std::string& name : names) {
        std::string bytes;
        IoResult r = readWholeFile(withSlash(from) + name, bytes);
        if (r) r = writeFileAtomically(withSlash(to) + name, bytes);
        if (!r) return r;
    }
    return {};
}

std::string htmlText(const std::string& s) {
    std::string out;
    for (char c : s) {
        switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            default: out += c;
        }
    }
    return out;
}

// Whether the node-line images can be found where the scheme's lineFolder points.
bool lineImagesPresent(const std::string& lineFolder, const std::string& base) {
    std::string dir;
    if (lineFolder.rfind("file:///", 0) == 0) {
        dir = lineFolder.substr(7);
    } else if (lineFolder.find("://") != std::string::npos) {
        return true;  // a web address: assume the site serves them
    } else {
        dir = lineFolder.empty() || lineFolder[0] != '/' ? base + lineFolder : lineFolder;
    }
    std::error_code ec;
    return fs::is_regular_file(fs::path(withSlash(dir)) / "sn-line-i.svg", ec);
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

std::string fileUrl(const std::string& absolutePath) {
    static const char* hex = "0123456789ABCDEF";
    std::string url = "file://";
    for (unsigned char c : absolutePath) {
        const bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
                           c == '.' || c == '_' || c == '~' || c == '/';
        if (plain) {
            url += static_cast<char>(c);
        } else {
            url += '%';
            url += hex[c >> 4];
            url += hex[c & 15];
        }
    }
    return url;
}

std::string previewBaseDirectory(const MenuScheme& scheme, const std::string& fallbackDir) {
    std::error_code ec;
    const std::string& work = scheme.settings.workDir;
    if (!work.empty() && work[0] == '/' && fs::is_directory(work, ec)) return withSlash(work);
    return withSlash(fs::absolute(fs::path(fallbackDir), ec).lexically_normal().string());
}

IoResult writePreview(MenuScheme& scheme, const std::string& baseDir, const std::string& outDir,
                      const std::string& libraryDir, const std::string& title, std::string& pagePath) {
    std::error_code ec;
    const std::string dir = withSlash(fs::absolute(fs::path(outDir), ec).lexically_normal().string());
    fs::create_directories(dir, ec);
    if (ec || !fs::is_directory(dir, ec)) return IoResult::failure("cannot create the directory " + dir);
    const std::string page = dir + kPreviewPage;
    if (fs::exists(page, ec)) {
        std::string old;
        if (!readWholeFile(page, old) || old.find(kPreviewMark) == std::string::npos) {
            return IoResult::failure(page + " exists and is not a preview page; choose another directory");
        }
    }
    if (IoResult r = copyLibrary(libraryDir, dir); !r) return r;

    // Relative icons and links resolve against the base directory through <base>; the library
    // and script are therefore named by absolute file URLs. When the site has no node-line
    // images yet, the copies beside the page are used (in the script only: the scheme's own
    // settings are put back).
    const std::string base = withSlash(baseDir);
    const std::string lineFolder = scheme.settings.lineFolder;
    if (scheme.settings.showLine && !lineImagesPresent(lineFolder, base)) scheme.settings.lineFolder = fileUrl(dir);
    const IoResult script = writeScriptFile(scheme, dir + kPreviewScript);
    scheme.settings.lineFolder = lineFolder;
    if (!script) return script;

    std::string html;
    html += "<!DOCTYPE html>\r\n";
    html += kPreviewMark;
    html += "\r\n<html lang=\"zh-CN\">\r\n<head>\r\n<meta charset=\"gbk\">\r\n";
    html += "<title>" + htmlText(title) + "</title>\r\n";
    html += "<base href=\"" + fileUrl(base) + "\">\r\n";
    html += "<script src=\"" + fileUrl(dir + kWebLibraryFile) + "\"></script>\r\n";
    html += "</head>\r\n<body>\r\n<main>\r\n";
    html += "<script src=\"" + fileUrl(dir + kPreviewScript) + "\"></script>\r\n";
    html += "</main>\r\n</body>\r\n</html>\r\n";
    if (IoResult w = writeFileAtomically(page, html); !w) return w;
    pagePath = page;
    return {};
}

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
    if (IoResult r = copyLibrary(library, positional[0]); !r) {
        err << "sylvanode-cli: " << r.error << "\n";
        return kIoError;
    }
    return kOk;
}

}  // namespace sylvanode::cli

// SPDX-License-Identifier: MIT
// The preview page: a scheme shown in the browser beside a copy of the tree-menu library.
#include "preview/preview_page.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "codegen/script_text.h"
#include "platform/safe_file.h"
#include "platform/text_encoding.h"
#include "preview/web_library.h"

namespace sylvanode {
namespace fs = std::filesystem;
namespace {

constexpr std::string_view kPreviewMark = "<!-- sylvanode preview -->";

std::string withSlash(std::string dir) {
    if (dir.empty() || dir.back() != '/') dir += '/';
    return dir;
}

// Marks a page written by this command; any other index.html is never overwritten. Pages
// of earlier versions carried it on their second line.
constexpr std::string_view kEarlierPreviewStart = "<!DOCTYPE html>\r\n<!-- sylvanode preview -->";

bool startsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

// The library directory's regular files (the library and its images), by name, with their bytes.
IoResult readLibraryFiles(const std::string& from, std::vector<std::pair<std::string, std::string>>& files) {
    std::error_code ec;
    std::vector<std::string> names;
    for (fs::directory_iterator it(from, ec), end; !ec && it != end; it.increment(ec)) {
        if (it->is_regular_file(ec)) names.push_back(it->path().filename().string());
    }
    if (ec) return IoResult::failed(Failure::of(FailureKind::CannotReadFolder, from, ec.value()));
    std::sort(names.begin(), names.end());
    for (const std::string& name : names) {
        files.emplace_back(name, std::string());
        if (IoResult r = readWholeFile(withSlash(from) + name, files.back().second); !r) return r;
    }
    return {};
}

enum class Existing { None, Same, Other };

// Whether `path` exists, and whether it holds exactly `bytes`.
Existing existingFile(const std::string& path, std::string_view bytes) {
    std::error_code ec;
    if (!fs::exists(fs::symlink_status(path, ec)) && !fs::exists(path, ec)) return Existing::None;
    std::string old;
    if (!fs::is_regular_file(path, ec) || !readWholeFile(path, old) || old != bytes) return Existing::Other;
    return Existing::Same;
}

// Writes each file into `dir`, skipping those that already hold the same bytes; `replaced`
// gets the names of files that held other bytes.
IoResult writeFiles(const std::string& dir, const std::vector<std::pair<std::string, std::string>>& files,
                    std::vector<std::string>* replaced) {
    for (const auto& [name, bytes] : files) {
        const Existing before = existingFile(dir + name, bytes);
        if (before == Existing::Same) continue;
        if (IoResult r = writeFileAtomically(dir + name, bytes); !r) return r;
        if (before == Existing::Other && replaced) replaced->push_back(name);
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

bool isHan(char32_t c) {
    return (c >= 0x3400 && c <= 0x4DBF) || (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0xF900 && c <= 0xFAFF) ||
           (c >= 0x20000 && c <= 0x3FFFF);
}

bool hasHan(std::string_view bytes) {
    for (size_t i = 0; i < bytes.size();) {
        if (static_cast<unsigned char>(bytes[i]) < 0x80) {
            ++i;
            continue;
        }
        const DecodedChar c = decodeSchemeChar(bytes, i);
        if (c.valid && isHan(c.codePoint)) return true;
        i += c.length;
    }
    return false;
}

}  // namespace

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

const char* pageLanguageOf(const MenuScheme& scheme) {
    bool chinese = false;
    forEachPreOrder(scheme.roots(), [&](MenuNode* n, int) {
        if (!chinese) {
            const MenuItemData& d = n->data;
            chinese = hasHan(d.menuName) || hasHan(d.menuHint) || hasHan(d.menuStatus);
        }
    });
    return chinese ? "zh-CN" : "en";
}

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
                      const std::string& libraryDir, const std::string& title, std::string& pagePath,
                      bool replaceForeign, std::vector<std::string>* foreign) {
    std::error_code ec;
    const std::string dir = withSlash(fs::absolute(fs::path(outDir), ec).lexically_normal().string());
    if (IoResult made = createFolders(dir); !made) return made;
    const std::string page = dir + kPreviewPage;
    bool ownDirectory = false;
    if (fs::exists(page, ec)) {
        std::string old;
        if (!readWholeFile(page, old) ||
            !(startsWith(old, kPreviewMark) || startsWith(old, kEarlierPreviewStart))) {
            return IoResult::failed(Failure::of(FailureKind::NotPreviewPage, page));
        }
        ownDirectory = true;
    }
    std::vector<std::pair<std::string, std::string>> files;
    if (IoResult r = readLibraryFiles(libraryDir, files); !r) return r;

    // Relative icons and links resolve against the base directory through <base>; the library
    // and script are therefore named by absolute file URLs. When the site has no node-line
    // images yet, the copies beside the page are used (in the script only: the scheme's own
    // settings are put back).
    const std::string base = withSlash(baseDir);
    const std::string lineFolder = scheme.settings.lineFolder;
    if (scheme.settings.showLine && !lineImagesPresent(lineFolder, base)) scheme.settings.lineFolder = fileUrl(dir);
    files.emplace_back(kPreviewScript, scriptFileBytes(scheme));
    scheme.settings.lineFolder = lineFolder;

    // Files of these names that an earlier preview did not write are left alone unless asked.
    if (!ownDirectory && !replaceForeign) {
        std::vector<std::string> others;
        for (const auto& [name, bytes] : files)
            if (existingFile(dir + name, bytes) == Existing::Other) others.push_back(name);
        if (!others.empty()) {
            std::string list;
            for (const std::string& name : others) list += (list.empty() ? "" : ", ") + name;
            if (foreign) *foreign = others;
            return IoResult::failed(Failure::of(FailureKind::ForeignFiles, dir).withValue(list));
        }
    }
    if (IoResult r = writeFiles(dir, files, nullptr); !r) return r;

    PreviewPageParts parts;
    parts.title = title;
    parts.language = pageLanguageOf(scheme);
    parts.baseUrl = fileUrl(base);
    parts.libraryUrl = fileUrl(dir + kWebLibraryFile);
    parts.scriptUrl = fileUrl(dir + kPreviewScript);
    parts.scriptCharset = scheme.settings.scriptCharset;
    std::string html = std::string(kPreviewMark) + "\r\n" + previewPageHtml(parts);
    if (IoResult w = writeFileAtomically(page, html); !w) return w;
    pagePath = page;
    return {};
}

std::string previewPageHtml(const PreviewPageParts& parts) {
    const char* scriptCharset = parts.scriptCharset == ScriptCharset::Utf8 ? "utf-8" : "gbk";
    std::string html = "<!DOCTYPE html>\r\n<html lang=\"" + htmlText(parts.language) + "\">\r\n<head>\r\n<meta charset=\"gbk\">\r\n";
    // The page is GBK: a UTF-8 title (a file name, or text from the editor) takes GBK bytes;
    // bytes that are not UTF-8 are kept as they are.
    std::string heading;
    if (!utf8ToSchemeBytes(parts.title, heading)) heading = parts.title;
    heading = htmlText(heading);
    if (!parts.contentSecurityPolicy.empty())
        html += "<meta http-equiv=\"Content-Security-Policy\" content=\"" + htmlText(parts.contentSecurityPolicy) + "\">\r\n";
    html += "<title>" + heading + "</title>\r\n";
    html += "<base href=\"" + htmlText(parts.baseUrl) + "\">\r\n";
    html += "<script src=\"" + htmlText(parts.libraryUrl) + "\"></script>\r\n";
    for (const std::string& script : parts.headScripts) html += "<script src=\"" + htmlText(script) + "\"></script>\r\n";
    html += "</head>\r\n<body>\r\n<main>\r\n<h1>" + heading + "</h1>\r\n";
    html += "<script src=\"" + htmlText(parts.scriptUrl) + "\" charset=\"" + scriptCharset + "\"></script>\r\n";
    html += "</main>\r\n</body>\r\n</html>\r\n";
    return html;
}

IoResult copyWebLibrary(const std::string& libraryDir, const std::string& outDir,
                        std::vector<std::string>* replaced) {
    std::vector<std::pair<std::string, std::string>> files;
    if (IoResult r = readLibraryFiles(libraryDir, files); !r) return r;
    return writeFiles(withSlash(outDir), files, replaced);
}

}  // namespace sylvanode

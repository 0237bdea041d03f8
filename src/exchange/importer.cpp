// SPDX-License-Identifier: MIT
#include "exchange/importer.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <vector>

#include "exchange/html_list_reader.h"
#include "exchange/json_format.h"
#include "exchange/outline_reader.h"
#include "exchange/xml_formats.h"
#include "platform/safe_file.h"
#include "platform/text_encoding.h"

namespace sylvanode {
namespace fs = std::filesystem;
namespace {

std::string lowerPrefix(std::string_view s, size_t n) {
    std::string out(s.substr(0, n));
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

// The character set named by a UTF-16 byte-order mark, or nullptr.
const char* utf16Charset(std::string_view bytes) {
    if (bytes.substr(0, 2) == "\xFF\xFE") return "UTF-16LE";
    if (bytes.substr(0, 2) == "\xFE\xFF") return "UTF-16BE";
    return nullptr;
}

bool isBinary(std::string_view bytes) {
    return !utf16Charset(bytes) && bytes.find('\0') != std::string_view::npos;
}

// A folder with a trailing "/", as scheme bytes, for the work directory.
std::string workDirText(const fs::path& folder);

// Reads at most `limit` bytes; false when the file cannot be read. `whole` false when cut.
bool readPrefix(const fs::path& path, size_t limit, std::string& out, bool& whole) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    out.clear();
    char buf[65536];
    while (out.size() <= limit && in) {
        in.read(buf, sizeof buf);
        out.append(buf, static_cast<size_t>(in.gcount()));
    }
    if (in.bad()) return false;
    whole = out.size() <= limit;
    if (!whole) out.resize(limit);
    return true;
}

std::string nameAsUtf8(const std::string& native) {
    if (isValidUtf8(native)) return native;
    std::string utf8;
    charsetToUtf8(native, "GB18030", utf8);
    return utf8;
}

bool isPage(const std::string& name) {
    const std::string l = lowerPrefix(name, name.size());
    return (l.size() > 5 && l.compare(l.size() - 5, 5, ".html") == 0) ||
           (l.size() > 4 && l.compare(l.size() - 4, 4, ".htm") == 0);
}

bool isIndexPage(const std::string& name) {
    const std::string l = lowerPrefix(name, name.size());
    return l == "index.html" || l == "index.htm";
}

struct Entry {
    std::string name;  // native
    std::string rel;   // path relative to the top folder, "/" separated, native bytes
    bool folder = false;
    std::string indexRel;          // folder: its index page, when it has one
    std::vector<size_t> children;  // folder: pages first, then sub-folders, each by name
    bool keep = false;             // folder: holds a page somewhere below
};

std::string pageTitle(const fs::path& file, const std::string& name) {
    std::string head;
    bool whole = false;
    if (readPrefix(file, 64 * 1024, head, whole)) {
        std::string title = readHtmlTitle(head);
        if (!title.empty()) return title;
    }
    return nameAsUtf8(name);
}

std::string workDirText(const fs::path& folder) {
    std::string dir = folder.lexically_normal().string();
    if (dir.empty() || dir.back() != '/') dir += '/';
    return toSchemeText(nameAsUtf8(dir));
}

}  // namespace

bool parseImportKind(std::string_view name, ImportKind& kind) {
    for (ImportKind k : {ImportKind::Html, ImportKind::Outline, ImportKind::Sitemap, ImportKind::Opml,
                         ImportKind::Json, ImportKind::Folder})
        if (name == importKindName(k)) {
            kind = k;
            return true;
        }
    return false;
}

const char* importKindName(ImportKind kind) {
    switch (kind) {
        case ImportKind::Html:
            return "html";
        case ImportKind::Outline:
            return "outline";
        case ImportKind::Sitemap:
            return "sitemap";
        case ImportKind::Opml:
            return "opml";
        case ImportKind::Json:
            return "json";
        case ImportKind::Folder:
            return "folder";
    }
    return "";
}

ImportKind guessImportKind(std::string_view bytes) {
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
    const size_t start = bytes.find_first_not_of(" \t\r\n");
    if (start == std::string_view::npos) return ImportKind::Outline;
    bytes.remove_prefix(start);
    if (bytes[0] == '{') return ImportKind::Json;
    const std::string head = lowerPrefix(bytes, 64 * 1024);
    if (bytes[0] == '<') {
        if (head.find("<urlset") != std::string::npos || head.find("<sitemapindex") != std::string::npos)
            return ImportKind::Sitemap;
        if (head.find("<opml") != std::string::npos) return ImportKind::Opml;
        return ImportKind::Html;
    }
    for (const char* tag : {"<ul", "<ol", "<li", "<nav", "<html", "<body", "<a href", "<!doctype"})
        if (head.find(tag) != std::string::npos) return ImportKind::Html;
    return ImportKind::Outline;
}

ImportResult importBytes(std::string_view bytes, const ImportOptions& options) {
    if (bytes.size() > kMaxImportBytes) return ImportResult::failure("the file is too large to import");
    if (isBinary(bytes)) return ImportResult::failure("not a page, outline or menu file (binary data)");
    // Text saved as UTF-16 ("Unicode" in Windows editors) is read as UTF-8 by the readers of
    // plain text and by the guess; the HTML and XML readers follow the byte-order mark themselves.
    std::string utf8;
    std::string_view text = bytes;
    if (const char* charset = utf16Charset(bytes)) {
        charsetToUtf8(bytes.substr(2), charset, utf8);
        text = utf8;
    }
    const ImportKind kind = options.kind.value_or(guessImportKind(text));
    switch (kind) {
        case ImportKind::Html:
            return readHtmlList(bytes, {options.selectId});
        case ImportKind::Outline:
            return readOutline(text);
        case ImportKind::Sitemap:
            return readSitemap(bytes);
        case ImportKind::Opml:
            return readOpml(bytes);
        case ImportKind::Json:
            return readMenuJson(text);
        case ImportKind::Folder:
            break;
    }
    return ImportResult::failure("a folder is read with importFolder");
}

ImportResult importFolder(const std::string& folder, size_t maxPages) {
    std::error_code ec;
    const fs::path top = fs::absolute(fs::path(folder), ec);
    if (ec || !fs::is_directory(top, ec)) return ImportResult::failure("not a folder");

    std::vector<Entry> entries(1);
    entries[0].folder = true;
    size_t pages = 0;
    // Reads each folder once; the list of entries grows as folders are found.
    for (size_t at = 0; at < entries.size(); ++at) {
        if (!entries[at].folder) continue;
        const fs::path dir = entries[at].rel.empty() ? top : top / entries[at].rel;
        std::vector<std::pair<std::string, bool>> found;
        for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
            const std::string name = it->path().filename().string();
            if (name.empty() || name[0] == '.') continue;
            std::error_code e2;
            if (it->is_symlink(e2) && it->is_directory(e2)) continue;
            if (it->is_directory(e2))
                found.emplace_back(name, true);
            else if (isPage(name) && it->is_regular_file(e2))
                found.emplace_back(name, false);
        }
        if (ec)
            return ImportResult::failure("cannot read the folder " + dir.string() + ": " +
                                         plainErrorText(ec.value()));
        std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) {
            if (a.second != b.second) return !a.second;  // pages before folders
            return a.first < b.first;
        });
        for (const auto& [name, isFolder] : found) {
            Entry e;
            e.name = name;
            e.rel = entries[at].rel.empty() ? name : entries[at].rel + "/" + name;
            e.folder = isFolder;
            if (!isFolder) {
                if (++pages > maxPages)
                    return ImportResult::failure("the folder holds more than " + std::to_string(maxPages) +
                                                 " pages");
                if (isIndexPage(name) && entries[at].indexRel.empty()) {
                    entries[at].indexRel = e.rel;
                    continue;
                }
            }
            entries[at].children.push_back(entries.size());
            entries.push_back(std::move(e));
        }
    }
    // A folder is kept when it has a page of its own or a kept folder below; children come
    // after their parents in the list, so one backward pass settles it.
    for (size_t i = entries.size(); i-- > 0;) {
        Entry& e = entries[i];
        if (!e.folder) continue;
        e.keep = !e.indexRel.empty();
        for (size_t c : e.children) e.keep = e.keep || !entries[c].folder || entries[c].keep;
    }
    if (!entries[0].keep) return ImportResult::failure("no .html or .htm pages in the folder");

    ForestBuilder builder;
    if (!entries[0].indexRel.empty()) {
        const std::string title = pageTitle(top / entries[0].indexRel, top.filename().string());
        builder.leaf(title).menuLink = toSchemeText(nameAsUtf8(entries[0].indexRel));
    }
    struct Frame {
        size_t entry;
        size_t next;
    };
    std::vector<Frame> stack{{0, 0}};
    while (!stack.empty()) {
        Frame& f = stack.back();
        if (f.next == entries[f.entry].children.size()) {
            stack.pop_back();
            if (!stack.empty()) builder.close();
            continue;
        }
        const Entry& e = entries[entries[f.entry].children[f.next++]];
        if (e.folder && !e.keep) continue;
        if (!e.folder) {
            builder.leaf(pageTitle(top / e.rel, e.name)).menuLink = toSchemeText(nameAsUtf8(e.rel));
            continue;
        }
        MenuItemData& d = builder.open(nameAsUtf8(e.name));
        if (!e.indexRel.empty()) d.menuLink = toSchemeText(nameAsUtf8(e.indexRel));
        stack.push_back({static_cast<size_t>(&e - entries.data()), 0});
    }
    ImportResult r;
    r.roots = builder.finish();
    r.workDir = workDirText(top);
    return r;
}

ImportResult importPath(const std::string& path, const ImportOptions& options) {
    std::error_code ec;
    if (fs::is_directory(path, ec)) {
        if (options.kind && *options.kind != ImportKind::Folder)
            return ImportResult::failure(std::string("it is a folder; --from ") +
                                         importKindName(*options.kind) + " reads a file");
        return importFolder(path, options.maxFolderPages);
    }
    if (options.kind && *options.kind == ImportKind::Folder) return ImportResult::failure("not a folder");
    // Only a regular file is read, and only when it is not too large: a pipe or a device
    // neither blocks the import nor fills the memory.
    std::string bytes;
    if (const IoResult in = readWholeFile(path, bytes, kMaxImportBytes); !in) {
        // The caller names the file; the reason is what follows the name.
        const size_t named = in.error.find(path + ": ");
        return ImportResult::failure(named == std::string::npos ? in.error
                                                                : in.error.substr(named + path.size() + 2));
    }
    ImportResult r = importBytes(bytes, options);
    // Relative links of a page or an outline point beside the file: its folder is the work directory.
    if (r) r.workDir = workDirText(fs::absolute(fs::path(path), ec).parent_path());
    return r;
}

void adoptImport(MenuScheme& scheme, ImportResult& result) {
    scheme.clearTree();
    scheme.reset();
    scheme.fileName.clear();
    for (auto& root : result.roots) scheme.appendRoot(std::move(root));
    result.roots.clear();
    if (!result.workDir.empty()) scheme.settings.workDir = result.workDir;
}

}  // namespace sylvanode

// SPDX-License-Identifier: MIT
#include "exchange/importer.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <vector>

#include "exchange/charset_detection.h"
#include "exchange/html_list_reader.h"
#include "exchange/json_format.h"
#include "exchange/markdown_reader.h"
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

// A folder with a trailing "/", as scheme bytes, for the work directory.
std::string workDirText(const fs::path& folder);

// Thrown out of a file read that was cancelled half way.
struct ImportCancelledSignal {};

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

// A "/"-separated relative path as a link: each name encoded as a path segment.
std::string linkOf(const std::string& rel) {
    std::string link;
    for (size_t pos = 0; pos <= rel.size();) {
        size_t end = rel.find('/', pos);
        if (end == std::string::npos) end = rel.size();
        if (pos) link += '/';
        link += encodePathSegment(std::string_view(rel).substr(pos, end - pos));
        pos = end + 1;
    }
    return link;
}

}  // namespace

bool parseImportKind(std::string_view name, ImportKind& kind) {
    for (ImportKind k : {ImportKind::Html, ImportKind::Markdown, ImportKind::Outline, ImportKind::Sitemap,
                         ImportKind::Opml, ImportKind::Json, ImportKind::Folder})
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
        case ImportKind::Markdown:
            return "markdown";
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
    if (bytes[0] == '[') {
        // A JSON array of items or texts; "[Title](link)" is an outline line.
        const size_t next = bytes.find_first_not_of(" \t\r\n", 1);
        if (next != std::string_view::npos && (bytes[next] == '{' || bytes[next] == '"' || bytes[next] == ']'))
            return ImportKind::Json;
    }
    const std::string head = lowerPrefix(bytes, 64 * 1024);
    if (bytes[0] == '<') {
        if (head.find("<urlset") != std::string::npos || head.find("<sitemapindex") != std::string::npos)
            return ImportKind::Sitemap;
        if (head.find("<opml") != std::string::npos) return ImportKind::Opml;
    }
    for (const char* tag : {"<!doctype", "<html", "<body", "<frameset"})
        if (head.find(tag) != std::string::npos) return ImportKind::Html;
    // Markdown: an ATX heading, a code fence, a badge, or a setext heading's underline.
    for (size_t pos = 0; pos < head.size();) {
        size_t end = head.find('\n', pos);
        if (end == std::string::npos) end = head.size();
        std::string_view line = std::string_view(head).substr(pos, end - pos);
        pos = end + 1;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        const size_t hashes = line.find_first_not_of('#');
        if (hashes >= 1 && hashes <= 6 && hashes != std::string_view::npos && line[hashes] == ' ')
            return ImportKind::Markdown;
        if (line.rfind("```", 0) == 0 || line.rfind("~~~", 0) == 0 || line.find("[![") != std::string_view::npos)
            return ImportKind::Markdown;
        if (line.size() >= 3 && line.find_first_not_of('=') == std::string_view::npos) return ImportKind::Markdown;
    }
    if (bytes[0] == '<') return ImportKind::Html;
    for (const char* tag : {"<ul", "<ol", "<li", "<nav", "<a href"})
        if (head.find(tag) != std::string::npos) return ImportKind::Html;
    return ImportKind::Outline;
}

ImportResult importBytes(std::string_view bytes, const ImportOptions& options) {
    if (bytes.size() > kMaxImportBytes)
        return ImportResult::failed(Failure::of(FailureKind::ImportTooLarge).withNumber(kMaxImportBytes));
    std::string charset;
    if (!options.charset.empty()) {
        charset = givenCharsetName(options.charset);
        if (charset.empty())
            return ImportResult::failed(Failure::of(FailureKind::UnknownCharset).withValue(options.charset));
    }
    const bool wide = utf16Charset(bytes) || charset.rfind("UTF-16", 0) == 0;
    if (!wide && bytes.find('\0') != std::string_view::npos)
        return ImportResult::failed(FailureKind::BinaryData);
    // The guess reads the text as UTF-8; UTF-16 ("Unicode" in Windows editors) is converted first.
    std::string utf8;
    std::string_view guessText = bytes;
    if (wide) {
        utf8 = decodeText(bytes, charset, false).utf8;
        guessText = utf8;
    }
    const ImportKind kind = options.kind.value_or(guessImportKind(guessText));
    ImportResult r;
    switch (kind) {
        case ImportKind::Html:
            return readHtmlList(bytes, {options.select, charset, false});
        case ImportKind::Sitemap:
            r = readSitemap(bytes, charset);
            break;
        case ImportKind::Opml:
            r = readOpml(bytes, charset);
            break;
        case ImportKind::Markdown:
        case ImportKind::Outline:
        case ImportKind::Json: {
            const DecodedText text = decodeText(bytes, charset, false);
            r = kind == ImportKind::Markdown ? readMarkdown(text.utf8, {options.select, {}, true})
                : kind == ImportKind::Json   ? readMenuJson(text.utf8)
                                             : readOutline(text.utf8);
            r.report.charset = text.charset;
            r.report.charsetSource = charsetSourceName(text.source);
            break;
        }
        case ImportKind::Folder:
            return ImportResult::failed(FailureKind::IsAFolder);
    }
    if (r.report.kind.empty()) r.report.kind = importKindName(kind);
    return r;
}

ImportResult importFolder(const std::string& folder, size_t maxPages) {
    std::error_code ec;
    const fs::path top = fs::absolute(fs::path(folder), ec);
    if (ec || !fs::is_directory(top, ec)) return ImportResult::failed(FailureKind::NotAFolder);

    std::vector<Entry> entries(1);
    entries[0].folder = true;
    size_t pages = 0;
    // Reads each folder once; the list of entries grows as folders are found.
    for (size_t at = 0; at < entries.size(); ++at) {
        if (importCancelled()) return ImportResult::cancellation();
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
            return ImportResult::failed(Failure::of(FailureKind::CannotReadFolder, dir.string(), ec.value()));
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
                    return ImportResult::failed(Failure::of(FailureKind::TooManyPages)
                                                    .withNumber(static_cast<std::int64_t>(maxPages)));
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
    if (!entries[0].keep) return ImportResult::failed(FailureKind::NoPages);

    // Reading the pages' titles is the long part: it is what the progress counts.
    ImportControl* control = currentImportControl();
    uint64_t read = 0;
    auto nextPage = [&] {
        if (control) control->report(read++, pages);
        return !importCancelled();
    };
    ForestBuilder builder;
    if (!entries[0].indexRel.empty()) {
        if (!nextPage()) return ImportResult::cancellation();
        const std::string title = pageTitle(top / entries[0].indexRel, top.filename().string());
        builder.leaf(title).menuLink = toSchemeText(linkOf(entries[0].indexRel));
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
            if (!nextPage()) return ImportResult::cancellation();
            builder.leaf(pageTitle(top / e.rel, e.name)).menuLink = toSchemeText(linkOf(e.rel));
            continue;
        }
        MenuItemData& d = builder.open(nameAsUtf8(e.name));
        if (!e.indexRel.empty()) d.menuLink = toSchemeText(linkOf(e.indexRel));
        stack.push_back({static_cast<size_t>(&e - entries.data()), 0});
    }
    if (control) control->report(pages, pages);
    ImportResult r;
    r.roots = builder.finish();
    r.workDir = workDirText(top);
    return r;
}

namespace {

// The part of a read error that follows the file's name (the caller names the file).
int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// A frame's source as a path below `folder`, or empty: only local files inside the page's
// folder are read (no addresses, no absolute paths, no way out through ".." or a link).
fs::path localFrame(const fs::path& folder, const fs::path& base, const std::string& src) {
    std::string path = src.substr(0, src.find_first_of("?#"));
    const size_t colon = path.find(':');
    if (path.empty() || path[0] == '/' || path[0] == '\\' ||
        (colon != std::string::npos && colon < path.find('/')))
        return {};
    std::string decoded;
    for (size_t i = 0; i < path.size(); ++i) {
        if (path[i] == '%' && i + 2 < path.size() && hexDigit(path[i + 1]) >= 0 && hexDigit(path[i + 2]) >= 0) {
            decoded.push_back(static_cast<char>(hexDigit(path[i + 1]) * 16 + hexDigit(path[i + 2])));
            i += 2;
        } else {
            decoded.push_back(path[i] == '\\' ? '/' : path[i]);
        }
    }
    const fs::path file = (folder / base / decoded).lexically_normal();
    const fs::path inside = file.lexically_relative(folder);
    if (inside.empty() || *inside.begin() == "..") return {};
    std::error_code ec;
    const fs::path real = fs::canonical(file, ec);
    const fs::path realFolder = fs::canonical(folder, ec);
    if (ec) return {};
    const fs::path realInside = real.lexically_relative(realFolder);
    if (realInside.empty() || *realInside.begin() == "..") return {};
    return file;
}

// A relative link of a page in `folder` as seen from the folder above it: "../a.html" from
// "menu/" is "a.html", "b.html" is "menu/b.html". Addresses, absolute paths and places on the
// page stay as they are.
std::string rebasedLink(const fs::path& folder, const std::string& link) {
    const size_t end = link.find_first_of("?#");
    const std::string path = link.substr(0, end);
    const size_t colon = path.find(':');
    if (path.empty() || path[0] == '/' || path[0] == '\\' || (colon != std::string::npos && colon < path.find('/')))
        return link;
    std::string joined = (folder / path).lexically_normal().generic_string();
    if (joined.empty() || joined == ".") joined = "./";
    return joined + (end == std::string::npos ? std::string() : link.substr(end));
}

// The menu of a frameset page: each frame (and the frames of a nested frameset, three levels
// deep) read as a page; the frame with the most items wins and names itself in the report.
ImportResult importFrames(const fs::path& page, const std::vector<std::string>& frames, const ImportOptions& options) {
    const fs::path folder = page.parent_path();
    struct Pending {
        fs::path base;  // the folder the source is relative to, below `folder`
        std::string src;
        int depth;
    };
    std::vector<Pending> pending;
    for (const std::string& src : frames) pending.push_back({{}, src, 1});
    ImportResult best;
    std::string bestFrame;
    std::vector<fs::path> seen;
    for (size_t at = 0; at < pending.size() && at < 64; ++at) {
        if (importCancelled()) return ImportResult::cancellation();
        const Pending p = pending[at];
        const fs::path file = localFrame(folder, p.base, p.src);
        if (file.empty() || std::find(seen.begin(), seen.end(), file) != seen.end()) continue;
        seen.push_back(file);
        std::string bytes;
        if (!readWholeFile(file.string(), bytes, kMaxImportBytes)) continue;
        ImportOptions asPage = options;
        asPage.kind = ImportKind::Html;
        ImportResult r = importBytes(bytes, asPage);
        const fs::path rel = file.lexically_relative(folder);
        if (!r && p.depth < 3)
            for (const std::string& src : r.frames) pending.push_back({rel.parent_path(), src, p.depth + 1});
        if (r && (best.roots.empty() || r.report.taken.items > best.report.taken.items)) {
            best = std::move(r);
            bestFrame = rel.generic_string();
        }
    }
    if (best.roots.empty()) {
        std::string list;
        for (const std::string& src : frames) list += (list.empty() ? "" : ", ") + src;
        return ImportResult::failed(Failure::of(FailureKind::FramesWithoutMenu).withValue(list));
    }
    best.report.frame = nameAsUtf8(bestFrame);
    // The frame's links are relative to the frame's folder; the menu serves the frameset's.
    const fs::path frameFolder = fs::path(bestFrame).parent_path();
    if (!frameFolder.empty())
        forEachPreOrder(best.roots, [&](MenuNode* n, int) {
            for (SchemeText* link : {&n->data.menuLink, &n->data.menuIcon1, &n->data.menuIcon2})
                *link = rebasedLink(frameFolder, link->str());
        });
    best.workDir = workDirText(folder);
    return best;
}

// Progress of a file import, in thousandths: reading, then parsing, then making the items.
constexpr uint64_t kReadEnd = 300;
constexpr uint64_t kParseEnd = 950;
constexpr uint64_t kWhole = 1000;

ImportResult importFile(const std::string& path, const ImportOptions& options, ImportControl* control) {
    // Only a regular file is read, and only when it is not too large: a pipe or a device
    // neither blocks the import nor fills the memory.
    std::string bytes;
    IoResult in;
    if (!control) {
        in = readWholeFile(path, bytes, kMaxImportBytes);
    } else {
        std::error_code ec;
        const uint64_t size = fs::file_size(path, ec);
        control->report(0, kWhole);
        control->setStage(0, kReadEnd);
        in = readFileInPieces(
            path,
            [&](std::string_view piece) {
                if (control->cancelled()) throw ImportCancelledSignal();
                bytes.append(piece);
                control->reportStage(bytes.size(), ec ? 0 : size);
            },
            kMaxImportBytes);
    }
    if (!in) {
        // The caller names the file: the failure says only what went wrong.
        Failure why = in.failure;
        if (why.path == path) why.path.clear();
        ImportResult r = ImportResult::failed(std::move(why));
        r.unreadable = true;
        return r;
    }
    if (control) control->setStage(kReadEnd, kParseEnd);
    ImportResult r = importBytes(bytes, options);
    if (importCancelled()) return ImportResult::cancellation();
    if (control) control->report(kWhole, kWhole);
    return r;
}

}  // namespace

ImportResult importPath(const std::string& path, const ImportOptions& options, ImportControl* control) {
    ImportControlScope scope(control);
    try {
        std::error_code ec;
        if (fs::is_directory(path, ec)) {
            if (options.kind && *options.kind != ImportKind::Folder)
                return ImportResult::failed(
                    Failure::of(FailureKind::IsAFolder).withValue(importKindName(*options.kind)));
            return importFolder(path, options.maxFolderPages);
        }
        if (options.kind && *options.kind == ImportKind::Folder)
            return ImportResult::failed(FailureKind::NotAFolder);
        ImportResult r = importFile(path, options, control);
        const fs::path file = fs::absolute(fs::path(path), ec);
        if (!r && !r.cancelled() && !r.frames.empty()) return importFrames(file, r.frames, options);
        // Relative links of a page or an outline point beside the file: its folder is the work directory.
        if (r) r.workDir = workDirText(file.parent_path());
        return r;
    } catch (const ImportCancelledSignal&) {
        return ImportResult::cancellation();
    }
}

void adoptImport(MenuScheme& scheme, ImportResult& result) {
    scheme.clearTree();
    scheme.reset();
    scheme.fileName.clear();
    applyImportSettings(scheme.settings, result);
    for (auto& root : result.roots) scheme.appendRoot(std::move(root));
    result.roots.clear();
}

std::string encodePathSegment(std::string_view name) {
    const bool utf8 = isValidUtf8(name);
    std::string out;
    for (char ch : name) {
        const auto c = static_cast<unsigned char>(ch);
        const bool keep = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                          std::string_view("-._~!$&'()*+,;=:@").find(ch) != std::string_view::npos ||
                          (c >= 0x80 && utf8);
        if (keep) {
            out.push_back(ch);
        } else {
            static const char hex[] = "0123456789ABCDEF";
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 15];
        }
    }
    return out;
}

}  // namespace sylvanode

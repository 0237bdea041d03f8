// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "exchange/import_control.h"
#include "exchange/imported_tree.h"
#include "model/menu_scheme.h"

namespace sylvanode {

enum class ImportKind { Html, Markdown, Outline, Sitemap, Opml, Json, Folder };

// "html", "markdown", "outline", "sitemap", "opml", "json" or "folder".
bool parseImportKind(std::string_view name, ImportKind& kind);
const char* importKindName(ImportKind kind);

// The kind of a file's content: JSON when it starts with "{" or "[{" (or "[\"", "[]"), a
// sitemap or OPML by its root element, HTML when it is a document, Markdown when it has
// headings, code fences or badges, HTML when it has other markup, an outline otherwise.
ImportKind guessImportKind(std::string_view bytes);

// Largest file an import reads; a folder import reads at most this many pages.
inline constexpr size_t kMaxImportBytes = size_t{256} << 20;
inline constexpr size_t kMaxFolderPages = 100000;

struct ImportOptions {
    std::optional<ImportKind> kind;  // guessed when not given
    std::string select;              // HTML, Markdown: an element id or a CSS selector (see HtmlListOptions)
    std::string charset;             // the text's character set label; sniffed when empty
    size_t maxFolderPages = kMaxFolderPages;
};

// Reads a file's content as the given or guessed kind (never Folder).
ImportResult importBytes(std::string_view bytes, const ImportOptions& options = {});

// A site folder as a tree by sub-folders: every .html/.htm page an item titled by its
// <title> (else its file name) linking to its path relative to the folder, each name
// percent-encoded as a path segment (characters beyond ASCII stay as they are); a folder's
// index.html (or index.htm) is the folder item's own link, and the top folder's is the first
// item. Hidden entries and linked folders are passed over; folders without pages are left out.
// A folder with more than `maxPages` pages is refused.
ImportResult importFolder(const std::string& folder, size_t maxPages = kMaxFolderPages);

// A file or a folder (native path), whatever it holds. The work directory is the folder, or
// the file's folder (the links of a page or an outline are relative to it). Only a regular
// file is read. A frameset page gives the menu of its frame (a local file in the page's
// folder) whose menu is largest. A failure leaves out the path, which the caller names
// (a folder below it is named); `unreadable` marks a file that could not be read at all.
// With a control, the import reports its progress there and stops when it is cancelled
// (the result is then a Cancelled failure); meant for a thread of its own.
ImportResult importPath(const std::string& path, const ImportOptions& options = {},
                        ImportControl* control = nullptr);

// Makes `scheme` a new scheme holding the imported tree with the settings an import gives
// (see applyImportSettings); `result.roots` is emptied.
void adoptImport(MenuScheme& scheme, ImportResult& result);

// A file or folder name as a segment of a link path (RFC 3986): ASCII outside the unreserved
// characters, sub-delimiters, ":" and "@" is percent-encoded; other characters stay readable
// unless the name is not UTF-8, whose bytes are then encoded.
std::string encodePathSegment(std::string_view name);

}  // namespace sylvanode

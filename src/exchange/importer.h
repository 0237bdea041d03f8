// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "exchange/imported_tree.h"
#include "model/menu_scheme.h"

namespace sylvanode {

enum class ImportKind { Html, Outline, Sitemap, Opml, Json, Folder };

// "html", "outline", "sitemap", "opml", "json" or "folder".
bool parseImportKind(std::string_view name, ImportKind& kind);
const char* importKindName(ImportKind kind);

// The kind of a file's content: JSON when it starts with "{", a sitemap or OPML by its root
// element, HTML when it has markup, an outline otherwise.
ImportKind guessImportKind(std::string_view bytes);

// Largest file an import reads; a folder import reads at most this many pages.
inline constexpr size_t kMaxImportBytes = size_t{256} << 20;
inline constexpr size_t kMaxFolderPages = 100000;

struct ImportOptions {
    std::optional<ImportKind> kind;  // guessed when not given
    std::string selectId;            // HTML: the id of the element whose list to take
    size_t maxFolderPages = kMaxFolderPages;
};

// Reads a file's content as the given or guessed kind (never Folder).
ImportResult importBytes(std::string_view bytes, const ImportOptions& options = {});

// A site folder as a tree by sub-folders: every .html/.htm page an item titled by its
// <title> (else its file name) linking to its path relative to the folder; a folder's
// index.html (or index.htm) is the folder item's own link, and the top folder's is the first
// item. Hidden entries and linked folders are passed over; folders without pages are left out.
// A folder with more than `maxPages` pages is refused.
ImportResult importFolder(const std::string& folder, size_t maxPages = kMaxFolderPages);

// A file or a folder (native path), whatever it holds. The work directory is the folder, or
// the file's folder (the links of a page or an outline are relative to it). Only a regular
// file is read. An error gives the reason without the path, which the caller names.
ImportResult importPath(const std::string& path, const ImportOptions& options = {});

// Makes `scheme` a new scheme holding the imported tree (and the folder as work directory);
// `result.roots` is emptied.
void adoptImport(MenuScheme& scheme, ImportResult& result);

}  // namespace sylvanode

#pragma once

#include <string>

#include "model/menu_scheme.h"
#include "platform/safe_file.h"

namespace sylvanode {

// File names the preview writes beside the library.
inline constexpr const char* kPreviewPage = "index.html";
inline constexpr const char* kPreviewScript = "sylvanode-preview.js";

// The file URL of an absolute path, every byte outside [A-Za-z0-9-._~/] percent-encoded,
// so that GBK or UTF-8 file names reach the browser unchanged.
std::string fileUrl(const std::string& absolutePath);

// The directory a scheme's relative icons, links and line folder start from: its work
// directory when that exists here, else `fallbackDir` (e.g. the scheme file's directory).
std::string previewBaseDirectory(const MenuScheme& scheme, const std::string& fallbackDir);

// Writes a page that shows `scheme` into `outDir` (created when missing): index.html in GBK
// with <base href> at `baseDir`, the generated script (with the scheme's menuSuffix) and a
// copy of the library from `libraryDir` (see webLibraryDirectory()); `title` (UTF-8) is the
// page's title and its heading. An index.html that this function did not write is never replaced. The scheme is left as it was. On success
// `pagePath` gets the page's absolute path; the editor can open it with the desktop.
IoResult writePreview(MenuScheme& scheme, const std::string& baseDir, const std::string& outDir,
                      const std::string& libraryDir, const std::string& title, std::string& pagePath);

// Copies every regular file of the library directory (the library and its images) into `outDir`.
IoResult copyWebLibrary(const std::string& libraryDir, const std::string& outDir);

}  // namespace sylvanode

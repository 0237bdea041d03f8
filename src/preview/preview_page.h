// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <vector>

#include "model/menu_scheme.h"
#include "platform/safe_file.h"

namespace sylvanode {

// File names the preview writes beside the library.
inline constexpr const char* kPreviewPage = "index.html";
inline constexpr const char* kPreviewScript = "sylvanode-preview.js";

// The file URL of an absolute path, every byte outside [A-Za-z0-9-._~/] percent-encoded,
// so that GBK or UTF-8 file names reach the browser unchanged.
std::string fileUrl(const std::string& absolutePath);

// The language of a page that shows the scheme, as its lang attribute: "zh-CN" when an item's
// title, hint or status text holds a Chinese character, else "en". It follows the menu's own
// texts, never the language the editor or the tool speaks.
const char* pageLanguageOf(const MenuScheme& scheme);

// The directory a scheme's relative icons, links and line folder start from: its work
// directory when that exists here, else `fallbackDir` (e.g. the scheme file's directory).
std::string previewBaseDirectory(const MenuScheme& scheme, const std::string& fallbackDir);

// Writes a page that shows `scheme` into `outDir` (created when missing): index.html in GBK
// with <base href> at `baseDir`, the generated script (with the scheme's menuSuffix, in its
// character set) and a copy of the library from `libraryDir` (see webLibraryDirectory());
// `title` (UTF-8) is the page's title and its heading; its lang is pageLanguageOf(scheme).
// Nothing it did not write is replaced: an index.html counts as its own only when it starts
// with the preview mark (and is never replaced otherwise); in a directory without such a page,
// a library file or script that exists with other bytes stops it before anything is written
// (`foreign` gets their names) unless `replaceForeign`. The scheme is left as it was. On
// success `pagePath` gets the page's absolute path; the editor can open it with the desktop.
// The preview page's HTML (GBK, CR LF) for `title` (UTF-8): <base href> at `baseUrl`, then the
// library at `libraryUrl`, the scripts of `headScripts` (in order), and in the body a heading
// and the generated script at `scriptUrl` read in the scheme's character set.
struct PreviewPageParts {
    std::string title;
    std::string language = "en";  // the page's lang, see pageLanguageOf()
    std::string baseUrl;
    std::string libraryUrl;
    std::vector<std::string> headScripts;
    std::string scriptUrl;
    ScriptCharset scriptCharset = ScriptCharset::Gbk;
    std::string contentSecurityPolicy;  // a <meta> policy when not empty
};
std::string previewPageHtml(const PreviewPageParts& parts);

// Whether the node-line images are where a scheme's lineFolder points, relative names
// taken from `baseDir`; a web address counts as present.
bool lineImagesPresent(const std::string& lineFolder, const std::string& baseDir);

IoResult writePreview(MenuScheme& scheme, const std::string& baseDir, const std::string& outDir,
                      const std::string& libraryDir, const std::string& title, std::string& pagePath,
                      bool replaceForeign = false, std::vector<std::string>* foreign = nullptr);

// Copies every regular file of the library directory (the library and its images) into
// `outDir`; files that already hold the same bytes are left as they are, and `replaced`
// gets the names of those that held other bytes.
IoResult copyWebLibrary(const std::string& libraryDir, const std::string& outDir,
                        std::vector<std::string>* replaced = nullptr);

}  // namespace sylvanode

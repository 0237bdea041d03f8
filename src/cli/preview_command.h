#pragma once

#include <iosfwd>
#include <map>
#include <string>
#include <vector>

namespace sylvanode::cli {

// File names the preview command writes beside the library.
inline constexpr const char* kPreviewPage = "index.html";
inline constexpr const char* kPreviewScript = "sylvanode-preview.js";

// The file URL of an absolute path, every byte outside [A-Za-z0-9-._~/] percent-encoded,
// so that GBK or UTF-8 file names reach the browser unchanged.
std::string fileUrl(const std::string& absolutePath);

// `preview FILE.menu -o DIR [--suffix S]`: writes DIR/index.html (a GBK page showing the
// menu), the generated script and a copy of the library with its images.
// `libraryDir` empty: the library of this program (webLibraryDirectory()).
int previewCommand(const std::vector<std::string>& positional, const std::map<std::string, std::string>& values,
                   std::ostream& out, std::ostream& err, const std::string& libraryDir = {});

// `library DIR`: copies the library and its images into DIR.
int libraryCommand(const std::vector<std::string>& positional, std::ostream& out, std::ostream& err,
                   const std::string& libraryDir = {});

}  // namespace sylvanode::cli

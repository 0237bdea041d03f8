#pragma once

#include <iosfwd>
#include <map>
#include <string>
#include <vector>

namespace sylvanode::cli {

// `preview FILE.menu -o DIR [--suffix S]`: writes DIR/index.html (a GBK page showing the
// menu), the generated script and a copy of the library with its images.
// `libraryDir` empty: the library of this program (webLibraryDirectory()).
int previewCommand(const std::vector<std::string>& positional, const std::map<std::string, std::string>& values,
                   std::ostream& out, std::ostream& err, const std::string& libraryDir = {});

// `library DIR`: copies the library and its images into DIR.
int libraryCommand(const std::vector<std::string>& positional, std::ostream& out, std::ostream& err,
                   const std::string& libraryDir = {});

}  // namespace sylvanode::cli

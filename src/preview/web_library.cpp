// SPDX-License-Identifier: MIT
#include "preview/web_library.h"

#include <filesystem>
#include <system_error>

#include "platform/paths.h"

namespace sylvanode {

std::string webLibraryDirectory(const std::string& exeDir) {
    if (exeDir.empty()) return {};
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::path dir = fs::path(exeDir).lexically_normal();
    if (dir.filename().empty()) dir = dir.parent_path();  // drop the trailing separator
    // Three steps up at most, so that a build tree never picks up an unrelated copy far above it.
    for (int up = 0; up < 3; ++up) {
        dir = dir.parent_path();
        const fs::path candidate = dir / "share" / "sylvanode" / "web";
        if (fs::is_regular_file(candidate / kWebLibraryFile, ec)) {
            std::string s = fs::weakly_canonical(candidate, ec).string();
            if (ec) s = candidate.lexically_normal().string();
            if (s.empty() || s.back() != '/') s += '/';
            return s;
        }
        if (!dir.has_relative_path()) break;
    }
    return {};
}

std::string webLibraryDirectory() {
    return webLibraryDirectory(executableDirectory());
}

}  // namespace sylvanode

// SPDX-License-Identifier: MIT
#include "platform/help_files.h"

#include <filesystem>
#include <system_error>

namespace sylvanode {
namespace {

namespace fs = std::filesystem;

fs::path directoryOf(const std::string& exeDir) {
    fs::path dir = fs::path(exeDir).lexically_normal();
    if (dir.filename().empty()) dir = dir.parent_path();  // drop the trailing separator
    return dir;
}

bool isFile(const fs::path& p) {
    std::error_code ec;
    return fs::is_regular_file(p, ec);
}

std::string normalised(const fs::path& p) {
    std::error_code ec;
    fs::path c = fs::weakly_canonical(p, ec);
    return (ec ? p.lexically_normal() : c).string();
}

const fs::path kGuideFolder = fs::path("share") / "doc" / "sylvanode" / "guide";

}  // namespace

const char* userGuideFileName(Language language) {
    return language == Language::Chinese ? "index.html" : "index.en.html";
}

std::string helpFilePath(const std::string& exeDir) {
    std::string path = exeDir;
    if (!path.empty() && path.back() != '/') path.push_back('/');
    return path + kHelpFileName;
}

std::string findHelpFile(const std::string& exeDir) {
    if (exeDir.empty()) return {};
    const std::string beside = helpFilePath(exeDir);
    if (isFile(beside)) return beside;
    const fs::path installed = directoryOf(exeDir).parent_path() / "share" / "doc" / "sylvanode" / kHelpFileName;
    if (isFile(installed)) return normalised(installed);
    return {};
}

std::string findUserGuide(const std::string& exeDir, Language language) {
    if (exeDir.empty()) return {};
    fs::path dir = directoryOf(exeDir);
    // Three steps up at most, so that a build tree never picks up an unrelated copy far above it.
    for (int up = 0; up < 3; ++up) {
        dir = dir.parent_path();
        const fs::path candidate = dir / kGuideFolder / userGuideFileName(language);
        if (isFile(candidate)) return normalised(candidate);
        if (!dir.has_relative_path()) break;
    }
    return {};
}

std::string installedUserGuidePath(const std::string& exeDir, Language language) {
    return (directoryOf(exeDir).parent_path() / kGuideFolder / userGuideFileName(language))
        .lexically_normal()
        .string();
}

std::vector<std::string> helpDocuments(const std::string& exeDir, Language language,
                                       bool helpViewerKnown) {
    std::vector<std::string> docs;
    if (helpViewerKnown && language == Language::Chinese) {
        std::string chm = findHelpFile(exeDir);
        if (!chm.empty()) docs.push_back(std::move(chm));
    }
    const Language other =
        language == Language::Chinese ? Language::English : Language::Chinese;
    std::string guide = findUserGuide(exeDir, language);
    if (guide.empty()) guide = findUserGuide(exeDir, other);
    if (!guide.empty()) docs.push_back(std::move(guide));
    return docs;
}

}  // namespace sylvanode

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

GuideLanguage guideLanguageFor(std::string_view localeName) {
    const bool zh = localeName.size() >= 2 && (localeName[0] == 'z' || localeName[0] == 'Z') &&
                    (localeName[1] == 'h' || localeName[1] == 'H') &&
                    (localeName.size() == 2 || localeName[2] == '_' || localeName[2] == '-' ||
                     localeName[2] == '.' || localeName[2] == '@');
    return zh ? GuideLanguage::Chinese : GuideLanguage::English;
}

const char* userGuideFileName(GuideLanguage language) {
    return language == GuideLanguage::Chinese ? "index.html" : "index.en.html";
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

std::string findUserGuide(const std::string& exeDir, GuideLanguage language) {
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

std::string installedUserGuidePath(const std::string& exeDir, GuideLanguage language) {
    return (directoryOf(exeDir).parent_path() / kGuideFolder / userGuideFileName(language))
        .lexically_normal()
        .string();
}

std::vector<std::string> helpDocuments(const std::string& exeDir, GuideLanguage language,
                                       bool helpViewerKnown) {
    std::vector<std::string> docs;
    if (helpViewerKnown && language == GuideLanguage::Chinese) {
        std::string chm = findHelpFile(exeDir);
        if (!chm.empty()) docs.push_back(std::move(chm));
    }
    const GuideLanguage other =
        language == GuideLanguage::Chinese ? GuideLanguage::English : GuideLanguage::Chinese;
    std::string guide = findUserGuide(exeDir, language);
    if (guide.empty()) guide = findUserGuide(exeDir, other);
    if (!guide.empty()) docs.push_back(std::move(guide));
    return docs;
}

}  // namespace sylvanode

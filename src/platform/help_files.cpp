#include "platform/help_files.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

namespace sylvanode {
namespace {

namespace fs = std::filesystem;

// The MIME type of CHM files and its older alias.
constexpr const char* kHelpMimeTypes[] = {"application/vnd.ms-htmlhelp", "application/x-chm"};

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

std::string trimmed(const std::string& s) {
    const auto first = s.find_first_not_of(" \t\r");
    if (first == std::string::npos) return {};
    return s.substr(first, s.find_last_not_of(" \t\r") - first + 1);
}

bool equalsAsciiNoCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        unsigned char x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
        if (x >= 'A' && x <= 'Z') x = static_cast<unsigned char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = static_cast<unsigned char>(y - 'A' + 'a');
        if (x != y) return false;
    }
    return true;
}

// True when one of the sections that associate applications with types lists an
// application for a CHM type in this file.
bool fileNamesHelpViewer(const fs::path& file) {
    std::ifstream in(file);
    if (!in) return false;
    bool inAssociations = false;
    std::string line;
    while (std::getline(in, line)) {
        line = trimmed(line);
        if (line.empty() || line[0] == '#') continue;
        if (line[0] == '[') {
            inAssociations = line == "[Default Applications]" || line == "[Added Associations]" ||
                             line == "[MIME Cache]";
            continue;
        }
        if (!inAssociations) continue;
        const auto eq = line.find('=');
        if (eq == std::string::npos) continue;
        const std::string key = trimmed(line.substr(0, eq));
        bool helpType = false;
        for (const char* type : kHelpMimeTypes) helpType = helpType || equalsAsciiNoCase(key, type);
        if (!helpType) continue;
        // A list of desktop file names separated by ";"; an empty list names nobody.
        if (trimmed(line.substr(eq + 1)).find_first_not_of("; \t") != std::string::npos) return true;
    }
    return false;
}

std::vector<std::string> splitPathList(const char* value) {
    std::vector<std::string> out;
    std::stringstream ss(value ? value : "");
    std::string part;
    while (std::getline(ss, part, ':'))
        if (!part.empty()) out.push_back(part);
    return out;
}

}  // namespace

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

std::string findUserGuide(const std::string& exeDir) {
    if (exeDir.empty()) return {};
    fs::path dir = directoryOf(exeDir);
    // Three steps up at most, so that a build tree never picks up an unrelated copy far above it.
    for (int up = 0; up < 3; ++up) {
        dir = dir.parent_path();
        const fs::path candidate = dir / "share" / "doc" / "sylvanode" / "guide" / "index.html";
        if (isFile(candidate)) return normalised(candidate);
        if (!dir.has_relative_path()) break;
    }
    return {};
}

XdgDirectories XdgDirectories::fromEnvironment() {
    XdgDirectories d;
    const char* home = std::getenv("HOME");
    const std::string homeDir = home ? home : "";
    const auto dirOr = [](const char* name, const std::string& fallback) {
        const char* v = std::getenv(name);
        return (v && *v) ? std::string(v) : fallback;
    };
    d.configHome = dirOr("XDG_CONFIG_HOME", homeDir.empty() ? "" : homeDir + "/.config");
    d.dataHome = dirOr("XDG_DATA_HOME", homeDir.empty() ? "" : homeDir + "/.local/share");
    d.configDirs = splitPathList(std::getenv("XDG_CONFIG_DIRS"));
    if (d.configDirs.empty()) d.configDirs = {"/etc/xdg"};
    d.dataDirs = splitPathList(std::getenv("XDG_DATA_DIRS"));
    if (d.dataDirs.empty()) d.dataDirs = {"/usr/local/share", "/usr/share"};
    return d;
}

bool desktopOpensHelpFiles(const XdgDirectories& dirs) {
    std::vector<fs::path> files;
    const auto addConfig = [&](const std::string& dir) {
        if (!dir.empty()) files.push_back(fs::path(dir) / "mimeapps.list");
    };
    const auto addData = [&](const std::string& dir) {
        if (dir.empty()) return;
        const fs::path apps = fs::path(dir) / "applications";
        files.push_back(apps / "mimeapps.list");
        files.push_back(apps / "defaults.list");
        files.push_back(apps / "mimeinfo.cache");
    };
    addConfig(dirs.configHome);
    for (const auto& d : dirs.configDirs) addConfig(d);
    addData(dirs.dataHome);
    for (const auto& d : dirs.dataDirs) addData(d);
    for (const auto& f : files)
        if (fileNamesHelpViewer(f)) return true;
    return false;
}

std::vector<std::string> helpDocuments(const std::string& exeDir, bool helpViewerKnown) {
    std::vector<std::string> docs;
    if (helpViewerKnown) {
        std::string chm = findHelpFile(exeDir);
        if (!chm.empty()) docs.push_back(std::move(chm));
    }
    std::string guide = findUserGuide(exeDir);
    if (!guide.empty()) docs.push_back(std::move(guide));
    return docs;
}

}  // namespace sylvanode

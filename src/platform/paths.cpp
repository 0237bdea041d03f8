// SPDX-License-Identifier: MIT
#include "platform/paths.h"

#include <unistd.h>

#include <climits>
#include <vector>

namespace sylvanode {

std::string executableDirectory() {
    std::vector<char> buf(PATH_MAX + 1);
    const ssize_t n = ::readlink("/proc/self/exe", buf.data(), buf.size() - 1);
    std::string path = n > 0 ? std::string(buf.data(), static_cast<size_t>(n)) : std::string();
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) return "/";
    return path.substr(0, slash + 1);
}

}  // namespace sylvanode

namespace sylvanode {
namespace {

bool isSep(char c) { return c == '\\' || c == '/'; }

struct SplitPath {
    std::string drive;                    // "C:", "\\server\share", or empty
    std::vector<std::string> parts;       // directories, then the last part (file name, may be empty)
    bool windowsStyle = false;
};

std::vector<std::string> splitParts(std::string_view s) {
    std::vector<std::string> parts;
    std::string cur;
    for (size_t i = 0; i < s.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        if (isGbkLeadByte(c) && i + 1 < s.size()) {
            cur += s[i];
            cur += s[++i];
        } else if (isSep(s[i])) {
            parts.push_back(std::move(cur));
            cur.clear();
        } else {
            cur += s[i];
        }
    }
    parts.push_back(std::move(cur));
    return parts;
}

SplitPath splitPath(std::string_view p) {
    SplitPath out;
    if (p.size() >= 2 && p[1] == ':' && ((p[0] >= 'A' && p[0] <= 'Z') || (p[0] >= 'a' && p[0] <= 'z'))) {
        out.drive = std::string(p.substr(0, 2));
        out.windowsStyle = true;
        p.remove_prefix(2);
    } else if (p.size() >= 2 && isSep(p[0]) && isSep(p[1])) {
        std::vector<std::string> parts = splitParts(p.substr(2));
        out.drive = "\\\\" + (parts.size() > 0 ? parts[0] : std::string()) + "\\" +
                    (parts.size() > 1 ? parts[1] : std::string());
        out.windowsStyle = true;
        size_t skip = 0, seps = 0;
        for (size_t i = 2; i < p.size() && seps < 2; ++i) {
            if (isGbkLeadByte(static_cast<unsigned char>(p[i])) && i + 1 < p.size()) {
                ++i;
                continue;
            }
            if (isSep(p[i])) ++seps, skip = i;
        }
        p = seps == 2 ? p.substr(skip) : std::string_view();
    } else {
        // A backslash of its own, not the trail byte of a double-byte character.
        for (size_t i = 0; i < p.size() && !out.windowsStyle; ++i) {
            if (isGbkLeadByte(static_cast<unsigned char>(p[i])) && i + 1 < p.size())
                ++i;
            else
                out.windowsStyle = p[i] == '\\';
        }
    }
    if (!p.empty() && isSep(p[0])) p.remove_prefix(1);
    out.parts = splitParts(p);
    return out;
}

std::string foldAscii(std::string_view s) {
    std::string out(s);
    for (size_t i = 0; i < out.size(); ++i) {
        if (isGbkLeadByte(static_cast<unsigned char>(out[i])) && i + 1 < out.size()) {
            ++i;
        } else if (out[i] >= 'A' && out[i] <= 'Z') {
            out[i] = static_cast<char>(out[i] - 'A' + 'a');
        }
    }
    return out;
}

// Directories without empty and "." steps, ".." taking the step before it back (at the
// top it stays at the top, as the file system does).
std::vector<std::string> normalisedDirs(const std::vector<std::string>& parts, size_t count) {
    std::vector<std::string> dirs;
    for (size_t i = 0; i < count; ++i) {
        const std::string& p = parts[i];
        if (p.empty() || p == ".") continue;
        if (p == "..") {
            if (!dirs.empty()) dirs.pop_back();
            continue;
        }
        dirs.push_back(p);
    }
    return dirs;
}

bool isAbsolutePath(std::string_view p) {
    if (!p.empty() && isSep(p[0])) return true;
    return p.size() >= 2 && p[1] == ':' && ((p[0] >= 'A' && p[0] <= 'Z') || (p[0] >= 'a' && p[0] <= 'z'));
}

// "\\" to "/", stepping over double-byte characters.
void forwardSlashes(std::string& s) {
    for (size_t i = 0; i < s.size(); ++i) {
        if (isGbkLeadByte(static_cast<unsigned char>(s[i])) && i + 1 < s.size()) {
            ++i;
        } else if (s[i] == '\\') {
            s[i] = '/';
        }
    }
}

// An absolute path as a file URL: file:///D:/x, file:///srv/x, file://server/share/x.
std::string fileUrlOf(std::string path) {
    forwardSlashes(path);
    if (path.size() >= 2 && path[0] == '/' && path[1] == '/') return "file:" + path;
    if (!path.empty() && path[0] == '/') return "file://" + path;
    return "file:///" + path;
}

}  // namespace

std::string absoluteWorkDir(std::string_view workDir, std::string_view baseDir) {
    if (workDir.empty() || isAbsolutePath(workDir)) return std::string(workDir);
    std::string out(baseDir);
    if (!out.empty() && !isSep(out.back())) out += kNativeSeparator;
    out += workDir;
    return out;
}

std::string relativeWebPath(std::string_view file, std::string_view workDir) {
    if (!isAbsolutePath(file)) {  // already relative: only the separators change
        std::string same(file);
        forwardSlashes(same);
        return same;
    }
    // Without a work directory of known place nothing can be relative to it: the file's own address.
    if (!isAbsolutePath(workDir)) return fileUrlOf(std::string(file));
    const SplitPath f = splitPath(file);
    const SplitPath w = splitPath(workDir);
    const bool noCase = f.windowsStyle || w.windowsStyle;
    auto same = [noCase](std::string_view a, std::string_view b) {
        return noCase ? foldAscii(a) == foldAscii(b) : a == b;
    };

    // Another drive or share: the path stays absolute, as a file URL.
    if (!same(f.drive, w.drive)) return fileUrlOf(std::string(file));

    const std::vector<std::string> wdirs = normalisedDirs(w.parts, w.parts.size());
    const std::vector<std::string> fdirs =
        normalisedDirs(f.parts, f.parts.size() - 1);  // the last part is the name
    size_t common = 0;
    while (common < fdirs.size() && common < wdirs.size() && same(fdirs[common], wdirs[common])) ++common;
    std::string result;
    for (size_t i = common; i < wdirs.size(); ++i) result += "../";
    for (size_t i = common; i < fdirs.size(); ++i) result += fdirs[i] + "/";
    result += f.parts.back();
    forwardSlashes(result);
    return result;
}

}  // namespace sylvanode

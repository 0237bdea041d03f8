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
    } else if (p.find('\\') != std::string_view::npos) {
        out.windowsStyle = true;
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

}  // namespace

std::string relativeWebPath(std::string_view file, std::string_view workDir) {
    const SplitPath f = splitPath(file);
    const SplitPath w = splitPath(workDir);
    const bool noCase = f.windowsStyle || w.windowsStyle;
    auto same = [noCase](std::string_view a, std::string_view b) {
        return noCase ? foldAscii(a) == foldAscii(b) : a == b;
    };

    std::string result;
    const bool otherDrive = !same(f.drive, w.drive);
    if (otherDrive) {
        result = std::string(file);
    } else {
        std::vector<std::string> wdirs = w.parts;
        if (!wdirs.empty() && wdirs.back().empty()) wdirs.pop_back();  // trailing separator
        const size_t fdirs = f.parts.size() - 1;                       // last part is the file name
        size_t common = 0;
        while (common < fdirs && common < wdirs.size() && same(f.parts[common], wdirs[common])) ++common;
        for (size_t i = common; i < wdirs.size(); ++i) result += "../";
        for (size_t i = common; i < fdirs; ++i) result += f.parts[i] + "/";
        result += f.parts.back();
    }
    // Only a path that stayed absolute gets the scheme; a relative POSIX name may hold ":".
    if (otherDrive && result.find(':') != std::string::npos) result = "file:///" + result;
    for (size_t i = 0; i < result.size(); ++i) {
        if (isGbkLeadByte(static_cast<unsigned char>(result[i])) && i + 1 < result.size()) {
            ++i;
        } else if (result[i] == '\\') {
            result[i] = '/';
        }
    }
    return result;
}

}  // namespace sylvanode

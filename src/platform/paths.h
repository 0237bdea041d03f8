// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>

namespace sylvanode {

inline constexpr char kNativeSeparator = '/';

// Directory of the running executable, absolute, ending in the native separator.
std::string executableDirectory();

// Path of `file` as a web page refers to it from `workDir` (both absolute GBK byte strings,
// "\" and "/" accepted, drive letters and UNC shares understood): relative when both lie on
// the same drive or share, else the file's URL (file:///D:/a.gif, file://server/share/a.gif),
// also when `workDir` is empty; always with "/" separators. Empty, "." and ".." steps are
// resolved first. Windows-style paths compare without regard to case; POSIX paths compare
// exactly, as the file system does.
std::string relativeWebPath(std::string_view file, std::string_view workDir);

// The work directory as an absolute path: a relative one is taken from `baseDir` (the
// scheme file's folder, for one); an empty or absolute one is returned as it is.
std::string absoluteWorkDir(std::string_view workDir, std::string_view baseDir);

// True when byte i of a GBK string starts a double-byte character.
inline bool isGbkLeadByte(unsigned char c) { return c >= 0x81 && c <= 0xFE; }

}  // namespace sylvanode

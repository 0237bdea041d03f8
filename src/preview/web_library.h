// SPDX-License-Identifier: MIT
#pragma once

#include <string>

namespace sylvanode {

// File name of the tree-menu library; its node-line images lie in the same directory.
inline constexpr const char* kWebLibraryFile = "sylvanode-tree.min.js";

// The directory that holds the tree-menu library and its images for a program whose
// executable lies in `exeDir`, ending in "/"; empty when none is found. An installed
// program finds <exeDir>/../share/sylvanode/web; in the build tree the library is copied
// to <build>/share/sylvanode/web, found one or two levels further up from the
// executables in subdirectories of the build tree.
std::string webLibraryDirectory(const std::string& exeDir);

// The same for the running executable.
std::string webLibraryDirectory();

}  // namespace sylvanode

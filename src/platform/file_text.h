// SPDX-License-Identifier: MIT
#pragma once

// Helpers that the reading and the saving halves of safe_file.h share.

#include <sys/types.h>

#include <string>

namespace sylvanode::file_text {

// "cannot open /a/b.menu: permission denied"
std::string errnoText(const std::string& what, const std::string& path, int err);
// What a file that is not a regular file is, for messages ("a folder", "a pipe", ...).
const char* kindName(mode_t mode);

}  // namespace sylvanode::file_text

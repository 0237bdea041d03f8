// SPDX-License-Identifier: MIT
#pragma once

// Helpers that the reading and the saving halves of safe_file.h share.

#include <sys/types.h>

#include "platform/failure.h"

namespace sylvanode::file_text {

// What a file that is not a regular file is.
FileType fileTypeOf(mode_t mode);
// `path` is not a regular file but a `mode` one.
Failure notRegularFile(const std::string& path, mode_t mode);

}  // namespace sylvanode::file_text

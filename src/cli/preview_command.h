// SPDX-License-Identifier: MIT
#pragma once

#include <string>

#include "cli/command_line.h"

namespace sylvanode::cli {

// `preview FILE.menu -o DIR [--suffix S] [--charset C] [--force]`: writes DIR/index.html (a
// GBK page showing the menu), the generated script and a copy of the library with its images.
CommandSyntax previewCommandSyntax();
// `library DIR`: copies the library and its images into DIR and names the files it replaced.
CommandSyntax libraryCommandSyntax();

// The commands themselves; `libraryDir` empty: the library of this program (webLibraryDirectory()).
int previewCommand(Invocation& inv, const std::string& libraryDir = {});
int libraryCommand(Invocation& inv, const std::string& libraryDir = {});

}  // namespace sylvanode::cli

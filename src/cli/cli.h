// SPDX-License-Identifier: MIT
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "cli/command_line.h"

namespace sylvanode::cli {

// The whole command-line tool; `args` excludes the program name. `input` reads standard
// input for a FILE of "-" (empty: the real standard input, bounded). Messages and help are in
// `language` (main: the one the environment asks for).
int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err, InputReader input = {},
        Language language = Language::English);

// Every command with its options, in the order --help lists them.
const std::vector<CommandSyntax>& commands();

}  // namespace sylvanode::cli

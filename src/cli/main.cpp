// SPDX-License-Identifier: MIT
#include <iostream>

#include "cli/cli.h"
#include "platform/user_language.h"

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    const int code = sylvanode::cli::run(args, std::cout, std::cerr, {}, sylvanode::environmentLanguage());
    std::cout.flush();
    return code;
}

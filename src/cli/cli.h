#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace sylvanode::cli {

enum ExitCode { kOk = 0, kRejected = 1, kUsage = 2, kIoError = 3 };

// The whole command-line tool; `args` excludes the program name.
int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace sylvanode::cli

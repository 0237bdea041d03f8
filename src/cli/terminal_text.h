#pragma once

#include <string>
#include <string_view>

namespace sylvanode::cli {

// GBK bytes as UTF-8 for the terminal; bytes that do not decode are shown as \xNN.
std::string gbkForTerminal(std::string_view gbk);

}  // namespace sylvanode::cli

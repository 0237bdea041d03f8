#include "cli/terminal_text.h"

#include "platform/text_encoding.h"

namespace sylvanode::cli {

std::string gbkForTerminal(std::string_view gbk) { return schemeBytesToUtf8(gbk); }

}  // namespace sylvanode::cli

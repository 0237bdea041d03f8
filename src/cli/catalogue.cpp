// SPDX-License-Identifier: MIT
#include "cli/catalogue.h"

namespace sylvanode::cli {

std::string format(std::string_view text, std::initializer_list<std::string_view> args) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        // "{N}" with N from 1 to 9 is the N-th argument; an argument is never read again.
        if (text[i] == '{' && i + 2 < text.size() && text[i + 1] >= '1' && text[i + 1] <= '9' && text[i + 2] == '}') {
            const auto n = static_cast<size_t>(text[i + 1] - '1');
            if (n < args.size()) {
                out += *(args.begin() + n);
                i += 2;
                continue;
            }
        }
        out += text[i];
    }
    return out;
}

std::string format(Text text, Language language, std::initializer_list<std::string_view> args) {
    return format(text.in(language), args);
}

}  // namespace sylvanode::cli

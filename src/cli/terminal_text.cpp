// SPDX-License-Identifier: MIT
#include "cli/terminal_text.h"

#include "platform/text_encoding.h"

namespace sylvanode::cli {
namespace {

bool isControl(char32_t cp) { return cp < 0x20 || (cp >= 0x7F && cp <= 0x9F); }

void appendEscaped(std::string& out, std::string_view bytes) {
    static const char* hex = "0123456789ABCDEF";
    for (unsigned char b : bytes) {
        out += "\\x";
        out += hex[b >> 4];
        out += hex[b & 15];
    }
}

// Length of the well-formed UTF-8 sequence at `at` and its code point; 0 when there is none.
size_t utf8Sequence(std::string_view s, size_t at, char32_t& cp) {
    const auto b = static_cast<unsigned char>(s[at]);
    size_t len;
    if (b < 0x80) {
        cp = b;
        return 1;
    } else if (b >= 0xC2 && b <= 0xDF) {
        len = 2, cp = b & 0x1F;
    } else if (b >= 0xE0 && b <= 0xEF) {
        len = 3, cp = b & 0x0F;
    } else if (b >= 0xF0 && b <= 0xF4) {
        len = 4, cp = b & 0x07;
    } else {
        return 0;
    }
    if (at + len > s.size()) return 0;
    for (size_t k = 1; k < len; ++k) {
        const auto t = static_cast<unsigned char>(s[at + k]);
        if ((t & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (t & 0x3F);
    }
    if ((len == 3 && (cp < 0x800 || (cp >= 0xD800 && cp <= 0xDFFF))) ||
        (len == 4 && (cp < 0x10000 || cp > 0x10FFFF)))
        return 0;
    return len;
}

}  // namespace

std::string gbkForTerminal(std::string_view gbk) {
    std::string out;
    out.reserve(gbk.size() + gbk.size() / 2);
    for (size_t i = 0; i < gbk.size();) {
        const auto b = static_cast<unsigned char>(gbk[i]);
        if (b >= 0x20 && b < 0x7F) {  // the common case, without a table look-up
            out += static_cast<char>(b);
            ++i;
            continue;
        }
        const DecodedChar c = decodeSchemeChar(gbk, i);
        if (c.valid && !isControl(c.codePoint))
            appendUtf8(out, c.codePoint);
        else
            appendEscaped(out, gbk.substr(i, c.length));
        i += c.length;
    }
    return out;
}

std::string terminalSafe(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        char32_t cp = 0;
        const size_t len = utf8Sequence(text, i, cp);
        if (len == 0) {
            appendEscaped(out, text.substr(i, 1));
            ++i;
        } else {
            if (isControl(cp))
                appendEscaped(out, text.substr(i, len));
            else
                out.append(text, i, len);
            i += len;
        }
    }
    return out;
}

}  // namespace sylvanode::cli

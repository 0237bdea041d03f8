// SPDX-License-Identifier: MIT
#include "codegen/script_literal.h"

#include "platform/text_encoding.h"

namespace sylvanode {
namespace {

bool inRange(unsigned char c, unsigned char lo, unsigned char hi) { return c >= lo && c <= hi; }

unsigned char byteAt(std::string_view s, size_t i) { return static_cast<unsigned char>(s[i]); }

// What a browser shows for a byte it cannot decode; left as the byte itself, an escape
// backslash written after it would become its trail byte.
constexpr std::string_view kReplacement = "\\uFFFD";

void appendAscii(std::string& out, std::string_view text, size_t i, char quote) {
    const char c = text[i];
    if (c == '\\' || c == quote) {
        out += '\\';
        out += c;
    } else if (c == '\r') {
        out += "\\r";
    } else if (c == '\n') {
        out += "\\n";
    } else {
        out += c;
        if (c == '<' && i + 1 < text.size() && (text[i + 1] == '/' || text[i + 1] == '!')) out += '\\';
    }
}

}  // namespace

size_t gb18030CharLength(std::string_view bytes, size_t at) {
    const unsigned char b = byteAt(bytes, at);
    if (!inRange(b, 0x81, 0xFE)) return 1;
    if (at + 1 < bytes.size()) {
        const unsigned char t = byteAt(bytes, at + 1);
        if (inRange(t, 0x40, 0x7E) || inRange(t, 0x80, 0xFE)) return 2;
        if (inRange(t, 0x30, 0x39) && at + 3 < bytes.size() && inRange(byteAt(bytes, at + 2), 0x81, 0xFE) &&
            inRange(byteAt(bytes, at + 3), 0x30, 0x39))
            return 4;
    }
    return 0;
}

void appendScriptLiteral(std::string& out, std::string_view text, char quote, ScriptCharset charset) {
    for (size_t i = 0; i < text.size();) {
        if (byteAt(text, i) < 0x80) {
            appendAscii(out, text, i, quote);
            ++i;
            continue;
        }
        // One unit as the page's decoder reads it: a character, or an error it shows as one
        // U+FFFD, whatever bytes that error takes with it.
        const BrowserChar c = decodeAsBrowser(text, i);
        const bool leadWithoutCharacter = !c.valid && c.length < 4 && byteAt(text, i) != 0xFF;
        if (leadWithoutCharacter || (!c.valid && charset == ScriptCharset::Utf8))
            out += kReplacement;
        else if (charset == ScriptCharset::Gbk)
            out.append(text, i, c.length);
        else
            appendUtf8(out, c.codePoint);
        i += c.length;
    }
}

}  // namespace sylvanode

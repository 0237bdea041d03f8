// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>

namespace sylvanode {

// Scheme texts are code page 936 (GBK) bytes; characters GBK lacks are held as GB18030
// four-byte sequences (a superset that browsers decode in GBK pages). These functions are
// the one place that reads and writes that encoding outside the editor's QString boundary.

// One character of scheme bytes at `at`: a byte below 0x80, a GBK pair, or a GB18030
// four-byte sequence, kept only when it encodes back to the very same bytes.
// `valid` false: the byte at `at` starts no character (`length` 1, `codePoint` 0).
struct DecodedChar {
    char32_t codePoint = 0;
    size_t length = 1;
    bool valid = false;
};
DecodedChar decodeSchemeChar(std::string_view bytes, size_t at);

// One unit of bytes as the gb18030 decoder of web browsers reads it (it reads pages labelled
// GBK and GB2312 too), where more bytes follow: an ASCII byte, the euro sign 0x80, a two-byte
// or four-byte character, or an error, which the page shows as one U+FFFD (`valid` false).
// An error spans what the decoder takes with it: a lead byte alone when a byte below 0x80
// follows (that byte is read again), a lead byte with 0xFF, 0xFF alone, or four bytes that
// name no character.
struct BrowserChar {
    char32_t codePoint = 0xFFFD;
    size_t length = 1;
    bool valid = false;
};
BrowserChar decodeAsBrowser(std::string_view bytes, size_t at);

// Appends the scheme bytes of one code point: GBK where it has a code, GB18030 otherwise.
// False (nothing appended) for a code point neither can encode (a lone surrogate).
bool appendSchemeChar(std::string& out, char32_t codePoint);

void appendUtf8(std::string& out, char32_t codePoint);

// Scheme bytes as UTF-8. A byte that starts no character becomes `invalid` (for example
// "\xEF\xBF\xBD", U+FFFD) or, when `invalid` is empty, the four characters \xNN.
std::string schemeBytesToUtf8(std::string_view bytes, std::string_view invalid = {});

// UTF-8 as scheme bytes; false when `utf8` is not valid UTF-8 (`out` is then unspecified).
bool utf8ToSchemeBytes(std::string_view utf8, std::string& out);

// True when `bytes` is well-formed UTF-8.
bool isValidUtf8(std::string_view bytes);

// Text in the named character set (any name iconv knows: "GB18030", "windows-1252",
// "UTF-16LE", ...) as UTF-8. A sequence that does not decode becomes U+FFFD and the
// conversion goes on. False only when the character set is unknown.
bool charsetToUtf8(std::string_view bytes, const std::string& charset, std::string& out);

}  // namespace sylvanode

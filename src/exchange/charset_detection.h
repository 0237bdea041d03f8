// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>

namespace sylvanode {

// Where the character set of an imported text came from.
enum class CharsetSource {
    Given,          // the caller named it (import --charset)
    ByteOrderMark,  // a UTF-8 or UTF-16 byte-order mark
    Declared,       // a page's <meta charset> or http-equiv
    Utf8,           // no declaration, and the bytes are UTF-8
    Detected,       // no declaration: the detection library's verdict
};
// "given", "byte-order mark", "declared", "UTF-8", "detected".
const char* charsetSourceName(CharsetSource source);

// A character set label as browsers read it, in the name iconv knows: the GB family is
// GB18030, Latin-1 and ASCII are windows-1252, a UTF-16 label on an ASCII page is UTF-8.
// Empty when the label names no character set iconv has.
std::string charsetFromLabel(std::string_view label);
// A label the user gave (import --charset): as charsetFromLabel, except that UTF-16 labels
// keep their meaning. Empty when iconv does not know it.
std::string givenCharsetName(std::string_view label);

struct DecodedText {
    std::string utf8;
    std::string charset;  // an iconv name: "UTF-8", "GB18030", "WINDOWS-1252", ...
    CharsetSource source = CharsetSource::Utf8;
};

// Decodes an imported text the way a browser sniffs a page: the given label wins; else a
// byte-order mark; else (for HTML) a <meta> declaration in the first kilobytes; else UTF-8
// when the bytes are UTF-8; else GB18030 for the editor's own HTML export (a
// data-sylvanode="tree" list); else the detection library's guess (GB18030 when it has none).
// Bytes that do not decode become U+FFFD.
DecodedText decodeText(std::string_view bytes, const std::string& givenCharset, bool html);

// The charset decodeText would use, without decoding.
std::string sniffCharset(std::string_view bytes, bool html, CharsetSource* source = nullptr);

}  // namespace sylvanode

// SPDX-License-Identifier: MIT
#include "platform/text_encoding.h"

#include <iconv.h>

#include <cerrno>
#include <cstdio>

namespace sylvanode {
namespace {

// One iconv descriptor per direction and thread, kept for the run.
class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter() {
        if (cd_ != reinterpret_cast<iconv_t>(-1)) iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts exactly `in`; false when it is not one complete convertible unit.
    bool convert(const char* in, size_t inLen, char* out, size_t outCap, size_t& outLen) {
        if (cd_ == reinterpret_cast<iconv_t>(-1)) return false;
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        char* src = const_cast<char*>(in);
        size_t srcLeft = inLen;
        char* dst = out;
        size_t dstLeft = outCap;
        if (iconv(cd_, &src, &srcLeft, &dst, &dstLeft) == static_cast<size_t>(-1) || srcLeft != 0)
            return false;
        if (iconv(cd_, nullptr, nullptr, &dst, &dstLeft) == static_cast<size_t>(-1)) return false;
        outLen = outCap - dstLeft;
        return true;
    }

private:
    iconv_t cd_;
};

Converter& gbkToUtf32() {
    static thread_local Converter c("UTF-32LE", "CP936");
    return c;
}
Converter& utf32ToGbk() {
    static thread_local Converter c("CP936", "UTF-32LE");
    return c;
}
Converter& gb18030ToUtf32() {
    static thread_local Converter c("UTF-32LE", "GB18030");
    return c;
}
Converter& utf32ToGb18030() {
    static thread_local Converter c("GB18030", "UTF-32LE");
    return c;
}

void putUtf32(char* buf, char32_t cp) {
    for (int k = 0; k < 4; ++k) buf[k] = static_cast<char>((cp >> (8 * k)) & 0xFF);
}

char32_t getUtf32(const char* buf) {
    char32_t cp = 0;
    for (int k = 3; k >= 0; --k) cp = (cp << 8) | static_cast<unsigned char>(buf[k]);
    return cp;
}

bool encodeWith(Converter& encoder, char32_t cp, std::string& out) {
    char in[4];
    putUtf32(in, cp);
    char buf[8];
    size_t n = 0;
    if (!encoder.convert(in, 4, buf, sizeof buf, n)) return false;
    out.append(buf, n);
    return true;
}

bool inRange(unsigned char c, unsigned char lo, unsigned char hi) { return c >= lo && c <= hi; }

}  // namespace

DecodedChar decodeSchemeChar(std::string_view bytes, size_t at) {
    const auto b = static_cast<unsigned char>(bytes[at]);
    if (b < 0x80) return {b, 1, true};
    // A lead byte with a trail byte forms one character; 0x80 stands alone (the euro sign
    // in CP936). A GB18030 four-byte sequence is lead, digit, lead, digit.
    size_t len = 0;
    bool four = false;
    if (inRange(b, 0x81, 0xFE) && at + 1 < bytes.size()) {
        const auto t = static_cast<unsigned char>(bytes[at + 1]);
        if (inRange(t, 0x40, 0x7E) || inRange(t, 0x80, 0xFE)) {
            len = 2;
        } else if (inRange(t, 0x30, 0x39) && at + 3 < bytes.size() &&
                   inRange(static_cast<unsigned char>(bytes[at + 2]), 0x81, 0xFE) &&
                   inRange(static_cast<unsigned char>(bytes[at + 3]), 0x30, 0x39)) {
            len = 4;
            four = true;
        }
    } else if (b == 0x80) {
        len = 1;
    }
    if (len == 0) return {};
    char buf[8];
    size_t n = 0;
    Converter& decoder = four ? gb18030ToUtf32() : gbkToUtf32();
    if (!decoder.convert(bytes.data() + at, len, buf, sizeof buf, n) || n != 4) return {};
    const char32_t cp = getUtf32(buf);
    // Only a character that encodes back to the very same bytes counts.
    std::string back;
    if (!appendSchemeChar(back, cp) || back != bytes.substr(at, len)) return {};
    return {cp, len, true};
}

bool appendSchemeChar(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
        return true;
    }
    if (cp >= 0xD800 && cp <= 0xDFFF) return false;
    return encodeWith(utf32ToGbk(), cp, out) || encodeWith(utf32ToGb18030(), cp, out);
}

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

std::string schemeBytesToUtf8(std::string_view bytes, std::string_view invalid) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 2);
    for (size_t i = 0; i < bytes.size();) {
        const DecodedChar c = decodeSchemeChar(bytes, i);
        if (c.valid) {
            appendUtf8(out, c.codePoint);
        } else if (!invalid.empty()) {
            out += invalid;
        } else {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\x%02X", static_cast<unsigned char>(bytes[i]));
            out += buf;
        }
        i += c.length;
    }
    return out;
}

namespace {

// The code point of the UTF-8 sequence at `at` (ASCII included) and its length; false when the bytes
// there are no UTF-8: a bad lead or trail byte, a cut sequence, an overlong form, a surrogate or a
// code point past U+10FFFF.
bool decodeUtf8(std::string_view bytes, size_t at, char32_t& cp, size_t& len) {
    const auto b = static_cast<unsigned char>(bytes[at]);
    if (b < 0x80) {
        cp = b, len = 1;
        return true;
    }
    if (inRange(b, 0xC2, 0xDF)) {
        len = 2, cp = b & 0x1F;
    } else if (inRange(b, 0xE0, 0xEF)) {
        len = 3, cp = b & 0x0F;
    } else if (inRange(b, 0xF0, 0xF4)) {
        len = 4, cp = b & 0x07;
    } else {
        return false;
    }
    if (at + len > bytes.size()) return false;
    for (size_t k = 1; k < len; ++k) {
        const auto t = static_cast<unsigned char>(bytes[at + k]);
        if ((t & 0xC0) != 0x80) return false;
        cp = (cp << 6) | (t & 0x3F);
    }
    return !((len == 3 && (cp < 0x800 || (cp >= 0xD800 && cp <= 0xDFFF))) ||
             (len == 4 && (cp < 0x10000 || cp > 0x10FFFF)));
}

}  // namespace

bool utf8ToSchemeBytes(std::string_view utf8, std::string& out) {
    out.clear();
    out.reserve(utf8.size());
    char32_t cp;
    size_t len;
    for (size_t i = 0; i < utf8.size(); i += len) {
        if (!decodeUtf8(utf8, i, cp, len) || !appendSchemeChar(out, cp)) return false;
    }
    return true;
}

bool isValidUtf8(std::string_view bytes) {
    char32_t cp;
    size_t len;
    for (size_t i = 0; i < bytes.size(); i += len)
        if (!decodeUtf8(bytes, i, cp, len)) return false;
    return true;
}

bool charsetToUtf8(std::string_view bytes, const std::string& charset, std::string& out) {
    out.clear();
    iconv_t cd = iconv_open("UTF-8", charset.c_str());
    if (cd == reinterpret_cast<iconv_t>(-1)) return false;
    out.reserve(bytes.size() + bytes.size() / 2);
    char* src = const_cast<char*>(bytes.data());
    size_t srcLeft = bytes.size();
    char buf[16384];
    while (srcLeft > 0) {
        char* dst = buf;
        size_t dstLeft = sizeof buf;
        const size_t rc = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
        out.append(buf, sizeof buf - dstLeft);
        if (rc != static_cast<size_t>(-1)) break;
        if (errno == E2BIG) continue;
        // An invalid or incomplete sequence: one replacement character, then the next byte.
        out += "\xEF\xBF\xBD";
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        ++src;
        --srcLeft;
    }
    char* dst = buf;
    size_t dstLeft = sizeof buf;
    iconv(cd, nullptr, nullptr, &dst, &dstLeft);
    out.append(buf, sizeof buf - dstLeft);
    iconv_close(cd);
    return true;
}

}  // namespace sylvanode

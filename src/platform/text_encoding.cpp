// SPDX-License-Identifier: MIT
#include "platform/text_encoding.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <iterator>

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

// The four-byte characters of the Basic Multilingual Plane, as browsers number them: the
// pointer ((b1-0x81)*12600 + (b2-0x30)*1260 + (b3-0x81)*10 + b4-0x30) of the first of a run
// of consecutive code points, and that code point.
struct FourByteRun {
    unsigned pointer;
    char32_t codePoint;
};
constexpr FourByteRun kFourByteRuns[] = {
    {0, 0x0080}, {36, 0x00A5}, {38, 0x00A9}, {45, 0x00B2}, {50, 0x00B8}, {81, 0x00D8}, {89, 0x00E2},
    {95, 0x00EB}, {96, 0x00EE}, {100, 0x00F4}, {103, 0x00F8}, {104, 0x00FB}, {105, 0x00FD},
    {109, 0x0102}, {126, 0x0114}, {133, 0x011C}, {148, 0x012C}, {172, 0x0145}, {175, 0x0149},
    {179, 0x014E}, {208, 0x016C}, {306, 0x01CF}, {307, 0x01D1}, {308, 0x01D3}, {309, 0x01D5},
    {310, 0x01D7}, {311, 0x01D9}, {312, 0x01DB}, {313, 0x01DD}, {341, 0x01FA}, {428, 0x0252},
    {443, 0x0262}, {544, 0x02C8}, {545, 0x02CC}, {558, 0x02DA}, {741, 0x03A2}, {742, 0x03AA},
    {749, 0x03C2}, {750, 0x03CA}, {805, 0x0402}, {819, 0x0450}, {820, 0x0452}, {7457, 0xE7C7},
    {7458, 0x1E40}, {7922, 0x2011}, {7924, 0x2017}, {7925, 0x201A}, {7927, 0x201E}, {7934, 0x2027},
    {7943, 0x2031}, {7944, 0x2034}, {7945, 0x2036}, {7950, 0x203C}, {8062, 0x20AD}, {8148, 0x2104},
    {8149, 0x2106}, {8152, 0x210A}, {8164, 0x2117}, {8174, 0x2122}, {8236, 0x216C}, {8240, 0x217A},
    {8262, 0x2194}, {8264, 0x219A}, {8374, 0x2209}, {8380, 0x2210}, {8381, 0x2212}, {8384, 0x2216},
    {8388, 0x221B}, {8390, 0x2221}, {8392, 0x2224}, {8393, 0x2226}, {8394, 0x222C}, {8396, 0x222F},
    {8401, 0x2238}, {8406, 0x223E}, {8416, 0x2249}, {8419, 0x224D}, {8424, 0x2253}, {8437, 0x2262},
    {8439, 0x2268}, {8445, 0x2270}, {8482, 0x2296}, {8485, 0x229A}, {8496, 0x22A6}, {8521, 0x22C0},
    {8603, 0x2313}, {8936, 0x246A}, {8946, 0x249C}, {9046, 0x254C}, {9050, 0x2574}, {9063, 0x2590},
    {9066, 0x2596}, {9076, 0x25A2}, {9092, 0x25B4}, {9100, 0x25BE}, {9108, 0x25C8}, {9111, 0x25CC},
    {9113, 0x25D0}, {9131, 0x25E6}, {9162, 0x2607}, {9164, 0x260A}, {9218, 0x2641}, {9219, 0x2643},
    {11329, 0x2E82}, {11331, 0x2E85}, {11334, 0x2E89}, {11336, 0x2E8D}, {11346, 0x2E98},
    {11361, 0x2EA8}, {11363, 0x2EAB}, {11366, 0x2EAF}, {11370, 0x2EB4}, {11372, 0x2EB8},
    {11375, 0x2EBC}, {11389, 0x2ECB}, {11682, 0x2FFC}, {11686, 0x3004}, {11687, 0x3018},
    {11692, 0x301F}, {11694, 0x302A}, {11714, 0x303F}, {11716, 0x3094}, {11723, 0x309F},
    {11725, 0x30F7}, {11730, 0x30FF}, {11736, 0x312A}, {11982, 0x322A}, {11989, 0x3232},
    {12102, 0x32A4}, {12336, 0x3390}, {12348, 0x339F}, {12350, 0x33A2}, {12384, 0x33C5},
    {12393, 0x33CF}, {12395, 0x33D3}, {12397, 0x33D6}, {12510, 0x3448}, {12553, 0x3474},
    {12851, 0x359F}, {12962, 0x360F}, {12973, 0x361B}, {13738, 0x3919}, {13823, 0x396F},
    {13919, 0x39D1}, {13933, 0x39E0}, {14080, 0x3A74}, {14298, 0x3B4F}, {14585, 0x3C6F},
    {14698, 0x3CE1}, {15583, 0x4057}, {15847, 0x4160}, {16318, 0x4338}, {16434, 0x43AD},
    {16438, 0x43B2}, {16481, 0x43DE}, {16729, 0x44D7}, {17102, 0x464D}, {17122, 0x4662},
    {17315, 0x4724}, {17320, 0x472A}, {17402, 0x477D}, {17418, 0x478E}, {17859, 0x4948},
    {17909, 0x497B}, {17911, 0x497E}, {17915, 0x4984}, {17916, 0x4987}, {17936, 0x499C},
    {17939, 0x49A0}, {17961, 0x49B8}, {18664, 0x4C78}, {18703, 0x4CA4}, {18814, 0x4D1A},
    {18962, 0x4DAF}, {19043, 0x9FA6}, {33469, 0xE76C}, {33470, 0xE7C8}, {33471, 0xE7E7},
    {33484, 0xE815}, {33485, 0xE819}, {33490, 0xE81F}, {33497, 0xE827}, {33501, 0xE82D},
    {33505, 0xE833}, {33513, 0xE83C}, {33520, 0xE844}, {33536, 0xE856}, {33550, 0xE865},
    {37845, 0xF92D}, {37921, 0xF97A}, {37948, 0xF996}, {38029, 0xF9E8}, {38038, 0xF9F2},
    {38064, 0xFA10}, {38065, 0xFA12}, {38066, 0xFA15}, {38069, 0xFA19}, {38075, 0xFA22},
    {38076, 0xFA25}, {38078, 0xFA2A}, {39108, 0xFE32}, {39109, 0xFE45}, {39113, 0xFE53},
    {39114, 0xFE58}, {39115, 0xFE67}, {39116, 0xFE6C}, {39265, 0xFF5F}, {39394, 0xFFE6}
};
constexpr unsigned kLastBmpPointer = 39419;
constexpr unsigned kFirstSupplementaryPointer = 189000;
constexpr unsigned kLastSupplementaryPointer = 1237575;

char32_t fourByteCodePoint(unsigned pointer) {
    if (pointer >= kFirstSupplementaryPointer && pointer <= kLastSupplementaryPointer)
        return 0x10000 + (pointer - kFirstSupplementaryPointer);
    if (pointer > kLastBmpPointer) return 0;
    const FourByteRun* run = std::upper_bound(std::begin(kFourByteRuns), std::end(kFourByteRuns), pointer,
                                              [](unsigned p, const FourByteRun& r) { return p < r.pointer; });
    --run;
    return run->codePoint + (pointer - run->pointer);
}

// Two-byte codes where the system's GB18030 table (which follows the 2022 edition of the
// standard here) and browsers differ; browsers keep these.
struct TwoByteException {
    unsigned short code;
    char32_t codePoint;
};
constexpr TwoByteException kTwoByteExceptions[] = {
    {0xA3A0, 0x3000}, {0xFE51, 0xE816}, {0xFE52, 0xE817}, {0xFE53, 0xE818},
    {0xFE6C, 0xE831}, {0xFE76, 0xE83B}, {0xFE91, 0xE855},
};

char32_t twoByteCodePoint(std::string_view pair) {
    const auto code = static_cast<unsigned short>(static_cast<unsigned char>(pair[0]) << 8 |
                                                  static_cast<unsigned char>(pair[1]));
    for (const TwoByteException& e : kTwoByteExceptions)
        if (e.code == code) return e.codePoint;
    char buf[8];
    size_t n = 0;
    if (!gb18030ToUtf32().convert(pair.data(), 2, buf, sizeof buf, n) || n != 4) return 0;
    return getUtf32(buf);
}

}  // namespace

BrowserChar decodeAsBrowser(std::string_view bytes, size_t at) {
    const auto b = static_cast<unsigned char>(bytes[at]);
    if (b < 0x80) return {b, 1, true};
    if (b == 0x80) return {0x20AC, 1, true};
    if (b == 0xFF || at + 1 >= bytes.size()) return {};
    const auto t = static_cast<unsigned char>(bytes[at + 1]);
    if (inRange(t, 0x40, 0x7E) || inRange(t, 0x80, 0xFE)) {
        const char32_t cp = twoByteCodePoint(bytes.substr(at, 2));
        return {cp ? cp : 0xFFFD, 2, cp != 0};
    }
    if (t == 0xFF) return {0xFFFD, 2, false};
    if (inRange(t, 0x30, 0x39) && at + 3 < bytes.size() &&
        inRange(static_cast<unsigned char>(bytes[at + 2]), 0x81, 0xFE) &&
        inRange(static_cast<unsigned char>(bytes[at + 3]), 0x30, 0x39)) {
        const unsigned pointer = (b - 0x81u) * 12600 + (t - 0x30u) * 1260 +
                                 (static_cast<unsigned char>(bytes[at + 2]) - 0x81u) * 10 +
                                 (static_cast<unsigned char>(bytes[at + 3]) - 0x30u);
        const char32_t cp = fourByteCodePoint(pointer);
        return {cp ? cp : 0xFFFD, 4, cp != 0};
    }
    return {};
}

DecodedChar decodeSchemeChar(std::string_view bytes, size_t at) {
    const BrowserChar c = decodeAsBrowser(bytes, at);
    if (!c.valid) return {};
    if (c.codePoint < 0x80) return {c.codePoint, 1, true};
    // Only a character that encodes back to the very same bytes counts.
    std::string back;
    if (!appendSchemeChar(back, c.codePoint) || back != bytes.substr(at, c.length)) return {};
    return {c.codePoint, c.length, true};
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

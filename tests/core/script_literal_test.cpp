// SPDX-License-Identifier: MIT
#include "codegen/script_literal.h"

#include <gtest/gtest.h>

#include <random>

#include "codegen/script_text.h"
#include "platform/text_encoding.h"

namespace sylvanode {
namespace {

std::string literal(std::string_view text, char quote, ScriptCharset cs = ScriptCharset::Gbk) {
    std::string out;
    appendScriptLiteral(out, text, quote, cs);
    return out;
}

TEST(ScriptLiteral, EscapesOnlyWhatWouldChangeTheText) {
    const ScriptCharset gbk = ScriptCharset::Gbk, utf8 = ScriptCharset::Utf8;
    struct Case {
        const char* text;
        char quote;
        ScriptCharset charset;
        const char* expected;
    };
    const Case cases[] = {
        {"plain text 1.htm", '"', gbk, "plain text 1.htm"},
        {"a\\b", '"', gbk, "a\\\\b"},
        {"C:\\web\\", '"', gbk, "C:\\\\web\\\\"},
        {"\\u0041", '"', gbk, "\\\\u0041"},
        {"say \"hi\" it's", '"', gbk, "say \\\"hi\\\" it's"},
        {"say \"hi\" it's", '\'', gbk, "say \"hi\" it\\'s"},
        {"</script><!--", '"', gbk, "<\\/script><\\!--"},
        {"a<b>c", '"', gbk, "a<b>c"},
        {"line\r\nbreak", '"', gbk, "line\\r\\nbreak"},
        // Trail byte 0x5C belongs to its character (誠 運), also next to quotes and backslashes.
        {"\xD5\x5C\"\xDF\x5C\\", '"', gbk, "\xD5\x5C\\\"\xDF\x5C\\\\"},
        // A lead byte that starts no character: before a quote, a blank, at the end.
        {"\x81\"\x81 \x81", '"', gbk, "\\uFFFD\\\"\\uFFFD \\uFFFD"},
        {"\x81\x30\x81\x30|\x81\x30\x81", '"', gbk, "\x81\x30\x81\x30|\\uFFFD0\\uFFFD"},
        {"\x80\xFF", '"', gbk, "\x80\xFF"},
        // UTF-8: characters converted, escapes the same.
        {"\xD6\xD0\xD5\x5C\"\\", '"', utf8, "中誠\\\"\\\\"},
        {"\x80\xFF\x81'", '\'', utf8, "€\\uFFFD\\uFFFD\\'"},
        {"\x81\x30\x81\x30", '"', utf8, "\xC2\x80"},
    };
    for (const Case& c : cases) EXPECT_EQ(literal(c.text, c.quote, c.charset), c.expected) << c.text;
}

// What a browser makes of script bytes, as code points: a GB18030 decoder for GBK (characters
// that the scheme encoding does not map stand for themselves as private values), or UTF-8.
std::u32string decodeGbk(std::string_view b, bool unmappedAsReplacement) {
    std::u32string out;
    auto in = [](unsigned char c, int lo, int hi) { return c >= lo && c <= hi; };
    for (size_t i = 0; i < b.size();) {
        const auto c = static_cast<unsigned char>(b[i]);
        size_t len = 1;
        if (in(c, 0x81, 0xFE)) {
            len = 0;
            if (i + 1 < b.size() && (in(b[i + 1] & 0xFF, 0x40, 0x7E) || in(b[i + 1] & 0xFF, 0x80, 0xFE)))
                len = 2;
            else if (i + 3 < b.size() && in(b[i + 1] & 0xFF, 0x30, 0x39) && in(b[i + 2] & 0xFF, 0x81, 0xFE) &&
                     in(b[i + 3] & 0xFF, 0x30, 0x39))
                len = 4;
        }
        if (c < 0x80) {
            out += c;
        } else if (len == 0) {
            out += U'\uFFFD';
            len = 1;
        } else {
            const DecodedChar d = decodeSchemeChar(b, i);
            if (d.valid && d.length == len)
                out += d.codePoint;
            else if (unmappedAsReplacement || len == 1)
                out += U'\uFFFD';
            else
                out +=
                    static_cast<char32_t>(0x110000 + (static_cast<unsigned char>(b[i + 1]) << 8) + c + len);
        }
        i += len;
    }
    return out;
}

std::u32string decodeUtf8(std::string_view b) {
    std::u32string out;
    for (size_t i = 0; i < b.size();) {
        const auto c = static_cast<unsigned char>(b[i]);
        const size_t len = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
        char32_t cp = len == 1 ? c : c & (0x3F >> (len - 1));
        for (size_t k = 1; k < len; ++k) cp = (cp << 6) | (static_cast<unsigned char>(b[i + k]) & 0x3F);
        out += cp;
        i += len;
    }
    return out;
}

// A JavaScript string literal starting after its opening quote; false when it is unterminated.
bool parseJsLiteral(const std::u32string& s, size_t& pos, char32_t quote, std::u32string& value) {
    auto hex = [&](size_t n) {
        char32_t v = 0;
        for (size_t k = 0; k < n; ++k) {
            const char32_t h = s.at(pos++);
            v = v * 16 + (h <= '9' ? h - '0' : (h | 0x20) - 'a' + 10);
        }
        return v;
    };
    while (pos < s.size()) {
        const char32_t c = s[pos++];
        if (c == quote) return true;
        if (c == '\r' || c == '\n') return false;
        if (c != '\\') {
            value += c;
            continue;
        }
        const char32_t e = s.at(pos++);
        switch (e) {
            case 'n':
                value += U'\n';
                break;
            case 'r':
                value += U'\r';
                break;
            case 't':
                value += U'\t';
                break;
            case 'u':
                value += hex(4);
                break;
            case 'x':
                value += hex(2);
                break;
            default:
                value += e;
        }
    }
    return false;
}

// Random texts of the pieces that break naive quoting hold exactly their text in both quotes
// and both character sets, the literal ends at its own closing quote, and nothing in it can
// end an inline <script> element or the line.
TEST(ScriptLiteral, EveryTextReadsBackExactly) {
    const std::vector<std::string> pieces = {"\\",
                                             "\"",
                                             "'",
                                             "\\u0041",
                                             "C:\\web\\",
                                             "</script>",
                                             "<!--",
                                             "a",
                                             " ",
                                             "\t",
                                             "\r",
                                             "\n",
                                             "\x7F",
                                             "\xD5\x5C",
                                             "\xDF\x5C",
                                             "\x81\x5C",
                                             "\xD6\xD0",
                                             "\xA1\xA1",
                                             "\xAA\xA1",
                                             "\x81",
                                             "\xFE",
                                             "\xFF",
                                             "\x80",
                                             "\x81\x30\x81\x30",
                                             "\x81\x30",
                                             "\x95\x32\x82\x36",
                                             "\x84\x31\xA5\x30",
                                             "<",
                                             "/",
                                             "!",
                                             "\\x41"};
    std::mt19937 rng(20240611);
    for (int round = 0; round < 3000; ++round) {
        std::string text;
        for (int n = static_cast<int>(rng() % 12); n > 0; --n) text += pieces[rng() % pieces.size()];
        for (ScriptCharset cs : {ScriptCharset::Gbk, ScriptCharset::Utf8}) {
            for (char quote : {'"', '\''}) {
                const std::string lit = literal(text, quote, cs);
                const std::string script = std::string(1, quote) + lit + quote + ");";
                const std::u32string page =
                    cs == ScriptCharset::Gbk ? decodeGbk(script, false) : decodeUtf8(script);
                size_t pos = 1;
                std::u32string value;
                ASSERT_TRUE(parseJsLiteral(page, pos, static_cast<unsigned char>(quote), value)) << text;
                EXPECT_EQ(pos, page.size() - 2) << text;  // the closing quote is the one written after it
                EXPECT_EQ(value, decodeGbk(text, cs == ScriptCharset::Utf8)) << text;
                EXPECT_EQ(lit.find("</"), std::string::npos) << text;
                EXPECT_EQ(lit.find("<!"), std::string::npos) << text;
                EXPECT_EQ(lit.find_first_of("\r\n"), std::string::npos) << text;
            }
        }
    }
    // Texts without anything to escape keep their bytes, in GBK scripts.
    const std::vector<std::string> plain = {
        "a", " ", "'", "<", "\t", "\xD5\x5C", "\xD6\xD0", "\x81\x30\x81\x30", "\x80", "\xFF", "\xAA\xA1"};
    for (int round = 0; round < 1000; ++round) {
        std::string text;
        for (int n = static_cast<int>(rng() % 12); n > 0; --n) text += plain[rng() % plain.size()];
        EXPECT_EQ(literal(text, '"'), text);
    }
}

TEST(ScriptLiteral, FontNamesCannotEndTheRuleOrTheStyleElement) {
    CssStyle st;
    st.fontName = "\xCB\xCE\xCC\xE5, Sans-Serif_1";  // 宋体 first
    EXPECT_EQ(styleToCss(st), "font-family:\xCB\xCE\xCC\xE5, Sans-Serif_1;");
    st.fontName = "A'b\"c\\d;e{f}(g[h/*i</style>";
    EXPECT_EQ(styleToCss(st),
              "font-family:A\\27 b\\22 c\\5C d\\3B e\\7B f\\7D \\28 g\\5B h\\2F \\2A i\\3C \\2F style\\3E ;");
    st.fontName = "\xDF\x5C Sans";  // 運: its trail byte is no backslash
    EXPECT_EQ(styleToCss(st), "font-family:\xDF\x5C Sans;");
}

}  // namespace
}  // namespace sylvanode

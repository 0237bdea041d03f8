// SPDX-License-Identifier: MIT
#include "codegen/script_literal.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <sstream>
#include <vector>

#include "codegen/script_text.h"
#include "platform/text_encoding.h"
#include "test_support.h"

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
        // A lead byte takes 0xFF with it into one replacement; a user-defined code is the
        // private-use character a browser shows (0xFEFE: U+E4C5).
        {"\x81\xFF|", '"', gbk, "\\uFFFD|"},
        {"\x81\xFF|\xFE\xFE", '"', utf8, "\\uFFFD|\xEE\x93\x85"},
    };
    for (const Case& c : cases) EXPECT_EQ(literal(c.text, c.quote, c.charset), c.expected) << c.text;
}

// What Chromium's decoder for GBK pages makes of every two-byte code and of the four-byte
// codes of the Basic Multilingual Plane (tests/fixtures/gb18030, made by browser_table.mjs).
struct BrowserTable {
    std::vector<char32_t> twoByte;  // by pointer: (lead - 0x81) * 190 + trail index
    std::vector<std::pair<unsigned, char32_t>> fourByteRuns;
    BrowserTable() {
        std::istringstream two(test::fixture("gb18030/two-byte.txt"));
        for (std::string line; std::getline(two, line);) {
            std::istringstream fields(line);
            std::string field;
            fields >> field;  // the lead byte
            while (fields >> field) twoByte.push_back(static_cast<char32_t>(std::stoul(field, nullptr, 16)));
        }
        std::istringstream four(test::fixture("gb18030/four-byte-ranges.txt"));
        unsigned pointer = 0;
        std::string cp;
        while (four >> pointer >> cp) fourByteRuns.emplace_back(pointer, std::stoul(cp, nullptr, 16));
    }
    char32_t fourByte(unsigned pointer) const {
        if (pointer >= 189000 && pointer <= 1237575) return 0x10000 + pointer - 189000;
        if (pointer > 39419) return 0;
        auto run = std::upper_bound(fourByteRuns.begin(), fourByteRuns.end(), std::make_pair(pointer, U'\U0010FFFF'));
        --run;
        return run->second + (pointer - run->first);
    }
};

const BrowserTable& browserTable() {
    static const BrowserTable table;
    return table;
}

// The gb18030 decoder of the Encoding Standard, step by step, on the table above: what a
// browser shows for the bytes of a GBK page.
std::u32string browserDecode(std::string_view b) {
    const BrowserTable& table = browserTable();
    std::u32string out;
    auto in = [](unsigned c, unsigned lo, unsigned hi) { return c >= lo && c <= hi; };
    unsigned first = 0, second = 0, third = 0;
    std::vector<unsigned> pending;  // bytes given back to the stream, read before the rest
    size_t i = 0;
    for (;;) {
        unsigned byte = 0;
        if (!pending.empty()) {
            byte = pending.front();
            pending.erase(pending.begin());
        } else if (i < b.size()) {
            byte = static_cast<unsigned char>(b[i++]);
        } else {
            if (first || second || third) out += U'\uFFFD';
            return out;
        }
        if (third) {
            if (!in(byte, 0x30, 0x39)) {
                pending.insert(pending.begin(), {second, third, byte});
                first = second = third = 0;
                out += U'\uFFFD';
                continue;
            }
            const char32_t cp = table.fourByte((first - 0x81) * 12600 + (second - 0x30) * 1260 + (third - 0x81) * 10 +
                                               byte - 0x30);
            first = second = third = 0;
            out += cp ? cp : U'\uFFFD';
            continue;
        }
        if (second) {
            if (in(byte, 0x81, 0xFE)) {
                third = byte;
                continue;
            }
            pending.insert(pending.begin(), {second, byte});
            first = second = 0;
            out += U'\uFFFD';
            continue;
        }
        if (first) {
            if (in(byte, 0x30, 0x39)) {
                second = byte;
                continue;
            }
            const unsigned lead = first;
            first = 0;
            if (in(byte, 0x40, 0x7E) || in(byte, 0x80, 0xFE)) {
                out += table.twoByte[(lead - 0x81) * 190 + byte - (byte < 0x7F ? 0x40 : 0x41)];
                continue;
            }
            if (byte < 0x80) pending.insert(pending.begin(), byte);
            out += U'\uFFFD';
            continue;
        }
        if (byte < 0x80)
            out += static_cast<char32_t>(byte);
        else if (byte == 0x80)
            out += U'\u20AC';
        else if (in(byte, 0x81, 0xFE))
            first = byte;
        else
            out += U'\uFFFD';
    }
}

// What a browser shows for a text in a literal, where the closing quote follows it.
std::u32string browserText(std::string_view text, char quote) {
    std::u32string shown = browserDecode(std::string(text) + quote);
    shown.pop_back();
    return shown;
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

// The text a browser finds in the literal written for `text`, read as the page of `cs` is
// read; false when the literal does not end at the closing quote written after it.
bool shownInScript(std::string_view text, char quote, ScriptCharset cs, std::u32string& value) {
    const std::string lit = literal(text, quote, cs);
    const std::string script = std::string(1, quote) + lit + quote + ");";
    const std::u32string page = cs == ScriptCharset::Gbk ? browserDecode(script) : decodeUtf8(script);
    size_t pos = 1;
    value.clear();
    return parseJsLiteral(page, pos, static_cast<unsigned char>(quote), value) && pos == page.size() - 2;
}

// Random texts of the pieces that break naive quoting hold exactly their text in both quotes
// and both character sets, the literal ends at its own closing quote, and nothing in it can
// end an inline <script> element or the line.
TEST(ScriptLiteral, EveryTextReadsBackExactly) {
    const std::vector<std::string> pieces = {
        "\\", "\"", "'", "\\u0041", "C:\\web\\", "</script>", "<!--", "a", " ", "\t", "\r", "\n", "\x7F", "0",
        "\xD5\x5C", "\xDF\x5C", "\x81\x5C", "\xD6\xD0", "\xA1\xA1", "\xAA\xA1", "\xA3\xA0", "\xA8\xBC",
        "\xFE\xFE", "\xFE\x51", "\xFE\x59", "\x81", "\xFE", "\xFF", "\x81\xFF", "\x80", "\x81\x30\x81\x30",
        "\x81\x30", "\x95\x32\x82\x36", "\x84\x31\xA5\x30", "\x82\x35\x90\x37", "\x90\x30\x81\x30",
        "\xE3\x32\x9A\x35", "\xE3\x32\x9A\x36", "<", "/", "!", "\\x41"};
    std::mt19937 rng(20240611);
    for (int round = 0; round < 3000; ++round) {
        std::string text;
        for (int n = static_cast<int>(rng() % 12); n > 0; --n) text += pieces[rng() % pieces.size()];
        for (ScriptCharset cs : {ScriptCharset::Gbk, ScriptCharset::Utf8}) {
            for (char quote : {'"', '\''}) {
                std::u32string value;
                ASSERT_TRUE(shownInScript(text, quote, cs, value)) << text;
                EXPECT_EQ(value, browserText(text, quote)) << text;
                const std::string lit = literal(text, quote, cs);
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

std::string hexBytes(std::string_view bytes) {
    std::string out;
    for (unsigned char c : bytes) {
        static constexpr char kDigits[] = "0123456789ABCDEF";
        out += kDigits[c >> 4];
        out += kDigits[c & 15];
    }
    return out;
}

// Every two-byte code, every four-byte code of the Basic Multilingual Plane, the edges of
// the supplementary planes and codes that name nothing: a page in either character set shows
// what a browser shows for the scheme's bytes, also with a backslash right after them.
TEST(ScriptLiteral, EveryCodeReadsAsTheBrowserReadsIt) {
    std::vector<std::string> codes;
    for (unsigned lead = 0x81; lead <= 0xFE; ++lead)
        for (unsigned trail = 0x30; trail <= 0xFF; ++trail) codes.push_back({char(lead), char(trail)});
    auto fourByte = [](unsigned pointer) {
        return std::string{char(0x81 + pointer / 12600), char(0x30 + pointer % 12600 / 1260),
                           char(0x81 + pointer % 1260 / 10), char(0x30 + pointer % 10)};
    };
    for (unsigned pointer = 0; pointer < 39420 + 10; ++pointer) codes.push_back(fourByte(pointer));
    for (unsigned pointer : {188999u, 189000u, 189001u, 1237574u, 1237575u, 1237576u, 1587599u})
        codes.push_back(fourByte(pointer));
    for (ScriptCharset cs : {ScriptCharset::Gbk, ScriptCharset::Utf8}) {
        int wrong = 0;
        for (const std::string& code : codes) {
            const std::string text = code + "\\";
            std::u32string value;
            if (!shownInScript(text, '"', cs, value) || value != browserText(text, '"')) {
                if (++wrong <= 5) ADD_FAILURE() << "code " << hexBytes(code) << (cs == ScriptCharset::Gbk ? " (GBK)" : " (UTF-8)");
            }
        }
        EXPECT_EQ(wrong, 0);
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

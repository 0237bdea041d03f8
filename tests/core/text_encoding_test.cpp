// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <random>

#include "platform/text_encoding.h"

namespace sylvanode {
namespace {

// Every character the scheme bytes hold comes back from UTF-8 as the same bytes; bytes that
// start no character are shown as \xNN and never swallow the byte after them.
TEST(TextEncoding, SchemeBytesThroughUtf8AndBack) {
    std::mt19937 rng(7);
    for (int round = 0; round < 300; ++round) {
        std::string bytes;
        const int n = static_cast<int>(rng() % 40);
        for (int i = 0; i < n; ++i) bytes.push_back(static_cast<char>(rng() % 256));
        std::string valid;  // only the characters that decode
        for (size_t i = 0; i < bytes.size();) {
            const DecodedChar c = decodeSchemeChar(bytes, i);
            if (c.valid) valid += bytes.substr(i, c.length);
            i += c.length;
        }
        std::string back;
        ASSERT_TRUE(utf8ToSchemeBytes(schemeBytesToUtf8(valid), back));
        EXPECT_EQ(back, valid);
        ASSERT_TRUE(utf8ToSchemeBytes(schemeBytesToUtf8(bytes, "\xEF\xBF\xBD"), back));
    }
    EXPECT_EQ(schemeBytesToUtf8("\xD6\xD0\xFF" "a\x81\x5C"), "中\\xFFa乗");
    EXPECT_EQ(schemeBytesToUtf8("\x81\x30\x81\x30"), "\xC2\x80");  // a GB18030 four-byte character
}

TEST(TextEncoding, Utf8ToSchemeBytes) {
    std::string out;
    ASSERT_TRUE(utf8ToSchemeBytes("中a€😀", out));
    EXPECT_EQ(out, "\xD6\xD0" "a\x80\x94\x39\xFC\x36");  // GBK, the euro sign, GB18030 for the rest
    for (const char* bad : {"\xC0\xAF", "\xED\xA0\x80", "\xE4\xB8", "\xFF", "\xF4\x90\x80\x80"})
        EXPECT_FALSE(utf8ToSchemeBytes(bad, out)) << bad;
}

}  // namespace
}  // namespace sylvanode

// SPDX-License-Identifier: MIT
// Random schemes written, read and written again give identical bytes.
#include <gtest/gtest.h>

#include <random>

#include "model/scheme_io.h"

namespace sylvanode {
namespace {

class RandomText {
public:
    explicit RandomText(uint32_t seed) : rng_(seed) {}

    // GBK characters with awkward trail bytes, "=", quotes, ";", "[", blanks and tabs
    // anywhere, outer ones included.
    std::string text(size_t maxLen = 12) {
        static const char* pieces[] = {"a",        "Z",        "=",        "\"", "'", ";", "[",
                                       "]",        " ",        "\t",       "\\", "/", ":",
                                       "\x81\x5C",                          // trail byte is "\"
                                       "\xD5\x5C", "\xDF\x5C", "\x81\x5D",  // trail byte is "]"
                                       "\xD6\xD0", "\xB9\xFA", "\xA1\xA1",  // ideographic space
                                       "cl",       "0x1F",     "-3"};
        std::string out;
        const size_t n = rng_() % (maxLen + 1);
        for (size_t i = 0; i < n; ++i) out += pieces[rng_() % (sizeof pieces / sizeof *pieces)];
        // Now and then a value wholly inside quotes, as a script or a hint may be.
        if (rng_() % 8 == 0) {
            const std::string quote = rng_() & 1 ? "'" : "\"";
            out = quote + out + quote;
        }
        return out;
    }
    std::string color() {
        static const char* hex = "0123456789abcdefABCDEF";
        switch (rng_() % 4) {
            case 0: return "";
            case 1: {
                std::string s;
                const size_t n = 1 + rng_() % 6;
                for (size_t i = 0; i < n; ++i) s += hex[rng_() % 22];
                return s;
            }
            case 2: return "clBtnFace";
            default: return "clRed";
        }
    }
    int number(int lo, int hi) { return lo + static_cast<int>(rng_() % static_cast<uint32_t>(hi - lo + 1)); }
    bool coin() { return rng_() & 1; }

private:
    std::mt19937 rng_;
};

void fillRandom(MenuScheme& s, RandomText& r) {
    SchemeSettings& st = s.settings;
    st.workDir = r.text();
    st.fileIcon = r.text();
    st.folderIcon1 = r.text();
    st.folderIcon2 = r.text();
    st.target = r.text();
    st.lineFolder = r.text();
    st.indent = r.number(-100, 100);
    st.useImage = r.coin();
    st.showLine = r.coin();
    st.showHint = r.coin();
    st.scriptCharset = r.coin() ? ScriptCharset::Utf8 : ScriptCharset::Gbk;
    for (KindStyle& k : s.kinds) {
        for (int32_t& p : k.padding) p = r.number(-5, 60);
        k.height = r.number(0, 50);
        for (CssStyle& c : k.styles) {
            c.fontName = r.text();
            c.fontSize = r.number(-1, 40);
            c.fontStyle = r.number(-1, 3);
            c.underline = r.coin();
            c.useBorder = r.coin();
            c.borderWidth = r.number(0, 10);
            c.backgroundColor = r.color();
            c.textColor = r.color();
            c.borderColor = r.color();
        }
    }
    std::vector<MenuNode*> all;
    const int items = r.number(0, 60);
    for (int i = 0; i < items; ++i) {
        MenuNode* parent = all.empty() || r.number(0, 4) == 0 ? nullptr : all[static_cast<size_t>(r.number(0, static_cast<int>(all.size()) - 1))];
        MenuNode* n = parent ? parent->appendChild() : s.appendRoot();
        MenuItemData& d = n->data;
        d.menuName = r.text();
        n->caption = d.menuName;
        d.menuHint = r.text();
        d.menuStatus = r.text();
        d.menuIcon1 = r.text();
        d.menuIcon2 = r.text();
        d.contentType = r.coin() ? 1 : 0;
        (d.contentType ? d.menuScript : d.menuLink) = r.text(30);
        if (d.contentType == 0) d.menuTarget = r.text();
        all.push_back(n);
    }
    // A deep chain now and then.
    if (r.number(0, 3) == 0) {
        MenuNode* n = s.appendRoot();
        for (int i = 0; i < 2000; ++i) n = n->appendChild();
    }
    forEachPreOrder(s.roots(), [](MenuNode* n, int) { n->refreshImage(); });
    // Icon2 is only kept for folders.
    forEachPreOrder(s.roots(), [](MenuNode* n, int) {
        if (n->isFile()) n->data.menuIcon2.clear();
    });
}

TEST(RoundTrip, RandomSchemesWriteReadWriteIdentically) {
    for (uint32_t seed = 1; seed <= 150; ++seed) {
        RandomText r(seed);
        MenuScheme s;
        fillRandom(s, r);
        const std::string first = writeSchemeText(s);
        MenuScheme back;
        const SchemeResult res = readSchemeText(back, first);
        ASSERT_TRUE(res) << "seed " << seed << ": " << res.failure;
        ASSERT_EQ(writeSchemeText(back), first) << "seed " << seed;
        // The model itself comes back, every text whole, not just the bytes.
        EXPECT_EQ(back.settings, s.settings) << "seed " << seed;
        EXPECT_EQ(back.kinds, s.kinds) << "seed " << seed;
        const auto a = s.flatten(), b = back.flatten();
        ASSERT_EQ(a.size(), b.size());
        for (size_t i = 0; i < a.size(); ++i) {
            ASSERT_EQ(b[i]->caption, a[i]->caption) << "seed " << seed;
            ASSERT_EQ(b[i]->data, a[i]->data) << "seed " << seed << " item " << i;
        }
    }
}

}  // namespace
}  // namespace sylvanode

// SPDX-License-Identifier: MIT
// Export followed by import gives the same tree back, for every format, on random trees.
#include <gtest/gtest.h>

#include <random>

#include "exchange/exporter.h"
#include "exchange/html_list_reader.h"
#include "exchange/json_format.h"
#include "exchange/outline_reader.h"
#include "exchange/xml_formats.h"
#include "exchange_support.h"

namespace sylvanode {
namespace {

class RandomTree {
public:
    explicit RandomTree(uint32_t seed) : rng_(seed) {}

    // Words of awkward characters (markup, link syntax, GBK pairs with "\" and "]" trail
    // bytes, a GB18030 four-byte character) joined by single spaces.
    std::string text(bool allowEmpty = true) {
        static const char* pieces[] = {"a",        "Z",
                                       "&",        "<",
                                       ">",        "\"",
                                       "'",        "[",
                                       "]",        "(",
                                       ")",        "\\",
                                       "#",        "=",
                                       "/",        ":",
                                       ";",        "-",
                                       "1.",       "\x81\x5C",
                                       "\xD5\x5C", "\x81\x5D",
                                       "\xD6\xD0", "\xB9\xFA",
                                       "\x80",     "\x94\x39\xFC\x36",
                                       "&amp;",    "://"};
        const size_t words = allowEmpty ? rng_() % 4 : 1 + rng_() % 3;
        std::string out;
        for (size_t w = 0; w < words; ++w) {
            if (w) out += ' ';
            const size_t n = 1 + rng_() % 4;
            for (size_t i = 0; i < n; ++i) out += pieces[rng_() % (sizeof pieces / sizeof *pieces)];
        }
        return out;
    }
    std::string link() {
        static const char* links[] = {"",
                                      "index.htm",
                                      "products/intro.htm?x=1&y=2#top",
                                      "https://example.com/a b",
                                      "\xB2\xFA\xC6\xB7/a.htm",
                                      "../up (1).html",
                                      "mailto:a@example.com"};
        return links[rng_() % (sizeof links / sizeof *links)];
    }
    bool chance(int percent) { return static_cast<int>(rng_() % 100) < percent; }

    void fill(MenuScheme& scheme) {
        std::vector<MenuNode*> open;
        const int count = 1 + static_cast<int>(rng_() % 60);
        for (int i = 0; i < count; ++i) {
            while (!open.empty() && (open.size() > 6 || chance(30))) open.pop_back();
            MenuItemData d;
            d.menuName = text(false);
            d.menuHint = chance(40) ? text() : "";
            d.menuStatus = chance(30) ? text() : "";
            d.menuIcon1 = chance(30) ? "img/" + text(false) + ".gif" : "";
            d.menuIcon2 = chance(20) ? "img/open.gif" : "";
            if (chance(20)) {
                d.contentType = 1;
                d.menuScript = chance(90) ? "go(\"" + text() + "\")" : "";
            } else {
                d.menuLink = link();
                d.menuTarget = chance(30) ? "main" : "";
            }
            auto node = std::make_unique<MenuNode>(d);
            node->caption = d.menuName;
            MenuNode* added =
                open.empty() ? scheme.appendRoot(std::move(node)) : open.back()->appendChild(std::move(node));
            open.push_back(added);
        }
        forEachPreOrder(scheme.roots(), [](MenuNode* n, int) { n->refreshImage(); });
    }

private:
    std::mt19937 rng_;
};

// The same tree without the fields a format does not carry.
std::string withoutTargetsStatusIcons(const MenuScheme& scheme) {
    MenuScheme copy;
    std::vector<MenuNode*> parents;
    forEachPreOrder(scheme.roots(), [&](MenuNode* n, int level) {
        MenuItemData d = n->data;
        d.menuTarget.clear(), d.menuStatus.clear(), d.menuIcon1.clear(), d.menuIcon2.clear();
        auto node = std::make_unique<MenuNode>(d);
        node->caption = n->caption;
        node->imageIndex = n->imageIndex;
        parents.resize(static_cast<size_t>(level));
        parents.push_back(level == 0 ? copy.appendRoot(std::move(node))
                                     : parents[static_cast<size_t>(level) - 1]->appendChild(std::move(node)));
    });
    return test::dumpForest(copy.roots());
}

TEST(ExchangeRoundTrip, EveryFormatGivesTheTreeBack) {
    for (uint32_t seed = 1; seed <= 150; ++seed) {
        MenuScheme scheme;
        RandomTree(seed).fill(scheme);
        const std::string tree = test::dumpForest(scheme.roots());

        // HTML, as it sits in a GBK page.
        ImportResult html = readHtmlList("<meta charset=\"gbk\">" + exportHtmlNav(scheme));
        ASSERT_TRUE(html) << html.failure;
        EXPECT_EQ(test::dumpForest(html.roots), tree) << "html, seed " << seed << "\n"
                                                      << exportHtmlNav(scheme);

        std::string outline;
        ASSERT_TRUE(exportOutline(scheme, outline));
        ImportResult fromOutline = readOutline(outline);
        ASSERT_TRUE(fromOutline) << fromOutline.failure;
        EXPECT_EQ(test::dumpForest(fromOutline.roots), withoutTargetsStatusIcons(scheme))
            << "outline, seed " << seed << "\n"
            << outline;

        ImportResult opml = readOpml(exportOpml(scheme));
        ASSERT_TRUE(opml) << opml.failure;
        EXPECT_EQ(test::dumpForest(opml.roots), tree) << "opml, seed " << seed;

        ImportResult json = readMenuJson(writeMenuJson(scheme));
        ASSERT_TRUE(json) << json.failure;
        EXPECT_EQ(test::dumpForest(json.roots), tree) << "json, seed " << seed;

        ImportResult jstree = readMenuJson(writeJsTreeJson(scheme));
        ASSERT_TRUE(jstree) << jstree.failure;
        EXPECT_EQ(test::dumpForest(jstree.roots), tree) << "jstree, seed " << seed << "\n" << writeJsTreeJson(scheme);
        if (HasFailure()) break;
    }
}

// A UTF-8 scheme exports a UTF-8 fragment, which reads back the same.
TEST(ExchangeRoundTrip, Utf8SchemeExportsUtf8Html) {
    MenuScheme scheme;
    RandomTree(99).fill(scheme);
    scheme.settings.scriptCharset = ScriptCharset::Utf8;
    const ExportResult r = exportScheme(scheme, ExportFormat::Html);
    ASSERT_TRUE(r);
    ImportResult back = readHtmlList(r.bytes);
    ASSERT_TRUE(back) << back.failure;
    EXPECT_EQ(test::dumpForest(back.roots), test::dumpForest(scheme.roots()));
}

// Deep chains go through the formats that nest without indentation, whole and without
// recursion; an outline would need gigabytes of indentation and is refused.
TEST(ExchangeRoundTrip, DeepChainThroughEveryNestingFormat) {
    MenuScheme scheme;
    MenuNode* at = scheme.appendRoot();
    for (int i = 0; i < 100000; ++i) at = at->appendChild();
    forEachPreOrder(scheme.roots(), [](MenuNode* n, int) { n->refreshImage(); });
    auto depthOf = [](const ImportResult& r) {
        int depth = 0;
        for (const MenuNode* n = r.roots[0].get(); n->hasChildren(); n = n->firstChild()) ++depth;
        return depth;
    };
    const ImportResult json = readMenuJson(writeMenuJson(scheme));
    const ImportResult jstree = readMenuJson(writeJsTreeJson(scheme));
    const ImportResult opml = readOpml(exportOpml(scheme));
    const ImportResult html = readHtmlList(exportHtmlNav(scheme));
    for (const ImportResult* r : {&json, &jstree, &opml, &html}) {
        ASSERT_TRUE(*r) << r->failure;
        EXPECT_EQ(depthOf(*r), 100000);
    }
    std::string outline;
    EXPECT_FALSE(exportOutline(scheme, outline));
}

}  // namespace
}  // namespace sylvanode

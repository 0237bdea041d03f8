// SPDX-License-Identifier: MIT
// Import of real-looking pages, a sitemap, an OPML file and a site folder, and the guess of
// what a file holds.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <tuple>

#include "exchange/importer.h"
#include "exchange_support.h"
#include "test_support.h"

namespace sylvanode {
namespace {

std::string importAsText(const std::string& fixture, ImportOptions options = {}) {
    ImportResult r = importPath(test::fixturePath("import/" + fixture), options);
    if (!r) return "error: " + r.error;
    return test::dumpForest(r.roots);
}

TEST(Import, FixturesGiveTheirMenus) {
    struct Case {
        const char* fixture;
        ImportOptions options;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {"docs-sidebar.html",
         {},
         "Overview -> index.html\n"
         "Getting started\n"
         "  Installing -> install.html {Install on Linux, macOS or Windows}\n"
         "  First steps -> first-steps.html\n"
         "  Configuration files -> config.html#files\n"
         "Guides\n"
         "  Themes & colours -> guides/themes.html\n"
         "  Writing plugins -> guides/plugins.html\n"
         "    Plugin API -> guides/plugins-api.html\n"
         "    Publishing -> guides/plugins-publish.html\n"
         "FAQ -> faq.html\n"
         "Report a problem -> https://github.example.org/lantern/issues @_blank\n"},
        {"shop-categories.html",
         {std::nullopt, "categories"},
         "Women\n"
         "  Jackets (48) -> /c/women/jackets\n"
         "  Boots (12) -> /c/women/boots\n"
         "  Sale -> /c/women/sale\n"
         "Men\n"
         "  Jackets -> /c/men/jackets\n"
         "  Trousers & shorts -> /c/men/trousers\n"
         "Kids -> /c/kids\n"
         "Gift cards -> /c/gift-cards {Give the outdoors}\n"},
        {"gbk-site.html",
         {ImportKind::Html, {}},
         "网站首页 -> index.htm\n"
         "关于我们 -> about/index.htm {公司简介}\n"
         "  发展历程 -> about/history.htm\n"
         "  企业荣誉 -> about/honor.htm\n"
         "产品中心 -> products/index.htm\n"
         "  产品介绍 -> products/intro.htm\n"
         "  电机系列 -> products/motor.htm @main\n"
         "  水泵系列 € -> products/pump.htm\n"
         "新闻动态 -> news.asp\n"
         "联系我们 -> mailto:sales@example.cn\n"},
        {"two-lists-nav.html",
         {},
         "Home -> /\n"
         "Catalogue -> /catalogue/\n"
         "  New arrivals -> /catalogue/new.html\n"
         "  E-books -> /catalogue/ebooks.html\n"
         "Events -> /events.html\n"
         "Visit us -> /visit.html @_self\n"},
        {"two-lists-nav.html",
         {std::nullopt, "clubs"},
         "Crime fiction -> /clubs/crime.html\nPoetry -> /clubs/poetry.html\n"},
        {"sitemap.xml",
         {},
         "www.example.org -> https://www.example.org/\n"
         "about -> https://www.example.org/about.html\n"
         "products -> https://www.example.org/products/\n"
         "  garden-tools -> https://www.example.org/products/garden-tools.html\n"
         "  园艺 -> https://www.example.org/products/%E5%9B%AD%E8%89%BA/index.html\n"
         "    spring bulbs -> https://www.example.org/products/%E5%9B%AD%E8%89%BA/spring%20bulbs.html\n"
         "blog\n"
         "  2024\n"
         "    05\n"
         "      first-post -> https://www.example.org/blog/2024/05/first-post.html?ref=sitemap\n"
         "contact -> https://www.example.org/contact.html\n"},
        {"bookmarks.opml",
         {},
         "Handbook -> https://handbook.example.com/\n"
         "  Onboarding -> https://handbook.example.com/onboarding\n"
         "  Holidays & leave -> https://handbook.example.com/leave\n"
         "News feeds\n"
         "  Release notes -> https://example.com/releases\n"
         "  Status -> https://status.example.com/feed.xml\n"
         "周报 -> reports/weekly.html\n"},
        {"site",
         {},
         "Harbour Bakery -> index.html\n"
         "About the bakery -> about.html\n"
         "opening-hours.htm -> opening-hours.htm\n"
         "docs\n"
         "  guide\n"
         "    How to order -> docs/guide/ordering.html\n"
         "products -> products/index.html\n"
         "  月饼 -> products/mooncake.html\n"
         "  Sourdough loaf -> products/sourdough.html\n"},
        {"site", {ImportKind::Html, {}}, "error: "},
        {"missing.html", {}, "error: no such file or folder"},
        {"site", {ImportKind::Opml, {}}, "error: it is a folder; --from opml reads a file"},
        {"site/images/logo.png",
         {ImportKind::Sitemap, {}},
         "error: not a page, outline or menu file (binary data)"},
        {"site/about.html", {ImportKind::Sitemap, {}}, "error: not a sitemap (not well-formed XML)"},
        {"bookmarks.opml", {ImportKind::Sitemap, {}}, "error: not a sitemap (no <urlset>)"},
    };
    for (const auto& c : cases) {
        const std::string got = importAsText(c.fixture, c.options);
        if (c.expected.rfind("error: ", 0) == 0)
            EXPECT_EQ(got.rfind(c.expected, 0), 0u) << c.fixture << "\n" << got;
        else
            EXPECT_EQ(got, c.expected) << c.fixture;
    }
}

// The folder, or the folder of the page or outline, becomes the work directory of the new
// scheme: the imported links are relative to it.
TEST(Import, FolderBecomesTheWorkDirectory) {
    const std::tuple<std::string, std::string, int> cases[] = {
        {"import/site", "import/site", 9},
        {"import/site/../docs-sidebar.html", "import", 12},
    };
    for (const auto& [source, folder, items] : cases) {
        ImportResult r = importPath(test::fixturePath(source));
        ASSERT_TRUE(r) << r.error;
        MenuScheme scheme;
        adoptImport(scheme, r);
        EXPECT_EQ(scheme.settings.workDir, test::fixturePath(folder) + "/") << source;
        EXPECT_EQ(scheme.itemCount(), items) << source;
        EXPECT_TRUE(scheme.fileName.empty());
    }
}

// Only a regular file is read: a pipe nobody writes to does not block the import, and a
// device is not read until the size limit.
TEST(Import, ReadsOnlyRegularFiles) {
    test::TempDir dir;
    ASSERT_EQ(::mkfifo(dir.file("pipe").c_str(), 0600), 0);
    const std::pair<std::string, std::string> cases[] = {
        {dir.file("pipe"), "it is a pipe"},
        {"/dev/zero", "it is a device"},
    };
    for (const auto& [path, error] : cases) EXPECT_EQ(importPath(path).error, error) << path;
}

TEST(Import, GuessesWhatAFileHolds) {
    const std::vector<std::pair<std::string, ImportKind>> cases = {
        {"\xEF\xBB\xBF  {\"items\":[]}", ImportKind::Json},
        {"<?xml version=\"1.0\"?>\n<urlset xmlns=\"x\">", ImportKind::Sitemap},
        {"<?xml version=\"1.0\"?><sitemapindex>", ImportKind::Sitemap},
        {"<?xml version=\"1.0\"?>\n<opml version=\"2.0\">", ImportKind::Opml},
        {"<!DOCTYPE html><html>", ImportKind::Html},
        {"Copied from a page: <ul><li>a</li></ul>", ImportKind::Html},
        {"- Home\n  - [About](about.html)\n", ImportKind::Outline},
        {"", ImportKind::Outline},
    };
    for (const auto& [bytes, kind] : cases) EXPECT_EQ(guessImportKind(bytes), kind) << bytes;
    // Text saved as UTF-16 with its byte-order mark, as Windows editors save "Unicode".
    const char utf16Outline[] = "\xFF\xFE-\0 \0[\0-N\x87\x65]\0(\0a\0.\0h\0t\0m\0)\0\n\0";
    ImportResult outline = importBytes(std::string(utf16Outline, sizeof utf16Outline - 1));
    ASSERT_TRUE(outline) << outline.error;
    EXPECT_EQ(test::dumpForest(outline.roots), "中文 -> a.htm\n");
    const char utf16Page[] = "\xFE\xFF\0<\0u\0l\0>\0<\0l\0i\0>\0x\0<\0/\0l\0i\0>\0<\0/\0u\0l\0>";
    ImportResult page = importBytes(std::string(utf16Page, sizeof utf16Page - 1));
    ASSERT_TRUE(page) << page.error;
    EXPECT_EQ(test::dumpForest(page.roots), "x\n");
    ImportResult bin =
        importBytes(std::string("\x7F"
                                "ELF\x02\x01\x01\0\0\0",
                                10));
    EXPECT_EQ(bin.error, "not a page, outline or menu file (binary data)");
}

}  // namespace
}  // namespace sylvanode

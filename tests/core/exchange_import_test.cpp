// SPDX-License-Identifier: MIT
// Import of real-looking pages, a sitemap, an OPML file and a site folder, and the guess of
// what a file holds.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <tuple>

#include "exchange/importer.h"
#include "exchange_support.h"
#include "test_support.h"

namespace sylvanode {
namespace {

// `source`: a fixture in tests/fixtures/import, or a full path.
std::string importAsText(const std::string& source, ImportOptions options = {}) {
    ImportResult r =
        importPath(source.starts_with('/') ? source : test::fixturePath("import/" + source), options);
    if (!r) return "error: " + r.error;
    return test::dumpForest(r.roots);
}

TEST(Import, FixturesGiveTheirMenus) {
    struct Case {
        std::string source;
        ImportOptions options;
        std::string expected;
        bool asAnotherUser = false;  // imported by a user whom permission bits bind
    };
    // Files and folders that only a test makes.
    test::TempDir made;
    ::chmod(made.path().c_str(), 0755);
    const auto file = [&made](const std::string& name, const std::string& bytes) {
        test::writeFile(made.file(name), bytes);
        return made.file(name);
    };
    const auto folder = [&made](const std::string& name, std::initializer_list<const char*> files) {
        for (std::string f : files) {
            std::filesystem::create_directories(
                std::filesystem::path(made.file(name + "/" + f)).parent_path());
            test::writeFile(made.file(name + "/" + f), "<title>" + f + "</title>");
        }
        std::filesystem::create_directories(made.file(name));
        return made.file(name);
    };
    const std::string sitemapIndex =
        file("index.xml",
             "<?xml version=\"1.0\"?><sitemapindex><sitemap><loc>https://a.example/s1.xml</loc>"
             "</sitemap></sitemapindex>");
    const std::string emptySitemap =
        file("empty.xml", "<?xml version=\"1.0\"?><urlset xmlns=\"x\"></urlset>");
    const std::string opmlWithoutBody =
        file("head.opml", "<?xml version=\"1.0\"?><opml version=\"2.0\"><head/></opml>");
    const std::string opmlWithoutItems =
        file("bare.opml", "<?xml version=\"1.0\"?><opml version=\"2.0\"><head/><body></body></opml>");
    const std::string noPages = folder("no-pages", {"notes.txt", "img/logo.png"});
    const std::string threePages = folder("three", {"a.html", "b.htm", "sub/c.html"});
    const std::string locked = folder("locked", {"index.html", "private/secret.html"});
    ::chmod((locked + "/private").c_str(), 0);
    const std::string huge = file("huge.html", "");  // sparse: takes no room on disk
    ASSERT_EQ(::truncate(huge.c_str(), static_cast<off_t>(kMaxImportBytes + 1)), 0);

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
        {sitemapIndex, {}, "error: a sitemap index: import one of the sitemaps it lists"},
        {emptySitemap, {}, "error: the sitemap lists no addresses"},
        {opmlWithoutBody, {}, "error: the OPML file has no <body>"},
        {opmlWithoutItems, {}, "error: the OPML outline has no items"},
        {noPages, {}, "error: no .html or .htm pages in the folder"},
        {threePages,
         {std::nullopt, {}, 3},
         "a.html -> a.html\nb.htm -> b.htm\nsub\n  sub/c.html -> sub/c.html\n"},
        {threePages, {std::nullopt, {}, 2}, "error: the folder holds more than 2 pages"},
        {locked, {}, "error: cannot read the folder " + locked + "/private: permission denied", true},
        {huge, {}, "error: it is larger than 256 MiB"},
    };
    for (const auto& c : cases) {
        const std::string got = c.asAnotherUser ? test::inChildProcess([&c] {
            return test::becomeUnprivileged() ? importAsText(c.source, c.options) : "cannot change the user";
        })
                                                : importAsText(c.source, c.options);
        if (c.expected.rfind("error: ", 0) == 0)
            EXPECT_EQ(got.rfind(c.expected, 0), 0u) << c.source << "\n" << got;
        else
            EXPECT_EQ(got, c.expected) << c.source;
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

// JSON as a person or another program writes it: escapes, pairs of surrogates, keys this
// program does not know, and each refusal with the line it stopped on.
TEST(Import, MenuJsonWrittenByHand) {
    const std::pair<std::string, std::string> cases[] = {
        {"{\"items\":[{\"title\":\"caf\\u00E9 \\u4e2d\\u6587\",\"link\":\"a\\/b.htm\"}]}",
         "café 中文 -> a/b.htm\n"},
        {"{\"items\":[{\"title\":\"\\ud83c\\udf32 tree\\t\\\"x\\\" \\\\\"}]}", "🌲 tree\t\"x\" \\\n"},
        // A lone surrogate half is no character: it becomes U+FFFD.
        {"{\"items\":[{\"title\":\"a\\ud800b\"},{\"title\":\"\\udc00\"}]}", "a\uFFFDb\n\uFFFD\n"},
        {"\xEF\xBB\xBF{\"version\":[1,{\"x\":null}],\"items\":[{\"id\":7,\"title\":\"A\",\"open\":true,"
         "\"children\":[{\"title\":\"B\",\"script\":\"go()\",\"meta\":{\"k\":[\"v\",2.5e3]}}]}],\"extra\":"
         "false}",
         "A\n  B !go()\n"},
        {"\xFF{}", "error: not a menu in JSON (the text is not UTF-8)"},
        {"\n[]", "error: not a menu in JSON (line 2: expected {)"},
        {"{\"a\":1\n\"items\":[]}", "error: not a menu in JSON (line 2: expected , or })"},
        {"{\n\n1:2}", "error: not a menu in JSON (line 3: expected a key)"},
        {"{\"a\":\n}", "error: not a menu in JSON (line 2: bad value)"},
        {"{\"items\":\n{}}", "error: not a menu in JSON (line 2: \"items\" is not a list)"},
        {"{\"items\":[{}\n{}]}", "error: not a menu in JSON (line 2: expected , or ])"},
        {"{\"items\":[\n\"A\"]}", "error: not a menu in JSON (line 2: an item is not an object)"},
        {"{\"items\":[{\"title\":\"A\"\n\"link\":\"a\"}]}",
         "error: not a menu in JSON (line 2: expected , or })"},
        {"{\"items\":[{\n\"title\"}]}", "error: not a menu in JSON (line 2: expected a key)"},
        {"{\"items\":[{\"children\":\n\"none\"}]}",
         "error: not a menu in JSON (line 2: \"children\" is not a list)"},
        {"{\"items\":[{\"id\":\n]}]}", "error: not a menu in JSON (line 2: bad value)"},
        {"{\"items\":[{\n\"title\":7}]}", "error: not a menu in JSON (line 2: \"title\" is not a text)"},
        {"{\"items\":[{\"title\":\"bad \\x\"}]}",
         "error: not a menu in JSON (line 1: \"title\" is not a text)"},
        {"{\"items\":[{\"title\":\"A\"}]}\n\nx", "error: not a menu in JSON (line 3: text after the end)"},
        {"{\"menu\":[]\n}", "error: not a menu in JSON (line 2: no \"items\")"},
        {"{\"items\":[]}", "error: the menu has no items"},
    };
    for (const auto& [text, expected] : cases) {
        ImportResult r = importBytes(text, {ImportKind::Json, {}});
        EXPECT_EQ(r ? test::dumpForest(r.roots) : "error: " + r.error, expected) << text;
    }
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

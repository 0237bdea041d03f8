// SPDX-License-Identifier: MIT
// Import of real-looking pages, a sitemap, an OPML file and a site folder, and the guess of
// what a file holds.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <tuple>

#include "exchange/exporter.h"
#include "exchange/importer.h"
#include "exchange/link_check.h"
#include "model/scheme_io.h"
#include "exchange_support.h"
#include "test_support.h"

namespace sylvanode {
namespace {

ImportOptions from(ImportKind kind) {
    ImportOptions o;
    o.kind = kind;
    return o;
}
ImportOptions selecting(const char* select) {
    ImportOptions o;
    o.select = select;
    return o;
}
ImportOptions readAs(const char* charset) {
    ImportOptions o;
    o.charset = charset;
    return o;
}
ImportOptions folderOf(size_t maxPages) {
    ImportOptions o;
    o.maxFolderPages = maxPages;
    return o;
}

// Every kind of input as the sites people have write it: the menu each gives, and what the
// report names as taken.
TEST(Import, FixturesGiveTheirMenus) {
    struct Case {
        std::string source;  // a fixture in tests/fixtures/import, or a full path
        ImportOptions options;
        std::string expected;  // the tree, or "error: " and the start of the reason
        std::string taken = "";  // what the report says was taken
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
         "Report a problem -> https://github.example.org/lantern/issues @_blank\n",
         "<ul class=\"toc\"> in <aside id=\"docs-toc\" class=\"sidebar\">"},
        {"shop-categories.html", selecting("categories"),
         "Women\n"
         "  Jackets (48) -> /c/women/jackets\n"
         "  Boots (12) -> /c/women/boots\n"
         "  Sale -> /c/women/sale\n"
         "Men\n"
         "  Jackets -> /c/men/jackets\n"
         "  Trousers & shorts -> /c/men/trousers\n"
         "Kids -> /c/kids\n"
         "Gift cards -> /c/gift-cards {Give the outdoors}\n",
         "<ul> in <div id=\"categories\" class=\"mega-menu\">"},
        {"gbk-site.html", from(ImportKind::Html),
         "网站首页 -> index.htm\n"
         "关于我们 -> about/index.htm {公司简介}\n"
         "  发展历程 -> about/history.htm\n"
         "  企业荣誉 -> about/honor.htm\n"
         "产品中心 -> products/index.htm\n"
         "  产品介绍 -> products/intro.htm\n"
         "  电机系列 -> products/motor.htm @main\n"
         "  水泵系列 € -> products/pump.htm\n"
         "新闻动态 -> news.asp\n"
         "联系我们 -> mailto:sales@example.cn\n",
         "<ul> in <div id=\"menu\">"},
        {"two-lists-nav.html",
         {},
         "Home -> /\n"
         "Catalogue -> /catalogue/\n"
         "  New arrivals -> /catalogue/new.html\n"
         "  E-books -> /catalogue/ebooks.html\n"
         "Events -> /events.html\n"
         "Visit us -> /visit.html @_self\n",
         "<nav class=\"main-nav\">"},
        {"two-lists-nav.html", selecting("clubs"),
         "Crime fiction -> /clubs/crime.html\nPoetry -> /clubs/poetry.html\n", "<ol id=\"clubs\"> in <main>"},
        {"two-lists-nav.html", selecting("main > ul"),
         "Monday 9–17\nTuesday 9–17\nWednesday 9–20\nThursday 9–17\nFriday 9–17\nSaturday 10–14\nSunday "
         "closed\n",
         "<ul id=\"hours\"> in <main>"},
        // JSON as tree widgets keep it: jsTree (nested and flat), Fancytree, and the usual keys.
        {"jstree-nested.json",
         {},
         "Documentation\n"
         "  Getting started -> docs/start.html (img/page.png|)\n"
         "  API & SDK -> docs/api.html @_blank {Reference for every call}\n"
         "  Changelog\n"
         "Plain node\n"
         "Support\n"
         "  Forum -> https://forum.example.com/\n"
         "  Contact us !openContact()\n",
         ""},
        {"jstree-flat.json",
         {},
         "Shop -> shop/\n"
         "  Mooncakes -> shop/mooncakes.html\n"
         "  Sourdough -> shop/sourdough.html\n"
         "About us -> about.html\n"
         "  Opening hours -> about.html#hours\n",
         ""},
        {"fancytree.json",
         {},
         "Products\n"
         "  Garden tools -> products/garden.html {Spades, rakes and hoes}\n"
         "  Seeds -> products/seeds.html\n"
         "  Archive\n"
         "Blog -> https://blog.example.org/ @_blank\n",
         ""},
        {"generic-tree.json",
         {},
         "Home -> /\nServices\n  Design -> /services/design\n  Hosting -> /services/hosting\nCareers -> "
         "/jobs\n",
         ""},
        // Pages that declare no character set.
        {"latin1-recipes.html",
         {},
         "Entrées -> entrees.html\n"
         "  Velouté de châtaignes -> entrees/veloute.html\n"
         "  Quiche lorraine à l'ancienne -> entrees/quiche.html\n"
         "Desserts -> desserts.html\n"
         "  Crème brûlée -> desserts/creme.html\n"
         "  Gâteau aux noix -> desserts/gateau.html\n",
         "<nav>"},
        {"cp1252-news.html",
         {},
         "“Open day” – Saturday -> open-day.html\n"
         "Farmers’ market: stalls from 5 € -> market.html\n"
         "The library is moving… -> moving.html\n",
         "<ul class=\"events\">"},
        {"cp1252-news.html", readAs("utf-8"),
         "\uFFFDOpen day\uFFFD \uFFFD Saturday -> open-day.html\n"
         "Farmers\uFFFD market: stalls from 5 \uFFFD -> market.html\n"
         "The library is moving\uFFFD -> moving.html\n",
         "<ul class=\"events\">"},
        {"gbk-no-meta.html",
         {},
         "首页 -> index.htm\n"
         "公司简介 -> about.htm\n"
         "  发展历程 -> about.htm#history\n"
         "  荣誉证书 -> honor.htm\n"
         "茶叶产品 -> tea/index.htm\n"
         "  西湖龙井 -> tea/longjing.htm\n"
         "  洞庭碧螺春 -> tea/biluochun.htm\n"
         "  云南普洱 -> tea/puer.htm\n"
         "联系我们 -> contact.htm\n",
         "<ul>"},
        // Lists in the markup of site builders and frameworks.
        {"mkdocs-material.html",
         {},
         "Home -> ..\n"
         "Getting started\n"
         "  Installation -> ./\n"
         "  Configuration -> ../configuration/\n"
         "Reference\n"
         "  Command line -> ../reference/cli/\n"
         "  Python API -> ../reference/api/\n",
         "<nav class=\"md-nav md-nav--primary\">"},
        // Two navigations match: the table of contents inside the site menu is the larger.
        {"mkdocs-material.html", selecting("nav.md-nav--secondary"),
         "With pip -> #with-pip\nWith docker -> #with-docker\n  Compose -> #compose\n",
         "<nav class=\"md-nav md-nav--secondary\">"},
        {"bootstrap3-navbar.html",
         {},
         "Home -> index.html\n"
         "Shop\n"
         "  Tents -> shop/tents.html\n"
         "  Sleeping bags -> shop/sleeping-bags.html\n"
         "  Outlet -> shop/outlet.html\n"
         "Stores -> stores.html\n",
         "<ul class=\"nav navbar-nav\"> in <nav class=\"navbar navbar-default navbar-static-top\">"},
        {"bootstrap4-navbar.html",
         {},
         "Home -> index.html\n"
         "Treatments\n"
         "  Check-ups -> treatments/check-ups.html\n"
         "  Whitening -> treatments/whitening.html {Book a free consultation}\n"
         "  First visit -> treatments/kids.html\n"
         "Our team -> team.html\n"
         "Careers\n",
         "<nav class=\"navbar navbar-expand-lg navbar-light bg-light\">"},
        {"wordpress.html",
         {},
         "Home -> https://bakery.example.com/\n"
         "Breads -> https://bakery.example.com/breads/\n"
         "  Rye -> https://bakery.example.com/breads/rye/\n"
         "  Spelt -> https://bakery.example.com/breads/spelt/\n"
         "Visit -> https://bakery.example.com/visit/\n",
         "<nav id=\"site-navigation\" class=\"main-navigation\">"},
        {"wordpress.html", selecting("footer ul"),
         "A new oven -> https://bakery.example.com/2024/05/new-oven/\n"
         "Spring loaves -> https://bakery.example.com/2024/04/spring-loaves/\n"
         "Easter hours -> https://bakery.example.com/2024/03/easter-hours/\n"
         "Rye week -> https://bakery.example.com/2024/02/rye-week/\n"
         "Hello world -> https://bakery.example.com/2024/01/hello/\n"
         "Stollen -> https://bakery.example.com/2023/12/stollen/\n",
         "<ul> in <section id=\"recent-posts-2\" class=\"widget widget_recent_entries\">"},
        {"sphinx-rtd.html",
         {},
         "Introduction -> intro.html\n"
         "Installing\n"
         "Usage -> usage.html\n"
         "  Lamps -> usage.html#lamps\n"
         "  Wicks -> usage.html#wicks\n",
         "<ul class=\"current\"> in <div class=\"wy-menu wy-menu-vertical\">"},
        // Menus without lists: table cells nested by tables, classes and spaces; <div> rows.
        {"table-portal.html",
         {},
         "起重设备 -> products.asp?cid=1\n"
         "  电动葫芦 -> products.asp?cid=11\n"
         "  桥式起重机 -> products.asp?cid=12\n"
         "输送设备 -> products.asp?cid=2\n"
         "  皮带输送机 -> products.asp?cid=21\n"
         "  螺旋输送机 -> products.asp?cid=22\n"
         "配件 -> products.asp?cid=3\n"
         "  钢丝绳 -> products.asp?cid=31\n"
         "  吊钩 -> products.asp?cid=32\n"
         "资料下载 -> download.asp\n",
         "<table>"},
        {"table-portal.html", selecting(".topnav"),
         "首页 -> index.asp\n关于我们 -> about.asp\n新闻中心 -> news.asp\n联系我们 -> contact.asp\n",
         "<td class=\"topnav\">"},
        {"div-sidebar.html",
         {},
         "Arts -> dept/arts.html\n"
         "  Music -> dept/arts/music.html\n"
         "  Painting -> dept/arts/painting.html\n"
         "    Oil -> dept/arts/painting/oil.html\n"
         "Science -> dept/science.html\n"
         "  Physics -> dept/science/physics.html {Labs and lectures}\n",
         "<div id=\"sidebar\">"},
        // A frameset: the frame with the largest menu, its links seen from the frameset's folder.
        {"frameset/index.html",
         {},
         "Start -> welcome.html @main\n"
         "Departments\n"
         "  Human resources -> hr/index.html @main\n"
         "  IT help desk -> it/index.html @main\n"
         "Phone list -> phone.html @main\n"
         "Intranet guide -> menu/guide.html @main\n",
         "<ul>"},
        // Markdown: a README's table of contents; a file of headings.
        {"readme.md",
         {},
         "Installation -> #installation\n"
         "  With pip -> #with-pip\n"
         "  From source -> #from-source\n"
         "Usage -> #usage\n"
         "Contributing -> #contributing\n",
         "<ul> after \"Contents\""},
        {"headings.md",
         {},
         "Field guide -> #field-guide\n"
         "  Before you go -> #before-you-go\n"
         "    What to pack -> #what-to-pack\n"
         "    Safety -> #safety\n"
         "  On the trail -> #on-the-trail\n"
         "    Marking birds -> #marking-birds\n"
         "    Marking plants: ferns & mosses -> #marking-plants-ferns--mosses\n"
         "  After the walk -> #after-the-walk\n",
         "<h1>-<h6>"},
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
         "contact -> https://www.example.org/contact.html\n",
         ""},
        {"bookmarks.opml",
         {},
         "Handbook -> https://handbook.example.com/\n"
         "  Onboarding -> https://handbook.example.com/onboarding {Start here in your first week}\n"
         "  Holidays & leave -> https://handbook.example.com/leave\n"
         "News feeds\n"
         "  Release notes -> https://example.com/releases\n"
         "  Status -> https://status.example.com/feed.xml\n"
         "周报 -> reports/weekly.html\n",
         ""},
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
         "  Sourdough loaf -> products/sourdough.html\n",
         ""},
        {"mkdocs-material.html", selecting("nav:first-child"), "error: not a selector this tool reads", ""},
        {"mkdocs-material.html", selecting("#nowhere"), "error: nothing in the page matches \"#nowhere\"",
         ""},
        {"site", from(ImportKind::Html), "error: ", ""},
        {"missing.html", {}, "error: no such file or folder", ""},
        {"site", from(ImportKind::Opml), "error: it is a folder; --from opml reads a file", ""},
        {"site/images/logo.png", from(ImportKind::Sitemap),
         "error: not a page, outline or menu file (binary data)", ""},
        {"site/about.html", from(ImportKind::Sitemap), "error: not a sitemap (not well-formed XML)", ""},
        {"bookmarks.opml", from(ImportKind::Sitemap), "error: not a sitemap (no <urlset>)", ""},
        {"bookmarks.opml", readAs("klingon"), "error: unknown character set klingon", ""},
        {sitemapIndex, {}, "error: a sitemap index: import one of the sitemaps it lists"},
        {emptySitemap, {}, "error: the sitemap lists no addresses"},
        {opmlWithoutBody, {}, "error: not an OPML file (no <body>)"},
        {opmlWithoutItems, {}, "error: the OPML outline has no items"},
        {noPages, {}, "error: no .html or .htm pages in the folder"},
        {threePages, folderOf(3), "a.html -> a.html\nb.htm -> b.htm\nsub\n  sub/c.html -> sub/c.html\n"},
        {threePages, folderOf(2), "error: the folder holds more than 2 pages"},
        {locked, {}, "error: cannot read the folder " + locked + "/private: permission denied", "", true},
        {huge, {}, "error: it is larger than 256 MiB"},
    };
    for (const auto& c : cases) {
        const auto importIt = [&c] {
            return importPath(c.source.starts_with('/') ? c.source : test::fixturePath("import/" + c.source),
                              c.options);
        };
        const auto asText = [](const ImportResult& r) {
            return r ? test::dumpForest(r.roots) : "error: " + test::english(r.failure);
        };
        if (c.asAnotherUser) {
            const std::string got = test::inChildProcess([&] {
                return test::becomeUnprivileged() ? asText(importIt()) : "cannot change the user";
            });
            EXPECT_EQ(got.rfind(c.expected, 0), 0u) << c.source << "\n" << got;
            continue;
        }
        ImportResult r = importIt();
        const std::string got = asText(r);
        if (c.expected.rfind("error: ", 0) == 0) {
            EXPECT_EQ(got.rfind(c.expected, 0), 0u) << c.source << "\n" << got;
            continue;
        }
        EXPECT_EQ(got, c.expected) << c.source << " " << c.options.select;
        EXPECT_EQ(r.report.taken.element, c.taken) << c.source << " " << c.options.select;
    }
}

// Whatever a fixture gives goes through every export format and back unchanged (the outline
// keeps no targets, status texts or icons; jsTree's and our JSON, OPML and HTML keep all).
TEST(Import, FixtureMenusRoundTripThroughEveryExport) {
    for (const char* fixture :
         {"jstree-nested.json", "fancytree.json", "latin1-recipes.html", "gbk-no-meta.html", "mkdocs-material.html",
          "bootstrap4-navbar.html", "table-portal.html", "frameset/index.html", "readme.md", "headings.md",
          "bookmarks.opml", "sitemap.xml", "site"}) {
        ImportResult imported = importPath(test::fixturePath(std::string("import/") + fixture));
        ASSERT_TRUE(imported) << fixture << ": " << imported.failure;
        MenuScheme scheme;
        adoptImport(scheme, imported);
        for (ExportFormat format : {ExportFormat::Html, ExportFormat::Outline, ExportFormat::Opml, ExportFormat::Json,
                                    ExportFormat::JsTree}) {
            const ExportResult exported = exportScheme(scheme, format);
            ASSERT_TRUE(exported) << exported.failure;
            ImportOptions as;
            as.kind = format == ExportFormat::Html      ? ImportKind::Html
                      : format == ExportFormat::Outline ? ImportKind::Outline
                      : format == ExportFormat::Opml    ? ImportKind::Opml
                                                        : ImportKind::Json;
            ImportResult back = importBytes(exported.bytes, as);
            ASSERT_TRUE(back) << fixture << " " << exportFormatName(format) << ": " << back.failure;
            const bool all = format != ExportFormat::Outline;
            EXPECT_EQ(test::dumpForest(back.roots, all), test::dumpForest(scheme.roots(), all))
                << fixture << " through " << exportFormatName(format);
            // The guess finds the same kind that was written.
            EXPECT_EQ(guessImportKind(exported.bytes), *as.kind) << fixture << " " << exportFormatName(format);
        }
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
        ASSERT_TRUE(r) << r.failure;
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
    for (const auto& [path, error] : cases) EXPECT_EQ(test::english(importPath(path).failure), error) << path;
}

// JSON as a person or another program writes it: escapes, pairs of surrogates, keys this
// program does not know, values of another type taken as tree widgets write them, and each
// refusal with the line it stopped on.
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
        // Bytes that are not UTF-8 are read in the detected character set first.
        {"\xFF{}", "error: not a menu in JSON (line 1: expected a value)"},
        {"\n[]", "error: the menu has no items"},
        {"{\"a\":1\n\"items\":[]}", "error: not a menu in JSON (line 2: expected , or })"},
        {"{\n\n1:2}", "error: not a menu in JSON (line 3: expected a key)"},
        {"{\"a\":\n}", "error: not a menu in JSON (line 2: expected a value)"},
        {"{\"items\":\n{}}", "error: not a menu in JSON (no list of items)"},
        {"{\"items\":[{}\n{}]}", "error: not a menu in JSON (line 2: expected , or ])"},
        {"{\"items\":[\n\"A\"]}", "A\n"},  // a text is an item, as in jsTree
        {"{\"items\":[{\"title\":\"A\"\n\"link\":\"a\"}]}",
         "error: not a menu in JSON (line 2: expected , or })"},
        {"{\"items\":[{\n\"title\"}]}", "error: not a menu in JSON (line 2: expected :)"},
        // Children that are neither a list nor jsTree's "load later" are none.
        {"{\"items\":[{\"title\":\"A\",\"children\":\n\"none\"}]}", "A\n"},
        {"{\"items\":[{\"id\":\n]}]}", "error: not a menu in JSON (line 2: expected a value)"},
        {"{\"items\":[{\n\"title\":7}]}", "7\n"},
        {"{\"items\":[{\"title\":\"bad \\x\"}]}", "error: not a menu in JSON (line 1: a bad string)"},
        {"{\"items\":[{\"title\":\"A\"}]}\n\nx", "error: not a menu in JSON (line 3: text after the end)"},
        {"{\"menu\":[]\n}", "error: not a menu in JSON (no list of items)"},
        {"{\"items\":[]}", "error: the menu has no items"},
    };
    for (const auto& [text, expected] : cases) {
        ImportResult r = importBytes(text, from(ImportKind::Json));
        EXPECT_EQ(r ? test::dumpForest(r.roots) : "error: " + test::english(r.failure), expected) << text;
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
        // JSON arrays are JSON before they are an outline; a link line is not.
        {" [\n  {\"text\": \"a\"}]", ImportKind::Json},
        {"[\"Plain node\"]", ImportKind::Json},
        {"[]", ImportKind::Json},
        {"[Home](index.html)\n[About](about.html)\n", ImportKind::Outline},
        // Markdown by its headings, fences, badges and underlines, also with inline HTML.
        {"<h1 align=\"center\">x</h1>\n\n## Install\n- [a](b)\n", ImportKind::Markdown},
        {"Intro\n\n```sh\nmake\n```\n", ImportKind::Markdown},
        {"[![CI](https://ci/badge.svg)](https://ci)\n", ImportKind::Markdown},
        {"Title\n=====\n\n- a\n", ImportKind::Markdown},
        {"#hashtag and #another\n", ImportKind::Outline},
        {"<!DOCTYPE html>\n<html><body>\n# not a heading\n</body></html>", ImportKind::Html},
        {"<frameset cols=\"20%,*\"><frame src=\"a.htm\"></frameset>", ImportKind::Html},
    };
    for (const auto& [bytes, kind] : cases) EXPECT_EQ(guessImportKind(bytes), kind) << bytes;
    // Text saved as UTF-16 with its byte-order mark, as Windows editors save "Unicode".
    const char utf16Outline[] = "\xFF\xFE-\0 \0[\0-N\x87\x65]\0(\0a\0.\0h\0t\0m\0)\0\n\0";
    ImportResult outline = importBytes(std::string(utf16Outline, sizeof utf16Outline - 1));
    ASSERT_TRUE(outline) << outline.failure;
    EXPECT_EQ(test::dumpForest(outline.roots), "中文 -> a.htm\n");
    const char utf16Page[] = "\xFE\xFF\0<\0u\0l\0>\0<\0l\0i\0>\0x\0<\0/\0l\0i\0>\0<\0/\0u\0l\0>";
    ImportResult page = importBytes(std::string(utf16Page, sizeof utf16Page - 1));
    ASSERT_TRUE(page) << page.failure;
    EXPECT_EQ(test::dumpForest(page.roots), "x\n");
    ImportResult bin =
        importBytes(std::string("\x7F"
                                "ELF\x02\x01\x01\0\0\0",
                                10));
    EXPECT_EQ(test::english(bin.failure), "not a page, outline or menu file (binary data)");
}

// What an import gives the new scheme besides its items: links of a page that name no target
// open in the same window; an outline's own title is kept, saved and exported again.
TEST(Import, SchemeSettingsFromTheSource) {
    const std::tuple<std::string, std::string, std::string> cases[] = {
        {"docs-sidebar.html", "_blank", ""},  // one link names _blank: the default stays
        {"latin1-recipes.html", "_self", ""},
        {"readme.md", "_self", ""},
        {"frameset/index.html", "_blank", ""},
        {"bookmarks.opml", "_self", "Team links"},
    };
    for (const auto& [fixture, target, title] : cases) {
        ImportResult r = importPath(test::fixturePath("import/" + fixture));
        ASSERT_TRUE(r) << r.failure;
        MenuScheme scheme;
        adoptImport(scheme, r);
        EXPECT_EQ(scheme.settings.target, target) << fixture;
        EXPECT_EQ(scheme.settings.title, title) << fixture;
        if (title.empty()) continue;
        // The title survives the scheme file and comes back in OPML and JSON.
        MenuScheme reread;
        ASSERT_TRUE(readSchemeText(reread, writeSchemeText(scheme)));
        EXPECT_EQ(reread.settings.title, title);
        EXPECT_NE(exportOpml(reread).find("<head><title>" + title + "</title></head>"), std::string::npos);
        ImportResult back = importBytes(exportScheme(reread, ExportFormat::Opml).bytes);
        EXPECT_EQ(back.report.title, title);
        EXPECT_EQ(importBytes(exportScheme(reread, ExportFormat::Json).bytes).report.title, title);
    }
}

// File names become links that a browser and the link check both find: reserved characters
// are percent-encoded, readable characters stay, names that are not UTF-8 are encoded bytes.
TEST(Import, FolderLinksArePercentEncodedPathSegments) {
    const std::pair<std::string, std::string> segments[] = {
        {"a#b.html", "a%23b.html"},
        {"q?.html", "q%3F.html"},
        {"50% off.html", "50%25%20off.html"},
        {"it's (new)+;=,@:!$&*~.html", "it's%20(new)+;=,@:!$&*~.html"},
        {"月饼.html", "月饼.html"},
        {"\xD4\xC2\xB1\xFD.html", "%D4%C2%B1%FD.html"},  // 月饼 named in GBK
        {"back\\slash\"<>^`{|}.html", "back%5Cslash%22%3C%3E%5E%60%7B%7C%7D.html"},
    };
    test::TempDir dir;
    std::filesystem::create_directories(dir.file("site/sub dir#1"));
    for (const auto& [name, encoded] : segments) {
        EXPECT_EQ(encodePathSegment(name), encoded) << name;
        test::writeFile(dir.file("site/sub dir#1/" + name), "<title>t</title>");
    }
    ImportResult r = importPath(dir.file("site"));
    ASSERT_TRUE(r) << r.failure;
    MenuScheme scheme;
    adoptImport(scheme, r);
    EXPECT_EQ(scheme.roots()[0]->child(0)->data.menuLink.view().rfind("sub%20dir%231/", 0), 0u);
    const LinkCheckResult check = checkLinks(scheme, dir.file("site"));
    std::string problems;
    for (const LinkProblem& p : check.problems) problems += linkProblemLine(p) + "\n";
    EXPECT_EQ(problems, "");
}

// A frameset's frames are read only when they are files inside the page's folder.
TEST(Import, FramesStayInsideThePagesFolder) {
    test::TempDir dir;
    std::filesystem::create_directories(dir.file("site"));
    test::writeFile(dir.file("outside.html"), "<ul><li><a href='x'>Outside</a></li></ul>");
    test::writeFile(dir.file("site/index.html"),
                    "<frameset><frame src='../outside.html'><frame src='/etc/hostname'>"
                    "<frame src='http://example.com/menu.html'><frame src='link.html'></frameset>");
    std::filesystem::create_symlink(dir.file("outside.html"), dir.file("site/link.html"));
    ImportResult r = importPath(dir.file("site/index.html"));
    EXPECT_EQ(test::english(r.failure),
              "a frameset page, and none of its frames (../outside.html, /etc/hostname, "
              "http://example.com/menu.html, link.html) holds a menu");
    test::writeFile(dir.file("site/index.html"), "<frameset><frame src='../site/./menu%20a.html'></frameset>");
    test::writeFile(dir.file("site/menu a.html"), "<ul><li><a href='x.html'>Inside</a></li></ul>");
    r = importPath(dir.file("site/index.html"));
    ASSERT_TRUE(r) << r.failure;
    EXPECT_EQ(r.report.frame, "menu a.html");
    EXPECT_EQ(test::dumpForest(r.roots), "Inside -> x.html\n");
}

}  // namespace
}  // namespace sylvanode

// SPDX-License-Identifier: MIT
#include "exchange/link_check.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "test_support.h"

namespace sylvanode {
namespace {

MenuNode* add(MenuScheme& scheme, MenuNode* parent, const std::string& title, const std::string& link,
              int contentType = 0, const std::string& icon1 = {}) {
    MenuItemData d;
    d.menuName = title;
    d.contentType = contentType;
    (contentType == 0 ? d.menuLink : d.menuScript) = link;
    d.menuIcon1 = icon1;
    auto node = std::make_unique<MenuNode>(d);
    node->caption = title;
    MenuNode* n = parent ? parent->appendChild(std::move(node)) : scheme.appendRoot(std::move(node));
    if (parent) parent->refreshImage();
    return n;
}

// Every rule of the check, against the fixture site folder, one line per problem.
TEST(LinkCheck, Rules) {
    MenuScheme scheme;
    scheme.settings.fileIcon = "images/logo.png";
    scheme.settings.folderIcon1 = "images/folder.png";
    add(scheme, nullptr, "Home", "index.html?lang=en#top");              // 0 fine
    MenuNode* products = add(scheme, nullptr, "Products", "products/");  // 1 folder with index.html
    add(scheme, products, "\xB2\xFA\xC6\xB7\xBD\xE9\xC9\xDC", "products/intro.htm");  // 2 产品介绍: missing
    add(scheme, products, "Sourdough", "/products/sourdough.html", 0, "images/none.gif");  // 3 icon missing
    add(scheme, nullptr, "Docs", "docs");                                // 4 folder without index
    add(scheme, nullptr, "Local", "file:///C:/site/a.htm");              // 5
    add(scheme, nullptr, "Drive", "D:\\site\\a.htm");                    // 6
    add(scheme, nullptr, "Chat", "javascript:openChat()");               // 7
    add(scheme, nullptr, "Nothing", "");                                 // 8 page item without link
    add(scheme, nullptr, "Home again", "index.html?lang=en#top");        // 9 duplicate of 0
    add(scheme, nullptr, "Shop", "https://shop.example.com/");           // 10 not checked
    add(scheme, nullptr, "Run", "doIt()", 1);                            // 11 a script item: fine
    add(scheme, nullptr, "Spaced", "about%2Ehtml");                      // 12 percent-decoded: fine
    add(scheme, nullptr, "Top", "#top");                                 // 13 same page: fine
    MenuNode* folder = add(scheme, nullptr, "Folder without link", "");  // 14 a folder may link nowhere
    add(scheme, folder, "Hours", "opening-hours.htm/");                  // 15 a file named as a folder

    const LinkCheckResult r = checkLinks(scheme, test::fixturePath("import/site"));
    ASSERT_TRUE(!r.failure) << r.failure;
    std::string lines;
    for (const auto& p : r.problems) lines += linkProblemLine(p) + "\n";
    EXPECT_EQ(
        lines,
        "default icon folderIcon1: missing icon images/folder.png\n"
        "item 2 \"产品介绍\": missing products/intro.htm\n"
        "item 3 \"Sourdough\": missing icon images/none.gif\n"
        "item 4 \"Docs\": missing docs/index.html\n"
        "item 5 \"Local\": file:/// path, not portable to a server: file:///C:/site/a.htm\n"
        "item 6 \"Drive\": file:/// path, not portable to a server: D:\\site\\a.htm\n"
        "item 7 \"Chat\": javascript: in the link field (make it a script item): javascript:openChat()\n"
        "item 8 \"Nothing\": empty link\n"
        "item 9 \"Home again\": duplicate link index.html?lang=en#top (as item 0)\n"
        "item 10 \"Shop\": not checked: https://shop.example.com/\n"
        "item 15 \"Hours\": missing opening-hours.htm/\n");
    // The duplicate is a warning, a fault only when the check is strict.
    EXPECT_EQ(r.faults(), 9);
    LinkCheckOptions strict;
    strict.strict = true;
    EXPECT_EQ(checkLinks(scheme, test::fixturePath("import/site"), strict).faults(), 10);

    const LinkCheckResult bad = checkLinks(scheme, test::fixturePath("import/no-such-folder"));
    EXPECT_EQ(test::english(bad.failure).rfind("the folder to check against does not exist", 0), 0u);
}

// Links name files as a browser asks for them: the link's characters in UTF-8, %XX escapes
// as bytes of that name. A relative work directory is taken from the scheme file's folder.
TEST(LinkCheck, FileNamesAndTheWorkDirectory) {
    test::TempDir dir;
    std::filesystem::create_directories(dir.file("site/产品"));
    test::writeFile(dir.file("site/产品/月饼.html"), "<title>x</title>");
    MenuScheme scheme;
    scheme.fileName = dir.file("menus.menu");
    scheme.settings.workDir = "site/";
    add(scheme, nullptr, "GBK", "\xB2\xFA\xC6\xB7/\xD4\xC2\xB1\xFD.html");  // 产品/月饼.html
    add(scheme, nullptr, "Escaped", "%E4%BA%A7%E5%93%81/%E6%9C%88%E9%A5%BC.html");
    add(scheme, nullptr, "Both", "\xB2\xFA\xC6\xB7/%E6%9C%88%E9%A5%BC.html?from=menu");
    add(scheme, nullptr, "Missing", "%E4%BA%A7%E5%93%81/none.html");

    EXPECT_EQ(linkRootOf(scheme), dir.file("site/"));
    const LinkCheckResult r = checkLinks(scheme, linkRootOf(scheme));
    ASSERT_TRUE(!r.failure) << r.failure;
    ASSERT_EQ(r.problems.size(), 1u);
    EXPECT_EQ(linkProblemLine(r.problems[0]), "item 3 \"Missing\": missing %E4%BA%A7%E5%93%81/none.html");
}

// What a build pipeline relies on: nothing leads out of the site, anchors exist in the page
// they name, and --ignore leaves links alone.
TEST(LinkCheck, RootAnchorsAndIgnoredLinks) {
    test::TempDir dir;
    namespace fs = std::filesystem;
    fs::create_directories(dir.file("site/docs"));
    fs::create_directories(dir.file("private"));
    test::writeFile(dir.file("site/index.html"),
                    "<h1 id='top-news'>News</h1><a name='old-anchor'></a><p id='caf\xC3\xA9'>x</p>");
    test::writeFile(dir.file("site/docs/index.htm"), "<section id='install'></section>");
    test::writeFile(dir.file("site/notes.txt"), "id='install'");
    test::writeFile(dir.file("private/secret.html"), "secret");
    fs::create_symlink(dir.file("private/secret.html"), dir.file("site/shortcut.html"));
    fs::create_symlink(dir.file("private"), dir.file("site/elsewhere"));

    struct Case {
        std::string link;
        std::string problem;  // empty: fine
    };
    const std::vector<Case> cases = {
        {"index.html#top-news", ""},
        {"index.html#old-anchor", ""},
        {"index.html#caf%C3%A9", ""},
        {"index.html#top", ""},  // the top of any page
        {"index.html?x=1#top-news", ""},
        {"docs/#install", ""},
        {"docs/a/../index.htm#install", ""},
        {"notes.txt#install", ""},  // not a page: its anchors are not looked for
        {"index.html#nope", "no such anchor in the page: index.html#nope"},
        {"docs/#setup", "no such anchor in the page: docs/#setup"},
        {"../private/secret.html", "outside the folder checked against: ../private/secret.html"},
        {"docs/%2e%2e/%2E%2E/private/secret.html",
         "outside the folder checked against: docs/%2e%2e/%2E%2E/private/secret.html"},
        {"shortcut.html", "outside the folder checked against: shortcut.html"},
        {"elsewhere/secret.html", "outside the folder checked against: elsewhere/secret.html"},
        {"..\\private\\secret.html", "outside the folder checked against: ../private/secret.html"},
        {"legacy/old.pdf", ""},  // ignored
        {"https://cdn.example.com/a.js", ""},  // ignored, not even listed
    };
    MenuScheme scheme;
    for (const Case& c : cases) add(scheme, nullptr, "x", c.link);
    LinkCheckOptions options;
    options.ignore = {"*.pdf", "https://cdn.example.com/*"};
    const LinkCheckResult r = checkLinks(scheme, dir.file("site"), options);
    ASSERT_TRUE(!r.failure) << r.failure;
    std::vector<std::string> found(cases.size());
    for (const LinkProblem& p : r.problems) found.at(static_cast<size_t>(p.item)) = linkProblemText(p);
    for (size_t i = 0; i < cases.size(); ++i) EXPECT_EQ(found[i], cases[i].problem) << cases[i].link;
    EXPECT_EQ(r.faults(), 7);
    EXPECT_NE(linkProblemsJson(r).find("\"problem\":\"outside-root\""), std::string::npos);
    EXPECT_NE(linkProblemsJson(r).find("\"problem\":\"missing-anchor\""), std::string::npos);
}

}  // namespace
}  // namespace sylvanode

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
    ASSERT_TRUE(r.error.empty()) << r.error;
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
    EXPECT_EQ(r.faults(), 10);

    const LinkCheckResult bad = checkLinks(scheme, test::fixturePath("import/no-such-folder"));
    EXPECT_EQ(bad.error.rfind("the folder to check against does not exist", 0), 0u);
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
    ASSERT_TRUE(r.error.empty()) << r.error;
    ASSERT_EQ(r.problems.size(), 1u);
    EXPECT_EQ(linkProblemLine(r.problems[0]), "item 3 \"Missing\": missing %E4%BA%A7%E5%93%81/none.html");
}

}  // namespace
}  // namespace sylvanode

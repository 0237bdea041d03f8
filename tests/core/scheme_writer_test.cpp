// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include "model/scheme_io.h"
#include "test_support.h"

namespace sylvanode {
namespace {

std::string between(const std::string& text, const std::string& from, const std::string& to) {
    const size_t a = text.find(from);
    const size_t b = text.find(to, a);
    return a == std::string::npos || b == std::string::npos ? std::string("<missing>") : text.substr(a, b - a);
}

TEST(SchemeWriter, HomeAndNewsItemSections) {
    MenuScheme s;
    MenuNode* home = s.appendRoot();
    home->caption = home->data.menuName = "Home";
    home->data.menuLink = "index.html";
    MenuNode* news = home->appendChild();
    news->caption = news->data.menuName = "News";
    news->data.contentType = 1;
    news->data.menuScript = "go()";
    home->refreshImage();
    const std::string text = writeSchemeText(s);
    EXPECT_EQ(between(text, "[MenuName]", "[padding]"),
              "[MenuName]\r\n0=Home\r\n1=News\r\n[MenuLevel]\r\n0=0\r\n1=1\r\n[Hint]\r\n0=\r\n1=\r\n"
              "[Content Type]\r\n0=0\r\n1=1\r\n[Link]\r\n0=index.html\r\n[Target]\r\n0=\r\n[Script]\r\n"
              "1=go()\r\n[Icon1]\r\n0=\r\n1=\r\n[Icon2]\r\n0=\r\n");
}

TEST(SchemeWriter, EmptySchemeWritesEveryHeaderAndAllStyleLines) {
    MenuScheme s;
    s.settings.workDir = "/srv/site/";
    const std::string text = writeSchemeText(s);
    EXPECT_EQ(text.substr(0, text.find("[MenuName]")),
              "[Config]\r\ncount=0\r\nworkDir=/srv/site/\r\nfileIcon=\r\nfolderIcon1=\r\nfolderIcon2=\r\n"
              "indent=13\r\ntarget=_blank\r\nlineFolder=./\r\nuse image=1\r\nuseTitleAsHint=1\r\n"
              "useTitleAsStatus=1\r\nshow hint=1\r\nshow status=1\r\nshow select=1\r\nshow line=0\r\n");
    EXPECT_EQ(between(text, "[MenuName]", "[padding]"),
              "[MenuName]\r\n[MenuLevel]\r\n[Hint]\r\n[Content Type]\r\n[Link]\r\n[Target]\r\n[Script]\r\n"
              "[Icon1]\r\n[Icon2]\r\n");
    EXPECT_EQ(between(text, "[padding]", "[useborder]"),
              "[padding]\r\n0=0\r\n1=0\r\n2=2\r\n3=5\r\n4=0\r\n5=0\r\n6=2\r\n7=5\r\n[height]\r\n0=0\r\n1=0\r\n");
    EXPECT_EQ(between(text, "[font size]", "[font style]"),
              "[font size]\r\n0=-1\r\n1=-1\r\n2=-1\r\n3=-1\r\n4=-1\r\n5=-1\r\n");
    EXPECT_EQ(text.substr(text.find("[background color]")),
              "[background color]\r\n0=\r\n1=\r\n2=\r\n3=\r\n4=\r\n5=\r\n[Status]\r\n");
    EXPECT_EQ(text.find("menuSuffix"), std::string::npos);
}

TEST(SchemeWriter, ValuesAreWrittenAsHeldQuotedOnlyWhereReadingWouldChangeThem) {
    struct Case {
        const char* held;
        const char* line;      // as written
        const char* readBack;  // what the next open gets
    } cases[] = {
        {"Home", "Home", "Home"},
        {"", "", ""},
        {"a=b", "a=b", "a=b"},
        {"  Home  ", "\"  Home  \"", "  Home  "},
        {"\tx", "\"\tx\"", "\tx"},
        {" ", "\" \"", " "},
        {"'a'+'b'", "\"'a'+'b'\"", "'a'+'b'"},
        {"\"q\"", "\"\"q\"\"", "\"q\""},
        {"''", "\"''\"", "''"},
        {"\"", "\"", "\""},        // one quote is no pair
        {"\"x'", "\"x'", "\"x'"},  // nor are two different ones
        {"a \"b\"", "a \"b\"", "a \"b\""},
        {"two\r\nlines", "two  lines", "two  lines"},  // a break would end the line
        {"ends\n", "\"ends \"", "ends "},
        {"\xD5\x5C \"", "\xD5\x5C \"", "\xD5\x5C \""},
    };
    for (const Case& c : cases) {
        MenuScheme s;
        s.settings.menuSuffix = "m2";
        MenuNode* n = s.appendRoot();
        n->data.menuHint = c.held;
        n->data.menuStatus = c.held;
        const std::string text = writeSchemeText(s);
        EXPECT_NE(text.find("[Hint]\r\n0=" + std::string(c.line) + "\r\n[Content Type]"), std::string::npos)
            << c.held;
        EXPECT_NE(text.find("[Status]\r\n0=" + std::string(c.line) + "\r\n"), std::string::npos) << c.held;
        EXPECT_EQ(text.find("m2"), std::string::npos);

        MenuScheme back;
        ASSERT_TRUE(readSchemeText(back, text));
        EXPECT_EQ(back.roots()[0]->data.menuHint, c.readBack) << c.held;
        EXPECT_EQ(back.roots()[0]->data.menuStatus, c.readBack) << c.held;
        EXPECT_EQ(writeSchemeText(back), text) << c.held;
    }
}

TEST(SchemeWriter, FileItemsHaveNoExpandedIcon) {
    MenuScheme s;
    MenuNode* n = s.appendRoot();
    n->data.menuIcon2 = "never written for a file";
    EXPECT_NE(writeSchemeText(s).find("[Icon2]\r\n[padding]"), std::string::npos);
}

TEST(SchemeWriter, FolderImageWithoutChildrenIsStillAFolderAndLevelsAreDepths) {
    MenuScheme s;
    MenuNode* a = s.appendRoot();
    a->imageIndex = ImageFolderOpen;  // last child deleted, picture not refreshed
    a->data.menuIcon2 = "open.gif";
    a->data.contentType = 2;  // written with no action line at all
    const std::string text = writeSchemeText(s);
    EXPECT_NE(text.find("[Icon2]\r\n0=open.gif\r\n"), std::string::npos);
    EXPECT_NE(text.find("[Link]\r\n[Target]\r\n[Script]\r\n[Icon1]"), std::string::npos);
}

TEST(SchemeWriter, FileIsReplacedAtomicallyAndFailuresLeaveTheOldFile) {
    test::TempDir dir;
    MenuScheme s;
    s.appendRoot();
    const std::string path = dir.file("a.menu");
    ASSERT_TRUE(writeSchemeFile(s, path));
    EXPECT_EQ(test::readFile(path), writeSchemeText(s));

    const SchemeResult bad = writeSchemeFile(s, dir.file("no/such/folder/a.menu"));
    EXPECT_FALSE(bad);
    EXPECT_TRUE(bad.ioError);
    EXPECT_NE(test::english(bad.failure).find("no/such/folder"), std::string::npos);
}

}  // namespace
}  // namespace sylvanode

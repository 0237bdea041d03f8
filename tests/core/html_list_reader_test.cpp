// SPDX-License-Identifier: MIT
#include "exchange/html_list_reader.h"

#include <gtest/gtest.h>

#include "exchange/css_selector.h"
#include "exchange_support.h"
#include "test_support.h"

namespace sylvanode {
namespace {

using test::dumpForest;

struct HtmlCase {
    const char* what;
    std::string html;
    std::string select;
    std::string expected;  // dumpForest of the result, or "error: <start of the message>"
};

std::string readAsText(const std::string& html, const std::string& select = {}) {
    HtmlListOptions options;
    options.select = select;
    ImportResult r = readHtmlList(html, options);
    if (!r) return "error: " + test::english(r.failure);
    return dumpForest(r.roots);
}

// Which list a page gives and how its items read.
TEST(HtmlListReader, ListsAndItems) {
    const std::vector<HtmlCase> cases = {
        {"the list in <nav> wins over a larger one elsewhere",
         "<html><body><ul><li>a</li><li>b</li><li>c</li></ul>"
         "<nav><ul><li><a href='x.htm'>X</a></li></ul></nav></body></html>",
         "", "X -> x.htm\n"},
        {"else the largest list; an <li> with a nested list is a folder, its link the folder's",
         "<ul><li>small</li></ul><div><ol><li><a href=\"p/\" target=\"main\" title=\"All "
         "products\">Products</a>"
         "<ul><li><a href=\"p/a.htm\">A &amp; B</a></li><li>Plain <b>text</b> item</li></ul></li>"
         "<li><a href=\"c.htm\">Contact</a></li></ol></div>",
         "",
         "Products -> p/ @main {All products}\n  A & B -> p/a.htm\n  Plain text item\nContact -> c.htm\n"},
        {"--select takes the list inside the element with that id",
         "<nav><ul><li>Nav</li></ul></nav><div id='side'><h2>Side</h2><ul><li><a "
         "href='s.htm'>S</a></li></ul></div>",
         "side", "S -> s.htm\n"},
        {"a list that follows an item directly belongs to that item",
         "<ul><li>Parent</li><ul><li>Child</li></ul><li>Next</li></ul>", "", "Parent\n  Child\nNext\n"},
        {"javascript: links become script items, placeholder links no link",
         "<ul><li><a href=\"javascript:openChat()\">Chat</a></li><li><a href=\"javascript:void(0)\">Menu</a>"
         "<ul><li><a href=\"#\">Soon</a></li></ul></li></ul>",
         "", "Chat !openChat()\nMenu\n  Soon\n"},
        {"the export's own markup reads back with every field",
         "<nav data-sylvanode=\"tree\"><ul><li><button type=\"button\" data-script=\"go(&quot;x&quot;)\" "
         "title=\"Go\">Run</button></li><li><span data-status=\"st\" data-icon1=\"i1.gif\" "
         "data-icon2=\"i2.gif\">Box"
         "</span></li></ul></nav>",
         "", "Run {Go} !go(\"x\")\nBox <st> (i1.gif|i2.gif)\n"},
        {"a link's icon text and white space do not disturb the title",
         "<ul><li>\n  <a href='a.htm'><img src='i.png' alt=''> Getting\n   started </a> "
         "<small>(3)</small></li>"
         "<li><a href='b.htm'><img src='b.png' alt='Logo'></a></li><li></li></ul>",
         "", "Getting started -> a.htm\nLogo -> b.htm\n"},
        {"Bootstrap 5: a divider item and a header item are no items; screen-reader text is no title",
         "<ul class='dropdown-menu'><li><a class='dropdown-item active' aria-current='true' href='a.html'>A "
         "<span class='visually-hidden'>(current)</span></a></li><li><hr class='dropdown-divider'></li>"
         "<li><h6 class='dropdown-header'>More</h6></li><li role='separator'><a href='x'>x</a></li>"
         "<li><a class='dropdown-item' href='b.html'>B</a></li></ul>",
         "", "A -> a.html\nB -> b.html\n"},
        {"links in a block of an item are its children, a block holding its own link is not",
         "<ul><li><div class='wrap'><a href='p.html'>P</a></div><div class='menu'><a href='c1.html'>C1</a>"
         "<div class='divider'></div><a href='c2.html'><img alt='C2'></a><a href='#'></a></div></li></ul>",
         "", "P -> p.html\n  C1 -> c1.html\n  C2 -> c2.html\n"},
        {"the current page's table of contents stays out, another page's list of places does not",
         "<ul><li class='current'><a href='#'>Here</a><ul><li><a href='#a'>A</a><ul><li><a href='#b'>B</a></li></ul>"
         "</li></ul></li><li><a href='other.html'>Other</a><ul><li><a href='other.html#x'>X</a></li></ul></li>"
         "<li><a href='#top'>Top</a><ul><li><a href='#c'>C</a></li></ul></li></ul>",
         "", "Here\nOther -> other.html\n  X -> other.html#x\nTop -> #top\n  C -> #c\n"},
        {"a list of places alone is the menu", "<ul><li class='active'><a href='#a'>A</a></li><li><a href='#b'>B</a></li></ul>",
         "", "A -> #a\nB -> #b\n"},
        {"a page without a list", "<html><body><p>Hello</p></body></html>", "", "error: no list"},
        {"an id that is not there", "<ul><li>a</li></ul>", "nav2", "error: nothing in the page matches \"nav2\""},
        {"an id without a list or a link", "<ul><li>a</li></ul><p id='p'>x</p>", "p",
         "error: no list or link inside \"p\""},
        {"a list without items", "<ul></ul>", "", "error: the list has no items"},
        {"binary data", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16), "",
         "error: not an HTML page (binary data)"},
    };
    for (const auto& c : cases) {
        const std::string got = readAsText(c.html, c.select);
        if (c.expected.rfind("error: ", 0) == 0)
            EXPECT_EQ(got.rfind(c.expected, 0), 0u) << c.what << "\n" << got;
        else
            EXPECT_EQ(got, c.expected) << c.what;
    }
}

// The character set comes from the byte-order mark, <meta charset>, http-equiv, else UTF-8
// when the bytes are UTF-8, else the detection library's verdict; titles always arrive as
// scheme bytes.
TEST(HtmlListReader, CharacterSets) {
    // 产品 and more in GBK: enough text for the detection to recognise, as any real page has.
    const std::string gbkList =
        "<ul><li><a href='cp.htm'>\xB2\xFA\xC6\xB7</a></li><li>\xB9\xD8\xD3\xDA\xCE\xD2\xC3\xC7</li>"
        "<li>\xD0\xC2\xCE\xC5\xD6\xD0\xD0\xC4</li><li>\xC1\xAA\xCF\xB5\xB7\xBD\xCA\xBD</li></ul>";
    const std::string utf8List = "<ul><li><a href='cp.htm'>产品</a></li></ul>";
    struct Case {
        const char* what;
        std::string bytes;
        const char* charset;
    };
    const std::vector<Case> cases = {
        {"meta charset", "<meta charset=\"gb2312\">" + gbkList, "GB18030"},
        {"http-equiv", "<meta http-equiv='Content-Type' content='text/html; charset=GBK'>" + gbkList,
         "GB18030"},
        {"no declaration, not UTF-8", gbkList, "GB18030"},
        {"no declaration, UTF-8", utf8List, "UTF-8"},
        {"UTF-8 byte-order mark beats the declaration", "\xEF\xBB\xBF<meta charset=gbk>" + utf8List, "UTF-8"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(detectHtmlCharset(c.bytes), c.charset) << c.what;
        ImportResult r = readHtmlList(c.bytes);
        ASSERT_TRUE(r) << c.what << ": " << r.failure;
        EXPECT_EQ(r.roots[0]->caption, "\xB2\xFA\xC6\xB7") << c.what;
    }
    // UTF-16 with its mark; Latin-1 read as windows-1252; a character GBK lacks as GB18030.
    std::string utf16 = "\xFF\xFE";
    for (char ch : std::string("<ul><li>caf\xE9 \x80</li></ul>")) utf16 += std::string{ch, '\0'};
    utf16[utf16.find('\x80')] = '\xAC', utf16[utf16.find('\xAC') + 1] = '\x20';  // U+20AC
    ImportResult r16 = readHtmlList(utf16);
    ASSERT_TRUE(r16) << r16.failure;
    EXPECT_EQ(r16.roots[0]->caption, "caf\xA8\xA6 \x80");
    ImportResult latin = readHtmlList("<meta charset=iso-8859-1><ul><li>\x93q\x94 caf\xE9</li></ul>");
    ASSERT_TRUE(latin) << latin.failure;
    EXPECT_EQ(latin.roots[0]->caption, "\xA1\xB0q\xA1\xB1 caf\xA8\xA6");
    ImportResult emoji = readHtmlList("<ul><li>ok 😀</li></ul>");
    ASSERT_TRUE(emoji) << emoji.failure;
    EXPECT_EQ(emoji.roots[0]->caption, "ok \x94\x39\xFC\x36");
}

TEST(HtmlListReader, SelectorsAsXPath) {
    const std::pair<std::string, std::string> cases[] = {
        {"footer ul", "//footer//ul"},
        {"#menu-main", "//*[@id='menu-main']"},
        {"nav.md-nav--primary", "//nav[contains(concat(' ',normalize-space(@class),' '),' md-nav--primary ')]"},
        {"DIV > UL.a.b", "//div/ul[contains(concat(' ',normalize-space(@class),' '),' a ')]"
                         "[contains(concat(' ',normalize-space(@class),' '),' b ')]"},
        {"h2 + ul, aside ~ *", "//h2/following-sibling::*[1]/self::ul | //aside/following-sibling::*"},
        {"[role=navigation] a[href^='/docs'][href$=\".html\"]",
         "//*[@role='navigation']//a[starts-with(@href,'/docs')]"
         "[substring(@href,string-length(@href)-string-length('.html')+1)='.html']"},
        {"[title*=\"it's\"][lang|=en][data-x]", "//*[contains(@title,\"it's\")][@lang='en' or starts-with(@lang,'en-')][@data-x]"},
        {"[title=\"a'b\\\"\"]", ""},  // no escapes
        {"li:first-child", ""},
        {"ul >", ""},
        {"", ""},
        {".", ""},
    };
    for (const auto& [css, xpath] : cases) {
        std::string got;
        Failure error;
        EXPECT_EQ(cssToXPath(css, got, error), !xpath.empty()) << css << ": " << error;
        EXPECT_EQ(got, xpath) << css;
        EXPECT_EQ(!error, !xpath.empty()) << css;
        if (error) {
            EXPECT_EQ(error.value, css);
        }
    }
    // A value with both quotes becomes a concat() that still matches exactly.
    const std::string page = "<ul><li><a title=\"it's &quot;x&quot;\" href='x'>X</a></li></ul><ol><li>other</li></ol>";
    EXPECT_EQ(readAsText(page, "ul:has(a)").rfind("error: not a selector this tool reads", 0), 0u);
    EXPECT_EQ(readAsText(page, "li a[title='it\\'s \"x\"']").rfind("error: ", 0), 0u);  // no escapes in values
    std::string xpath;
    Failure error;
    ASSERT_TRUE(cssToXPath("[title=\"it's\"]", xpath, error));
    EXPECT_EQ(readAsText("<ul><li title=\"it's\"><a href='x'>X</a></li></ul>", "[title=\"it's\"]"), "X -> x\n");
}

TEST(HtmlListReader, PageTitle) {
    EXPECT_EQ(readHtmlTitle("<html><head><meta charset=gbk><title> \xB9\xD8\xD3\xDA  us </title></head>"),
              "关于 us");
    EXPECT_EQ(readHtmlTitle("<html><body><h1>No title</h1><title>late</title></body></html>"), "");
}

}  // namespace
}  // namespace sylvanode

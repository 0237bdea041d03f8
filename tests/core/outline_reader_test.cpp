// SPDX-License-Identifier: MIT
#include "exchange/outline_reader.h"

#include <gtest/gtest.h>

#include "exchange_support.h"
#include "test_support.h"

namespace sylvanode {
namespace {

std::string readAsText(const std::string& text) {
    ImportResult r = readOutline(text);
    if (!r) return "error: " + test::english(r.failure);
    return test::dumpForest(r.roots);
}

// Indentation, bullets, links and escapes of a plain-text outline.
TEST(OutlineReader, Lines) {
    struct Case {
        const char* what;
        std::string text;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {"bullets of every kind and indentation by spaces",
         "- Home\n* Products\n  + Shoes\n  1. Hats\n    2) Caps\n- About\n",
         "Home\nProducts\n  Shoes\n  Hats\n    Caps\nAbout\n"},
        {"tabs, CR LF, blank lines; a shallower line closes back to its level",
         "A\r\n\tB\r\n\t\tC\r\n\r\n\tD\r\n  E\r\nF", "A\n  B\n    C\n  D\n  E\nF\n"},
        {"Markdown links with and without a hint; a bare address links to itself",
         "- [Guide](guide/index.html)\n  - [Install](<guide/install me.html> \"How to \\\"install\\\"\")\n"
         "- https://example.com/\n- see https://example.com/ too\n",
         "Guide -> guide/index.html\n  Install -> guide/install me.html {How to \"install\"}\n"
         "https://example.com/ -> https://example.com/\nsee https://example.com/ too\n"},
        {"escapes keep brackets literal; a javascript: link is a script item",
         "- \\[draft\\] notes\n- [Chat](javascript:openChat())\n- [a \\] b](x.htm)\n- 3 apples\n- -5 "
         "degrees\n",
         "[draft] notes\nChat !openChat()\na ] b -> x.htm\n3 apples\n-5 degrees\n"},
        {"two columns, title and link, split at the first tab; a column left empty keeps the line",
         "- Shop\tshop.htm?a=1\n  1. [x] \\y\t <a b.htm> \tc\n\tRun\tjavascript:go()\nLone\t\n\tTail\n",
         "Shop -> shop.htm?a=1\n  [x] \\y -> <a b.htm> \tc\n    Run !go()\nLone\n  Tail\n"},
        {"Chinese titles become GBK; a character GBK lacks becomes GB18030",
         "- [产品介绍](products/intro.htm)\n- 表情 😀\n", "产品介绍 -> products/intro.htm\n表情 😀\n"},
        {"nothing but blank lines", "\n  \n\t\n", "error: the outline has no items"},
        {"not UTF-8", "- \xB2\xFA\xC6\xB7\n", "error: not an outline (the text is not UTF-8)"},
        {"binary", std::string("ab\0cd", 5), "error: not an outline (binary data)"},
    };
    for (const auto& c : cases) EXPECT_EQ(readAsText(c.text), c.expected) << c.what;

    ImportResult r = readOutline("- 产品 😀\n");
    ASSERT_TRUE(r);
    EXPECT_EQ(r.roots[0]->data.menuName, "\xB2\xFA\xC6\xB7 \x94\x39\xFC\x36");
}

}  // namespace
}  // namespace sylvanode

// SPDX-License-Identifier: MIT
#include "codegen/script_text.h"

#include <gtest/gtest.h>

#include "model/scheme_io.h"
#include "test_support.h"

namespace sylvanode {
namespace {

MenuNode* item(MenuScheme& s, MenuNode* parent, const std::string& title) {
    MenuNode* n = parent ? parent->appendChild() : s.appendRoot();
    n->caption = n->data.menuName = title;
    if (parent) parent->refreshImage();
    return n;
}

std::string line(const std::string& text, int number) {
    size_t pos = 0;
    for (int i = 1; i < number; ++i) pos = text.find("\r\n", pos) + 2;
    return text.substr(pos, text.find("\r\n", pos) - pos);
}

class Golden : public ::testing::TestWithParam<const char*> {};

TEST_P(Golden, SchemeGeneratesTheExpectedScriptAndRewritesItself) {
    const std::string dir = GetParam();
    MenuScheme s;
    ASSERT_TRUE(readSchemeFile(s, test::fixturePath(dir + "/scheme.menu")));
    EXPECT_EQ(scriptFileBytes(s), test::fixture(dir + "/expected.js"));
    EXPECT_EQ(writeSchemeText(s), test::fixture(dir + "/scheme.menu"));
}

INSTANTIATE_TEST_SUITE_P(Fixtures, Golden, ::testing::Values("worked-example", "products", "style"));

TEST(ScriptText, SuffixIsAppendedToEveryGeneratedName) {
    MenuScheme s;
    item(s, nullptr, "Only");
    s.settings.menuSuffix = "m2";
    const std::string t = buildScriptText(s);
    EXPECT_EQ(line(t, 1), "var tree_nodem2=new Array(2,\"Only\",\"\",\"\",\"\",3,\"\",\"\",\"\",5);");
    EXPECT_EQ(line(t, 3), "document.write('TD.Tree_FOLDER_1m2{height:0pt;padding:0pt 5pt 0pt 2pt;}');");
    EXPECT_EQ(line(t, 10), "var treem2=new Tree_treeView();");
    EXPECT_EQ(line(t, 29), "treem2.fileClass3=\"Tree_FILE_3m2\";");
    EXPECT_EQ(line(t, 30), "Tree_buildTree(tree_nodem2,treem2);");
    s.settings.menuSuffix = "2";
    EXPECT_EQ(line(buildScriptText(s), 24), "tree2.folderClass1=\"Tree_FOLDER_12\";");
}

TEST(ScriptText, SettingsLinesAreWrittenAsHeld) {
    MenuScheme s;
    item(s, nullptr, "x");
    s.settings.showHint = false;
    s.settings.showLine = true;
    s.settings.indent = -3;
    s.settings.folderIcon1 = " a\"b ";
    s.settings.lineFolder = "";
    s.settings.target = "C:\\web\\";
    const std::string t = buildScriptText(s);
    EXPECT_EQ(line(t, 14), "tree.useHint=false;");
    EXPECT_EQ(line(t, 17), "tree.showLine=true;");
    EXPECT_EQ(line(t, 18), "tree.Indent=-3;");
    EXPECT_EQ(line(t, 19), "tree.folderImg1=\" a\\\"b \";");  // untrimmed, quote escaped
    EXPECT_EQ(line(t, 23), "tree.target=\"C:\\\\web\\\\\";");
    EXPECT_EQ(line(t, 20), "tree.lineFolder=\"\";");
}

TEST(NodeEntries, QuotingAndFolderEntries) {
    EXPECT_EQ(quoteScriptText("  Home"), "Home");
    EXPECT_EQ(quoteScriptText(" \t\r\n "), "");
    EXPECT_EQ(quoteScriptText("A \"big\" one"), "A \\\"big\\\" one");
    EXPECT_EQ(quoteScriptText("\xA1\xA1x\xA1\xA1"), "\xA1\xA1x\xA1\xA1");  // ideographic spaces stay

    MenuScheme s;
    MenuNode* f = item(s, nullptr, "Folder");
    f->imageIndex = ImageFolderOpen;  // no children, picture not refreshed
    std::string out;
    appendNodeEntries(out, *f);
    EXPECT_EQ(out, "0,\"Folder\",\"\",\"\",\"\",\"\",3,\"\",\"\",\"\",-1,1,");

    f->data.contentType = 2;
    f->data.menuScript = "run(\"x\")";
    f->data.menuIcon2 = "open.gif";
    out.clear();
    appendNodeEntries(out, *f);
    EXPECT_EQ(out, "0,\"Folder\",\"\",\"\",\"\",\"open.gif\",4,\"run(\\\"x\\\")\",\"\",\"\",-1,1,");
}

TEST(NodeEntries, DeepChainGeneratesWithoutRecursion) {
    MenuScheme s;
    MenuNode* n = item(s, nullptr, "r");
    for (int i = 0; i < 100000; ++i) n = item(s, n, "c");
    const std::string t = buildScriptText(s);
    const std::string first = line(t, 1);
    EXPECT_EQ(first.substr(first.size() - 8), ",1,5]}];");  // far past the call argument limit: in pieces
    size_t closes = 0;
    for (size_t p = first.find(",-1,"); p != std::string::npos; p = first.find(",-1,", p + 1)) ++closes;
    EXPECT_EQ(closes, 100000u);
}

TEST(Css, StyleToCssAndRuleBodies) {
    CssStyle st;
    EXPECT_EQ(styleToCss(st), "");
    st.fontSize = 0;
    EXPECT_EQ(styleToCss(st), "font-size:0pt;");
    st.fontSize = -5;
    EXPECT_EQ(styleToCss(st), "font-size:-5pt;");
    st = CssStyle{};
    const std::pair<int, const char*> styles[] = {{-2, ""},
                                                  {0, "font-style:normal;"},
                                                  {1, "font-weight:bold;"},
                                                  {2, "font-style:italic;"},
                                                  {3, "font-weight:bold;font-style:italic;"},
                                                  {4, ""}};
    for (auto [value, css] : styles) {
        st.fontStyle = value;
        EXPECT_EQ(styleToCss(st), css) << value;
    }
    st = CssStyle{};
    st.useBorder = true;
    EXPECT_EQ(styleToCss(st), "");  // no colour: no border at all
    st.useBorder = false;
    st.borderColor = "000080";
    EXPECT_EQ(styleToCss(st), "");  // colour without the switch
    st.useBorder = true;
    st.borderWidth = 2;
    st.borderColor = "clWindowFrame";
    EXPECT_EQ(styleToCss(st), "border:2pt solid windowframe;");
    st.borderWidth = 1;
    st.borderColor = "clRed";
    EXPECT_EQ(styleToCss(st), "border:1pt solid clRed;");

    KindStyle k;
    k.padding = {1, 2, 3, 4};
    k.height = 20;
    k.styles[1].underline = true;
    EXPECT_EQ(styleRuleBody(k, 0), "{height:20pt;padding:1pt 4pt 2pt 3pt;}");
    EXPECT_EQ(styleRuleBody(k, 1), "{text-decoration:underline;height:20pt;padding:1pt 4pt 2pt 3pt;}");
}

TEST(Css, FontFamiliesAreWrittenAsBrowsersReadThem) {
    const struct {
        const char* stored;
        const char* css;
    } cases[] = {
        // Identifier sequences, lists and quoted names stay byte for byte.
        {"\xCB\xCE\xCC\xE5", "\xCB\xCE\xCC\xE5"},  // 宋体
        {"DejaVu Sans", "DejaVu Sans"},
        {"Verdana, Arial,sans-serif", "Verdana, Arial,sans-serif"},
        {"\"Arial Black\", 'A, B', serif", "\"Arial Black\", 'A, B', serif"},
        {"-foo _bar C059 --x", "-foo _bar C059 --x"},
        {"\xD5\x5C\xD5\x5C", "\xD5\x5C\xD5\x5C"},  // a 0x5C trail byte is part of the character
        // The foundry tag of a font list goes.
        {"C059 [urw]", "C059"},
        {"Nimbus Sans  [UKWN], serif", "Nimbus Sans, serif"},
        // A word that would not read as an identifier gets its first character escaped.
        {"Font Awesome 5 Free", "Font Awesome \\35  Free"},
        {"Arial, 3D Font", "Arial, \\33 D Font"},
        {"x -1 -", "x -\\31  \\2D "},
        {"\xD5\x5C 1", "\xD5\x5C \\31 "},
        // A reserved word is quoted.
        {"Default", "\"Default\""},
        {"Arial, inherit", "Arial, \"inherit\""},
        // Punctuation becomes escapes, also inside quotes: nothing can end a string or the rule.
        {"a;b}c", "a\\3B b\\7D c"},
        {"say \"hi\\", "say \\22 hi\\5C "},
        {"'</style>', x", "'\\3C \\2F style\\3E ', x"},
        {"tab\there\n", "tab\\09 here\\0A "},
    };
    for (const auto& c : cases) EXPECT_EQ(cssFontFamily(c.stored), c.css) << c.stored;
    CssStyle st;
    st.fontName = "Font Awesome 5 Free";
    EXPECT_EQ(styleToCss(st), "font-family:Font Awesome \\35  Free;");
}

TEST(Suffix, CheckAndNormalise) {
    std::string out = "unchanged";
    EXPECT_TRUE(checkMenuSuffix("  Menu2 ", out));
    EXPECT_EQ(out, "menu2");
    EXPECT_TRUE(checkMenuSuffix("   ", out));
    EXPECT_EQ(out, "");
    out = "kept";
    EXPECT_FALSE(checkMenuSuffix("a_b", out));
    EXPECT_FALSE(checkMenuSuffix("a b", out));
    EXPECT_FALSE(checkMenuSuffix("a-b", out));
    EXPECT_FALSE(checkMenuSuffix("\xD6\xD0", out));
    EXPECT_EQ(out, "kept");
    EXPECT_TRUE(checkMenuSuffix("\t2\r\n", out));
    EXPECT_EQ(out, "2");
}

TEST(ScriptFile, WrittenWithFinalLineEndAndFailureLeavesOldFile) {
    test::TempDir dir;
    MenuScheme s;
    item(s, nullptr, "x");
    const std::string path = dir.file("menu.js");
    ASSERT_TRUE(writeScriptFile(s, path));
    EXPECT_EQ(test::readFile(path), buildScriptText(s) + "\r\n");
    EXPECT_FALSE(writeScriptFile(s, dir.file("missing/menu.js")));
}

}  // namespace
}  // namespace sylvanode

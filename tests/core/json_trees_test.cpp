// SPDX-License-Identifier: MIT
// JSON as tree widgets and sites keep menus: the parser, the shapes told apart by their keys,
// and the jsTree export.
#include <gtest/gtest.h>

#include "exchange/json_format.h"
#include "exchange/json_value.h"
#include "exchange_support.h"
#include "test_support.h"

namespace sylvanode {
namespace {

TEST(JsonDocument, ParsesJsonAndNothingElse) {
    struct Case {
        std::string text;
        std::string error;  // empty: parses
    };
    std::vector<Case> cases = {
        {"[]", ""},
        {" {\"a\" : [1, -2.5e+3, true, false, null, \"x\\u00e9\\ud83d\\ude00\"]} ", ""},
        {"\xEF\xBB\xBF{}", ""},
        {"\"just a string\"", ""},
        {"", "line 1: the text ends too early"},
        {"[1,]", "line 1: expected a value"},
        {"[1 2]", "line 1: expected , or ]"},
        {"{\"a\" 1}", "line 1: expected :"},
        {"{a:1}", "line 1: expected a key"},
        {"[\n\n01]", "line 3: expected , or ]"},
        {"[\"tab\tinside\"]", "line 1: a bad string"},
        {"[\"\\x\"]", "line 1: a bad string"},
        {"[] []", "line 1: text after the end"},
        {"[\"\xC3\x28\"]", "line 1: the text is not UTF-8"},
        {"[" + std::string(100000, '[') + std::string(100000, ']') + "]", ""},  // deep, no recursion
    };
    std::string many = "[";
    for (size_t i = 0; i < JsonDocument::kMaxValues; ++i) many += "0,";
    cases.push_back({many + "0]", "line 1: too many values to import"});
    for (const Case& c : cases) {
        JsonDocument doc;
        EXPECT_EQ(doc.parse(c.text), c.error.empty()) << c.text.substr(0, 40);
        EXPECT_EQ(test::english(doc.error()), c.error.empty() ? "" : "not a menu in JSON (" + c.error + ")")
            << c.text.substr(0, 40);
    }
    JsonDocument doc;
    ASSERT_TRUE(doc.parse("{\"k\":\"a\\\"b\\\\c\\n\\ud83d\\ude00\\udc00\",\"n\":12,\"k\":\"second\"}"));
    EXPECT_EQ(doc.memberText(doc.root(), "k"), "a\"b\\c\n\xF0\x9F\x98\x80\xEF\xBF\xBD");  // a lone surrogate: U+FFFD
    EXPECT_EQ(doc.memberText(doc.root(), "n"), "12");
    EXPECT_EQ(doc.member(doc.root(), "missing"), JsonDocument::kNone);
}

std::string readAsText(const std::string& json) {
    ImportResult r = readMenuJson(json);
    return r ? test::dumpForest(r.roots) : "error: " + test::english(r.failure);
}

// Each shape by the keys that mark it; what a tree widget cannot give is left out.
TEST(JsonTrees, ShapesAndTheirKeys) {
    const std::pair<std::string, std::string> cases[] = {
        // Ours, with every field.
        {R"j({"sylvanode-menu":1,"title":"Site","items":[{"title":"A","hint":"h","status":"s","icon1":"i1.gif",
            "icon2":"i2.gif","link":"a.html","target":"main","children":[{"title":"Run","script":"go()"}]}]})j",
         "A -> a.html @main {h} <s> (i1.gif|i2.gif)\n  Run !go()\n"},
        // jsTree: HTML text, a_attr, li_attr, icons that are images (not classes), strings as nodes.
        {R"j([{"text":"Tom &amp; <i>Jerry</i> &#x4E2D;&#20013;","a_attr":{"href":"#"},"icon":"fa fa-cat"},
            "<b>Plain</b> &lt;3",{"text":"Img","icon":"img/cat.png","data":{"icon2":"o.gif","status":"st"}}])j",
         "Tom & Jerry 中中\nPlain <3\nImg <st> (img/cat.png|o.gif)\n"},
        // jsTree's configuration object, and javascript: links.
        {R"j({"core":{"data":[{"text":"Go","a_attr":{"href":"javascript:go(1)"}},
            {"text":"Nothing","a_attr":{"href":"javascript:void(0)"}}]}})j",
         "Go !go(1)\nNothing\n"},
        // The flat form: a missing parent and a loop of parents make roots; nothing is lost.
        {R"j([{"id":"a","parent":"#","text":"A"},{"id":"b","parent":"a","text":"B"},
            {"id":"c","parent":"gone","text":"C"},{"id":"d","parent":"e","text":"D"},{"id":"e","parent":"d","text":"E"}])j",
         "A\n  B\nC\nD\n  E\n"},
        // One item object at the top; name, label and url alike.
        {R"j({"name":"Root","items":[{"label":"L","url":"u.html"}]})j", "Root\n  L -> u.html\n"},
        {R"j({"children":[{"title":"T","data":{"url":"d.html","target":"_top"}}]})j", "T -> d.html @_top\n"},
        {R"j([1, null, {"title":"Only objects and strings count"}])j", "Only objects and strings count\n"},
        {R"j({"items":[]})j", "error: the menu has no items"},
        {R"j({"version":2})j", "error: not a menu in JSON (no list of items)"},
        {"[{\"title\":", "error: not a menu in JSON (line 1: the text ends too early)"},
    };
    for (const auto& [json, expected] : cases) EXPECT_EQ(readAsText(json), expected) << json;
}

// jsTree 3 loads the export as it is: texts are HTML, the hint is the item's title attribute,
// the link is the anchor's, an open folder is opened; the rest rides in data.
TEST(JsonTrees, JsTreeExport) {
    ImportResult r = readMenuJson(
        R"j([{"text":"A & B","state":{"opened":true},"li_attr":{"title":"Hint"},"children":[
            {"text":"&lt;x&gt;","a_attr":{"href":"x.html","target":"main"},"icon":"i/x.gif"},
            {"text":"Run","data":{"script":"","status":"s","icon1":"cls"}}]}])j");
    ASSERT_TRUE(r) << r.failure;
    MenuScheme scheme;
    for (auto& root : r.roots) scheme.appendRoot(std::move(root));
    EXPECT_EQ(writeJsTreeJson(scheme),
              "[\n{\"text\":\"A &amp; B\",\"li_attr\":{\"title\":\"Hint\"},\"state\":{\"opened\":true},\"children\":["
              "\n{\"text\":\"&lt;x&gt;\",\"icon\":\"i/x.gif\",\"a_attr\":{\"href\":\"x.html\",\"target\":\"main\"}},"
              "\n{\"text\":\"Run\",\"data\":{\"status\":\"s\",\"icon1\":\"cls\",\"script\":\"\"}}]}\n]\n");
}

}  // namespace
}  // namespace sylvanode

#include <gtest/gtest.h>

#include <string>

#include "codegen/script_text.h"

namespace sylvanode {
namespace {

// n root files, each 9 array elements, plus the final 5.
void addFiles(MenuScheme& s, int n) {
    for (int i = 0; i < n; ++i) {
        MenuNode* node = s.appendRoot();
        node->caption = node->data.menuName = "f";
    }
}

std::string firstLine(const std::string& text) { return text.substr(0, text.find("\r\n")); }

TEST(ScriptTextLarge, ArraysBeyondTheCallArgumentLimitAreLiterals) {
    const std::string entry = "2,\"f\",\"\",\"\",\"\",3,\"\",\"\",\"\",";
    std::string entries;
    for (int i = 0; i < 7222; ++i) entries += entry;

    MenuScheme small;
    addFiles(small, 7222);  // 64,999 elements: still a call
    EXPECT_EQ(firstLine(buildScriptText(small)), "var tree_node=new Array(" + entries + "5);");

    MenuScheme large;
    addFiles(large, 7223);  // 65,008 elements
    large.settings.menuSuffix = "m2";
    EXPECT_EQ(firstLine(buildScriptText(large)), "var tree_nodem2=[" + entries + entry + "5];");
}

}  // namespace
}  // namespace sylvanode

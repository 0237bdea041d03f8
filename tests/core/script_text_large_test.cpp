// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <algorithm>
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
    for (int i = 0; i < 3333; ++i) entries += entry;

    MenuScheme small;
    addFiles(small, 3333);  // 29,998 elements: still a call
    EXPECT_EQ(firstLine(buildScriptText(small)), "var tree_node=new Array(" + entries + "5);");

    MenuScheme large;
    addFiles(large, 3334);  // 30,007 elements
    large.settings.menuSuffix = "m2";
    EXPECT_EQ(firstLine(buildScriptText(large)), "var tree_nodem2=[" + entries + entry + "5];");
}

TEST(ScriptTextLarge, VeryLargeArraysAreWrittenInPiecesThatJoinToTheSameArray) {
    MenuScheme whole;
    addFiles(whole, 22222);  // 199,999 elements: still one literal
    EXPECT_EQ(firstLine(buildScriptText(whole)).substr(0, 16), "var tree_node=[2");

    // Folders, files, nested and empty folders, so that pieces end after every kind of entry.
    MenuScheme large;
    for (int r = 0; r < 2000; ++r) {
        MenuNode* folder = large.appendRoot();
        for (int i = 0; i < 5; ++i) folder->appendChild()->data.menuName = "f" + std::to_string(r);
        MenuNode* sub = folder->appendChild();
        for (int i = 0; i < 4; ++i) sub->appendChild()->data.menuName = "g";
        folder->appendChild()->imageIndex = ImageFolderClosed;  // an empty folder
        folder->refreshImage();
        sub->refreshImage();
    }
    std::string array;
    for (const auto& root : large.roots()) appendNodeEntries(array, *root);
    array += "5";

    const std::string head = "var tree_node=[function(){return[", tail = "]}];",
                      separator = "]},function(){return[";
    const std::string text = firstLine(buildScriptText(large));
    ASSERT_EQ(text.substr(0, head.size()), head);
    ASSERT_EQ(text.substr(text.size() - tail.size()), tail);
    std::string joined;
    int pieces = 0;
    for (size_t at = head.size(), end; at < text.size(); at = end + separator.size(), ++pieces) {
        end = text.find(separator, at);
        if (end == std::string::npos) end = text.size() - tail.size();
        const std::string piece = text.substr(at, end - at);
        joined += piece;
        // Every piece but the last holds at least 50,000 elements, ended by a whole entry.
        const auto elements = std::count(piece.begin(), piece.end(), ',');
        if (end + tail.size() < text.size()) {
            EXPECT_TRUE(elements >= 50000 && elements < 50011) << elements;
        }
    }
    EXPECT_EQ(pieces, 5);
    EXPECT_EQ(joined, array);
}

}  // namespace
}  // namespace sylvanode

// SPDX-License-Identifier: MIT
// Look files: only the look's [Config] keys and the style sections, read back to the same look,
// and applying one leaves everything else of a scheme alone.
#include <gtest/gtest.h>

#include "model/scheme_io.h"
#include "model/scheme_look.h"

namespace sylvanode {
namespace {

SchemeLook sampleLook() {
    SchemeLook look;
    look.name = "\xce\xc4\xb5\xb5";  // 文档 in GBK
    look.indent = 21;
    look.showLine = true;
    look.showSelect = false;
    look.kinds[0].height = 24;
    look.kinds[0].padding = {1, 2, 3, 4};
    look.kinds[1].styles[2].backgroundColor = "316AC5";
    look.kinds[1].styles[2].textColor = "FFFFFF";
    look.kinds[0].styles[0].fontName = "Noto Sans";
    look.kinds[0].styles[0].fontSize = 10;
    look.kinds[0].styles[1].useBorder = true;
    look.kinds[0].styles[1].borderColor = "A0A0A0";
    return look;
}

TEST(SchemeLook, FileHoldsOnlyTheLookAndReadsBackTheSame) {
    const SchemeLook look = sampleLook();
    const std::string text = writeLookText(look);
    // The scheme's own business never goes into a look.
    for (const char* absent : {"workDir=", "target=", "lineFolder=", "count=", "use image=", "fileIcon=", "[MenuName]",
                               "[Link]", "[Status]", "useTitleAsHint="})
        EXPECT_EQ(text.find(absent), std::string::npos) << absent;
    for (const char* present : {"[Look]\r\nname=\xce\xc4\xb5\xb5\r\n", "indent=21\r\n", "show line=1\r\n",
                                "show select=0\r\n", "[padding]", "[height]", "[background color]", "[font name]"})
        EXPECT_NE(text.find(present), std::string::npos) << present;

    SchemeLook read;
    ASSERT_TRUE(readLookText(read, text));
    EXPECT_EQ(read.name, look.name);
    EXPECT_EQ(read.indent, look.indent);
    EXPECT_EQ(read.showLine, look.showLine);
    EXPECT_EQ(read.showSelect, look.showSelect);
    EXPECT_EQ(read.kinds, look.kinds);
    EXPECT_EQ(writeLookText(read), text);
}

TEST(SchemeLook, ApplyingChangesTheLookAndNothingElse) {
    SchemeSettings settings;
    settings.workDir = "/srv/site/";
    settings.target = "main";
    settings.useImage = false;
    settings.fileIcon = "img/f.gif";
    const SchemeSettings before = settings;
    std::array<KindStyle, 2> kinds{};
    const SchemeLook look = sampleLook();
    applyLook(look, settings, kinds);
    EXPECT_EQ(kinds, look.kinds);
    EXPECT_EQ(settings.indent, 21);
    EXPECT_TRUE(settings.showLine);
    EXPECT_FALSE(settings.showSelect);
    SchemeSettings rest = settings;
    rest.indent = before.indent;
    rest.showLine = before.showLine;
    rest.showSelect = before.showSelect;
    EXPECT_EQ(rest, before);
}

TEST(SchemeLook, AFileWithoutNameOrKeysTakesDefaults) {
    SchemeLook read;
    read.name = "stale";
    ASSERT_TRUE(readLookText(read, "[height]\r\n0=30\r\n"));
    EXPECT_TRUE(read.name.empty());
    EXPECT_EQ(read.kinds[0].height, 30);
    EXPECT_EQ(read.indent, SchemeLook{}.indent);
}

}  // namespace
}  // namespace sylvanode

// SPDX-License-Identifier: MIT
#include "platform/help_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "test_support.h"

namespace sylvanode {
namespace {

namespace fs = std::filesystem;
using test::TempDir;
using test::writeFile;

// Makes the file and its directories.
std::string put(const std::string& path, const std::string& bytes = "x") {
    fs::create_directories(fs::path(path).parent_path());
    writeFile(path, bytes);
    return path;
}

TEST(HelpFiles, HelpFileLiesBesideTheExecutableWithOrWithoutTrailingSlash) {
    EXPECT_EQ(helpFilePath("/opt/sn/bin/"), "/opt/sn/bin/sylvanode.chm");
    EXPECT_EQ(helpFilePath("/opt/sn/bin"), "/opt/sn/bin/sylvanode.chm");
}

TEST(HelpFiles, FindsTheHelpFileBesideTheExecutableBeforeTheInstalledCopy) {
    TempDir t;
    const std::string bin = t.file("bin/");
    fs::create_directories(bin);
    EXPECT_EQ(findHelpFile(bin), "");
    const std::string installed = put(t.file("share/doc/sylvanode/sylvanode.chm"));
    EXPECT_EQ(findHelpFile(bin), fs::weakly_canonical(installed).string());
    const std::string beside = put(t.file("bin/sylvanode.chm"));
    EXPECT_EQ(findHelpFile(bin), beside);
    EXPECT_EQ(findHelpFile(""), "");
}

TEST(HelpFiles, FindsTheInstalledGuideAndTheBuildTreeCopy) {
    TempDir t;
    // Installed: <prefix>/bin and <prefix>/share/doc/sylvanode/guide.
    fs::create_directories(t.file("prefix/bin"));
    EXPECT_EQ(findUserGuide(t.file("prefix/bin/")), "");
    const std::string installed = put(t.file("prefix/share/doc/sylvanode/guide/index.html"));
    EXPECT_EQ(findUserGuide(t.file("prefix/bin/")), fs::weakly_canonical(installed).string());

    // Build tree: the editor two levels below the build directory (src/app).
    fs::create_directories(t.file("build/src/app"));
    const std::string copy = put(t.file("build/share/doc/sylvanode/guide/index.html"));
    EXPECT_EQ(findUserGuide(t.file("build/src/app/")), fs::weakly_canonical(copy).string());

    // Not picked up from far above the executable.
    fs::create_directories(t.file("build/a/b/c/d"));
    EXPECT_EQ(findUserGuide(t.file("build/a/b/c/d/")), "");
    // A directory of that name is not a guide.
    fs::create_directories(t.file("other/share/doc/sylvanode/guide/index.html"));
    fs::create_directories(t.file("other/bin"));
    EXPECT_EQ(findUserGuide(t.file("other/bin/")), "");
}

TEST(HelpFiles, HelpOffersTheHelpFileToChineseReadersWithAViewerThenTheGuideInTheirLanguage) {
    TempDir t;
    const std::string bin = t.file("prefix/bin/");
    fs::create_directories(bin);
    const auto zh = Language::Chinese;
    const auto en = Language::English;
    EXPECT_TRUE(helpDocuments(bin, zh, true).empty());
    EXPECT_EQ(installedUserGuidePath(bin, zh), t.file("prefix/share/doc/sylvanode/guide/index.html"));
    EXPECT_EQ(installedUserGuidePath(bin, en), t.file("prefix/share/doc/sylvanode/guide/index.en.html"));

    const std::string chm = put(t.file("prefix/bin/sylvanode.chm"));
    EXPECT_EQ(helpDocuments(bin, zh, true), std::vector<std::string>{chm});
    EXPECT_TRUE(helpDocuments(bin, zh, false).empty());
    EXPECT_TRUE(helpDocuments(bin, en, true).empty());  // the help file opens on its Chinese page

    // Only the Chinese guide: every reader gets it rather than nothing.
    const std::string chinese =
        fs::weakly_canonical(put(t.file("prefix/share/doc/sylvanode/guide/index.html"))).string();
    EXPECT_EQ(helpDocuments(bin, zh, true), (std::vector<std::string>{chm, chinese}));
    EXPECT_EQ(helpDocuments(bin, zh, false), std::vector<std::string>{chinese});
    EXPECT_EQ(helpDocuments(bin, en, true), std::vector<std::string>{chinese});

    const std::string english =
        fs::weakly_canonical(put(t.file("prefix/share/doc/sylvanode/guide/index.en.html"))).string();
    EXPECT_EQ(findUserGuide(bin, en), english);
    EXPECT_EQ(helpDocuments(bin, en, true), std::vector<std::string>{english});
    EXPECT_EQ(helpDocuments(bin, zh, true), (std::vector<std::string>{chm, chinese}));
    fs::remove(chinese);
    EXPECT_EQ(helpDocuments(bin, zh, false), std::vector<std::string>{english});
}

}  // namespace
}  // namespace sylvanode

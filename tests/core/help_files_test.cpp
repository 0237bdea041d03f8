#include "platform/help_files.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <utility>
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

XdgDirectories onlyUnder(const TempDir& t) {
    XdgDirectories d;
    d.configHome = t.file("config");
    d.configDirs = {t.file("etc-xdg")};
    d.dataHome = t.file("data");
    d.dataDirs = {t.file("usr-local-share"), t.file("usr-share")};
    return d;
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

TEST(HelpFiles, ViewerFoundInEachKindOfAssociationFile) {
    struct Case {
        const char* file;
        const char* text;
        bool expected;
    } cases[] = {
        {"config/mimeapps.list", "[Default Applications]\napplication/vnd.ms-htmlhelp=viewer.desktop\n", true},
        {"etc-xdg/mimeapps.list", "[Added Associations]\napplication/x-chm=viewer.desktop;\n", true},
        {"data/applications/mimeapps.list", "[Default Applications]\nApplication/VND.MS-HtmlHelp = v.desktop\n", true},
        {"usr-local-share/applications/defaults.list", "[Default Applications]\napplication/x-chm=v.desktop\n", true},
        {"usr-share/applications/mimeinfo.cache", "[MIME Cache]\ntext/html=b.desktop;\napplication/vnd.ms-htmlhelp=v.desktop;\n", true},
        // Other types, removals, empty lists and other sections name no viewer.
        {"usr-share/applications/mimeinfo.cache", "[MIME Cache]\ntext/html=browser.desktop;\n", false},
        {"config/mimeapps.list", "[Removed Associations]\napplication/vnd.ms-htmlhelp=viewer.desktop\n", false},
        {"config/mimeapps.list", "[Default Applications]\napplication/vnd.ms-htmlhelp=;\n", false},
        {"config/mimeapps.list", "[Other]\napplication/x-chm=viewer.desktop\n", false},
        {"config/mimeapps.list", "application/x-chm=viewer.desktop\n", false},
        {"config/mimeapps.list", "[Default Applications]\n# application/x-chm=viewer.desktop\n", false},
        {"config/mimeapps.list", "[Default Applications]\r\napplication/x-chm=viewer.desktop\r\n", true},
    };
    for (const Case& c : cases) {
        TempDir t;
        EXPECT_FALSE(desktopOpensHelpFiles(onlyUnder(t)));
        put(t.file(c.file), c.text);
        EXPECT_EQ(desktopOpensHelpFiles(onlyUnder(t)), c.expected) << c.file << ": " << c.text;
    }
}

TEST(HelpFiles, EnvironmentDefaultsFollowTheBaseDirectoryRules) {
    const char* saved[] = {"HOME", "XDG_CONFIG_HOME", "XDG_CONFIG_DIRS", "XDG_DATA_HOME", "XDG_DATA_DIRS"};
    std::vector<std::pair<std::string, std::optional<std::string>>> old;
    for (const char* n : saved) {
        const char* v = std::getenv(n);
        old.emplace_back(n, v ? std::optional<std::string>(v) : std::nullopt);
    }
    ::setenv("HOME", "/home/u", 1);
    ::unsetenv("XDG_CONFIG_HOME");
    ::setenv("XDG_CONFIG_DIRS", "", 1);
    ::unsetenv("XDG_DATA_HOME");
    ::unsetenv("XDG_DATA_DIRS");
    XdgDirectories d = XdgDirectories::fromEnvironment();
    EXPECT_EQ(d.configHome, "/home/u/.config");
    EXPECT_EQ(d.configDirs, std::vector<std::string>{"/etc/xdg"});
    EXPECT_EQ(d.dataHome, "/home/u/.local/share");
    EXPECT_EQ(d.dataDirs, (std::vector<std::string>{"/usr/local/share", "/usr/share"}));

    ::setenv("XDG_DATA_DIRS", "/a::/b", 1);
    ::setenv("XDG_CONFIG_HOME", "/c", 1);
    d = XdgDirectories::fromEnvironment();
    EXPECT_EQ(d.dataDirs, (std::vector<std::string>{"/a", "/b"}));
    EXPECT_EQ(d.configHome, "/c");

    for (const auto& [name, value] : old) {
        if (value) ::setenv(name.c_str(), value->c_str(), 1);
        else ::unsetenv(name.c_str());
    }
}

TEST(HelpFiles, HelpOffersTheHelpFileOnlyWithAViewerThenTheGuide) {
    TempDir t;
    const std::string bin = t.file("prefix/bin/");
    fs::create_directories(bin);
    EXPECT_TRUE(helpDocuments(bin, true).empty());

    const std::string chm = put(t.file("prefix/bin/sylvanode.chm"));
    EXPECT_EQ(helpDocuments(bin, true), std::vector<std::string>{chm});
    EXPECT_TRUE(helpDocuments(bin, false).empty());

    const std::string guide =
        fs::weakly_canonical(put(t.file("prefix/share/doc/sylvanode/guide/index.html"))).string();
    EXPECT_EQ(helpDocuments(bin, true), (std::vector<std::string>{chm, guide}));
    EXPECT_EQ(helpDocuments(bin, false), std::vector<std::string>{guide});
}

}  // namespace
}  // namespace sylvanode

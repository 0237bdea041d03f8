// SPDX-License-Identifier: MIT
#include "cli/preview_command.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "cli/cli.h"
#include "model/scheme_io.h"
#include "preview/preview_page.h"
#include "preview/web_library.h"
#include "test_support.h"

namespace sylvanode {
namespace {

namespace fs = std::filesystem;

struct CliRun {
    int code;
    std::string out, err;
};

CliRun cli(std::vector<std::string> args) {
    std::ostringstream out, err;
    const int code = cli::run(args, out, err);
    return {code, out.str(), err.str()};
}

void touch(const std::string& path) {
    fs::create_directories(fs::path(path).parent_path());
    test::writeFile(path, "x");
}

// A folder Help with a file About below it, written as a scheme file.
std::string writeScheme(const std::string& path, const std::string& workDir, bool showLine,
                        const std::string& lineFolder = "./") {
    MenuScheme s;
    MenuNode* help = s.appendRoot();
    help->caption = help->data.menuName = "Help";
    help->data.menuLink = "help.htm";
    help->data.menuIcon1 = "img/help.gif";
    MenuNode* about = help->appendChild();
    about->caption = about->data.menuName = "\xB9\xD8\xD3\xDA";  // 关于 in GBK
    help->refreshImage();
    s.settings.workDir = workDir;
    s.settings.showLine = showLine;
    s.settings.lineFolder = lineFolder;
    EXPECT_TRUE(writeSchemeFile(s, path));
    return path;
}

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

TEST(WebLibrary, FoundInTheInstalledAndTheBuildLayout) {
    test::TempDir dir;
    const std::string root = dir.path() + "/";
    EXPECT_EQ(webLibraryDirectory(root + "usr/bin/"), "");  // nothing installed yet

    touch(root + "usr/share/sylvanode/web/sylvanode-tree.min.js");
    EXPECT_EQ(webLibraryDirectory(root + "usr/bin/"), root + "usr/share/sylvanode/web/");
    EXPECT_EQ(webLibraryDirectory(root + "usr/bin"), root + "usr/share/sylvanode/web/");

    // Build tree: programs in subdirectories of the build directory find <build>/share.
    touch(root + "build/share/sylvanode/web/sylvanode-tree.min.js");
    EXPECT_EQ(webLibraryDirectory(root + "build/src/"), root + "build/share/sylvanode/web/");
    EXPECT_EQ(webLibraryDirectory(root + "build/src/app/"), root + "build/share/sylvanode/web/");
    EXPECT_EQ(webLibraryDirectory(root + "build/tests/core/"), root + "build/share/sylvanode/web/");
    // Never searched further than three levels up.
    EXPECT_EQ(webLibraryDirectory(root + "build/a/b/c/d/"), "");

    // A directory without the library file does not count.
    fs::create_directories(root + "opt/share/sylvanode/web");
    EXPECT_EQ(webLibraryDirectory(root + "opt/bin/"), "");
    EXPECT_EQ(webLibraryDirectory(""), "");
}

TEST(WebLibrary, TheRunningProgramFindsTheBuildTreeCopy) {
    const std::string dir = webLibraryDirectory();
    ASSERT_FALSE(dir.empty());
    EXPECT_TRUE(fs::is_regular_file(dir + kWebLibraryFile));
    EXPECT_TRUE(fs::is_regular_file(dir + "sn-line-t.svg"));
}

TEST(Preview, FileUrlsKeepEveryByte) {
    EXPECT_EQ(fileUrl("/srv/site-1/a_b.~/"), "file:///srv/site-1/a_b.~/");
    EXPECT_EQ(fileUrl("/a b/\"q\"#%<>.js"), "file:///a%20b/%22q%22%23%25%3C%3E.js");
    EXPECT_EQ(fileUrl("/\xD4\xCB\\x"), "file:///%D4%CB%5Cx");  // GBK bytes and a backslash
}

TEST(Preview, WritesAPageWithTheLibraryAndTheScript) {
    test::TempDir dir;
    const std::string site = dir.path() + "/site/";
    fs::create_directories(site);
    const std::string scheme = writeScheme(dir.file("m.menu"), site, true);
    const std::string out = dir.path() + "/out";

    CliRun r = cli({"preview", scheme, "-o", out});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, out + "/index.html\n");
    EXPECT_EQ(r.err, "");
    const std::string page = test::readFile(out + "/index.html");
    EXPECT_TRUE(contains(page, "<meta charset=\"gbk\">"));
    // Relative icons and links start from the work directory; our files are named absolutely.
    EXPECT_TRUE(contains(page, "<base href=\"" + fileUrl(site) + "\">"));
    EXPECT_TRUE(contains(page, "<script src=\"" + fileUrl(out + "/sylvanode-tree.min.js") + "\"></script>"));
    EXPECT_TRUE(contains(
        page, "<script src=\"" + fileUrl(out + "/sylvanode-preview.js") + "\" charset=\"gbk\"></script>"));
    EXPECT_LT(page.find("sylvanode-tree.min.js"), page.find("sylvanode-preview.js"));

    // The site has no node-line images yet: the copies beside the page are used.
    const std::string js = test::readFile(out + "/sylvanode-preview.js");
    EXPECT_TRUE(contains(js, "tree.lineFolder=\"" + fileUrl(out + "/") + "\";\r\n"));
    EXPECT_TRUE(contains(
        js, "0,\"Help\",\"\",\"\",\"img/help.gif\",\"\",3,\"\",\"help.htm\",\"\",-1,2,\"\xB9\xD8\xD3\xDA\""));
    for (const char* f : {"sylvanode-tree.min.js", "sn-line-i.svg", "sn-line-t.svg", "sn-line-l.svg",
                          "sn-plus.svg", "sn-minus.svg"}) {
        EXPECT_EQ(test::readFile(out + "/" + f), test::readFile(webLibraryDirectory() + f)) << f;
    }

    // Run again over its own page, with a suffix.
    r = cli({"preview", scheme, "-o", out, "--suffix", "M2"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_TRUE(
        contains(test::readFile(out + "/sylvanode-preview.js"), "Tree_buildTree(tree_nodem2,treem2);\r\n"));
}

TEST(Preview, LineImagesOfTheSiteAndSchemesFromElsewhere) {
    test::TempDir dir;
    const std::string site = dir.path() + "/site/";
    touch(site + "lines/sn-line-i.svg");
    CliRun r = cli({"preview", writeScheme(dir.file("a.menu"), site, true, "lines/"), "-o", dir.file("a")});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_TRUE(contains(test::readFile(dir.file("a/sylvanode-preview.js")), "tree.lineFolder=\"lines/\";"));

    // Lines off: the scheme's line folder is left alone.
    r = cli({"preview", writeScheme(dir.file("b.menu"), site, false, "nowhere/"), "-o", dir.file("b")});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_TRUE(
        contains(test::readFile(dir.file("b/sylvanode-preview.js")), "tree.lineFolder=\"nowhere/\";"));

    // A work directory that does not exist here (a Windows path): the scheme's own directory.
    fs::create_directories(dir.path() + "/schemes");
    r = cli(
        {"preview", writeScheme(dir.path() + "/schemes/c.menu", "C:\\site\\", false), "-o", dir.file("c")});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_TRUE(contains(test::readFile(dir.file("c/index.html")),
                         "<base href=\"" + fileUrl(dir.path() + "/schemes/") + "\">"));
}

TEST(Preview, Refusals) {
    test::TempDir dir;
    const std::string scheme = writeScheme(dir.file("m.menu"), dir.path() + "/", false);

    // Never overwrites a page of the site.
    fs::create_directories(dir.file("site"));
    test::writeFile(dir.file("site/index.html"), "<p>home</p>");
    CliRun r = cli({"preview", scheme, "-o", dir.file("site")});
    EXPECT_EQ(r.code, 3);
    EXPECT_TRUE(contains(r.err, "is not a preview page"));
    EXPECT_EQ(test::readFile(dir.file("site/index.html")), "<p>home</p>");
    EXPECT_FALSE(fs::exists(dir.file("site/sylvanode-preview.js")));

    EXPECT_EQ(cli({"preview", scheme}).code, 2);
    EXPECT_EQ(cli({"preview", "-o", dir.file("x")}).code, 2);
    r = cli({"preview", scheme, "-o", dir.file("x"), "--suffix", "a-b"});
    EXPECT_EQ(r.code, 2);
    EXPECT_EQ(r.err, "sylvanode-cli: invalid suffix: a-b (letters and digits only)\n");

    test::writeFile(dir.file("empty.menu"), "[Config]\r\ncount=0\r\n");
    r = cli({"preview", dir.file("empty.menu"), "-o", dir.file("x")});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, "sylvanode-cli: no menu items, no code generated\n");
    test::writeFile(dir.file("junk.menu"), "junk");
    EXPECT_EQ(cli({"preview", dir.file("junk.menu"), "-o", dir.file("x")}).code, 1);
    EXPECT_EQ(cli({"preview", dir.file("missing.menu"), "-o", dir.file("x")}).code, 3);

    // Without the library nothing is written.
    std::ostringstream out, err;
    fs::create_directories(dir.file("nolib"));
    const cli::CommandSyntax syntax = cli::previewCommandSyntax();
    cli::Invocation inv(syntax, out, err, {});
    ASSERT_EQ(inv.parse({scheme, "-o", dir.file("y")}), -1);
    EXPECT_EQ(cli::previewCommand(inv, dir.file("nolib")), 3);
    EXPECT_TRUE(contains(err.str(), "sylvanode-tree.min.js"));
    EXPECT_FALSE(fs::exists(dir.file("y")));

    // A file where the directory should be, or above it: the message says so.
    test::writeFile(dir.file("file"), "x");
    r = cli({"preview", scheme, "-o", dir.file("file")});
    EXPECT_EQ(r.code, 3);
    EXPECT_TRUE(contains(r.err, "/file/: a file of that name is in the way\n")) << r.err;
    r = cli({"library", dir.file("file/lib")});
    EXPECT_EQ(r.code, 3);
    EXPECT_TRUE(contains(r.err, "/file/lib: a part of the path is not a folder\n")) << r.err;
}

TEST(Preview, NeverReplacesFilesItDidNotWrite) {
    test::TempDir dir;
    const std::string scheme = writeScheme(dir.file("m.menu"), dir.path() + "/", false);
    const std::string library = test::readFile(webLibraryDirectory() + kWebLibraryFile);
    const std::string ownPage = "<!-- sylvanode preview -->\r\n<!DOCTYPE html>\r\n<p>old</p>";
    struct Case {
        const char* name;
        std::vector<std::pair<std::string, std::string>> files;  // in the directory beforehand
        bool force;
        int code;
        std::vector<std::string> keptFiles;  // still as they were afterwards
    };
    const Case cases[] = {
        {"a site's own library", {{"sylvanode-tree.min.js", "mine"}}, false, 3, {"sylvanode-tree.min.js"}},
        {"a script of that name",
         {{"sylvanode-preview.js", "mine"}, {"sn-plus.svg", "mine"}},
         false,
         3,
         {"sylvanode-preview.js", "sn-plus.svg"}},
        {"replaced when asked",
         {{"sylvanode-tree.min.js", "mine"}, {"sylvanode-preview.js", "mine"}},
         true,
         0,
         {}},
        {"the same bytes are no conflict", {{"sylvanode-tree.min.js", library}}, false, 0, {}},
        {"an earlier preview's files", {{"index.html", ownPage}, {"sylvanode-tree.min.js", "old"}}, false, 0, {}},
        {"a page of an earlier version",
         {{"index.html", "<!DOCTYPE html>\r\n<!-- sylvanode preview -->\r\n"},
          {"sylvanode-preview.js", "old"}},
         false,
         0,
         {}},
        {"the mark elsewhere in a page",
         {{"index.html", "<p>home</p><!-- sylvanode preview -->"}},
         false,
         3,
         {"index.html"}},
        {"a site's page, even when forced", {{"index.html", "<p>home</p>"}}, true, 3, {"index.html"}},
    };
    int n = 0;
    for (const Case& c : cases) {
        const std::string out = dir.file("out" + std::to_string(++n));
        fs::create_directories(out);
        for (const auto& [name, bytes] : c.files) test::writeFile(out + "/" + name, bytes);
        std::vector<std::string> args = {"preview", scheme, "-o", out};
        if (c.force) args.push_back("--force");
        const CliRun r = cli(args);
        EXPECT_EQ(r.code, c.code) << c.name << ": " << r.err;
        for (const auto& [name, bytes] : c.files) {
            const bool kept = std::find(c.keptFiles.begin(), c.keptFiles.end(), name) != c.keptFiles.end();
            if (kept) {
                EXPECT_EQ(test::readFile(out + "/" + name), bytes) << c.name << ": " << name;
            }
        }
        if (c.code == 0) {
            EXPECT_EQ(test::readFile(out + "/sylvanode-tree.min.js"), library) << c.name;
            EXPECT_EQ(test::readFile(out + "/index.html").rfind("<!-- sylvanode preview -->\r\n", 0), 0u)
                << c.name;
        } else {
            EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
            for (const std::string& name : c.keptFiles) {
                if (name != "index.html") {
                    EXPECT_NE(r.err.find(name), std::string::npos) << r.err;
                }
            }
            if (!c.force && c.keptFiles[0] != "index.html") {
                EXPECT_NE(r.err.find("--force"), std::string::npos) << r.err;
            }
            EXPECT_FALSE(fs::exists(out + "/sn-minus.svg")) << c.name << ": nothing is written";
        }
    }
}

TEST(Preview, LibraryCommandNamesTheFilesItReplaced) {
    test::TempDir dir;
    const std::string out = dir.file("site");
    ASSERT_EQ(cli({"library", out}).out, "");
    test::writeFile(out + "/sn-plus.svg", "<svg/>");
    test::writeFile(out + "/sylvanode-tree.min.js", "// mine");
    const CliRun r = cli({"library", out});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out, "replaced " + out + "/sn-plus.svg\nreplaced " + out + "/sylvanode-tree.min.js\n");
    EXPECT_EQ(test::readFile(out + "/sn-plus.svg"), test::readFile(webLibraryDirectory() + "sn-plus.svg"));
    EXPECT_EQ(cli({"library", out}).out, "");
}

TEST(Preview, TheScriptTagDeclaresTheScriptsCharacterSet) {
    test::TempDir dir;
    const std::string scheme = writeScheme(dir.file("m.menu"), dir.path() + "/", false);
    ASSERT_EQ(cli({"preview", scheme, "-o", dir.file("p"), "--charset", "utf-8"}).code, 0);
    EXPECT_TRUE(
        contains(test::readFile(dir.file("p/index.html")), "sylvanode-preview.js\" charset=\"utf-8\">"));
    EXPECT_TRUE(contains(test::readFile(dir.file("p/sylvanode-preview.js")), "2,\"关于\","));
}

// The page's language follows the menu's texts: Chinese in any title, hint or status text.
TEST(Preview, ThePageLanguageFollowsTheMenusTexts) {
    const struct {
        const char* name;
        std::string title, hint, status;
        const char* lang;
    } cases[] = {
        {"English titles", "Home", "", "", "en"},
        {"no items", "", "", "", "en"},
        {"a Chinese title", "\xB9\xD8\xD3\xDA", "", "", "zh-CN"},             // 关于
        {"a Chinese hint", "About", "\xB9\xD8\xD3\xDA", "", "zh-CN"},
        {"a Chinese status text", "About", "", "\xD6\xD0\xDF\x5C", "zh-CN"},  // 中運, 0x5C trail
        {"full-width punctuation only", "A\xA3\xBA" "B", "", "", "en"},            // A：B
        {"bytes that are not GBK", "\xFF\x80", "", "", "en"},
        {"a GB18030 four-byte character", "\x95\x32\x82\x36", "", "", "zh-CN"},  // U+20000
    };
    test::TempDir dir;
    for (const auto& c : cases) {
        MenuScheme s;
        MenuNode* root = s.appendRoot();
        root->caption = root->data.menuName = "Root";
        if (!c.title.empty() || c.name == std::string("no items")) {
            MenuNode* n = root->appendChild();
            n->caption = n->data.menuName = c.title;
            n->data.menuHint = c.hint;
            n->data.menuStatus = c.status;
        }
        EXPECT_STREQ(pageLanguageOf(s), c.lang) << c.name;
        std::string page;
        ASSERT_TRUE(writePreview(s, dir.path(), dir.file("p"), webLibraryDirectory(), "x", page));
        EXPECT_TRUE(contains(test::readFile(page), std::string("<html lang=\"") + c.lang + "\">")) << c.name;
    }
}

TEST(Preview, WritePreviewOfAnOpenSchemeLeavesItAsItWas) {
    test::TempDir dir;
    MenuScheme s;
    MenuNode* n = s.appendRoot();
    n->caption = n->data.menuName = "Home";
    s.settings.showLine = true;
    s.settings.lineFolder = "lines/";
    s.settings.menuSuffix = "e1";
    s.settings.workDir = "/no/such/dir/";
    s.modified = true;
    const SchemeSettings before = s.settings;

    EXPECT_EQ(previewBaseDirectory(s, dir.path()), dir.path() + "/");
    std::string page;
    const IoResult r = writePreview(s, dir.path(), dir.file("p"), webLibraryDirectory(), "a<b", page);
    ASSERT_TRUE(r) << r.failure;
    EXPECT_EQ(page, dir.file("p/index.html"));
    EXPECT_EQ(s.settings, before);
    EXPECT_TRUE(s.modified);
    EXPECT_TRUE(contains(test::readFile(page), "<title>a&lt;b</title>"));
    const std::string js = test::readFile(dir.file("p/sylvanode-preview.js"));
    EXPECT_TRUE(contains(js, "treee1.lineFolder=\"" + fileUrl(dir.path() + "/p/") + "\";"));
    EXPECT_TRUE(contains(js, "var tree_nodee1=new Array(2,\"Home\","));
}

TEST(Preview, LibraryCommandCopiesTheLibraryAndImages) {
    test::TempDir dir;
    CliRun r = cli({"library", dir.file("a/b")});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "");
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir.file("a/b")))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"sn-line-i.svg", "sn-line-l.svg", "sn-line-t.svg",
                                               "sn-minus.svg", "sn-plus.svg", "sylvanode-filter.min.js",
                                               "sylvanode-filter.min.js.map", "sylvanode-tree.js",
                                               "sylvanode-tree.min.js", "sylvanode-tree.min.js.map"}));
    EXPECT_EQ(test::readFile(dir.file("a/b/sylvanode-tree.min.js")),
              test::readFile(webLibraryDirectory() + kWebLibraryFile));

    EXPECT_EQ(cli({"library"}).code, 2);
    EXPECT_EQ(cli({"library", "a", "b"}).code, 2);
    test::writeFile(dir.file("f"), "x");
    EXPECT_EQ(cli({"library", dir.file("f")}).code, 3);
}

}  // namespace
}  // namespace sylvanode

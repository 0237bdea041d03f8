// SPDX-License-Identifier: MIT
// import, export and links from the command line: exit codes, output, and no file written
// when the input is bad.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "cli/cli.h"
#include "codegen/script_text.h"
#include "model/scheme_io.h"
#include "test_support.h"

namespace sylvanode {
namespace {

struct CliRun {
    int code;
    std::string out, err;
};

CliRun cli(std::vector<std::string> args, const std::string& input = {}) {
    std::ostringstream out, err;
    const int code = cli::run(args, out, err, [&](std::string& bytes) {
        bytes = input;
        return IoResult{};
    });
    return {code, out.str(), err.str()};
}

TEST(ExchangeCli, ImportExportAndCheck) {
    test::TempDir dir;
    const std::string menu = dir.file("site.menu");
    const std::string site = test::fixturePath("import/site");

    CliRun r = cli({"import", site, "-o", menu});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "9 items imported\n");
    r = cli({"links", menu});
    EXPECT_EQ(r.code, 0) << r.out << r.err;
    EXPECT_EQ(r.out, "");

    r = cli({"import", test::fixturePath("import/gbk-site.html"), "-o", dir.file("gbk.menu")});
    ASSERT_EQ(r.code, 0) << r.err;
    r = cli({"links", dir.file("gbk.menu"), "--root", site});
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.out.find("item 5 \"产品介绍\": missing products/intro.htm\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("item 9 \"联系我们\": not checked: mailto:sales@example.cn\n"), std::string::npos);

    // The GBK page exports as GBK bytes, and the export imports back to the same scheme.
    r = cli({"export", dir.file("gbk.menu"), "--to", "html", "--suffix", "M2"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(
        r.out.rfind("<nav data-sylvanode=\"treem2\">\n<ul>\n<li><a href=\"index.htm\">\xCD\xF8\xD5\xBE", 0),
        0u)
        << r.out;
    // (The outline, which keeps no targets, has its own round trip in the core tests.)
    for (const char* format : {"html", "opml", "json"}) {
        const std::string exported = dir.file(std::string("gbk.") + format);
        r = cli({"export", dir.file("gbk.menu"), "--to", format, "-o", exported});
        ASSERT_EQ(r.code, 0) << format << r.err;
        r = cli({"import", exported, "-o", dir.file("back.menu")});
        ASSERT_EQ(r.code, 0) << format << r.err;
        r = cli({"tree", dir.file("back.menu")});
        EXPECT_EQ(r.out, cli({"tree", dir.file("gbk.menu")}).out) << format;
    }

    // Bad input: one line, exit 1 (3 when the source cannot be read), and the target is not touched.
    test::writeFile(dir.file("keep.menu"), "old");
    const std::vector<std::pair<std::vector<std::string>, int>> bad = {
        {{"import", test::fixturePath("import/docs-sidebar.html"), "--select", "nope", "-o", dir.file("keep.menu")},
         1},
        {{"import", test::fixturePath("import/site/about.html"), "--from", "opml", "-o", dir.file("keep.menu")}, 1},
        {{"import", dir.file("nothing-here.html"), "-o", dir.file("keep.menu")}, 3},
    };
    for (const auto& [args, code] : bad) {
        r = cli(args);
        EXPECT_EQ(r.code, code) << args[1];
        EXPECT_EQ(r.err.rfind("sylvanode-cli: import: ", 0), 0u) << r.err;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
        EXPECT_EQ(test::readFile(dir.file("keep.menu")), "old");
    }
    EXPECT_EQ(cli({"import", site, "--from", "rss", "-o", menu}).code, 2);
    // An option value the tool cannot use is wrong usage, found before the source is read.
    r = cli({"import", dir.file("nothing-here.html"), "--select", "a:hover", "-o", menu});
    EXPECT_EQ(r.code, 2) << r.err;
    EXPECT_NE(r.err.find("not a selector this tool reads: \"a:hover\""), std::string::npos) << r.err;
    EXPECT_EQ(cli({"export", menu, "--to", "yaml"}).code, 2);
    EXPECT_EQ(cli({"links", menu, "--root", dir.file("no-such-folder")}).code, 3);
}

// Standard input and output, and the script that names the exported list: line 1 reads
// the list, the other 29 lines are those of the usual script.
TEST(ExchangeCli, StandardStreamsAndTheListScript) {
    test::TempDir dir;
    CliRun r = cli({"import", "-", "-o", "-"}, "- Home\n  - [About](about.html)\n");
    ASSERT_EQ(r.code, 0) << r.err;
    const std::string scheme = r.out;
    EXPECT_EQ(scheme.rfind("[Config]\r\ncount=2\r\n", 0), 0u) << scheme;
    // Links that come through a pipe are relative to where the command runs.
    EXPECT_NE(scheme.find("\r\nworkDir=" + (std::filesystem::current_path() / "").string() + "\r\n"),
              std::string::npos)
        << scheme;
    r = cli({"export", "-", "--to=outline"}, scheme);
    EXPECT_EQ(r.out, "- Home\n  - [About](about.html)\n");
    r = cli({"import", "-", "--from", "folder", "-o", dir.file("x.menu")});
    EXPECT_EQ(r.code, 2);

    r = cli({"generate", "-", "--suffix", "m2", "--from-list"}, scheme);
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out.substr(0, r.out.find("\r\n")), "var tree_nodem2=Tree_readList(\"treem2\");");
}

// What import took is one line on standard error (or a JSON report on standard output);
// -q leaves only data; links in a pipeline: warnings and ignored links do not fail the job.
TEST(ExchangeCli, ImportReportsAndPipelineChecks) {
    test::TempDir dir;
    const std::string menu = dir.file("m.menu");
    CliRun r = cli({"import", test::fixturePath("import/mkdocs-material.html"), "-o", menu});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "7 items imported\n");
    EXPECT_EQ(r.err,
              "sylvanode-cli: import: took <nav class=\"md-nav md-nav--primary\"> (7 items); also found: <nav "
              "class=\"md-nav md-nav--secondary\"> (2) (--select takes another)\n");
    r = cli({"import", test::fixturePath("import/table-portal.html"), "-o", menu, "-q"});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out + r.err, "");
    r = cli({"import", test::fixturePath("import/cp1252-news.html"), "-o", "-"});
    EXPECT_EQ(r.out.rfind("[Config]\r\ncount=3\r\n", 0), 0u);
    EXPECT_EQ(r.err,
              "sylvanode-cli: import: took <ul class=\"events\"> (3 items); no character set declared, read as "
              "WINDOWS-1252 (--charset to change)\n");
    r = cli({"import", test::fixturePath("import/frameset/index.html"), "-o", menu, "--format", "json"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out, "{\"items\":6,\"output\":\"" + menu +
                         "\",\"kind\":\"html\",\"charset\":\"UTF-8\",\"charsetSource\":\"declared\","
                         "\"source\":\"list\",\"taken\":{\"element\":\"<ul>\",\"items\":6},\"alsoFound\":[],"
                         "\"frame\":\"menu/left.htm\",\"laterChildren\":0}\n");
    EXPECT_EQ(cli({"import", "-", "-o", "-", "--format", "json"}, "- a\n").code, 2);
    EXPECT_EQ(cli({"import", "-", "-o", "-", "--charset", "no-such-set"}, "- a\n").code, 2);

    // Links: two items share a link (a warning), one leaves the root, one is ignored.
    const std::string scheme = cli({"import", "-", "-o", "-"},
                                   "- [Home](index.html)\n- [Again](index.html)\n- [Up](../x.html)\n- [Doc](a.pdf)\n")
                                   .out;
    test::writeFile(menu, scheme);
    std::filesystem::create_directories(dir.file("site"));
    test::writeFile(dir.file("site/index.html"), "<h1>Home</h1>");
    r = cli({"links", menu, "--root", dir.file("site"), "--ignore", "*.pdf"});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.out,
              "item 1 \"Again\": duplicate link index.html (as item 0) (warning)\n"
              "item 2 \"Up\": outside the folder checked against: ../x.html\n");
    r = cli({"links", menu, "--root", dir.file("site"), "--ignore", "*.pdf", "--ignore=../*", "-q"});
    EXPECT_EQ(r.code, 0) << r.out;
    EXPECT_EQ(r.out, "");
    r = cli({"links", menu, "--root", dir.file("site"), "--ignore", "*.pdf", "--ignore=../*", "--strict"});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.out, "item 1 \"Again\": duplicate link index.html (as item 0)\n");
}

TEST(ExchangeCli, ListScriptNamesTheList) {
    MenuScheme scheme;
    ASSERT_TRUE(readSchemeFile(scheme, test::fixturePath("worked-example/scheme.menu")));
    scheme.settings.menuSuffix = "m2";
    const std::string full = buildScriptText(scheme);
    const std::string list = buildListScriptText(scheme);
    EXPECT_EQ(list.substr(0, list.find("\r\n")), "var tree_nodem2=Tree_readList(\"treem2\");");
    EXPECT_EQ(list.substr(list.find("\r\n")), full.substr(full.find("\r\n")));
}

}  // namespace
}  // namespace sylvanode

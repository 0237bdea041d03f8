#include <gtest/gtest.h>

#include <sstream>

#include "cli/cli.h"
#include "test_support.h"

namespace sylvanode {
namespace {

struct CliRun {
    int code;
    std::string out, err;
};

CliRun cli(std::vector<std::string> args) {
    std::ostringstream out, err;
    const int code = cli::run(args, out, err);
    return {code, out.str(), err.str()};
}

TEST(Cli, CheckTreeAndRewrite) {
    const std::string scheme = test::fixturePath("worked-example/scheme.menu");
    CliRun r = cli({"check", scheme});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out, "2 items\n");
    EXPECT_EQ(r.err, "");

    r = cli({"tree", test::fixturePath("style/scheme.menu")});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out, "首页  [file] link index.html\n");
    r = cli({"tree", scheme});
    EXPECT_EQ(r.out, "Help  [folder] link help.htm\n  About  [file] link about.htm -> main\n");

    test::TempDir dir;
    r = cli({"rewrite", scheme, "-o", dir.file("out.menu")});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(test::readFile(dir.file("out.menu")), test::fixture("worked-example/scheme.menu"));
}

TEST(Cli, TreeShowsBytesThatAreNotGbk) {
    test::TempDir dir;
    test::writeFile(dir.file("odd.menu"),
                    "[Config]\r\ncount=1\r\n[MenuName]\r\n0=a\x80\xFF\xD6\xD0\r\n[MenuLevel]\r\n0=0\r\n"
                    "[Content Type]\r\n0=1\r\n[Script]\r\n0=go()\r\n");
    const CliRun r = cli({"tree", dir.file("odd.menu")});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out, "a€\\xFF中  [file] script go()\n");  // 0x80 is the euro sign in CP936, as in the editor
}

TEST(Cli, RewriteKeepsAContentTypeOfTwo) {
    test::TempDir dir;
    const std::string in =
        "[Config]\r\ncount=1\r\n[MenuName]\r\n0=x\r\n[MenuLevel]\r\n0=0\r\n[Content Type]\r\n0=2\r\n"
        "[Script]\r\n0=go()\r\n";
    test::writeFile(dir.file("in.menu"), in);
    ASSERT_EQ(cli({"rewrite", dir.file("in.menu"), "-o", dir.file("out.menu")}).code, 0);
    const std::string out = test::readFile(dir.file("out.menu"));
    EXPECT_NE(out.find("[Content Type]\r\n0=2\r\n"), std::string::npos);
    EXPECT_NE(out.find("[Script]\r\n[Icon1]"), std::string::npos);
}

TEST(Cli, Generate) {
    const std::string scheme = test::fixturePath("worked-example/scheme.menu");
    const std::string expected = test::fixture("worked-example/expected.js");
    CliRun r = cli({"generate", scheme});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out, expected);

    test::TempDir dir;
    r = cli({"generate", scheme, "-o", dir.file("m.js"), "--suffix", " M2 "});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out, "");
    const std::string js = test::readFile(dir.file("m.js"));
    EXPECT_EQ(js.rfind("Tree_buildTree(tree_nodem2,treem2);\r\n"), js.size() - 37);

    r = cli({"generate", scheme, "--suffix", "bad_one", "-o", dir.file("bad.js")});
    EXPECT_EQ(r.code, 2);
    EXPECT_EQ(r.err, "后缀名格式不正确: bad_one\n");

    test::writeFile(dir.file("empty.menu"), "[Config]\r\ncount=0\r\n");
    r = cli({"generate", dir.file("empty.menu"), "-o", dir.file("e.js")});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, "没有菜单项，终止生成代码\n");

    test::writeFile(dir.file("junk.menu"), "not a scheme");
    r = cli({"generate", dir.file("junk.menu")});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err.rfind("菜单方案格式不正确", 0), 0u);

    test::writeFile(dir.file("keep.js"), "old");
    r = cli({"generate", scheme, "-o", dir.file("no/such/dir.js")});
    EXPECT_EQ(r.code, 3);
    EXPECT_NE(r.err.find("no/such"), std::string::npos);
}

TEST(Cli, UsageErrorsHelpAndVersion) {
    EXPECT_EQ(cli({}).code, 2);
    EXPECT_EQ(cli({"frobnicate"}).code, 2);
    EXPECT_EQ(cli({"check"}).code, 2);
    EXPECT_EQ(cli({"rewrite", "a.menu"}).code, 2);
    EXPECT_EQ(cli({"generate", "a.menu", "-o"}).code, 2);
    EXPECT_EQ(cli({"check", "a.menu", "--suffix", "x"}).code, 2);
    const CliRun missing = cli({"check", "/nonexistent/a.menu"});
    EXPECT_EQ(missing.code, 3);
    EXPECT_EQ(missing.err.back(), '\n');
    EXPECT_EQ(std::count(missing.err.begin(), missing.err.end(), '\n'), 1);
    const CliRun help = cli({"--help"});
    EXPECT_EQ(help.code, 0);
    EXPECT_NE(help.out.find("generate FILE.menu"), std::string::npos);
    const CliRun version = cli({"--version"});
    EXPECT_EQ(version.out.rfind("sylvanode-cli 3.0", 0), 0u);
}

}  // namespace
}  // namespace sylvanode

// SPDX-License-Identifier: MIT
#include "cli/cli.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <streambuf>

#include "model/scheme_io.h"
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

// With `input` as standard input.
CliRun cliWithInput(std::vector<std::string> args, const std::string& input) {
    std::ostringstream out, err;
    const int code = cli::run(args, out, err, [&input](std::string& bytes) {
        bytes = input;
        return IoResult{};
    });
    return {code, out.str(), err.str()};
}

bool oneErrorLine(const std::string& err) {
    return err.rfind("sylvanode-cli: ", 0) == 0 && std::count(err.begin(), err.end(), '\n') == 1 &&
           err.back() == '\n';
}

// Standard output that takes `capacity` bytes and then fails, like a full disk; it keeps the
// size of the largest single write.
class FullOutput : public std::streambuf {
public:
    explicit FullOutput(size_t capacity) : left_(capacity) {}
    size_t largestWrite = 0;

protected:
    std::streamsize xsputn(const char*, std::streamsize n) override {
        largestWrite = std::max(largestWrite, static_cast<size_t>(n));
        if (static_cast<size_t>(n) > left_) return 0;
        left_ -= static_cast<size_t>(n);
        return n;
    }
    int_type overflow(int_type c) override {
        if (left_ == 0 || traits_type::eq_int_type(c, traits_type::eof())) return traits_type::eof();
        --left_;
        return c;
    }

private:
    size_t left_;
};

CliRun cliIntoFullOutput(std::vector<std::string> args, FullOutput& buffer) {
    std::ostream out(&buffer);
    std::ostringstream err;
    const int code = cli::run(args, out, err);
    return {code, "", err.str()};
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

// A save of the scheme killed while writing it in place: every command that reads it says so
// (a note: -q leaves it out), and still does its work.
TEST(Cli, ASchemeWhoseLastSaveWasKilledIsNoted) {
    test::TempDir dir;
    const std::string file = dir.file("site.menu");
    fs::copy_file(test::fixturePath("worked-example/scheme.menu"), file);
    const std::string backup = dir.file(".site.menu.backup-Ab12Cd");
    fs::copy_file(file, backup);
    CliRun r = cli({"check", file});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out, "2 items\n");
    EXPECT_EQ(r.err, "sylvanode-cli: the last save of " + file +
                         " was interrupted: it may be incomplete; its contents from before that save are in " + backup + "\n");
    std::ostringstream out, err;
    EXPECT_EQ(cli::run({"tree", file}, out, err, {}, Language::Chinese), 0);
    EXPECT_EQ(err.str(), "sylvanode-cli: 上次保存 " + file + " 时被中断，它可能不完整；保存之前的内容在 " + backup + " 中\n");
    r = cli({"check", "-q", file});
    EXPECT_EQ(r.err, "");
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

// -o writes the file (and nothing to standard output); every failure leaves an older file as it was.
TEST(Cli, Generate) {
    const std::string scheme = test::fixturePath("worked-example/scheme.menu");
    test::TempDir dir;
    CliRun r = cli({"generate", scheme, "-o", dir.file("m.js")});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(test::readFile(dir.file("m.js")), test::fixture("worked-example/expected.js"));

    test::writeFile(dir.file("keep.js"), "old");
    r = cli({"generate", scheme, "--suffix", "bad_one", "-o", dir.file("keep.js")});
    EXPECT_EQ(r.code, 2);
    EXPECT_EQ(r.err, "sylvanode-cli: invalid suffix: bad_one (letters and digits only)\n");

    test::writeFile(dir.file("empty.menu"), "[Config]\r\ncount=0\r\n");
    r = cli({"generate", dir.file("empty.menu"), "-o", dir.file("keep.js")});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, "sylvanode-cli: no menu items, no code generated\n");

    test::writeFile(dir.file("junk.menu"), "not a scheme");
    r = cli({"generate", dir.file("junk.menu"), "-o", dir.file("keep.js")});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err.rfind("sylvanode-cli: invalid menu scheme: ", 0), 0u);

    // A write that fails: keep.js made read-only (for everyone, root too), and a missing folder.
    ::chmod(dir.file("keep.js").c_str(), 0444);
    r = cli({"generate", scheme, "-o", dir.file("keep.js")});
    EXPECT_EQ(r.code, 3);
    EXPECT_EQ(r.err, "sylvanode-cli: cannot write " + dir.file("keep.js") + ": the file is read-only\n");
    r = cli({"generate", scheme, "-o", dir.file("no/such/dir.js")});
    EXPECT_EQ(r.code, 3);
    EXPECT_NE(r.err.find("no/such"), std::string::npos);
    EXPECT_EQ(test::readFile(dir.file("keep.js")), "old");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 4);
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

TEST(Cli, ConventionsOfEveryCommand) {
    const std::string scheme = test::fixturePath("worked-example/scheme.menu");
    const std::string bytes = test::fixture("worked-example/scheme.menu");
    struct Case {
        std::vector<std::string> args;
        std::string input;
        int code;
        std::string out;  // exact, or the start of it when it ends in "..."
        std::string err;  // the same
    };
    const Case cases[] = {
        {{"check", "-"}, bytes, 0, "2 items\n", ""},
        {{"rewrite", "-", "-o-"}, bytes, 0, bytes, ""},
        {{"generate", "--suffix=", "-o", "-", "--", scheme}, "", 0, "var tree_node=new Array(...", ""},
        {{"generate", "--suffix=M2", scheme}, "", 0, "var tree_nodem2=...", ""},
        {{"tree", "--", "--help"}, "", 3, "", "sylvanode-cli: cannot open --help..."},
        {{"check", "-"}, "junk", 1, "", "sylvanode-cli: invalid menu scheme: standard input: ..."},
        {{"generate", "--help"},
         "",
         0,
         "Usage: sylvanode-cli generate FILE.menu [-o OUT.js] [--suffix SUFFIX]...",
         ""},
        {{"help", "preview"},
         "",
         0,
         "Usage: sylvanode-cli preview FILE.menu -o DIR [--suffix SUFFIX]...",
         ""},
        {{"check", "-h"}, "", 0, "Usage: sylvanode-cli check FILE.menu [--format FORMAT]\n...", ""},
        {{"check", "--format", "json", "-"}, bytes, 0, "{\"file\":\"standard input\",\"items\":2}\n", ""},
        {{"tree", "--format=json", "-q", "-"},
         bytes,
         0,
         "[\n{\"index\":0,\"level\":0,\"title\":\"Help\",\"folder\":true,\"link\":\"help.htm\"},\n"
         "{\"index\":1,\"level\":1,\"title\":\"About\",\"folder\":false,\"link\":\"about.htm\",\"target\":\"main\"}\n]\n",
         ""},
        {{"check", scheme, "--format", "yaml"},
         "",
         2,
         "",
         "sylvanode-cli: unknown format yaml (text or json) (see sylvanode-cli check --help)\n"},
        {{"generate", scheme, "--suffix"},
         "",
         2,
         "",
         "sylvanode-cli: option --suffix needs a value (see sylvanode-cli generate --help)\n"},
        {{"preview", scheme, "-o", "x", "--force=yes"},
         "",
         2,
         "",
         "sylvanode-cli: option --force takes no value (see sylvanode-cli preview --help)\n"},
        {{"generate", scheme, "--charset", "latin1"},
         "",
         2,
         "",
         "sylvanode-cli: unknown character set latin1..."},
        {{"tree", scheme, "-o", "x"},
         "",
         2,
         "",
         "sylvanode-cli: unknown option -o (see sylvanode-cli tree --help)\n"},
        {{"rewrite", scheme},
         "",
         2,
         "",
         "sylvanode-cli: usage: sylvanode-cli rewrite FILE.menu -o OUT.menu\n"},
        {{"check", scheme, scheme}, "", 2, "", "sylvanode-cli: usage: sylvanode-cli check FILE.menu [--format FORMAT]\n"},
        {{"frobnicate"}, "", 2, "", "sylvanode-cli: unknown command frobnicate (see sylvanode-cli --help)\n"},
        {{}, "", 2, "", "sylvanode-cli: no command given (see sylvanode-cli --help)\n"},
    };
    auto matches = [](const std::string& actual, const std::string& expected) {
        if (expected.size() >= 3 && expected.compare(expected.size() - 3, 3, "...") == 0)
            return actual.rfind(expected.substr(0, expected.size() - 3), 0) == 0;
        return actual == expected;
    };
    for (const Case& c : cases) {
        std::string name;
        for (const auto& a : c.args) name += a + " ";
        const CliRun r = cliWithInput(c.args, c.input);
        EXPECT_EQ(r.code, c.code) << name << r.err;
        EXPECT_TRUE(matches(r.out, c.out)) << name << "\n" << r.out;
        EXPECT_TRUE(matches(r.err, c.err)) << name << "\n" << r.err;
        EXPECT_TRUE(r.err.empty() || oneErrorLine(r.err)) << name << r.err;
    }

    // Standard input that cannot be read, or is too large.
    std::ostringstream out, err;
    const int code = cli::run({"check", "-"}, out, err, [](std::string&) {
        return IoResult::failed(Failure::of(FailureKind::TooLarge, "-").withNumber(std::int64_t{512} << 20));
    });
    EXPECT_EQ(code, 3);
    EXPECT_EQ(err.str(), "sylvanode-cli: cannot read standard input: it is larger than 512 MiB\n");

    // Memory that runs out is one line too.
    std::ostringstream out2, err2;
    EXPECT_EQ(cli::run({"tree", "-"}, out2, err2, [](std::string&) -> IoResult { throw std::bad_alloc(); }),
              3);
    EXPECT_EQ(err2.str(), "sylvanode-cli: out of memory\n");
}

// The same failure gives the same exit code in every command: a missing input file is 3.
TEST(Cli, MissingInputFileExitsWithThreeEverywhere) {
    test::TempDir dir;
    const std::string missing = dir.file("no-such.menu");
    const std::vector<std::vector<std::string>> commands = {
        {"check", missing},
        {"tree", missing, "--format", "json"},
        {"rewrite", missing, "-o", dir.file("out.menu")},
        {"generate", missing},
        {"preview", missing, "-o", dir.file("page")},
        {"export", missing, "--to", "jstree"},
        {"links", missing},
        {"import", dir.file("no-such.html"), "-o", dir.file("out.menu")},
    };
    for (const auto& args : commands) {
        const CliRun r = cliWithInput(args, "");
        EXPECT_EQ(r.code, 3) << args[0] << "\n" << r.err;
        EXPECT_TRUE(oneErrorLine(r.err)) << args[0] << r.err;
        EXPECT_NE(r.err.find("no-such."), std::string::npos) << args[0] << r.err;
        EXPECT_EQ(r.out, "") << args[0];
    }
    EXPECT_FALSE(std::filesystem::exists(dir.file("out.menu")));
}

TEST(Cli, FailedWritesToStandardOutputExitWithOneLine) {
    const std::string scheme = test::fixturePath("worked-example/scheme.menu");
    const std::vector<std::vector<std::string>> commands = {
        {"generate", scheme}, {"tree", scheme}, {"check", scheme}, {"rewrite", scheme, "-o", "-"},
        {"--help"},           {"--version"},    {"tree", "--help"}};
    for (const auto& args : commands) {
        FullOutput full(4);
        const CliRun r = cliIntoFullOutput(args, full);
        EXPECT_EQ(r.code, 3) << args[0] << " " << args.back();
        EXPECT_TRUE(oneErrorLine(r.err)) << r.err;
        EXPECT_EQ(r.err.rfind("sylvanode-cli: cannot write to standard output", 0), 0u) << r.err;
    }

    // The outline of a 100,000-deep chain (ten gigabytes of indentation) goes out line by line
    // and stops at the first failed write.
    test::TempDir dir;
    MenuScheme chain;
    MenuNode* n = chain.appendRoot();
    for (int i = 0; i < 100000; ++i) {
        n = n->appendChild();
        n->parent()->refreshImage();
    }
    ASSERT_TRUE(writeSchemeFile(chain, dir.file("chain.menu")));
    FullOutput full(size_t{64} << 20);
    const CliRun r = cliIntoFullOutput({"tree", dir.file("chain.menu")}, full);
    EXPECT_EQ(r.code, 3);
    EXPECT_TRUE(oneErrorLine(r.err)) << r.err;
    EXPECT_LE(full.largestWrite, size_t{200100});
}

TEST(Cli, ControlBytesNeverReachTheTerminal) {
    test::TempDir dir;
    // ESC sequences, BEL, DEL and U+009B (CSI) written as a four-byte character.
    test::writeFile(dir.file("ctl.menu"),
                    "[Config]\r\ncount=1\r\n[MenuName]\r\n0=a\x1B[2Jb\x7F\x81\x30\x83\x37"
                    "c\r\n[MenuLevel]\r\n0=0\r\n"
                    "[Link]\r\n0=x\x07.htm\r\n");
    CliRun r = cli({"tree", dir.file("ctl.menu")});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out, "a\\x1B[2Jb\\x7F\\x81\\x30\\x83\\x37c  [file] link x\\x07.htm\n");
    // The link check names the item by its title.
    r = cli({"links", dir.file("ctl.menu"), "--root", dir.path()});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.out, "item 0 \"a\\x1B[2Jb\\x7F\\xC2\\x9Bc\": missing x\\x07.htm\n");

    // A path in a message, with a C1 control in UTF-8 and a byte that is not UTF-8.
    r = cli({"check", dir.path() + "/\x1B]0;owned\x07\xC2\x9B\xFF.menu"});
    EXPECT_EQ(r.code, 3);
    EXPECT_TRUE(oneErrorLine(r.err)) << r.err;
    EXPECT_NE(r.err.find("\\x1B]0;owned\\x07\\xC2\\x9B\\xFF.menu"), std::string::npos) << r.err;
}

TEST(Cli, ScriptCharacterSet) {
    test::TempDir dir;
    MenuScheme s;
    MenuNode* n = s.appendRoot();
    n->caption = n->data.menuName = "\xD6\xD0\xDF\x5C";  // 中運
    ASSERT_TRUE(writeSchemeFile(s, dir.file("gbk.menu")));
    s.settings.scriptCharset = ScriptCharset::Utf8;
    ASSERT_TRUE(writeSchemeFile(s, dir.file("utf8.menu")));
    const std::string gbkTitle = "new Array(2,\"\xD6\xD0\xDF\x5C\",", utf8Title = "new Array(2,\"中運\",";

    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"generate", dir.file("gbk.menu")}, gbkTitle},
        {{"generate", dir.file("gbk.menu"), "--charset", "UTF-8"}, utf8Title},
        {{"generate", dir.file("utf8.menu")}, utf8Title},
        {{"generate", dir.file("utf8.menu"), "--charset=gbk"}, gbkTitle},
        // The exported list follows the same choice, for the page it goes into.
        {{"export", dir.file("gbk.menu"), "--to", "html"}, "<span>\xD6\xD0\xDF\x5C</span>"},
        {{"export", dir.file("gbk.menu"), "--to", "html", "--charset", "utf-8"}, "<span>中運</span>"},
        {{"export", dir.file("utf8.menu"), "--to", "html"}, "<span>中運</span>"},
        {{"export", dir.file("utf8.menu"), "--to", "html", "--charset=gbk"}, "<span>\xD6\xD0\xDF\x5C</span>"},
    };
    for (const auto& [args, title] : cases) {
        const CliRun r = cli(args);
        EXPECT_EQ(r.code, 0) << r.err;
        EXPECT_NE(r.out.find(title), std::string::npos) << args.back();
    }
}

}  // namespace
}  // namespace sylvanode

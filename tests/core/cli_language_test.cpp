// SPDX-License-Identifier: MIT
// sylvanode-cli in English and in Chinese: every kind of message and the help in the language
// asked for, the prefix and exit code the same in both, and data never translated.
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <regex>
#include <set>
#include <sstream>
#include <streambuf>

#include "cli/catalogue.h"
#include "cli/cli.h"
#include "cli/failure_text.h"
#include "failure_samples.h"
#include "test_support.h"

namespace sylvanode {
namespace {

struct CliRun {
    int code;
    std::string out, err;
};

CliRun cli(Language language, const std::vector<std::string>& args, const std::string& input = {}) {
    std::ostringstream out, err;
    const int code = cli::run(
        args, out, err,
        [&input](std::string& bytes) {
            bytes = input;
            return IoResult{};
        },
        language);
    return {code, out.str(), err.str()};
}

// Whether a text holds a character of the CJK scripts or their punctuation (UTF-8).
bool hasChinese(const std::string& text) {
    static const std::regex cjk("\xE3[\x80-\xBF]|[\xE4-\xE9][\x80-\xBF]|\xEF[\xBC-\xBF]");
    return std::regex_search(text, cjk);
}

// "..." at the end of an expected text: the rest of the line is a reason the core words.
bool matches(const std::string& actual, const std::string& expected) {
    if (expected.size() >= 3 && expected.compare(expected.size() - 3, 3, "...") == 0)
        return actual.rfind(expected.substr(0, expected.size() - 3), 0) == 0;
    return actual == expected;
}

TEST(CliLanguage, EveryKindOfMessageInEachLanguage) {
    test::TempDir dir;
    const std::string scheme = test::fixturePath("worked-example/scheme.menu");
    const std::string empty = dir.file("empty.menu");
    test::writeFile(empty, "[Config]\r\ncount=0\r\n");
    const std::string missing = dir.file("missing.menu");
    const struct {
        std::vector<std::string> args;
        std::string input;
        int code;
        std::string english, chinese;  // the whole of standard error
    } cases[] = {
        {{}, "", 2, "no command given (see sylvanode-cli --help)", "没有给出命令（见 sylvanode-cli --help）"},
        {{"frob"},
         "",
         2,
         "unknown command frob (see sylvanode-cli --help)",
         "未知的命令 frob（见 sylvanode-cli --help）"},
        {{"tree", scheme, "-x"},
         "",
         2,
         "unknown option -x (see sylvanode-cli tree --help)",
         "未知的选项 -x（见 sylvanode-cli tree --help）"},
        {{"preview", scheme, "-o", "d", "--force=1"},
         "",
         2,
         "option --force takes no value (see sylvanode-cli preview --help)",
         "选项 --force 不带值（见 sylvanode-cli preview --help）"},
        {{"generate", scheme, "--suffix"},
         "",
         2,
         "option --suffix needs a value (see sylvanode-cli generate --help)",
         "选项 --suffix 需要一个值（见 sylvanode-cli generate --help）"},
        {{"rewrite", scheme},
         "",
         2,
         "usage: sylvanode-cli rewrite FILE.menu -o OUT.menu",
         "用法：sylvanode-cli rewrite FILE.menu -o OUT.menu"},
        {{"generate", scheme, "--suffix", "a_b"},
         "",
         2,
         "invalid suffix: a_b (letters and digits only)",
         "后缀名格式不正确: a_b"},
        {{"generate", scheme, "--charset", "latin1"},
         "",
         2,
         "unknown character set latin1, use gbk or utf-8 (see sylvanode-cli generate --help)",
         "未知的字符集 latin1，请用 gbk 或 utf-8（见 sylvanode-cli generate --help）"},
        {{"check", "-"},
         "junk",
         1,
         "invalid menu scheme: standard input: ...",
         "菜单方案格式不正确: 标准输入: ..."},
        {{"check", missing},
         "",
         3,
         "cannot open " + missing + ": no such file or folder",
         "无法打开 " + missing + "：没有这个文件或文件夹"},
        {{"check", dir.path()},
         "",
         3,
         "cannot use " + dir.path() + ": it is a folder",
         "无法使用 " + dir.path() + "：它是文件夹"},
        {{"check", "-"},
         "[Config]\r\ncount=1\r\n",
         1,
         "invalid menu scheme: standard input: item 0: [MenuLevel] has no level",
         "菜单方案格式不正确: 标准输入: 第 0 项：[MenuLevel] 中没有它的层次"},
        {{"rewrite", scheme, "-o", dir.file("no/such/o.menu")},
         "",
         3,
         "cannot write " + dir.file("no/such/o.menu") + ": no such folder",
         "无法写入 " + dir.file("no/such/o.menu") + "：文件夹不存在"},
        {{"generate", empty}, "", 1, "no menu items, no code generated", "没有菜单项，终止生成代码"},
        {{"preview", empty, "-o", dir.file("p")},
         "",
         1,
         "no menu items, no code generated",
         "没有菜单项，终止生成代码"},
        {{"preview", scheme, "-o", "-"},
         "",
         2,
         "preview writes a directory: -o needs its name (see sylvanode-cli preview --help)",
         "preview 写出一个目录：-o 要给出它的名字（见 sylvanode-cli preview --help）"},
        {{"library", "-"},
         "",
         2,
         "library writes a directory: DIR needs its name (see sylvanode-cli library --help)",
         "library 写入一个目录：DIR 要给出它的名字（见 sylvanode-cli library --help）"},
        {{"import", "-", "-o", dir.file("i.menu"), "--from", "xls"},
         "",
         2,
         "unknown kind xls (html, markdown, outline, sitemap, opml, json or folder) (see sylvanode-cli "
         "import --help)",
         "未知的类型 xls（html、markdown、outline、sitemap、opml、json 或 folder）（见 sylvanode-cli import "
         "--help）"},
        {{"import", "-", "-o", dir.file("i.menu"), "--charset", "klingon"},
         "",
         2,
         "unknown character set klingon (e.g. utf-8, gbk, windows-1252) (see sylvanode-cli import --help)",
         "未知的字符集 klingon（例如 utf-8、gbk、windows-1252）（见 sylvanode-cli import --help）"},
        {{"import", "-", "-o", "-", "--format", "json"},
         "",
         2,
         "--format json writes the report to standard output: -o needs a file (see sylvanode-cli import "
         "--help)",
         "--format json 把报告写到标准输出：-o 要给出一个文件（见 sylvanode-cli import --help）"},
        {{"import", "-", "-o", dir.file("i.menu"), "--format", "xml"},
         "",
         2,
         "unknown format xml (text or json) (see sylvanode-cli import --help)",
         "未知的格式 xml（text 或 json）（见 sylvanode-cli import --help）"},
        {{"import", dir.file("none.html"), "-o", dir.file("i.menu")},
         "",
         3,
         "import: " + dir.file("none.html") + ": no such file or folder",
         "无法导入 " + dir.file("none.html") + "：没有这个文件或文件夹"},
        {{"import", "-", "-o", dir.file("i.menu"), "--select", "a:hover"},
         "",
         2,
         "not a selector this tool reads: \"a:hover\" (pseudo-classes are not supported at character 2) "
         "(see sylvanode-cli import --help)",
         "无法识别的选择器“a:hover”（第 2 个字符处不支持伪类）（见 sylvanode-cli import --help）"},
        {{"import", "-", "-o", dir.file("i.menu"), "--from", "folder"},
         "",
         2,
         "standard input is not a folder (see sylvanode-cli import --help)",
         "标准输入不是文件夹（见 sylvanode-cli import --help）"},
        {{"import", "-", "-o", dir.file("i.menu"), "--from", "json"},
         "{",
         1,
         "import: standard input: not a menu in JSON (line 1: expected a key)",
         "无法导入 标准输入：不是 JSON 菜单（第 1 行：这里应为键名）"},
        {{"export", scheme, "--to", "pdf"},
         "",
         2,
         "unknown format pdf (html, outline, opml, json or jstree) (see sylvanode-cli export --help)",
         "未知的格式 pdf（html、outline、opml、json 或 jstree）（见 sylvanode-cli export --help）"},
        {{"export", scheme, "--to", "opml", "--charset", "gbk"},
         "",
         2,
         "--charset gbk is for --to html; outline, OPML and JSON are UTF-8 (see sylvanode-cli export --help)",
         "--charset gbk 只用于 --to html；outline、OPML 和 JSON 都是 UTF-8（见 sylvanode-cli export "
         "--help）"},
        {{"links", scheme, "--format", "xml"},
         "",
         2,
         "unknown format xml (text or json) (see sylvanode-cli links --help)",
         "未知的格式 xml（text 或 json）（见 sylvanode-cli links --help）"},
        {{"links", scheme, "--root", dir.file("nowhere")},
         "",
         3,
         "links: the folder to check against does not exist: " + dir.file("nowhere"),
         "检查链接时出错：用来检查链接的文件夹不存在：" + dir.file("nowhere")},
        {{"links", "-"},
         "[Config]\r\ncount=1\r\n[MenuLevel]\r\n0=0\r\n",
         3,
         "links: ...",
         "检查链接时出错：..."},
    };
    for (const auto& c : cases) {
        std::string name;
        for (const auto& a : c.args) name += a + " ";
        for (const Language language : {Language::English, Language::Chinese}) {
            const CliRun r = cli(language, c.args, c.input);
            const std::string& expected = language == Language::English ? c.english : c.chinese;
            EXPECT_EQ(r.code, c.code) << name << r.err;
            EXPECT_EQ(r.out, "") << name;
            ASSERT_TRUE(r.err.rfind("sylvanode-cli: ", 0) == 0 && r.err.back() == '\n') << name << r.err;
            const std::string message = r.err.substr(15, r.err.size() - 16);
            EXPECT_EQ(std::count(message.begin(), message.end(), '\n'), 0) << name << r.err;
            EXPECT_TRUE(matches(message, expected)) << name << "\n  got:      " << message
                                                    << "\n  expected: " << expected;
            // Each message is in one language.
            if (language == Language::English) {
                EXPECT_FALSE(hasChinese(message)) << name << message;
            }
        }
    }
    // Without --root the message says where the folder is given.
    const CliRun noRoot = cli(Language::Chinese, {"links", "-"}, "[Config]\r\ncount=1\r\n[MenuLevel]\r\n0=0\r\n");
    EXPECT_NE(noRoot.err.find("（请给出 --root DIR）\n"), std::string::npos) << noRoot.err;
}

// The note of what an import took: element names and counts as they are, the words around
// them in the language asked for; -q silences it in both.
TEST(CliLanguage, ImportNoteInEachLanguage) {
    test::TempDir dir;
    const std::string menu = dir.file("m.menu");
    const struct {
        std::string fixture;
        std::string english, chinese;  // standard error
    } cases[] = {
        {"import/mkdocs-material.html",
         "sylvanode-cli: import: took <nav class=\"md-nav md-nav--primary\"> (7 items); also found: <nav "
         "class=\"md-nav md-nav--secondary\"> (2) (--select takes another)\n",
         "sylvanode-cli: 导入：取了 <nav class=\"md-nav md-nav--primary\">（7 项）；还找到：<nav "
         "class=\"md-nav md-nav--secondary\"> (2)（用 --select 取别的）\n"},
        {"import/cp1252-news.html",
         "sylvanode-cli: import: took <ul class=\"events\"> (3 items); no character set declared, read as "
         "WINDOWS-1252 (--charset to change)\n",
         "sylvanode-cli: 导入：取了 <ul class=\"events\">（3 项）；没有声明字符集，按 WINDOWS-1252 读"
         "（用 --charset 改变）\n"},
        {"import/frameset/index.html", "sylvanode-cli: import: took <ul> (6 items) from the frame menu/left.htm\n",
         "sylvanode-cli: 导入：取了 <ul>（6 项），来自框架 menu/left.htm\n"},
    };
    for (const auto& c : cases) {
        const std::string source = test::fixturePath(c.fixture);
        const CliRun en = cli(Language::English, {"import", source, "-o", menu});
        const CliRun zh = cli(Language::Chinese, {"import", source, "-o", menu});
        EXPECT_EQ(en.code, 0) << c.fixture << en.err;
        EXPECT_EQ(zh.code, 0) << c.fixture << zh.err;
        EXPECT_EQ(en.err, c.english) << c.fixture;
        EXPECT_EQ(zh.err, c.chinese) << c.fixture;
        EXPECT_EQ(en.out, zh.out) << c.fixture;  // "N items imported" is data
        const CliRun quiet = cli(Language::Chinese, {"import", source, "-o", menu, "-q"});
        EXPECT_EQ(quiet.code, 0) << c.fixture;
        EXPECT_EQ(quiet.out + quiet.err, "") << c.fixture;
    }
}

// Standard output that fails at once, like a full disk.
class FailingOutput : public std::streambuf {
protected:
    std::streamsize xsputn(const char*, std::streamsize) override {
        errno = ENOSPC;
        return 0;
    }
    int_type overflow(int_type) override {
        errno = ENOSPC;
        return traits_type::eof();
    }
};

TEST(CliLanguage, FailuresOutsideTheCommandsInEachLanguage) {
    const auto run = [](Language language, auto reader, std::ostream& out) {
        std::ostringstream err;
        const int code = cli::run({"tree", "-"}, out, err, reader, language);
        return std::make_pair(code, err.str());
    };
    const auto noMemory = [](std::string&) -> IoResult { throw std::bad_alloc(); };
    std::ostringstream sink;
    EXPECT_EQ(run(Language::English, noMemory, sink), std::make_pair(3, std::string("sylvanode-cli: out of memory\n")));
    EXPECT_EQ(run(Language::Chinese, noMemory, sink), std::make_pair(3, std::string("sylvanode-cli: 内存不足\n")));

    const auto scheme = [](std::string& bytes) {
        bytes = test::fixture("worked-example/scheme.menu");
        return IoResult{};
    };
    FailingOutput failing;
    std::ostream full(&failing);
    // The reason comes from our table of system errors.
    EXPECT_TRUE(matches(run(Language::English, scheme, full).second, "sylvanode-cli: cannot write to standard output: ..."));
    full.clear();
    EXPECT_TRUE(matches(run(Language::Chinese, scheme, full).second, "sylvanode-cli: 无法写入标准输出：..."));
}

TEST(CliLanguage, HelpInEachLanguage) {
    const CliRun en = cli(Language::English, {"--help"});
    const CliRun zh = cli(Language::Chinese, {"--help"});
    EXPECT_EQ(en.out.rfind("Usage: sylvanode-cli COMMAND [ARGS]\n       sylvanode-cli COMMAND --help\n\nCommands:\n", 0), 0u);
    EXPECT_EQ(zh.out.rfind("用法：sylvanode-cli COMMAND [ARGS]\n      sylvanode-cli COMMAND --help\n\n命令：\n", 0), 0u);
    EXPECT_NE(en.out.find("\n  check FILE.menu       load a scheme and report its item count\n"), std::string::npos);
    EXPECT_NE(zh.out.find("\n  check FILE.menu       读入方案，报告菜单项的个数\n"), std::string::npos);
    EXPECT_NE(zh.out.find("\n退出码，所有命令都一样：0 成功；1 方案被拒绝、来源无法导入或链接有问题；2 用法错误；\n"
                          "3 文件无法读取或写入（包括输入文件不存在）。\n"),
              std::string::npos)
        << zh.out;
    EXPECT_NE(zh.out.find("\n-q（--quiet）让标准输出只留给数据：不说明做了什么。\n"), std::string::npos) << zh.out;
    EXPECT_FALSE(hasChinese(en.out)) << en.out;

    for (const char* command : {"check", "tree", "rewrite", "generate", "preview", "library", "import", "export",
                                "links"}) {
        const CliRun e = cli(Language::English, {command, "--help"});
        const CliRun z = cli(Language::Chinese, {command, "--help"});
        EXPECT_EQ(e.code, 0);
        EXPECT_EQ(z.code, 0);
        EXPECT_FALSE(hasChinese(e.out)) << e.out;
        // The same synopsis and options, each line of help in Chinese.
        const auto firstLine = [](const std::string& s) { return s.substr(0, s.find('\n')); };
        EXPECT_EQ("用法：" + firstLine(e.out).substr(7), firstLine(z.out));
        std::istringstream lines(z.out);
        for (std::string line; std::getline(lines, line);)
            if (line.rfind("  -", 0) == 0) {
                EXPECT_TRUE(hasChinese(line)) << command << ": " << line;
            }
        EXPECT_NE(z.out.find("\n选项：\n"), std::string::npos) << z.out;
    }
}

TEST(CliLanguage, DataIsTheSameInEveryLanguage) {
    test::TempDir dir;
    const std::string scheme = test::fixturePath("worked-example/scheme.menu");
    const std::vector<std::vector<std::string>> commands = {
        {"check", scheme},
        {"tree", scheme},
        {"generate", scheme},
        {"rewrite", scheme, "-o", "-"},
        {"export", scheme, "--to", "json"},
        {"links", scheme, "--format", "json", "--root", dir.path()},
        {"check", scheme, "--format", "json"},
        {"tree", scheme, "--format", "json"},
        {"export", scheme, "--to", "jstree"},
        {"import", test::fixturePath("import/mkdocs-material.html"), "-o", dir.file("m.menu"), "--format", "json"},
        {"links", scheme, "--root", dir.path()},
        {"import", test::fixturePath("import/site"), "-o", dir.file("site.menu")},
        {"--version"},
    };
    for (const auto& args : commands) {
        const CliRun en = cli(Language::English, args);
        const CliRun zh = cli(Language::Chinese, args);
        EXPECT_EQ(en.code, zh.code) << args[0];
        EXPECT_EQ(en.out, zh.out) << args[0];
        EXPECT_EQ(en.err, zh.err) << args[0];
        EXPECT_FALSE(en.out.empty()) << args[0];
    }
    // Standard input is named in the JSON as it is in every language.
    const std::string bytes = test::fixture("worked-example/scheme.menu");
    const CliRun zh = cli(Language::Chinese, {"check", "-", "--format", "json"}, bytes);
    EXPECT_EQ(zh.out, cli(Language::English, {"check", "-", "--format", "json"}, bytes).out);
    EXPECT_EQ(zh.out.rfind("{\"file\":\"standard input\",\"items\":", 0), 0u) << zh.out;
}

// Every kind of failure the core reports, with each variant of its details, is a sentence
// in each language: one line, English without Chinese, Chinese without English words (its
// data, such as paths and values, aside).
TEST(CliLanguage, EveryFailureInEachLanguage) {
    const std::vector<Failure> english = test::failureSamples("/data/menu", "abc");
    const std::vector<Failure> chinese = test::failureSamples("/数据/菜单", "甲乙");
    ASSERT_EQ(english.size(), chinese.size());
    for (size_t i = 0; i < english.size(); ++i) {
        const std::string en = cli::failureText(english[i], Language::English);
        const std::string zh = cli::failureText(chinese[i], Language::Chinese);
        const std::string what = failureSummary(english[i]) + "\n  " + en + "\n  " + zh;
        EXPECT_FALSE(en.empty() || zh.empty()) << what;
        EXPECT_EQ(en.find('\n'), std::string::npos) << what;
        EXPECT_EQ(zh.find('\n'), std::string::npos) << what;
        EXPECT_FALSE(hasChinese(en)) << what;
        EXPECT_TRUE(hasChinese(zh)) << what;
        EXPECT_TRUE(test::onlyChineseWords(zh)) << what;
        EXPECT_NE(en, "failed") << what;  // every kind has a sentence of its own
        const FailureKind kind = english[i].kind;
        const bool aboutAFile = kind <= FailureKind::OutOfMemory && kind != FailureKind::NoFileName;
        if (aboutAFile && !english[i].path.empty() && english[i].path != "-") {
            EXPECT_NE(en.find("/data/menu"), std::string::npos) << what;
        }
    }
    // Each kind, with its details, has a sentence of its own (none falls back to another's):
    // the samples begin with every kind in full, each followed by it without details.
    size_t kinds = 0;
    while (failureKindName(static_cast<FailureKind>(kinds + 1)) != "unknown") ++kinds;
    std::set<std::string> sentences;
    for (size_t k = 0; k < kinds; ++k)
        EXPECT_TRUE(sentences.insert(cli::failureText(english[2 * k], Language::English)).second)
            << english[2 * k];
    EXPECT_EQ(sentences.size(), kinds);
    // A system error outside our table: the system's words in English, its name in Chinese.
    EXPECT_EQ(cli::systemErrorText(ENOTUNIQ, Language::Chinese), "系统错误 ENOTUNIQ（76）");
    EXPECT_FALSE(hasChinese(cli::systemErrorText(ENOTUNIQ, Language::English)));
    EXPECT_EQ(cli::failureText(Failure::of(FailureKind::CannotRead, "-", EIO), Language::Chinese),
              "无法读取 标准输入：输入输出错误");
}

// Every text of the table: one English key each, a translation in Chinese with the same
// placeholders, and no Chinese in the English.
TEST(CliLanguage, TheTableIsComplete) {
    std::set<std::string_view> keys;
    const std::regex placeholder("\\{[1-9]\\}");
    const auto placeholders = [&](std::string_view text) {
        std::multiset<std::string> found;
        const std::string s(text);
        for (auto it = std::sregex_iterator(s.begin(), s.end(), placeholder); it != std::sregex_iterator(); ++it)
            found.insert(it->str());
        return found;
    };
    for (const cli::Translation& t : cli::kTranslations) {
        EXPECT_TRUE(keys.insert(t.english).second) << t.english;
        EXPECT_EQ(t.english.empty(), t.chinese.empty()) << t.english;
        EXPECT_FALSE(hasChinese(std::string(t.english))) << t.english;
        EXPECT_EQ(placeholders(t.english), placeholders(t.chinese)) << t.english;
    }
    EXPECT_EQ(cli::format("{2}/{1}/{3}", {"a", "{1}"}), "{1}/a/{3}");  // arguments are not read again
}

}  // namespace
}  // namespace sylvanode

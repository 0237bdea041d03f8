// SPDX-License-Identifier: MIT
#pragma once

// The tool's own texts (messages and help) in the languages it speaks. A text is written in
// the code in English, Text("..."), and looked up here when the program is compiled: a text
// missing from the table does not compile ("call to consteval function ... is not a constant
// expression"), so no message can reach a user untranslated. What is data (the script, the
// scheme, the outputs of check, tree, links and the JSON) is never translated.
//
// {1}, {2}, ... in a text are replaced by the arguments of format(); every translation uses the
// same placeholders as its English text (a test checks it).

#include <cstddef>
#include <initializer_list>
#include <iterator>
#include <string>
#include <string_view>

#include "platform/user_language.h"

namespace sylvanode::cli {

struct Translation {
    std::string_view english;
    std::string_view chinese;
};

// clang-format off
inline constexpr Translation kTranslations[] = {
    {"", ""},
    // The list of commands and the help of each.
    {"Usage: sylvanode-cli COMMAND [ARGS]\n       sylvanode-cli COMMAND --help\n\nCommands:\n",
     "用法：sylvanode-cli COMMAND [ARGS]\n      sylvanode-cli COMMAND --help\n\n命令：\n"},
    {"show this help", "显示本帮助"},
    {"show the version", "显示版本"},
    {"A file named \"-\" is standard input (or, after -o, standard output); \"--\" ends the options.",
     "名为“-”的文件是标准输入（在 -o 之后是标准输出）；“--”结束选项。"},
    {"Exit codes: 0 ok, 1 scheme rejected, 2 usage, 3 file could not be read or written.",
     "退出码：0 成功，1 方案被拒绝，2 用法错误，3 文件无法读取或写入。"},
    {"Usage: {1}", "用法：{1}"},
    {"{1}.", "{1}。"},
    {"Options:", "选项："},
    {"FILE.menu may be \"-\" to read the scheme from standard input.",
     "FILE.menu 可以是“-”，即从标准输入读方案。"},
    {"load a scheme and report its item count", "读入方案，报告菜单项的个数"},
    {"print the scheme's outline, one item per line", "打印方案的大纲，每项一行"},
    {"FILE.menu may be \"-\" to read the scheme from standard input.\n"
     "Control characters in texts are shown as \\xNN.",
     "FILE.menu 可以是“-”，即从标准输入读方案。\n文字中的控制字符显示为 \\xNN。"},
    {"load a scheme and write it again", "读入方案并重新写出"},
    {"write the scheme to OUT.menu (\"-\": standard output)", "把方案写到 OUT.menu（“-”：标准输出）"},
    {"write the menu script (to standard output without -o)", "写出菜单脚本（没有 -o 时写到标准输出）"},
    {"write the script to OUT.js (\"-\": standard output)", "把脚本写到 OUT.js（“-”：标准输出）"},
    {"read the items from the page's exported <nav> list instead of carrying them",
     "从网页中导出的 <nav> 列表读菜单项，脚本本身不带菜单项"},
    {"append SUFFIX (letters and digits) to the script's names, for several menus on one page",
     "在脚本的名字后加上 SUFFIX（字母和数字），用于一个页面上的多个菜单"},
    {"character set of the script: gbk or utf-8 (default: the scheme's own, else gbk)",
     "脚本的字符集：gbk 或 utf-8（默认为方案自己的字符集，否则为 gbk）"},
    {"write DIR/index.html showing the menu, with the script and the library",
     "写出显示菜单的 DIR/index.html，以及脚本和树形菜单库"},
    {"FILE.menu may be \"-\" to read the scheme from standard input.\n"
     "Files in DIR that a preview did not write are never replaced: an index.html that does not\n"
     "start with the preview mark stops it; other files of the names it writes stop it unless\n"
     "--force is given.",
     "FILE.menu 可以是“-”，即从标准输入读方案。\n"
     "DIR 中不是预览写出的文件决不会被替换：不以预览标记开头的 index.html 使它停止；\n"
     "与它要写的文件同名的其他文件也使它停止，除非给出 --force。"},
    {"the directory for the page (created when missing)", "页面所在的目录（不存在时创建）"},
    {"replace library files and the script that a preview did not write", "替换不是预览写出的库文件和脚本"},
    {"copy the tree-menu library and its images into DIR", "把树形菜单库及其图片复制到 DIR"},
    {"Files that held other bytes are replaced and named on standard output.",
     "内容不同的文件被替换，并在标准输出上列出。"},
    {"a page, outline, sitemap, OPML, JSON export or folder as a new scheme",
     "把网页、大纲、站点地图、OPML、JSON 导出文件或文件夹导入为新方案"},
    {"Without --from the kind is guessed from the content (a folder is a folder).\n"
     "From a page the menu is the list inside <nav>, else the largest list of the page.\n"
     "SOURCE may be \"-\" to read standard input. Input that cannot be imported exits with 1\n"
     "and leaves OUT.menu untouched.",
     "没有 --from 时，类型由内容猜出（文件夹就是文件夹）。\n"
     "从网页导入时，菜单是 <nav> 中的列表，否则是网页中最大的列表。\n"
     "SOURCE 可以是“-”，即读标准输入。无法导入的输入以 1 退出，不改动 OUT.menu。"},
    {"write the new scheme to OUT.menu (\"-\": standard output)", "把新方案写到 OUT.menu（“-”：标准输出）"},
    {"html, outline, sitemap, opml, json or folder", "html、outline、sitemap、opml、json 或 folder"},
    {"a page: take the list inside the element with this id", "网页：取这个 id 的元素中的列表"},
    {"the menu tree as a <nav> list, outline, OPML or JSON (to standard output without -o)",
     "把菜单树导出为 <nav> 列表、大纲、OPML 或 JSON（没有 -o 时写到标准输出）"},
    {"html: a <nav data-sylvanode=\"tree\"> fragment in the scheme's character set\n"
     "(or --charset); outline, opml, json: UTF-8. Importing an export gives the same tree\n"
     "back (an outline keeps no targets, status texts or icons).\n"
     "FILE.menu may be \"-\" to read the scheme from standard input.",
     "html：<nav data-sylvanode=\"tree\"> 片段，用方案的字符集（或 --charset）；\n"
     "outline、opml、json：UTF-8。导入导出的文件得到同样的树（大纲不保留目标框架、\n"
     "状态栏文字和图标）。\n"
     "FILE.menu 可以是“-”，即从标准输入读方案。"},
    {"html, outline, opml or json", "html、outline、opml 或 json"},
    {"write to OUT (\"-\": standard output)", "写到 OUT（“-”：标准输出）"},
    {"append SUFFIX (letters and digits) to the list's name, data-sylvanode=\"treeSUFFIX\"",
     "在列表的名字后加上 SUFFIX（字母和数字），即 data-sylvanode=\"treeSUFFIX\""},
    {"character set of the html list: gbk or utf-8 (default: the scheme's own, else gbk)",
     "html 列表的字符集：gbk 或 utf-8（默认为方案自己的字符集，否则为 gbk）"},
    {"check every link and icon; one line per problem, exit 1 when there are problems",
     "检查每个链接和图标；每个问题一行，有问题时以 1 退出"},
    {"Links and icons are looked up in the work directory (or --root DIR) without ?query and\n"
     "#fragment. Reported: missing files and folders (a folder needs index.html or index.htm),\n"
     "file:/// links, javascript: in a link field, empty links on items without children and\n"
     "duplicate links; absolute addresses are listed as not checked and do not count.",
     "链接和图标在工作目录（或 --root DIR）中查找，不计 ?查询 和 #片段。报告的问题有：\n"
     "不存在的文件和文件夹（文件夹要有 index.html 或 index.htm）、file:/// 链接、\n"
     "链接栏中的 javascript:、没有子菜单的菜单项的空链接，以及重复的链接；\n"
     "绝对地址列为未检查，不算问题。"},
    {"the folder the links are relative to (default: the work directory)", "链接相对的文件夹（默认为工作目录）"},
    {"text (default) or json", "text（默认）或 json"},

    // Messages, each one line after "sylvanode-cli: ".
    {"no command given (see sylvanode-cli --help)", "没有给出命令（见 sylvanode-cli --help）"},
    {"unknown command {1} (see sylvanode-cli --help)", "未知的命令 {1}（见 sylvanode-cli --help）"},
    {"{1} (see sylvanode-cli {2} --help)", "{1}（见 sylvanode-cli {2} --help）"},
    {"unknown option {1}", "未知的选项 {1}"},
    {"option {1} takes no value", "选项 {1} 不带值"},
    {"option {1} needs a value", "选项 {1} 需要一个值"},
    {"usage: {1}", "用法：{1}"},
    {"cannot write to standard output", "无法写入标准输出"},
    {"cannot write to standard output: {1}", "无法写入标准输出：{1}"},
    {"standard input", "标准输入"},
    {"invalid menu scheme: {1}: {2}", "菜单方案格式不正确: {1}: {2}"},
    {"invalid suffix: {1} (letters and digits only)", "后缀名格式不正确: {1}"},
    {"unknown character set {1}, use gbk or utf-8", "未知的字符集 {1}，请用 gbk 或 utf-8"},
    {"no menu items, no code generated", "没有菜单项，终止生成代码"},
    {"out of memory", "内存不足"},
    {"the tree-menu library ({1}) was not found; it belongs in share/sylvanode/web beside the program's directory",
     "找不到树形菜单库（{1}）；它应在程序目录旁的 share/sylvanode/web 中"},
    {"preview writes a directory: -o needs its name", "preview 写出一个目录：-o 要给出它的名字"},
    {"{1} or use --force", "{1}（或使用 --force）"},
    {"library writes a directory: DIR needs its name", "library 写入一个目录：DIR 要给出它的名字"},
    {"unknown kind {1} (html, outline, sitemap, opml, json or folder)",
     "未知的类型 {1}（html、outline、sitemap、opml、json 或 folder）"},
    {"standard input is not a folder", "标准输入不是文件夹"},
    {"import: {1}: {2}", "无法导入 {1}：{2}"},
    {"unknown format {1} (html, outline, opml or json)", "未知的格式 {1}（html、outline、opml 或 json）"},
    {"--charset gbk is for --to html; outline, OPML and JSON are UTF-8",
     "--charset gbk 只用于 --to html；outline、OPML 和 JSON 都是 UTF-8"},
    {"export: {1}", "导出时出错：{1}"},
    {"unknown format {1} (text or json)", "未知的格式 {1}（text 或 json）"},
    {"links: {1}", "检查链接时出错：{1}"},
    {"links: {1} (give --root DIR)", "检查链接时出错：{1}（请给出 --root DIR）"},
};
// clang-format on

// One text of the table, found by its English words when the program is compiled.
class Text {
public:
    consteval Text(const char* english) : index_(find(english)) {}  // NOLINT: literals convert
    std::string_view in(Language language) const {
        const Translation& t = kTranslations[index_];
        return language == Language::Chinese ? t.chinese : t.english;
    }
    bool empty() const { return index_ == 0; }

private:
    static consteval std::size_t find(std::string_view english) {
        for (std::size_t i = 0; i < std::size(kTranslations); ++i)
            if (kTranslations[i].english == english) return i;
        throw "a text of sylvanode-cli is missing from the table in cli/catalogue.h";
    }
    std::size_t index_;
};

// The text in `language`, {1}, {2}, ... replaced by the arguments (as they are: data and
// paths are not translated).
std::string format(Text text, Language language, std::initializer_list<std::string_view> args = {});
// The same for any string with placeholders (the table's texts, for tests).
std::string format(std::string_view text, std::initializer_list<std::string_view> args);

}  // namespace sylvanode::cli

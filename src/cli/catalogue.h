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
    {"-q (--quiet) keeps standard output for data: no notes of what was done.",
     "-q（--quiet）让标准输出只留给数据：不说明做了什么。"},
    {"Exit codes, the same in every command: 0 ok; 1 scheme rejected, a source that cannot be\n"
     "imported, or links with problems; 2 usage; 3 a file could not be read or written (a\n"
     "missing input file included).",
     "退出码，所有命令都一样：0 成功；1 方案被拒绝、来源无法导入或链接有问题；2 用法错误；\n"
     "3 文件无法读取或写入（包括输入文件不存在）。"},
    {"print data only: no notes on standard output or standard error",
     "只打印数据：标准输出和标准错误上都没有说明"},
    {"Usage: {1}", "用法：{1}"},
    {"{1}.", "{1}。"},
    {"Options:", "选项："},
    {"FILE.menu may be \"-\" to read the scheme from standard input.",
     "FILE.menu 可以是“-”，即从标准输入读方案。"},
    {"load a scheme and report its item count", "读入方案，报告菜单项的个数"},
    {"FILE.menu may be \"-\" to read the scheme from standard input.\n"
     "json: {\"file\":..., \"items\":N}.",
     "FILE.menu 可以是“-”，即从标准输入读方案。\n"
     "json：{\"file\":..., \"items\":N}。"},
    {"print the scheme's outline, one item per line", "打印方案的大纲，每项一行"},
    {"FILE.menu may be \"-\" to read the scheme from standard input.\n"
     "Control characters in texts are shown as \\xNN.\n"
     "json: an array of items in order, each with its index, level, title and folder flag and\n"
     "the texts it has (hint, status, icon1, icon2, link and target, or script).",
     "FILE.menu 可以是“-”，即从标准输入读方案。\n文字中的控制字符显示为 \\xNN。\n"
     "json：按顺序排列的菜单项数组，每项有序号（index）、层次（level）、标题（title）和是否文件夹\n"
     "（folder），以及它有的文字（hint、status、icon1、icon2、link 和 target，或 script）。"},
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
    {"a page, Markdown file, outline, sitemap, OPML, JSON tree or folder as a new scheme",
     "把网页、Markdown 文件、大纲、站点地图、OPML、JSON 树或文件夹导入为新方案"},
    {"Without --from the kind is guessed from the content (a folder is a folder).\n"
     "From a page the menu is the best list: one in a <nav> before others, one outside the footer\n"
     "before one in it, a list of pages before a table of contents, then the one with more links.\n"
     "Links in table cells or <div> rows that far outnumber it win (nested by their indent); a\n"
     "frameset gives the frame with the largest menu; a Markdown file gives its table of contents,\n"
     "else its headings. One line on standard error says what was taken and what else was found.\n"
     "JSON: ours (export --to json), jsTree's, Fancytree's, or {title, children, url} alike.\n"
     "A page's character set is its byte-order mark, its <meta> declaration, UTF-8 when it is\n"
     "UTF-8, else detected; --charset overrides it.\n"
     "SOURCE may be \"-\" to read standard input. A source that cannot be imported exits with 1,\n"
     "one that cannot be read with 3, and OUT.menu is left untouched.",
     "没有 --from 时，类型由内容猜出（文件夹就是文件夹）。\n"
     "从网页导入时，菜单是最好的列表：<nav> 中的列表优先，页脚外的优先于页脚中的，\n"
     "网页列表优先于目录，再取链接多的。表格单元格或 <div> 行中的链接远多于它时取这些链接\n"
     "（按缩进嵌套）；框架集取菜单最大的框架；Markdown 文件取它的目录，否则取它的标题。\n"
     "标准错误上的一行说明取了什么、还找到了什么。\n"
     "JSON：本程序的（export --to json）、jsTree 的、Fancytree 的，或类似 {title, children, url} 的。\n"
     "网页的字符集依次是它的字节顺序标记、<meta> 声明、是 UTF-8 时为 UTF-8，否则自动检测；\n"
     "--charset 可以改变它。\n"
     "SOURCE 可以是“-”，即读标准输入。无法导入的来源以 1 退出，无法读取的以 3 退出，\n"
     "都不改动 OUT.menu。"},
    {"write the new scheme to OUT.menu (\"-\": standard output)", "把新方案写到 OUT.menu（“-”：标准输出）"},
    {"html, markdown, outline, sitemap, opml, json or folder",
     "html、markdown、outline、sitemap、opml、json 或 folder"},
    {"take the menu inside the element with this id or CSS selector", "取这个 id 或 CSS 选择器的元素中的菜单"},
    {"read the source in this character set (utf-8, gbk, windows-1252, ...)",
     "按这个字符集读来源（utf-8、gbk、windows-1252 等）"},
    {"what was taken, on standard output: text (default) or json",
     "在标准输出上说明取了什么：text（默认）或 json"},
    {"the menu tree as a <nav> list, outline, OPML, JSON or jsTree JSON (to standard output without -o)",
     "把菜单树导出为 <nav> 列表、大纲、OPML、JSON 或 jsTree JSON（没有 -o 时写到标准输出）"},
    {"html: a <nav data-sylvanode=\"tree\"> fragment in the scheme's character set\n"
     "(or --charset); outline, opml, json, jstree: UTF-8. jstree is the node data jsTree 3\n"
     "loads as it is. Importing an export gives the same tree back (an outline keeps no\n"
     "targets, status texts or icons).\n"
     "FILE.menu may be \"-\" to read the scheme from standard input.",
     "html：<nav data-sylvanode=\"tree\"> 片段，用方案的字符集（或 --charset）；\n"
     "outline、opml、json、jstree：UTF-8。jstree 是 jsTree 3 可以直接读入的节点数据。\n"
     "导入导出的文件得到同样的树（大纲不保留目标框架、状态栏文字和图标）。\n"
     "FILE.menu 可以是“-”，即从标准输入读方案。"},
    {"html, outline, opml, json or jstree", "html、outline、opml、json 或 jstree"},
    {"write to OUT (\"-\": standard output)", "写到 OUT（“-”：标准输出）"},
    {"append SUFFIX (letters and digits) to the list's name, data-sylvanode=\"treeSUFFIX\"",
     "在列表的名字后加上 SUFFIX（字母和数字），即 data-sylvanode=\"treeSUFFIX\""},
    {"character set of the html list: gbk or utf-8 (default: the scheme's own, else gbk)",
     "html 列表的字符集：gbk 或 utf-8（默认为方案自己的字符集，否则为 gbk）"},
    {"check every link and icon; one line per problem, exit 1 when there are problems",
     "检查每个链接和图标；每个问题一行，有问题时以 1 退出"},
    {"Links and icons are looked up in the work directory (or --root DIR) without ?query.\n"
     "Problems: missing files and folders (a folder needs index.html or index.htm), links that\n"
     "lead outside the folder (through .., %2e%2e or a symbolic link), page.html#id where the\n"
     "page has no such id or <a name>, file:/// links, javascript: in a link field and empty\n"
     "links on items without children. Duplicate links are warnings unless --strict; absolute\n"
     "addresses are listed as not checked. Neither counts as a problem.\n"
     "In a build pipeline:  sylvanode-cli links site.menu --root public --ignore '*.pdf' -q",
     "链接和图标在工作目录（或 --root DIR）中查找，不计 ?查询。\n"
     "问题有：不存在的文件和文件夹（文件夹要有 index.html 或 index.htm）、通向文件夹外的链接\n"
     "（经由 ..、%2e%2e 或符号链接）、网页中没有那个 id 或 <a name> 的 page.html#id、\n"
     "file:/// 链接、链接栏中的 javascript:，以及没有子菜单的菜单项的空链接。\n"
     "重复的链接是警告，除非给出 --strict；绝对地址列为未检查。两者都不算问题。\n"
     "在构建流程中：  sylvanode-cli links site.menu --root public --ignore '*.pdf' -q"},
    {"the folder the links are relative to (default: the work directory)", "链接相对的文件夹（默认为工作目录）"},
    {"leave links matching this glob unchecked (may be repeated)", "不检查与这个通配模式相符的链接（可以多次给出）"},
    {"duplicate links are problems too", "重复的链接也算问题"},
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
    {"the last save of {1} was interrupted: it may be incomplete; its contents from before that save are in {2}",
     "上次保存 {1} 时被中断，它可能不完整；保存之前的内容在 {2} 中"},
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
    {"unknown kind {1} (html, markdown, outline, sitemap, opml, json or folder)",
     "未知的类型 {1}（html、markdown、outline、sitemap、opml、json 或 folder）"},
    {"--format json writes the report to standard output: -o needs a file",
     "--format json 把报告写到标准输出：-o 要给出一个文件"},
    {"unknown character set {1} (e.g. utf-8, gbk, windows-1252)", "未知的字符集 {1}（例如 utf-8、gbk、windows-1252）"},
    {"standard input is not a folder", "标准输入不是文件夹"},
    {"import: {1}: {2}", "无法导入 {1}：{2}"},
    // The note of what an import took, one line "import: ..." of parts joined by "; ".
    {"import: {1}", "导入：{1}"},
    {"; ", "；"},
    {"took {1} ({2} items)", "取了 {1}（{2} 项）"},
    {"took the links in {1} ({2} items), a menu without a list, nested by indent",
     "取了 {1} 中的链接（{2} 项），这是没有列表的菜单，按缩进嵌套"},
    {"took the headings ({1} items)", "取了标题（{1} 项）"},
    {"took the frame {1}", "取了框架 {1}"},
    {" from the frame {1}", "，来自框架 {1}"},
    {"also found: {1} (--select takes another)", "还找到：{1}（用 --select 取别的）"},
    {"no character set declared, read as {1} (--charset to change)", "没有声明字符集，按 {1} 读（用 --charset 改变）"},
    {"1 folder loads its children later and comes without them", "1 个文件夹以后才载入子菜单，导入时没有子菜单"},
    {"{1} folders load their children later and come without them", "{1} 个文件夹以后才载入子菜单，导入时没有子菜单"},
    {"unknown format {1} (html, outline, opml, json or jstree)", "未知的格式 {1}（html、outline、opml、json 或 jstree）"},
    {"--charset gbk is for --to html; outline, OPML and JSON are UTF-8",
     "--charset gbk 只用于 --to html；outline、OPML 和 JSON 都是 UTF-8"},
    {"export: {1}", "导出时出错：{1}"},
    {"unknown format {1} (text or json)", "未知的格式 {1}（text 或 json）"},
    {"links: {1}", "检查链接时出错：{1}"},
    {"links: {1} (give --root DIR)", "检查链接时出错：{1}（请给出 --root DIR）"},
    // Failures the core reports (cli/failure_text.cpp) and the causes behind system errors.
    {"an HTML page", "HTML 网页"},
    {"a Markdown file", "Markdown 文件"},
    {"an outline", "大纲"},
    {"a sitemap", "站点地图"},
    {"an OPML file", "OPML 文件"},
    {"a menu in JSON", "JSON 菜单"},
    {"a page, outline or menu file", "网页、大纲或菜单文件"},
    {"it is a folder", "它是文件夹"},
    {"it is a pipe", "它是管道"},
    {"it is a device", "它是设备"},
    {"it is a disk device", "它是磁盘设备"},
    {"it is a socket", "它是套接字"},
    {"it is not a regular file", "它不是普通文件"},
    {"expected , or {1}", "这里应为 , 或 {1}"},
    {"expected a key", "这里应为键名"},
    {"expected :", "这里应为 :"},
    {"the text ends too early", "文字提前结束"},
    {"too many values to import", "值太多，无法导入"},
    {"a bad string", "字符串不正确"},
    {"expected a value", "这里应为一个值"},
    {"text after the end", "结尾之后还有文字"},
    {"the text is too large", "文字太长"},
    {"the text is not UTF-8", "文字不是 UTF-8"},
    {"not JSON", "不是 JSON"},
    {"an unexpected character", "意外的字符"},
    {"a selector is missing", "缺少选择器"},
    {"a name must follow # or .", "# 或 . 之后要有名字"},
    {"pseudo-classes are not supported", "不支持伪类"},
    {"an attribute name must follow [", "[ 之后要有属性名"},
    {"expected = or ]", "这里应为 = 或 ]"},
    {"a quoted value does not end", "引号中的值没有结束"},
    {"a value must follow =", "= 之后要有值"},
    {"expected ]", "这里应为 ]"},
    {"not supported", "不支持"},
    {"a file of that name is in the way", "已有同名的文件"},
    {"{1}; its old contents are in {2}", "{1}；原来的内容保存在 {2}"},
    {"it is larger than {1}", "文件大于 {1}"},
    {"no such folder", "文件夹不存在"},
    {"the file is on a read-only file system", "文件在只读的文件系统上"},
    {"the file is read-only for you (permission denied)", "你没有写这个文件的权限"},
    {"the file is read-only", "文件是只读的"},
    {"it is a set-user-ID or set-group-ID file of another owner, which saving would change", "它是别人的 set-user-ID 或 set-group-ID 文件，保存会改变它"},
    {"no program is reading from the pipe", "没有程序在读这个管道"},
    {"another program is saving it", "另一个程序正在保存它"},
    {"another program changed it", "另一个程序改动了它"},
    {"it is not locked for saving", "它没有为保存而加锁"},
    {"cannot open {1}", "无法打开 {1}"},
    {"cannot read {1}", "无法读取 {1}"},
    {"cannot write {1}", "无法写入 {1}"},
    {"cannot replace {1}", "无法替换 {1}"},
    {"cannot create a file in {1}", "无法在 {1} 中创建文件"},
    {"cannot create the folder {1}", "无法创建文件夹 {1}"},
    {"cannot read the folder {1}", "无法读取文件夹 {1}"},
    {"cannot make a backup copy of {1}", "无法为 {1} 做备份"},
    {"cannot use {1}", "无法使用 {1}"},
    {"no file name given", "没有给出文件名"},
    {"[Config] has no item count", "[Config] 中没有菜单项个数"},
    {"item {1}: [MenuLevel] has no level", "第 {1} 项：[MenuLevel] 中没有它的层次"},
    {"item {1}: level \"{2}\" in [MenuLevel] is not a level of 0 or more", "第 {1} 项：[MenuLevel] 中的层次“{2}”不是 0 或更大的数"},
    {"item {1}: level {2} does not fit the items before it", "第 {1} 项：层次 {2} 与前面的菜单项接不上"},
    {"the file is too large to import (more than {1})", "文件太大，无法导入（超过 {1}）"},
    {"unknown character set {1}", "未知的字符集 {1}"},
    {"not {1} (binary data)", "不是{1}（二进制数据）"},
    {"not {1} (the text is not UTF-8)", "不是{1}（文字不是 UTF-8）"},
    {"not {1} (nothing to read)", "不是{1}（没有可读的内容）"},
    {"not {1} (not well-formed XML)", "不是{1}（XML 格式不正确）"},
    {"not {1} (no <{2}>)", "不是{1}（没有 <{2}>）"},
    {"a sitemap index: import one of the sitemaps it lists", "这是站点地图索引：请导入它列出的某个站点地图"},
    {"no items found", "没有找到菜单项"},
    {"the list has no items", "列表中没有菜单项"},
    {"the outline has no items", "大纲中没有菜单项"},
    {"the sitemap lists no addresses", "站点地图中没有网址"},
    {"the OPML outline has no items", "OPML 大纲中没有菜单项"},
    {"the menu has no items", "菜单中没有菜单项"},
    {"no list (<ul> or <ol>) found in the page", "网页中没有列表（<ul> 或 <ol>）"},
    {"nothing in the page matches \"{1}\"", "网页中没有与“{1}”相符的内容"},
    {"no list or link inside \"{1}\"", "“{1}”中没有列表或链接"},
    {"a frameset page without a menu of its own", "这是框架集网页，本身没有菜单"},
    {"a frameset page, and none of its frames ({1}) holds a menu", "这是框架集网页，它的框架（{1}）中都没有菜单"},
    {"not a folder", "不是文件夹"},
    {"it is a folder; --from {1} reads a file", "它是文件夹；--from {1} 读的是文件"},
    {"the folder holds more than {1} pages", "文件夹中的网页超过 {1} 个"},
    {"no .html or .htm pages in the folder", "文件夹中没有 .html 或 .htm 网页"},
    {"the file declares XML entities, which are not read", "文件声明了 XML 实体，不予读取"},
    {"the import was cancelled", "导入已取消"},
    {"not a menu in JSON (line {1}: {2})", "不是 JSON 菜单（第 {1} 行：{2}）"},
    {"not a menu in JSON (no list of items)", "不是 JSON 菜单（没有菜单项列表）"},
    {"not a selector this tool reads: \"{1}\" ({2} at character {3})", "无法识别的选择器“{1}”（第 {3} 个字符处{2}）"},
    {"the tree is too deep to write as an indented outline", "树的层次太深，无法写成缩进大纲"},
    {"no folder to check against", "没有用来检查链接的文件夹"},
    {"the folder to check against does not exist: {1}", "用来检查链接的文件夹不存在：{1}"},
    {"{1} exists and is not a preview page; choose another directory", "{1} 已存在，且不是预览页；请选择别的目录"},
    {"{1} already holds {2}, not written by a preview; choose another directory", "{1} 中已有 {2}，不是预览写的；请选择别的目录"},
    {"failed", "失败"},
    {"the cause is not known", "原因不明"},
    {"permission denied", "没有权限"},
    {"no such file or folder", "没有这个文件或文件夹"},
    {"read-only file system", "只读文件系统"},
    {"disk full", "磁盘已满"},
    {"disk quota exceeded", "超出磁盘配额"},
    {"a part of the path is not a folder", "路径中有一部分不是文件夹"},
    {"it already exists", "它已经存在"},
    {"the folder is not empty", "文件夹不是空的"},
    {"the name is too long", "名字太长"},
    {"too many symbolic links", "符号链接太多"},
    {"too many open files", "打开的文件太多"},
    {"input/output error", "输入输出错误"},
    {"it is on another file system", "它在另一个文件系统上"},
    {"the file or device is busy", "文件或设备正忙"},
    {"the file is in use", "文件正在使用中"},
    {"the file is too large", "文件太大"},
    {"the reading program has closed the pipe", "读取的程序关闭了管道"},
    {"no such device", "没有这个设备"},
    {"the resource is busy for now; try again", "资源暂时不可用，请再试一次"},
    {"invalid argument", "参数无效"},
    {"the file on the network file system is no longer there", "网络文件系统上的这个文件已不存在"},
    {"the file system does not support it", "文件系统不支持这个操作"},
    {"timed out", "超时"},
    {"interrupted", "被中断"},
    {"bad file descriptor", "文件描述符无效"},
    {"the network cannot be reached", "无法连接网络"},
    {"system error {1} ({2})", "系统错误 {1}（{2}）"},
    {"{1}: {2}", "{1}：{2}"},
    {"{1} bytes", "{1} 字节"},
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

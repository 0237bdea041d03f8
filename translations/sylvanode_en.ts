<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>AboutDialog</name>
    <message>
        <source>About Sylvanode</source>
        <translation>About Sylvanode</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Version:  3.0</source>
        <translation>Version:  3.0</translation>
    </message>
    <message>
        <source>Date   :  2003-03-03</source>
        <translation>Date   :  2003-03-03</translation>
    </message>
    <message>
        <source>没有可以打开主页的浏览器：</source>
        <translation>No browser could open the homepage:</translation>
    </message>
</context>
<context>
    <name>ColorPickerDialog</name>
    <message>
        <source>选择颜色</source>
        <translation>Choose Color</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Window系统颜色</source>
        <translation>System colors</translation>
    </message>
    <message>
        <source>RGB</source>
        <translation>RGB</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>你可以设置与Window系统一样的颜色。不同的系统设置的颜色可能不同。</source>
        <translation>The colors of the system; they differ from system to system.</translation>
    </message>
    <message>
        <source>输入RGB值(#rrggbb)</source>
        <translation>RGB value (#rrggbb)</translation>
    </message>
    <message>
        <source>屏幕取色</source>
        <translation>Pick on screen</translation>
    </message>
</context>
<context>
    <name>CssStyleDialog</name>
    <message>
        <source>CSS样式设定</source>
        <translation>CSS Style</translation>
    </message>
    <message>
        <source>字体</source>
        <translation>Font</translation>
    </message>
    <message>
        <source>风格</source>
        <translation>Style</translation>
    </message>
    <message>
        <source>正常</source>
        <translation>Normal</translation>
    </message>
    <message>
        <source>粗体</source>
        <translation>Bold</translation>
    </message>
    <message>
        <source>斜体</source>
        <translation>Italic</translation>
    </message>
    <message>
        <source>粗斜体</source>
        <translation>Bold Italic</translation>
    </message>
    <message>
        <source>大小(pt)</source>
        <translation>Size (pt)</translation>
    </message>
    <message>
        <source>颜色</source>
        <translation>Color</translation>
    </message>
    <message>
        <source>选择文字颜色</source>
        <translation>Choose the text color</translation>
    </message>
    <message>
        <source>选择颜色</source>
        <translation>Choose a color</translation>
    </message>
    <message>
        <source>背景色</source>
        <translation>Background</translation>
    </message>
    <message>
        <source>选择背景颜色</source>
        <translation>Choose the background color</translation>
    </message>
    <message>
        <source>下划线</source>
        <translation>Underline</translation>
    </message>
    <message>
        <source>预览</source>
        <translation>Preview</translation>
    </message>
    <message>
        <source>显示边框</source>
        <translation>Show border</translation>
    </message>
    <message>
        <source>选择边框颜色</source>
        <translation>Choose the border color</translation>
    </message>
    <message>
        <source>宽度(pt)</source>
        <translation>Width (pt)</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>FailureText</name>
    <message>
        <source>标准输入</source>
        <translation>standard input</translation>
    </message>
    <message>
        <source>%1 字节</source>
        <translation>%1 bytes</translation>
    </message>
    <message>
        <source>HTML 网页</source>
        <translation>an HTML page</translation>
    </message>
    <message>
        <source>Markdown 文件</source>
        <translation>a Markdown file</translation>
    </message>
    <message>
        <source>大纲</source>
        <translation>an outline</translation>
    </message>
    <message>
        <source>站点地图</source>
        <translation>a sitemap</translation>
    </message>
    <message>
        <source>OPML 文件</source>
        <translation>an OPML file</translation>
    </message>
    <message>
        <source>JSON 菜单</source>
        <translation>a menu in JSON</translation>
    </message>
    <message>
        <source>网页、大纲或菜单文件</source>
        <translation>a page, outline or menu file</translation>
    </message>
    <message>
        <source>列表中没有菜单项</source>
        <translation>the list has no items</translation>
    </message>
    <message>
        <source>大纲中没有菜单项</source>
        <translation>the outline has no items</translation>
    </message>
    <message>
        <source>站点地图中没有网址</source>
        <translation>the sitemap lists no addresses</translation>
    </message>
    <message>
        <source>OPML 大纲中没有菜单项</source>
        <translation>the OPML outline has no items</translation>
    </message>
    <message>
        <source>菜单中没有菜单项</source>
        <translation>the menu has no items</translation>
    </message>
    <message>
        <source>没有找到菜单项</source>
        <translation>no items found</translation>
    </message>
    <message>
        <source>它是文件夹</source>
        <translation>it is a folder</translation>
    </message>
    <message>
        <source>它是管道</source>
        <translation>it is a pipe</translation>
    </message>
    <message>
        <source>它是设备</source>
        <translation>it is a device</translation>
    </message>
    <message>
        <source>它是磁盘设备</source>
        <translation>it is a disk device</translation>
    </message>
    <message>
        <source>它是套接字</source>
        <translation>it is a socket</translation>
    </message>
    <message>
        <source>它不是普通文件</source>
        <translation>it is not a regular file</translation>
    </message>
    <message>
        <source>这里应为 , 或 %1</source>
        <translation>expected , or %1</translation>
    </message>
    <message>
        <source>这里应为键名</source>
        <translation>expected a key</translation>
    </message>
    <message>
        <source>这里应为 :</source>
        <translation>expected :</translation>
    </message>
    <message>
        <source>文字提前结束</source>
        <translation>the text ends too early</translation>
    </message>
    <message>
        <source>值太多，无法导入</source>
        <translation>too many values to import</translation>
    </message>
    <message>
        <source>字符串不正确</source>
        <translation>a bad string</translation>
    </message>
    <message>
        <source>这里应为一个值</source>
        <translation>expected a value</translation>
    </message>
    <message>
        <source>结尾之后还有文字</source>
        <translation>text after the end</translation>
    </message>
    <message>
        <source>文字太长</source>
        <translation>the text is too large</translation>
    </message>
    <message>
        <source>文字不是 UTF-8</source>
        <translation>the text is not UTF-8</translation>
    </message>
    <message>
        <source>不是 JSON</source>
        <translation>not JSON</translation>
    </message>
    <message>
        <source>意外的字符</source>
        <translation>an unexpected character</translation>
    </message>
    <message>
        <source>缺少选择器</source>
        <translation>a selector is missing</translation>
    </message>
    <message>
        <source># 或 . 之后要有名字</source>
        <translation>a name must follow # or .</translation>
    </message>
    <message>
        <source>不支持伪类</source>
        <translation>pseudo-classes are not supported</translation>
    </message>
    <message>
        <source>[ 之后要有属性名</source>
        <translation>an attribute name must follow [</translation>
    </message>
    <message>
        <source>这里应为 = 或 ]</source>
        <translation>expected = or ]</translation>
    </message>
    <message>
        <source>引号中的值没有结束</source>
        <translation>a quoted value does not end</translation>
    </message>
    <message>
        <source>= 之后要有值</source>
        <translation>a value must follow =</translation>
    </message>
    <message>
        <source>这里应为 ]</source>
        <translation>expected ]</translation>
    </message>
    <message>
        <source>不支持</source>
        <translation>not supported</translation>
    </message>
    <message>
        <source>已有同名的文件</source>
        <translation>a file of that name is in the way</translation>
    </message>
    <message>
        <source>%1；原来的内容保存在 %2</source>
        <translation>%1; its old contents are in %2</translation>
    </message>
    <message>
        <source>文件大于 %1</source>
        <translation>it is larger than %1</translation>
    </message>
    <message>
        <source>文件夹不存在</source>
        <translation>no such folder</translation>
    </message>
    <message>
        <source>文件在只读的文件系统上</source>
        <translation>the file is on a read-only file system</translation>
    </message>
    <message>
        <source>你没有写这个文件的权限</source>
        <translation>the file is read-only for you (permission denied)</translation>
    </message>
    <message>
        <source>文件是只读的</source>
        <translation>the file is read-only</translation>
    </message>
    <message>
        <source>它是别人的 set-user-ID 或 set-group-ID 文件，保存会改变它</source>
        <translation>it is a set-user-ID or set-group-ID file of another owner, which saving would change</translation>
    </message>
    <message>
        <source>没有程序在读这个管道</source>
        <translation>no program is reading from the pipe</translation>
    </message>
    <message>
        <source>另一个程序正在保存它</source>
        <translation>another program is saving it</translation>
    </message>
    <message>
        <source>另一个程序改动了它</source>
        <translation>another program changed it</translation>
    </message>
    <message>
        <source>它没有为保存而加锁</source>
        <translation>it is not locked for saving</translation>
    </message>
    <message>
        <source>内存不足</source>
        <translation>out of memory</translation>
    </message>
    <message>
        <source>无法打开 %1</source>
        <translation>cannot open %1</translation>
    </message>
    <message>
        <source>无法读取 %1</source>
        <translation>cannot read %1</translation>
    </message>
    <message>
        <source>无法写入 %1</source>
        <translation>cannot write %1</translation>
    </message>
    <message>
        <source>无法替换 %1</source>
        <translation>cannot replace %1</translation>
    </message>
    <message>
        <source>无法在 %1 中创建文件</source>
        <translation>cannot create a file in %1</translation>
    </message>
    <message>
        <source>无法创建文件夹 %1</source>
        <translation>cannot create the folder %1</translation>
    </message>
    <message>
        <source>无法读取文件夹 %1</source>
        <translation>cannot read the folder %1</translation>
    </message>
    <message>
        <source>无法为 %1 做备份</source>
        <translation>cannot make a backup copy of %1</translation>
    </message>
    <message>
        <source>无法使用 %1</source>
        <translation>cannot use %1</translation>
    </message>
    <message>
        <source>没有给出文件名</source>
        <translation>no file name given</translation>
    </message>
    <message>
        <source>[Config] 中没有菜单项个数</source>
        <translation>[Config] has no item count</translation>
    </message>
    <message>
        <source>第 %1 项：[MenuLevel] 中没有它的层次</source>
        <translation>item %1: [MenuLevel] has no level</translation>
    </message>
    <message>
        <source>第 %1 项：[MenuLevel] 中的层次“%2”不是 0 或更大的数</source>
        <translation>item %1: level &quot;%2&quot; in [MenuLevel] is not a level of 0 or more</translation>
    </message>
    <message>
        <source>第 %1 项：层次 %2 与前面的菜单项接不上</source>
        <translation>item %1: level %2 does not fit the items before it</translation>
    </message>
    <message>
        <source>文件太大，无法导入（超过 %1）</source>
        <translation>the file is too large to import (more than %1)</translation>
    </message>
    <message>
        <source>未知的字符集 %1</source>
        <translation>unknown character set %1</translation>
    </message>
    <message>
        <source>不是%1（二进制数据）</source>
        <translation>not %1 (binary data)</translation>
    </message>
    <message>
        <source>不是%1（文字不是 UTF-8）</source>
        <translation>not %1 (the text is not UTF-8)</translation>
    </message>
    <message>
        <source>不是%1（没有可读的内容）</source>
        <translation>not %1 (nothing to read)</translation>
    </message>
    <message>
        <source>不是%1（XML 格式不正确）</source>
        <translation>not %1 (not well-formed XML)</translation>
    </message>
    <message>
        <source>不是%1（没有 &lt;%2&gt;）</source>
        <translation>not %1 (no &lt;%2&gt;)</translation>
    </message>
    <message>
        <source>这是站点地图索引：请导入它列出的某个站点地图</source>
        <translation>a sitemap index: import one of the sitemaps it lists</translation>
    </message>
    <message>
        <source>网页中没有列表（&lt;ul&gt; 或 &lt;ol&gt;）</source>
        <translation>no list (&lt;ul&gt; or &lt;ol&gt;) found in the page</translation>
    </message>
    <message>
        <source>网页中没有与“%1”相符的内容</source>
        <translation>nothing in the page matches &quot;%1&quot;</translation>
    </message>
    <message>
        <source>“%1”中没有列表或链接</source>
        <translation>no list or link inside &quot;%1&quot;</translation>
    </message>
    <message>
        <source>这是框架集网页，本身没有菜单</source>
        <translation>a frameset page without a menu of its own</translation>
    </message>
    <message>
        <source>这是框架集网页，它的框架（%1）中都没有菜单</source>
        <translation>a frameset page, and none of its frames (%1) holds a menu</translation>
    </message>
    <message>
        <source>不是文件夹</source>
        <translation>not a folder</translation>
    </message>
    <message>
        <source>它是文件夹；--from %1 读的是文件</source>
        <translation>it is a folder; --from %1 reads a file</translation>
    </message>
    <message>
        <source>文件夹中的网页超过 %1 个</source>
        <translation>the folder holds more than %1 pages</translation>
    </message>
    <message>
        <source>文件夹中没有 .html 或 .htm 网页</source>
        <translation>no .html or .htm pages in the folder</translation>
    </message>
    <message>
        <source>文件声明了 XML 实体，不予读取</source>
        <translation>the file declares XML entities, which are not read</translation>
    </message>
    <message>
        <source>导入已取消</source>
        <translation>the import was cancelled</translation>
    </message>
    <message>
        <source>不是 JSON 菜单（第 %1 行：%2）</source>
        <translation>not a menu in JSON (line %1: %2)</translation>
    </message>
    <message>
        <source>不是 JSON 菜单（没有菜单项列表）</source>
        <translation>not a menu in JSON (no list of items)</translation>
    </message>
    <message>
        <source>无法识别的选择器“%1”（第 %3 个字符处%2）</source>
        <translation>not a selector this tool reads: &quot;%1&quot; (%2 at character %3)</translation>
    </message>
    <message>
        <source>树的层次太深，无法写成缩进大纲</source>
        <translation>the tree is too deep to write as an indented outline</translation>
    </message>
    <message>
        <source>没有用来检查链接的文件夹</source>
        <translation>no folder to check against</translation>
    </message>
    <message>
        <source>用来检查链接的文件夹不存在：%1</source>
        <translation>the folder to check against does not exist: %1</translation>
    </message>
    <message>
        <source>%1 已存在，且不是预览页；请选择别的目录</source>
        <translation>%1 exists and is not a preview page; choose another directory</translation>
    </message>
    <message>
        <source>%1 中已有 %2，不是预览写的；请选择别的目录</source>
        <translation>%1 already holds %2, not written by a preview; choose another directory</translation>
    </message>
    <message>
        <source>失败</source>
        <translation>failed</translation>
    </message>
    <message>
        <source>没有权限</source>
        <translation>permission denied</translation>
    </message>
    <message>
        <source>没有这个文件或文件夹</source>
        <translation>no such file or folder</translation>
    </message>
    <message>
        <source>只读文件系统</source>
        <translation>read-only file system</translation>
    </message>
    <message>
        <source>磁盘已满</source>
        <translation>disk full</translation>
    </message>
    <message>
        <source>超出磁盘配额</source>
        <translation>disk quota exceeded</translation>
    </message>
    <message>
        <source>路径中有一部分不是文件夹</source>
        <translation>a part of the path is not a folder</translation>
    </message>
    <message>
        <source>它已经存在</source>
        <translation>it already exists</translation>
    </message>
    <message>
        <source>文件夹不是空的</source>
        <translation>the folder is not empty</translation>
    </message>
    <message>
        <source>名字太长</source>
        <translation>the name is too long</translation>
    </message>
    <message>
        <source>符号链接太多</source>
        <translation>too many symbolic links</translation>
    </message>
    <message>
        <source>打开的文件太多</source>
        <translation>too many open files</translation>
    </message>
    <message>
        <source>输入输出错误</source>
        <translation>input/output error</translation>
    </message>
    <message>
        <source>它在另一个文件系统上</source>
        <translation>it is on another file system</translation>
    </message>
    <message>
        <source>文件或设备正忙</source>
        <translation>the file or device is busy</translation>
    </message>
    <message>
        <source>文件正在使用中</source>
        <translation>the file is in use</translation>
    </message>
    <message>
        <source>文件太大</source>
        <translation>the file is too large</translation>
    </message>
    <message>
        <source>读取的程序关闭了管道</source>
        <translation>the reading program has closed the pipe</translation>
    </message>
    <message>
        <source>没有这个设备</source>
        <translation>no such device</translation>
    </message>
    <message>
        <source>资源暂时不可用，请再试一次</source>
        <translation>the resource is busy for now; try again</translation>
    </message>
    <message>
        <source>参数无效</source>
        <translation>invalid argument</translation>
    </message>
    <message>
        <source>网络文件系统上的这个文件已不存在</source>
        <translation>the file on the network file system is no longer there</translation>
    </message>
    <message>
        <source>文件系统不支持这个操作</source>
        <translation>the file system does not support it</translation>
    </message>
    <message>
        <source>超时</source>
        <translation>timed out</translation>
    </message>
    <message>
        <source>被中断</source>
        <translation>interrupted</translation>
    </message>
    <message>
        <source>文件描述符无效</source>
        <translation>bad file descriptor</translation>
    </message>
    <message>
        <source>无法连接网络</source>
        <translation>the network cannot be reached</translation>
    </message>
    <message>
        <source>系统错误 %1（%2）</source>
        <translation>system error %1 (%2)</translation>
    </message>
    <message>
        <source>%1：%2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>原因不明</source>
        <translation>the cause is not known</translation>
    </message>
</context>
<context>
    <name>FileFilter</name>
    <message>
        <source>所有文件(*.*)</source>
        <translation>All files (*.*)</translation>
    </message>
    <message>
        <source>menu文件(*.menu)</source>
        <translation>Menu schemes (*.menu)</translation>
    </message>
    <message>
        <source>脚本文件(*.js)</source>
        <translation>Scripts (*.js)</translation>
    </message>
    <message>
        <source>网页、大纲和菜单文件(*.html;*.htm;*.txt;*.md;*.xml;*.opml;*.json)</source>
        <translation>Pages, outlines and menu files (*.html;*.htm;*.txt;*.md;*.xml;*.opml;*.json)</translation>
    </message>
    <message>
        <source>HTML 列表(*.html)</source>
        <translation>HTML list (*.html)</translation>
    </message>
    <message>
        <source>大纲(*.txt)</source>
        <translation>Outline (*.txt)</translation>
    </message>
    <message>
        <source>OPML(*.opml)</source>
        <translation>OPML (*.opml)</translation>
    </message>
    <message>
        <source>JSON(*.json)</source>
        <translation>JSON (*.json)</translation>
    </message>
    <message>
        <source>Gif文件(*.gif)</source>
        <translation>GIF images (*.gif)</translation>
    </message>
    <message>
        <source>Html文件(*.html)</source>
        <translation>HTML pages (*.html)</translation>
    </message>
</context>
<context>
    <name>ItemPanel</name>
    <message>
        <source>菜单标题</source>
        <translation>Title</translation>
    </message>
    <message>
        <source>提示文字</source>
        <translation>Hint</translation>
    </message>
    <message>
        <source>鼠标移至菜单上时的提示文字</source>
        <translation>The hint shown while the pointer is on the item</translation>
    </message>
    <message>
        <source>提示文字复制于菜单标题</source>
        <translation>Copy the title into the hint</translation>
    </message>
    <message>
        <source>复制于菜单标题</source>
        <translation>Copy from the title</translation>
    </message>
    <message>
        <source>状态栏文字</source>
        <translation>Status text</translation>
    </message>
    <message>
        <source>鼠标移至菜单上时的状态栏文字</source>
        <translation>The status bar text while the pointer is on the item</translation>
    </message>
    <message>
        <source>状态栏文字复制于菜单标题</source>
        <translation>Copy the title into the status text</translation>
    </message>
    <message>
        <source>为空时代表使用&quot;默认图标&quot;</source>
        <translation>Empty: the &quot;Default icons&quot; are used</translation>
    </message>
    <message>
        <source>菜单图标</source>
        <translation>Icons</translation>
    </message>
    <message>
        <source>折叠图标</source>
        <translation>Closed icon</translation>
    </message>
    <message>
        <source>为空时使用默认图标</source>
        <translation>Empty: the default icon</translation>
    </message>
    <message>
        <source>选择折叠图标</source>
        <translation>Choose the closed icon</translation>
    </message>
    <message>
        <source>展开图标</source>
        <translation>Open icon</translation>
    </message>
    <message>
        <source>选择展开图标</source>
        <translation>Choose the open icon</translation>
    </message>
    <message>
        <source>点击动作</source>
        <translation>Click action</translation>
    </message>
    <message>
        <source>链接地址</source>
        <translation>Link address</translation>
    </message>
    <message>
        <source>点击菜单项时打开的页面</source>
        <translation>The page opened when the item is clicked</translation>
    </message>
    <message>
        <source>选择页面</source>
        <translation>Choose a page</translation>
    </message>
    <message>
        <source>目标框架</source>
        <translation>Target frame</translation>
    </message>
    <message>
        <source>为空时取默认值</source>
        <translation>Empty: the default target frame</translation>
    </message>
    <message>
        <source>脚本代码</source>
        <translation>Script code</translation>
    </message>
    <message>
        <source>点击菜单项时运行的脚本</source>
        <translation>The script run when the item is clicked</translation>
    </message>
    <message>
        <source>菜单标题(&amp;N)</source>
        <translation>Tit&amp;le</translation>
    </message>
    <message>
        <source>提示文字(&amp;I)</source>
        <translation>H&amp;int</translation>
    </message>
    <message>
        <source>状态栏文字(&amp;U)</source>
        <translation>Stat&amp;us text</translation>
    </message>
    <message>
        <source>折叠(&amp;O)</source>
        <translation>&amp;Closed</translation>
    </message>
    <message>
        <source>展开(&amp;X)</source>
        <translation>&amp;Open</translation>
    </message>
    <message>
        <source>链接(&amp;L)</source>
        <translation>Lin&amp;k</translation>
    </message>
    <message>
        <source>目标框架(&amp;G)</source>
        <translation>Tar&amp;get frame</translation>
    </message>
    <message>
        <source>脚本(&amp;S)</source>
        <translation>&amp;Script</translation>
    </message>
</context>
<context>
    <name>LanguageMenu</name>
    <message>
        <source>视图(&amp;V)</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <source>语言(&amp;L)</source>
        <translation>&amp;Language</translation>
    </message>
    <message>
        <source>选择界面的语言，下次启动时生效</source>
        <translation>The program&apos;s language, from the next start on</translation>
    </message>
    <message>
        <source>跟随系统(&amp;S)</source>
        <translation>&amp;System Language</translation>
    </message>
    <message>
        <source>新的语言将在下次启动 Sylvanode 时使用。</source>
        <translation>The new language will be used the next time Sylvanode starts.</translation>
    </message>
</context>
<context>
    <name>LinkCheckDialog</name>
    <message>
        <source>检查链接</source>
        <translation>Check Links</translation>
    </message>
    <message>
        <source>链接问题</source>
        <translation>Link problems</translation>
    </message>
    <message>
        <source>项</source>
        <translation>Item</translation>
    </message>
    <message>
        <source>菜单标题</source>
        <translation>Title</translation>
    </message>
    <message>
        <source>问题</source>
        <translation>Problem</translation>
    </message>
    <message>
        <source>双击一行选中对应的菜单项。</source>
        <translation>Double-click a row to select its item.</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>菜单项</source>
        <translation>Menu items</translation>
    </message>
    <message>
        <source>菜单项树，可拖放节点</source>
        <translation>Tree of menu items; drag an item to move it</translation>
    </message>
    <message>
        <source>可拖放节点</source>
        <translation>Drag an item to move it</translation>
    </message>
    <message>
        <source>属性页</source>
        <translation>Property pages</translation>
    </message>
    <message>
        <source>文件(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>编辑(&amp;E)</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>工具(&amp;T)</source>
        <translation>&amp;Tools</translation>
    </message>
    <message>
        <source>帮助(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>新建方案(&amp;N)</source>
        <translation>&amp;New</translation>
    </message>
    <message>
        <source>新建文件</source>
        <translation>New</translation>
    </message>
    <message>
        <source>新建方案</source>
        <translation>Start a new menu scheme</translation>
    </message>
    <message>
        <source>打开方案(&amp;O)</source>
        <translation>&amp;Open…</translation>
    </message>
    <message>
        <source>打开文件</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>打开方案</source>
        <translation>Open a menu scheme</translation>
    </message>
    <message>
        <source>保存方案(&amp;S)</source>
        <translation>&amp;Save</translation>
    </message>
    <message>
        <source>保存文件</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>保存方案</source>
        <translation>Save the menu scheme</translation>
    </message>
    <message>
        <source>另存为(&amp;A)</source>
        <translation>Save &amp;As…</translation>
    </message>
    <message>
        <source>退出(&amp;X)</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>多菜单设置(&amp;M)</source>
        <translation>&amp;Multi-Menu Settings…</translation>
    </message>
    <message>
        <source>多菜单设置</source>
        <translation>Names for several menus on one page</translation>
    </message>
    <message>
        <source>生成代码(&amp;C)</source>
        <translation>Generate &amp;Code…</translation>
    </message>
    <message>
        <source>生成代码</source>
        <translation>Generate code</translation>
    </message>
    <message>
        <source>预览(&amp;P)</source>
        <translation>&amp;Preview</translation>
    </message>
    <message>
        <source>在浏览器中预览菜单</source>
        <translation>Show the menu in a browser</translation>
    </message>
    <message>
        <source>导入(&amp;I)…</source>
        <translation>&amp;Import…</translation>
    </message>
    <message>
        <source>把网页、大纲、站点地图、OPML 或 JSON 文件导入为新方案</source>
        <translation>Import a page, outline, sitemap, OPML or JSON file as a new scheme</translation>
    </message>
    <message>
        <source>导入文件夹(&amp;D)…</source>
        <translation>Import &amp;Folder…</translation>
    </message>
    <message>
        <source>把网站文件夹中的网页导入为新方案</source>
        <translation>Import the pages of a site folder as a new scheme</translation>
    </message>
    <message>
        <source>导出(&amp;E)…</source>
        <translation>&amp;Export…</translation>
    </message>
    <message>
        <source>把菜单树导出为 HTML、大纲、OPML 或 JSON</source>
        <translation>Export the menu tree as HTML, an outline, OPML or JSON</translation>
    </message>
    <message>
        <source>检查链接(&amp;L)</source>
        <translation>Check &amp;Links</translation>
    </message>
    <message>
        <source>检查每个菜单项的链接和图标</source>
        <translation>Check the link and icons of every item</translation>
    </message>
    <message>
        <source>帮助</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>关于(&amp;A)</source>
        <translation>&amp;About</translation>
    </message>
    <message>
        <source>增加根菜单</source>
        <translation>Add Root Item</translation>
    </message>
    <message>
        <source>增加子菜单</source>
        <translation>Add Sub Item</translation>
    </message>
    <message>
        <source>删除菜单</source>
        <translation>Delete Item</translation>
    </message>
    <message>
        <source>下移</source>
        <translation>Move Down</translation>
    </message>
    <message>
        <source>上移</source>
        <translation>Move Up</translation>
    </message>
    <message>
        <source>撤销</source>
        <translation>&amp;Undo</translation>
    </message>
    <message>
        <source>重做</source>
        <translation>&amp;Redo</translation>
    </message>
    <message>
        <source>剪切</source>
        <translation>Cut</translation>
    </message>
    <message>
        <source>剪切选中的菜单项及其子菜单</source>
        <translation>Cut the selected item with its sub items</translation>
    </message>
    <message>
        <source>复制</source>
        <translation>&amp;Copy</translation>
    </message>
    <message>
        <source>复制选中的菜单项及其子菜单</source>
        <translation>Copy the selected item with its sub items</translation>
    </message>
    <message>
        <source>粘贴</source>
        <translation>Paste</translation>
    </message>
    <message>
        <source>把剪贴板中的菜单项插入到选中菜单项之后</source>
        <translation>Insert the items on the clipboard after the selected item</translation>
    </message>
    <message>
        <source>在选中菜单项之后插入它的副本</source>
        <translation>Insert a copy of the selected item after it</translation>
    </message>
    <message>
        <source>重命名</source>
        <translation>Re&amp;name</translation>
    </message>
    <message>
        <source>在树中直接修改菜单标题</source>
        <translation>Edit the title in the tree</translation>
    </message>
    <message>
        <source>成为上级菜单的下一个同级菜单</source>
        <translation>Make the item the next sibling of its parent</translation>
    </message>
    <message>
        <source>成为上一个同级菜单的最后一个子菜单</source>
        <translation>Make the item the last sub item of its previous sibling</translation>
    </message>
    <message>
        <source>内存不足</source>
        <translation>Out of memory</translation>
    </message>
    <message>
        <source>未命名</source>
        <translation>Untitled</translation>
    </message>
    <message>
        <source>菜单方案格式不正确</source>
        <translation>This is not a valid menu scheme</translation>
    </message>
    <message>
        <source>菜单项属性</source>
        <translation>Item Properties</translation>
    </message>
    <message>
        <source>风格样式</source>
        <translation>Styles</translation>
    </message>
    <message>
        <source>方案属性</source>
        <translation>Scheme Properties</translation>
    </message>
    <message>
        <source>未知错误</source>
        <translation>Unknown error</translation>
    </message>
    <message>
        <source>[Modify]</source>
        <translation>[Modify]</translation>
    </message>
    <message>
        <source>增加根菜单</source>
        <comment>menu</comment>
        <translation>Add R&amp;oot Item</translation>
    </message>
    <message>
        <source>增加子菜单</source>
        <comment>menu</comment>
        <translation>Add &amp;Sub Item</translation>
    </message>
    <message>
        <source>删除菜单</source>
        <comment>menu</comment>
        <translation>&amp;Delete Item</translation>
    </message>
    <message>
        <source>下移</source>
        <comment>menu</comment>
        <translation>Move Do&amp;wn</translation>
    </message>
    <message>
        <source>上移</source>
        <comment>menu</comment>
        <translation>&amp;Move Up</translation>
    </message>
    <message>
        <source>剪切</source>
        <comment>menu</comment>
        <translation>Cu&amp;t</translation>
    </message>
    <message>
        <source>粘贴</source>
        <comment>menu</comment>
        <translation>&amp;Paste</translation>
    </message>
    <message>
        <source>创建副本</source>
        <comment>menu</comment>
        <translation>Dup&amp;licate</translation>
    </message>
    <message>
        <source>升级</source>
        <comment>menu</comment>
        <translation>Outd&amp;ent</translation>
    </message>
    <message>
        <source>降级</source>
        <comment>menu</comment>
        <translation>&amp;Indent</translation>
    </message>
    <message>
        <source>最近打开(&amp;R)</source>
        <translation>Open &amp;Recent</translation>
    </message>
    <message>
        <source>新建窗口(&amp;W)</source>
        <translation>New &amp;Window</translation>
    </message>
    <message>
        <source>在新窗口中新建方案</source>
        <translation>Start a new menu scheme in a new window</translation>
    </message>
    <message>
        <source>关闭(&amp;C)</source>
        <translation>&amp;Close</translation>
    </message>
    <message>
        <source>关闭这个窗口</source>
        <translation>Close this window</translation>
    </message>
    <message>
        <source>[只读]</source>
        <translation>[Read-Only]</translation>
    </message>
    <message>
        <source>无法打开菜单方案</source>
        <translation>Cannot open the menu scheme</translation>
    </message>
    <message>
        <source>预览</source>
        <translation>Preview</translation>
    </message>
    <message>
        <source>显示或隐藏预览窗格</source>
        <translation>Show or hide the preview pane</translation>
    </message>
    <message>
        <source>样式(&amp;Y)</source>
        <translation>Loo&amp;ks</translation>
    </message>
    <message>
        <source>样式库(&amp;G)…</source>
        <translation>&amp;Gallery of Looks…</translation>
    </message>
    <message>
        <source>从现成的样式中挑选一种套用到方案</source>
        <translation>Choose a ready-made look for the scheme</translation>
    </message>
    <message>
        <source>保存当前样式…</source>
        <translation>&amp;Save Current Look…</translation>
    </message>
    <message>
        <source>把方案的样式保存为样式库中的一种</source>
        <translation>Save the scheme’s look in the gallery</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>入门指南</source>
        <translation>Getting started</translation>
    </message>
    <message>
        <source>安装</source>
        <translation>Installing</translation>
    </message>
    <message>
        <source>配置</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>选项</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>常见问题</source>
        <translation>FAQ</translation>
    </message>
    <message>
        <source>联系我们</source>
        <translation>Contact us</translation>
    </message>
    <message>
        <source>套用样式</source>
        <translation>Apply Look</translation>
    </message>
    <message>
        <source>保存当前样式</source>
        <translation>Save Current Look</translation>
    </message>
    <message>
        <source>样式文件 (*.look)|*.look</source>
        <translation>Looks (*.look)|*.look</translation>
    </message>
</context>
<context>
    <name>SettingsPage</name>
    <message>
        <source>工作目录</source>
        <translation>Work directory</translation>
    </message>
    <message>
        <source>选择工作目录</source>
        <translation>Choose the work directory</translation>
    </message>
    <message>
        <source>结点图片目录</source>
        <translation>Node images</translation>
    </message>
    <message>
        <source>选择结点图片目录</source>
        <translation>Choose the node image directory</translation>
    </message>
    <message>
        <source>默认目标框架</source>
        <translation>Default target</translation>
    </message>
    <message>
        <source>显示结点连线</source>
        <translation>Show node lines</translation>
    </message>
    <message>
        <source>缩进(pt)</source>
        <translation>Indent (pt)</translation>
    </message>
    <message>
        <source>脚本字符集</source>
        <translation>Script encoding</translation>
    </message>
    <message>
        <source>生成的脚本文件的字符集，与网页的字符集相同</source>
        <translation>The character set of the script: the page&apos;s own</translation>
    </message>
    <message>
        <source>默认图标</source>
        <translation>Default icons</translation>
    </message>
    <message>
        <source>使用图标</source>
        <translation>Use icons</translation>
    </message>
    <message>
        <source>文件</source>
        <translation>File</translation>
    </message>
    <message>
        <source>默认文件图标</source>
        <translation>Default file icon</translation>
    </message>
    <message>
        <source>选择默认文件图标</source>
        <translation>Choose the default file icon</translation>
    </message>
    <message>
        <source>文件夹(折叠)</source>
        <translation>Folder (closed)</translation>
    </message>
    <message>
        <source>默认文件夹图标(折叠)</source>
        <translation>Default folder icon (closed)</translation>
    </message>
    <message>
        <source>选择默认文件夹图标(折叠)</source>
        <translation>Choose the default folder icon (closed)</translation>
    </message>
    <message>
        <source>文件夹(展开)</source>
        <translation>Folder (open)</translation>
    </message>
    <message>
        <source>默认文件夹图标(展开)</source>
        <translation>Default folder icon (open)</translation>
    </message>
    <message>
        <source>选择默认文件夹图标(展开)</source>
        <translation>Choose the default folder icon (open)</translation>
    </message>
    <message>
        <source>显示提示文字</source>
        <translation>Show hints</translation>
    </message>
    <message>
        <source>显示状态栏文字</source>
        <translation>Show status texts</translation>
    </message>
    <message>
        <source>提示文字为空时，取菜单标题为提示文字</source>
        <translation>Use the title as an empty hint</translation>
    </message>
    <message>
        <source>状态栏文字为空时，取菜单标题为状态栏文字</source>
        <translation>Use the title as an empty status text</translation>
    </message>
    <message>
        <source>对选择的菜单项使用&quot;选择样式&quot;</source>
        <translation>Use the &quot;Selected&quot; style for the selected item</translation>
    </message>
</context>
<context>
    <name>StylePage</name>
    <message>
        <source>文件夹</source>
        <translation>Folders</translation>
    </message>
    <message>
        <source>普通样式:</source>
        <translation>Normal:</translation>
    </message>
    <message>
        <source>文件夹 普通样式</source>
        <translation>Folders, normal style</translation>
    </message>
    <message>
        <source>点击或按回车键打开样式对话框</source>
        <translation>Click or press Enter to open the style dialog</translation>
    </message>
    <message>
        <source>悬停样式:</source>
        <translation>Hover:</translation>
    </message>
    <message>
        <source>文件夹 悬停样式</source>
        <translation>Folders, hover style</translation>
    </message>
    <message>
        <source>选择样式:</source>
        <translation>Selected:</translation>
    </message>
    <message>
        <source>文件夹 选择样式</source>
        <translation>Folders, selected style</translation>
    </message>
    <message>
        <source>高度(pt)</source>
        <translation>Height (pt)</translation>
    </message>
    <message>
        <source>文件夹 高度(pt)</source>
        <translation>Folders, height (pt)</translation>
    </message>
    <message>
        <source>边距(pt)</source>
        <translation>Padding (pt)</translation>
    </message>
    <message>
        <source>文件夹 边距位置</source>
        <translation>Folders, padding side</translation>
    </message>
    <message>
        <source>上边距</source>
        <translation>Top</translation>
    </message>
    <message>
        <source>下边距 </source>
        <translation>Bottom</translation>
    </message>
    <message>
        <source>左边距</source>
        <translation>Left</translation>
    </message>
    <message>
        <source>右边距</source>
        <translation>Right</translation>
    </message>
    <message>
        <source>文件夹 边距(pt)</source>
        <translation>Folders, padding (pt)</translation>
    </message>
    <message>
        <source>文件</source>
        <translation>Files</translation>
    </message>
    <message>
        <source>文件 普通样式</source>
        <translation>Files, normal style</translation>
    </message>
    <message>
        <source>文件 悬停样式</source>
        <translation>Files, hover style</translation>
    </message>
    <message>
        <source>文件 选择样式</source>
        <translation>Files, selected style</translation>
    </message>
    <message>
        <source>文件 高度(pt)</source>
        <translation>Files, height (pt)</translation>
    </message>
    <message>
        <source>文件 边距位置</source>
        <translation>Files, padding side</translation>
    </message>
    <message>
        <source>文件 边距(pt)</source>
        <translation>Files, padding (pt)</translation>
    </message>
</context>
<context>
    <name>SuffixDialog</name>
    <message>
        <source>多菜单设置</source>
        <translation>Multi-Menu Settings</translation>
    </message>
    <message>
        <source>当一个页面有多个菜单时，为避免命名冲突，你需要作相关设定，为每个菜单设置不同的后缀名。(由数字或字母组成)</source>
        <translation>When a page holds several menus, give each menu a different suffix, so that their names do not clash. (Letters and digits.)</translation>
    </message>
    <message>
        <source>后缀名</source>
        <translation>Suffix</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>后缀名格式不正确</source>
        <translation>The suffix may hold only letters and digits</translation>
    </message>
</context>
<context>
    <name>sylvanode::FileChangeBar</name>
    <message>
        <source>重新载入</source>
        <translation>Reload</translation>
    </message>
    <message>
        <source>保留我的版本</source>
        <translation>Keep Mine</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>无法重新载入：%1</source>
        <translation>Cannot reload: %1</translation>
    </message>
    <message>
        <source>文件已被其他程序修改，已重新载入。撤销可以取回之前的内容。</source>
        <translation>Another program changed the file, and it was read again. Undo brings back what was there before.</translation>
    </message>
    <message>
        <source>文件已被其他程序修改。</source>
        <translation>Another program changed the file.</translation>
    </message>
    <message>
        <source>文件已从磁盘上删除。保存可以重新写入它。</source>
        <translation>The file was deleted from the disk. Save writes it again.</translation>
    </message>
</context>
<context>
    <name>sylvanode::FileCommands</name>
    <message>
        <source>保存菜单文件</source>
        <translation>Save Menu File</translation>
    </message>
    <message>
        <source>菜单方案已修改，是否保存</source>
        <translation>The menu scheme has been modified. Do you want to save it?</translation>
    </message>
    <message>
        <source>打开菜单文件</source>
        <translation>Open Menu Scheme</translation>
    </message>
    <message>
        <source>未命名</source>
        <translation>Untitled</translation>
    </message>
    <message>
        <source>另存为...</source>
        <translation>Save As</translation>
    </message>
    <message>
        <source>保存菜单方案</source>
        <translation>Save Menu Scheme</translation>
    </message>
    <message>
        <source>“%1”已被其他程序修改。保存会覆盖那些修改。</source>
        <translation>“%1” was changed by another program. Saving overwrites those changes.</translation>
    </message>
    <message>
        <source>覆盖</source>
        <translation>Overwrite</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>保存菜单方案时出错</source>
        <translation>The menu scheme could not be saved</translation>
    </message>
    <message>
        <source>导入</source>
        <translation>Import</translation>
    </message>
    <message>
        <source>选择要导入的网站文件夹</source>
        <translation>Choose the Site Folder to Import</translation>
    </message>
    <message>
        <source>无法导入 %1：%2</source>
        <translation>Cannot import %1: %2</translation>
    </message>
    <message>
        <source>导出</source>
        <translation>Export</translation>
    </message>
    <message>
        <source>请用 .html、.txt、.opml 或 .json 作文件的扩展名</source>
        <translation>Please end the file name in .html, .txt, .opml or .json</translation>
    </message>
    <message>
        <source>导出时出错：%1</source>
        <translation>The export failed: %1</translation>
    </message>
    <message>
        <source>正在导入 %1…</source>
        <translation>Importing %1…</translation>
    </message>
</context>
<context>
    <name>sylvanode::LinkCheckDialog</name>
    <message>
        <source>图标不存在：</source>
        <translation>Icon not found: </translation>
    </message>
    <message>
        <source>文件不存在：</source>
        <translation>File not found: </translation>
    </message>
    <message>
        <source>本机路径，放到服务器上无法使用：</source>
        <translation>Local path, unusable on a web server: </translation>
    </message>
    <message>
        <source>链接中含有 javascript:，应改为脚本：</source>
        <translation>javascript: in a link; make it a script: </translation>
    </message>
    <message>
        <source>链接为空</source>
        <translation>Empty link</translation>
    </message>
    <message>
        <source>链接与第 %1 项相同：</source>
        <translation>Same link as item %1: </translation>
    </message>
    <message>
        <source>外部地址，未检查：</source>
        <translation>External address, not checked: </translation>
    </message>
    <message>
        <source>文件</source>
        <translation>File</translation>
    </message>
    <message>
        <source>文件夹(折叠)</source>
        <translation>Folder (closed)</translation>
    </message>
    <message>
        <source>文件夹(展开)</source>
        <translation>Folder (open)</translation>
    </message>
    <message>
        <source>默认图标</source>
        <translation>Default icon</translation>
    </message>
    <message numerus="yes">
        <source>在 %1 中检查：%n 个问题</source>
        <translation>
            <numerusform>Checked in %1: %n problem</numerusform>
            <numerusform>Checked in %1: %n problems</numerusform>
        </translation>
    </message>
    <message>
        <source>指向网站目录之外：</source>
        <translation>Outside the site folder: </translation>
    </message>
    <message>
        <source>页面中没有这个锚点：</source>
        <translation>No such anchor in the page: </translation>
    </message>
</context>
<context>
    <name>sylvanode::LivePreview</name>
    <message>
        <source>桌面</source>
        <translation>Desktop</translation>
    </message>
    <message>
        <source>页面和预览窗格一样宽</source>
        <translation>The page as wide as the pane</translation>
    </message>
    <message>
        <source>手机</source>
        <translation>Phone</translation>
    </message>
    <message>
        <source>375 像素宽的触摸屏</source>
        <translation>A touch screen 375 pixels wide</translation>
    </message>
    <message>
        <source>从右到左</source>
        <translation>Right to Left</translation>
    </message>
    <message>
        <source>页面从右到左排列</source>
        <translation>The page laid out from right to left</translation>
    </message>
    <message>
        <source>跟随链接</source>
        <translation>Follow Links</translation>
    </message>
    <message>
        <source>在浏览器中打开预览里点击的链接</source>
        <translation>Open the links clicked in the preview in the browser</translation>
    </message>
    <message>
        <source>未命名</source>
        <translation>Untitled</translation>
    </message>
    <message>
        <source>脚本: %1</source>
        <translation>Script: %1</translation>
    </message>
    <message>
        <source>链接: %1</source>
        <translation>Link: %1</translation>
    </message>
    <message>
        <source>链接: %1 → %2</source>
        <translation>Link: %1 → %2</translation>
    </message>
</context>
<context>
    <name>sylvanode::LookGallery</name>
    <message>
        <source>经典</source>
        <translation>Classic</translation>
    </message>
    <message>
        <source>文档侧栏</source>
        <translation>Documentation sidebar</translation>
    </message>
    <message>
        <source>文件管理器</source>
        <translation>File manager</translation>
    </message>
    <message>
        <source>简洁列表</source>
        <translation>Plain list</translation>
    </message>
    <message>
        <source>深色侧栏</source>
        <translation>Dark sidebar</translation>
    </message>
    <message>
        <source>触摸大按钮</source>
        <translation>Large touch targets</translation>
    </message>
    <message>
        <source>报刊衬线</source>
        <translation>Newspaper serif</translation>
    </message>
    <message>
        <source>清新绿</source>
        <translation>Fresh green</translation>
    </message>
    <message>
        <source>边框卡片</source>
        <translation>Bordered cards</translation>
    </message>
    <message>
        <source>紧凑</source>
        <translation>Compact</translation>
    </message>
    <message>
        <source>样式库</source>
        <translation>Gallery of Looks</translation>
    </message>
    <message>
        <source>应用</source>
        <translation>Apply</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>sylvanode::PreviewPane</name>
    <message>
        <source>预览窗格在这里不可用。</source>
        <translation>The preview pane is not available here.</translation>
    </message>
    <message>
        <source>在浏览器中预览</source>
        <translation>Preview in the Browser</translation>
    </message>
</context>
<context>
    <name>sylvanode::SchemeDocument</name>
    <message>
        <source>修改菜单标题</source>
        <translation>Edit Title</translation>
    </message>
    <message>
        <source>修改提示文字</source>
        <translation>Edit Hint</translation>
    </message>
    <message>
        <source>修改状态栏文字</source>
        <translation>Edit Status Text</translation>
    </message>
    <message>
        <source>修改折叠图标</source>
        <translation>Change Closed Icon</translation>
    </message>
    <message>
        <source>修改展开图标</source>
        <translation>Change Open Icon</translation>
    </message>
    <message>
        <source>修改链接</source>
        <translation>Edit Link</translation>
    </message>
    <message>
        <source>修改目标框架</source>
        <translation>Edit Target Frame</translation>
    </message>
    <message>
        <source>修改脚本</source>
        <translation>Edit Script</translation>
    </message>
    <message>
        <source>修改点击动作</source>
        <translation>Change Click Action</translation>
    </message>
    <message>
        <source>增加根菜单</source>
        <translation>Add R&amp;oot Item</translation>
    </message>
    <message>
        <source>增加子菜单</source>
        <translation>Add &amp;Sub Item</translation>
    </message>
    <message>
        <source>删除菜单项</source>
        <translation>Delete Item</translation>
    </message>
    <message>
        <source>上移</source>
        <translation>&amp;Move Up</translation>
    </message>
    <message>
        <source>下移</source>
        <translation>Move Do&amp;wn</translation>
    </message>
    <message>
        <source>升级</source>
        <translation>Outd&amp;ent</translation>
    </message>
    <message>
        <source>降级</source>
        <translation>&amp;Indent</translation>
    </message>
    <message>
        <source>拖放菜单项</source>
        <translation>Drag and Drop Item</translation>
    </message>
    <message>
        <source>创建副本</source>
        <translation>Dup&amp;licate</translation>
    </message>
    <message>
        <source>重新载入</source>
        <translation>Reload</translation>
    </message>
</context>
<context>
    <name>sylvanode::SettingsPage</name>
    <message>
        <source>切换以标题为提示文字</source>
        <translation>Toggle Title as Hint</translation>
    </message>
    <message>
        <source>切换以标题为状态栏文字</source>
        <translation>Toggle Title as Status Text</translation>
    </message>
    <message>
        <source>切换显示提示文字</source>
        <translation>Toggle Hints</translation>
    </message>
    <message>
        <source>切换显示状态栏文字</source>
        <translation>Toggle Status Texts</translation>
    </message>
    <message>
        <source>切换使用选择样式</source>
        <translation>Toggle Selected Style</translation>
    </message>
    <message>
        <source>切换显示结点连线</source>
        <translation>Toggle Node Lines</translation>
    </message>
    <message>
        <source>选择工作目录</source>
        <translation>Choose the Work Directory</translation>
    </message>
    <message>
        <source>修改工作目录</source>
        <translation>Change Work Directory</translation>
    </message>
    <message>
        <source>结点图片目录</source>
        <translation>Node Image Directory</translation>
    </message>
    <message>
        <source>修改结点图片目录</source>
        <translation>Change Node Image Directory</translation>
    </message>
    <message>
        <source>修改默认文件图标</source>
        <translation>Change Default File Icon</translation>
    </message>
    <message>
        <source>修改默认文件夹图标</source>
        <translation>Change Default Folder Icon</translation>
    </message>
    <message>
        <source>修改默认目标框架</source>
        <translation>Change Default Target Frame</translation>
    </message>
    <message>
        <source>切换使用图标</source>
        <translation>Toggle Icons</translation>
    </message>
    <message>
        <source>修改脚本字符集</source>
        <translation>Change Script Encoding</translation>
    </message>
    <message>
        <source>修改缩进</source>
        <translation>Change Indent</translation>
    </message>
</context>
<context>
    <name>sylvanode::StylePage</name>
    <message>
        <source>修改样式</source>
        <translation>Change Style</translation>
    </message>
    <message>
        <source>修改高度</source>
        <translation>Change Height</translation>
    </message>
    <message>
        <source>修改边距</source>
        <translation>Change Padding</translation>
    </message>
</context>
<context>
    <name>sylvanode::ToolCommands</name>
    <message>
        <source>没有菜单项，终止生成代码</source>
        <translation>The menu has no items; no code was generated</translation>
    </message>
    <message>
        <source>生成脚本文件</source>
        <translation>Generate Script File</translation>
    </message>
    <message>
        <source>生成代码时出错</source>
        <translation>The code could not be generated</translation>
    </message>
    <message>
        <source>生成代码完毕</source>
        <translation>The code has been generated</translation>
    </message>
    <message>
        <source>找不到树形菜单库 %1</source>
        <translation>The tree-menu library %1 was not found</translation>
    </message>
    <message>
        <source>无法建立预览文件夹</source>
        <translation>The preview folder could not be made</translation>
    </message>
    <message>
        <source>预览时出错</source>
        <translation>The preview failed</translation>
    </message>
    <message>
        <source>没有可以打开预览页面的浏览器：</source>
        <translation>No browser could open the preview page:</translation>
    </message>
    <message>
        <source>复制路径</source>
        <translation>Copy Path</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>工作目录不存在：%1</source>
        <translation>The work directory does not exist: %1</translation>
    </message>
    <message>
        <source>找不到用户指南，它应在：</source>
        <translation>The user guide was not found. It belongs here:</translation>
    </message>
    <message>
        <source>没有可以打开用户指南的程序：</source>
        <translation>No program could open the user guide:</translation>
    </message>
</context>
<context>
    <name>sylvanode::Workspace</name>
    <message>
        <source>上次保存“%1”时被中断，这个文件可能不完整。
保存之前的内容在备份“%2”中（%3）。
保存这个文件以后，备份会被删除。</source>
        <translation>The last save of “%1” was interrupted: the file may be incomplete.
Its contents from before that save are in the backup “%2” (%3).
Saving this file removes the backup.</translation>
    </message>
    <message>
        <source>打开备份</source>
        <translation>Open Backup</translation>
    </message>
    <message>
        <source>打开文件</source>
        <translation>Open File</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
</context>
</TS>

// SPDX-License-Identifier: MIT
#include "ui/common/failure_text.h"

#include <QCoreApplication>
#include <QFile>
#include <cerrno>

#include "document/text_codec.h"

namespace sylvanode {
namespace {

// The failures' texts, one context for the translation.
struct FailureText {
    Q_DECLARE_TR_FUNCTIONS(FailureText)
};

// Paths as the file system names them; a value quoted from a file as its own bytes.
QString pathText(const std::string& path) {
    return path == "-" ? FailureText::tr("标准输入") : QFile::decodeName(QByteArray::fromStdString(path));
}
QString valueText(const std::string& value) { return messageText(value); }

QString limitText(std::int64_t bytes) {
    if (bytes >= (1 << 20) && bytes % (1 << 20) == 0)
        return QString::number(bytes >> 20) + QStringLiteral(" MiB");
    return FailureText::tr("%1 字节").arg(bytes);
}

QString formatName(DataFormat kind) {
    switch (kind) {
        case DataFormat::Any:
            break;
        case DataFormat::Page:
            return FailureText::tr("HTML 网页");
        case DataFormat::Markdown:
            return FailureText::tr("Markdown 文件");
        case DataFormat::Outline:
            return FailureText::tr("大纲");
        case DataFormat::Sitemap:
            return FailureText::tr("站点地图");
        case DataFormat::Opml:
            return FailureText::tr("OPML 文件");
        case DataFormat::Json:
            return FailureText::tr("JSON 菜单");
    }
    return FailureText::tr("网页、大纲或菜单文件");
}

QString noItemsText(DataFormat kind) {
    switch (kind) {
        case DataFormat::Page:
            return FailureText::tr("列表中没有菜单项");
        case DataFormat::Outline:
            return FailureText::tr("大纲中没有菜单项");
        case DataFormat::Sitemap:
            return FailureText::tr("站点地图中没有网址");
        case DataFormat::Opml:
            return FailureText::tr("OPML 大纲中没有菜单项");
        case DataFormat::Json:
            return FailureText::tr("菜单中没有菜单项");
        case DataFormat::Markdown:
        case DataFormat::Any:
            break;
    }
    return FailureText::tr("没有找到菜单项");
}

QString fileTypeText(FileType type) {
    switch (type) {
        case FileType::Folder:
            return FailureText::tr("它是文件夹");
        case FileType::Pipe:
            return FailureText::tr("它是管道");
        case FileType::Device:
            return FailureText::tr("它是设备");
        case FileType::DiskDevice:
            return FailureText::tr("它是磁盘设备");
        case FileType::Socket:
            return FailureText::tr("它是套接字");
        case FileType::Other:
            break;
    }
    return FailureText::tr("它不是普通文件");
}

QString jsonProblemText(const Failure& f) {
    switch (f.jsonProblem) {
        case JsonProblem::ExpectedSeparator:
            return FailureText::tr("这里应为 , 或 %1").arg(valueText(f.value));
        case JsonProblem::ExpectedKey:
            return FailureText::tr("这里应为键名");
        case JsonProblem::ExpectedColon:
            return FailureText::tr("这里应为 :");
        case JsonProblem::EndsEarly:
            return FailureText::tr("文字提前结束");
        case JsonProblem::TooManyValues:
            return FailureText::tr("值太多，无法导入");
        case JsonProblem::BadString:
            return FailureText::tr("字符串不正确");
        case JsonProblem::ExpectedValue:
            return FailureText::tr("这里应为一个值");
        case JsonProblem::TextAfterEnd:
            return FailureText::tr("结尾之后还有文字");
        case JsonProblem::TooLarge:
            return FailureText::tr("文字太长");
        case JsonProblem::NotUtf8:
            return FailureText::tr("文字不是 UTF-8");
        case JsonProblem::None:
            break;
    }
    return FailureText::tr("不是 JSON");
}

QString selectorProblemText(SelectorProblem problem) {
    switch (problem) {
        case SelectorProblem::Unexpected:
            return FailureText::tr("意外的字符");
        case SelectorProblem::SelectorMissing:
            return FailureText::tr("缺少选择器");
        case SelectorProblem::NameMissing:
            return FailureText::tr("# 或 . 之后要有名字");
        case SelectorProblem::PseudoClass:
            return FailureText::tr("不支持伪类");
        case SelectorProblem::NoAttributeName:
            return FailureText::tr("[ 之后要有属性名");
        case SelectorProblem::ExpectedEqualsOrBracket:
            return FailureText::tr("这里应为 = 或 ]");
        case SelectorProblem::UnclosedQuote:
            return FailureText::tr("引号中的值没有结束");
        case SelectorProblem::NoValue:
            return FailureText::tr("= 之后要有值");
        case SelectorProblem::ExpectedBracket:
            return FailureText::tr("这里应为 ]");
        case SelectorProblem::None:
            break;
    }
    return FailureText::tr("不支持");
}

// The cause part of a file failure: what is wrong with the file.
QString fileCause(const Failure& f) {
    switch (f.kind) {
        case FailureKind::FolderInTheWay:
            return FailureText::tr("已有同名的文件");
        case FailureKind::BackupKept:
            return FailureText::tr("%1；原来的内容保存在 %2")
                .arg(systemErrorText(f.error), valueText(f.value));
        case FailureKind::NotRegularFile:
            return fileTypeText(f.fileType);
        case FailureKind::TooLarge:
            return FailureText::tr("文件大于 %1").arg(limitText(f.number));
        case FailureKind::NoSuchFolder:
            return FailureText::tr("文件夹不存在");
        case FailureKind::ReadOnly:
            if (f.error == EROFS) return FailureText::tr("文件在只读的文件系统上");
            if (f.error != 0) return FailureText::tr("你没有写这个文件的权限");
            return FailureText::tr("文件是只读的");
        case FailureKind::SetIdFile:
            return FailureText::tr("它是别人的 set-user-ID 或 set-group-ID 文件，保存会改变它");
        case FailureKind::NoPipeReader:
            return FailureText::tr("没有程序在读这个管道");
        case FailureKind::SaveBusy:
            return FailureText::tr("另一个程序正在保存它");
        case FailureKind::ChangedOnDisk:
            return FailureText::tr("另一个程序改动了它");
        case FailureKind::NotLocked:
            return FailureText::tr("它没有为保存而加锁");
        case FailureKind::OutOfMemory:
            return FailureText::tr("内存不足");
        default:
            return systemErrorText(f.error);
    }
}

// The head of a file failure, naming the file: "cannot write {path}". Empty for other kinds.
QString fileHead(const Failure& f, const QString& path) {
    switch (f.kind) {
        case FailureKind::CannotOpen:
            return FailureText::tr("无法打开 %1").arg(path);
        case FailureKind::CannotRead:
        case FailureKind::TooLarge:
            return FailureText::tr("无法读取 %1").arg(path);
        case FailureKind::CannotWrite:
        case FailureKind::BackupKept:
        case FailureKind::NoSuchFolder:
        case FailureKind::ReadOnly:
        case FailureKind::SetIdFile:
        case FailureKind::NoPipeReader:
        case FailureKind::SaveBusy:
        case FailureKind::ChangedOnDisk:
        case FailureKind::NotLocked:
            return FailureText::tr("无法写入 %1").arg(path);
        case FailureKind::CannotReplace:
            return FailureText::tr("无法替换 %1").arg(path);
        case FailureKind::CannotCreateIn:
            return FailureText::tr("无法在 %1 中创建文件").arg(path);
        case FailureKind::CannotCreateFolder:
        case FailureKind::FolderInTheWay:
            return FailureText::tr("无法创建文件夹 %1").arg(path);
        case FailureKind::CannotReadFolder:
            return FailureText::tr("无法读取文件夹 %1").arg(path);
        case FailureKind::CannotBackUp:
            return FailureText::tr("无法为 %1 做备份").arg(path);
        case FailureKind::NotRegularFile:
            return FailureText::tr("无法使用 %1").arg(path);
        case FailureKind::OutOfMemory:
            return path;
        default:
            return {};
    }
}

// The sentences of the failures that are not about one file.
QString otherText(const Failure& f) {
    const QString item = QString::number(f.item);
    switch (f.kind) {
        case FailureKind::NoFileName:
            return FailureText::tr("没有给出文件名");
        case FailureKind::SchemeNoCount:
            return FailureText::tr("[Config] 中没有菜单项个数");
        case FailureKind::SchemeNoLevel:
            return FailureText::tr("第 %1 项：[MenuLevel] 中没有它的层次").arg(item);
        case FailureKind::SchemeBadLevel:
            return FailureText::tr("第 %1 项：[MenuLevel] 中的层次“%2”不是 0 或更大的数")
                .arg(item, valueText(f.value));
        case FailureKind::SchemeLevelGap:
            return FailureText::tr("第 %1 项：层次 %2 与前面的菜单项接不上")
                .arg(item, QString::number(f.number));
        case FailureKind::ImportTooLarge:
            return FailureText::tr("文件太大，无法导入（超过 %1）").arg(limitText(f.number));
        case FailureKind::UnknownCharset:
            return FailureText::tr("未知的字符集 %1").arg(valueText(f.value));
        case FailureKind::BinaryData:
            return FailureText::tr("不是%1（二进制数据）").arg(formatName(f.format));
        case FailureKind::NotUtf8:
            return FailureText::tr("不是%1（文字不是 UTF-8）").arg(formatName(f.format));
        case FailureKind::NothingToRead:
            return FailureText::tr("不是%1（没有可读的内容）").arg(formatName(f.format));
        case FailureKind::NotWellFormed:
            return FailureText::tr("不是%1（XML 格式不正确）").arg(formatName(f.format));
        case FailureKind::MissingElement:
            return FailureText::tr("不是%1（没有 <%2>）").arg(formatName(f.format), valueText(f.value));
        case FailureKind::SitemapIndex:
            return FailureText::tr("这是站点地图索引：请导入它列出的某个站点地图");
        case FailureKind::NoItems:
            return noItemsText(f.format);
        case FailureKind::NoList:
            return FailureText::tr("网页中没有列表（<ul> 或 <ol>）");
        case FailureKind::NothingMatches:
            return FailureText::tr("网页中没有与“%1”相符的内容").arg(valueText(f.value));
        case FailureKind::NoListInSelection:
            return FailureText::tr("“%1”中没有列表或链接").arg(valueText(f.value));
        case FailureKind::FramesWithoutMenu:
            if (f.value.empty()) return FailureText::tr("这是框架集网页，本身没有菜单");
            return FailureText::tr("这是框架集网页，它的框架（%1）中都没有菜单").arg(valueText(f.value));
        case FailureKind::NotAFolder:
            return FailureText::tr("不是文件夹");
        case FailureKind::IsAFolder:
            if (f.value.empty()) return FailureText::tr("它是文件夹");
            return FailureText::tr("它是文件夹；--from %1 读的是文件").arg(valueText(f.value));
        case FailureKind::TooManyPages:
            return FailureText::tr("文件夹中的网页超过 %1 个").arg(QString::number(f.number));
        case FailureKind::NoPages:
            return FailureText::tr("文件夹中没有 .html 或 .htm 网页");
        case FailureKind::EntitiesRefused:
            return FailureText::tr("文件声明了 XML 实体，不予读取");
        case FailureKind::Cancelled:
            return FailureText::tr("导入已取消");
        case FailureKind::JsonSyntax:
            return FailureText::tr("不是 JSON 菜单（第 %1 行：%2）")
                .arg(QString::number(f.number), jsonProblemText(f));
        case FailureKind::JsonNoItems:
            return FailureText::tr("不是 JSON 菜单（没有菜单项列表）");
        case FailureKind::BadSelector:
            return FailureText::tr("无法识别的选择器“%1”（第 %3 个字符处%2）")
                .arg(valueText(f.value), selectorProblemText(f.selectorProblem), item);
        case FailureKind::OutlineTooDeep:
            return FailureText::tr("树的层次太深，无法写成缩进大纲");
        case FailureKind::NoRootFolder:
            if (f.path.empty()) return FailureText::tr("没有用来检查链接的文件夹");
            return FailureText::tr("用来检查链接的文件夹不存在：%1").arg(pathText(f.path));
        case FailureKind::NotPreviewPage:
            return FailureText::tr("%1 已存在，且不是预览页；请选择别的目录").arg(pathText(f.path));
        case FailureKind::ForeignFiles:
            return FailureText::tr("%1 中已有 %2，不是预览写的；请选择别的目录")
                .arg(pathText(f.path), valueText(f.value));
        case FailureKind::None:
            return {};
        default:
            return FailureText::tr("失败");
    }
}

}  // namespace

QString systemErrorText(int error) {
    switch (error) {
        case 0:
            return FailureText::tr("原因不明");
        case EACCES:
        case EPERM:
            return FailureText::tr("没有权限");
        case ENOENT:
            return FailureText::tr("没有这个文件或文件夹");
        case EROFS:
            return FailureText::tr("只读文件系统");
        case ENOSPC:
            return FailureText::tr("磁盘已满");
        case EDQUOT:
            return FailureText::tr("超出磁盘配额");
        case EISDIR:
            return FailureText::tr("它是文件夹");
        case ENOTDIR:
            return FailureText::tr("路径中有一部分不是文件夹");
        case EEXIST:
            return FailureText::tr("它已经存在");
        case ENOTEMPTY:
            return FailureText::tr("文件夹不是空的");
        case ENAMETOOLONG:
            return FailureText::tr("名字太长");
        case ELOOP:
            return FailureText::tr("符号链接太多");
        case EMFILE:
        case ENFILE:
            return FailureText::tr("打开的文件太多");
        case EIO:
            return FailureText::tr("输入输出错误");
        case EXDEV:
            return FailureText::tr("它在另一个文件系统上");
        case EBUSY:
            return FailureText::tr("文件或设备正忙");
        case ETXTBSY:
            return FailureText::tr("文件正在使用中");
        case ENOMEM:
            return FailureText::tr("内存不足");
        case EFBIG:
            return FailureText::tr("文件太大");
        case EPIPE:
            return FailureText::tr("读取的程序关闭了管道");
        case ENXIO:
        case ENODEV:
            return FailureText::tr("没有这个设备");
        case EAGAIN:
            return FailureText::tr("资源暂时不可用，请再试一次");
        case EINVAL:
            return FailureText::tr("参数无效");
        case ESTALE:
            return FailureText::tr("网络文件系统上的这个文件已不存在");
        case EOPNOTSUPP:
            return FailureText::tr("文件系统不支持这个操作");
        case ETIMEDOUT:
            return FailureText::tr("超时");
        case EINTR:
            return FailureText::tr("被中断");
        case EBADF:
            return FailureText::tr("文件描述符无效");
        case ECONNREFUSED:
        case EHOSTUNREACH:
        case ENETUNREACH:
            return FailureText::tr("无法连接网络");
        default:
            break;
    }
    // Not the system's own text, which is English whatever the language chosen: the name.
    return FailureText::tr("系统错误 %1（%2）")
        .arg(QString::fromStdString(errnoName(error)), QString::number(error));
}

QString failureReason(const Failure& f) {
    if (!isFileFailure(f.kind)) return otherText(f);
    if (f.path.empty()) return fileCause(f);
    return FailureText::tr("%1：%2").arg(fileHead(f, pathText(f.path)), fileCause(f));
}

QString failureReason(const IoResult& result) { return failureReason(result.failure); }

QString failureReason(const SchemeResult& result) { return failureReason(result.failure); }

QString withReason(const QString& text, const QString& reason) {
    return reason.isEmpty() ? text : text + QLatin1Char('\n') + reason;
}

}  // namespace sylvanode

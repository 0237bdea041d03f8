// SPDX-License-Identifier: MIT
#include "cli/failure_text.h"

#include <cerrno>
#include <cstring>

#include "cli/catalogue.h"

namespace sylvanode::cli {
namespace {

std::string limitText(std::int64_t bytes, Language language) {
    if (bytes >= (1 << 20) && bytes % (1 << 20) == 0) return std::to_string(bytes >> 20) + " MiB";
    return format("{1} bytes", language, {std::to_string(bytes)});
}

std::string formatName(DataFormat kind, Language language) {
    switch (kind) {
        case DataFormat::Any:
            break;
        case DataFormat::Page:
            return format("an HTML page", language);
        case DataFormat::Markdown:
            return format("a Markdown file", language);
        case DataFormat::Outline:
            return format("an outline", language);
        case DataFormat::Sitemap:
            return format("a sitemap", language);
        case DataFormat::Opml:
            return format("an OPML file", language);
        case DataFormat::Json:
            return format("a menu in JSON", language);
    }
    return format("a page, outline or menu file", language);
}

std::string noItemsText(DataFormat kind, Language language) {
    switch (kind) {
        case DataFormat::Page:
            return format("the list has no items", language);
        case DataFormat::Outline:
            return format("the outline has no items", language);
        case DataFormat::Sitemap:
            return format("the sitemap lists no addresses", language);
        case DataFormat::Opml:
            return format("the OPML outline has no items", language);
        case DataFormat::Json:
            return format("the menu has no items", language);
        case DataFormat::Markdown:
        case DataFormat::Any:
            break;
    }
    return format("no items found", language);
}

std::string fileTypeText(FileType type, Language language) {
    switch (type) {
        case FileType::Folder:
            return format("it is a folder", language);
        case FileType::Pipe:
            return format("it is a pipe", language);
        case FileType::Device:
            return format("it is a device", language);
        case FileType::DiskDevice:
            return format("it is a disk device", language);
        case FileType::Socket:
            return format("it is a socket", language);
        case FileType::Other:
            break;
    }
    return format("it is not a regular file", language);
}

std::string jsonProblemText(const Failure& f, Language language) {
    switch (f.jsonProblem) {
        case JsonProblem::ExpectedSeparator:
            return format("expected , or {1}", language, {f.value});
        case JsonProblem::ExpectedKey:
            return format("expected a key", language);
        case JsonProblem::ExpectedColon:
            return format("expected :", language);
        case JsonProblem::EndsEarly:
            return format("the text ends too early", language);
        case JsonProblem::TooManyValues:
            return format("too many values to import", language);
        case JsonProblem::BadString:
            return format("a bad string", language);
        case JsonProblem::ExpectedValue:
            return format("expected a value", language);
        case JsonProblem::TextAfterEnd:
            return format("text after the end", language);
        case JsonProblem::TooLarge:
            return format("the text is too large", language);
        case JsonProblem::NotUtf8:
            return format("the text is not UTF-8", language);
        case JsonProblem::None:
            break;
    }
    return format("not JSON", language);
}

std::string selectorProblemText(SelectorProblem problem, Language language) {
    switch (problem) {
        case SelectorProblem::Unexpected:
            return format("an unexpected character", language);
        case SelectorProblem::SelectorMissing:
            return format("a selector is missing", language);
        case SelectorProblem::NameMissing:
            return format("a name must follow # or .", language);
        case SelectorProblem::PseudoClass:
            return format("pseudo-classes are not supported", language);
        case SelectorProblem::NoAttributeName:
            return format("an attribute name must follow [", language);
        case SelectorProblem::ExpectedEqualsOrBracket:
            return format("expected = or ]", language);
        case SelectorProblem::UnclosedQuote:
            return format("a quoted value does not end", language);
        case SelectorProblem::NoValue:
            return format("a value must follow =", language);
        case SelectorProblem::ExpectedBracket:
            return format("expected ]", language);
        case SelectorProblem::None:
            break;
    }
    return format("not supported", language);
}

// The cause part of a file failure: what is wrong with the file.
std::string fileCause(const Failure& f, Language language) {
    switch (f.kind) {
        case FailureKind::FolderInTheWay:
            return format("a file of that name is in the way", language);
        case FailureKind::BackupKept:
            return format("{1}; its old contents are in {2}", language,
                          {systemErrorText(f.error, language), f.value});
        case FailureKind::NotRegularFile:
            return fileTypeText(f.fileType, language);
        case FailureKind::TooLarge:
            return format("it is larger than {1}", language, {limitText(f.number, language)});
        case FailureKind::NoSuchFolder:
            return format("no such folder", language);
        case FailureKind::ReadOnly:
            if (f.error == EROFS) return format("the file is on a read-only file system", language);
            if (f.error != 0) return format("the file is read-only for you (permission denied)", language);
            return format("the file is read-only", language);
        case FailureKind::SetIdFile:
            return format(
                "it is a set-user-ID or set-group-ID file of another owner, which saving would change",
                language);
        case FailureKind::NoPipeReader:
            return format("no program is reading from the pipe", language);
        case FailureKind::SaveBusy:
            return format("another program is saving it", language);
        case FailureKind::ChangedOnDisk:
            return format("another program changed it", language);
        case FailureKind::NotLocked:
            return format("it is not locked for saving", language);
        case FailureKind::OutOfMemory:
            return format("out of memory", language);
        default:
            return systemErrorText(f.error, language);
    }
}

// The head of a file failure, naming the file: "cannot write {path}". Empty for other kinds.
std::string fileHead(const Failure& f, const std::string& path, Language language) {
    switch (f.kind) {
        case FailureKind::CannotOpen:
            return format("cannot open {1}", language, {path});
        case FailureKind::CannotRead:
        case FailureKind::TooLarge:
            return format("cannot read {1}", language, {path});
        case FailureKind::CannotWrite:
        case FailureKind::BackupKept:
        case FailureKind::NoSuchFolder:
        case FailureKind::ReadOnly:
        case FailureKind::SetIdFile:
        case FailureKind::NoPipeReader:
        case FailureKind::SaveBusy:
        case FailureKind::ChangedOnDisk:
        case FailureKind::NotLocked:
            return format("cannot write {1}", language, {path});
        case FailureKind::CannotReplace:
            return format("cannot replace {1}", language, {path});
        case FailureKind::CannotCreateIn:
            return format("cannot create a file in {1}", language, {path});
        case FailureKind::CannotCreateFolder:
        case FailureKind::FolderInTheWay:
            return format("cannot create the folder {1}", language, {path});
        case FailureKind::CannotReadFolder:
            return format("cannot read the folder {1}", language, {path});
        case FailureKind::CannotBackUp:
            return format("cannot make a backup copy of {1}", language, {path});
        case FailureKind::NotRegularFile:
            return format("cannot use {1}", language, {path});
        case FailureKind::OutOfMemory:
            return path;
        default:
            return {};
    }
}

// The sentences of the failures that are not about one file.
std::string otherText(const Failure& f, Language language) {
    const std::string item = std::to_string(f.item);
    switch (f.kind) {
        case FailureKind::NoFileName:
            return format("no file name given", language);
        case FailureKind::SchemeNoCount:
            return format("[Config] has no item count", language);
        case FailureKind::SchemeNoLevel:
            return format("item {1}: [MenuLevel] has no level", language, {item});
        case FailureKind::SchemeBadLevel:
            return format("item {1}: level \"{2}\" in [MenuLevel] is not a level of 0 or more", language,
                          {item, f.value});
        case FailureKind::SchemeLevelGap:
            return format("item {1}: level {2} does not fit the items before it", language,
                          {item, std::to_string(f.number)});
        case FailureKind::ImportTooLarge:
            return format("the file is too large to import (more than {1})", language,
                          {limitText(f.number, language)});
        case FailureKind::UnknownCharset:
            return format("unknown character set {1}", language, {f.value});
        case FailureKind::BinaryData:
            return format("not {1} (binary data)", language, {formatName(f.format, language)});
        case FailureKind::NotUtf8:
            return format("not {1} (the text is not UTF-8)", language, {formatName(f.format, language)});
        case FailureKind::NothingToRead:
            return format("not {1} (nothing to read)", language, {formatName(f.format, language)});
        case FailureKind::NotWellFormed:
            return format("not {1} (not well-formed XML)", language, {formatName(f.format, language)});
        case FailureKind::MissingElement:
            return format("not {1} (no <{2}>)", language, {formatName(f.format, language), f.value});
        case FailureKind::SitemapIndex:
            return format("a sitemap index: import one of the sitemaps it lists", language);
        case FailureKind::NoItems:
            return noItemsText(f.format, language);
        case FailureKind::NoList:
            return format("no list (<ul> or <ol>) found in the page", language);
        case FailureKind::NothingMatches:
            return format("nothing in the page matches \"{1}\"", language, {f.value});
        case FailureKind::NoListInSelection:
            return format("no list or link inside \"{1}\"", language, {f.value});
        case FailureKind::FramesWithoutMenu:
            if (f.value.empty()) return format("a frameset page without a menu of its own", language);
            return format("a frameset page, and none of its frames ({1}) holds a menu", language, {f.value});
        case FailureKind::NotAFolder:
            return format("not a folder", language);
        case FailureKind::IsAFolder:
            if (f.value.empty()) return format("it is a folder", language);
            return format("it is a folder; --from {1} reads a file", language, {f.value});
        case FailureKind::TooManyPages:
            return format("the folder holds more than {1} pages", language, {std::to_string(f.number)});
        case FailureKind::NoPages:
            return format("no .html or .htm pages in the folder", language);
        case FailureKind::EntitiesRefused:
            return format("the file declares XML entities, which are not read", language);
        case FailureKind::Cancelled:
            return format("the import was cancelled", language);
        case FailureKind::JsonSyntax:
            return format("not a menu in JSON (line {1}: {2})", language,
                          {std::to_string(f.number), jsonProblemText(f, language)});
        case FailureKind::JsonNoItems:
            return format("not a menu in JSON (no list of items)", language);
        case FailureKind::BadSelector:
            return format("not a selector this tool reads: \"{1}\" ({2} at character {3})", language,
                          {f.value, selectorProblemText(f.selectorProblem, language), item});
        case FailureKind::OutlineTooDeep:
            return format("the tree is too deep to write as an indented outline", language);
        case FailureKind::NoRootFolder:
            if (f.path.empty()) return format("no folder to check against", language);
            return format("the folder to check against does not exist: {1}", language, {f.path});
        case FailureKind::NotPreviewPage:
            return format("{1} exists and is not a preview page; choose another directory", language,
                          {f.path});
        case FailureKind::ForeignFiles:
            return format("{1} already holds {2}, not written by a preview; choose another directory",
                          language, {f.path, f.value});
        case FailureKind::None:
            return {};
        default:
            return format("failed", language);
    }
}

}  // namespace

std::string systemErrorText(int error, Language language) {
    switch (error) {
        case 0:
            return format("the cause is not known", language);
        case EACCES:
        case EPERM:
            return format("permission denied", language);
        case ENOENT:
            return format("no such file or folder", language);
        case EROFS:
            return format("read-only file system", language);
        case ENOSPC:
            return format("disk full", language);
        case EDQUOT:
            return format("disk quota exceeded", language);
        case EISDIR:
            return format("it is a folder", language);
        case ENOTDIR:
            return format("a part of the path is not a folder", language);
        case EEXIST:
            return format("it already exists", language);
        case ENOTEMPTY:
            return format("the folder is not empty", language);
        case ENAMETOOLONG:
            return format("the name is too long", language);
        case ELOOP:
            return format("too many symbolic links", language);
        case EMFILE:
        case ENFILE:
            return format("too many open files", language);
        case EIO:
            return format("input/output error", language);
        case EXDEV:
            return format("it is on another file system", language);
        case EBUSY:
            return format("the file or device is busy", language);
        case ETXTBSY:
            return format("the file is in use", language);
        case ENOMEM:
            return format("out of memory", language);
        case EFBIG:
            return format("the file is too large", language);
        case EPIPE:
            return format("the reading program has closed the pipe", language);
        case ENXIO:
        case ENODEV:
            return format("no such device", language);
        case EAGAIN:
            return format("the resource is busy for now; try again", language);
        case EINVAL:
            return format("invalid argument", language);
        case ESTALE:
            return format("the file on the network file system is no longer there", language);
        case EOPNOTSUPP:
            return format("the file system does not support it", language);
        case ETIMEDOUT:
            return format("timed out", language);
        case EINTR:
            return format("interrupted", language);
        case EBADF:
            return format("bad file descriptor", language);
        case ECONNREFUSED:
        case EHOSTUNREACH:
        case ENETUNREACH:
            return format("the network cannot be reached", language);
        default:
            break;
    }
    // The system's own texts are English (the process runs in the C locale's messages):
    // a Chinese message shows the error's name and number instead.
    if (language == Language::Chinese)
        return format("system error {1} ({2})", language, {errnoName(error), std::to_string(error)});
    std::string text = std::strerror(error);
    if (!text.empty() && text[0] >= 'A' && text[0] <= 'Z') text[0] = static_cast<char>(text[0] - 'A' + 'a');
    return text;
}

std::string failureText(const Failure& f, Language language) {
    if (!isFileFailure(f.kind)) return otherText(f, language);
    if (f.path.empty()) return fileCause(f, language);
    const std::string path = f.path == "-" ? format("standard input", language) : f.path;
    return format("{1}: {2}", language, {fileHead(f, path, language), fileCause(f, language)});
}

std::string schemeFailureText(const SchemeResult& result, std::string_view file, Language language) {
    if (result.ioError) return failureText(result.failure, language);
    return format("invalid menu scheme: {1}: {2}", language, {file, failureText(result.failure, language)});
}

std::string importFailureText(std::string_view source, const Failure& failure, Language language) {
    return format("import: {1}: {2}", language, {source, failureText(failure, language)});
}

std::string exportFailureText(const Failure& failure, Language language) {
    return format("export: {1}", language, {failureText(failure, language)});
}

std::string linkCheckFailureText(const Failure& failure, bool rootGiven, Language language) {
    const std::string why = failureText(failure, language);
    return rootGiven ? format("links: {1}", language, {why})
                     : format("links: {1} (give --root DIR)", language, {why});
}

std::string previewFailureText(const Failure& failure, Language language) {
    const std::string why = failureText(failure, language);
    return failure.kind == FailureKind::ForeignFiles ? format("{1} or use --force", language, {why}) : why;
}

}  // namespace sylvanode::cli

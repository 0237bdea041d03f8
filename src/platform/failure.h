// SPDX-License-Identifier: MIT
#pragma once

// A failure as the core reports it: what went wrong, as a kind, and its details (the file,
// the system's error number, the item, the value read). The core words no sentences; each
// frontend turns a failure into a sentence in the user's language (cli/failure_text.h,
// ui/common/failure_text.h), so no message mixes two languages.

#include <cstdint>
#include <iosfwd>
#include <string>
#include <string_view>

namespace sylvanode {

enum class FailureKind : std::uint8_t {
    None,

    // Files and input: `path` is the file (or a name such as "standard input"), `error` the
    // errno of the call that failed (0 when there was none).
    CannotOpen,            // opening for reading failed
    CannotRead,            // reading failed
    CannotWrite,           // writing failed
    CannotReplace,         // renaming the written copy over the file failed
    CannotCreateIn,        // no new file can be made in the folder `path`
    CannotCreateFolder,    // the folder `path` (or one above it) cannot be made
    FolderInTheWay,        // a file is where the folder `path` should be made
    CannotReadFolder,      // the folder `path` cannot be listed
    CannotBackUp,          // the backup copy of `path` cannot be made
    BackupKept,            // writing failed and the old contents are in the file `value`
    NotRegularFile,        // `path` is a `fileType`, not a file: it is not read or written
    TooLarge,              // `path` is larger than `number` bytes
    NoSuchFolder,          // the folder of `path` does not exist
    ReadOnly,              // `path` may not be written: `error` is EROFS, EACCES, or 0 (no write bit)
    SetIdFile,             // a set-user-ID or set-group-ID file of another owner
    NoPipeReader,          // `path` is a pipe nobody reads
    SaveBusy,              // another program is saving `path`
    ChangedOnDisk,         // `path` changed since it was read, and the user chose to keep it
    NotLocked,             // `path` was written without its save lock (a fault of the caller)
    NoFileName,            // no file name was given
    OutOfMemory,           // an allocation failed (`path` when it was about a file)

    // Scheme files: `item` is the item's number.
    SchemeNoCount,         // [Config] has no item count
    SchemeNoLevel,         // the item has no level in [MenuLevel]
    SchemeBadLevel,        // the item's level `value` is not a number of 0 or more
    SchemeLevelGap,        // the item's level `number` does not fit the items before it

    // Import. `format` is what the file was read as.
    ImportTooLarge,        // larger than `number` bytes
    UnknownCharset,        // the character set `value` is not known
    BinaryData,            // the file holds binary data
    NotUtf8,               // the text is not UTF-8
    NothingToRead,         // the page is empty
    NotWellFormed,         // not well-formed XML
    MissingElement,        // the element `value` (e.g. "urlset") is missing
    SitemapIndex,          // a sitemap index instead of a sitemap
    NoItems,               // the file holds no items
    NoList,                // a page without a list
    NothingMatches,        // nothing in the page matches the selector `value`
    NoListInSelection,     // the part selected by `value` holds no list or link
    FramesWithoutMenu,     // a frameset page without a menu; none of its frames (`value`, a list) has one
    NotAFolder,            // `path` (when given) is not a folder
    IsAFolder,             // a folder given where the kind `value` reads a file
    TooManyPages,          // the folder holds more than `number` pages
    NoPages,               // no .html or .htm page in the folder
    EntitiesRefused,       // the XML file declares entities
    Cancelled,             // the user stopped it
    JsonSyntax,            // not JSON: `jsonProblem` in line `number` (`value` the expected mark)
    JsonNoItems,           // JSON, but no list of items in it
    BadSelector,           // the CSS selector `value` is not read: `selectorProblem` at character `item`

    // Export, link check, preview.
    OutlineTooDeep,        // the tree is too deep for an indented outline
    NoRootFolder,          // the folder `path` to check links against does not exist (empty: none given)
    NotPreviewPage,        // the file `path` exists and is not a preview page
    ForeignFiles,          // the folder `path` holds files (`value`, a list) that a preview did not write
};

// What a file is when it is not a regular file.
enum class FileType : std::uint8_t { Other, Folder, Pipe, Device, DiskDevice, Socket };

// What a file was read as, for the import failures.
enum class DataFormat : std::uint8_t { Any, Page, Markdown, Outline, Sitemap, Opml, Json };

// The problem in a JSON text.
enum class JsonProblem : std::uint8_t {
    None, ExpectedSeparator, ExpectedKey, ExpectedColon, EndsEarly, TooManyValues, BadString,
    ExpectedValue, TextAfterEnd, TooLarge, NotUtf8
};

// The problem in a CSS selector.
enum class SelectorProblem : std::uint8_t {
    None, Unexpected, SelectorMissing, NameMissing, PseudoClass, NoAttributeName, ExpectedEqualsOrBracket,
    UnclosedQuote, NoValue, ExpectedBracket
};

struct Failure {
    FailureKind kind = FailureKind::None;
    std::string path;       // the file or folder concerned, as the caller named it
    int error = 0;          // the system's errno, 0 when none
    std::int64_t item = 0;  // an item's number (scheme files), a place in a text
    std::int64_t number = 0;  // a level, a line, a limit in bytes or pages
    std::string value;      // a value read, a selector, a list of names (UTF-8 or as read)
    FileType fileType = FileType::Other;
    DataFormat format = DataFormat::Any;
    JsonProblem jsonProblem = JsonProblem::None;
    SelectorProblem selectorProblem = SelectorProblem::None;

    explicit operator bool() const { return kind != FailureKind::None; }

    static Failure of(FailureKind kind, std::string path = {}, int error = 0) {
        Failure f;
        f.kind = kind;
        f.path = std::move(path);
        f.error = error;
        return f;
    }
    Failure withValue(std::string v) && {
        value = std::move(v);
        return std::move(*this);
    }
    Failure withNumber(std::int64_t n) && {
        number = n;
        return std::move(*this);
    }
    Failure withItem(std::int64_t i) && {
        item = i;
        return std::move(*this);
    }
    Failure withFormat(DataFormat f) && {
        format = f;
        return std::move(*this);
    }
};

// True for the kinds about one file, whose message is "<what failed> <path>: <cause>".
constexpr bool isFileFailure(FailureKind kind) {
    return kind >= FailureKind::CannotOpen && kind <= FailureKind::OutOfMemory && kind != FailureKind::NoFileName;
}

// The kind's stable name ("cannot-open", "scheme-no-level"), for logs, test output and the
// data the tools write; never shown as a message.
std::string_view failureKindName(FailureKind kind);
// A failure in one line of stable names and details, for logs and test output:
// "cannot-write path=/x/a.menu errno=EACCES". Not a message for users.
std::string failureSummary(const Failure& failure);
// Writes failureSummary().
std::ostream& operator<<(std::ostream& out, const Failure& failure);
// The errno's symbolic name ("ENOENT"), or its number as text when it has none.
std::string errnoName(int error);

}  // namespace sylvanode

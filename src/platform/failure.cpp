// SPDX-License-Identifier: MIT
#include "platform/failure.h"

#include <cstring>
#include <ostream>

namespace sylvanode {

std::string_view failureKindName(FailureKind kind) {
    switch (kind) {
        case FailureKind::None:
            return "none";
        case FailureKind::CannotOpen:
            return "cannot-open";
        case FailureKind::CannotRead:
            return "cannot-read";
        case FailureKind::CannotWrite:
            return "cannot-write";
        case FailureKind::CannotReplace:
            return "cannot-replace";
        case FailureKind::CannotCreateIn:
            return "cannot-create-in";
        case FailureKind::CannotCreateFolder:
            return "cannot-create-folder";
        case FailureKind::FolderInTheWay:
            return "folder-in-the-way";
        case FailureKind::CannotReadFolder:
            return "cannot-read-folder";
        case FailureKind::CannotBackUp:
            return "cannot-back-up";
        case FailureKind::BackupKept:
            return "backup-kept";
        case FailureKind::NotRegularFile:
            return "not-regular-file";
        case FailureKind::TooLarge:
            return "too-large";
        case FailureKind::NoSuchFolder:
            return "no-such-folder";
        case FailureKind::ReadOnly:
            return "read-only";
        case FailureKind::SetIdFile:
            return "set-id-file";
        case FailureKind::NoPipeReader:
            return "no-pipe-reader";
        case FailureKind::SaveBusy:
            return "save-busy";
        case FailureKind::ChangedOnDisk:
            return "changed-on-disk";
        case FailureKind::NotLocked:
            return "not-locked";
        case FailureKind::NoFileName:
            return "no-file-name";
        case FailureKind::OutOfMemory:
            return "out-of-memory";
        case FailureKind::SchemeNoCount:
            return "scheme-no-count";
        case FailureKind::SchemeNoLevel:
            return "scheme-no-level";
        case FailureKind::SchemeBadLevel:
            return "scheme-bad-level";
        case FailureKind::SchemeLevelGap:
            return "scheme-level-gap";
        case FailureKind::ImportTooLarge:
            return "import-too-large";
        case FailureKind::UnknownCharset:
            return "unknown-charset";
        case FailureKind::BinaryData:
            return "binary-data";
        case FailureKind::NotUtf8:
            return "not-utf8";
        case FailureKind::NothingToRead:
            return "nothing-to-read";
        case FailureKind::NotWellFormed:
            return "not-well-formed";
        case FailureKind::MissingElement:
            return "missing-element";
        case FailureKind::SitemapIndex:
            return "sitemap-index";
        case FailureKind::NoItems:
            return "no-items";
        case FailureKind::NoList:
            return "no-list";
        case FailureKind::NothingMatches:
            return "nothing-matches";
        case FailureKind::NoListInSelection:
            return "no-list-in-selection";
        case FailureKind::FramesWithoutMenu:
            return "frames-without-menu";
        case FailureKind::NotAFolder:
            return "not-a-folder";
        case FailureKind::IsAFolder:
            return "is-a-folder";
        case FailureKind::TooManyPages:
            return "too-many-pages";
        case FailureKind::NoPages:
            return "no-pages";
        case FailureKind::EntitiesRefused:
            return "entities-refused";
        case FailureKind::Cancelled:
            return "cancelled";
        case FailureKind::JsonSyntax:
            return "json-syntax";
        case FailureKind::JsonNoItems:
            return "json-no-items";
        case FailureKind::BadSelector:
            return "bad-selector";
        case FailureKind::OutlineTooDeep:
            return "outline-too-deep";
        case FailureKind::NoRootFolder:
            return "no-root-folder";
        case FailureKind::NotPreviewPage:
            return "not-preview-page";
        case FailureKind::ForeignFiles:
            return "foreign-files";
    }
    return "unknown";
}

std::string errnoName(int error) {
    if (const char* name = ::strerrorname_np(error)) return name;
    return std::to_string(error);
}

std::string failureSummary(const Failure& f) {
    std::string out(failureKindName(f.kind));
    if (!f.path.empty()) out += " path=" + f.path;
    if (f.error != 0) out += " errno=" + errnoName(f.error);
    if (f.item != 0) out += " item=" + std::to_string(f.item);
    if (f.number != 0) out += " number=" + std::to_string(f.number);
    if (!f.value.empty()) out += " value=" + f.value;
    if (f.fileType != FileType::Other) out += " type=" + std::to_string(static_cast<int>(f.fileType));
    if (f.format != DataFormat::Any) out += " format=" + std::to_string(static_cast<int>(f.format));
    if (f.jsonProblem != JsonProblem::None) out += " json=" + std::to_string(static_cast<int>(f.jsonProblem));
    if (f.selectorProblem != SelectorProblem::None)
        out += " selector=" + std::to_string(static_cast<int>(f.selectorProblem));
    return out;
}

std::ostream& operator<<(std::ostream& out, const Failure& failure) { return out << failureSummary(failure); }

}  // namespace sylvanode

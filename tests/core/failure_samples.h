// SPDX-License-Identifier: MIT
#pragma once

// Failures of every kind, with and without their details, and every variant of a detail that
// a sentence depends on (file type, format, JSON and selector problem, system error), for the
// tests of the two places that word them. Header-only: the editor's tests use it too.

#include <cerrno>
#include <regex>
#include <string>
#include <vector>

#include "platform/failure.h"

namespace sylvanode::test {

// The system errors a save, a read or an import can plausibly meet, and one that our table
// does not have (ENOTUNIQ).
inline const std::vector<int> kSampleErrors = {
    EACCES, EPERM,     ENOENT,       EROFS,     ENOSPC, EDQUOT, EISDIR,       ENOTDIR,
    EEXIST, ENOTEMPTY, ENAMETOOLONG, ELOOP,     EMFILE, ENFILE, EIO,          EXDEV,
    EBUSY,  ETXTBSY,   ENOMEM,       EFBIG,     EPIPE,  ENXIO,  ENODEV,       EAGAIN,
    EINVAL, ESTALE,    EOPNOTSUPP,   ETIMEDOUT, EINTR,  EBADF,  ECONNREFUSED, ENOTUNIQ};

inline std::vector<Failure> failureSamples(const std::string& path, const std::string& value) {
    std::vector<Failure> out;
    for (int k = 1; failureKindName(static_cast<FailureKind>(k)) != "unknown"; ++k) {
        Failure f = Failure::of(static_cast<FailureKind>(k), path, EACCES);
        f.item = 7;
        f.number = 3;
        f.value = value;
        out.push_back(f);
        out.push_back(Failure::of(f.kind));  // no details at all
    }
    for (int t = 0; t <= static_cast<int>(FileType::Socket); ++t) {
        Failure f = Failure::of(FailureKind::NotRegularFile, path);
        f.fileType = static_cast<FileType>(t);
        out.push_back(f);
    }
    for (int d = 0; d <= static_cast<int>(DataFormat::Json); ++d)
        for (FailureKind kind : {FailureKind::BinaryData, FailureKind::NotUtf8, FailureKind::NoItems})
            out.push_back(Failure::of(kind).withFormat(static_cast<DataFormat>(d)));
    for (int p = 0; p <= static_cast<int>(JsonProblem::NotUtf8); ++p) {
        Failure f = Failure::of(FailureKind::JsonSyntax).withNumber(2).withValue("]");
        f.jsonProblem = static_cast<JsonProblem>(p);
        out.push_back(f);
    }
    for (int p = 0; p <= static_cast<int>(SelectorProblem::ExpectedBracket); ++p) {
        Failure f = Failure::of(FailureKind::BadSelector).withValue(value).withItem(4);
        f.selectorProblem = static_cast<SelectorProblem>(p);
        out.push_back(f);
    }
    for (int error : {0, EROFS, EPERM}) out.push_back(Failure::of(FailureKind::ReadOnly, path, error));
    for (int error : kSampleErrors) {
        out.push_back(Failure::of(FailureKind::CannotWrite, path, error));
        out.push_back(Failure::of(FailureKind::CannotOpen, {}, error));
    }
    out.push_back(Failure::of(FailureKind::CannotRead, "-", EIO));  // standard input
    return out;
}

// A Chinese sentence with its data taken out holds no Latin letters but those of names:
// formats, sections of the scheme file, elements, options, error names.
inline bool onlyChineseWords(const std::string& text) {
    static const std::regex names(
        "set-user-ID|set-group-ID|UTF-8|XML|JSON|HTML|OPML|Markdown|\\[Config\\]|\\[MenuLevel\\]|<ul>|<ol>|"
        "\\.html|\\.htm|--from|--force|--root|DIR|MiB|\\bE[A-Z0-9]+\\b");
    const std::string rest = std::regex_replace(text, names, "");
    return !std::regex_search(rest, std::regex("[A-Za-z]"));
}

// Whether a text holds a character of the CJK scripts or their punctuation (UTF-8).
inline bool hasCjk(const std::string& text) {
    static const std::regex cjk("\xE3[\x80-\xBF]|[\xE4-\xE9][\x80-\xBF]|\xEF[\xBC-\xBF]");
    return std::regex_search(text, cjk);
}

}  // namespace sylvanode::test

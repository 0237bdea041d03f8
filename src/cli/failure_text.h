// SPDX-License-Identifier: MIT
#pragma once

// The one place where a failure the core reports (a kind and its details) becomes a sentence
// of the tool, in the user's language. The causes behind the system's error numbers come from
// our own table in both languages; an error number missing from it is shown by its name and
// number in Chinese (the system's own texts are English here), by strerror in English.

#include <string>
#include <string_view>

#include "model/scheme_io.h"
#include "platform/failure.h"
#include "platform/user_language.h"

namespace sylvanode::cli {

// The whole sentence: "cannot write /x/a.menu: permission denied". A file named "-" is
// standard input or output. A file failure without a path gives its cause alone ("no such
// file or folder"), for a message that names the file itself.
std::string failureText(const Failure& failure, Language language);
// The cause behind a system error number: "permission denied", "磁盘已满".
std::string systemErrorText(int error, Language language);

// A scheme that could not be read (`file` as messages name it) or was rejected.
std::string schemeFailureText(const SchemeResult& result, std::string_view file, Language language);
// An import, export, link check or preview that failed.
std::string importFailureText(std::string_view source, const Failure& failure, Language language);
std::string exportFailureText(const Failure& failure, Language language);
std::string linkCheckFailureText(const Failure& failure, bool rootGiven, Language language);
std::string previewFailureText(const Failure& failure, Language language);

}  // namespace sylvanode::cli

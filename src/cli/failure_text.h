// SPDX-License-Identifier: MIT
#pragma once

// The one place where a failure the core reports becomes a sentence of the tool, in the user's
// language. The core still words its failures itself, in English (IoResult::error,
// SchemeResult::reason, the import, export and link-check errors); they are passed on as they
// are, inside a sentence of the tool.

#include <string>
#include <string_view>

#include "model/scheme_io.h"
#include "platform/safe_file.h"
#include "platform/user_language.h"

namespace sylvanode::cli {

// A file or standard input that could not be read or written.
std::string ioFailureText(const IoResult& result, Language language);
// A scheme that could not be read (`file` as messages name it) or was rejected.
std::string schemeFailureText(const SchemeResult& result, std::string_view file, Language language);
// An import, export, link check or preview that failed.
std::string importFailureText(std::string_view source, const std::string& error, Language language);
std::string exportFailureText(const std::string& error, Language language);
std::string linkCheckFailureText(const std::string& error, bool rootGiven, Language language);
std::string previewFailureText(const IoResult& result, bool foreignFiles, Language language);

}  // namespace sylvanode::cli

// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <string_view>

#include "model/scheme_io.h"
#include "platform/safe_file.h"

namespace sylvanode {

// The one place where a failure the core reports becomes the editor's words: the reason a
// message box shows below its own text. The core still words its reasons itself, in English
// (IoResult::error, SchemeResult::reason, the import, export, link-check and preview errors);
// they are passed on as they are, except running out of memory, which is said in the editor's
// language.
QString failureReason(const IoResult& result);
QString failureReason(const SchemeResult& result);
QString failureReason(std::string_view coreError);

// A message box text: `text`, and below it the reason when there is one.
QString withReason(const QString& text, const QString& reason);

}  // namespace sylvanode

// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

#include "model/scheme_io.h"
#include "platform/failure.h"
#include "platform/safe_file.h"

namespace sylvanode {

// The one place where a failure the core reports (a kind and its details) becomes the
// editor's words, in the language chosen: the reason a message box shows below its own text
// ("无法写入 /x/a.menu：没有权限"). A file failure without a path gives its cause alone.
QString failureReason(const Failure& failure);
QString failureReason(const IoResult& result);
QString failureReason(const SchemeResult& result);
// The cause behind a system error number, from our own table ("没有权限"); one missing from
// it by its name and number.
QString systemErrorText(int error);

// A message box text: `text`, and below it the reason when there is one.
QString withReason(const QString& text, const QString& reason);

}  // namespace sylvanode

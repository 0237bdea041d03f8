// SPDX-License-Identifier: MIT
#include "ui/common/failure_text.h"

#include <QCoreApplication>

#include "document/text_codec.h"

namespace sylvanode {
namespace {

QString outOfMemory() { return QCoreApplication::translate("MainWindow", "内存不足"); }

}  // namespace

QString failureReason(const IoResult& result) {
    return result.outOfMemory ? outOfMemory() : failureReason(result.error);
}

QString failureReason(const SchemeResult& result) {
    return result.outOfMemory ? outOfMemory() : failureReason(result.reason);
}

// Paths and system texts come as UTF-8; a value quoted from a scheme file as its own bytes.
QString failureReason(std::string_view coreError) { return messageText(coreError); }

QString withReason(const QString& text, const QString& reason) {
    return reason.isEmpty() ? text : text + QLatin1Char('\n') + reason;
}

}  // namespace sylvanode

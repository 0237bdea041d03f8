// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace sylvanode {

// The one crossing between scheme bytes (code page 936) and QString.
//
// Lossless both ways: every valid CP936 sequence comes back as the same bytes;
// a byte that does not decode is shown as the lone surrogate U+DC00 + byte and
// turns back into that byte; a typed character CP936 has no code for is written
// in GB18030 instead of being lost.
QString toQString(std::string_view gbkBytes);
std::string toSchemeBytes(const QString& text);

// A reason text from the core (why a file could not be read or written) for a message box:
// UTF-8 as paths and system error texts come, else scheme bytes (a value quoted from a file).
QString messageText(std::string_view bytes);

}  // namespace sylvanode

// SPDX-License-Identifier: MIT
#include "document/text_codec.h"

#include <QStringDecoder>

#include "platform/text_encoding.h"

namespace sylvanode {
namespace {

constexpr char16_t kEscapeBase = 0xDC00;  // byte b (>= 0x80) <-> U+DC00 + b

bool isAscii(std::string_view s) {
    for (unsigned char c : s)
        if (c >= 0x80) return false;
    return true;
}

}  // namespace

QString toQString(std::string_view bytes) {
    if (isAscii(bytes)) return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
    QString out;
    out.reserve(static_cast<qsizetype>(bytes.size()));
    for (size_t i = 0; i < bytes.size();) {
        const DecodedChar c = decodeSchemeChar(bytes, i);
        if (c.valid) {
            const char32_t cp = c.codePoint;
            if (QChar::requiresSurrogates(cp)) {
                out.append(QChar(QChar::highSurrogate(cp)));
                out.append(QChar(QChar::lowSurrogate(cp)));
            } else {
                out.append(QChar(static_cast<char16_t>(cp)));
            }
        } else {
            // Escape only the first byte: the next one may begin a valid character.
            out.append(QChar(static_cast<char16_t>(kEscapeBase + static_cast<unsigned char>(bytes[i]))));
        }
        i += c.length;
    }
    return out;
}

std::string toSchemeBytes(const QString& text) {
    std::string out;
    out.reserve(static_cast<size_t>(text.size()));
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t u = text.at(i).unicode();
        if (u < 0x80) {
            out.push_back(static_cast<char>(u));
            continue;
        }
        char32_t cp = u;
        if (QChar::isHighSurrogate(u) && i + 1 < n && QChar::isLowSurrogate(text.at(i + 1).unicode())) {
            cp = QChar::surrogateToUcs4(u, text.at(i + 1).unicode());
            ++i;
        } else if (u >= kEscapeBase + 0x80 && u <= kEscapeBase + 0xFF) {
            out.push_back(static_cast<char>(u - kEscapeBase));
            continue;
        } else if (QChar::isSurrogate(u)) {
            cp = 0xFFFD;  // a broken pair cannot be written in any encoding
        }
        appendSchemeChar(out, cp);
    }
    return out;
}

QString messageText(std::string_view bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    return utf8.hasError() ? toQString(bytes) : text;
}

}  // namespace sylvanode

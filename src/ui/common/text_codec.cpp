#include "ui/common/text_codec.h"

#include <iconv.h>

#include <cerrno>

namespace sylvanode {
namespace {

constexpr char16_t kEscapeBase = 0xDC00;  // byte b (>= 0x80) <-> U+DC00 + b

bool isAscii(std::string_view s) {
    for (unsigned char c : s)
        if (c >= 0x80) return false;
    return true;
}

// One iconv descriptor per direction, kept for the run (GUI thread only).
class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter() {
        if (cd_ != reinterpret_cast<iconv_t>(-1)) iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts exactly `in`; false when it is not one complete convertible unit.
    bool convert(const char* in, size_t inLen, char* out, size_t outCap, size_t& outLen) {
        if (cd_ == reinterpret_cast<iconv_t>(-1)) return false;
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        char* src = const_cast<char*>(in);
        size_t srcLeft = inLen;
        char* dst = out;
        size_t dstLeft = outCap;
        const size_t r = iconv(cd_, &src, &srcLeft, &dst, &dstLeft);
        if (r == static_cast<size_t>(-1) || srcLeft != 0) return false;
        // Flush any shift state (none for these encodings, but be exact).
        if (iconv(cd_, nullptr, nullptr, &dst, &dstLeft) == static_cast<size_t>(-1)) return false;
        outLen = outCap - dstLeft;
        return true;
    }

private:
    iconv_t cd_;
};

Converter& gbkToUtf32() {
    static Converter c("UTF-32LE", "CP936");
    return c;
}
Converter& utf32ToGbk() {
    static Converter c("CP936", "UTF-32LE");
    return c;
}
Converter& gb18030ToUtf32() {
    static Converter c("UTF-32LE", "GB18030");
    return c;
}
Converter& utf32ToGb18030() {
    static Converter c("GB18030", "UTF-32LE");
    return c;
}

void putUtf32(char* buf, char32_t cp) {
    buf[0] = static_cast<char>(cp & 0xFF);
    buf[1] = static_cast<char>((cp >> 8) & 0xFF);
    buf[2] = static_cast<char>((cp >> 16) & 0xFF);
    buf[3] = static_cast<char>((cp >> 24) & 0xFF);
}

char32_t getUtf32(const char* buf) {
    return static_cast<char32_t>(static_cast<unsigned char>(buf[0])) |
           static_cast<char32_t>(static_cast<unsigned char>(buf[1])) << 8 |
           static_cast<char32_t>(static_cast<unsigned char>(buf[2])) << 16 |
           static_cast<char32_t>(static_cast<unsigned char>(buf[3])) << 24;
}

// Encodes one code point as CP936 bytes; false when CP936 has no code for it.
bool encodeGbk(char32_t cp, std::string& out) {
    char in[4];
    putUtf32(in, cp);
    char buf[8];
    size_t n = 0;
    if (!utf32ToGbk().convert(in, 4, buf, sizeof buf, n)) return false;
    out.append(buf, n);
    return true;
}

void appendEscaped(QString& out, unsigned char byte) {
    out.append(QChar(static_cast<char16_t>(kEscapeBase + byte)));
}

}  // namespace

QString toQString(std::string_view bytes) {
    if (isAscii(bytes)) return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
    QString out;
    out.reserve(static_cast<qsizetype>(bytes.size()));
    size_t i = 0;
    while (i < bytes.size()) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        if (b < 0x80) {
            out.append(QChar(static_cast<char16_t>(b)));
            ++i;
            continue;
        }
        // A lead byte with a trail byte forms one character; 0x80 stands alone (the euro sign).
        // A GB18030 four-byte sequence (lead, digit, lead, digit) is what we write for
        // characters CP936 lacks, so it is shown as that character again.
        size_t len = 1;
        bool four = false;
        if (b >= 0x81 && b <= 0xFE && i + 1 < bytes.size()) {
            const auto t = static_cast<unsigned char>(bytes[i + 1]);
            if ((t >= 0x40 && t <= 0x7E) || (t >= 0x80 && t <= 0xFE)) {
                len = 2;
            } else if (t >= 0x30 && t <= 0x39 && i + 3 < bytes.size()) {
                const auto t2 = static_cast<unsigned char>(bytes[i + 2]);
                const auto t3 = static_cast<unsigned char>(bytes[i + 3]);
                if (t2 >= 0x81 && t2 <= 0xFE && t3 >= 0x30 && t3 <= 0x39) {
                    len = 4;
                    four = true;
                }
            }
        }
        char buf[8];
        size_t n = 0;
        Converter& decoder = four ? gb18030ToUtf32() : gbkToUtf32();
        bool ok = decoder.convert(bytes.data() + i, len, buf, sizeof buf, n) && n == 4;
        if (ok) {
            const char32_t cp = getUtf32(buf);
            // Only keep the character when it encodes back to the very same bytes.
            std::string back;
            if (four) {
                char in[4];
                putUtf32(in, cp);
                char enc[8];
                size_t m = 0;
                ok = !encodeGbk(cp, back) && utf32ToGb18030().convert(in, 4, enc, sizeof enc, m) &&
                     std::string_view(enc, m) == bytes.substr(i, len);
            } else {
                ok = encodeGbk(cp, back) && back == bytes.substr(i, len);
            }
            if (ok) {
                const QString s = QString::fromUcs4(&cp, 1);
                out.append(s);
            }
        }
        if (!ok) {
            // Escape only the first byte: the next one may begin a valid character.
            appendEscaped(out, b);
            ++i;
            continue;
        }
        i += len;
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
        if (encodeGbk(cp, out)) continue;
        char in[4];
        putUtf32(in, cp);
        char buf[8];
        size_t len = 0;
        if (utf32ToGb18030().convert(in, 4, buf, sizeof buf, len)) out.append(buf, len);
    }
    return out;
}

}  // namespace sylvanode

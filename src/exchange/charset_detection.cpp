// SPDX-License-Identifier: MIT
#include "exchange/charset_detection.h"

#include <uchardet/uchardet.h>

#include <memory>

#include "exchange/xml_support.h"
#include "platform/text_encoding.h"

namespace sylvanode {
namespace {

// The detector needs no more than this to make up its mind, and stays fast on huge files.
constexpr size_t kDetectionBytes = size_t{1} << 20;

std::string lower(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

std::string trim(std::string_view s) {
    const char* ws = " \t\r\n\f\"'";
    const size_t b = s.find_first_not_of(ws);
    if (b == std::string_view::npos) return {};
    return std::string(s.substr(b, s.find_last_not_of(ws) - b + 1));
}

// The charset named in the page's first few kilobytes. The prefix is parsed as Latin-1,
// which keeps every byte, so the declaration is found whatever the page's real encoding.
std::string declaredCharset(std::string_view bytes) {
    const std::string_view head = bytes.substr(0, 4096);
    std::string latin1;
    charsetToUtf8(head, "ISO-8859-1", latin1);
    xml::Doc doc = xml::parseHtmlUtf8(latin1);
    if (!doc) return {};
    const xmlNode* root = xmlDocGetRootElement(doc.get());
    for (const xmlNode* n = root; n; n = xml::nextNode(n, root)) {
        if (!xml::isElement(n, "meta")) continue;
        if (std::string c = charsetFromLabel(xml::attribute(n, "charset")); !c.empty()) return c;
        if (lower(trim(xml::attribute(n, "http-equiv"))) != "content-type") continue;
        const std::string content = lower(xml::attribute(n, "content"));
        const size_t at = content.find("charset=");
        if (at == std::string::npos) continue;
        std::string value = content.substr(at + 8);
        value = value.substr(0, value.find_first_of("; "));
        if (std::string c = charsetFromLabel(value); !c.empty()) return c;
    }
    return {};
}

struct DetectorDeleter {
    void operator()(uchardet* d) const { uchardet_delete(d); }
};

// The detection library's verdict on bytes that are not UTF-8; GB18030, the editor's own
// encoding, when it has none.
std::string detectedCharset(std::string_view bytes) {
    std::unique_ptr<uchardet, DetectorDeleter> detector(uchardet_new());
    if (!detector) return "GB18030";
    const std::string_view sample = bytes.substr(0, kDetectionBytes);
    if (uchardet_handle_data(detector.get(), sample.data(), sample.size()) != 0) return "GB18030";
    uchardet_data_end(detector.get());
    const char* name = uchardet_get_charset(detector.get());
    std::string charset = name ? charsetFromLabel(name) : std::string();
    // The bytes are not UTF-8, so a verdict of UTF-8 (or none) cannot be right.
    return charset.empty() || charset == "UTF-8" ? "GB18030" : charset;
}

}  // namespace

const char* charsetSourceName(CharsetSource source) {
    switch (source) {
        case CharsetSource::Given:
            return "given";
        case CharsetSource::ByteOrderMark:
            return "byte-order mark";
        case CharsetSource::Declared:
            return "declared";
        case CharsetSource::Utf8:
            return "UTF-8";
        case CharsetSource::Detected:
            return "detected";
    }
    return "";
}

std::string charsetFromLabel(std::string_view label) {
    const std::string l = lower(trim(label));
    if (l.empty()) return {};
    if (l == "gb2312" || l == "gbk" || l == "x-gbk" || l == "gb18030" || l == "gb_2312-80" || l == "chinese" ||
        l == "csgb2312" || l == "iso-ir-58" || l == "cp936" || l == "windows-936" || l == "euc-cn")
        return "GB18030";
    if (l == "iso-8859-1" || l == "iso8859-1" || l == "latin1" || l == "l1" || l == "us-ascii" || l == "ascii" ||
        l == "windows-1252" || l == "cp1252" || l == "x-cp1252")
        return "WINDOWS-1252";
    if (l == "utf-8" || l == "utf8" || l == "unicode-1-1-utf-8" || l.rfind("utf-16", 0) == 0) return "UTF-8";
    std::string probe;
    if (!charsetToUtf8("a", l, probe) || probe != "a") return {};
    std::string upper = l;
    for (char& c : upper)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return upper;
}

std::string givenCharsetName(std::string_view label) {
    const std::string l = lower(trim(label));
    if (l.rfind("utf-16", 0) == 0 || l.rfind("utf16", 0) == 0) {
        std::string probe;
        if (!charsetToUtf8("", l, probe)) return {};
        return l == "utf-16le" || l == "utf16le" ? "UTF-16LE" : l == "utf-16be" || l == "utf16be" ? "UTF-16BE" : "UTF-16";
    }
    return charsetFromLabel(l);
}

std::string sniffCharset(std::string_view bytes, bool html, CharsetSource* source) {
    CharsetSource from = CharsetSource::ByteOrderMark;
    std::string charset;
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") {
        charset = "UTF-8";
    } else if (bytes.substr(0, 2) == "\xFF\xFE") {
        charset = "UTF-16LE";
    } else if (bytes.substr(0, 2) == "\xFE\xFF") {
        charset = "UTF-16BE";
    } else if (html && !(charset = declaredCharset(bytes)).empty()) {
        from = CharsetSource::Declared;
    } else if (isValidUtf8(bytes)) {
        charset = "UTF-8", from = CharsetSource::Utf8;
    } else if (html && bytes.find("data-sylvanode=\"tree") != std::string_view::npos) {
        // The editor's own export: the scheme's bytes, GBK when they are not UTF-8.
        charset = "GB18030", from = CharsetSource::Declared;
    } else {
        charset = detectedCharset(bytes), from = CharsetSource::Detected;
    }
    if (source) *source = from;
    return charset;
}

DecodedText decodeText(std::string_view bytes, const std::string& givenCharset, bool html) {
    DecodedText d;
    size_t skip = 0;
    if (!givenCharset.empty()) {
        d.charset = givenCharset;
        d.source = CharsetSource::Given;
    } else {
        d.charset = sniffCharset(bytes, html, &d.source);
    }
    // A byte-order mark is dropped whatever the charset (a given UTF-8 keeps its mark out too).
    if (d.charset == "UTF-8" && bytes.substr(0, 3) == "\xEF\xBB\xBF") skip = 3;
    if ((d.charset == "UTF-16LE" && bytes.substr(0, 2) == "\xFF\xFE") ||
        (d.charset == "UTF-16BE" && bytes.substr(0, 2) == "\xFE\xFF"))
        skip = 2;
    const std::string_view body = bytes.substr(skip);
    if (d.charset == "UTF-8" && isValidUtf8(body)) {
        d.utf8.assign(body);
    } else if (d.charset == "GB18030") {
        // The scheme's own decoder: GBK, GB18030 and 0x80 as the euro sign, as browsers read it.
        d.utf8 = schemeBytesToUtf8(body, "\xEF\xBF\xBD");
    } else if (!charsetToUtf8(body, d.charset, d.utf8)) {
        d.utf8 = schemeBytesToUtf8(body, "\xEF\xBF\xBD");
    }
    return d;
}

}  // namespace sylvanode

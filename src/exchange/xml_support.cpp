// SPDX-License-Identifier: MIT
#include "exchange/xml_support.h"

namespace sylvanode::xml {
namespace {

void initOnce() {
    static const bool done = [] {
        xmlInitParser();
        return true;
    }();
    (void)done;
}

}  // namespace

Doc parseHtmlUtf8(std::string_view utf8) {
    initOnce();
    if (utf8.size() > kMaxParsedBytes) return nullptr;
    const int options = HTML_PARSE_RECOVER | HTML_PARSE_NOERROR | HTML_PARSE_NOWARNING | HTML_PARSE_NONET |
                        HTML_PARSE_IGNORE_ENC | HTML_PARSE_COMPACT | XML_PARSE_HUGE;
    return Doc(htmlReadMemory(utf8.data(), static_cast<int>(utf8.size()), nullptr, "UTF-8", options));
}

Doc parseXml(std::string_view bytes, const char* encoding) {
    initOnce();
    if (bytes.size() > kMaxParsedBytes) return nullptr;
    const int options = XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING | XML_PARSE_NOCDATA |
                        XML_PARSE_COMPACT | XML_PARSE_HUGE;
    return Doc(xmlReadMemory(bytes.data(), static_cast<int>(bytes.size()), nullptr, encoding, options));
}

std::string attribute(const xmlNode* n, const char* name, bool* present) {
    if (present) *present = false;
    for (const xmlAttr* a = n->properties; a; a = a->next) {
        if (std::strcmp(reinterpret_cast<const char*>(a->name), name) != 0) continue;
        if (present) *present = true;
        std::string value;
        for (const xmlNode* c = a->children; c; c = c->next)
            if (c->content) value += reinterpret_cast<const char*>(c->content);
        return value;
    }
    return {};
}

}  // namespace sylvanode::xml

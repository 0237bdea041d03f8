// SPDX-License-Identifier: MIT
#include "exchange/xml_support.h"

#include <libxml/parserInternals.h>

namespace sylvanode::xml {
namespace {

// Nothing is ever fetched: not a DTD, not an external entity, not over the network.
xmlParserInputPtr refuseExternal(const char*, const char*, xmlParserCtxtPtr) { return nullptr; }

void initOnce() {
    static const bool done = [] {
        xmlInitParser();
        xmlSetExternalEntityLoader(refuseExternal);
        // Without XML_PARSE_HUGE the parsers stop at 256 levels; the element parsers are
        // iterative and the tree costs memory linear in the input, so a deep outline that
        // our own export wrote reads back whole.
        xmlParserMaxDepth = 1u << 30;
        return true;
    }();
    (void)done;
}

struct CtxtDeleter {
    void operator()(xmlParserCtxt* c) const { xmlFreeParserCtxt(c); }
};

// Stops the parse at the first entity declaration, before any entity is used.
void refuseEntityDeclaration(void* userData, const xmlChar*, int, const xmlChar*, const xmlChar*, xmlChar*) {
    auto* ctxt = static_cast<xmlParserCtxt*>(userData);
    *static_cast<bool*>(ctxt->_private) = true;
    xmlStopParser(ctxt);
}

}  // namespace

Doc parseHtmlUtf8(std::string_view utf8) {
    initOnce();
    if (utf8.size() > kMaxParsedBytes) return nullptr;
    // HTML has no entity declarations: its named entities are a fixed table.
    const int options = HTML_PARSE_RECOVER | HTML_PARSE_NOERROR | HTML_PARSE_NOWARNING | HTML_PARSE_NONET |
                        HTML_PARSE_IGNORE_ENC | HTML_PARSE_COMPACT;
    return Doc(htmlReadMemory(utf8.data(), static_cast<int>(utf8.size()), nullptr, "UTF-8", options));
}

Doc parseXml(std::string_view bytes, std::string* refusal) {
    initOnce();
    if (refusal) refusal->clear();
    if (bytes.size() > kMaxParsedBytes) return nullptr;
    std::unique_ptr<xmlParserCtxt, CtxtDeleter> ctxt(
        xmlCreateMemoryParserCtxt(bytes.data(), static_cast<int>(bytes.size())));
    if (!ctxt || !ctxt->sax) return nullptr;
    // No XML_PARSE_HUGE (it lifts the parser's limits), no XML_PARSE_NOENT (substitution),
    // no XML_PARSE_DTDLOAD or DTDATTR.
    xmlCtxtUseOptions(ctxt.get(), XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING |
                                      XML_PARSE_NOCDATA | XML_PARSE_COMPACT);
    bool declaresEntity = false;
    ctxt->_private = &declaresEntity;
    ctxt->sax->entityDecl = refuseEntityDeclaration;
    xmlParseDocument(ctxt.get());
    Doc doc(ctxt->myDoc);
    ctxt->myDoc = nullptr;
    if (!ctxt->wellFormed) doc.reset();
    if (declaresEntity) {
        if (refusal) *refusal = kEntityRefusal;
        return nullptr;
    }
    return doc;
}

std::string attribute(const xmlNode* n, const char* name, bool* present) {
    if (present) *present = false;
    for (const xmlAttr* a = n->properties; a; a = a->next) {
        if (std::strcmp(reinterpret_cast<const char*>(a->name), name) != 0) continue;
        if (present) *present = true;
        std::string value;
        for (const xmlNode* c = a->children; c; c = c->next)
            if (c->type == XML_TEXT_NODE && c->content) value += reinterpret_cast<const char*>(c->content);
        return value;
    }
    return {};
}

}  // namespace sylvanode::xml

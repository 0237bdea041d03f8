// SPDX-License-Identifier: MIT
#include "exchange/xml_support.h"

#include <libxml/parserInternals.h>

#include "exchange/import_control.h"

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

// While an import is watched: every so many elements, how far the parser has got, and a stop
// when the import was cancelled. The parser's own element handler runs first.
struct ParseWatch {
    ImportControl* control = nullptr;
    size_t length = 0;
    unsigned elements = 0;
    startElementSAXFunc htmlElement = nullptr;
    startElementNsSAX2Func xmlElement = nullptr;
};
thread_local ParseWatch* watch = nullptr;

void checkpoint(void* ctx) {
    if (++watch->elements % 1024 != 0) return;
    auto* ctxt = static_cast<xmlParserCtxt*>(ctx);
    if (ctxt->input && ctxt->input->cur && ctxt->input->base)
        watch->control->reportStage(static_cast<std::uint64_t>(ctxt->input->cur - ctxt->input->base), watch->length);
    if (watch->control->cancelled()) xmlStopParser(ctxt);
}

void watchedHtmlElement(void* ctx, const xmlChar* name, const xmlChar** attributes) {
    if (watch->htmlElement) watch->htmlElement(ctx, name, attributes);
    checkpoint(ctx);
}

void watchedXmlElement(void* ctx, const xmlChar* localname, const xmlChar* prefix, const xmlChar* uri,
                       int namespaces, const xmlChar** namespaceList, int attributes, int defaulted,
                       const xmlChar** attributeList) {
    if (watch->xmlElement)
        watch->xmlElement(ctx, localname, prefix, uri, namespaces, namespaceList, attributes, defaulted, attributeList);
    checkpoint(ctx);
}

// Sets up the watch for one parse on this thread, when an import is watched.
class WatchScope {
public:
    WatchScope(size_t length) {
        state_.control = currentImportControl();
        state_.length = length;
        if (state_.control) watch = &state_;
    }
    ~WatchScope() {
        if (watch == &state_) watch = nullptr;
    }
    bool active() const { return state_.control != nullptr; }
    ParseWatch& state() { return state_; }

private:
    ParseWatch state_;
};

}  // namespace

Doc parseHtmlUtf8(std::string_view utf8) {
    initOnce();
    if (utf8.size() > kMaxParsedBytes) return nullptr;
    // HTML has no entity declarations: its named entities are a fixed table.
    const int options = HTML_PARSE_RECOVER | HTML_PARSE_NOERROR | HTML_PARSE_NOWARNING | HTML_PARSE_NONET |
                        HTML_PARSE_IGNORE_ENC | HTML_PARSE_COMPACT;
    WatchScope scope(utf8.size());
    if (!scope.active())
        return Doc(htmlReadMemory(utf8.data(), static_cast<int>(utf8.size()), nullptr, "UTF-8", options));
    std::unique_ptr<xmlParserCtxt, CtxtDeleter> ctxt(htmlNewParserCtxt());
    if (!ctxt || !ctxt->sax) return nullptr;
    scope.state().htmlElement = ctxt->sax->startElement;
    ctxt->sax->startElement = watchedHtmlElement;
    Doc doc(htmlCtxtReadMemory(ctxt.get(), utf8.data(), static_cast<int>(utf8.size()), nullptr, "UTF-8", options));
    if (scope.state().control->cancelled()) doc.reset();
    return doc;
}

Doc parseXml(std::string_view bytes, const char* encoding, bool* declaresEntities) {
    initOnce();
    if (declaresEntities) *declaresEntities = false;
    if (bytes.size() > kMaxParsedBytes) return nullptr;
    std::unique_ptr<xmlParserCtxt, CtxtDeleter> ctxt(
        xmlCreateMemoryParserCtxt(bytes.data(), static_cast<int>(bytes.size())));
    if (!ctxt || !ctxt->sax) return nullptr;
    // No XML_PARSE_HUGE (it lifts the parser's limits), no XML_PARSE_NOENT (substitution),
    // no XML_PARSE_DTDLOAD or DTDATTR.
    xmlCtxtUseOptions(ctxt.get(), XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING |
                                      XML_PARSE_NOCDATA | XML_PARSE_COMPACT);
    // A given character set is used from the first byte on, as the parser's own reading
    // functions do it: the decoder is switched and the context remembers the name.
    if (encoding) {
        if (xmlCharEncodingHandlerPtr handler = xmlFindCharEncodingHandler(encoding))
            xmlSwitchToEncoding(ctxt.get(), handler);
        if (ctxt->encoding) xmlFree(const_cast<xmlChar*>(ctxt->encoding));
        ctxt->encoding = xmlStrdup(reinterpret_cast<const xmlChar*>(encoding));
    }
    bool declaresEntity = false;
    ctxt->_private = &declaresEntity;
    ctxt->sax->entityDecl = refuseEntityDeclaration;
    WatchScope scope(bytes.size());
    if (scope.active()) {
        scope.state().xmlElement = ctxt->sax->startElementNs;
        ctxt->sax->startElementNs = watchedXmlElement;
    }
    xmlParseDocument(ctxt.get());
    Doc doc(ctxt->myDoc);
    ctxt->myDoc = nullptr;
    if (!ctxt->wellFormed || importCancelled()) doc.reset();
    if (declaresEntity) {
        if (declaresEntities) *declaresEntities = true;
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

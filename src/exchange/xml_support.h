// SPDX-License-Identifier: MIT
#pragma once

// Small helpers over libxml2's tree, for the readers of this folder only.

#include <libxml/HTMLparser.h>
#include <libxml/parser.h>
#include <libxml/tree.h>

#include <cstring>
#include <memory>
#include <string>
#include <string_view>

namespace sylvanode::xml {

struct DocDeleter {
    void operator()(xmlDoc* d) const { xmlFreeDoc(d); }
};
using Doc = std::unique_ptr<xmlDoc, DocDeleter>;

// Inputs the parsers take in one piece (their sizes are ints).
inline constexpr size_t kMaxParsedBytes = 1u << 30;

// Parses HTML given as UTF-8, forgiving every fault the way a browser does; no network.
Doc parseHtmlUtf8(std::string_view utf8);
// Parses XML without network access, DTD loading or entity substitution; `encoding`, when
// set, overrides what the document declares. A document that declares an entity (general or
// parameter) is refused as soon as the declaration is read, so no expansion of any size can
// start: null is returned with `declaresEntities` set. Otherwise null means not
// well-formed. Only the predefined entities and character references are expanded, which
// the parser always does.
Doc parseXml(std::string_view bytes, const char* encoding = nullptr, bool* declaresEntities = nullptr);

inline bool isElement(const xmlNode* n) { return n && n->type == XML_ELEMENT_NODE; }
inline bool isElement(const xmlNode* n, const char* name) {
    return isElement(n) && std::strcmp(reinterpret_cast<const char*>(n->name), name) == 0;
}
// The element's local name, without a namespace prefix.
inline std::string_view localName(const xmlNode* n) { return reinterpret_cast<const char*>(n->name); }

// The next node of a pre-order walk below `root`; `descend` false skips n's subtree.
// Only elements and documents are entered: an entity reference's children are the entity's
// declaration, which lives in the DTD, and climbing from there would never meet `root`.
inline const xmlNode* nextNode(const xmlNode* n, const xmlNode* root, bool descend = true) {
    const bool container = n->type == XML_ELEMENT_NODE || n->type == XML_DOCUMENT_NODE ||
                           n->type == XML_HTML_DOCUMENT_NODE || n->type == XML_DOCUMENT_FRAG_NODE;
    if (descend && container && n->children) return n->children;
    while (n && n != root) {
        if (n->next) return n->next;
        n = n->parent;
    }
    return nullptr;
}

// An attribute's value (UTF-8); `present` tells an empty value from a missing one.
std::string attribute(const xmlNode* n, const char* name, bool* present = nullptr);

}  // namespace sylvanode::xml

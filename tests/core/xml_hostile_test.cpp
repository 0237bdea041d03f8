// SPDX-License-Identifier: MIT
// Sitemaps and OPML files built to exhaust the XML parser: entity expansion of every shape,
// external entities and DTDs, deep nesting. Each must end with its expected result while
// libxml2's memory stays bounded; a runaway expansion meets a failing allocation instead of
// taking the machine. (How long each takes is measured in bench/exchange_bench.cpp.)
#include <gtest/gtest.h>
#include <libxml/parser.h>
#include <libxml/tree.h>
#include <malloc.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "exchange/importer.h"
#include "exchange/xml_support.h"
#include "exchange_support.h"
#include "test_support.h"

namespace sylvanode {
namespace {
using test::fixture;

// Every byte libxml2 allocates while installed, sized with malloc_usable_size so that
// blocks allocated before (by the plain allocator) can be freed through it.
class XmlAllocationMeter {
public:
    static constexpr long long kPeakLimit = 64ll << 20;
    static constexpr long long kTotalLimit = 512ll << 20;

    XmlAllocationMeter() {
        xmlMemGet(&free_, &malloc_, &realloc_, &strdup_);
        live_ = peak_ = total_ = 0;
        refused_ = false;
        xmlMemSetup(countedFree, countedMalloc, countedRealloc, countedStrdup);
    }
    ~XmlAllocationMeter() { xmlMemSetup(free_, malloc_, realloc_, strdup_); }
    long long peak() const { return peak_; }
    bool refused() const { return refused_; }

private:
    static bool admit(size_t n) {
        const auto size = static_cast<long long>(n);
        if (live_ + size > kPeakLimit || total_ + size > kTotalLimit) refused_ = true;
        return !refused_;
    }
    static void account(long long delta) {
        live_ += delta;
        if (delta > 0) total_ += delta;
        peak_ = std::max(peak_, live_);
    }
    static void* countedMalloc(size_t n) {
        if (!admit(n)) return nullptr;
        void* p = std::malloc(n);
        if (p) account(static_cast<long long>(malloc_usable_size(p)));
        return p;
    }
    static void* countedRealloc(void* p, size_t n) {
        if (!admit(n)) return nullptr;
        const auto before = static_cast<long long>(p ? malloc_usable_size(p) : 0);
        void* q = std::realloc(p, n);
        if (q) account(static_cast<long long>(malloc_usable_size(q)) - before);
        return q;
    }
    static void countedFree(void* p) {
        if (p) account(-static_cast<long long>(malloc_usable_size(p)));
        std::free(p);
    }
    static char* countedStrdup(const char* s) {
        const size_t n = std::strlen(s) + 1;
        auto* p = static_cast<char*>(countedMalloc(n));
        if (p) std::memcpy(p, s, n);
        return p;
    }

    xmlFreeFunc free_ = nullptr;
    xmlMallocFunc malloc_ = nullptr;
    xmlReallocFunc realloc_ = nullptr;
    xmlStrdupFunc strdup_ = nullptr;
    static inline long long live_, peak_, total_;
    static inline bool refused_;
};

std::string deepOutline(int levels) {
    std::string s = "<opml version=\"2.0\"><body>";
    for (int i = 0; i < levels; ++i) s += "<outline text=\"x\">";
    for (int i = 0; i < levels; ++i) s += "</outline>";
    return s + "</body></opml>";
}

std::string deepLoc(int levels) {
    std::string s = "<urlset><url><loc>";
    for (int i = 0; i < levels; ++i) s += "<b>";
    s += "https://example.com/deep.html";
    for (int i = 0; i < levels; ++i) s += "</b>";
    return s + "</loc></url></urlset>";
}

int depthOf(const ImportResult& r) {
    int depth = 0;
    for (const MenuNode* n = r.roots.empty() ? nullptr : r.roots[0].get(); n && n->hasChildren();
         n = n->firstChild())
        ++depth;
    return depth;
}

TEST(HostileXml, EveryFileEndsWithItsResultInBoundedMemory) {
    const std::string refused = test::english(Failure::of(FailureKind::EntitiesRefused));
    struct Case {
        const char* name;
        std::string bytes;
        std::string error;  // the expected refusal, or empty
        std::string tree;   // the expected outline (a deep one: its top item's title)
        int depth = 0;
    };
    const Case cases[] = {
        {"laughs-attribute.opml", fixture("hostile-xml/laughs-attribute.opml"), refused, "", 0},
        {"laughs-text.xml", fixture("hostile-xml/laughs-text.xml"), refused, "", 0},
        {"quadratic.xml", fixture("hostile-xml/quadratic.xml"), refused, "", 0},
        {"external-file-entity.xml", fixture("hostile-xml/external-file-entity.xml"), refused, "", 0},
        {"external-network-entity.opml", fixture("hostile-xml/external-network-entity.opml"), refused, "", 0},
        {"parameter-entity.xml", fixture("hostile-xml/parameter-entity.xml"), refused, "", 0},
        {"external-parameter-entity.opml", fixture("hostile-xml/external-parameter-entity.opml"), refused, "",
         0},
        {"entity-loop.xml", fixture("hostile-xml/entity-loop.xml"), refused, "", 0},
        {"entity-in-loc.xml", fixture("hostile-xml/entity-in-loc.xml"), refused, "", 0},
        // A DTD that is never fetched, and declarations without entities, are no reason to refuse.
        {"external-dtd.opml", fixture("hostile-xml/external-dtd.opml"), "",
         "Home -> https://example.com/\nContact -> https://example.com/contact.html\n", 0},
        {"declarations-only.xml", fixture("hostile-xml/declarations-only.xml"), "",
         "a -> https://example.com/a?x=1&y=\xE4\xB8\xAD<\n", 0},
        {"deep outline", deepOutline(100000), "", "x", 99999},
        {"deep text", deepLoc(200000), "", "deep -> https://example.com/deep.html\n", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ImportResult r;
        long long peak = 0;
        {
            XmlAllocationMeter meter;
            r = importBytes(c.bytes);
            peak = meter.peak();
            EXPECT_FALSE(meter.refused()) << "libxml2 wanted more than the limits allow";
        }
        EXPECT_LE(peak, XmlAllocationMeter::kPeakLimit);
        EXPECT_EQ(test::english(r.failure), c.error);
        if (!c.error.empty()) continue;
        if (c.depth) {
            EXPECT_EQ(depthOf(r), c.depth);
            EXPECT_EQ(r.roots[0]->caption, c.tree);
        } else {
            EXPECT_EQ(test::dumpForest(r.roots), c.tree);
        }
    }
}

// The walk over an element's text never leaves the element, whatever node kinds the tree
// holds: here an entity reference, whose children are the declaration in the DTD.
TEST(HostileXml, TextWalkStaysInsideTheElement) {
    const std::string bytes = fixture("hostile-xml/entity-in-loc.xml");
    xml::Doc doc(xmlReadMemory(bytes.data(), static_cast<int>(bytes.size()), nullptr, nullptr,
                               XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING));
    ASSERT_TRUE(doc);
    const xmlNode* loc = xmlDocGetRootElement(doc.get());
    while (loc && !xml::isElement(loc, "loc")) loc = xml::nextNode(loc, xmlDocGetRootElement(doc.get()));
    ASSERT_TRUE(loc);
    bool sawReference = false;
    int steps = 0;
    for (const xmlNode* n = loc->children; n && steps < 100; n = xml::nextNode(n, loc), ++steps) {
        sawReference = sawReference || n->type == XML_ENTITY_REF_NODE;
        bool inside = false;
        for (const xmlNode* p = n->parent; p && !inside; p = p->parent) inside = p == loc;
        EXPECT_TRUE(inside) << "node type " << n->type << " outside <loc>";
    }
    EXPECT_TRUE(sawReference);
    EXPECT_LT(steps, 100);
}

// A character set given for the import reaches the XML parser, and a given character set is no
// way around the refusal of entity declarations.
TEST(HostileXml, GivenCharsetIsUsedAndEntitiesStayRefused) {
    const std::string gbkOutline =
        "<?xml version=\"1.0\"?><opml version=\"2.0\"><body>"
        "<outline text=\"\xD4\xC2\xB1\xFD\" url=\"a.html\"/></body></opml>";
    const std::string gbkSitemap =
        "<?xml version=\"1.0\"?><urlset xmlns=\"http://www.sitemaps.org/schemas/sitemap/0.9\">"
        "<url><loc>https://example.com/\xD4\xC2.html</loc></url></urlset>";
    struct Case {
        const char* name;
        std::string bytes;
        const char* charset;
        std::string error;
        std::string tree;
    };
    const Case cases[] = {
        {"GBK outline read as GBK", gbkOutline, "GBK", "", "\xE6\x9C\x88\xE9\xA5\xBC -> a.html\n"},
        {"GBK sitemap read as GBK", gbkSitemap, "GBK", "", ""},
        {"entities, read as UTF-8", fixture("hostile-xml/laughs-text.xml"), "UTF-8",
         test::english(Failure::of(FailureKind::EntitiesRefused)), ""},
        {"entities, read as GBK", fixture("hostile-xml/laughs-attribute.opml"), "GBK",
         test::english(Failure::of(FailureKind::EntitiesRefused)), ""},
        {"parameter entity, read as Latin-1", fixture("hostile-xml/parameter-entity.xml"), "ISO-8859-1",
         test::english(Failure::of(FailureKind::EntitiesRefused)), ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ImportOptions options;
        options.charset = c.charset;
        const ImportResult r = importBytes(c.bytes, options);
        EXPECT_EQ(test::english(r.failure), c.error);
        if (!c.error.empty()) continue;
        if (c.tree.empty()) {
            EXPECT_EQ(r.roots.size(), 1u);
        } else {
            EXPECT_EQ(test::dumpForest(r.roots), c.tree);
        }
    }
}

}  // namespace
}  // namespace sylvanode

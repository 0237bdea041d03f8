// SPDX-License-Identifier: MIT
// Every reader of import on arbitrary bytes (pages, Markdown, outlines, JSON trees, OPML,
// sitemaps): no crash, no leak, and a tree that exports and reads back whole.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "exchange/exporter.h"
#include "exchange/html_list_reader.h"
#include "exchange/importer.h"
#include "exchange/json_format.h"
#include "exchange/markdown_reader.h"
#include "exchange/outline_reader.h"
#include "exchange/xml_formats.h"

namespace {

using namespace sylvanode;

void checkReadsBack(ImportResult& r) {
    if (!r) return;
    MenuScheme scheme;
    adoptImport(scheme, r);
    const int items = scheme.itemCount();
    // Our JSON and jsTree's carry every item at any depth: both must read back to as many items.
    for (ExportFormat format : {ExportFormat::Json, ExportFormat::JsTree}) {
        ImportResult back = readMenuJson(exportScheme(scheme, format).bytes);
        if (!back) __builtin_trap();
        MenuScheme again;
        adoptImport(again, back);
        if (again.itemCount() != items) __builtin_trap();
    }
    std::string text;
    if (exportOutline(scheme, text)) {
        ImportResult back = readOutline(text);
        if (!back) __builtin_trap();  // an outline the exporter wrote must read back
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    ImportResult results[] = {readHtmlList(bytes), readMarkdown(bytes), readOutline(bytes),
                              readMenuJson(bytes), readOpml(bytes),     readSitemap(bytes),
                              importBytes(bytes)};
    for (ImportResult& r : results) checkReadsBack(r);
    // A selector and a character set from the input's first line.
    const size_t line = bytes.find('\n');
    if (line != std::string_view::npos && line < 64) {
        ImportOptions options;
        options.select = std::string(bytes.substr(0, line));
        options.charset = line % 2 ? "windows-1252" : "gbk";
        ImportResult selected = importBytes(bytes.substr(line + 1), options);
        checkReadsBack(selected);
    }
    return 0;
}

// SPDX-License-Identifier: MIT
// The HTML list reader and the outline reader on arbitrary bytes: no crash, no leak, and a
// tree that exports and reads back.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "exchange/exporter.h"
#include "exchange/html_list_reader.h"
#include "exchange/importer.h"
#include "exchange/outline_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace sylvanode;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    ImportResult html = readHtmlList(bytes);
    ImportResult outline = readOutline(bytes);
    ImportResult guessed = importBytes(bytes);
    for (ImportResult* r : {&html, &outline, &guessed}) {
        if (!*r) continue;
        MenuScheme scheme;
        adoptImport(scheme, *r);
        std::string text;
        if (exportOutline(scheme, text)) {
            ImportResult back = readOutline(text);
            if (!back) __builtin_trap();  // an outline the reader wrote must read back
        }
    }
    return 0;
}

// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>

#include "model/menu_scheme.h"
#include "platform/failure.h"

namespace sylvanode {

enum class ExportFormat { Html, Outline, Opml, Json, JsTree };

// "html", "outline", "opml", "json" or "jstree".
bool parseExportFormat(std::string_view name, ExportFormat& format);
// The usual file ending of a format, with the dot (".html", ".txt", ".opml", ".json").
const char* exportFormatName(ExportFormat format);
const char* exportFileEnding(ExportFormat format);

struct ExportResult {
    std::string bytes;
    Failure failure;  // why the tree cannot be written in this format
    explicit operator bool() const { return !failure; }
};

// The scheme's tree in a format. HTML is a <nav data-sylvanode="tree<suffix>"> fragment in
// the scheme's character set (GBK bytes as held, or UTF-8 for a UTF-8 scheme); the
// outline, OPML and JSON (ours and jsTree's) are UTF-8. The suffix is the scheme's menuSuffix.
ExportResult exportScheme(const MenuScheme& scheme, ExportFormat format);

// The nav fragment alone (scheme bytes); see exportScheme.
std::string exportHtmlNav(const MenuScheme& scheme);
// Outline text that readOutline reads back into the same tree (titles, links, hints,
// scripts); false when the tree is too deep to indent in reasonable room.
bool exportOutline(const MenuScheme& scheme, std::string& out);
std::string exportOpml(const MenuScheme& scheme);

}  // namespace sylvanode

// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>

#include "exchange/imported_tree.h"

namespace sylvanode {

// A sitemap (<urlset> of <url><loc>) as a tree by path segment: each segment is an item
// titled by the segment, percent-decoded, without a .html/.htm ending; a segment that has a
// page of its own (the address itself, with or without "/" or index.html) links to it.
// Addresses of several hosts get one top-level item per host; a site's home page comes
// first, titled by its host name.
// `charset`, when set, overrides the encoding the file declares.
ImportResult readSitemap(std::string_view bytes, const std::string& charset = {});

// An OPML outline: each <outline> element an item, titled by its text (else title)
// attribute, linked to its url (else htmlUrl, else xmlUrl), with its _note as the hint. The
// attributes target, hint, status, icon1, icon2 and script that the export writes are read
// back; head/title is the report's title.
ImportResult readOpml(std::string_view bytes, const std::string& charset = {});

}  // namespace sylvanode

// SPDX-License-Identifier: MIT
#pragma once

#include <string_view>

#include "exchange/imported_tree.h"

namespace sylvanode {

// A sitemap (<urlset> of <url><loc>) as a tree by path segment: each segment is an item
// titled by the segment, percent-decoded, without a .html/.htm ending; a segment that has a
// page of its own (the address itself, with or without "/" or index.html) links to it.
// Addresses of several hosts get one top-level item per host; a site's home page comes
// first, titled by its host name.
ImportResult readSitemap(std::string_view bytes);

// An OPML outline: each <outline> element an item, titled by its text (else title)
// attribute, linked to its url (else htmlUrl, else xmlUrl). The attributes target, hint,
// status, icon1, icon2 and script that the export writes are read back.
ImportResult readOpml(std::string_view bytes);

}  // namespace sylvanode

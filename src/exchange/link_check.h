// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <vector>

#include "model/menu_scheme.h"
#include "platform/failure.h"

namespace sylvanode {

enum class LinkProblemKind {
    Missing,       // no such file, or a folder without index.html / index.htm
    NotPortable,   // a file:/// link or a drive path: works on this computer only
    ScriptInLink,  // javascript: in a link field
    EmptyLink,     // a page item (an item without children) that links nowhere
    Duplicate,     // the same link as an earlier item: a warning unless the check is strict
    NotChecked,    // an absolute address (http, https, mailto, ...): listed, not a fault
    OutsideRoot,   // resolves outside the folder checked against (through "..", "%2e%2e" or a link)
    MissingAnchor, // page.html#id where the page has no element with that id (or <a name>)
};

struct LinkProblem {
    int item = -1;      // item index; -1 for a default icon of the settings
    std::string title;  // the item's title (scheme bytes)
    std::string field;  // "link", "icon1", "icon2", or "fileIcon", "folderIcon1", "folderIcon2"
    LinkProblemKind kind = LinkProblemKind::Missing;
    std::string value;   // the link or path as written (scheme bytes); for Missing the path looked for
    int firstItem = -1;  // Duplicate: the earlier item with the same link
    bool warning = false;  // reported, but not a fault (a duplicate link of a check that is not strict)
    bool isFault() const { return kind != LinkProblemKind::NotChecked && !warning; }
};

struct LinkCheckOptions {
    std::vector<std::string> ignore;  // glob patterns (fnmatch, "*" crosses "/"): links left unchecked
    bool strict = false;              // duplicate links are faults, not warnings
};

struct LinkCheckResult {
    std::vector<LinkProblem> problems;  // in item order, the settings' icons first
    Failure failure;                    // the root folder cannot be used (NoRootFolder)
    int faults() const;
};

// Checks every item's link and icons and the default icons against the folder `root`
// (a native path): ?query removed, %XX decoded, "/" leading or not both count from the root,
// and nothing may lead outside it. A #fragment of a local page must name an element's id
// (or an <a name>) in that page; "#top" and a place on the menu's own page always do.
LinkCheckResult checkLinks(const MenuScheme& scheme, const std::string& root, const LinkCheckOptions& options = {});

// The folder links are checked against: the work directory when set (a relative one taken
// from the scheme file's folder), else the folder of the scheme file. Empty when there is neither.
std::string linkRootOf(const MenuScheme& scheme);

// One line, UTF-8: item 12 "产品介绍": missing products/intro.htm
std::string linkProblemLine(const LinkProblem& problem);
// The problem alone, UTF-8: missing products/intro.htm
std::string linkProblemText(const LinkProblem& problem);
// All problems as a JSON array (UTF-8).
std::string linkProblemsJson(const LinkCheckResult& result);

}  // namespace sylvanode

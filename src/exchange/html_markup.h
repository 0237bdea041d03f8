// SPDX-License-Identifier: MIT
#pragma once

// What the page readers of this folder share: how markup reads as menu items.

#include <string>
#include <string_view>
#include <vector>

#include "exchange/imported_tree.h"
#include "exchange/xml_support.h"

namespace sylvanode::html {

bool isList(const xmlNode* n);
// Elements whose content is never text of a page: scripts, styles, templates.
bool isSkipped(const xmlNode* n);
// A <nav> or an element with role="navigation".
bool isNavigation(const xmlNode* n);
// Whether the element's class attribute holds this token.
bool hasClass(const xmlNode* n, std::string_view token);
// Text that only screen readers get (sr-only, visually-hidden, screen-reader-text).
bool isScreenReaderOnly(const xmlNode* n);

// Text of an element as a reader sees it: without the lists and navigations nested in it
// (unless the element is one), scripts, styles and screen-reader-only text, and without the
// elements of `except` and what is inside them. White space collapsed.
std::string ownText(const xmlNode* element, const std::vector<const xmlNode*>& except = {});

// An <a> or <button> that makes a menu item: a link somewhere, a script, or at least a title.
bool isActive(const xmlNode* n);

// Opens an item titled `title` for an element: a link or a button gives its hint, link,
// target or script, and the icons and status of the export's data- attributes. The caller
// closes the item.
MenuItemData& openItem(const xmlNode* element, std::string title, ForestBuilder& builder);

// The title an <a> or <button> gives: its text, else its title attribute, else an image's alt.
std::string activeTitle(const xmlNode* element);

// A short piece of markup naming an element: <nav id="main" class="menu primary">.
std::string describeElement(const xmlNode* n);

// A link that leads somewhere: not empty, not "#", not a void script.
bool leadsSomewhere(const xmlNode* a);

// A walk over every node below `root` (root included) in document order without recursion:
// enter(node) says whether to go into its children; leave(node) follows every enter, after
// the children.
template <class Enter, class Leave>
void walkNodes(const xmlNode* root, Enter&& enter, Leave&& leave) {
    const xmlNode* n = root;
    while (n) {
        if (enter(n) && n->children) {
            n = n->children;
            continue;
        }
        while (true) {
            leave(n);
            if (n == root) return;
            if (n->next) {
                n = n->next;
                break;
            }
            n = n->parent;
        }
    }
}

}  // namespace sylvanode::html

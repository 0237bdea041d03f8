// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>

#include "platform/failure.h"

namespace sylvanode {

// The simple forms of a CSS selector as an XPath 1.0 expression over an HTML document:
// type selectors and *, #id, .class, [attr], [attr=value] (also ~= ^= $= *= |=), the
// descendant, child (>), next-sibling (+) and later-sibling (~) combinators, and lists (,).
// False with `error` set (BadSelector) for anything else (pseudo-classes, namespaces, escapes).
bool cssToXPath(std::string_view css, std::string& xpath, Failure& error);

// No failure when `select` is an element id or a selector cssToXPath reads, else why it is not.
Failure unreadableSelector(std::string_view select);

}  // namespace sylvanode

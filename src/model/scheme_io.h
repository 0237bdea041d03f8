#pragma once

#include <string>
#include <string_view>

#include "model/menu_scheme.h"

namespace sylvanode {

// Result of a load or save: success, or the reason (which item, key or line, what was wrong).
struct SchemeResult {
    bool ok = true;
    std::string reason;
    bool ioError = false;  // the file could not be read or written (as opposed to rejected)
    explicit operator bool() const { return ok; }
    static SchemeResult failure(std::string why) { return {false, std::move(why), false}; }
    static SchemeResult ioFailure(std::string why) { return {false, std::move(why), true}; }
};

// The text of the scheme file, CR LF line ends, GBK bytes as held.
std::string writeSchemeText(const MenuScheme& scheme);
// Writes the scheme file atomically; the scheme itself is not changed.
SchemeResult writeSchemeFile(const MenuScheme& scheme, const std::string& path);

// Reads a scheme file's text into `scheme`. On success the tree, settings (menuSuffix
// emptied) and both kinds are replaced. On failure settings and kinds are untouched
// and the tree keeps whatever nodes were added before the failure.
// The tree is expected to be empty; fileName and modified are the caller's.
SchemeResult readSchemeText(MenuScheme& scheme, std::string_view text);
SchemeResult readSchemeFile(MenuScheme& scheme, const std::string& path);

}  // namespace sylvanode

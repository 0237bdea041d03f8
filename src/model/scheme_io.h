// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>

#include "model/menu_scheme.h"
#include "platform/failure.h"
#include "platform/safe_file.h"

namespace sylvanode {

// Result of a load or save: success, or the failure (which item or file, what was wrong).
// Nothing is thrown out of the functions below, not even std::bad_alloc.
struct SchemeResult {
    bool ok = true;
    Failure failure;
    bool ioError = false;  // the file could not be read or written (as opposed to rejected)
    explicit operator bool() const { return ok; }
    // An allocation failed (ioError is set too): the file may well be fine.
    bool outOfMemory() const { return failure.kind == FailureKind::OutOfMemory; }
    static SchemeResult rejected(Failure why) { return {false, std::move(why), false}; }
    static SchemeResult ioFailure(Failure why) { return {false, std::move(why), true}; }
    static SchemeResult from(const IoResult& r) { return r ? SchemeResult{} : ioFailure(r.failure); }
};

// The text of the scheme file, CR LF line ends, GBK bytes as held. A text value
// that reading would change (a blank or tab at either end, or one matching pair of
// outer quotes) is written inside double quotes, which reading removes again, so
// write -> read -> write gives the same bytes. May throw std::bad_alloc.
std::string writeSchemeText(const MenuScheme& scheme);
// Writes the scheme file atomically; the scheme itself is not changed.
SchemeResult writeSchemeFile(const MenuScheme& scheme, const std::string& path);

// Reads a scheme file's text into `scheme`. On success the tree, settings (menuSuffix
// emptied) and both kinds are replaced. On failure settings and kinds are untouched
// and the tree keeps whatever nodes were added before the failure, so a caller that
// must not show a broken file reads into a fresh scheme and takes it over with
// MenuScheme::swap only on success.
// The tree is expected to be empty; fileName and modified are the caller's.
// Time and memory are linear in the text's size, whatever it holds.
SchemeResult readSchemeText(MenuScheme& scheme, std::string_view text);
// The same for a regular file of at most 512 MiB (see readWholeFile).
SchemeResult readSchemeFile(MenuScheme& scheme, const std::string& path);

}  // namespace sylvanode

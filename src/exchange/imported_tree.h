// SPDX-License-Identifier: MIT
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "model/menu_scheme.h"

namespace sylvanode {

// What a reader hands back: a forest of items with scheme-byte texts, or one line saying
// why there is none. Folder images are set (closed folder for a node with children,
// file otherwise); nothing is half-built on failure.
struct ImportResult {
    std::vector<std::unique_ptr<MenuNode>> roots;
    std::string error;    // empty on success; one line of UTF-8
    std::string workDir;  // set by importPath: the folder or the file's folder, ending in "/"
    bool cancelled = false;  // the failure is a cancellation (the error says so)
    explicit operator bool() const { return error.empty(); }
    static ImportResult failure(std::string why) {
        ImportResult r;
        r.error = std::move(why);
        return r;
    }
    static ImportResult cancellation();
};

// Builds a forest in document order: open an item, add children under it, close it.
// The texts given are UTF-8 and become scheme bytes (GBK, GB18030 for what GBK lacks).
class ForestBuilder {
public:
    // Starts a new item as the last child of the open item (or a new root) and opens it.
    MenuItemData& open(std::string_view utf8Title);
    void close();
    // An item without children: open and close at once.
    MenuItemData& leaf(std::string_view utf8Title) {
        MenuItemData& d = open(utf8Title);
        close();
        return d;
    }
    int depth() const { return static_cast<int>(stack_.size()); }
    size_t count() const { return count_; }
    // Closes what is open, sets the images and hands the forest over.
    std::vector<std::unique_ptr<MenuNode>> finish();

private:
    std::vector<std::unique_ptr<MenuNode>> roots_;
    std::vector<MenuNode*> stack_;
    size_t count_ = 0;
};

// UTF-8 text as scheme bytes; a text that is not UTF-8 is kept as it is.
std::string toSchemeText(std::string_view utf8);
// Runs of white space become one space; none at either end.
std::string collapseWhiteSpace(std::string_view text);

// A new-item record with every text empty, the way imported items start.
MenuItemData emptyItem();

}  // namespace sylvanode

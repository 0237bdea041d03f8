// SPDX-License-Identifier: MIT
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "model/menu_scheme.h"
#include "platform/failure.h"

namespace sylvanode {

// One place of a page that could be the menu: "<nav class=\"main\">", "<ul> in <footer>".
struct MenuCandidate {
    std::string element;  // UTF-8, as a short piece of markup
    size_t items = 0;
};

// How a menu was found in a page, a Markdown file or a frameset; what a user needs to
// know to take another one (with --select).
enum class MenuSource {
    Whole,         // the file is the menu (outline, OPML, sitemap, JSON, folder)
    List,          // a list of the page
    LinkCluster,   // links in table cells or blocks, nested by their indent, no list
    Headings,      // the headings of a Markdown file
};

struct ImportReport {
    std::string kind;                    // "html", "markdown", "json", ...
    std::string charset;                 // the text's character set, as iconv names it
    std::string charsetSource;           // "given", "declared", "detected", ...
    MenuSource source = MenuSource::Whole;
    MenuCandidate taken;                 // the list or block taken (List, LinkCluster)
    std::vector<MenuCandidate> alsoFound;  // other candidates, best first
    std::string frame;                   // the frame file of a frameset the menu came from
    size_t laterChildren = 0;            // folders whose children a tree widget loads later
    std::string title;                   // the outline's own title (OPML head/title)
};

// What a reader hands back: a forest of items with scheme-byte texts, or the failure saying
// why there is none. Folder images are set (closed folder for a node with children,
// file otherwise); nothing is half-built on failure.
struct ImportResult {
    std::vector<std::unique_ptr<MenuNode>> roots;
    Failure failure;      // none on success
    bool unreadable = false;  // the file could not be read at all
    std::string workDir;  // set by importPath: the folder or the file's folder, ending in "/"
    ImportReport report;
    // A frameset page: its frames' sources, as written, when the page itself has no menu.
    std::vector<std::string> frames;
    explicit operator bool() const { return !failure; }
    bool cancelled() const { return failure.kind == FailureKind::Cancelled; }
    static ImportResult failed(Failure why) {
        ImportResult r;
        r.failure = std::move(why);
        return r;
    }
    // A failure of the file read as `format`.
    static ImportResult failed(FailureKind kind, DataFormat format = DataFormat::Any) {
        return failed(Failure::of(kind).withFormat(format));
    }
    static ImportResult cancellation();
};

// The settings an import gives a new scheme: the work directory, the outline's title, and
// "_self" as the default target when no imported link names a target of its own (links of a
// page open in the same window unless they say otherwise).
void applyImportSettings(SchemeSettings& settings, const ImportResult& result);

// Builds a forest in document order: open an item, add children under it, close it.
// The texts given are UTF-8 and become scheme bytes (GBK, GB18030 for what GBK lacks).
class ForestBuilder {
public:
    // Starts a new item as the last child of the open item (or a new root) and opens it.
    MenuItemData& open(std::string_view utf8Title);
    void close();
    // The open item is shown expanded in the editor.
    void expandOpen();
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
    std::vector<bool> expanded_;
    size_t count_ = 0;
};

// UTF-8 text as scheme bytes; a text that is not UTF-8 is kept as it is.
std::string toSchemeText(std::string_view utf8);
// Runs of white space become one space; none at either end.
std::string collapseWhiteSpace(std::string_view text);

// A new-item record with every text empty, the way imported items start.
MenuItemData emptyItem();

}  // namespace sylvanode

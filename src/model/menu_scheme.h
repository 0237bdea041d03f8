// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "model/scheme_text.h"

namespace sylvanode {

// One CSS style; every text is GBK bytes, empty means "not set".
struct CssStyle {
    std::string fontName;
    int32_t fontSize = -1;   // points, -1 = not set
    int32_t fontStyle = -1;  // -1 not set, 0 normal, 1 bold, 2 italic, 3 bold italic
    bool underline = false;
    std::string backgroundColor;  // colour texts (see colors.h)
    std::string textColor;
    std::string borderColor;
    bool useBorder = false;
    int32_t borderWidth = 1;

    bool operator==(const CssStyle&) const = default;
};

enum PaddingSide { PadTop = 0, PadBottom = 1, PadLeft = 2, PadRight = 3 };

// Layout and styles of one item kind: kinds[0] folders, kinds[1] files.
struct KindStyle {
    std::array<int32_t, 4> padding{0, 0, 2, 5};  // top, bottom, left, right
    int32_t height = 0;
    std::array<CssStyle, 3> styles{};             // normal, hover, select

    bool operator==(const KindStyle&) const = default;
};

// Style slots 1..6 across both kinds (the scheme file numbers them 0..5).
enum class StyleSlot : int { FolderNormal = 1, FolderHover, FolderSelect, FileNormal, FileHover, FileSelect };

// Character set of the generated script: GBK (the scheme's own bytes) or UTF-8.
enum class ScriptCharset { Gbk, Utf8 };

struct SchemeSettings {
    std::string workDir;
    std::string fileIcon;
    std::string folderIcon1;
    std::string folderIcon2;
    std::string menuSuffix;  // memory only, never written to the scheme file
    std::string target = "_blank";
    std::string lineFolder = "./";
    int32_t indent = 13;
    bool useImage = true;
    bool useTitleAsHint = true;
    bool useTitleAsStatus = true;
    bool showHint = true;
    bool showStatus = true;
    bool showSelect = true;
    bool showLine = false;
    ScriptCharset scriptCharset = ScriptCharset::Gbk;  // [Config] charset, written only when not GBK
    std::string title;  // the menu's own title (an imported outline's), [Config] title, written only when set

    bool operator==(const SchemeSettings&) const = default;
};

// The name a new item starts with.
const SchemeText& newItemName();

struct MenuItemData {
    SchemeText menuName = newItemName();
    SchemeText menuHint;
    SchemeText menuStatus;
    SchemeText menuIcon1;
    SchemeText menuIcon2;
    SchemeText menuScript;
    SchemeText menuLink;
    SchemeText menuTarget;
    int32_t contentType = 0;  // 0 link, anything else script

    bool operator==(const MenuItemData&) const = default;
};

enum ImageIndex : int8_t { ImageFolderClosed = 0, ImageFolderOpen = 1, ImageFile = 2 };

// A node of the item forest. Owns its children and its record; destruction
// is iterative, so arbitrarily deep chains are released without recursion.
class MenuNode {
public:
    MenuNode();
    explicit MenuNode(MenuItemData d);
    ~MenuNode();
    MenuNode(const MenuNode&) = delete;
    MenuNode& operator=(const MenuNode&) = delete;
    // Nodes come from a pool of their own (see menu_scheme.cpp).
    static void* operator new(size_t size);
    static void operator delete(void* memory, size_t size) noexcept;

    SchemeText caption;
    // The two small fields below live in the record's tail padding: a loaded 100,000-item
    // scheme is mostly nodes, and this keeps a node within one 112-byte allocation.
    [[no_unique_address]] MenuItemData data;
    int8_t imageIndex = ImageFile;
    bool expanded = false;

    MenuNode* parent() const { return parent_; }
    const std::vector<std::unique_ptr<MenuNode>>& children() const { return children_ ? *children_ : noChildren(); }
    bool hasChildren() const { return children_ && !children_->empty(); }
    MenuNode* firstChild() const { return hasChildren() ? children_->front().get() : nullptr; }
    MenuNode* lastChild() const { return hasChildren() ? children_->back().get() : nullptr; }
    int childCount() const { return children_ ? static_cast<int>(children_->size()) : 0; }
    MenuNode* child(int i) const { return (*children_)[static_cast<size_t>(i)].get(); }

    // Appends a new last child with a new-item record and returns it.
    MenuNode* appendChild(std::unique_ptr<MenuNode> node);
    MenuNode* appendChild();
    MenuNode* insertChild(int row, std::unique_ptr<MenuNode> node);
    std::unique_ptr<MenuNode> takeChild(int row);
    std::vector<std::unique_ptr<MenuNode>>& mutableChildren();

    bool isFile() const { return imageIndex == ImageFile; }
    // Closed/open folder by expansion when it has children, file otherwise.
    void refreshImage();

private:
    friend class MenuScheme;
    static const std::vector<std::unique_ptr<MenuNode>>& noChildren();
    MenuNode* parent_ = nullptr;
    // Only a folder has a list: most items are leaves, and a list costs three words.
    std::unique_ptr<std::vector<std::unique_ptr<MenuNode>>> children_;
};

// Level of a node: 0 for a root.
int nodeLevel(const MenuNode* node);
// Position of a node among its siblings (roots: among the roots of `scheme`).
class MenuScheme;
int siblingIndex(const MenuScheme& scheme, const MenuNode* node);
MenuNode* nextSibling(const MenuScheme& scheme, const MenuNode* node);
MenuNode* previousSibling(const MenuScheme& scheme, const MenuNode* node);
bool isAncestorOf(const MenuNode* ancestor, const MenuNode* node);

void resetStyle(CssStyle& style);
void resetKind(KindStyle& kind);

class MenuScheme {
public:
    MenuScheme();
    ~MenuScheme();
    MenuScheme(const MenuScheme&) = delete;
    MenuScheme& operator=(const MenuScheme&) = delete;

    SchemeSettings settings;
    std::array<KindStyle, 2> kinds{};
    std::string fileName;
    bool modified = false;

    const std::vector<std::unique_ptr<MenuNode>>& roots() const { return roots_; }
    std::vector<std::unique_ptr<MenuNode>>& mutableRoots() { return roots_; }
    MenuNode* appendRoot(std::unique_ptr<MenuNode> node);
    MenuNode* appendRoot();
    MenuNode* insertRoot(int row, std::unique_ptr<MenuNode> node);
    std::unique_ptr<MenuNode> takeRoot(int row);
    // Detaches a node (with its subtree) from wherever it hangs.
    std::unique_ptr<MenuNode> detach(MenuNode* node);
    // Releases a node with all its descendants and their records.
    void removeNode(MenuNode* node);
    void clearTree();

    // Sets settings (with workDir = executable directory) and both kinds to new-scheme values.
    void reset();
    // Exchanges the whole documents (tree, settings, kinds, file name, modified flag);
    // no node moves in memory, so node pointers stay valid and follow their tree.
    void swap(MenuScheme& other) noexcept;

    bool empty() const { return roots_.empty(); }
    int itemCount() const;
    // All nodes in pre-order (the item index order).
    std::vector<MenuNode*> flatten() const;
    MenuNode* nodeAt(int index) const;  // O(n); use flatten() in loops
    const std::vector<std::unique_ptr<MenuNode>>& siblingsOf(const MenuNode* node) const;

private:
    std::vector<std::unique_ptr<MenuNode>> roots_;
};

// Pre-order walk without recursion; visit(node, level).
template <class Visit>
void forEachPreOrder(const std::vector<std::unique_ptr<MenuNode>>& roots, Visit&& visit) {
    struct Frame {
        const std::vector<std::unique_ptr<MenuNode>>* list;
        size_t next;
    };
    std::vector<Frame> stack;
    stack.push_back({&roots, 0});
    while (!stack.empty()) {
        Frame& f = stack.back();
        if (f.next == f.list->size()) {
            stack.pop_back();
            continue;
        }
        MenuNode* node = (*f.list)[f.next++].get();
        const int level = static_cast<int>(stack.size()) - 1;
        visit(node, level);
        if (node->hasChildren()) stack.push_back({&node->children(), 0});
    }
}

}  // namespace sylvanode

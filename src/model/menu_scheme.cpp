// SPDX-License-Identifier: MIT
#include "model/menu_scheme.h"

#include <algorithm>
#include <cstdlib>
#include <mutex>
#include <new>

#include "platform/paths.h"

namespace sylvanode {

const SchemeText& newItemName() {
    static const SchemeText name("New Item");
    return name;
}

#if defined(__x86_64__) || defined(__aarch64__)
static_assert(sizeof(MenuNode) <= 104, "a loaded scheme is mostly nodes: keep a node small");
#endif

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kPooled = false;  // the sanitizer checks each node only when the heap serves it
#else
constexpr bool kPooled = true;
#endif

// Nodes are many, small and all of one size: they come from slabs, without a heap block's
// header each, and a freed node's place is reused by the next. Slabs are kept for the
// process's life. Imports build nodes on another thread, so the pool is locked.
class NodePool {
public:
    void* take() {
        std::lock_guard<std::mutex> lock(mutex_);
        if (!free_) grow();
        FreeSlot* slot = free_;
        free_ = slot->next;
        return slot;
    }
    void give(void* memory) noexcept {
        std::lock_guard<std::mutex> lock(mutex_);
        auto* slot = static_cast<FreeSlot*>(memory);
        slot->next = free_;
        free_ = slot;
    }

private:
    struct FreeSlot {
        FreeSlot* next;
    };
    static constexpr size_t kSlabNodes = 1000;  // a slab of ~100 KB stays on the main heap
    void grow() {
        auto* slab = static_cast<char*>(std::malloc(kSlabNodes * sizeof(MenuNode)));
        if (!slab) throw std::bad_alloc();
        for (size_t i = kSlabNodes; i-- > 0;) {
            auto* slot = reinterpret_cast<FreeSlot*>(slab + i * sizeof(MenuNode));
            slot->next = free_;
            free_ = slot;
        }
    }
    std::mutex mutex_;
    FreeSlot* free_ = nullptr;
};

NodePool& nodePool() {
    static NodePool* pool = new NodePool;  // never destroyed: nodes may die during exit
    return *pool;
}

}  // namespace

void* MenuNode::operator new(size_t size) {
    if (!kPooled || size != sizeof(MenuNode)) return ::operator new(size);
    return nodePool().take();
}

void MenuNode::operator delete(void* memory, size_t size) noexcept {
    if (!memory) return;
    if (!kPooled || size != sizeof(MenuNode)) {
        ::operator delete(memory);
        return;
    }
    nodePool().give(memory);
}

MenuNode::MenuNode() { caption = data.menuName; }

MenuNode::MenuNode(MenuItemData d) : caption(d.menuName), data(std::move(d)) {}

MenuNode::~MenuNode() {
    if (!children_) return;
    // Move every descendant into one list before they die, so no destructor recurses.
    std::vector<std::unique_ptr<MenuNode>> pending = std::move(*children_);
    while (!pending.empty()) {
        std::unique_ptr<MenuNode> n = std::move(pending.back());
        pending.pop_back();
        if (!n->children_) continue;
        for (auto& c : *n->children_) pending.push_back(std::move(c));
        n->children_.reset();
    }
}

const std::vector<std::unique_ptr<MenuNode>>& MenuNode::noChildren() {
    static const std::vector<std::unique_ptr<MenuNode>> none;
    return none;
}

std::vector<std::unique_ptr<MenuNode>>& MenuNode::mutableChildren() {
    if (!children_) children_ = std::make_unique<std::vector<std::unique_ptr<MenuNode>>>();
    return *children_;
}

MenuNode* MenuNode::appendChild(std::unique_ptr<MenuNode> node) {
    node->parent_ = this;
    std::vector<std::unique_ptr<MenuNode>>& list = mutableChildren();
    list.push_back(std::move(node));
    return list.back().get();
}

MenuNode* MenuNode::appendChild() { return appendChild(std::make_unique<MenuNode>()); }

MenuNode* MenuNode::insertChild(int row, std::unique_ptr<MenuNode> node) {
    node->parent_ = this;
    std::vector<std::unique_ptr<MenuNode>>& list = mutableChildren();
    auto it = list.insert(list.begin() + row, std::move(node));
    return it->get();
}

std::unique_ptr<MenuNode> MenuNode::takeChild(int row) {
    auto it = children_->begin() + row;
    std::unique_ptr<MenuNode> n = std::move(*it);
    children_->erase(it);
    n->parent_ = nullptr;
    return n;
}

void MenuNode::refreshImage() {
    if (hasChildren())
        imageIndex = expanded ? ImageFolderOpen : ImageFolderClosed;
    else
        imageIndex = ImageFile;
}

int nodeLevel(const MenuNode* node) {
    int level = 0;
    for (const MenuNode* p = node->parent(); p; p = p->parent()) ++level;
    return level;
}

bool isAncestorOf(const MenuNode* ancestor, const MenuNode* node) {
    for (const MenuNode* p = node ? node->parent() : nullptr; p; p = p->parent())
        if (p == ancestor) return true;
    return false;
}

const std::vector<std::unique_ptr<MenuNode>>& MenuScheme::siblingsOf(const MenuNode* node) const {
    return node->parent() ? node->parent()->children() : roots_;
}

int siblingIndex(const MenuScheme& scheme, const MenuNode* node) {
    const auto& list = scheme.siblingsOf(node);
    auto it = std::find_if(list.begin(), list.end(), [node](const auto& p) { return p.get() == node; });
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

MenuNode* nextSibling(const MenuScheme& scheme, const MenuNode* node) {
    const auto& list = scheme.siblingsOf(node);
    const int i = siblingIndex(scheme, node);
    return i >= 0 && i + 1 < static_cast<int>(list.size()) ? list[static_cast<size_t>(i) + 1].get() : nullptr;
}

MenuNode* previousSibling(const MenuScheme& scheme, const MenuNode* node) {
    const auto& list = scheme.siblingsOf(node);
    const int i = siblingIndex(scheme, node);
    return i > 0 ? list[static_cast<size_t>(i) - 1].get() : nullptr;
}

void resetStyle(CssStyle& style) { style = CssStyle{}; }

void resetKind(KindStyle& kind) { kind = KindStyle{}; }

MenuScheme::MenuScheme() { reset(); }

MenuScheme::~MenuScheme() { clearTree(); }

MenuNode* MenuScheme::appendRoot(std::unique_ptr<MenuNode> node) {
    node->parent_ = nullptr;
    roots_.push_back(std::move(node));
    return roots_.back().get();
}

MenuNode* MenuScheme::appendRoot() { return appendRoot(std::make_unique<MenuNode>()); }

MenuNode* MenuScheme::insertRoot(int row, std::unique_ptr<MenuNode> node) {
    node->parent_ = nullptr;
    auto it = roots_.insert(roots_.begin() + row, std::move(node));
    return it->get();
}

std::unique_ptr<MenuNode> MenuScheme::takeRoot(int row) {
    auto it = roots_.begin() + row;
    std::unique_ptr<MenuNode> n = std::move(*it);
    roots_.erase(it);
    return n;
}

std::unique_ptr<MenuNode> MenuScheme::detach(MenuNode* node) {
    const int row = siblingIndex(*this, node);
    if (row < 0) return nullptr;
    return node->parent() ? node->parent()->takeChild(row) : takeRoot(row);
}

void MenuScheme::removeNode(MenuNode* node) { detach(node); }

void MenuScheme::clearTree() {
    // Each node's destructor is iterative; releasing the roots one by one keeps it so.
    std::vector<std::unique_ptr<MenuNode>> old = std::move(roots_);
    roots_.clear();
    old.clear();
}

void MenuScheme::reset() {
    settings = SchemeSettings{};
    settings.workDir = executableDirectory();
    resetKind(kinds[0]);
    resetKind(kinds[1]);
}

void MenuScheme::swap(MenuScheme& other) noexcept {
    using std::swap;
    swap(roots_, other.roots_);
    swap(settings, other.settings);
    swap(kinds, other.kinds);
    swap(fileName, other.fileName);
    swap(modified, other.modified);
}

int MenuScheme::itemCount() const {
    int n = 0;
    forEachPreOrder(roots_, [&n](MenuNode*, int) { ++n; });
    return n;
}

std::vector<MenuNode*> MenuScheme::flatten() const {
    std::vector<MenuNode*> out;
    forEachPreOrder(roots_, [&out](MenuNode* n, int) { out.push_back(n); });
    return out;
}

MenuNode* MenuScheme::nodeAt(int index) const {
    if (index < 0) return nullptr;
    MenuNode* found = nullptr;
    int i = 0;
    forEachPreOrder(roots_, [&](MenuNode* n, int) {
        if (i++ == index) found = n;
    });
    return found;
}

}  // namespace sylvanode

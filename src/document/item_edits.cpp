// SPDX-License-Identifier: MIT
#include "document/item_edits.h"

#include "document/edit_commands.h"

namespace sylvanode {
namespace {

const char* const kNewItem = "New Item";

std::unique_ptr<MenuNode> newNode(int contentType) {
    auto node = std::make_unique<MenuNode>();
    node->caption = kNewItem;
    node->data.contentType = contentType;
    return node;
}

std::vector<std::unique_ptr<MenuNode>> one(std::unique_ptr<MenuNode> node) {
    std::vector<std::unique_ptr<MenuNode>> v;
    v.push_back(std::move(node));
    return v;
}

std::unique_ptr<MenuNode> copyOfNode(const MenuNode& n) {
    auto c = std::make_unique<MenuNode>(n.data);
    c->caption = n.caption;
    c->imageIndex = n.imageIndex;
    c->expanded = n.expanded;
    return c;
}

bool move(SchemeDocument& document, const QString& stepName, MenuNode* node, MenuNode* newParent, int row,
          bool expand) {
    document.push(new MoveItemCommand(document, stepName, node, newParent, row, expand));
    return true;
}

}  // namespace

std::unique_ptr<MenuNode> cloneSubtree(const MenuNode& node) {
    auto top = copyOfNode(node);
    std::vector<std::pair<const MenuNode*, MenuNode*>> stack{{&node, top.get()}};
    while (!stack.empty()) {
        auto [from, to] = stack.back();
        stack.pop_back();
        for (const auto& c : from->children()) stack.emplace_back(c.get(), to->appendChild(copyOfNode(*c)));
    }
    return top;
}

bool addRootItem(SchemeDocument& document, int contentType) {
    auto node = newNode(contentType);
    MenuNode* added = node.get();
    document.push(new InsertItemsCommand(document, SchemeDocument::tr("增加根菜单"), nullptr,
                                         static_cast<int>(document.scheme().roots().size()), one(std::move(node)),
                                         added));
    return true;
}

bool addSubItem(SchemeDocument& document) {
    MenuNode* parent = document.currentItem();
    if (!parent) return false;
    document.push(new InsertItemsCommand(document, SchemeDocument::tr("增加子菜单"), parent, parent->childCount(),
                                         one(newNode(0)), parent));
    return true;
}

bool deleteItem(SchemeDocument& document, const QString& stepName) {
    MenuNode* node = document.currentItem();
    if (!node) return false;
    document.push(new RemoveItemCommand(document, stepName.isEmpty() ? SchemeDocument::tr("删除菜单项") : stepName,
                                        node));
    return true;
}

bool moveItem(SchemeDocument& document, int delta) {
    MenuNode* node = document.currentItem();
    if (!node) return false;
    // Only the item's own sibling group changes order.
    const int other = document.rowOf(node) + delta;
    if (other < 0 || other >= static_cast<int>(document.scheme().siblingsOf(node).size())) return false;
    return move(document, delta < 0 ? SchemeDocument::tr("上移") : SchemeDocument::tr("下移"), node, node->parent(),
                other, false);
}

bool outdentItem(SchemeDocument& document) {
    MenuNode* node = document.currentItem();
    if (!node || !node->parent()) return false;
    MenuNode* parent = node->parent();
    return move(document, SchemeDocument::tr("升级"), node, parent->parent(), document.rowOf(parent) + 1, false);
}

bool indentItem(SchemeDocument& document) {
    MenuNode* node = document.currentItem();
    if (!node) return false;
    const int row = document.rowOf(node);
    if (row <= 0) return false;
    MenuNode* newParent = document.scheme().siblingsOf(node)[static_cast<size_t>(row) - 1].get();
    return move(document, SchemeDocument::tr("降级"), node, newParent, newParent->childCount(), true);
}

bool dropItem(SchemeDocument& document, MenuNode* dragged, MenuNode* target) {
    if (!dragged || !document.contains(dragged)) return false;
    if (target && !document.contains(target)) return false;
    if (target == dragged->parent()) return false;  // own parent, or a root item onto empty space
    const int row = static_cast<int>((target ? target->children() : document.scheme().roots()).size());
    return move(document, SchemeDocument::tr("拖放菜单项"), dragged, target, row, true);
}

bool insertItems(SchemeDocument& document, std::vector<std::unique_ptr<MenuNode>> nodes, const QString& stepName) {
    if (nodes.empty()) return false;
    MenuNode* current = document.currentItem();
    MenuNode* parent = current ? current->parent() : nullptr;
    const int row = current ? document.rowOf(current) + 1 : static_cast<int>(document.scheme().roots().size());
    MenuNode* first = nodes.front().get();
    document.push(new InsertItemsCommand(document, stepName, parent, row, std::move(nodes), first));
    return true;
}

bool duplicateItem(SchemeDocument& document) {
    MenuNode* node = document.currentItem();
    if (!node) return false;
    std::vector<std::unique_ptr<MenuNode>> copy;
    copy.push_back(cloneSubtree(*node));
    return insertItems(document, std::move(copy), SchemeDocument::tr("创建副本"));
}

bool editItemField(SchemeDocument& document, MenuNode* node, ItemField field, const MenuItemData& fields) {
    if (!node || !document.contains(node)) return false;
    ItemState before{node->caption, node->data};
    ItemState after = before;
    MenuItemData& d = after.data;
    switch (field) {
        case ItemField::Title:
            d.menuName = fields.menuName;
            after.caption = fields.menuName;
            break;
        case ItemField::Hint: d.menuHint = fields.menuHint; break;
        case ItemField::Status: d.menuStatus = fields.menuStatus; break;
        case ItemField::Icon1: d.menuIcon1 = fields.menuIcon1; break;
        case ItemField::Icon2: d.menuIcon2 = fields.menuIcon2; break;
        case ItemField::Link: d.menuLink = fields.menuLink; break;
        case ItemField::Target: d.menuTarget = fields.menuTarget; break;
        case ItemField::Script: d.menuScript = fields.menuScript; break;
        case ItemField::Action:
            d.contentType = fields.contentType;
            d.menuLink = fields.menuLink;
            d.menuTarget = fields.menuTarget;
            d.menuScript = fields.menuScript;
            break;
    }
    if (d.contentType == 0) {
        d.menuScript.clear();
    } else {
        d.menuLink.clear();
        d.menuTarget.clear();
    }
    // Even an edit that leaves the item as it was (a link typed while the script is chosen)
    // is a step: the author changed a field, and the scheme counts as modified.
    document.push(new ItemEditCommand(document, node, field, std::move(before), std::move(after)));
    return true;
}

bool renameItem(SchemeDocument& document, MenuNode* node, const std::string& title) {
    if (!node || !document.contains(node) || title == node->caption) return false;
    ItemState before{node->caption, node->data};
    ItemState after = before;
    after.caption = after.data.menuName = title;
    // A rename is a step of its own, never merged with typing in the title field.
    document.sealMerging();
    document.push(new ItemEditCommand(document, node, ItemField::Title, std::move(before), std::move(after)));
    document.sealMerging();
    return true;
}

bool changeOptions(SchemeDocument& document, DocumentPart part, const QString& stepName, int mergeKey,
                   const SchemeOptions& after) {
    SchemeOptions before = optionsOf(document.scheme());
    SchemeOptions next = after;
    next.settings.menuSuffix.clear();
    // A change to the same value (a spinner step at the end of its range, a dialog closed with
    // OK as it was) is still a step: the author acted, and the scheme counts as modified.
    document.push(new OptionsCommand(document, part, stepName, mergeKey, std::move(before), std::move(next)));
    return true;
}

}  // namespace sylvanode

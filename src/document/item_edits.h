// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <memory>
#include <string>
#include <vector>

#include "document/scheme_document.h"

namespace sylvanode {

// The editing commands of a document, each one undo step on the document's current item
// (or the item named). Each returns whether it made a step; one that has nothing to act on
// (no current item, no room to move) makes none.

// A new last root item with the given action kind (0 link, 1 script); it becomes current.
bool addRootItem(SchemeDocument& document, int contentType);
// A new last child of the current item, which stays current.
bool addSubItem(SchemeDocument& document);
// The current item with its subtree; `stepName` empty: "删除菜单项".
bool deleteItem(SchemeDocument& document, const QString& stepName = {});
// Up (-1) or down (+1) among its siblings.
bool moveItem(SchemeDocument& document, int delta);
// The item becomes the next sibling of its parent.
bool outdentItem(SchemeDocument& document);
// The item becomes the last child of its previous sibling.
bool indentItem(SchemeDocument& document);
// A dragged item dropped on `target` (none: empty space, so a new last root) becomes its
// last child. A drop on its own parent does nothing; one on itself or into its own subtree
// moves nothing but is a step.
bool dropItem(SchemeDocument& document, MenuNode* dragged, MenuNode* target);
// A forest as the next siblings of the current item (none: new last roots); the first
// becomes current. Paste and duplicate.
bool insertItems(SchemeDocument& document, std::vector<std::unique_ptr<MenuNode>> nodes, const QString& stepName);
bool duplicateItem(SchemeDocument& document);

// One field of an item as the item panel holds it: `fields` gives the texts, the caption
// follows the title. An edit of the action takes the link, target and script from
// `fields` too. The texts of the action not chosen are not kept (the item shows only its
// action), so typing them while the other action is chosen changes nothing (but is a step).
bool editItemField(SchemeDocument& document, MenuNode* node, ItemField field, const MenuItemData& fields);
// A rename in the tree: caption and title.
bool renameItem(SchemeDocument& document, MenuNode* node, const std::string& title);
// Settings or styles as `after` says, a step even when nothing changes; `mergeKey` >= 0 lets
// consecutive changes of one control merge into one step.
bool changeOptions(SchemeDocument& document, DocumentPart part, const QString& stepName, int mergeKey,
                   const SchemeOptions& after);

// A copy of a node with its whole subtree (no recursion, any depth).
std::unique_ptr<MenuNode> cloneSubtree(const MenuNode& node);

}  // namespace sylvanode

// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <memory>
#include <vector>

#include "model/menu_scheme.h"

class QMimeData;

namespace sylvanode {

// Our own clipboard format: the items in the scheme-file format, so every field survives,
// between two running editors too.
inline const QString kItemsMimeType = QStringLiteral("application/x-sylvanode-items");

// The clipboard forms of an item with its subtree: our own format, a plain-text outline
// (two spaces per level, the title, then a tab and the link or the script) and a nested
// HTML list (<ul><li><a href target title>).
std::unique_ptr<QMimeData> itemsToMimeData(const MenuNode& node);
QString itemsToOutline(const MenuNode& node);
QString itemsToHtml(const MenuNode& node);

// The items a paste inserts: our own format first, then an HTML list, then a plain-text
// outline (indentation by spaces or tabs; -, *, + or 1. bullets; Markdown links
// [title](url); "title<TAB>link" lines). Empty when the clipboard holds nothing usable.
std::vector<std::unique_ptr<MenuNode>> itemsFromMimeData(const QMimeData& data);
// Whether a paste may find items there (cheap: what enables the paste command).
bool mayHoldItems(const QMimeData* data);

}  // namespace sylvanode

// SPDX-License-Identifier: MIT
#include "exchange/imported_tree.h"

#include "exchange/import_control.h"

#include "platform/text_encoding.h"

namespace sylvanode {

ImportResult ImportResult::cancellation() { return failed(FailureKind::Cancelled); }

MenuItemData emptyItem() {
    MenuItemData d;
    d.menuName.clear();
    return d;
}

std::string toSchemeText(std::string_view utf8) {
    std::string out;
    if (utf8ToSchemeBytes(utf8, out)) return out;
    return std::string(utf8);
}

std::string collapseWhiteSpace(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    bool pending = false;
    for (char c : text) {
        if (c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v') {
            pending = !out.empty();
            continue;
        }
        if (pending) out.push_back(' ');
        pending = false;
        out.push_back(c);
    }
    return out;
}

void applyImportSettings(SchemeSettings& settings, const ImportResult& result) {
    if (!result.workDir.empty()) settings.workDir = result.workDir;
    settings.title = toSchemeText(result.report.title);
    bool anyTarget = false;
    forEachPreOrder(result.roots, [&](MenuNode* n, int) { anyTarget = anyTarget || !n->data.menuTarget.empty(); });
    if (!anyTarget && !result.roots.empty()) settings.target = "_self";
}

MenuItemData& ForestBuilder::open(std::string_view utf8Title) {
    MenuItemData d = emptyItem();
    d.menuName = toSchemeText(utf8Title);
    auto node = std::make_unique<MenuNode>(std::move(d));
    node->caption = node->data.menuName;
    MenuNode* added;
    if (stack_.empty()) {
        roots_.push_back(std::move(node));
        added = roots_.back().get();
    } else {
        added = stack_.back()->appendChild(std::move(node));
    }
    stack_.push_back(added);
    expanded_.push_back(false);
    ++count_;
    return added->data;
}

void ForestBuilder::expandOpen() {
    if (!expanded_.empty()) expanded_.back() = true;
}

void ForestBuilder::close() {
    if (stack_.empty()) return;
    MenuNode* n = stack_.back();
    stack_.pop_back();
    n->caption = n->data.menuName;
    n->expanded = expanded_.back() && n->hasChildren();
    expanded_.pop_back();
    n->refreshImage();
}

std::vector<std::unique_ptr<MenuNode>> ForestBuilder::finish() {
    while (!stack_.empty()) close();
    count_ = 0;
    return std::move(roots_);
}

}  // namespace sylvanode

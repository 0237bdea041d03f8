// SPDX-License-Identifier: MIT
#include "exchange_support.h"

#include "platform/text_encoding.h"

namespace sylvanode::test {

std::string dumpForest(const std::vector<std::unique_ptr<MenuNode>>& roots, bool allFields) {
    std::string out;
    forEachPreOrder(roots, [&](MenuNode* n, int level) {
        const MenuItemData& d = n->data;
        auto u = [](const std::string& s) { return schemeBytesToUtf8(s); };
        out.append(static_cast<size_t>(level) * 2, ' ');
        out += u(n->caption);
        if (n->caption != d.menuName) out += " <caption differs: " + u(d.menuName) + ">";
        if (!d.menuLink.empty()) out += " -> " + u(d.menuLink);
        if (!d.menuTarget.empty() && allFields) out += " @" + u(d.menuTarget);
        if (!d.menuHint.empty()) out += " {" + u(d.menuHint) + "}";
        if (d.contentType != 0) out += " !" + u(d.menuScript);
        if (!d.menuStatus.empty() && allFields) out += " <" + u(d.menuStatus) + ">";
        if ((!d.menuIcon1.empty() || !d.menuIcon2.empty()) && allFields)
            out += " (" + u(d.menuIcon1) + "|" + u(d.menuIcon2) + ")";
        if (n->hasChildren() != !n->isFile()) out += " <image wrong>";
        out += '\n';
    });
    return out;
}

}  // namespace sylvanode::test

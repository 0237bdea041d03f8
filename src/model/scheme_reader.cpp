#include <string>
#include <unordered_map>

#include "model/colors.h"
#include "model/profile_index.h"
#include "model/scheme_io.h"
#include "platform/safe_file.h"

namespace sylvanode {
namespace {

std::string itemReason(int32_t k, const std::string& what) { return "item " + std::to_string(k) + ": " + what; }

// Rebuilds the forest from stored levels. New nodes are normally appended at the
// end of the pre-order; irregular level sequences can attach a node to an earlier
// branch, so the pre-order of the added nodes is kept explicitly.
class TreeBuilder {
public:
    explicit TreeBuilder(MenuScheme& scheme) : scheme_(scheme) {}

    // Appends `node` as last child of `parent` (depth `parentDepth`), or as a new root.
    MenuNode* attach(MenuNode* parent, int parentDepth, std::unique_ptr<MenuNode> node) {
        if (!parent) {
            MenuNode* n = scheme_.appendRoot(std::move(node));
            spine_.assign(1, n);
            order_.push_back(n);
            depth_.push_back(0);
            return n;
        }
        MenuNode* n = parent->appendChild(std::move(node));
        const size_t pd = static_cast<size_t>(parentDepth);
        if (spine_.size() > pd && spine_[pd] == parent) {
            // The parent lies on the path to the last node: the new node is last in pre-order.
            spine_.resize(pd + 1);
            spine_.push_back(n);
            order_.push_back(n);
            depth_.push_back(parentDepth + 1);
            return n;
        }
        // The new node goes right after the parent's existing subtree; the parent is
        // usually close to the end, so look for it from there.
        size_t i = order_.size() - 1;
        while (order_[i] != parent) --i;
        size_t e = i + 1;
        while (e < order_.size() && depth_[e] > parentDepth) ++e;
        order_.insert(order_.begin() + static_cast<std::ptrdiff_t>(e), n);
        depth_.insert(depth_.begin() + static_cast<std::ptrdiff_t>(e), parentDepth + 1);
        return n;
    }

    MenuNode* nodeAt(size_t preorderIndex) const { return order_[preorderIndex]; }
    int depthAt(size_t preorderIndex) const { return depth_[preorderIndex]; }
    const std::vector<MenuNode*>& order() const { return order_; }

private:
    MenuScheme& scheme_;
    std::vector<MenuNode*> spine_;  // the path from the last root to the last node
    std::vector<MenuNode*> order_;
    std::vector<int> depth_;
};

// "UTF-8" or "utf8" in any letter case; anything else means GBK.
bool isUtf8Name(std::string_view name) {
    std::string lower;
    for (char c : name)
        if (c != '-') lower += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return lower == "utf8";
}

}  // namespace

SchemeResult readSchemeText(MenuScheme& scheme, std::string_view text) {
    const ProfileIndex ini(text);
    using Section = ProfileIndex::Section;
    const Section* config = ini.section("Config");

    const int32_t count = ini.getInt(config, "Count", -1);
    if (count == -1) return SchemeResult::failure("[Config] has no item count");

    SchemeSettings s;
    s.workDir = ini.getString(config, "workDir", "");
    s.fileIcon = ini.getString(config, "fileIcon", "");
    s.folderIcon1 = ini.getString(config, "folderIcon1", "");
    s.folderIcon2 = ini.getString(config, "folderIcon2", "");
    s.menuSuffix.clear();
    s.indent = ini.getInt(config, "indent", 13);
    s.target = ini.getString(config, "target", "");
    s.lineFolder = ini.getString(config, "lineFolder", ".");
    s.useImage = ini.getInt(config, "use image", 1) != 0;
    s.useTitleAsHint = ini.getInt(config, "useTitleAsHint", 1) != 0;
    s.useTitleAsStatus = ini.getInt(config, "useTitleAsStatus", 1) != 0;
    s.showHint = ini.getInt(config, "show hint", 1) != 0;
    s.showStatus = ini.getInt(config, "show status", 1) != 0;
    s.showSelect = ini.getInt(config, "show select", 1) != 0;
    s.showLine = ini.getInt(config, "show line", 0) != 0;
    s.scriptCharset = isUtf8Name(ini.getString(config, "charset", "")) ? ScriptCharset::Utf8 : ScriptCharset::Gbk;

    // First pass: the per-item texts and levels, in file order.
    const Section* names = ini.section("MenuName");
    const Section* levels = ini.section("MenuLevel");
    const Section* hints = ini.section("Hint");
    const Section* icons1 = ini.section("Icon1");
    const Section* icons2 = ini.section("Icon2");
    const Section* status = ini.section("Status");
    std::vector<MenuItemData> records;
    for (int32_t k = 0; k < count; ++k) {
        MenuItemData r;
        r.menuName = ini.getString(names, k, "");
        r.levelRead = ini.getInt(levels, k, -1);
        r.menuHint = ini.getString(hints, k, "");
        r.menuIcon1 = ini.getString(icons1, k, "");
        r.menuIcon2 = ini.getString(icons2, k, "");
        r.menuStatus = ini.getString(status, k, "");
        if (r.levelRead < 0) {
            std::string_view v;
            return SchemeResult::failure(itemReason(
                k, ini.find(levels, k, v) ? "level \"" + std::string(v) + "\" in [MenuLevel] is not a level of 0 or more"
                                          : "[MenuLevel] has no level"));
        }
        records.push_back(std::move(r));
    }

    // Second pass: the tree, driven by the stored levels.
    TreeBuilder tree(scheme);
    std::unordered_map<int32_t, size_t> lastWithLevel;  // level -> latest record index
    MenuNode* c = nullptr;
    int cDepth = -1;
    int32_t p = -1;
    for (size_t k = 0; k < records.size(); ++k) {
        const int32_t L = records[k].levelRead;
        MenuNode* parent = nullptr;
        int parentDepth = -1;
        if (L == 0) {
            parent = nullptr;
        } else if (p < L) {
            parent = c;
            parentDepth = cDepth;
        } else if (p == L) {
            parent = c->parent();
            parentDepth = cDepth - 1;
        } else {
            // Walk back to the latest earlier record of the same level.
            auto it = lastWithLevel.find(L);
            if (it == lastWithLevel.end())
                return SchemeResult::failure(itemReason(static_cast<int32_t>(k),
                                                        "level " + std::to_string(L) +
                                                            " does not fit the items before it"));
            MenuNode* at = tree.nodeAt(it->second);
            parent = at->parent();
            parentDepth = tree.depthAt(it->second) - 1;
        }
        auto node = std::make_unique<MenuNode>(std::move(records[k]));
        c = tree.attach(parent, parentDepth, std::move(node));
        cDepth = parentDepth + 1;
        p = L;
        lastWithLevel[L] = k;
    }

    // Third pass: pictures and actions, by position in the rebuilt tree.
    const Section* contentTypes = ini.section("Content Type");
    const Section* scripts = ini.section("Script");
    const Section* links = ini.section("Link");
    const Section* targets = ini.section("Target");
    const std::vector<MenuNode*>& order = tree.order();
    for (size_t j = 0; j < order.size(); ++j) {
        MenuNode* node = order[j];
        const int32_t key = static_cast<int32_t>(j);
        node->expanded = false;
        node->imageIndex = node->hasChildren() ? ImageFolderClosed : ImageFile;
        MenuItemData& d = node->data;
        d.contentType = ini.getInt(contentTypes, key, 0);
        if (d.contentType != 0) {
            d.menuScript = ini.getString(scripts, key, "");
        } else {
            d.menuLink = ini.getString(links, key, "");
            d.menuTarget = ini.getString(targets, key, "");
        }
    }

    // Styles.
    std::array<KindStyle, 2> kinds{};
    const Section* padding = ini.section("padding");
    const Section* height = ini.section("height");
    for (int k = 0; k < 2; ++k) {
        for (int side = 0; side < 4; ++side) kinds[k].padding[side] = ini.getInt(padding, k * 4 + side, 0);
        kinds[k].height = ini.getInt(height, k, 0);
    }
    const Section* useBorder = ini.section("useBorder");
    const Section* borderWidth = ini.section("border width");
    const Section* borderColor = ini.section("border color");
    const Section* textColor = ini.section("text color");
    const Section* background = ini.section("background color");
    const Section* fontName = ini.section("font name");
    const Section* fontSize = ini.section("font size");
    const Section* fontStyle = ini.section("font style");
    const Section* underline = ini.section("underline");
    for (int i = 0; i < 6; ++i) {
        CssStyle& st = kinds[i / 3].styles[i % 3];
        st.useBorder = ini.getInt(useBorder, i, 0) != 0;
        st.borderWidth = ini.getInt(borderWidth, i, 1);
        st.borderColor = validColorText(ini.getString(borderColor, i, ""));
        st.textColor = validColorText(ini.getString(textColor, i, ""));
        st.backgroundColor = validColorText(ini.getString(background, i, ""));
        st.fontName = ini.getString(fontName, i, "");
        st.fontSize = ini.getInt(fontSize, i, 13);
        st.fontStyle = ini.getInt(fontStyle, i, -1);
        st.underline = ini.getInt(underline, i, 1) != 0;
        const int within = i % 3;
        if (within == 0 && st.fontStyle < -1) st.fontStyle = -1;
        if (within == 1 && st.fontStyle > 3) st.fontStyle = 3;
    }

    scheme.settings = std::move(s);
    scheme.kinds = kinds;
    return {};
}

SchemeResult readSchemeFile(MenuScheme& scheme, const std::string& path) {
    std::string text;
    const IoResult r = readWholeFile(path, text);
    if (!r) return SchemeResult::ioFailure(r.error);
    return readSchemeText(scheme, text);
}

}  // namespace sylvanode

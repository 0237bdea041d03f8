// SPDX-License-Identifier: MIT
#include <map>
#include <new>
#include <stdexcept>
#include <string>

#include "model/colors.h"
#include "model/profile_index.h"
#include "model/scheme_io.h"
#include "model/tree_builder.h"
#include "platform/safe_file.h"

namespace sylvanode {
namespace {

std::string itemReason(int32_t k, const std::string& what) {
    return "item " + std::to_string(k) + ": " + what;
}

// The latest record of each level, for the walk back: small levels in a table,
// the rest (a hostile file may use any number) in a map.
class LatestOfLevel {
public:
    void set(int32_t level, uint32_t record) {
        if (level < kTable) {
            const auto l = static_cast<size_t>(level);
            if (l >= table_.size()) table_.resize(l + 1, TreeBuilder::kNone);
            table_[l] = record;
        } else {
            map_[level] = record;
        }
    }
    uint32_t get(int32_t level) const {
        if (level < kTable) {
            const auto l = static_cast<size_t>(level);
            return l < table_.size() ? table_[l] : TreeBuilder::kNone;
        }
        auto it = map_.find(level);
        return it == map_.end() ? TreeBuilder::kNone : it->second;
    }

private:
    static constexpr int32_t kTable = 4096;
    std::vector<uint32_t> table_;
    std::map<int32_t, uint32_t> map_;
};

// Reads a text value into `into`, or the default when the key is missing.
void readText(const ProfileIndex& ini, const ProfileIndex::Section* s, int32_t key, std::string& into) {
    std::string_view v;
    if (ini.find(s, key, v))
        into.assign(v);
    else
        into.clear();
}

// "UTF-8" or "utf8" in any letter case; anything else means GBK.
bool isUtf8Name(std::string_view name) {
    std::string lower;
    for (char c : name)
        if (c != '-') lower += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return lower == "utf8";
}

SchemeResult readScheme(MenuScheme& scheme, std::string_view text) {
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
    s.scriptCharset =
        isUtf8Name(ini.getString(config, "charset", "")) ? ScriptCharset::Utf8 : ScriptCharset::Gbk;
    s.title = ini.getString(config, "title", "");

    // First pass: the per-item texts and levels, in file order. The nodes are made
    // here and handed to the tree in the second pass.
    const Section* names = ini.section("MenuName");
    const Section* levels = ini.section("MenuLevel");
    const Section* hints = ini.section("Hint");
    const Section* icons1 = ini.section("Icon1");
    const Section* icons2 = ini.section("Icon2");
    const Section* status = ini.section("Status");
    std::vector<std::unique_ptr<MenuNode>> records;
    for (int32_t k = 0; k < count; ++k) {
        const int32_t level = ini.getInt(levels, k, -1);
        if (level < 0) {
            std::string_view v;
            return SchemeResult::failure(itemReason(
                k, ini.find(levels, k, v)
                       ? "level \"" + std::string(v) + "\" in [MenuLevel] is not a level of 0 or more"
                       : "[MenuLevel] has no level"));
        }
        auto node = std::make_unique<MenuNode>();
        MenuItemData& r = node->data;
        r.levelRead = level;
        readText(ini, names, k, r.menuName);
        node->caption = r.menuName;
        readText(ini, hints, k, r.menuHint);
        readText(ini, icons1, k, r.menuIcon1);
        readText(ini, icons2, k, r.menuIcon2);
        readText(ini, status, k, r.menuStatus);
        records.push_back(std::move(node));
    }

    // Second pass: the tree, driven by the stored levels.
    TreeBuilder tree(scheme);
    LatestOfLevel latest;
    uint32_t c = TreeBuilder::kNone;
    int32_t p = -1;
    for (uint32_t k = 0; k < records.size(); ++k) {
        const int32_t L = records[k]->data.levelRead;
        uint32_t parent = TreeBuilder::kNone;
        if (L == 0) {
            parent = TreeBuilder::kNone;
        } else if (p < L) {
            parent = c;
        } else if (p == L) {
            parent = tree.parentOf(c);
        } else {
            // Walk back to the latest earlier record of the same level; the node at
            // that position of the tree built so far gives the parent.
            const uint32_t j = latest.get(L);
            if (j == TreeBuilder::kNone)
                return SchemeResult::failure(
                    itemReason(static_cast<int32_t>(k),
                               "level " + std::to_string(L) + " does not fit the items before it"));
            parent = tree.parentOf(tree.idAt(j));
        }
        c = tree.attach(parent, std::move(records[k]));
        p = L;
        latest.set(L, k);
    }
    records.clear();

    // Third pass: pictures and actions, by position in the rebuilt tree.
    const Section* contentTypes = ini.section("Content Type");
    const Section* scripts = ini.section("Script");
    const Section* links = ini.section("Link");
    const Section* targets = ini.section("Target");
    const std::vector<MenuNode*> order = tree.preOrder();
    for (size_t j = 0; j < order.size(); ++j) {
        MenuNode* node = order[j];
        const auto key = static_cast<int32_t>(j);
        node->expanded = false;
        node->imageIndex = node->hasChildren() ? ImageFolderClosed : ImageFile;
        MenuItemData& d = node->data;
        d.contentType = ini.getInt(contentTypes, key, 0);
        if (d.contentType != 0) {
            readText(ini, scripts, key, d.menuScript);
        } else {
            readText(ini, links, key, d.menuLink);
            readText(ini, targets, key, d.menuTarget);
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

}  // namespace

SchemeResult readSchemeText(MenuScheme& scheme, std::string_view text) {
    try {
        return readScheme(scheme, text);
    } catch (const std::bad_alloc&) {
        return SchemeResult::memoryFailure("out of memory");
    } catch (const std::length_error&) {
        return SchemeResult::memoryFailure("out of memory");
    }
}

SchemeResult readSchemeFile(MenuScheme& scheme, const std::string& path) {
    std::string text;
    const IoResult r = readWholeFile(path, text);
    if (!r) return r.outOfMemory ? SchemeResult::memoryFailure(r.error) : SchemeResult::ioFailure(r.error);
    SchemeResult result = readSchemeText(scheme, text);
    if (result.outOfMemory) result.reason = "cannot read " + path + ": out of memory";
    return result;
}

}  // namespace sylvanode

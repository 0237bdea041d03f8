// SPDX-License-Identifier: MIT
#include <array>
#include <map>
#include <new>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "model/colors.h"
#include "model/profile_index.h"
#include "model/scheme_io.h"
#include "model/tree_builder.h"
#include "platform/safe_file.h"

namespace sylvanode {
namespace {

SchemeResult itemRejected(FailureKind kind, uint32_t k) {
    return SchemeResult::rejected(Failure::of(kind).withItem(k));
}

SchemeResult outOfMemory(const std::string& path = {}) {
    return SchemeResult::ioFailure(Failure::of(FailureKind::OutOfMemory, path));
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

// "UTF-8" or "utf8" in any letter case; anything else means GBK.
bool isUtf8Name(std::string_view name) {
    std::string lower;
    for (char c : name)
        if (c != '-') lower += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return lower == "utf8";
}

// The sections that hold one value per item: by the item's place in the file (name,
// level, hint, icons, status) or by its place in the rebuilt tree (action).
enum Field { Name, Level, Hint, Icon1, Icon2, Status, ContentType, Script, Link, Target, kFields };
constexpr std::string_view kFieldSections[kFields] = {"menuname", "menulevel", "hint",   "icon1", "icon2",
                                                      "status",   "content type", "script", "link",  "target"};
// The sections of settings and styles, read through a ProfileIndex of their own.
constexpr std::string_view kSmallSections[] = {"config",      "padding",      "height",          "useborder",
                                               "border width", "border color", "text color",      "background color",
                                               "font name",    "font size",    "font style",      "underline"};

SchemeText* textField(MenuNode& n, int field) {
    MenuItemData& d = n.data;
    switch (field) {
        case Name: return &d.menuName;
        case Hint: return &d.menuHint;
        case Icon1: return &d.menuIcon1;
        case Icon2: return &d.menuIcon2;
        case Status: return &d.menuStatus;
        case Script: return &d.menuScript;
        case Link: return &d.menuLink;
        case Target: return &d.menuTarget;
        default: return nullptr;
    }
}

// A level that is there but not a number (its text goes into the message).
constexpr int32_t kUnreadableLevel = INT32_MIN;

// Reads the scheme file line by line, as it arrives, straight into the items: the texts go
// into one arena, nothing else of the file is kept. Each item section's values are taken by
// key number as the profile rules say (first section of a name, first key of a number);
// keys far beyond a section's own lines wait in a map, so no crafted key makes memory grow
// faster than the file. The settings and style sections, which are small, are collected and
// read through a ProfileIndex at the end.
class SchemeLoader {
public:
    SchemeLoader() = default;
    SchemeLoader(const SchemeLoader&) = delete;
    SchemeLoader& operator=(const SchemeLoader&) = delete;
    ~SchemeLoader() {
        for (size_t k = attached_; k < records_.size(); ++k) delete records_[k];
    }

    void line(std::string_view text) {
        const ProfileLine l = readProfileLine(text);
        if (l.kind == ProfileLine::Section) {
            enterSection(foldName(l.name));
            return;
        }
        if (l.kind != ProfileLine::Key || current_ == kIgnored) return;
        if (current_ == kSmall) {
            small_.append(text).append("\n");
            return;
        }
        FieldState& f = fields_[current_];
        ++f.lines;
        uint32_t k = 0;
        if (!numberedKey(l.name, k)) return;  // a named key: no item ever reads it
        const std::string_view value = cleanValue(l.value);
        // A key far beyond the lines read so far waits in a map, so a stray huge number costs
        // nothing; an item that already has a record (a sparse section after [MenuName]) does not.
        if (k >= 2 * f.lines + 16 && k >= records_.size()) {
            if (!f.spilled.contains(k)) {
                Spilled v = intValue(value);
                v.text = text_(value);
                f.spilled.emplace(k, std::move(v));
            }
            return;
        }
        if (k < f.set.size() && f.set[k]) return;
        if (k >= f.set.size()) f.set.resize(k + 1);
        f.set[k] = true;
        store(k, current_, value);
    }

    SchemeResult finish(MenuScheme& scheme);

private:
    static constexpr int kIgnored = -1;
    static constexpr int kSmall = -2;

    struct Spilled {
        SchemeText text;
        int32_t number = 0;
        bool isNumber = false;
    };
    struct FieldState {
        bool seen = false;   // a section of this name came before: only the first counts
        size_t lines = 0;    // key lines of the section, which bound the direct table
        std::vector<bool> set;  // keys taken, by number
        std::map<uint32_t, Spilled> spilled;
    };

    // Short values repeat across items (targets, icons, status texts): a value met recently
    // shares the bytes already stored instead of taking them again.
    SchemeText text_(std::string_view value) {
        if (value.empty() || value.size() > kLargestSharedText) return arena_.make(value);
        uint32_t h = 2166136261u;  // FNV-1a
        for (const char c : value) h = (h ^ static_cast<unsigned char>(c)) * 16777619u;
        SchemeText& slot = recent_[h % recent_.size()];
        if (slot.view() != value) slot = arena_.make(value);
        return slot;
    }
    static Spilled intValue(std::string_view value) {
        Spilled s;
        s.isNumber = parseInt32(value, s.number);
        return s;
    }

    void enterSection(const std::string& name) {
        current_ = kIgnored;
        for (int f = 0; f < kFields; ++f) {
            if (name != kFieldSections[f]) continue;
            if (!fields_[f].seen) current_ = f;
            fields_[f].seen = true;
            return;
        }
        for (std::string_view small : kSmallSections) {
            if (name != small) continue;
            if (smallSeen_.insert(std::string(small)).second) {
                current_ = kSmall;
                small_.append("[").append(small).append("]\n");
            }
            return;
        }
    }

    MenuNode& record(uint32_t k) {
        if (k >= records_.size()) {
            records_.resize(k + 1);
            levels_.resize(k + 1, 0);
        }
        if (!records_[k]) {
            auto node = std::make_unique<MenuNode>();
            node->data.menuName.clear();  // an item without a name has an empty one
            records_[k] = node.release();
        }
        return *records_[k];
    }

    void store(uint32_t k, int field, std::string_view value) {
        MenuNode& n = record(k);
        if (field == Level) {
            int32_t level = 0;
            if (parseInt32(value, level) && level >= 0) {
                levels_[k] = level;
            } else {
                levels_[k] = kUnreadableLevel;
                unreadableLevels_.emplace(k, value);
            }
        } else if (field == ContentType) {
            int32_t type = 0;
            n.data.contentType = parseInt32(value, type) ? type : 0;
        } else {
            *textField(n, field) = text_(value);
        }
    }
    // A value that waited in a map, where it wins over the table (it came first).
    void storeSpilled(uint32_t k, int field, const Spilled& v) {
        MenuNode& n = record(k);
        if (field == Level) {
            levels_[k] = v.isNumber && v.number >= 0 ? v.number : kUnreadableLevel;
            if (levels_[k] == kUnreadableLevel) unreadableLevels_.insert_or_assign(k, v.text.str());
        } else if (field == ContentType) {
            n.data.contentType = v.isNumber ? v.number : 0;
        } else {
            *textField(n, field) = v.text;
        }
    }
    bool has(int field, uint32_t k) const {
        const FieldState& f = fields_[field];
        return (k < f.set.size() && f.set[k]) || f.spilled.contains(k);
    }

    TextArena arena_;
    static constexpr size_t kLargestSharedText = 48;
    std::array<SchemeText, 512> recent_;
    // Records by key, owned here until the tree takes them: the first attached_ belong to it.
    // The tree builder reads its nodes from this list, so it is the only list of them.
    std::vector<MenuNode*> records_;
    size_t attached_ = 0;
    std::vector<int32_t> levels_;  // [MenuLevel] by key, beside records_; needed only to build the tree
    FieldState fields_[kFields];
    std::set<std::string> smallSeen_;
    std::string small_;  // the settings and style sections, as text
    std::map<uint32_t, std::string> unreadableLevels_;
    int current_ = kIgnored;
};

SchemeResult SchemeLoader::finish(MenuScheme& scheme) {
    const ProfileIndex ini(small_);
    using Section = ProfileIndex::Section;
    const Section* config = ini.section("Config");

    const int32_t count = ini.getInt(config, "Count", -1);
    if (count == -1) return SchemeResult::rejected(Failure::of(FailureKind::SchemeNoCount));

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

    const uint32_t items = count > 0 ? static_cast<uint32_t>(count) : 0;
    // Values that waited in maps, for the items there are.
    for (int f = 0; f < kFields; ++f)
        for (const auto& [k, v] : fields_[f].spilled) {
            if (k >= items) break;
            storeSpilled(k, f, v);
        }
    // Every item needs a level; the first one without a usable level is the reason.
    for (uint32_t k = 0; k < items; ++k) {
        if (!has(Level, k)) return itemRejected(FailureKind::SchemeNoLevel, k);
        if (levels_[k] == kUnreadableLevel)
            return SchemeResult::rejected(
                Failure::of(FailureKind::SchemeBadLevel).withItem(k).withValue(unreadableLevels_[k]));
    }
    if (records_.size() > items) {
        for (size_t k = items; k < records_.size(); ++k) delete records_[k];
        records_.resize(items);
    }
    records_.shrink_to_fit();
    levels_.resize(items);
    levels_.shrink_to_fit();
    for (uint32_t k = 0; k < items; ++k) records_[k]->caption = records_[k]->data.menuName;

    // The tree, driven by the stored levels.
    TreeBuilder tree(scheme, records_);
    tree.reserve(items);
    LatestOfLevel latest;
    uint32_t c = TreeBuilder::kNone;
    int32_t p = -1;
    for (uint32_t k = 0; k < items; ++k) {
        const int32_t L = levels_[k];
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
                return SchemeResult::rejected(
                    Failure::of(FailureKind::SchemeLevelGap).withItem(k).withNumber(L));
            parent = tree.parentOf(tree.idAt(j));
        }
        attached_ = k + 1;  // the tree owns it from here, even if attaching fails
        c = tree.attach(parent, std::unique_ptr<MenuNode>(records_[k]));
        p = L;
        latest.set(L, k);
    }
    levels_.clear();
    levels_.shrink_to_fit();

    // Pictures and actions. The actions were taken by key as if keyed by the item's place in
    // the file; they belong to the item at that place in the tree, which is the same item
    // unless irregular levels put an item inside the tree.
    const bool inFileOrder = tree.preOrderIsAttachOrder();
    std::vector<MenuNode*> order;
    if (!inFileOrder) {
        order = tree.preOrder();
        struct Action {
            int32_t contentType;
            SchemeText script, link, target;
        };
        std::vector<Action> actions;
        actions.reserve(order.size());
        for (uint32_t id = 0; id < order.size(); ++id) {
            MenuItemData& d = tree.node(id)->data;
            actions.push_back({d.contentType, std::move(d.menuScript), std::move(d.menuLink), std::move(d.menuTarget)});
        }
        for (size_t j = 0; j < order.size(); ++j) {
            MenuItemData& d = order[j]->data;
            d.contentType = actions[j].contentType;
            d.menuScript = std::move(actions[j].script);
            d.menuLink = std::move(actions[j].link);
            d.menuTarget = std::move(actions[j].target);
        }
    }
    for (uint32_t j = 0; j < items; ++j) {
        MenuNode* node = inFileOrder ? tree.node(j) : order[j];
        node->expanded = false;
        node->imageIndex = node->hasChildren() ? ImageFolderClosed : ImageFile;
        MenuItemData& d = node->data;
        if (d.contentType != 0) {
            d.menuLink.clear();
            d.menuTarget.clear();
        } else {
            d.menuScript.clear();
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
        SchemeLoader loader;
        ProfileLines::forEachLine(text, [&](std::string_view line) { loader.line(line); });
        return loader.finish(scheme);
    } catch (const std::bad_alloc&) {
        return outOfMemory();
    } catch (const std::length_error&) {
        return outOfMemory();
    }
}

SchemeResult readSchemeFile(MenuScheme& scheme, const std::string& path) {
    try {
        SchemeLoader loader;
        ProfileLines lines;
        auto onLine = [&](std::string_view line) { loader.line(line); };
        const IoResult r = readFileInPieces(path, [&](std::string_view piece) { lines.feed(piece, onLine); });
        if (!r) return SchemeResult::from(r);
        lines.finish(onLine);
        return loader.finish(scheme);
    } catch (const std::bad_alloc&) {
        return outOfMemory(path);
    } catch (const std::length_error&) {
        return outOfMemory(path);
    }
}

}  // namespace sylvanode

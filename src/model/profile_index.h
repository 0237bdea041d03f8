// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace sylvanode {

// An INI text parsed once into section -> key -> value, with the look-up rules of
// the classic private-profile service: CR LF, CR and LF end lines; names match
// ASCII case-insensitively (never folding a double-byte character's trail byte);
// only the first section and the first key of a name count; ";" starts a comment
// line; the first "=" splits key and value; both are trimmed of blanks and tabs;
// one pair of matching outer quotes is removed. Values are returned whole.
//
// Memory and time stay (near) linear in the text's size on any input: numbered
// keys ("0", "17") live in a table per section that never grows beyond about twice
// the section's own lines; keys far beyond it, other names and section names go to
// ordered maps, whose worst case no crafted set of names can make quadratic.
// The index keeps views into `text`, which must outlive it.
class ProfileIndex {
public:
    explicit ProfileIndex(std::string_view text);

    struct Section;
    const Section* section(std::string_view name) const;

    // Raw look-ups: false when the section or key is missing.
    bool find(const Section* s, std::string_view key, std::string_view& value) const;
    bool find(const Section* s, int32_t key, std::string_view& value) const;

    template <class Key>
    std::string getString(const Section* s, const Key& key, std::string_view def) const {
        std::string_view v;
        return std::string(find(s, key, v) ? v : def);
    }
    template <class Key>
    int32_t getInt(const Section* s, const Key& key, int32_t def) const;

    struct Section {
        // Value of numbered key k at [k]; a view with a null data() is a key not present.
        std::vector<std::string_view> numbered;
        // Numbered keys that came too far beyond the table (first one of a number wins).
        std::map<uint32_t, std::string_view> sparse;
        // Every other key, by its folded name.
        std::map<std::string, std::string_view, std::less<>> named;
        size_t lines = 0;  // key lines seen, which bounds the table
    };

private:
    std::vector<Section> sections_;
    std::map<std::string, size_t, std::less<>> byName_;
};

// Folds ASCII letters to lower case, stepping over double-byte characters.
std::string foldName(std::string_view name);
// Value clean-up applied on look-up: trim blanks, then one pair of matching outer quotes.
std::string_view cleanValue(std::string_view raw);

// Integer rule of the profile service: optional sign and decimal digits, or
// hexadecimal after "0x", "0X" or "$"; either must fit in 32 bits (hexadecimal
// 0x80000000-0xFFFFFFFF wrap to negative values). False for anything else.
bool parseInt32(std::string_view text, int32_t& out);

template <class Key>
int32_t ProfileIndex::getInt(const Section* s, const Key& key, int32_t def) const {
    std::string_view v;
    int32_t out = 0;
    if (find(s, key, v) && parseInt32(v, out)) return out;
    return def;
}
}  // namespace sylvanode

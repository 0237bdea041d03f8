#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace sylvanode {

// An INI text parsed once into section -> key -> value, with the look-up rules of
// the classic private-profile service: CR LF, CR and LF end lines; names match
// ASCII case-insensitively (never folding a double-byte character's trail byte);
// only the first section and the first key of a name count; ";" starts a comment
// line; the first "=" splits key and value; both are trimmed of blanks and tabs;
// one pair of matching outer quotes is removed; values are cut to 2047 bytes.
// The index keeps views into `text`, which must outlive it.
class ProfileIndex {
public:
    static constexpr size_t kMaxValue = 2047;

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
        // Keys that are plain decimal numbers ("0", "17") live in a dense table.
        std::vector<std::string_view> numbered;
        std::vector<bool> numberedSet;
        std::unordered_map<std::string, std::string_view> named;
    };

private:
    std::vector<Section> sections_;
    std::unordered_map<std::string, size_t> byName_;
    size_t denseLimit_ = 0;
};

// Folds ASCII letters to lower case, stepping over double-byte characters.
std::string foldName(std::string_view name);
// Value clean-up applied on look-up: trim, outer quotes, length cut.
std::string_view cleanValue(std::string_view raw);

// Integer rule of the profile service: optional sign and decimal digits (32-bit range),
// or hexadecimal after "0x", "0X" or "$" (32 bits, wrapping). False for anything else.
bool parseInt32(std::string_view text, int32_t& out);

template <class Key>
int32_t ProfileIndex::getInt(const Section* s, const Key& key, int32_t def) const {
    std::string_view v;
    int32_t out = 0;
    if (find(s, key, v) && parseInt32(v, out)) return out;
    return def;
}
}  // namespace sylvanode

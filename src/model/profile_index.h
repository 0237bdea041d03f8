// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <cstring>
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

// What one line of an INI text is (the line without its end), by the rules above.
struct ProfileLine {
    enum Kind { Other, Section, Key };
    Kind kind = Other;      // Other: blank, a comment, or nothing the rules read
    std::string_view name;  // Section: the name, trimmed (not folded); Key: the key, trimmed
    std::string_view value;  // Key: the value as written (cleanValue makes it the value read)
};
ProfileLine readProfileLine(std::string_view line);

// Cuts text that arrives in pieces of any size into lines: CR LF, CR and LF end a line,
// a NUL byte ends it early, a UTF-8 byte-order mark at the very start is skipped. Empty
// lines are not reported. A line cut by the end of a piece is handed over from a copy that
// lives until the next call; forEachLine, for a whole text, hands out views into the text.
class ProfileLines {
public:
    template <class OnLine>
    static void forEachLine(std::string_view text, OnLine&& onLine) {
        if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
        ProfileLines lines;
        lines.seen_ = 3;
        const size_t last = text.find_last_of("\r\n");
        lines.feed(last == std::string_view::npos ? std::string_view() : text.substr(0, last + 1), onLine);
        deliver(last == std::string_view::npos ? text : text.substr(last + 1), onLine);
    }
    template <class OnLine>
    void feed(std::string_view piece, OnLine&& onLine);
    template <class OnLine>
    void finish(OnLine&& onLine) {
        if (seen_ < 3) carry_.insert(0, std::string_view("\xEF\xBB\xBF").substr(0, seen_));
        seen_ = 3;
        if (!carry_.empty()) deliver(carry_, onLine);
        carry_.clear();
    }

private:
    template <class OnLine>
    static void deliver(std::string_view line, OnLine& onLine) {
        if (const void* nul = std::memchr(line.data(), '\0', line.size()))
            line = line.substr(0, static_cast<size_t>(static_cast<const char*>(nul) - line.data()));
        if (!line.empty()) onLine(line);
    }
    std::string carry_;  // a line cut by the end of a piece
    size_t seen_ = 0;    // bytes fed so far, up to the three of a byte-order mark
};

// A canonical decimal key ("0", "17"; no sign, no leading zero) up to INT32_MAX.
bool numberedKey(std::string_view key, uint32_t& out);

// Folds ASCII letters to lower case, stepping over double-byte characters.
std::string foldName(std::string_view name);
// Value clean-up applied on look-up: trim blanks, then one pair of matching outer quotes.
std::string_view cleanValue(std::string_view raw);

// Integer rule of the profile service: optional sign and decimal digits, or
// hexadecimal after "0x", "0X" or "$"; either must fit in 32 bits (hexadecimal
// 0x80000000-0xFFFFFFFF wrap to negative values). False for anything else.
bool parseInt32(std::string_view text, int32_t& out);

template <class OnLine>
void ProfileLines::feed(std::string_view piece, OnLine&& onLine) {
    // A byte-order mark would otherwise hide the first section header.
    while (seen_ < 3 && !piece.empty()) {
        if (piece[0] != "\xEF\xBB\xBF"[seen_]) {
            // Not a mark after all: what was held back is text.
            const std::string_view held = std::string_view("\xEF\xBB\xBF").substr(0, seen_);
            seen_ = 3;
            carry_.append(held);
            break;
        }
        piece.remove_prefix(1);
        ++seen_;
    }
    while (!piece.empty()) {
        const char* p = piece.data();
        const char* const end = p + piece.size();
        const char* e = p;
        while (e < end && *e != '\n' && *e != '\r') ++e;
        if (e == end) {
            carry_.append(p, static_cast<size_t>(e - p));
            return;
        }
        if (carry_.empty()) {
            deliver(std::string_view(p, static_cast<size_t>(e - p)), onLine);
        } else {
            carry_.append(p, static_cast<size_t>(e - p));
            deliver(carry_, onLine);
            carry_.clear();
        }
        piece.remove_prefix(static_cast<size_t>(e - p) + 1);  // CR LF gives an empty line, which is skipped
    }
}

template <class Key>
int32_t ProfileIndex::getInt(const Section* s, const Key& key, int32_t def) const {
    std::string_view v;
    int32_t out = 0;
    if (find(s, key, v) && parseInt32(v, out)) return out;
    return def;
}
}  // namespace sylvanode

// SPDX-License-Identifier: MIT
#include "model/profile_index.h"

#include <cstring>

namespace sylvanode {
namespace {

inline bool isLead(unsigned char c) { return c >= 0x81 && c <= 0xFE; }
inline bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view trimBlanks(std::string_view s) {
    size_t b = 0, e = s.size();
    while (b < e && isBlank(s[b])) ++b;
    while (e > b && isBlank(s[e - 1])) --e;
    return s.substr(b, e - b);
}

}  // namespace

bool numberedKey(std::string_view key, uint32_t& out) {
    if (key.empty() || key.size() > 10) return false;
    if (key.size() > 1 && key[0] == '0') return false;
    uint64_t n = 0;
    for (char c : key) {
        if (c < '0' || c > '9') return false;
        n = n * 10 + static_cast<uint64_t>(c - '0');
    }
    if (n > INT32_MAX) return false;
    out = static_cast<uint32_t>(n);
    return true;
}

std::string foldName(std::string_view name) {
    std::string out(name);
    for (size_t i = 0; i < out.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(out[i]);
        if (isLead(c) && i + 1 < out.size()) {
            ++i;  // the trail byte stays as it is
        } else if (c >= 'A' && c <= 'Z') {
            out[i] = static_cast<char>(c - 'A' + 'a');
        }
    }
    return out;
}

std::string_view cleanValue(std::string_view raw) {
    std::string_view v = trimBlanks(raw);
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
        v = v.substr(1, v.size() - 2);
    return v;
}

bool parseInt32(std::string_view t, int32_t& out) {
    if (t.empty()) return false;
    size_t i = 0;
    if (t[0] == '$' || (t.size() > 1 && t[0] == '0' && (t[1] == 'x' || t[1] == 'X'))) {
        i = t[0] == '$' ? 1 : 2;
        if (i == t.size()) return false;
        uint32_t v = 0;
        for (; i < t.size(); ++i) {
            const char c = t[i];
            uint32_t d;
            if (c >= '0' && c <= '9') d = static_cast<uint32_t>(c - '0');
            else if (c >= 'a' && c <= 'f') d = static_cast<uint32_t>(c - 'a' + 10);
            else if (c >= 'A' && c <= 'F') d = static_cast<uint32_t>(c - 'A' + 10);
            else return false;
            if (v > 0x0FFFFFFFu) return false;  // more than 32 bits
            v = (v << 4) | d;
        }
        out = static_cast<int32_t>(v);  // 0x80000000 and above wrap to negative values
        return true;
    }
    bool negative = false;
    if (t[0] == '+' || t[0] == '-') {
        negative = t[0] == '-';
        i = 1;
    }
    if (i == t.size()) return false;
    int64_t v = 0;
    for (; i < t.size(); ++i) {
        const char c = t[i];
        if (c < '0' || c > '9') return false;
        v = v * 10 + (c - '0');
        if (v > 2147483648LL) return false;
    }
    if (negative) v = -v;
    if (v > 2147483647LL || v < -2147483648LL) return false;
    out = static_cast<int32_t>(v);
    return true;
}

ProfileLine readProfileLine(std::string_view line) {
    ProfileLine out;
    size_t b = 0;
    while (b < line.size() && isBlank(line[b])) ++b;
    if (b == line.size() || line[b] == ';') return out;
    line.remove_prefix(b);
    if (line[0] == '[') {
        size_t i = 1;
        while (i < line.size() && line[i] != ']') i += isLead(static_cast<unsigned char>(line[i])) ? 2 : 1;
        if (i >= line.size()) return out;  // no closing bracket: not a header
        out.kind = ProfileLine::Section;
        out.name = trimBlanks(line.substr(1, i - 1));
        return out;
    }
    const void* eqAt = std::memchr(line.data(), '=', line.size());
    if (!eqAt) return out;
    const size_t eq = static_cast<size_t>(static_cast<const char*>(eqAt) - line.data());
    out.name = trimBlanks(line.substr(0, eq));
    if (out.name.empty()) return out;
    out.kind = ProfileLine::Key;
    out.value = line.substr(eq + 1);  // non-null data(): marks the key present
    return out;
}

ProfileIndex::ProfileIndex(std::string_view text) {
    Section* current = nullptr;  // null: outside a section, or in a repeated one
    auto onLine = [&](std::string_view text) {
        const ProfileLine line = readProfileLine(text);
        if (line.kind == ProfileLine::Section) {
            auto [it, inserted] = byName_.try_emplace(foldName(line.name), sections_.size());
            if (inserted) {
                sections_.emplace_back();
                current = &sections_.back();
            } else {
                current = nullptr;  // only the first section of a name counts
            }
            return;
        }
        if (line.kind != ProfileLine::Key || !current) return;
        Section& s = *current;
        ++s.lines;
        uint32_t k = 0;
        if (numberedKey(line.name, k)) {
            // Keys beyond twice the section's lines would make the table outgrow the text.
            if (k < 2 * s.lines + 16) {
                if (k >= s.numbered.size()) s.numbered.resize(k + 1);
                if (!s.numbered[k].data()) s.numbered[k] = line.value;
            } else {
                s.sparse.try_emplace(k, line.value);
            }
        } else {
            s.named.try_emplace(foldName(line.name), line.value);
        }
    };
    ProfileLines::forEachLine(text, onLine);
}

const ProfileIndex::Section* ProfileIndex::section(std::string_view name) const {
    auto it = byName_.find(foldName(name));
    return it == byName_.end() ? nullptr : &sections_[it->second];
}

bool ProfileIndex::find(const Section* s, int32_t key, std::string_view& value) const {
    if (!s || key < 0) return false;
    const auto k = static_cast<uint32_t>(key);
    // A key spilled to the map came before any table entry of the same number
    // (the table's bound only grows), so the map's one is the first.
    if (!s->sparse.empty()) {
        if (auto it = s->sparse.find(k); it != s->sparse.end()) {
            value = cleanValue(it->second);
            return true;
        }
    }
    if (k >= s->numbered.size() || !s->numbered[k].data()) return false;
    value = cleanValue(s->numbered[k]);
    return true;
}

bool ProfileIndex::find(const Section* s, std::string_view key, std::string_view& value) const {
    if (!s) return false;
    key = trimBlanks(key);
    uint32_t k = 0;
    if (numberedKey(key, k)) return find(s, static_cast<int32_t>(k), value);
    auto it = s->named.find(foldName(key));
    if (it == s->named.end()) return false;
    value = cleanValue(it->second);
    return true;
}

}  // namespace sylvanode

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

// A canonical decimal key ("0", "17"; no sign, no leading zero) or -1.
int64_t numericKey(std::string_view key) {
    if (key.empty() || key.size() > 9) return -1;
    if (key.size() > 1 && key[0] == '0') return -1;
    int64_t n = 0;
    for (char c : key) {
        if (c < '0' || c > '9') return -1;
        n = n * 10 + (c - '0');
    }
    return n;
}

}  // namespace

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
    if (v.size() > ProfileIndex::kMaxValue) {
        // Cut without splitting a double-byte character.
        size_t i = 0;
        while (i < ProfileIndex::kMaxValue) {
            const size_t step = isLead(static_cast<unsigned char>(v[i])) && i + 1 < v.size() ? 2 : 1;
            if (i + step > ProfileIndex::kMaxValue) break;
            i += step;
        }
        v = v.substr(0, i);
    }
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
            v = (v << 4) | d;  // wraps past 32 bits
        }
        out = static_cast<int32_t>(v);
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

ProfileIndex::ProfileIndex(std::string_view text) {
    // A UTF-8 byte-order mark would otherwise hide the first section header.
    if (text.size() >= 3 && std::memcmp(text.data(), "\xEF\xBB\xBF", 3) == 0) text.remove_prefix(3);

    size_t lines = 0;
    for (char c : text)
        if (c == '\n' || c == '\r') ++lines;
    denseLimit_ = lines + 16;

    Section* current = nullptr;  // null: outside a section, or in a repeated one
    size_t pos = 0;
    const size_t n = text.size();
    while (pos < n) {
        size_t end = pos;
        while (end < n && text[end] != '\r' && text[end] != '\n') ++end;
        std::string_view line = text.substr(pos, end - pos);
        pos = end;
        if (pos < n && text[pos] == '\r') ++pos;
        if (end < n && text[end] == '\r' && pos < n && text[pos] == '\n') ++pos;
        else if (end < n && text[end] == '\n') pos = end + 1;

        if (const void* nul = std::memchr(line.data(), '\0', line.size()))
            line = line.substr(0, static_cast<size_t>(static_cast<const char*>(nul) - line.data()));
        line = trimBlanks(line);
        if (line.empty() || line[0] == ';') continue;

        if (line[0] == '[') {
            size_t i = 1;
            while (i < line.size() && line[i] != ']') i += isLead(static_cast<unsigned char>(line[i])) ? 2 : 1;
            if (i >= line.size()) continue;  // no closing bracket: not a header
            std::string name = foldName(trimBlanks(line.substr(1, i - 1)));
            auto [it, inserted] = byName_.try_emplace(std::move(name), sections_.size());
            if (inserted) {
                sections_.emplace_back();
                current = &sections_.back();
            } else {
                current = nullptr;  // only the first section of a name counts
            }
            continue;
        }
        if (!current) continue;
        const size_t eq = line.find('=');
        if (eq == std::string_view::npos) continue;
        const std::string_view key = trimBlanks(line.substr(0, eq));
        if (key.empty()) continue;
        const std::string_view value = line.substr(eq + 1);
        const int64_t k = numericKey(key);
        if (k >= 0 && static_cast<size_t>(k) < denseLimit_) {
            const size_t idx = static_cast<size_t>(k);
            if (idx >= current->numbered.size()) {
                current->numbered.resize(idx + 1);
                current->numberedSet.resize(idx + 1, false);
            }
            if (!current->numberedSet[idx]) {
                current->numbered[idx] = value;
                current->numberedSet[idx] = true;
            }
        } else {
            current->named.try_emplace(foldName(key), value);
        }
    }
}

const ProfileIndex::Section* ProfileIndex::section(std::string_view name) const {
    auto it = byName_.find(foldName(name));
    return it == byName_.end() ? nullptr : &sections_[it->second];
}

bool ProfileIndex::find(const Section* s, int32_t key, std::string_view& value) const {
    if (!s || key < 0) return false;
    const size_t idx = static_cast<size_t>(key);
    if (idx < denseLimit_) {
        if (idx >= s->numbered.size() || !s->numberedSet[idx]) return false;
        value = cleanValue(s->numbered[idx]);
        return true;
    }
    auto it = s->named.find(std::to_string(key));
    if (it == s->named.end()) return false;
    value = cleanValue(it->second);
    return true;
}

bool ProfileIndex::find(const Section* s, std::string_view key, std::string_view& value) const {
    if (!s) return false;
    key = trimBlanks(key);
    const int64_t k = numericKey(key);
    if (k >= 0) return find(s, static_cast<int32_t>(k), value);
    auto it = s->named.find(foldName(key));
    if (it == s->named.end()) return false;
    value = cleanValue(it->second);
    return true;
}

}  // namespace sylvanode

// SPDX-License-Identifier: MIT
#include "exchange/json_value.h"

#include <cstdint>
#include <cstdio>

#include "platform/text_encoding.h"

namespace sylvanode {
namespace {

class JsonParser {
public:
    JsonParser(std::string_view s, std::vector<JsonDocument::Value>& values, std::string& store)
        : s_(s), values_(values), store_(store) {}

    bool run(Failure& error);

private:
    using Type = JsonDocument::Type;
    struct Open {
        int32_t container;
        int32_t last = JsonDocument::kNone;
    };

    void ws() {
        while (p_ < s_.size() && (s_[p_] == ' ' || s_[p_] == '\t' || s_[p_] == '\n' || s_[p_] == '\r')) ++p_;
    }
    bool fail(Failure& error, JsonProblem problem, std::string expected = {}) const {
        std::int64_t line = 1;
        for (size_t i = 0; i < p_ && i < s_.size(); ++i) line += s_[i] == '\n';
        error = Failure::of(FailureKind::JsonSyntax)
                    .withNumber(line)
                    .withFormat(DataFormat::Json)
                    .withValue(std::move(expected));
        error.jsonProblem = problem;
        return false;
    }
    bool hex4(unsigned& v);
    bool string(std::string& out);
    bool number(std::string& out);
    bool literal(std::string_view word) {
        if (s_.substr(p_, word.size()) != word) return false;
        p_ += word.size();
        return true;
    }
    // Keeps a text in the store; returns where it starts.
    uint32_t keep(const std::string& text) {
        const auto at = static_cast<uint32_t>(store_.size());
        store_ += text;
        return at;
    }
    // Adds a value as the next child of the open container (or as the root).
    int32_t add(Type type, const std::string& key, const std::string& text = {}) {
        const auto at = static_cast<int32_t>(values_.size());
        const uint32_t keyAt = keep(key);
        const uint32_t textAt = keep(text);
        values_.push_back({type, JsonDocument::kNone, JsonDocument::kNone, keyAt, static_cast<uint32_t>(key.size()),
                           textAt, static_cast<uint32_t>(text.size())});
        if (!open_.empty()) {
            Open& o = open_.back();
            if (o.last == JsonDocument::kNone)
                values_[static_cast<size_t>(o.container)].firstChild = at;
            else
                values_[static_cast<size_t>(o.last)].next = at;
            o.last = at;
        }
        return at;
    }

    std::string_view s_;
    size_t p_ = 0;
    std::vector<JsonDocument::Value>& values_;
    std::string& store_;
    std::vector<Open> open_;
};

bool JsonParser::hex4(unsigned& v) {
    if (p_ + 4 > s_.size()) return false;
    v = 0;
    for (int k = 0; k < 4; ++k) {
        const char c = s_[p_++];
        v <<= 4;
        if (c >= '0' && c <= '9')
            v |= static_cast<unsigned>(c - '0');
        else if (c >= 'a' && c <= 'f')
            v |= static_cast<unsigned>(c - 'a' + 10);
        else if (c >= 'A' && c <= 'F')
            v |= static_cast<unsigned>(c - 'A' + 10);
        else
            return false;
    }
    return true;
}

bool JsonParser::string(std::string& out) {
    out.clear();
    if (p_ >= s_.size() || s_[p_] != '"') return false;
    ++p_;
    while (p_ < s_.size()) {
        const size_t plain = s_.find_first_of("\"\\", p_);
        const size_t end = plain == std::string_view::npos ? s_.size() : plain;
        for (size_t i = p_; i < end; ++i)
            if (static_cast<unsigned char>(s_[i]) < 0x20) return false;
        out.append(s_.substr(p_, end - p_));
        p_ = end;
        if (p_ >= s_.size()) return false;
        if (s_[p_++] == '"') return true;
        if (p_ >= s_.size()) return false;
        const char e = s_[p_++];
        switch (e) {
            case '"':
            case '\\':
            case '/':
                out.push_back(e);
                break;
            case 'b':
                out.push_back('\b');
                break;
            case 'f':
                out.push_back('\f');
                break;
            case 'n':
                out.push_back('\n');
                break;
            case 'r':
                out.push_back('\r');
                break;
            case 't':
                out.push_back('\t');
                break;
            case 'u': {
                unsigned v;
                if (!hex4(v)) return false;
                char32_t cp = v;
                if (v >= 0xD800 && v <= 0xDBFF && p_ + 1 < s_.size() && s_[p_] == '\\' && s_[p_ + 1] == 'u') {
                    const size_t back = p_;
                    p_ += 2;
                    unsigned low;
                    if (hex4(low) && low >= 0xDC00 && low <= 0xDFFF)
                        cp = 0x10000 + ((v - 0xD800) << 10) + (low - 0xDC00);
                    else
                        p_ = back;
                }
                if (cp >= 0xD800 && cp <= 0xDFFF) cp = 0xFFFD;  // a lone surrogate has no UTF-8
                appendUtf8(out, cp);
                break;
            }
            default:
                return false;
        }
    }
    return false;
}

bool JsonParser::number(std::string& out) {
    const size_t start = p_;
    auto digits = [&] {
        const size_t from = p_;
        while (p_ < s_.size() && s_[p_] >= '0' && s_[p_] <= '9') ++p_;
        return p_ > from;
    };
    if (p_ < s_.size() && s_[p_] == '-') ++p_;
    if (p_ < s_.size() && s_[p_] == '0')
        ++p_;
    else if (!digits())
        return false;
    if (p_ < s_.size() && s_[p_] == '.') {
        ++p_;
        if (!digits()) return false;
    }
    if (p_ < s_.size() && (s_[p_] == 'e' || s_[p_] == 'E')) {
        ++p_;
        if (p_ < s_.size() && (s_[p_] == '+' || s_[p_] == '-')) ++p_;
        if (!digits()) return false;
    }
    out.assign(s_.substr(start, p_ - start));
    return true;
}

bool JsonParser::run(Failure& error) {
    if (s_.substr(0, 3) == "\xEF\xBB\xBF") p_ = 3;
    if (!isValidUtf8(s_)) return fail(error, JsonProblem::NotUtf8);
    // Offsets into the store are 32 bits; the store is never longer than the text.
    if (s_.size() > UINT32_MAX / 2) return fail(error, JsonProblem::TooLarge);
    std::string key, text;
    bool expectValue = true;  // else a "," or the end of the open container
    bool first = true;        // no element yet in the open container
    while (true) {
        ws();
        if (!expectValue) {
            if (open_.empty()) break;
            const bool object = values_[static_cast<size_t>(open_.back().container)].type == Type::Object;
            if (p_ < s_.size() && s_[p_] == (object ? '}' : ']')) {
                ++p_;
                open_.pop_back();
                continue;
            }
            if (p_ >= s_.size() || s_[p_] != ',')
                return fail(error, JsonProblem::ExpectedSeparator, object ? "}" : "]");
            ++p_;
            expectValue = true;
            first = false;
            continue;
        }
        const bool inObject =
            !open_.empty() && values_[static_cast<size_t>(open_.back().container)].type == Type::Object;
        if (first && !open_.empty() && p_ < s_.size() && s_[p_] == (inObject ? '}' : ']')) {
            ++p_;  // an empty container
            open_.pop_back();
            expectValue = false;
            first = false;
            continue;
        }
        key.clear();
        if (inObject) {
            if (!string(key)) return fail(error, JsonProblem::ExpectedKey);
            ws();
            if (p_ >= s_.size() || s_[p_] != ':') return fail(error, JsonProblem::ExpectedColon);
            ++p_;
            ws();
        }
        if (p_ >= s_.size()) return fail(error, JsonProblem::EndsEarly);
        if (values_.size() >= JsonDocument::kMaxValues) return fail(error, JsonProblem::TooManyValues);
        const char c = s_[p_];
        if (c == '{' || c == '[') {
            ++p_;
            const int32_t at = add(c == '{' ? Type::Object : Type::Array, key);
            open_.push_back({at});
            first = true;
            continue;  // expectValue stays: the first element, or the close
        }
        if (c == '"') {
            if (!string(text)) return fail(error, JsonProblem::BadString);
            add(Type::String, key, text);
        } else if (literal("true")) {
            add(Type::True, key);
        } else if (literal("false")) {
            add(Type::False, key);
        } else if (literal("null")) {
            add(Type::Null, key);
        } else if (number(text)) {
            add(Type::Number, key, text);
        } else {
            return fail(error, JsonProblem::ExpectedValue);
        }
        expectValue = false;
        if (open_.empty()) break;
    }
    ws();
    if (p_ != s_.size()) return fail(error, JsonProblem::TextAfterEnd);
    return true;
}

}  // namespace

bool JsonDocument::parse(std::string_view utf8) {
    values_.clear();
    store_.clear();
    error_ = {};
    const bool ok = JsonParser(utf8, values_, store_).run(error_);
    if (!ok) {
        values_.clear();
        store_.clear();
    }
    values_.shrink_to_fit();
    text_ = store_;
    return ok;
}

int32_t JsonDocument::member(int32_t object, std::string_view name) const {
    if (!isObject(object)) return kNone;
    for (int32_t c = (*this)[object].firstChild; c != kNone; c = (*this)[c].next)
        if (key(c) == name) return c;
    return kNone;
}

std::string JsonDocument::memberText(int32_t object, std::string_view name) const {
    const int32_t m = member(object, name);
    const Type t = type(m);
    return t == Type::String || t == Type::Number ? std::string(text(m)) : std::string();
}

void appendJsonString(std::string& out, std::string_view utf8) {
    out.push_back('"');
    for (char c : utf8) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out.push_back('\\');
            out.push_back(c);
        } else if (u < 0x20) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\u%04X", u);
            out += buf;
        } else {
            out.push_back(c);
        }
    }
    out.push_back('"');
}

}  // namespace sylvanode

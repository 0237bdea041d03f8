// SPDX-License-Identifier: MIT
#include "exchange/json_format.h"

#include <cctype>
#include <cstdio>
#include <vector>

#include "exchange/tree_walk.h"
#include "platform/text_encoding.h"

namespace sylvanode {
namespace {

constexpr const char* kReplacement = "\xEF\xBF\xBD";

void appendJsonString(std::string& out, std::string_view schemeBytes) {
    const std::string utf8 = schemeBytesToUtf8(schemeBytes, kReplacement);
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

void appendField(std::string& out, const char* key, std::string_view value, bool always = false) {
    if (value.empty() && !always) return;
    out += ",\"";
    out += key;
    out += "\":";
    appendJsonString(out, value);
}

class JsonReader {
public:
    explicit JsonReader(std::string_view s) : s_(s) {}

    ImportResult read();

private:
    void ws() {
        while (p_ < s_.size() && (s_[p_] == ' ' || s_[p_] == '\t' || s_[p_] == '\n' || s_[p_] == '\r')) ++p_;
    }
    bool eat(char c) {
        ws();
        if (p_ < s_.size() && s_[p_] == c) {
            ++p_;
            return true;
        }
        return false;
    }
    bool peek(char c) {
        ws();
        return p_ < s_.size() && s_[p_] == c;
    }
    ImportResult fail(const std::string& what) const {
        size_t line = 1;
        for (size_t i = 0; i < p_ && i < s_.size(); ++i) line += s_[i] == '\n';
        return ImportResult::failure("not a menu in JSON (line " + std::to_string(line) + ": " + what + ")");
    }
    bool hex4(unsigned& v) {
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
    bool string(std::string& out);
    bool skipValue();

    std::string_view s_;
    size_t p_ = 0;
};

bool JsonReader::string(std::string& out) {
    out.clear();
    if (!eat('"')) return false;
    while (p_ < s_.size()) {
        const char c = s_[p_++];
        if (c == '"') return true;
        if (static_cast<unsigned char>(c) < 0x20) return false;
        if (c != '\\') {
            out.push_back(c);
            continue;
        }
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
                if (cp >= 0xD800 && cp <= 0xDFFF) cp = 0xFFFD;
                appendUtf8(out, cp);
                break;
            }
            default:
                return false;
        }
    }
    return false;
}

// Skips one value of any shape, nesting counted rather than recursed.
bool JsonReader::skipValue() {
    int depth = 0;
    std::string scratch;
    do {
        ws();
        if (p_ >= s_.size()) return false;
        const char c = s_[p_];
        if (c == '"') {
            if (!string(scratch)) return false;
        } else if (c == '{' || c == '[') {
            ++depth, ++p_;
            continue;
        } else if (c == '}' || c == ']') {
            if (depth == 0) return false;
            --depth, ++p_;
        } else {
            const size_t start = p_;
            while (p_ < s_.size() && (std::isalnum(static_cast<unsigned char>(s_[p_])) || s_[p_] == '-' ||
                                      s_[p_] == '+' || s_[p_] == '.'))
                ++p_;
            if (p_ == start) return false;
        }
        if (depth > 0) {
            ws();
            if (p_ < s_.size() && (s_[p_] == ',' || s_[p_] == ':')) ++p_;
        }
    } while (depth > 0);
    return true;
}

ImportResult JsonReader::read() {
    if (s_.substr(0, 3) == "\xEF\xBB\xBF") p_ = 3;
    if (!isValidUtf8(s_)) return ImportResult::failure("not a menu in JSON (the text is not UTF-8)");
    if (!eat('{')) return fail("expected {");
    ForestBuilder builder;
    bool sawItems = false;
    bool firstKey = true;
    std::string key, value;
    while (!eat('}')) {
        if (!firstKey && !eat(',')) return fail("expected , or }");
        firstKey = false;
        if (!string(key) || !eat(':')) return fail("expected a key");
        if (key != "items") {
            if (!skipValue()) return fail("bad value");
            continue;
        }
        if (!eat('[')) return fail("\"items\" is not a list");
        sawItems = true;
        // Each frame is a list of items or an item's object.
        struct Frame {
            bool isObject;
            bool first;
            MenuItemData* item;
        };
        std::vector<Frame> stack{{false, true, nullptr}};
        while (!stack.empty()) {
            Frame& f = stack.back();
            if (!f.isObject) {
                if (eat(']')) {
                    stack.pop_back();
                    continue;
                }
                if (!f.first && !eat(',')) return fail("expected , or ]");
                f.first = false;
                if (!eat('{')) return fail("an item is not an object");
                stack.push_back({true, true, &builder.open("")});
                continue;
            }
            if (eat('}')) {
                builder.close();
                stack.pop_back();
                continue;
            }
            if (!f.first && !eat(',')) return fail("expected , or }");
            f.first = false;
            if (!string(key) || !eat(':')) return fail("expected a key");
            MenuItemData& d = *f.item;
            if (key == "children") {
                if (!eat('[')) return fail("\"children\" is not a list");
                stack.push_back({false, true, nullptr});
                continue;
            }
            SchemeText* field = key == "title"    ? &d.menuName
                                 : key == "hint"   ? &d.menuHint
                                 : key == "status" ? &d.menuStatus
                                 : key == "icon1"  ? &d.menuIcon1
                                 : key == "icon2"  ? &d.menuIcon2
                                 : key == "link"   ? &d.menuLink
                                 : key == "target" ? &d.menuTarget
                                 : key == "script" ? &d.menuScript
                                                   : nullptr;
            if (!field) {
                if (!skipValue()) return fail("bad value");
                continue;
            }
            if (!peek('"') || !string(value)) return fail("\"" + key + "\" is not a text");
            *field = toSchemeText(value);
            if (key == "script") d.contentType = 1;
        }
    }
    ws();
    if (p_ != s_.size()) return fail("text after the end");
    if (!sawItems) return fail("no \"items\"");
    ImportResult r;
    r.roots = builder.finish();
    if (r.roots.empty()) return ImportResult::failure("the menu has no items");
    return r;
}

}  // namespace

std::string writeMenuJson(const MenuScheme& scheme) {
    std::string out = "{\"sylvanode-menu\":1,\"items\":[";
    std::vector<bool> first{true};  // per open list: no item written yet
    walkTree(
        scheme.roots(),
        [&](const MenuNode& n, int) {
            if (!first.back()) out.push_back(',');
            first.back() = false;
            out += "\n{\"title\":";
            appendJsonString(out, n.caption);
            const MenuItemData& d = n.data;
            appendField(out, "hint", d.menuHint);
            appendField(out, "status", d.menuStatus);
            appendField(out, "icon1", d.menuIcon1);
            appendField(out, "icon2", d.menuIcon2);
            if (d.contentType == 0) {
                appendField(out, "link", d.menuLink);
                appendField(out, "target", d.menuTarget);
            } else {
                appendField(out, "script", d.menuScript, true);
            }
            if (n.hasChildren()) {
                out += ",\"children\":[";
                first.push_back(true);
            }
        },
        [&](const MenuNode& n, int) {
            if (n.hasChildren()) {
                out += "]";
                first.pop_back();
            }
            out += "}";
        });
    out += "\n]}\n";
    return out;
}

ImportResult readMenuJson(std::string_view utf8) { return JsonReader(utf8).read(); }

}  // namespace sylvanode

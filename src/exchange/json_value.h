// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/failure.h"

namespace sylvanode {

// A parsed JSON text as a flat list of values in document order. Containers link to their
// first child and each value to its next sibling, so any depth is walked without recursion.
class JsonDocument {
public:
    enum class Type : uint8_t { Null, False, True, Number, String, Array, Object };
    static constexpr int32_t kNone = -1;
    // A document holds at most this many values: a menu has far fewer, and memory stays bounded
    // (some 28 bytes a value) whatever the file holds.
    static constexpr size_t kMaxValues = size_t{4} << 20;

    struct Value {
        Type type = Type::Null;
        int32_t firstChild = kNone;  // arrays and objects
        int32_t next = kNone;        // the next element or member of the same container
        uint32_t keyAt = 0, keySize = 0;    // a member's name, in the document's text store
        uint32_t textAt = 0, textSize = 0;  // a string's UTF-8, a number as written
    };

    // Parses UTF-8 JSON (RFC 8259; a byte-order mark is skipped). False with `error()` set
    // (JsonSyntax: the problem and its line) when the text is not JSON.
    bool parse(std::string_view utf8);
    const Failure& error() const { return error_; }

    int32_t root() const { return values_.empty() ? kNone : 0; }
    const Value& operator[](int32_t at) const { return values_[static_cast<size_t>(at)]; }
    size_t size() const { return values_.size(); }
    std::string_view key(int32_t at) const { return text_.substr((*this)[at].keyAt, (*this)[at].keySize); }
    std::string_view text(int32_t at) const { return text_.substr((*this)[at].textAt, (*this)[at].textSize); }

    Type type(int32_t at) const { return at == kNone ? Type::Null : values_[static_cast<size_t>(at)].type; }
    bool isObject(int32_t at) const { return type(at) == Type::Object; }
    bool isArray(int32_t at) const { return type(at) == Type::Array; }
    bool isString(int32_t at) const { return type(at) == Type::String; }
    // The first member of an object with this name, else kNone.
    int32_t member(int32_t object, std::string_view name) const;
    // A member's string (or number) text; empty when missing or of another type.
    std::string memberText(int32_t object, std::string_view name) const;

private:
    std::vector<Value> values_;
    std::string store_;      // every key and text, decoded, one after another
    std::string_view text_;  // a view of store_
    Failure error_;
};

// Appends `utf8` as a JSON string literal: quotes, backslashes and control characters escaped.
void appendJsonString(std::string& out, std::string_view utf8);

}  // namespace sylvanode

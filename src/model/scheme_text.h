// SPDX-License-Identifier: MIT
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace sylvanode {

// A text of the scheme (GBK bytes, no NUL inside when read from a file), held in one word.
// Copies share the bytes; a text never changes in place, it is replaced. The bytes live
// either in a block of their own or in a TextArena chunk that the loader fills with every
// text of a file, back to back; either stays alive while a text refers to it, whatever
// scheme, undo step or clipboard holds that text. Reads like a std::string for the few
// things callers do with it, and converts to std::string and std::string_view.
class SchemeText {
public:
    SchemeText() noexcept = default;
    SchemeText(const char* text) : SchemeText(std::string_view(text)) {}  // NOLINT: implicit like std::string
    SchemeText(const std::string& text) : SchemeText(std::string_view(text)) {}
    SchemeText(std::string_view text);
    SchemeText(const SchemeText& other) noexcept : rep_(other.rep_) { retain(); }
    SchemeText(SchemeText&& other) noexcept : rep_(other.rep_) { other.rep_ = 0; }
    ~SchemeText() { release(); }

    SchemeText& operator=(const SchemeText& other) noexcept {
        SchemeText copy(other);
        swap(copy);
        return *this;
    }
    SchemeText& operator=(SchemeText&& other) noexcept {
        SchemeText moved(std::move(other));
        swap(moved);
        return *this;
    }
    SchemeText& operator=(std::string_view text) { return *this = SchemeText(text); }
    SchemeText& operator=(const std::string& text) { return *this = SchemeText(std::string_view(text)); }
    SchemeText& operator=(const char* text) { return *this = SchemeText(std::string_view(text)); }

    void swap(SchemeText& other) noexcept {
        const std::uintptr_t r = rep_;
        rep_ = other.rep_;
        other.rep_ = r;
    }

    // The bytes, followed by a NUL.
    const char* data() const noexcept;
    const char* c_str() const noexcept { return data(); }
    size_t size() const noexcept;
    size_t length() const noexcept { return size(); }
    bool empty() const noexcept { return rep_ == 0; }
    void clear() noexcept {
        release();
        rep_ = 0;
    }
    std::string_view view() const noexcept { return {data(), size()}; }
    std::string str() const { return std::string(view()); }
    operator std::string_view() const noexcept { return view(); }
    operator std::string() const { return str(); }
    const char* begin() const noexcept { return data(); }
    const char* end() const noexcept { return data() + size(); }
    char operator[](size_t i) const noexcept { return data()[i]; }
    char front() const noexcept { return data()[0]; }
    char back() const noexcept { return data()[size() - 1]; }

    friend bool operator==(const SchemeText& a, const SchemeText& b) noexcept {
        return a.rep_ == b.rep_ || a.view() == b.view();
    }
    friend bool operator==(const SchemeText& a, std::string_view b) noexcept { return a.view() == b; }
    friend bool operator==(const SchemeText& a, const std::string& b) noexcept { return a.view() == b; }
    friend bool operator==(const SchemeText& a, const char* b) noexcept { return a.view() == b; }

private:
    friend class TextArena;
    // 0: empty. With the top bit set: a block of its own (a HeapText*; no user-space address
    // has that bit). Else: the first byte of a text in an arena chunk, which starts at the
    // address rounded down to the chunk size.
    std::uintptr_t rep_ = 0;
    void retain() const noexcept;
    void release() const noexcept;
};

std::string operator+(const std::string& a, const SchemeText& b);
std::string operator+(const SchemeText& a, const std::string& b);
std::string operator+(const char* a, const SchemeText& b);
std::string operator+(const SchemeText& a, const char* b);

// Copies texts into chunks, back to back with a NUL after each: a loaded scheme's texts cost
// their bytes and a word each. A chunk is freed with the last text that refers to it.
class TextArena {
public:
    TextArena() = default;
    ~TextArena();
    TextArena(const TextArena&) = delete;
    TextArena& operator=(const TextArena&) = delete;

    SchemeText make(std::string_view text);

private:
    char* chunk_ = nullptr;  // the chunk being filled (the arena holds one reference to it)
    size_t used_ = 0;
};

}  // namespace sylvanode

// SPDX-License-Identifier: MIT
#include "model/scheme_text.h"

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <new>

namespace sylvanode {
namespace {

// A text in a block of its own: this header, then the bytes and a NUL.
struct HeapText {
    std::atomic<std::uint32_t> references;
    std::uint32_t size;
    char* bytes() { return reinterpret_cast<char*>(this + 1); }
};

// Arena chunks are aligned to their size, so a text finds its chunk's header by rounding
// its address down. Texts longer than kLargestArenaText get blocks of their own.
constexpr std::uintptr_t kArenaChunk = std::uintptr_t{1} << 20;
constexpr size_t kLargestArenaText = 16 * 1024;

struct ChunkHeader {
    std::atomic<std::uint32_t> references;
};
constexpr size_t kChunkStart = sizeof(ChunkHeader);

constexpr std::uintptr_t kHeapTag = std::uintptr_t{1} << (sizeof(std::uintptr_t) * 8 - 1);
bool isHeap(std::uintptr_t rep) { return (rep & kHeapTag) != 0; }
HeapText* heapText(std::uintptr_t rep) { return reinterpret_cast<HeapText*>(rep & ~kHeapTag); }
ChunkHeader* chunkOf(std::uintptr_t rep) { return reinterpret_cast<ChunkHeader*>(rep & ~(kArenaChunk - 1)); }

std::uintptr_t newHeapText(std::string_view text) {
    if (text.size() > UINT32_MAX - sizeof(HeapText)) throw std::bad_alloc();
    void* memory = std::malloc(sizeof(HeapText) + text.size() + 1);
    if (!memory) throw std::bad_alloc();
    auto* block = new (memory) HeapText{{1}, static_cast<std::uint32_t>(text.size())};
    std::memcpy(block->bytes(), text.data(), text.size());
    block->bytes()[text.size()] = '\0';
    return reinterpret_cast<std::uintptr_t>(block) | kHeapTag;
}

void releaseChunk(ChunkHeader* chunk) {
    if (chunk->references.fetch_sub(1, std::memory_order_acq_rel) == 1) {
        chunk->~ChunkHeader();
        std::free(chunk);
    }
}

}  // namespace

SchemeText::SchemeText(std::string_view text) {
    if (!text.empty()) rep_ = newHeapText(text);
}

const char* SchemeText::data() const noexcept {
    if (rep_ == 0) return "";
    if (isHeap(rep_)) return heapText(rep_)->bytes();
    return reinterpret_cast<const char*>(rep_);
}

size_t SchemeText::size() const noexcept {
    if (rep_ == 0) return 0;
    if (isHeap(rep_)) return heapText(rep_)->size;
    return std::strlen(reinterpret_cast<const char*>(rep_));
}

void SchemeText::retain() const noexcept {
    if (rep_ == 0) return;
    if (isHeap(rep_))
        heapText(rep_)->references.fetch_add(1, std::memory_order_relaxed);
    else
        chunkOf(rep_)->references.fetch_add(1, std::memory_order_relaxed);
}

void SchemeText::release() const noexcept {
    if (rep_ == 0) return;
    if (isHeap(rep_)) {
        HeapText* block = heapText(rep_);
        if (block->references.fetch_sub(1, std::memory_order_acq_rel) == 1) {
            block->~HeapText();
            std::free(block);
        }
    } else {
        releaseChunk(chunkOf(rep_));
    }
}

std::string operator+(const std::string& a, const SchemeText& b) { return a + std::string(b.view()); }
std::string operator+(const SchemeText& a, const std::string& b) { return std::string(a.view()) + b; }
std::string operator+(const char* a, const SchemeText& b) { return a + std::string(b.view()); }
std::string operator+(const SchemeText& a, const char* b) { return std::string(a.view()) + b; }

TextArena::~TextArena() {
    if (chunk_) releaseChunk(reinterpret_cast<ChunkHeader*>(chunk_));
}

SchemeText TextArena::make(std::string_view text) {
    SchemeText out;
    if (text.empty()) return out;
    // A NUL inside would cut the text short when read back: such a text gets its own block.
    if (text.size() > kLargestArenaText || std::memchr(text.data(), '\0', text.size())) {
        out.rep_ = newHeapText(text);
        return out;
    }
    const size_t need = text.size() + 1;
    if (!chunk_ || used_ + need > kArenaChunk) {
        void* memory = std::aligned_alloc(kArenaChunk, kArenaChunk);
        if (!memory) throw std::bad_alloc();
        if (chunk_) releaseChunk(reinterpret_cast<ChunkHeader*>(chunk_));
        new (memory) ChunkHeader{{1}};
        chunk_ = static_cast<char*>(memory);
        used_ = kChunkStart;
    }
    char* at = chunk_ + used_;
    std::memcpy(at, text.data(), text.size());
    at[text.size()] = '\0';
    used_ += need;
    reinterpret_cast<ChunkHeader*>(chunk_)->references.fetch_add(1, std::memory_order_relaxed);
    out.rep_ = reinterpret_cast<std::uintptr_t>(at);
    return out;
}

}  // namespace sylvanode

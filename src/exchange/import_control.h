// SPDX-License-Identifier: MIT
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>

namespace sylvanode {

// How far an import has got, and the way to stop it. The import runs on one thread; any
// other thread may read the progress and cancel. Progress is in units of the import's own
// (for a file a thousandth of the whole, reading then parsing; for a folder its pages), with
// total 0 while it is not known yet.
class ImportControl {
public:
    // Asks the import to stop: it fails as Cancelled as soon as it next looks.
    void cancel() noexcept { cancelled_.store(true, std::memory_order_relaxed); }
    bool cancelled() const noexcept { return cancelled_.load(std::memory_order_relaxed); }

    std::uint64_t done() const noexcept { return done_.load(std::memory_order_relaxed); }
    std::uint64_t total() const noexcept { return total_.load(std::memory_order_relaxed); }
    // Called on the importing thread after every report; set it before the import starts.
    std::function<void(std::uint64_t done, std::uint64_t total)> onProgress;

    // For the import itself.
    void report(std::uint64_t done, std::uint64_t total);
    // The part [from, to] of the total that the next stage (reading, parsing) covers, and how
    // far into that stage it is: `at` of `length` (bytes, say). Progress never goes back.
    void setStage(std::uint64_t from, std::uint64_t to) noexcept {
        stageFrom_ = from;
        stageTo_ = to;
    }
    void reportStage(std::uint64_t at, std::uint64_t length);

private:
    std::atomic<bool> cancelled_{false};
    std::atomic<std::uint64_t> done_{0};
    std::atomic<std::uint64_t> total_{0};
    std::uint64_t stageFrom_ = 0;
    std::uint64_t stageTo_ = 0;
};

// The control of the import running on this thread, for the checkpoints deep in the readers
// and the parser (null when nobody watches).
ImportControl* currentImportControl() noexcept;
// True when the import running on this thread was asked to stop.
inline bool importCancelled() noexcept {
    const ImportControl* c = currentImportControl();
    return c && c->cancelled();
}

// Makes `control` the current one on this thread while it lives.
class ImportControlScope {
public:
    explicit ImportControlScope(ImportControl* control) noexcept;
    ~ImportControlScope();
    ImportControlScope(const ImportControlScope&) = delete;
    ImportControlScope& operator=(const ImportControlScope&) = delete;

private:
    ImportControl* previous_;
};

}  // namespace sylvanode

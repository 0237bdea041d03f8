// SPDX-License-Identifier: MIT
#include "exchange/import_control.h"

namespace sylvanode {
namespace {

thread_local ImportControl* current = nullptr;

}  // namespace

void ImportControl::report(std::uint64_t done, std::uint64_t total) {
    total_.store(total, std::memory_order_relaxed);
    done_.store(done, std::memory_order_relaxed);
    if (onProgress) onProgress(done, total);
}

void ImportControl::reportStage(std::uint64_t at, std::uint64_t length) {
    const std::uint64_t span = stageTo_ - stageFrom_;
    const std::uint64_t into = length == 0 ? span : static_cast<std::uint64_t>(static_cast<double>(span) *
                                                                                 static_cast<double>(at) /
                                                                                 static_cast<double>(length));
    // A stage may parse more than one text (a page's head, then the page): never go back.
    const std::uint64_t reached = stageFrom_ + (into < span ? into : span);
    report(reached > done() ? reached : done(), total());
}

ImportControl* currentImportControl() noexcept { return current; }

ImportControlScope::ImportControlScope(ImportControl* control) noexcept : previous_(current) {
    current = control;
}

ImportControlScope::~ImportControlScope() { current = previous_; }

}  // namespace sylvanode

// SPDX-License-Identifier: MIT
#include "model/scheme_text.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "model/profile_index.h"

namespace sylvanode {
namespace {

// Random assignments, copies, moves and clears of texts from arenas (some destroyed while their
// texts live on) and of texts of their own, mirrored by std::string: every text reads as the
// string it should hold. Under AddressSanitizer this also checks that no text outlives its bytes.
TEST(SchemeText, HoldsWhatWasAssignedWhateverHappensAroundIt) {
    std::mt19937 rng(5);
    auto randomBytes = [&] {
        static const std::string pieces[] = {"", "a", "New Item", "\xD5\x5C", std::string("x\0y", 3),
                                             std::string(20000, 'l'), "  quoted  ", "\xFE\xFE"};
        std::string s;
        for (int n = static_cast<int>(rng() % 3); n > 0; --n) s += pieces[rng() % std::size(pieces)];
        return s;
    };
    constexpr size_t kSlots = 16;
    std::vector<SchemeText> texts(kSlots);
    std::vector<std::string> expected(kSlots);
    auto arena = std::make_unique<TextArena>();
    for (int step = 0; step < 20000; ++step) {
        const size_t a = rng() % kSlots, b = rng() % kSlots;
        switch (rng() % 7) {
            case 0:
                expected[a] = randomBytes();
                texts[a] = expected[a];
                break;
            case 1: {
                std::string bytes = randomBytes();
                // What an arena keeps is the text up to a NUL; a NUL makes a block of its own.
                texts[a] = arena->make(bytes);
                expected[a] = bytes;
                break;
            }
            case 2:
                texts[a] = texts[b];
                expected[a] = expected[b];
                break;
            case 3:
                if (a != b) {
                    texts[a] = std::move(texts[b]);
                    expected[a] = std::move(expected[b]);
                    expected[b].clear();
                    EXPECT_TRUE(texts[b].empty());
                }
                break;
            case 4:
                texts[a].clear();
                expected[a].clear();
                break;
            case 5:
                arena = std::make_unique<TextArena>();  // its texts stay
                break;
            case 6: {
                SchemeText copy = texts[a];
                EXPECT_EQ(copy == texts[a], true);
                EXPECT_EQ(copy.view(), expected[a]);
                break;
            }
        }
        for (size_t i = 0; i < kSlots; ++i) {
            ASSERT_EQ(texts[i].view(), expected[i]) << "step " << step;
            ASSERT_EQ(texts[i].size(), expected[i].size());
            ASSERT_EQ(texts[i].empty(), expected[i].empty());
            ASSERT_EQ(texts[i].c_str()[texts[i].size()], '\0');
        }
    }
    // Copies in other threads share the counts safely.
    SchemeText shared = arena->make("shared");
    arena.reset();
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([shared] {
            for (int i = 0; i < 10000; ++i) {
                SchemeText copy = shared;
                if (copy.view() != "shared") std::abort();
            }
        });
    for (auto& t : threads) t.join();
    EXPECT_EQ(shared, "shared");
}

// Text fed in pieces cut anywhere gives the lines the whole text gives.
TEST(ProfileLines, PiecesGiveTheLinesOfTheWholeText) {
    std::mt19937 rng(11);
    static const std::string pieces[] = {"[s]", "k=v", "\r\n", "\r", "\n", std::string(1, '\0'), "\xEF\xBB\xBF",
                                         "\xEF\xBB", " ;c", "x", std::string(3000, 'w')};
    for (int round = 0; round < 2000; ++round) {
        std::string text;
        for (int n = static_cast<int>(rng() % 12); n > 0; --n) text += pieces[rng() % std::size(pieces)];
        std::vector<std::string> whole, cut;
        ProfileLines::forEachLine(text, [&](std::string_view l) { whole.emplace_back(l); });
        ProfileLines lines;
        auto onLine = [&](std::string_view l) { cut.emplace_back(l); };
        for (size_t at = 0; at < text.size();) {
            const size_t n = std::min<size_t>(text.size() - at, rng() % 8);
            lines.feed(std::string_view(text).substr(at, n), onLine);
            at += n;
        }
        lines.finish(onLine);
        ASSERT_EQ(cut, whole) << round;
    }
}

}  // namespace
}  // namespace sylvanode

// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <algorithm>
#include <fstream>
#include <map>
#include <random>

#include "model/scheme_io.h"
#include "test_support.h"

namespace sylvanode {
namespace {

// A scheme text with the given item levels; item k is titled "Tk" with link "Lk".
std::string schemeWithLevels(const std::vector<int>& levels, const std::string& count = "",
                             const std::string& extra = "") {
    std::string t = "[Config]\r\ncount=" + (count.empty() ? std::to_string(levels.size()) : count) + "\r\n";
    std::string names = "[MenuName]\r\n", lv = "[MenuLevel]\r\n", links = "[Link]\r\n";
    for (size_t k = 0; k < levels.size(); ++k) {
        names += std::to_string(k) + "=T" + std::to_string(k) + "\r\n";
        lv += std::to_string(k) + "=" + std::to_string(levels[k]) + "\r\n";
        links += std::to_string(k) + "=L" + std::to_string(k) + "\r\n";
    }
    return t + names + lv + links + extra;
}

// Captions in pre-order with two spaces per level.
std::string outline(const MenuScheme& s) {
    std::string out;
    forEachPreOrder(s.roots(), [&](MenuNode* n, int level) {
        out += std::string(static_cast<size_t>(level) * 2, ' ') + n->caption + "\n";
    });
    return out;
}

class SchemeReader : public ::testing::Test {
protected:
    // A scheme whose settings and styles differ from anything a test file holds.
    void SetUp() override {
        scheme.settings.workDir = "/before/";
        scheme.settings.menuSuffix = "kept";
        scheme.settings.indent = 42;
        scheme.kinds[1].styles[2].fontName = "Before";
    }
    void expectUntouched() {
        EXPECT_EQ(scheme.settings.workDir, "/before/");
        EXPECT_EQ(scheme.settings.menuSuffix, "kept");
        EXPECT_EQ(scheme.settings.indent, 42);
        EXPECT_EQ(scheme.kinds[1].styles[2].fontName, "Before");
    }
    MenuScheme scheme;
};

TEST_F(SchemeReader, RejectedFilesLeaveSettingsAndAnEmptyTree) {
    const std::string cases[] = {
        "",
        "[Other]\r\ncount=1\r\n",
        "[Config]\r\ncount=many\r\n",
        "[Config]\r\ncount=-1\r\n",
        "[Config]\r\ncount=99999999999\r\n",
        schemeWithLevels({0, 1, 2}, "2000000000"),     // count far beyond the items present
        schemeWithLevels({0, -1}),
        "[Config]\r\ncount=1\r\n[MenuName]\r\n0=x\r\n",  // no level
        std::string("\x00\xFF\x13garbage\x81\x5D[", 13),
    };
    for (const std::string& text : cases) {
        const SchemeResult r = readSchemeText(scheme, text);
        EXPECT_FALSE(r) << text;
        EXPECT_FALSE(test::english(r.failure).empty());
        EXPECT_TRUE(scheme.empty()) << text;
        expectUntouched();
    }
}

TEST_F(SchemeReader, FailuresSayWhatWasWrong) {
    SchemeResult r = readSchemeText(scheme, schemeWithLevels({0, 1}, "3"));
    EXPECT_EQ(test::english(r.failure), "item 2: [MenuLevel] has no level");
    r = readSchemeText(scheme, schemeWithLevels({0, -1}));
    EXPECT_EQ(test::english(r.failure), "item 1: level \"-1\" in [MenuLevel] is not a level of 0 or more");
}

TEST_F(SchemeReader, MissingFileIsAnIoFailure) {
    const SchemeResult r = readSchemeFile(scheme, "/nonexistent/dir/x.menu");
    EXPECT_FALSE(r);
    EXPECT_TRUE(r.ioError);
    expectUntouched();
}

TEST_F(SchemeReader, WalkBackPastTheFirstItemFailsAndKeepsThePartialTree) {
    const SchemeResult r = readSchemeText(scheme, schemeWithLevels({0, 2, 1}));
    EXPECT_FALSE(r);
    EXPECT_EQ(outline(scheme), "T0\n  T1\n");
    expectUntouched();
}

TEST_F(SchemeReader, CountsOfZeroBelowMinusOneAndSmallerThanTheItems) {
    ASSERT_TRUE(readSchemeText(scheme, schemeWithLevels({}, "0", "[Config]\r\n")));
    EXPECT_TRUE(scheme.empty());
    EXPECT_EQ(scheme.settings.menuSuffix, "");
    EXPECT_EQ(scheme.settings.indent, 13);

    MenuScheme s2;
    ASSERT_TRUE(readSchemeText(s2, schemeWithLevels({0}, "-5")));
    EXPECT_TRUE(s2.empty());

    MenuScheme s3;
    ASSERT_TRUE(readSchemeText(s3, schemeWithLevels({0, 1, 1}, "2")));
    EXPECT_EQ(outline(s3), "T0\n  T1\n");
}

TEST_F(SchemeReader, StoredLevelsDriveTheTree) {
    MenuScheme a;
    ASSERT_TRUE(readSchemeText(a, schemeWithLevels({0, 2, 2})));
    EXPECT_EQ(outline(a), "T0\n  T1\n  T2\n");

    MenuScheme b;
    ASSERT_TRUE(readSchemeText(b, schemeWithLevels({3, 4, 0})));
    EXPECT_EQ(outline(b), "T0\n  T1\nT2\n");

    MenuScheme c;
    ASSERT_TRUE(readSchemeText(c, schemeWithLevels({0, 1, 2, 1, 0, 1})));
    EXPECT_EQ(outline(c), "T0\n  T1\n    T2\n  T3\nT4\n  T5\n");
    EXPECT_EQ(c.roots()[0]->imageIndex, ImageFolderClosed);
    EXPECT_EQ(c.nodeAt(2)->imageIndex, ImageFile);
    EXPECT_FALSE(c.roots()[0]->expanded);
}

TEST_F(SchemeReader, IrregularLevelsFollowThePreOrderOfTheTreeBuiltSoFar) {
    // T5 walks back to T1 and joins T0, ahead of T3 in pre-order; T7 then walks back to the
    // node at position 5 of the tree as built, which is T3, and so becomes a root.
    MenuScheme s;
    ASSERT_TRUE(readSchemeText(s, schemeWithLevels({0, 1, 2, 0, 2, 1, 2, 1})));
    EXPECT_EQ(outline(s), "T0\n  T1\n    T2\n  T5\n    T6\nT3\n  T4\nT7\n");
    // Actions are read by position in the rebuilt tree.
    const std::vector<MenuNode*> nodes = s.flatten();
    const char* links[] = {"L0", "L1", "L2", "L3", "L4", "L5", "L6", "L7"};
    for (size_t j = 0; j < nodes.size(); ++j) EXPECT_EQ(nodes[j]->data.menuLink, links[j]) << j;
    EXPECT_EQ(nodes[3]->caption, "T5");
}

// The level rules as documented, step by step: the walk back looks up the node at
// an item index of the tree built so far by walking the whole tree.
std::string referenceOutline(const std::vector<int>& levels) {
    MenuScheme s;
    MenuNode* c = nullptr;
    int p = -1;
    for (size_t k = 0; k < levels.size(); ++k) {
        const int L = levels[k];
        MenuNode* parent = nullptr;
        if (L == 0) {
            parent = nullptr;
        } else if (p < L) {
            parent = c;
        } else if (p == L) {
            parent = c->parent();
        } else {
            int j = static_cast<int>(k) - 1;
            while (j >= 0 && levels[static_cast<size_t>(j)] != L) --j;
            if (j < 0) return "fails";
            parent = s.nodeAt(j)->parent();
        }
        c = parent ? parent->appendChild() : s.appendRoot();
        c->caption = "T" + std::to_string(k);
        p = L;
    }
    return outline(s);
}

TEST_F(SchemeReader, RandomIrregularLevelsBuildTheDocumentedTree) {
    std::mt19937 rng(11);
    for (int round = 0; round < 400; ++round) {
        // Mostly a level seen before (a walk back), now and then a step down by up to three,
        // rarely one never seen (which fails).
        std::vector<int> levels(1 + rng() % 60);
        std::vector<int> seen{0};
        int previous = 0;
        for (int& l : levels) {
            const unsigned pick = rng() % 16;
            l = pick < 10   ? seen[rng() % seen.size()]
                : pick < 15 ? previous + 1 + static_cast<int>(rng() % 3)
                            : 9;
            seen.push_back(l);
            previous = l;
        }
        MenuScheme s;
        const SchemeResult r = readSchemeText(s, schemeWithLevels(levels));
        const std::string expected = referenceOutline(levels);
        if (expected == "fails") {
            EXPECT_FALSE(r);
            continue;
        }
        ASSERT_TRUE(r) << r.failure;
        ASSERT_EQ(outline(s), expected) << "round " << round;
        // Actions are read by position in the rebuilt tree.
        const std::vector<MenuNode*> nodes = s.flatten();
        for (size_t j = 0; j < nodes.size(); ++j) ASSERT_EQ(nodes[j]->data.menuLink, "L" + std::to_string(j));
    }
}

// Keys in any order, sparse sections, repeated keys (the first counts), numbers far beyond the
// items, and short values that repeat across items (the loader shares their bytes): every item
// gets exactly the first value its number has in each section, checked against a plain model.
TEST_F(SchemeReader, EveryItemGetsTheFirstValueOfItsNumberInAnyKeyOrder) {
    std::mt19937 rng(5);
    const std::vector<std::string> sections = {"Hint", "Status", "Link", "Target", "Icon1"};
    for (int round = 0; round < 60; ++round) {
        const size_t items = 1 + rng() % 400;
        std::map<std::string, std::map<size_t, std::string>> first;  // section -> number -> value
        std::string text = "[Config]\r\ncount=" + std::to_string(items) + "\r\n[MenuName]\r\n";
        for (size_t k = 0; k < items; ++k) text += std::to_string(k) + "=T" + std::to_string(k) + "\r\n";
        text += "[MenuLevel]\r\n";
        for (size_t k = 0; k < items; ++k) text += std::to_string(k) + "=0\r\n";
        for (const std::string& section : sections) {
            // A few values shared by many items, or as many as there are items (hash slots collide).
            const size_t distinct = rng() % 2 ? 1 + rng() % 4 : items;
            std::vector<std::pair<size_t, std::string>> lines;
            for (size_t k = 0; k < items; ++k) {
                if (rng() % 8 < static_cast<unsigned>(round % 8)) continue;  // sparse: some items have none
                lines.emplace_back(k, section[0] + std::to_string(rng() % distinct));
                if (rng() % 10 == 0) lines.emplace_back(k, "again" + std::to_string(k));
            }
            for (int far = 0; far < 3; ++far) lines.emplace_back(items + 1000000 * (far + 1) + rng() % 1000, "far");
            std::shuffle(lines.begin(), lines.end(), rng);
            text += "[" + section + "]\r\n";
            for (const auto& [k, value] : lines) {
                first[section].try_emplace(k, value);
                text += std::to_string(k) + "=" + value + "\r\n";
            }
        }
        MenuScheme s;
        ASSERT_TRUE(readSchemeText(s, text)) << "round " << round;
        const std::vector<MenuNode*> nodes = s.flatten();
        ASSERT_EQ(nodes.size(), items);
        for (size_t k = 0; k < items; ++k) {
            const MenuItemData& d = nodes[k]->data;
            const std::map<std::string, std::string> read = {{"Hint", d.menuHint}, {"Status", d.menuStatus},
                                                             {"Link", d.menuLink}, {"Target", d.menuTarget},
                                                             {"Icon1", d.menuIcon1}};
            for (const std::string& section : sections) {
                const auto it = first[section].find(k);
                ASSERT_EQ(read.at(section), it == first[section].end() ? "" : it->second)
                    << "round " << round << ", item " << k << ", [" << section << "]";
            }
        }
    }
}

TEST_F(SchemeReader, ValuesDefaultsColoursAndFontStyleLimits) {
    const std::string text =
        "[config]\r\nCOUNT=2\r\nshow line=1\r\nuse image=0x0\r\n"
        "[MenuName]\r\n0=  \"Quoted\"  \r\n1=Script item\r\n"
        "[MenuLevel]\r\n0=0\r\n1=1\r\n"
        "[Content Type]\r\n0=0\r\n1=2\r\n"
        "[Link]\r\n0= 'x.html' \r\n1=ignored\r\n"
        "[Target]\r\n0=main\r\n"
        "[Script]\r\n0=ignored\r\n1=run()\r\n"
        "[Status]\r\n1=status text\r\n"
        "[text color]\r\n0=1234567\r\n1=ff\r\n2=clBtnFace\r\n3=clNoSuch\r\n"
        "[background color]\r\n0=abc\r\n"
        "[font style]\r\n0=-5\r\n1=7\r\n2=7\r\n3=-5\r\n4=-5\r\n5=7\r\n";
    ASSERT_TRUE(readSchemeText(scheme, text));
    const SchemeSettings& st = scheme.settings;
    EXPECT_EQ(st.workDir, "");
    EXPECT_EQ(st.target, "");
    EXPECT_EQ(st.lineFolder, ".");
    EXPECT_EQ(st.menuSuffix, "");
    EXPECT_EQ(st.indent, 13);
    EXPECT_FALSE(st.useImage);
    EXPECT_TRUE(st.showLine);
    EXPECT_TRUE(st.showSelect);

    const MenuNode* a = scheme.roots()[0].get();
    EXPECT_EQ(a->caption, "Quoted");
    EXPECT_EQ(a->data.menuLink, "x.html");
    EXPECT_EQ(a->data.menuTarget, "main");
    EXPECT_EQ(a->data.menuScript, "");
    const MenuNode* b = a->firstChild();
    EXPECT_EQ(b->data.contentType, 2);
    EXPECT_EQ(b->data.menuScript, "run()");
    EXPECT_EQ(b->data.menuLink, "");
    EXPECT_EQ(b->data.menuStatus, "status text");

    const auto style = [&](int slot) -> const CssStyle& { return scheme.kinds[slot / 3].styles[slot % 3]; };
    EXPECT_EQ(style(0).textColor, "");
    EXPECT_EQ(style(1).textColor, "ff");
    EXPECT_EQ(style(2).textColor, "clBtnFace");
    EXPECT_EQ(style(3).textColor, "");
    EXPECT_EQ(style(0).backgroundColor, "abc");
    const int expectedStyles[] = {-1, 3, 7, -1, -5, 7};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(style(i).fontStyle, expectedStyles[i]) << i;
        EXPECT_EQ(style(i).fontSize, 13);
        EXPECT_TRUE(style(i).underline);
        EXPECT_EQ(style(i).borderWidth, 1);
    }
    EXPECT_EQ(scheme.kinds[0].padding, (std::array<int32_t, 4>{0, 0, 0, 0}));
}

TEST_F(SchemeReader, LineEndsBomAndHugeLinesAreHandled) {
    std::string crlf = schemeWithLevels({0, 1});
    std::string lf, cr;
    for (size_t i = 0; i < crlf.size(); ++i) {
        if (crlf[i] == '\r') continue;
        lf += crlf[i];
    }
    for (char c : crlf) cr += c == '\n' ? '\r' : c;  // CR CR: an empty line between
    for (const std::string& text : {lf, cr, "\xEF\xBB\xBF" + crlf}) {
        MenuScheme s;
        ASSERT_TRUE(readSchemeText(s, text));
        EXPECT_EQ(outline(s), "T0\n  T1\n");
    }
    const std::string hugeLine = "[Junk]\r\nx=" + std::string(1 << 20, 'x') + "\r\n";
    const std::string longValue(300000, 'v');
    const std::string text = hugeLine + schemeWithLevels({0}, "", "[Hint]\r\n0=" + longValue + "\r\n");
    MenuScheme big;
    ASSERT_TRUE(readSchemeText(big, text));
    EXPECT_TRUE(big.roots()[0]->data.menuHint == longValue);  // whole, not cut
    // From a file, which arrives in pieces that cut lines (and a CR LF) anywhere.
    test::TempDir dir;
    for (const std::string& content : {text, "\xEF\xBB\xBF" + crlf, std::string(262143, '\n') + cr + std::string(5, '\r')}) {
        test::writeFile(dir.file("a.menu"), content);
        MenuScheme fromFile, fromText;
        ASSERT_TRUE(readSchemeFile(fromFile, dir.file("a.menu")));
        ASSERT_TRUE(readSchemeText(fromText, content));
        EXPECT_EQ(writeSchemeText(fromFile), writeSchemeText(fromText));
    }
}

// AddressSanitizer's allocator aborts instead of throwing when memory is capped.
#if defined(__SANITIZE_ADDRESS__)
#define SYLVANODE_SANITIZED_ALLOCATOR 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define SYLVANODE_SANITIZED_ALLOCATOR 1
#endif
#endif

#ifndef SYLVANODE_SANITIZED_ALLOCATOR
// An allocation that fails is a result like any other, flagged so that the editor
// can say "out of memory". Run in a fresh process (this test binary again, running only this
// test) whose address space is capped: a forked copy of a long test run would hold enough
// freed memory to load the file without any new allocation failing.
TEST_F(SchemeReader, RunningOutOfMemoryIsAResultNotAnException) {
    std::vector<int> levels(300000, 0);
    const std::string text = schemeWithLevels(levels);
    if (std::getenv("SYLVANODE_CAPPED_CHILD")) {
        long pages = 0;
        std::ifstream("/proc/self/statm") >> pages;
        const rlim_t cap =
            static_cast<rlim_t>(pages) * static_cast<rlim_t>(::sysconf(_SC_PAGESIZE)) + (8 << 20);
        const rlimit limit{cap, cap};
        if (::setrlimit(RLIMIT_AS, &limit) != 0) ::_exit(3);
        int code = 2;
        try {
            MenuScheme s;
            const SchemeResult r = readSchemeText(s, text);
            code = !r && r.outOfMemory() && r.ioError && r.failure.path.empty() ? 0 : 1;
        } catch (...) {
            code = 4;  // escaped the reader
        }
        ::_exit(code);
    }
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::setenv("SYLVANODE_CAPPED_CHILD", "1", 1);
        ::execl("/proc/self/exe", "core_tests", "--gtest_filter=SchemeReader.RunningOutOfMemoryIsAResultNotAnException",
                static_cast<char*>(nullptr));
        ::_exit(5);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
}
#endif

TEST_F(SchemeReader, RandomBytesNeverCrash) {
    std::mt19937 rng(7);
    const std::string seed = schemeWithLevels({0, 1, 2, 1, 0});
    for (int round = 0; round < 300; ++round) {
        std::string text = seed;
        for (int m = 0; m < 20; ++m) text[rng() % text.size()] = static_cast<char>(rng() & 0xFF);
        MenuScheme s;
        if (!readSchemeText(s, text)) continue;
        // Whatever loads is written as a file that loads again to the same tree.
        MenuScheme again;
        ASSERT_TRUE(readSchemeText(again, writeSchemeText(s)));
        EXPECT_EQ(outline(again), outline(s));
    }
}

}  // namespace
}  // namespace sylvanode

// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "model/menu_scheme.h"
#include "platform/paths.h"

namespace sylvanode {
namespace {

TEST(MenuScheme, NewSchemeHasDocumentedDefaults) {
    MenuScheme s;
    EXPECT_TRUE(s.empty());
    EXPECT_EQ(s.itemCount(), 0);
    EXPECT_EQ(s.settings.workDir, executableDirectory());
    EXPECT_EQ(s.settings.workDir.back(), '/');
    EXPECT_EQ(s.settings.target, "_blank");
    EXPECT_EQ(s.settings.lineFolder, "./");
    EXPECT_EQ(s.settings.indent, 13);
    const bool flags[] = {s.settings.useImage,   s.settings.useTitleAsHint, s.settings.useTitleAsStatus,
                          s.settings.showHint,   s.settings.showStatus,     s.settings.showSelect,
                          s.settings.showLine};
    const bool expected[] = {true, true, true, true, true, true, false};
    for (int i = 0; i < 7; ++i) EXPECT_EQ(flags[i], expected[i]) << "flag " << i;
    for (const KindStyle& k : s.kinds) {
        EXPECT_EQ(k.padding, (std::array<int32_t, 4>{0, 0, 2, 5}));
        EXPECT_EQ(k.height, 0);
        for (const CssStyle& st : k.styles) {
            EXPECT_TRUE(st.fontName.empty() && st.textColor.empty() && st.backgroundColor.empty() &&
                        st.borderColor.empty());
            EXPECT_EQ(st.fontSize, -1);
            EXPECT_EQ(st.fontStyle, -1);
            EXPECT_FALSE(st.underline || st.useBorder);
            EXPECT_EQ(st.borderWidth, 1);
        }
    }
}

TEST(MenuScheme, NewItemAndTreeQueries) {
    MenuScheme s;
    MenuNode* a = s.appendRoot();
    EXPECT_EQ(a->caption, "New Item");
    EXPECT_EQ(a->data.menuName, "New Item");
    EXPECT_EQ(a->data.contentType, 0);
    MenuNode* b = a->appendChild();
    MenuNode* c = a->appendChild();
    MenuNode* d = s.appendRoot();
    MenuNode* e = b->appendChild();
    EXPECT_EQ(s.itemCount(), 5);
    EXPECT_EQ(s.flatten(), (std::vector<MenuNode*>{a, b, e, c, d}));
    EXPECT_EQ(s.nodeAt(2), e);
    EXPECT_EQ(s.nodeAt(5), nullptr);
    EXPECT_EQ(nodeLevel(e), 2);
    EXPECT_EQ(e->parent(), b);
    EXPECT_EQ(a->firstChild(), b);
    EXPECT_EQ(nextSibling(s, b), c);
    EXPECT_EQ(nextSibling(s, c), nullptr);
    EXPECT_EQ(previousSibling(s, d), a);
    EXPECT_EQ(previousSibling(s, a), nullptr);
    EXPECT_TRUE(isAncestorOf(a, e));
    EXPECT_FALSE(isAncestorOf(e, a));

    a->refreshImage();
    EXPECT_EQ(a->imageIndex, ImageFolderClosed);
    a->expanded = true;
    a->refreshImage();
    EXPECT_EQ(a->imageIndex, ImageFolderOpen);
    s.removeNode(b);  // takes e with it
    EXPECT_EQ(s.itemCount(), 3);
    s.removeNode(c);
    EXPECT_EQ(a->imageIndex, ImageFolderOpen);  // not refreshed by itself
    a->refreshImage();
    EXPECT_EQ(a->imageIndex, ImageFile);
}

TEST(MenuScheme, DeepChainIsBuiltWalkedAndReleasedWithoutRecursion) {
    MenuScheme s;
    MenuNode* n = s.appendRoot();
    for (int i = 0; i < 100000; ++i) n = n->appendChild();
    EXPECT_EQ(s.itemCount(), 100001);
    EXPECT_EQ(s.flatten().back(), n);
    int deepest = 0;
    forEachPreOrder(s.roots(), [&](MenuNode*, int level) { deepest = std::max(deepest, level); });
    EXPECT_EQ(deepest, 100000);
    s.clearTree();
    EXPECT_TRUE(s.empty());
}

// Nodes are made on an import thread and freed on the window's: several threads making,
// handing over and freeing nodes at once never mix up two nodes' contents.
TEST(MenuScheme, NodesMadeAndFreedOnSeveralThreadsKeepTheirContents) {
    constexpr int kThreads = 4;
    constexpr int kNodes = 20000;
    std::vector<std::vector<std::unique_ptr<MenuNode>>> made(kThreads);
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([t, &made] {
            std::vector<std::unique_ptr<MenuNode>> mine;
            for (int i = 0; i < kNodes; ++i) {
                mine.push_back(std::make_unique<MenuNode>());
                mine.back()->data.menuLink = std::to_string(t) + "/" + std::to_string(i);
                if (i % 3 == 0) mine[static_cast<size_t>(i / 2)].reset();  // free some while others are made
            }
            made[static_cast<size_t>(t)] = std::move(mine);
        });
    }
    for (std::thread& thread : threads) thread.join();
    // Each thread frees another thread's nodes while making new ones.
    threads.clear();
    std::vector<int> wrong(kThreads, 0);
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([t, &made, &wrong] {
            const int other = (t + 1) % kThreads;
            for (int i = 0; i < kNodes; ++i) {
                std::unique_ptr<MenuNode>& n = made[static_cast<size_t>(other)][static_cast<size_t>(i)];
                if (n && n->data.menuLink != std::to_string(other) + "/" + std::to_string(i)) ++wrong[static_cast<size_t>(t)];
                n.reset();
                auto fresh = std::make_unique<MenuNode>();
                if (fresh->data.menuName != newItemName() || fresh->hasChildren()) ++wrong[static_cast<size_t>(t)];
            }
        });
    }
    for (std::thread& thread : threads) thread.join();
    EXPECT_EQ(wrong, std::vector<int>(kThreads, 0));
}

// A scheme read on the side is taken over whole; the nodes keep their addresses.
TEST(MenuScheme, SwapExchangesWholeDocuments) {
    MenuScheme open, read;
    open.appendRoot()->caption = "old";
    open.fileName = "old.menu";
    open.modified = true;
    MenuNode* fresh = read.appendRoot();
    fresh->appendChild();
    read.settings.indent = 30;
    read.kinds[1].height = 7;
    open.swap(read);
    EXPECT_EQ(open.roots()[0].get(), fresh);
    EXPECT_EQ(open.itemCount(), 2);
    EXPECT_EQ(open.settings.indent, 30);
    EXPECT_EQ(open.kinds[1].height, 7);
    EXPECT_EQ(open.fileName, "");
    EXPECT_FALSE(open.modified);
    EXPECT_EQ(read.roots()[0]->caption, "old");
    EXPECT_EQ(read.fileName, "old.menu");
    EXPECT_TRUE(read.modified);
}

}  // namespace
}  // namespace sylvanode

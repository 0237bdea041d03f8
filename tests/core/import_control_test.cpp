// SPDX-License-Identifier: MIT
// An import watched by an ImportControl reports its progress and stops when it is cancelled,
// for a file of each kind and for a folder; watched or not, it gives the same tree.
#include "exchange/import_control.h"

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <thread>

#include "exchange/importer.h"
#include "exchange_support.h"
#include "test_support.h"

namespace sylvanode {
namespace {

// Large inputs of each kind that reads with a parser or line by line.
std::vector<std::pair<std::string, std::string>> largeInputs() {
    std::string html = "<html><body><ul>";
    std::string opml = "<opml version=\"2.0\"><body>";
    std::string sitemap = "<urlset>";
    std::string outline;
    std::string json = "{\"sylvanode-menu\":1,\"items\":[";
    for (int i = 0; i < 30000; ++i) {
        const std::string n = std::to_string(i);
        html += "<li><a href=\"p" + n + ".html\">Page " + n + "</a></li>";
        opml += "<outline text=\"Page " + n + "\" url=\"p" + n + ".html\"/>";
        sitemap += "<url><loc>https://example.com/s" + std::to_string(i % 50) + "/p" + n + ".html</loc></url>";
        outline += "- [Page " + n + "](p" + n + ".html)\n";
        json += std::string(i ? "," : "") + "{\"title\":\"Page " + n + "\",\"link\":\"p" + n + ".html\"}";
    }
    return {{"page.html", html + "</ul></body></html>"},
            {"feeds.opml", opml + "</body></opml>"},
            {"sitemap.xml", sitemap + "</urlset>"},
            {"outline.txt", outline},
            {"menu.json", json + "]}"}};
}

TEST(ImportControl, ReportsProgressAndGivesTheSameTree) {
    test::TempDir dir;
    for (const auto& [name, bytes] : largeInputs()) {
        SCOPED_TRACE(name);
        const std::string path = dir.file(name);
        test::writeFile(path, bytes);
        ImportControl control;
        std::vector<std::pair<uint64_t, uint64_t>> reports;
        control.onProgress = [&](uint64_t done, uint64_t total) { reports.emplace_back(done, total); };
        const ImportResult watched = importPath(path, {}, &control);
        const ImportResult plain = importPath(path);
        ASSERT_TRUE(watched) << watched.failure;
        EXPECT_EQ(test::dumpForest(watched.roots), test::dumpForest(plain.roots));
        ASSERT_GE(reports.size(), 2u);
        for (size_t i = 1; i < reports.size(); ++i) EXPECT_GE(reports[i].first, reports[i - 1].first);
        EXPECT_EQ(reports.back().first, reports.back().second);
        EXPECT_EQ(control.done(), control.total());
    }
}

// Cancelled at its first report of progress, from the importing thread or from another one,
// every import stops and says so; nothing half-built comes back.
TEST(ImportControl, CancelStopsTheImport) {
    test::TempDir dir;
    std::vector<std::string> paths;
    for (const auto& [name, bytes] : largeInputs()) {
        paths.push_back(dir.file(name));
        test::writeFile(paths.back(), bytes);
    }
    const std::string site = dir.file("site");
    for (int i = 0; i < 4; ++i) std::filesystem::create_directories(site + "/section" + std::to_string(i));
    for (int i = 0; i < 40; ++i)
        test::writeFile(site + "/section" + std::to_string(i % 4) + "/page" + std::to_string(i) + ".html",
                        "<title>Page " + std::to_string(i) + "</title>");
    paths.push_back(site);
    for (const std::string& path : paths) {
        SCOPED_TRACE(path);
        ImportControl early;
        early.onProgress = [&](uint64_t, uint64_t) { early.cancel(); };
        ImportResult r = importPath(path, {}, &early);
        EXPECT_TRUE(r.cancelled());
        EXPECT_EQ(r.failure.kind, FailureKind::Cancelled);
        EXPECT_TRUE(r.roots.empty());

        // Another thread cancels once the import is under way (a wait for that, not a sleep).
        ImportControl control;
        std::atomic<bool> started{false};
        control.onProgress = [&](uint64_t done, uint64_t) {
            if (done > 0) started = true;
            while (started && !control.cancelled()) std::this_thread::yield();
        };
        std::thread canceller([&] {
            while (!started) std::this_thread::yield();
            control.cancel();
        });
        r = importPath(path, {}, &control);
        canceller.join();
        EXPECT_TRUE(r.cancelled());
        EXPECT_TRUE(r.roots.empty());

        // Pages, outlines and sitemaps stop inside the parse, half way through.
        if (path.ends_with(".txt") || path.ends_with(".json") || path == site) continue;
        ImportControl halfway;
        int reportsAfterCancel = 0;
        halfway.onProgress = [&](uint64_t done, uint64_t total) {
            if (halfway.cancelled()) ++reportsAfterCancel;
            if (done > total / 2) halfway.cancel();
        };
        r = importPath(path, {}, &halfway);
        EXPECT_TRUE(r.cancelled());
        EXPECT_TRUE(halfway.cancelled());
        EXPECT_EQ(reportsAfterCancel, 0);  // the parser stopped where it was
    }
}

}  // namespace
}  // namespace sylvanode

// SPDX-License-Identifier: MIT
#include "platform/paths.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace sylvanode {
namespace {

TEST(RelativeWebPath, WindowsStylePaths) {
    EXPECT_EQ(relativeWebPath("C:\\site\\img\\a.gif", "C:\\site\\"), "img/a.gif");
    EXPECT_EQ(relativeWebPath("C:\\other\\b.html", "C:\\site\\"), "../other/b.html");
    EXPECT_EQ(relativeWebPath("D:\\pics\\c.gif", "C:\\site\\"), "file:///D:/pics/c.gif");
    EXPECT_EQ(relativeWebPath("C:\\site\\pages\\index.htm", "C:\\site\\"), "pages/index.htm");
    EXPECT_EQ(relativeWebPath("c:\\SITE\\Img\\a.gif", "C:\\site\\img\\"), "a.gif");
    EXPECT_EQ(relativeWebPath("C:\\a.gif", "C:\\site\\deep\\"), "../../a.gif");
    EXPECT_EQ(relativeWebPath("C:\\site\\", "C:\\site\\"), "");  // the folder itself
    EXPECT_EQ(relativeWebPath("\\\\server\\share\\x\\a.gif", "\\\\SERVER\\share\\"), "x/a.gif");
    // Another share: its own address, never "//other/..." (a page reads that as a web server).
    EXPECT_EQ(relativeWebPath("\\\\other\\share\\a.gif", "\\\\server\\share\\"), "file://other/share/a.gif");
}

TEST(RelativeWebPath, GbkNamesWithBackslashTrailBytes) {
    // 乗 is 81 5C and 誠 D5 5C: their second byte is not a separator.
    const std::string dir = "C:\\\x81\x5C\\";
    EXPECT_EQ(relativeWebPath("C:\\\x81\x5C\\\xD5\x5C.gif", dir), "\xD5\x5C.gif");
    EXPECT_EQ(relativeWebPath("C:\\\xD5\x5C\\a.gif", dir), "../\xD5\x5C/a.gif");
    EXPECT_EQ(relativeWebPath("D:\\\xD5\x5C\\a.gif", dir), "file:///D:/\xD5\x5C/a.gif");
}

TEST(RelativeWebPath, PosixPaths) {
    EXPECT_EQ(relativeWebPath("/srv/site/img/a.gif", "/srv/site/"), "img/a.gif");
    EXPECT_EQ(relativeWebPath("/home/me/b.html", "/srv/site/"), "../../home/me/b.html");
    EXPECT_EQ(relativeWebPath("/srv/site/", "/srv/site/"), "");
    EXPECT_EQ(relativeWebPath("/srv/Site/a.gif", "/srv/site/"), "../Site/a.gif");  // case matters here
    EXPECT_EQ(relativeWebPath("/srv/site/x:y.gif", "/srv/site/"), "x:y.gif");
}

TEST(RelativeWebPath, WithoutAWorkDirectoryOfKnownPlaceTheFileKeepsItsAddress) {
    const struct {
        const char* file;
        const char* workDir;
        const char* expected;
    } cases[] = {
        {"/site/img/a.gif", "", "file:///site/img/a.gif"},
        {"/site/img/a.gif", "D1/", "file:///site/img/a.gif"},  // relative: not resolved here
        {"/site/img/a.gif", "../D1/", "file:///site/img/a.gif"},
        {"D:\\pics\\c.gif", "", "file:///D:/pics/c.gif"},
        {"/home/u/a.gif", "C:\\site\\", "file:///home/u/a.gif"},  // a folder from another system
        {"C:\\site\\a.gif", "/srv/site/", "file:///C:/site/a.gif"},
        {"img/a.gif", "/srv/site/", "img/a.gif"},  // already relative
    };
    for (const auto& c : cases)
        EXPECT_EQ(relativeWebPath(c.file, c.workDir), c.expected) << c.file << " | " << c.workDir;
}

TEST(RelativeWebPath, DotStepsAndDoubleSeparatorsAreResolvedFirst) {
    const struct {
        const char* file;
        const char* workDir;
        const char* expected;
    } cases[] = {
        {"/site/img/a.gif", "/site/./img/", "a.gif"},
        {"/site/img/a.gif", "/site/pages/../img/", "a.gif"},
        {"/site/img/a.gif", "/site//pages/", "../img/a.gif"},
        {"/site/x/../img/a.gif", "/site/", "img/a.gif"},
        {"/a.gif", "/../../site/", "../a.gif"},
        {"C:\\site\\.\\img\\a.gif", "C:\\site\\", "img/a.gif"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(relativeWebPath(c.file, c.workDir), c.expected) << c.file << " | " << c.workDir;
}

TEST(AbsoluteWorkDir, RelativeFoldersStartFromTheBase) {
    EXPECT_EQ(absoluteWorkDir("D1/", "/site"), "/site/D1/");
    EXPECT_EQ(absoluteWorkDir("../D1/", "/site/menus/"), "/site/menus/../D1/");
    EXPECT_EQ(absoluteWorkDir("/srv/site/", "/site"), "/srv/site/");
    EXPECT_EQ(absoluteWorkDir("C:\\site\\", "/site"), "C:\\site\\");
    EXPECT_EQ(absoluteWorkDir("", "/site"), "");
}

// Resolves a relative web path against a folder as a browser does, without "." and "..".
std::string resolveAgainst(const std::string& folder, const std::string& relative) {
    std::vector<std::string> parts;
    std::string cur;
    const std::string all = folder + relative;
    for (size_t i = 0; i <= all.size(); ++i) {
        if (i == all.size() || all[i] == '/') {
            if (cur == "..") {
                if (!parts.empty()) parts.pop_back();
            } else if (!cur.empty() && cur != ".") {
                parts.push_back(cur);
            }
            cur.clear();
        } else {
            cur += all[i];
        }
    }
    std::string out;
    for (const std::string& p : parts) out += "/" + p;
    return out;
}

TEST(RelativeWebPath, EveryResultLeadsToTheChosenFile) {
    // Random folders and files of a few names, with dot steps and doubled separators; GBK
    // names with a 0x5C trail byte among them. Whatever comes back, relative to the work
    // directory or as a file URL, names exactly the chosen file.
    std::mt19937 random(20240611);
    const std::vector<std::string> names = {"a", "site", "Site", "img", ".", "..", "", "\xD5\x5C", "x:y"};
    const auto path = [&](int steps) {
        std::string p;
        for (int i = 0; i < steps; ++i) {
            const std::string& name = names[random() % names.size()];
            p += "/" + (i == 0 && name.empty() ? std::string("a") : name);  // "//" would name a share
        }
        return p;
    };
    for (int round = 0; round < 5000; ++round) {
        const std::string workDir = path(static_cast<int>(random() % 5)) + "/";
        const std::string file =
            path(static_cast<int>(random() % 5)) + "/f" + std::to_string(round % 7) + ".gif";
        const std::string expected = resolveAgainst("/", file.substr(1));
        const std::string r = relativeWebPath(file, workDir);
        if (r.rfind("file://", 0) == 0)
            EXPECT_EQ(r.substr(7), expected) << file << " | " << workDir;
        else
            EXPECT_EQ(resolveAgainst(resolveAgainst("/", workDir.substr(1)) + "/", r), expected)
                << file << " | " << workDir << " -> " << r;
    }
}

}  // namespace
}  // namespace sylvanode

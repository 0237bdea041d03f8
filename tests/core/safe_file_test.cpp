#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "platform/safe_file.h"
#include "test_support.h"

namespace sylvanode {
namespace {

namespace fs = std::filesystem;

TEST(SafeFile, ReplacesContentAndKeepsPermissions) {
    test::TempDir dir;
    const std::string path = dir.file("a.menu");
    test::writeFile(path, "old");
    ::chmod(path.c_str(), 0640);
    ASSERT_TRUE(writeFileAtomically(path, "new content"));
    EXPECT_EQ(test::readFile(path), "new content");
    struct stat st {};
    ::stat(path.c_str(), &st);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    // No temporary file is left behind.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
}

TEST(SafeFile, SymlinkIsFollowedToItsFile) {
    test::TempDir dir;
    const std::string real = dir.file("real.menu");
    const std::string link = dir.file("link.menu");
    test::writeFile(real, "old");
    fs::create_symlink("real.menu", link);
    ASSERT_TRUE(writeFileAtomically(link, "via link"));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(test::readFile(real), "via link");
}

TEST(SafeFile, FailuresLeaveTheOldFileAndSayWhatFailed) {
    test::TempDir dir;
    // Target is a folder.
    fs::create_directory(dir.file("folder.menu"));
    IoResult r = writeFileAtomically(dir.file("folder.menu"), "x");
    EXPECT_FALSE(r);
    EXPECT_NE(r.error.find("folder"), std::string::npos);

    // The device that is always full.
    r = writeFileAtomically("/dev/full", "x");
    EXPECT_FALSE(r);
    EXPECT_NE(r.error.find("/dev/full"), std::string::npos);

    // A folder that cannot be written (root ignores permission bits, so only check as a user).
    const std::string locked = dir.file("locked");
    fs::create_directory(locked);
    const std::string path = locked + "/a.menu";
    test::writeFile(path, "precious");
    ::chmod(locked.c_str(), 0555);
    if (::geteuid() != 0) {
        r = writeFileAtomically(path, "new");
        EXPECT_FALSE(r);
        EXPECT_NE(r.error.find("cannot create"), std::string::npos);
    } else if (fs::is_directory("/sys")) {
        // Root ignores permission bits; /sys refuses new files to everyone.
        r = writeFileAtomically("/sys/sylvanode-test.menu", "new");
        EXPECT_FALSE(r);
        EXPECT_NE(r.error.find("cannot create"), std::string::npos);
    }
    EXPECT_EQ(test::readFile(path), "precious");
    ::chmod(locked.c_str(), 0755);

    r = writeFileAtomically("", "x");
    EXPECT_FALSE(r);
}

TEST(SafeFile, ReadWholeFile) {
    test::TempDir dir;
    std::string out;
    EXPECT_FALSE(readWholeFile(dir.file("missing"), out));
    EXPECT_FALSE(readWholeFile(dir.path(), out));
    const std::string bytes("a\0b\r\n", 5);
    test::writeFile(dir.file("f"), bytes);
    ASSERT_TRUE(readWholeFile(dir.file("f"), out));
    EXPECT_EQ(out, bytes);
}

}  // namespace
}  // namespace sylvanode

// SPDX-License-Identifier: MIT
#include "platform/safe_file.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <sstream>

#include "test_support.h"

namespace sylvanode {
namespace {

namespace fs = std::filesystem;

TEST(SafeFile, ReplacesContentAndKeepsPermissionsAndOwner) {
    test::TempDir dir;
    const std::string path = dir.file("a.menu");
    test::writeFile(path, "old");
    ::chmod(path.c_str(), 0640);
    // Root saving someone else's file leaves it theirs.
    const bool root = ::geteuid() == 0;
    if (root) {
        ASSERT_EQ(::chown(path.c_str(), 4321, 4321), 0);
    }
    ASSERT_TRUE(writeFileAtomically(path, "new content"));
    EXPECT_EQ(test::readFile(path), "new content");
    struct stat st {};
    ::stat(path.c_str(), &st);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    if (root) {
        EXPECT_EQ(st.st_uid, 4321u);
    }
    // No temporary file is left behind.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
}

// A file without any write bit is read-only for everyone, root included; the
// old file stays as it was, also when reached through a symlink.
TEST(SafeFile, ReadOnlyTargetIsRefusedNotReplaced) {
    test::TempDir dir;
    const std::string path = dir.file("locked.menu");
    test::writeFile(path, "precious");
    ::chmod(path.c_str(), 0444);
    fs::create_symlink("locked.menu", dir.file("link.menu"));
    for (const std::string& target : {path, dir.file("link.menu")}) {
        const IoResult r = writeFileAtomically(target, "new");
        EXPECT_FALSE(r) << target;
        EXPECT_EQ(r.error, "cannot write " + target + ": the file is read-only");
        EXPECT_EQ(test::readFile(path), "precious");
    }
    struct stat st {};
    ::stat(path.c_str(), &st);
    EXPECT_EQ(st.st_mode & 0777, 0444u);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 2);
}

// Pipes and devices are written in place and never wait: a FIFO nobody reads
// fails at once, one with a reader gets the bytes.
TEST(SafeFile, PipesAndDevicesAreWrittenInPlaceWithoutWaiting) {
    test::TempDir dir;
    const std::string fifo = dir.file("out.fifo");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    IoResult r = writeFileAtomically(fifo, "script");
    EXPECT_EQ(r.error, "cannot write " + fifo + ": no program is reading from the pipe");

    const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    ASSERT_TRUE(writeFileAtomically(fifo, "script"));
    char buf[16] = {};
    EXPECT_EQ(::read(reader, buf, sizeof buf), 6);
    EXPECT_EQ(std::string(buf), "script");
    ::close(reader);
    EXPECT_TRUE(fs::is_fifo(fifo));

    // A descriptor's magic link (as /dev/stdout is) reaches the pipe behind it.
    int fds[2];
    ASSERT_EQ(::pipe(fds), 0);
    ASSERT_TRUE(writeFileAtomically("/proc/self/fd/" + std::to_string(fds[1]), "piped"));
    ::close(fds[1]);
    EXPECT_EQ(::read(fds[0], buf, sizeof buf), 5);
    ::close(fds[0]);

    EXPECT_TRUE(writeFileAtomically("/dev/null", "gone"));
    r = writeFileAtomically("/dev/full", "x");
    EXPECT_EQ(r.error, "cannot write /dev/full: disk full");
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

    r = writeFileAtomically(dir.file("no/such/a.menu"), "x");
    EXPECT_EQ(r.error, "cannot write " + dir.file("no/such/a.menu") + ": no such folder");

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
    const std::string bytes("a\0b\r\n", 5);
    test::writeFile(dir.file("f"), bytes);
    ASSERT_TRUE(readWholeFile(dir.file("f"), out));
    EXPECT_EQ(out, bytes);
    // Up to the limit and not a byte more.
    EXPECT_TRUE(readWholeFile(dir.file("f"), out, 5));
    const IoResult r = readWholeFile(dir.file("f"), out, 4);
    EXPECT_EQ(r.error, "cannot read " + dir.file("f") + ": it is larger than 4 bytes");
    EXPECT_TRUE(out.empty());
}

// Only regular files are read, at most 512 MiB of them: a FIFO without a writer
// does not hang the reader, /dev/zero does not fill the memory.
TEST(SafeFile, ReadWholeFileRefusesWhatItCannotReadSafely) {
    test::TempDir dir;
    const std::string fifo = dir.file("in.fifo");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string huge = dir.file("huge.menu");  // sparse: takes no room on disk
    test::writeFile(huge, "");
    ASSERT_EQ(::truncate(huge.c_str(), static_cast<off_t>(kMaxInputBytes + 1)), 0);
    const struct {
        std::string path;
        std::string why;
    } cases[] = {
        {dir.path(), "it is a folder"},
        {fifo, "it is a pipe"},
        {"/dev/zero", "it is a device"},
        {huge, "it is larger than 512 MiB"},
    };
    for (const auto& c : cases) {
        std::string out;
        const IoResult r = readWholeFile(c.path, out);
        EXPECT_EQ(r.error, "cannot read " + c.path + ": " + c.why);
        EXPECT_TRUE(out.empty());
    }
}

TEST(SafeFile, ReadBoundedStopsAtTheLimit) {
    // A pipe holding 20 bytes, then its end.
    int fds[2];
    ASSERT_EQ(::pipe(fds), 0);
    ASSERT_EQ(::write(fds[1], "0123456789abcdefghij", 20), 20);
    ::close(fds[1]);
    std::string out;
    EXPECT_EQ(readBounded(fds[0], "standard input", out, 19).error,
              "cannot read standard input: it is larger than 19 bytes");
    ::close(fds[0]);

    ASSERT_EQ(::pipe(fds), 0);
    ASSERT_EQ(::write(fds[1], "0123456789abcdefghij", 20), 20);
    ::close(fds[1]);
    ASSERT_TRUE(readBounded(fds[0], "standard input", out, 20));
    EXPECT_EQ(out, "0123456789abcdefghij");
    ::close(fds[0]);

    const int zero = ::open("/dev/zero", O_RDONLY);
    EXPECT_FALSE(readBounded(zero, "standard input", out, 1 << 20));
    ::close(zero);

    std::istringstream in(std::string(100, 'x'));
    EXPECT_FALSE(readBounded(in, "standard input", out, 99));
    std::istringstream again(std::string(100, 'x'));
    ASSERT_TRUE(readBounded(again, "standard input", out, 100));
    EXPECT_EQ(out.size(), 100u);
}

}  // namespace
}  // namespace sylvanode

// SPDX-License-Identifier: MIT
#include "platform/safe_file.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <sstream>
#include <vector>

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
        EXPECT_EQ(test::english(r.failure), "cannot write " + target + ": the file is read-only");
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
    EXPECT_EQ(test::english(r.failure), "cannot write " + fifo + ": no program is reading from the pipe");

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
    EXPECT_EQ(test::english(r.failure), "cannot write /dev/full: disk full");
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
    EXPECT_NE(test::english(r.failure).find("folder"), std::string::npos);

    r = writeFileAtomically(dir.file("no/such/a.menu"), "x");
    EXPECT_EQ(test::english(r.failure), "cannot write " + dir.file("no/such/a.menu") + ": no such folder");

    // A folder that cannot be written (root ignores permission bits, so only check as a user).
    const std::string locked = dir.file("locked");
    fs::create_directory(locked);
    const std::string path = locked + "/a.menu";
    test::writeFile(path, "precious");
    ::chmod(locked.c_str(), 0555);
    if (::geteuid() != 0) {
        r = writeFileAtomically(path, "new");
        EXPECT_FALSE(r);
        EXPECT_NE(test::english(r.failure).find("cannot create"), std::string::npos);
    } else if (fs::is_directory("/sys")) {
        // Root ignores permission bits; /sys refuses new files to everyone.
        r = writeFileAtomically("/sys/sylvanode-test.menu", "new");
        EXPECT_FALSE(r);
        EXPECT_NE(test::english(r.failure).find("cannot create"), std::string::npos);
    }
    EXPECT_EQ(test::readFile(path), "precious");
    ::chmod(locked.c_str(), 0755);

    r = writeFileAtomically("", "x");
    EXPECT_FALSE(r);
}

// The folder's entries in name order, one a line: "name -> target" for a link, else the name,
// the permission bits and, for a regular file, its bytes.
std::string listing(const std::string& dir) {
    std::vector<std::string> lines;
    for (const auto& e : fs::directory_iterator(dir)) {
        const std::string name = e.path().filename().string();
        struct stat st {};
        ::lstat(e.path().c_str(), &st);
        char mode[8];
        std::snprintf(mode, sizeof mode, "%04o", static_cast<unsigned>(st.st_mode & 07777));
        if (S_ISLNK(st.st_mode))
            lines.push_back(name + " -> " + fs::read_symlink(e.path()).string());
        else
            lines.push_back(name + " " + mode + (S_ISREG(st.st_mode) ? " " + test::readFile(e.path()) : ""));
    }
    std::sort(lines.begin(), lines.end());
    std::string out;
    for (const std::string& l : lines) out += l + "\n";
    return out;
}

// Where a write can go wrong: the result, and the folder afterwards (no temporary file left,
// old files intact, new ones as the umask says).
TEST(SafeFile, WritesWhereItCanGoWrong) {
    enum class Run { Here, AsAnotherUser, OnAFullDisk };
    const std::string big(1 << 20, 'x');
    const struct {
        const char* what;
        Run run;
        std::function<void(const std::string& dir)> setUp;
        const char* target;
        std::string bytes;
        mode_t umask;
        const char* error;  // "" for success; {} stands for the target's path
        std::string after;
    } cases[] = {
        {"disk full while replacing a regular file", Run::OnAFullDisk,
         [](const std::string& d) { test::writeFile(d + "/a.menu", "precious"); }, "a.menu", big, 022,
         "cannot write {}: disk full", "a.menu 0644 precious\n"},
        {"a symlink loop", Run::Here,
         [](const std::string& d) {
             fs::create_symlink("b.menu", d + "/a.menu");
             fs::create_symlink("a.menu", d + "/b.menu");
         },
         "a.menu", "new", 022, "cannot write {}: too many symbolic links",
         "a.menu -> b.menu\nb.menu -> a.menu\n"},
        {"a link to a file that does not exist yet", Run::Here,
         [](const std::string& d) { fs::create_symlink("made.menu", d + "/link.menu"); }, "link.menu", "new",
         022, "", "link.menu -> made.menu\nmade.menu 0644 new\n"},
        {"a new file follows the umask", Run::Here, [](const std::string&) {}, "new.menu", "new", 027, "",
         "new.menu 0640 new\n"},
        {"a stricter umask", Run::Here, [](const std::string&) {}, "new.menu", "new", 077, "",
         "new.menu 0600 new\n"},
        // Writable by its group only: the owner may not write it, nor may anybody else.
        {"a file read-only for you", Run::AsAnotherUser,
         [](const std::string& d) {
             test::writeFile(d + "/theirs.menu", "precious");
             ::chmod((d + "/theirs.menu").c_str(), 0464);
             ::chmod(d.c_str(), 0755);
         },
         "theirs.menu", "new", 022, "cannot write {}: the file is read-only for you (permission denied)",
         "theirs.menu 0464 precious\n"},
    };
    const mode_t savedUmask = ::umask(022);  // the modes of the files set up
    for (const auto& c : cases) {
        test::TempDir dir;
        const std::string target = dir.file(c.target);
        std::string error = c.error;
        if (const size_t at = error.find("{}"); at != std::string::npos) error.replace(at, 2, target);
        const auto attempt = [&] {
            c.setUp(dir.path());
            const mode_t old = ::umask(c.umask);
            const IoResult r = writeFileAtomically(target, c.bytes);
            ::umask(old);
            return test::english(r.failure) + "\n" + listing(dir.path());
        };
        std::string got;
        if (c.run == Run::Here) {
            got = attempt();
        } else if (c.run == Run::AsAnotherUser) {
            got = test::inChildProcess([&] {
                // Set up as the owner, write as somebody else.
                c.setUp(dir.path());
                if (!test::becomeUnprivileged()) return std::string("cannot change the user");
                const IoResult r = writeFileAtomically(target, c.bytes);
                return test::english(r.failure) + "\n" + listing(dir.path());
            });
        } else {
            got = test::inChildProcess([&] {
                if (!test::mountSmallFileSystem(dir.path(), 64 << 10)) {
                    // No mount allowed here: a limit on the file size fails the same write.
                    ::signal(SIGXFSZ, SIG_IGN);
                    const rlimit limit{64 << 10, 64 << 10};
                    ::setrlimit(RLIMIT_FSIZE, &limit);
                    const std::string r = attempt();
                    const size_t at = r.find("the file is too large");
                    return at == std::string::npos ? r : r.substr(0, at) + "disk full" + r.substr(at + 21);
                }
                return attempt();
            });
        }
        EXPECT_EQ(got, error + "\n" + c.after) << c.what;
    }
    ::umask(savedUmask);
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
    EXPECT_EQ(test::english(r.failure), "cannot read " + dir.file("f") + ": it is larger than 4 bytes");
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
        std::string head, why;
    } cases[] = {
        {dir.path(), "cannot use ", "it is a folder"},
        {fifo, "cannot use ", "it is a pipe"},
        {"/dev/zero", "cannot use ", "it is a device"},
        {huge, "cannot read ", "it is larger than 512 MiB"},
    };
    for (const auto& c : cases) {
        std::string out;
        const IoResult r = readWholeFile(c.path, out);
        EXPECT_EQ(test::english(r.failure), c.head + c.path + ": " + c.why);
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
    EXPECT_EQ(test::english(readBounded(fds[0], "standard input", out, 19).failure),
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

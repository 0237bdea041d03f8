// SPDX-License-Identifier: MIT
// Saving keeps what the file was (owner, group, mode, ACL, extended attributes, hard links),
// takes turns with other savers, and leaves nothing behind when it is killed.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <acl/libacl.h>
#include <sys/acl.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "platform/file_metadata.h"
#include "platform/safe_file.h"
#include "test_support.h"

namespace sylvanode {
namespace {

namespace fs = std::filesystem;

FileMetadata metadataOf(const std::string& path) {
    FileMetadata m;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    EXPECT_GE(fd, 0) << path;
    EXPECT_TRUE(readMetadata(fd, m)) << path;
    ::close(fd);
    return m;
}

ino_t inodeOf(const std::string& path) {
    struct stat st {};
    ::stat(path.c_str(), &st);
    return st.st_ino;
}

std::set<std::string> namesIn(const std::string& dir) {
    std::set<std::string> names;
    for (const auto& e : fs::directory_iterator(dir)) names.insert(e.path().filename().string());
    return names;
}

// An ACL in its text form, or false where the file system cannot hold ACLs.
bool setAcl(const std::string& path, const char* text, acl_type_t type = ACL_TYPE_ACCESS) {
    acl_t acl = acl_from_text(text);
    const bool ok = acl && acl_set_file(path.c_str(), type, acl) == 0;
    if (acl) acl_free(acl);
    return ok;
}

std::string aclText(const std::string& path) {
    acl_t acl = acl_get_file(path.c_str(), ACL_TYPE_ACCESS);
    if (!acl) return {};
    char* text = acl_to_any_text(acl, nullptr, ',', TEXT_NUMERIC_IDS);
    std::string out = text ? text : "";
    acl_free(text);
    acl_free(acl);
    return out;
}

bool aclsSupported(const std::string& dir) {
    const std::string probe = dir + "/acl-probe";
    test::writeFile(probe, "");
    const bool ok = setAcl(probe, "u::rw-,u:65534:r--,g::r--,m::r--,o::---");
    fs::remove(probe);
    return ok;
}

bool isRoot() { return ::geteuid() == 0; }

// Each kind of metadata, set up on a.menu in a fresh folder, survives a save; the save
// replaces the file by a new one unless only writing in place can keep it (a hard link).
TEST(SaveMetadata, EveryKindIsKept) {
    struct Case {
        const char* name;
        std::function<bool(const std::string& dir, const std::string& file)> setUp;  // false: not here
        bool inPlace;
    };
    const Case cases[] = {
        {"mode 0640", [](const std::string&, const std::string& f) { return ::chmod(f.c_str(), 0640) == 0; },
         false},
        // The group may read; nobody (65534) may also write, so the mask, shown as the group
        // bits of the mode, is rw-: copying the mode alone gave the group write access.
        {"ACL", [](const std::string&, const std::string& f) {
             return setAcl(f, "u::rw-,u:65534:rw-,g::r--,m::rw-,o::---");
         },
         false},
        {"extended attributes",
         [](const std::string&, const std::string& f) {
             return ::setxattr(f.c_str(), "user.origin", "import", 6, 0) == 0 &&
                    ::setxattr(f.c_str(), "user.binary", "\0\1\xFF", 3, 0) == 0;
         },
         false},
        {"ACL and attributes",
         [](const std::string&, const std::string& f) {
             return setAcl(f, "u::rw-,g::r--,g:65534:rw-,m::rw-,o::r--") &&
                    ::setxattr(f.c_str(), "user.tag", "x", 1, 0) == 0;
         },
         false},
        {"set-user-ID and set-group-ID",
         [](const std::string&, const std::string& f) { return ::chmod(f.c_str(), 06755) == 0; }, false},
        {"folder with a default ACL, file without",
         [](const std::string& d, const std::string& f) {
             return ::chmod(f.c_str(), 0600) == 0 && setAcl(d, "u::rwx,g::rwx,o::rwx,u:65534:rwx,m::rwx",
                                                            ACL_TYPE_DEFAULT);
         },
         false},
        {"another owner (root saving)",
         [](const std::string&, const std::string& f) {
             return isRoot() && ::chown(f.c_str(), 4321, 4321) == 0 && ::chmod(f.c_str(), 0664) == 0;
         },
         false},
        {"hard link",
         [](const std::string& d, const std::string& f) { return ::link(f.c_str(), (d + "/b.menu").c_str()) == 0; },
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::TempDir dir;
        const std::string file = dir.file("a.menu");
        test::writeFile(file, "old contents");
        if (!c.setUp(dir.path(), file)) {
            std::cout << "[ SKIPPED  ] " << c.name << ": not possible here (no ACLs on " << dir.path()
                      << ", or not root)\n";
            continue;
        }
        const FileMetadata before = metadataOf(file);
        const std::string acl = aclText(file);
        const ino_t inode = inodeOf(file);
        const auto names = namesIn(dir.path());

        const IoResult r = writeFileAtomically(file, "new contents");
        ASSERT_TRUE(r) << r.failure;
        EXPECT_EQ(test::readFile(file), "new contents");
        const FileMetadata after = metadataOf(file);
        EXPECT_EQ(after.owner, before.owner);
        EXPECT_EQ(after.group, before.group);
        EXPECT_EQ(after.mode, before.mode) << std::oct << after.mode << " was " << before.mode;
        EXPECT_EQ(after.attributes, before.attributes);
        EXPECT_EQ(aclText(file), acl);
        EXPECT_EQ(inodeOf(file) == inode, c.inPlace);
        EXPECT_EQ(namesIn(dir.path()), names);
    }
}

// A new file gets what creating it gives: the folder's default ACL, or the umask.
TEST(SaveMetadata, NewFileGetsTheFoldersDefaults) {
    test::TempDir dir;
    if (!aclsSupported(dir.path())) GTEST_SKIP() << "the file system of " << dir.path() << " holds no ACLs";
    ASSERT_TRUE(setAcl(dir.path(), "u::rwx,g::r-x,u:65534:rw-,m::rwx,o::---", ACL_TYPE_DEFAULT));
    const std::string file = dir.file("new.menu");
    ASSERT_TRUE(writeFileAtomically(file, "x"));
    EXPECT_EQ(aclText(file), "user::rw-,user:65534:rw-,group::r-x,mask::rw-,other::---");
}

// Runs `body` in a child process and hands back what it wrote to the pipe.
std::string inChild(const std::function<std::string()>& body) {
    int fds[2];
    if (::pipe(fds) != 0) return "pipe failed";
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(fds[0]);
        const std::string out = body();
        const ssize_t ignored = ::write(fds[1], out.data(), out.size());
        (void)ignored;
        ::_exit(0);
    }
    ::close(fds[1]);
    std::string out;
    char buf[4096];
    for (ssize_t n; (n = ::read(fds[0], buf, sizeof buf)) > 0;) out.append(buf, static_cast<size_t>(n));
    ::close(fds[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    return out;
}

// A user who may write a file but not give a new one its owner keeps the very file; a
// set-ID file of someone else, which any write would strip, is refused.
TEST(SaveMetadata, FileOfAnotherOwnerIsWrittenInPlace) {
    if (!isRoot()) GTEST_SKIP() << "needs root to make a file that another user owns and may write";
    test::TempDir dir;
    ::chmod(dir.path().c_str(), 0777);
    const std::string shared = dir.file("shared.menu");
    const std::string program = dir.file("setid.menu");
    test::writeFile(shared, "old");
    test::writeFile(program, "old");
    ::chmod(shared.c_str(), 0666);
    ::chmod(program.c_str(), 04777);
    const ino_t inode = inodeOf(shared);
    const std::string result = inChild([&] {
        if (::setresgid(65534, 65534, 65534) != 0 || ::setresuid(65534, 65534, 65534) != 0) return std::string("setuid failed");
        const IoResult a = writeFileAtomically(shared, "new");
        const IoResult b = writeFileAtomically(program, "new");
        return (a ? std::string("ok") : test::english(a.failure)) + "\n" + test::english(b.failure);
    });
    EXPECT_EQ(result, "ok\ncannot write " + program +
                          ": it is a set-user-ID or set-group-ID file of another owner, which saving would change");
    EXPECT_EQ(test::readFile(shared), "new");
    EXPECT_EQ(inodeOf(shared), inode);
    EXPECT_EQ(metadataOf(shared).owner, 0u);
    EXPECT_EQ(metadataOf(shared).mode, 0666u);
    EXPECT_EQ(test::readFile(program), "old");
    EXPECT_EQ(metadataOf(program).mode, 04777u);
    EXPECT_EQ(namesIn(dir.path()), (std::set<std::string>{"shared.menu", "setid.menu"}));
}

// A write that fails half way (here: the file size limit) leaves the old contents and no
// temporary file or backup, whether the file is replaced or written in place.
TEST(SaveMetadata, FailedWriteLeavesTheOldFile) {
    for (const bool hardLink : {false, true}) {
        SCOPED_TRACE(hardLink ? "in place" : "replaced");
        test::TempDir dir;
        const std::string file = dir.file("a.menu");
        const std::string old(3000, 'o');
        test::writeFile(file, old);
        if (hardLink) ::link(file.c_str(), dir.file("b.menu").c_str());
        const std::string error = inChild([&] {
            ::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{4096, 4096};
            ::setrlimit(RLIMIT_FSIZE, &limit);
            return test::english(writeFileAtomically(file, std::string(10000, 'n')).failure);
        });
        EXPECT_EQ(error, "cannot write " + file + ": the file is too large");
        EXPECT_EQ(test::readFile(file), old);
        EXPECT_EQ(namesIn(dir.path()).size(), hardLink ? 2u : 1u);
    }
}

// Two savers take turns: the second waits (or, told not to wait, gives up) while the first
// holds the lock, and then locks the file the first one put in place. (A file that does not
// exist yet is locked through its folder.)
TEST(SaveLockTest, SaversTakeTurns) {
    test::TempDir dir;
    test::writeFile(dir.file("other.menu"), "");
    for (const bool exists : {true, false}) {
        SCOPED_TRACE(exists ? "existing file" : "new file");
        const std::string file = dir.file(exists ? "old.menu" : "new.menu");
        if (exists) test::writeFile(file, "0");
        SaveLock first;
        ASSERT_TRUE(first.acquire(file));
        SaveLock second;
        const IoResult busy = second.acquire(file, std::chrono::milliseconds(0));
        EXPECT_EQ(test::english(busy.failure), "cannot write " + file + ": another program is saving it");
        EXPECT_FALSE(second.held());
        // Other files of the folder are not held up.
        SaveLock other;
        EXPECT_TRUE(other.acquire(dir.file("other.menu"), std::chrono::milliseconds(0)));
        ASSERT_TRUE(first.write("1"));
        first.release();
        ASSERT_TRUE(second.acquire(file, std::chrono::milliseconds(0)));
        ASSERT_TRUE(second.write(test::readFile(file) + "2"));
        EXPECT_EQ(test::readFile(file), "12");
    }
}

// Processes that each read, change and write the file under the lock lose no update.
TEST(SaveLockTest, NoUpdateIsLostBetweenProcesses) {
    test::TempDir dir;
    const std::string file = dir.file("counter.menu");
    test::writeFile(file, "");
    constexpr int kProcesses = 3;
    constexpr int kRounds = 25;
    std::vector<pid_t> children;
    for (int p = 0; p < kProcesses; ++p) {
        const pid_t pid = ::fork();
        if (pid == 0) {
            for (int i = 0; i < kRounds; ++i) {
                SaveLock lock;
                std::string text;
                if (!lock.acquire(file, std::chrono::seconds(60)) || !readWholeFile(file, text) ||
                    !lock.write(text + char('a' + p)))
                    ::_exit(1);
            }
            ::_exit(0);
        }
        children.push_back(pid);
    }
    for (const pid_t pid : children) {
        int status = 0;
        ::waitpid(pid, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    const std::string text = test::readFile(file);
    EXPECT_EQ(text.size(), size_t{kProcesses * kRounds});
    for (int p = 0; p < kProcesses; ++p)
        EXPECT_EQ(std::count(text.begin(), text.end(), char('a' + p)), kRounds);
    EXPECT_EQ(namesIn(dir.path()), std::set<std::string>{"counter.menu"});
}

// Only backups that no running save holds are left ones, newest first; other names are not.
TEST(SaveKill, LeftBackupsAreThoseNoSaveHolds) {
    test::TempDir dir;
    const std::string file = dir.file("site.menu");
    test::writeFile(file, "now");
    const std::string older = dir.file(".site.menu.backup-AAAAAA"), newer = dir.file(".site.menu.backup-BBBBBB");
    test::writeFile(older, "before");
    test::writeFile(newer, "before that");
    const struct timespec times[2] = {{1000000000, 0}, {1000000000, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, older.c_str(), times, 0), 0);
    test::writeFile(dir.file(".site.menu.backup-TOOLONG7"), "x");
    test::writeFile(dir.file(".other.menu.backup-CCCCCC"), "x");
    ::mkdir(dir.file(".site.menu.backup-DDDDDD").c_str(), 0700);
    EXPECT_EQ(leftBackups(file), (std::vector<std::string>{newer, older}));

    // A save that is running holds its backup locked.
    const int held = ::open(newer.c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_GE(held, 0);
    ASSERT_EQ(::flock(held, LOCK_EX), 0);
    EXPECT_EQ(leftBackups(file), std::vector<std::string>{older});
    ::close(held);
    // Through a symlink: the backups beside the file it names.
    ASSERT_EQ(::symlink(file.c_str(), dir.file("link.menu").c_str()), 0);
    EXPECT_EQ(leftBackups(dir.file("link.menu")).size(), 2u);
}

// Saves killed at random moments leave the old or the new file whole (or, written in place,
// a whole backup beside it), and whatever they left is gone after the next save.
TEST(SaveKill, KilledSavesLoseNothingAndLeaveNothingAfterTheNextSave) {
    std::mt19937 random(20240501);
    for (const bool hardLink : {false, true}) {
        SCOPED_TRACE(hardLink ? "in place" : "replaced");
        test::TempDir dir;
        const std::string file = dir.file("big.menu");
        const std::string versions[] = {std::string(1 << 20, 'a'), std::string(1 << 20, 'b'),
                                        std::string((1 << 20) + 17, 'c')};
        test::writeFile(file, versions[0]);
        if (hardLink) ::link(file.c_str(), dir.file("link.menu").c_str());
        const size_t expectedNames = hardLink ? 2 : 1;
        int corrupt = 0;
        int leftBehind = 0;
        int leftAfterNextSave = 0;
        constexpr int kKills = 40;
        for (int round = 0; round < kKills; ++round) {
            int fds[2];
            ASSERT_EQ(::pipe(fds), 0);
            const pid_t pid = ::fork();
            if (pid == 0) {
                ::close(fds[0]);
                for (int i = 1;; ++i) {
                    const ssize_t ignored = ::write(fds[1], "s", 1);
                    (void)ignored;
                    writeFileAtomically(file, versions[i % 3]);
                }
            }
            ::close(fds[1]);
            char started = 0;
            ASSERT_EQ(::read(fds[0], &started, 1), 1);
            // A random moment within (or just after) the save that has started.
            volatile unsigned spin = std::uniform_int_distribution<unsigned>(0, 20000000)(random);
            while (spin > 0) spin = spin - 1;
            ::kill(pid, SIGKILL);
            ::waitpid(pid, nullptr, 0);
            ::close(fds[0]);

            auto whole = [&](const std::string& path) {
                const std::string text = test::readFile(path);
                return text == versions[0] || text == versions[1] || text == versions[2];
            };
            bool backupWhole = false;
            for (const std::string& name : namesIn(dir.path()))
                if (name.find(".backup-") != std::string::npos) backupWhole = backupWhole || whole(dir.file(name));
            if (!whole(file) && !backupWhole) ++corrupt;
            // What a killed save left is found, whole, for the editor to offer.
            const std::vector<std::string> left = leftBackups(file);
            size_t backupsOnDisk = 0;
            for (const std::string& name : namesIn(dir.path())) backupsOnDisk += name.find(".backup-") != std::string::npos;
            EXPECT_EQ(left.size(), backupsOnDisk);
            for (const std::string& backup : left) EXPECT_TRUE(whole(backup)) << backup;
            if (namesIn(dir.path()).size() != expectedNames) ++leftBehind;
            ASSERT_TRUE(writeFileAtomically(file, versions[round % 3]));
            if (namesIn(dir.path()).size() != expectedNames) ++leftAfterNextSave;
        }
        std::cout << (hardLink ? "in place: " : "replaced: ") << kKills << " kills, " << corrupt << " corrupt, "
                  << leftBehind << " left files behind, " << leftAfterNextSave << " after the next save\n";
        EXPECT_EQ(corrupt, 0);
        EXPECT_EQ(leftAfterNextSave, 0);
    }
}

}  // namespace
}  // namespace sylvanode

// SPDX-License-Identifier: MIT
// Saving: the save lock, replacing a file with a new one that carries what the old one did,
// writing in place behind a backup where it cannot, and removing what killed saves left.
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <ctime>
#include <new>
#include <thread>
#include <vector>

#include "platform/file_metadata.h"
#include "platform/file_text.h"
#include "platform/safe_file.h"

namespace sylvanode {
namespace {

using file_text::notRegularFile;

IoResult failed(FailureKind kind, const std::string& path, int err = 0) {
    return IoResult::failed(Failure::of(kind, path, err));
}

// Follows a chain of symlinks to the file they finally name (which may not exist yet).
std::string resolveTarget(const std::string& path) {
    std::string current = path;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st {};
        if (::lstat(current.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return current;
        std::vector<char> buf(PATH_MAX + 1);
        const ssize_t n = ::readlink(current.c_str(), buf.data(), buf.size() - 1);
        if (n <= 0) return current;
        std::string link(buf.data(), static_cast<size_t>(n));
        if (!link.empty() && link[0] == '/') {
            current = link;
        } else {
            const auto slash = current.rfind('/');
            current = (slash == std::string::npos ? std::string() : current.substr(0, slash + 1)) + link;
        }
    }
    return current;
}

bool writeAll(int fd, std::string_view bytes) {
    const char* p = bytes.data();
    size_t left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        p += n;
        left -= static_cast<size_t>(n);
    }
    return true;
}

// Writes into a FIFO or a character device, which a rename cannot replace. The
// open does not wait for a reader: a FIFO that nobody reads fails at once.
IoResult writeInPlace(const std::string& path, const std::string& target, mode_t mode,
                      std::string_view bytes) {
    const int fd = ::open(target.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENXIO && S_ISFIFO(mode)) return failed(FailureKind::NoPipeReader, path);
        return failed(FailureKind::CannotOpen, path, errno);
    }
    // Once open, write as a shell redirection would: waiting while a reader catches up.
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0) ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    const bool ok = writeAll(fd, bytes);
    const int err = errno;
    ::close(fd);
    if (!ok) return failed(FailureKind::CannotWrite, path, err);
    return {};
}

// Where a file is saved: its folder ("" for the current one, else ending in "/") and name.
struct SavePlace {
    std::string dir;
    std::string base;
    explicit SavePlace(const std::string& target) {
        const auto slash = target.rfind('/');
        if (slash != std::string::npos) dir = target.substr(0, slash + 1);
        base = slash == std::string::npos ? target : target.substr(slash + 1);
    }
    std::string folder() const { return dir.empty() ? std::string(".") : dir; }
    // Temporary files of a save are ".NAME.saving-XXXXXX", backups ".NAME.backup-XXXXXX" (while
    // being copied ".NAME.copying-XXXXXX").
    std::string prefix(const char* kind) const { return "." + base + "." + kind + "-"; }
};

constexpr size_t kRandomLength = 6;

std::string randomSuffix() {
    static constexpr char kChars[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    unsigned char raw[kRandomLength];
    if (::getentropy(raw, sizeof raw) != 0) {
        const auto seed = static_cast<unsigned long>(::getpid()) ^ static_cast<unsigned long>(::time(nullptr));
        for (size_t i = 0; i < kRandomLength; ++i) raw[i] = static_cast<unsigned char>(seed >> (i * 5));
    }
    std::string out;
    for (unsigned char c : raw) out.push_back(kChars[c % (sizeof kChars - 1)]);
    return out;
}

void syncFolder(const SavePlace& place) {
    const int dfd = ::open(place.folder().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dfd >= 0) {
        ::fsync(dfd);
        ::close(dfd);
    }
}

// Whether `name` (in the folder) is one of the target's files of `kind`: ".NAME.kind-XXXXXX".
bool isSaveFile(const SavePlace& place, const char* kind, std::string_view name) {
    const std::string p = place.prefix(kind);
    return name.size() == p.size() + kRandomLength && name.substr(0, p.size()) == p;
}

// Calls take(folder, name, stat) for each of the target's files of these kinds that is a
// regular file no running save holds (locked for the call): each is locked by its save for as
// long as that save runs.
template <typename Take>
void forEachLeftFile(const SavePlace& place, std::initializer_list<const char*> kinds, Take take) {
    DIR* folder = ::opendir(place.folder().c_str());
    if (!folder) return;
    const int dfd = ::dirfd(folder);
    while (const dirent* entry = ::readdir(folder)) {
        const std::string_view name = entry->d_name;
        bool ours = false;
        for (const char* kind : kinds) ours = ours || isSaveFile(place, kind, name);
        if (!ours) continue;
        const int fd = ::openat(dfd, entry->d_name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) continue;
        struct stat st {};
        if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0)
            take(dfd, entry->d_name, st);
        ::close(fd);
    }
    ::closedir(folder);
}

// Removes the temporary files and backups of this target that no running save holds: those
// were left by saves that were killed.
void removeStaleFiles(const SavePlace& place) {
    forEachLeftFile(place, {"saving", "copying", "backup"},
                    [](int dfd, const char* name, const struct stat&) { ::unlinkat(dfd, name, 0); });
}

// A file for the new contents: unnamed (O_TMPFILE) where the file system allows it, so that
// a save killed while writing leaves nothing; else named ".NAME.saving-XXXXXX". It is locked
// while the save runs (removeStaleFiles passes it over).
struct TempFile {
    int fd = -1;
    std::string name;  // empty while unnamed
    ~TempFile() { discard(); }
    void discard() {
        if (fd >= 0) ::close(fd);
        fd = -1;
        if (!name.empty()) ::unlink(name.c_str());
        name.clear();
    }
};

IoResult createTemp(const std::string& path, const SavePlace& place, bool exists, TempFile& t) {
    t.fd = ::open(place.folder().c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    if (t.fd < 0 && errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) {
        const int err = errno;
        if (err == ENOENT) return failed(FailureKind::NoSuchFolder, path);
        return failed(FailureKind::CannotCreateIn, place.folder(), err);
    }
    if (t.fd < 0) {
        std::string tmpl = place.dir + place.prefix("saving") + std::string(kRandomLength, 'X');
        t.fd = ::mkostemp(tmpl.data(), O_CLOEXEC);
        if (t.fd < 0) {
            const int err = errno;
            if (err == ENOENT) return failed(FailureKind::NoSuchFolder, path);
            return failed(FailureKind::CannotCreateIn, place.folder(), err);
        }
        t.name = tmpl;
        // mkostemp makes 0600; a new file gets what creating it would have given it.
        if (!exists) {
            const mode_t mask = ::umask(0);
            ::umask(mask);
            ::fchmod(t.fd, 0666 & ~mask);
        }
    }
    ::flock(t.fd, LOCK_EX);
    return {};
}

// Gives an unnamed temporary file its ".NAME.saving-XXXXXX" name, for the rename.
bool nameTemp(const SavePlace& place, TempFile& t) {
    if (!t.name.empty()) return true;
    const std::string self = "/proc/self/fd/" + std::to_string(t.fd);
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string name = place.dir + place.prefix("saving") + randomSuffix();
        int r = ::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW);
        if (r != 0 && errno == ENOENT) r = ::linkat(t.fd, "", AT_FDCWD, name.c_str(), AT_EMPTY_PATH);
        if (r == 0) {
            t.name = name;
            return true;
        }
        if (errno != EEXIST) return false;
    }
    return false;
}

// Why a write in place would change what the file is: a write strips the set-ID bits of a
// file, and only its owner (or root) can set them again.
bool writeWouldStripSetId(const struct stat& st) {
    const bool setId = (st.st_mode & S_ISUID) || ((st.st_mode & S_ISGID) && (st.st_mode & S_IXGRP));
    return setId && ::geteuid() != 0 && ::geteuid() != st.st_uid;
}

bool copyContents(int from, int to, off_t size) {
    std::vector<char> buf(size_t{1} << 20);
    off_t at = 0;
    while (at < size) {
        const ssize_t n = ::pread(from, buf.data(), buf.size(), at);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        if (!writeAll(to, std::string_view(buf.data(), static_cast<size_t>(n)))) return false;
        at += n;
    }
    return true;
}

bool overwrite(int fd, std::string_view bytes) {
    return ::lseek(fd, 0, SEEK_SET) == 0 && writeAll(fd, bytes) &&
           ::ftruncate(fd, static_cast<off_t>(bytes.size())) == 0 && ::fsync(fd) == 0;
}

// Writes a file that a new file could not stand in for (hard links, owner, set-ID bits,
// attributes) in place, behind a backup of its old contents in the same folder.
IoResult writeKeepingFile(const std::string& path, const std::string& target, const SavePlace& place,
                          const FileMetadata& old, std::string_view bytes) {
    const int fd = ::open(target.c_str(), O_RDWR | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) return failed(FailureKind::CannotWrite, path, errno);
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return IoResult::failed(notRegularFile(path, st.st_mode));
    }
    if (writeWouldStripSetId(st)) {
        ::close(fd);
        return failed(FailureKind::SetIdFile, path);
    }
    // Copied under a name of its own, and named a backup only once it is whole: a save killed
    // while copying leaves a file that nobody would take for the old contents.
    std::string copyName = place.dir + place.prefix("copying") + std::string(kRandomLength, 'X');
    const int backup = ::mkostemp(copyName.data(), O_CLOEXEC);
    if (backup < 0) {
        const int err = errno;
        ::close(fd);
        return failed(FailureKind::CannotBackUp, path, err);
    }
    ::flock(backup, LOCK_EX);
    auto closeAll = [&] {
        ::close(backup);
        ::close(fd);
    };
    const std::string backupName = place.dir + place.prefix("backup") + copyName.substr(copyName.size() - kRandomLength);
    if (!copyContents(fd, backup, st.st_size) || ::fsync(backup) != 0 ||
        ::rename(copyName.c_str(), backupName.c_str()) != 0) {
        const int err = errno;
        ::unlink(copyName.c_str());
        closeAll();
        return failed(FailureKind::CannotBackUp, path, err);
    }
    syncFolder(place);  // the backup is on disk, under its name, before the file changes

    if (!overwrite(fd, bytes)) {
        const int err = errno;

        std::string oldBytes;
        oldBytes.resize(static_cast<size_t>(st.st_size));
        const bool restored = ::pread(backup, oldBytes.data(), oldBytes.size(), 0) == st.st_size &&
                              overwrite(fd, oldBytes);
        if (!restored) {
            closeAll();
            return IoResult::failed(Failure::of(FailureKind::BackupKept, path, err).withValue(backupName));
        }
        ::unlink(backupName.c_str());
        closeAll();
        return failed(FailureKind::CannotWrite, path, err);
    }
    // A write by anyone but root clears set-ID bits, and any write drops file capabilities.
    applyMetadata(fd, old);
    ::unlink(backupName.c_str());
    closeAll();
    return {};
}

// Why the user may not write the existing regular file `path`, or no failure when they may.
Failure readOnlyFailure(const std::string& path, const std::string& target, const struct stat& st) {
    // Root passes every access() check; a file without any write bit is still
    // read-only to an editor, as it is to the other editors root uses.
    if ((st.st_mode & 0222) == 0) return Failure::of(FailureKind::ReadOnly, path);
    if (::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) {
        const int err = errno;
        if (err == EROFS || err == EACCES || err == EPERM)
            return Failure::of(FailureKind::ReadOnly, path, err);
        return Failure::of(FailureKind::CannotWrite, path, err);
    }
    return {};
}

// Opens a pipe or device by the name given: the kernel follows links such as
// /dev/stdout -> /proc/self/fd/1 -> "pipe:[…]" that no path names.
bool isPipeOrDevice(const std::string& path, mode_t& mode) {
    struct stat named {};
    if (::stat(path.c_str(), &named) != 0 || !(S_ISFIFO(named.st_mode) || S_ISCHR(named.st_mode))) return false;
    mode = named.st_mode;
    return true;
}

// The save itself; the caller holds the target's save lock.
IoResult writeLockedTarget(const std::string& path, const std::string& target, std::string_view bytes) {
    if (path.empty()) return failed(FailureKind::NoFileName, {});
    if (mode_t mode = 0; isPipeOrDevice(path, mode)) return writeInPlace(path, path, mode, bytes);

    struct stat st {};
    bool exists = false;
    FileMetadata old;
    if (::stat(target.c_str(), &st) == 0) {
        exists = true;
        if (S_ISFIFO(st.st_mode) || S_ISCHR(st.st_mode)) return writeInPlace(path, target, st.st_mode, bytes);
        if (!S_ISREG(st.st_mode)) return IoResult::failed(notRegularFile(path, st.st_mode));
        if (Failure why = readOnlyFailure(path, target, st)) return IoResult::failed(std::move(why));
        const int fd = ::open(target.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        const bool known = fd >= 0 && readMetadata(fd, old);
        if (fd >= 0) ::close(fd);
        if (!known) {
            // Without reading what the file carries there is nothing to copy: keep the file.
            old = {st.st_uid, st.st_gid, static_cast<mode_t>(st.st_mode & 07777), {}};
            st.st_nlink = std::max<nlink_t>(st.st_nlink, 2);
        }
    } else if (errno != ENOENT) {
        return failed(FailureKind::CannotWrite, path, errno);
    }

    const SavePlace place(target);
    IoResult result;
    if (exists && st.st_nlink > 1) {
        result = writeKeepingFile(path, target, place, old, bytes);
    } else {
        TempFile tmp;
        if (IoResult r = createTemp(path, place, exists, tmp); !r) return r;
        if (!writeAll(tmp.fd, bytes) || ::fsync(tmp.fd) != 0)
            return failed(FailureKind::CannotWrite, path, errno);
        if (exists && !applyMetadata(tmp.fd, old)) {
            tmp.discard();
            result = writeKeepingFile(path, target, place, old, bytes);
        } else {
            if (!nameTemp(place, tmp)) return failed(FailureKind::CannotWrite, path, errno);
            if (::rename(tmp.name.c_str(), target.c_str()) != 0)
                return failed(FailureKind::CannotReplace, path, errno);
            tmp.name.clear();  // it is the target now
            syncFolder(place);  // makes the rename itself durable
        }
    }
    if (result) removeStaleFiles(place);
    return result;
}

}  // namespace

SaveLock::~SaveLock() { release(); }

SaveLock::SaveLock(SaveLock&& other) noexcept
    : path_(std::move(other.path_)), target_(std::move(other.target_)), fd_(other.fd_), held_(other.held_) {
    other.fd_ = -1;
    other.held_ = false;
}

SaveLock& SaveLock::operator=(SaveLock&& other) noexcept {
    if (this != &other) {
        release();
        path_ = std::move(other.path_);
        target_ = std::move(other.target_);
        fd_ = other.fd_;
        held_ = other.held_;
        other.fd_ = -1;
        other.held_ = false;
    }
    return *this;
}

void SaveLock::release() {
    if (fd_ >= 0) ::close(fd_);  // closing the last descriptor of the file ends its flock
    fd_ = -1;
    held_ = false;
}

IoResult SaveLock::acquire(const std::string& path, std::chrono::milliseconds wait) {
    release();
    path_ = path;
    target_ = path;
    if (path.empty()) return failed(FailureKind::NoFileName, {});
    // Where nothing can be locked (a pipe, a device, a file nobody may open, a missing
    // folder), the lock is held without a descriptor and write() says what is wrong.
    held_ = true;
    if (mode_t mode = 0; isPipeOrDevice(path, mode)) return {};
    const auto deadline = std::chrono::steady_clock::now() + wait;
    for (;;) {
        target_ = resolveTarget(path);
        struct stat st {};
        const bool exists = ::stat(target_.c_str(), &st) == 0;
        if (exists && !S_ISREG(st.st_mode)) return {};
        if (!exists && errno != ENOENT) return {};
        int fd = -1;
        if (exists) {
            fd = ::open(target_.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
            if (fd < 0 && errno == EACCES) fd = ::open(target_.c_str(), O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        } else {
            fd = ::open(SavePlace(target_).folder().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        }
        if (fd < 0) {
            if (errno == ELOOP && std::chrono::steady_clock::now() < deadline) continue;  // became a symlink
            return {};
        }
        while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            if (errno == EINTR) continue;
            if (errno != EWOULDBLOCK) break;  // a file system without locks: save unlocked
            if (std::chrono::steady_clock::now() >= deadline) {
                ::close(fd);
                held_ = false;
                return failed(FailureKind::SaveBusy, path);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        // Is the path still what was locked? A saver before us may have put a new file there.
        struct stat locked {};
        struct stat now {};
        const bool namesNow = ::stat(target_.c_str(), &now) == 0;
        const bool gone = !namesNow && errno == ENOENT;
        const bool same = resolveTarget(path) == target_ &&
                          (exists ? namesNow && ::fstat(fd, &locked) == 0 && locked.st_ino == now.st_ino &&
                                        locked.st_dev == now.st_dev
                                  : gone);
        if (same) {
            fd_ = fd;
            return {};
        }
        ::close(fd);
    }
}

IoResult SaveLock::write(std::string_view bytes) {
    if (!held_) return failed(FailureKind::NotLocked, path_);
    try {
        return writeLockedTarget(path_, target_, bytes);
    } catch (const std::bad_alloc&) {
        return failed(FailureKind::OutOfMemory, path_);
    }
}

IoResult writeFileAtomically(const std::string& path, std::string_view bytes) {
    try {
        SaveLock lock;
        if (IoResult r = lock.acquire(path); !r) return r;
        return lock.write(bytes);
    } catch (const std::bad_alloc&) {
        return failed(FailureKind::OutOfMemory, path);
    }
}

std::vector<std::string> leftBackups(const std::string& path) {
    const SavePlace place(resolveTarget(path));
    std::vector<std::pair<struct timespec, std::string>> found;
    forEachLeftFile(place, {"backup"}, [&](int, const char* name, const struct stat& st) {
        found.emplace_back(st.st_mtim, place.dir + name);
    });
    std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) {
        return a.first.tv_sec != b.first.tv_sec ? a.first.tv_sec > b.first.tv_sec : a.first.tv_nsec > b.first.tv_nsec;
    });
    std::vector<std::string> out;
    for (auto& f : found) out.push_back(std::move(f.second));
    return out;
}
}  // namespace sylvanode

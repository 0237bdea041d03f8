// SPDX-License-Identifier: MIT
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

#include "platform/failure.h"

namespace sylvanode {

struct IoResult {
    bool ok = true;
    // What failed: a kind and its details (file, errno), which the frontends word.
    Failure failure;
    explicit operator bool() const { return ok; }
    // The failure was an allocation that could not be satisfied.
    bool outOfMemory() const { return failure.kind == FailureKind::OutOfMemory; }
    static IoResult failed(Failure why) { return {false, std::move(why)}; }
};

// Input larger than this is refused rather than read: a scheme is a few megabytes
// at most, and a larger file is a mistake or an attack.
inline constexpr std::uint64_t kMaxInputBytes = std::uint64_t{512} << 20;

// Replaces the file at `path` with `bytes`, under the file's save lock (SaveLock below).
//
// A regular file (or a new one) is replaced atomically: a temporary file in the target's
// folder (unnamed until the moment of the rename, where the system allows it) is written,
// synced, given the old file's owner, group, permission bits, ACL and extended attributes,
// and renamed over it. A symlink is followed to the file it names. On any failure the old
// file is untouched and nothing is left behind; a temporary file that a killed save left is
// removed by the next save of the same file.
//
// Where a new file cannot carry what the old one had (a second hard link, an owner or group
// the user may not give away, set-ID bits or attributes the user may not set), the file is
// written in place instead, behind a backup copy of its old contents in the same folder
// (".NAME.backup-XXXXXX", so named once it is whole) that lives until the write is
// complete: a failed write puts the
// old contents back. A set-ID file of another owner, which a write would strip of its
// set-ID bits, is refused.
//
// A file the user may not write is refused, never replaced: one that access()
// reports unwritable (permissions, a read-only file system), and, also for root,
// one with no write bit at all (mode 0444): like other editors, a read-only file
// is left alone even by a user who could override it.
//
// Targets that a rename cannot replace are written in place, opened without
// waiting: a FIFO with a reader, a character device (/dev/null, /dev/stdout, a
// terminal; /dev/full fails as "disk full"). A FIFO nobody reads fails at once.
// Folders, block devices and sockets are refused.
//
// Do not call it for a path whose SaveLock you hold: it would wait for that lock.
IoResult writeFileAtomically(const std::string& path, std::string_view bytes);

// The backups that saves of `path` killed while writing in place left beside it (held by no
// running save), newest first. Each holds the whole file as it was before that save, which
// may have left the file itself partly written; the next save of the file removes them.
std::vector<std::string> leftBackups(const std::string& path);

// How long a save waits for another saver of the same file to finish.
inline constexpr std::chrono::milliseconds kSaveLockWait{5000};

// The lock every save of a file takes: an exclusive flock on the file the path names
// (through symlinks), or on its folder while no such file exists. Savers in one process
// or in several take turns, and what a saver checks while it holds the lock (the file's
// size, time or contents) is still so when it writes, as far as every other saver takes
// the lock too. A saver that finds the file replaced while it waited locks the new one.
//
//     SaveLock lock;
//     if (IoResult r = lock.acquire(path); !r) return r;
//     if (the file is not what we last read or wrote) ...;  // ask, or reload
//     return lock.write(bytes);                              // as writeFileAtomically
//
// SchemeDocument::save works this way with the file's identity. The lock ends with release()
// or the object. Pipes and devices take no lock.
class SaveLock {
public:
    SaveLock() = default;
    ~SaveLock();
    SaveLock(SaveLock&& other) noexcept;
    SaveLock& operator=(SaveLock&& other) noexcept;
    SaveLock(const SaveLock&) = delete;
    SaveLock& operator=(const SaveLock&) = delete;

    // Takes the lock, waiting at most `wait` for another saver (SaveBusy when it does not
    // finish).
    IoResult acquire(const std::string& path, std::chrono::milliseconds wait = kSaveLockWait);
    bool held() const { return held_; }
    // The file that is written: the path with its symlinks followed.
    const std::string& target() const { return target_; }
    // Replaces the file's contents as writeFileAtomically does; the lock stays held.
    IoResult write(std::string_view bytes);
    void release();

private:
    std::string path_;
    std::string target_;
    int fd_ = -1;  // the locked file or folder; -1 for a pipe or device, or a file nobody may open
    bool held_ = false;
};

// Reads a whole regular file, at most `limit` bytes. Anything else is refused
// without reading: a folder, a FIFO or a device (so /dev/zero or a pipe with no
// writer can neither exhaust memory nor hang the caller; use readBounded on a
// descriptor for standard input). Failures name the file by `path`.
IoResult readWholeFile(const std::string& path, std::string& out, std::uint64_t limit = kMaxInputBytes);

// Reads a regular file as readWholeFile does, handing it to `take` piece by piece (a few
// hundred kilobytes each) instead of holding it whole. An exception `take` throws passes
// through, except std::bad_alloc, which becomes an out-of-memory failure.
IoResult readFileInPieces(const std::string& path, const std::function<void(std::string_view)>& take,
                          std::uint64_t limit = kMaxInputBytes);

// Reads a descriptor or a stream to its end, failing once more than `limit` bytes
// arrive. Blocks like any read does (meant for standard input); `name` is what the
// failure calls the input (its path).
IoResult readBounded(int fd, const std::string& name, std::string& out, std::uint64_t limit = kMaxInputBytes);
IoResult readBounded(std::istream& in, const std::string& name, std::string& out,
                     std::uint64_t limit = kMaxInputBytes);

// Creates a folder and the folders above it that are missing (CannotCreateFolder with the
// errno, or FolderInTheWay, when it cannot).
IoResult createFolders(const std::string& path);

}  // namespace sylvanode

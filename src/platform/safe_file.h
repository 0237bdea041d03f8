// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>
#include <string_view>

namespace sylvanode {

struct IoResult {
    bool ok = true;
    // What failed and why, in plain words: "cannot write /x/a.menu: the file is read-only".
    std::string error;
    // The failure was an allocation that could not be satisfied (the error says "out of memory").
    bool outOfMemory = false;
    explicit operator bool() const { return ok; }
    static IoResult failure(std::string why) { return {false, std::move(why), false}; }
    static IoResult memoryFailure(std::string why) { return {false, std::move(why), true}; }
};

// Input larger than this is refused rather than read: a scheme is a few megabytes
// at most, and a larger file is a mistake or an attack.
inline constexpr std::uint64_t kMaxInputBytes = std::uint64_t{512} << 20;

// Replaces the file at `path` with `bytes`.
//
// A regular file (or a new one) is replaced atomically: a temporary file in the
// target's folder is written, synced and renamed over it. A symlink is followed to
// the file it names; that file's permission bits are kept. On any failure the old
// file is untouched and the temporary file is removed.
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
IoResult writeFileAtomically(const std::string& path, std::string_view bytes);

// Reads a whole regular file, at most `limit` bytes. Anything else is refused
// without reading: a folder, a FIFO or a device (so /dev/zero or a pipe with no
// writer can neither exhaust memory nor hang the caller; use readBounded on a
// descriptor for standard input).
IoResult readWholeFile(const std::string& path, std::string& out, std::uint64_t limit = kMaxInputBytes);

// Reads a descriptor or a stream to its end, failing once more than `limit` bytes
// arrive. Blocks like any read does (meant for standard input); `name` is what the
// reason calls the input ("standard input").
IoResult readBounded(int fd, const std::string& name, std::string& out, std::uint64_t limit = kMaxInputBytes);
IoResult readBounded(std::istream& in, const std::string& name, std::string& out,
                     std::uint64_t limit = kMaxInputBytes);

// Creates a folder and the folders above it that are missing; the error says why not
// ("cannot create the folder /a/b: permission denied", "...: a file of that name is in the way").
IoResult createFolders(const std::string& path);

// The cause of an errno value in plain words ("permission denied", "disk full").
std::string plainErrorText(int err);

}  // namespace sylvanode

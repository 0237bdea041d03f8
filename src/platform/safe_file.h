#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace sylvanode {

struct IoResult {
    bool ok = true;
    std::string error;  // what failed, for messages and the command line
    explicit operator bool() const { return ok; }
    static IoResult failure(std::string why) { return {false, std::move(why)}; }
};

// Input larger than this is refused rather than read: a scheme is a few megabytes
// at most, and a larger input is a mistake or an attack.
inline constexpr std::uint64_t kMaxInputBytes = std::uint64_t{512} << 20;

// Replaces `path` with `bytes` atomically: a temporary file in the target's
// directory is written, synced and renamed over the target. A symlink is
// followed to the file it names; the target's permission bits are kept. On
// failure the old file is untouched and the temporary file is removed.
IoResult writeFileAtomically(const std::string& path, std::string_view bytes);

// Reads a whole file; fails for a directory or an unreadable file.
IoResult readWholeFile(const std::string& path, std::string& out);

// Reads a descriptor to its end, failing once more than `limit` bytes arrive. Blocks like any
// read does (meant for standard input); `name` is what the reason calls the input.
IoResult readBounded(int fd, const std::string& name, std::string& out, std::uint64_t limit = kMaxInputBytes);

}  // namespace sylvanode

#pragma once

#include <string>
#include <string_view>

namespace sylvanode {

struct IoResult {
    bool ok = true;
    std::string error;  // what failed, for messages and the command line
    explicit operator bool() const { return ok; }
    static IoResult failure(std::string why) { return {false, std::move(why)}; }
};

// Replaces `path` with `bytes` atomically: a temporary file in the target's
// directory is written, synced and renamed over the target. A symlink is
// followed to the file it names; the target's permission bits are kept. On
// failure the old file is untouched and the temporary file is removed.
IoResult writeFileAtomically(const std::string& path, std::string_view bytes);

// Reads a whole file; fails for a directory or an unreadable file.
IoResult readWholeFile(const std::string& path, std::string& out);

}  // namespace sylvanode

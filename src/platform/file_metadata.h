// SPDX-License-Identifier: MIT
#pragma once

// What a saved file carries besides its bytes: owner, group, permission bits (set-ID bits
// included), the POSIX ACL and the other extended attributes. A save that replaces the file
// by a new one gives the new one all of it, and checks that it took.

#include <sys/types.h>

#include <string>
#include <utility>
#include <vector>

namespace sylvanode {

struct FileMetadata {
    uid_t owner = 0;
    gid_t group = 0;
    mode_t mode = 0;  // the permission bits with the set-ID and sticky bits (07777)
    // Every extended attribute by name, the access ACL ("system.posix_acl_access") among
    // them, sorted by name.
    std::vector<std::pair<std::string, std::string>> attributes;

    bool operator==(const FileMetadata&) const = default;
};

// The metadata of an open file; false when it cannot be read in full.
bool readMetadata(int fd, FileMetadata& out);

// Gives the open file `fd` the metadata `want` as far as the caller may: owner first (a
// change of owner clears the set-ID bits), then the permission bits, then the attributes;
// an attribute `fd` has and `want` lacks (a folder's default ACL passes one to every new
// file) is removed. Returns true only when the file now carries exactly `want`.
bool applyMetadata(int fd, const FileMetadata& want);

}  // namespace sylvanode

// SPDX-License-Identifier: MIT
#include "platform/file_metadata.h"

#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace sylvanode {
namespace {

// The names of the file's extended attributes; false on a failure other than "none here".
bool attributeNames(int fd, std::vector<std::string>& names) {
    names.clear();
    std::string buf;
    for (;;) {
        const ssize_t size = ::flistxattr(fd, nullptr, 0);
        if (size < 0) return errno == ENOTSUP;
        if (size == 0) return true;
        buf.resize(static_cast<size_t>(size));
        const ssize_t got = ::flistxattr(fd, buf.data(), buf.size());
        if (got >= 0) {
            buf.resize(static_cast<size_t>(got));
            break;
        }
        if (errno != ERANGE) return false;  // ERANGE: one was added meanwhile, ask again
    }
    for (size_t at = 0; at < buf.size();) {
        const size_t end = buf.find('\0', at);
        const size_t stop = end == std::string::npos ? buf.size() : end;
        if (stop > at) names.emplace_back(buf, at, stop - at);
        at = stop + 1;
    }
    return true;
}

bool attributeValue(int fd, const std::string& name, std::string& value) {
    for (;;) {
        const ssize_t size = ::fgetxattr(fd, name.c_str(), nullptr, 0);
        if (size < 0) return false;
        value.resize(static_cast<size_t>(size));
        if (size == 0) return true;
        const ssize_t got = ::fgetxattr(fd, name.c_str(), value.data(), value.size());
        if (got >= 0) {
            value.resize(static_cast<size_t>(got));
            return true;
        }
        if (errno != ERANGE) return false;
    }
}

}  // namespace

bool readMetadata(int fd, FileMetadata& out) {
    struct stat st {};
    if (::fstat(fd, &st) != 0) return false;
    out.owner = st.st_uid;
    out.group = st.st_gid;
    out.mode = st.st_mode & 07777;
    out.attributes.clear();
    std::vector<std::string> names;
    if (!attributeNames(fd, names)) return false;
    for (std::string& name : names) {
        std::string value;
        if (!attributeValue(fd, name, value)) {
            if (errno == ENODATA) continue;  // removed since it was listed
            return false;
        }
        out.attributes.emplace_back(std::move(name), std::move(value));
    }
    std::sort(out.attributes.begin(), out.attributes.end());
    return true;
}

bool applyMetadata(int fd, const FileMetadata& want) {
    FileMetadata have;
    if (!readMetadata(fd, have)) return false;
    // Failures are not reported one by one: the comparison at the end decides.
    if (have.owner != want.owner || have.group != want.group) {
        const int ignored = ::fchown(fd, want.owner, want.group);
        (void)ignored;
    }
    for (const auto& [name, value] : have.attributes) {
        const bool wanted = std::any_of(want.attributes.begin(), want.attributes.end(),
                                        [&](const auto& a) { return a.first == name; });
        if (!wanted) ::fremovexattr(fd, name.c_str());
    }
    // After the owner (which clears set-ID bits) and before the ACL (whose mask is the group
    // bits, so setting it gives the group bits of the old file).
    ::fchmod(fd, want.mode);
    for (const auto& [name, value] : want.attributes) {
        const auto had = std::find_if(have.attributes.begin(), have.attributes.end(),
                                      [&](const auto& a) { return a.first == name; });
        if (had != have.attributes.end() && had->second == value && name != "system.posix_acl_access")
            continue;
        ::fsetxattr(fd, name.c_str(), value.data(), value.size(), 0);
    }
    FileMetadata now;
    return readMetadata(fd, now) && now == want;
}

}  // namespace sylvanode

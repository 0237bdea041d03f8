#include "platform/safe_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace sylvanode {
namespace {

std::string errnoText(const std::string& what, const std::string& path, int err) {
    return what + " " + path + ": " + std::strerror(err);
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

}  // namespace

IoResult writeFileAtomically(const std::string& path, std::string_view bytes) {
    if (path.empty()) return IoResult::failure("no file name given");
    const std::string target = resolveTarget(path);

    struct stat st {};
    mode_t mode = 0666 & ~[] { mode_t m = ::umask(0); ::umask(m); return m; }();
    if (::stat(target.c_str(), &st) == 0) {
        if (S_ISDIR(st.st_mode)) return IoResult::failure("cannot write " + path + ": it is a folder");
        if (!S_ISREG(st.st_mode)) {
            // A device or pipe cannot be replaced by a rename; write into it directly.
            const int fd = ::open(target.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
            if (fd < 0) return IoResult::failure(errnoText("cannot open", path, errno));
            const bool ok = writeAll(fd, bytes);
            const int err = errno;
            ::close(fd);
            if (!ok) return IoResult::failure(errnoText("cannot write", path, err));
            return {};
        }
        mode = st.st_mode & 07777;
    }

    const auto slash = target.rfind('/');
    const std::string dir = slash == std::string::npos ? std::string(".") : target.substr(0, slash + 1);
    const std::string base = slash == std::string::npos ? target : target.substr(slash + 1);
    std::string tmpl = (slash == std::string::npos ? std::string() : dir) + "." + base + ".XXXXXX";
    std::vector<char> name(tmpl.begin(), tmpl.end());
    name.push_back('\0');
    const int fd = ::mkstemp(name.data());
    if (fd < 0) return IoResult::failure(errnoText("cannot create a file in", dir, errno));
    const std::string tmp(name.data());

    auto fail = [&](const std::string& what) {
        const int err = errno;
        ::close(fd);
        ::unlink(tmp.c_str());
        return IoResult::failure(errnoText(what, path, err));
    };
    if (!writeAll(fd, bytes)) return fail("cannot write");
    if (::fchmod(fd, mode) != 0) return fail("cannot set permissions of");
    if (::fsync(fd) != 0) return fail("cannot sync");
    if (::close(fd) != 0) {
        const int err = errno;
        ::unlink(tmp.c_str());
        return IoResult::failure(errnoText("cannot write", path, err));
    }
    if (::rename(tmp.c_str(), target.c_str()) != 0) {
        const int err = errno;
        ::unlink(tmp.c_str());
        return IoResult::failure(errnoText("cannot replace", path, err));
    }
    // Make the rename itself durable.
    const int dfd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dfd >= 0) {
        ::fsync(dfd);
        ::close(dfd);
    }
    return {};
}

IoResult readWholeFile(const std::string& path, std::string& out) {
    out.clear();
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return IoResult::failure(errnoText("cannot open", path, errno));
    struct stat st {};
    if (::fstat(fd, &st) == 0) {
        if (S_ISDIR(st.st_mode)) {
            ::close(fd);
            return IoResult::failure("cannot read " + path + ": it is a folder");
        }
        if (S_ISREG(st.st_mode) && st.st_size > 0) out.reserve(static_cast<size_t>(st.st_size));
    }
    char buf[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0) {
            if (errno == EINTR) continue;
            const int err = errno;
            ::close(fd);
            return IoResult::failure(errnoText("cannot read", path, err));
        }
        if (n == 0) break;
        out.append(buf, static_cast<size_t>(n));
    }
    ::close(fd);
    return {};
}

IoResult readBounded(int fd, const std::string& name, std::string& out, std::uint64_t limit) {
    out.clear();
    char buf[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0) {
            if (errno == EINTR) continue;
            return IoResult::failure("cannot read " + name + ": " + std::strerror(errno));
        }
        if (n == 0) return {};
        if (out.size() + static_cast<size_t>(n) > limit) {
            out.clear();
            return IoResult::failure(name + " is larger than " + std::to_string(limit >> 20) + " MiB");
        }
        out.append(buf, static_cast<size_t>(n));
    }
}

}  // namespace sylvanode

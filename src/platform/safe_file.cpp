// SPDX-License-Identifier: MIT
#include "platform/safe_file.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <istream>
#include <new>
#include <vector>

namespace sylvanode {
namespace {

std::string errnoText(const std::string& what, const std::string& path, int err) {
    return what + " " + path + ": " + plainErrorText(err);
}

std::string limitText(std::uint64_t limit) {
    if (limit >= (1u << 20) && limit % (1u << 20) == 0) return std::to_string(limit >> 20) + " MiB";
    return std::to_string(limit) + " bytes";
}

std::string tooLarge(const std::string& what, std::uint64_t limit) {
    return "cannot read " + what + ": it is larger than " + limitText(limit);
}

// What a file that is not a regular file is, for messages.
const char* kindName(mode_t mode) {
    if (S_ISDIR(mode)) return "a folder";
    if (S_ISFIFO(mode)) return "a pipe";
    if (S_ISCHR(mode)) return "a device";
    if (S_ISBLK(mode)) return "a disk device";
    if (S_ISSOCK(mode)) return "a socket";
    return "not a regular file";
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
        if (errno == ENXIO && S_ISFIFO(mode))
            return IoResult::failure("cannot write " + path + ": no program is reading from the pipe");
        return IoResult::failure(errnoText("cannot open", path, errno));
    }
    // Once open, write as a shell redirection would: waiting while a reader catches up.
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0) ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    const bool ok = writeAll(fd, bytes);
    const int err = errno;
    ::close(fd);
    if (!ok) return IoResult::failure(errnoText("cannot write", path, err));
    return {};
}

// Why the user may not write an existing regular file, or empty when they may.
std::string readOnlyReason(const std::string& target, const struct stat& st) {
    // Root passes every access() check; a file without any write bit is still
    // read-only to an editor, as it is to the other editors root uses.
    if ((st.st_mode & 0222) == 0) return "the file is read-only";
    if (::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) {
        if (errno == EROFS) return "the file is on a read-only file system";
        if (errno == EACCES || errno == EPERM) return "the file is read-only for you (permission denied)";
        return plainErrorText(errno);
    }
    return {};
}

IoResult writeReplacing(const std::string& path, std::string_view bytes) {
    if (path.empty()) return IoResult::failure("no file name given");
    // A pipe or device is opened by the name given: the kernel follows links such
    // as /dev/stdout -> /proc/self/fd/1 -> "pipe:[…]" that no path names.
    struct stat named {};
    if (::stat(path.c_str(), &named) == 0 && (S_ISFIFO(named.st_mode) || S_ISCHR(named.st_mode)))
        return writeInPlace(path, path, named.st_mode, bytes);
    const std::string target = resolveTarget(path);

    struct stat st {};
    bool exists = false;
    mode_t mode = 0666 & ~[] {
        mode_t m = ::umask(0);
        ::umask(m);
        return m;
    }();
    if (::stat(target.c_str(), &st) == 0) {
        exists = true;
        if (S_ISFIFO(st.st_mode) || S_ISCHR(st.st_mode)) return writeInPlace(path, target, st.st_mode, bytes);
        if (!S_ISREG(st.st_mode))
            return IoResult::failure("cannot write " + path + ": it is " + kindName(st.st_mode));
        if (const std::string why = readOnlyReason(target, st); !why.empty())
            return IoResult::failure("cannot write " + path + ": " + why);
        mode = st.st_mode & 07777;
    } else if (errno != ENOENT) {
        return IoResult::failure(errnoText("cannot write", path, errno));
    }

    const auto slash = target.rfind('/');
    const std::string dir = slash == std::string::npos ? std::string(".") : target.substr(0, slash + 1);
    const std::string base = slash == std::string::npos ? target : target.substr(slash + 1);
    std::string tmpl = (slash == std::string::npos ? std::string() : dir) + "." + base + ".XXXXXX";
    std::vector<char> name(tmpl.begin(), tmpl.end());
    name.push_back('\0');
    const int fd = ::mkstemp(name.data());
    if (fd < 0) {
        const int err = errno;
        if (err == ENOENT) return IoResult::failure("cannot write " + path + ": no such folder");
        return IoResult::failure(errnoText("cannot create a file in", dir, err));
    }
    const std::string tmp(name.data());

    auto fail = [&](const std::string& what) {
        const int err = errno;
        ::close(fd);
        ::unlink(tmp.c_str());
        return IoResult::failure(errnoText(what, path, err));
    };
    if (!writeAll(fd, bytes)) return fail("cannot write");
    if (::fchmod(fd, mode) != 0) return fail("cannot set permissions of");
    if (exists) {
        // Root saving someone else's file leaves it theirs; for anyone else this
        // changes nothing or is refused, which is harmless.
        const int ignored = ::fchown(fd, st.st_uid, st.st_gid);
        (void)ignored;
    }
    if (::fsync(fd) != 0) return fail("cannot write");
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

// Reads `fd` to its end into `out`, failing beyond `limit`. `sizeHint` is the
// expected size (0 when unknown). Waits when a non-blocking descriptor has no data.
IoResult readDescriptor(int fd, const std::string& name, std::string& out, std::uint64_t limit,
                        std::uint64_t sizeHint) {
    out.clear();
    // One byte beyond the expected size shows whether the input is longer than announced.
    size_t capacity = static_cast<size_t>(std::min<std::uint64_t>(sizeHint + 1, limit + 1));
    if (capacity < 65536) capacity = static_cast<size_t>(std::min<std::uint64_t>(65536, limit + 1));
    out.resize(capacity);
    size_t total = 0;
    for (;;) {
        if (total == out.size()) {
            if (total > limit) {
                out.clear();
                return IoResult::failure(tooLarge(name, limit));
            }
            out.resize(
                static_cast<size_t>(std::min<std::uint64_t>(std::uint64_t{out.size()} * 2, limit + 1)));
        }
        const ssize_t n = ::read(fd, out.data() + total, out.size() - total);
        if (n < 0) {
            if (errno == EINTR) continue;
            if (errno == EAGAIN || errno == EWOULDBLOCK) {
                pollfd p{fd, POLLIN, 0};
                ::poll(&p, 1, -1);
                continue;
            }
            const int err = errno;
            out.clear();
            return IoResult::failure(errnoText("cannot read", name, err));
        }
        if (n == 0) break;
        total += static_cast<size_t>(n);
    }
    if (total > limit) {
        out.clear();
        return IoResult::failure(tooLarge(name, limit));
    }
    out.resize(total);
    return {};
}

}  // namespace

IoResult createFolders(const std::string& path) {
    // "file/" names a folder, so a file "file" is looked at without the slash.
    std::string bare = path;
    while (bare.size() > 1 && bare.back() == '/') bare.pop_back();
    struct stat st {};
    if (::stat(bare.c_str(), &st) == 0) {
        if (S_ISDIR(st.st_mode)) return {};
        return IoResult::failure("cannot create the folder " + path + ": a file of that name is in the way");
    }
    std::error_code ec;
    std::filesystem::create_directories(path, ec);
    if (ec) return IoResult::failure(errnoText("cannot create the folder", path, ec.value()));
    return {};
}

std::string plainErrorText(int err) {
    switch (err) {
        case EACCES:
        case EPERM:
            return "permission denied";
        case ENOSPC:
            return "disk full";
        case EDQUOT:
            return "disk quota exceeded";
        case ENOENT:
            return "no such file or folder";
        case ENOTDIR:
            return "a part of the path is not a folder";
        case EISDIR:
            return "it is a folder";
        case EROFS:
            return "read-only file system";
        case ENAMETOOLONG:
            return "the name is too long";
        case ELOOP:
            return "too many symbolic links";
        case EIO:
            return "input/output error";
        case ENOMEM:
            return "out of memory";
        case EFBIG:
            return "the file is too large";
        case EMFILE:
        case ENFILE:
            return "too many open files";
        case ETXTBSY:
            return "the file is in use";
        case EPIPE:
            return "the reading program has closed the pipe";
        default: {
            std::string text = std::strerror(err);
            if (!text.empty() && text[0] >= 'A' && text[0] <= 'Z')
                text[0] = static_cast<char>(text[0] - 'A' + 'a');
            return text;
        }
    }
}

IoResult writeFileAtomically(const std::string& path, std::string_view bytes) {
    try {
        return writeReplacing(path, bytes);
    } catch (const std::bad_alloc&) {
        return IoResult::memoryFailure("cannot write " + path + ": out of memory");
    }
}

IoResult readWholeFile(const std::string& path, std::string& out, std::uint64_t limit) {
    out.clear();
    try {
        // Look before opening: opening a FIFO or a device can wait or have effects of its own.
        struct stat st {};
        if (::stat(path.c_str(), &st) != 0) return IoResult::failure(errnoText("cannot open", path, errno));
        if (!S_ISREG(st.st_mode))
            return IoResult::failure("cannot read " + path + ": it is " + kindName(st.st_mode));
        if (static_cast<std::uint64_t>(st.st_size) > limit) return IoResult::failure(tooLarge(path, limit));
        const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) return IoResult::failure(errnoText("cannot open", path, errno));
        // The name may have been swapped for something else in between.
        if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
            ::close(fd);
            return IoResult::failure("cannot read " + path + ": it is not a regular file");
        }
        IoResult r = readDescriptor(fd, path, out, limit, static_cast<std::uint64_t>(st.st_size));
        ::close(fd);
        return r;
    } catch (const std::bad_alloc&) {
        out.clear();
        out.shrink_to_fit();
        return IoResult::memoryFailure("cannot read " + path + ": out of memory");
    }
}

IoResult readBounded(int fd, const std::string& name, std::string& out, std::uint64_t limit) {
    try {
        struct stat st {};
        std::uint64_t hint = 0;
        if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) {
            const off_t at = ::lseek(fd, 0, SEEK_CUR);
            const std::uint64_t left = static_cast<std::uint64_t>(st.st_size - (at > 0 ? at : 0));
            if (left > limit) return IoResult::failure(tooLarge(name, limit));
            hint = left;
        }
        return readDescriptor(fd, name, out, limit, hint);
    } catch (const std::bad_alloc&) {
        out.clear();
        out.shrink_to_fit();
        return IoResult::memoryFailure("cannot read " + name + ": out of memory");
    }
}

IoResult readBounded(std::istream& in, const std::string& name, std::string& out, std::uint64_t limit) {
    out.clear();
    try {
        char buf[65536];
        while (in) {
            in.read(buf, sizeof buf);
            const auto n = static_cast<size_t>(in.gcount());
            if (out.size() + n > limit) {
                out.clear();
                return IoResult::failure(tooLarge(name, limit));
            }
            out.append(buf, n);
        }
        if (in.bad()) {
            out.clear();
            return IoResult::failure("cannot read " + name + ": input/output error");
        }
        return {};
    } catch (const std::bad_alloc&) {
        out.clear();
        out.shrink_to_fit();
        return IoResult::memoryFailure("cannot read " + name + ": out of memory");
    }
}

}  // namespace sylvanode

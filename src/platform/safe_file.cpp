// SPDX-License-Identifier: MIT
// Reading files and input with bounds, creating folders, and the plain words for errors.
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <functional>
#include <vector>
#include <istream>
#include <new>

#include "platform/file_text.h"
#include "platform/safe_file.h"

namespace sylvanode {

namespace file_text {

std::string errnoText(const std::string& what, const std::string& path, int err) {
    return what + " " + path + ": " + plainErrorText(err);
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

}  // namespace file_text

namespace {

using file_text::errnoText;
using file_text::kindName;

std::string limitText(std::uint64_t limit) {
    if (limit >= (1u << 20) && limit % (1u << 20) == 0) return std::to_string(limit >> 20) + " MiB";
    return std::to_string(limit) + " bytes";
}

std::string tooLarge(const std::string& what, std::uint64_t limit) {
    return "cannot read " + what + ": it is larger than " + limitText(limit);
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

namespace {

// Opens a regular file for reading, refusing anything else without opening it.
IoResult openRegularFile(const std::string& path, std::uint64_t limit, int& fd, struct stat& st) {
    fd = -1;
    // Look before opening: opening a FIFO or a device can wait or have effects of its own.
    if (::stat(path.c_str(), &st) != 0) return IoResult::failure(errnoText("cannot open", path, errno));
    if (!S_ISREG(st.st_mode)) return IoResult::failure("cannot read " + path + ": it is " + kindName(st.st_mode));
    if (static_cast<std::uint64_t>(st.st_size) > limit) return IoResult::failure(tooLarge(path, limit));
    fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return IoResult::failure(errnoText("cannot open", path, errno));
    // The name may have been swapped for something else in between.
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        fd = -1;
        return IoResult::failure("cannot read " + path + ": it is not a regular file");
    }
    return {};
}

}  // namespace

IoResult readWholeFile(const std::string& path, std::string& out, std::uint64_t limit) {
    out.clear();
    try {
        int fd = -1;
        struct stat st {};
        if (IoResult r = openRegularFile(path, limit, fd, st); !r) return r;
        IoResult r = readDescriptor(fd, path, out, limit, static_cast<std::uint64_t>(st.st_size));
        ::close(fd);
        return r;
    } catch (const std::bad_alloc&) {
        out.clear();
        out.shrink_to_fit();
        return IoResult::memoryFailure("cannot read " + path + ": out of memory");
    }
}

IoResult readFileInPieces(const std::string& path, const std::function<void(std::string_view)>& take,
                          std::uint64_t limit) {
    int fd = -1;
    try {
        struct stat st {};
        if (IoResult r = openRegularFile(path, limit, fd, st); !r) return r;
        std::vector<char> buf(size_t{256} << 10);
        std::uint64_t total = 0;
        for (;;) {
            const ssize_t n = ::read(fd, buf.data(), buf.size());
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) {
                const int err = errno;
                ::close(fd);
                return IoResult::failure(errnoText("cannot read", path, err));
            }
            if (n == 0) break;
            total += static_cast<std::uint64_t>(n);
            if (total > limit) {
                ::close(fd);
                return IoResult::failure(tooLarge(path, limit));
            }
            take(std::string_view(buf.data(), static_cast<size_t>(n)));
        }
        ::close(fd);
        return {};
    } catch (const std::bad_alloc&) {
        if (fd >= 0) ::close(fd);
        return IoResult::memoryFailure("cannot read " + path + ": out of memory");
    } catch (...) {
        if (fd >= 0) ::close(fd);
        throw;
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

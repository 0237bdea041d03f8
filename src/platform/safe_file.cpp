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

FileType fileTypeOf(mode_t mode) {
    if (S_ISDIR(mode)) return FileType::Folder;
    if (S_ISFIFO(mode)) return FileType::Pipe;
    if (S_ISCHR(mode)) return FileType::Device;
    if (S_ISBLK(mode)) return FileType::DiskDevice;
    if (S_ISSOCK(mode)) return FileType::Socket;
    return FileType::Other;
}

Failure notRegularFile(const std::string& path, mode_t mode) {
    Failure f = Failure::of(FailureKind::NotRegularFile, path);
    f.fileType = fileTypeOf(mode);
    return f;
}

}  // namespace file_text

namespace {

using file_text::notRegularFile;

IoResult tooLarge(const std::string& what, std::uint64_t limit) {
    return IoResult::failed(
        Failure::of(FailureKind::TooLarge, what).withNumber(static_cast<std::int64_t>(limit)));
}

IoResult systemFailure(FailureKind kind, const std::string& path, int err) {
    return IoResult::failed(Failure::of(kind, path, err));
}

IoResult memoryFailure(const std::string& path) {
    return IoResult::failed(Failure::of(FailureKind::OutOfMemory, path));
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
                return tooLarge(name, limit);
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
            return systemFailure(FailureKind::CannotRead, name, err);
        }
        if (n == 0) break;
        total += static_cast<size_t>(n);
    }
    if (total > limit) {
        out.clear();
        return tooLarge(name, limit);
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
        return IoResult::failed(Failure::of(FailureKind::FolderInTheWay, path));
    }
    std::error_code ec;
    std::filesystem::create_directories(path, ec);
    if (ec) return systemFailure(FailureKind::CannotCreateFolder, path, ec.value());
    return {};
}

namespace {

// Opens a regular file for reading, refusing anything else without opening it.
IoResult openRegularFile(const std::string& path, std::uint64_t limit, int& fd, struct stat& st) {
    fd = -1;
    // Look before opening: opening a FIFO or a device can wait or have effects of its own.
    if (::stat(path.c_str(), &st) != 0) return systemFailure(FailureKind::CannotOpen, path, errno);
    if (!S_ISREG(st.st_mode)) return IoResult::failed(notRegularFile(path, st.st_mode));
    if (static_cast<std::uint64_t>(st.st_size) > limit) return tooLarge(path, limit);
    fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return systemFailure(FailureKind::CannotOpen, path, errno);
    // The name may have been swapped for something else in between.
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        fd = -1;
        return IoResult::failed(notRegularFile(path, st.st_mode));
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
        return memoryFailure(path);
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
                return systemFailure(FailureKind::CannotRead, path, err);
            }
            if (n == 0) break;
            total += static_cast<std::uint64_t>(n);
            if (total > limit) {
                ::close(fd);
                return tooLarge(path, limit);
            }
            take(std::string_view(buf.data(), static_cast<size_t>(n)));
        }
        ::close(fd);
        return {};
    } catch (const std::bad_alloc&) {
        if (fd >= 0) ::close(fd);
        return memoryFailure(path);
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
            if (left > limit) return tooLarge(name, limit);
            hint = left;
        }
        return readDescriptor(fd, name, out, limit, hint);
    } catch (const std::bad_alloc&) {
        out.clear();
        out.shrink_to_fit();
        return memoryFailure(name);
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
                return tooLarge(name, limit);
            }
            out.append(buf, n);
        }
        if (in.bad()) {
            out.clear();
            return systemFailure(FailureKind::CannotRead, name, EIO);
        }
        return {};
    } catch (const std::bad_alloc&) {
        out.clear();
        out.shrink_to_fit();
        return memoryFailure(name);
    }
}
}  // namespace sylvanode

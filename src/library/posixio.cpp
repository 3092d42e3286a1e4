#include "library/posixio.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace library::io {

OpenedFile openRegular(const std::filesystem::path& path, int flags, mode_t mode) {
    OpenedFile file;
    int fd = -1;
    do {
        fd = ::open(path.c_str(), flags | O_CLOEXEC | O_NOCTTY | O_NONBLOCK, mode);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        file.error = errno;
        return file;
    }
    UniqueFd owned(fd);
    if (::fstat(fd, &file.status) != 0) {
        file.error = errno;
        return file;
    }
    if (!S_ISREG(file.status.st_mode)) {
        file.notRegular = true;
        return file;
    }
    file.fd = std::move(owned);
    return file;
}

std::int64_t readAt(int fd, std::span<std::uint8_t> out, std::uint64_t offset, int& error) noexcept {
    std::size_t done = 0;
    while (done < out.size()) {
        const ssize_t n =
            ::pread(fd, out.data() + done, out.size() - done, static_cast<off_t>(offset + done));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            error = errno;
            return -1;
        }
        if (n == 0)
            break;
        done += static_cast<std::size_t>(n);
    }
    return static_cast<std::int64_t>(done);
}

bool writeAt(int fd, std::span<const std::uint8_t> data, std::uint64_t offset, int& error) noexcept {
    std::size_t done = 0;
    while (done < data.size()) {
        const ssize_t n =
            ::pwrite(fd, data.data() + done, data.size() - done, static_cast<off_t>(offset + done));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            error = errno;
            return false;
        }
        if (n == 0) {
            error = EIO;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

} // namespace library::io

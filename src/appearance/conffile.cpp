#include "appearance/conffile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace conf {

namespace {
std::string systemError(const char* what, int error) {
    return std::string(what) + ": " + std::strerror(error);
}

struct Fd {
    int fd = -1;
    explicit Fd(int f)
        : fd(f) {}
    ~Fd() {
        if (fd >= 0) {
            ::close(fd);
        }
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
};
} // namespace

FileContents readFile(const std::filesystem::path& path, std::size_t recordSize) {
    FileContents c;
    std::error_code ec;
    const auto status = std::filesystem::status(path, ec);
    if (ec || !std::filesystem::exists(status)) {
        return c;
    }
    c.exists = true;
    if (!std::filesystem::is_regular_file(status)) {
        c.error = "not a regular file";
        return c;
    }
    Fd file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (file.fd < 0) {
        c.error = systemError("cannot open", errno);
        return c;
    }
    struct stat st {};
    if (::fstat(file.fd, &st) != 0) {
        c.error = systemError("cannot read", errno);
        return c;
    }
    c.length = static_cast<std::uintmax_t>(st.st_size);
    c.bytes.resize(std::min<std::uintmax_t>(recordSize, c.length));
    std::size_t done = 0;
    while (done < c.bytes.size()) {
        const ssize_t n = ::read(file.fd, c.bytes.data() + done, c.bytes.size() - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            if (n < 0) {
                c.error = systemError("cannot read", errno);
            }
            break;
        }
        done += static_cast<std::size_t>(n);
    }
    c.bytes.resize(done);
    return c;
}

std::optional<std::string> replaceFile(const std::filesystem::path& path,
                                       const std::vector<std::uint8_t>& bytes) {
    const std::filesystem::path folder = path.parent_path().empty() ? "." : path.parent_path();
    std::string temp = (folder / ".tunnora-conf-XXXXXX").string();
    Fd file(::mkstemp(temp.data()));
    if (file.fd < 0) {
        return systemError("cannot create a file in the program folder", errno);
    }
    const auto fail = [&](const char* what) {
        const int error = errno;
        ::unlink(temp.c_str());
        return systemError(what, error);
    };
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(file.fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            if (n == 0) {
                errno = ENOSPC;
            }
            return fail("cannot write");
        }
        done += static_cast<std::size_t>(n);
    }
    ::fchmod(file.fd, 0644);
    if (::fsync(file.fd) != 0) {
        return fail("cannot write");
    }
    if (::rename(temp.c_str(), path.c_str()) != 0) {
        return fail("cannot replace the settings file");
    }
    return std::nullopt;
}

} // namespace conf

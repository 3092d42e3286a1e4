#include "library/recordfile.h"

#include "library/posixio.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace library {

RecordFile::RecordFile(UniqueFd fd, std::filesystem::path path, std::size_t recordSize, RecordFileMode mode)
    : m_fd(std::move(fd))
    , m_path(std::move(path))
    , m_recordSize(recordSize)
    , m_mode(mode) {}

FileError RecordFile::error(const char* action, int code, const char* detail) const {
    return FileError{m_path.string(), action, code, detail};
}

Result<RecordFile> RecordFile::open(const std::filesystem::path& path, std::size_t recordSize,
                                    RecordFileMode mode) {
    const auto fail = [&](int code, const char* detail = "") {
        return FileError{path.string(), "open", code, detail};
    };
    if (recordSize == 0)
        return fail(EINVAL);
    io::OpenedFile file;
    switch (mode) {
    case RecordFileMode::Load:
        file = io::openRegular(path, O_RDONLY);
        if (!file.ok() && !file.notRegular && file.error == ENOENT) {
            // A missing file is created empty, so the folder shows the database the station uses;
            // when the folder does not allow it, the file still loads as empty.
            io::OpenedFile created = io::openRegular(path, O_WRONLY | O_CREAT | O_EXCL);
            file = io::openRegular(path, O_RDONLY);
            if (!created.ok() && !file.ok())
                return RecordFile(UniqueFd(), path, recordSize, mode);
        }
        break;
    case RecordFileMode::Append:
        file = io::openRegular(path, O_RDWR | O_CREAT);
        break;
    case RecordFileMode::Update:
        file = io::openRegular(path, O_RDWR);
        break;
    }
    if (file.notRegular)
        return fail(0, "not a regular file");
    if (!file.ok())
        return fail(file.error);
    return RecordFile(std::move(file.fd), path, recordSize, mode);
}

Result<std::int64_t> RecordFile::count() const {
    const auto now = stamp();
    if (!now)
        return now.error();
    return static_cast<std::int64_t>(now->length / m_recordSize);
}

Result<FileStamp> RecordFile::stamp() const {
    if (!m_fd.valid())
        return FileStamp{};
    struct stat status {};
    if (::fstat(m_fd.get(), &status) != 0)
        return error("read", errno);
    return FileStamp{static_cast<std::uint64_t>(status.st_size), static_cast<std::uint64_t>(status.st_dev),
                     static_cast<std::uint64_t>(status.st_ino)};
}

std::optional<FileError> RecordFile::read(std::int64_t first, std::span<std::uint8_t> out) const {
    if (first < 1 || out.size() % m_recordSize != 0)
        return error("read", EINVAL);
    if (out.empty())
        return std::nullopt;
    if (!m_fd.valid())
        return error("read", 0, "no such record");
    int code = 0;
    const std::int64_t got =
        io::readAt(m_fd.get(), out, static_cast<std::uint64_t>(first - 1) * m_recordSize, code);
    if (got < 0)
        return error("read", code);
    if (static_cast<std::size_t>(got) != out.size())
        return error("read", 0, "no such record");
    return std::nullopt;
}

std::optional<FileError> RecordFile::write(std::int64_t number, std::span<const std::uint8_t> record) {
    if (m_mode == RecordFileMode::Load || !m_fd.valid())
        return error("write", EBADF);
    if (record.size() != m_recordSize)
        return error("write", EINVAL);
    struct stat status {};
    if (::fstat(m_fd.get(), &status) != 0)
        return error("write", errno);
    const auto length = static_cast<std::uint64_t>(status.st_size);
    const auto whole = static_cast<std::int64_t>(length / m_recordSize);
    const std::int64_t last = m_mode == RecordFileMode::Append ? whole + 1 : whole;
    if (number < 1 || number > last)
        return error("write", 0, "no such record");
    int code = 0;
    const std::uint64_t offset = static_cast<std::uint64_t>(number - 1) * m_recordSize;
    if (!io::writeAt(m_fd.get(), record, offset, code)) {
        if (offset + m_recordSize > length && ::ftruncate(m_fd.get(), static_cast<off_t>(length)) != 0) {
            // The partial record stays behind; the count rounds it away, so no reader sees it.
        }
        return error("write", code);
    }
    return std::nullopt;
}

std::optional<FileError> RecordFile::sync() {
    if (m_fd.valid() && ::fsync(m_fd.get()) != 0)
        return error("write", errno);
    return std::nullopt;
}

} // namespace library

#include "library/filesource.h"

#include "library/posixio.h"

#include <algorithm>
#include <cstring>
#include <fcntl.h>

namespace id3 {

FileSource::FileSource(library::UniqueFd fd, std::uint64_t size)
    : m_fd(std::move(fd))
    , m_size(size) {}

std::optional<FileSource> FileSource::open(const std::filesystem::path& path) {
    library::io::OpenedFile file = library::io::openRegular(path, O_RDONLY);
    if (!file.ok())
        return std::nullopt;
    return FileSource(std::move(file.fd), static_cast<std::uint64_t>(file.status.st_size));
}

std::size_t FileSource::readFile(std::uint64_t offset, std::span<std::uint8_t> out) {
    int error = 0;
    const std::int64_t n = library::io::readAt(m_fd.get(), out, offset, error);
    if (n <= 0)
        return 0;
    m_bytesRead += static_cast<std::uint64_t>(n);
    return static_cast<std::size_t>(n);
}

std::size_t FileSource::read(std::uint64_t offset, std::span<std::uint8_t> out) {
    if (offset >= m_size || out.empty())
        return 0;
    if (out.size() > kWindow)
        return readFile(offset, out);
    const bool inWindow = offset >= m_windowOffset && offset + out.size() <= m_windowOffset + m_window.size();
    if (!inWindow) {
        m_window.resize(static_cast<std::size_t>(std::min<std::uint64_t>(kWindow, m_size - offset)));
        m_window.resize(readFile(offset, m_window));
        m_windowOffset = offset;
    }
    const std::uint64_t windowEnd = m_windowOffset + m_window.size();
    const std::size_t n =
        offset < windowEnd ? static_cast<std::size_t>(std::min<std::uint64_t>(out.size(), windowEnd - offset))
                           : 0;
    if (n > 0)
        std::memcpy(out.data(), m_window.data() + (offset - m_windowOffset), n);
    return n;
}

} // namespace id3

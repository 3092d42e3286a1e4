#pragma once

#include "library/bytesource.h"
#include "library/uniquefd.h"

#include <filesystem>
#include <optional>
#include <vector>

namespace id3 {

// A regular file read through a small window, so that walking a tag's frame headers costs one
// read for all the frames that sit close together, and a large frame that is skipped (a cover
// picture) is never read at all. Counts the bytes it reads.
class FileSource final : public ByteSource {
public:
    // Opens a regular file for reading; anything else (missing, a folder, a FIFO) gives nothing,
    // and opening never blocks.
    [[nodiscard]] static std::optional<FileSource> open(const std::filesystem::path& path);

    [[nodiscard]] std::uint64_t size() const noexcept override { return m_size; }
    [[nodiscard]] std::size_t read(std::uint64_t offset, std::span<std::uint8_t> out) override;

    [[nodiscard]] std::uint64_t bytesRead() const noexcept { return m_bytesRead; }

private:
    FileSource(library::UniqueFd fd, std::uint64_t size);
    std::size_t readFile(std::uint64_t offset, std::span<std::uint8_t> out);

    static constexpr std::size_t kWindow = 8192;

    library::UniqueFd m_fd;
    std::uint64_t m_size = 0;
    std::vector<std::uint8_t> m_window;
    std::uint64_t m_windowOffset = 0;
    std::uint64_t m_bytesRead = 0;
};

} // namespace id3

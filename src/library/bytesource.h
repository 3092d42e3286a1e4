#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace id3 {

// Random access to the bytes of a file or of a buffer, for the tag readers.
class ByteSource {
public:
    virtual ~ByteSource() = default;

    [[nodiscard]] virtual std::uint64_t size() const noexcept = 0;

    // Copies the bytes from `offset` into `out`; returns how many, fewer at the end of the source
    // or when reading fails.
    [[nodiscard]] virtual std::size_t read(std::uint64_t offset, std::span<std::uint8_t> out) = 0;

    [[nodiscard]] bool readExact(std::uint64_t offset, std::span<std::uint8_t> out) {
        return read(offset, out) == out.size();
    }
};

} // namespace id3

#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace id3 {

// Sizes in ID3v2.4 (and the tag size of every version) are "syncsafe": 7 bits per byte, the top bit
// always clear, so that no size can look like an MPEG frame sync.
[[nodiscard]] constexpr bool isSyncSafe(std::span<const std::uint8_t, 4> b) noexcept {
    return ((b[0] | b[1] | b[2] | b[3]) & 0x80) == 0;
}

[[nodiscard]] constexpr std::uint32_t decodeSyncSafe(std::span<const std::uint8_t, 4> b) noexcept {
    return (std::uint32_t{b[0]} & 0x7F) << 21 | (std::uint32_t{b[1]} & 0x7F) << 14 |
           (std::uint32_t{b[2]} & 0x7F) << 7 | (std::uint32_t{b[3]} & 0x7F);
}

[[nodiscard]] constexpr std::array<std::uint8_t, 4> encodeSyncSafe(std::uint32_t value) noexcept {
    return {static_cast<std::uint8_t>((value >> 21) & 0x7F), static_cast<std::uint8_t>((value >> 14) & 0x7F),
            static_cast<std::uint8_t>((value >> 7) & 0x7F), static_cast<std::uint8_t>(value & 0x7F)};
}

[[nodiscard]] constexpr std::uint32_t decodeBigEndian(std::span<const std::uint8_t> b) noexcept {
    std::uint32_t value = 0;
    for (const std::uint8_t byte : b)
        value = value << 8 | byte;
    return value;
}

[[nodiscard]] constexpr std::array<std::uint8_t, 4> encodeBigEndian(std::uint32_t value) noexcept {
    return {static_cast<std::uint8_t>(value >> 24), static_cast<std::uint8_t>(value >> 16),
            static_cast<std::uint8_t>(value >> 8), static_cast<std::uint8_t>(value)};
}

// The ten bytes that open an ID3v2 tag.
struct Id3v2Header {
    static constexpr std::size_t kSize = 10;
    static constexpr std::uint8_t kUnsynchronisation = 0x80;
    static constexpr std::uint8_t kExtendedHeader = 0x40; // in version 2.2: compression
    static constexpr std::uint8_t kFooter = 0x10;

    enum class Status {
        Absent, // the bytes do not start with "ID3"
        Valid,
        UnsupportedVersion, // a version other than 2.2, 2.3 and 2.4
        BadSize,            // a size byte with its top bit set
    };

    Status status = Status::Absent;
    std::uint8_t major = 0;
    std::uint8_t revision = 0;
    std::uint8_t flags = 0;
    std::uint32_t size = 0; // the bytes after the header, without a footer

    [[nodiscard]] static Id3v2Header parse(std::span<const std::uint8_t, kSize> bytes) noexcept;

    [[nodiscard]] bool valid() const noexcept { return status == Status::Valid; }
    [[nodiscard]] bool unsynchronised() const noexcept { return (flags & kUnsynchronisation) != 0; }
    [[nodiscard]] bool hasExtendedHeader() const noexcept {
        return major >= 3 && (flags & kExtendedHeader) != 0;
    }
    [[nodiscard]] bool compressed() const noexcept { return major == 2 && (flags & kExtendedHeader) != 0; }
    [[nodiscard]] bool hasFooter() const noexcept { return major == 4 && (flags & kFooter) != 0; }

    // The bytes the whole tag takes at the start of the file: header, body and footer.
    [[nodiscard]] std::uint64_t totalSize() const noexcept {
        return kSize + std::uint64_t{size} + (hasFooter() ? kSize : 0);
    }
};

} // namespace id3

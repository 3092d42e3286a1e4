#pragma once

#include "library/bytesource.h"
#include "library/id3v2header.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace id3 {

// Where one frame sits in its tag.
struct FrameHeader {
    std::array<char, 4> id{}; // a version 2.2 id has three characters
    std::size_t idLength = 4;
    std::uint32_t size = 0; // the bytes after the frame header
    std::uint16_t flags = 0;
    std::uint64_t offset = 0; // of the frame header in the source
    std::size_t headerSize = 10;

    [[nodiscard]] std::string_view name() const noexcept { return {id.data(), idLength}; }
    [[nodiscard]] std::uint64_t dataOffset() const noexcept { return offset + headerSize; }
    [[nodiscard]] std::uint64_t end() const noexcept { return dataOffset() + size; }
};

// Walks the frames of a tag body in order, by their real sizes. It reads only the frame headers;
// the caller reads the data of the frames it wants and the walker moves past the others. The walk
// stops at the end, at the padding (a zero byte where a frame id would start), or at the first
// thing that is not a frame: a bad id, or a size that runs past the end.
class FrameWalker {
public:
    enum class Stop { None, End, Padding, Malformed };

    FrameWalker(ByteSource& source, std::uint64_t begin, std::uint64_t end, std::uint8_t major) noexcept;

    [[nodiscard]] std::optional<FrameHeader> next();
    [[nodiscard]] Stop stop() const noexcept { return m_stop; }

private:
    [[nodiscard]] bool frameIdAt(std::uint64_t offset);
    [[nodiscard]] bool paddingOrEndAt(std::uint64_t offset);
    [[nodiscard]] std::uint32_t version4Size(std::span<const std::uint8_t, 4> sizeBytes,
                                             std::uint64_t dataOffset);

    ByteSource& m_source;
    std::uint64_t m_position;
    std::uint64_t m_end;
    std::uint8_t m_major;
    Stop m_stop = Stop::None;
};

[[nodiscard]] bool isFrameId(std::span<const std::uint8_t> id) noexcept;

// Where the first frame starts: after the extended header when the tag has one. Nothing when the
// extended header runs past the end of the tag.
[[nodiscard]] std::optional<std::uint64_t> framesBegin(ByteSource& source, const Id3v2Header& header,
                                                       std::uint64_t bodyBegin, std::uint64_t end);

// Undoes the unsynchronisation scheme in place (every 0xFF 0x00 pair loses its 0x00) and returns the
// length of what is left. A stream undone piece by piece carries `afterFF` from one piece to the next:
// it says that the piece before ended in a 0xFF, whose 0x00 may start this one.
[[nodiscard]] std::size_t removeUnsynchronisation(std::span<std::uint8_t> bytes, bool& afterFF) noexcept;

// The same for a whole buffer, which shrinks to what is left.
void removeUnsynchronisation(std::vector<std::uint8_t>& bytes) noexcept;

// Applies it: a 0x00 goes after every 0xFF that is followed by 0x00 or a byte of 0xE0 and above, or
// that ends the data.
[[nodiscard]] std::vector<std::uint8_t> applyUnsynchronisation(std::span<const std::uint8_t> bytes);

// The frame's content with its format flags undone (group byte, data length indicator and
// unsynchronisation removed); nothing when it is compressed or encrypted.
[[nodiscard]] std::optional<std::vector<std::uint8_t>>
frameContent(const FrameHeader& frame, std::span<const std::uint8_t> data, const Id3v2Header& header);

} // namespace id3

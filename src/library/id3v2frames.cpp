#include "library/id3v2frames.h"

#include <algorithm>
#include <cstring>

namespace id3 {

namespace {
// Frame format flags, in the second flag byte.
constexpr std::uint8_t kV3Compression = 0x80;
constexpr std::uint8_t kV3Encryption = 0x40;
constexpr std::uint8_t kV3Grouping = 0x20;
constexpr std::uint8_t kV4Grouping = 0x40;
constexpr std::uint8_t kV4Compression = 0x08;
constexpr std::uint8_t kV4Encryption = 0x04;
constexpr std::uint8_t kV4Unsynchronisation = 0x02;
constexpr std::uint8_t kV4DataLength = 0x01;
} // namespace

bool isFrameId(std::span<const std::uint8_t> id) noexcept {
    return !id.empty() && std::all_of(id.begin(), id.end(), [](std::uint8_t c) {
        return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
    });
}

FrameWalker::FrameWalker(ByteSource& source, std::uint64_t begin, std::uint64_t end,
                         std::uint8_t major) noexcept
    : m_source(source)
    , m_position(begin)
    , m_end(std::min(end, source.size()))
    , m_major(major) {
    if (m_position > m_end)
        m_position = m_end;
}

bool FrameWalker::frameIdAt(std::uint64_t offset) {
    std::array<std::uint8_t, 4> id{};
    return offset + id.size() <= m_end && m_source.readExact(offset, id) && isFrameId(id);
}

bool FrameWalker::paddingOrEndAt(std::uint64_t offset) {
    std::array<std::uint8_t, 1> first{};
    return offset == m_end || (offset < m_end && m_source.readExact(offset, first) && first[0] == 0);
}

std::uint32_t FrameWalker::version4Size(std::span<const std::uint8_t, 4> sizeBytes,
                                        std::uint64_t dataOffset) {
    // Some writers stored plain 32-bit sizes in version 2.4 tags. Take the plain size when the
    // syncsafe reading cannot be right, or when it leads nowhere while the plain one leads to a frame.
    const std::uint32_t plain = decodeBigEndian(sizeBytes);
    if (!isSyncSafe(sizeBytes))
        return plain;
    const std::uint32_t syncSafe = decodeSyncSafe(sizeBytes);
    if (syncSafe < 0x80 || frameIdAt(dataOffset + syncSafe) || paddingOrEndAt(dataOffset + syncSafe))
        return syncSafe;
    return frameIdAt(dataOffset + plain) ? plain : syncSafe;
}

std::optional<FrameHeader> FrameWalker::next() {
    if (m_stop != Stop::None)
        return std::nullopt;
    FrameHeader frame;
    frame.offset = m_position;
    frame.idLength = m_major == 2 ? 3 : 4;
    frame.headerSize = m_major == 2 ? 6 : 10;
    if (m_position == m_end) {
        m_stop = Stop::End;
        return std::nullopt;
    }
    std::array<std::uint8_t, 10> bytes{};
    const std::uint64_t left = m_end - m_position;
    if (left < frame.headerSize) {
        const std::span<std::uint8_t> rest(bytes.data(), static_cast<std::size_t>(left));
        const bool zeros = m_source.readExact(m_position, rest) &&
                           std::all_of(rest.begin(), rest.end(), [](std::uint8_t b) { return b == 0; });
        m_stop = zeros ? Stop::Padding : Stop::Malformed;
        return std::nullopt;
    }
    const std::span<std::uint8_t> head(bytes.data(), frame.headerSize);
    if (!m_source.readExact(m_position, head)) {
        m_stop = Stop::Malformed;
        return std::nullopt;
    }
    if (bytes[0] == 0) {
        m_stop = Stop::Padding;
        return std::nullopt;
    }
    if (!isFrameId(head.first(frame.idLength))) {
        m_stop = Stop::Malformed;
        return std::nullopt;
    }
    std::copy_n(bytes.begin(), frame.idLength, frame.id.begin());
    if (m_major == 2) {
        frame.size = decodeBigEndian(head.subspan(3, 3));
    } else {
        const std::span<const std::uint8_t, 4> sizeBytes(bytes.data() + 4, 4);
        frame.size = m_major == 4 ? version4Size(sizeBytes, frame.dataOffset()) : decodeBigEndian(sizeBytes);
        frame.flags = static_cast<std::uint16_t>(bytes[8] << 8 | bytes[9]);
    }
    if (frame.size > m_end - frame.dataOffset()) {
        m_stop = Stop::Malformed;
        return std::nullopt;
    }
    m_position = frame.end();
    return frame;
}

std::optional<std::uint64_t> framesBegin(ByteSource& source, const Id3v2Header& header,
                                         std::uint64_t bodyBegin, std::uint64_t end) {
    if (!header.hasExtendedHeader())
        return bodyBegin;
    std::array<std::uint8_t, 4> sizeBytes{};
    if (bodyBegin + 4 > end || !source.readExact(bodyBegin, sizeBytes))
        return std::nullopt;
    if (header.major == 3) {
        // Some writers set the flag without writing an extended header: the first frame follows.
        if (isFrameId(sizeBytes))
            return bodyBegin;
        const std::uint64_t size = decodeBigEndian(sizeBytes); // excludes its own four bytes
        if (size > end - bodyBegin - 4)
            return std::nullopt;
        return bodyBegin + 4 + size;
    }
    if (!isSyncSafe(sizeBytes))
        return std::nullopt;
    const std::uint64_t size = decodeSyncSafe(sizeBytes); // includes its own four bytes
    if (size < 6 || size > end - bodyBegin)
        return std::nullopt;
    return bodyBegin + size;
}

std::size_t removeUnsynchronisation(std::span<std::uint8_t> bytes, bool& afterFF) noexcept {
    if (bytes.empty())
        return 0;
    std::uint8_t* const data = bytes.data();
    const std::size_t size = bytes.size();
    std::size_t read = afterFF && data[0] == 0x00 ? 1 : 0;
    std::size_t kept = 0;
    afterFF = false;
    while (read < size) {
        // Everything up to and including the next 0xFF stays; a 0x00 right behind it goes.
        const auto* ff = static_cast<const std::uint8_t*>(std::memchr(data + read, 0xFF, size - read));
        const std::size_t stop = ff ? static_cast<std::size_t>(ff - data) + 1 : size;
        if (kept != read)
            std::memmove(data + kept, data + read, stop - read);
        kept += stop - read;
        read = stop;
        if (!ff)
            break;
        if (read == size)
            afterFF = true;
        else if (data[read] == 0x00)
            ++read;
    }
    return kept;
}

void removeUnsynchronisation(std::vector<std::uint8_t>& bytes) noexcept {
    bool afterFF = false;
    bytes.resize(removeUnsynchronisation(bytes, afterFF));
}

std::vector<std::uint8_t> applyUnsynchronisation(std::span<const std::uint8_t> bytes) {
    std::vector<std::uint8_t> out;
    out.reserve(bytes.size() + bytes.size() / 16);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        out.push_back(bytes[i]);
        if (bytes[i] == 0xFF && (i + 1 == bytes.size() || bytes[i + 1] == 0x00 || bytes[i + 1] >= 0xE0))
            out.push_back(0x00);
    }
    return out;
}

std::optional<std::vector<std::uint8_t>>
frameContent(const FrameHeader& frame, std::span<const std::uint8_t> data, const Id3v2Header& header) {
    const auto formatFlags = static_cast<std::uint8_t>(frame.flags & 0xFF);
    std::size_t skip = 0;
    bool unsynchronised = false;
    if (header.major == 3) {
        if (formatFlags & (kV3Compression | kV3Encryption))
            return std::nullopt;
        skip = (formatFlags & kV3Grouping) ? 1 : 0;
    } else if (header.major == 4) {
        if (formatFlags & (kV4Compression | kV4Encryption))
            return std::nullopt;
        skip = ((formatFlags & kV4Grouping) ? 1 : 0) + ((formatFlags & kV4DataLength) ? 4 : 0);
        unsynchronised = (formatFlags & kV4Unsynchronisation) || header.unsynchronised();
    }
    if (skip > data.size())
        return std::nullopt;
    data = data.subspan(skip);
    std::vector<std::uint8_t> content(data.begin(), data.end());
    if (unsynchronised)
        removeUnsynchronisation(content);
    return content;
}

} // namespace id3

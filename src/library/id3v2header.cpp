#include "library/id3v2header.h"

namespace id3 {

Id3v2Header Id3v2Header::parse(std::span<const std::uint8_t, kSize> bytes) noexcept {
    Id3v2Header h;
    if (bytes[0] != 'I' || bytes[1] != 'D' || bytes[2] != '3')
        return h;
    h.major = bytes[3];
    h.revision = bytes[4];
    h.flags = bytes[5];
    const auto sizeBytes = bytes.subspan<6, 4>();
    if (h.major < 2 || h.major > 4 || h.revision == 0xFF) {
        h.status = Status::UnsupportedVersion;
        return h;
    }
    if (!isSyncSafe(sizeBytes)) {
        h.status = Status::BadSize;
        return h;
    }
    h.size = decodeSyncSafe(sizeBytes);
    h.status = Status::Valid;
    return h;
}

} // namespace id3

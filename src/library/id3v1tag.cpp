#include "library/id3v1tag.h"

#include "library/windows1252.h"

#include <algorithm>
#include <cstring>
#include <string_view>

namespace id3 {

namespace {
struct Field {
    std::size_t offset;
    std::size_t width;
};
constexpr Field kTitle{3, 30};
constexpr Field kArtist{33, 30};
constexpr Field kAlbum{63, 30};
constexpr Field kYear{93, 4};
constexpr Field kComment{97, 30};
constexpr std::size_t kCommentWidthV11 = 28;
constexpr std::size_t kTrackMarker = 125;
constexpr std::size_t kTrack = 126;
constexpr std::size_t kGenre = 127;

std::string readField(std::span<const std::uint8_t> bytes, Field field) {
    const auto* begin = reinterpret_cast<const char*>(bytes.data() + field.offset);
    const std::string_view all(begin, field.width);
    return text::decodeWindows1252(all.substr(0, all.find('\0')));
}

void writeField(std::span<std::uint8_t> bytes, std::size_t offset, std::size_t width,
                const std::string& utf8) {
    const std::string encoded = text::encodeWindows1252(utf8);
    std::memcpy(bytes.data() + offset, encoded.data(), std::min(width, encoded.size()));
}
} // namespace

std::optional<Id3v1Tag> Id3v1Tag::parse(std::span<const std::uint8_t, kSize> bytes) {
    if (bytes[0] != 'T' || bytes[1] != 'A' || bytes[2] != 'G')
        return std::nullopt;
    Id3v1Tag tag;
    tag.title = readField(bytes, kTitle);
    tag.artist = readField(bytes, kArtist);
    tag.album = readField(bytes, kAlbum);
    tag.year = readField(bytes, kYear);
    const bool version11 = bytes[kTrackMarker] == 0;
    tag.comment = readField(bytes, version11 ? Field{kComment.offset, kCommentWidthV11} : kComment);
    tag.track = version11 ? bytes[kTrack] : 0;
    tag.genre = bytes[kGenre];
    return tag;
}

std::array<std::uint8_t, Id3v1Tag::kSize> Id3v1Tag::render() const {
    std::array<std::uint8_t, kSize> bytes{};
    bytes[0] = 'T';
    bytes[1] = 'A';
    bytes[2] = 'G';
    writeField(bytes, kTitle.offset, kTitle.width, title);
    writeField(bytes, kArtist.offset, kArtist.width, artist);
    writeField(bytes, kAlbum.offset, kAlbum.width, album);
    writeField(bytes, kYear.offset, kYear.width, year);
    writeField(bytes, kComment.offset, kCommentWidthV11, comment);
    bytes[kTrack] = track;
    bytes[kGenre] = genre;
    return bytes;
}

} // namespace id3

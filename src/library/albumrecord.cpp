#include "library/albumrecord.h"

namespace library {

using text::fieldOf;

AlbumRecord AlbumRecord::decode(std::span<const std::uint8_t, kSize> bytes) {
    AlbumRecord r;
    r.storedNumber = text::readNumberField(fieldOf(bytes, Layout::kRecordNumber));
    r.artist = text::readTextField(fieldOf(bytes, Layout::kArtist));
    r.album = text::readTextField(fieldOf(bytes, Layout::kAlbum));
    r.location = text::readPathField(fieldOf(bytes, Layout::kLocation));
    return r;
}

bool AlbumRecord::encode(std::int64_t /*number*/, std::span<std::uint8_t, kSize> out,
                         const AlbumRecord* unchanged) const noexcept {
    const bool keepPath = unchanged && unchanged->location == location;
    if (!keepPath && !text::pathFits(location, kPathWidth))
        return false;
    text::writeNumberField(fieldOf(out, Layout::kRecordNumber), 0);
    if (!unchanged || unchanged->artist != artist)
        text::writeTextField(fieldOf(out, Layout::kArtist), artist);
    if (!unchanged || unchanged->album != album)
        text::writeTextField(fieldOf(out, Layout::kAlbum), album);
    if (!keepPath)
        (void)text::writePathField(fieldOf(out, Layout::kLocation), location);
    return true;
}

} // namespace library

#include "library/songrecord.h"

#include "library/tagvalues.h"

namespace library {

using text::fieldOf;

SongRecord SongRecord::decode(std::span<const std::uint8_t, kSize> bytes) {
    SongRecord r;
    r.storedNumber = text::readNumberField(fieldOf(bytes, Layout::kRecordNumber));
    r.albumBy = text::readTextField(fieldOf(bytes, Layout::kAlbumBy));
    r.artist = text::readTextField(fieldOf(bytes, Layout::kArtist));
    r.title = text::readTextField(fieldOf(bytes, Layout::kTitle));
    r.album = text::readTextField(fieldOf(bytes, Layout::kAlbum));
    r.track = text::readTextField(fieldOf(bytes, Layout::kTrack));
    r.year = text::readTextField(fieldOf(bytes, Layout::kYear));
    r.genre = text::readTextField(fieldOf(bytes, Layout::kGenre));
    r.comments = text::readTextField(fieldOf(bytes, Layout::kComments));
    r.fileLocation = text::readPathField(fieldOf(bytes, Layout::kFileLocation));
    r.playedTimes = text::readTextField(fieldOf(bytes, Layout::kPlayedTimes));
    return r;
}

bool SongRecord::encode(std::int64_t number, std::span<std::uint8_t, kSize> out,
                        const SongRecord* unchanged) const noexcept {
    const bool keepPath = unchanged && unchanged->fileLocation == fileLocation;
    if (!keepPath && !text::pathFits(fileLocation, kPathWidth))
        return false;
    const auto put = [&](text::Field where, const std::string SongRecord::*field) {
        if (!unchanged || unchanged->*field != this->*field)
            text::writeTextField(fieldOf(out, where), this->*field);
    };
    text::writeNumberField(fieldOf(out, Layout::kRecordNumber), static_cast<std::uint16_t>(number & 0xFFFF));
    put(Layout::kAlbumBy, &SongRecord::albumBy);
    put(Layout::kArtist, &SongRecord::artist);
    put(Layout::kTitle, &SongRecord::title);
    put(Layout::kAlbum, &SongRecord::album);
    put(Layout::kTrack, &SongRecord::track);
    put(Layout::kYear, &SongRecord::year);
    put(Layout::kGenre, &SongRecord::genre);
    put(Layout::kComments, &SongRecord::comments);
    if (!keepPath)
        (void)text::writePathField(fieldOf(out, Layout::kFileLocation), fileLocation);
    put(Layout::kPlayedTimes, &SongRecord::playedTimes);
    return true;
}

SongRecord songRecordFrom(const id3::TagValues& values, std::string_view path) {
    SongRecord r;
    r.artist = values.artist;
    r.title = values.title;
    r.album = values.album;
    r.track = values.track;
    r.year = values.year;
    r.genre = values.genre;
    r.comments = values.comment;
    r.fileLocation = path;
    return r;
}

} // namespace library

#include "library/groupentries.h"

#include "library/albumrecord.h"
#include "library/recordstore.h"
#include "library/songrecord.h"

#include <algorithm>

namespace library {

std::filesystem::path DatabaseFiles::scanMark() const {
    return songs.parent_path() / "Scan.mld";
}

StoreResult writeAlbumArtist(const std::filesystem::path& songs, const ScannedSong& first,
                             const std::string& albumArtist) {
    auto store = RecordStore<SongRecord>::openForUpdate(songs);
    if (!store)
        return {StoreStatus::FileFailed, first.record, store.error()};
    return store->update(first.record, first.location, [&](SongRecord& song) { song.albumBy = albumArtist; });
}

std::optional<std::string> appendEntries(const std::filesystem::path& file,
                                         std::span<const GroupEntry> entries) {
    if (entries.empty())
        return std::nullopt;
    auto store = RecordStore<AlbumRecord>::openForAppend(file);
    if (!store)
        return store.error().message();
    AlbumRecord record;
    for (const GroupEntry& entry : entries) {
        record.artist = entry.artist;
        record.album = entry.album;
        record.location = entry.location;
        const StoreResult written = store->append(record);
        if (!written.ok())
            return written.message();
    }
    return std::nullopt;
}

std::optional<std::string> writeGroupEntries(const DatabaseFiles& files, std::span<const ScannedSong> songs,
                                             const SongGroup& group, std::size_t albumsThere,
                                             std::size_t artistsThere) {
    if (songs.empty() || group.albums.empty())
        return std::nullopt;
    const StoreResult updated = writeAlbumArtist(files.songs, songs.front(), group.albums.front().artist);
    if (!updated.ok())
        return updated.message();
    const auto missing = [](const std::vector<GroupEntry>& entries, std::size_t there) {
        return std::span(entries).subspan(std::min(there, entries.size()));
    };
    if (auto failure = appendEntries(files.albums, missing(group.albums, albumsThere)))
        return failure;
    return appendEntries(files.artists, missing(group.artists, artistsThere));
}

} // namespace library

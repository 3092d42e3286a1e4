#pragma once

#include "library/textfield.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace library {

// One entry of "Album.mld" or "Artist.mld" (both files share the layout), a 511-byte record.
struct AlbumRecord {
    static constexpr std::size_t kSize = 511;
    struct Layout {
        static constexpr text::Field kRecordNumber{0, 2};
        static constexpr text::Field kArtist{2, 128};
        static constexpr text::Field kAlbum{130, 125};
        static constexpr text::Field kLocation{255, 256};
    };
    static_assert(Layout::kLocation.end() == kSize);

    // The number field as found in the file; the writers always store 0 here.
    std::int16_t storedNumber = 0;
    std::string artist;
    std::string album;
    std::string location; // the path of the first song of the group, its own bytes

    [[nodiscard]] static AlbumRecord decode(std::span<const std::uint8_t, kSize> bytes);

    // Writes the entry; the number field is always 0 whatever the entry's position. A field equal
    // to the same field of `unchanged` keeps the bytes already in `out`. Returns false and leaves
    // `out` untouched when the path cannot be stored.
    [[nodiscard]] bool encode(std::int64_t number, std::span<std::uint8_t, kSize> out,
                              const AlbumRecord* unchanged = nullptr) const noexcept;

    [[nodiscard]] std::string_view path() const noexcept { return location; }
    static constexpr std::size_t kPathWidth = Layout::kLocation.width;

    bool operator==(const AlbumRecord&) const = default;
};

} // namespace library

#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace library {

inline constexpr std::size_t kGenreCount = 149;
inline constexpr std::uint8_t kNoGenre = 255;

// The genre names by ID3v1 genre number, 0 to 148: the names the genre box lists and that name a
// genre byte read from a tag.
[[nodiscard]] const std::array<std::string_view, kGenreCount>& genreNames() noexcept;

// The second list of names that turns a genre text back into its number; it spells 13 of the names
// differently (for example "Trip-Hop" where the genre box says "Trip Hop").
[[nodiscard]] const std::array<std::string_view, kGenreCount>& genreLookupNames() noexcept;

// The name of a genre byte, or nothing for 149 to 255.
[[nodiscard]] std::optional<std::string_view> genreName(int number) noexcept;

// The genre byte for a genre text: the first exact match in the genre names, then in the lookup
// list, then the first match ignoring letter case in the same order; 255 when nothing matches.
[[nodiscard]] std::uint8_t genreNumber(std::string_view name) noexcept;

} // namespace library

#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>

struct PlaybackState;

// The plain rules of playback that need no window: the time text, the random row draw and how the
// playlist positions follow a removed row.
namespace player {

// Whole seconds split into minutes (rounded towards zero) and the seconds left; a rest of -1 (no
// song) is 0.
struct MinutesSeconds {
    std::int32_t minutes = 0;
    std::int32_t seconds = 0;
};
[[nodiscard]] MinutesSeconds splitTime(std::int32_t seconds) noexcept;

// Whole seconds as the time labels show them: minutes with at least two digits, a colon and two digits
// of seconds; -1 (no song) shows "00:00", 75 shows "01:15", 6000 shows "100:00".
[[nodiscard]] std::string timeText(std::int32_t seconds);

// A row drawn at random from 1..count, each allowed row equally likely, leaving out the rows in
// `excluded` (0 and rows past the count leave out nothing). `draw(max)` gives a whole number from 0 to
// max. When no row is allowed the draw is not made and `fallback` is the row.
[[nodiscard]] std::int32_t randomRow(std::int32_t count, std::initializer_list<std::int32_t> excluded,
                                     std::int32_t fallback,
                                     const std::function<std::int32_t(std::int32_t)>& draw);

// The row after `row` in playlist order: 1 after the last row, and 1 when there is no row yet.
[[nodiscard]] std::int32_t rowAfter(std::int32_t row, std::int32_t count) noexcept;

// Row `removed` left the playlist: the playing, next and last-started rows below it move up with their
// songs, so that the queue goes on with the same songs.
void followRemovedRow(PlaybackState& state, std::int32_t removed) noexcept;

// The number a record-number cell stands for: its leading digits ("000042" is 42); a cell without
// them ("None", for a file that has no record) is 0.
[[nodiscard]] std::int32_t recordNumberOf(std::string_view cell) noexcept;

} // namespace player

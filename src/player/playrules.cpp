#include "player/playrules.h"

#include "app/form1state.h"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace player {

MinutesSeconds splitTime(std::int32_t seconds) noexcept {
    const std::int32_t minutes = seconds / 60;
    const std::int32_t rest = seconds - minutes * 60;
    return {minutes, rest == -1 ? 0 : rest};
}

std::string timeText(std::int32_t seconds) {
    const MinutesSeconds t = splitTime(seconds);
    char text[32];
    std::snprintf(text, sizeof text, "%02d:%02d", static_cast<int>(t.minutes), static_cast<int>(t.seconds));
    return text;
}

std::int32_t randomRow(std::int32_t count, std::initializer_list<std::int32_t> excluded,
                       std::int32_t fallback, const std::function<std::int32_t(std::int32_t)>& draw) {
    std::vector<std::int32_t> left;
    for (const std::int32_t row : excluded) {
        if (row >= 1 && row <= count && std::find(left.begin(), left.end(), row) == left.end()) {
            left.push_back(row);
        }
    }
    const std::int32_t allowed = count - static_cast<std::int32_t>(left.size());
    if (allowed <= 0) {
        return fallback;
    }
    // The k-th allowed row: step over every left-out row at or before it.
    const std::int32_t k = std::clamp<std::int32_t>(draw(allowed - 1), 0, allowed - 1);
    std::sort(left.begin(), left.end());
    std::int32_t row = k + 1;
    for (const std::int32_t out : left) {
        if (out <= row) {
            ++row;
        }
    }
    return row;
}

std::int32_t rowAfter(std::int32_t row, std::int32_t count) noexcept {
    return row >= 1 && row < count ? row + 1 : 1;
}

void followRemovedRow(PlaybackState& state, std::int32_t removed) noexcept {
    for (std::int32_t* row : {&state.CurrentIndex, &state.NextIndex, &state.LastPlayedIndex}) {
        if (*row > removed) {
            --*row;
        }
    }
}

std::int32_t recordNumberOf(std::string_view cell) noexcept {
    std::size_t i = cell.find_first_not_of(' ');
    std::int64_t value = 0;
    for (; i < cell.size() && cell[i] >= '0' && cell[i] <= '9'; ++i) {
        value = std::min<std::int64_t>(value * 10 + (cell[i] - '0'), INT32_MAX);
    }
    return static_cast<std::int32_t>(value);
}

} // namespace player

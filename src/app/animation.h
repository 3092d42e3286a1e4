#pragma once

#include <functional>

namespace tk {
class Control;
}

// The moves of the pages and doors. A move assigns every position of its sequence in order; the
// toolkit's frame step shows them within about half a second, skipping frames, never positions, and
// lets nothing else run in between.

// How many positions from, from + step, from + 2 step, ... do not pass `to` (0 when `from` already has).
[[nodiscard]] int positionCount(float from, float to, float step);

// Runs place(0), place(1), ... place(count - 1) as one animation.
void animate(int count, const std::function<void(int)>& place);

// Slides `page`'s Top from `from` towards `to` by `step`, stopping at the last position that does not
// pass `to`; `follower`'s Top takes every position too.
void slideTop(tk::Control& page, tk::Control& follower, float from, float to, float step);

#pragma once

#include "platform/picture.h"

#include <QColor>

namespace controls::builtin {

// The station's own pictures for the two controls, drawn in code so they need no files. Slider
// pictures use white as their transparent colour (the new slider's default pictures use none); each
// call hands out a picture object of its own.

// What a new slider holds: a 30 × 5 track, a 30 × 5 left fill and a 6 × 17 pointer.
tk::Picture newSliderTrack();
tk::Picture newSliderLeftFill();
tk::Picture newSliderPointer();

struct SliderLook {
    tk::Picture track;
    tk::Picture leftFill;
    tk::Picture pointer;
};
// The volume slider: a 220 × 10 track and an 18 × 34 pointer (a 238 × 34 control).
SliderLook volumeSliderLook();
// The song-position slider: a 218 × 8 track and a 16 × 32 pointer (a 234 × 32 control).
SliderLook positionSliderLook();

// The wheel's masks: black where the face is cut away, transparent where the wheel shade shows.
tk::Picture wheelHorizontalMask(); // 43 × 12
tk::Picture wheelVerticalMask();   // 12 × 43
// The vertical wheel's strip: column f is frame f (9 × 43).
tk::Picture wheelVerticalStrip();
// The vertical wheel's slot (28 × 59) and its arrows (28 × 21 each).
tk::Picture wheelVerticalSlot();
tk::Picture wheelUpArrow();
tk::Picture wheelDownArrow();

// The brightness pattern of the wheel's rim at frame `frame` (0 to 8), `position` pixels along a
// face of `length` pixels: ridges that move one pixel-step per frame and repeat every nine frames.
QRgb wheelRimPixel(int frame, int position, int length);

} // namespace controls::builtin

#pragma once

#include "platform/propertybag.h"

class QWidget;

namespace controls {

class SliderPic;
class Wheel;

// The sliders and the wheel as the station's windows hold them: their stored properties and their
// design positions (twips from the top left of their container).

// Element `index` (0 the volume slider, 1 the song-position slider) of the main window's `SliderPic1`:
// Min 1, Max 100, CurPosition 50, transparent with white as the mask colour, left fill on.
tk::PropertyBag sliderPic1Properties(int index);
// Creates that element on `parent` (named "SliderPic1" with its index) at its design position:
// Top 210, Left 5880 for the volume slider; Top 3180, Left 5955 for the song-position slider.
SliderPic* createSliderPic1(QWidget* parent, int index);

// The options dialog's sample slider `index` (0 volume, 1 song position) on its Sliders page, named
// "SliderPic1" with its index, at Left 945 and Top 1080 or 2475; same look and properties.
SliderPic* createSampleSlider(QWidget* parent, int index);

// The main window's `Wheel1`: Max 1, everything else at its defaults (horizontal, with buttons,
// 1515 × 420 twips), tooltip "Turn Wheel To Select".
tk::PropertyBag wheel1Properties();
// Creates it on `parent` at Top 10350, Left 13110. Throws RuntimeError 53 (or 481) when one of the
// wheel's pictures in Skin/Wheel is missing (or unreadable); the wheel is then left undrawn.
Wheel* createWheel1(QWidget* parent);

} // namespace controls

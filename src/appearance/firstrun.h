#pragma once

#include "appearance/confrecord.h"

// The station's default layout: the design-time places, fonts and colours of both windows, as a first
// run stores them and as the loader falls back to for a field it cannot use.
conf::Settings firstRunSettings();

// The screen password of a first run.
inline constexpr const char* kDefaultScreenPassword = "Kestrum";

#pragma once

#include <cstdint>

class QColor;

namespace tk {

// A colour as the station stores it: 32 bits with red in the low byte (0x0000FF is pure red).
// Values with the high bit set name a system colour by its index in the low byte.
using OleColor = std::uint32_t;

constexpr OleColor rgb(int red, int green, int blue) {
    return static_cast<OleColor>(red & 0xFF) | (static_cast<OleColor>(green & 0xFF) << 8) |
           (static_cast<OleColor>(blue & 0xFF) << 16);
}

inline constexpr OleColor kSystemColorFlag = 0x80000000u;
inline constexpr OleColor kSysWindow = 0x80000005u;
inline constexpr OleColor kSysWindowText = 0x80000008u;
inline constexpr OleColor kSysButtonFace = 0x8000000Fu;
inline constexpr OleColor kSysButtonText = 0x80000012u;
inline constexpr OleColor kSysHighlight = 0x8000000Du;
inline constexpr OleColor kSysHighlightText = 0x8000000Eu;

constexpr bool isSystemColor(OleColor c) {
    return (c & 0xFF000000u) == kSystemColorFlag;
}
// A colour the station can store and show: an RGB value or a known system colour.
bool isValidColor(std::int64_t value);

// The one place where stored colours become screen colours.
QColor toQColor(OleColor color);
// A screen colour as a stored RGB value (system colours are never produced).
OleColor fromQColor(const QColor& color);

} // namespace tk

#include "platform/color.h"

#include <QColor>

#include <array>

namespace tk {

namespace {
// Classic defaults for the system colours, indexed by the low byte.
constexpr std::array<OleColor, 25> kSystemDefaults = {
    rgb(200, 200, 200), // 0 scroll bars
    rgb(0, 128, 128),   // 1 desktop
    rgb(0, 0, 128),     // 2 active title
    rgb(128, 128, 128), // 3 inactive title
    rgb(192, 192, 192), // 4 menu bar
    rgb(255, 255, 255), // 5 window background
    rgb(0, 0, 0),       // 6 window frame
    rgb(0, 0, 0),       // 7 menu text
    rgb(0, 0, 0),       // 8 window text
    rgb(255, 255, 255), // 9 active title text
    rgb(192, 192, 192), // 10 active border
    rgb(192, 192, 192), // 11 inactive border
    rgb(128, 128, 128), // 12 application workspace
    rgb(0, 0, 128),     // 13 highlight
    rgb(255, 255, 255), // 14 highlight text
    rgb(192, 192, 192), // 15 button face
    rgb(128, 128, 128), // 16 button shadow
    rgb(128, 128, 128), // 17 grey text
    rgb(0, 0, 0),       // 18 button text
    rgb(192, 192, 192), // 19 inactive title text
    rgb(255, 255, 255), // 20 button highlight
    rgb(64, 64, 64),    // 21 3D dark shadow
    rgb(223, 223, 223), // 22 3D light
    rgb(0, 0, 0),       // 23 tooltip text
    rgb(255, 255, 225), // 24 tooltip background
};
} // namespace

bool isValidColor(std::int64_t value) {
    if (value < 0) {
        value += 0x100000000LL; // a negative stored number is a system colour
    }
    if (value < 0 || value > 0xFFFFFFFFLL) {
        return false;
    }
    const auto c = static_cast<OleColor>(value);
    if (isSystemColor(c)) {
        return (c & 0xFFu) < kSystemDefaults.size() && (c & 0x00FFFF00u) == 0;
    }
    return c <= 0xFFFFFFu;
}

QColor toQColor(OleColor color) {
    if (isSystemColor(color)) {
        const auto index = color & 0xFFu;
        color = index < kSystemDefaults.size() ? kSystemDefaults[index] : rgb(0, 0, 0);
    }
    return QColor(static_cast<int>(color & 0xFFu), static_cast<int>((color >> 8) & 0xFFu),
                  static_cast<int>((color >> 16) & 0xFFu));
}

OleColor fromQColor(const QColor& color) {
    return rgb(color.red(), color.green(), color.blue());
}

} // namespace tk

#pragma once

#include <string>

class QFont;

namespace tk {

// A font as the station's layout describes it: face name as given (rendering substitutes a
// metric-compatible face when the name is not installed), size in points, weight and italic.
struct FontSpec {
    std::string name = "MS Sans Serif";
    float size = 8.25f;
    int weight = 400; // 300 light, 400 normal, 600 semi-bold, 700 bold
    bool italic = false;

    bool bold() const { return weight >= 600; }
    void setBold(bool on) { weight = on ? 700 : 400; }
    friend bool operator==(const FontSpec&, const FontSpec&) = default;
};

// The design pixel size of a point size on the station's 96-dots-per-inch design screen.
int designPixelSize(float points);
// The font at `scale` device pixels per design pixel.
QFont toQFont(const FontSpec& spec, double scale);
// Registers the substitutes for the face names the station's layouts use.
void installFontSubstitutes();

} // namespace tk

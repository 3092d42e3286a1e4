#pragma once

#include "testruntime.h"

#include <QColor>
#include <QImage>
#include <QString>

#include <filesystem>

namespace testing_support {

// Colours of the wheel pictures the tests write, so a test can tell which picture (and which frame
// of the strip) shows at a pixel.
inline constexpr QRgb kLeftArrowColour = 0xFF20A040;
inline constexpr QRgb kRightArrowColour = 0xFF4020A0;
inline constexpr QRgb kSlotColour = 0xFF906030;
inline QRgb stripColour(int frame) {
    return qRgb(20 + frame * 20, 60, 200 - frame * 10);
}

// Writes the four wheel pictures of the skin into `<program folder>/Skin/Wheel`: the arrows 21 × 28,
// the slot 59 × 28 and the nine-frame strip 43 × 9, each frame a row of its own colour.
inline void writeWheelSkin(const std::filesystem::path& programFolder) {
    const auto folder = programFolder / "Skin" / "Wheel";
    std::filesystem::create_directories(folder);
    auto save = [&](const QImage& image, const char* name) {
        image.save(QString::fromStdString((folder / name).string()), "BMP");
    };
    QImage left(21, 28, QImage::Format_RGB32);
    left.fill(kLeftArrowColour);
    save(left, "LeftArrw.bmp");
    QImage right(21, 28, QImage::Format_RGB32);
    right.fill(kRightArrowColour);
    save(right, "RghtArrw.bmp");
    QImage slot(59, 28, QImage::Format_RGB32);
    slot.fill(kSlotColour);
    save(slot, "WHBack.bmp");
    QImage strip(43, 9, QImage::Format_RGB32);
    for (int frame = 0; frame < 9; ++frame) {
        for (int x = 0; x < 43; ++x) {
            strip.setPixel(x, frame, stripColour(frame));
        }
    }
    save(strip, "WH.bmp");
}

} // namespace testing_support

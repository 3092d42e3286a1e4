#include "controls/builtinpictures.h"

#include <QImage>

#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>
#include <numbers>

namespace controls::builtin {

namespace {

constexpr QRgb kWhite = 0xFFFFFFFFu; // the sliders' transparent colour
constexpr QRgb kClear = 0x00000000u; // a transparent pixel of a wheel mask

QRgb mix(QRgb a, QRgb b, double t) {
    t = std::clamp(t, 0.0, 1.0);
    auto channel = [t](int x, int y) { return static_cast<int>(std::lround(x + (y - x) * t)); };
    return qRgb(channel(qRed(a), qRed(b)), channel(qGreen(a), qGreen(b)), channel(qBlue(a), qBlue(b)));
}

// Scales a colour's brightness, never reaching pure white (the transparent colour).
QRgb shade(QRgb c, double factor) {
    auto channel = [factor](int x) { return std::clamp(static_cast<int>(std::lround(x * factor)), 0, 250); };
    return qRgb(channel(qRed(c)), channel(qGreen(c)), channel(qBlue(c)));
}

bool insideRounded(int x, int y, int w, int h, int r) {
    if (x < 0 || y < 0 || x >= w || y >= h) {
        return false;
    }
    const int cx = std::clamp(x, r, w - 1 - r);
    const int cy = std::clamp(y, r, h - 1 - r);
    const int dx = x - cx;
    const int dy = y - cy;
    return dx * dx + dy * dy <= r * r + r;
}

// A rounded shape on `background`: a one-pixel border and an inside coloured by `inside(x, y)`.
QImage roundedShape(int w, int h, int r, QRgb background, QRgb border,
                    const std::function<QRgb(int, int)>& inside,
                    QImage::Format format = QImage::Format_RGB32) {
    QImage image(w, h, format);
    image.fill(background);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            if (!insideRounded(x, y, w, h, r)) {
                continue;
            }
            const bool edge = !insideRounded(x - 1, y, w, h, r) || !insideRounded(x + 1, y, w, h, r) ||
                              !insideRounded(x, y - 1, w, h, r) || !insideRounded(x, y + 1, w, h, r);
            image.setPixel(x, y, edge ? border : inside(x, y));
        }
    }
    return image;
}

tk::Picture picture(const std::shared_ptr<const QImage>& image) {
    return tk::Picture(image);
}

std::shared_ptr<const QImage> keep(QImage image) {
    return std::make_shared<const QImage>(std::move(image));
}

QImage groove(int w, int h) {
    return roundedShape(w, h, h / 3, kWhite, qRgb(42, 49, 64), [h](int, int y) {
        return y <= 1 ? qRgb(16, 20, 28) : mix(qRgb(29, 36, 48), qRgb(40, 48, 62), double(y) / h);
    });
}

QImage fillStrip(int w, int h, QRgb from, QRgb middle, QRgb to) {
    return roundedShape(w, h, h / 3, kWhite, qRgb(42, 49, 64), [=](int x, int y) {
        const double t = double(x) / (w - 1);
        const QRgb base = t < 0.5 ? mix(from, middle, t * 2) : mix(middle, to, t * 2 - 1);
        return y <= 2 ? shade(base, 1.25) : shade(base, 1.0 - 0.06 * (y - 2));
    });
}

QImage knob(int w, int h) {
    QImage image = roundedShape(w - 2, h, 4, kWhite, qRgb(27, 31, 39), [h](int, int y) {
        return mix(qRgb(232, 235, 240), qRgb(140, 148, 160), double(y) / (h - 1));
    });
    // Centred in a picture one pixel wider on each side, with three grip lines across the middle.
    QImage out(w, h, QImage::Format_RGB32);
    out.fill(kWhite);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w - 2; ++x) {
            out.setPixel(x + 1, y, image.pixel(x, y));
        }
    }
    for (int line = -1; line <= 1; ++line) {
        const int y = h / 2 + line * 3;
        for (int x = 5; x < w - 5; ++x) {
            out.setPixel(x, y, qRgb(96, 104, 116));
        }
    }
    return out;
}

QImage plate(int w, int h) {
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            QRgb c = qRgb(140, 146, 156);
            if (x == 0 || y == 0) {
                c = qRgb(200, 204, 210);
            } else if (x == w - 1 || y == h - 1) {
                c = qRgb(74, 79, 88);
            }
            image.setPixel(x, y, c);
        }
    }
    return image;
}

QImage arrow(bool up) {
    constexpr int w = 28;
    constexpr int h = 21;
    QImage image = plate(w, h);
    // A triangle six rows high, pointing up or down, centred.
    for (int row = 0; row < 6; ++row) {
        const int y = up ? 7 + row : 13 - row;
        for (int x = w / 2 - 1 - row; x <= w / 2 + row; ++x) {
            image.setPixel(x, y, qRgb(43, 47, 54));
        }
    }
    return image;
}

// A wheel mask: black outside the rounded outline of the face, clear inside.
QImage cutCorners(int w, int h) {
    QImage image(w, h, QImage::Format_ARGB32);
    image.fill(kClear);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            if (!insideRounded(x, y, w, h, 2)) {
                image.setPixel(x, y, qRgb(0, 0, 0));
            }
        }
    }
    return image;
}

} // namespace

tk::Picture newSliderTrack() {
    static const auto image = [] {
        QImage i(30, 5, QImage::Format_RGB32);
        i.fill(qRgb(128, 128, 128));
        for (int x = 0; x < 30; ++x) {
            i.setPixel(x, 0, qRgb(64, 64, 64));
            i.setPixel(x, 4, qRgb(255, 255, 255));
        }
        return keep(i);
    }();
    return picture(image);
}

tk::Picture newSliderLeftFill() {
    static const auto image = [] {
        QImage i(30, 5, QImage::Format_RGB32);
        i.fill(qRgb(0, 0, 128));
        return keep(i);
    }();
    return picture(image);
}

tk::Picture newSliderPointer() {
    static const auto image = [] {
        QImage i(6, 17, QImage::Format_RGB32);
        i.fill(qRgb(0, 0, 0));
        for (int y = 1; y < 16; ++y) {
            for (int x = 1; x < 5; ++x) {
                i.setPixel(x, y, qRgb(224, 224, 224));
            }
        }
        return keep(i);
    }();
    return picture(image);
}

SliderLook volumeSliderLook() {
    static const auto track = keep(groove(220, 10));
    static const auto fill =
        keep(fillStrip(220, 10, qRgb(46, 204, 113), qRgb(241, 196, 15), qRgb(231, 76, 60)));
    static const auto pointer = keep(knob(18, 34));
    return {picture(track), picture(fill), picture(pointer)};
}

SliderLook positionSliderLook() {
    static const auto track = keep(groove(218, 8));
    static const auto fill =
        keep(fillStrip(218, 8, qRgb(52, 152, 219), qRgb(72, 126, 214), qRgb(155, 89, 182)));
    static const auto pointer = keep(knob(16, 32));
    return {picture(track), picture(fill), picture(pointer)};
}

QRgb wheelRimPixel(int frame, int position, int length) {
    constexpr double kRidges = 16.0; // ridges round the whole rim
    constexpr double kStep = 2 * std::numbers::pi / kRidges;
    const double u = (position + 0.5) / length * 2 - 1; // -1 .. 1 across the visible half
    const double angle = std::asin(std::clamp(u, -1.0, 1.0));
    const double phase = angle / kStep - frame / 9.0;
    const double inRidge = phase - std::floor(phase);
    const double light = 0.35 + 0.65 * std::cos(angle);
    const QRgb base = inRidge < 0.3 ? qRgb(70, 76, 88) : qRgb(196, 202, 214);
    return shade(base, light);
}

tk::Picture wheelHorizontalMask() {
    static const auto image = keep(cutCorners(43, 12));
    return picture(image);
}

tk::Picture wheelVerticalMask() {
    static const auto image = keep(cutCorners(12, 43));
    return picture(image);
}

tk::Picture wheelVerticalStrip() {
    static const auto image = [] {
        QImage i(9, 43, QImage::Format_RGB32);
        for (int frame = 0; frame < 9; ++frame) {
            for (int y = 0; y < 43; ++y) {
                i.setPixel(frame, y, wheelRimPixel(frame, y, 43));
            }
        }
        return keep(i);
    }();
    return picture(image);
}

tk::Picture wheelVerticalSlot() {
    static const auto image = [] {
        QImage i = plate(28, 59);
        for (int y = 7; y <= 51; ++y) {
            for (int x = 7; x <= 20; ++x) {
                i.setPixel(x, y, qRgb(26, 29, 34));
            }
        }
        return keep(i);
    }();
    return picture(image);
}

tk::Picture wheelUpArrow() {
    static const auto image = keep(arrow(true));
    return picture(image);
}

tk::Picture wheelDownArrow() {
    static const auto image = keep(arrow(false));
    return picture(image);
}

} // namespace controls::builtin

#pragma once

#include "platform/color.h"

#include <QImage>
#include <QRect>

namespace tk::raster {

// Drawing surfaces are 32-bit images without alpha; every operation below works on them pixel for
// pixel, clips to both images and leaves pixels outside the overlapping part untouched.
inline constexpr QImage::Format kSurfaceFormat = QImage::Format_RGB32;

// Raster operations of a blit or a pen: the result of combining a source pixel s with the destination
// pixel d.
enum class Rop {
    Copy, // s
    And,  // d & s ("mask" pen)
    Or,   // d | s ("merge" pen)
    Xor,  // d ^ s
};

// Colour conversions between the stored form (red in the low byte) and the surface's pixels.
[[nodiscard]] constexpr QRgb toPixel(OleColor color) {
    return 0xFF000000u | ((color & 0xFFu) << 16) | (color & 0xFF00u) | ((color >> 16) & 0xFFu);
}
[[nodiscard]] constexpr OleColor fromPixel(QRgb pixel) {
    return ((pixel >> 16) & 0xFFu) | (pixel & 0xFF00u) | ((pixel & 0xFFu) << 16);
}
// A stored colour as plain RGB: system colours become the colour they stand for.
[[nodiscard]] OleColor resolve(OleColor color);

// A surface of the given size filled with one colour.
[[nodiscard]] QImage surface(int width, int height, OleColor fill);
// Any picture as a surface (a null picture stays null).
[[nodiscard]] QImage toSurface(const QImage& picture);

// Combines the source rectangle (sx, sy, width, height) into the destination at (dx, dy).
void blit(QImage& dest, int dx, int dy, int width, int height, const QImage& src, int sx, int sy,
          Rop rop = Rop::Copy);
// Copies `srcRect` of the source onto `destRect`, stretched or shrunk by taking the nearest source pixel.
void stretchBlit(QImage& dest, const QRect& destRect, const QImage& src, const QRect& srcRect);
// Combines a solid colour into a rectangle of the surface.
void fill(QImage& dest, const QRect& rect, OleColor color, Rop rop = Rop::Copy);

// The colour of one pixel, or kInvalidPixel outside the surface.
inline constexpr OleColor kInvalidPixel = 0xFFFFFFFFu;
[[nodiscard]] OleColor pixel(const QImage& surface, int x, int y);
// Sets one pixel; outside the surface nothing happens.
void setPixel(QImage& surface, int x, int y, OleColor color);

} // namespace tk::raster

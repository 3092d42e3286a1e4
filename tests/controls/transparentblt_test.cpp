#include "controls/transparentblt.h"
#include "platform/raster.h"

#include <QImage>

#include <gtest/gtest.h>

using controls::TransparentBlt;
namespace raster = tk::raster;

namespace {

constexpr tk::OleColor kWhite = 0xFFFFFF;
constexpr tk::OleColor kBackground = tk::rgb(10, 20, 30);

// A source whose pixels are given row by row as stored colours.
QImage sourceOf(std::initializer_list<std::initializer_list<tk::OleColor>> rows) {
    const int h = static_cast<int>(rows.size());
    const int w = static_cast<int>(rows.begin()->size());
    QImage image = raster::surface(w, h, 0);
    int y = 0;
    for (const auto& row : rows) {
        int x = 0;
        for (tk::OleColor c : row) {
            raster::setPixel(image, x++, y, c);
        }
        ++y;
    }
    return image;
}

} // namespace

TEST(Raster, StoredColoursKeepRedInTheLowByte) {
    EXPECT_EQ(raster::toPixel(0x0000FF), qRgb(255, 0, 0));
    EXPECT_EQ(raster::toPixel(0xFF0000), qRgb(0, 0, 255));
    EXPECT_EQ(raster::fromPixel(qRgb(1, 2, 3)), tk::rgb(1, 2, 3));
    QImage s = raster::surface(2, 1, 0x0000FF);
    EXPECT_EQ(s.pixel(0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(raster::pixel(s, 1, 0), 0x0000FFu);
    EXPECT_EQ(raster::pixel(s, 2, 0), raster::kInvalidPixel);
    // System colours are drawn as the colour they stand for.
    EXPECT_EQ(raster::resolve(tk::kSysWindow), 0xFFFFFFu);
}

TEST(Raster, PensAndBlitsCombineBitwiseAndClipToBothImages) {
    QImage dest = raster::surface(4, 2, tk::rgb(0xF0, 0x0F, 0x55));
    raster::fill(dest, QRect(0, 0, 1, 1), tk::rgb(0x3C, 0xFF, 0x00), raster::Rop::And);
    raster::fill(dest, QRect(1, 0, 1, 1), tk::rgb(0x0F, 0x80, 0x80), raster::Rop::Or);
    EXPECT_EQ(raster::pixel(dest, 0, 0), tk::rgb(0x30, 0x0F, 0x00));
    EXPECT_EQ(raster::pixel(dest, 1, 0), tk::rgb(0xFF, 0x8F, 0xD5));

    // A blit hanging over the left and bottom edges draws only the overlapping pixels.
    const QImage src = raster::surface(3, 3, tk::rgb(1, 1, 1));
    raster::blit(dest, -1, 1, 3, 3, src, 0, 0);
    EXPECT_EQ(raster::pixel(dest, 0, 1), tk::rgb(1, 1, 1));
    EXPECT_EQ(raster::pixel(dest, 1, 1), tk::rgb(1, 1, 1));
    EXPECT_EQ(raster::pixel(dest, 2, 1), tk::rgb(0xF0, 0x0F, 0x55));
}

TEST(Raster, StretchTakesTheNearestSourcePixel) {
    // One row of a strip stretched onto twelve rows, and two columns onto four.
    const QImage strip = sourceOf({{0x000001, 0x000002}, {0x000003, 0x000004}});
    QImage dest = raster::surface(4, 12, 0);
    raster::stretchBlit(dest, QRect(0, 0, 4, 12), strip, QRect(0, 1, 2, 1));
    for (int y = 0; y < 12; ++y) {
        EXPECT_EQ(raster::pixel(dest, 0, y), 0x000003u);
        EXPECT_EQ(raster::pixel(dest, 1, y), 0x000003u);
        EXPECT_EQ(raster::pixel(dest, 2, y), 0x000004u);
        EXPECT_EQ(raster::pixel(dest, 3, y), 0x000004u);
    }
}

TEST(TransparentBlt, DrawsEveryPixelExceptTheTransparentColour) {
    const tk::OleColor nearWhite = 0xFEFFFF; // one step away from the key: drawn
    const QImage src = sourceOf({{kWhite, 0x123456, nearWhite}, {0x0000FF, kWhite, 0xFF0000}});
    QImage dest = raster::surface(5, 4, kBackground);
    TransparentBlt(dest, 1, 1, 3, 2, src, 0, 0, kWhite);

    const tk::OleColor expected[4][5] = {
        {kBackground, kBackground, kBackground, kBackground, kBackground},
        {kBackground, kBackground, 0x123456, nearWhite, kBackground},
        {kBackground, 0x0000FF, kBackground, 0xFF0000, kBackground},
        {kBackground, kBackground, kBackground, kBackground, kBackground},
    };
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 5; ++x) {
            EXPECT_EQ(raster::pixel(dest, x, y), expected[y][x]) << x << "," << y;
        }
    }
}

TEST(TransparentBlt, ARectangleReachingPastThePictureCopiesOnlyTheOverlapAndAnEmptyOneNothing) {
    const QImage src = sourceOf({{0x000001, 0x000002}, {0x000003, 0x000004}});
    QImage dest = raster::surface(4, 4, kBackground);
    // From (1, 1) a 3 × 3 rectangle: only the source's bottom-right pixel exists.
    TransparentBlt(dest, 0, 0, 3, 3, src, 1, 1, kWhite);
    EXPECT_EQ(raster::pixel(dest, 0, 0), 0x000004u);
    EXPECT_EQ(raster::pixel(dest, 1, 0), kBackground);
    EXPECT_EQ(raster::pixel(dest, 0, 1), kBackground);
    // A negative source origin shifts the drawn part right and down.
    QImage dest2 = raster::surface(4, 4, kBackground);
    TransparentBlt(dest2, 0, 0, 3, 3, src, -1, -1, kWhite);
    EXPECT_EQ(raster::pixel(dest2, 0, 0), kBackground);
    EXPECT_EQ(raster::pixel(dest2, 1, 1), 0x000001u);
    EXPECT_EQ(raster::pixel(dest2, 2, 2), 0x000004u);
    EXPECT_EQ(raster::pixel(dest2, 3, 3), kBackground);

    // A source of only the key, or an empty rectangle, leaves the destination.
    QImage dest3 = raster::surface(6, 6, kBackground);
    const QImage before = dest3.copy();
    TransparentBlt(dest3, 0, 0, 6, 6, raster::surface(6, 6, 0x0000FF), 0, 0, 0x0000FF);
    TransparentBlt(dest3, 0, 0, 0, 6, raster::surface(6, 6, 0x123456), 0, 0, 0x0000FF);
    TransparentBlt(dest3, 0, 0, 6, 0, raster::surface(6, 6, 0x123456), 0, 0, 0x0000FF);
    EXPECT_EQ(dest3, before);
}

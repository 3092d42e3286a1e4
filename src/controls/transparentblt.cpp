#include "controls/transparentblt.h"

#include "platform/raster.h"

#include <QImage>
#include <QRect>

namespace controls {

using tk::raster::Rop;

void TransparentBlt(QImage& dest, int destX, int destY, int width, int height, const QImage& src, int srcX,
                    int srcY, tk::OleColor transparentColor) {
    if (width <= 0 || height <= 0 || dest.isNull() || src.isNull()) {
        return;
    }
    // Only the part of the source rectangle inside the picture is drawn, at its own place.
    const QRect wanted(srcX, srcY, width, height);
    const QRect part = wanted.intersected(src.rect());
    if (part.isEmpty()) {
        return;
    }
    destX += part.x() - srcX;
    destY += part.y() - srcY;
    srcX = part.x();
    srcY = part.y();
    width = part.width();
    height = part.height();
    const QImage source = tk::raster::toSurface(src);

    // The mask: white where the source has the transparent colour, black elsewhere.
    const QRgb key = tk::raster::toPixel(tk::raster::resolve(transparentColor));
    QImage mask(width, height, tk::raster::kSurfaceFormat);
    for (int y = 0; y < height; ++y) {
        const auto* s = reinterpret_cast<const QRgb*>(source.constScanLine(srcY + y)) + srcX;
        auto* m = reinterpret_cast<QRgb*>(mask.scanLine(y));
        for (int x = 0; x < width; ++x) {
            m[x] = (s[x] | 0xFF000000u) == key ? 0xFFFFFFFFu : 0xFF000000u;
        }
    }

    // Where the mask is white the two exclusive-ors cancel and the destination stays; where it is
    // black the and clears the destination and the second exclusive-or leaves the source pixel.
    tk::raster::blit(dest, destX, destY, width, height, source, srcX, srcY, Rop::Xor);
    tk::raster::blit(dest, destX, destY, width, height, mask, 0, 0, Rop::And);
    tk::raster::blit(dest, destX, destY, width, height, source, srcX, srcY, Rop::Xor);
}

} // namespace controls

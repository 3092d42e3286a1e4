#include "platform/raster.h"

#include <QColor>

#include <algorithm>

namespace tk::raster {

namespace {

// Shrinks a blit to the part that lies inside both images; false when nothing is left.
bool clip(const QImage& dest, const QImage& src, int& dx, int& dy, int& w, int& h, int& sx, int& sy) {
    if (dx < 0) {
        sx -= dx;
        w += dx;
        dx = 0;
    }
    if (dy < 0) {
        sy -= dy;
        h += dy;
        dy = 0;
    }
    if (sx < 0) {
        dx -= sx;
        w += sx;
        sx = 0;
    }
    if (sy < 0) {
        dy -= sy;
        h += sy;
        sy = 0;
    }
    w = std::min({w, dest.width() - dx, src.width() - sx});
    h = std::min({h, dest.height() - dy, src.height() - sy});
    return w > 0 && h > 0;
}

inline QRgb combine(QRgb d, QRgb s, Rop rop) {
    switch (rop) {
    case Rop::Copy:
        return s;
    case Rop::And:
        return d & s;
    case Rop::Or:
        return d | s;
    case Rop::Xor:
        return (d ^ s) | 0xFF000000u;
    }
    return s;
}

template <Rop R>
void blitRows(QImage& dest, int dx, int dy, int w, int h, const QImage& src, int sx, int sy) {
    for (int row = 0; row < h; ++row) {
        auto* d = reinterpret_cast<QRgb*>(dest.scanLine(dy + row)) + dx;
        const auto* s = reinterpret_cast<const QRgb*>(src.constScanLine(sy + row)) + sx;
        if constexpr (R == Rop::Copy) {
            std::copy(s, s + w, d);
        } else {
            for (int i = 0; i < w; ++i) {
                d[i] = combine(d[i], s[i], R);
            }
        }
    }
}

} // namespace

OleColor resolve(OleColor color) {
    return isSystemColor(color) ? fromQColor(toQColor(color)) : (color & 0xFFFFFFu);
}

QImage surface(int width, int height, OleColor fill) {
    QImage image(std::max(0, width), std::max(0, height), kSurfaceFormat);
    image.fill(toPixel(resolve(fill)));
    return image;
}

QImage toSurface(const QImage& picture) {
    if (picture.isNull() || picture.format() == kSurfaceFormat) {
        return picture;
    }
    if (picture.hasAlphaChannel()) {
        // Transparent parts of a picture show as black, as they would through a plain copy.
        QImage out(picture.size(), kSurfaceFormat);
        out.fill(Qt::black);
        for (int y = 0; y < picture.height(); ++y) {
            for (int x = 0; x < picture.width(); ++x) {
                const QRgb p = picture.pixel(x, y);
                if (qAlpha(p) != 0) {
                    out.setPixel(x, y, p | 0xFF000000u);
                }
            }
        }
        return out;
    }
    return picture.convertToFormat(kSurfaceFormat);
}

void blit(QImage& dest, int dx, int dy, int width, int height, const QImage& src, int sx, int sy, Rop rop) {
    if (dest.isNull() || src.isNull() || dest.format() != kSurfaceFormat) {
        return;
    }
    const QImage source = src.format() == kSurfaceFormat ? src : toSurface(src);
    if (!clip(dest, source, dx, dy, width, height, sx, sy)) {
        return;
    }
    switch (rop) {
    case Rop::Copy:
        blitRows<Rop::Copy>(dest, dx, dy, width, height, source, sx, sy);
        break;
    case Rop::And:
        blitRows<Rop::And>(dest, dx, dy, width, height, source, sx, sy);
        break;
    case Rop::Or:
        blitRows<Rop::Or>(dest, dx, dy, width, height, source, sx, sy);
        break;
    case Rop::Xor:
        blitRows<Rop::Xor>(dest, dx, dy, width, height, source, sx, sy);
        break;
    }
}

void stretchBlit(QImage& dest, const QRect& destRect, const QImage& src, const QRect& srcRect) {
    if (dest.isNull() || src.isNull() || destRect.isEmpty() || srcRect.isEmpty() ||
        dest.format() != kSurfaceFormat) {
        return;
    }
    const QImage source = src.format() == kSurfaceFormat ? src : toSurface(src);
    const QRect target = destRect.intersected(dest.rect());
    const QRect sourceArea = source.rect();
    for (int y = target.top(); y <= target.bottom(); ++y) {
        const int sy = srcRect.top() + static_cast<int>(static_cast<long long>(y - destRect.top()) *
                                                        srcRect.height() / destRect.height());
        if (sy < sourceArea.top() || sy > sourceArea.bottom()) {
            continue;
        }
        auto* d = reinterpret_cast<QRgb*>(dest.scanLine(y));
        const auto* s = reinterpret_cast<const QRgb*>(source.constScanLine(sy));
        for (int x = target.left(); x <= target.right(); ++x) {
            const int sx = srcRect.left() + static_cast<int>(static_cast<long long>(x - destRect.left()) *
                                                             srcRect.width() / destRect.width());
            if (sx >= sourceArea.left() && sx <= sourceArea.right()) {
                d[x] = s[sx];
            }
        }
    }
}

void fill(QImage& dest, const QRect& rect, OleColor color, Rop rop) {
    if (dest.isNull() || dest.format() != kSurfaceFormat) {
        return;
    }
    const QRect area = rect.intersected(dest.rect());
    const QRgb c = toPixel(resolve(color));
    for (int y = area.top(); y <= area.bottom(); ++y) {
        auto* d = reinterpret_cast<QRgb*>(dest.scanLine(y));
        for (int x = area.left(); x <= area.right(); ++x) {
            d[x] = combine(d[x], c, rop);
        }
    }
}

OleColor pixel(const QImage& surface, int x, int y) {
    if (!surface.valid(x, y)) {
        return kInvalidPixel;
    }
    return fromPixel(surface.pixel(x, y));
}

void setPixel(QImage& surface, int x, int y, OleColor color) {
    if (surface.valid(x, y)) {
        surface.setPixel(x, y, toPixel(resolve(color)));
    }
}

} // namespace tk::raster

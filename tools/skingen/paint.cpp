#include "paint.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <algorithm>
#include <cctype>

namespace skin::paint {

namespace {

constexpr double kPixelsPerTwip = 1.0 / layout::kTwipsPerPixel;

// A small deterministic generator for textures, so that every build draws the same pictures.
struct Lcg {
    quint32 state;
    quint32 next() {
        state = state * 1664525u + 1013904223u;
        return state >> 8;
    }
    int below(int n) { return static_cast<int>(next() % static_cast<quint32>(n)); }
};

QColor withAlpha(QColor c, int alpha) {
    c.setAlpha(alpha);
    return c;
}

} // namespace

std::string lowerCase(std::string_view s) {
    std::string out(s);
    std::transform(out.begin(), out.end(), out.begin(), [](unsigned char c) { return std::tolower(c); });
    return out;
}

QRectF px(const layout::Rect& twips) {
    return px(twips.left, twips.top, twips.width, twips.height);
}

QRectF px(int left, int top, int width, int height) {
    return {left * kPixelsPerTwip, top * kPixelsPerTwip, width * kPixelsPerTwip, height * kPixelsPerTwip};
}

QRectF place(std::string_view name, int index) {
    const layout::Element* e = layout::findForm1(name, index);
    return e ? px(e->rect) : QRectF();
}

QFont uiFont(double pixelSize, bool bold) {
    QFont f(QStringLiteral("Liberation Sans"));
    f.setStyleHint(QFont::SansSerif);
    f.setPixelSize(std::max(6, static_cast<int>(pixelSize + 0.5)));
    f.setBold(bold);
    f.setHintingPreference(QFont::PreferFullHinting);
    return f;
}

void text(QPainter& p, const QRectF& r, const QString& s, const QColor& c, double pixelSize,
          Qt::Alignment align, bool bold) {
    QFont f = uiFont(pixelSize, bold);
    for (int size = f.pixelSize(); size > 6; --size) {
        f.setPixelSize(size);
        if (QFontMetricsF(f).horizontalAdvance(s) <= r.width()) {
            break;
        }
    }
    p.save();
    p.setFont(f);
    p.setPen(c);
    p.drawText(r, static_cast<int>(align), s);
    p.restore();
}

void caption(QPainter& p, const QRectF& r, const QString& s, Qt::Alignment align, const QColor& c,
             double pixelSize) {
    QFont f = uiFont(pixelSize, true);
    f.setLetterSpacing(QFont::AbsoluteSpacing, 1.0);
    f.setCapitalization(QFont::AllUppercase);
    while (f.pixelSize() > 7 && QFontMetricsF(f).horizontalAdvance(s) > r.width()) {
        f.setPixelSize(f.pixelSize() - 1);
    }
    p.save();
    p.setFont(f);
    p.setPen(c);
    p.drawText(r, static_cast<int>(align), s);
    p.restore();
}

void body(QPainter& p, const QRectF& r, quint32 seed) {
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0.0, kBodyTop);
    g.setColorAt(1.0, kBodyBottom);
    p.fillRect(r, g);
    // Brushed metal: every row a shade lighter or darker, in short streaks.
    Lcg rng{seed};
    p.save();
    for (int y = static_cast<int>(r.top()); y < static_cast<int>(r.bottom()); ++y) {
        double x = r.left();
        while (x < r.right()) {
            const double length = 20 + rng.below(120);
            const int alpha = rng.below(9);
            const QColor c = rng.below(2) ? QColor(255, 255, 255, alpha) : QColor(0, 0, 0, alpha + 4);
            p.fillRect(QRectF(x, y, std::min(length, r.right() - x), 1), c);
            x += length;
        }
    }
    p.restore();
}

void page(QPainter& p, const QRectF& r, const QString& title, double band) {
    body(p, r, static_cast<quint32>(r.width() * 131 + r.height()));
    if (band > 0) {
        const QRectF bar(r.left(), r.top(), r.width(), band);
        QLinearGradient g(bar.topLeft(), bar.bottomLeft());
        g.setColorAt(0.0, kBand.lighter(115));
        g.setColorAt(1.0, kBand);
        p.fillRect(bar, g);
        p.fillRect(QRectF(bar.left(), bar.bottom() - 2, bar.width(), 1), kAccentDim);
        p.fillRect(QRectF(bar.left(), bar.bottom() - 1, bar.width(), 1), kEdgeDark);
        QRectF t = bar.adjusted(14, 0, -14, -2);
        caption(p, t, title, Qt::AlignLeft | Qt::AlignVCenter, kAccent, std::min(15.0, band * 0.55));
    }
    p.save();
    p.setPen(QPen(kEdgeLight, 1));
    p.drawLine(QPointF(r.left() + 0.5, r.bottom() - 0.5), QPointF(r.left() + 0.5, r.top() + 0.5));
    p.drawLine(QPointF(r.left() + 0.5, r.top() + 0.5), QPointF(r.right() - 0.5, r.top() + 0.5));
    p.setPen(QPen(kEdgeDark, 1));
    p.drawLine(QPointF(r.right() - 0.5, r.top() + 0.5), QPointF(r.right() - 0.5, r.bottom() - 0.5));
    p.drawLine(QPointF(r.right() - 0.5, r.bottom() - 0.5), QPointF(r.left() + 0.5, r.bottom() - 0.5));
    p.restore();
}

void well(QPainter& p, const QRectF& control) {
    const QRectF outer = control.adjusted(-3, -3, 3, 3);
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.fillRect(outer, kEdgeDark);
    p.fillRect(QRectF(outer.left(), outer.bottom(), outer.width() + 1, 1), withAlpha(kEdgeLight, 200));
    p.fillRect(QRectF(outer.right(), outer.top(), 1, outer.height() + 1), withAlpha(kEdgeLight, 200));
    p.restore();
}

void panel(QPainter& p, const QRectF& r, double radius) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    // Sunken edge: dark above and to the left, a light lip below.
    p.setPen(Qt::NoPen);
    p.setBrush(withAlpha(kEdgeLight, 160));
    p.drawRoundedRect(r.adjusted(-1, -1, 1, 2), radius + 1, radius + 1);
    p.setBrush(kEdgeDark);
    p.drawRoundedRect(r.adjusted(-2, -2, 1, 1), radius + 1, radius + 1);
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0.0, kPanelShade);
    g.setColorAt(0.12, kPanel);
    g.setColorAt(1.0, kPanel.darker(104));
    p.setBrush(g);
    p.drawRoundedRect(r, radius, radius);
    p.restore();
}

void plate(QPainter& p, const QRectF& r, double radius) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(kEdgeDark, 1));
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0.0, QColor(0x2c, 0x31, 0x3a));
    g.setColorAt(1.0, QColor(0x1a, 0x1d, 0x23));
    p.setBrush(g);
    p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
    p.setPen(QPen(withAlpha(kEdgeLight, 150), 1));
    p.drawLine(QPointF(r.left() + radius, r.top() + 1.5), QPointF(r.right() - radius, r.top() + 1.5));
    p.restore();
}

void coverFrame(QPainter& p, const QRectF& cover) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.fillRect(cover.adjusted(-2, -2, 5, 5), QColor(0, 0, 0, 90)); // shadow
    p.fillRect(cover.adjusted(-4, -4, 4, 4), kEdgeDark);
    p.fillRect(cover.adjusted(-3, -3, 3, 3), kAccentDim);
    p.fillRect(cover.adjusted(-2, -2, 2, 2), kEdgeDark);
    p.restore();
}

void button(QPainter& p, const QRectF& r, const QString& label, Icon which, bool on) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    const double radius = std::min(4.0, r.height() / 4);
    p.setPen(Qt::NoPen);
    p.setBrush(kEdgeDark);
    p.drawRoundedRect(r, radius + 1, radius + 1);
    const QRectF face = r.adjusted(1, 1, -1, -1);
    QLinearGradient g(face.topLeft(), face.bottomLeft());
    if (on) {
        g.setColorAt(0.0, QColor(0x12, 0x14, 0x18));
        g.setColorAt(1.0, QColor(0x2a, 0x2e, 0x35));
    } else {
        g.setColorAt(0.0, QColor(0x4d, 0x54, 0x61));
        g.setColorAt(0.5, QColor(0x36, 0x3b, 0x45));
        g.setColorAt(1.0, QColor(0x28, 0x2c, 0x33));
    }
    p.setBrush(g);
    p.drawRoundedRect(face, radius, radius);
    if (on) {
        // Inner shadow along the top and left edges, and a lit amber rim.
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(withAlpha(kAccent, 150), 1));
        p.drawRoundedRect(face.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
        p.setPen(QPen(QColor(0, 0, 0, 170), 2));
        p.drawLine(QPointF(face.left() + radius, face.top() + 2),
                   QPointF(face.right() - radius, face.top() + 2));
        p.drawLine(QPointF(face.left() + 2, face.top() + radius),
                   QPointF(face.left() + 2, face.bottom() - radius));
    } else {
        p.setPen(QPen(QColor(255, 255, 255, 70), 1));
        p.drawLine(QPointF(face.left() + radius, face.top() + 0.5),
                   QPointF(face.right() - radius, face.top() + 0.5));
    }
    p.restore();

    // Content: icon, label or both; pressed content sits one pixel lower and to the right.
    const QColor ink = on ? kAccent : kText;
    QRectF content = face.adjusted(3, 1, -3, -1);
    if (on) {
        content.translate(1, 1);
    }
    const double iconSize = std::min(face.height() * 0.6, 14.0);
    if (which != Icon::None && label.isEmpty()) {
        const double s = std::min(content.width(), content.height() * 0.8);
        icon(p, QRectF(content.center().x() - s / 2, content.center().y() - s / 2, s, s), which, ink);
        return;
    }
    if (which != Icon::None) {
        icon(p, QRectF(content.left() + 2, content.center().y() - iconSize / 2, iconSize, iconSize), which,
             ink);
        content.setLeft(content.left() + iconSize + 5);
    }
    const double size = std::min(13.0, face.height() * 0.55);
    if (on) {
        // A soft amber glow behind the lit label.
        for (const QPointF d : {QPointF(-1, 0), QPointF(1, 0), QPointF(0, -1), QPointF(0, 1)}) {
            text(p, content.translated(d), label, withAlpha(kAccent, 60), size);
        }
    } else {
        text(p, content.translated(0, 1), label, QColor(0, 0, 0, 150), size);
    }
    text(p, content, label, ink, size);
}

void icon(QPainter& p, const QRectF& r, Icon which, const QColor& c) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    const double x = r.left();
    const double y = r.top();
    const double w = r.width();
    const double h = r.height();
    auto triangle = [&](double left, double right, bool pointsRight) {
        QPainterPath path;
        if (pointsRight) {
            path.moveTo(left, y + h * 0.1);
            path.lineTo(right, y + h * 0.5);
            path.lineTo(left, y + h * 0.9);
        } else {
            path.moveTo(right, y + h * 0.1);
            path.lineTo(left, y + h * 0.5);
            path.lineTo(right, y + h * 0.9);
        }
        path.closeSubpath();
        p.drawPath(path);
    };
    switch (which) {
    case Icon::None:
        break;
    case Icon::Play:
        triangle(x + w * 0.2, x + w * 0.9, true);
        break;
    case Icon::Stop:
        p.drawRoundedRect(QRectF(x + w * 0.18, y + h * 0.18, w * 0.64, h * 0.64), 1, 1);
        break;
    case Icon::Pause:
        p.drawRect(QRectF(x + w * 0.2, y + h * 0.15, w * 0.22, h * 0.7));
        p.drawRect(QRectF(x + w * 0.58, y + h * 0.15, w * 0.22, h * 0.7));
        break;
    case Icon::Previous:
        p.drawRect(QRectF(x + w * 0.08, y + h * 0.12, w * 0.12, h * 0.76));
        triangle(x + w * 0.2, x + w * 0.56, false);
        triangle(x + w * 0.54, x + w * 0.9, false);
        break;
    case Icon::Next:
        triangle(x + w * 0.1, x + w * 0.46, true);
        triangle(x + w * 0.44, x + w * 0.8, true);
        p.drawRect(QRectF(x + w * 0.8, y + h * 0.12, w * 0.12, h * 0.76));
        break;
    case Icon::Minimise:
        p.drawRect(QRectF(x + w * 0.2, y + h * 0.68, w * 0.6, h * 0.14));
        break;
    case Icon::Exit: {
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(c, std::max(2.0, w * 0.14), Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(x + w * 0.25, y + h * 0.25), QPointF(x + w * 0.75, y + h * 0.75));
        p.drawLine(QPointF(x + w * 0.75, y + h * 0.25), QPointF(x + w * 0.25, y + h * 0.75));
        break;
    }
    case Icon::Screens: {
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(c, std::max(1.5, w * 0.08)));
        p.drawRoundedRect(QRectF(x + w * 0.08, y + h * 0.14, w * 0.58, h * 0.44), 1.5, 1.5);
        p.setBrush(c);
        p.drawRoundedRect(QRectF(x + w * 0.36, y + h * 0.42, w * 0.56, h * 0.42), 1.5, 1.5);
        break;
    }
    case Icon::Lock: {
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(c, std::max(1.5, w * 0.12)));
        p.drawArc(QRectF(x + w * 0.28, y + h * 0.05, w * 0.44, h * 0.6), 0, 180 * 16);
        p.drawLine(QPointF(x + w * 0.28, y + h * 0.35), QPointF(x + w * 0.28, y + h * 0.5));
        p.drawLine(QPointF(x + w * 0.72, y + h * 0.35), QPointF(x + w * 0.72, y + h * 0.5));
        p.setPen(Qt::NoPen);
        p.setBrush(c);
        p.drawRoundedRect(QRectF(x + w * 0.16, y + h * 0.45, w * 0.68, h * 0.5), 1.5, 1.5);
        break;
    }
    case Icon::Clock: {
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(c, std::max(1.5, w * 0.1)));
        p.drawEllipse(r.adjusted(w * 0.1, h * 0.1, -w * 0.1, -h * 0.1));
        p.drawLine(r.center(), QPointF(r.center().x(), y + h * 0.28));
        p.drawLine(r.center(), QPointF(x + w * 0.7, r.center().y()));
        break;
    }
    case Icon::Loop: {
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(c, std::max(1.5, w * 0.12)));
        p.drawArc(r.adjusted(w * 0.12, h * 0.2, -w * 0.12, -h * 0.2), 30 * 16, 300 * 16);
        p.setPen(Qt::NoPen);
        p.setBrush(c);
        QPainterPath head;
        head.moveTo(x + w * 0.62, y + h * 0.08);
        head.lineTo(x + w * 0.95, y + h * 0.3);
        head.lineTo(x + w * 0.6, y + h * 0.45);
        head.closeSubpath();
        p.drawPath(head);
        break;
    }
    case Icon::Shuffle: {
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(c, std::max(1.5, w * 0.11)));
        p.drawLine(QPointF(x + w * 0.08, y + h * 0.25), QPointF(x + w * 0.78, y + h * 0.75));
        p.drawLine(QPointF(x + w * 0.08, y + h * 0.75), QPointF(x + w * 0.78, y + h * 0.25));
        p.setPen(Qt::NoPen);
        p.setBrush(c);
        for (const double ty : {0.25, 0.75}) {
            QPainterPath head;
            head.moveTo(x + w * 0.98, y + h * ty);
            head.lineTo(x + w * 0.7, y + h * (ty - 0.17));
            head.lineTo(x + w * 0.7, y + h * (ty + 0.17));
            head.closeSubpath();
            p.drawPath(head);
        }
        break;
    }
    }
    p.restore();
}

} // namespace skin::paint

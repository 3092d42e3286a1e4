#include "app/designlayout.h"
#include "drawers.h"
#include "paint.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace skin::draw {

namespace {

// The wheel is a ribbed cylinder seen from the side. Row f of the strip is the cylinder turned by f/9
// of one rib's angle, so that the nine frames loop seamlessly.
constexpr int kRibs = 24;

void strip(QPainter& p) {
    const int width = layout::kWheelStrip.width;
    const double half = width / 2.0;
    const double ribAngle = 2 * std::numbers::pi / kRibs;
    for (int frame = 0; frame < layout::kWheelFrames; ++frame) {
        const double turn = ribAngle * frame / layout::kWheelFrames;
        for (int x = 0; x < width; ++x) {
            const double u = std::clamp((x + 0.5 - half) / half, -1.0, 1.0);
            const double angle = std::asin(u) + turn;
            const double lighting = 0.35 + 0.65 * std::cos(std::asin(u) * 0.9);
            const double phase = std::fmod(angle / ribAngle + 100.0, 1.0);
            const double rib = phase < 0.3 ? 0.45 : (phase < 0.42 ? 1.25 : 0.9);
            const int level = std::clamp(static_cast<int>(150 * lighting * rib), 0, 255);
            p.fillRect(QRect(x, frame, 1, 1), QColor(level, level, std::min(255, level + 8)));
        }
    }
}

void arrow(QPainter& p, const QRectF& r, bool pointsRight) {
    paint::button(p, r, QString(), paint::Icon::None, false);
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(Qt::NoPen);
    p.setBrush(paint::kAccent);
    const double cx = r.center().x();
    const double cy = r.center().y();
    QPainterPath head;
    const double dx = pointsRight ? 3.5 : -3.5;
    head.moveTo(cx + dx, cy);
    head.lineTo(cx - dx, cy - 5);
    head.lineTo(cx - dx, cy + 5);
    head.closeSubpath();
    p.drawPath(head);
    p.restore();
}

// The slot the wheel lies in: a dark recess with a lit rim where the face sits.
void slot(QPainter& p, const QRectF& r) {
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0.0, QColor(0x30, 0x35, 0x3e));
    g.setColorAt(1.0, QColor(0x1a, 0x1d, 0x22));
    p.fillRect(r, g);
    const QRectF face(layout::kWheelFace.left - layout::kWheelLeftArrow.width, layout::kWheelFace.top,
                      layout::kWheelFace.width, layout::kWheelFace.height);
    p.fillRect(face.adjusted(-3, -3, 3, 3), paint::kEdgeDark);
    p.fillRect(face.adjusted(-2, -2, 2, 2), paint::kAccentDim);
    p.fillRect(face.adjusted(-1, -1, 1, 1), paint::kEdgeDark);
    p.fillRect(QRectF(r.left(), r.top(), r.width(), 1), paint::kEdgeLight);
    p.fillRect(QRectF(r.left(), r.bottom() - 1, r.width(), 1), paint::kEdgeDark);
}

} // namespace

void wheel(QPainter& p, const QRectF& content, std::string_view name) {
    if (name.ends_with(layout::kWheelStrip.name)) {
        strip(p);
    } else if (name.ends_with(layout::kWheelLeftArrow.name)) {
        arrow(p, content, false);
    } else if (name.ends_with(layout::kWheelRightArrow.name)) {
        arrow(p, content, true);
    } else {
        slot(p, content);
    }
}

} // namespace skin::draw

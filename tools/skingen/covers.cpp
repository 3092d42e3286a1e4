#include "drawers.h"
#include "paint.h"

#include <QBrush>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>

namespace skin::draw {

namespace {

// Both doors drawn as one: grooved graphite panels meeting at a lit seam, with handles either side
// and the station's name across the seam, so that the closed doors read as one face.
void doors(QPainter& p, const QRectF& r) {
    paint::body(p, r, 21);
    p.save();
    for (double y = r.top() + 18; y < r.bottom() - 10; y += 22) {
        p.fillRect(QRectF(r.left() + 8, y, r.width() - 16, 1), QColor(0, 0, 0, 120));
        p.fillRect(QRectF(r.left() + 8, y + 1, r.width() - 16, 1), QColor(255, 255, 255, 18));
    }
    const double seam = r.center().x();
    p.fillRect(QRectF(seam - 2, r.top(), 4, r.height()), paint::kEdgeDark);
    p.fillRect(QRectF(seam - 3, r.top(), 1, r.height()), QColor(0xff, 0xb2, 0x3e, 90));
    p.fillRect(QRectF(seam + 2, r.top(), 1, r.height()), QColor(0xff, 0xb2, 0x3e, 90));
    // Outer edges: a light lip on the left door's left and a shadow on the right door's right.
    p.fillRect(QRectF(r.left(), r.top(), 2, r.height()), paint::kEdgeLight);
    p.fillRect(QRectF(r.right() - 2, r.top(), 2, r.height()), paint::kEdgeDark);

    // Handles.
    p.setRenderHint(QPainter::Antialiasing, true);
    for (const double x : {seam - 26.0, seam + 18.0}) {
        const QRectF handle(x, r.center().y() - 70, 8, 140);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0, 0, 0, 120));
        p.drawRoundedRect(handle.translated(2, 3), 4, 4);
        QLinearGradient g(handle.topLeft(), handle.topRight());
        g.setColorAt(0.0, QColor(0x6a, 0x71, 0x7d));
        g.setColorAt(0.5, QColor(0xb9, 0xbe, 0xc6));
        g.setColorAt(1.0, QColor(0x4a, 0x50, 0x5a));
        p.setBrush(g);
        p.drawRoundedRect(handle, 4, 4);
    }

    // The name across the seam, above the handles.
    QFont f = paint::uiFont(r.height() * 0.11, true);
    f.setLetterSpacing(QFont::AbsoluteSpacing, 12.0);
    p.setFont(f);
    const QRectF title(r.left(), r.top() + r.height() * 0.12, r.width(), r.height() * 0.14);
    p.setPen(QColor(0, 0, 0, 160));
    p.drawText(title.translated(2, 2), Qt::AlignCenter, QStringLiteral("TUNNORA"));
    p.setPen(paint::kAccent);
    p.drawText(title, Qt::AlignCenter, QStringLiteral("TUNNORA"));
    paint::caption(p, QRectF(r.left(), title.bottom() + 2, r.width(), 16),
                   QStringLiteral("Choose a page on the right"), Qt::AlignCenter, paint::kTextDim, 12);

    // Rivets in the corners of each door.
    for (const double x : {r.left() + 12, seam - 12, seam + 12, r.right() - 12}) {
        for (const double y : {r.top() + 10, r.bottom() - 10}) {
            QRadialGradient g(QPointF(x - 1, y - 1), 4);
            g.setColorAt(0.0, QColor(0xc8, 0xcc, 0xd2));
            g.setColorAt(1.0, QColor(0x3a, 0x3f, 0x48));
            p.setPen(Qt::NoPen);
            p.setBrush(g);
            p.drawEllipse(QPointF(x, y), 3, 3);
        }
    }
    p.restore();
}

// The default cover: a record on a dark sleeve.
void record(QPainter& p, const QRectF& r) {
    QRadialGradient sleeve(r.center(), r.width() * 0.75);
    sleeve.setColorAt(0.0, QColor(0x2e, 0x33, 0x3c));
    sleeve.setColorAt(1.0, QColor(0x11, 0x13, 0x17));
    p.fillRect(r, sleeve);
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    const QPointF c = r.center();
    const double radius = r.width() * 0.42;
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 110));
    p.drawEllipse(c + QPointF(4, 5), radius, radius);
    p.setBrush(QColor(0x0b, 0x0b, 0x0d));
    p.drawEllipse(c, radius, radius);
    p.setBrush(Qt::NoBrush);
    for (double g = radius * 0.42; g < radius - 2; g += 3.2) {
        p.setPen(QPen(QColor(255, 255, 255, 14 + static_cast<int>(g) % 3 * 6), 1));
        p.drawEllipse(c, g, g);
    }
    // Light catching the grooves.
    QConicalGradient sheen(c, 45);
    sheen.setColorAt(0.0, QColor(255, 255, 255, 40));
    sheen.setColorAt(0.12, QColor(255, 255, 255, 0));
    sheen.setColorAt(0.5, QColor(255, 255, 255, 40));
    sheen.setColorAt(0.62, QColor(255, 255, 255, 0));
    sheen.setColorAt(1.0, QColor(255, 255, 255, 40));
    p.setPen(Qt::NoPen);
    p.setBrush(sheen);
    p.drawEllipse(c, radius - 2, radius - 2);
    const double label = radius * 0.36;
    QRadialGradient amber(c, label);
    amber.setColorAt(0.0, paint::kAccent.lighter(115));
    amber.setColorAt(1.0, paint::kAccent.darker(140));
    p.setBrush(amber);
    p.drawEllipse(c, label, label);
    p.setBrush(QColor(0x11, 0x13, 0x17));
    p.drawEllipse(c, label * 0.12, label * 0.12);
    p.restore();
    paint::caption(p, QRectF(c.x() - label, c.y() - label * 0.62, label * 2, label * 0.45),
                   QStringLiteral("Tunnora"), Qt::AlignCenter, QColor(0x3a, 0x24, 0x08), label * 0.28);
}

// An empty album cell: a dashed outline on the sleeve colour.
void empty(QPainter& p, const QRectF& r) {
    p.fillRect(r, QColor(0x1a, 0x1d, 0x23));
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    QPen dash(paint::kEdgeLight, 3, Qt::DashLine);
    p.setPen(dash);
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(r.adjusted(24, 24, -24, -24), 14, 14);
    p.restore();
    paint::caption(p, r, QStringLiteral("Empty"), Qt::AlignCenter, paint::kEdgeLight, r.height() * 0.09);
}

} // namespace

void door(QPainter& p, const QRectF& content, std::string_view name) {
    const bool right = name.starts_with("Right") || name.starts_with("right");
    QImage both(static_cast<int>(content.width() * 2), static_cast<int>(content.height()),
                QImage::Format_RGB32);
    QPainter q(&both);
    doors(q, QRectF(0, 0, both.width(), both.height()));
    q.end();
    p.drawImage(content, both, QRectF(right ? content.width() : 0, 0, content.width(), content.height()));
}

void cover(QPainter& p, const QRectF& content, std::string_view name) {
    if (name.starts_with("Empty") || name.starts_with("empty")) {
        empty(p, content);
    } else {
        record(p, content);
    }
}

} // namespace skin::draw

#include "platform/picturebox.h"

#include <QImage>
#include <QPainter>

namespace tk {

void drawInsetBorder(QPainter& p, const QRect& r) {
    // Sunken look: dark top and left, light bottom and right, two pixels wide.
    const QRect o = r.adjusted(0, 0, -1, -1);
    p.setPen(QColor(64, 64, 64));
    p.drawLine(o.topLeft(), o.topRight());
    p.drawLine(o.topLeft(), o.bottomLeft());
    p.setPen(QColor(255, 255, 255));
    p.drawLine(o.bottomLeft(), o.bottomRight());
    p.drawLine(o.topRight(), o.bottomRight());
    const QRect i = o.adjusted(1, 1, -1, -1);
    p.setPen(QColor(128, 128, 128));
    p.drawLine(i.topLeft(), i.topRight());
    p.drawLine(i.topLeft(), i.bottomLeft());
    p.setPen(QColor(212, 208, 200));
    p.drawLine(i.bottomLeft(), i.bottomRight());
    p.drawLine(i.topRight(), i.bottomRight());
}

namespace {
void drawPictureAtScale(QPainter& p, const Picture& picture) {
    if (picture.isNull()) {
        return;
    }
    const double s = screenScale();
    const QRectF target(0, 0, picture.widthPx() * s, picture.heightPx() * s);
    p.setRenderHint(QPainter::SmoothPixmapTransform, s != 1.0);
    p.drawImage(target, picture.image());
}
} // namespace

PictureBox::PictureBox(QWidget* parent, std::string name, int index)
    : Control(parent, std::move(name), index) {
    setStackLayer(kLayerWindowed);
}

void PictureBox::setPicture(const Picture& picture) {
    m_picture = picture;
    fitToPicture();
    update();
    raiseEvent([&] { change(); });
}

void PictureBox::setAutoSize(bool on) {
    m_autoSize = on;
    fitToPicture();
}

void PictureBox::setBorderStyle(int style) {
    if (style != m_borderStyle) {
        m_borderStyle = style;
        update();
    }
}

void PictureBox::setBackColor(OleColor color) {
    m_backColor = color;
    update();
}

void PictureBox::fitToPicture() {
    if (m_autoSize && !m_picture.isNull()) {
        setSizeTwips(m_picture.widthTwips(), m_picture.heightTwips());
    }
}

void PictureBox::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), toQColor(m_backColor));
    drawPictureAtScale(p, m_picture);
    if (m_borderStyle == 1) {
        drawInsetBorder(p, rect());
    }
}

Image::Image(QWidget* parent, std::string name, int index)
    : Control(parent, std::move(name), index) {
    setStackLayer(kLayerLightweight);
}

void Image::setPicture(const Picture& picture) {
    m_picture = picture;
    fitToPicture();
    update();
}

void Image::setStretch(bool on) {
    m_stretch = on;
    fitToPicture();
    update();
}

void Image::setBorderStyle(int style) {
    if (style != m_borderStyle) {
        m_borderStyle = style;
        update();
    }
}

void Image::fitToPicture() {
    if (!m_stretch && !m_picture.isNull()) {
        setSizeTwips(m_picture.widthTwips(), m_picture.heightTwips());
    }
}

void Image::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (!m_picture.isNull()) {
        if (m_stretch) {
            p.setRenderHint(QPainter::SmoothPixmapTransform);
            p.drawImage(QRectF(rect()), m_picture.image());
        } else {
            drawPictureAtScale(p, m_picture);
        }
    }
    if (m_borderStyle == 1) {
        drawInsetBorder(p, rect());
    }
}

Shape::Shape(QWidget* parent, std::string name, int index)
    : Control(parent, std::move(name), index) {
    setStackLayer(kLayerLightweight);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void Shape::setBorderColor(OleColor color) {
    m_borderColor = color;
    update();
}

void Shape::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setPen(toQColor(m_borderColor));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

} // namespace tk

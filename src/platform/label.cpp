#include "platform/label.h"

#include <QFontMetricsF>
#include <QPainter>

#include <cmath>

namespace tk {

namespace {
constexpr int kBorderPx = 1;
}

Label::Label(QWidget* parent, std::string name, int index)
    : Control(parent, std::move(name), index) {
    setStackLayer(kLayerLightweight);
    setAttribute(Qt::WA_TranslucentBackground, false);
}

void Label::setCaption(const std::string& caption) {
    if (caption == m_caption) {
        return;
    }
    m_caption = caption;
    fitToCaption();
    update();
    raiseEvent([&] { change(); });
}

void Label::setAutoSize(bool on) {
    m_autoSize = on;
    fitToCaption();
}

void Label::setAlignment(int alignment) {
    m_alignment = alignment;
    update();
}

void Label::setBorderStyle(int style) {
    m_borderStyle = style;
    fitToCaption();
    update();
}

void Label::setBackStyle(int style) {
    m_backStyle = style;
    update();
}

void Label::setForeColor(OleColor color) {
    m_foreColor = color;
    update();
}

void Label::setBackColor(OleColor color) {
    m_backColor = color;
    update();
}

void Label::setWordWrap(bool on) {
    m_wordWrap = on;
    fitToCaption();
    update();
}

void Label::setFont(const FontSpec& font) {
    m_font = font;
    fitToCaption();
    update();
}

void Label::setFontName(const std::string& name) {
    m_font.name = name;
    fitToCaption();
    update();
}

void Label::setFontSize(float points) {
    m_font.size = points;
    fitToCaption();
    update();
}

void Label::setFontBold(bool on) {
    m_font.setBold(on);
    fitToCaption();
    update();
}

void Label::setFontItalic(bool on) {
    m_font.italic = on;
    fitToCaption();
    update();
}

void Label::fitToCaption() {
    if (!m_autoSize) {
        return;
    }
    // Measured at the design scale so the size in twips does not depend on the screen.
    const QFontMetricsF fm(toQFont(m_font, 1.0));
    const QString text = QString::fromStdString(m_caption);
    const double border = m_borderStyle == 1 ? 2.0 * kBorderPx : 0.0;
    const double w = std::ceil(fm.horizontalAdvance(text)) + border;
    const double h = std::ceil(fm.height()) + border;
    setSizeTwips(static_cast<float>(w * 15.0), static_cast<float>(h * 15.0));
}

void Label::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QRect r = rect();
    if (m_backStyle == 1) {
        p.fillRect(r, toQColor(m_backColor));
    }
    QRect textRect = r;
    if (m_borderStyle == 1) {
        p.setPen(QColor(0, 0, 0));
        p.drawRect(r.adjusted(0, 0, -1, -1));
        textRect = r.adjusted(kBorderPx, kBorderPx, -kBorderPx, -kBorderPx);
    }
    p.setFont(toQFont(m_font, screenScale()));
    p.setPen(toQColor(m_foreColor));
    int flags = Qt::AlignTop | Qt::TextSingleLine;
    if (m_wordWrap) {
        flags = Qt::AlignTop | Qt::TextWordWrap;
    }
    switch (m_alignment) {
    case 1:
        flags |= Qt::AlignRight;
        break;
    case 2:
        flags |= Qt::AlignHCenter;
        break;
    default:
        flags |= Qt::AlignLeft;
        break;
    }
    // The caption is drawn as plain text: no markup and no "&" mnemonics.
    p.drawText(textRect, flags, QString::fromStdString(m_caption));
}

} // namespace tk

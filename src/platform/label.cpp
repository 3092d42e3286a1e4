#include "platform/label.h"

#include "platform/form.h"
#include "platform/runtime.h"

#include <QFontMetricsF>
#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>

#include <algorithm>
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

void Label::setElides(bool on) {
    m_elides = on;
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
    // Measured with the font that paints: its pixel size is rounded at the screen's scale, so a size
    // taken at the design scale and scaled up can fall short of the caption and cut it.
    const double scale = screenScale();
    const QFontMetricsF fm(toQFont(m_font, scale));
    const QString text = QString::fromStdString(m_caption);
    const double advance = fm.horizontalAdvance(text);
    // Italic letters reach past their advance and some tails below the descent; the label makes room
    // for the whole ink of its caption.
    const QRectF ink = text.isEmpty() ? QRectF() : fm.boundingRect(text).translated(0, fm.ascent());
    const auto beyond = [](double by) { return static_cast<int>(std::ceil(std::max(0.0, by))); };
    m_inkMargins = QMargins(beyond(-ink.left()), beyond(-ink.top()), beyond(ink.right() - advance),
                            beyond(ink.bottom() - fm.height()));
    const double border = m_borderStyle == 1 ? 2.0 * kBorderPx : 0.0;
    const double w = std::ceil(advance) + m_inkMargins.left() + m_inkMargins.right() + border;
    const double h = std::ceil(fm.height()) + m_inkMargins.top() + m_inkMargins.bottom() + border;
    // A quarter pixel more keeps the rounded edges from taking a pixel off the whole pixels measured.
    const auto twips = [scale](double px) {
        return static_cast<float>((px > 0 ? px + 0.25 : 0.0) * Screen::kTwipsPerPixel / scale);
    };
    setSizeTwips(twips(w), twips(h));
}

QRect Label::textRect() const {
    QRect r = rect();
    if (m_borderStyle == 1) {
        r.adjust(kBorderPx, kBorderPx, -kBorderPx, -kBorderPx);
    }
    // An auto-sized caption's ink reaches into the margins kept for it.
    return m_autoSize ? r.marginsRemoved(m_inkMargins) : r;
}

QString Label::shownText() const {
    const QString whole = QString::fromStdString(m_caption);
    if (!m_elides || m_wordWrap || m_autoSize) {
        return whole;
    }
    const QFontMetricsF fm(toQFont(m_font, screenScale()));
    return fm.elidedText(whole, Qt::ElideRight, textRect().width());
}

std::string Label::shownCaption() const {
    return shownText().toStdString();
}

bool Label::event(QEvent* event) {
    // A caption cut short shows whole in the tool tip, in place of the label's own.
    if (event->type() == QEvent::ToolTip && m_elides) {
        if (const QString whole = QString::fromStdString(m_caption); shownText() != whole) {
            QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), toolTipMarkup(m_caption), this,
                               rect());
            return true;
        }
    }
    return Control::event(event);
}

void Label::paintEvent(QPaintEvent*) {
    QPainter p(this);
    // A label that runs past its window's design area is cut at the area's edge, as the screen's edge
    // cuts it on a screen of the design's shape: a caption grown too long for its place never reaches
    // into the band beside the station on a wider screen.
    if (const auto* form = qobject_cast<const Form*>(window())) {
        const QRect area = form->designArea();
        p.setClipRect(QRect(mapFrom(form, area.topLeft()), area.size()));
    }
    const QRect r = rect();
    if (m_backStyle == 1) {
        p.fillRect(r, toQColor(m_backColor));
    }
    if (m_borderStyle == 1) {
        p.setPen(QColor(0, 0, 0));
        p.drawRect(r.adjusted(0, 0, -1, -1));
    }
    p.setFont(toQFont(m_font, screenScale()));
    p.setPen(toQColor(m_foreColor));
    int flags = Qt::AlignTop | Qt::TextSingleLine;
    if (m_wordWrap) {
        flags = Qt::AlignTop | Qt::TextWordWrap;
    }
    if (m_autoSize) {
        flags |= Qt::TextDontClip; // the label's edges clip the ink in the margins
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
    p.drawText(textRect(), flags, shownText());
}

} // namespace tk

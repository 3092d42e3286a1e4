#pragma once

#include "app/designlayout.h"

#include <QColor>
#include <QFont>
#include <QRectF>
#include <QString>

#include <string>
#include <string_view>

class QPainter;

// The drawing vocabulary of the default skin: a dark graphite body with amber accents, cream display
// panels wherever dark label text has to be read, recessed wells around lists and boxes, and buttons
// that are raised when released and sunk and lit when pressed or switched on.
namespace skin::paint {

// Palette.
inline const QColor kBodyTop{0x1d, 0x21, 0x28};
inline const QColor kBodyBottom{0x12, 0x14, 0x19};
inline const QColor kBand{0x27, 0x2c, 0x35};
inline const QColor kEdgeDark{0x08, 0x09, 0x0b};
inline const QColor kEdgeLight{0x4a, 0x51, 0x5d};
inline const QColor kAccent{0xff, 0xb2, 0x3e};
inline const QColor kAccentDim{0x8a, 0x64, 0x2c};
inline const QColor kText{0xec, 0xea, 0xe4};
inline const QColor kTextDim{0x9c, 0xa3, 0xae};
inline const QColor kPanel{0xf1, 0xea, 0xcf};
inline const QColor kPanelShade{0xdc, 0xd2, 0xb0};
inline const QColor kPanelText{0x3a, 0x33, 0x22};

enum class Icon {
    None,
    Previous,
    Stop,
    Pause,
    Play,
    Next,
    Minimise,
    Exit,
    Screens,
    Lock,
    Clock,
    Shuffle,
    Loop
};

// Picture names compare ignoring letter case, as the station's loader does.
std::string lowerCase(std::string_view s);

// Twips of the design to pixels of a picture.
QRectF px(const layout::Rect& twips);
QRectF px(int left, int top, int width, int height);
// The design place of a main-window element in pixels, relative to its container; empty when unknown.
QRectF place(std::string_view name, int index = layout::kNoIndex);

QFont uiFont(double pixelSize, bool bold = true);

// Text in one line, shrunk until it fits the rectangle's width.
void text(QPainter& p, const QRectF& r, const QString& s, const QColor& c, double pixelSize,
          Qt::Alignment align = Qt::AlignCenter, bool bold = true);
// Letter-spaced capitals for captions printed on the body.
void caption(QPainter& p, const QRectF& r, const QString& s, Qt::Alignment align = Qt::AlignCenter,
             const QColor& c = kTextDim, double pixelSize = 10.0);

// The window body: a dark vertical gradient with a faint brushed texture.
void body(QPainter& p, const QRectF& r, quint32 seed);
// A page: body, a title band of `band` pixels with the title in amber, and a hairline frame.
void page(QPainter& p, const QRectF& r, const QString& title, double band);
// A recessed frame just outside a control's rectangle.
void well(QPainter& p, const QRectF& control);
// A cream display panel with a sunken edge.
void panel(QPainter& p, const QRectF& r, double radius = 4.0);
// A raised plate for grouping on the body.
void plate(QPainter& p, const QRectF& r, double radius = 5.0);
// A frame around a cover picture.
void coverFrame(QPainter& p, const QRectF& cover);

// A picture button's face: raised when released; sunk, shifted and lit amber when pressed or on.
void button(QPainter& p, const QRectF& r, const QString& label, Icon icon, bool on);
void icon(QPainter& p, const QRectF& r, Icon which, const QColor& c);

} // namespace skin::paint

#include "drawers.h"
#include "paint.h"

#include <QPainter>
#include <QRadialGradient>

#include <algorithm>
#include <cctype>
#include <string>

namespace skin::draw {

namespace {

using paint::Icon;

struct Look {
    std::string_view base; // the name without "-On"/"-Off" and extension, compared ignoring case
    std::string_view label;
    Icon icon;
};

constexpr Look kLooks[] = {
    {"Prev", "", Icon::Previous},
    {"Stop", "", Icon::Stop},
    {"Pause", "", Icon::Pause},
    {"Play", "", Icon::Play},
    {"Next", "", Icon::Next},
    {"LastSong", "LAST SONGS", Icon::None},
    {"NextSong", "PLAYLIST", Icon::None},
    {"FullScreen", "", Icon::Screens},
    {"Minimize", "", Icon::Minimise},
    {"Exit", "", Icon::Exit},
    {"Wheel Button", "SELECT", Icon::None},
    {"EditScreenPass", "SETUP", Icon::Lock},
    {"FullScreenTime", "AUTO SCREEN", Icon::Clock},
    {"ByArtist", "BY ARTIST", Icon::None},
    {"ByAlbum", "BY ALBUM", Icon::None},
    {"AddToPlaylist", "ADD SONGS", Icon::None},
    {"ClearPlaylist", "CLEAR LIST", Icon::None},
    {"Loop", "LOOP", Icon::Loop},
    {"Random", "RANDOM", Icon::Shuffle},
    {"Close", "CLOSE", Icon::None},
    {"LoadDirectory", "LOAD FOLDER", Icon::None},
    {"Search", "SEARCH", Icon::None},
    {"AddMoreSongs", "ADD MORE SONGS", Icon::None},
    {"ClearSelected", "CLEAR MARKS", Icon::None},
    {"EditID3v2", "EDIT TAGS", Icon::None},
    {"GetFiles", "GET FILES", Icon::None},
    {"Cancel", "CANCEL", Icon::None},
    {"DeleteDataBase", "DELETE DATABASE", Icon::None},
    {"OK", "OK", Icon::None},
    {"CopyToID3v2", "COPY V1 TO V2", Icon::None},
    {"Apply", "APPLY", Icon::None},
    {"LoadScreens", "SLIDESHOW", Icon::Screens},
};

// Splits "Wheel/Wheel Button.jpg" or "Loop-On.jpg" into its base name and whether it is the On picture.
struct Parsed {
    std::string base;
    bool on = false;
};

Parsed parse(std::string_view name) {
    std::string s = paint::lowerCase(name);
    if (const auto slash = s.rfind('/'); slash != std::string::npos) {
        s.erase(0, slash + 1);
    }
    if (const auto dot = s.rfind('.'); dot != std::string::npos) {
        s.erase(dot);
    }
    Parsed parsed;
    if (s.ends_with("-on")) {
        parsed.on = true;
        s.erase(s.size() - 3);
    } else if (s.ends_with("-off")) {
        s.erase(s.size() - 4);
    }
    parsed.base = s;
    return parsed;
}

void led(QPainter& p, const QPointF& centre, double radius, const QColor& colour, bool lit) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(Qt::NoPen);
    if (lit) {
        QRadialGradient glow(centre, radius * 2.6);
        QColor halo = colour;
        halo.setAlpha(110);
        glow.setColorAt(0.0, halo);
        halo.setAlpha(0);
        glow.setColorAt(1.0, halo);
        p.setBrush(glow);
        p.drawEllipse(centre, radius * 2.6, radius * 2.6);
    }
    p.setBrush(paint::kEdgeDark);
    p.drawEllipse(centre, radius + 1, radius + 1);
    QRadialGradient body(centre - QPointF(radius * 0.3, radius * 0.3), radius * 1.4);
    body.setColorAt(0.0, lit ? colour.lighter(160) : colour.darker(260));
    body.setColorAt(1.0, lit ? colour : colour.darker(420));
    p.setBrush(body);
    p.drawEllipse(centre, radius, radius);
    p.restore();
}

} // namespace

void button(QPainter& p, const QRectF& content, std::string_view name) {
    const Parsed parsed = parse(name);
    for (const Look& look : kLooks) {
        if (paint::lowerCase(look.base) == parsed.base) {
            paint::button(p, content,
                          QString::fromUtf8(look.label.data(), static_cast<int>(look.label.size())),
                          look.icon, parsed.on);
            return;
        }
    }
    paint::button(p, content, QString::fromUtf8(parsed.base.c_str()).toUpper(), Icon::None, parsed.on);
}

// The page switches carry no text (one pair of pictures serves six switches); they are rocker keys with
// an amber lamp that is dark when released and glows when on.
void pageSwitch(QPainter& p, const QRectF& content, std::string_view name) {
    const bool on = parse(name).on;
    paint::button(p, content, QString(), Icon::None, on);
    const double radius = std::min(content.width(), content.height()) * 0.16;
    QPointF centre = content.center();
    if (on) {
        centre += QPointF(1, 0);
    } else {
        centre -= QPointF(0, 1);
    }
    led(p, centre, radius, paint::kAccent, on);
}

// The play-state strip under the clock: a lamp and the state's word.
void playState(QPainter& p, const QRectF& content, std::string_view name) {
    const std::string base = parse(name).base;
    QColor colour(0xe0, 0x48, 0x3e);
    QString word = QStringLiteral("STOP");
    if (base == "playplay") {
        colour = QColor(0x52, 0xd2, 0x73);
        word = QStringLiteral("PLAY");
    } else if (base == "playpause") {
        colour = paint::kAccent;
        word = QStringLiteral("PAUSE");
    }
    p.fillRect(content, paint::kEdgeDark);
    p.fillRect(content.adjusted(1, 1, -1, -1), QColor(0x16, 0x18, 0x1d));
    const double radius = std::max(2.0, content.height() / 2 - 2.5);
    led(p, QPointF(content.left() + 4 + radius, content.center().y()), radius, colour, true);
    const QRectF words = content.adjusted(2 * radius + 8, 0, -2, 0);
    paint::text(p, words, word, colour.lighter(115), content.height() - 2, Qt::AlignLeft | Qt::AlignVCenter);
}

} // namespace skin::draw

#include "app/designlayout.h"
#include "drawers.h"
#include "paint.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>

#include <algorithm>

namespace skin::draw {

namespace {

using paint::px;

QRectF main(std::string_view name, int index = layout::kNoIndex) {
    return paint::place(name, index);
}

QRectF second(std::string_view name, int index = layout::kNoIndex) {
    const layout::Element* e = layout::findForm2(name, index);
    return e ? px(e->rect) : QRectF();
}

// The smallest rectangle around the design places of a run of labels, grown by a margin.
template <typename Find>
QRectF around(Find find, std::string_view name, std::initializer_list<int> indexes, double margin) {
    QRectF r;
    for (const int i : indexes) {
        r = r.isNull() ? find(name, i) : r.united(find(name, i));
    }
    return r.adjusted(-margin, -margin, margin, margin);
}

void topBar(QPainter& p, const QRectF& screen, double height) {
    const QRectF bar(screen.left(), screen.top(), screen.width(), height);
    QLinearGradient g(bar.topLeft(), bar.bottomLeft());
    g.setColorAt(0.0, QColor(0x2a, 0x2f, 0x38));
    g.setColorAt(1.0, QColor(0x1b, 0x1e, 0x24));
    p.fillRect(bar, g);
    p.fillRect(QRectF(bar.left(), bar.bottom() - 2, bar.width(), 1), paint::kAccentDim);
    p.fillRect(QRectF(bar.left(), bar.bottom() - 1, bar.width(), 1), paint::kEdgeDark);
}

void logo(QPainter& p, const QRectF& r, const QString& subtitle) {
    QFont f = paint::uiFont(r.height() * 0.6, true);
    f.setLetterSpacing(QFont::AbsoluteSpacing, 4.0);
    p.save();
    p.setFont(f);
    p.setPen(paint::kAccent);
    p.drawText(r.adjusted(0, 0, 0, -r.height() * 0.3), Qt::AlignCenter, QStringLiteral("TUNNORA"));
    p.restore();
    paint::caption(p, r.adjusted(0, r.height() * 0.66, 0, 0), subtitle, Qt::AlignCenter, paint::kTextDim, 8);
}

void labelCaption(QPainter& p, const QRectF& r, const QString& s, Qt::Alignment align) {
    paint::caption(p, r, s, align, paint::kPanelText.lighter(170), 8);
}

} // namespace

// The main window's background. The song, time, count and page-range labels print dark text, so each
// group of them stands on a cream display panel; the pictures that carry no words (the page switches,
// the random-count box, the covers, the volume slider) get their names printed beside them.
void mainScreen(QPainter& p, const QRectF& content, std::string_view) {
    paint::body(p, content, 7);
    topBar(p, content, 38);
    logo(p, QRectF(main("switch", 18).right() + 14, 4, 150, 30), QStringLiteral("music station"));
    const QRectF volume = main("SliderPic1", 0);
    paint::caption(p, QRectF(volume.left() - 70, volume.top(), 64, 17), QStringLiteral("Volume"),
                   Qt::AlignRight | Qt::AlignVCenter);

    // The song display: last, playing and next song and the two counters, one long panel.
    const QRectF songs = around(main, "Label1", {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}, 3);
    const QRectF strip(content.left() + 36, songs.top() - 1, content.width() - 36 - 20,
                       main("Label1", 6).top() + 20 - songs.top() + 4);
    paint::panel(p, strip);
    const QRectF played = main("Label1", 3);
    labelCaption(p, QRectF(strip.left() + 4, played.top(), played.left() - strip.left() - 7, 16),
                 QStringLiteral("Played"), Qt::AlignRight | Qt::AlignVCenter);
    const QRectF queued = main("Label1", 11);
    labelCaption(p, QRectF(queued.left(), strip.top() + 2, strip.right() - queued.left() - 4, 11),
                 QStringLiteral("Queue"), Qt::AlignLeft | Qt::AlignTop);

    // Elapsed time and length beside the transport buttons.
    for (const int i : {12, 13}) {
        const QRectF t = main("Label1", i);
        paint::panel(p, QRectF(t.left() - 4, t.top() - 3, 54, 25), 3);
    }

    // Covers of the last, playing and next song, with their captions.
    const char* coverCaptions[] = {"Last song", "Now playing", "Next song"};
    for (int i = 0; i < 3; ++i) {
        const QRectF c = main("Image1", i);
        paint::coverFrame(p, c);
        if (i == 1) {
            paint::caption(p, QRectF(c.left() - 90, c.top() + 60, 82, 12),
                           QString::fromUtf8(coverCaptions[i]), Qt::AlignRight | Qt::AlignVCenter,
                           paint::kAccent);
        } else {
            paint::caption(p, QRectF(c.left() - 20, c.top() - 17, c.width() + 40, 12),
                           QString::fromUtf8(coverCaptions[i]), Qt::AlignCenter, paint::kAccent);
        }
    }

    const QRectF backPage = main("BackPage");

    // Left column: the current album's cover, the database counts and the clock.
    const QRectF albumCover = main("Image1", 3);
    paint::plate(p, QRectF(albumCover.left() - 10, backPage.top() - 1, albumCover.width() + 16,
                           main("Label1", 17).bottom() - backPage.top() + 10));
    paint::caption(p, QRectF(albumCover.left() - 6, albumCover.top() - 16, albumCover.width() + 12, 11),
                   QStringLiteral("Album"), Qt::AlignCenter, paint::kAccent);
    paint::coverFrame(p, albumCover);
    const char* countCaptions[] = {"Songs", "Albums", "Artists", "Clock"};
    for (int i = 0; i < 4; ++i) {
        const QRectF label = main("Label1", 14 + i);
        const QRectF box(albumCover.left() + 2, label.top() - 3, albumCover.width() - 4, 22);
        paint::caption(p, QRectF(box.left(), box.top() - 14, box.width(), 11),
                       QString::fromUtf8(countCaptions[i]));
        paint::panel(p, box, 3);
    }

    // Right column: the page switches with their names, the random-count box, the wheel.
    const QRectF firstSwitch = main("switch", 10);
    const QRectF wheelButton = main("switch", 16);
    const QRectF column(firstSwitch.left() - 6, firstSwitch.top() - 7,
                        content.right() - firstSwitch.left() + 2,
                        wheelButton.bottom() - firstSwitch.top() + 9);
    paint::plate(p, column);
    const char* switchCaptions[] = {"Single album", "Albums", "Database", "Top 10", "Search", "Random pick"};
    for (int i = 0; i < 6; ++i) {
        const QRectF s = main("switch", 10 + i);
        paint::caption(p, QRectF(s.right() + 6, s.top(), column.right() - s.right() - 8, s.height()),
                       QString::fromUtf8(switchCaptions[i]), Qt::AlignLeft | Qt::AlignVCenter, paint::kText,
                       10);
    }
    const QRectF count = main("Text1");
    paint::well(p, count);
    paint::caption(p,
                   QRectF(count.right() + 6, count.top(), column.right() - count.right() - 8, count.height()),
                   QStringLiteral("How many"), Qt::AlignLeft | Qt::AlignVCenter, paint::kTextDim, 9);
    paint::well(p, main("Wheel1").united(wheelButton).adjusted(-1, -1, 1, 1));

    // The page area's bezel, in front of the two columns' plates.
    p.fillRect(backPage.adjusted(-5, -5, 5, 5), paint::kEdgeDark);
    p.fillRect(backPage.adjusted(-4, -4, 4, 4), paint::kEdgeLight);
    p.fillRect(backPage.adjusted(-3, -3, 3, 3), paint::kEdgeDark);
    p.fillRect(backPage.adjusted(-2, -2, 2, 2), paint::kAccentDim);
    p.fillRect(backPage.adjusted(-1, -1, 1, 1), paint::kEdgeDark);

    // The wheel line and the album page's range under the page area. The strip reaches down to the foot
    // of the wheel line's design place, whose height is its font's: the descenders and the lower
    // strokes of its text stay on the cream and off the dark body.
    const QRectF wheelLine = main("Label1", 18);
    const double top = backPage.bottom() + 8;
    paint::panel(p, QRectF(backPage.left() + 4, top, backPage.width() - 8, wheelLine.bottom() - top), 3);
}

// The playing-now screen's background: the three songs on cream panels around their covers.
void nowPlayingScreen(QPainter& p, const QRectF& content, std::string_view) {
    paint::body(p, content, 11);
    QRadialGradient vignette(content.center(), content.width() * 0.7);
    vignette.setColorAt(0.0, QColor(0, 0, 0, 0));
    vignette.setColorAt(1.0, QColor(0, 0, 0, 140));
    p.fillRect(content, vignette);
    topBar(p, content, 38);
    logo(p, QRectF(content.center().x() - 110, 4, 220, 30), QStringLiteral("now playing"));

    struct Group {
        int cover;
        std::initializer_list<int> labels;
        const char* caption;
    };
    const Group groups[] = {{2, {8, 9, 10, 11}, "Next song"},
                            {1, {4, 5, 6, 7, 12, 13}, "Now playing"},
                            {0, {0, 1, 2, 3}, "Last song played"}};
    for (const Group& g : groups) {
        const QRectF cover = second("F2_Image1", g.cover);
        QRectF words = around(second, "F2_Label1", g.labels, 6);
        words = words.united(QRectF(cover.left() - 30, words.top(), cover.width() + 60, words.height()));
        words.setTop(std::max(words.top(), cover.bottom() - 24));
        words.setRight(std::min(words.right() + 80, content.right() - 8));
        paint::panel(p, words, 5);
        paint::coverFrame(p, cover);
        paint::caption(p, QRectF(cover.left() - 40, cover.top() - 18, cover.width() + 80, 12),
                       QString::fromUtf8(g.caption), Qt::AlignCenter, paint::kAccent, 10);
    }
}

} // namespace skin::draw

#include "app/designlayout.h"
#include "drawers.h"
#include "paint.h"

#include <QLinearGradient>
#include <QPainter>

#include <algorithm>
#include <cctype>
#include <string>

namespace skin::draw {

namespace {

using paint::px;

bool boxed(layout::Kind kind) {
    using layout::Kind;
    return kind == Kind::ListView || kind == Kind::TextBox || kind == Kind::ComboBox ||
           kind == Kind::CheckBox || kind == Kind::DriveList || kind == Kind::FolderList ||
           kind == Kind::FileList;
}

// Recessed wells under every list and box that lies on the page.
void wells(QPainter& p, std::string_view parent, int parentIndex = layout::kNoIndex) {
    for (const auto group : layout::kForm1Groups) {
        for (const layout::Element& e : group) {
            if (e.parent == parent && e.parentIndex == parentIndex && boxed(e.kind)) {
                paint::well(p, px(e.rect));
            }
        }
    }
}

void hint(QPainter& p, const QRectF& page, double band, const QString& s) {
    paint::caption(p, QRectF(page.right() - 360, page.top(), 346, band - 2), s,
                   Qt::AlignRight | Qt::AlignVCenter, paint::kTextDim, 9);
}

void listPage(QPainter& p, const QRectF& r, std::string_view name, const QString& title) {
    paint::page(p, r, title, 24);
    hint(p, r, 24, QStringLiteral("Double-click plays   ·   Del removes"));
    wells(p, name);
}

void tagEditor(QPainter& p, const QRectF& r) {
    paint::page(p, r, QStringLiteral("Edit song tags"), 30);
    wells(p, "Page_EditID3v2");
    const double headerTop = (layout::kTagRowTop - 330) / double(layout::kTwipsPerPixel);
    const QRectF v1 = paint::place("txtMP3", 0);
    const QRectF v2 = paint::place("txtMP3", 7);
    paint::caption(p, QRectF(v1.left(), headerTop, v1.width(), 14), QStringLiteral("ID3v1 tag"),
                   Qt::AlignLeft, paint::kAccent, 10);
    paint::caption(p, QRectF(v2.left(), headerTop, v2.width(), 14), QStringLiteral("ID3v2 tag"),
                   Qt::AlignLeft, paint::kAccent, 10);
    const char* rows[] = {"Artist", "Album", "Track", "Title", "Year", "Genre", "Comment"};
    for (int row = 0; row < 7; ++row) {
        const QRectF box = paint::place("txtMP3", row);
        const double left = double(layout::kTagCaptionLeft) / layout::kTwipsPerPixel - 8;
        paint::caption(p, QRectF(left, box.top(), box.left() - 8 - left, box.height()),
                       QString::fromUtf8(rows[row]), Qt::AlignRight | Qt::AlignVCenter, paint::kText, 10);
    }
}

void passwordPage(QPainter& p, const QRectF& r) {
    paint::page(p, r, QStringLiteral("Screen password"), 30);
    wells(p, "Page_EditScreenPass");
    paint::icon(p, QRectF(r.center().x() - 18, 42, 36, 36), paint::Icon::Lock, paint::kAccentDim);
    const QRectF current = paint::place("Text_Pass");
    const QRectF next = paint::place("Text_NewPass");
    paint::caption(p, QRectF(current.left(), current.top() - 17, current.width(), 12),
                   QStringLiteral("Password"), Qt::AlignLeft, paint::kText, 10);
    paint::caption(p, QRectF(next.left(), next.top() - 17, next.width(), 12),
                   QStringLiteral("New password (optional)"), Qt::AlignLeft, paint::kTextDim, 9);
}

void deletePage(QPainter& p, const QRectF& r) {
    paint::page(p, r, QStringLiteral("Delete the song database"), 30);
    p.fillRect(QRectF(r.left() + 1, 29, r.width() - 2, 1), QColor(0xd0, 0x40, 0x36));
    wells(p, "Page_DeleteDataBase");
    paint::text(p, QRectF(20, 40, r.width() - 40, 16),
                QStringLiteral("Every song is removed from the database."), paint::kText, 12,
                Qt::AlignLeft | Qt::AlignVCenter, false);
    paint::text(p, QRectF(20, 58, r.width() - 40, 16),
                QStringLiteral("Type the screen password, then press OK."), paint::kTextDim, 12,
                Qt::AlignLeft | Qt::AlignVCenter, false);
    const QRectF box = paint::place("Text3");
    paint::caption(p, QRectF(4, box.top(), box.left() - 12, box.height()), QStringLiteral("Password"),
                   Qt::AlignRight | Qt::AlignVCenter, paint::kText, 10);
}

void singleName(QPainter& p, const QRectF& r) {
    paint::body(p, r, 5);
    paint::panel(p, r.adjusted(3, 3, -3, -3), 6);
    paint::coverFrame(p, paint::place("Image11"));
    const QRectF album = paint::place("SingleAlbum");
    const QRectF artist = paint::place("SingleArtist");
    const QColor ink = paint::kPanelText.lighter(170);
    paint::caption(p, QRectF(album.left(), album.top() - 14, album.width(), 11), QStringLiteral("Album"),
                   Qt::AlignLeft, ink, 8);
    paint::caption(p, QRectF(artist.left(), artist.top() - 13, artist.width(), 11),
                   QStringLiteral("Album artist"), Qt::AlignLeft, ink, 8);
}

void albums(QPainter& p, const QRectF& r) {
    paint::page(p, r, QStringLiteral("Albums"), 26);
    hint(p, r, 26, QStringLiteral("Right-click a cover to queue the album"));
    for (int cell = 1; cell <= 8; ++cell) {
        const QRectF card =
            px(layout::albumCellRect(cell, {0, 0, layout::kAlbumCellWidth, layout::kAlbumCellHeight}));
        paint::panel(p, card, 5);
        paint::coverFrame(p, paint::place("SImage", cell));
    }
}

void topTen(QPainter& p, const QRectF& r) {
    paint::page(p, r, QStringLiteral("Top 10   ·   most played"), 28);
    hint(p, r, 28, QStringLiteral("The wheel button shows the next two"));
    const QColor ink = paint::kPanelText.lighter(150);
    for (int k = 0; k < 2; ++k) {
        paint::panel(p,
                     px(layout::kTopTenCardLeft[k], layout::kTopTenCardTop, layout::kTopTenCardWidth,
                        layout::kTopTenCardHeight),
                     6);
        paint::coverFrame(p, paint::place("Image6", k));
        const QRectF rank = paint::place("Label2", k);
        paint::caption(p, QRectF(rank.left(), rank.bottom() + 2, rank.width(), 11), QStringLiteral("Rank"),
                       Qt::AlignCenter, ink, 8);
        const QRectF count = paint::place("Label2", 2 + k);
        const QRectF card = px(layout::kTopTenCardLeft[k], 0, layout::kTopTenCardWidth, 0);
        paint::caption(p,
                       QRectF(card.left() + 10, count.top(), count.left() - card.left() - 16, count.height()),
                       QStringLiteral("Played"), Qt::AlignRight | Qt::AlignVCenter, ink, 10);
        paint::caption(p, QRectF(count.right() + 6, count.top(), 80, count.height()), QStringLiteral("times"),
                       Qt::AlignLeft | Qt::AlignVCenter, ink, 10);
    }
}

void search(QPainter& p, const QRectF& r) {
    paint::page(p, r, QString(), 0);
    const QRectF box = paint::place("Text2");
    const QRectF bar(r.left(), r.top(), r.width(), box.bottom() + 12);
    QLinearGradient g(bar.topLeft(), bar.bottomLeft());
    g.setColorAt(0.0, paint::kBand.lighter(115));
    g.setColorAt(1.0, paint::kBand);
    p.fillRect(bar, g);
    p.fillRect(QRectF(bar.left(), bar.bottom() - 2, bar.width(), 1), paint::kAccentDim);
    p.fillRect(QRectF(bar.left(), bar.bottom() - 1, bar.width(), 1), paint::kEdgeDark);
    const QRectF found = paint::place("Label21");
    paint::panel(
        p, QRectF(found.left() - 6, found.top() - 5, r.right() - 14 - found.left() + 6, found.height() + 10),
        3);
    wells(p, "Page_Search");
}

void backPage(QPainter& p, const QRectF& r) {
    paint::body(p, r, 3);
    p.fillRect(r, QColor(0, 0, 0, 90));
    QFont f = paint::uiFont(r.height() * 0.16, true);
    f.setLetterSpacing(QFont::AbsoluteSpacing, 10.0);
    p.setFont(f);
    p.setPen(QColor(255, 255, 255, 14));
    p.drawText(r, Qt::AlignCenter, QStringLiteral("TUNNORA"));
}

} // namespace

void page(QPainter& p, const QRectF& content, std::string_view name) {
    const std::string n = paint::lowerCase(name);
    if (n == "playlist.jpg") {
        listPage(p, content, "Page_PlayList", QStringLiteral("Playlist"));
    } else if (n == "lastsongplaylist.jpg") {
        listPage(p, content, "Page_LastSongPlaylist", QStringLiteral("Last songs played"));
    } else if (n == "addsongs.jpg") {
        paint::page(p, content, QStringLiteral("Add songs to the playlist"), 26);
        hint(p, content, 26, QStringLiteral("Double-click a file to queue it"));
        wells(p, "Page_AddSongs");
    } else if (n == "addmoresongs.jpg") {
        paint::page(p, content, QStringLiteral("Add songs to the database"), 30);
        wells(p, "Page_AddMoreSongs");
    } else if (n == "deletedatabase.jpg") {
        deletePage(p, content);
    } else if (n == "editid3v2.jpg") {
        tagEditor(p, content);
    } else if (n == "editscreenpass.jpg") {
        passwordPage(p, content);
    } else if (n == "backpage.jpg") {
        backPage(p, content);
    } else if (n == "single-name.jpg") {
        singleName(p, content);
    } else if (n == "single-list.jpg") {
        paint::body(p, content, 9);
        wells(p, "Picture5", 1);
    } else if (n == "albums.jpg") {
        albums(p, content);
    } else if (n == "database.jpg") {
        paint::page(p, content, QStringLiteral("Song database"), 26);
        hint(p, content, 26, QStringLiteral("Double-click a song to queue it"));
        wells(p, "Page_DataBase");
    } else if (n == "top10.jpg") {
        topTen(p, content);
    } else if (n == "search.jpg") {
        search(p, content);
    } else {
        paint::page(p, content, QString(), 0); // the single-album page, covered by its two panels
    }
}

} // namespace skin::draw

// The five browse pages opened and worked with the mouse and keys through the shown main window.
#include "browsestation.h"
#include "controls/wheel.h"
#include "gui.h"
#include "platform/label.h"
#include "platform/listmodel.h"
#include "platform/picturebox.h"
#include "platform/textbox.h"

#include <QApplication>
#include <QDrag>
#include <QHeaderView>
#include <QHelpEvent>
#include <QScrollBar>
#include <QToolTip>
#include <QTreeView>

#include <gtest/gtest.h>

using namespace testing_support;

namespace {

struct ShownStation : BrowseStation {
    explicit ShownStation(const TestDatabase& db) {
        start(db);
        showAndExpose(&form());
    }
    ShownStation()
        : ShownStation(twentyAlbums(std::filesystem::temp_directory_path() / "unused")) {}

    void bar(int element, int button = tk::kLeftButton) { click(&form().switch_[element], button); }
    std::vector<std::string> cells() {
        std::vector<std::string> out;
        for (int k = 1; k <= 8; ++k) {
            out.push_back(form().SLAlbum[k].caption());
        }
        return out;
    }
};

// The tool tip that shows when the pointer rests on `w`; empty when none shows.
std::string toolTipOver(QWidget* w) {
    QHelpEvent rest(QEvent::ToolTip, QPoint(2, 2), w->mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(w, &rest);
    return rest.isAccepted() ? QToolTip::text().toStdString() : std::string();
}

std::vector<std::string> albums(int from, int to) {
    std::vector<std::string> out;
    for (int i = from; i <= to; ++i) {
        out.push_back(i <= 20 ? "Album " + two(i) : "");
    }
    return out;
}

} // namespace

TEST(BrowsePages, TheAlbumPagePagesWithTheWheelButtonAndOpensACoversAlbum) {
    ShownStation s;
    Form1& f = s.form();
    s.bar(11);
    ASSERT_EQ(f.pages.AlbumPageOpen, 1);
    EXPECT_EQ(f.SLArtist[1].caption(), "Artist 01");
    EXPECT_TRUE(f.Label1[19].visible());

    // By album: eight rows on with the left button, back with the right one, wrapping at both ends.
    s.bar(19);
    ASSERT_EQ(f.browse.AlbumPageMode, 2);
    EXPECT_EQ(s.cells(), albums(1, 8));
    std::vector<std::vector<std::string>> pages;
    for (int button : {1, 1, 1, 2, 2}) {
        s.bar(16, button);
        pages.push_back(s.cells());
    }
    EXPECT_EQ(pages, (std::vector<std::vector<std::string>>{albums(9, 16), albums(17, 24), albums(1, 8),
                                                            albums(12, 19), albums(4, 11)}));

    // A cover press makes its album current, which turns the wheel onto an artist row; the next step
    // still goes on from the page's first cell.
    click(&f.SImage[2]);
    EXPECT_EQ(f.browse.CurAlbum, "Album 05");
    EXPECT_EQ(f.browse.CurArtist, "Artist 15");
    s.bar(16);
    EXPECT_EQ(s.cells(), albums(12, 19));

    // An empty cell opens nothing; a compilation's cover opens the compilation.
    s.bar(16);
    ASSERT_EQ(f.SLArtist[1].caption(), "Various Artists");
    doubleClick(&f.SImage[5]);
    EXPECT_EQ(f.pages.AlbumPageOpen, 1);
    EXPECT_EQ(f.browse.CurAlbum, "Album 05");
    doubleClick(&f.SImage[1]);
    EXPECT_EQ(f.pages.SinglePageOpen, 1);
    EXPECT_EQ(f.SingleAlbum->caption(), "Album 20");
    s.bar(11);

    // A double-click on a cover ends on the single-album page with that album.
    s.bar(16, tk::kRightButton);
    doubleClick(&f.SImage[3], tk::kRightButton);
    EXPECT_EQ(f.pages.AlbumPageOpen, 0);
    EXPECT_EQ(f.pages.SinglePageOpen, 1);
    EXPECT_EQ(f.SingleAlbum->caption(), "Album 14");
    EXPECT_TRUE(s.rt.messages().shown.empty());
}

TEST(BrowsePages, TheTopTenShowsPairsOfTheMostPlayedAndOpensACoversAlbum) {
    ShownStation s(
        databaseOf({song("/m/x", "X", "One", "First", "1", "5"), song("/m/y", "Y", "Two", "Second", "2", "9"),
                    song("/m/z", "Z", "Three", "Third", "3", "1")}));
    Form1& f = s.form();
    s.bar(13);
    ASSERT_EQ(f.pages.TopTenPageOpen, 1);
    EXPECT_EQ(f.Label11[0].caption(), "2 - Second");

    // The wheel button shows the next pair; a rank with no song keeps its entry.
    s.bar(16);
    EXPECT_EQ(f.Label2[0].caption(), "3");
    EXPECT_EQ(f.Label2[1].caption(), "4");
    EXPECT_EQ(f.Label11[0].caption(), "3 - Third");
    EXPECT_EQ(f.Label11[3].caption(), "1 - First");

    // A double-click on the second cover opens its song's album.
    doubleClick(&f.Image6[1]);
    EXPECT_EQ(f.pages.SinglePageOpen, 1);
    EXPECT_EQ(f.SingleAlbum->caption(), "One");
}

TEST(BrowsePages, TheSongListSortsByAHeaderAndOpensTheAlbumOfARow) {
    ShownStation s(
        databaseOf({song("/m/x", "X", "One", "First", "1", "5"), song("/m/y", "Y", "Two", "Second", "2", "9"),
                    song("/m/z", "Z", "Three", "Third", "3", "1")}));
    Form1& f = s.form();
    tk::ListView& list = *f.ListView;
    s.bar(13); // the top 10 leaves the list in play-count order; the database page puts it back
    s.bar(12);
    ASSERT_EQ(f.pages.DataBasePageOpen, 1);
    EXPECT_EQ(column(list, 4), (std::vector<std::string>{"First", "Second", "Third"}));

    // A header click sorts by its column, ascending but for "Played # Times", most played first; that
    // header lies past the list's right edge and is scrolled into view with the scroll bar first.
    const auto clickHeader = [&](int c) {
        QHeaderView* header = list.view().header();
        list.view().horizontalScrollBar()->setValue(header->sectionPosition(c));
        click(header->viewport(), 1, QPoint(header->sectionViewportPosition(c) + 5, header->height() / 2));
    };
    clickHeader(2);
    EXPECT_EQ(column(list, 4), (std::vector<std::string>{"First", "Third", "Second"}));
    clickHeader(5);
    EXPECT_EQ(column(list, 4), (std::vector<std::string>{"Second", "First", "Third"}));

    click(list.view().viewport(), 1, list.view().visualRect(list.model().index(2, 5)).center());
    EXPECT_EQ(f.browse.CurAlbum, "Three");
    EXPECT_EQ(f.browse.DragSource, 1);
    // An arrow key moves the selection only; a typed letter then shows the selected song's album on
    // the album's song page.
    pressKey(&list, Qt::Key_Up);
    ASSERT_EQ(list.selectedRow(), 2);
    EXPECT_EQ(f.SingleAlbum->caption(), "Three");
    type(&list, "q");
    EXPECT_EQ(f.SingleAlbum->caption(), "One");
    EXPECT_EQ(f.browse.CurrentArtistIndex, 3);
    // Without a selected row neither changes anything but the drag source.
    list.select(0);
    f.browse.DragSource = 0;
    int key = 'x';
    f.ListView_KeyPress(key);
    f.ListView_Click();
    EXPECT_EQ(f.browse.DragSource, 1);
    EXPECT_EQ(f.SingleAlbum->caption(), "One");
}

TEST(BrowsePages, TheSearchRunsByEnterOrButtonAndOnlySongResultsCanBeDragged) {
    ShownStation s(
        databaseOf({song("/m/x", "Solo", "One", "First", "1"), song("/m/y", "Y", "Solstice", "Sole", "2")}));
    Form1& f = s.form();
    s.bar(14);
    ASSERT_EQ(f.pages.SearchPageOpen, 1);
    type(f.Text2, "so");
    pressKey(f.Text2, Qt::Key_Return, "\r");
    EXPECT_EQ(f.layout.EnterPressed, 1);
    EXPECT_EQ(f.Label21->caption(), "Found 3 Words With - ( so )");
    f.Text2->setText("ol");
    click(&f.Switches[9]);
    EXPECT_EQ(f.Label21->caption(), "Found 3 Words With - ( ol )");

    // Arrow keys open the album of each result row reached.
    click(f.SAlbumlist->view().viewport(), 1, rowPoint(*f.SAlbumlist, 1));
    EXPECT_EQ(f.browse.CurAlbum, "Solstice");
    click(f.SArtistlist->view().viewport(), 1, rowPoint(*f.SArtistlist, 1));
    EXPECT_EQ(f.browse.CurAlbum, "One");
    pressKey(f.SSonglist, Qt::Key_Down);
    pressKey(f.SSonglist, Qt::Key_Up);
    EXPECT_EQ(f.browse.CurAlbum, "Solstice");
    EXPECT_EQ(f.browse.DragSource, 3);

    // Rows of the song results can be dragged onto the now-playing cover, album and artist rows not.
    for (tk::ListView* list : {f.SAlbumlist, f.SArtistlist, f.SSonglist}) {
        startDragging(list->view().viewport(), rowPoint(*list, 1));
        release(list->view().viewport(), 1, rowPoint(*list, 1));
        EXPECT_EQ(list->view().findChild<QDrag*>() != nullptr, list == f.SSonglist) << list->name();
    }
}

// The labels the pages size for themselves end a caption too long for them in "…" at the right, and
// the whole caption shows in their tool tip; the found count stays inside the page. The song labels the
// settings place keep cutting their caption at their edges.
TEST(BrowsePages, ACaptionTooLongForItsPageLabelEndsInAnEllipsisAndShowsWholeInTheToolTip) {
    const std::string artist = "Ada & the Engines with the Travelling Orchestra of the Northern Lights";
    const std::string album = "Album 01 of " + artist;
    ShownStation s(databaseOf({song("/m/" + album, artist, album, "Song 01 of " + album, "1", "3"),
                               song("/m/b", "B", "Two", "Second", "2")}));
    Form1& f = s.form();
    s.bar(11);
    s.bar(14);
    type(f.Text2, "Song 01 of Album 01 of Ada");
    click(&f.Switches[9]);
    const std::string found = "Found 1 Words With - ( Song 01 of Album 01 of Ada )";
    ASSERT_EQ(f.Label21->caption(), found);
    ASSERT_EQ(f.SLAlbum[1].caption(), album);
    ASSERT_EQ(f.SLAlbum[2].caption(), "Two");
    ASSERT_EQ(f.Label11[0].caption(), "1 - Song 01 of " + album);
    for (tk::Label* label : {&f.SLAlbum[1], &f.SLArtist[1], &f.SLFile[1], &f.Label11[0], &f.Label11[1],
                             &f.Label11[2], f.SingleAlbum, f.Label21}) {
        const std::string shown = label->shownCaption();
        const std::string ellipsis = "\u2026";
        ASSERT_GT(shown.size(), ellipsis.size()) << label->name();
        EXPECT_EQ(shown.substr(shown.size() - ellipsis.size()), ellipsis) << label->name();
        EXPECT_EQ(label->caption().substr(0, shown.size() - ellipsis.size()),
                  shown.substr(0, shown.size() - ellipsis.size()))
            << label->name();
        EXPECT_EQ(toolTipOver(label), label->caption()) << label->name();
    }
    EXPECT_EQ(f.SLAlbum[2].shownCaption(), "Two");
    EXPECT_EQ(toolTipOver(&f.SLAlbum[2]), "");
    EXPECT_LE(f.Page_Search->left() + f.Label21->left() + f.Label21->width(), f.BackPage->width());

    // A song label as Apply leaves it: 2000 twips wide, the caption cut off rather than shortened.
    f.Label1[5].setAutoSize(false);
    f.Label1[5].setWidth(2000);
    f.Label1[5].setCaption(album);
    EXPECT_EQ(f.Label1[5].shownCaption(), album);
}

TEST(BrowsePages, APanelOpensItsSongsAlbumOnTheSingleAlbumPage) {
    ShownStation s(
        databaseOf({song("/m/x", "X", "One", "First", "1"), song("/m/y", "Y", "Two", "Second", "2")}));
    Form1& f = s.form();
    f.Label1[5].setCaption("Y");
    f.Label1[6].setCaption("Two");
    press(&f.Image1[1], tk::kRightButton);
    EXPECT_EQ(f.Image1[1].borderStyle(), 1);
    EXPECT_EQ(f.pages.SinglePageOpen, 1);
    EXPECT_EQ(f.SingleAlbum->caption(), "Two");
    release(&f.Image1[1], tk::kRightButton);
    EXPECT_EQ(f.Image1[1].borderStyle(), 0);
    // The current album's panel puts its line back after the wheel was turned elsewhere; the page
    // stays open.
    f.Wheel1->setValue(1);
    EXPECT_EQ(f.Label1[18].caption(), "1 - X  -  One");
    click(&f.Image1[3]);
    EXPECT_EQ(f.Label1[18].caption(), "2 - Y - Two");
    EXPECT_EQ(f.pages.SinglePageOpen, 1);
    // A panel naming no album, and any panel in layout-edit mode, change nothing.
    f.Label1[6].setCaption("");
    click(&f.Image1[1]);
    f.layout.LayoutEditMode = 1.0f;
    f.Label1[1].setCaption("X");
    f.Label1[2].setCaption("One");
    press(&f.Image1[0]);
    EXPECT_EQ(f.Image1[0].borderStyle(), 0);
    release(&f.Image1[0]);
    EXPECT_EQ(f.browse.CurAlbum, "Two");
    // The next song's panel opens the next song's album, not the playing song's.
    f.layout.LayoutEditMode = 0.0f;
    f.Label1[6].setCaption("Two");
    f.Label1[9].setCaption("X");
    f.Label1[10].setCaption("One");
    press(&f.Image1[2]);
    EXPECT_EQ(f.browse.CurAlbum, "One");
}

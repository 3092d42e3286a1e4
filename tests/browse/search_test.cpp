#include "browsestation.h"
#include "platform/label.h"
#include "platform/textbox.h"

#include <gtest/gtest.h>

using namespace testing_support;

namespace {

struct Search : BrowseStation {
    using BrowseStation::BrowseStation;
    void find(const std::string& text) {
        form().Text2->setText(text);
        form().SearchSongs();
    }
    std::string found() { return form().Label21->caption(); }
    std::vector<std::string> titles() { return column(*form().SSonglist, 1); }
};

} // namespace

TEST(Search, FindsTextInArtistsAlbumsAndTitlesIgnoringCaseAlsoBeyondAscii) {
    Search s(databaseOf({
        song("/m/e", "Édith", "Échos", "Écho du soir", "1"),
        song("/m/k", "Kraftwerk", "Radio", "Airwaves", "2"),
        song("/m/l", "LOW", "Lowlands", "Below Zero", "3"),
    }));
    Form1& f = s.form();
    // Upper case finds what lower case finds; "é" finds "É"; the count is per row added.
    s.find("ÉC");
    EXPECT_EQ(s.titles(), (std::vector<std::string>{"Écho du soir"}));
    EXPECT_EQ(column(*f.SAlbumlist, 1), (std::vector<std::string>{"Échos"}));
    EXPECT_EQ(f.SArtistlist->count(), 0);
    EXPECT_EQ(s.found(), "Found 2 Words With - ( ÉC )");
    s.find("éd");
    EXPECT_EQ(column(*f.SArtistlist, 1), (std::vector<std::string>{"Édith"}));

    // A text found in all three fields of a song adds a row to each list.
    s.find("lo");
    EXPECT_EQ(column(*f.SArtistlist, 1), (std::vector<std::string>{"LOW"}));
    EXPECT_EQ(s.titles(), (std::vector<std::string>{"Below Zero"}));
    EXPECT_EQ(s.found(), "Found 3 Words With - ( lo )");

    // Blanks of the text count; no match empties the lists.
    s.find(" z");
    EXPECT_EQ(s.titles(), (std::vector<std::string>{"Below Zero"}));
    s.find("zz");
    EXPECT_EQ(f.SArtistlist->count() + f.SAlbumlist->count() + f.SSonglist->count(), 0);
    EXPECT_EQ(s.found(), "Found 0 Words With - ( zz )");

    // One character, also one beyond ASCII, is refused and leaves every result as it was.
    s.find("ra");
    for (const std::string shortText : {"é", "r", ""}) {
        s.find(shortText);
        EXPECT_EQ(f.Text2->text(), "     Need Minimum of 2 characters");
        EXPECT_EQ(s.found(), "Found 2 Words With - ( ra )");
        EXPECT_EQ(column(*f.SArtistlist, 1), (std::vector<std::string>{"Kraftwerk"}));
    }
    // The message itself is then the text searched for.
    f.SearchSongs();
    EXPECT_EQ(s.found(), "Found 0 Words With - (      Need Minimum of 2 characters )");
}

TEST(Search, EachListHoldsOneRowPerKeyFromTheFirstSongInListOrder) {
    std::vector<library::SongRecord> songs;
    for (int i = 1; i <= 10; ++i) {
        songs.push_back(song("/m/t", "Tarkus", "Ten", "Part " + std::to_string(i),
                             i < 10 ? "0" + std::to_string(i) : "10"));
    }
    songs.push_back(song("/m/t2", "tarkus", "Ten", "Part 1", "01"));     // the artist spelled otherwise
    songs.push_back(song("/m/t", "Tarkus", "Ten", "Part 1", "01"));      // the same song entered twice
    songs.push_back(song("/m/o", "Other", "Elsewhere", "Part 1", "01")); // the same title elsewhere
    Search s(databaseOf(songs));
    Form1& f = s.form();
    s.find("ar");
    EXPECT_EQ(column(*f.SArtistlist, 1), (std::vector<std::string>{"Tarkus", "tarkus"}));
    EXPECT_EQ(column(*f.SArtistlist, 3), (std::vector<std::string>{"Part 1", "Part 1"}));
    EXPECT_EQ(f.SArtistlist->subItem(1, 4), "/m/t/01 Part 1.mp3");
    // Ten titles of the album, the other spelling's and the other album's "Part 1": twelve rows.
    EXPECT_EQ(f.SSonglist->count(), 12);
    EXPECT_EQ(column(*f.SSonglist, 0).back(), "12");
    EXPECT_EQ(s.found(), "Found 14 Words With - ( ar )");

    // The columns of each list.
    s.find("ten");
    ASSERT_EQ(f.SAlbumlist->count(), 2);
    EXPECT_EQ(column(*f.SAlbumlist, 2), (std::vector<std::string>{"Tarkus", "tarkus"}));
    EXPECT_EQ(f.SAlbumlist->subItem(1, 3), "/m/t/01 Part 1.mp3");
    EXPECT_EQ(f.SAlbumlist->subItem(1, 4), "");
    s.find("t 2");
    ASSERT_EQ(f.SSonglist->count(), 1);
    EXPECT_EQ(column(*f.SSonglist, 2), (std::vector<std::string>{"02"}));
    EXPECT_EQ(f.SSonglist->subItem(1, 3), "Ten");
    EXPECT_EQ(f.SSonglist->subItem(1, 4), "Tarkus");
    EXPECT_EQ(f.SSonglist->subItem(1, 5), "/m/t/02 Part 2.mp3");
    EXPECT_EQ(f.SSonglist->subItem(1, 6), "000002");
}

TEST(Search, QueuedSongsShowMarkedByRecordNumber) {
    Search s(databaseOf({song("/m/a", "A", "First", "Intro", "1"), song("/m/b", "B", "Second", "Intro", "1"),
                         song("/m/b", "B", "Second", "Outro", "2")}));
    Form1& f = s.form();
    // The second song (record 2) is queued.
    for (int r = 1; r <= f.ListView->count(); ++r) {
        f.ListView->setBold(r, 0, f.ListView->subItem(r, 10) == "000002");
    }
    s.find("tro");
    ASSERT_EQ(s.titles(), (std::vector<std::string>{"Intro", "Intro", "Outro"}));
    for (int c = 0; c <= 6; ++c) {
        const bool marked = c >= 1 && c <= 5;
        EXPECT_FALSE(f.SSonglist->bold(1, c));
        EXPECT_EQ(f.SSonglist->bold(2, c), marked) << c;
        EXPECT_EQ(f.SSonglist->foreColor(2, c), marked ? 255u : 0u) << c;
        EXPECT_FALSE(f.SSonglist->bold(3, c));
    }
}

TEST(Search, ResultsFollowTheSongListsOrderAlsoAfterTheTopTen) {
    Search s(databaseOf({song("/m/a", "Ann", "Quiet", "Slow one", "1", "2"),
                         song("/m/b", "Bob", "Loud", "Slow two", "1", "9"),
                         song("/m/c", "Cy", "Calm", "Slow three", "1", "5")}));
    Form1& f = s.form();
    s.find("slow");
    EXPECT_EQ(s.titles(), (std::vector<std::string>{"Slow one", "Slow two", "Slow three"}));
    f.FillTopTen();
    s.find("slow");
    EXPECT_EQ(s.titles(), (std::vector<std::string>{"Slow two", "Slow three", "Slow one"}));
    f.RestoreListOrder();
    s.find("slow");
    EXPECT_EQ(s.titles(), (std::vector<std::string>{"Slow one", "Slow two", "Slow three"}));
}

TEST(Search, AResultListWithoutASelectedRowOpensNothing) {
    Search s(databaseOf(
        {song("/m/a", "Ann", "Quiet", "Song A", "1"), song("/m/b", "Bob", "Loud", "Song B", "1")}));
    Form1& f = s.form();
    s.find("o");
    for (tk::ListView* list : {f.SSonglist, f.SAlbumlist, f.SArtistlist}) {
        list->select(0);
    }
    // The song results leave the drag source; the album and artist results still name the song list.
    f.browse.DragSource = 0;
    f.browse.FindAlbum = "unchanged";
    f.SSonglist_Click();
    EXPECT_EQ(f.browse.DragSource, 0);
    f.SAlbumlist_Click();
    f.SArtistlist_Click();
    EXPECT_EQ(f.browse.DragSource, 1);
    EXPECT_EQ(f.browse.FindAlbum, "unchanged");
    EXPECT_EQ(f.browse.CurAlbum, "Quiet");
}

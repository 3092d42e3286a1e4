#include "browsestation.h"
#include "platform/label.h"
#include "platform/picturebox.h"

#include <gtest/gtest.h>

using namespace testing_support;

namespace {

struct Entries {
    std::string ranks, first, second;
};

// The two ranks, then each entry as "track - title | artist | album | plays".
Entries shown(Form1& f) {
    const auto entry = [&](int title, int plays) {
        return f.Label11[title].caption() + " | " + f.Label11[title + 1].caption() + " | " +
               f.Label11[title + 2].caption() + " | " + f.Label2[plays].caption();
    };
    return {f.Label2[0].caption() + "-" + f.Label2[1].caption(), entry(0, 2), entry(3, 3)};
}

void showRanks(Form1& f, int first) {
    f.browse.TopTenFirst = first;
    f.browse.TopTenLast = first + 1;
    f.FillTopTen();
}

} // namespace

TEST(TopTen, ShowsTheMostPlayedInPairsTiesInListOrder) {
    // Twelve songs played 11, 10, ..., 0 times, and one more played 7 times by an artist that sorts
    // first: it ranks after the older 7 only by the list's artist order.
    std::vector<library::SongRecord> songs;
    for (int i = 0; i < 12; ++i) {
        const std::string n = std::to_string(i);
        songs.push_back(
            song("/m/b" + n, "B" + n, "Album " + n, "Song " + n, "0" + n, std::to_string(11 - i)));
    }
    songs.push_back(song("/m/a", "A", "Early", "Tied", "07", "7"));
    BrowseStation s(databaseOf(songs));
    BrowseStation::writeCover(songs[1].fileLocation, 64);
    Form1& f = s.form();

    showRanks(f, 1);
    EXPECT_EQ(shown(f).ranks, "1-2");
    EXPECT_EQ(shown(f).first, "00 - Song 0 | B0 | Album 0 | 0011");
    EXPECT_EQ(shown(f).second, "01 - Song 1 | B1 | Album 1 | 0010");
    EXPECT_EQ(f.Image6[1].picture().widthPx(), 64);
    // The song list is left in play-count order, sorting off.
    EXPECT_EQ(f.ListView->subItem(1, 4), "Song 0");
    EXPECT_FALSE(f.ListView->sorted());

    showRanks(f, 3);
    EXPECT_EQ(shown(f).second, "03 - Song 3 | B3 | Album 3 | 0008");
    EXPECT_TRUE(f.Image6[1].picture().image() ==
                QImage(QString::fromStdString((s.rt.programFolder() / "Skin" / "Cover.jpg").string())));
    showRanks(f, 5);
    EXPECT_EQ(shown(f).first, "07 - Tied | A | Early | 0007");
    EXPECT_EQ(shown(f).second, "04 - Song 4 | B4 | Album 4 | 0007");
    showRanks(f, 9);
    EXPECT_EQ(shown(f).ranks, "9-10");
    EXPECT_EQ(shown(f).second, "08 - Song 8 | B8 | Album 8 | 0003");
}

TEST(TopTen, ARankWithoutASongKeepsItsEntryAndBothRanksAreWritten) {
    BrowseStation s(
        databaseOf({song("/m/x", "X", "One", "First", "1", "5"), song("/m/y", "Y", "Two", "Second", "2", "3"),
                    song("/m/z", "Z", "Three", "Third", "3", "1")}));
    Form1& f = s.form();
    showRanks(f, 1);
    showRanks(f, 3);
    EXPECT_EQ(shown(f).ranks, "3-4");
    EXPECT_EQ(shown(f).first, "3 - Third | Z | Three | 0001");
    EXPECT_EQ(shown(f).second, "2 - Second | Y | Two | 0003");

    // No songs at all: the entries stay, the ranks still change.
    f.ListView->clear();
    showRanks(f, 5);
    EXPECT_EQ(shown(f).ranks, "5-6");
    EXPECT_EQ(shown(f).first, "3 - Third | Z | Three | 0001");
}

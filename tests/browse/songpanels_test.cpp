#include "browsestation.h"
#include "controls/wheel.h"
#include "platform/label.h"
#include "platform/picturebox.h"

#include <gtest/gtest.h>

using namespace testing_support;

TEST(SongPanels, APanelPressOpensItsSongsAlbumOrPutsTheCurrentAlbumBack) {
    BrowseStation s(databaseOf({song("/m/one", "A", "One", "First", "1"), song("/m/two", "B", "Two", "Second", "1"),
                                song("/m/three", "C", "Three", "Third", "1")}));
    Form1& f = s.form();
    f.pages.SinglePageOpen = 1;
    // Panels 0, 1 and 2 name the album by the labels beside them; any button acts.
    const std::tuple<int, int, const char*, const char*> panels[] = {
        {0, 1, "B", "Two"}, {1, 5, "C", "Three"}, {2, 9, "A", "One"}};
    for (const auto& [panel, artistLabel, artist, name] : panels) {
        f.Label1[artistLabel].setCaption(artist);
        f.Label1[artistLabel + 1].setCaption(name);
        f.Image1_MouseDown(panel, panel == 1 ? tk::kRightButton : tk::kLeftButton, 0, 0, 0);
        EXPECT_EQ(f.browse.CurAlbum, name);
        EXPECT_EQ(f.SingleAlbum->caption(), name);
        EXPECT_EQ(f.Image1[panel].borderStyle(), 1);
        f.Image1_MouseUp(panel, tk::kLeftButton, 0, 0, 0);
        EXPECT_EQ(f.Image1[panel].borderStyle(), 0);
    }
    // A panel naming no album changes nothing.
    f.Label1[5].setCaption("");
    f.Label1[6].setCaption("");
    f.Image1_MouseDown(1, tk::kLeftButton, 0, 0, 0);
    EXPECT_EQ(f.browse.CurAlbum, "One");

    // The current album's panel puts its line back after the wheel was turned elsewhere.
    f.Wheel1->setValue(3);
    EXPECT_EQ(f.Label1[18].caption(), "3 - C  -  Three");
    f.Image1_MouseDown(3, tk::kLeftButton, 0, 0, 0);
    EXPECT_EQ(f.Label1[18].caption(), "1 - A - One");
    EXPECT_EQ(f.Wheel1->value(), 3);

    // In layout-edit mode the panels are not buttons.
    f.layout.LayoutEditMode = 1.0f;
    f.Image1_MouseDown(0, tk::kLeftButton, 0, 0, 0);
    EXPECT_EQ(f.Image1[0].borderStyle(), 0);
    EXPECT_EQ(f.browse.CurAlbum, "One");
}

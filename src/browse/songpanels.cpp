// The four cover panels of the main window: the last song played, the song playing now, the next
// song and the current album. A press opens the panel's album on the album's song page.
#include "app/form1.h"
#include "platform/label.h"
#include "platform/picturebox.h"

#include <array>
#include <string>

namespace {

// The labels naming the artist and the album of the song each of panels 0 to 2 shows.
constexpr std::array<std::array<int, 2>, 3> kPanelLabels = {{{1, 2}, {5, 6}, {9, 10}}};

} // namespace

// Every mouse button acts the same. In layout-edit mode the panels are elements being placed, not
// buttons.
void Form1::Image1_MouseDown(int Index, int, int, float, float) {
    if (layout.LayoutEditMode == 1.0f || Index < 0 || Index > 3) {
        return;
    }
    Image1[Index].setBorderStyle(1);
    if (Index <= 2) {
        const auto& [artist, album] = kPanelLabels[static_cast<std::size_t>(Index)];
        browse.FindArtist = Label1[artist].caption();
        browse.FindAlbum = Label1[album].caption();
        FindArtistAlbum();
    } else if (browse.CurrentArtistIndex >= 1) {
        // Puts the current album back on the wheel line after the wheel was turned elsewhere.
        Label1[18].setCaption(std::to_string(browse.CurrentArtistIndex) + " - " + browse.CurArtist + " - " +
                              browse.CurAlbum);
    }
    if (pages.SinglePageOpen == 0) {
        switch_Click(10);
    }
}

void Form1::Image1_MouseUp(int Index, int, int, float, float) {
    if (layout.LayoutEditMode == 1.0f || Index < 0 || Index > 3) {
        return;
    }
    Image1[Index].setBorderStyle(0);
}

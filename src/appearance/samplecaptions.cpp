#include "app/form1.h"
#include "app/station.h"
#include "platform/label.h"
#include "screen/form2.h"

// While no song is current the song labels would be empty and, sizing themselves to their text, could
// be neither seen nor placed; the samples show what each will hold.
void Form1::ShowSampleCaptions() {
    static constexpr const char* kSongPanels[12] = {"Song",  "Artist", "Album", "###",    "Song",  "Artist",
                                                    "Album", "Trk",    "Song",  "Artist", "Album", "###/###"};
    for (int i = 0; i <= 11; ++i) {
        Label1[i].setCaption(kSongPanels[i]);
    }
    Form2& screen = station().form2();
    for (int i = 0; i <= 11; ++i) {
        screen.F2_Label1[i].setCaption(kSongPanels[i]);
    }
    Label1[12].setCaption("00:00");
    Label1[13].setCaption("04:35");
    Label1[14].setCaption("S###");
    Label1[15].setCaption("AL##");
    Label1[16].setCaption("AR##");
    Label1[18].setCaption("##-Artist-Album");
    Label1[19].setCaption("###");
    Label1[20].setCaption("###");
}

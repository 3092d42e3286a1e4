#include "app/form1.h"
#include "app/station.h"
#include "platform/label.h"
#include "screen/form2.h"

namespace {

// One sample: the label (of the main window, or of the playing-now screen) and the text it shows.
struct Sample {
    bool onScreen;
    int index;
    const char* caption;
};

// clang-format off
constexpr Sample kSamples[] = {
    {false, 0, "Song"}, {false, 1, "Artist"}, {false, 2, "Album"}, {false, 3, "###"},
    {false, 4, "Song"}, {false, 5, "Artist"}, {false, 6, "Album"}, {false, 7, "Trk"},
    {false, 8, "Song"}, {false, 9, "Artist"}, {false, 10, "Album"}, {false, 11, "###/###"},
    {true, 0, "Song"}, {true, 1, "Artist"}, {true, 2, "Album"}, {true, 3, "###"},
    {true, 4, "Song"}, {true, 5, "Artist"}, {true, 6, "Album"}, {true, 7, "Trk"},
    {true, 8, "Song"}, {true, 9, "Artist"}, {true, 10, "Album"}, {true, 11, "###/###"},
    {false, 12, "00:00"}, {false, 13, "04:35"}, {false, 14, "S###"}, {false, 15, "AL##"},
    {false, 16, "AR##"}, {false, 18, "##-Artist-Album"}, {false, 19, "###"}, {false, 20, "###"},
};
// clang-format on

tk::Label& labelOf(Form1& f, const Sample& s) {
    return s.onScreen ? f.station().form2().F2_Label1[s.index] : f.Label1[s.index];
}

} // namespace

// While no song is current the song labels would be empty and, sizing themselves to their text, could
// be neither seen nor placed; the samples show what each will hold.
void Form1::ShowSampleCaptions() {
    for (const Sample& s : kSamples) {
        labelOf(*this, s).setCaption(s.caption);
    }
}

void Form1::rememberCaptionsUnderSamples() {
    m_captionsUnderSamples.clear();
    for (const Sample& s : kSamples) {
        m_captionsUnderSamples.push_back(labelOf(*this, s).caption());
    }
}

// A label that shows something other than its sample by now (a song started meanwhile) keeps it.
void Form1::putBackCaptionsUnderSamples() {
    if (m_captionsUnderSamples.size() != std::size(kSamples)) {
        return;
    }
    for (std::size_t i = 0; i < std::size(kSamples); ++i) {
        tk::Label& label = labelOf(*this, kSamples[i]);
        if (label.caption() == kSamples[i].caption) {
            label.setCaption(m_captionsUnderSamples[i]);
        }
    }
    m_captionsUnderSamples.clear();
}

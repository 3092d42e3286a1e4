// The displays of playback: the volume and song-position sliders, the elapsed time and length, the
// clock and the play-state picture on the main bar, the song covers, and the playing-now screen's
// copies of the song labels and covers.
#include "app/form1.h"

#include "app/station.h"
#include "appearance/frmoptions.h"
#include "controls/sliderpic.h"
#include "platform/errors.h"
#include "platform/label.h"
#include "platform/picturebox.h"
#include "platform/runtime.h"
#include "platform/timer.h"
#include "player/playbackguard.h"
#include "player/playrules.h"
#include "screen/form2.h"

#include <ctime>

namespace {

// The split time fields hold 16 bits: a time past them keeps the nearest value.
void splitInto(std::int32_t seconds, std::int16_t& minutes, std::int16_t& rest) {
    const auto fit = [](std::int32_t v) {
        return static_cast<std::int16_t>(std::clamp<std::int32_t>(v, INT16_MIN, INT16_MAX));
    };
    const player::MinutesSeconds t = player::splitTime(seconds);
    minutes = fit(t.minutes);
    rest = fit(t.seconds);
}

// The play-state picture of each state the player reports.
const char* playStatePicture(const std::string& state) {
    if (state == "STOPPED") {
        return "\\PlayStop.jpg";
    }
    if (state == "PLAYING") {
        return "\\PlayPLAY.jpg";
    }
    if (state == "PAUSED") {
        return "\\PlayPAUSE.jpg";
    }
    return nullptr;
}

} // namespace

void mirrorCaptions(Form1& form, int first, int last) {
    Form2& screen = form.station().form2();
    for (int k = first; k <= last; ++k) {
        screen.F2_Label1[k].setCaption(form.Label1[k].caption());
    }
}

void mirrorCover(Form1& form, int index) {
    form.station().form2().F2_Image1[index].setPicture(form.Image1[index].picture());
}

void Form1::connectPlayer() {
    Timer1->timer.connect([this] { Timer1_Timer(); });
    Timer3->timer.connect([this] { Timer3_Timer(); });
    Timer8->timer.connect([this] { Timer8_Timer(); });
    SliderPic1.connect(&controls::SliderPic::positionChanged,
                       [this](int index, int& chosen, int&) { SliderPic1_PositionChanged(index, chosen); });
    SliderPic1.connect(&controls::SliderPic::mouseDown,
                       [this](int index, int, int, float, float) { SliderPic1_MouseDown(index); });
    SliderPic1.connect(&controls::SliderPic::mouseUp,
                       [this](int index, int, int, float, float) { SliderPic1_MouseUp(index); });
}

void Form1::SliderPic1_PositionChanged(int index, int position) {
    PlaybackGuard busy(playback);
    PlaybackState& p = playback;
    if (index == 0) {
        winamp.WinAMP_SetVolume(volumeFromSlider(position));
    } else if (index == 1) {
        Timer3->setEnabled(false);
        p.SongPosition = winamp.WinAMP_GetPosition();
        splitInto(p.SongPosition, p.PosMinutes, p.PosSeconds);
        Label1[12].setCaption(player::timeText(p.SongPosition));
        winamp.WinAMP_JumpToTime(position);
        Timer3->setEnabled(true);
    }
}

void Form1::SliderPic1_MouseDown(int index) {
    if (index == 1) {
        Timer3->setEnabled(false);
    }
}

void Form1::SliderPic1_MouseUp(int index) {
    if (index == 0 && layout.LayoutEditMode == 1.0f) {
        station().frmOptions().showForm();
    } else if (index == 1) {
        Timer3->setEnabled(true);
    }
}

void Form1::Timer3_Timer() {
    PlaybackState& p = playback;
    if (p.PlayerBusy > 0) {
        return;
    }
    PlaybackGuard busy(p);
    p.SongPosition = winamp.WinAMP_GetPosition();
    splitInto(p.SongPosition, p.PosMinutes, p.PosSeconds);
    p.SongLength = winamp.WinAMP_GetLength();
    splitInto(p.SongLength, p.LenMinutes, p.LenSeconds);
    Label1[12].setCaption(player::timeText(p.SongPosition));
    Label1[13].setCaption(player::timeText(p.SongLength));
    tk::ignoreErrors([&] { mirrorCaptions(*this, 12, 13); });
    // The labels show "00:00" without a song; the slider needs a range of at least one second.
    if (p.SongLength < 1) {
        p.SongLength = 2;
    }
    if (p.SongPosition < 1) {
        p.SongPosition = 1;
    }
    controls::SliderPic& slider = SliderPic1[1];
    // A length of one second is no range for the slider: it keeps the range it had.
    tk::ignoreErrors([&] { slider.setMax(p.SongLength); });
    slider.setCurPosition(p.SongPosition);
}

void Form1::Timer8_Timer() {
    PlaybackState& p = playback;
    if (p.PlayerBusy > 0) {
        return;
    }
    PlaybackGuard busy(p);
    const std::time_t now = std::chrono::system_clock::to_time_t(tk::Runtime::current().clock().now());
    std::tm local{};
    localtime_r(&now, &local);
    char clock[16];
    std::strftime(clock, sizeof clock, "%H:%M:%S", &local);
    Label1[17].setCaption(clock);
    // One request a tick, and a picture only when the state changed: the bar shows the same. A silent
    // player shows the state it was told to take.
    const std::string state = winamp.expectedStatus();
    if (state == p.ShownPlayState) {
        return;
    }
    p.ShownPlayState = state;
    if (const char* picture = playStatePicture(state)) {
        showSkinPicture(switch_[20], picture);
    }
}

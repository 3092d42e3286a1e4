// The playlist page's five buttons look pressed while held; the loop and random buttons switch their
// mode on the release itself. Random mode always brings loop mode with it, and loop mode cannot be
// switched off while random mode is on.
#include "app/form1.h"

#include "platform/picturebox.h"

#include <array>

namespace {
// The pictures of buttons 0 to 4 while pressed and when released; empty: the button keeps its picture.
struct ButtonPictures {
    const char* pressed;
    const char* released;
};
constexpr std::array<ButtonPictures, 5> kButtons{{{"", ""},
                                                  {"\\ClearPlaylist-On.jpg", "\\ClearPlaylist-Off.jpg"},
                                                  {"", ""},
                                                  {"", ""},
                                                  {"\\Close-On.jpg", "\\Close-Off.jpg"}}};
constexpr int kLoopButton = 2;
constexpr int kRandomButton = 3;

void showLook(Form1& f, int index, bool pressed) {
    if (index < 0 || index >= static_cast<int>(kButtons.size())) {
        return;
    }
    f.Picture6[index].setBorderStyle(pressed ? 1 : 0);
    const char* picture = pressed ? kButtons[index].pressed : kButtons[index].released;
    if (*picture != '\0') {
        f.showSkinPicture(f.Picture6[index], picture);
    }
}
} // namespace

void Form1::Picture6_MouseDown(int Index, int, int, float, float) {
    showLook(*this, Index, true);
}

void Form1::Picture6_MouseUp(int Index, int, int, float, float) {
    showLook(*this, Index, false);
    PlaybackState& p = playback;
    if (Index == kLoopButton) {
        if (p.LoopMode == 0) {
            showSkinPicture(Picture6[kLoopButton], "\\Loop-On.jpg");
            p.LoopMode = 1;
        } else if (p.RandomMode == 0) {
            showSkinPicture(Picture6[kLoopButton], "\\Loop-Off.jpg");
            p.LoopMode = 0;
        }
    } else if (Index == kRandomButton) {
        const bool on = p.RandomMode == 0;
        showSkinPicture(Picture6[kRandomButton], on ? "\\Random-On.jpg" : "\\Random-Off.jpg");
        p.RandomMode = on ? 1 : 0;
        showSkinPicture(Picture6[kLoopButton], on ? "\\Loop-On.jpg" : "\\Loop-Off.jpg");
        p.LoopMode = on ? 1 : 0;
    }
}

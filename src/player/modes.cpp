// The loop and random buttons of the playlist page switch their modes on the release itself. Random
// mode always brings loop mode with it, and loop mode cannot be switched off while random mode is on.
#include "app/form1.h"

#include "platform/picturebox.h"

namespace {
constexpr int kLoopButton = 2;
constexpr int kRandomButton = 3;
} // namespace

void Form1::Picture6_MouseUp(int Index, int, int, float, float) {
    showPlayListButtonReleased(Index);
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

#pragma once

#include "app/form1state.h"

// Marks a playback procedure or timer handler as running: a timer tick that comes meanwhile (from a
// message box's event loop, say) is skipped instead of running inside it.
class PlaybackGuard {
public:
    explicit PlaybackGuard(PlaybackState& state)
        : m_state(state) {
        ++m_state.PlayerBusy;
    }
    ~PlaybackGuard() { --m_state.PlayerBusy; }
    PlaybackGuard(const PlaybackGuard&) = delete;
    PlaybackGuard& operator=(const PlaybackGuard&) = delete;

private:
    PlaybackState& m_state;
};

class Form1;

// The playing-now screen repeats the main window's song labels and covers, index for index.
void mirrorCaptions(Form1& form, int first, int last);
void mirrorCover(Form1& form, int index);

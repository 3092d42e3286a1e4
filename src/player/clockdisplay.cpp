#include "app/form1.h"
#include "platform/label.h"
#include "platform/picturebox.h"
#include "platform/runtime.h"

#include <chrono>
#include <cstdio>
#include <ctime>

// The time of day, and the picture of the player's play state on the bar, loaded when the state changed.
void Form1::Timer8_Timer() {
    const std::time_t now = std::chrono::system_clock::to_time_t(tk::Runtime::current().clock().now());
    std::tm local{};
    localtime_r(&now, &local);
    char clock[16];
    std::snprintf(clock, sizeof clock, "%02d:%02d:%02d", local.tm_hour, local.tm_min, local.tm_sec);
    Label1[17].setCaption(clock);

    const std::string state = winamp.WinAMP_GetStatus();
    if (state == m_shownPlayState) {
        return;
    }
    m_shownPlayState = state;
    if (state == "STOPPED") {
        showSkinPicture(switch_[20], "\\PlayStop.jpg");
    } else if (state == "PLAYING") {
        showSkinPicture(switch_[20], "\\PlayPLAY.jpg");
    } else if (state == "PAUSED") {
        showSkinPicture(switch_[20], "\\PlayPAUSE.jpg");
    }
}

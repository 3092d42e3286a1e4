#include "app/form1.h"
#include "app/station.h"
#include "platform/pathcase.h"
#include "platform/picturebox.h"
#include "platform/runtime.h"
#include "platform/timer.h"
#include "screen/form2.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <filesystem>

// The slideshow: while it is on, every minute the playing-now screen's background becomes a picture of
// the "Pictures" folder, drawn at random and never the one shown just before. Pictures are decoded in
// the background and shrunk to the screen, so a large photograph never stops the windows.

namespace fs = std::filesystem;

int drawSlideIndex(int count, int last, float r, const std::vector<bool>& excluded) {
    const auto weight = [&](int i) {
        if (excluded.size() > static_cast<std::size_t>(i) && excluded[static_cast<std::size_t>(i)]) {
            return 0;
        }
        if (count > 1 && i == last) {
            return 0;
        }
        return i == count - 1 ? 2 : 1;
    };
    int total = 0;
    for (int i = 0; i < count; ++i) {
        total += weight(i);
    }
    if (total == 0) {
        return -1;
    }
    // One number picks among what is left, in the proportions the draw gives them: no redrawing.
    const float target = std::clamp(r, 0.0f, 1.0f) * static_cast<float>(total);
    int reached = 0;
    int chosen = -1;
    for (int i = 0; i < count; ++i) {
        if (weight(i) == 0) {
            continue;
        }
        chosen = i;
        reached += weight(i);
        if (target < static_cast<float>(reached)) {
            break;
        }
    }
    return chosen;
}

void Form2::SwitchSlideShow() {
    Form1& main = m_station.form1();
    if (SlideShowOn == 0.0f) {
        Timer1->setEnabled(true);
        main.showSkinPicture(F2_Picture1[0], "\\LoadScreens-On.jpg");
        SlideShowOn = 1.0f;
        LoadPictureList();
    } else {
        Timer1->setEnabled(false);
        main.showSkinPicture(F2_Picture1[0], "\\LoadScreens-Off.jpg");
        SlideShowOn = 0.0f;
    }
}

void Form2::LoadPictureList() {
    List1.clear();
    // The folder and the names are found whatever their letter case.
    if (const auto folder = tk::resolveIgnoringCase(tk::Runtime::current().programFolder() / "Pictures")) {
        std::error_code ec;
        for (const fs::directory_entry& entry : fs::directory_iterator(*folder, ec)) {
            const std::string name = entry.path().filename().string();
            std::error_code notFile;
            if (name.size() < 3 || name.front() == '.' || !entry.is_regular_file(notFile)) {
                continue; // hidden files and folders are not pictures of the show
            }
            std::string ending = name.substr(name.size() - 3);
            std::transform(ending.begin(), ending.end(), ending.begin(),
                           [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
            if (ending == "jpg" || ending == "gif" || ending == "bmp") {
                List1.push_back(name);
            }
        }
    }
    // The folder lists its files in no order of its own; the names' order keeps each run alike.
    std::sort(List1.begin(), List1.end());
    PictureIndex = 0;
}

void Form2::Timer1_Timer() {
    // A picture still loading from the last tick is let finish.
    if (List1.empty() || m_slideLoading) {
        return;
    }
    m_slidesTried.assign(List1.size(), false);
    showNextSlide();
}

void Form2::showNextSlide() {
    tk::Runtime& rt = tk::Runtime::current();
    if (m_slidesTried.size() != List1.size()) {
        return; // the folder was read again meanwhile; the next tick draws from the new list
    }
    const int count = static_cast<int>(List1.size());
    const int index = drawSlideIndex(count, LastPictureIndex, rt.random().uniform(), m_slidesTried);
    if (index < 0) {
        return; // no readable picture other than the one shown
    }
    PictureIndex = index;
    m_slidesTried[static_cast<std::size_t>(index)] = true;
    m_slideLoading = true;
    const tk::Screen& screen = rt.screen();
    const int width = static_cast<int>(std::lround(screen.widthTwips() / tk::Screen::kTwipsPerPixel));
    const int height = static_cast<int>(std::lround(screen.heightTwips() / tk::Screen::kTwipsPerPixel));
    m_slides.load(rt.programFolder() / "Pictures" / List1[static_cast<std::size_t>(index)], width, height,
                  [this, index](std::optional<tk::Picture> picture) {
                      m_slideLoading = false;
                      if (SlideShowOn != 1.0f) {
                          return; // switched off while it loaded
                      }
                      if (!picture) {
                          showNextSlide(); // an unreadable picture is skipped
                          return;
                      }
                      setPicture(*picture);
                      LastPictureIndex = index;
                  });
}

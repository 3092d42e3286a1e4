#include "app/form1.h"
#include "app/station.h"
#include "gui.h"
#include "platform/picturebox.h"
#include "platform/timer.h"
#include "screen/form2.h"
#include "testruntime.h"

#include <QColor>
#include <QImage>

#include <gtest/gtest.h>

#include <array>

using namespace testing_support;
namespace fs = std::filesystem;

namespace {

// A started station whose playing-now screen is shown, with `names` written into a "Pictures" folder
// spelt "PiCtUrEs": each name ending in "jpg", "gif" or "bmp" (any case) a 2000 x 1500 picture of its
// own colour, any other name (or one without a colour) a file of text.
struct Show {
    TestRuntime rt{TestOptions{.fakePlayer = true, .skin = true}};
    Station station{rt.runtime()};
    Form2* screen = nullptr;

    explicit Show(const std::vector<std::pair<std::string, QColor>>& pictures) {
        for (const auto& [name, colour] : pictures) {
            const fs::path path = rt.programFolder() / "PiCtUrEs" / name;
            fs::create_directories(path.parent_path());
            QImage image(2000, 1500, QImage::Format_RGB32);
            image.fill(colour);
            // Pictures are told apart by their content; a ".gif" holds a PNG, which the toolkit can write.
            std::string format =
                QString::fromStdString(path.extension().string()).mid(1).toUpper().toStdString();
            if (format == "GIF") {
                format = "PNG";
            }
            if (!colour.isValid() || !image.save(QString::fromStdString(path.string()), format.c_str())) {
                rt.write("PiCtUrEs/" + name, "not a picture");
            }
        }
        if (!station.start()) {
            throw std::runtime_error("the start failed");
        }
        screen = &station.form2();
        showAndExpose(screen);
    }
    // Which of red, green, blue (0, 1, 2) the screen's background is.
    int shownColour() const {
        const QColor c = screen->picture().image().pixelColor(10, 10);
        const std::array<int, 3> v{c.red(), c.green(), c.blue()};
        return static_cast<int>(std::max_element(v.begin(), v.end()) - v.begin());
    }
};

} // namespace

TEST(SlideShow, EveryMinuteShowsAnotherPictureOfTheFolderWhateverTheLetterCase) {
    Show s({{"b.gif", Qt::green},
            {"a.JPG", Qt::red},
            {"c.Bmp", Qt::blue},
            {"h.jpg", QColor()},
            {"d.jpeg", Qt::red},
            {"notes.txt", QColor()},
            {".hidden.jpg", Qt::red},
            {"folder.jpg/x.jpg", Qt::red}});
    Form2& screen = *s.screen;
    const tk::Picture skin = screen.picture();
    const int seeds = s.rt.random().seeds;

    click(&screen.F2_Picture1[0]);
    EXPECT_TRUE(screen.Timer1->enabled());
    EXPECT_EQ(s.rt.pictureName(screen.F2_Picture1[0].picture()), "LoadScreens-On.jpg");
    EXPECT_EQ(screen.List1, (std::vector<std::string>{"a.JPG", "b.gif", "c.Bmp", "h.jpg"}));

    // The first tick never shows the first name (it counts as shown last); the draw runs over b, c and
    // h, the last name counting twice: 0.2 of 4 is b.
    s.rt.random().values = {0.2f, 0.8f, 0.9f};
    s.rt.advance(59999);
    EXPECT_TRUE(screen.picture() == skin);
    s.rt.advance(1);
    EXPECT_EQ(screen.LastPictureIndex, 1);
    EXPECT_EQ(s.shownColour(), 1);
    EXPECT_EQ(screen.picture().widthPx(), 1024); // shrunk to the screen, its proportions kept
    EXPECT_EQ(screen.picture().heightPx(), 768);
    // 0.8 draws h, which is no picture: it is skipped and 0.9 draws among a and c.
    s.rt.advance(60000);
    EXPECT_EQ(screen.LastPictureIndex, 2);
    EXPECT_EQ(s.shownColour(), 2);

    // Whatever the random source gives, the picture shown before never comes again at once, and the
    // draw never repeats itself in a loop (a source stuck on one number included).
    s.rt.random().fallback = 0.0f;
    for (int tick = 0; tick < 12; ++tick) {
        if (tick == 6) {
            s.rt.random().fallback = 0.99f;
        }
        const int before = screen.LastPictureIndex;
        s.rt.advance(60000);
        EXPECT_NE(screen.LastPictureIndex, before) << tick;
        EXPECT_NE(screen.LastPictureIndex, 3) << tick;
    }
    EXPECT_EQ(s.rt.random().seeds, seeds); // seeded once, when the screen was loaded

    // Off: the button shows so, the timer stops and the last picture stays.
    click(&screen.F2_Picture1[0]);
    EXPECT_FALSE(screen.Timer1->enabled());
    EXPECT_EQ(s.rt.pictureName(screen.F2_Picture1[0].picture()), "LoadScreens-Off.jpg");
    const tk::Picture last = screen.picture();
    s.rt.advance(120000);
    EXPECT_TRUE(screen.picture() == last);
}

TEST(SlideShow, OnePictureShowsAtEveryTickAndNoneChangesNothing) {
    Show one({{"only.JPG", Qt::blue}});
    one.screen->SwitchSlideShow();
    one.rt.advance(60000);
    const tk::Picture first = one.screen->picture();
    one.rt.advance(60000);
    EXPECT_FALSE(one.screen->picture() == first); // loaded again
    EXPECT_EQ(one.shownColour(), 2);

    Show none({{"broken.jpg", QColor()}});
    const tk::Picture skin = none.screen->picture();
    none.screen->SwitchSlideShow();
    none.rt.advance(120000);
    EXPECT_TRUE(none.screen->picture() == skin);
    EXPECT_TRUE(none.rt.messages().shown.empty());
}

// The draw gives the last name twice the chance of each other, and leaves out the picture shown last
// and those found unreadable in this tick.
TEST(SlideShow, TheDrawWeighsTheLastNameTwiceAndLeavesOutWhatItMust) {
    std::array<int, 4> hits{};
    for (int k = 0; k < 4000; ++k) {
        ++hits[static_cast<std::size_t>(drawSlideIndex(4, 0, (static_cast<float>(k) + 0.5f) / 4000, {}))];
    }
    EXPECT_EQ(hits, (std::array<int, 4>{0, 1000, 1000, 2000}));
    EXPECT_EQ(drawSlideIndex(3, 2, 0.99f, {}), 1);
    EXPECT_EQ(drawSlideIndex(3, 2, 0.99f, {false, true, false}), 0);
    EXPECT_EQ(drawSlideIndex(3, 2, 0.5f, {true, true, false}), -1);
    EXPECT_EQ(drawSlideIndex(1, 0, 0.5f, {}), 0);
    EXPECT_EQ(drawSlideIndex(0, 0, 0.5f, {}), -1);
}

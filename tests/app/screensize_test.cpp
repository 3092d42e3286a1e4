#include "app/form1.h"
#include "app/station.h"
#include "gui.h"
#include "platform/checkbox.h"
#include "platform/color.h"
#include "platform/combobox.h"
#include "platform/filelists.h"
#include "platform/label.h"
#include "platform/listview.h"
#include "platform/picturebox.h"
#include "platform/textbox.h"
#include "screen/form2.h"
#include "testruntime.h"

#include <QImage>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

using namespace testing_support;

namespace {

// The station started on a screen of the given size, its main window shown.
struct StartOn {
    std::unique_ptr<TestRuntime> rt;
    std::unique_ptr<Station> station;

    StartOn(int width, int height) {
        tk::Services s;
        s.screen.emplace(width, height);
        rt = std::make_unique<TestRuntime>(std::move(s), TestOptions{.fakePlayer = true, .skin = true});
        station = std::make_unique<Station>(rt->runtime());
        EXPECT_TRUE(station->start());
        showAndExpose(&station->form1());
    }
    Form1& form() { return station->form1(); }
};

QRgb dominantColour(const QImage& image) {
    std::map<QRgb, int> counts;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            ++counts[image.pixel(x, y)];
        }
    }
    QRgb best = 0;
    int most = -1;
    for (const auto& [colour, n] : counts) {
        if (n > most) {
            best = colour;
            most = n;
        }
    }
    return best;
}

// The part of a screen of the given size the station fills: the design area scaled uniformly from the
// top left, in pixels.
QRect stationArea(int width, int height) {
    const double scale = std::min(width / 1024.0, height / 768.0);
    return {0, 0, static_cast<int>(std::lround(1024 * scale)), static_cast<int>(std::lround(768 * scale))};
}

// How many pixels of the main window outside the station's area show anything but the back colour.
int shownBesideTheStation(Form1& form, QRect station) {
    const QImage window = form.grab().toImage();
    const QRgb blank = tk::toQColor(form.backColor()).rgb();
    int shown = 0;
    for (int y = 0; y < window.height(); ++y) {
        for (int x = 0; x < window.width(); ++x) {
            shown += !station.contains(x, y) && window.pixel(x, y) != blank ? 1 : 0;
        }
    }
    return shown;
}

// One sliding page of the main window and the toggle that opens and closes it.
struct SlidingPage {
    const char* name;
    tk::PictureBox* Form1::*page;
    void (Form1::*toggle)();
};
constexpr SlidingPage kSlidingPages[] = {
    {"playlist", &Form1::Page_PlayList, &Form1::TogglePlayListPage},
    {"last songs", &Form1::Page_LastSongPlaylist, &Form1::ToggleLastSongsPage},
    {"add songs", &Form1::Page_AddSongs, &Form1::ToggleAddSongsPage},
    {"add more songs", &Form1::Page_AddMoreSongs, &Form1::ToggleAddMoreSongsPage},
    {"tag editor", &Form1::Page_EditID3v2, &Form1::ToggleEditID3v2Page},
    {"password", &Form1::Page_EditScreenPass, &Form1::ToggleEditScreenPassPage},
};

// Where an open sliding page lies: its place in design twips, its place in the window's pixels, and
// the names of the main window's shown controls it covers.
struct OpenPage {
    float left = 0;
    float top = 0;
    QRect pixels;
    std::set<std::string> covers;
};

OpenPage openedPage(Form1& form, const SlidingPage& sliding) {
    tk::PictureBox& page = *(form.*sliding.page);
    (form.*sliding.toggle)();
    OpenPage open{page.left(), page.top(), page.geometry(), {}};
    for (auto* control : form.findChildren<tk::Control*>(Qt::FindDirectChildrenOnly)) {
        if (control != &page && control->isVisible() && control->geometry().intersects(open.pixels)) {
            open.covers.insert(control->name() + "(" + std::to_string(control->index()) + ")");
        }
    }
    (form.*sliding.toggle)();
    return open;
}

// How many pixels of the label's caption are drawn: the pixels that differ from its background.
int inkPixels(tk::Label& label) {
    const QImage image = label.grab().toImage();
    const QRgb background = dominantColour(image);
    int ink = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            ink += image.pixel(x, y) != background ? 1 : 0;
        }
    }
    return ink;
}

} // namespace

TEST(ScreenSizes, AutoSizedLabelsShowTheirWholeCaption) {
    const char* caption = "7 - The Quiet Hours - Album 01 of The Quiet Hours";
    for (const auto& [width, height] : {std::pair(1024, 768), std::pair(1366, 768), std::pair(1920, 1080)}) {
        StartOn s(width, height);
        std::vector<tk::Label*> labels;
        for (int k = 0; k <= 22; ++k) {
            labels.push_back(&s.form().Label1[k]);
        }
        for (int j = 0; j <= 13; ++j) {
            labels.push_back(&s.station->form2().F2_Label1[j]);
        }
        for (tk::Label* label : labels) {
            ASSERT_TRUE(label->autoSize());
            // At the left of the station, where the caption has room: one that runs past the station's
            // right edge is cut there.
            label->setLeft(0);
            label->setCaption(caption);
            const int fitted = inkPixels(*label);
            // The same label with room to spare on every side shows the whole caption; an even number
            // of pixels more keeps a centred caption on the same pixel grid.
            const QSize size = label->size();
            label->QWidget::resize(size.width() + 40, size.height() + 20);
            const int whole = inkPixels(*label);
            label->applyGeometry();
            EXPECT_GT(fitted, 0) << label->objectName().toStdString() << " at " << width;
            EXPECT_EQ(fitted, whole) << label->objectName().toStdString() << " at " << width;
        }
    }
}

TEST(ScreenSizes, EveryListAndTextBoxShowsTheStoredBackColour) {
    StartOn s(1024, 768);
    Form1& f = s.form();
    const QRgb stored = tk::toQColor(f.Text1->backColor()).rgb();
    ASSERT_EQ(stored, qRgb(255, 255, 128)); // the first run's light yellow
    std::vector<QWidget*> boxes = {f.Text1,    f.Text2,     f.Text3,      f.Text_Pass,   f.Text_NewPass,
                                   f.Text4,    f.Check4,    f.Drive1,     f.Drive2,      f.Dir1,
                                   f.Dir2,     f.File1,     f.cboGenre1,  f.ListView,    f.play,
                                   f.PrevView, f.SSonglist, f.SAlbumlist, f.SArtistlist, f.SingleView};
    for (int k = 0; k <= 12; ++k) {
        boxes.push_back(&f.txtMP3[k]);
    }
    for (QWidget* box : boxes) {
        EXPECT_EQ(dominantColour(box->grab().toImage()), stored) << box->objectName().toStdString();
    }
}

TEST(ScreenSizes, SlidingPagesOpenOverTheStationWhereTheyOpenOnTheDesignScreen) {
    std::vector<OpenPage> design;
    {
        StartOn s(1024, 768);
        for (const SlidingPage& sliding : kSlidingPages) {
            design.push_back(openedPage(s.form(), sliding));
        }
    }
    // Wide screens, and one taller than the design's shape.
    for (const auto& [width, height] : {std::pair(1920, 1080), std::pair(1280, 800), std::pair(1280, 1024)}) {
        StartOn s(width, height);
        const QRect station = stationArea(width, height);
        for (std::size_t k = 0; k < std::size(kSlidingPages); ++k) {
            const OpenPage open = openedPage(s.form(), kSlidingPages[k]);
            const std::string where = std::string(kSlidingPages[k].name) + " page at " +
                                      std::to_string(width) + "x" + std::to_string(height);
            EXPECT_EQ(open.left, design[k].left) << where;
            EXPECT_EQ(open.top, design[k].top) << where;
            EXPECT_TRUE(station.contains(open.pixels)) << where;
            // Over the same controls of the main window as on the design screen, and no others.
            EXPECT_EQ(open.covers, design[k].covers) << where;
        }
    }
}

TEST(ScreenSizes, ALongWheelLineEndsAtTheStationsRightEdge) {
    for (const auto& [width, height] : {std::pair(1920, 1080), std::pair(1280, 800)}) {
        StartOn s(width, height);
        Form1& f = s.form();
        const QRect station = stationArea(width, height);
        f.switch_Click(11); // the album page
        tk::Label& wheelLine = f.Label1[18];
        ASSERT_TRUE(wheelLine.isVisible());
        wheelLine.setCaption("12 - The Extraordinarily Long-Named Orchestra of Everywhere - The Complete "
                             "Recordings, Volumes One Through Twelve, Remastered");
        // The caption is longer than its place, so the label reaches past the station's edge.
        ASSERT_GT(wheelLine.geometry().right(), station.right()) << width;
        EXPECT_EQ(shownBesideTheStation(f, station), 0) << width;
    }
}

TEST(ScreenSizes, NothingShowsRightOfTheStationOnAWideScreen) {
    StartOn s(1920, 1080);
    ASSERT_EQ(s.form().geometry().width(), 1920);
    ASSERT_EQ(stationArea(1920, 1080).right(), 1439); // the 1024 design pixels at 1080/768
    EXPECT_EQ(shownBesideTheStation(s.form(), stationArea(1920, 1080)), 0);
}

#include "app/form1.h"
#include "app/station.h"
#include "gui.h"
#include "platform/checkbox.h"
#include "platform/color.h"
#include "platform/combobox.h"
#include "platform/filelists.h"
#include "platform/label.h"
#include "platform/listview.h"
#include "platform/textbox.h"
#include "screen/form2.h"
#include "testruntime.h"

#include <QImage>

#include <gtest/gtest.h>

#include <map>
#include <memory>
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

TEST(ScreenSizes, NothingShowsRightOfTheStationOnAWideScreen) {
    StartOn s(1920, 1080);
    const QImage window = s.form().grab().toImage();
    ASSERT_EQ(window.width(), 1920);
    const int stationRight = 1440; // the 1024 design pixels at 1080/768
    const QRgb blank = tk::toQColor(s.form().backColor()).rgb();
    int shown = 0;
    for (int y = 0; y < window.height(); ++y) {
        for (int x = stationRight; x < window.width(); ++x) {
            shown += window.pixel(x, y) != blank ? 1 : 0;
        }
    }
    EXPECT_EQ(shown, 0);
}

#include "app/designlayout.h"
#include "app/form1.h"
#include "app/station.h"
#include "fakeplayer.h"
#include "gui.h"
#include "platform/pathcase.h"
#include "platform/picturebox.h"
#include "testruntime.h"

#include <QImage>
#include <QString>

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <utility>
#include <vector>

using namespace testing_support;

namespace {

std::string lower(std::string s) {
    return QString::fromStdString(s).toLower().toStdString();
}

} // namespace

TEST(SkinPictures, EveryElementGetsItsOwnPictureAndThePagesAndDoorsTheirPlaces) {
    TestRuntime rt{TestOptions{.fakePlayer = true, .skin = true}};
    Station station(rt.runtime());
    ASSERT_TRUE(station.start());
    Form1& f = station.form1();

    // Every picture the design gives an element of the main window, and the element's picture.
    std::vector<std::pair<const tk::Picture*, std::string>> loads = {{&f.picture(), "Screen.jpg"}};
    std::vector<const tk::Picture*> covers;
    for (const auto group : layout::kForm1Groups) {
        for (const layout::Element& e : group) {
            if (e.picture.empty()) {
                continue;
            }
            tk::Control& c = control(&f, std::string(e.name), e.index);
            const auto* box = dynamic_cast<tk::PictureBox*>(&c);
            const tk::Picture& picture = box ? box->picture() : dynamic_cast<tk::Image&>(c).picture();
            loads.emplace_back(&picture, std::string(e.picture));
            if (e.picture == "Cover.jpg") {
                covers.push_back(&picture);
            }
        }
    }
    ASSERT_EQ(loads.size(), 76u);

    // Each file (letter case aside: two names may spell one file) becomes a picture of its own width.
    std::map<std::string, int> widthOf;
    for (const auto& [picture, name] : loads) {
        if (widthOf.emplace(lower(name), static_cast<int>(widthOf.size()) + 2).second) {
            const auto written = rt.programFolder() / "Skin" / name;
            const auto path = tk::resolveIgnoringCase(written).value_or(written);
            QImage marker(widthOf[lower(name)], 3, QImage::Format_RGB32);
            marker.fill(Qt::gray);
            ASSERT_TRUE(marker.save(QString::fromStdString(path.string()), "JPG")) << name;
        }
    }

    // Pages and doors away from their places, pages of known widths.
    for (tk::PictureBox* page :
         {f.Page_PlayList, f.Page_AddSongs, f.Page_LastSongPlaylist, f.Page_AddMoreSongs, f.Page_EditID3v2,
          f.Page_EditScreenPass, f.LeftDoor, f.RightDoor}) {
        page->setTop(123);
        page->setLeft(456);
        page->setWidth(8000);
    }
    f.Page_PlayList->setWidth(20000); // wider than the screen

    f.LoadSkinPictures();

    for (const auto& [picture, name] : loads) {
        EXPECT_EQ(picture->widthPx(), widthOf[lower(name)]) << name;
    }
    std::set<std::uint64_t> coverObjects;
    for (const tk::Picture* cover : covers) {
        coverObjects.insert(cover->handle());
    }
    EXPECT_EQ(coverObjects.size(), 15u);

    // Three pages parked above the window, six centred on the 15360-twip screen, the doors closed.
    const float screenMiddle = 15360.0f / 2;
    EXPECT_EQ(f.Page_PlayList->left(), screenMiddle - 10000);
    for (tk::PictureBox* parked : {f.Page_PlayList, f.Page_AddSongs, f.Page_LastSongPlaylist}) {
        EXPECT_EQ(parked->top(), -6500.0f);
    }
    for (tk::PictureBox* centred : {f.Page_AddSongs, f.Page_LastSongPlaylist, f.Page_AddMoreSongs,
                                    f.Page_EditID3v2, f.Page_EditScreenPass}) {
        EXPECT_EQ(centred->left(), screenMiddle - 4000);
    }
    for (tk::PictureBox* kept : {f.Page_AddMoreSongs, f.Page_EditID3v2, f.Page_EditScreenPass}) {
        EXPECT_EQ(kept->top(), 123.0f);
    }
    EXPECT_EQ(f.LeftDoor->top(), 0.0f);
    EXPECT_EQ(f.LeftDoor->left(), 0.0f);
    EXPECT_EQ(f.RightDoor->top(), 0.0f);
    EXPECT_EQ(f.RightDoor->left(), 5400.0f);
}

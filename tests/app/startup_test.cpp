#include "app/form1.h"
#include "app/station.h"
#include "appearance/firstrun.h"
#include "controls/sliderpic.h"
#include "controls/wheel.h"
#include "database.h"
#include "fakeplayer.h"
#include "gui.h"
#include "platform/combobox.h"
#include "platform/label.h"
#include "platform/listview.h"
#include "platform/picturebox.h"
#include "platform/textbox.h"
#include "player/playerwire.h"
#include "screen/form2.h"
#include "testruntime.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

using namespace testing_support;

namespace {

std::string readAll(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// One start of the station on a test runtime with the fake player and the generated skin.
struct Start {
    TestRuntime rt{TestOptions{.fakePlayer = true, .skin = true}};
    std::unique_ptr<Station> station;

    bool run() {
        station = std::make_unique<Station>(rt.runtime());
        return station->start();
    }
    Form1& form() { return station->form1(); }
};

// The settings record a first run must write, built field by field from the default layout.
std::string expectedFirstRunRecord() {
    std::string r(4146, '\0');
    const auto put = [&](std::size_t at, std::size_t width, const std::string& text) {
        std::string v = text.substr(0, width);
        v.resize(width, ' ');
        r.replace(at, width, v);
    };
    struct Style {
        const char* face;
        const char* size;
        bool bold, italic;
        int align;
        int top, left;
        bool white;
    };
    // clang-format off
    const Style main[23] = {
        {"Arial", "9.", false, false, 2, 3510, 2550, false}, {"Arial", "9.", false, false, 2, 3780, 2310, false},
        {"Arial", "9.", false, false, 2, 4035, 2295, false}, {"Arial", "9.", false, false, 1, 3195, 1755, false},
        {"Arial", "14", true, true, 2, 3510, 7290, false},    {"Arial", "14", false, true, 2, 3840, 7305, false},
        {"Arial", "14", false, true, 2, 4170, 7260, false},   {"MS Sans Serif", "12", true, false, 2, 3000, 7440, false},
        {"Arial", "9.", false, false, 2, 3570, 12435, false}, {"Arial", "9.", false, false, 2, 3885, 12420, false},
        {"Arial", "9.", false, false, 2, 4140, 12375, false}, {"Arial", "9.", false, false, 0, 3210, 13560, false},
        {"Arial", "12", true, true, 2, 4635, 5850, false},    {"Arial", "12", true, true, 2, 4635, 8865, false},
        {"Arial", "9.", true, false, 2, 7305, 1260, false},   {"Arial", "9.", true, false, 2, 8175, 1260, false},
        {"Arial", "9.", true, false, 2, 9015, 1260, false},   {"MS Sans Serif", "9.", true, false, 2, 9870, 1065, false},
        {"Arial", "12", true, false, 2, 11055, 6615, false},  {"Arial", "14", true, false, 2, 11025, 2640, false},
        {"Arial", "14", true, false, 2, 11010, 12060, false},
        {"MS Sans Serif", "8.", false, true, 2, 11295, 9180, true},
        {"MS Sans Serif", "8.", false, true, 1, 11295, 13815, true},
    };
    const Style screen[14] = {
        {"Arial", "9.", false, false, 2, 9585, 2415, false}, {"Arial", "9.", false, false, 2, 9825, 2400, false},
        {"Arial", "9.", false, false, 2, 10065, 2355, false}, {"Arial", "9.", false, false, 1, 9345, 1560, false},
        {"Bookman Old Style", "14", true, true, 2, 7410, 7590, false},
        {"Bookman Old Style", "14", false, true, 2, 7845, 7605, false},
        {"Bookman Old Style", "14", false, true, 2, 8190, 7530, false},
        {"Bookman Old Style", "12", true, false, 2, 7020, 7725, false},
        {"Arial", "9.", false, false, 2, 3540, 12525, false}, {"Arial", "9.", false, false, 2, 3840, 12510, false},
        {"Arial", "9.", false, false, 2, 4110, 12450, false}, {"Arial", "9.", false, false, 0, 3240, 13695, false},
        {"Arial", "12", true, true, 2, 6795, 5625, false},    {"Arial", "12", true, true, 2, 6825, 9600, false},
    };
    const int buttons[21][2] = {
        {4605, 6615}, {4605, 7065}, {4605, 7500}, {4605, 7935}, {4605, 8370}, {4590, 3645}, {4605, 9645},
        {90, 90}, {90, 14160}, {75, 14745}, {5475, 13005}, {6345, 13005}, {7200, 13020}, {8055, 12990},
        {8910, 13005}, {9765, 13005}, {10785, 13110}, {10410, 825}, {90, 615}, {4995, 6585}, {4470, 5790},
    };
    const int images[4][4] = {{2040, 2040, 1380, 1395}, {510, 6255, 2865, 2895}, {2040, 11940, 1395, 1395},
                              {5355, 810, 1305, 1320}};
    const int screenImages[3][4] = {{7800, 1770, 1800, 1800}, {4005, 6450, 3000, 3000}, {1680, 11820, 1800, 1800}};
    // clang-format on
    const auto label = [&](std::size_t at, const Style& s, const char* width) {
        put(at, 1, std::to_string(s.align));
        put(at + 1, 48, s.face);
        put(at + 49, 5, s.bold ? "True" : "False");
        put(at + 54, 5, s.italic ? "True" : "False");
        put(at + 59, 2, s.size);
        put(at + 61, 16, s.white ? "16777215" : "-2147483640");
        put(at + 77, 5, std::to_string(s.top));
        put(at + 82, 5, std::to_string(s.left));
        put(at + 87, 5, width);
    };
    put(2, 8, "Kestrum");
    put(10, 5, "210");
    put(15, 5, "5880");
    put(20, 5, "3180");
    put(25, 5, "5955");
    for (int k = 0; k < 23; ++k) {
        label(30 + 92 * k, main[k], k == 19 ? "1900" : "2000");
    }
    for (int j = 0; j < 14; ++j) {
        label(2422 + 92 * j, screen[j], "2000");
    }
    for (int k = 0; k < 21; ++k) {
        put(3710 + 10 * k, 5, std::to_string(buttons[k][0]));
        put(3715 + 10 * k, 5, std::to_string(buttons[k][1]));
    }
    put(3950, 5, "10350");
    put(3955, 5, "13110");
    for (int k = 0; k < 4; ++k) {
        for (int f = 0; f < 4; ++f) {
            put(3960 + 20 * k + 5 * f, 5, std::to_string(images[k][f]));
        }
    }
    for (int k = 0; k < 3; ++k) {
        for (int f = 0; f < 4; ++f) {
            put(4040 + 20 * k + 5 * f, 5, std::to_string(screenImages[k][f]));
        }
    }
    put(4100, 5, "195");
    put(4105, 5, "12975");
    put(4110, 5, "120");
    put(4115, 5, "195");
    put(4120, 5, "5055");
    put(4125, 5, "2325");
    put(4130, 16, "8454143");
    return r;
}

} // namespace

TEST(StartUp, AStepThatFailsEndsTheStartBeforeTheStepsAfterIt) {
    // A skin that cannot be used is reported whole, missing and broken pictures in one message, before
    // anything is started or written.
    {
        Start s;
        std::filesystem::remove(s.rt.programFolder() / "Skin" / "Wheel" / "WHBack.bmp");
        s.rt.write("Skin/Cover.jpg", "not a picture");
        EXPECT_FALSE(s.run());
        ASSERT_EQ(s.rt.messages().shown.size(), 1u);
        const std::string& text = s.rt.messages().shown[0].text;
        EXPECT_NE(text.find("Wheel/WHBack.bmp"), std::string::npos) << text;
        EXPECT_NE(text.find("Cover.jpg"), std::string::npos) << text;
        EXPECT_TRUE(s.rt.programExit().ended);
        EXPECT_TRUE(s.rt.player().launches().empty());
        EXPECT_FALSE(std::filesystem::exists(s.rt.programFolder() / "Conf.mld"));
    }
    // A player that cannot be started ends the start before the first settings file is written.
    Start s;
    s.rt.player().setLaunchFails(true);
    EXPECT_FALSE(s.run());
    EXPECT_EQ(s.rt.messages().shown.size(), 1u);
    EXPECT_EQ(s.rt.player().launches().size(), 1u);
    EXPECT_FALSE(std::filesystem::exists(s.rt.programFolder() / "Conf.mld"));
}

TEST(FirstRun, AWholeStartWritesTheDefaultLayoutByteForByteAndTheSecondStartReadsIt) {
    // The player was started once, found, asked its version for the caption and given the volume; the
    // window shows maximised, doors closed; the genre box runs from Blues to Rock/Pop.
    Start first;
    ASSERT_TRUE(first.run());
    Form1& f = first.form();
    EXPECT_TRUE(first.rt.messages().shown.empty());
    EXPECT_EQ(first.rt.player().launches().size(), 1u);
    EXPECT_EQ(f.caption(), "WinAMP Version# 1.010");
    EXPECT_EQ(first.rt.player().volume(), 125);
    EXPECT_EQ(f.SliderPic1[0].curPosition(), 50);
    EXPECT_TRUE(f.visible());
    EXPECT_EQ(f.windowStateValue(), 2);
    EXPECT_EQ(f.layout.DoorState, 0);
    EXPECT_EQ(f.layout.DoorWidth, 5400);
    ASSERT_EQ(f.cboGenre1->listCount(), 149);
    EXPECT_EQ(f.cboGenre1->list(0), "Blues");
    EXPECT_EQ(f.cboGenre1->list(148), "Rock/Pop");
    EXPECT_EQ(f.tags.Genres[148], "Rock/Pop");

    const auto conf = first.rt.programFolder() / "Conf.mld";
    const std::string written = readAll(conf);
    const std::string expected = expectedFirstRunRecord();
    ASSERT_EQ(written.size(), 4146u);
    for (std::size_t i = 0; i < expected.size(); ++i) {
        ASSERT_EQ(written[i], expected[i]) << "first difference at offset " << i;
    }
    EXPECT_EQ(f.layout.ScreenPassword, "Kestrum");
    EXPECT_EQ(f.files.FirstRun, 0);

    // The second start reads the settings and writes nothing; a save killed midway left its temporary
    // file, which the start removes.
    const auto time = std::filesystem::last_write_time(conf);
    first.station.reset();
    const auto stale = first.rt.programFolder() / ".tunnora-conf-2147483646-Ab3xYz";
    std::ofstream(stale) << written;
    Station second(first.rt.runtime());
    ASSERT_TRUE(second.start());
    EXPECT_FALSE(std::filesystem::exists(stale));
    EXPECT_EQ(readAll(conf), written);
    EXPECT_EQ(std::filesystem::last_write_time(conf), time);
    EXPECT_EQ(second.form1().files.FirstRun, 0);
    EXPECT_EQ(second.form1().layout.ScreenPassword, "Kestrum");
}

TEST(StartUp, AnEmptyDatabaseStartsWithoutACurrentAlbum) {
    Start s;
    ASSERT_TRUE(s.run());
    Form1& f = s.form();
    EXPECT_FALSE(f.Label1[18].visible());
    EXPECT_EQ(f.SingleView->count(), 0);
    EXPECT_GE(f.Wheel1->max(), 1);
    EXPECT_EQ(f.Label1[14].caption(), "0");
    // Turning the wheel on the single-album page with no albums shows nothing and changes nothing; the
    // wheel button on either page only takes off its pressed look.
    f.pages.SinglePageOpen = 1;
    f.Wheel1_Change();
    EXPECT_EQ(f.browse.WheelIndex, 0);
    for (int page : {0, 1}) {
        f.pages.SinglePageOpen = page == 0;
        f.pages.AlbumPageOpen = page == 1;
        f.switch_[16].setBorderStyle(1);
        f.switch_MouseUp(16, tk::kLeftButton, 0, 0, 0);
        EXPECT_EQ(f.switch_[16].borderStyle(), 0);
    }
    EXPECT_EQ(f.browse.CurrentArtistIndex, 0);
    EXPECT_TRUE(s.rt.messages().shown.empty());
}

TEST(StartUp, ShowsTheCountsAndARandomRowOfTheArtistTableAsTheCurrentAlbum) {
    for (float u : {0.0f, 0.34f, 0.999999f}) {
        Start s;
        writeDatabase(s.rt.programFolder(), makeDatabase(s.rt.programFolder() / "Music", 3, 4));
        s.rt.random().values = {u};
        ASSERT_TRUE(s.run());
        Form1& f = s.form();
        const int expected = 1 + static_cast<int>(3 * u);
        EXPECT_EQ(f.browse.CurrentArtistIndex, expected);
        EXPECT_EQ(f.Wheel1->value(), expected);
        EXPECT_EQ(f.Wheel1->max(), 3);
        EXPECT_EQ(f.browse.CurAlbum, "Album 0" + std::to_string(expected));
        EXPECT_EQ(f.SingleView->count(), 4);
        EXPECT_EQ(f.Label1[18].caption(), std::to_string(expected) + " - Artist 0" +
                                              std::to_string(expected) + " - Album 0" +
                                              std::to_string(expected));
        EXPECT_TRUE(f.Label1[18].visible());
        // Only the counts, the wheel line, the about line and the version show text.
        for (int k = 0; k <= 22; ++k) {
            const bool shown = k == 14 || k == 15 || k == 16 || k == 18 || k == 21 || k == 22;
            EXPECT_EQ(!f.Label1[k].caption().empty(), shown)
                << "Label1(" << k << "): " << f.Label1[k].caption();
        }
        EXPECT_EQ(f.Label1[14].caption(), "12");
        EXPECT_EQ(f.Label1[15].caption(), "3");
        EXPECT_EQ(f.Label1[16].caption(), "3");
        EXPECT_EQ(f.Label1[22].caption(), "Ver. 1.2.3");
        for (int j = 0; j <= 13; ++j) {
            EXPECT_TRUE(f.station().form2().F2_Label1[j].caption().empty());
        }
    }
}

TEST(StartUp, ASettingsFileShorterThanOneRecordIsWrittenAgain) {
    for (std::size_t length : {0u, 100u, 4145u}) {
        Start s;
        s.rt.write("Conf.mld", std::string(length, 'x'));
        ASSERT_TRUE(s.run());
        EXPECT_EQ(readAll(s.rt.programFolder() / "Conf.mld"), expectedFirstRunRecord());
    }
}

TEST(StartUp, FieldsThatDoNotConvertTakeTheirFirstRunValues) {
    Start s;
    std::string record = expectedFirstRunRecord();
    const auto patch = [&](std::size_t at, std::string_view text) {
        std::copy(text.begin(), text.end(), record.begin() + at);
    };
    patch(30 + 92 * 4 + 77, "abc  "); // Label1(4) Top
    patch(30 + 92 * 4 + 0, "7");      // Label1(4) alignment
    patch(30 + 92 * 5 + 59, "0 ");    // Label1(5) size
    patch(30 + 92 * 6 + 49, "Yes  "); // Label1(6) bold
    patch(3710, "1,5  ");             // switch(0) Top, written with a comma
    patch(4130, "99999999999     ");  // back colour
    s.rt.write("Conf.mld", record);
    ASSERT_TRUE(s.run());
    Form1& f = s.form();
    EXPECT_TRUE(s.rt.messages().shown.empty());
    EXPECT_EQ(f.Label1[4].top(), 3510.0f);
    EXPECT_EQ(f.Label1[4].alignment(), 2);
    EXPECT_EQ(f.Label1[5].fontSize(), 14.25f);
    EXPECT_FALSE(f.Label1[6].fontBold());
    EXPECT_EQ(f.switch_[0].top(), 1.5f);
    EXPECT_EQ(f.Text1->backColor(), 8454143u);
}

TEST(StartUp, NumbersOutsideTheWritersRangesTakeTheirFirstRunValues) {
    Start s;
    std::string record = expectedFirstRunRecord();
    const auto patch = [&](std::size_t at, std::string_view text) {
        std::copy(text.begin(), text.end(), record.begin() + at);
    };
    // Places from -9999 to 99999: switch(k) Top at 3710 + 10k, Left 5 bytes on.
    const char* places[] = {"-9999", "99999", "-1e4 ", "1e5  ", "1e38 ", "nan  ", "inf  ", "-inf "};
    for (std::size_t i = 0; i < std::size(places); ++i)
        patch(3710 + 5 * i, places[i]);
    // Sizes from 1 to 99999: Image1(k) Height at 3970 + 20k, Width 5 bytes on.
    patch(3970, "1    ");
    patch(3975, "0    ");
    patch(3990, "-5   ");
    patch(3995, "1e5  ");
    s.rt.write("Conf.mld", record);
    ASSERT_TRUE(s.run());
    Form1& f = s.form();
    const conf::Settings first = firstRunSettings();
    EXPECT_EQ(f.switch_[0].top(), -9999.0f);
    EXPECT_EQ(f.switch_[0].left(), 99999.0f);
    for (int k = 1; k <= 3; ++k) {
        EXPECT_EQ(f.switch_[k].top(), first.buttons[k].top) << k;
        EXPECT_EQ(f.switch_[k].left(), first.buttons[k].left) << k;
    }
    EXPECT_EQ(f.Image1[0].height(), 1.0f);
    EXPECT_EQ(f.Image1[0].width(), first.mainImages[0].width);
    EXPECT_EQ(f.Image1[1].height(), first.mainImages[1].height);
    EXPECT_EQ(f.Image1[1].width(), first.mainImages[1].width);
}

TEST(Settings, PasswordsAreStoredTrimmedAndCutAndAFailedSaveIsReportedAndTheStationGoesOn) {
    Start s;
    ASSERT_TRUE(s.run());
    Form1& f = s.form();
    // The password boxes take only what the settings record can hold.
    showAndExpose(&f);
    f.Text_Pass->setVisible(true);
    type(f.Text_Pass, "a\xC5\x82\xC3\xA9\xE2\x82\xAC"); // a, l with stroke (not in the code page), é, €
    EXPECT_EQ(f.Text_Pass->text(), "a\xC3\xA9\xE2\x82\xAC");

    f.Text_Pass->setText("Kestrum");
    f.Text_NewPass->setText(" pw 1   ");
    f.SaveConfig();
    EXPECT_EQ(f.layout.ScreenPassword, "pw 1");
    EXPECT_TRUE(f.Text_Pass->text().empty());
    EXPECT_TRUE(f.Text_NewPass->text().empty());
    f.LoadConf();
    EXPECT_EQ(f.layout.ScreenPassword, "pw 1");
    // An empty new password keeps the one typed to enter layout-edit mode.
    f.Text_Pass->setText("pw 1");
    f.SaveConfig();
    f.LoadConf();
    EXPECT_EQ(f.layout.ScreenPassword, "pw 1");
    // The boxes hold at most eight characters.
    f.Text_NewPass->setText("abcdefghij");
    f.SaveConfig();
    EXPECT_EQ(f.layout.ScreenPassword, "abcdefgh");

    const auto conf = s.rt.programFolder() / "Conf.mld";
    const std::string before = readAll(conf);
    f.files.ConfPath = (s.rt.programFolder() / "no such folder" / "Conf.mld").string();
    f.Label1[4].setLeft(1234.5f);
    f.SaveConfig();
    ASSERT_EQ(s.rt.messages().shown.size(), 1u);
    EXPECT_NE(s.rt.messages().shown[0].text.find("Conf.mld"), std::string::npos);
    EXPECT_FALSE(s.rt.programExit().ended);
    EXPECT_EQ(readAll(conf), before);
    EXPECT_EQ(f.Label1[4].left(), 1234.5f);
}

TEST(Settings, APositionIsStoredAsItIsReadBackAndALoadChangesOnlyTheLayout) {
    Start s;
    ASSERT_TRUE(s.run());
    Form1& f = s.form();
    f.Label1[4].setLeft(1234.5f);
    f.Label1[5].setTop(-12000.0f);
    f.Label1[6].setLeft(123456.0f);
    f.SaveConfig();
    const std::string record = readAll(s.rt.programFolder() / "Conf.mld");
    EXPECT_EQ(record.substr(30 + 92 * 4 + 82, 5), "1234.");
    EXPECT_EQ(record.substr(30 + 92 * 5 + 77, 5), "-9999");
    EXPECT_EQ(record.substr(30 + 92 * 6 + 82, 5), "99999");
    EXPECT_EQ(record.substr(0, 2),
              std::string("\x01\x00", 2)); // every save after the first counts one record
    f.LoadConf();
    EXPECT_EQ(f.Label1[4].left(), 1234.0f);
    EXPECT_EQ(f.Label1[5].top(), -9999.0f);
    EXPECT_EQ(f.Label1[6].left(), 99999.0f);
    EXPECT_EQ(f.Label1[4].width(), 2000.0f);
    EXPECT_EQ(f.Label1[19].width(), 1900.0f);

    // Loading the layout again leaves the volume slider and the record number alone.
    f.SliderPic1[0].setCurPosition(80);
    f.files.CurRecord = 1234;
    f.LoadConf();
    f.SaveConfig();
    EXPECT_EQ(f.SliderPic1[0].curPosition(), 80);
    EXPECT_EQ(f.files.CurRecord, 1234);
}

TEST(RandomDraw, CoversEveryRowOfALargeTable) {
    TestRuntime rt;
    Station station(rt.runtime());
    Form1 f(station);
    rt.random().values = {0.0f, 0.5f, 0.99999994f};
    EXPECT_EQ(f.RandomNumber(99999), 0);
    EXPECT_EQ(f.RandomNumber(99999), 50000);
    EXPECT_EQ(f.RandomNumber(99999), 99999);
    EXPECT_EQ(f.RandomNumber(0), 0);
    EXPECT_EQ(f.RandomNumber(-1), 0);
}

#include "app/form1.h"
#include "app/station.h"
#include "appearance/conffile.h"
#include "appearance/skinfiles.h"
#include "controls/placedcontrols.h"
#include "controls/sliderpic.h"
#include "controls/wheel.h"
#include "library/genres.h"
#include "platform/combobox.h"
#include "platform/label.h"
#include "platform/listview.h"
#include "platform/picturebox.h"
#include "platform/runtime.h"
#include "platform/usercontrol.h"
#include "screen/form2.h"

#include <filesystem>
#include <system_error>

namespace {

constexpr const char* kAboutLine = "Tunnora - music station";
constexpr const char* kVersionLine = "Ver. 1.2.3";

} // namespace

// The main window's load handler: brings the station from nothing to ready.
void Form1::formLoad() {
    tk::Runtime& rt = tk::Runtime::current();
    const std::filesystem::path folder = rt.programFolder();

    // Every skin picture the station will load must be there and decode, before anything is started:
    // one message names every one that is missing or broken.
    const auto unusable = unusableSkinFiles(folder, rt.pictures());
    if (!unusable.empty()) {
        rt.messageBox().show(unusableSkinMessage(folder, unusable), tk::kMsgCritical, rt.appTitle());
        rt.endProgram();
    }
    Wheel1 = controls::createWheel1(this);
    Wheel1->change.connect([this] { Wheel1_Change(); });

    layout.DoorState = 0;
    layout.DoorWidth = static_cast<std::int32_t>(std::nearbyint(LeftDoor->width()));
    pages.PlayListOpen = 0;
    layout.LayoutEditMode = 0;
    pages.AddSongsOpen = 0;
    playback.RandomMode = 0;
    playback.LoopMode = 0;
    playback.StoppedFlag = 0;
    playback.CurrentIndex = 1;
    browse.TopTenFirst = 1;
    browse.AlbumPageMode = 1;
    browse.TopTenLast = 2;
    browse.AlbumPageLast = 8;
    browse.AlbumPageFirst = 1;
    playback.StartAtFirst = 1;
    browse.WheelFromCell = 1;

    for (std::size_t i = 0; i < tags.Genres.size(); ++i) {
        tags.Genres[i] = std::string(library::genreNames()[i]);
        cboGenre1->addItem(tags.Genres[i]);
    }

    InitWinAMP();

    std::error_code ec;
    std::filesystem::current_path(folder, ec);

    // A settings file shorter than one record (a first save that failed leaves 0 bytes) counts as
    // missing, so a first run writes it again.
    const std::filesystem::path confPath = folder / "Conf.mld";
    files.ConfPath = confPath.string();
    conf::removeStaleTemporaries(folder);
    const bool haveConf = std::filesystem::is_regular_file(confPath, ec) &&
                          std::filesystem::file_size(confPath, ec) >= conf::kRecordSize;
    if (!haveConf) {
        files.FirstRun = 1;
        SaveConfig();
    }

    files.DataPath = (folder / "Data.mld").string();
    files.AlbumPath = (folder / "Album.mld").string();
    files.ArtistPath = (folder / "Artist.mld").string();

    LoadSkinPictures();
    LoadConf(true);

    for (int k = 0; k <= 22; ++k) {
        Label1[k].setAutoSize(true);
        Label1[k].setCaption("");
    }
    Form2& screen = station().form2();
    for (int j = 0; j <= 13; ++j) {
        screen.F2_Label1[j].setAutoSize(true);
        screen.F2_Label1[j].setCaption("");
    }
    Label1[21].setCaption(kAboutLine);
    Label1[22].setCaption(kVersionLine);

    completeStoppedScan();
    LoadDataBase();

    rt.random().seed(static_cast<std::uint64_t>(rt.clock().now().time_since_epoch().count()));

    // With no albums at all (a new install or a deleted database) there is no current album: the wheel
    // line stays hidden, the album's song list empty and its cover the skin's.
    const int rows = TempArtist->count();
    if (rows >= 1) {
        browse.CurrentArtistIndex = 1 + RandomNumber(rows - 1);
        SelectArtistAlbum();
    } else {
        Label1[18].setVisible(false);
        SingleView->clear();
    }
}

#pragma once

#include "app/form1state.h"
#include "app/formbuilder.h"
#include "library/songfolderindex.h"
#include "platform/controlarray.h"
#include "platform/form.h"
#include "platform/picture.h"
#include "player/winampcontrol.h"

#include <memory>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <vector>

class Station;
namespace controls {
class SliderPic;
class Wheel;
} // namespace controls
namespace tk {
class CheckBox;
class ComboBox;
class DirListBox;
class DriveListBox;
class FileListBox;
class ListBox;
class ListView;
class Image;
class Label;
class PictureBox;
class Shape;
class TextBox;
class Timer;
} // namespace tk

// The main window: the start object of the station. It owns the state every subsystem shares (the
// groups of form1state.h) and every control of the main window; the subsystems' handlers work on them.
class Form1 : public tk::Form {
    Q_OBJECT
public:
    explicit Form1(Station& station);
    ~Form1() override;

    Station& station() { return m_station; }

    // The window's load handler (the start-up sequence) and its unload handler.
    void formLoad();
    void formUnload();

    // The exit sequence of the main bar's exit element, also run when the window manager closes the window.
    void exitStation();

    FileState files;
    LayoutState layout;
    PageFlags pages;
    BrowseState browse;
    PlaybackState playback;
    TagState tags;

    // The link to the player process.
    WinAMP_Control winamp;

    // Indexed controls.
    tk::ControlArray<tk::Label> Label1{"Label1"};
    tk::ControlArray<tk::Image> Image1{"Image1"};
    tk::ControlArray<tk::PictureBox> switch_{"switch"}; // the main bar (a reserved word in C++)
    tk::ControlArray<tk::Image> Switches{"Switches"};
    tk::ControlArray<tk::PictureBox> Picture1{"Picture1"};
    tk::ControlArray<tk::PictureBox> Picture2{"Picture2"};
    tk::ControlArray<tk::PictureBox> Picture5{"Picture5"};
    tk::ControlArray<tk::PictureBox> Picture6{"Picture6"};
    tk::ControlArray<tk::Image> Image2{"Image2"};
    tk::ControlArray<tk::Image> Image3{"Image3"};
    tk::ControlArray<tk::Image> Image4{"Image4"};
    tk::ControlArray<tk::Image> Image6{"Image6"};
    tk::ControlArray<tk::Image> SImage{"SImage"};
    tk::ControlArray<tk::Label> SLFile{"SLFile"};
    tk::ControlArray<tk::Label> SLAlbum{"SLAlbum"};
    tk::ControlArray<tk::Label> SLArtist{"SLArtist"};
    tk::ControlArray<tk::Label> Label2{"Label2"};
    tk::ControlArray<tk::Label> Label11{"Label11"};
    tk::ControlArray<tk::TextBox> txtMP3{"txtMP3"};
    tk::ControlArray<controls::SliderPic> SliderPic1{"SliderPic1"}; // 0 the volume, 1 the song position

    // Pages and containers.
    tk::PictureBox* Page_PlayList = nullptr;
    tk::PictureBox* Page_LastSongPlaylist = nullptr;
    tk::PictureBox* Page_AddSongs = nullptr;
    tk::PictureBox* Page_AddMoreSongs = nullptr;
    tk::PictureBox* Page_DeleteDataBase = nullptr;
    tk::PictureBox* Page_EditID3v2 = nullptr;
    tk::PictureBox* Page_EditScreenPass = nullptr;
    tk::PictureBox* BackPage = nullptr;
    tk::PictureBox* LeftDoor = nullptr;
    tk::PictureBox* RightDoor = nullptr;
    tk::PictureBox* Page_Single = nullptr;
    tk::PictureBox* Page_Album = nullptr;
    tk::PictureBox* Page_DataBase = nullptr;
    tk::PictureBox* Page_Top10 = nullptr;
    tk::PictureBox* Page_Search = nullptr;

    // Single controls.
    tk::TextBox* Text1 = nullptr;
    tk::TextBox* Text2 = nullptr;
    tk::TextBox* Text3 = nullptr;
    tk::TextBox* Text4 = nullptr;
    tk::TextBox* Text_Pass = nullptr;
    tk::TextBox* Text_NewPass = nullptr;
    tk::ComboBox* cboGenre1 = nullptr;
    tk::CheckBox* Check4 = nullptr;
    tk::Image* Image5 = nullptr;
    tk::Image* Image8 = nullptr;
    tk::Image* Image11 = nullptr;
    tk::Label* SingleAlbum = nullptr;
    tk::Label* SingleArtist = nullptr;
    tk::Label* Label21 = nullptr;
    tk::Shape* Shape1 = nullptr;
    // The spin wheel; created by the load handler, which checks the skin first.
    controls::Wheel* Wheel1 = nullptr;

    // Lists on the pages: the song list, the playlist, the last songs, the album's songs, the search
    // results; the add-songs pages' drive, folder and file boxes.
    tk::ListView* ListView = nullptr;
    tk::ListView* play = nullptr;
    tk::ListView* PrevView = nullptr;
    tk::ListView* SingleView = nullptr;
    tk::ListView* SSonglist = nullptr;
    tk::ListView* SAlbumlist = nullptr;
    tk::ListView* SArtistlist = nullptr;
    tk::DriveListBox* Drive1 = nullptr;
    tk::DriveListBox* Drive2 = nullptr;
    tk::DirListBox* Dir1 = nullptr;
    tk::DirListBox* Dir2 = nullptr;
    tk::FileListBox* File1 = nullptr;

    // Hidden tables: the scan's work table, one row per album, one row per artist entry, an unused
    // one; the scanned file paths and the file paths parallel to the playlist.
    tk::ListView* TempList = nullptr;
    tk::ListView* TempAlbum = nullptr;
    tk::ListView* TempArtist = nullptr;
    tk::ListView* prevsong = nullptr;
    tk::ListBox* List1 = nullptr;
    tk::ListBox* lstFilenames = nullptr;

    // Timers: the end-of-song advance, the playing-now screen every minute, the time display, the clock.
    std::unique_ptr<tk::Timer> Timer1;
    std::unique_ptr<tk::Timer> Timer2;
    std::unique_ptr<tk::Timer> Timer3;
    std::unique_ptr<tk::Timer> Timer8;

    const ControlRegistry& controls() const { return m_controls; }

    // Main bar (src/app/mainbar.cpp, barmouse.cpp): the click of element Index and its actions, Enter in
    // the random-count box, the release over an element (its released look and the wheel button's
    // step), the wheel following element 16, the page buttons' pressed look and the top-10 covers.
    void switch_Click(int Index);
    void Text1_KeyPress(int& KeyAscii);
    void switch_MouseUp(int Index, int Button, int Shift, float X, float Y);
    void switch_Change(int Index);
    void Switches_MouseDown(int Index, int Button, int Shift, float X, float Y);
    void Switches_MouseUp(int Index, int Button, int Shift, float X, float Y);
    void Image6_DblClick(int Index);
    // The wheel line's notice while the top-10 page is open.
    static constexpr const char* kTopTenWheelNotice = " Sorry - Use Wheel Button to Move Forward ";

    // Browse pages behind the doors (src/app/browsetoggles.cpp): elements 10 to 14 open their page,
    // switching from another page, or close it.
    void ToggleBrowsePage(int Index);

    // Sliding pages and doors (src/app/slidingpages.cpp): each toggle slides its page in or out.
    void ToggleLastSongsPage();
    void TogglePlayListPage();
    void ToggleAddSongsPage();
    void ToggleAddMoreSongsPage();
    void ToggleDeleteDataBasePage();
    void ToggleEditID3v2Page();
    // Opens the doors over the page area when they are closed; closes them and hides the five browse
    // pages when they are open.
    void OpenCloseDoors();

    // Screen-password page (src/app/passwordpage.cpp).
    void ToggleEditScreenPassPage();
    void Text_Pass_Change();
    void Image5_Click(); // OK
    void Image8_Click(); // Cancel

    // Skins and settings (src/appearance).
    void ShowSampleCaptions();
    void LoadSkinPictures();
    // Writes the layout of both windows and the screen password to "Conf.mld".
    void SaveConfig();
    // Reads "Conf.mld" and applies it to both windows. Only the start-up call puts the volume slider
    // back to 50: elsewhere the pointer would disagree with the player's volume.
    void LoadConf(bool atStart = false);
    // A skin picture from the program folder's "Skin" folder ("\\Name.jpg" or "Name.jpg"); a missing
    // or unreadable picture is a runtime error.
    tk::Picture skinPicture(std::string_view name) const;
    // Gives an element a skin picture once the station runs: a picture that cannot be loaded leaves
    // the element's current picture and the station goes on.
    void showSkinPicture(tk::PictureBox& element, std::string_view name) const;
    void showSkinPicture(tk::Image& element, std::string_view name) const;
    // Layout-edit mode on (after the screen password) and off (saving the layout); a bar click in the
    // mode loads the element into the options dialog instead of acting.
    void StartLayoutEdit();
    void EndLayoutEdit();
    void PickSwitchElement(int Index);

    // Song library (src/library): the song list and the album and artist tables filled from the
    // database files, and the songs of "Data.mld" by folder for the album's song page.
    void LoadDataBase();
    void LoadAlbumList();
    void LoadArtistList();
    // The songs of "Data.mld" in the folder of the song file `path` (library::folderKey), in file
    // order; none when the file cannot be read. Reads only that folder's records while `songFolders`
    // still describes the file.
    std::vector<library::NumberedSong> songsInFolderOf(std::string_view path);
    // The record numbers of "Data.mld" by folder: LoadDataBase builds it, whoever appends a record to
    // the file adds it (songFolders.add(number, path)).
    library::SongFolderIndex songFolders;
    // The database files already reported as unreadable in this run: each is reported once.
    std::set<std::string> unreadableReported;

    // Browsing: song list order (src/browse).
    // Artist, album and track order in one sort, sorting left off.
    void RestoreListOrder();
    // Play-count order, most played first, sorting left on.
    void SortByPlays();
    // A counted play without sorting every song: MostPlayedRows gives the rows SortByPlays would put
    // first (the `count` highest play counts, ties in list order) without moving any row; after the
    // play counts of `rows` (ascending) were rewritten, PlayCountsRaised leaves the list exactly as
    // SortByPlays then RestoreListOrder would, moving only those rows when the others stand in that
    // order already.
    std::vector<int> MostPlayedRows(int count);
    void PlayCountsRaised(std::span<const int> rows);

    // Browsing: the current album and the wheel (src/browse).
    void FindArtistAlbum();
    void SelectArtistAlbum();
    void Wheel1_Change();
    void FillAlbumView();
    void MarkChosenInSingleView();

    // Browsing: the album page and the top-10 page (src/browse).
    void ShowAlbumPage();
    void SwitchBrowseMode();
    void FillTopTen();

    // Player (src/player).
    // A random whole number from 0 to `max`, each equally likely.
    std::int32_t RandomNumber(std::int32_t max);
    // Transport: the bar's previous, stop, pause, play and next elements.
    void PreviousSong();
    void StopSong();
    void PauseSong();
    void PlayCurrentSong();
    void NextSong();
    // Queues the number of random songs asked for in Text1.
    void RandomSelectSongs();
    // The clock tick: the time of day and the player's play state; also called at every door step.
    void Timer8_Timer();

    // Playing-now screen (src/screen): shows that screen every minute while its timer is on.
    void Timer2_Timer();

private:
    tk::Control* createListControl(const layout::Element& e, QWidget* parent);
    void takeControls();
    void createHiddenTables();
    // Navigation internals: the handlers' wiring, the bar's closing step, the wheel button's steps.
    void connectNavigation();
    void hideAlbumPageLines();
    void stepSingleAlbum(int button);
    void stepAlbumPage(int button);
    // Labels the sample captions replaced when layout-edit mode began, put back when it ends.
    void rememberCaptionsUnderSamples();
    void putBackCaptionsUnderSamples();

    Station& m_station;
    ControlRegistry m_controls;
    // Set while the toolkit's click after a right-button release in layout-edit mode is still to come:
    // that release has already run the element's action.
    bool m_swallowBarClick = false;
    // The captions the sample captions replaced, in the samples' order; empty when none are held.
    std::vector<std::string> m_captionsUnderSamples;
    // The play state the bar's play-state element shows.
    std::string m_shownPlayState;
    // True while the wheel's change handler moves the wheel back to row 1 itself.
    bool m_wheelBackToFirstRow = false;
};

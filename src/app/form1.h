#pragma once

#include "app/form1state.h"
#include "app/formbuilder.h"
#include "library/songfolderindex.h"
#include "library/tagwriteresult.h"
#include "platform/color.h"
#include "platform/controlarray.h"
#include "platform/form.h"
#include "platform/picture.h"
#include "player/playlistsong.h"
#include "player/winampcontrol.h"

#include <array>
#include <memory>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

class FolderScan;
struct SongColumns;
class Station;
namespace library {
struct DatabaseFiles;
} // namespace library
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
struct DropData;
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
    void Text_Pass_KeyPress(int& KeyAscii); // Enter: OK
    void Image5_Click();                    // OK
    void Image8_Click();                    // Cancel

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
    // One back colour for the main window's list and text boxes (the tag editor's last box keeps its own).
    void setBoxesBackColor(tk::OleColor color);
    // Layout-edit mode on (after the screen password) and off (saving the layout); a bar click in the
    // mode loads the element into the options dialog instead of acting.
    void StartLayoutEdit();
    void EndLayoutEdit();
    void PickSwitchElement(int Index);
    // Pressed look of the picture buttons (src/appearance/pressedlook.cpp): a border and, for most, the
    // "-On" picture while a mouse button is held; the bar shows none in layout-edit mode.
    void switch_MouseDown(int Index, int Button, int Shift, float X, float Y);
    void Picture1_MouseDown(int Index, int Button, int Shift, float X, float Y);
    void Picture1_MouseUp(int Index, int Button, int Shift, float X, float Y);
    // The playlist page's buttons; their release (modes.cpp) shows its look through the second.
    void Picture6_MouseDown(int Index, int Button, int Shift, float X, float Y);
    void showPlayListButtonReleased(int Index);
    void Image2_MouseDown(int Index, int Button, int Shift, float X, float Y);
    void Image2_MouseUp(int Index, int Button, int Shift, float X, float Y);
    void Image3_MouseDown(int Index, int Button, int Shift, float X, float Y);
    void Image3_MouseUp(int Index, int Button, int Shift, float X, float Y);
    void Image4_MouseDown(int Index, int Button, int Shift, float X, float Y);
    void Image5_MouseDown(int Button, int Shift, float X, float Y);
    void Image5_MouseUp(int Button, int Shift, float X, float Y);
    void Image8_MouseDown(int Button, int Shift, float X, float Y);
    void Image8_MouseUp(int Button, int Shift, float X, float Y);
    // Dragging and picking in layout-edit mode (src/appearance/layoutdrag.cpp): with the left button
    // alone held, an element's centre follows the pointer; a click on a label or a cover picks it into
    // the options dialog.
    void Label1_MouseMove(int Index, int Button, int Shift, float X, float Y);
    void Image1_MouseMove(int Index, int Button, int Shift, float X, float Y);
    void switch_MouseMove(int Index, int Button, int Shift, float X, float Y);
    void Switches_MouseMove(int Index, int Button, int Shift, float X, float Y);
    void Text1_MouseMove(int Button, int Shift, float X, float Y);
    void BackPage_MouseMove(int Button, int Shift, float X, float Y);
    void Picture2_MouseMove(int Index, int Button, int Shift, float X, float Y);
    void Label1_Click(int Index);
    void Image1_Click(int Index);

    // Song library (src/library): the song list and the album and artist tables filled from the
    // database files, and the songs of "Data.mld" by folder for the album's song page.
    void LoadDataBase();
    void LoadAlbumList();
    void LoadArtistList();
    // At start, before the tables are filled: the songs of a group a stopped folder scan left without
    // their album get the entries the scan would have written (src/library/folderscan.cpp).
    void completeStoppedScan();
    // The songs of "Data.mld" in the folder of the song file `path` (library::folderKey), in file
    // order; none when the file cannot be read. Reads only that folder's records while `songFolders`
    // still describes the file.
    std::vector<library::NumberedSong> songsInFolderOf(std::string_view path);
    // The record numbers of "Data.mld" by folder: LoadDataBase builds it, whoever appends a record to
    // the file adds it (songFolders.add(number, path)).
    library::SongFolderIndex songFolders;
    // The database files already reported as unreadable in this run: each is reported once.
    std::set<std::string> unreadableReported;

    // Song library: the tag boxes txtMP3(0..13) and cboGenre1 (src/library/tagboxes.cpp). The two
    // readers take the file at CurrentPath: ReadID3v1 empties the current tag strings, ReadID3v2 sets
    // them from both tags. They leave the boxes alone: only the editor's own open and its re-read after
    // a write fill them, so a song read for another purpose, the editor's own song queued or dropped
    // too, never changes what the owner typed or what Apply writes.
    void ReadID3v1();
    void ReadID3v2();
    // Writes the ID3v2 boxes and the genre box into the editor's song (CurrentPath when the editor
    // holds none) and mirrors them into its ID3v1 tag; then empties the boxes and reads both tags
    // back. A refused write changes nothing and says why.
    id3::TagWriteResult WriteID3v2Tag();
    // Empties txtMP3(0..12) and the genre box; txtMP3(13) keeps the genre last read.
    void ClearTagFields();
    // SongRec from the current tag strings, the song's path and CurRecord.
    void FillSongRecord(std::string_view path);

    // Song library: adding songs (src/library/folderscan.cpp). Scans the folder tree of Dir2 into the
    // database: every song appended, each group of songs made an album with its artist entries, the
    // tables reloaded; one message at the end tells what was passed over. Its steps are private.
    void RecurseFiles2();

    // Song library: the database page's buttons, the add-more-songs and delete-database buttons, and
    // the drive and folder boxes of both add-songs pages (src/library/databasepage.cpp).
    void Image2_Click(int Index);
    void Image3_Click(int Index);
    void Drive1_Change();
    void Dir1_Change();
    void Drive2_Change();
    void Dir2_Change();

    // Song library: the tag editor page (src/library/tageditor.cpp).
    void Image4_MouseUp(int Index, int Button, int Shift, float X, float Y);
    void ApplyTagEdit();
    // With Check4 ticked: the words of txtMP3(7..13) capitalised ("rock-n-roll" gives "Rock-N-Roll").
    void CapitalizeTagText();
    void LowerCaseTagText();

    // Browsing (src/browse).
    // The current album and the wheel (currentalbum.cpp). FindArtistAlbum makes the first artist-table
    // row with exactly FindArtist and FindAlbum current and tells whether there was one.
    // FindAlbumInFolder does the same for the album FindAlbum in the folder of `path` (an album is its
    // name and its folder): FindArtist's row of it if it has one, else its first row, as for a
    // compilation, whose "Various Artists" is no artist-table row.
    bool FindArtistAlbum();
    bool FindAlbumInFolder(std::string_view path);
    void SelectArtistAlbum();
    void Wheel1_Change();
    // The album's song page (albumsongs.cpp): its fill and marks, and the list as a drag source.
    void FillAlbumView();
    void MarkChosenInSingleView();
    void SingleView_Click();
    void SingleView_MouseDown(int Button, int Shift, float X, float Y);
    void SingleView_KeyPress(int& KeyAscii);
    // The album page of eight covers (albumpage.cpp).
    void ShowAlbumPage();
    void SwitchBrowseMode();
    void SImage_MouseDown(int Index, int Button, int Shift, float X, float Y);
    void SImage_MouseUp(int Index, int Button, int Shift, float X, float Y);
    void SImage_DblClick(int Index);
    // The song list page (songlistpage.cpp) and its two orders (songlistorder.cpp): artist, album and
    // track order in one sort, sorting left off; play-count order, most played first, sorting left on.
    void ListView_Click();
    void ListView_MouseDown(int Button, int Shift, float X, float Y);
    void ListView_KeyPress(int& KeyAscii);
    void ListView_ColumnClick(int ColumnHeader);
    void RestoreListOrder();
    void SortByPlays();
    // A counted play without sorting every song: MostPlayedRows gives the rows SortByPlays would put
    // first (the `count` highest play counts, ties in list order) without moving any row; after the
    // play counts of `rows` (ascending) were rewritten, PlayCountsRaised leaves the list exactly as
    // SortByPlays then RestoreListOrder would, moving only those rows when the others stand in that
    // order already.
    std::vector<int> MostPlayedRows(int count);
    void PlayCountsRaised(std::span<const int> rows);
    // The top-10 page (topten.cpp).
    void FillTopTen();
    // The entries after a counted play, without sorting the song list (it goes back to artist order).
    void fillTopTenUnsorted();
    void showTopTen(std::array<int, 2> rows);
    void Image6_MouseDown(int Index, int Button, int Shift, float X, float Y);
    void Image6_MouseUp(int Index, int Button, int Shift, float X, float Y);
    // The song panels beside the song labels (songpanels.cpp).
    void Image1_MouseDown(int Index, int Button, int Shift, float X, float Y);
    void Image1_MouseUp(int Index, int Button, int Shift, float X, float Y);
    // The search page (search.cpp).
    void Switches_Click(int Index);
    void SearchSongs();
    void MarkChosenInSonglist();
    void Text2_KeyPress(int& KeyAscii);
    void SArtistlist_Click();
    void SArtistlist_KeyUp(int& KeyCode, int Shift);
    void SAlbumlist_Click();
    void SAlbumlist_KeyUp(int& KeyCode, int Shift);
    void SSonglist_Click();
    void SSonglist_KeyUp(int& KeyCode, int Shift);
    void SSonglist_KeyDown(int& KeyCode, int Shift);
    void SSonglist_MouseDown(int Button, int Shift, float X, float Y);

    // Player (src/player).
    // A random whole number from 0 to `max`, each equally likely.
    std::int32_t RandomNumber(std::int32_t max);
    // Starts the player, finds it, shows its version in the caption and puts the volume to 125; ends
    // the program when the player cannot be started or found.
    void InitWinAMP();

    // Player: the transport of the main bar, and the start of a row or of a dropped file.
    void PlayCurrentSong();
    void PlayDroppedFile();
    void NextSong();
    void PreviousSong();
    void StopSong();
    void PauseSong();
    // Player: the next song's panel, the random play order and the playing row's highlight.
    void ShowNextSong();
    // Draws the next random row into RandomPick, never the last-started row nor `alsoAvoid`.
    void PickRandomSong(std::int32_t alsoAvoid = 0);
    void HighlightCurrentSong();
    void ClearSongHighlight();
    // Player: filling the playlist (playlistadds.cpp, fileadds.cpp). A double-click or Enter queues the
    // selected song of the song list, the album's songs or the song results unless it is queued
    // already; the album cover queues every song of the album's song page not yet queued; a file of the
    // add-songs page is queued with its own tags. None of them starts playback.
    void ListView_DblClick();
    void SingleView_DblClick();
    void SSonglist_DblClick();
    void Image11_DblClick();
    void File1_DblClick();
    void File1_MouseDown(int Button, int Shift, float X, float Y);
    // The random-count box's tooltip with `limit` songs left to pick, and the next-song counter (the
    // next row, "/", the rows) on both windows, the next row made 1 when none is set.
    void showRandomLimit(std::int64_t limit);
    void showQueueCounter();
    // Marks the songs of the playlist queued again in the song list, after the list was loaded anew.
    void remarkPlaylistSongs();
    // Player: a drop onto the now-playing cover plays the dropped file or song at once (drops.cpp).
    void Image1_OLEDragDrop(int Index, const tk::DropData& Data);
    // Player: the playlist and last-songs pages (playlistedit.cpp): a click or key release opens the
    // row's album, a double-click or Enter plays it, Delete removes it; the pages' buttons; the reset of
    // every queued mark.
    void play_Click();
    void PrevView_Click();
    void play_KeyUp(int& KeyCode, int Shift);
    void PrevView_KeyUp(int& KeyCode, int Shift);
    void play_KeyDown(int& KeyCode, int Shift);
    void PrevView_KeyDown(int& KeyCode, int Shift);
    void play_DblClick();
    void PrevView_DblClick();
    void Picture6_Click(int Index);
    void Picture1_Click(int Index);
    void RemoveListEntry(int Index);
    void ResetSongMarks();
    // Player: the release of a playlist page button; the loop and random buttons switch their modes
    // (modes.cpp).
    void Picture6_MouseUp(int Index, int Button, int Shift, float X, float Y);
    // Player: the random pick queues the number of random songs asked for in Text1.
    void RandomSelectSongs();

    // Player: the end-of-song advance, and recording a song that played (last-songs list and panel,
    // play count).
    void Timer1_Timer();
    void RecordPlayedSong();

    // Player: the volume and song-position sliders, the time and the clock.
    void SliderPic1_PositionChanged(int index, int position);
    void SliderPic1_MouseDown(int index);
    void SliderPic1_MouseUp(int index);
    void Timer3_Timer();
    // The clock tick: the time of day and the player's play state; also called at every door step.
    void Timer8_Timer();

    // Player: the playlist and last-songs rows. Appends one row (and its file name to lstFilenames)
    // and returns its number; the first row of an empty playlist sets StartAtFirst unless told not to.
    int appendPlaylistRow(const PlaylistSong& song, bool firstRowStartsAtFirst = true);
    // Removes row `row` with its file name and renumbers the rows after it; the playing, next and
    // last-started rows keep their songs.
    void removePlaylistRow(int row);
    void removeLastSongsRow(int row);

    // Playing-now screen (src/screen): shows that screen every minute while its timer is on.
    void Timer2_Timer();

private:
    // Building the window (src/app/form1.cpp): a list, file, folder or drive box of the layout; the
    // controls the builder made, taken into their members; the hidden tables and lists.
    tk::Control* createListControl(const layout::Element& e, QWidget* parent);
    void takeControls();
    void createHiddenTables();
    // Player internals (src/player). Connects the player's timers and sliders, and the playlist's lists
    // and buttons, to their handlers.
    void connectPlayer();
    void connectPlaylist();
    // The queue of one song of a song list; the queued look in every song list for `queued` record
    // numbers (the song list's own rows too when asked); a file of a folder queued; the tag strings of
    // the file at CurrentPath by its ending; the load-directory button; the two lists emptied.
    void queueSelectedSong(tk::ListView& list, const SongColumns& columns);
    void markQueuedSongs(const std::unordered_set<std::string>& queued, bool inSongList);
    void queueFile(const std::string& folder, const std::string& name);
    void readFileTags();
    void loadFolderIntoPlaylist();
    void clearPlaylist();
    void clearLastSongs();
    // What the end-of-song timer does after the last row: loop to the first, or stop.
    void endOfPlaylist();
    // Asks the player, which reads stopped, whether it played the song it was told to play: one it could
    // not play is neither counted nor listed. False when it gave no answer.
    bool settleEndedSong();
    // The song of row `row` of `list` (playlist or last-songs) as now playing, on both windows, and as
    // the playing song of the playback state.
    void showPlayingSong(tk::ListView& list, int row);
    // Clears the player's own list, hands it the song and has it play: at once, or once a silent player
    // answers again. A player that went away on the way is replaced and handed the song again. False
    // when the file could not be handed over; such a file is not played.
    bool handToPlayer(const std::string& path);
    // Navigation internals: the handlers' wiring, the bar's closing step, the wheel button's steps.
    void connectNavigation();
    void connectLayoutEditor();
    void hideAlbumPageLines();
    void stepSingleAlbum(int button);
    void stepAlbumPage(int button);
    // Labels the sample captions replaced when layout-edit mode began, put back when it ends.
    void rememberCaptionsUnderSamples();
    void putBackCaptionsUnderSamples();
    // Song library internals: the handlers' wiring, the tag editor's opening and its copy button, the
    // editor's readers that fill its boxes and the current tag strings from a given file, the deletion
    // of the database.
    void connectLibrary();
    void openTagEditor();
    void copyTagsToId3v2();
    void readId3v1Boxes(const std::string& path);
    void readId3v2Boxes(const std::string& path);
    void deleteDataBase();
    // The folder scan's steps (src/library/folderscan.cpp): the walk of a folder tree, the append of
    // the songs listed in List1, the scan's work table of the songs appended, their grouping into
    // album and artist entries written to the entries' files; the paths of the database files. The tag
    // editor's rewrite of its song's record (tageditor.cpp) is false when the record was left as it
    // was.
    friend class FolderScan;
    void ScanFolder(const std::string& path);
    void WriteDataRecords();
    bool rewriteEditedRecord();
    void AddSongToTempList();
    void GroupAlbumsAndArtists();
    void WriteAlbumRecords();
    void WriteArtistRecords();
    library::DatabaseFiles databaseFiles() const;
    // Browsing internals: the pages' handlers wired to their controls. The cover of the song file
    // `songPath`, the "cover.jpg" of its folder or else the skin's cover, shown in a picture, true when
    // the folder's own was shown; the browsing pages and the playing, next and last-song covers use it.
    void connectBrowsing();
    bool showAlbumCover(tk::Image& image, std::string_view songPath) const;
    // Opens the album named in the selected row of `list` (FindArtistAlbum); false when no row is
    // selected.
    bool openAlbumOfSelectedRow(const tk::ListView& list, int artistColumn, int albumColumn);

    Station& m_station;
    ControlRegistry m_controls;
    // Set while the toolkit's click after a right-button release in layout-edit mode is still to come:
    // that release has already run the element's action.
    bool m_swallowBarClick = false;
    // The captions the sample captions replaced, in the samples' order; empty when none are held.
    std::vector<std::string> m_captionsUnderSamples;
    // True while the wheel's change handler moves the wheel back to row 1 itself.
    bool m_wheelBackToFirstRow = false;
    // The folder scan under way, while one runs.
    FolderScan* m_scan = nullptr;
};

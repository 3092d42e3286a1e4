#pragma once

// The design-time layout of the main window and the playing-now screen: every element's place and size
// in twips (15 twips per design pixel on the 1024 x 768 design screen), how it is sized, the skin
// pictures it shows, and its design caption, tool tip and font. The windows are built from these
// values, the first settings record is written from them, and the skin generator draws every picture
// at the size its elements give it. Plain data, no Qt.

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

namespace layout {

// Screen units and the design screen.
inline constexpr int kTwipsPerPixel = 15;
inline constexpr int kDesignWidth = 15360;  // 1024 pixels
inline constexpr int kDesignHeight = 11520; // 768 pixels
inline constexpr int kNoIndex = -1;

// Colours as the program stores them: red in the low byte; 0x800000nn is system colour nn.
inline constexpr std::uint32_t kNoColor = 0xFFFFFFFFu;
inline constexpr std::uint32_t kWindowText = 0x80000008u; // system colour 8, the labels' default
inline constexpr std::uint32_t kBlack = 0x000000u;
inline constexpr std::uint32_t kWhite = 0xFFFFFFu;
inline constexpr std::uint32_t kDarkRed = 0x0000C0u; // 192
inline constexpr std::uint32_t kDarkGrey = 0x505050u;
inline constexpr std::uint32_t kBoxBackColor = 0x80FFFFu; // 8454143, light yellow: every list and text box

enum class Kind {
    PictureBox,
    Image,
    Label,
    TextBox,
    ComboBox,
    CheckBox,
    ListView,
    DriveList,
    FolderList,
    FileList,
    Shape,
    Slider,
    Wheel,
    Button,
    Frame,
    TabStrip,
};

// How an element gets its size:
// Design  - keeps its design size; a picture shows from the element's top left, clipped;
// Picture - takes the size of the picture it is given (the design size is that picture's size);
// Stretch - keeps its design size and stretches its picture over it (the covers);
// Caption - a label whose width follows its caption (the design size is the layout-edit size).
enum class Sizing { Design, Picture, Stretch, Caption };

enum class Alignment { Left = 0, Right = 1, Centre = 2 };

struct Rect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

struct Font {
    std::string_view name{}; // empty: the toolkit's default font
    float size = 0.0f;       // points
    int weight = 400;        // 300 light, 400 normal, 600 semi-bold, 700 bold
    bool italic = false;
};

// One control. Picture names are relative to the skin folder ("Skin/"), written with the letter case the
// skin generator uses; the station's loader ignores case.
struct Element {
    std::string_view name{};
    int index = kNoIndex;
    Kind kind = Kind::PictureBox;
    std::string_view parent{}; // containing control; empty for the window itself
    int parentIndex = kNoIndex;
    Rect rect{}; // relative to the parent
    Sizing sizing = Sizing::Design;
    bool visible = true;
    bool enabled = true;
    std::string_view picture{};                      // shown at rest, from the start
    std::array<std::string_view, 2> otherPictures{}; // pressed, switched-on or other-state pictures
    std::string_view caption{};                      // label or check-box caption; a box's design text
    std::string_view toolTip{};
    Font font{};
    Alignment alignment = Alignment::Left;
    std::uint32_t foreColor = kNoColor;
    std::uint32_t backColor = kNoColor;
    bool transparent = false; // labels: no back fill, the picture behind shows through
    bool elide = false;       // labels: a caption too wide ends in "…", whole in the tool tip
    int maxLength = 0;        // text boxes: 0 is no limit
    char passwordChar = 0;
};

struct Window {
    std::string_view name{};
    int clientWidth = 0;
    int clientHeight = 0;
    std::string_view picture{}; // background, drawn at the design screen's size from the top left
    std::uint32_t backColor = kNoColor;
};

inline constexpr Window kForm1{"Form1", kDesignWidth, kDesignHeight, "Screen.jpg", 0xFF8080u};
inline constexpr Window kForm2{"Form2", 19995, 15000, "Screen2.jpg", kBlack};

// Label fonts of the design.
inline constexpr Font kArial975{"Arial", 9.75f, 400, false};
inline constexpr Font kArial975Bold{"Arial", 9.75f, 700, false};
inline constexpr Font kArial12Bold{"Arial", 12.0f, 700, false};
inline constexpr Font kArial12BoldItalic{"Arial", 12.0f, 700, true};
inline constexpr Font kArial1425Bold{"Arial", 14.25f, 700, false};
inline constexpr Font kSansSerif825Italic{"MS Sans Serif", 8.25f, 400, true};

// Auto-sized label heights by font size (the width follows the caption; 2000 is the layout-edit width).
inline constexpr int kLabelHeight825 = 195;
inline constexpr int kLabelHeight975 = 240;
inline constexpr int kLabelHeight12 = 285;
inline constexpr int kLabelHeight1425 = 345;
inline constexpr int kLabelEditWidth = 2000;

// clang-format off
// Main window labels Label1(0..22): first-run places, fonts and colours; design captions are the samples
// shown while no song is current; Label1(21)'s caption is replaced at start by the about line.
inline constexpr Element kMainLabels[] = {
    {.name = "Label1", .index = 0, .kind = Kind::Label,
     .rect = {2550, 3510, kLabelEditWidth, kLabelHeight975}, .sizing = Sizing::Caption, .caption = "Song",
     .toolTip = "Last Song", .font = kArial975, .alignment = Alignment::Centre, .foreColor = kWindowText,
     .transparent = true},
    {.name = "Label1", .index = 1, .kind = Kind::Label,
     .rect = {2310, 3780, kLabelEditWidth, kLabelHeight975}, .sizing = Sizing::Caption, .caption = "Artist",
     .toolTip = "Last Artist", .font = kArial975, .alignment = Alignment::Centre, .foreColor = kWindowText,
     .transparent = true},
    {.name = "Label1", .index = 2, .kind = Kind::Label,
     .rect = {2295, 4035, kLabelEditWidth, kLabelHeight975}, .sizing = Sizing::Caption, .caption = "Album",
     .toolTip = "Last Album", .font = kArial975, .alignment = Alignment::Centre, .foreColor = kWindowText,
     .transparent = true},
    {.name = "Label1", .index = 3, .kind = Kind::Label,
     .rect = {1755, 3195, kLabelEditWidth, kLabelHeight975}, .sizing = Sizing::Caption, .caption = "###",
     .toolTip = "How Many Songs Played Fully", .font = kArial975, .alignment = Alignment::Right,
     .foreColor = kWindowText, .transparent = true},
    {.name = "Label1", .index = 4, .kind = Kind::Label,
     .rect = {7290, 3510, kLabelEditWidth, kLabelHeight1425}, .sizing = Sizing::Caption, .caption = "Song",
     .toolTip = "Playing Now Song", .font = {"Arial", 14.25f, 700, true}, .alignment = Alignment::Centre,
     .foreColor = kWindowText, .transparent = true},
    {.name = "Label1", .index = 5, .kind = Kind::Label,
     .rect = {7305, 3840, kLabelEditWidth, kLabelHeight1425}, .sizing = Sizing::Caption, .caption = "Artist",
     .toolTip = "Playing Now Artist", .font = {"Arial", 14.25f, 400, true}, .alignment = Alignment::Centre,
     .foreColor = kWindowText, .transparent = true},
    {.name = "Label1", .index = 6, .kind = Kind::Label,
     .rect = {7260, 4170, kLabelEditWidth, kLabelHeight1425}, .sizing = Sizing::Caption, .caption = "Album",
     .toolTip = "Playing Now Album", .font = {"Arial", 14.25f, 400, true}, .alignment = Alignment::Centre,
     .foreColor = kWindowText, .transparent = true},
    {.name = "Label1", .index = 7, .kind = Kind::Label, .rect = {7440, 3000, kLabelEditWidth, kLabelHeight12},
     .sizing = Sizing::Caption, .caption = "Trk", .toolTip = "Track Number",
     .font = {"MS Sans Serif", 12.0f, 700, false}, .alignment = Alignment::Centre, .foreColor = kWindowText,
     .transparent = true},
    {.name = "Label1", .index = 8, .kind = Kind::Label,
     .rect = {12435, 3570, kLabelEditWidth, kLabelHeight975}, .sizing = Sizing::Caption, .caption = "Song",
     .toolTip = "Next Song", .font = kArial975, .alignment = Alignment::Centre, .foreColor = kWindowText,
     .transparent = true},
    {.name = "Label1", .index = 9, .kind = Kind::Label,
     .rect = {12420, 3885, kLabelEditWidth, kLabelHeight975}, .sizing = Sizing::Caption, .caption = "Artist",
     .toolTip = "Next Artist", .font = kArial975, .alignment = Alignment::Centre, .foreColor = kWindowText,
     .transparent = true},
    {.name = "Label1", .index = 10, .kind = Kind::Label,
     .rect = {12375, 4140, kLabelEditWidth, kLabelHeight975}, .sizing = Sizing::Caption, .caption = "Album",
     .toolTip = "Next Album", .font = kArial975, .alignment = Alignment::Centre, .foreColor = kWindowText,
     .transparent = true},
    {.name = "Label1", .index = 11, .kind = Kind::Label,
     .rect = {13560, 3210, kLabelEditWidth, kLabelHeight975}, .sizing = Sizing::Caption, .caption = "###/###",
     .toolTip = "How Many In Playlist", .font = kArial975, .alignment = Alignment::Left,
     .foreColor = kWindowText, .transparent = true},
    {.name = "Label1", .index = 12, .kind = Kind::Label,
     .rect = {5850, 4635, kLabelEditWidth, kLabelHeight12}, .sizing = Sizing::Caption, .caption = "00:00",
     .toolTip = "Track Position", .font = kArial12BoldItalic, .alignment = Alignment::Centre,
     .foreColor = kWindowText, .transparent = true},
    {.name = "Label1", .index = 13, .kind = Kind::Label,
     .rect = {8865, 4635, kLabelEditWidth, kLabelHeight12}, .sizing = Sizing::Caption, .caption = "04:35",
     .toolTip = "Song Length", .font = kArial12BoldItalic, .alignment = Alignment::Centre,
     .foreColor = kWindowText, .transparent = true},
    {.name = "Label1", .index = 14, .kind = Kind::Label,
     .rect = {1260, 7305, kLabelEditWidth, kLabelHeight975}, .sizing = Sizing::Caption, .caption = "S###",
     .toolTip = "How Many Songs", .font = kArial975Bold, .alignment = Alignment::Centre,
     .foreColor = kWindowText, .transparent = true},
    {.name = "Label1", .index = 15, .kind = Kind::Label,
     .rect = {1260, 8175, kLabelEditWidth, kLabelHeight975}, .sizing = Sizing::Caption, .caption = "AL##",
     .toolTip = "How Many Albums", .font = kArial975Bold, .alignment = Alignment::Centre,
     .foreColor = kWindowText, .transparent = true},
    {.name = "Label1", .index = 16, .kind = Kind::Label,
     .rect = {1260, 9015, kLabelEditWidth, kLabelHeight975}, .sizing = Sizing::Caption, .caption = "AR##",
     .toolTip = "How Many Artists", .font = kArial975Bold, .alignment = Alignment::Centre,
     .foreColor = kWindowText, .transparent = true},
    {.name = "Label1", .index = 17, .kind = Kind::Label,
     .rect = {1065, 9870, kLabelEditWidth, kLabelHeight975}, .sizing = Sizing::Caption, .caption = "00:00:00",
     .toolTip = "Clock", .font = {"MS Sans Serif", 9.75f, 700, false}, .alignment = Alignment::Centre,
     .foreColor = kWindowText, .transparent = true},
    {.name = "Label1", .index = 18, .kind = Kind::Label,
     .rect = {6615, 11055, kLabelEditWidth, kLabelHeight12}, .sizing = Sizing::Caption, .visible = false,
     .caption = "##-Artist-Album", .toolTip = "##-Artist-Album", .font = kArial12Bold,
     .alignment = Alignment::Centre, .foreColor = kWindowText, .transparent = true},
    {.name = "Label1", .index = 19, .kind = Kind::Label, .rect = {2640, 11025, 1900, kLabelHeight1425},
     .sizing = Sizing::Caption, .visible = false, .caption = "###", .toolTip = "Showing From.......",
     .font = kArial1425Bold, .alignment = Alignment::Centre, .foreColor = kWindowText, .transparent = true},
    {.name = "Label1", .index = 20, .kind = Kind::Label,
     .rect = {12060, 11010, kLabelEditWidth, kLabelHeight1425}, .sizing = Sizing::Caption, .visible = false,
     .caption = "###", .toolTip = "Showing To......", .font = kArial1425Bold, .alignment = Alignment::Centre,
     .foreColor = kWindowText, .transparent = true},
    {.name = "Label1", .index = 21, .kind = Kind::Label,
     .rect = {9180, 11295, kLabelEditWidth, kLabelHeight825}, .sizing = Sizing::Caption, .caption = "Tunnora",
     .font = kSansSerif825Italic, .alignment = Alignment::Centre, .foreColor = kWhite, .transparent = true},
    {.name = "Label1", .index = 22, .kind = Kind::Label,
     .rect = {13815, 11295, kLabelEditWidth, kLabelHeight825}, .sizing = Sizing::Caption,
     .caption = "Ver. 1.2.3", .font = kSansSerif825Italic, .alignment = Alignment::Right, .foreColor = kWhite,
     .transparent = true},
};

// The main button bar switch(0..20): first-run places; each element takes its picture's size. The
// page switches 10..15 share one pair of pictures, so their names are drawn on the window background
// beside them. Element 19 reaches 60 twips into the top of BackPage and lies above it.
inline constexpr Element kMainBar[] = {
    {.name = "switch", .index = 0, .rect = {6615, 4605, 420, 375}, .sizing = Sizing::Picture,
     .picture = "Prev.jpg", .toolTip = "Previues"},
    {.name = "switch", .index = 1, .rect = {7065, 4605, 420, 375}, .sizing = Sizing::Picture,
     .picture = "Stop.jpg", .toolTip = "Stop"},
    {.name = "switch", .index = 2, .rect = {7500, 4605, 420, 375}, .sizing = Sizing::Picture,
     .picture = "Pause.jpg", .toolTip = "Pause"},
    {.name = "switch", .index = 3, .rect = {7935, 4605, 420, 375}, .sizing = Sizing::Picture,
     .picture = "Play.jpg", .toolTip = "PLay"},
    {.name = "switch", .index = 4, .rect = {8370, 4605, 420, 375}, .sizing = Sizing::Picture,
     .picture = "Next.jpg", .toolTip = "Next"},
    {.name = "switch", .index = 5, .rect = {3645, 4590, 1800, 420}, .sizing = Sizing::Picture,
     .picture = "LastSong-Off.jpg", .otherPictures = {"LastSong-On.jpg"}, .toolTip = "Last Songs - PlayList"},
    {.name = "switch", .index = 6, .rect = {9645, 4605, 1800, 420}, .sizing = Sizing::Picture,
     .picture = "NextSong-Off.jpg", .otherPictures = {"NextSong-On.jpg"}, .toolTip = "PlayList"},
    {.name = "switch", .index = 7, .rect = {90, 90, 465, 435}, .sizing = Sizing::Picture,
     .picture = "FullScreen.jpg", .toolTip = "Playing Now Screen"},
    {.name = "switch", .index = 8, .rect = {14160, 90, 465, 435}, .sizing = Sizing::Picture,
     .picture = "Minimize.jpg", .toolTip = "Minimize"},
    {.name = "switch", .index = 9, .rect = {14745, 75, 465, 435}, .sizing = Sizing::Picture,
     .picture = "Exit.jpg", .toolTip = "Exit"},
    {.name = "switch", .index = 10, .rect = {13005, 5475, 600, 525}, .sizing = Sizing::Picture,
     .picture = "Switch-off.jpg", .otherPictures = {"Switch-On.jpg"}, .toolTip = "Single Page"},
    {.name = "switch", .index = 11, .rect = {13005, 6345, 600, 525}, .sizing = Sizing::Picture,
     .picture = "Switch-off.jpg", .otherPictures = {"Switch-On.jpg"}, .toolTip = "Album Page"},
    {.name = "switch", .index = 12, .rect = {13020, 7200, 600, 525}, .sizing = Sizing::Picture,
     .picture = "Switch-off.jpg", .otherPictures = {"Switch-On.jpg"}, .toolTip = "DataBase Page"},
    {.name = "switch", .index = 13, .rect = {12990, 8055, 600, 525}, .sizing = Sizing::Picture,
     .picture = "Switch-off.jpg", .otherPictures = {"Switch-On.jpg"}, .toolTip = "Top-10 Page"},
    {.name = "switch", .index = 14, .rect = {13005, 8910, 600, 525}, .sizing = Sizing::Picture,
     .picture = "Switch-off.jpg", .otherPictures = {"Switch-On.jpg"}, .toolTip = "Search Page"},
    {.name = "switch", .index = 15, .rect = {13005, 9765, 600, 525}, .sizing = Sizing::Picture,
     .picture = "Switch-off.jpg", .otherPictures = {"Switch-On.jpg"}, .toolTip = "Get ### Random Songs"},
    {.name = "switch", .index = 16, .rect = {13110, 10785, 1515, 480}, .sizing = Sizing::Picture,
     .picture = "Wheel/Wheel Button.jpg",
     .toolTip = "Get Selected or Left Button Move Forward - Right Button Move Backward"},
    {.name = "switch", .index = 17, .rect = {825, 10410, 1200, 435}, .sizing = Sizing::Picture,
     .picture = "EditScreenPass-Off.jpg", .otherPictures = {"EditScreenPass-On.jpg"},
     .toolTip = "Edit Screen - ( Right Mouse Click -  Return To Normal Mode )"},
    {.name = "switch", .index = 18, .rect = {615, 90, 1650, 435}, .sizing = Sizing::Picture,
     .picture = "FullScreenTime-Off.jpg", .otherPictures = {"FullScreenTime-On.jpg"},
     .toolTip = "Playing Now Screen - 1 Minute Auto Change"},
    {.name = "switch", .index = 19, .rect = {6585, 4995, 1500, 375}, .sizing = Sizing::Picture,
     .visible = false, .picture = "ByArtist.jpg", .otherPictures = {"ByAlbum.jpg"}},
    {.name = "switch", .index = 20, .rect = {5790, 4470, 780, 165}, .sizing = Sizing::Picture,
     .picture = "PlayStop.jpg", .otherPictures = {"PlayPLAY.jpg", "PlayPAUSE.jpg"}, .toolTip = "PlayList"},
};

// Covers, sliders, the wheel, the random-count box and the small moving shape: first-run places. The
// covers stretch their pictures; the sliders take the size of their own track and pointer pictures; the
// wheel is always 1515 x 420 (horizontal, with arrow buttons) and sits 420 above switch(16).
inline constexpr Element kMainControls[] = {
    {.name = "Image1", .index = 0, .kind = Kind::Image, .rect = {2040, 2040, 1395, 1380},
     .sizing = Sizing::Stretch, .picture = "Cover.jpg", .toolTip = "Click To View Songs In This Album"},
    {.name = "Image1", .index = 1, .kind = Kind::Image, .rect = {6255, 510, 2895, 2865},
     .sizing = Sizing::Stretch, .picture = "Cover.jpg", .toolTip = "Click To View Songs In This Album"},
    {.name = "Image1", .index = 2, .kind = Kind::Image, .rect = {11940, 2040, 1395, 1395},
     .sizing = Sizing::Stretch, .picture = "Cover.jpg", .toolTip = "Click To View Songs In This Album"},
    {.name = "Image1", .index = 3, .kind = Kind::Image, .rect = {810, 5355, 1320, 1305},
     .sizing = Sizing::Stretch, .picture = "Cover.jpg", .toolTip = "Click To View Songs In This Album"},
    {.name = "SliderPic1", .index = 0, .kind = Kind::Slider, .rect = {5880, 210, 0, 0},
     .sizing = Sizing::Picture},
    {.name = "SliderPic1", .index = 1, .kind = Kind::Slider, .rect = {5955, 3180, 0, 0},
     .sizing = Sizing::Picture},
    {.name = "Wheel1", .kind = Kind::Wheel, .rect = {13110, 10350, 1515, 420},
     .toolTip = "Turn Wheel To Select"},
    {.name = "Text1", .kind = Kind::TextBox, .rect = {13275, 9450, 645, 285}, .caption = "000",
     .toolTip = "Type How Many Songs To Play Randomly", .font = kArial975, .backColor = kBoxBackColor},
    // Only the animations move it; it is never shown (on a wide screen it would stand in the blank area).
    {.name = "Shape1", .kind = Kind::Shape, .rect = {15480, 0, 840, 1080}, .visible = false},
};

// Guide bars of layout-edit mode on the main window, hidden outside it.
inline constexpr Element kMainGuideBars[] = {
    {.name = "Picture2", .index = 1, .rect = {660, 1470, 13770, 120}, .visible = false,
     .backColor = 0x00B4FFu},
    {.name = "Picture2", .index = 2, .rect = {345, 3375, 120, 9570}, .visible = false,
     .backColor = 0x00B4FFu},
    {.name = "Picture2", .index = 3, .rect = {135, 585, 120, 9570}, .visible = false, .backColor = 0x00B4FFu},
    {.name = "Picture2", .index = 4, .rect = {645, 1650, 13770, 120}, .visible = false,
     .backColor = 0x00B4FFu},
};

// The sliding list pages, parked above the window at design and hidden; the six that lie on the window
// are centred on the 15360-twip design area, whatever the screen's width. A page's height never exceeds
// the distance of its parked Top above the window, so a parked page is out of sight (see kSlidingPages).
inline constexpr Element kSlidingPageElements[] = {
    {.name = "Page_PlayList", .rect = {2355, -6500, 10650, 3300}, .visible = false,
     .picture = "PlayList.jpg"},
    {.name = "Page_LastSongPlaylist", .rect = {2355, -5000, 10650, 3300}, .visible = false,
     .picture = "LastSongPlaylist.jpg"},
    {.name = "Page_AddSongs", .rect = {2355, -5000, 10650, 4500}, .visible = false,
     .picture = "AddSongs.jpg"},
    {.name = "Page_AddMoreSongs", .rect = {4080, -6500, 7200, 5250}, .visible = false,
     .picture = "AddMoreSongs.jpg"},
    {.name = "Page_DeleteDataBase", .parent = "Page_AddMoreSongs", .rect = {300, -5000, 6600, 3000},
     .visible = false, .picture = "DeleteDataBase.jpg"},
    {.name = "Page_EditID3v2", .rect = {2580, -7000, 10200, 6000}, .visible = false,
     .picture = "EditID3v2.jpg"},
    {.name = "Page_EditScreenPass", .rect = {5565, -6500, 4230, 4830}, .visible = false,
     .picture = "EditScreenPass.jpg"},
};

// Playlist page: the playlist and its five buttons.
inline constexpr Element kPlayListPage[] = {
    {.name = "play", .kind = Kind::ListView, .parent = "Page_PlayList", .rect = {300, 420, 10050, 2160},
     .toolTip = "DBL Click To Play The Song   -   Use Del Key To Remove Selected Song",
     .backColor = kBoxBackColor},
    {.name = "Picture6", .index = 0, .parent = "Page_PlayList", .rect = {300, 2700, 2325, 345},
     .picture = "AddToPlaylist-Off.jpg", .otherPictures = {"AddToPlaylist-On.jpg"}},
    {.name = "Picture6", .index = 1, .parent = "Page_PlayList", .rect = {6300, 2700, 2325, 345},
     .picture = "ClearPlaylist-Off.jpg", .otherPictures = {"ClearPlaylist-On.jpg"},
     .toolTip = "Clear PlayList"},
    {.name = "Picture6", .index = 2, .parent = "Page_PlayList", .rect = {3015, 2700, 1290, 345},
     .picture = "Loop-Off.jpg", .otherPictures = {"Loop-On.jpg"}},
    {.name = "Picture6", .index = 3, .parent = "Page_PlayList", .rect = {4650, 2700, 1290, 345},
     .picture = "Random-Off.jpg", .otherPictures = {"Random-On.jpg"}},
    {.name = "Picture6", .index = 4, .parent = "Page_PlayList", .rect = {9030, 2700, 1320, 345},
     .picture = "Close-Off.jpg", .otherPictures = {"Close-On.jpg"}},
};

// Last-songs page: the history list and its two buttons.
inline constexpr Element kLastSongsPage[] = {
    {.name = "PrevView", .kind = Kind::ListView, .parent = "Page_LastSongPlaylist",
     .rect = {300, 420, 10050, 2160},
     .toolTip = "DBL Click To Play The Song   -   Use Del Key To Remove Selected Song",
     .backColor = kBoxBackColor},
    {.name = "Picture1", .index = 0, .parent = "Page_LastSongPlaylist", .rect = {6300, 2700, 2295, 285},
     .picture = "ClearPlaylist-Off.jpg", .otherPictures = {"ClearPlaylist-On.jpg"}},
    {.name = "Picture1", .index = 1, .parent = "Page_LastSongPlaylist", .rect = {9015, 2685, 1290, 300},
     .picture = "Close-Off.jpg", .otherPictures = {"Close-On.jpg"}},
};

// Add-songs page: drive, folder and file lists and the load-folder button.
inline constexpr Element kAddSongsPage[] = {
    {.name = "Drive1", .kind = Kind::DriveList, .parent = "Page_AddSongs", .rect = {300, 480, 4500, 315},
     .backColor = kBoxBackColor},
    {.name = "Dir1", .kind = Kind::FolderList, .parent = "Page_AddSongs", .rect = {300, 900, 4500, 3330},
     .backColor = kBoxBackColor},
    {.name = "File1", .kind = Kind::FileList, .parent = "Page_AddSongs", .rect = {5100, 480, 5250, 3330},
     .caption = "*.mp3;*.mp2;*.cda;*.mid", .backColor = kBoxBackColor},
    {.name = "Switches", .index = 8, .kind = Kind::Image, .parent = "Page_AddSongs",
     .rect = {9015, 3960, 1335, 330}, .sizing = Sizing::Picture, .picture = "LoadDirectory-off.jpg",
     .otherPictures = {"LoadDirectory-On.jpg"}},
};

// Add-more-songs page with the delete-database page inside it.
inline constexpr Element kAddMoreSongsPage[] = {
    {.name = "Drive2", .kind = Kind::DriveList, .parent = "Page_AddMoreSongs", .rect = {300, 600, 6600, 315},
     .backColor = kBoxBackColor},
    {.name = "Dir2", .kind = Kind::FolderList, .parent = "Page_AddMoreSongs", .rect = {300, 1020, 6600, 3240},
     .backColor = kBoxBackColor},
    {.name = "Image3", .index = 0, .kind = Kind::Image, .parent = "Page_AddMoreSongs",
     .rect = {300, 4530, 1800, 345}, .sizing = Sizing::Picture, .picture = "GetFiles-Off.jpg",
     .otherPictures = {"GetFiles-On.jpg"}},
    {.name = "Image3", .index = 1, .kind = Kind::Image, .parent = "Page_AddMoreSongs",
     .rect = {2400, 4530, 1320, 345}, .sizing = Sizing::Picture, .picture = "Cancel-Off.jpg",
     .otherPictures = {"Cancel-On.jpg"}},
    {.name = "Image3", .index = 2, .kind = Kind::Image, .parent = "Page_AddMoreSongs",
     .rect = {4800, 4530, 2100, 345}, .sizing = Sizing::Picture, .picture = "DeleteDataBase-Off.jpg",
     .otherPictures = {"DeleteDataBase-On.jpg"}},
    {.name = "Text3", .kind = Kind::TextBox, .parent = "Page_DeleteDataBase", .rect = {1500, 1380, 3600, 300},
     .backColor = kBoxBackColor, .passwordChar = '*'},
    {.name = "Image3", .index = 3, .kind = Kind::Image, .parent = "Page_DeleteDataBase",
     .rect = {1500, 2340, 1320, 345}, .sizing = Sizing::Picture, .picture = "OK-Off.jpg",
     .otherPictures = {"OK-On.jpg"}},
    {.name = "Image3", .index = 4, .kind = Kind::Image, .parent = "Page_DeleteDataBase",
     .rect = {3780, 2340, 1320, 345}, .sizing = Sizing::Picture, .picture = "Cancel-Off.jpg",
     .otherPictures = {"Cancel-On.jpg"}},
};

// Tag editor page: the path line, ID3v1 boxes txtMP3(0..6) on the left (artist, album, track, title,
// year, genre, comment), ID3v2 boxes on the right in the same rows (txtMP3(7..12) and the genre box
// with txtMP3(13), its copy), the capitalisation box and three buttons. The row names are drawn on the
// page's picture.
inline constexpr int kTagRowTop = 1260;
inline constexpr int kTagRowStep = 450;
inline constexpr int kTagCaptionLeft = 300;
inline constexpr int kTagV1Left = 1500;
inline constexpr int kTagV2Left = 5700;
inline constexpr Element kTagEditorPage[] = {
    {.name = "Text4", .kind = Kind::TextBox, .parent = "Page_EditID3v2", .rect = {300, 540, 9600, 300},
     .backColor = kBoxBackColor},
    {.name = "txtMP3", .index = 0, .kind = Kind::TextBox, .parent = "Page_EditID3v2",
     .rect = {kTagV1Left, kTagRowTop + 0 * kTagRowStep, 3900, 300}, .backColor = kBoxBackColor,
     .maxLength = 254},
    {.name = "txtMP3", .index = 1, .kind = Kind::TextBox, .parent = "Page_EditID3v2",
     .rect = {kTagV1Left, kTagRowTop + 1 * kTagRowStep, 3900, 300}, .backColor = kBoxBackColor,
     .maxLength = 254},
    {.name = "txtMP3", .index = 2, .kind = Kind::TextBox, .parent = "Page_EditID3v2",
     .rect = {kTagV1Left, kTagRowTop + 2 * kTagRowStep, 3900, 300}, .backColor = kBoxBackColor,
     .maxLength = 254},
    {.name = "txtMP3", .index = 3, .kind = Kind::TextBox, .parent = "Page_EditID3v2",
     .rect = {kTagV1Left, kTagRowTop + 3 * kTagRowStep, 3900, 300}, .backColor = kBoxBackColor,
     .maxLength = 254},
    {.name = "txtMP3", .index = 4, .kind = Kind::TextBox, .parent = "Page_EditID3v2",
     .rect = {kTagV1Left, kTagRowTop + 4 * kTagRowStep, 3900, 300}, .backColor = kBoxBackColor,
     .maxLength = 254},
    {.name = "txtMP3", .index = 5, .kind = Kind::TextBox, .parent = "Page_EditID3v2",
     .rect = {kTagV1Left, kTagRowTop + 5 * kTagRowStep, 3900, 300}, .backColor = kBoxBackColor,
     .maxLength = 254},
    {.name = "txtMP3", .index = 6, .kind = Kind::TextBox, .parent = "Page_EditID3v2",
     .rect = {kTagV1Left, kTagRowTop + 6 * kTagRowStep, 3900, 300}, .backColor = kBoxBackColor,
     .maxLength = 254},
    {.name = "txtMP3", .index = 7, .kind = Kind::TextBox, .parent = "Page_EditID3v2",
     .rect = {kTagV2Left, kTagRowTop + 0 * kTagRowStep, 4200, 300}, .backColor = kBoxBackColor,
     .maxLength = 254},
    {.name = "txtMP3", .index = 8, .kind = Kind::TextBox, .parent = "Page_EditID3v2",
     .rect = {kTagV2Left, kTagRowTop + 1 * kTagRowStep, 4200, 300}, .backColor = kBoxBackColor,
     .maxLength = 254},
    {.name = "txtMP3", .index = 9, .kind = Kind::TextBox, .parent = "Page_EditID3v2",
     .rect = {kTagV2Left, kTagRowTop + 2 * kTagRowStep, 4200, 300}, .backColor = kBoxBackColor,
     .maxLength = 254},
    {.name = "txtMP3", .index = 10, .kind = Kind::TextBox, .parent = "Page_EditID3v2",
     .rect = {kTagV2Left, kTagRowTop + 3 * kTagRowStep, 4200, 300}, .backColor = kBoxBackColor,
     .maxLength = 254},
    {.name = "txtMP3", .index = 11, .kind = Kind::TextBox, .parent = "Page_EditID3v2",
     .rect = {kTagV2Left, kTagRowTop + 4 * kTagRowStep, 4200, 300}, .backColor = kBoxBackColor,
     .maxLength = 254},
    {.name = "cboGenre1", .kind = Kind::ComboBox, .parent = "Page_EditID3v2",
     .rect = {kTagV2Left, kTagRowTop + 5 * kTagRowStep, 2700, 315}, .backColor = kBoxBackColor},
    {.name = "txtMP3", .index = 13, .kind = Kind::TextBox, .parent = "Page_EditID3v2",
     .rect = {8520, kTagRowTop + 5 * kTagRowStep, 1380, 300}, .maxLength = 254},
    {.name = "txtMP3", .index = 12, .kind = Kind::TextBox, .parent = "Page_EditID3v2",
     .rect = {kTagV2Left, kTagRowTop + 6 * kTagRowStep, 4200, 300}, .backColor = kBoxBackColor,
     .maxLength = 254},
    {.name = "Check4", .kind = Kind::CheckBox, .parent = "Page_EditID3v2", .rect = {300, 4530, 6000, 300},
     .caption = "Change  Character To   abC dEF -> Abc Def", .backColor = kBoxBackColor},
    {.name = "Image4", .index = 0, .kind = Kind::Image, .parent = "Page_EditID3v2",
     .rect = {300, 5250, 2400, 345}, .sizing = Sizing::Picture, .picture = "CopyToID3v2-Off.jpg",
     .otherPictures = {"CopyToID3v2-On.jpg"}},
    {.name = "Image4", .index = 1, .kind = Kind::Image, .parent = "Page_EditID3v2",
     .rect = {8580, 5250, 1320, 345}, .sizing = Sizing::Picture, .picture = "OK-Off.jpg",
     .otherPictures = {"OK-On.jpg"}},
    {.name = "Image4", .index = 2, .kind = Kind::Image, .parent = "Page_EditID3v2",
     .rect = {7080, 5250, 1320, 345}, .sizing = Sizing::Picture, .picture = "Apply-Off.jpg",
     .otherPictures = {"Apply-On.jpg"}},
};

// Screen-password page: the current and the new password, OK and Cancel.
inline constexpr Element kPasswordPage[] = {
    {.name = "Text_Pass", .kind = Kind::TextBox, .parent = "Page_EditScreenPass",
     .rect = {495, 1905, 3195, 300}, .backColor = kBoxBackColor, .maxLength = 8, .passwordChar = '*'},
    {.name = "Text_NewPass", .kind = Kind::TextBox, .parent = "Page_EditScreenPass",
     .rect = {480, 3345, 3195, 300}, .visible = false, .enabled = false, .backColor = kBoxBackColor,
     .maxLength = 8, .passwordChar = '*'},
    {.name = "Image5", .kind = Kind::Image, .parent = "Page_EditScreenPass", .rect = {600, 3960, 1320, 345},
     .sizing = Sizing::Picture, .picture = "OK-Off.jpg", .otherPictures = {"OK-On.jpg"}},
    {.name = "Image8", .kind = Kind::Image, .parent = "Page_EditScreenPass", .rect = {2265, 3975, 1320, 345},
     .sizing = Sizing::Picture, .picture = "Cancel-Off.jpg", .otherPictures = {"Cancel-On.jpg"}},
};

// The page area and its doors: BackPage ends left of the page switches and above the bottom labels;
// the doors are each 5400 wide (their travel), closed at 0 and 5400 (the right one clipped by BackPage).
inline constexpr int kDoorWidth = 5400;
inline constexpr int kBackPageWidth = 10650;
inline constexpr int kBackPageHeight = 5880;
inline constexpr Element kBackPage[] = {
    {.name = "BackPage", .rect = {2325, 5055, kBackPageWidth, kBackPageHeight}, .picture = "BackPage.jpg"},
    {.name = "LeftDoor", .parent = "BackPage", .rect = {0, 0, kDoorWidth, kBackPageHeight},
     .picture = "LeftDoor.jpg"},
    {.name = "RightDoor", .parent = "BackPage", .rect = {kDoorWidth, 0, kDoorWidth, kBackPageHeight},
     .picture = "RightDoor.jpg"},
};

// The five browse pages inside BackPage, hidden at design and parked above it; shown at (0, 0).
inline constexpr Element kBrowsePages[] = {
    {.name = "Page_Single", .parent = "BackPage", .rect = {0, -6500, kBackPageWidth, kBackPageHeight},
     .visible = false, .picture = "Single.jpg"},
    {.name = "Page_Album", .parent = "BackPage", .rect = {0, -6500, kBackPageWidth, kBackPageHeight},
     .visible = false, .picture = "Albums.jpg"},
    {.name = "Page_DataBase", .parent = "BackPage", .rect = {0, -6500, kBackPageWidth, kBackPageHeight},
     .visible = false, .picture = "DataBase.jpg"},
    {.name = "Page_Top10", .parent = "BackPage", .rect = {0, -6500, kBackPageWidth, kBackPageHeight},
     .visible = false, .picture = "Top10.jpg"},
    {.name = "Page_Search", .parent = "BackPage", .rect = {15, -6500, 10860, 6060}, .visible = false,
     .picture = "Search.jpg"},
};

// Single-album page: a name panel (cover, album, album artist) above a list panel (the album's songs).
inline constexpr Element kSinglePage[] = {
    {.name = "Picture5", .index = 0, .parent = "Page_Single", .rect = {150, 150, 10350, 1650},
     .picture = "Single-Name.jpg"},
    {.name = "Picture5", .index = 1, .parent = "Page_Single", .rect = {150, 1920, 10350, 3870},
     .picture = "Single-List.jpg"},
    {.name = "Image11", .kind = Kind::Image, .parent = "Picture5", .parentIndex = 0,
     .rect = {105, 105, 1440, 1440}, .sizing = Sizing::Stretch, .picture = "Cover.jpg"},
    {.name = "SingleAlbum", .kind = Kind::Label, .parent = "Picture5", .parentIndex = 0,
     .rect = {1800, 330, 8250, 345}, .caption = "Album", .font = kArial1425Bold, .foreColor = kBlack,
     .transparent = true, .elide = true},
    {.name = "SingleArtist", .kind = Kind::Label, .parent = "Picture5", .parentIndex = 0,
     .rect = {1800, 870, 8250, 285}, .caption = "Artist", .font = {"Arial", 12.0f, 400, true},
     .foreColor = kDarkGrey, .transparent = true, .elide = true},
    {.name = "SingleView", .kind = Kind::ListView, .parent = "Picture5", .parentIndex = 1,
     .rect = {120, 120, 10110, 3630}, .backColor = kBoxBackColor},
};

// Album page: eight cells in four columns and two rows below a title band (whose middle switch(19)
// overlaps). Cell i (1..8) has its top left at (kAlbumCellLeft + (i-1)%4 * kAlbumCellStepX,
// kAlbumCellTop + (i-1)/4 * kAlbumCellStepY) and holds, relative to that corner, the cover SImage(i),
// then SLAlbum(i), SLArtist(i) and SLFile(i) centred below it. SLArtist starts bold dark red (browsing
// by artist); the browse mode moves the emphasis.
inline constexpr int kAlbumCellLeft = 150;
inline constexpr int kAlbumCellTop = 450;
inline constexpr int kAlbumCellStepX = 2610;
inline constexpr int kAlbumCellStepY = 2730;
inline constexpr int kAlbumCellWidth = 2520;
inline constexpr int kAlbumCellHeight = 2670;
inline constexpr Rect kAlbumCellCover{510, 75, 1500, 1500};
inline constexpr Rect kAlbumCellAlbum{60, 1635, 2400, 285};
inline constexpr Rect kAlbumCellArtist{60, 1935, 2400, 285};
inline constexpr Rect kAlbumCellFile{60, 2250, 2400, 240};

// clang-format on
constexpr Rect albumCellRect(int cell, Rect inCell) {
    const int left = kAlbumCellLeft + (cell - 1) % 4 * kAlbumCellStepX;
    const int top = kAlbumCellTop + (cell - 1) / 4 * kAlbumCellStepY;
    return {left + inCell.left, top + inCell.top, inCell.width, inCell.height};
}

constexpr std::array<Element, 32> makeAlbumCells() {
    std::array<Element, 32> cells{};
    for (int cell = 1; cell <= 8; ++cell) {
        const auto at = static_cast<std::size_t>((cell - 1) * 4);
        cells[at] = {.name = "SImage",
                     .index = cell,
                     .kind = Kind::Image,
                     .parent = "Page_Album",
                     .rect = albumCellRect(cell, kAlbumCellCover),
                     .sizing = Sizing::Stretch,
                     .picture = "Cover.jpg",
                     .otherPictures = {"Empty.jpg"}};
        cells[at + 1] = {.name = "SLAlbum",
                         .index = cell,
                         .kind = Kind::Label,
                         .parent = "Page_Album",
                         .rect = albumCellRect(cell, kAlbumCellAlbum),
                         .caption = "Album",
                         .font = kArial975,
                         .alignment = Alignment::Centre,
                         .foreColor = kBlack,
                         .transparent = true,
                         .elide = true};
        cells[at + 2] = {.name = "SLArtist",
                         .index = cell,
                         .kind = Kind::Label,
                         .parent = "Page_Album",
                         .rect = albumCellRect(cell, kAlbumCellArtist),
                         .caption = "Artist",
                         .font = kArial975Bold,
                         .alignment = Alignment::Centre,
                         .foreColor = kDarkRed,
                         .transparent = true,
                         .elide = true};
        cells[at + 3] = {.name = "SLFile",
                         .index = cell,
                         .kind = Kind::Label,
                         .parent = "Page_Album",
                         .rect = albumCellRect(cell, kAlbumCellFile),
                         .font = {"Arial", 6.75f, 400, false},
                         .alignment = Alignment::Centre,
                         .foreColor = kDarkGrey,
                         .transparent = true,
                         .elide = true};
    }
    return cells;
}
inline constexpr std::array<Element, 32> kAlbumPage = makeAlbumCells();

// clang-format off

// Database page: the song list above three buttons.
inline constexpr Element kDataBasePage[] = {
    {.name = "ListView", .kind = Kind::ListView, .parent = "Page_DataBase", .rect = {150, 450, 10350, 4830},
     .backColor = kBoxBackColor},
    {.name = "Image2", .index = 0, .kind = Kind::Image, .parent = "Page_DataBase",
     .rect = {150, 5430, 2400, 345}, .sizing = Sizing::Picture, .picture = "AddMoreSongs-off.jpg",
     .otherPictures = {"AddMoreSongs-On.jpg"}},
    {.name = "Image2", .index = 1, .kind = Kind::Image, .parent = "Page_DataBase",
     .rect = {2700, 5430, 2400, 345}, .sizing = Sizing::Picture, .picture = "ClearSelected-off.jpg",
     .otherPictures = {"ClearSelected-On.jpg"}},
    {.name = "Image2", .index = 2, .kind = Kind::Image, .parent = "Page_DataBase",
     .rect = {5250, 5430, 2400, 345}, .sizing = Sizing::Picture, .picture = "EditID3v2-off.jpg",
     .otherPictures = {"EditID3v2-On.jpg"}},
};

// Top-10 page: two entries side by side, each a card with the rank, the cover, the track and title,
// artist and album lines and the play count ("PLAYED ... TIMES" drawn on the card around it).
inline constexpr int kTopTenCardLeft[] = {150, 5400};
inline constexpr int kTopTenCardTop = 540;
inline constexpr int kTopTenCardWidth = 5100;
inline constexpr int kTopTenCardHeight = 4590;
inline constexpr Font kTopTenRankFont{"Arial", 24.0f, 700, false};
inline constexpr Element kTopTenPage[] = {
    {.name = "Label2", .index = 0, .kind = Kind::Label, .parent = "Page_Top10", .rect = {300, 660, 1050, 570},
     .caption = "1", .font = kTopTenRankFont, .alignment = Alignment::Centre, .foreColor = kDarkRed,
     .transparent = true},
    {.name = "Label2", .index = 1, .kind = Kind::Label, .parent = "Page_Top10",
     .rect = {5550, 660, 1050, 570}, .caption = "2", .font = kTopTenRankFont, .alignment = Alignment::Centre,
     .foreColor = kDarkRed, .transparent = true},
    {.name = "Label2", .index = 2, .kind = Kind::Label, .parent = "Page_Top10",
     .rect = {2100, 4620, 1200, 330}, .caption = "0000", .font = kArial12Bold, .alignment = Alignment::Centre,
     .foreColor = kBlack, .transparent = true},
    {.name = "Label2", .index = 3, .kind = Kind::Label, .parent = "Page_Top10",
     .rect = {7350, 4620, 1200, 330}, .caption = "0000", .font = kArial12Bold, .alignment = Alignment::Centre,
     .foreColor = kBlack, .transparent = true},
    {.name = "Label11", .index = 0, .kind = Kind::Label, .parent = "Page_Top10",
     .rect = {300, 3360, 4800, 330}, .caption = "Title", .font = kArial12Bold, .foreColor = kBlack,
     .transparent = true, .elide = true},
    {.name = "Label11", .index = 1, .kind = Kind::Label, .parent = "Page_Top10",
     .rect = {300, 3750, 4800, 285}, .caption = "Artist", .font = kArial975, .foreColor = kDarkRed,
     .transparent = true, .elide = true},
    {.name = "Label11", .index = 2, .kind = Kind::Label, .parent = "Page_Top10",
     .rect = {300, 4080, 4800, 285}, .caption = "Album", .font = kArial975, .foreColor = kDarkGrey,
     .transparent = true, .elide = true},
    {.name = "Label11", .index = 3, .kind = Kind::Label, .parent = "Page_Top10",
     .rect = {5550, 3360, 4800, 330}, .caption = "Title", .font = kArial12Bold, .foreColor = kBlack,
     .transparent = true, .elide = true},
    {.name = "Label11", .index = 4, .kind = Kind::Label, .parent = "Page_Top10",
     .rect = {5550, 3750, 4800, 285}, .caption = "Artist", .font = kArial975, .foreColor = kDarkRed,
     .transparent = true, .elide = true},
    {.name = "Label11", .index = 5, .kind = Kind::Label, .parent = "Page_Top10",
     .rect = {5550, 4080, 4800, 285}, .caption = "Album", .font = kArial975, .foreColor = kDarkGrey,
     .transparent = true, .elide = true},
    {.name = "Image6", .index = 0, .kind = Kind::Image, .parent = "Page_Top10",
     .rect = {1500, 660, 2550, 2550}, .sizing = Sizing::Stretch, .picture = "Cover.jpg",
     .toolTip = "Right Mouse Button   -   Sent Album To PlayList"},
    {.name = "Image6", .index = 1, .kind = Kind::Image, .parent = "Page_Top10",
     .rect = {6750, 660, 2550, 2550}, .sizing = Sizing::Stretch, .picture = "Cover.jpg",
     .toolTip = "Right Mouse Button   -   Sent Album To PlayList"},
};

// Search page: the search box and button, the found count and the three result lists.
inline constexpr Element kSearchPage[] = {
    {.name = "Text2", .kind = Kind::TextBox, .parent = "Page_Search", .rect = {225, 200, 4305, 310},
     .backColor = kBoxBackColor},
    {.name = "Switches", .index = 9, .kind = Kind::Image, .parent = "Page_Search",
     .rect = {4710, 195, 1335, 330}, .sizing = Sizing::Picture, .picture = "Search-Off.jpg",
     .otherPictures = {"Search-On.jpg"}},
    // The found count reaches as far right as the result lists, so it stays inside the page.
    {.name = "Label21", .kind = Kind::Label, .parent = "Page_Search", .rect = {7605, 225, 10575 - 7605, 285},
     .caption = "Found :   000", .font = {"MS Sans Serif", 12.0f, 400, false}, .foreColor = kBlack,
     .transparent = true, .elide = true},
    {.name = "SSonglist", .kind = Kind::ListView, .parent = "Page_Search", .rect = {210, 720, 10365, 2205},
     .backColor = kBoxBackColor},
    {.name = "SAlbumlist", .kind = Kind::ListView, .parent = "Page_Search", .rect = {210, 3060, 10365, 1305},
     .backColor = kBoxBackColor},
    {.name = "SArtistlist", .kind = Kind::ListView, .parent = "Page_Search", .rect = {210, 4485, 10365, 1305},
     .backColor = kBoxBackColor},
};

// Every group of the main window, for lookups and for the skin generator.
inline constexpr std::array<std::span<const Element>, 18> kForm1Groups = {
    kMainLabels,    kMainBar,      kMainControls,     kMainGuideBars, kSlidingPageElements, kPlayListPage,
    kLastSongsPage, kAddSongsPage, kAddMoreSongsPage, kTagEditorPage, kPasswordPage,        kBackPage,
    kBrowsePages,   kSinglePage,   kAlbumPage,        kDataBasePage,  kTopTenPage,          kSearchPage,
};

// The playing-now screen: mirror labels F2_Label1(0..13) with their design places, sizes and fonts,
// the three covers, the slideshow and return buttons (sized by their pictures) and the guide bars.
inline constexpr Font kBookman1425Italic{"Bookman Old Style", 14.25f, 600, true};
inline constexpr Element kForm2Elements[] = {
    {.name = "F2_Label1", .index = 0, .kind = Kind::Label, .rect = {2415, 9585, 465, 240},
     .sizing = Sizing::Caption, .caption = "Song", .font = kArial975, .alignment = Alignment::Centre,
     .foreColor = kWindowText, .transparent = true},
    {.name = "F2_Label1", .index = 1, .kind = Kind::Label, .rect = {2400, 9825, 495, 240},
     .sizing = Sizing::Caption, .caption = "Artist", .font = kArial975, .alignment = Alignment::Centre,
     .foreColor = kWindowText, .transparent = true},
    {.name = "F2_Label1", .index = 2, .kind = Kind::Label, .rect = {2355, 10065, 585, 240},
     .sizing = Sizing::Caption, .caption = "Album", .font = kArial975, .alignment = Alignment::Centre,
     .foreColor = kWindowText, .transparent = true},
    {.name = "F2_Label1", .index = 3, .kind = Kind::Label, .rect = {1560, 9345, 105, 240},
     .sizing = Sizing::Caption, .caption = "0", .font = kArial975, .alignment = Alignment::Right,
     .foreColor = kWindowText, .transparent = true},
    {.name = "F2_Label1", .index = 4, .kind = Kind::Label, .rect = {7590, 7410, 765, 330},
     .sizing = Sizing::Caption, .caption = "Song", .font = kBookman1425Italic, .alignment = Alignment::Centre,
     .foreColor = kWindowText, .transparent = true},
    {.name = "F2_Label1", .index = 5, .kind = Kind::Label, .rect = {7605, 7845, 795, 345},
     .sizing = Sizing::Caption, .caption = "Artist", .font = {"Bookman Old Style", 14.25f, 300, true},
     .alignment = Alignment::Centre, .foreColor = kWindowText, .transparent = true},
    {.name = "F2_Label1", .index = 6, .kind = Kind::Label, .rect = {7530, 8190, 915, 345},
     .sizing = Sizing::Caption, .caption = "Album", .font = {"Bookman Old Style", 14.25f, 300, true},
     .alignment = Alignment::Centre, .foreColor = kWindowText, .transparent = true},
    {.name = "F2_Label1", .index = 7, .kind = Kind::Label, .rect = {7725, 7020, 525, 285},
     .sizing = Sizing::Caption, .caption = "000", .font = {"Bookman Old Style", 12.0f, 600, false},
     .alignment = Alignment::Centre, .foreColor = kWindowText, .transparent = true},
    {.name = "F2_Label1", .index = 8, .kind = Kind::Label, .rect = {12525, 3540, 450, 240},
     .sizing = Sizing::Caption, .caption = "Song", .font = kArial975, .alignment = Alignment::Centre,
     .foreColor = kWindowText, .transparent = true},
    {.name = "F2_Label1", .index = 9, .kind = Kind::Label, .rect = {12510, 3840, 480, 240},
     .sizing = Sizing::Caption, .caption = "Artist", .font = kArial975, .alignment = Alignment::Centre,
     .foreColor = kWindowText, .transparent = true},
    {.name = "F2_Label1", .index = 10, .kind = Kind::Label, .rect = {12450, 4110, 570, 240},
     .sizing = Sizing::Caption, .caption = "Album", .font = kArial975, .alignment = Alignment::Centre,
     .foreColor = kWindowText, .transparent = true},
    {.name = "F2_Label1", .index = 11, .kind = Kind::Label, .rect = {13695, 3240, 480, 240},
     .sizing = Sizing::Caption, .caption = "0/000", .font = kArial975, .alignment = Alignment::Left,
     .foreColor = kWindowText, .transparent = true},
    {.name = "F2_Label1", .index = 12, .kind = Kind::Label, .rect = {5625, 6795, 645, 270},
     .sizing = Sizing::Caption, .caption = "00:00", .font = kArial12BoldItalic,
     .alignment = Alignment::Centre, .foreColor = kWindowText, .transparent = true},
    {.name = "F2_Label1", .index = 13, .kind = Kind::Label, .rect = {9600, 6825, 645, 270},
     .sizing = Sizing::Caption, .caption = "00:00", .font = kArial12BoldItalic,
     .alignment = Alignment::Centre, .foreColor = kWindowText, .transparent = true},
    {.name = "F2_Image1", .index = 0, .kind = Kind::Image, .rect = {1770, 7800, 1800, 1800},
     .sizing = Sizing::Stretch, .picture = "Cover.jpg", .toolTip = "Last Song Played"},
    {.name = "F2_Image1", .index = 1, .kind = Kind::Image, .rect = {6450, 4005, 3000, 3000},
     .sizing = Sizing::Stretch, .picture = "Cover.jpg", .toolTip = "Playing Now Song"},
    {.name = "F2_Image1", .index = 2, .kind = Kind::Image, .rect = {11820, 1680, 1800, 1800},
     .sizing = Sizing::Stretch, .picture = "Cover.jpg", .toolTip = "Next Song In PlayList"},
    {.name = "F2_Picture1", .index = 0, .rect = {12975, 195, 2055, 330}, .sizing = Sizing::Picture,
     .picture = "LoadScreens-Off.jpg", .otherPictures = {"LoadScreens-On.jpg"}},
    {.name = "F2_Picture1", .index = 1, .rect = {195, 120, 465, 435}, .sizing = Sizing::Picture,
     .picture = "FullScreen.jpg"},
    {.name = "Picture2", .index = 1, .rect = {240, 990, 13770, 120}, .visible = false,
     .backColor = 0x00B4FFu},
    {.name = "Picture2", .index = 2, .rect = {1065, 135, 120, 9570}, .visible = false,
     .backColor = 0x00B4FFu},
    {.name = "Picture2", .index = 3, .rect = {825, 135, 120, 9570}, .visible = false, .backColor = 0x00B4FFu},
    {.name = "Picture2", .index = 4, .rect = {285, 765, 13770, 120}, .visible = false,
     .backColor = 0x00B4FFu},
};

// The options dialog of layout-edit mode: a tab strip over four pages (picture boxes parked out of
// sight until shown at Left 120, Top 480), the index box, the "Play Now Screen" box and OK and Apply.
// Controls without a font name use the dialog's default font.
inline constexpr Window kOptionsWindow{"frmOptions", 7320, 6465, {}, kNoColor};
inline constexpr std::uint32_t kRed = 0x0000FFu;
inline constexpr Font kDialog12{"MS Sans Serif", 12.0f, 400, false};
// The tabs of the options dialog, numbered from 1, with their tool tips.
struct Tab {
    std::string_view caption;
    std::string_view toolTip;
};
inline constexpr Tab kOptionsTabs[] = {{"Labels", "Set Options for Labels"},
                                       {"Text Boxes", "Set Options for Text Boxes"},
                                       {"Images", "Set Options for Images"},
                                       {"Sliders", "Set Options for Sliders"}};
inline constexpr int kOptionsPageLeft = 120;
inline constexpr int kOptionsPageTop = 480;
inline constexpr Element kOptionsElements[] = {
    {.name = "tbsOptions", .kind = Kind::TabStrip, .rect = {90, 135, 7050, 5700}},
    {.name = "picOptions", .index = 0, .rect = {120, -10000, 7005, 5295}},
    {.name = "picOptions", .index = 1, .rect = {120, -6500, 7005, 5265}},
    {.name = "picOptions", .index = 2, .rect = {120, -10000, 6960, 5280}},
    {.name = "picOptions", .index = 3, .rect = {120, -10000, 7005, 5340}},
    {.name = "Text2", .kind = Kind::TextBox, .rect = {3248, 6030, 825, 285}, .caption = "Text2"},
    {.name = "Check4", .kind = Kind::CheckBox, .rect = {5505, 105, 1575, 315}, .caption = "Play Now Screen"},
    {.name = "cmdOK", .kind = Kind::Button, .rect = {135, 5970, 1095, 375}, .caption = "OK"},
    {.name = "cmdApply", .kind = Kind::Button, .rect = {6060, 5970, 1095, 375}, .caption = "Apply"},

    // Labels page.
    {.name = "Frame2", .kind = Kind::Frame, .parent = "picOptions", .parentIndex = 0,
     .rect = {105, 60, 6810, 5115}, .caption = "Font Properties"},
    {.name = "Label1", .kind = Kind::Label, .parent = "Frame2", .rect = {870, 270, 4755, 300},
     .caption = "****  All Labels Are AutoSize  ****", .font = kDialog12, .foreColor = kRed},
    {.name = "Check1", .kind = Kind::CheckBox, .parent = "Frame2", .rect = {840, 795, 1275, 285},
     .caption = "Left Justify"},
    // Wider than its neighbours: the substitute of the dialog font needs more room for its caption.
    {.name = "Check2", .kind = Kind::CheckBox, .parent = "Frame2", .rect = {2640, 780, 1455, 285},
     .caption = "Center Justify"},
    {.name = "Check3", .kind = Kind::CheckBox, .parent = "Frame2", .rect = {4440, 780, 1275, 285},
     .caption = "Right Justify"},
    {.name = "Command1", .kind = Kind::Button, .parent = "Frame2", .rect = {795, 1200, 3645, 330},
     .caption = "Font"},
    {.name = "Command2", .kind = Kind::Button, .parent = "Frame2", .rect = {4635, 1200, 1005, 330},
     .caption = "Font Color"},
    {.name = "Label2", .kind = Kind::Label, .parent = "Frame2", .rect = {780, 1605, 4890, 690},
     .caption = "Test Label - 1234567890", .alignment = Alignment::Centre},
    {.name = "Label6", .kind = Kind::Label, .parent = "Frame2", .rect = {780, 2445, 1050, 240},
     .caption = "Original Label"},
    {.name = "Label3", .kind = Kind::Label, .parent = "Frame2", .rect = {810, 2595, 5100, 555},
     .caption = "Label3", .backColor = kWhite},
    {.name = "Label4", .kind = Kind::Label, .parent = "Frame2", .rect = {810, 3240, 5115, 570},
     .caption = "Label3", .backColor = kBlack},
    {.name = "Label19", .kind = Kind::Label, .parent = "Frame2", .rect = {1935, 4050, 1095, 270},
     .caption = "Top Position"},
    {.name = "Text7", .kind = Kind::TextBox, .parent = "Frame2", .rect = {795, 4035, 1095, 285},
     .caption = "Text7"},
    {.name = "Label20", .kind = Kind::Label, .parent = "Frame2", .rect = {1935, 4455, 1095, 270},
     .caption = "Left Position"},
    {.name = "Text8", .kind = Kind::TextBox, .parent = "Frame2", .rect = {780, 4440, 1095, 285},
     .caption = "Text8"},

    // Text boxes page.
    {.name = "Frame1", .kind = Kind::Frame, .parent = "picOptions", .parentIndex = 1,
     .rect = {765, 570, 5355, 2295}, .caption = "Text Box Back Color"},
    {.name = "Label7", .kind = Kind::Label, .parent = "Frame1", .rect = {330, 495, 4650, 285},
     .caption = "Change BackGround Color Of The Text Box", .font = {"MS Sans Serif", 9.75f, 700, false},
     .foreColor = kRed},
    {.name = "Label8", .kind = Kind::Label, .parent = "Frame1", .rect = {330, 840, 4650, 285},
     .caption = "This Will Change All Text Boxes In The Program.........",
     .font = {"MS Sans Serif", 8.25f, 400, true}, .foreColor = kRed},
    {.name = "Command7", .kind = Kind::Button, .parent = "Frame1", .rect = {1845, 1185, 1455, 285},
     .caption = "Back Color"},
    {.name = "Text1", .kind = Kind::TextBox, .parent = "Frame1", .rect = {240, 1500, 4830, 310},
     .caption = "Change Size Only To fit Text Box -1234567890"},

    // Images page.
    {.name = "Frame3", .kind = Kind::Frame, .parent = "picOptions", .parentIndex = 2,
     .rect = {135, 135, 6780, 5100}},
    {.name = "Label13", .kind = Kind::Label, .parent = "Frame3", .rect = {1530, 120, 3645, 300},
     .caption = "****  This Picture Is AutoSized  ****", .font = kDialog12, .foreColor = kRed},
    {.name = "Label9", .kind = Kind::Label, .parent = "Frame3", .rect = {810, 360, 645, 240}, .caption = "Top"},
    {.name = "Text11", .kind = Kind::TextBox, .parent = "Frame3", .rect = {1395, 315, 600, 285}, .caption = "11"},
    {.name = "Label12", .kind = Kind::Label, .parent = "Frame3", .rect = {135, 675, 645, 240}, .caption = "Left"},
    {.name = "Text12", .kind = Kind::TextBox, .parent = "Frame3", .rect = {135, 900, 600, 285}, .caption = "12"},
    {.name = "Image1", .kind = Kind::Image, .parent = "Frame3", .rect = {795, 645, 3000, 3045},
     .sizing = Sizing::Stretch},
    {.name = "Picture1", .parent = "Frame3", .rect = {810, 645, 2220, 2175}, .sizing = Sizing::Picture},
    {.name = "Text9", .kind = Kind::TextBox, .parent = "Frame3", .rect = {90, 4725, 600, 285}, .caption = "9"},
    {.name = "Label14", .kind = Kind::Label, .parent = "Frame3", .rect = {720, 4770, 285, 240}, .caption = "X"},
    {.name = "Text10", .kind = Kind::TextBox, .parent = "Frame3", .rect = {1035, 4725, 600, 285}, .caption = "10"},

    // Sliders page: two sample sliders, shown only.
    {.name = "Frame4", .kind = Kind::Frame, .parent = "picOptions", .parentIndex = 3,
     .rect = {705, 300, 5535, 4515}, .caption = "Sliders"},
    {.name = "Label11", .kind = Kind::Label, .parent = "Frame4", .rect = {60, 495, 5430, 240},
     .caption = "Volume Slider"},
    {.name = "Text3", .kind = Kind::TextBox, .parent = "Frame4", .rect = {1100, 825, 600, 285}, .caption = "Text3"},
    {.name = "SliderPic1", .index = 0, .kind = Kind::Slider, .parent = "Frame4", .rect = {945, 1080, 3570, 510}},
    {.name = "Text4", .kind = Kind::TextBox, .parent = "Frame4", .rect = {400, 1275, 555, 285}, .caption = "Text4"},
    {.name = "Label10", .kind = Kind::Label, .parent = "Frame4", .rect = {60, 1920, 5430, 240},
     .caption = "Song Slider"},
    {.name = "Text5", .kind = Kind::TextBox, .parent = "Frame4", .rect = {1100, 2190, 600, 285}, .caption = "Text5"},
    {.name = "SliderPic1", .index = 1, .kind = Kind::Slider, .parent = "Frame4", .rect = {945, 2475, 3510, 480}},
    {.name = "Text6", .kind = Kind::TextBox, .parent = "Frame4", .rect = {400, 2610, 555, 285}, .caption = "Text6"},
};

// clang-format on

// Columns of the list views on the pages (header text, width in twips; width 0 hides a data column).
struct Column {
    std::string_view list{};
    std::string_view header{};
    int width = 0;
};
inline constexpr Column kListColumns[] = {
    {"ListView", "Album By", 2100},
    {"ListView", "Artist", 2100},
    {"ListView", "Album", 2300},
    {"ListView", "Trk", 550},
    {"ListView", "Title", 3600},
    {"ListView", "Played # Times", 1000},
    {"ListView", "Year", 800},
    {"ListView", "Genre", 2000},
    {"ListView", "Comments", 2500},
    {"ListView", "File Location", 4000},
    {"ListView", "Record #", 1000},

    {"play", "#", 500},
    {"play", "Trk", 550},
    {"play", "Title", 3500},
    {"play", "Artist", 3000},
    {"play", "Album", 3000},
    {"play", "Song Location", 0},
    {"play", "Record Number", 0},
    {"play", "SongIndex", 0},

    {"PrevView", "#", 500},
    {"PrevView", "Trk", 500},
    {"PrevView", "Title", 3500},
    {"PrevView", "Artist", 3000},
    {"PrevView", "Album", 3000},
    {"PrevView", "Song Location", 0},
    {"PrevView", "Record Number", 0},

    {"SingleView", "#", 0},
    {"SingleView", "Trk", 600},
    {"SingleView", "Title", 3000},
    {"SingleView", "Artist", 3000},
    {"SingleView", "Album", 0},
    {"SingleView", "File Location", 0},
    {"SingleView", "Record #", 0},

    {"SSonglist", "", 400},
    {"SSonglist", "In Titles", 3900},
    {"SSonglist", "Trk", 600},
    {"SSonglist", "Album", 3900},
    {"SSonglist", "Artist", 4000},
    {"SSonglist", "location", 0},
    {"SSonglist", "Record #", 0},

    {"SAlbumlist", "", 400},
    {"SAlbumlist", "In Albums", 4000},
    {"SAlbumlist", "Artist", 4000},
    {"SAlbumlist", "Title", 4000},
    {"SAlbumlist", "Location", 0},

    {"SArtistlist", "", 400},
    {"SArtistlist", "In Artists", 4000},
    {"SArtistlist", "Album", 4000},
    {"SArtistlist", "Title", 4000},
    {"SArtistlist", "Location", 0},
};

// The sliding pages' travel: parked Top, open Top and step. A slide stops at the last value that does
// not pass its bound, so the playlist and last-songs pages open at 1125 and close at -6485 and -4985.
// The password page opens centred on the design area's height (computed at run time from the page's
// height; 3345 for the design's page).
struct SlidingPage {
    std::string_view name{};
    int closedTop = 0;
    int openTop = 0;
    int step = 0;
};
inline constexpr SlidingPage kSlidingPages[] = {
    {"Page_LastSongPlaylist", -5000, 1140, 25},
    {"Page_PlayList", -6500, 1140, 25},
    {"Page_AddSongs", -5000, 5500, 25},
    {"Page_AddMoreSongs", -6500, 4000, 25},
    {"Page_DeleteDataBase", -5000, 105, 1},
    {"Page_EditID3v2", -7000, 3000, 25},
    {"Page_EditScreenPass", -6500, (kDesignHeight - 4830) / 2, 25},
};

// The spin wheel's own pictures in Skin/Wheel, in pixels: the arrow buttons at each end, the slot
// between them, and the strip with one 43-pixel row per frame that the control stretches onto its
// 43 x 12 face (at 29, 8 with the arrows shown).
struct PixelPicture {
    std::string_view name{};
    int width = 0;
    int height = 0;
};
inline constexpr std::string_view kWheelFolder = "Wheel";
inline constexpr int kWheelFrames = 9;
inline constexpr PixelPicture kWheelLeftArrow{"LeftArrw.bmp", 21, 28};
inline constexpr PixelPicture kWheelRightArrow{"RghtArrw.bmp", 21, 28};
inline constexpr PixelPicture kWheelBack{"WHBack.bmp", 59, 28};
inline constexpr PixelPicture kWheelStrip{"WH.bmp", 43, kWheelFrames};
inline constexpr Rect kWheelFace{29, 8, 43, 12};

// Finds an element by name and index in a list of groups; nullptr when there is none.
constexpr const Element* findElement(std::span<const std::span<const Element>> groups, std::string_view name,
                                     int index = kNoIndex) {
    for (const auto group : groups) {
        for (const Element& e : group) {
            if (e.name == name && e.index == index) {
                return &e;
            }
        }
    }
    return nullptr;
}

constexpr const Element* findForm1(std::string_view name, int index = kNoIndex) {
    return findElement(kForm1Groups, name, index);
}

constexpr const Element* findForm2(std::string_view name, int index = kNoIndex) {
    const std::span<const Element> only[] = {kForm2Elements};
    return findElement(only, name, index);
}

} // namespace layout

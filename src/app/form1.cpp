#include "app/form1.h"

#include "app/station.h"
#include "appearance/frmoptions.h"
#include "controls/placedcontrols.h"
#include "controls/sliderpic.h"
#include "controls/wheel.h"
#include "library/windows1252.h"
#include "platform/checkbox.h"
#include "platform/combobox.h"
#include "platform/filelists.h"
#include "platform/label.h"
#include "platform/listbox.h"
#include "platform/listview.h"
#include "platform/picturebox.h"
#include "platform/runtime.h"
#include "platform/textbox.h"
#include "platform/timer.h"
#include "screen/form2.h"

Form1::Form1(Station& station)
    : tk::Form(tk::Form::Kind::FullScreen, "Form1")
    , m_station(station) {
    setBackColor(layout::kForm1.backColor);
    buildWindow(*this, layout::kForm1Groups, m_controls,
                [this](const layout::Element& e, QWidget* parent) { return createListControl(e, parent); });
    takeControls();
    createHiddenTables();
    for (int i = 0; i <= 1; ++i) {
        SliderPic1.add(i, controls::createSliderPic1(this, i));
    }
    Timer1 = std::make_unique<tk::Timer>("Timer1", 500, true);
    Timer2 = std::make_unique<tk::Timer>("Timer2", 60000, false);
    Timer3 = std::make_unique<tk::Timer>("Timer3", 500, true);
    Timer8 = std::make_unique<tk::Timer>("Timer8", 500, true);
    Timer2->timer.connect([this] { Timer2_Timer(); });
    connectPlayer();
    connectPlaylist();
    closeRequested.connect([this] { exitStation(); });
    connectNavigation();
    connectLayoutEditor();
    connectBrowsing();
    connectLibrary();
}

Form1::~Form1() = default;

tk::Control* Form1::createListControl(const layout::Element& e, QWidget* parent) {
    const std::string name(e.name);
    tk::Control* created = nullptr;
    switch (e.kind) {
    case layout::Kind::ListView: {
        auto* list = new tk::ListView(parent, name, e.index);
        for (const layout::Column& c : layout::kListColumns) {
            if (c.list == e.name) {
                list->addColumn(std::string(c.header), static_cast<float>(c.width));
            }
        }
        if (e.backColor != layout::kNoColor) {
            list->setBackColor(e.backColor);
        }
        created = list;
        break;
    }
    case layout::Kind::DriveList: {
        auto* drive = new tk::DriveListBox(parent, name, e.index);
        drive->setBackColor(e.backColor != layout::kNoColor ? e.backColor : tk::kSysWindow);
        created = drive;
        break;
    }
    case layout::Kind::FolderList: {
        auto* dir = new tk::DirListBox(parent, name, e.index);
        dir->setBackColor(e.backColor != layout::kNoColor ? e.backColor : tk::kSysWindow);
        created = dir;
        break;
    }
    case layout::Kind::FileList: {
        auto* file = new tk::FileListBox(parent, name, e.index);
        file->setPattern(std::string(e.caption));
        file->setBackColor(e.backColor != layout::kNoColor ? e.backColor : tk::kSysWindow);
        created = file;
        break;
    }
    default:
        break; // the sliders and the wheel are made by the window itself
    }
    return created;
}

void Form1::createHiddenTables() {
    const auto table = [this](const char* name) {
        auto* t = new tk::ListView(this, name);
        for (const char* header : {"", "Artist", "Album", "Location", "Record"}) {
            t->addColumn(header, header[0] ? 1500.0f : 500.0f);
        }
        t->setVisible(false);
        return t;
    };
    TempList = table("TempList");
    TempAlbum = table("TempAlbum");
    TempAlbum->setSortKey(2); // by album whenever sorting is on
    TempArtist = table("TempArtist");
    TempArtist->setSortKey(1); // by artist
    prevsong = table("prevsong");
    List1 = new tk::ListBox(this, "List1");
    List1->setVisible(false);
    lstFilenames = new tk::ListBox(this, "lstFilenames");
    lstFilenames->setVisible(false);
}

void Form1::takeControls() {
    const ControlRegistry& r = m_controls;
    for (auto* array : {&Label1, &SLFile, &SLAlbum, &SLArtist, &Label2, &Label11}) {
        r.fill(*array);
    }
    for (auto* array : {&Image1, &Switches, &Image2, &Image3, &Image4, &Image6, &SImage}) {
        r.fill(*array);
    }
    for (auto* array : {&switch_, &Picture1, &Picture2, &Picture5, &Picture6}) {
        r.fill(*array);
    }
    r.fill(txtMP3);

    Page_PlayList = r.get<tk::PictureBox>("Page_PlayList");
    Page_LastSongPlaylist = r.get<tk::PictureBox>("Page_LastSongPlaylist");
    Page_AddSongs = r.get<tk::PictureBox>("Page_AddSongs");
    Page_AddMoreSongs = r.get<tk::PictureBox>("Page_AddMoreSongs");
    Page_DeleteDataBase = r.get<tk::PictureBox>("Page_DeleteDataBase");
    Page_EditID3v2 = r.get<tk::PictureBox>("Page_EditID3v2");
    Page_EditScreenPass = r.get<tk::PictureBox>("Page_EditScreenPass");
    BackPage = r.get<tk::PictureBox>("BackPage");
    LeftDoor = r.get<tk::PictureBox>("LeftDoor");
    RightDoor = r.get<tk::PictureBox>("RightDoor");
    Page_Single = r.get<tk::PictureBox>("Page_Single");
    Page_Album = r.get<tk::PictureBox>("Page_Album");
    Page_DataBase = r.get<tk::PictureBox>("Page_DataBase");
    Page_Top10 = r.get<tk::PictureBox>("Page_Top10");
    Page_Search = r.get<tk::PictureBox>("Page_Search");

    Text1 = r.get<tk::TextBox>("Text1");
    Text2 = r.get<tk::TextBox>("Text2");
    Text3 = r.get<tk::TextBox>("Text3");
    Text4 = r.get<tk::TextBox>("Text4");
    Text_Pass = r.get<tk::TextBox>("Text_Pass");
    Text_NewPass = r.get<tk::TextBox>("Text_NewPass");
    cboGenre1 = r.get<tk::ComboBox>("cboGenre1");
    Check4 = r.get<tk::CheckBox>("Check4");
    Image5 = r.get<tk::Image>("Image5");
    Image8 = r.get<tk::Image>("Image8");
    Image11 = r.get<tk::Image>("Image11");
    SingleAlbum = r.get<tk::Label>("SingleAlbum");
    SingleArtist = r.get<tk::Label>("SingleArtist");
    Label21 = r.get<tk::Label>("Label21");
    Shape1 = r.get<tk::Shape>("Shape1");

    ListView = r.get<tk::ListView>("ListView");
    play = r.get<tk::ListView>("play");
    PrevView = r.get<tk::ListView>("PrevView");
    SingleView = r.get<tk::ListView>("SingleView");
    SSonglist = r.get<tk::ListView>("SSonglist");
    SAlbumlist = r.get<tk::ListView>("SAlbumlist");
    SArtistlist = r.get<tk::ListView>("SArtistlist");
    Drive1 = r.get<tk::DriveListBox>("Drive1");
    Drive2 = r.get<tk::DriveListBox>("Drive2");
    Dir1 = r.get<tk::DirListBox>("Dir1");
    Dir2 = r.get<tk::DirListBox>("Dir2");
    File1 = r.get<tk::FileListBox>("File1");
    // The lists a song can be dragged out of onto the now-playing cover.
    for (tk::ListView* list : {ListView, SingleView, SSonglist}) {
        list->setDragSource(true);
    }
    File1->setDragSource(true);
    // The screen password is kept in the settings record's single-byte code page: a character the code
    // page cannot hold would not survive the save and would lock the owner out.
    for (tk::TextBox* box : {Text_Pass, Text_NewPass}) {
        box->setAcceptedCharacters(
            [](char32_t c) { return c >= 0x20 && text::codePointToWindows1252(c).has_value(); });
    }

    // The stacking the pages rely on: the sliding pages above everything else on the window, the doors
    // above the browse pages, the password page on top of all. The browse-mode button lies over the top
    // of the page area, above it, so that the whole button takes the mouse.
    for (tk::PictureBox* page :
         {Page_PlayList, Page_LastSongPlaylist, Page_AddSongs, Page_AddMoreSongs, Page_EditID3v2}) {
        page->setStackLayer(tk::kLayerWindowed + 10);
    }
    Page_EditScreenPass->setStackLayer(tk::kLayerWindowed + 20);
    // The delete page slides down over the folder box of the page it lies in.
    Page_DeleteDataBase->setStackLayer(tk::kLayerWindowed + 10);
    LeftDoor->setStackLayer(tk::kLayerWindowed + 10);
    RightDoor->setStackLayer(tk::kLayerWindowed + 10);
    switch_[19].setStackLayer(tk::kLayerWindowed + 1);
}

void Form1::formUnload() {}

void Form1::exitStation() {
    Station& s = m_station;
    s.form1Slot().unload();
    s.form2Slot().unload();
    s.frmOptionsSlot().unload();
    winamp.closePlayer();
    tk::Runtime::current().endProgram();
}

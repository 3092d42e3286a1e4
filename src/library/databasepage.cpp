// The database page's buttons, the add-more-songs page with the delete-database page inside it, and
// the drive and folder boxes of both add-songs pages.
#include "app/form1.h"

#include "platform/errors.h"
#include "platform/filelists.h"
#include "platform/label.h"
#include "platform/listview.h"
#include "platform/pathcase.h"
#include "platform/picturebox.h"
#include "platform/runtime.h"
#include "platform/textbox.h"

#include <filesystem>
#include <string>

void Form1::connectLibrary() {
    Image2.connect(&tk::Control::click, [this](int i) { Image2_Click(i); });
    Image3.connect(&tk::Control::click, [this](int i) { Image3_Click(i); });
    Image4.connect(&tk::Control::mouseUp, [this](int i, int button, int shift, float x, float y) {
        Image4_MouseUp(i, button, shift, x, y);
    });
    Drive1->change.connect([this] { Drive1_Change(); });
    Dir1->change.connect([this] { Dir1_Change(); });
    Drive2->change.connect([this] { Drive2_Change(); });
    Dir2->change.connect([this] { Dir2_Change(); });
}

void Form1::Image2_Click(int Index) {
    switch (Index) {
    case 0:
        ToggleAddMoreSongsPage();
        break;
    case 2:
        openTagEditor();
        break;
    default:
        break;
    }
}

void Form1::Image3_Click(int Index) {
    switch (Index) {
    case 0:
        RecurseFiles2();
        break;
    case 1:
        ToggleAddMoreSongsPage();
        break;
    case 2:
        ToggleDeleteDataBasePage();
        break;
    case 3:
        deleteDataBase();
        break;
    case 4:
        // A password typed and given up must not wait in the box for the next visitor.
        Text3->setText({});
        ToggleDeleteDataBasePage();
        break;
    default:
        break;
    }
}

// Deletes the three database files once Text3 holds the screen password exactly. A file that is not
// there is fine; any other failure is reported with the file's name, and the tables then show what is
// left of the database.
void Form1::deleteDataBase() {
    if (Text3->text() != layout.ScreenPassword) {
        Text3->setText({});
        return;
    }
    std::string failures;
    for (const std::string* path : {&files.DataPath, &files.AlbumPath, &files.ArtistPath}) {
        std::error_code error;
        std::filesystem::remove(tk::nativePath(*path), error);
        if (error) {
            failures += "\n" + *path + ": " + error.message();
        }
    }
    for (tk::ListView* table : {ListView, TempAlbum, TempArtist}) {
        table->clear();
    }
    songFolders.forget();
    for (int k = 14; k <= 16; ++k) {
        Label1[k].setCaption("0");
    }
    if (!failures.empty()) {
        LoadDataBase();
        tk::Runtime::current().messageBox().show("The song database could not be deleted completely:" +
                                                     failures,
                                                 tk::kMsgExclamation, tk::Runtime::current().appTitle());
    }
    ToggleDeleteDataBasePage();
    Text3->setText({});
}

void Form1::Drive1_Change() {
    // A drive without a medium leaves the folder box where it was.
    tk::ignoreErrors([this] { Dir1->setPath(Drive1->drive()); });
}

void Form1::Dir1_Change() {
    tk::ignoreErrors([this] { File1->setPath(Dir1->path()); });
    Dir1->refresh();
    File1->refresh();
}

void Form1::Drive2_Change() {
    tk::ignoreErrors([this] { Dir2->setPath(Drive2->drive()); });
}

void Form1::Dir2_Change() {
    Dir2->refresh();
}

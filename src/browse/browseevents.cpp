// The browsing pages' handlers, wired to the events of their controls.
#include "app/form1.h"
#include "platform/listview.h"
#include "platform/picturebox.h"
#include "platform/textbox.h"

void Form1::connectBrowsing() {
    SImage.connect(&tk::Control::mouseDown, [this](int i, int button, int shift, float x, float y) {
        SImage_MouseDown(i, button, shift, x, y);
    });
    SImage.connect(&tk::Control::mouseUp, [this](int i, int button, int shift, float x, float y) {
        SImage_MouseUp(i, button, shift, x, y);
    });
    SImage.connect(&tk::Control::dblClick, [this](int i) { SImage_DblClick(i); });

    ListView->click.connect([this] { ListView_Click(); });
    ListView->mouseDown.connect(
        [this](int button, int shift, float x, float y) { ListView_MouseDown(button, shift, x, y); });
    ListView->keyPress.connect([this](int& key) { ListView_KeyPress(key); });
    ListView->columnClick.connect([this](int header) { ListView_ColumnClick(header); });

    Image6.connect(&tk::Control::mouseDown, [this](int i, int button, int shift, float x, float y) {
        Image6_MouseDown(i, button, shift, x, y);
    });
    Image6.connect(&tk::Control::mouseUp, [this](int i, int button, int shift, float x, float y) {
        Image6_MouseUp(i, button, shift, x, y);
    });

    Image1.connect(&tk::Control::mouseDown, [this](int i, int button, int shift, float x, float y) {
        Image1_MouseDown(i, button, shift, x, y);
    });
    Image1.connect(&tk::Control::mouseUp, [this](int i, int button, int shift, float x, float y) {
        Image1_MouseUp(i, button, shift, x, y);
    });

    Switches.connect(&tk::Control::click, [this](int i) { Switches_Click(i); });
    Text2->keyPress.connect([this](int& key) { Text2_KeyPress(key); });
    SArtistlist->click.connect([this] { SArtistlist_Click(); });
    SArtistlist->keyUp.connect([this](int& key, int shift) { SArtistlist_KeyUp(key, shift); });
    SAlbumlist->click.connect([this] { SAlbumlist_Click(); });
    SAlbumlist->keyUp.connect([this](int& key, int shift) { SAlbumlist_KeyUp(key, shift); });
    SSonglist->click.connect([this] { SSonglist_Click(); });
    SSonglist->keyUp.connect([this](int& key, int shift) { SSonglist_KeyUp(key, shift); });
    SSonglist->keyDown.connect([this](int& key, int shift) { SSonglist_KeyDown(key, shift); });
    SSonglist->dblClick.connect([this] { SSonglist_DblClick(); });
    SSonglist->mouseDown.connect(
        [this](int button, int shift, float x, float y) { SSonglist_MouseDown(button, shift, x, y); });
}

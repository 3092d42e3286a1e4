#include "app/form1.h"
#include "app/station.h"
#include "controls/wheel.h"
#include "platform/control.h"
#include "platform/label.h"
#include "platform/listview.h"
#include "platform/picturebox.h"
#include "screen/form2.h"

#include <algorithm>
#include <string>

void Form1::switch_MouseUp(int Index, int Button, int, float, float) {
    if (Button == tk::kRightButton && layout.LayoutEditMode == 1.0f) {
        // The element acts as outside the mode; the stored layout is then applied again.
        layout.IgnoreNextSwitchClick = 2;
        m_swallowBarClick = true;
        switch_Click(Index);
        LoadConf();
        Form2& screen = station().form2();
        for (int k = 0; k <= 22; ++k) {
            Label1[k].setAutoSize(true);
        }
        for (int j = 0; j <= 13; ++j) {
            screen.F2_Label1[j].setAutoSize(true);
        }
    }
    if (layout.LayoutEditMode == 1.0f) {
        return;
    }
    if ((Index >= 0 && Index <= 9) || (Index >= 17 && Index <= 19)) {
        switch_[Index].setBorderStyle(0);
    } else if (Index == 15) {
        showSkinPicture(switch_[15], "\\Switch-Off.jpg");
    } else if (Index == 16) {
        switch_[16].setBorderStyle(0);
        if (pages.SinglePageOpen == 1) {
            stepSingleAlbum(Button);
        }
        if (pages.AlbumPageOpen == 1) {
            stepAlbumPage(Button);
        }
    }
}

// The wheel button on the single-album page: the album the wheel points at, or, when the wheel was not
// turned since the last selection, the next (left button) or previous (right button) album, wrapping.
void Form1::stepSingleAlbum(int button) {
    const int n = TempArtist->count();
    if (n == 0) {
        return; // no album to open
    }
    int& current = browse.CurrentArtistIndex;
    if (current == browse.WheelIndex) {
        if (button == tk::kLeftButton) {
            current = current + 1 > n ? 1 : current + 1;
        } else if (button == tk::kRightButton) {
            current = current - 1 < 1 ? n : current - 1;
        }
    } else {
        current = browse.WheelIndex;
    }
    current = std::clamp(current, 1, n);
    SelectArtistAlbum();
}

// The wheel button on the album page: eight rows on (left button) or back (right button) when the wheel
// still stands on the first row shown, else the page from the row the wheel points at.
void Form1::stepAlbumPage(int button) {
    const int mode = browse.AlbumPageMode;
    if (mode != 1 && mode != 2) {
        return;
    }
    const int n = (mode == 2 ? TempAlbum : TempArtist)->count();
    if (n == 0) {
        return; // an empty table has no page to show
    }
    int& first = browse.AlbumPageFirst;
    browse.WheelValue = Wheel1->value();
    // The maximum is set before any value, so a row of the table shown is never refused.
    Wheel1->setMax(n);
    if (mode == 2) {
        if (browse.WheelFromCell == 1) {
            browse.WheelValue = browse.AlbumCellRow[1];
            browse.WheelFromCell = 0;
            if (browse.WheelValue >= 1 && browse.WheelValue <= n) {
                Wheel1->setValue(browse.WheelValue);
            }
        }
        first = browse.AlbumCellRow[1];
    } else if (browse.WheelValue > n) {
        Label1[19].setBackColor(0xFF8080u);
        Label1[20].setBackColor(0xFF8080u);
        return;
    }
    if (first == Wheel1->value()) {
        if (button == tk::kLeftButton) {
            first = first + 8 > n ? 1 : first + 8;
        } else if (button == tk::kRightButton) {
            if (first <= 1) {
                first = n;
            }
            first = first - 8;
        }
    } else {
        first = browse.WheelValue;
    }
    // Paging back from the first rows stops at row 1.
    first = std::clamp(first, 1, n);
    browse.AlbumPageLast = first + 7;
    Wheel1->setValue(first);
    ShowAlbumPage();
}

void Form1::switch_Change(int) {
    if (Wheel1) {
        Wheel1->control().setLeft(switch_[16].left());
        Wheel1->control().setTop(switch_[16].top() - 420);
    }
}

namespace {
// The pressed (or released) look of the load-folder button 8 and the search button 9.
void showSwitchesLook(Form1& f, int index, bool pressed) {
    if (f.layout.LayoutEditMode == 1.0f || (index != 8 && index != 9)) {
        return;
    }
    f.Switches[index].setBorderStyle(pressed ? 1 : 0);
    const std::string name = index == 8 ? "\\LoadDirectory" : "\\Search";
    f.showSkinPicture(f.Switches[index], name + (pressed ? "-On.jpg" : "-Off.jpg"));
}
} // namespace

void Form1::Switches_MouseDown(int Index, int, int, float, float) {
    showSwitchesLook(*this, Index, true);
}

void Form1::Switches_MouseUp(int Index, int, int, float, float) {
    showSwitchesLook(*this, Index, false);
}

void Form1::Image6_DblClick(int) {
    switch_Click(10);
}

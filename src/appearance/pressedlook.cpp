#include "app/form1.h"
#include "platform/picturebox.h"

#include <span>

// The pressed look of the picture buttons: while any mouse button is held on one it has a border and,
// for most, its "-On" skin picture; the release takes the border off and brings back its "-Off"
// picture. The buttons act in their click handlers, which follow the release.

namespace {

struct Look {
    const char* pressed = nullptr;  // picture while held; none: the picture stays
    const char* released = nullptr; // picture at rest; none: the picture stays
    bool borderOnPress = true;      // the release always takes the border off
};

constexpr Look kLastSongsButtons[] = {
    {"\\ClearPlayList-On.jpg", "\\ClearPlayList-Off.jpg"},
    {"\\Close-On.jpg", "\\Close-Off.jpg"},
};
constexpr Look kDatabaseButtons[] = {
    {"\\AddMoreSongs-On.jpg", "\\AddMoreSongs-Off.jpg"},
    {"\\ClearSelected-On.jpg", "\\ClearSelected-Off.jpg"},
    {}, // edit tags: the border only; its page toggle changes its picture
};
constexpr Look kAddMoreAndDeleteButtons[] = {
    {"\\GetFiles-On.jpg", "\\GetFiles-Off.jpg"},
    {"\\Cancel-On.jpg", "\\Cancel-Off.jpg"},
    {"\\DeleteDataBase-On.jpg", "\\DeleteDataBase-Off.jpg", false},
    {"\\OK-On.jpg", "\\OK-Off.jpg"},
    {"\\Cancel-On.jpg", "\\Cancel-Off.jpg"},
};
// The tag editor's buttons; their release, which also acts, is the tag editor's own.
constexpr Look kTagEditorButtons[] = {
    {"\\CopyToID3v2-On.jpg"},
    {"\\OK-On.jpg"},
    {"\\Apply-On.jpg"},
};
constexpr Look kPasswordOK{"\\OK-On.jpg", "\\OK-Off.jpg"};
constexpr Look kPasswordCancel{"\\Cancel-On.jpg", "\\Cancel-Off.jpg"};

template <class Element> void showLook(Form1& f, Element& e, const Look& look, bool pressed) {
    if (pressed) {
        if (look.borderOnPress) {
            e.setBorderStyle(1);
        }
        if (look.pressed) {
            f.showSkinPicture(e, look.pressed);
        }
    } else {
        e.setBorderStyle(0);
        if (look.released) {
            f.showSkinPicture(e, look.released);
        }
    }
}

// An index the family does not have does nothing.
template <class Element>
void showLook(Form1& f, const tk::ControlArray<Element>& family, std::span<const Look> looks, int index,
              bool pressed) {
    if (index >= 0 && index < static_cast<int>(looks.size()) && family.contains(index)) {
        showLook(f, family[index], looks[index], pressed);
    }
}

} // namespace

void Form1::switch_MouseDown(int Index, int, int, float, float) {
    // In layout-edit mode a press on the bar serves the editor.
    if (layout.LayoutEditMode == 1.0f) {
        return;
    }
    if ((Index >= 0 && Index <= 9) || (Index >= 16 && Index <= 19)) {
        switch_[Index].setBorderStyle(1);
    } else if (Index == 15) {
        showSkinPicture(switch_[15], "\\Switch-On.jpg");
    }
}

void Form1::Picture1_MouseDown(int Index, int, int, float, float) {
    showLook(*this, Picture1, kLastSongsButtons, Index, true);
}

void Form1::Picture1_MouseUp(int Index, int, int, float, float) {
    showLook(*this, Picture1, kLastSongsButtons, Index, false);
}

void Form1::Image2_MouseDown(int Index, int, int, float, float) {
    showLook(*this, Image2, kDatabaseButtons, Index, true);
}

void Form1::Image2_MouseUp(int Index, int, int, float, float) {
    showLook(*this, Image2, kDatabaseButtons, Index, false);
}

void Form1::Image3_MouseDown(int Index, int, int, float, float) {
    showLook(*this, Image3, kAddMoreAndDeleteButtons, Index, true);
}

void Form1::Image3_MouseUp(int Index, int, int, float, float) {
    showLook(*this, Image3, kAddMoreAndDeleteButtons, Index, false);
}

void Form1::Image4_MouseDown(int Index, int, int, float, float) {
    showLook(*this, Image4, kTagEditorButtons, Index, true);
}

void Form1::Image5_MouseDown(int, int, float, float) {
    showLook(*this, *Image5, kPasswordOK, true);
}

void Form1::Image5_MouseUp(int, int, float, float) {
    showLook(*this, *Image5, kPasswordOK, false);
}

void Form1::Image8_MouseDown(int, int, float, float) {
    showLook(*this, *Image8, kPasswordCancel, true);
}

void Form1::Image8_MouseUp(int, int, float, float) {
    showLook(*this, *Image8, kPasswordCancel, false);
}

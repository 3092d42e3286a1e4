#pragma once

#include "app/formbuilder.h"
#include "platform/backgroundpictures.h"
#include "platform/controlarray.h"
#include "platform/form.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class FrmOptions;
class Station;
namespace tk {
class Image;
class Label;
class ListBox;
class PictureBox;
class Timer;
} // namespace tk

// The playing-now screen: the playing, next and last songs with their covers, mirrored from the main
// window, and the picture slideshow.
class Form2 : public tk::Form {
    Q_OBJECT
public:
    explicit Form2(Station& station);
    ~Form2() override;

    void formLoad();
    void formUnload() {}

    tk::ControlArray<tk::Label> F2_Label1{"F2_Label1"};
    tk::ControlArray<tk::Image> F2_Image1{"F2_Image1"};
    tk::ControlArray<tk::PictureBox> F2_Picture1{"F2_Picture1"};
    tk::ControlArray<tk::PictureBox> Picture2{"Picture2"};
    std::unique_ptr<tk::Timer> Timer1; // the slideshow, every minute while on

    // The slideshow (src/screen/slideshow.cpp): the picture files of the "Pictures" folder, whether it
    // runs, the picture drawn last and the one shown last.
    std::vector<std::string> List1;
    float SlideShowOn = 0.0f;
    std::int32_t PictureIndex = 0;
    std::int32_t LastPictureIndex = 0;

    const ControlRegistry& controls() const { return m_controls; }

    // Its two picture buttons: 0 the slideshow, 1 back to the main window; while the options dialog
    // edits this screen a click picks the button instead.
    void F2_Picture1_Click(int index);
    void F2_Picture1_MouseDown(int index);
    void F2_Picture1_MouseUp(int index);

    // The slideshow: the button's switch, the folder read again, and the minute's tick.
    void SwitchSlideShow();
    void LoadPictureList();
    void Timer1_Timer();

    // Layout editing while the options dialog edits this screen (src/screen/screenedit.cpp): a click
    // picks a cover or a label into the dialog, the left button drags an element by its centre.
    void F2_Image1_Click(int index);
    void F2_Label1_Click(int index);
    void F2_Image1_MouseMove(int index, int button, int shift, float x, float y);
    void F2_Label1_MouseMove(int index, int button, int shift, float x, float y);
    void F2_Picture1_MouseMove(int index, int button, int shift, float x, float y);
    void Picture2_MouseMove(int index, int button, int shift, float x, float y);

private:
    // The options dialog while its "Play Now Screen" box is ticked, else nothing.
    FrmOptions* editingOptions();
    void connectLayoutEditing();
    // Draws the next slide among the pictures not tried in this tick and starts loading it.
    void showNextSlide();

    Station& m_station;
    ControlRegistry m_controls;
    tk::BackgroundPictures m_slides;
    bool m_slideLoading = false;
    std::vector<bool> m_slidesTried; // the pictures this tick found unreadable or is loading
};

// The slideshow's draw: a picture index from 0 to count - 1 for the uniform number `r` in [0, 1). The
// last picture counts twice, and of several pictures the one shown last (`last`) and those `excluded`
// never come up; -1 when no picture is left to draw.
[[nodiscard]] int drawSlideIndex(int count, int last, float r, const std::vector<bool>& excluded);

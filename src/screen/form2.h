#pragma once

#include "app/formbuilder.h"
#include "platform/controlarray.h"
#include "platform/form.h"

#include <memory>

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

    const ControlRegistry& controls() const { return m_controls; }

    // Its two picture buttons: 0 the slideshow, 1 back to the main window.
    void F2_Picture1_Click(int index);
    void F2_Picture1_MouseDown(int index);
    void F2_Picture1_MouseUp(int index);

private:
    // True while the options dialog edits this screen (its "Play Now Screen" box is ticked).
    bool editedByOptions();

    Station& m_station;
    ControlRegistry m_controls;
};

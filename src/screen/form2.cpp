#include "screen/form2.h"

#include "app/form1.h"
#include "app/station.h"
#include "appearance/frmoptions.h"
#include "platform/checkbox.h"
#include "platform/label.h"
#include "platform/picturebox.h"
#include "platform/runtime.h"
#include "platform/timer.h"

Form2::Form2(Station& station)
    : tk::Form(tk::Form::Kind::FullScreen, "Form2")
    , m_station(station) {
    setBackColor(layout::kForm2.backColor);
    const std::span<const layout::Element> groups[] = {layout::kForm2Elements};
    buildWindow(*this, groups, m_controls, nullptr);
    m_controls.fill(F2_Label1);
    m_controls.fill(F2_Image1);
    m_controls.fill(F2_Picture1);
    m_controls.fill(Picture2);
    Timer1 = std::make_unique<tk::Timer>("Timer1", 60000, false);
    Timer1->timer.connect([this] { Timer1_Timer(); });
    F2_Picture1.connect(&tk::Control::click, [this](int i) { F2_Picture1_Click(i); });
    F2_Picture1.connect(&tk::Control::mouseDown,
                        [this](int i, int, int, float, float) { F2_Picture1_MouseDown(i); });
    F2_Picture1.connect(&tk::Control::mouseUp,
                        [this](int i, int, int, float, float) { F2_Picture1_MouseUp(i); });
    connectLayoutEditing();
    // Closing from the window manager runs the station's exit sequence, as for the main window.
    closeRequested.connect([this] { m_station.form1().exitStation(); });
}

Form2::~Form2() = default;

void Form2::formLoad() {
    tk::Runtime& rt = tk::Runtime::current();
    const auto folder = rt.programFolder();
    setPicture(rt.pictures().load(folder / "skin" / "Screen2.jpg"));
    for (int i = 0; i <= 2; ++i) {
        F2_Image1[i].setPicture(rt.pictures().load(folder / "Skin" / "Cover.jpg"));
    }
    F2_Picture1[0].setPicture(rt.pictures().load(folder / "Skin" / "LoadScreens-Off.jpg"));
    F2_Picture1[1].setPicture(rt.pictures().load(folder / "Skin" / "FullScreen.jpg"));
    rt.random().seed(static_cast<std::uint64_t>(rt.clock().now().time_since_epoch().count()));
}

FrmOptions* Form2::editingOptions() {
    FrmOptions& options = m_station.frmOptions();
    return options.Check4->value() == 1 ? &options : nullptr;
}

void Form2::F2_Picture1_Click(int index) {
    if (FrmOptions* options = editingOptions()) {
        options->showButtonPick(index, F2_Picture1[index]);
    } else if (index == 0) {
        SwitchSlideShow();
    } else if (index == 1) {
        m_station.form1().showForm();
        hideForm();
    }
}

void Form2::F2_Picture1_MouseDown(int) {
    if (!editingOptions()) {
        F2_Picture1[0].setBorderStyle(1);
        F2_Picture1[1].setBorderStyle(1);
    }
}

void Form2::F2_Picture1_MouseUp(int) {
    if (!editingOptions()) {
        F2_Picture1[0].setBorderStyle(0);
        F2_Picture1[1].setBorderStyle(0);
    }
}

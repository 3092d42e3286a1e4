#include "screen/form2.h"

#include "app/station.h"
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

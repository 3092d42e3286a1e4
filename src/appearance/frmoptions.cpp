#include "appearance/frmoptions.h"

#include "app/designlayout.h"
#include "app/station.h"
#include "controls/placedcontrols.h"
#include "controls/sliderpic.h"
#include "platform/checkbox.h"
#include "platform/commandbutton.h"
#include "platform/label.h"
#include "platform/picturebox.h"
#include "platform/runtime.h"
#include "platform/tabstrip.h"
#include "platform/textbox.h"

#include <charconv>

FrmOptions::FrmOptions(Station& station)
    : tk::Form(tk::Form::Kind::Dialog, "frmOptions")
    , m_station(station) {
    setCaption("Options");
    setAlwaysOnTop(true);
    const std::span<const layout::Element> groups[] = {layout::kOptionsElements};
    buildWindow(*this, groups, m_controls, [](const layout::Element& e, QWidget* parent) -> tk::Control* {
        return e.kind == layout::Kind::Slider ? &controls::createSampleSlider(parent, e.index)->control()
                                              : nullptr;
    });
    const ControlRegistry& r = m_controls;
    tbsOptions = r.get<tk::TabStrip>("tbsOptions");
    for (std::string_view tab : layout::kOptionsTabs) {
        tbsOptions->addTab(std::string(tab));
    }
    r.fill(picOptions);
    tk::TextBox** boxes[] = {&Text1, &Text2, &Text3, &Text4,  &Text5,  &Text6,
                             &Text7, &Text8, &Text9, &Text10, &Text11, &Text12};
    for (std::size_t i = 0; i < std::size(boxes); ++i) {
        *boxes[i] = r.get<tk::TextBox>("Text" + std::to_string(i + 1));
    }
    Check1 = r.get<tk::CheckBox>("Check1");
    Check2 = r.get<tk::CheckBox>("Check2");
    Check3 = r.get<tk::CheckBox>("Check3");
    Check4 = r.get<tk::CheckBox>("Check4");
    Label2 = r.get<tk::Label>("Label2");
    Label3 = r.get<tk::Label>("Label3");
    Label4 = r.get<tk::Label>("Label4");
    Label13 = r.get<tk::Label>("Label13");
    Command1 = r.get<tk::CommandButton>("Command1");
    Command2 = r.get<tk::CommandButton>("Command2");
    Command7 = r.get<tk::CommandButton>("Command7");
    cmdOK = r.get<tk::CommandButton>("cmdOK");
    cmdApply = r.get<tk::CommandButton>("cmdApply");
    Image1 = r.get<tk::Image>("Image1");
    Picture1 = r.get<tk::PictureBox>("Picture1");
    for (int i = 0; i <= 1; ++i) {
        SliderPic1.add(i, controls::SliderPic::of(r.get<tk::Control>("SliderPic1", i)));
    }
    Check2->setValue(1); // labels are centred until a picked label says otherwise
    cmdOK->click.connect([this] { cmdOK_Click(); });
    closeRequested.connect([this] { cmdOK_Click(); });
}

void FrmOptions::cmdOK_Click() {
    m_station.frmOptionsSlot().unload();
}

FrmOptions::~FrmOptions() = default;

void FrmOptions::formLoad() {
    const tk::Screen& screen = tk::Runtime::current().screen();
    const auto width = static_cast<float>(layout::kOptionsWindow.clientWidth);
    const auto height = static_cast<float>(layout::kOptionsWindow.clientHeight);
    setDialogGeometry((screen.widthTwips() - width) / 2, (screen.heightTwips() - height) / 2, width, height);
    tk::PictureBox& first = picOptions[0];
    first.move(static_cast<float>(layout::kOptionsPageLeft), static_cast<float>(layout::kOptionsPageTop));
    first.setEnabled(true);
}

void FrmOptions::showSliderPlaces(const tk::Control& volume, const tk::Control& position) {
    Text3->setText(twipsText(volume.top()));
    Text4->setText(twipsText(volume.left()));
    Text5->setText(twipsText(position.top()));
    Text6->setText(twipsText(position.left()));
}

std::string twipsText(float twips) {
    char text[32];
    const auto [end, error] = std::to_chars(text, text + sizeof text, twips);
    return error == std::errc() ? std::string(text, end) : std::string("0");
}

#include "appearance/frmoptions.h"

#include "platform/checkbox.h"

FrmOptions::FrmOptions(Station& station)
    : tk::Form(tk::Form::Kind::Dialog, "frmOptions")
    , m_station(station) {
    setCaption("Options");
    setAlwaysOnTop(true);
    Check4 = new tk::CheckBox(this, "Check4");
    Check4->move(120, 120, 2400, 300);
    Check4->setCaption("Play Now Screen");
}

FrmOptions::~FrmOptions() = default;

#include "appearance/frmoptions.h"

FrmOptions::FrmOptions(Station& station)
    : tk::Form(tk::Form::Kind::Dialog, "frmOptions")
    , m_station(station) {
    setCaption("Options");
    setAlwaysOnTop(true);
}

FrmOptions::~FrmOptions() = default;

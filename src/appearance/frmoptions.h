#pragma once

#include "platform/form.h"

class Station;
namespace tk {
class CheckBox;
}

// The options dialog of the layout-edit mode.
class FrmOptions : public tk::Form {
    Q_OBJECT
public:
    explicit FrmOptions(Station& station);
    ~FrmOptions() override;

    void formLoad() {}
    void formUnload() {}

    tk::CheckBox* Check4 = nullptr; // "Play Now Screen": the options edit the playing-now screen

private:
    Station& m_station;
};

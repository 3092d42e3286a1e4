#pragma once

#include "platform/form.h"

class Station;

// The options dialog of the layout-edit mode.
class FrmOptions : public tk::Form {
    Q_OBJECT
public:
    explicit FrmOptions(Station& station);
    ~FrmOptions() override;

    void formLoad() {}
    void formUnload() {}

private:
    Station& m_station;
};

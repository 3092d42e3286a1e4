#pragma once

#include "platform/formslot.h"

namespace tk {
class Runtime;
}
class Form1;
class Form2;
class FrmOptions;

// One run of the station: the single global instances of its three windows, each created and loaded
// on first use and created anew after it was unloaded.
class Station {
public:
    explicit Station(tk::Runtime& runtime);
    ~Station();
    Station(const Station&) = delete;
    Station& operator=(const Station&) = delete;

    tk::Runtime& runtime() { return m_runtime; }

    Form1& form1();
    Form2& form2();
    FrmOptions& frmOptions();
    tk::FormSlot<Form1>& form1Slot() { return m_form1; }
    tk::FormSlot<Form2>& form2Slot() { return m_form2; }
    tk::FormSlot<FrmOptions>& frmOptionsSlot() { return m_options; }

    // Creates the main window, which runs its start-up, and shows it. Returns false when the start
    // ended the program.
    bool start();

private:
    tk::Runtime& m_runtime;
    tk::FormSlot<Form1> m_form1;
    tk::FormSlot<Form2> m_form2;
    tk::FormSlot<FrmOptions> m_options;
};

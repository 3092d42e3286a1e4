#include "app/station.h"

#include "app/form1.h"
#include "appearance/frmoptions.h"
#include "platform/errors.h"
#include "platform/runtime.h"
#include "screen/form2.h"

Station::Station(tk::Runtime& runtime)
    : m_runtime(runtime)
    , m_form1([this] { return std::make_unique<Form1>(*this); })
    , m_form2([this] { return std::make_unique<Form2>(*this); })
    , m_options([this] { return std::make_unique<FrmOptions>(*this); }) {}

Station::~Station() = default;

Form1& Station::form1() {
    return m_form1.get();
}
Form2& Station::form2() {
    return m_form2.get();
}
FrmOptions& Station::frmOptions() {
    return m_options.get();
}

bool Station::start() {
    tk::dispatch([this] {
        Form1& main = form1();
        main.setWindowStateValue(2);
        main.showForm();
    });
    return !m_runtime.ending();
}

#pragma once

#include "app/navigation.h"
#include "appearance/frmoptions.h"
#include "gui.h"
#include "platform/picturebox.h"
#include "platform/textbox.h"
#include "screen/form2.h"

#include <QApplication>
#include <QKeyEvent>

namespace testing_support {

// Presses Ctrl+Tab (or Tab with other keys) where the dialog's keys go, each press at a time of its own.
inline void keyInDialog(FrmOptions& o, Qt::KeyboardModifiers modifiers = Qt::ControlModifier) {
    static quint64 time = 1;
    QWidget* target = o.focusWidget() ? o.focusWidget() : &o;
    QKeyEvent down(QEvent::KeyPress, Qt::Key_Tab, modifiers);
    down.setTimestamp(++time);
    QApplication::sendEvent(target, &down);
}

// Drags `element` by the left button from its centre to `to` (a point of its window) and lets go there.
inline void drag(tk::Control& element, QPoint to) {
    press(&element);
    moveMouse(element.window(), to, 1);
    release(element.window(), 1, to);
}

inline void retype(tk::TextBox* box, const std::string& text) {
    box->setText("");
    type(box, text);
}

// A station in layout-edit mode, entered by the password page with the mouse.
struct EditingStation : ReadyStation {
    EditingStation() {
        showAndExpose(f);
        click(&f->switch_[17]);
        type(f->Text_Pass, "Kestrum");
        click(f->Image5);
    }
    FrmOptions& options() { return f->station().frmOptions(); }
    Form2& screen() { return f->station().form2(); }
};

} // namespace testing_support

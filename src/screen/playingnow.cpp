#include "app/form1.h"
#include "app/station.h"
#include "screen/form2.h"

void Form1::Timer2_Timer() {
    // In layout-edit mode the owner works on the main window; the screen does not take over.
    if (layout.LayoutEditMode == 1.0f) {
        return;
    }
    station().form2().showForm();
    hideForm();
}

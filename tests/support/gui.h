#pragma once

#include <QPoint>
#include <QWidget>

#include <string>

namespace tk {
class Control;
}

namespace testing_support {

// Drives controls with real mouse and key events sent through their window, so Qt routes them as it
// routes the user's: a release goes to the control that got the press, a second quick press is a
// double-click. Buttons use the station's codes (1 left, 2 right, 4 middle). The window must be shown.

// The control named `name` (with `index` for an element of an array) inside `root`.
tk::Control* findControl(QWidget* root, const std::string& name, int index = -1);
tk::Control& control(QWidget* root, const std::string& name, int index = -1);

void press(QWidget* target, int button = 1, QPoint at = QPoint(-1, -1));
void release(QWidget* target, int button = 1, QPoint at = QPoint(-1, -1));
void click(QWidget* target, int button = 1, QPoint at = QPoint(-1, -1));
void doubleClick(QWidget* target, int button = 1, QPoint at = QPoint(-1, -1));
void moveMouse(QWidget* target, QPoint at, int buttonsHeld = 0);
// A press and a release sent to the control itself at its centre, whatever lies above it (a button on
// a page the doors cover); a release `beside` the control raises no Click.
void pressOn(QWidget* target, int button = 1);
void releaseOn(QWidget* target, int button = 1, bool beside = false);
// Presses the left button at `from` and moves the mouse far enough to the right for a drag to start;
// the button stays down (offscreen, the drag ends at once).
void startDragging(QWidget* target, QPoint from);
// Types text into the focused part of `target` (a text box), key by key.
void type(QWidget* target, const std::string& text);
void pressKey(QWidget* target, int qtKey, const std::string& text = {});

// Shows the window of `w` and waits until it is exposed on the offscreen screen.
void showAndExpose(QWidget* window);

} // namespace testing_support

#pragma once

class QWindow;

namespace tk {

// Qt writes a native X11 window's initial state (its ICCCM WM_HINTS) only when the program changes the
// window's state. A window the window manager restored from its icon keeps asking to be mapped iconic,
// so that the next show after a hide brings it back minimised. This clears that request before `window`
// is shown normal. Nothing happens off X11 or before the native window exists.
void askForNormalMap(const QWindow& window);

} // namespace tk

#pragma once

class QWindow;

namespace tk {

// Qt writes a native X11 window's initial state (its ICCCM WM_HINTS) only when the program changes the
// window's state. A window the window manager restored from its icon keeps asking to be mapped iconic,
// so that the next show after a hide brings it back minimised. This clears that request before `window`
// is shown normal. Nothing happens off X11 or before the native window exists.
void askForNormalMap(const QWindow& window);

// Qt writes a native X11 window's WM_TRANSIENT_FOR only when it shows the window, so a shown window whose
// transient parent changed stays, for the window manager, a window of its old owner. This names `owner`
// there now. Nothing happens off X11 or before both native windows exist.
void declareTransientFor(const QWindow& window, const QWindow& owner);

} // namespace tk

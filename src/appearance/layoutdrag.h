#pragma once

namespace tk {
class Control;
}

// A dragged element's move at one mouse move in layout-edit mode: its centre goes to the pointer
// (`x`, `y` in twips from the element's top left). Left is set first, then Top from the size read
// after it. Nothing limits the place.
void centreOnPointer(tk::Control& element, float x, float y);

#pragma once

#include "platform/color.h"

class QImage;

namespace controls {

// Copies the source rectangle (srcX, srcY, width, height) onto the destination surface at
// (destX, destY), leaving out every source pixel of exactly `transparentColor`, so the destination
// shows through there. Only the part that lies inside both surfaces is drawn.
void TransparentBlt(QImage& dest, int destX, int destY, int width, int height, const QImage& src, int srcX,
                    int srcY, tk::OleColor transparentColor);

} // namespace controls

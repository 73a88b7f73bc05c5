// Twips and pixels. The window designs and the situation files give places
// and sizes in twips, 15 to a pixel. A value read from a file may be
// anything: the conversions keep to the pixels a window can take and give 0
// for a value that is not a number.
#pragma once

#include <QRect>

#include "engine/twipsperpixel.h"

namespace molvane {

// The farthest from the origin a window is placed or sized, in pixels.
constexpr int MaxPixels = 100000;

// The nearest pixel (halves away from zero), held within +-MaxPixels.
int PixelsOfTwips(double twips);
// The same for a value already in pixels (a caption's box).
int NearestPixel(double pixels);
// The whole pixels within `twips` (toward zero), held within +-MaxPixels.
// For the main window's stored place and size and the autopilot editor and
// its caption dialog, which have always cut to whole pixels: a value that
// is not a whole number of pixels lands where it always did.
int WholePixelsOfTwips(double twips);
// Finite and less than MaxPixels pixels from the origin: a place a window
// can take as it stands.
bool TwipsInRange(double twips);
// A rectangle given in twips, at the nearest pixels; a negative size is 0.
QRect TwipsRect(double left, double top, double width, double height);

}  // namespace molvane

// Windows that a file places where no screen shows them whole (a Left or
// Top outside the desktop, or a place that runs off its bottom or right
// edge) come back onto the available screen area when they are shown, so
// that the user can reach every part of them.
#pragma once

#include <QPoint>
#include <QRect>

class QObject;
class QWidget;

namespace molvane {

// Where a frame goes to lie on `area`: where it is when it lies on it,
// else moved (never resized) as little as needed; a frame larger than the
// area gets the area's top left corner.
QPoint PlaceOnArea(const QRect& frame, const QRect& area);

// The outer frame a maximized or minimized window returns to: its normal
// geometry (the inside of the frame) with the frame's margins as they
// stand now (inner and frame are its present geometry and frame geometry).
QRect RestoredFrame(const QRect& normal, const QRect& inner, const QRect& frame);

// Moves a window whose title bar or inside does not lie wholly on the
// screens' available areas onto the area of the screen under its centre, or
// of its own screen when none is there; one larger than that area goes to
// its top left corner.
void KeepOnScreen(QWidget* window);

// Does that for every window of the program as it is shown.
void KeepShownWindowsOnScreen(QObject* owner);

}  // namespace molvane

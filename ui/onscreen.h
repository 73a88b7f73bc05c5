// Windows that a file places where no screen shows them (a Left or Top far
// outside the desktop) come back onto the available screen area when they
// are shown, so that the user can reach them.
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

// Moves a window that cannot be reached (no piece of its top edge on a
// screen) onto the available area of the screen under its centre, or of its
// own screen when none is there.
void KeepOnScreen(QWidget* window);

// Does that for every window of the program as it is shown.
void KeepShownWindowsOnScreen(QObject* owner);

}  // namespace molvane

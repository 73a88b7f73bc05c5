// A window's place is the place of its outer frame, title bar included. Until
// a window manager has framed a shown window Qt knows no frame margins and
// takes a place as the inside's, so a place set then lands a title bar's
// height too high (and a size a frame too large). A placing done then is done
// once more when the margins become known.
#pragma once

#include <QList>
#include <functional>

class QObject;
class QWidget;

namespace molvane {

// Runs `place` now, and once more, followed by the pull back onto the screen,
// as soon as the window's frame margins are known if they are not yet; its
// argument says whether they are known. A new placing of the same window
// replaces one still waiting.
void PlaceFramed(QWidget* window, const std::function<void(bool framed)>& place);

// Runs `then` once every window of `windows` has its frame, when one of them
// has none yet; false when there was nothing to wait for.
bool WhenFramed(QObject* owner, const QList<QWidget*>& windows, const std::function<void()>& then);

// True while a placing waits for the frame: the moves seen meanwhile are the
// window manager's framing, not the user's.
bool FramePlacementPending(const QWidget* window);

}  // namespace molvane

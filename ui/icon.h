// The program's icon: a sun, a planet with its moon on a tilted orbit, on a
// night-blue tile. It is drawn here, at any size, so no picture file has to
// ship with the program; the build writes PNG copies of it for a desktop's
// menus (molvane_make_icon).
#pragma once

#include <QIcon>
#include <QImage>

namespace molvane {

// The icon drawn at size x size pixels, with a transparent corner outside
// the tile.
QImage MolvaneIconImage(int size);

// The icon at the sizes window frames, task bars and the About box ask for.
QIcon MolvaneIcon();

// `icon` at the sizes a window frame and a task bar show (up to 48 px), for
// the windows that open by the hundred: each window hands every size of its
// icon to the window manager, and the large ones made opening them slow.
QIcon FrameIcon(const QIcon& icon);

}  // namespace molvane

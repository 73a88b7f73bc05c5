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

}  // namespace molvane

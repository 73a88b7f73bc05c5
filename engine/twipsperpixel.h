// Window places and sizes in the tables and the files are twips, 15 to a
// pixel. The windows' conversions are in ui/twips.h.
#pragma once

namespace molvane {

constexpr int TwipsPerPixel = 15;

}  // namespace molvane

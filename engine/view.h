// What the view keeps in the tables: the system of the focus body, drawn
// about its barycentre while the view is not anchored, and the scale.
#pragma once

#include <optional>
#include <string>

#include "engine/state.h"

namespace molvane {

// Forgets every body's last drawn place and lists the bodies whose
// reference is the focus body (SystemElements).
void AssembleSystemElements(State& s);

// The scale (pixels per metre) becomes `scale`; a scale that is 0,
// denormal, negative or not finite is refused (false, scale unchanged):
// positions are divided by it on the way back (floating pick, width).
bool ZoomTo(State& s, double scale);

// The width of the visible world in km over `widthPixels` at the scale;
// none when that is not finite (a scale of 0).
std::optional<double> VisibleWidthKm(const State& s, double widthPixels);

// The text of the screen-scale readout for a visible width in kilometres.
std::string ScreenScaleText(double visibleWidthKm);

}  // namespace molvane

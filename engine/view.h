// What the view keeps in the tables: the system of the focus body, drawn
// about its barycentre while the view is not anchored, and the scale.
#pragma once

#include <optional>
#include <span>
#include <string>

#include "engine/state.h"

namespace molvane {

// Forgets every body's last drawn place and lists the bodies whose
// reference is the focus body (SystemElements).
void AssembleSystemElements(State& s);

// The barycentre of body `first` and the bodies s.SystemElements[1..
// SystemElementsCount], as a running mean: member j moves each coordinate c
// to c_j - q (c_j - c), q = group / (group + m_j). `centre` holds x, y, z
// (and vx, vy, vz when it has six places) and starts at body `first`. A
// member whose total with the group is 0, or a step that is not finite,
// leaves the coordinate where it is, so a massless system still has a
// centre. Returns the summed mass term.
double SystemBarycentre(const State& s, int first, std::span<double> centre);

// The view centre in world metres: the focus body, or with the anchor off
// the barycentre of the focus body and its system. Returns the system's
// summed mass term (with the anchor on: the State's GroupMass unchanged).
double SystemCentre(const State& s, double& cx, double& cy, double& cz);

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

#include "engine/view.h"

#include <algorithm>
#include <cmath>

#include "engine/bodies.h"
#include "engine/numtext.h"

namespace molvane {

namespace {

constexpr BodyArray<double> State::*kCentreColumns[] = {&State::objx,  &State::objy,  &State::objz,
                                                        &State::objvx, &State::objvy, &State::objvz};

}  // namespace

double SystemBarycentre(const State& s, int first, std::span<double> centre) {
  const size_t n = std::min(centre.size(), std::size(kCentreColumns));
  for (size_t c = 0; c < n; ++c) centre[c] = (s.*kCentreColumns[c])[first];
  double group = s.objmass[first];
  const int count = std::clamp<int>(s.SystemElementsCount, 0, MaxBodies);
  for (int k = 1; k <= count; ++k) {
    const int j = s.SystemElements[k];
    if (j < 0 || j > MaxBodies) continue;
    const double total = group + s.objmass[j];
    const double q = group / total;
    if (total != 0 && std::isfinite(q)) {
      for (size_t c = 0; c < n; ++c) {
        const double cj = (s.*kCentreColumns[c])[j];
        const double next = cj - q * (cj - centre[c]);
        if (std::isfinite(next)) centre[c] = next;
      }
    }
    if (std::isfinite(total)) group = total;
  }
  return group;
}

double SystemCentre(const State& s, double& cx, double& cy, double& cz) {
  const int f = std::clamp<int>(s.focusobj, 0, MaxBodies);
  double centre[3] = {s.objx[f], s.objy[f], s.objz[f]};
  const double group = s.anchor ? s.GroupMass : SystemBarycentre(s, f, centre);
  cx = centre[0];
  cy = centre[1];
  cz = centre[2];
  return group;
}

void AssembleSystemElements(State& s) {
  const int n = BodyCount(s);
  for (int i = 1; i <= n; ++i) {
    s.objlastx[i] = -1000;
    s.objlasty[i] = -1000;
  }
  s.SystemElements.fill(0);
  const int f = std::clamp<int>(s.focusobj, 0, MaxBodies);
  int count = 0;
  for (int i = 1; i <= n; ++i) {
    if (s.objref[i] == s.objname[f]) s.SystemElements[++count] = static_cast<int16_t>(i);
  }
  s.SystemElementsCount = static_cast<int16_t>(count);
}

bool ZoomTo(State& s, double scale) {
  if (!std::isnormal(scale) || scale < 0) return false;
  s.ScalePixel = scale;
  return true;
}

std::optional<double> VisibleWidthKm(const State& s, double widthPixels) {
  const double km = widthPixels / s.ScalePixel / 1000;
  if (!std::isfinite(km)) return std::nullopt;
  return km;
}

// The patterns keep their point when no decimals follow ("2.  AU").
std::string ScreenScaleText(double w) {
  if (w > 9.3851136e12) return FormatPicture(w / 9.3851136e12, "###,###,###.###") + "  LY";
  if (w > 1.5e8) return FormatPicture(w / 1.5e8, "###,###,###.###") + "  AU";
  if (w > 1) return FormatPicture(w, "###,###,###") + "  Km";
  if (w > 0.001) return FormatPicture(w * 1000, "###,###.###") + "  m";
  return FormatPicture(w * 100000, "###,###.###") + "  cm";
}

}  // namespace molvane

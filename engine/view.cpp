#include "engine/view.h"

#include <algorithm>
#include <cmath>

#include "engine/bodies.h"
#include "engine/numtext.h"

namespace molvane {

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

#include "engine/readouts.h"

#include <cmath>

#include "engine/bodies.h"
#include "engine/numtext.h"
#include "engine/orbits.h"

namespace molvane {

namespace {

// Assigns only a finite result, so a failing step keeps the old value.
void Keep(double v, double& target) {
  if (std::isfinite(v)) target = v;
}

}  // namespace

bool StepPair(const State& s, int a, int b, PairMeasure& m) {
  if (!IsBodyNow(s, a) || !IsBodyNow(s, b)) return false;
  Keep(std::fabs(s.objx[a] - s.objx[b]), m.deltaX);
  Keep(std::fabs(s.objy[a] - s.objy[b]), m.deltaY);
  Keep(std::fabs(s.objz[a] - s.objz[b]), m.deltaZ);
  Keep(std::sqrt(m.deltaX * m.deltaX + m.deltaY * m.deltaY + m.deltaZ * m.deltaZ), m.distance);
  const double dvx = s.objvx[a] - s.objvx[b];
  const double dvy = s.objvy[a] - s.objvy[b];
  const double dvz = s.objvz[a] - s.objvz[b];
  Keep(std::sqrt(dvx * dvx + dvy * dvy + dvz * dvz), m.relativeSpeed);
  Keep(std::fabs(m.distance - m.previousDistance), m.radialSpeed);
  // Right after the pair changes the radial jump exceeds the relative
  // speed: the tangential speed then stays as it was.
  const double t2 = m.relativeSpeed * m.relativeSpeed - m.radialSpeed * m.radialSpeed;
  if (t2 >= 0) Keep(std::fabs(std::sqrt(t2)), m.tangentialSpeed);
  m.previousDistance = m.distance;
  return true;
}

std::array<std::string, 4> PairTexts(const PairMeasure& m, double timescale, int decimals) {
  const std::string dec(decimals == 4 ? 4 : 3, '#');
  const std::string distancePattern = "#,###,###,###,##0." + dec;
  const std::string speedPattern = "###,###,##0." + dec;
  auto speed = [&](double v) {
    const double kmps = (timescale != 0) ? v / 1000 / timescale : 0.0;
    return FormatPicture(kmps, speedPattern);
  };
  return {FormatPicture(m.distance / 1000, distancePattern), speed(m.relativeSpeed), speed(m.radialSpeed),
          speed(m.tangentialSpeed)};
}

void StepPairReadout(const State& s, int a, int b, PairReadout& r) {
  r.shown = StepPair(s, a, b, r.measure);
  r.timescale = s.timescale;
}

std::array<std::string, 4> PairReadoutTexts(const PairReadout& r, int decimals) {
  return r.shown ? PairTexts(r.measure, r.timescale, decimals) : std::array<std::string, 4>{};
}

bool UpdateOrbitalElements(State& s, int o) {
  if (!IsBodyNow(s, o)) return false;
  ComputeOrbitalElements(s, o, s.objrefindex[o]);
  return true;
}

OrbitReadout StepOrbitReadout(State& s, int o, int r) {
  OrbitReadout v;
  if (!UpdateOrbitalElements(s, o)) return v;
  v.body = true;
  if (IsBodyNow(s, r)) {
    v.reference = true;
    const double dt = s.timescale != 0 ? s.timescale : 1.0;
    v.vector = {(s.objx[o] - s.objx[r]) / 1000,        (s.objy[o] - s.objy[r]) / 1000,
                (s.objz[o] - s.objz[r]) / 1000,        (s.objvx[o] - s.objvx[r]) / dt / 1000,
                (s.objvy[o] - s.objvy[r]) / dt / 1000, (s.objvz[o] - s.objvz[r]) / dt / 1000};
  }
  v.elements = {s.objsma[o], s.objecc[o], s.objinc[o],     s.objper[o],
                s.objasc[o], s.objma[o],  s.objperdist[o], s.objappdist[o]};
  return v;
}

std::array<std::string, 14> OrbitReadoutTexts(const OrbitReadout& v) {
  std::array<std::string, 14> t{};
  if (!v.body) return t;
  if (v.reference) {
    for (size_t k = 0; k < v.vector.size(); ++k) t[k] = GeneralText(v.vector[k]);
  }
  const char* distance = "###,###,###,##0.###";
  const std::array<double, 8>& e = v.elements;
  t[6] = FormatPicture(e[0], distance);
  t[7] = FormatPicture(e[1], ".###############");
  t[8] = FormatPicture(e[2], "###.##,###,##0,###");
  t[9] = GeneralText(e[3]);
  t[10] = GeneralText(e[4]);
  t[11] = GeneralText(e[5]);
  t[12] = FormatPicture(e[6], distance);
  t[13] = FormatPicture(e[7], distance);
  return t;
}

std::array<std::string, 14> OrbitBoxTexts(State& s, int o, int r) {
  return OrbitReadoutTexts(StepOrbitReadout(s, o, r));
}

double RelativeSpeedMps(const State& s, int a, int b) {
  if (!IsBodyRow(a) || !IsBodyRow(b) || s.timescale == 0) return 0;
  const double dvx = s.objvx[a] - s.objvx[b];
  const double dvy = s.objvy[a] - s.objvy[b];
  const double dvz = s.objvz[a] - s.objvz[b];
  const double v = std::sqrt(dvx * dvx + dvy * dvy + dvz * dvz) / s.timescale;
  return std::isfinite(v) ? v : 0.0;
}

}  // namespace molvane

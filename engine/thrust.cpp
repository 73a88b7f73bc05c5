#include "engine/thrust.h"

#include <cmath>

#include "engine/bodies.h"

namespace molvane {

namespace {

void SetDirection(float& target, double value) {
  const float f = static_cast<float>(value);
  if (std::isfinite(value) && std::isfinite(f)) target = f;
}

}  // namespace

void SetThrustDirection(State& s, int i, int j) {
  if (!IsBodyRow(i) || !IsBodyRow(j)) return;
  const double dx = s.objvx[i] - s.objvx[j];
  const double dy = s.objvy[i] - s.objvy[j];
  const double dz = s.objvz[i] - s.objvz[j];
  const double d = std::sqrt(dx * dx + dy * dy + dz * dz);
  // No relative motion, no direction: keep the old one.
  if (d == 0 || !std::isfinite(d)) return;
  SetDirection(s.objdirx[i], dx / d * s.timescale);
  SetDirection(s.objdiry[i], dy / d * s.timescale);
  SetDirection(s.objdirz[i], dz / d * s.timescale);
}

void ApplyThrustImpulse(State& s, int i, int16_t amount) {
  if (!IsBodyRow(i)) return;
  s.objthrust[i] = amount;
  const double ts = s.timescale;
  if (ts == 0) return;
  // The direction carries a factor timescale and the amount is per second:
  // the sum is the amount in metres per step along the unit direction.
  const auto push = [&](double& v, float dir) {
    const double next = v + s.objthrust[i] / ts * dir * ts;
    if (std::isfinite(next)) v = next;
  };
  push(s.objvx[i], s.objdirx[i]);
  push(s.objvy[i], s.objdiry[i]);
  push(s.objvz[i], s.objdirz[i]);
}

void RaiseReferenceLabels(const State& s, EngineHost& host) {
  for (int i = 1; i <= s.objects && i <= MaxBodies; ++i) {
    const int k = FindBodyByName(s, s.objref[i]);
    if (k != 0) host.raiseLabel(k);
  }
}

}  // namespace molvane

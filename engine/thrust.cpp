#include "engine/thrust.h"

#include <cmath>

#include "engine/bodies.h"
#include "engine/numtext.h"
#include "engine/orbits.h"

namespace molvane {

namespace {

// A typed angle in degrees: false when it does not fit a single.
bool ReadAngle(std::string_view text, float& degrees) {
  double v = 0;
  if (!ReadTypedNumber(text, 1, v)) return false;
  const float f = static_cast<float>(v);
  if (!std::isfinite(f) || (v != 0 && f == 0)) return false;
  degrees = f;
  return true;
}

}  // namespace

std::optional<Direction3> UnitAlong(const Direction3& d, double sign) {
  const double norm = std::sqrt(d.x * d.x + d.y * d.y + d.z * d.z);
  if (!(norm > 0) || !std::isfinite(norm)) return std::nullopt;
  return Direction3{sign * d.x / norm, sign * d.y / norm, sign * d.z / norm};
}

Direction3 RelativeVelocity(const State& s, int i, int j) {
  return {s.objvx[i] - s.objvx[j], s.objvy[i] - s.objvy[j], s.objvz[i] - s.objvz[j]};
}

Direction3 RelativePosition(const State& s, int i, int j) {
  return {s.objx[i] - s.objx[j], s.objy[i] - s.objy[j], s.objz[i] - s.objz[j]};
}

bool ScaledThrustDirection(const Direction3& u, double timescale, std::array<float, 3>& out) {
  std::array<float, 3> d{};
  if (!AssignNumber(u.x * timescale, d[0]) || !AssignNumber(u.y * timescale, d[1]) ||
      !AssignNumber(u.z * timescale, d[2])) {
    return false;
  }
  out = d;
  return true;
}

bool StoreThrustDirection(State& s, int i, const Direction3& u) {
  std::array<float, 3> d{};
  if (!IsBodyRow(i) || !ScaledThrustDirection(u, s.timescale, d)) return false;
  s.objdirx[i] = d[0];
  s.objdiry[i] = d[1];
  s.objdirz[i] = d[2];
  return true;
}

void ApplyThrustImpulse(State& s, int i, int16_t amount, double sign) {
  if (!IsBodyRow(i)) return;
  s.objthrust[i] = amount;
  const double ts = s.timescale;
  if (ts == 0) return;
  // The direction carries a factor timescale and the amount is per second:
  // the sum is the amount in metres per step along the unit direction.
  const auto push = [&](double& v, float dir) {
    const double next = v + sign * (s.objthrust[i] / ts) * dir * ts;
    if (std::isfinite(next)) v = next;
  };
  push(s.objvx[i], s.objdirx[i]);
  push(s.objvy[i], s.objdiry[i]);
  push(s.objvz[i], s.objdirz[i]);
}

Direction3 AutopilotDirection(double azimuthDegrees, double altitudeDegrees) {
  const double a = (azimuthDegrees - 90) * GetPi() / 180;
  const float altitude = static_cast<float>(altitudeDegrees);
  const float b = static_cast<float>(altitude * GetPi() / 180);
  const double cb = std::cos(static_cast<double>(b));
  return {cb * std::sin(a), cb * std::cos(a), std::sin(static_cast<double>(b))};
}

std::string SetCustomDirection(State& s, int o, std::string_view azimuthText, std::string_view altitudeText,
                               float& azimuth, float& altitude) {
  float az = 0, alt = 0;
  // An angle that does not fit leaves the direction as it was.
  if (!ReadAngle(azimuthText, az)) return "Azimuth must be a number from -3.4E+38 to 3.4E+38 (degrees).";
  if (!ReadAngle(altitudeText, alt)) return "Altitude must be a number from -3.4E+38 to 3.4E+38 (degrees).";
  az = static_cast<float>(static_cast<double>(az) - 90);
  azimuth = static_cast<float>(static_cast<double>(az) * GetPi() / 180);
  altitude = static_cast<float>(static_cast<double>(alt) * GetPi() / 180);
  const double a = azimuth;
  const double e = altitude;
  StoreThrustDirection(s, o, {std::cos(e) * std::sin(a), std::cos(e) * std::cos(a), std::sin(e)});
  return {};
}

std::string FireBoost(State& s, BoostRow row, int o, int r, int16_t amount, std::string_view azimuthText,
                      std::string_view altitudeText, float& azimuth, float& altitude) {
  // A custom direction is the user's own: it needs no reference.
  if (!IsBodyRow(o) || (row != BoostRow::Custom && !IsBodyRow(r))) return {};
  // Toward and Away both store the outward direction; Toward pushes
  // against it.
  std::optional<Direction3> u;
  double sign = 1;
  switch (row) {
    case BoostRow::Prograde: u = UnitAlong(RelativeVelocity(s, o, r)); break;
    case BoostRow::Retrograde: u = UnitAlong(RelativeVelocity(s, o, r), -1); break;
    case BoostRow::Toward: sign = -1; [[fallthrough]];
    case BoostRow::Away: u = UnitAlong(RelativePosition(s, o, r)); break;
    case BoostRow::Custom: {
      // A direction refused is no boost along the old one.
      std::string problem = SetCustomDirection(s, o, azimuthText, altitudeText, azimuth, altitude);
      if (!problem.empty()) return problem;
      break;
    }
  }
  if (u) StoreThrustDirection(s, o, *u);
  ApplyThrustImpulse(s, o, amount, sign);
  s.fuelused = static_cast<float>(static_cast<double>(s.fuelused) + amount);
  return {};
}

void RaiseReferenceLabels(const State& s, EngineHost& host) {
  for (int i = 1; i <= s.objects && i <= MaxBodies; ++i) {
    const int k = BodyOfName(s, s.objrefindex[i], s.objref[i]);
    if (k != 0) host.raiseLabel(k);
  }
}

}  // namespace molvane

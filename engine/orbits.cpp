#include "engine/orbits.h"

#include <cmath>

#include "engine/bodies.h"
#include "engine/view.h"

namespace molvane {

namespace {

constexpr double EarthGMKm = 398600.44;  // km^3/s^2 per Earth mass
constexpr int KeplerIterations = 1000;

// One statement of the element computation: the target takes the value only
// when it is finite, otherwise it keeps what it had.
void Set(double& target, double value) {
  if (std::isfinite(value)) target = value;
}

// target = num / den, skipped on a zero divisor or a non-finite quotient.
void SetQuotient(double& target, double num, double den) {
  if (den == 0) return;
  Set(target, num / den);
}

void SetSqrt(double& target, double x) {
  if (!(x >= 0)) return;
  Set(target, std::sqrt(x));
}

// target = ArcCos(num / den), skipped where the division or the arc cosine
// fails.
void SetArcCosOfQuotient(double& target, double num, double den) {
  if (den == 0) return;
  double value;
  if (ArcCos(num / den, value)) Set(target, value);
}

double Degrees(double radians) { return radians * 180 / GetPi(); }

}  // namespace

bool ArcCos(double x, double& out) {
  if (!std::isfinite(x) || !(std::fabs(x) < 1)) return false;
  const double value = std::atan(-x / std::sqrt(1 - x * x)) + 2 * std::atan(1.0);
  if (!std::isfinite(value)) return false;
  out = value;
  return true;
}

void ComputeOrbitalElements(State& s, int i, int j) {
  // Every statement reading body i or j fails for an index out of range;
  // without body i nothing can be stored at all.
  if (!IsBodyRow(i)) return;
  const bool haveJ = IsBodyRow(j);
  const double ts = s.timescale;
  const double pi = GetPi();

  // 1. Gravitational parameter of the pair, km^3/s^2.
  double mu = 0, w = 0;
  if (haveJ && ts != 0) Set(mu, EarthGMKm * (s.objmass[i] / ts / ts + s.objmass[j] / ts / ts));
  SetQuotient(w, 1, mu);

  // 2. Relative state in km and km/s.
  double rx = 0, ry = 0, rz = 0, vx = 0, vy = 0, vz = 0;
  if (haveJ) {
    Set(rx, (s.objx[i] - s.objx[j]) / 1000);
    Set(ry, (s.objy[i] - s.objy[j]) / 1000);
    Set(rz, (s.objz[i] - s.objz[j]) / 1000);
    if (ts != 0) {
      Set(vx, (s.objvx[i] - s.objvx[j]) / 1000 / ts);
      Set(vy, (s.objvy[i] - s.objvy[j]) / 1000 / ts);
      Set(vz, (s.objvz[i] - s.objvz[j]) / 1000 / ts);
    }
  }

  // 3. Angular momentum.
  double hx = 0, hy = 0, hz = 0, h = 0, r = 0;
  Set(hx, ry * vz - rz * vy);
  Set(hy, rz * vx - rx * vz);
  Set(hz, rx * vy - ry * vx);
  SetSqrt(h, hx * hx + hy * hy + hz * hz);
  SetSqrt(r, rx * rx + ry * ry + rz * rz);

  // 4. Eccentricity vector.
  double q = 0, d = 0, ex = 0, ey = 0, ez = 0, e = 0;
  const double v2 = vx * vx + vy * vy + vz * vz;
  if (r != 0) Set(q, v2 - mu / r);
  Set(d, rx * vx + ry * vy + rz * vz);
  Set(ex, (rx * q - vx * d) * w);
  Set(ey, (ry * q - vy * d) * w);
  Set(ez, (rz * q - vz * d) * w);
  SetSqrt(e, ex * ex + ey * ey + ez * ez);

  // 5. Node vector (-hy, hx, 0).
  double n = 0;
  SetSqrt(n, hx * hx + hy * hy);

  // 6. Argument of periapsis, no quadrant rule.
  double omega = 0;
  SetArcCosOfQuotient(omega, hx * ey - hy * ex, n * e);
  Set(omega, Degrees(omega));

  // 7. Inclination, folded into 0..90 by the absolute value.
  double inc = 0;
  if (h != 0) {
    double c;
    if (ArcCos(std::fabs(hz / h), c)) Set(inc, c);
  }
  Set(inc, Degrees(inc));

  // 8. Ascending node; the mirror is pi - node, not 2 pi - node.
  double node = 0;
  SetArcCosOfQuotient(node, -hy, n);
  if (hx <= 0) Set(node, pi - node);
  Set(node, Degrees(node));

  // 9. Semi-major axis, km.
  double a = 0;
  SetQuotient(a, h * h * w, 1 - e * e);

  // 10. True anomaly; pi - nu while moving inwards.
  double nu = 0;
  SetArcCosOfQuotient(nu, ex * rx + ey * ry + ez * rz, r * e);
  if (d <= 0) Set(nu, pi - nu);

  // 11. Eccentric anomaly, mirrored about pi/2 from a true anomaly of pi/2 on.
  double E = 0;
  SetArcCosOfQuotient(E, e + std::cos(nu), 1 + e * std::cos(nu));
  if (nu >= pi / 2) Set(E, pi - E);

  // 12. Mean anomaly in degrees.
  double M = 0;
  Set(M, Degrees(E - e * std::sin(E)));

  // 13. Store.
  s.objsma[i] = a;
  s.objecc[i] = e;
  s.objinc[i] = inc;
  s.objper[i] = omega;
  s.objasc[i] = node;
  s.objma[i] = M;
  Set(s.objperdist[i], a - a * e);
  Set(s.objappdist[i], a * e + a);
}

double GetOrbitalPeriod(State& s, std::string_view name) { return GetOrbitalPeriodOf(s, FindBodyByName(s, name)); }

double GetOrbitalPeriodOf(State& s, int i) {
  if (!IsBodyNow(s, i)) i = 0;
  const int j = BodyOfName(s, s.objrefindex[i], s.objref[i]);
  ComputeOrbitalElements(s, i, j);

  const double ts = s.timescale;
  const double pi = GetPi();
  const double a = s.objsma[i] * 1000;
  if (ts == 0) return 0;
  // Both mass terms back to Earth masses, so the period does not depend on
  // the time step.
  const double gm = (s.objmass[j] / (ts * ts) + s.objmass[i] / (ts * ts)) * EarthGM;
  double period = 0;
  if (gm != 0) {
    const double x = 4 * (pi * pi) * std::pow(a, 3) / gm;
    SetSqrt(period, x);
  }
  return period;
}

bool PlaceBodyOnOrbit(State& s, int i, bool group) {
  if (!IsBodyRow(i)) return false;
  const int k = s.objrefindex[i];
  if (!IsBodyRow(k)) return false;
  const double ts = s.timescale;

  // 1. Attracting mass term and the centre it is placed about.
  double centralMass = 0;
  double centre[6] = {s.objx[k], s.objy[k], s.objz[k], s.objvx[k], s.objvy[k], s.objvz[k]};
  if (!group) {
    centralMass = s.NewBodyMass * (ts * ts) + s.objmass[k];
  } else {
    // The new body is not yet part of the system it is placed in.
    s.SystemElementsCount = 0;
    for (int j = 1; j <= s.objects && j <= MaxBodies; ++j) {
      if (j == i || s.objref[j] != s.objname[k]) continue;
      s.SystemElements[++s.SystemElementsCount] = static_cast<int16_t>(j);
    }
    centralMass = s.objmass[k];
    for (int m = 1; m <= s.SystemElementsCount; ++m) centralMass += s.objmass[s.SystemElements[m]];
    s.GroupMass = SystemBarycentre(s, k, centre);
  }

  const double a = s.objsma[i];
  const double e = s.objecc[i];
  const double inc = s.objinc[i];
  const double argp = s.objper[i];
  const double node = s.objasc[i];
  const double M = s.objma[i];

  // 2. Kepler's equation by Newton's method, bounded.
  double E = M + e / 2;
  bool converged = false;
  for (int it = 0; it < KeplerIterations; ++it) {
    const double next = E - (E - e * std::sin(E) - M) / (1 - e * std::cos(E));
    if (!std::isfinite(next)) return false;
    const double change = std::fabs(next - E);
    E = next;
    if (change <= 1e-06) {
      converged = true;
      break;
    }
  }
  if (!converged) return false;

  // 3. Position and velocity in the orbital plane (km, km per step).
  const double b = a * std::sqrt(std::fabs(1 - e * e));
  const double xp = a * (std::cos(E) - e);
  const double yp = b * std::sin(E);
  const double f = std::sqrt(EarthGMKm * centralMass / a) / ((1 - e * std::cos(E)) * a);
  const double vxp = -a * f * std::sin(E);
  const double vyp = b * f * std::cos(E);

  // 4. Into space.
  const double cw = std::cos(argp), sw = std::sin(argp);
  const double cO = std::cos(node), sO = std::sin(node);
  const double ci = std::cos(inc), si = std::sin(inc);
  const double P[3] = {cw * cO - sO * sw * ci, cw * sO + cO * sw * ci, sw * si};
  const double Q[3] = {-sw * cO - sO * cw * ci, -sw * sO + cO * cw * ci, cw * si};

  // 5. Relative to the centre, metres and metres per step.
  double out[6];
  for (int c = 0; c < 3; ++c) {
    out[c] = centre[c] + (xp * P[c] + yp * Q[c]) * 1000;
    out[c + 3] = centre[c + 3] + (vxp * P[c] + vyp * Q[c]) * 1000;
  }
  for (double value : out) {
    if (!std::isfinite(value)) return false;
  }
  s.objx[i] = out[0];
  s.objy[i] = out[1];
  s.objz[i] = out[2];
  s.objvx[i] = out[3];
  s.objvy[i] = out[4];
  s.objvz[i] = out[5];
  return true;
}

bool GetEscapeSpeed(double massEarth, double distance, double& out) {
  if (distance == 0) return false;
  const double x = massEarth * 7.9720088e14 / distance;
  if (!(x >= 0) || !std::isfinite(x)) return false;
  out = std::sqrt(x);
  return true;
}

}  // namespace molvane

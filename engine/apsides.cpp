#include "engine/apsides.h"

#include <cmath>

#include "engine/orbits.h"

namespace molvane {

namespace {

bool Finite(double v) { return std::isfinite(v); }

}  // namespace

// Each quantity is computed only from values that allow it; a step that
// cannot be done keeps what it held before.
void ComputeApsides(double massTerm, double timescale, double ra, double rp, ApsidesValues& v) {
  const double mass = massTerm / (timescale * timescale) * 6e24;  // kg
  auto circular = [mass](double r, std::optional<double>& out) {
    if (!Finite(mass) || !Finite(r) || r == 0) return;
    const double q = mass / r;
    if (!(q >= 0)) return;
    const double c = std::sqrt(q) / 3883769368.0;
    if (Finite(c)) out = c;
  };
  circular(ra, v.circularApogee);
  circular(rp, v.circularPerigee);
  auto apsideSpeed = [](const std::optional<double>& c, double ratio, std::optional<double>& out) {
    if (!c || !Finite(ratio) || 1 + ratio == 0) return;
    const double q = 2 / (1 + ratio);
    if (!(q >= 0)) return;
    const double s = *c * std::sqrt(q);
    if (Finite(s)) out = s;
  };
  if (rp != 0) apsideSpeed(v.circularApogee, ra / rp, v.apogeeSpeed);
  if (ra != 0) apsideSpeed(v.circularPerigee, rp / ra, v.perigeeSpeed);
  const double a = (ra + rp) / 2;
  if (Finite(a)) v.semiMajorAxis = a;
  if (v.circularApogee && *v.circularApogee != 0 && v.semiMajorAxis >= 0 && ra > 0) {
    const double a3 = v.semiMajorAxis * v.semiMajorAxis * v.semiMajorAxis;
    const double period = (2 * GetPi() * ra / *v.circularApogee) * std::sqrt(a3) / std::sqrt(ra * ra * ra);
    if (Finite(period)) v.period = period;
  }
}

bool ComputeApsidesFromState(double massTerm, double timescale, double r, double vt, double vr, double& searchAngle,
                             double& apogee, double& perigee) {
  if (!Finite(r) || r == 0 || !Finite(vt) || !Finite(vr)) return false;
  if (vr == 0) vr = 1e-7;
  const double v = std::sqrt(vt * vt + vr * vr);
  const double k = vt / vr;
  // The lowest angle of the grid whose tangent comes closest to k.
  double best = 9999;
  bool found = false;
  for (int n = 0;; ++n) {
    const double x = n * 0.0001;
    if (x > 6.283186) break;
    const double miss = std::fabs(std::tan(x) - k);
    if (miss < best) {
      best = miss;
      searchAngle = x;
      found = true;
    }
  }
  // A tangent beyond the grid's reach (a radial speed near 0): the exact
  // angle, not whatever the last computation left.
  if (!found && Finite(k)) searchAngle = k >= 0 ? std::atan(k) : std::atan(k) + GetPi();
  double x = searchAngle;
  if (x > GetPi()) x -= GetPi();
  const double gamma = 1.570797 - x;
  const double mu = massTerm * 5.9736e24 / (timescale * timescale) / 1.5023e19;  // km^3/s^2
  if (!Finite(mu) || mu == 0) return false;
  const double energy = v * v / 2 - mu / r;
  const double h = r * v * std::cos(gamma);
  const double p = h * h / mu;
  const double e2 = 1 + 2 * energy * h * h / (mu * mu);
  if (!(e2 >= 0)) return false;
  const double e = std::sqrt(e2);
  if (e == 1) return false;
  const double ap = p / (1 - e), pe = p / (1 + e);
  if (!Finite(ap) || !Finite(pe)) return false;
  apogee = ap;
  perigee = pe;
  return true;
}

}  // namespace molvane

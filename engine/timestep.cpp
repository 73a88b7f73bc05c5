#include "engine/timestep.h"

#include <cmath>

#include "engine/bodies.h"
#include "engine/numtext.h"

namespace molvane {

namespace {

constexpr double SecondsPerYear = 31536000.0;  // 365 days
constexpr double SecondsPerDay = 86400.0;

// A rescaled value is acceptable when it is finite and a non-zero value
// stays non-zero.
bool Keeps(double before, double after) { return std::isfinite(after) && (before == 0 || after != 0); }

// Applies the rescale only after every new value has been checked, so a
// refused factor leaves the whole table as it was.
template <bool Multiply>
bool Rescale(State& s, EngineHost& host, double k) {
  if (!std::isfinite(k) || !(k > 0)) return false;

  const double kk = k * k;
  auto vel = [&](double v) { return Multiply ? v * k : v / k; };
  auto dir = [&](float d) {
    return static_cast<float>(Multiply ? static_cast<double>(d) * k : static_cast<double>(d) / k);
  };
  auto mass = [&](double m) { return Multiply ? kk * m : m / kk; };

  const double newTimescale = Multiply ? s.timescale * k : s.timescale / k;
  if (!Keeps(s.timescale, newTimescale)) return false;

  const int n = BodyCount(s);
  for (int i = 0; i <= n; ++i) {
    if (!Keeps(s.objvx[i], vel(s.objvx[i])) || !Keeps(s.objvy[i], vel(s.objvy[i])) ||
        !Keeps(s.objvz[i], vel(s.objvz[i])) || !Keeps(s.objmass[i], mass(s.objmass[i])) ||
        !Keeps(s.objdirx[i], dir(s.objdirx[i])) || !Keeps(s.objdiry[i], dir(s.objdiry[i])) ||
        !Keeps(s.objdirz[i], dir(s.objdirz[i]))) {
      return false;
    }
  }

  s.timescale = newTimescale;
  for (int i = 0; i <= n; ++i) {
    s.objvx[i] = vel(s.objvx[i]);
    s.objvy[i] = vel(s.objvy[i]);
    s.objvz[i] = vel(s.objvz[i]);
    s.objdirx[i] = dir(s.objdirx[i]);
    s.objdiry[i] = dir(s.objdiry[i]);
    s.objdirz[i] = dir(s.objdirz[i]);
    s.objmass[i] = mass(s.objmass[i]);
  }

  if (s.timerateloaded) {
    const TimeStepText shown = TimeStepDisplay(s.timescale);
    host.showTimeStep(shown.caption, shown.text);
  }
  return true;
}

}  // namespace

TimeStepText TimeStepDisplay(double t) {
  if (t > SecondsPerYear) {
    return {"Time Step -- Years", FormatPicture(t / SecondsPerYear, "#####.##")};
  }
  if (t >= SecondsPerDay) {
    return {"Time Step -- Days", FormatPicture(t / SecondsPerDay, "###.####")};
  }
  return {"Time Step -- Seconds", FormatPicture(t, "######.##")};
}

bool MultiplyTimeStep(State& s, EngineHost& host, double k) { return Rescale<true>(s, host, k); }

bool DivideTimeStep(State& s, EngineHost& host, double k) { return Rescale<false>(s, host, k); }

}  // namespace molvane

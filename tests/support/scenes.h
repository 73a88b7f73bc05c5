// The bodies the window tests work on, over a stand-in for the main window
// and on the real one alike.
#pragma once

#include <cmath>

#include "engine/state.h"

namespace molvane {

// Sun at the origin, at rest; Probe 3000 km east and 4000 km north, moving
// 3000 and 4000 m per step; Moon far away. Time step 10 s.
inline void SunProbeMoon(State& s) {
  const char* names[] = {"", "Sun", "Probe", "Moon"};
  for (int i = 1; i <= 3; ++i) {
    s.objname[i] = names[i];
    s.objref[i] = "Sun";
    s.objmass[i] = i == 1 ? 100.0 : 0.0;
  }
  s.objref[1] = "Floating";
  s.objx[2] = 3e6;
  s.objy[2] = 4e6;
  s.objvx[2] = 3000;
  s.objvy[2] = 4000;
  s.objx[3] = 1e9;
  s.objects = 3;
  s.focusobj = 1;
  s.timescale = 10;
}

// Earth and a satellite at its periapsis, 7000 km out, eccentricity 0.5
// (semi-major axis 14000 km, apoapsis 21000 km), at time step `ts`.
inline void EarthAndSatellite(State& s, double ts) {
  s.objname[1] = "Earth";
  s.objname[2] = "Sat";
  s.objref[1] = "Floating";
  s.objref[2] = "Earth";
  s.objmass[1] = 1.0 * ts * ts;
  s.objmass[2] = 0;
  s.objx[2] = 7e6;
  const double mu = EarthGM / 1e9;  // km^3/s^2
  s.objvy[2] = std::sqrt(mu * 1.5 / 7000) * 1000 * ts;
  s.objects = 2;
  s.focusobj = 1;
  s.timescale = ts;
}

// Sun at the origin; Earth 1000 km along +x, about the Sun, at rest
// relative to it; Moon with no reference.
inline void SunEarthMoon(State& s) {
  s.objname[1] = "Sun";
  s.objname[2] = "Earth";
  s.objref[2] = "Sun";
  s.objx[2] = 1e6;
  s.objname[3] = "Moon";
  s.objects = 3;
}

}  // namespace molvane

// What the instrument boxes compute and show, apart from their windows: the
// distance and speeds of a pair of bodies, and the state vector and orbital
// elements of a body about its reference.
#pragma once

#include <array>
#include <string>

#include "engine/state.h"

namespace molvane {

// One pair of bodies as a distance or reference box keeps it between
// refreshes (metres and metres per step).
struct PairMeasure {
  double deltaX = 0, deltaY = 0, deltaZ = 0;
  double previousDistance = 0;
  double radialSpeed = 0;  // change of distance since the last refresh, never negative
  double tangentialSpeed = 0;
  double relativeSpeed = 0;
  double distance = 0;
};

// One refresh of the pair a, b. A value whose computation fails (a negative
// square under the tangential root, a result that is not finite) keeps its
// previous value; the rest go on. False, and nothing changed, when a or b
// is no body 0..objects: the box then shows blank readouts.
bool StepPair(const State& s, int a, int b, PairMeasure& m);

// The four readouts of a pair: distance in km, then relative, radial and
// tangential speed in km/s, with `decimals` (3 or 4) places at most. A
// speed that cannot be divided by the time step shows as 0.
std::array<std::string, 4> PairTexts(const PairMeasure& m, double timescale, int decimals);

// What a pair box shows after a step: its measure as that step left it and
// the step's length (a later change of the time step must not rescale it),
// or blank readouts when a body was missing.
struct PairReadout {
  bool shown = false;
  PairMeasure measure;
  double timescale = 0;
};
// One refresh of the pair a, b (StepPair) and what the box shows for it.
void StepPairReadout(const State& s, int a, int b, PairReadout& r);
std::array<std::string, 4> PairReadoutTexts(const PairReadout& r, int decimals);

// The fourteen value labels of an orbit box, in row order: x, y, z (km),
// vx, vy, vz (km/s), semi-major axis, eccentricity, inclination, argument
// of periapsis, ascending node, mean anomaly, periapsis and apoapsis
// distance. Computes the elements of o about objrefindex(o) first. An index
// that names no body 0..objects leaves the rows that need it empty.
std::array<std::string, 14> OrbitBoxTexts(State& s, int o, int r);
// The values behind OrbitBoxTexts at one step, so that a box can show them
// later as that step left them: the state vector (km, km/s) and the
// elements (sma, ecc, inc, per, asc, ma, perdist, appdist).
struct OrbitReadout {
  bool body = false;       // o named a body: the elements rows
  bool reference = false;  // r too: the state-vector rows
  std::array<double, 6> vector{};
  std::array<double, 8> elements{};
};
// Computes the elements of o as OrbitBoxTexts does and takes the values.
OrbitReadout StepOrbitReadout(State& s, int o, int r);
std::array<std::string, 14> OrbitReadoutTexts(const OrbitReadout& v);
// Only the first step of OrbitBoxTexts: the elements of o about
// objrefindex(o), kept in the table. False when o names no body.
bool UpdateOrbitalElements(State& s, int o);

// The speed of body a relative to body b in m/s (0 when either index is
// outside the body table or the time step is 0).
double RelativeSpeedMps(const State& s, int a, int b);

}  // namespace molvane

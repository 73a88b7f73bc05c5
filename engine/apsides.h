// The apsides of a two-body orbit about a central body, from a state
// (distance, tangent and radial speed) or from the two distances, and the
// speeds there and the period: what the orbit calculator computes.
#pragma once

#include <optional>

namespace molvane {

// What the apsides computation keeps between runs: a step that cannot be
// computed keeps the value it had.
struct ApsidesValues {
  std::optional<double> circularApogee, circularPerigee;  // km/s
  std::optional<double> apogeeSpeed, perigeeSpeed;        // km/s
  double semiMajorAxis = 0;                               // km
  double period = 0;                                      // s
};

// Distances in km, the central body's mass term and the time step.
void ComputeApsides(double massTerm, double timescale, double ra, double rp, ApsidesValues& v);

// From distance r (km), tangent and radial speed (km/s): apogee and perigee
// distances (km). `searchAngle` is the angle found last time and keeps the
// new one. False (nothing written) when no apsides follow: a zero or
// non-finite distance, a zero mass, an eccentricity of exactly 1 or one
// that is not a number.
bool ComputeApsidesFromState(double massTerm, double timescale, double r, double vt, double vr, double& searchAngle,
                             double& apogee, double& perigee);

}  // namespace molvane

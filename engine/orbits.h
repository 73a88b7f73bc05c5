// Orbital mechanics: elements from state vectors and back, period, escape
// speed and the few constants the instruments and the drawing use.
#pragma once

#include <cstdint>
#include <string_view>

#include "engine/state.h"

namespace molvane {

inline double GetPi() { return 3.14159265358979323846; }  // 4 * atan(1)

// Arc cosine as arctan(-x / sqrt(1 - x * x)) + pi / 2. Returns false and
// leaves `out` alone at |x| >= 1 or a non-finite x, where that formula fails;
// callers rely on the failure to keep their old value (see below).
bool ArcCos(double x, double& out);

// Writes the orbital elements of body i about body j (objsma km, objecc,
// objinc/objper/objasc/objma degrees, objperdist/objappdist km). A quantity
// whose formula fails (division by zero, arc cosine outside -1..1, index
// outside 0..1000, overflow) keeps its previous value, 0 at the start, and
// the later steps still run. Inclination is reported 0..90, the ascending
// node as pi - node where hx <= 0 and the true anomaly as pi - nu while
// moving inwards, so an equatorial orbit shows node 180 and a circular one
// argument of periapsis 0.
void ComputeOrbitalElements(State& s, int i, int j);

// Period in seconds of the named body (the last of that name; an unknown
// name works on index 0) about its reference: body objrefindex where it
// carries the reference's name, else the last body of that name. 0 when it
// cannot be computed.
double GetOrbitalPeriod(State& s, std::string_view name);
// The same for body i itself, about the reference it holds.
double GetOrbitalPeriodOf(State& s, int i);

// Sets the position and velocity of body i from its orbital elements as the
// Create Objects dialog leaves them (objsma km, objecc, angles in radians)
// about objrefindex(i), or about the barycentre of that body and every other
// body that names it as reference when `group` is set. Writes
// SystemElements/GroupMass for the group. Returns false and leaves body i
// unchanged when Kepler's equation does not converge or a result is not
// finite. Neither the reference nor its group is moved.
bool PlaceBodyOnOrbit(State& s, int i, bool group);

// Escape speed in m/s at `distance` metres from `massEarth` Earth masses.
// False for a zero distance or a non-finite result.
bool GetEscapeSpeed(double massEarth, double distance, double& out);

}  // namespace molvane

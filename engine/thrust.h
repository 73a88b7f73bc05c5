// Thrust direction and impulse of a body, the boosts of the thrust panel,
// and the order of the name labels of reference bodies.
//
// A thrust direction is kept as a unit vector times timescale in single
// precision. Every writer (the panel's boosts, the autopilot)
// goes through StoreThrustDirection, which takes the direction whole or not
// at all: when a component is not finite or does not fit a single, the
// body keeps its whole previous direction.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "engine/host.h"
#include "engine/state.h"

namespace molvane {

// A vector in space, a unit vector where a direction is made of it.
struct Direction3 {
  double x = 0, y = 0, z = 0;
};

// The unit vector along sign times d; none when d has no length (0, or a
// length that is not finite).
std::optional<Direction3> UnitAlong(const Direction3& d, double sign = 1);
// The velocity (metres per step) and the place of body i relative to body j.
Direction3 RelativeVelocity(const State& s, int i, int j);
Direction3 RelativePosition(const State& s, int i, int j);

// u times timescale as the body table keeps it; false (out unchanged) when
// a component is not finite or does not fit a single.
bool ScaledThrustDirection(const Direction3& u, double timescale, std::array<float, 3>& out);
// Body i's thrust direction becomes u times timescale, whole or not at all;
// false (direction unchanged) when it does not fit or i is outside 0..1000.
bool StoreThrustDirection(State& s, int i, const Direction3& u);

// Stores `amount` (m/s) as body i's thrust and adds it to body i's velocity
// along the stored direction (against it with sign -1). A velocity that
// would not be finite keeps its value; an index outside 0..1000 does
// nothing.
void ApplyThrustImpulse(State& s, int i, int16_t amount, double sign = 1);

// The direction of azimuth and altitude (degrees) of an autopilot line as a
// unit vector: azimuth 90, altitude 0 is +y; azimuth 0 is -x; altitude 90 is
// +z. The altitude is taken as a single, the azimuth whole.
Direction3 AutopilotDirection(double azimuthDegrees, double altitudeDegrees);

// The thrust panel's rows of boosts.
enum class BoostRow { Prograde, Retrograde, Toward, Away, Custom };

// Points body o's thrust direction along the azimuth (degrees, 0 along -x,
// 90 along +y) and altitude (degrees, 90 along +z) typed in the two texts,
// times timescale, in single precision as the panel always did. `azimuth`
// and `altitude` receive the working values in radians. A text that is a
// number a single cannot hold leaves everything as it was and gives the
// message naming its field (empty when the direction was set).
std::string SetCustomDirection(State& s, int o, std::string_view azimuthText, std::string_view altitudeText,
                               float& azimuth, float& altitude);

// One boost of `amount` m/s on body o (reference r) along `row`, and the
// amount added to State::fuelused. Indices outside 0..1000 change nothing;
// the Custom row reads no reference, so r is not looked at there.
// Without a defined direction (no relative motion, object and reference at
// the same place) the old direction is kept and the boost goes along it.
// A Custom boost whose direction is refused fires nothing and gives the
// message; empty otherwise.
std::string FireBoost(State& s, BoostRow row, int o, int r, int16_t amount, std::string_view azimuthText,
                      std::string_view altitudeText, float& azimuth, float& altitude);

// Brings the name label of every body that some body uses as reference to
// the front, so central bodies' names are not hidden under their satellites'.
void RaiseReferenceLabels(const State& s, EngineHost& host);

}  // namespace molvane

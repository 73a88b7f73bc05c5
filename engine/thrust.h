// Thrust direction and impulse of a body, and the order of the name labels
// of reference bodies.
#pragma once

#include <cstdint>

#include "engine/host.h"
#include "engine/state.h"

namespace molvane {

// Points body i's thrust direction along its velocity relative to body j
// (unit vector times timescale, single precision). Equal velocities or an
// index outside 0..1000 leave the direction as it was.
void SetThrustDirection(State& s, int i, int j);

// Stores `amount` (m/s) as body i's thrust and adds it to body i's velocity
// along the stored direction. An index outside 0..1000 does nothing.
void ApplyThrustImpulse(State& s, int i, int16_t amount);

// Brings the name label of every body that some body uses as reference to
// the front, so central bodies' names are not hidden under their satellites'.
void RaiseReferenceLabels(const State& s, EngineHost& host);

}  // namespace molvane

// Time-step rescaling: changes `timescale` by a factor and rescales every
// per-step quantity with it, so the motion in physical units stays the same.
#pragma once

#include <string>

#include "engine/host.h"
#include "engine/state.h"

namespace molvane {

// What the time-step window shows for a step of t seconds.
struct TimeStepText {
  std::string caption;
  std::string text;
};
TimeStepText TimeStepDisplay(double t);

// Multiply or divide the time step by k, rescaling velocities (k), thrust
// directions (k, stored as float) and mass terms (k*k) of bodies 0..objects.
// Refused (false, nothing changed) when k is 0, negative or not finite, or
// when any non-zero value would become 0 or not finite. While the time-step
// window is open it is shown the new step.
bool MultiplyTimeStep(State& s, EngineHost& host, double k);
bool DivideTimeStep(State& s, EngineHost& host, double k);

}  // namespace molvane

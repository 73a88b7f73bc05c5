// The simulation loop: one step (thrust, attraction, drift, merging, the
// per-step hooks) and the slice runner that the main window's timer drives.
#pragma once

#include "engine/host.h"
#include "engine/state.h"

namespace molvane {

// The yield counter of one timer event: 0 when the event starts.
struct SliceCounter {
  int yieldCounter = 0;
  bool yieldDue = false;  // the last step passed the 51st step of its run
};

enum class SliceResult {
  Paused,   // the loop has ended; the next timer tick may start a new one
  Yielded,  // return to the event loop and queue the next slice at once
};

// One step of the simulation, in this order: thrust, attraction and drift
// (native or built-in, with merging), drawing, clock, spectrum sample,
// auto-save check, autopilot, yield counter, queued halving and doubling.
void SimulationStep(State& s, EngineHost& host, SliceCounter& counter);
void SimulationStep(State& s, EngineHost& host);

// Whether one more step leaves the clock a finite number.
bool ClockCanAdvance(const State& s);

// The halving, then the doubling, that `-` and `+` queued: a step applies
// them at its end, and the one refused at the clock's edge too, so that
// they can shorten the step that could not be taken.
void ApplyQueuedTimeStepChange(State& s, EngineHost& host);

// Pairwise attraction of bodies 1..objects on the velocities, listing the
// touching pairs and merging them after each outer body. Moves nothing.
void BuiltInForceLoop(State& s, EngineHost& host);

// Moves bodies 0..objects by their velocities.
void Drift(State& s);

// Start of a timer event: shows the fixed reference boxes that are open and
// zeroes the yield counter. Returns false, doing nothing, while a loop is
// already running (its next slice is queued): the tick must then not run a
// slice of its own.
bool BeginTimerEvent(State& s, EngineHost& host, SliceCounter& counter);

// Runs steps until the loop is paused (Paused; the loop has ended) or until
// a step completed the 51st step since the last yield (Yielded: the caller
// goes back to the event loop and queues the next slice). A slice that
// starts while paused runs no step. Without a begun loop it does nothing.
SliceResult RunSlice(State& s, EngineHost& host, SliceCounter& counter);

}  // namespace molvane

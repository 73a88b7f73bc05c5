// The autopilot list's count and replacement, and arming: pointing its state
// at the pending entry of the list. Shared by the autopilot window, the
// executor and the situation loaders.
#pragma once

#include "engine/state.h"

namespace molvane {

// Number of entries, clamped to 0..MaxAutopilot, for every loop over the list.
inline int AutopilotListCount(const State& s) {
  return s.autopilotCount < 0 ? 0 : (s.autopilotCount > MaxAutopilot ? MaxAutopilot : s.autopilotCount);
}

// A situation or New replaced the whole list: windows that keep an entry of
// it see the new generation and let go of that entry.
inline void AutopilotListReplaced(State& s) { ++s.autopilotListGeneration; }

// Points the autopilot at the first entry (1..count) whose time is not
// before the clock or is 0, and arms it. With no such entry: past the end
// of a list that is not full the state points at an empty command and
// `armed` keeps its value; with a full list of past entries it is
// disarmed. Nothing above the count is ever looked at.
void ArmAutopilot(State& s);

// What a situation load does after restoring the list: the same scan,
// armed in every case.
void ArmAutopilotAfterLoad(State& s);

}  // namespace molvane

// The tables' part of the New command: one body in an otherwise empty
// situation at a time step of one second.
#pragma once

#include "engine/host.h"
#include "engine/state.h"

namespace molvane {

// Auto-save and the rotating frame off, time forward, the view scale of a
// new situation, the time step back to one second (the host's time-step
// window is told), a single body "Object 1" (a red Sun of 1392000 km, no
// reference, at rest at the origin) as the focus, the name "New", the
// captions emptied, the clock at 0 and no autopilot list. The body table
// counts as replaced. The window part (boxes, view, labels, menus) is the
// caller's.
void ResetForNewSituation(State& s, EngineHost& host);

}  // namespace molvane

// Binding of Brisklet, the native force loop, at start-up.
#pragma once

#include <string>

#include "engine/state.h"

namespace molvane {

// Looks for libbrisklet.so in programFolder, loads it and finds RunLoop.
// Only when all of that succeeds does the step use the native loop (for the
// whole run); otherwise UseNativeForceLoop stays false and the built-in loop
// runs. The library stays loaded until the program ends.
bool BindNativeForceLoop(State& s, const std::string& programFolder);

// Clears the upper halves of the vector registers where the processor has
// AVX. Wide vector code run before (Brisklet, the drawing's libraries) can
// leave them dirty, and some processors then run the built-in loop, which is
// plain SSE code, several times slower. No value changes.
void ClearUpperVectorState();

}  // namespace molvane

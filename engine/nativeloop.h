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

}  // namespace molvane

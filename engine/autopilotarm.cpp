#include "engine/autopilotarm.h"

#include <cstdint>

namespace molvane {

namespace {

// The scan shared by arming and loading.
void PointAtPending(State& s, bool armAlways) {
  AutopilotState& a = s.autopilotState;
  a.cursor = 1;
  a.nextTime = 0;
  a.nextLine.clear();
  const int n = AutopilotListCount(s);
  int i = 1;
  while (i <= n && s.autopilot[i].time < s.SecondsElapsed && s.autopilot[i].time != 0) ++i;

  if (i > MaxAutopilot) {  // a full list, all of it in the past
    a.armed = false;
    return;
  }
  a.cursor = static_cast<int16_t>(i);
  if (i <= n) {
    a.nextTime = s.autopilot[i].time;
    a.nextLine = s.autopilot[i].line;
  }
  // An entry of time 0 is armed too: the executor reports it rather than
  // letting it end the list in silence.
  if (armAlways || i <= n) a.armed = true;
}

}  // namespace

void ArmAutopilot(State& s) { PointAtPending(s, false); }

void ArmAutopilotAfterLoad(State& s) { PointAtPending(s, true); }

}  // namespace molvane

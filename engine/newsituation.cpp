#include "engine/newsituation.h"

#include "engine/autopilotarm.h"
#include "engine/bodies.h"
#include "engine/timestep.h"

namespace molvane {

void ResetForNewSituation(State& s, EngineHost& host) {
  s.autoSave.enabled = false;
  BodyTableReplaced(s, 1);
  // The rescale below still sees the old first body, which is replaced after it.
  s.objects = 1;
  s.RotatingFrame.on = false;
  s.TimeForward = true;
  s.ScalePixel = 1e-7;
  if (s.timescale >= 1.0) {
    DivideTimeStep(s, host, s.timescale / 1.0);
  } else {
    MultiplyTimeStep(s, host, 1.0 / s.timescale);
  }
  // The old bodies are overwritten below; the step is exactly one second.
  s.timescale = 1.0;

  s.objects = 0;
  AddBody(s, {.name = "Object 1", .colour = 255, .mass = SunEarthMasses, .size = 1392000000.0});
  // Nothing of the old situation keeps pushing or flying the new body.
  s.ThrustActive = false;
  s.focusobj = 1;

  s.isitname = "New";
  for (int k = 1; k <= MaxCaptions; ++k) s.captions[k].caption.clear();
  s.SecondsElapsed = 0;
  for (int k = 1; k <= MaxAutopilot; ++k) s.autopilot[k] = AutopilotCommand{};
  s.autopilotCount = 0;
  AutopilotListReplaced(s);
  s.autopilotState = AutopilotState{};
}

}  // namespace molvane

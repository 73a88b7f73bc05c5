#include "engine/simulation.h"

#include <cmath>
#include <cstdint>

#include "engine/bodies.h"
#include "engine/nativeloop.h"
#include "engine/timestep.h"

namespace molvane {

namespace {

constexpr int YieldEvery = 50;  // yield after the 51st step, then every 51 steps
constexpr int16_t LastSampleNumber = 32767;

// target += amount / target -= amount, unless the result would not be
// finite: then the body keeps its value, so no NaN or infinity enters the table.
inline void AddFinite(double& target, double amount) {
  const double r = target + amount;
  if (std::isfinite(r)) target = r;
}
inline void SubFinite(double& target, double amount) {
  const double r = target - amount;
  if (std::isfinite(r)) target = r;
}

void ApplyThrust(State& s) {
  const int n = BodyCount(s);
  for (int i = 1; i <= n; ++i) {
    if (!s.objthruston[i]) continue;
    const double thrust = static_cast<double>(s.objthrust[i]);
    AddFinite(s.objvx[i], static_cast<double>(s.objdirx[i]) * thrust * s.timescale);
    AddFinite(s.objvy[i], static_cast<double>(s.objdiry[i]) * thrust * s.timescale);
    AddFinite(s.objvz[i], static_cast<double>(s.objdirz[i]) * thrust * s.timescale);
  }
}

// One point of the relative-speed spectrum. A sample whose bodies are not
// both real bodies, or whose amplitude is 0, plots nothing.
void SampleSpectrum(State& s, EngineHost& host) {
  const SpectrumSettings& set = s.spectrumSettings;
  const int n = BodyCount(s);
  const int a = set.bodyA;
  const int b = set.bodyB;

  s.spectrumSample.nextTime = static_cast<double>(static_cast<int64_t>(set.period) * 86400) + s.SecondsElapsed;

  if (a < 1 || a > n || b < 1 || b > n || set.amplitude == 0 || s.timescale == 0) return;
  const double dvx = s.objvx[a] - s.objvx[b];
  const double dvy = s.objvy[a] - s.objvy[b];
  const double dvz = s.objvz[a] - s.objvz[b];
  double speed = std::sqrt(dvx * dvx + dvy * dvy + dvz * dvz);
  speed = speed / s.timescale;
  speed = speed - static_cast<double>(set.offset);
  speed = std::fabs(speed / set.amplitude);
  if (!std::isfinite(speed)) return;

  host.spectrumPoint(s.spectrumSample.x, speed);
  if (s.spectrumSample.x < LastSampleNumber) s.spectrumSample.x += 1;
}

void CheckAutoSave(State& s, EngineHost& host) {
  AutoSaveSettings& as = s.autoSave;
  if (!as.enabled || as.savesMade >= as.maxSaves || !(s.SecondsElapsed > as.nextTime)) return;
  host.writeAutoSave();
  as.savesMade += 1;
  as.nextTime = static_cast<double>(as.interval) + s.SecondsElapsed;
}

}  // namespace

void BuiltInForceLoop(State& s, EngineHost& host) {
  ClearUpperVectorState();
  const int n0 = BodyCount(s);
  for (int i = 1; i <= n0; ++i) {
    const double GMi = s.objmass[i] * EarthGM;
    const int ni = BodyCount(s);  // merges shrink the table during the pass
    for (int j = i + 1; j <= ni; ++j) {
      const double GMj = s.objmass[j] * EarthGM;
      double dx = s.objx[j] - s.objx[i];
      double dy = s.objy[j] - s.objy[i];
      double dz = s.objz[j] - s.objz[i];
      const double d = std::sqrt(dx * dx + dy * dy + dz * dz);

      if ((s.objsize[i] + s.objsize[j]) / 2 > d && s.CollisionPairCount <= MaxPairs) {
        s.CollisionPairCount += 1;  // stops at 101: later pairs are not listed
        if (s.CollisionPairCount <= MaxPairs) {
          s.higher[s.CollisionPairCount] = j;
          s.lower[s.CollisionPairCount] = i;
        }
      }

      // Coincident bodies have no direction between them: no attraction.
      if (!(d > 0) || !std::isfinite(d)) continue;
      dx = dx / d;
      dy = dy / d;
      dz = dz / d;
      if (GMi > 0) {
        const double f = (1 / d) * (1 / d) * GMi;
        SubFinite(s.objvx[j], dx * f);
        SubFinite(s.objvy[j], dy * f);
        SubFinite(s.objvz[j], dz * f);
      }
      if (GMj > 0) {
        const double f = (1 / d) * (1 / d) * GMj;
        SubFinite(s.objvx[i], (-dx) * f);
        SubFinite(s.objvy[i], (-dy) * f);
        SubFinite(s.objvz[i], (-dz) * f);
      }
    }
    if (s.higher[1] > 0) {
      MergeCollidedBodies(s, host);
      ClearUpperVectorState();  // the merge ran the windows' code
    }
  }
}

void Drift(State& s) {
  const int n = BodyCount(s);
  for (int j = 0; j <= n; ++j) {
    AddFinite(s.objx[j], s.objvx[j]);
    AddFinite(s.objy[j], s.objvy[j]);
    AddFinite(s.objz[j], s.objvz[j]);
  }
}

bool ClockCanAdvance(const State& s) {
  return std::isfinite(s.TimeForward ? s.SecondsElapsed + s.timescale : s.SecondsElapsed - s.timescale);
}

void ApplyQueuedTimeStepChange(State& s, EngineHost& host) {
  if (s.TimeStepHalveRequest) {
    DivideTimeStep(s, host, 2.0);
    s.TimeStepHalveRequest = false;
  }
  if (s.TimeStepDoubleRequest) {
    MultiplyTimeStep(s, host, 2.0);
    s.TimeStepDoubleRequest = false;
  }
}

void SimulationStep(State& s, EngineHost& host, SliceCounter& counter) {
  // 1. The clock moves by the step the step started with. A clock that
  // would leave the finite numbers stays where it is and the run pauses
  // before anything moves: nothing after it could be saved or shown.
  const double stepTime = s.timescale;
  const double clock = s.TimeForward ? s.SecondsElapsed + stepTime : s.SecondsElapsed - stepTime;
  if (!std::isfinite(clock)) {
    host.pauseWithMessage("The simulation clock cannot go further with this time step; the run is paused.");
    s.PausedFlag = true;
    ApplyQueuedTimeStepChange(s, host);
    return;
  }
  s.CollisionPairCount = 0;

  // 2. Thrust.
  if (s.ThrustActive) ApplyThrust(s);

  // 3. Attraction and drift.
  if (s.UseNativeForceLoop && s.nativeRunLoop != nullptr) {
    s.nativeRunLoop(static_cast<int32_t>(BodyCount(s)), s.objmass.data(), s.objx.data(), s.objy.data(), s.objz.data(),
                    s.objvx.data(), s.objvy.data(), s.objvz.data(), s.objsize.data(), s.higher.data(), s.lower.data());
    if (s.higher[1] > 0) MergeCollidedBodies(s, host);
  } else {
    BuiltInForceLoop(s, host);
    Drift(s);
  }

  // 4. Drawing and the open boxes.
  host.plot();

  // 5. Clock.
  s.SecondsElapsed = clock;

  // 6. Spectrum.
  if (s.spectrumloaded && s.SecondsElapsed > s.spectrumSample.nextTime) SampleSpectrum(s, host);

  // 7. Auto-save.
  CheckAutoSave(s, host);

  // 8. Autopilot: at most one command per step.
  if (s.autopilotState.armed && s.SecondsElapsed >= s.autopilotState.nextTime) {
    host.runAutopilotCommand();
  }

  // 9. Yield counter.
  counter.yieldCounter += 1;
  if (counter.yieldCounter > YieldEvery) {
    counter.yieldCounter = 0;
    counter.yieldDue = true;
  }

  // 10. Queued rescaling, halving first.
  ApplyQueuedTimeStepChange(s, host);
}

void SimulationStep(State& s, EngineHost& host) {
  SliceCounter unused;
  SimulationStep(s, host, unused);
}

bool BeginTimerEvent(State& s, EngineHost& host, SliceCounter& counter) {
  if (s.loopRunning) return false;
  if (s.refbox1loaded) host.showReferenceBox(1);
  if (s.refbox2loaded) host.showReferenceBox(2);
  counter.yieldCounter = 0;
  counter.yieldDue = false;
  s.loopRunning = true;
  return true;
}

SliceResult RunSlice(State& s, EngineHost& host, SliceCounter& counter) {
  if (!s.loopRunning) return SliceResult::Paused;
  for (;;) {
    if (s.PausedFlag) {
      s.loopRunning = false;
      return SliceResult::Paused;
    }
    SimulationStep(s, host, counter);
    if (s.PausedFlag) {
      s.loopRunning = false;
      return SliceResult::Paused;
    }
    if (counter.yieldDue) {
      counter.yieldDue = false;
      return SliceResult::Yielded;
    }
  }
}

}  // namespace molvane

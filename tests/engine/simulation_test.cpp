#include "engine/simulation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "engine/state.h"
#include "engine/timestep.h"
#include "tests/support/nullhosts.h"

namespace molvane {
namespace {

// Records what the loop asks of the windows; can pause the loop from plot().
struct RecordingHost : NullEngineHost {
  State* s = nullptr;
  int plots = 0;
  int pauseAtPlot = -1;          // set PausedFlag during this plot call (1-based)
  bool doubleWithPause = false;  // queue a doubling together with the pause
  std::vector<int> boxes;
  std::vector<std::pair<int16_t, double>> spectrum;
  std::vector<double> autoSaveTimes;
  std::vector<double> autopilotTimes;
  std::vector<bool> timer;
  std::vector<std::array<int32_t, MaxPairs + 1>> pairSnapshots;
  int16_t countAtMerge = 0;

  std::vector<std::string> pauses;
  void pauseWithMessage(const std::string& text) override { pauses.push_back(text); }
  void showReferenceBox(int which) override { boxes.push_back(which); }
  void plot() override {
    ++plots;
    if (plots == pauseAtPlot) {
      s->PausedFlag = true;
      s->TimeStepDoubleRequest = doubleWithPause;
    }
  }
  void spectrumPoint(int16_t x, double v) override { spectrum.emplace_back(x, v); }
  void writeAutoSave() override { autoSaveTimes.push_back(s->SecondsElapsed); }
  void runAutopilotCommand() override { autopilotTimes.push_back(s->SecondsElapsed); }
  void setTimerEnabled(bool on) override {
    timer.push_back(on);
    if (!on) {
      pairSnapshots.push_back(s->higher);
      countAtMerge = s->CollisionPairCount;
    }
  }
};

struct SimulationTest : ::testing::Test {
  std::unique_ptr<State> owned = std::make_unique<State>();
  State& s = *owned;
  RecordingHost host;
  SimulationTest() { host.s = &s; }

  void AddBody(double m, double x, double y, double z, double vx, double vy, double vz, double size = 0) {
    const int i = ++s.objects;
    s.objmass[i] = m;
    s.objx[i] = x;
    s.objy[i] = y;
    s.objz[i] = z;
    s.objvx[i] = vx;
    s.objvy[i] = vy;
    s.objvz[i] = vz;
    s.objsize[i] = size;
  }
};

// The hand computation: one pair (i before j) of the pairwise pull, straight
// from the formulas, then the drift.
struct HandBody {
  double m, x, y, z, vx, vy, vz;
};
void HandPair(HandBody& bi, HandBody& bj) {
  const double GMi = bi.m * 3.9860044e14;
  const double GMj = bj.m * 3.9860044e14;
  double dx = bj.x - bi.x, dy = bj.y - bi.y, dz = bj.z - bi.z;
  const double d = std::sqrt(dx * dx + dy * dy + dz * dz);
  dx = dx / d;
  dy = dy / d;
  dz = dz / d;
  if (GMi > 0) {
    const double f = (1 / d) * (1 / d) * GMi;
    bj.vx = bj.vx - dx * f;
    bj.vy = bj.vy - dy * f;
    bj.vz = bj.vz - dz * f;
  }
  if (GMj > 0) {
    const double f = (1 / d) * (1 / d) * GMj;
    bi.vx = bi.vx - (-dx) * f;
    bi.vy = bi.vy - (-dy) * f;
    bi.vz = bi.vz - (-dz) * f;
  }
}

TEST_F(SimulationTest, OneStepMatchesHandComputationBitForBit) {
  s.timescale = 60;
  s.objvx[0] = 3.25;  // the floating point drifts too
  AddBody(0.0123 * 3600, 1.5e7, -2.25e6, 3.0e5, 120.5, -33.25, 7.0);
  AddBody(1.0 * 3600, -4.0e6, 8.125e6, -1.0e6, -10.0, 55.5, 0.125);
  AddBody(0.0, 2.0e7, 1.0e7, 5.0e6, 0.5, -0.25, 1000.0);  // attracts nothing
  s.ThrustActive = true;
  s.objthruston[2] = true;
  s.objdirx[2] = 0.6f * 60;
  s.objdiry[2] = -0.8f * 60;
  s.objdirz[2] = 0.0f;
  s.objthrust[2] = 0.37f;

  HandBody b[4];
  for (int i = 0; i <= 3; ++i) {
    b[i] = {s.objmass[i], s.objx[i], s.objy[i], s.objz[i], s.objvx[i], s.objvy[i], s.objvz[i]};
  }
  b[2].vx = b[2].vx + static_cast<double>(s.objdirx[2]) * static_cast<double>(s.objthrust[2]) * 60.0;
  b[2].vy = b[2].vy + static_cast<double>(s.objdiry[2]) * static_cast<double>(s.objthrust[2]) * 60.0;
  b[2].vz = b[2].vz + static_cast<double>(s.objdirz[2]) * static_cast<double>(s.objthrust[2]) * 60.0;
  HandPair(b[1], b[2]);
  HandPair(b[1], b[3]);
  HandPair(b[2], b[3]);
  for (auto& h : b) {
    h.x = h.x + h.vx;
    h.y = h.y + h.vy;
    h.z = h.z + h.vz;
  }

  SimulationStep(s, host);
  for (int i = 0; i <= 3; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(s.objvx[i], b[i].vx);
    EXPECT_EQ(s.objvy[i], b[i].vy);
    EXPECT_EQ(s.objvz[i], b[i].vz);
    EXPECT_EQ(s.objx[i], b[i].x);
    EXPECT_EQ(s.objy[i], b[i].y);
    EXPECT_EQ(s.objz[i], b[i].z);
  }
  EXPECT_EQ(s.objects, 3);
  EXPECT_EQ(host.plots, 1);
  EXPECT_EQ(s.SecondsElapsed, 60.0);
}

TEST_F(SimulationTest, ThrustOnlyWhileThrustActiveAndOnlyForThrustingBodies) {
  AddBody(0, 0, 0, 0, 1, 0, 0);
  AddBody(0, 1e9, 0, 0, 0, 0, 0);
  for (int i : {1, 2}) {
    s.objdirx[i] = 1.0f;
    s.objthrust[i] = 2.0f;
  }
  s.objthruston[1] = true;
  SimulationStep(s, host);
  EXPECT_EQ(s.objvx[1], 1.0);  // ThrustActive is off

  s.ThrustActive = true;
  SimulationStep(s, host);
  EXPECT_EQ(s.objvx[1], 3.0);
  EXPECT_EQ(s.objvx[2], 0.0);  // not switched on
}

TEST_F(SimulationTest, ExactlyTouchingIsNotListedAHairCloserIs) {
  AddBody(0, 0, 0, 0, 0, 0, 0, 10);
  AddBody(0, 10, 0, 0, 0, 0, 0, 10);
  BuiltInForceLoop(s, host);
  EXPECT_EQ(s.objects, 2);
  EXPECT_TRUE(host.timer.empty());

  s.objx[2] = std::nextafter(10.0, 0.0);
  BuiltInForceLoop(s, host);
  EXPECT_EQ(s.objects, 1);
  ASSERT_EQ(host.pairSnapshots.size(), 1u);
  EXPECT_EQ(host.pairSnapshots[0][1], 2);
  EXPECT_EQ(s.higher[1], 0);  // emptied by the merge
  EXPECT_EQ(s.CollisionPairCount, 0);
}

TEST_F(SimulationTest, OnlyTheFirstHundredTouchingPairsAreListed) {
  AddBody(0, 0, 0, 0, 0, 0, 0, 1000);
  for (int k = 1; k <= 102; ++k) AddBody(0, k, 0, 0, 0, 0, 0, 0);  // touch body 1 only
  BuiltInForceLoop(s, host);
  ASSERT_GE(host.pairSnapshots.size(), 1u);
  const auto& list = host.pairSnapshots[0];
  for (int k = 1; k <= MaxPairs; ++k) EXPECT_EQ(list[k], k + 1);
  EXPECT_EQ(host.countAtMerge, MaxPairs + 1);
  // The 100 listed bodies merged into body 1; the two unlisted ones remain.
  EXPECT_EQ(s.objects, 3);
  EXPECT_EQ(s.objx[2], 101.0);
  EXPECT_EQ(s.objx[3], 102.0);
  EXPECT_EQ(s.objsize[1], 1000.0);  // massless merge keeps the larger diameter
}

TEST_F(SimulationTest, CoincidentBodiesGetNoAttractionAndNoNaN) {
  AddBody(5, 1e7, 2e7, 3e7, 1, 2, 3);
  AddBody(7, 1e7, 2e7, 3e7, -1, -2, -3);
  SimulationStep(s, host);
  EXPECT_EQ(s.objects, 2);  // sizes 0: not touching
  EXPECT_EQ(s.objvx[1], 1.0);
  EXPECT_EQ(s.objvz[2], -3.0);
  EXPECT_EQ(s.objx[1], 1e7 + 1);

  // With sizes they are listed and merged; everything stays finite.
  s.objx[2] = s.objx[1];
  s.objy[2] = s.objy[1];
  s.objz[2] = s.objz[1];
  s.objsize[1] = 100;
  s.objsize[2] = 100;
  SimulationStep(s, host);
  EXPECT_EQ(s.objects, 1);
  EXPECT_EQ(s.objmass[1], 12.0);
  for (double v : {s.objx[1], s.objvx[1], s.objvy[1], s.objvz[1], s.objsize[1]}) {
    EXPECT_TRUE(std::isfinite(v));
  }
}

TEST_F(SimulationTest, DriftIncludesTheFloatingBody) {
  s.objvx[0] = 2;
  Drift(s);
  EXPECT_EQ(s.objx[0], 2.0);
  AddBody(1, 0, 0, 0, 0, 4, 0);
  SimulationStep(s, host);  // one body: no pull, drift only
  EXPECT_EQ(s.objx[0], 4.0);
  EXPECT_EQ(s.objy[1], 4.0);
  EXPECT_EQ(s.objvy[1], 4.0);
}

TEST_F(SimulationTest, NativeLoopIsCalledAndItsPairsMerged) {
  static State* seen = nullptr;
  seen = &s;
  s.UseNativeForceLoop = true;
  s.nativeRunLoop = [](int32_t n, double* mass, double*, double*, double*, double*, double*, double*, double*,
                       int32_t* hi, int32_t* lo) -> int32_t {
    EXPECT_EQ(n, 2);
    EXPECT_EQ(mass, seen->objmass.data());
    hi[1] = 2;
    lo[1] = 1;
    return 1;
  };
  AddBody(1, 0, 0, 0, 0, 0, 0);
  AddBody(2, 5, 0, 0, 0, 0, 0);
  SimulationStep(s, host);
  EXPECT_EQ(s.objects, 1);
  EXPECT_EQ(s.objmass[1], 3.0);
  EXPECT_EQ(s.objx[1], 5.0);  // the heavier one; no extra drift by the engine

  // Flag set but nothing bound: the built-in loop and drift run instead.
  s.nativeRunLoop = nullptr;
  s.objvx[1] = 1;
  SimulationStep(s, host);
  EXPECT_EQ(s.objx[1], 6.0);
}

TEST_F(SimulationTest, ClockRunsForwardAndBackward) {
  s.timescale = 2.5;
  s.SecondsElapsed = 100;
  SimulationStep(s, host);
  EXPECT_EQ(s.SecondsElapsed, 102.5);
  s.TimeForward = false;
  SimulationStep(s, host);
  SimulationStep(s, host);
  EXPECT_EQ(s.SecondsElapsed, 97.5);
}

// A clock that would overflow stays and pauses the run before anything
// moves or is saved, whichever way time runs and however the step got that
// large.
TEST_F(SimulationTest, TheClockStaysFiniteAndTheRunPauses) {
  for (double sign : {1.0, -1.0}) {
    for (bool doubled : {false, true}) {
      s = State{};
      host.pauses.clear();
      host.autoSaveTimes.clear();
      s.TimeForward = sign > 0;
      s.timescale = doubled ? 1 : 1e308;
      s.autoSave = {true, 0, 0, 10, -1.5e308, false};
      for (int k = 0; doubled && k < 1100; ++k) MultiplyTimeStep(s, host, 2.0);
      AddBody(0, 0, 0, 0, 1, 0, 0);
      for (int k = 0; k < 3; ++k) SimulationStep(s, host);
      EXPECT_EQ(s.SecondsElapsed, sign * s.timescale);
      EXPECT_TRUE(s.PausedFlag);
      EXPECT_EQ(host.pauses.size(), 2u);
      EXPECT_EQ(s.objx[1], 1);  // moved by the first step only
      EXPECT_EQ(host.autoSaveTimes.size(), 1u);
    }
  }
}

TEST_F(SimulationTest, SpectrumSamplesWhenDue) {
  AddBody(0, 0, 0, 0, 30, 0, 0);
  AddBody(0, 1e9, 0, 0, 0, 40, 0);
  s.timescale = 2;
  s.spectrumloaded = true;
  s.spectrumSettings = {1, 2, 30000, 4, 5.0f};
  SimulationStep(s, host);
  ASSERT_EQ(host.spectrum.size(), 1u);
  EXPECT_EQ(host.spectrum[0].first, 0);
  EXPECT_EQ(host.spectrum[0].second, std::fabs((50.0 / 2 - 5.0) / 4));
  EXPECT_EQ(s.spectrumSample.x, 1);
  // 30000 days is beyond 32 bits of seconds.
  EXPECT_EQ(s.spectrumSample.nextTime, 2592000000.0 + 2);
  SimulationStep(s, host);
  EXPECT_EQ(host.spectrum.size(), 1u);

  s.SecondsElapsed = 3e9;
  s.spectrumSample.x = 32767;
  SimulationStep(s, host);
  ASSERT_EQ(host.spectrum.size(), 2u);
  EXPECT_EQ(s.spectrumSample.x, 32767);
}

TEST_F(SimulationTest, SpectrumPlotsNothingForZeroAmplitudeOrMissingBody) {
  AddBody(0, 0, 0, 0, 30, 0, 0);
  s.spectrumloaded = true;
  s.spectrumSettings = {1, 2, 1, 4, 0};  // body 2 does not exist
  SimulationStep(s, host);
  s.spectrumSettings = {1, 1, 1, 0, 0};  // amplitude 0
  s.SecondsElapsed = 1e6;
  SimulationStep(s, host);
  EXPECT_TRUE(host.spectrum.empty());
  EXPECT_EQ(s.spectrumSample.x, 0);
}

TEST_F(SimulationTest, AutoSaveAndAutopilotRunAtTheirSteps) {
  s.timescale = 4;
  s.autoSave.enabled = true;
  s.autoSave.maxSaves = 2;
  s.autoSave.interval = 10;
  s.autopilotState.armed = true;
  s.autopilotState.nextTime = 8;
  for (int k = 0; k < 6; ++k) SimulationStep(s, host);
  EXPECT_EQ(host.autoSaveTimes, (std::vector<double>{4, 16}));
  EXPECT_EQ(s.autoSave.savesMade, 2);
  EXPECT_EQ(s.autoSave.nextTime, 26.0);
  EXPECT_EQ(host.autopilotTimes, (std::vector<double>{8, 12, 16, 20, 24}));

  // Backward in time, the autopilot waits until the clock reaches it again.
  host.autopilotTimes.clear();
  s.autopilotState.nextTime = 100;
  s.TimeForward = false;
  SimulationStep(s, host);
  EXPECT_TRUE(host.autopilotTimes.empty());
}

TEST_F(SimulationTest, BackwardClockWaitsForSpectrumAndAutoSave) {
  AddBody(0, 0, 0, 0, 3, 0, 0);
  AddBody(0, 1e9, 0, 0, 0, 0, 0);
  s.timescale = 10;
  s.TimeForward = false;
  s.SecondsElapsed = 100;
  s.spectrumloaded = true;
  s.spectrumSettings = {1, 2, 1, 1, 0};
  s.spectrumSample.nextTime = 60;
  s.autoSave.enabled = true;
  s.autoSave.maxSaves = 5;
  s.autoSave.interval = 1;
  s.autoSave.nextTime = 60;
  s.autopilotState.armed = true;
  s.autopilotState.nextTime = 70;
  // Clock 90, 80, 70, 60: the spectrum and the save fall due at 90 and then
  // wait for the clock to pass their new times again; the autopilot runs
  // while the clock is at or beyond its time.
  for (int k = 0; k < 4; ++k) SimulationStep(s, host);
  EXPECT_EQ(host.spectrum.size(), 1u);
  EXPECT_EQ(s.spectrumSample.nextTime, 86400.0 + 90);
  EXPECT_EQ(host.autoSaveTimes, std::vector<double>{90});
  EXPECT_EQ(s.autoSave.nextTime, 91.0);
  EXPECT_EQ(host.autopilotTimes, (std::vector<double>{90, 80, 70}));
  EXPECT_EQ(s.SecondsElapsed, 60.0);
}

TEST_F(SimulationTest, QueuedHalvingAndDoublingAfterTheStep) {
  s.timescale = 8;
  AddBody(64, 0, 0, 0, 16, 0, 0);
  s.TimeStepHalveRequest = true;
  SimulationStep(s, host);
  EXPECT_EQ(s.SecondsElapsed, 8.0);  // the step in flight keeps its step
  EXPECT_EQ(s.timescale, 4.0);
  EXPECT_EQ(s.objvx[1], 8.0);
  EXPECT_FALSE(s.TimeStepHalveRequest);

  s.TimeStepHalveRequest = true;
  s.TimeStepDoubleRequest = true;
  SimulationStep(s, host);
  EXPECT_EQ(s.timescale, 4.0);
  EXPECT_EQ(s.objvx[1], 8.0);
  EXPECT_EQ(s.objmass[1], 16.0);
  EXPECT_FALSE(s.TimeStepHalveRequest);
  EXPECT_FALSE(s.TimeStepDoubleRequest);
}

TEST_F(SimulationTest, SliceYieldsAfterThe51stStep) {
  s.refbox2loaded = true;
  SliceCounter c;
  ASSERT_TRUE(BeginTimerEvent(s, host, c));
  EXPECT_EQ(host.boxes, std::vector<int>{2});
  EXPECT_FALSE(BeginTimerEvent(s, host, c));  // a second tick starts no loop
  EXPECT_EQ(RunSlice(s, host, c), SliceResult::Yielded);
  EXPECT_EQ(host.plots, 51);
  EXPECT_EQ(RunSlice(s, host, c), SliceResult::Yielded);
  EXPECT_EQ(host.plots, 102);

  // A pause at the yield point: the next slice runs no step.
  s.PausedFlag = true;
  EXPECT_EQ(RunSlice(s, host, c), SliceResult::Paused);
  EXPECT_EQ(host.plots, 102);
  EXPECT_FALSE(s.loopRunning);
  EXPECT_EQ(RunSlice(s, host, c), SliceResult::Paused);  // no loop begun
  EXPECT_EQ(host.plots, 102);
}

TEST_F(SimulationTest, PauseEndsTheLoopAtTheEndOfTheStep) {
  SliceCounter c;
  host.pauseAtPlot = 50;  // within the first 50 steps: never yields
  host.doubleWithPause = true;
  ASSERT_TRUE(BeginTimerEvent(s, host, c));
  EXPECT_EQ(RunSlice(s, host, c), SliceResult::Paused);
  EXPECT_EQ(host.plots, 50);
  EXPECT_EQ(s.SecondsElapsed, 50.0);  // the paused step finished its clock
  EXPECT_EQ(s.timescale, 2.0);        // and its queued doubling

  // Play again: a new timer event begins with a fresh counter.
  s.PausedFlag = false;
  host.pauseAtPlot = 50 + 52;  // the 52nd step of this event
  ASSERT_TRUE(BeginTimerEvent(s, host, c));
  EXPECT_EQ(RunSlice(s, host, c), SliceResult::Yielded);
  EXPECT_EQ(host.plots, 101);
  EXPECT_EQ(RunSlice(s, host, c), SliceResult::Paused);
  EXPECT_EQ(host.plots, 102);
}

}  // namespace
}  // namespace molvane

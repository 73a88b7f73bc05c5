// The autopilot driven by the simulation loop: which entry runs at which step.
#include <gtest/gtest.h>

#include <algorithm>

#include "autopilot/autopilot.h"
#include "engine/simulation.h"
#include "tests/autopilot/autopilot_test_support.h"

namespace molvane {
namespace {

using testing::LoopHost;
using testing::NewState;
using testing::PutBody;
using testing::RecordingHost;
using testing::Word;

class AutopilotClockTest : public ::testing::Test {
 protected:
  void SetUp() override {
    s->timescale = 10;
    // Massless bodies: the loop moves them but nothing attracts.
    PutBody(*s, 1, "A", 0, {0, 0, 0}, {0, 0, 0});
    PutBody(*s, 2, "B", 0, {1000, 0, 0}, {0, 0, 0});
  }
  void Add(double t, const std::string& line) { InsertAutopilotCommand(*s, host, line, t, ""); }
  // Steps the loop n times; returns the clock values at which a command ran.
  std::vector<double> Steps(int n) {
    const size_t before = engine.runs.size();
    for (int i = 0; i < n; ++i) SimulationStep(*s, engine);
    std::vector<double> at;
    for (size_t k = before; k < engine.runs.size(); ++k) at.push_back(engine.runs[k].clock);
    return at;
  }
  std::vector<int> Cursors() const {
    std::vector<int> c;
    for (const auto& r : engine.runs) c.push_back(r.cursor);
    return c;
  }

  std::unique_ptr<State> s = NewState();
  RecordingHost host;
  LoopHost engine{*s, host};
};

TEST_F(AutopilotClockTest, EntriesRunOnePerStepWhenDue) {
  Add(25, Word("Clear Screen"));
  Add(25, Word("Zoom 2x"));
  Add(40, Word("Zoom .5x"));
  Add(100, Word("Pause"));
  Add(500, Word("Zoom 2x"));
  s->SecondsElapsed = 0;
  ArmAutopilot(*s);

  // Both entries of time 25 run, in consecutive steps, then the 40 one.
  EXPECT_EQ(Steps(2), std::vector<double>{});
  EXPECT_EQ(Steps(3), (std::vector<double>{30, 40, 50}));
  EXPECT_EQ(Cursors(), (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(Steps(5), (std::vector<double>{100}));

  // Cutting the list short (as New does) while entry 5 is pending: it
  // never runs, and the autopilot is disarmed.
  s->autopilotCount = 4;
  EXPECT_EQ(Steps(60), std::vector<double>{500});
  EXPECT_EQ(std::count(host.calls.begin(), host.calls.end(), "zoomIn"), 1);
  EXPECT_FALSE(s->autopilotState.armed);
  EXPECT_EQ(Steps(10), std::vector<double>{});
}

TEST_F(AutopilotClockTest, ReversedTimeRunsOnlyWhileTheClockIsAtOrPastTheEntry) {
  for (int k = 0; k < 3; ++k) Add(100, Word("Clear Screen"));
  Add(300, Word("Clear Screen"));
  s->timescale = 50;
  ArmAutopilot(*s);

  EXPECT_EQ(Steps(2), (std::vector<double>{100}));  // clock 50, 100
  s->TimeForward = false;
  EXPECT_EQ(Steps(3), std::vector<double>{});  // clock 50, 0, -50
  s->TimeForward = true;
  EXPECT_EQ(Steps(5), (std::vector<double>{100, 150}));  // 0 .. 200
  s->TimeForward = false;
  // Already past the pending entry while time runs back: it is due.
  s->SecondsElapsed = 400;
  EXPECT_EQ(Steps(1), (std::vector<double>{350}));
  EXPECT_FALSE(s->autopilotState.armed);
}

TEST_F(AutopilotClockTest, FailingCommandIsRetriedEachStepUntilItRuns) {
  // Prograde of A about B needs a relative velocity; at first there is none.
  AutopilotFields f;
  f.word = "Orient Prograde";
  f.object = "A";
  f.reference = "B";
  Add(20, ComposeAutopilotLine(testing::kDate, f, 12000, 9000));
  Add(30, Word("Clear Screen"));
  ArmAutopilot(*s);

  EXPECT_EQ(Steps(4), (std::vector<double>{20, 30, 40}));
  EXPECT_EQ(Cursors(), (std::vector<int>{1, 1, 1}));
  for (const auto& r : engine.runs) EXPECT_EQ(r.result, AutopilotRun::Failed);
  EXPECT_EQ(s->objdirx[1], 0);

  s->objvx[1] = 5;  // A starts to move along +x
  EXPECT_EQ(Steps(2), (std::vector<double>{50, 60}));
  EXPECT_EQ(engine.runs[3].result, AutopilotRun::Done);
  EXPECT_FLOAT_EQ(s->objdirx[1], 10);
  EXPECT_EQ(engine.runs[4].cursor, 2);
  EXPECT_FALSE(s->autopilotState.armed);
}

}  // namespace
}  // namespace molvane

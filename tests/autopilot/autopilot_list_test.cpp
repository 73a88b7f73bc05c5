#include <gtest/gtest.h>

#include "autopilot/autopilot.h"
#include "tests/autopilot/autopilot_test_support.h"
#include "tests/support/nullhosts.h"

namespace molvane {
namespace {

using testing::NewState;
using testing::RecordingHost;

// A line whose only readable part is its tag, placed at time t.
int Put(State& s, AutopilotHost& h, double t, const std::string& tag) {
  return InsertAutopilotCommand(s, h, tag, t, "note " + tag);
}

std::string Order(const State& s) {
  std::string out;
  for (int i = 1; i <= s.autopilotCount; ++i) out += s.autopilot[i].line;
  return out;
}

TEST(AutopilotList, InsertsInTimeOrderAfterEqualTimes) {
  auto s = NewState();
  RecordingHost h;
  // Stale slots from an earlier list do not matter.
  s->autopilot[1] = {"stale", 1, ""};
  s->autopilot[2] = {"stale", 2, ""};
  EXPECT_EQ(Put(*s, h, 50, "a"), 1);
  EXPECT_EQ(Put(*s, h, 80, "b"), 2);
  EXPECT_EQ(Put(*s, h, 50, "c"), 2);  // after the earlier entry of equal time
  EXPECT_EQ(Put(*s, h, 10, "d"), 1);  // earlier than all
  EXPECT_EQ(Put(*s, h, 80, "e"), 5);
  EXPECT_EQ(Order(*s), "dacbe");
  EXPECT_EQ(s->autopilot[3].note, "note c");

  // Add takes the time from the date field.
  const std::string line = "01 01 0        00 01 40 Pause";
  EXPECT_EQ(AddAutopilotCommand(*s, h, line, ""), 6);
  EXPECT_EQ(s->autopilot[6].time, 100);
}

TEST(AutopilotList, RemoveReplaceAndFind) {
  auto s = NewState();
  RecordingHost h;
  for (const char* t : {"a", "b", "c"}) Put(*s, h, 10.0 * (t[0] - 'a' + 1), t);
  Put(*s, h, 20, "b");  // identical line: Find gives the first

  EXPECT_EQ(FindAutopilotCommand(*s, "b"), 2);
  EXPECT_EQ(FindAutopilotCommand(*s, "zz"), 0);

  RemoveAutopilotCommand(*s, 0);
  RemoveAutopilotCommand(*s, 5);
  EXPECT_EQ(Order(*s), "abbc");
  EXPECT_EQ(ReplaceAutopilotCommand(*s, h, 9, "x", ""), 0);
  EXPECT_EQ(Order(*s), "abbc");

  RemoveAutopilotCommand(*s, 2);
  EXPECT_EQ(Order(*s), "abc");
  EXPECT_EQ(s->autopilot[4].line, "");  // the freed slot is blanked
  EXPECT_EQ(s->autopilot[4].time, 0);

  // Replace with a later time moves the entry.
  const std::string later = "01 01 0        00 01 40 Pause";
  EXPECT_EQ(ReplaceAutopilotCommand(*s, h, 1, later, "moved"), 3);
  EXPECT_EQ(s->autopilot[1].line, "b");
  EXPECT_EQ(s->autopilot[3].line, later);
}

TEST(AutopilotList, NeverHoldsMoreThanAThousand) {
  auto s = NewState();
  RecordingHost h;
  for (int i = 1; i <= MaxAutopilot; ++i) ASSERT_EQ(Put(*s, h, i, "l"), i);
  EXPECT_TRUE(h.messages.empty());
  EXPECT_EQ(Put(*s, h, 0.5, "over"), 0);
  EXPECT_EQ(s->autopilotCount, MaxAutopilot);
  EXPECT_EQ(s->autopilot[1].time, 1);
  ASSERT_EQ(h.messages.size(), 1u);
  // Replacing in a full list still works: one out, one in.
  EXPECT_EQ(ReplaceAutopilotCommand(*s, h, 1, "01 01 0        00 00 00 Pause", ""), 1);
  EXPECT_EQ(s->autopilotCount, MaxAutopilot);
}

TEST(AutopilotList, EditorAddComposesAndCountsProbes) {
  auto s = NewState();
  RecordingHost h;
  AutopilotFields f;
  f.word = "Release Probe";
  f.object = "Earth";
  const std::string date = "01 01 0        00 00 50";
  EXPECT_EQ(AddAutopilotEntry(*s, h, date, f, "first"), 1);
  EXPECT_EQ(s->ProbeCounter, 1);
  EXPECT_EQ(s->autopilot[1].time, 50);
  EXPECT_EQ(s->autopilot[1].line, ComposeAutopilotLine(date, f, 12000, 9000));
  EXPECT_EQ(ReplaceAutopilotEntry(*s, h, 1, date, f, "again"), 1);
  EXPECT_EQ(s->ProbeCounter, 2);
  EXPECT_EQ(ReplaceAutopilotEntry(*s, h, 2, date, f, "none"), 0);  // no entry 2
  EXPECT_EQ(s->ProbeCounter, 2);
  f.word = "Pause";
  AddAutopilotEntry(*s, h, date, f, "");
  EXPECT_EQ(s->ProbeCounter, 2);
  EXPECT_EQ(s->autopilotCount, 2);
}

TEST(AutopilotArm, PointsAtThePendingEntryWithinTheCount) {
  auto s = NewState();
  RecordingHost h;
  AutopilotState& a = s->autopilotState;

  // Empty list, disarmed: stays disarmed; a stale slot above the count is
  // never taken for an entry.
  s->autopilot[1] = {"old", 500, ""};
  ArmAutopilot(*s);
  EXPECT_FALSE(a.armed);
  EXPECT_EQ(a.nextTime, 0);
  EXPECT_EQ(a.nextLine, "");

  Put(*s, h, 100, "p1");
  Put(*s, h, 200, "p2");
  Put(*s, h, 300, "p3");
  s->autopilot[4] = {"old", 400, ""};  // stale, above the count
  s->SecondsElapsed = 150;
  ArmAutopilot(*s);
  EXPECT_TRUE(a.armed);
  EXPECT_EQ(a.cursor, 2);
  EXPECT_EQ(a.nextTime, 200);
  EXPECT_EQ(a.nextLine, "p2");

  s->SecondsElapsed = 200;  // not before the clock
  ArmAutopilot(*s);
  EXPECT_EQ(a.cursor, 2);

  // Everything in the past: nothing pending, the stale slot 4 is not used;
  // armed keeps its value and the next run only disarms.
  s->SecondsElapsed = 350;
  ArmAutopilot(*s);
  EXPECT_EQ(a.cursor, 4);
  EXPECT_EQ(a.nextTime, 0);
  EXPECT_EQ(a.nextLine, "");
  EXPECT_TRUE(a.armed);
  NullEngineHost engine;
  h.calls.clear();
  s->screenscaleloaded = true;
  EXPECT_EQ(RunAutopilotCommand(*s, h, engine), AutopilotRun::Done);
  EXPECT_FALSE(a.armed);
  EXPECT_EQ(h.calls, (std::vector<std::string>{"reset", "scale"}));  // the usual ending

  // An entry with time 0 would end the list in silence: it is armed, and
  // its run pauses with why and goes on with the next entry.
  s->SecondsElapsed = 50;
  s->autopilot[1].time = 0;
  ArmAutopilot(*s);
  EXPECT_EQ(a.cursor, 1);
  EXPECT_TRUE(a.armed);
  testing::LoopHost loop(*s, h);
  EXPECT_EQ(RunAutopilotCommand(*s, h, loop), AutopilotRun::Refused);
  ASSERT_EQ(loop.pauses.size(), 1u);
  EXPECT_NE(loop.pauses[0].find("Execution Time"), std::string::npos);
  EXPECT_EQ(a.cursor, 2);
  a.armed = false;
  ArmAutopilotAfterLoad(*s);  // a load arms in every case
  EXPECT_TRUE(a.armed);
}

TEST(AutopilotArm, FullListInThePastDisarms) {
  auto s = NewState();
  RecordingHost h;
  for (int i = 1; i <= MaxAutopilot; ++i) Put(*s, h, i, "l");
  s->autopilotState.armed = true;
  s->SecondsElapsed = 5000;
  ArmAutopilot(*s);
  EXPECT_FALSE(s->autopilotState.armed);
  EXPECT_EQ(s->autopilotState.cursor, 1);
  EXPECT_EQ(s->autopilotState.nextTime, 0);

  // The last slot of a full list: after it runs there is nothing further.
  s->SecondsElapsed = 999.5;
  ArmAutopilot(*s);
  EXPECT_EQ(s->autopilotState.cursor, 1000);
  NullEngineHost engine;
  RunAutopilotCommand(*s, h, engine);
  EXPECT_FALSE(s->autopilotState.armed);
  EXPECT_EQ(s->autopilotState.nextLine, "");
}

}  // namespace
}  // namespace molvane

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

#include "autopilot/autopilot.h"
#include "engine/orbits.h"
#include "tests/autopilot/autopilot_test_support.h"

namespace molvane {
namespace {

using testing::kDate;
using testing::NewState;
using testing::Pad;
using testing::PutBody;
using testing::RecordingHost;
using testing::Word;

constexpr double kTs = 60;  // seconds per step in these tests

// Sun at the origin, Earth 1.5e11 m along +x moving along +y, Mars along +y.
std::unique_ptr<State> SolarState() {
  auto s = NewState();
  s->timescale = kTs;
  s->objname[0] = "Floating";
  PutBody(*s, 1, "Sun", 332946, {0, 0, 0}, {0, 0, 0}, 1.39e9);
  PutBody(*s, 2, "Earth", 1, {1.5e11, 0, 0}, {0, 30000, 0}, 12742000);
  PutBody(*s, 3, "Mars", 0.107, {0, 2e11, 0}, {-24000, 0, 0}, 6779000);
  s->objref[2] = "Sun";
  s->objrefindex[2] = 1;
  return s;
}

class AutopilotRunTest : public ::testing::Test {
 protected:
  std::unique_ptr<State> s = SolarState();
  RecordingHost host;
  testing::LoopHost engine{*s, host};

  // Runs one line as the pending entry 1 of a one-entry list.
  AutopilotRun Run(const std::string& line) {
    s->autopilotCount = 1;
    s->autopilot[1] = {line, 1, ""};
    s->autopilotState = {1, 1, line, true};
    return RunAutopilotCommand(*s, host, engine);
  }
  std::string Compose(const AutopilotFields& f) {
    return ComposeAutopilotLine(kDate, f, host.mainWindowWidthTwips(), host.mainWindowHeightTwips());
  }
  std::string Orient(const std::string& word, const std::string& body, const std::string& ref) {
    AutopilotFields f;
    f.word = word;
    f.object = body;
    f.reference = ref;
    return Compose(f);
  }
  std::string Custom(const std::string& body, const std::string& az, const std::string& alt) {
    AutopilotFields f;
    f.word = "Orient Custom";
    f.object = body;
    f.azimuth = az;
    f.altitude = alt;
    return Compose(f);
  }
  void ExpectDirection(int k, double x, double y, double z) {
    EXPECT_NEAR(s->objdirx[k], x, 1e-5);
    EXPECT_NEAR(s->objdiry[k], y, 1e-5);
    EXPECT_NEAR(s->objdirz[k], z, 1e-5);
  }
};

TEST_F(AutopilotRunTest, OrientCommandsPointTheThrust) {
  ASSERT_EQ(Run(Orient("Orient Prograde", "Earth", "Sun")), AutopilotRun::Done);
  ExpectDirection(2, 0, kTs, 0);
  Run(Orient("Orient Retrograde", "Earth", "Sun"));
  ExpectDirection(2, 0, -kTs, 0);
  Run(Orient("Orient Toward", "Earth", "Sun"));
  ExpectDirection(2, -kTs, 0, 0);
  Run(Orient("Orient Away", "Earth", "Sun"));
  ExpectDirection(2, kTs, 0, 0);
  Run(Orient("Orient Toward", "Earth", "Mars"));  // (-0.6, 0.8, 0)
  ExpectDirection(2, -0.6 * kTs, 0.8 * kTs, 0);
  Run(Orient("Orient Prograde", "Mars", "Earth"));  // (-24000, -30000) m/s
  const double n = std::hypot(24000.0, 30000.0);
  ExpectDirection(3, -24000 / n * kTs, -30000 / n * kTs, 0);

  Run(Custom("Earth", "0", "0"));
  ExpectDirection(2, -kTs, 0, 0);
  Run(Custom("Earth", "90", "0"));
  ExpectDirection(2, 0, kTs, 0);
  Run(Custom("Earth", "180", "0"));
  ExpectDirection(2, kTs, 0, 0);
  Run(Custom("Earth", "45", "90"));
  ExpectDirection(2, 0, 0, kTs);
  Run(Custom("Earth", "90", "30"));
  ExpectDirection(2, 0, std::cos(GetPi() / 6) * kTs, 0.5 * kTs);

  // Orient, then thrust: the direction stays and thrust is switched on.
  Run(Orient("Orient Toward", "Earth", "Sun"));
  AutopilotFields t;
  t.word = "Thrust";
  t.object = "Earth";
  t.thrustRate = "2.5";
  ASSERT_EQ(Run(Compose(t)), AutopilotRun::Done);
  EXPECT_EQ(s->objthrust[2], 2.5f);
  EXPECT_TRUE(s->objthruston[2]);
  EXPECT_TRUE(s->ThrustActive);
  ExpectDirection(2, -kTs, 0, 0);
}

TEST_F(AutopilotRunTest, OrientWithoutDirectionFailsAndChangesNothing) {
  s->objdirx[2] = 7;
  s->objvx[3] = s->objvx[2];
  s->objvy[3] = s->objvy[2];
  // No relative velocity yet: the entry waits, silently, and is tried again.
  for (const std::string& line :
       {Orient("Orient Prograde", "Earth", "Mars"), Orient("Orient Retrograde", "Mars", "Earth")}) {
    EXPECT_EQ(Run(line), AutopilotRun::Failed) << line;
    EXPECT_EQ(s->autopilotState.cursor, 1);  // still pending
    EXPECT_TRUE(s->autopilotState.armed);
    ExpectDirection(2, 7, 0, 0);
  }
  EXPECT_TRUE(engine.pauses.empty());
  // A body named as its own reference never has a direction, and an unknown
  // body has nothing to aim: the run pauses once with why, and the list goes
  // on. An unknown reference is the free slot, at rest at the origin
  // whatever it still holds.
  for (auto [line, why] : {std::pair{Orient("Orient Toward", "Earth", "Earth"), "Reference Object must be a body"},
                           std::pair{Orient("Orient Away", "Earth", "Earth"), "Reference Object must be a body"},
                           std::pair{Orient("Orient Toward", "Pluto", "Sun"), "Object names no body"}}) {
    const size_t pauses = engine.pauses.size();
    EXPECT_EQ(Run(line), AutopilotRun::Refused) << line;
    EXPECT_FALSE(s->autopilotState.armed);  // moved past the only entry
    ExpectDirection(2, 7, 0, 0);
    ASSERT_EQ(engine.pauses.size(), pauses + 1);
    EXPECT_NE(engine.pauses.back().find(") cannot run: " + std::string(why)), std::string::npos)
        << engine.pauses.back();
  }
  s->objx[4] = 5e11;
  EXPECT_EQ(Run(Orient("Orient Toward", "Earth", "Pluto")), AutopilotRun::Done);
  ExpectDirection(2, -kTs, 0, 0);
}

TEST_F(AutopilotRunTest, ThrustOnUnknownNameTouchesNoSlot) {
  const auto thrust = s->objthrust;
  const auto on = s->objthruston;
  AutopilotFields t;
  t.word = "Thrust";
  t.object = "Pluto";
  t.thrustRate = "3";
  EXPECT_EQ(Run(Compose(t)), AutopilotRun::Refused);
  EXPECT_EQ(s->objthrust, thrust);
  EXPECT_EQ(s->objthruston, on);
  EXPECT_FALSE(s->ThrustActive);
  EXPECT_FALSE(s->autopilotState.armed);  // moved past the only entry

  // Cut off one of two thrusting bodies: thrust stays active.
  s->objthruston[1] = s->objthruston[2] = true;
  s->ThrustActive = true;
  t.object = "Earth";
  t.thrustInitiate = false;
  Run(Compose(t));
  EXPECT_FALSE(s->objthruston[2]);
  EXPECT_TRUE(s->ThrustActive);
  t.object = "Sun";
  Run(Compose(t));
  EXPECT_FALSE(s->ThrustActive);
  // A cut-off naming no body cannot run: it switches nothing.
  s->objthruston[2] = true;
  s->ThrustActive = true;
  t.object = "Pluto";
  EXPECT_EQ(Run(Compose(t)), AutopilotRun::Refused);
  EXPECT_TRUE(s->ThrustActive && s->objthruston[2]);
  s->objthruston[2] = s->ThrustActive = false;

  // A name that begins another body's name picks the body of the whole
  // name; of equal names the first.
  PutBody(*s, 4, "Probe 1", 0, {0, 0, 0}, {0, 0, 0});
  PutBody(*s, 5, "Probe 10", 0, {0, 0, 0}, {0, 0, 0});
  PutBody(*s, 6, "Probe 10", 0, {0, 0, 0}, {0, 0, 0});
  t.object = "Probe 10";
  t.thrustInitiate = true;
  Run(Compose(t));
  EXPECT_FALSE(s->objthruston[4]);
  EXPECT_TRUE(s->objthruston[5]);
  EXPECT_FALSE(s->objthruston[6]);
  // A long name is found whole; where it runs into the rate, no line is read.
  PutBody(*s, 7, "International Space Station", 0, {0, 0, 0}, {0, 0, 0});
  t.object = s->objname[7];
  Run(Compose(t));
  EXPECT_FALSE(s->objthruston[7]);
  s->objthruston[7] = true;
  t.thrustInitiate = false;
  Run(Compose(t));
  EXPECT_FALSE(s->objthruston[7]);
}

TEST_F(AutopilotRunTest, ReleasedProbeIsAWholeBody) {
  AutopilotFields f;
  f.word = "Release Probe";
  f.object = "Earth";
  f.probeName = "Probe 1";
  f.probeColour = 123456;
  f.probeMass = 1000 * ProbeMassFactorKg;
  f.deductMass = true;
  f.azimuth = "90";
  f.altitude = "0";
  f.probeSize = "2";
  s->objthrust[4] = 9;  // stale values of the free slot
  s->objthruston[4] = true;
  const double parentMass = s->objmass[2];
  ASSERT_EQ(Run(Compose(f)), AutopilotRun::Done);

  ASSERT_EQ(s->objects, 4);
  const double m = s->objmass[4];
  EXPECT_NEAR(m / kTs / kTs, 1000 / 5.9736e24, 1e-33);
  EXPECT_DOUBLE_EQ(s->objmass[2], parentMass - m);
  EXPECT_EQ(s->objname[4], "Probe 1");
  EXPECT_EQ(s->objcolor[4], 123456);
  EXPECT_EQ(s->objcolor2[4], 0xFFFFFF);
  EXPECT_EQ(s->objsize[4], 2);
  // It starts on Earth's surface along +y ...
  const double d = (12742000 + 2) / 2.0;
  EXPECT_DOUBLE_EQ(s->objx[4], 1.5e11);
  EXPECT_DOUBLE_EQ(s->objy[4], d);
  EXPECT_DOUBLE_EQ(s->objz[4], 0);
  // ... at 1.1 times the escape speed from Earth's mass at that distance.
  const double speed = 1.1 * std::sqrt(2 * 3.9860044e14 / d);
  EXPECT_NEAR(speed, 12304.7, 0.1);
  EXPECT_DOUBLE_EQ(s->objvx[4], 0);
  EXPECT_NEAR(s->objvy[4], (30000 + speed) * kTs, 1e-6);
  EXPECT_DOUBLE_EQ(s->objvz[4], 0);
  ExpectDirection(4, 0, kTs, 0);
  EXPECT_EQ(s->objref[4], "Sun");
  EXPECT_EQ(s->objrefindex[4], 1);
  EXPECT_EQ(s->objthrust[4], 0);
  EXPECT_FALSE(s->objthruston[4]);
  EXPECT_EQ(engine.labelRebuilds, 1);
  EXPECT_EQ(engine.listRefreshes, 1);

  // A blank name gives "x"; a probe heavier than its parent takes it all.
  f.probeName = "";
  f.probeMass = 5;
  f.object = "Mars";
  f.probeSize = "0";
  ASSERT_EQ(Run(Compose(f)), AutopilotRun::Done);
  EXPECT_EQ(s->objname[5], "x");
  EXPECT_DOUBLE_EQ(s->objmass[5], 0.107 * kTs * kTs);
  EXPECT_EQ(s->objmass[3], 0);
}

TEST_F(AutopilotRunTest, FailingReleaseAddsNothingOnRetry) {
  AutopilotFields f;
  f.word = "Release Probe";
  f.object = "Earth";
  f.probeName = "Lost";
  f.probeMass = 0.5;
  f.deductMass = true;
  f.probeSize = "-20000000";  // no distance to escape from
  const std::string line = Compose(f);
  const double parentMass = s->objmass[2];
  for (int step = 0; step < 3; ++step) {
    EXPECT_EQ(Run(line), AutopilotRun::Refused);
    EXPECT_EQ(s->objects, 3);
    EXPECT_EQ(s->objmass[2], parentMass);
    EXPECT_EQ(s->objname[4], "");
  }
  // An unknown parent, a negative mass, a name that runs into the colour or
  // a full body table: refused with a message, the list goes on.
  f.probeSize = "1";
  for (auto [parent, mass, name] : {std::tuple{"Pluto", 0.5, "Lost"}, std::tuple{"Earth", -0.5, "Lost"},
                                    std::tuple{"Earth", 0.5, "A probe name too long"}}) {
    f.object = parent;
    f.probeMass = mass;
    f.probeName = name;
    EXPECT_EQ(Run(Compose(f)), AutopilotRun::Refused);
    EXPECT_EQ(s->objects, 3);
    EXPECT_EQ(s->objmass[2], parentMass);
  }
  s->objects = MaxBodies;
  f.object = "Earth";
  EXPECT_EQ(Run(Compose(f)), AutopilotRun::Refused);
  EXPECT_EQ(s->objects, MaxBodies);
}

TEST_F(AutopilotRunTest, TimeScaleZoomAndChecksBeforeChanges) {
  AutopilotFields f;
  f.word = "Time Scale";
  f.timeScaleValue = "2";
  f.timeScaleUnit = TimeScaleUnit::Minutes;
  const double vy = s->objvy[2];
  ASSERT_EQ(Run(Compose(f)), AutopilotRun::Done);
  EXPECT_DOUBLE_EQ(s->timescale, 120);
  EXPECT_DOUBLE_EQ(s->objvy[2], 2 * vy);
  f.timeScaleValue = "0";
  EXPECT_EQ(Run(Compose(f)), AutopilotRun::Refused);
  EXPECT_DOUBLE_EQ(s->timescale, 120);
  f.timeScaleValue = "30";
  f.timeScaleUnit = TimeScaleUnit::Seconds;
  ASSERT_EQ(Run(Compose(f)), AutopilotRun::Done);
  EXPECT_DOUBLE_EQ(s->timescale, 30);
  EXPECT_DOUBLE_EQ(s->objvy[2], vy / 2);
  f.timeScaleValue = "1 2";  // blanks inside a number are skipped
  ASSERT_EQ(Run(Compose(f)), AutopilotRun::Done);
  EXPECT_DOUBLE_EQ(s->timescale, 12);
  f.timeScaleValue = "30";
  ASSERT_EQ(Run(Compose(f)), AutopilotRun::Done);

  const double scale = s->ScalePixel;
  EXPECT_EQ(Run(Word("Zoom") + "0AU"), AutopilotRun::Refused);
  EXPECT_EQ(s->ScalePixel, scale);
  ASSERT_EQ(Run(Word("Zoom") + "2LY"), AutopilotRun::Done);
  EXPECT_DOUBLE_EQ(s->ScalePixel, 800 / 2.0 / 9.3851136e15);
  EXPECT_NEAR(host.visibleWidthKm, 2 * 9.3851136e12, 1e-2);

  host.calls.clear();
  s->screenscaleloaded = true;
  Run(Word("Zoom 2x"));
  Run(Word("Zoom .5x") + "  ");
  EXPECT_EQ(host.calls, (std::vector<std::string>{"zoomIn", "reset", "scale", "zoomOut", "reset", "scale"}));
}

TEST_F(AutopilotRunTest, GraphicsFocusAndRotatingFrame) {
  s->llabels = true;
  s->ExaggerateObjectSizeOn = true;
  ASSERT_EQ(Run(Word("Graphics") + std::string(10, ' ')), AutopilotRun::Done);
  EXPECT_FALSE(s->trails || s->pplot || s->ExaggerateObjectSizeOn || s->llabels);
  EXPECT_FALSE(host.labelsShown);
  Run(Word("Graphics") + "Labels Plot  " + std::string(10, ' '));
  EXPECT_TRUE(s->llabels && s->pplot && host.labelsShown);

  AutopilotFields f;
  f.word = "Focus";
  f.perspective = "Floating";
  f.object = "Earth";
  f.offsetX = "0";
  f.offsetY = "0";
  f.offsetUnit = "AU";
  const auto floating = std::array{s->objx[0], s->objy[0]};
  ASSERT_EQ(Run(Compose(f)), AutopilotRun::Done);
  EXPECT_EQ(s->focusobj, 2);
  EXPECT_FALSE(s->anchor);
  EXPECT_DOUBLE_EQ(s->OffsetX, 1.5e11 * s->ScalePixel);
  EXPECT_EQ((std::array{s->objx[0], s->objy[0]}), floating);

  f.perspective = "Absolute";
  f.offsetX = "1";
  f.offsetY = "2";
  ASSERT_EQ(Run(Compose(f)), AutopilotRun::Done);
  EXPECT_TRUE(s->anchor);
  EXPECT_EQ(s->focusobj, 0);
  EXPECT_EQ(host.focusIndex, 0);
  EXPECT_NEAR(s->objx[0], 1.5e11 - s->AstronomicalUnit, 1);
  EXPECT_NEAR(s->objy[0], 2 * s->AstronomicalUnit, 1);
  EXPECT_EQ(s->objvy[0], s->objvy[2]);

  f.object = "Pluto";  // no such body: the focus stays
  EXPECT_EQ(Run(Compose(f)), AutopilotRun::Refused);
  EXPECT_EQ(s->focusobj, 0);

  ASSERT_EQ(Run(Pad(Word("Rotating Frame") + "86400", 64) + "False"), AutopilotRun::Done);
  EXPECT_TRUE(s->RotatingFrame.on);
  EXPECT_EQ(s->RotatingFrame.period, 86400);
  EXPECT_FALSE(s->RotatingFrame.clockwise);
  Run(Pad(Word("Rotating Frame") + "100", 64) + "-1");
  EXPECT_TRUE(s->RotatingFrame.clockwise);
  EXPECT_EQ(Run(Pad(Word("Rotating Frame") + "5", 64) + "maybe"), AutopilotRun::Refused);
  EXPECT_EQ(Run(Pad(Word("Rotating Frame") + "0", 64) + "True"), AutopilotRun::Refused);
  EXPECT_EQ(s->RotatingFrame.period, 100);
}

TEST_F(AutopilotRunTest, CaptionFillsItsSlot) {
  s->captions[1].caption = "kept";
  s->captions[1].width = 50;
  AutopilotFields f;
  f.word = "Caption";
  f.caption.slot = 3;
  f.caption.fontName = "DejaVu Sans";
  f.caption.fontSize = 1200;
  f.caption.foreColor = 65535;
  f.caption.left = 600;
  f.caption.top = 900;
  f.caption.width = 6000;
  f.caption.height = 1800;
  f.caption.italic = true;
  f.caption.text = "Launch";
  ASSERT_EQ(Run(Compose(f)), AutopilotRun::Done);

  const CaptionSlot& c = s->captions[3];
  EXPECT_EQ(c.caption, "Launch");
  EXPECT_EQ(c.fontName, "DejaVu Sans");
  EXPECT_FLOAT_EQ(c.fontSize, 1200);
  EXPECT_EQ(c.foreColor, 65535);
  EXPECT_EQ(c.left, 600);
  EXPECT_EQ(c.top, 900);
  EXPECT_EQ(c.width, 400);  // twips to pixels
  EXPECT_EQ(c.height, 120);
  EXPECT_FLOAT_EQ(c.relFontSize, 1200 / 11760.0f);
  EXPECT_FLOAT_EQ(c.relWidth, 400 / 11760.0f);
  EXPECT_TRUE(c.italic);
  EXPECT_FALSE(c.bold || c.underline || c.strikethru);
  EXPECT_EQ(s->captions[1].width, 50);  // has text: untouched
  EXPECT_EQ(s->captions[2].width, 1);   // empty: collapsed
  EXPECT_EQ(host.captionFront, 3);
  EXPECT_EQ(s->captionDefinition.slot, 3);
  EXPECT_DOUBLE_EQ(s->captionDefinition.fontSize, 0.1);
  EXPECT_EQ(s->captionDefinition.text, "Launch");

  f.caption.slot = 5;
  f.caption.text = "nowhere";
  EXPECT_EQ(Run(Compose(f)), AutopilotRun::Refused);
  EXPECT_EQ(s->captions[3].caption, "Launch");
  EXPECT_EQ(s->captionDefinition.slot, 3);
}

TEST_F(AutopilotRunTest, SaveAndOpenPaths) {
  const std::string longPath = "/home/pilot/" + std::string(150, 'p') + ".molv";
  Run(Word("Save") + longPath);
  ASSERT_EQ(host.saved.size(), 1u);
  EXPECT_EQ(host.saved[0], longPath);

  s->isitname = "/data/tours/inner.molv";
  s->CurrentFolder = "/data/tours/";
  EXPECT_EQ(Run(Word("Open") + "../next/outer.molv"), AutopilotRun::Done);  // not found
  EXPECT_FALSE(s->OpenSucceeded);
  EXPECT_FALSE(s->autopilotState.armed);  // went on past the Open
  Run(Word("Open") + "moons.molv");
  Run(Word("Open") + "/abs/x.molv");
  s->CurrentFolder.clear();
  Run(Word("Save") + "copy.molv");
  s->isitname = "/home/u/.local/share/Molvane/resume.molv";
  s->ResumeFolder = "/data/show/";
  Run(Word("Open") + "part2.molv");
  EXPECT_EQ(host.opened, (std::vector<std::string>{"/data/next/outer.molv", "/data/tours/moons.molv", "/abs/x.molv",
                                                   "/data/show/part2.molv"}));
  EXPECT_EQ(host.saved.back(), "/data/tours/copy.molv");

  // A path above the root names nothing: a message, and the list goes on.
  s->isitname = "/data/a.molv";
  EXPECT_EQ(Run(Word("Open") + "../../x.molv"), AutopilotRun::Done);
  EXPECT_EQ(host.opened.size(), 4u);
  EXPECT_EQ(host.messages, std::vector<std::string>{"../../x.molv not found"});

  // A loaded situation brings its own state: no completion.
  host.openResult = true;
  host.calls.clear();
  EXPECT_EQ(Run(Word("Open") + "part3.molv"), AutopilotRun::Reopened);
  EXPECT_TRUE(s->OpenSucceeded);
  EXPECT_EQ(s->autopilotState.cursor, 1);
  EXPECT_TRUE(host.calls.empty());
}

TEST_F(AutopilotRunTest, UnknownOrShortLinesOnlyComplete) {
  host.calls.clear();
  EXPECT_EQ(Run(kDate + " "), AutopilotRun::Done);
  EXPECT_EQ(Run("Pause"), AutopilotRun::Done);
  EXPECT_EQ(Run(Word("Pausex")), AutopilotRun::Done);
  EXPECT_EQ(host.calls, (std::vector<std::string>{"reset", "reset", "reset"}));
  EXPECT_EQ(Run(Word("Pause")), AutopilotRun::Done);
  EXPECT_EQ(host.calls.back(), "reset");
  EXPECT_EQ(host.calls[host.calls.size() - 2], "pause");
}

}  // namespace
}  // namespace molvane

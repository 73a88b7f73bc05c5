#include "files/keyed.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "oldfiles_host.h"
#include "testutil.h"

namespace molvane {
namespace {

using testing::FakeEngineHost;
using testing::OldFilesHost;
using testing::ReadFile;
using testing::TempFolder;

// Every table the keyed form stores, with texts that would trip a reader
// taking them for keys or splitting them.
void FillKeyedSituation(State& s, int bodies) {
  s.objects = static_cast<int16_t>(bodies);
  for (int k = 1; k <= bodies; ++k) {
    s.objname[k] = "Body " + std::to_string(k);
    s.objref[k] = k == 1 ? "" : "Body 1";
    s.objmass[k] = (k + 3) / 4.0;
    s.objcolor[k] = k * 4099;
    s.objcolor2[k] = ColourWhite;
    s.objsize[k] = 1000.5 + k;
    s.objx[k] = 1.4959787e11 * (k % 13) - 7e10;
    s.objy[k] = -0.25 * k;
    s.objz[k] = k % 2 ? 1e20 : 0;
    s.objvx[k] = 29780.125;
    s.objvy[k] = -0.5 * k;
    s.objvz[k] = k / 1024.0;
    s.objdirx[k] = 0.6f;
    s.objdiry[k] = -0.8f;
    s.objdirz[k] = 0.25f;
  }
  if (bodies >= 3) {
    s.objname[2] = "objects";          // equals a key
    s.objname[3] = "objname    1";     // looks like a body key
    s.objref[3] = "Earth, the third";  // holds a comma
  }
  s.refbox1loaded = true;
  s.refbox1Place = {150, 300, 4500, 2000, 0};
  s.rb1a = 1;
  s.rb1b = 2;
  s.refbox2loaded = false;
  s.refboxorbit1loaded = true;
  s.refboxorbit1Place = {10, 20, 30, 40, 0};
  s.rbo1a = 2;
  s.rbo1b = 1;
  s.formcontrolcenterloaded = true;
  s.controlCenterPlace = {600, 700, 5000, 4000, 0};
  s.cpobject = 2;
  s.cpreference = 1;
  s.fuelused = 1110.5f;
  s.controlCenterText1 = "30";
  s.controlCenterText2 = " 45, east";
  s.ScalePixel = 6.25e-7;
  s.SecondsElapsed = 63113904123.25;
  s.timescale = 30;
  s.OffsetX = -12.5;
  s.OffsetY = 7.75;
  s.focusobj = 2;
  s.menus = false;
  s.llabels = true;
  s.mainWindow.hscroll = 1200;
  s.mainWindow.vscroll = -300;
  s.TimeForward = false;
  s.isitname = "/home/u/a, b.molv";
  for (int w = 0; w < DashboardCount; ++w) s.dashboard[w] = {100.0f * w, 50.0f + w};
  s.pplot = false;
  s.trails = true;
  s.anchor = false;
  s.mainWindow.windowState = 0;
  s.mainWindow.top = 15;
  s.mainWindow.left = 30;
  s.mainWindow.width = 12000;
  s.mainWindow.height = 9000;
  s.captions[1].caption = "apc";  // equals the autopilot key
  s.autopilotCount = 3;
  s.autopilot[1] = {"0000 Pause", 100, "timescale"};
  s.autopilot[2] = {"0001 Zoom, in", 200.5, "two\r\nlines"};
  s.autopilot[3] = {"", 0, ""};
}

void ExpectSameTables(const State& a, const State& b) {
  ASSERT_EQ(a.objects, b.objects);
  for (int k = 1; k <= a.objects; ++k) {
    SCOPED_TRACE(k);
    EXPECT_EQ(a.objname[k], b.objname[k]);
    EXPECT_EQ(a.objref[k], b.objref[k]);
    EXPECT_EQ(a.objmass[k], b.objmass[k]);
    EXPECT_EQ(a.objcolor[k], b.objcolor[k]);
    EXPECT_EQ(a.objcolor2[k], b.objcolor2[k]);
    EXPECT_EQ(a.objsize[k], b.objsize[k]);
    EXPECT_EQ(a.objx[k], b.objx[k]);
    EXPECT_EQ(a.objy[k], b.objy[k]);
    EXPECT_EQ(a.objz[k], b.objz[k]);
    EXPECT_EQ(a.objvx[k], b.objvx[k]);
    EXPECT_EQ(a.objvy[k], b.objvy[k]);
    EXPECT_EQ(a.objvz[k], b.objvz[k]);
    EXPECT_EQ(a.objdirx[k], b.objdirx[k]);
    EXPECT_EQ(a.objdiry[k], b.objdiry[k]);
    EXPECT_EQ(a.objdirz[k], b.objdirz[k]);
  }
  auto samePlace = [](const SingleWindowPlace& p, const SingleWindowPlace& q) {
    return p.left == q.left && p.top == q.top && p.width == q.width && p.height == q.height;
  };
  EXPECT_EQ(a.refbox1loaded, b.refbox1loaded);
  EXPECT_TRUE(samePlace(a.refbox1Place, b.refbox1Place));
  EXPECT_EQ(a.rb1a, b.rb1a);
  EXPECT_EQ(a.rb1b, b.rb1b);
  EXPECT_EQ(a.refbox2loaded, b.refbox2loaded);
  EXPECT_EQ(a.refboxorbit1loaded, b.refboxorbit1loaded);
  EXPECT_TRUE(samePlace(a.refboxorbit1Place, b.refboxorbit1Place));
  EXPECT_EQ(a.rbo1a, b.rbo1a);
  EXPECT_EQ(a.rbo1b, b.rbo1b);
  EXPECT_EQ(a.formcontrolcenterloaded, b.formcontrolcenterloaded);
  EXPECT_TRUE(samePlace(a.controlCenterPlace, b.controlCenterPlace));
  EXPECT_EQ(a.cpobject, b.cpobject);
  EXPECT_EQ(a.cpreference, b.cpreference);
  EXPECT_EQ(a.fuelused, b.fuelused);
  EXPECT_EQ(a.controlCenterText1, b.controlCenterText1);
  EXPECT_EQ(a.controlCenterText2, b.controlCenterText2);
  EXPECT_EQ(a.ScalePixel, b.ScalePixel);
  EXPECT_EQ(a.SecondsElapsed, b.SecondsElapsed);
  EXPECT_EQ(a.timescale, b.timescale);
  EXPECT_EQ(a.OffsetX, b.OffsetX);
  EXPECT_EQ(a.OffsetY, b.OffsetY);
  EXPECT_EQ(a.focusobj, b.focusobj);
  EXPECT_EQ(a.menus, b.menus);
  EXPECT_EQ(a.llabels, b.llabels);
  EXPECT_EQ(a.mainWindow.hscroll, b.mainWindow.hscroll);
  EXPECT_EQ(a.mainWindow.vscroll, b.mainWindow.vscroll);
  EXPECT_EQ(a.TimeForward, b.TimeForward);
  for (int w = 0; w < DashboardCount; ++w) {
    EXPECT_EQ(a.dashboard[w].top, b.dashboard[w].top);
    EXPECT_EQ(a.dashboard[w].left, b.dashboard[w].left);
  }
  EXPECT_EQ(a.pplot, b.pplot);
  EXPECT_EQ(a.trails, b.trails);
  EXPECT_EQ(a.anchor, b.anchor);
  EXPECT_EQ(a.mainWindow.windowState, b.mainWindow.windowState);
  EXPECT_EQ(a.mainWindow.top, b.mainWindow.top);
  EXPECT_EQ(a.mainWindow.width, b.mainWindow.width);
  EXPECT_EQ(a.captions[1].caption, b.captions[1].caption);
  ASSERT_EQ(a.autopilotCount, b.autopilotCount);
  for (int e = 1; e <= a.autopilotCount; ++e) {
    EXPECT_EQ(a.autopilot[e].line, b.autopilot[e].line);
    EXPECT_EQ(a.autopilot[e].time, b.autopilot[e].time);
    EXPECT_EQ(a.autopilot[e].note, b.autopilot[e].note);
  }
}

class KeyedTest : public ::testing::Test {
 protected:
  KeyedStatus Read(State& s, const std::string& bytes) { return ReadKeyedSituation(s, files, engine, bytes); }
  TempFolder tmp;
  State unused;
  OldFilesHost files{unused};
  FakeEngineHost engine;
};

TEST_F(KeyedTest, WriteThenReadGivesTheSameTables) {
  auto a = std::make_unique<State>();
  FillKeyedSituation(*a, 3);
  std::string path = tmp / "keyed.txt";
  ASSERT_TRUE(WriteKeyedSituationFile(*a, path));
  std::string bytes = ReadFile(path);
  EXPECT_EQ(bytes.substr(0, 40), "intro\r\nmOLVANE\r\nrefbox1loaded\r\nTrue\r\nref");
  EXPECT_NE(bytes.find("\r\n ScalePixel\r\n 6.25E-07\r\n"), std::string::npos);
  EXPECT_NE(bytes.find("\r\nobjname    3\r\n\"objname    1\"\r\n"), std::string::npos);
  EXPECT_NE(bytes.find("\r\nobjvx        2\r\n 29780.125\r\n"), std::string::npos);

  auto b = std::make_unique<State>();
  EXPECT_EQ(ReadKeyedSituationFile(*b, files, engine, path), KeyedStatus::Ok);
  EXPECT_TRUE(files.messages.empty());
  ExpectSameTables(*a, *b);
  EXPECT_EQ(b->StoredSituationName, a->isitname);
  for (const char* call :
       {"openReferenceBox 1", "openDefaultOrbitBox", "openDefaultThrustPanel", "showBodyLabels", "setCaptionLabel 1"})
    EXPECT_NE(std::find(files.calls.begin(), files.calls.end(), call), files.calls.end()) << call;
  EXPECT_EQ(b->objlastx[3], -1000);  // without the anchor the focus body's system is assembled
}

TEST_F(KeyedTest, HandWrittenFileReadsIntoExactValues) {
  auto s = std::make_unique<State>();
  s->objname[0] = "Zero";
  ASSERT_EQ(ReadKeyedSituationFile(*s, files, engine, testing::DataPath("keyed-earth.txt")), KeyedStatus::Ok);
  EXPECT_EQ(s->objects, 2);
  EXPECT_EQ(s->objname[0], "Zero");  // body 0 is not stored
  EXPECT_EQ(s->objname[2], "Moon");
  EXPECT_EQ(s->objref[2], "Earth");
  EXPECT_EQ(s->objmass[2], .0123);
  EXPECT_EQ(s->objvy[2], 61.44);
  EXPECT_EQ(s->objcolor[1], 65535);
  EXPECT_EQ(s->ScalePixel, 6.25e-7);
  EXPECT_EQ(s->timescale, 60);
  EXPECT_EQ(s->focusobj, 1);
  EXPECT_TRUE(s->refbox1loaded);
  EXPECT_EQ(s->refbox1Place.width, 4500);
  EXPECT_EQ(s->rb1b, 2);
  EXPECT_TRUE(s->formcontrolcenterloaded);
  EXPECT_EQ(s->cpobject, 2);
  EXPECT_EQ(s->controlCenterText1, "30");
  EXPECT_EQ(s->controlCenterText2, "45");
  EXPECT_EQ(s->fuelused, 10);
  EXPECT_EQ(s->StoredSituationName, "/home/u/earth.molv");
  EXPECT_EQ(s->captions[1].caption, "Earth and Moon");
  EXPECT_EQ(s->mainWindow.width, 12000);
  ASSERT_EQ(s->autopilotCount, 1);
  EXPECT_EQ(s->autopilot[1].line, "01/01/2000 01:00:00 Pause");
  EXPECT_EQ(s->autopilot[1].time, 3600);
  EXPECT_EQ(s->autopilot[1].note, "first note");
  EXPECT_FALSE(s->autopilotState.armed);  // the keyed reader does not arm
  EXPECT_TRUE(s->isitname.empty());       // nor does it make the file the current one
}

// The program's largest situation is far past 5000 items: all of it reads.
TEST_F(KeyedTest, ThousandBodiesReadWhole) {
  auto a = std::make_unique<State>();
  FillKeyedSituation(*a, MaxBodies);
  a->autopilotCount = MaxAutopilot;
  for (int e = 1; e <= MaxAutopilot; ++e) a->autopilot[e] = {"line " + std::to_string(e), e * 1.5, "n"};
  auto b = std::make_unique<State>();
  ASSERT_EQ(Read(*b, WriteKeyedSituation(*a)), KeyedStatus::Ok);
  ExpectSameTables(*a, *b);
  EXPECT_EQ(b->objname[1000], "Body 1000");
  EXPECT_EQ(b->autopilot[1000].line, "line 1000");
}

TEST_F(KeyedTest, LastOccurrenceWinsAndMissingKeysKeepTheirTargets) {
  auto s = std::make_unique<State>();
  s->SecondsElapsed = 42;
  s->objects = 1;
  s->objname[1] = "Kept";
  s->objmass[1] = 3;
  std::string bytes =
      "intro\r\nmOLVANE\r\nrefboxorbit1loaded\r\nTrue\r\nrefboxorbit1loaded\r\nFalse\r\n"
      "objects\r\n 7\r\nobjname    7\r\nSeventh\r\nobjmass   7\r\n 1E999\r\nobjcolor   7\r\n-1\r\nfocusobj\r\n 9\r\n"
      "timescale\r\n 2\r\ntimescale\r\n 4\r\napc\r\n 0\r\n";
  s->autopilotCount = 2;
  s->autopilot[1].line = "gone";
  ASSERT_EQ(Read(*s, bytes), KeyedStatus::Ok);
  EXPECT_FALSE(s->refboxorbit1loaded);
  EXPECT_EQ(s->timescale, 4);
  EXPECT_EQ(s->SecondsElapsed, 42);
  EXPECT_EQ(s->objects, 7);
  EXPECT_EQ(s->objname[7], "Seventh");
  EXPECT_EQ(s->objmass[7], 0);  // not finite: kept as it was
  EXPECT_EQ(s->objcolor[7], ColourWhite);  // -1 names no colour
  EXPECT_EQ(s->objname[1], "Kept");
  EXPECT_EQ(s->objmass[1], 3);
  EXPECT_EQ(s->focusobj, 0);  // beyond the bodies
  EXPECT_EQ(s->autopilotCount, 0);
  EXPECT_EQ(s->autopilot[1].line, "");
}

TEST_F(KeyedTest, RefusedFilesChangeNothing) {
  auto s = std::make_unique<State>();
  FillKeyedSituation(*s, 3);
  const std::string before = WriteKeyedSituation(*s);
  struct Case {
    std::string bytes;
    KeyedStatus status;
  };
  std::vector<Case> cases = {
      {"<MoLVANE>\r\n", KeyedStatus::NotKeyed},
      {"intro\r\nMOLVANE\r\nobjects\r\n 1\r\n", KeyedStatus::NotKeyed},
      {"intro\r\nmOLVANE\r\nobjects\r\n 1001\r\n", KeyedStatus::BadBodyCount},
      {"intro\r\nmOLVANE\r\nobjects\r\n-2\r\n", KeyedStatus::BadBodyCount},
      {"intro\r\nmOLVANE\r\ntimescale\r\n 0\r\n", KeyedStatus::Damaged},
      {"intro\r\nmOLVANE\r\napc\r\n 2\r\nline\r\n 5\r\nnote\r\nline 2\r\n", KeyedStatus::Damaged},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Read(*s, c.bytes), c.status) << c.bytes;
    EXPECT_EQ(WriteKeyedSituation(*s), before);
  }
  EXPECT_TRUE(files.calls.empty());
  EXPECT_TRUE(engine.calls.empty());

  std::string missing = tmp / "missing.txt";
  EXPECT_EQ(ReadKeyedSituationFile(*s, files, engine, missing), KeyedStatus::NotFound);
  EXPECT_EQ(files.messages.back(), missing + " could not be read");
}

}  // namespace
}  // namespace molvane

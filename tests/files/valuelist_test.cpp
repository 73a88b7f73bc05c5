#include "files/valuelist.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "engine/bodies.h"
#include "files/situationfile.h"
#include "oldfiles_host.h"
#include "testutil.h"

namespace molvane {
namespace {

using testing::DataPath;
using testing::FakeEngineHost;
using testing::FakeFilesHost;
using testing::OldFilesHost;
using testing::ReadFile;
using testing::TempFolder;
using testing::WriteFile;

bool Has(const std::vector<std::string>& v, const std::string& x) {
  return std::find(v.begin(), v.end(), x) != v.end();
}

// The file's items, one a line, as the data files hold them.
std::vector<std::string> Lines(const std::string& bytes) { return SplitLines(bytes); }
std::string Join(const std::vector<std::string>& lines) {
  std::string out;
  for (const std::string& l : lines) out += l + "\r\n";
  return out;
}

class ValueListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    s.dataFolder = tmp / "data";
    s.CurrentFolder = tmp.path() + "/";
    // Something to keep or lose.
    s.isitname = "/before.molv";
    s.objects = 1;
    s.objname[1] = "Old";
    s.objmass[1] = 5;
    s.autopilotCount = 1;
    s.autopilot[1] = {"old line", 10, "old note"};
    s.captions[2] = {};
    s.captions[2].caption = "kept?";
    s.captions[2].fontName = "Old font";
    s.captions[2].fontSize = 9;
    s.captions[3].bold = true;
    s.captions[3].relTop = 0.25f;
    s.RotatingFrame = {false, 777, true};
    s.MinimumObjectSize = 4;
    s.timerateloaded = true;
    s.refboxorbit1loaded = true;
  }
  bool Open(const std::string& path) { return OpenSituationFile(s, files, engine, path); }
  // A copy of a data file with item n (from 1) replaced, or cut after it.
  std::string Edited(const std::string& name, size_t n, const std::string& item) {
    std::vector<std::string> l = Lines(ReadFile(DataPath(name)));
    l.at(n - 1) = item;
    std::string path = tmp / ("edited-" + std::to_string(++edits) + "-" + name);
    WriteFile(path, Join(l));
    return path;
  }
  std::string Cut(const std::string& name, size_t keep) {
    std::vector<std::string> l = Lines(ReadFile(DataPath(name)));
    l.resize(keep);
    std::string path = tmp / ("cut-" + name);
    WriteFile(path, Join(l));
    return path;
  }
  void ExpectUnchanged() {
    EXPECT_EQ(s.isitname, "/before.molv");
    EXPECT_EQ(s.objects, 1);
    EXPECT_EQ(s.objname[1], "Old");
    EXPECT_EQ(s.autopilotCount, 1);
    EXPECT_EQ(s.autopilot[1].line, "old line");
    EXPECT_EQ(s.autopilot[1].time, 10);
    EXPECT_EQ(s.captions[2].caption, "kept?");
    EXPECT_TRUE(s.timerateloaded);
    EXPECT_TRUE(engine.calls.empty());
    EXPECT_TRUE(files.calls.empty());
  }

  TempFolder tmp;
  int edits = 0;
  State s;
  OldFilesHost files{s};
  FakeEngineHost engine;
};

TEST_F(ValueListTest, FullHeaderReadsTheViewTheDashboardAndTheCaptions) {
  const std::string path = DataPath("valuelist-full.molv");
  ASSERT_TRUE(Open(path));
  EXPECT_TRUE(files.messages.empty());

  // Reference box 1 (box 2 stays as it was), the clock and the view.
  EXPECT_TRUE(s.refbox1loaded);
  EXPECT_FALSE(s.refbox2loaded);
  EXPECT_EQ(s.refbox1Place.left, 1500);
  EXPECT_EQ(s.refbox1Place.top, 2500);
  EXPECT_EQ(s.rb1a, 1);
  EXPECT_EQ(s.rb1b, 2);
  EXPECT_EQ(s.ScalePixel, 1e-6);
  EXPECT_EQ(s.SecondsElapsed, 86400);
  EXPECT_EQ(s.timescale, 60);
  EXPECT_EQ(s.OffsetX, 12.5);
  EXPECT_EQ(s.OffsetY, -7.25);
  EXPECT_EQ(s.focusobj, 2);
  EXPECT_EQ(s.objects, 2);
  EXPECT_TRUE(s.menus);
  EXPECT_TRUE(s.llabels);
  EXPECT_EQ(s.mainWindow.hscroll, 1500);
  EXPECT_EQ(s.mainWindow.vscroll, 2500);
  EXPECT_EQ(s.StoredSituationName, "/old/earth.molv");

  // Dashboard: numbers 0 or more open the window; the time-rate window
  // that was open is closed by the load and stays closed.
  EXPECT_TRUE(s.screenscaleloaded);
  EXPECT_EQ(s.dashboard[DashScreenScale].top, 100);
  EXPECT_EQ(s.dashboard[DashScreenScale].left, 200);
  EXPECT_FALSE(s.timerateloaded);
  EXPECT_TRUE(s.focusobjectloaded);
  EXPECT_EQ(s.dashboard[DashFocusObject].top, 0);
  EXPECT_EQ(s.dashboard[DashFocusObject].left, 300);
  EXPECT_FALSE(s.dateandtimeloaded);
  EXPECT_TRUE(s.graphicsoptionsloaded);
  EXPECT_EQ(s.dashboard[DashGraphicsOptions].top, 40);

  // Captions: sizes relative to the window's base width (12000 twips).
  const CaptionSlot& c1 = s.captions[1];
  EXPECT_EQ(c1.caption, "Hello, world\rsecond line");
  EXPECT_EQ(c1.fontName, "Arial");
  EXPECT_TRUE(c1.bold);
  EXPECT_FALSE(c1.italic);
  EXPECT_TRUE(c1.strikethru);
  EXPECT_FALSE(c1.underline);
  EXPECT_EQ(c1.foreColor, 255);
  EXPECT_FLOAT_EQ(c1.relFontSize, 0.001f);
  EXPECT_FLOAT_EQ(c1.fontSize, 12);
  EXPECT_FLOAT_EQ(c1.relTop, 0.05f);
  EXPECT_FLOAT_EQ(c1.top, 600);
  EXPECT_FLOAT_EQ(c1.height, 240);
  EXPECT_FLOAT_EQ(c1.width, 6000);
  EXPECT_FLOAT_EQ(c1.left, 1200);
  EXPECT_FLOAT_EQ(c1.relLeft / c1.relWidth, 0.2f);
  // Marked absent: text emptied, the rest as it was, width 3 from the load.
  EXPECT_EQ(s.captions[2].caption, "");
  EXPECT_EQ(s.captions[2].fontName, "Old font");
  EXPECT_EQ(s.captions[2].fontSize, 9);
  EXPECT_EQ(s.captions[2].width, 3);
  EXPECT_EQ(s.captions[3].caption, "Third");
  EXPECT_EQ(s.captions[3].fontName, "Courier");
  EXPECT_TRUE(s.captions[3].bold);
  EXPECT_FLOAT_EQ(s.captions[3].relTop, 0.25f);
}

TEST_F(ValueListTest, FullHeaderReadsTheLongHeader) {
  const std::string path = DataPath("valuelist-full.molv");
  ASSERT_TRUE(Open(path));
  EXPECT_TRUE(files.messages.empty());

  // The long header.
  EXPECT_TRUE(s.refboxorbit1loaded);
  EXPECT_EQ(s.rbo1a, 1);
  EXPECT_EQ(s.refboxorbit1Place.left, 3000);
  EXPECT_EQ(s.refboxorbit1Place.top, 4000);
  EXPECT_TRUE(s.RotatingFrame.on);
  EXPECT_EQ(s.RotatingFrame.period, 86400);
  EXPECT_TRUE(s.TimeForward);
  EXPECT_EQ(s.mainWindow.backColor, 16711680);
  EXPECT_TRUE(s.ExaggerateObjectSizeOn);
  EXPECT_EQ(s.ExaggeratedObjectSize, 12);
  EXPECT_EQ(s.MinimumObjectSize, 3);
  EXPECT_EQ(s.mainWindow.windowState, 2);  // minimised opens maximised
  EXPECT_EQ(s.mainWindow.top, 150);
  EXPECT_EQ(s.mainWindow.left, 300);
  EXPECT_EQ(s.mainWindow.width, 12000);
  EXPECT_EQ(s.mainWindow.height, 9000);
  EXPECT_FALSE(s.anchor);
  EXPECT_TRUE(s.BetaFullScreenFlag);
  EXPECT_TRUE(s.formcontrolcenterloaded);
  EXPECT_EQ(s.controlCenterPlace.windowState, 0);
  EXPECT_EQ(s.controlCenterPlace.top, 500);
  EXPECT_EQ(s.controlCenterPlace.width, 4000);
  EXPECT_EQ(s.cpobjectname, "Moon           ");
  EXPECT_EQ(s.cpreferencename, "Earth          ");
  EXPECT_EQ(s.cpobject, 2);
  EXPECT_EQ(s.cpreference, 1);
  EXPECT_EQ(s.controlCenterText1, "30             ");
  EXPECT_EQ(s.controlCenterText2, "45             ");
  EXPECT_FALSE(s.trails);
  EXPECT_TRUE(s.pplot);
  EXPECT_EQ(s.ResumeFolder, "/home/u/resume/");
  EXPECT_EQ(s.OriginalSituationName, "/home/u/original.molv");
  EXPECT_TRUE(s.autoSave.enabled);
  EXPECT_EQ(s.autoSave.interval, 3600);
  EXPECT_EQ(s.autoSave.savesMade, 3);
  EXPECT_EQ(s.autoSave.maxSaves, 10);
  EXPECT_EQ(s.autoSave.nextTime, 90000);
}

TEST_F(ValueListTest, FullHeaderReadsTheBodiesTheAutopilotListAndTheNames) {
  const std::string path = DataPath("valuelist-full.molv");
  ASSERT_TRUE(Open(path));
  EXPECT_TRUE(files.messages.empty());

  // Bodies: the first block is the floating point.
  EXPECT_EQ(s.objname[0], "Floating");
  EXPECT_EQ(s.objx[0], 1);
  EXPECT_EQ(s.objz[0], 3);
  EXPECT_EQ(s.objvy[0], .25);
  EXPECT_EQ(s.objname[1], "Earth");
  EXPECT_EQ(s.objcolor[1], 65535);
  EXPECT_EQ(s.objsize[1], 12742000);
  EXPECT_EQ(s.objname[2], "Moon");
  EXPECT_EQ(s.objmass[2], .0123);
  EXPECT_EQ(s.objref[2], "Earth");
  EXPECT_EQ(s.objx[2], 384400000);
  EXPECT_EQ(s.objvy[2], 61.44);
  EXPECT_EQ(s.objcolor2[2], ColourWhite);
  EXPECT_EQ(s.objlastx[2], -1000);  // without the anchor the focus body's system is assembled

  // The autopilot list, armed at the first entry not in the past.
  ASSERT_EQ(s.autopilotCount, 2);
  EXPECT_EQ(s.autopilot[1].line, "01/01/2000 01:00:00 Pause");
  EXPECT_EQ(s.autopilot[1].time, 3600);
  EXPECT_EQ(s.autopilot[1].note, "first note");
  EXPECT_EQ(s.autopilot[2].note, "note`two");  // notes are not unescaped here
  EXPECT_TRUE(s.autopilotState.armed);
  EXPECT_EQ(s.autopilotState.cursor, 2);
  EXPECT_EQ(s.autopilotState.nextTime, 172800);
  EXPECT_EQ(s.autopilotState.nextLine, "03/01/2000 00:00:00 Pause");
  EXPECT_FALSE(s.KeepCommandsFlag);

  // Names and windows.
  EXPECT_EQ(s.isitname, path);
  EXPECT_EQ(s.CurrentFileName, "valuelist-full.molv");
  EXPECT_EQ(s.MainCaption, "Molvane -- " + path);
  for (const char* call : {"closeDashboard 1", "openDashboard 0", "openDashboard 2", "openDashboard 4",
                           "setCaptionLabel 4", "setMainWindow", "setAnchorButton A", "openDefaultOrbitBox",
                           "openReferenceBox 1", "updateScreenScale", "openDefaultThrustPanel", "showBodyLabels"})
    EXPECT_TRUE(Has(files.calls, call)) << call;
  EXPECT_FALSE(Has(files.calls, "openReferenceBox 2"));
  EXPECT_TRUE(Has(engine.calls, "rebuildObjectLabels"));
  EXPECT_TRUE(Has(engine.calls, "selectFocusInList"));
}

TEST_F(ValueListTest, ShortHeaderKeepsTheLaterSettings) {
  s.autoSave = {true, 100, 1, 5, 200, false};
  s.mainWindow.backColor = 4242;
  s.anchor = true;
  s.objname[0] = "Before";
  s.objx[0] = 99;
  ASSERT_TRUE(Open(DataPath("valuelist-short.molv")));
  EXPECT_TRUE(files.messages.empty());
  // Items 47 to 66 are not there: their settings keep their values.
  EXPECT_EQ(s.RotatingFrame.period, 777);
  EXPECT_FALSE(s.RotatingFrame.on);
  EXPECT_EQ(s.MinimumObjectSize, 4);
  EXPECT_EQ(s.mainWindow.backColor, 4242);
  EXPECT_TRUE(s.anchor);
  EXPECT_TRUE(s.autoSave.enabled);
  EXPECT_EQ(s.autoSave.interval, 100);
  // ... except the default orbit box, which closes, and the time direction
  // of item 27.
  EXPECT_FALSE(s.refboxorbit1loaded);
  EXPECT_TRUE(Has(files.calls, "closeDefaultOrbitBox"));
  EXPECT_FALSE(s.TimeForward);
  // The first block is not the floating point: it is body 1, body 0 stays.
  EXPECT_EQ(s.objects, 1);
  EXPECT_EQ(s.objname[1], "Sun");
  EXPECT_EQ(s.objmass[1], 332946);
  EXPECT_EQ(s.objname[0], "Before");
  EXPECT_EQ(s.objx[0], 99);
  EXPECT_EQ(s.ScalePixel, 2e-7);
  EXPECT_EQ(s.focusobj, 1);
  // Every caption marked absent: empty texts; all Dashboard windows closed.
  for (int k = 1; k <= 4; ++k) EXPECT_EQ(s.captions[k].caption, "");
  EXPECT_FALSE(s.timerateloaded);
  EXPECT_TRUE(Has(files.calls, "closeDashboard 1"));
  // The visible width follows the file's scale even with the scale window closed.
  EXPECT_FALSE(s.screenscaleloaded);
  EXPECT_TRUE(Has(files.calls, "updateScreenScale"));
  // No triples: an empty list, armed only by the scan (nothing pending).
  EXPECT_EQ(s.autopilotCount, 0);
  EXPECT_EQ(s.autopilot[1].line, "");
  EXPECT_EQ(s.autopilotState.cursor, 1);
}

TEST_F(ValueListTest, RefusedFilesChangeNothing) {
  struct Case {
    std::string path, message;
  };
  const std::string damaged = " is damaged or incomplete";
  const std::string count = " names a body count outside 0 to 1000 and was not opened";
  std::vector<Case> cases = {
      {Edited("valuelist-full.molv", 23, "1001"), count},
      {Edited("valuelist-full.molv", 23, "-1"), count},
      {Edited("valuelist-full.molv", 23, "many"), damaged},
      {Edited("valuelist-full.molv", 19, "0"), damaged},        // time step 0
      {Cut("valuelist-full.molv", 100), damaged},               // long header cut short
      {Cut("valuelist-full.molv", 146 + 18 * 2 + 5), damaged},  // last body block cut short
      {Cut("valuelist-short.molv", 30), damaged},
  };
  for (const Case& c : cases) {
    files.messages.clear();
    EXPECT_FALSE(Open(c.path)) << c.path;
    ASSERT_EQ(files.messages.size(), 1u) << c.path;
    EXPECT_EQ(files.messages[0], c.path + c.message);
    ExpectUnchanged();
  }
  // Other letter case of the first item: not a situation file at all.
  std::string other = Edited("valuelist-short.molv", 1, "MOLVANE");
  files.messages.clear();
  EXPECT_FALSE(Open(other));
  EXPECT_EQ(files.messages.at(0), other + " is not a Molvane situation file");
  ExpectUnchanged();
}

TEST_F(ValueListTest, NumbersAndIndicesKeepTheirBounds) {
  s.SecondsElapsed = 5;
  std::vector<std::string> l = Lines(ReadFile(DataPath("valuelist-full.molv")));
  l[18 - 1] = "1E999";             // SecondsElapsed: not finite, kept
  l[17 - 1] = "-3";                // a scale of 0 or less keeps the current one
  l[22 - 1] = "7";                 // focus beyond the bodies
  l[9 - 1] = "99";                 // reference box body beyond the bodies
  l[48 - 1] = "-4";                // orbit box body
  l[53 - 1] = "1E300";             // colour does not fit 32 bits: kept
  l[146 + 18 + 2 - 1] = "1E999";   // Earth's mass
  l[146 + 18 + 6 - 1] = "-1E999";  // Earth's x
  l[29 - 1] = "x100";              // no "!": the number runs to the end of the item
  l[32 - 1] = "0.002";             // style columns past the end of the item are empty
  l[56 - 1] = "1";                 // geometry: only the window state is there
  std::string path = tmp / "bounds.molv";
  WriteFile(path, Join(l));
  s.objmass[1] = 5;
  s.objx[1] = 8;
  double scale = s.ScalePixel;
  ASSERT_TRUE(Open(path));
  EXPECT_EQ(s.SecondsElapsed, 5);
  EXPECT_EQ(s.ScalePixel, scale);
  EXPECT_EQ(s.focusobj, 0);
  EXPECT_EQ(s.rb1b, 0);
  EXPECT_EQ(s.rbo1a, 0);
  EXPECT_EQ(s.mainWindow.backColor, 0);
  EXPECT_EQ(s.objmass[1], 5);
  EXPECT_EQ(s.objx[1], 8);
  EXPECT_TRUE(s.screenscaleloaded);
  EXPECT_EQ(s.dashboard[DashScreenScale].top, 100);
  EXPECT_FALSE(s.focusobjectloaded);  // its numbers are not there
  EXPECT_FALSE(s.captions[1].bold);
  EXPECT_FLOAT_EQ(s.captions[1].fontSize, 24);
  EXPECT_EQ(s.captions[1].foreColor, 0);
  EXPECT_EQ(s.mainWindow.windowState, 2);
  EXPECT_EQ(s.mainWindow.top, 0);
  EXPECT_EQ(s.mainWindow.height, 1);  // the last 15 characters of a short item are all of it
  EXPECT_FALSE(s.graphicsoptionsloaded);

  // A rotating frame of period 0 opens off; a colour that names none (-1,
  // high bits set) becomes the default one.
  l = Lines(ReadFile(DataPath("valuelist-full.molv")));
  l[51 - 1] = "y0";
  l[53 - 1] = "-1";
  l[146 + 18 + 4 - 1] = "-2147483643";              // Earth's colour
  l[32 - 1] = "\"0.001          ynyn  16777216\"";  // caption 1's colour
  WriteFile(path, Join(l));
  ASSERT_TRUE(Open(path));
  EXPECT_FALSE(s.RotatingFrame.on);
  EXPECT_EQ(s.mainWindow.backColor, 0);
  EXPECT_EQ(s.captions[1].foreColor, ColourWhite);
  EXPECT_EQ(s.objcolor[FindBodyByName(s, "Earth")], ColourWhite);
}

TEST_F(ValueListTest, AutopilotStopsAtAThousandEntries) {
  std::vector<std::string> l = Lines(ReadFile(DataPath("valuelist-short.molv")));
  for (int k = 1; k <= 1005; ++k) {
    l.push_back("\"line " + std::to_string(k) + "\"");
    l.push_back(std::to_string(k * 10));
    l.push_back("n");
  }
  l.push_back("\"incomplete\"");
  std::string path = tmp / "many.molv";
  WriteFile(path, Join(l));
  ASSERT_TRUE(Open(path));
  EXPECT_EQ(s.autopilotCount, MaxAutopilot);
  EXPECT_EQ(s.autopilot[1000].line, "line 1000");
  ASSERT_EQ(files.messages.size(), 1u);
  EXPECT_EQ(files.messages[0], path + " holds more than Molvane can keep; left out: 6 autopilot entries");
}

TEST_F(ValueListTest, ResumeFileAndKeptCommands) {
  // Opened as the resume file: auto-save stays off whatever item 64 says.
  std::string resume = tmp / "resume.molv";
  WriteFile(resume, ReadFile(DataPath("valuelist-full.molv")));
  s.autoSave.maxSaves = 77;
  ASSERT_TRUE(Open(resume));
  EXPECT_FALSE(s.autoSave.enabled);
  EXPECT_EQ(s.autoSave.maxSaves, 77);

  // Any interval but 0 switches auto-save on, a negative one too; 0 leaves it off.
  ASSERT_TRUE(Open(Edited("valuelist-full.molv", 64, "\"-50                          2\"")));
  EXPECT_TRUE(s.autoSave.enabled);
  EXPECT_EQ(s.autoSave.interval, -50);
  EXPECT_EQ(s.autoSave.savesMade, 2);
  EXPECT_EQ(s.autoSave.maxSaves, 10);
  ASSERT_TRUE(Open(Edited("valuelist-full.molv", 64, "\"0                            2\"")));
  EXPECT_FALSE(s.autoSave.enabled);

  // Restore with current commands: the file's triples are ignored.
  s.autopilotCount = 1;
  s.autopilot[1] = {"mine", 100000, "kept"};
  s.KeepCommandsFlag = true;
  ASSERT_TRUE(Open(DataPath("valuelist-full.molv")));
  EXPECT_EQ(s.autopilotCount, 1);
  EXPECT_EQ(s.autopilot[1].line, "mine");
  EXPECT_EQ(s.autopilotState.nextLine, "mine");
  EXPECT_FALSE(s.KeepCommandsFlag);
}

}  // namespace
}  // namespace molvane

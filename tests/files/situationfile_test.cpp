#include "files/situationfile.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>

#include "engine/calendar.h"
#include "engine/numtext.h"
#include "files/fileio.h"
#include "files/situation.h"
#include "testutil.h"

namespace molvane {
namespace {

using testing::DataPath;
using testing::Exists;
using testing::FakeEngineHost;
using testing::FakeFilesHost;
using testing::FileCount;
using testing::ReadFile;
using testing::TempFolder;
using testing::WriteFile;

bool Has(const std::vector<std::string>& v, const std::string& x) {
  return std::find(v.begin(), v.end(), x) != v.end();
}

// A situation with every table filled, 1000 bodies and 1000 entries.
void FillLargeSituation(State& s) {
  s.objects = 1000;
  for (int k = 0; k <= 1000; ++k) {
    s.objname[k] = k == 0 ? "Floating" : "Body " + std::to_string(k) + (k % 7 == 0 ? ", the seventh" : "");
    s.objref[k] = k <= 1 ? "" : "Body 1";
    s.objmass[k] = 1.0 / (k + 3);
    s.objcolor[k] = k * 4099;
    s.objsize[k] = 1000.0 + k;
    s.objx[k] = 1.4959787e11 * (k % 13) - 7e10;
    s.objy[k] = -3.3e-3 * k;
    s.objz[k] = k % 2 ? 1e20 / (k + 1) : 0;
    s.objvx[k] = 29780.123456789 / (k + 1);
    s.objvy[k] = -0.5 * k;
    s.objvz[k] = 1e-7 * k;
    s.objdirx[k] = 0.6f;
    s.objdiry[k] = -0.8f / (k + 1);
    s.objdirz[k] = 0;
  }
  s.autopilotCount = 1000;
  for (int k = 1; k <= 1000; ++k)
    s.autopilot[k] = {"0000000001 LINE " + std::to_string(k), 1e9 + k * 60.5,
                      k % 3 ? "note, " + std::to_string(k) : " lead"};
  for (int k = 1; k <= 100; k += 33) {
    s.distanceBoxes[k] = {true, 15.0f * k, 30.0f * k, "Body 1", "Body 2", 1, static_cast<int16_t>(k)};
    s.orbitBoxes[k] = {true, 45.0f, 60.0f, "Body 3", "Reference Object", 3, 0};
    s.thrustPanels[k] = {true, 1.5f, 2.5f, "0", "1, 2", 4, 1};
  }
  s.timerateloaded = true;
  s.dashboard[DashTimeRate] = {300, 600};
  s.captions[1].caption = "Two\r\nlines";
  s.captions[1].fontName = "Sans";
  s.captions[1].fontSize = 14;
  s.captions[1].width = 2000;
  s.SecondsElapsed = 63113904000.0 + 123.25;
  s.timescale = 30;
  s.focusobj = 3;
  s.isitname = "/somewhere/big.molv";
  // The floating point as a load leaves it: at the view offset (0 here),
  // moving with the focus body.
  s.objx[0] = s.objy[0] = s.objz[0] = 0;
  s.objvx[0] = s.objvx[3];
  s.objvy[0] = s.objvy[3];
  s.objvz[0] = s.objvz[3];
}

class SituationOpenTest : public ::testing::Test {
 protected:
  void SetUp() override {
    s.dataFolder = tmp / "data";
    s.CurrentFolder = tmp.path() + "/";
  }
  bool Open(const std::string& path) { return OpenSituationFile(s, files, engine, path); }
  TempFolder tmp;
  State s;
  FakeFilesHost files;
  FakeEngineHost engine;
};

TEST_F(SituationOpenTest, LargeSituationOpenSaveGivesTheSameBytes) {
  FillLargeSituation(s);
  std::string a = tmp / "a.molv";
  s.isitname = a;
  ASSERT_TRUE(WriteSituationFile(s, files, a));
  std::string first = ReadFile(a);
  State t;
  t.dataFolder = s.dataFolder;
  FakeFilesHost f2;
  ASSERT_TRUE(OpenSituationFile(t, f2, engine, a));
  EXPECT_TRUE(f2.messages.empty());
  EXPECT_EQ(t.objects, 1000);
  EXPECT_EQ(t.autopilotCount, 1000);
  EXPECT_EQ(t.objname[7], "Body 7, the seventh");
  EXPECT_EQ(t.autopilot[3].note, " lead");
  EXPECT_EQ(t.captions[1].caption, "Two\r\nlines");
  ASSERT_TRUE(WriteSituationFile(t, f2, a));
  std::string second = ReadFile(a);
  EXPECT_GT(first.size(), 300000u);
  EXPECT_TRUE(first == second) << "the saved bytes differ";
}

TEST_F(SituationOpenTest, OpeningAppliesTheFileInOrderAndRunsTheEpilogue) {
  s.distanceBoxes[5].inUse = true;
  s.graphicsoptionsloaded = true;
  s.objthruston[2] = true;
  s.ThrustActive = true;
  std::string path = DataPath("full.molv");
  ASSERT_TRUE(Open(path));
  EXPECT_TRUE(files.messages.empty());

  // Clearing closed what was open; the file's windows opened in slots 1 up.
  std::vector<std::string> want = {"closeDistanceBox 5", "closeDashboard 4",  "openDistanceBox 1", "openDistanceBox 2",
                                   "openOrbitBox 1",     "setMainWindow",     "openDashboard 0",   "openDashboard 2",
                                   "openDashboard 4",    "setCaptionLabel 1", "setCaptionLabel 2", "setCaptionLabel 3",
                                   "setCaptionLabel 4",  "openThrustPanel 1", "updateScreenScale", "setAnchorButton F"};
  std::vector<std::string> head(files.calls.begin(), files.calls.begin() + static_cast<long>(want.size()));
  EXPECT_EQ(head, want);
  EXPECT_EQ(files.calls.back(), "setMainCaption Molvane -- " + path);
  EXPECT_TRUE(Has(engine.calls, "rebuildObjectLabels"));
  EXPECT_TRUE(Has(engine.calls, "selectFocusInList"));

  EXPECT_EQ(s.objects, 4);
  EXPECT_EQ(s.objname[1], "Sun");
  EXPECT_EQ(s.objcolor2[2], 0xFFFFFF);
  EXPECT_EQ(s.objmass[2], 10800.0);
  EXPECT_FALSE(s.distanceBoxes[5].inUse);
  EXPECT_TRUE(s.distanceBoxes[2].inUse);
  EXPECT_EQ(s.distanceBoxes[2].list2, "Alpha, Centauri");
  EXPECT_EQ(s.orbitBoxes[1].bodyA, 3);
  EXPECT_TRUE(s.thrustPanels[1].inUse);
  EXPECT_EQ(s.thrustPanels[1].text2, " 0.5 ");
  EXPECT_TRUE(s.screenscaleloaded);
  EXPECT_FALSE(s.timerateloaded);
  EXPECT_TRUE(s.focusobjectloaded);
  EXPECT_EQ(s.dashboard[DashGraphicsOptions].left, -1.5f);
  EXPECT_EQ(s.captions[2].caption, "Line one\r\nLine two");
  EXPECT_EQ(s.captions[3].width, 3.0f);
  EXPECT_EQ(s.timescale, 60.0);
  EXPECT_EQ(s.mainWindow.vscroll, -2500);
  EXPECT_TRUE(s.llabels);  // line 27 wins over line 9
  EXPECT_TRUE(Has(files.calls, "showBodyLabels"));
  EXPECT_TRUE(s.autoSave.enabled);
  EXPECT_EQ(s.autoSave.maxSaves, 10);

  // Epilogue.
  EXPECT_EQ(s.isitname, path);
  EXPECT_EQ(s.CurrentFileName, "full.molv");
  EXPECT_EQ(s.CurrentFolder + s.CurrentFileName, path);
  EXPECT_EQ(s.MainCaption, "Molvane -- " + path);
  EXPECT_EQ(s.objname[0], "Floating");
  EXPECT_EQ(s.objvx[0], s.objvx[2]);
  EXPECT_EQ(s.objx[0], 12.5 / 2.44140625e-9);
  EXPECT_EQ(s.PreviousFocusObj, 2);
  EXPECT_FALSE(s.objthruston[2]);
  EXPECT_FALSE(s.ThrustActive);
  EXPECT_EQ(s.autopilotCount, 2);
  EXPECT_TRUE(s.autopilotState.armed);
  EXPECT_EQ(s.autopilotState.cursor, 1);
  EXPECT_EQ(s.autopilotState.nextLine, "0000000001 THRUST Earth 100");
}

// A colour that names none (-1, high bits set) becomes the default one;
// a rotating frame of period 0 opens switched off.
TEST_F(SituationOpenTest, UnusableColoursAndAPeriodOfZeroFallBack) {
  std::string b = ReadFile(DataPath("full.molv"));
  const std::pair<std::string_view, std::string_view> edits[] = {
      {"\r\nFalse\r\n 2000000\r\nTrue\r\n 16711680\r\n", "\r\nTrue\r\n 0\r\nTrue\r\n-1\r\n"},  // frame, back
      {"Sun\r\n 16711680\r\n 12756000\r\n", "Sun\r\n-2147483643\r\n 12756000\r\n"},            // Earth
      {"Arial\r\n 12\r\n 65535\r\n", "Arial\r\n 12\r\n 16777216\r\n"},                         // caption 1
  };
  for (auto [from, to] : edits) {
    const size_t at = b.find(from);
    ASSERT_NE(at, std::string::npos) << from;
    b.replace(at, from.size(), to);
  }
  const std::string path = tmp / "colours.molv";
  WriteFile(path, b);
  s.RotatingFrame.period = 5;
  ASSERT_TRUE(Open(path));
  EXPECT_FALSE(s.RotatingFrame.on);
  EXPECT_EQ(s.mainWindow.backColor, 0);
  EXPECT_EQ(s.objcolor[2], ColourWhite);
  EXPECT_EQ(s.captions[1].foreColor, ColourWhite);
  EXPECT_EQ(s.objcolor[1], 65535);  // a colour stays as it is
}

TEST_F(SituationOpenTest, WithoutAnchorTheSystemIsAssembled) {
  std::string b = ReadFile(DataPath("full.molv"));
  // anchor off (SData line 26) and the date and time window open.
  auto swap = [&](const std::string& from, const std::string& to) { b.replace(b.find(from), from.size(), to); };
  swap(" 10\r\nTrue\r\nTrue", " 10\r\nFalse\r\nTrue");
  swap("-1\r\n-1\r\n 600", " 5\r\n 6\r\n 600");
  std::string path = tmp / "noanchor.molv";
  testing::WriteFile(path, b);
  ASSERT_TRUE(Open(path));
  EXPECT_FALSE(s.anchor);
  auto at = [&](const std::string& c) {
    return std::find(files.calls.begin(), files.calls.end(), c) - files.calls.begin();
  };
  EXPECT_EQ(s.objlastx[1], -1000);
  EXPECT_EQ(s.SystemElementsCount, 1);
  EXPECT_LT(at("setAnchorButton A"), static_cast<long>(files.calls.size()));
  EXPECT_TRUE(s.dateandtimeloaded);
  EXPECT_EQ(s.dashboard[DashDateAndTime].top, 5.0f);
  EXPECT_TRUE(Has(files.calls, "showDateTime " + FormatDateTimeText(63113904000.0)));
}

TEST_F(SituationOpenTest, ArmingSkipsPastEntriesAndKeepCommandsKeepsTheList) {
  std::string path = tmp / "x.molv";
  std::string b = ReadFile(DataPath("full.molv"));
  b.replace(b.find(" 63113904100"), 12, " 5");
  WriteFile(path, b);
  ASSERT_TRUE(Open(path));
  EXPECT_EQ(s.autopilotState.cursor, 2);
  EXPECT_EQ(s.autopilotState.nextTime, 1.5e16);

  s.autopilotCount = 1;
  s.autopilot[1] = {"KEEP", 0, "n"};
  s.KeepCommandsFlag = true;
  ASSERT_TRUE(Open(path));
  EXPECT_FALSE(s.KeepCommandsFlag);
  EXPECT_EQ(s.autopilotCount, 1);
  EXPECT_EQ(s.autopilot[1].line, "KEEP");
  EXPECT_EQ(s.autopilotState.cursor, 1);
  EXPECT_EQ(s.autopilotState.nextLine, "KEEP");

  // An empty list arms with cursor 1, time 0 and an empty line.
  b = ReadFile(DataPath("full.molv"));
  size_t a = b.find("<Auto Pilot>");
  b = b.substr(0, a) + "<Auto Pilot>\r\n 0\r\n</Auto Pilot>\r\n</MoLVANE>\r\n";
  WriteFile(path, b);
  ASSERT_TRUE(Open(path));
  EXPECT_EQ(s.autopilotCount, 0);
  EXPECT_EQ(s.autopilotState.cursor, 1);
  EXPECT_EQ(s.autopilotState.nextTime, 0.0);
  EXPECT_EQ(s.autopilotState.nextLine, "");
  EXPECT_EQ(s.autopilot[2].line, "");
}

// Whatever goes wrong, the situation in memory stays exactly as it was.
class SituationFaultTest : public SituationOpenTest {
 protected:
  void SetUp() override {
    SituationOpenTest::SetUp();
    FillLargeSituation(s);
    s.isitname = "/keep/me.molv";
    s.CurrentFolder = tmp.path() + "/";
    s.RecentFiles[1] = "/keep/me.molv";
    before = WriteSituation(DocumentFromState(s));
  }
  void ExpectUnchanged() {
    EXPECT_EQ(WriteSituation(DocumentFromState(s)), before);
    EXPECT_EQ(s.isitname, "/keep/me.molv");
    EXPECT_EQ(s.CurrentFolder, tmp.path() + "/");
    EXPECT_EQ(s.RecentFiles[1], "/keep/me.molv");
    EXPECT_TRUE(files.calls.empty());
    EXPECT_TRUE(engine.calls.empty());
  }
  std::string before;
};

TEST_F(SituationFaultTest, DamagedFile) {
  std::string path = tmp / "cut.molv";
  std::string full = ReadFile(DataPath("full.molv"));
  WriteFile(path, full.substr(0, full.size() / 2));
  EXPECT_FALSE(Open(path));
  EXPECT_EQ(files.messages, std::vector<std::string>{path + " is damaged or incomplete"});
  ExpectUnchanged();
}

TEST_F(SituationFaultTest, TimeStepOfZero) {
  std::string path = tmp / "zero.molv";
  std::string full = ReadFile(DataPath("full.molv"));
  full.replace(full.find("\r\n 60\r\n"), 7, "\r\n 0\r\n");
  WriteFile(path, full);
  EXPECT_FALSE(Open(path));
  EXPECT_EQ(files.messages, std::vector<std::string>{path + " is damaged or incomplete"});
  ExpectUnchanged();
}

TEST_F(SituationFaultTest, NotASituationFile) {
  std::string path = tmp / "notes.txt";
  WriteFile(path, "Shopping list\r\nmilk, eggs\r\n");
  EXPECT_FALSE(Open(path));
  EXPECT_EQ(files.messages, std::vector<std::string>{path + " is not a Molvane situation file"});
  ExpectUnchanged();
  // Save still goes to the old file, never to the foreign one.
  EXPECT_EQ(ReadFile(path), "Shopping list\r\nmilk, eggs\r\n");
}

TEST_F(SituationFaultTest, MissingFile) {
  s.OpenSucceeded = true;
  EXPECT_FALSE(Open("nothere.molv"));  // relative: made absolute against CurrentFolder
  EXPECT_EQ(files.messages, std::vector<std::string>{tmp / "nothere.molv not found"});
  EXPECT_FALSE(s.OpenSucceeded);
  ExpectUnchanged();
}

TEST_F(SituationFaultTest, FileOverSixteenMebibytes) {
  std::string path = tmp / "huge.molv";
  WriteFile(path, "<MoLVANE>\r\n");
  ASSERT_EQ(truncate(path.c_str(), static_cast<off_t>(MaxSituationFileBytes) + 1), 0);
  EXPECT_FALSE(Open(path));
  EXPECT_EQ(files.messages, std::vector<std::string>{path + " is larger than 16 MiB and was not opened"});
  ExpectUnchanged();
}

TEST_F(SituationOpenTest, DroppedRecordsAreReportedOnce) {
  std::string b = ReadFile(DataPath("full.molv"));
  std::string entries;
  for (int i = 0; i < 1003; ++i) entries += " \r\n\"L\"\r\n 1\r\n\"\"\r\n";
  size_t a = b.find("<Auto Pilot>");
  b = b.substr(0, a) + "<Auto Pilot>\r\n 1003\r\n" + entries + "</Auto Pilot>\r\n</MoLVANE>\r\n";
  std::string path = tmp / "many.molv";
  WriteFile(path, b);
  ASSERT_TRUE(Open(path));
  EXPECT_EQ(s.autopilotCount, 1000);
  EXPECT_EQ(files.messages,
            std::vector<std::string>{path + " holds more than Molvane can keep; left out: 3 autopilot entries"});
}

// ---- Saving.

TEST_F(SituationOpenTest, SaveReplacesTheFileKeepingItsPermissions) {
  FillLargeSituation(s);
  std::string path = tmp / "keep.molv";
  WriteFile(path, "old");
  ASSERT_EQ(chmod(path.c_str(), 0640), 0);
  ASSERT_TRUE(WriteSituationFile(s, files, path));
  struct stat st {};
  ASSERT_EQ(stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
  EXPECT_TRUE(ReadFile(path) == WriteSituation(DocumentFromState(s)));
  EXPECT_EQ(FileCount(tmp.path()), 1);  // no temporary file left behind
  EXPECT_EQ(s.CurrentFolder, tmp.path() + "/");
  EXPECT_TRUE(files.messages.empty());
}

// A save killed between writing its temporary file and the rename left
// that file behind: the next save of the same target removes it, and only it.
TEST_F(SituationOpenTest, ASaveRemovesWhatAnInterruptedSaveOfItLeft) {
  WriteFile(tmp / ".a.molv.Ab12Cd", "<MoLVANE>\r\n<Distance");
  for (const char* other : {".a.molv.Ab1-Cd", ".a.molv.Ab1Cd", ".a.molv.Ab12Cd.x", ".b.molv.Ab12Cd", "a.molv.Ab12Cd"})
    WriteFile(tmp / other, "x");
  ASSERT_EQ(mkdir((tmp / ".a.molv.Zz9999").c_str(), 0755), 0);
  ASSERT_TRUE(WriteSituationFile(s, files, tmp / "a.molv"));
  EXPECT_FALSE(Exists(tmp / ".a.molv.Ab12Cd"));
  EXPECT_EQ(FileCount(tmp.path()), 7);  // the others, the folder and a.molv
}

// Another program's save of the same file, caught between writing its
// temporary file and the rename, keeps that file; two programs saving one
// file over and over never make each other's saves fail.
TEST_F(SituationOpenTest, TwoProgramsSavingOneFileLeaveEachOthersSavesAlone) {
  const std::string path = tmp / "shared.molv";
  const std::string live = tmp / ".shared.molv.Live01";
  WriteFile(live, "half");
  const int fd = open(live.c_str(), O_RDONLY);
  ASSERT_EQ(flock(fd, LOCK_EX), 0);
  ASSERT_TRUE(WriteSituationFile(s, files, path));
  EXPECT_TRUE(Exists(live));
  close(fd);

  for (int k = 1; k <= 200; ++k) s.objname[k] = "Body " + std::to_string(k);
  s.objects = 200;
  auto saves = [&] {
    int failed = 0;
    for (int k = 0; k < 150; ++k) failed += WriteSituationFile(s, files, path) ? 0 : 1;
    return failed;
  };
  const pid_t child = fork();
  if (child == 0) _exit(std::min(saves(), 100));
  const int failed = saves();
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  EXPECT_EQ(failed, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the other program's failed saves: " << status;
}

TEST_F(SituationOpenTest, FailedSaveSaysSoAndLeavesTheOldFile) {
  std::string missing = tmp / "no/such/folder/x.molv";
  EXPECT_FALSE(WriteSituationFile(s, files, missing));
  EXPECT_EQ(files.messages, std::vector<std::string>{"Could not save " + missing});
  // Nothing moved: a relative save and open after it land in the folder of before.
  EXPECT_EQ(s.CurrentFolder, tmp.path() + "/");
  ASSERT_TRUE(WriteSituationFile(s, files, "after.molv"));
  EXPECT_TRUE(Exists(tmp / "after.molv"));
  EXPECT_TRUE(Open("after.molv"));
  // A folder in the target's place is left as it is.
  std::string dir = tmp / "adir.molv";
  ASSERT_EQ(mkdir(dir.c_str(), 0755), 0);
  WriteFile(dir + "/inside", "x");
  EXPECT_FALSE(WriteSituationFile(s, files, dir));
  EXPECT_EQ(ReadFile(dir + "/inside"), "x");
  EXPECT_EQ(files.messages.back(), "Could not save " + dir);
}

TEST_F(SituationOpenTest, ReadOnlyTargetAsksFirst) {
  std::string path = tmp / "ro.molv";
  WriteFile(path, "old");
  ASSERT_EQ(chmod(path.c_str(), 0444), 0);
  s.CurrentFolder = "/elsewhere/";
  files.answer = false;
  EXPECT_FALSE(WriteSituationFile(s, files, path));
  ASSERT_EQ(files.questions.size(), 1u);
  EXPECT_EQ(files.questions[0],
            path + " is a Read Only file.\nWould you like to change it's attributes so it may be overwritten?");
  EXPECT_EQ(ReadFile(path), "old");
  EXPECT_EQ(s.CurrentFolder, "/elsewhere/");

  files.answer = true;
  std::string want = WriteSituation(DocumentFromState(s));
  EXPECT_TRUE(WriteSituationFile(s, files, path));
  EXPECT_TRUE(ReadFile(path) == want);
  struct stat st {};
  ASSERT_EQ(stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0644u);
  EXPECT_EQ(s.CurrentFolder, tmp.path() + "/");
}

TEST_F(SituationOpenTest, ResumeFileLivesInTheDataFolder) {
  FillLargeSituation(s);
  s.isitname = "/home/u/big.molv";
  ASSERT_TRUE(EnsureFolder(s.dataFolder));
  ASSERT_TRUE(WriteSituationFile(s, files, ResumeFilePath(s)));
  EXPECT_TRUE(Exists(tmp / "data/resume.molv"));
  State t;
  t.dataFolder = s.dataFolder;
  FakeFilesHost f2;
  ASSERT_TRUE(OpenSituationFile(t, f2, engine, ResumeFilePath(t)));
  EXPECT_EQ(t.isitname, tmp / "data/resume.molv");
  EXPECT_EQ(t.OriginalSituationName, "/home/u/big.molv");
  EXPECT_EQ(t.objects, 1000);
}

}  // namespace
}  // namespace molvane

#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "engine/calendar.h"
#include "engine/numtext.h"
#include "engine/orbits.h"
#include "files/orbitexport.h"
#include "files/situation.h"
#include "files/situationfile.h"
#include "testutil.h"

namespace molvane {
namespace {

using testing::Exists;
using testing::FakeFilesHost;
using testing::ReadFile;
using testing::TempFolder;

// 1 January 2000, 08:30:15 on the simulation clock.
constexpr double kClock = 63113904000.0 + 8 * 3600 + 30 * 60 + 15;

void TwoBodies(State& s) {
  s.objects = 2;
  s.timescale = 10;
  s.objname[1] = "Sun";
  s.objmass[1] = SunEarthMasses * 100;
  s.objsize[1] = 1392000000;
  s.objname[2] = "Earth";
  s.objref[2] = "Sun";
  s.objmass[2] = 100;
  s.objx[2] = 149597870691.0;
  s.objvy[2] = 297800;  // 29780 m/s at 10 s per step
  s.objvz[2] = -10;
}

TEST(AutoSaveNames, CopyAndLogAreNamedAfterTheSituation) {
  State s;
  s.dataFolder = "/data/molvane";
  s.SecondsElapsed = kClock;
  s.isitname = "/home/u/solar.molv";
  EXPECT_EQ(MakeFileDateText(FormatDateTimeText(kClock)), " 2000 01 01   08 30 15");
  EXPECT_EQ(AutoSaveFileName(s), "/home/u/solar ~  2000 01 01   08 30 15.molv");
  EXPECT_EQ(DataLogFileName(s), "/home/u/solar.txt");

  // Without a situation file of its own the copy goes to the data folder.
  s.isitname = "New";
  EXPECT_EQ(AutoSaveFileName(s), "/data/molvane/New ~  2000 01 01   08 30 15.molv");
  EXPECT_EQ(DataLogFileName(s), "/data/molvane/New.txt");
  s.isitname = "";
  EXPECT_EQ(DataLogFileName(s), "/data/molvane/New.txt");
  // A relative name is taken in the current folder; another extension stays.
  s.CurrentFolder = "/work/sims/";
  s.isitname = "orbit.MOLV";
  EXPECT_EQ(DataLogFileName(s), "/work/sims/orbit.txt");
  s.isitname = "/x/a.sit";
  EXPECT_EQ(DataLogFileName(s), "/x/a.sit.txt");
}

TEST(AutoSaveRecord, OneLineOfOrbitalDataPerBody) {
  State s;
  TwoBodies(s);
  s.SecondsElapsed = kClock;
  State expectState = s;
  ComputeOrbitalElements(expectState, 2, 1);
  std::string want = " 2000 01 01   08 30 15,Sun";
  for (int i = 0; i < 6; ++i) want += ", 0";  // no reference body
  want += ", 0, 0, 0, 0, 0, 0, ,Earth";
  const State& e = expectState;
  for (double v : {e.objsma[2], e.objecc[2], e.objinc[2], e.objper[2], e.objasc[2], e.objma[2]})
    want += "," + ShortText(v);
  want += ", 149597870691, 0, 0, 0, 29780,-1\r\n";
  EXPECT_EQ(ArchiveRecord(s), want);
  EXPECT_EQ(s.objsma[2], e.objsma[2]);  // the elements stay for the orbit boxes
  EXPECT_GT(s.objsma[2], 1e8);

  s.objects = 0;
  EXPECT_EQ(ArchiveRecord(s), " 2000 01 01   08 30 15,\r\n");
}

// Of two bodies named Earth the Moon's elements are about the one it holds;
// a body without a reference has none in the log (the export carries the
// one before over), never the nameless body's.
TEST(AutoSaveRecord, ElementsAboutTheReferenceHeldNotTheLastOfItsName) {
  State s;
  s.timescale = 1;
  const char* names[] = {"", "Earth", "Earth", "Moon", "", "Probe"};
  for (int i = 1; i <= 5; ++i) {
    s.objname[i] = names[i];
    s.objmass[i] = 1;
    s.objx[i] = 1e9 * i * i;
    s.objvy[i] = 100.0 * i;
  }
  s.objects = 5;
  s.objref[3] = "Earth";
  s.objrefindex[3] = 1;
  State e = s;
  ComputeOrbitalElements(e, 3, 1);
  ComputeOrbitalElements(e, 5, 1);
  for (int pass = 0; pass < 2; ++pass) {
    SCOPED_TRACE(pass ? "orbital data export" : "data log");
    if (pass) {
      OrbitExportLine(s);
    } else {
      ArchiveRecord(s);
    }
    EXPECT_EQ(s.objsma[3], e.objsma[3]);
    EXPECT_EQ(s.objsma[5], pass ? e.objsma[5] : 0);
  }
}

TEST(AutoSaveWrite, WritesTheCopyAndAppendsToTheLog) {
  TempFolder tmp;
  State s;
  TwoBodies(s);
  s.dataFolder = tmp / "data";
  s.isitname = "New";
  s.autoSave.dataFile = true;
  FakeFilesHost files;
  s.SecondsElapsed = kClock;
  ASSERT_TRUE(WriteAutoSave(s, files));
  s.SecondsElapsed = kClock + 60;
  ASSERT_TRUE(WriteAutoSave(s, files));
  EXPECT_TRUE(files.messages.empty());
  std::string copy = tmp / "data/New ~  2000 01 01   08 30 15.molv";
  ASSERT_TRUE(Exists(copy));
  EXPECT_TRUE(Exists(tmp / "data/New ~  2000 01 01   08 31 15.molv"));
  EXPECT_EQ(s.isitname, "New");
  ReadResult r = ReadSituation(ReadFile(copy), State{});
  ASSERT_EQ(r.status, ReadStatus::Ok);
  EXPECT_EQ(r.doc.bodies.size(), 3u);
  std::string log = ReadFile(tmp / "data/New.txt");
  EXPECT_EQ(log.find(" 2000 01 01   08 30 15,Sun,"), 0u);
  EXPECT_NE(log.find("\r\n 2000 01 01   08 31 15,Sun,"), std::string::npos);
}

// 50 copies due into a folder this user may not write: one message, not 50;
// another such folder gets its own. Run as a user without the superuser's
// right to write anywhere (a child that drops to "nobody" when we are root).
TEST(AutoSaveWrite, AReadOnlyFolderIsReportedOncePerRun) {
  TempFolder tmp;
  const std::string ro1 = tmp / "ro one", ro2 = tmp / "ro two";
  ASSERT_TRUE(mkdir(ro1.c_str(), 0555) == 0 && mkdir(ro2.c_str(), 0555) == 0 && chmod(tmp.path().c_str(), 0755) == 0);
  auto run = [&] {  // 0 when 50 failed copies in one folder and 1 in another gave a message each
    State s;
    TwoBodies(s);
    FakeFilesHost files;
    for (int k = 0; k <= 50; ++k) {
      s.isitname = (k < 50 ? ro1 : ro2) + "/solar.molv";
      s.SecondsElapsed = kClock + 60 * k;
      s.autoSave.dataFile = true;  // the records fail there too, and are told with the copies
      if (WriteAutoSave(s, files)) return 100;
    }
    return files.messages.size() == 2 && files.messages[0].find("Could not save " + ro1) == 0 &&
                   files.messages[0].find("record to " + ro1 + "/solar.txt") != std::string::npos
               ? 0
               : 101;
  };
  int code = geteuid() != 0 ? run() : -1;
  if (code < 0) {
    const pid_t child = fork();
    if (child == 0) _exit(setgid(65534) == 0 && setuid(65534) == 0 ? run() : 77);
    int status = 0;
    ASSERT_TRUE(child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status));
    code = WEXITSTATUS(status);
    if (code == 77) GTEST_SKIP() << "running as the superuser and cannot drop to user nobody";
  }
  EXPECT_EQ(code, 0);
}

// Records of 100 bodies into a log on a disk that fills up: each failed
// append leaves the log as it was and the failures are told once; with room
// again the next record starts a line of its own. The disk is a small tmpfs
// the test mounts, where it may.
TEST(AutoSaveWrite, ARecordThatFindsTheDiskFullLeavesTheLogAsItWas) {
  TempFolder tmp;
  const std::string disk = tmp / "disk";
  ASSERT_EQ(mkdir(disk.c_str(), 0755), 0);
  if (mount("tmpfs", disk.c_str(), "tmpfs", 0, "size=512k") != 0) {
    GTEST_SKIP() << "cannot mount a small tmpfs here: " << std::strerror(errno);
  }
  struct Unmount {
    std::string at;
    ~Unmount() { umount2(at.c_str(), MNT_DETACH); }
  } unmount{disk};
  State s;
  TwoBodies(s);
  for (int i = 3; i <= 100; ++i) {
    s.objname[i] = "Rock " + std::to_string(i), s.objref[i] = "Sun";
    s.objx[i] = 1e11 + 1e9 * i, s.objvy[i] = 300000;
  }
  s.objects = 100;
  s.isitname = disk + "/solar.molv";
  s.autoSave.dataFile = true;
  s.SecondsElapsed = kClock;
  FakeFilesHost files;
  ASSERT_TRUE(WriteAutoSave(s, files));
  const std::string log = disk + "/solar.txt", before = ReadFile(log), filler = disk + "/filler";
  ASSERT_GT(before.size(), 8192u);                        // longer than the room left in a page
  testing::WriteFile(filler, std::string(1 << 20, 'x'));  // more than the disk holds
  for (int k = 1; k <= 3; ++k) {
    s.SecondsElapsed = kClock + 60 * k;
    EXPECT_FALSE(WriteAutoSave(s, files));
    EXPECT_TRUE(ReadFile(log) == before) << "the log changed at the failed record " << k;
  }
  ASSERT_EQ(files.messages.size(), 1u);
  EXPECT_NE(files.messages[0].find("Could not add the orbital data record to " + log), std::string::npos);

  ASSERT_EQ(unlink(filler.c_str()), 0);
  s.SecondsElapsed = kClock + 600;
  EXPECT_TRUE(WriteAutoSave(s, files));
  const std::string after = ReadFile(log);
  ASSERT_EQ(after.substr(0, before.size()), before);
  const std::string second = after.substr(before.size());
  EXPECT_EQ(std::count(second.begin(), second.end(), ','), std::count(before.begin(), before.end(), ','));
  EXPECT_EQ(second.find(" 2000 01 01   08 40 15,Sun,"), 0u);
}

// Auto-save copies whose names exist read-only in one folder: the question
// is asked once there and its answer stands for the later copies; another
// folder is asked again.
TEST(AutoSaveWrite, AReadOnlyCopyAsksOncePerFolder) {
  TempFolder tmp;
  const std::string other = tmp / "other";
  ASSERT_EQ(mkdir(other.c_str(), 0755), 0);
  State s;
  TwoBodies(s);
  FakeFilesHost files;
  files.answer = true;
  for (int k = 0; k < 4; ++k) {
    s.isitname = (k < 3 ? tmp.path() : other) + "/solar.molv";
    s.SecondsElapsed = kClock + 60 * k;
    const std::string copy = AutoSaveFileName(s);
    testing::WriteFile(copy, "old");
    ASSERT_EQ(chmod(copy.c_str(), 0444), 0);
    EXPECT_TRUE(WriteAutoSave(s, files)) << k;
    EXPECT_NE(ReadFile(copy), "old");
  }
  EXPECT_EQ(files.questions.size(), 2u);
  EXPECT_TRUE(files.messages.empty());
}

}  // namespace
}  // namespace molvane

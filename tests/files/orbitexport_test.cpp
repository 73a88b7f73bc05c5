#include "files/orbitexport.h"

#include <gtest/gtest.h>

#include <memory>

#include "engine/numtext.h"
#include "files/situationfile.h"
#include "files/textitems.h"
#include "oldfiles_host.h"
#include "testutil.h"

namespace molvane {
namespace {

using testing::Exists;
using testing::FakeEngineHost;
using testing::OldFilesHost;
using testing::ReadFile;
using testing::TempFolder;
using testing::WriteFile;

std::vector<std::string> Fields(const std::string& line) {
  std::vector<std::string> out;
  size_t start = 0;
  for (;;) {
    size_t comma = line.find(',', start);
    out.push_back(line.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
    if (comma == std::string::npos) return out;
    start = comma + 1;
  }
}

class OrbitExportTest : public ::testing::Test {
 protected:
  void SetUp() override { testing::EnsureFolderForTest(folder); }
  void Save(const std::string& name, const State& situation) {
    State copy = situation;
    copy.isitname = folder + "/" + name;
    ASSERT_TRUE(WriteSituationFile(copy, files, folder + "/" + name));
  }

  TempFolder tmp;
  std::string folder = tmp / "runs";
  std::unique_ptr<State> s = std::make_unique<State>();
  OldFilesHost files{*s};
  FakeEngineHost engine;
};

TEST_F(OrbitExportTest, OneLinePerFileOfTheFolder) {
  // a.molv: the Sun and the Earth on a near-circular orbit about it.
  auto a = std::make_unique<State>();
  a->objects = 2;
  a->timescale = 1;
  a->SecondsElapsed = 2 * GregorianYearSeconds;
  a->objname[1] = "Sun";
  a->objmass[1] = SunEarthMasses;
  a->objname[2] = "Earth";
  a->objref[2] = "Sun";
  a->objmass[2] = 1;
  a->objx[2] = 1.496e11;
  a->objvy[2] = 29780;
  Save("a.molv", *a);
  // b.molv: one body without a reference, time step 60 s.
  auto b = std::make_unique<State>();
  b->objects = 1;
  b->timescale = 60;
  b->SecondsElapsed = GregorianYearSeconds;
  b->objname[1] = "Rock";
  b->objx[1] = 1000;
  b->objvx[1] = 120;
  b->objvz[1] = -30;
  Save("b.molv", *b);
  WriteFile(folder + "/notes.txt", "not a situation");
  WriteFile(folder + "/test.txt", "earlier\r\n");

  OrbitExportResult r = ExportOrbitTable(*s, files, engine, folder);
  EXPECT_EQ(r.exported, 2);
  EXPECT_EQ(r.failed, 0);
  EXPECT_TRUE(r.written);
  EXPECT_TRUE(files.messages.empty());

  std::vector<std::string> lines = SplitLines(ReadFile(folder + "/test.txt"));
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0], "earlier");
  EXPECT_EQ(lines[2], " 1,Rock, 0, 0, 0, 0, 0, 0, 1000, 0, 0, 2, 0,-.5");

  // Years, then two records of a name and twelve numbers joined by ", ,".
  std::vector<std::string> f = Fields(lines[1]);
  ASSERT_EQ(f.size(), 1u + 13 + 1 + 13);
  EXPECT_EQ(f[0], " 2");
  EXPECT_EQ(f[1], "Sun");
  EXPECT_EQ(f[2], " 0");  // the Sun names no reference
  EXPECT_EQ(f[14], " ");
  EXPECT_EQ(f[15], "Earth");
  double sma = ParseNumberPrefix(f[16]);
  EXPECT_NEAR(sma, 1.496e8, 0.02e8);  // km
  double ecc = ParseNumberPrefix(f[17]);
  EXPECT_LT(ecc, 0.05);
  EXPECT_EQ(f[22], " 149600000000");
  EXPECT_EQ(f[26], " 29780");

  // The last file stays loaded.
  EXPECT_EQ(s->isitname, folder + "/b.molv");
  EXPECT_EQ(s->objname[1], "Rock");
}

TEST_F(OrbitExportTest, EmptyBrokenAndMissingFolders) {
  // No situation files: nothing is written, not even the output file.
  OrbitExportResult r = ExportOrbitTable(*s, files, engine, folder);
  EXPECT_EQ(r.exported, 0);
  EXPECT_FALSE(Exists(folder + "/test.txt"));

  // A damaged file is reported by the opener and skipped; a situation
  // without bodies still ends its line.
  WriteFile(folder + "/broken.MOLV", "<MoLVANE>\r\n<Objects>\r\n");
  auto empty = std::make_unique<State>();
  Save("empty.molv", *empty);
  r = ExportOrbitTable(*s, files, engine, folder);
  EXPECT_EQ(r.exported, 1);
  EXPECT_EQ(r.failed, 1);
  ASSERT_EQ(files.messages.size(), 1u);
  EXPECT_EQ(files.messages[0], folder + "/broken.MOLV is damaged or incomplete");
  EXPECT_EQ(ReadFile(folder + "/test.txt"), " 0,\r\n");

  files.messages.clear();
  r = ExportOrbitTable(*s, files, engine, tmp / "nowhere");
  EXPECT_FALSE(r.written);
  EXPECT_EQ(files.messages.at(0), tmp / "nowhere" + " not found");
}

TEST_F(OrbitExportTest, ReferenceCarriesOverToABodyWithoutOne) {
  auto t = std::make_unique<State>();
  t->objects = 3;
  t->timescale = 1;
  t->objname[1] = "Sun";
  t->objmass[1] = SunEarthMasses;
  t->objname[2] = "Earth";
  t->objref[2] = "Sun";
  t->objmass[2] = 1;
  t->objx[2] = 1.496e11;
  t->objvy[2] = 29780;
  t->objname[3] = "Probe";
  t->objref[3] = "Floating";  // names no body: the Earth's reference is used
  t->objmass[3] = 1e-20;
  t->objx[3] = -1.496e11;
  t->objvy[3] = -29780;
  std::vector<std::string> f = Fields(OrbitExportLine(*t));
  ASSERT_EQ(f.size(), 1u + 3 * 13 + 2);
  EXPECT_NEAR(ParseNumberPrefix(f[2 + 28]), 1.496e8, 0.02e8);  // the probe's orbit about the Sun
  // The elements of the previous situation never leak into a line.
  t->objref[2] = "";
  t->objref[3] = "";
  f = Fields(OrbitExportLine(*t));
  EXPECT_EQ(f[16], " 0");
  EXPECT_EQ(f[30], " 0");
}

}  // namespace
}  // namespace molvane

#include "files/situation.h"

#include <gtest/gtest.h>

#include <clocale>
#include <locale>
#include <memory>

#include "examples/fullsituation.h"
#include "testutil.h"

namespace molvane {
namespace {

using testing::DataPath;
using testing::ReadFile;

std::string Replace(std::string s, std::string_view from, std::string_view to) {
  size_t pos = 0;
  while ((pos = s.find(from, pos)) != std::string::npos) {
    s.replace(pos, from.size(), to);
    pos += to.size();
  }
  return s;
}

// The bytes between an opening tag line and its closing tag line, both
// included.
std::string Section(const std::string& file, const std::string& open, const std::string& close) {
  size_t a = file.find(open + "\r\n");
  size_t b = file.find(close + "\r\n", a);
  return file.substr(a, b + close.size() + 2 - a);
}

class SituationFileTest : public ::testing::Test {
 protected:
  void SetUp() override { bytes = ReadFile(DataPath("full.molv")); }
  ReadResult Read(const std::string& b) { return ReadSituation(b, State{}); }
  std::string bytes;
};

TEST_F(SituationFileTest, HandWrittenFileReadsIntoExactValues) {
  ReadResult r = Read(bytes);
  ASSERT_EQ(r.status, ReadStatus::Ok);
  EXPECT_FALSE(r.dropped.any());
  const SituationDocument& d = r.doc;

  ASSERT_EQ(d.distanceBoxes.size(), 2u);
  EXPECT_EQ(d.distanceBoxes[0], (BoxRecord{1200, 300, "Earth", "Moon", 2, 3}));
  EXPECT_EQ(d.distanceBoxes[1], (BoxRecord{-15, 4500.5f, "Sun", "Alpha, Centauri", 1, 4}));
  ASSERT_EQ(d.orbitBoxes.size(), 1u);
  EXPECT_EQ(d.orbitBoxes[0], (BoxRecord{600, 900, "Moon", "Reference Object", 3, 0}));

  const SDataRecord& s = d.sdata;
  EXPECT_EQ(s.scalePixel, 2.44140625e-9);
  EXPECT_EQ(s.secondsElapsed, 63113904000.0);
  EXPECT_EQ(s.timescale, 60.0);
  EXPECT_EQ(s.offsetX, 12.5);
  EXPECT_EQ(s.offsetY, -3.25);
  EXPECT_EQ(s.focusobj, 2);
  EXPECT_TRUE(s.menus);
  EXPECT_FALSE(s.llabels);
  EXPECT_EQ(s.hscroll, 500);
  EXPECT_EQ(s.vscroll, -2500);
  EXPECT_EQ(s.storedName, "/home/u/solar.molv");
  EXPECT_FALSE(s.rotatingOn);
  EXPECT_EQ(s.rotatingPeriod, 2000000.0);
  EXPECT_TRUE(s.timeForward);
  EXPECT_EQ(s.backColor, 16711680);
  EXPECT_EQ(s.windowState, 2);
  EXPECT_EQ(s.top, 120.0f);
  EXPECT_EQ(s.left, 240.0f);
  EXPECT_EQ(s.width, 9600.0f);
  EXPECT_EQ(s.height, 7200.0f);
  EXPECT_TRUE(s.titlebar);
  EXPECT_FALSE(s.exaggerate);
  EXPECT_EQ(s.minimumObjectSize, 2);
  EXPECT_EQ(s.exaggeratedObjectSize, 10);
  EXPECT_TRUE(s.anchor);
  EXPECT_TRUE(s.llabelsAgain);
  EXPECT_TRUE(s.trails);
  EXPECT_FALSE(s.pplot);
  EXPECT_EQ(s.currentFolder, "/home/u/");
  EXPECT_EQ(s.originalName, "/home/u/solar.molv");
  EXPECT_TRUE(s.autoSaveEnabled);
  EXPECT_EQ(s.autoSaveInterval, 86400.0f);
  EXPECT_EQ(s.savesMade, 3);
  EXPECT_EQ(s.maxSaves, 10);
  EXPECT_EQ(s.nextTime, 63114000000.0);

  EXPECT_TRUE(d.hasDashboard);
  EXPECT_EQ(d.dashboard[DashScreenScale].open, true);
  EXPECT_EQ(d.dashboard[DashScreenScale].top, 1500.0f);
  EXPECT_EQ(d.dashboard[DashScreenScale].left, 30.0f);
  EXPECT_FALSE(d.dashboard[DashTimeRate].open);
  EXPECT_TRUE(d.dashboard[DashFocusObject].open);
  EXPECT_FALSE(d.dashboard[DashDateAndTime].open);
  EXPECT_EQ(d.dashboard[DashGraphicsOptions].left, -1.5f);

  EXPECT_TRUE(d.hasCaptions);
  EXPECT_EQ(d.captions[0],
            (CaptionRecord{"  Inner, planets", "Arial", 12, 65535, true, false, false, true, 300, 450, 400, 3000}));
  EXPECT_EQ(d.captions[1].caption, "Line one\r\nLine two");
  EXPECT_EQ(d.captions[1].fontName, "DejaVu Sans");
  EXPECT_EQ(d.captions[1].width, 1800.25f);
  EXPECT_EQ(d.captions[2].caption, "");
  EXPECT_EQ(d.captions[3].caption, "</Captions>");
  EXPECT_EQ(d.captions[3].top, -30.0f);

  ASSERT_EQ(d.thrustPanels.size(), 1u);
  EXPECT_EQ(d.thrustPanels[0], (ThrustPanelRecord{100, 200, "1", " 0.5 ", 3, 1}));

  ASSERT_EQ(d.bodies.size(), 5u);
  EXPECT_EQ(d.bodies[1].name, "Sun");
  EXPECT_EQ(d.bodies[1].mass, 1198740458.01527);
  const BodyRecord& e = d.bodies[2];
  EXPECT_EQ(e, (BodyRecord{"Earth", 10800, "Sun", 16711680, 12756000, 149597870691.0, -1.5e16, 2.5e-5, 1787.1, -0.125,
                           0, 0.5f, -0.25f, 1e-5f}));
  EXPECT_EQ(d.bodies[3].name, "Alpha, Centauri");
  EXPECT_EQ(d.bodies[3].dirz, 60.0f);
  EXPECT_EQ(d.bodies[4].name, "<objects>");
  EXPECT_EQ(d.bodies[4].ref, " Sun");

  ASSERT_EQ(d.autopilot.size(), 2u);
  EXPECT_EQ(d.autopilot[0].line, "0000000001 THRUST Earth 100");
  EXPECT_EQ(d.autopilot[0].time, 63113904100.0);
  EXPECT_EQ(d.autopilot[0].note, "First burn, then coast");
  EXPECT_EQ(d.autopilot[1].line, "say \"hello\"");
  EXPECT_EQ(d.autopilot[1].time, 1.5e16);
  EXPECT_EQ(d.autopilot[1].note, "");
}

TEST_F(SituationFileTest, WritingTheReadDocumentGivesTheSameBytes) {
  for (const char* name : {"full.molv", "new-situation.molv"}) {
    std::string file = ReadFile(DataPath(name));
    ReadResult r = Read(file);
    ASSERT_EQ(r.status, ReadStatus::Ok) << name;
    EXPECT_TRUE(WriteSituation(r.doc) == file) << name;
  }
}

// The benchmarks' situation at every table limit reads back whole.
TEST_F(SituationFileTest, TheSituationAtEveryLimitReadsBackWhole) {
  auto s = std::make_unique<State>();
  FillFullSituation(*s);
  const std::string bytes = WriteSituation(DocumentFromState(*s));
  const ReadResult r = ReadSituation(bytes);
  ASSERT_EQ(r.status, ReadStatus::Ok);
  EXPECT_FALSE(r.dropped.any());
  EXPECT_TRUE(WriteSituation(r.doc) == bytes);
  EXPECT_EQ(r.doc.bodies.size(), size_t{MaxBodies + 1});
  for (const size_t n : {r.doc.distanceBoxes.size(), r.doc.orbitBoxes.size(), r.doc.thrustPanels.size()})
    EXPECT_EQ(n, size_t{MaxSlots});
  EXPECT_EQ(r.doc.autopilot.size(), size_t{MaxAutopilot});
  EXPECT_GT(r.doc.autopilot.front().time, s->SecondsElapsed + 1e8);  // none due in a benchmark's run
  for (const CaptionRecord& c : r.doc.captions) EXPECT_FALSE(c.caption.empty());
}

TEST_F(SituationFileTest, SameBytesUnderAGermanLocale) {
  ReadResult r = Read(bytes);
  std::string underC = WriteSituation(r.doc);
  const char* old = std::setlocale(LC_ALL, nullptr);
  std::string saved = old ? old : "C";
  const bool systemLocale =
      std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr || std::setlocale(LC_ALL, "de_DE.utf8") != nullptr;
  // Without the system's German locale data, a C++ locale with a decimal
  // comma and point grouping stands in for it (streams and std::locale users).
  struct GermanPunct : std::numpunct<char> {
    char do_decimal_point() const override { return ','; }
    char do_thousands_sep() const override { return '.'; }
    std::string do_grouping() const override { return "\3"; }
  };
  const std::locale previous = std::locale::global(std::locale(std::locale::classic(), new GermanPunct));
  ReadResult german = Read(bytes);
  std::string underDe = WriteSituation(german.doc);
  std::locale::global(previous);
  if (systemLocale) std::setlocale(LC_ALL, saved.c_str());
  EXPECT_EQ(german.doc, r.doc);
  EXPECT_EQ(underDe, underC);
}

// Sections are read by position: a record's lines are the files written
// before. Changing a count here needs a rule that still reads those files.
TEST_F(SituationFileTest, RecordsKeepTheLinesOfFilesWrittenBefore) {
  const SituationDocument d = Read(bytes).doc;
  const std::string out = WriteSituation(d);
  struct Row {
    const char *open, *close;
    size_t records, linesPerRecord, otherLines;
  };
  const Row rows[] = {
      {"<Distance Boxes>", "</Distance Boxes>", d.distanceBoxes.size(), 7, 0},
      {"<Orbit Boxes>", "</Orbit Boxes>", d.orbitBoxes.size(), 7, 0},
      {"<SData>", "</SData>", 1, 36, 0},
      {"<Command Buttons>", "</Command Buttons>", DashboardCount, 2, 0},
      {"<Captions>", "</captions>", MaxCaptions, 12, 0},
      {"<Thrust Box>", "</Thrust Box>", d.thrustPanels.size(), 7, 0},
      {"<Objects>", "</Objects>", d.bodies.size(), 19, 0},
      {"<Auto Pilot>", "</Auto Pilot>", d.autopilot.size(), 4, 1},  // the entry count
  };
  for (const Row& r : rows) {
    ASSERT_GT(r.records, 0u) << r.open;
    const std::string section = Section(out, r.open, r.close);
    size_t lines = 0;  // between the tags; a bare line feed inside a text is no line end
    for (size_t at = section.find("\r\n"); at != std::string::npos; at = section.find("\r\n", at + 2)) ++lines;
    lines -= 2;
    EXPECT_EQ(lines, r.records * r.linesPerRecord + r.otherLines)
        << r.open << ": a record's length changed; files written before read by position";
  }
}

TEST_F(SituationFileTest, ToleratesLineFeedsReorderedSectionsAndOtherSpellings) {
  SituationDocument want = Read(bytes).doc;

  // Bare line feeds, and bare carriage returns.
  EXPECT_EQ(Read(Replace(bytes, "\r\n", "\n")).doc, want);
  EXPECT_EQ(Read(Replace(bytes, "\r\n", "\r")).doc, want);

  // The last list ends at the end-of-file tag.
  EXPECT_EQ(Read(Replace(bytes, "</Auto Pilot>\r\n", "")).doc, want);

  // Sections in another order.
  std::string objects = Section(bytes, "<Objects>", "</Objects>");
  std::string sdata = Section(bytes, "<SData>", "</SData>");
  std::string moved = Replace(Replace(bytes, objects, ""), sdata, "");
  moved = Replace(moved, "<MoLVANE>\r\n", "<MoLVANE>\r\n" + objects);
  moved = Replace(moved, "</MoLVANE>\r\n", sdata + "</MoLVANE>\r\n");
  ASSERT_NE(moved, bytes);
  EXPECT_EQ(Read(moved).doc, want);

  // Flags as "tRUE", -1 and 0; numbers with exponents and inner blanks; the
  // end tag in another letter case.
  std::string spelled = Replace(bytes, "\r\nTrue\r\nFalse\r\n 500\r\n", "\r\ntRUE\r\n0\r\n 5E2\r\n");
  spelled = Replace(spelled, "</SData>", "</SData>");
  spelled = Replace(spelled, " 1198740458.01527\r\n", " 1 198 740 458.01527e0\r\n");
  spelled = Replace(spelled, "\r\nTrue\r\n 86400\r\n", "\r\n-1\r\n 8.64e+4\r\n");
  spelled = Replace(spelled, "</MoLVANE>", "</molvane>");
  ASSERT_NE(spelled, bytes);
  EXPECT_EQ(Read(spelled).doc, want);
}

TEST_F(SituationFileTest, ReservedLinesAndSeparatorsAreNotRead) {
  std::string other = Replace(bytes, "Reserved for future use", "x, y");
  ReadResult r = Read(other);
  // "x, y" is two items: the record is then cut and the file damaged, so the
  // reserved lines may hold anything but a comma; a single item is skipped.
  EXPECT_EQ(r.status, ReadStatus::Damaged);
  other = Replace(bytes, "Reserved for future use", "anything at all");
  EXPECT_EQ(Read(other).doc, Read(bytes).doc);
}

TEST_F(SituationFileTest, FreeTextNeedingQuotesSurvivesTheRoundTrip) {
  SituationDocument d = Read(bytes).doc;
  d.bodies[1].name = "a,b";
  d.bodies[2].name = " lead";
  d.bodies[2].ref = "trail ";
  d.bodies[3].name = "q\"uote";
  d.bodies[4].name = "</AUTO PILOT>";
  d.bodies[4].ref = "\"starts";
  d.bodies[0].name = "</Objects>";
  d.bodies[0].ref = "</molvane>";
  d.orbitBoxes[0].list2 = "<MoLVANE>";
  d.distanceBoxes[0].list1 = "<SDATA>";
  d.thrustPanels[0].text1 = "1,2";
  d.sdata.storedName = "/home/u/a, b.molv";
  d.captions[2].caption = "two\nlines\r\nand, more";
  d.captions[2].fontName = "</captions>";
  d.autopilot[0].note = " x \"y\" \r\n";
  d.autopilot[0].line = "</Auto Pilot>";
  ReadResult r = Read(WriteSituation(d));
  ASSERT_EQ(r.status, ReadStatus::Ok);
  EXPECT_EQ(r.doc, d);
}

TEST_F(SituationFileTest, EmptyListsAreTheirTagsOnly) {
  State s;
  s.objects = 0;
  std::string out = WriteSituation(DocumentFromState(s));
  EXPECT_NE(out.find("<Distance Boxes>\r\n</Distance Boxes>\r\n<Orbit Boxes>\r\n</Orbit Boxes>\r\n"),
            std::string::npos);
  EXPECT_NE(out.find("<Thrust Box>\r\n</Thrust Box>\r\n"), std::string::npos);
  EXPECT_NE(out.find("<Auto Pilot>\r\n 0\r\n</Auto Pilot>\r\n</MoLVANE>\r\n"), std::string::npos);
  EXPECT_NE(out.find("<Command Buttons>\r\n-1\r\n-1\r\n-1\r\n"), std::string::npos);
}

TEST_F(SituationFileTest, SDataLine31NamesTheOriginalOnlyForTheResumeFile) {
  State s;
  s.isitname = "/d/resume.molv";
  s.OriginalSituationName = "/home/u/solar.molv";
  EXPECT_EQ(DocumentFromState(s).sdata.originalName, "/home/u/solar.molv");
  s.isitname = "/d/Resume.molv";
  EXPECT_EQ(DocumentFromState(s).sdata.originalName, "/d/Resume.molv");
  // Line 30 is the folder as pwd prints it.
  for (auto [folder, line30] : {std::pair{"/home/u/", "/home/u"}, {"/", "/"}, {"", ""}}) {
    s.CurrentFolder = folder;
    EXPECT_EQ(DocumentFromState(s).sdata.currentFolder, line30);
  }
}

// ---- Faults: damaged, foreign and oversized input.

TEST_F(SituationFileTest, DamagedFilesAreRefused) {
  auto status = [&](const std::string& b) { return Read(b).status; };
  // Truncated anywhere: the end tag is missing.
  for (size_t cut : {bytes.size() / 4, bytes.size() / 2, bytes.size() - 14})
    EXPECT_EQ(status(bytes.substr(0, cut)), ReadStatus::Damaged) << cut;
  // A list section without its closing tag that runs into the next section.
  EXPECT_EQ(status(Replace(bytes, "</Objects>\r\n", "")), ReadStatus::Damaged);
  EXPECT_EQ(status(Replace(bytes, "</Distance Boxes>\r\n", "")), ReadStatus::Damaged);
  // A record cut short, also by the end-of-file tag.
  EXPECT_EQ(status(Replace(bytes, "\"\"\r\n</Auto Pilot>\r\n", "")), ReadStatus::Damaged);
  EXPECT_EQ(status(Replace(bytes, " 4500.5\r\n", "")), ReadStatus::Damaged);
  EXPECT_EQ(status(Replace(bytes, "-.25\r\n", "")), ReadStatus::Damaged);
  // A positional section cut short or missing SData.
  EXPECT_EQ(status(Replace(bytes, " 63114000000\r\n", "")), ReadStatus::Damaged);
  EXPECT_EQ(status(Replace(bytes, "<SData>", "<XData>")), ReadStatus::Damaged);
  EXPECT_EQ(status(Replace(bytes, " 9.5\r\n", "")), ReadStatus::Damaged);
  // A time step of 0 or less.
  EXPECT_EQ(status(Replace(bytes, "\r\n 60\r\n 12.5\r\n", "\r\n 0\r\n 12.5\r\n")), ReadStatus::Damaged);
  EXPECT_EQ(status(Replace(bytes, "\r\n 60\r\n 12.5\r\n", "\r\n-60\r\n 12.5\r\n")), ReadStatus::Damaged);
}

TEST_F(SituationFileTest, ForeignFilesAreNotSituations) {
  EXPECT_EQ(Read("").status, ReadStatus::NotSituation);
  EXPECT_EQ(Read("hello, world\r\n").status, ReadStatus::NotSituation);
  EXPECT_EQ(Read("\"<MoLVANE>\"" + bytes.substr(9)).status, ReadStatus::NotSituation);
  EXPECT_EQ(Read(" <MoLVANE> \r\n</MoLVANE>\r\n").status, ReadStatus::Damaged);  // blanks dropped
  EXPECT_EQ(Read("mOLVANE\r\n 3\r\n").status, ReadStatus::ValueList);
}

TEST_F(SituationFileTest, OptionalSectionsMayBeMissing) {
  std::string b = Replace(bytes, Section(bytes, "<Orbit Boxes>", "</Orbit Boxes>"), "");
  b = Replace(b, Section(b, "<Command Buttons>", "</Command Buttons>"), "");
  b = Replace(b, Section(b, "<Captions>", "</captions>"), "");
  ReadResult r = Read(b);
  ASSERT_EQ(r.status, ReadStatus::Ok);
  EXPECT_TRUE(r.doc.orbitBoxes.empty());
  EXPECT_FALSE(r.doc.hasDashboard);
  EXPECT_FALSE(r.doc.hasCaptions);
  EXPECT_EQ(Read(WriteSituation(r.doc)).doc, r.doc);
}

TEST_F(SituationFileTest, EmptyBodiesSectionGivesNoBodies) {
  std::string b = Replace(bytes, Section(bytes, "<Objects>", "</Objects>"), "<Objects>\r\n</Objects>\r\n");
  ReadResult r = Read(b);
  ASSERT_EQ(r.status, ReadStatus::Ok);
  EXPECT_TRUE(r.doc.bodies.empty());
  // Every body index then falls back to 0.
  EXPECT_EQ(r.doc.sdata.focusobj, 0);
  EXPECT_EQ(r.doc.distanceBoxes[0].bodyA, 0);
  EXPECT_EQ(r.doc.thrustPanels[0].cpobject, 0);
  EXPECT_NE(WriteSituation(r.doc).find("\r\n 0\r\nTrue\r\nFalse\r\n"), std::string::npos);
}

// A box's body that had gone when the file was written (-1) stays gone.
TEST_F(SituationFileTest, IndicesOutsideTheBodiesBecomeZero) {
  std::string b = Replace(bytes, " 1\r\n 4\r\n</Distance Boxes>", " -1\r\n 5\r\n</Distance Boxes>");
  b = Replace(b, " 3\r\n 0\r\n</Orbit Boxes>", " 1000\r\n 7\r\n</Orbit Boxes>");
  b = Replace(b, " 3\r\n 1\r\n</Thrust Box>", " 4\r\n-3\r\n</Thrust Box>");
  b = Replace(b, "-3.25\r\n 2\r\n", "-3.25\r\n 99\r\n");
  ReadResult r = Read(b);
  ASSERT_EQ(r.status, ReadStatus::Ok);
  EXPECT_EQ(r.doc.distanceBoxes[1].bodyA, NoBody);
  EXPECT_EQ(r.doc.distanceBoxes[1].bodyB, 0);
  EXPECT_EQ(r.doc.orbitBoxes[0].bodyA, 0);
  EXPECT_EQ(r.doc.orbitBoxes[0].bodyB, 0);
  EXPECT_EQ(r.doc.thrustPanels[0].cpobject, 4);
  EXPECT_EQ(r.doc.thrustPanels[0].cpreference, 0);
  EXPECT_EQ(r.doc.sdata.focusobj, 0);
}

TEST_F(SituationFileTest, UnusableNumbersKeepTheCurrentValues) {
  State cur;
  cur.objmass[2] = 77;
  cur.objx[2] = 5;
  cur.objcolor[2] = 9;
  cur.MinimumObjectSize = 4;
  cur.ScalePixel = 1e-6;
  cur.timescale = 2;
  cur.menus = false;
  std::string b = Replace(bytes, " 10800\r\n", " 1E999\r\n");                    // not finite
  b = Replace(b, " 149597870691\r\n", "-1e400\r\n");                             // not finite
  b = Replace(b, "Sun\r\n 16711680\r\n", "Sun\r\n 1E10\r\n");                    // no 32-bit fit
  b = Replace(b, "\r\n 2\r\n 10\r\nTrue\r\n", "\r\n 40000\r\n 10\r\nTrue\r\n");  // no 16-bit fit
  b = Replace(b, " 2.44140625E-09\r\n", "-5\r\n");                               // scale <= 0
  b = Replace(b, "\r\n 60\r\n 12.5\r\n", "\r\n 1e999\r\n 12.5\r\n");             // time step not finite
  b = Replace(b, " 2\r\n 4\r\nTrue\r\n", " 2\r\n 4\r\nmaybe\r\n");               // not a flag
  ReadResult r = ReadSituation(b, cur);
  ASSERT_EQ(r.status, ReadStatus::Ok);
  EXPECT_EQ(r.doc.bodies[2].mass, 77.0);
  EXPECT_EQ(r.doc.bodies[2].x, 5.0);
  EXPECT_EQ(r.doc.bodies[2].color, 9);
  EXPECT_EQ(r.doc.sdata.minimumObjectSize, 4);
  EXPECT_EQ(r.doc.sdata.scalePixel, 1e-6);
  EXPECT_EQ(r.doc.sdata.timescale, 2.0);
  EXPECT_FALSE(r.doc.sdata.menus);
  // A strict number that is no number keeps the new box's 0.
  b = Replace(bytes, " 1200\r\n", " 12x\r\n");
  EXPECT_EQ(Read(b).doc.distanceBoxes[0].left, 0.0f);
}

// These lines do not keep the current value when they do not read.
TEST_F(SituationFileTest, SomeLinesFallBackToAValueOfTheirOwn) {
  State cur;
  cur.llabels = true;
  cur.autoSave.enabled = true;
  cur.captions[1].width = 77;
  std::string b = Replace(bytes, " 450\r\n 400\r\n 3000\r\n", " 450\r\n 400\r\n 1e999\r\n");  // caption 1 width
  b = Replace(b, "True\r\nTrue\r\nTrue\r\nFalse\r\n/home/u/\r\n", "True\r\nx\r\nTrue\r\nFalse\r\n/home/u/\r\n");
  b = Replace(b, "solar.molv\r\nTrue\r\n 86400\r\n", "solar.molv\r\nx\r\n 86400\r\n");
  ReadResult r = ReadSituation(b, cur);
  ASSERT_EQ(r.status, ReadStatus::Ok);
  EXPECT_EQ(r.doc.captions[0].width, 3.0f);   // the width the load resets to
  EXPECT_FALSE(r.doc.sdata.llabelsAgain);     // line 27: line 9's
  EXPECT_FALSE(r.doc.sdata.autoSaveEnabled);  // line 32: the load switched it off
}

// Unlike the boxes, a thrust panel takes the number an item begins with.
TEST_F(SituationFileTest, ThrustPanelNumbersAreReadFromTheirStart) {
  std::string b = Replace(bytes, "<Thrust Box>\r\n \r\n 100\r\n 200\r\n", "<Thrust Box>\r\n \r\n 100x\r\n 2 00\r\n");
  EXPECT_EQ(Read(b).doc.thrustPanels[0], (ThrustPanelRecord{100, 200, "1", " 0.5 ", 3, 1}));
}

TEST_F(SituationFileTest, RecordsBeyondTheTablesAreDroppedAndCounted) {
  std::string body = Section(bytes, "<Objects>", "</Objects>");
  std::string oneBody = body.substr(body.find(" \r\nEarth"), body.find(" \r\n\"Alpha") - body.find(" \r\nEarth"));
  std::string many;
  for (int i = 0; i < 1000; ++i) many += oneBody;
  std::string box = Section(bytes, "<Orbit Boxes>", "</Orbit Boxes>");
  std::string oneBox = box.substr(13 + 2, box.size() - 15 - 16);
  std::string boxes;
  for (int i = 0; i < 103; ++i) boxes += oneBox;
  std::string entries;
  for (int i = 0; i < 1002; ++i) entries += " \r\n\"L\"\r\n " + std::to_string(i) + "\r\n\"\"\r\n";
  std::string b = Replace(bytes, "</Objects>\r\n", many + "</Objects>\r\n");
  b = Replace(b, "</Orbit Boxes>\r\n", boxes + "</Orbit Boxes>\r\n");
  b = Replace(b, Section(b, "<Auto Pilot>", "</Auto Pilot>"),
              "<Auto Pilot>\r\n 5000\r\n" + entries + "</Auto Pilot>\r\n");
  ReadResult r = Read(b);
  ASSERT_EQ(r.status, ReadStatus::Ok);
  EXPECT_EQ(r.doc.bodies.size(), 1001u);
  EXPECT_EQ(r.doc.bodies[4].name, "<objects>");  // the first ones are kept
  EXPECT_EQ(r.doc.orbitBoxes.size(), 100u);
  EXPECT_EQ(r.doc.autopilot.size(), 1000u);
  EXPECT_EQ(r.dropped.bodies, 4);
  EXPECT_EQ(r.dropped.orbitBoxes, 4);
  EXPECT_EQ(r.dropped.autopilot, 2);
  EXPECT_EQ(DescribeDropped(r.dropped), "4 bodies, 4 orbit boxes, 2 autopilot entries");
  EXPECT_EQ(Read(WriteSituation(r.doc)).doc, r.doc);
}

TEST_F(SituationFileTest, AutopilotCountIsClampedToTheRecords) {
  auto withCount = [&](const std::string& c) {
    return Read(Replace(bytes, "<Auto Pilot>\r\n 2\r\n", "<Auto Pilot>\r\n" + c + "\r\n")).doc.autopilot.size();
  };
  EXPECT_EQ(withCount(" 9"), 2u);
  EXPECT_EQ(withCount(" 1"), 1u);
  EXPECT_EQ(withCount("-4"), 0u);
  EXPECT_EQ(withCount("x"), 0u);
  EXPECT_EQ(withCount(" 1e999"), 2u);
  std::string none =
      Replace(bytes, Section(bytes, "<Auto Pilot>", "</Auto Pilot>"), "<Auto Pilot>\r\n</Auto Pilot>\r\n");
  ReadResult r = Read(none);
  EXPECT_EQ(r.status, ReadStatus::Ok);
  EXPECT_TRUE(r.doc.autopilot.empty());
}

TEST_F(SituationFileTest, DashboardTopOfMinusOneReadsAsClosed) {
  std::string b = Replace(bytes, "<Command Buttons>\r\n 1500\r\n", "<Command Buttons>\r\n-1.0\r\n");
  EXPECT_FALSE(Read(b).doc.dashboard[DashScreenScale].open);
  b = Replace(bytes, "<Command Buttons>\r\n 1500\r\n", "<Command Buttons>\r\n-1abc\r\n");
  SituationDocument d = Read(b).doc;
  EXPECT_FALSE(d.dashboard[DashScreenScale].open);
  EXPECT_EQ(Read(WriteSituation(d)).doc, d);
}

}  // namespace
}  // namespace molvane

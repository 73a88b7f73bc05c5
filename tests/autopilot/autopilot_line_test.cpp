#include "autopilot/autopilot_line.h"

#include <gtest/gtest.h>

#include "engine/calendar.h"
#include "tests/autopilot/autopilot_test_support.h"

namespace molvane {
namespace {

using testing::kDate;
using testing::Pad;
using testing::Word;

constexpr double kW = 12000, kH = 9000;  // main window, twips

std::string Compose(const AutopilotFields& f) { return ComposeAutopilotLine(kDate, f, kW, kH); }

AutopilotFields ReadBack(const std::string& line) {
  AutopilotFields f;
  f.plot = false;
  EXPECT_TRUE(ReadAutopilotLine(line, kW, kH, f)) << line;
  return f;
}

TEST(AutopilotDateField, ComposesColumnsAndReadsNegativeYearsBack) {
  EXPECT_EQ(ComposeAutopilotDateField(2005, 5, 12, 8, 30, 15.4), kDate);
  // Seconds are rounded first; a half goes to the even neighbour.
  EXPECT_EQ(ComposeAutopilotDateField(2005, 5, 12, 8, 30, 14.5), "05 12 2005     08 30 14");

  const std::string bc = ComposeAutopilotDateField(-44, 3, 15, 12, 0, 0);
  EXPECT_EQ(bc, "03 15-44       12 00 00");
  EXPECT_EQ(bc[5], '-');  // the sign stands in column 6

  // Reading gives the time whose calendar text is the field again.
  for (double year : {-44.0, -1.0, -400.0, -401.0, 0.0, 2005.0}) {
    const std::string field = ComposeAutopilotDateField(year, 3, 15, 12, 0, 0);
    const double t = AutopilotLineTime(field + " Pause");
    EXPECT_EQ(FormatDateTimeText(t), field) << year;
  }
  EXPECT_EQ(AutopilotLineTime("12 31-1        23 59 59"), -1);
  EXPECT_EQ(AutopilotLineTime("01 01 0        00 00 00 Pause"), 0);
  EXPECT_LT(AutopilotLineTime(bc), AutopilotLineTime("03 15 44       12 00 00") - 80 * 365 * 86400.0);
}

TEST(AutopilotDateField, SplitsCalendarTextForTheEditor) {
  const DateTimeFields f = SplitDateTimeText(Pad("05 12-5", 15) + "08 30 15");
  EXPECT_EQ(f.month, "05");
  EXPECT_EQ(f.day, "12");
  EXPECT_EQ(f.year, "-5");
  EXPECT_EQ(f.hour, "08");
  EXPECT_EQ(f.minute, "30");
  EXPECT_EQ(f.second, "15");
}

TEST(AutopilotLine, WordsWithoutParameters) {
  AutopilotFields f;
  f.word = "Pause";
  EXPECT_EQ(Compose(f), Word("Pause"));
  f.word = "Clear Screen";
  EXPECT_EQ(Compose(f), Word("Clear Screen"));
  f.word = "Zoom";
  f.zoom = ZoomOption::In;
  EXPECT_EQ(Compose(f), Word("Zoom 2x"));
  EXPECT_EQ(Compose(f).size(), 44u);
  f.zoom = ZoomOption::Out;
  EXPECT_EQ(Compose(f), kDate + " Zoom .5x" + std::string(14, ' '));
  EXPECT_EQ(Compose(f).size(), 46u);
  EXPECT_EQ(ReadBack(Compose(f)).zoom, ZoomOption::Out);

  // No word or an unknown one: the date field and one blank.
  f.word = "";
  EXPECT_EQ(Compose(f), kDate + " ");
  f.word = "Warp";
  EXPECT_EQ(Compose(f), kDate + " ");
  AutopilotFields g;
  g.word = "stale";
  EXPECT_FALSE(ReadAutopilotLine(kDate + " ", kW, kH, g));
  EXPECT_EQ(g.word, "");
}

TEST(AutopilotLine, BodyCommands) {
  AutopilotFields f;
  f.word = "Thrust";
  f.thrustInitiate = true;
  f.object = "Earth";
  f.thrustRate = "9.81";
  std::string line = Compose(f);
  EXPECT_EQ(line, Pad(Word("Thrust Initiate") + "Earth", 66) + Pad("9.81", 20));
  AutopilotFields r = ReadBack(line);
  EXPECT_EQ(r.word, "Thrust");
  EXPECT_TRUE(r.thrustInitiate);
  EXPECT_EQ(r.object, "Earth");
  EXPECT_EQ(r.thrustRate, "9.81");

  f.thrustInitiate = false;
  line = Compose(f);
  EXPECT_EQ(line.substr(24, 20), "Thrust Cut Off      ");
  EXPECT_FALSE(ReadBack(line).thrustInitiate);

  f.word = "Orient Toward";
  f.reference = "Sun";
  line = Compose(f);
  EXPECT_EQ(line, Pad(Word("Orient Toward") + "Earth", 66) + Pad("Sun", 20));
  r = ReadBack(line);
  EXPECT_EQ(r.word, "Orient Toward");
  EXPECT_EQ(r.reference, "Sun");

  // A 22-character name fills its field and reads back whole.
  f.object = "Twenty-two characters!";
  ASSERT_EQ(f.object.size(), 22u);
  line = Compose(f);
  EXPECT_EQ(line.size(), 86u);
  EXPECT_EQ(ReadBack(line).object, f.object);

  f.word = "Orient Custom";
  f.object = "Probe 1";
  f.azimuth = "90";
  f.altitude = "-12.5";
  line = Compose(f);
  EXPECT_EQ(line, Pad(Pad(Word("Orient Custom") + "Probe 1", 66) + "90", 86) + Pad("-12.5", 20));
  r = ReadBack(line);
  EXPECT_EQ(r.azimuth, "90");
  EXPECT_EQ(r.altitude, "-12.5");
}

TEST(AutopilotLine, ViewAndTimeCommands) {
  AutopilotFields f;
  f.word = "Zoom";
  f.zoom = ZoomOption::Specify;
  f.zoomValue = "2.5";
  f.zoomUnit = "AU";
  std::string line = Compose(f);
  EXPECT_EQ(line, Word("Zoom") + "2.5AU");
  AutopilotFields r = ReadBack(line);
  EXPECT_EQ(r.zoom, ZoomOption::Specify);
  EXPECT_EQ(r.zoomValue, "2.5");
  EXPECT_EQ(r.zoomUnit, "AU");

  f.word = "Graphics";
  f.trails = true;
  f.labels = false;
  f.images = false;
  f.plot = true;
  f.exaggerate = true;
  line = Compose(f);
  EXPECT_EQ(line, Word("Graphics") + "Trails Plot  Ex " + std::string(10, ' '));
  r = ReadBack(line);
  EXPECT_TRUE(r.trails && r.plot && r.exaggerate);
  EXPECT_FALSE(r.labels || r.images);

  f.word = "Time Scale";
  f.timeScaleValue = "5";
  f.timeScaleUnit = TimeScaleUnit::Days;
  line = Compose(f);
  EXPECT_EQ(line, Word("Time Scale") + "5 Days   ");
  r = ReadBack(line);
  EXPECT_EQ(r.timeScaleValue, "5");
  EXPECT_EQ(r.timeScaleUnit, TimeScaleUnit::Days);

  f.word = "Rotating Frame";
  f.rotatePeriod = "31557600";
  f.clockwise = false;
  line = Compose(f);
  EXPECT_EQ(line, Pad(Word("Rotating Frame") + "31557600", 64) + "False");
  r = ReadBack(line);
  EXPECT_EQ(r.rotatePeriod, "31557600");
  EXPECT_FALSE(r.clockwise);

  f.word = "Focus";
  f.perspective = "Absolute";
  f.object = "Earth";
  f.offsetX = "1.5";
  f.offsetY = "-2";
  f.offsetZ = "0";
  f.offsetUnit = "AU";
  line = Compose(f);
  EXPECT_EQ(line, Pad(Pad(Pad(Word("Focus") + "Absolute Earth ", 74) + "1.5", 94) + "-2 ", 114) + Pad("0 ", 20) + "AU");
  EXPECT_EQ(line.size(), 136u);
  r = ReadBack(line);
  EXPECT_EQ(r.perspective, "Absolute");
  EXPECT_EQ(r.object, "Earth");
  EXPECT_EQ(r.offsetX, "1.5");
  EXPECT_EQ(r.offsetY, "-2");
  EXPECT_EQ(r.offsetUnit, "AU");

  // An X offset of 20 characters stays out of the Y field.
  f.offsetX = "12345678901234567890";
  EXPECT_EQ(ReadBack(Compose(f)).offsetY, "-2");
}

TEST(AutopilotLine, FilesProbesAndCaptions) {
  AutopilotFields f;
  f.word = "Save";
  f.fileName = "/home/pilot/flights/" + std::string(120, 'a') + ".molv";
  std::string line = Compose(f);
  EXPECT_EQ(line, Word("Save") + f.fileName);
  EXPECT_EQ(ReadBack(line).fileName, f.fileName);
  f.word = "Open";
  f.fileName = "../tours/next.molv";
  EXPECT_EQ(Compose(f), Word("Open") + "../tours/next.molv");

  f.word = "Release Probe";
  f.object = "Earth";
  f.probeName = "Probe 1";
  f.probeColour = 123456;
  f.probeMass = 1 * ProbeMassFactorKg;
  f.deductMass = true;
  f.azimuth = "45";
  f.altitude = "10";
  f.probeSize = "2";
  line = Compose(f);
  EXPECT_EQ(line.size(), 216u);
  EXPECT_EQ(line.substr(44, 22), Pad("Earth", 22));
  EXPECT_EQ(line.substr(66, 20), Pad("Probe 1", 20));
  EXPECT_EQ(line.substr(86, 20), Pad(" 123456", 20));
  EXPECT_EQ(line.substr(106, 4), " 1.6");  // 1 kg in Earth masses, exponent form
  EXPECT_NE(line.substr(106, 30).find("E-25"), std::string::npos);
  EXPECT_EQ(line.substr(136, 20), Pad(" 1", 20));
  EXPECT_EQ(line.substr(156, 20), Pad("45", 20));
  EXPECT_EQ(line.substr(176, 20), Pad("10", 20));
  EXPECT_EQ(line.substr(196, 20), Pad("2", 20));
  AutopilotFields r = ReadBack(line);
  EXPECT_EQ(r.object, "Earth");
  EXPECT_EQ(r.probeName, "Probe 1");
  EXPECT_EQ(r.probeColour, 123456);
  EXPECT_NEAR(r.probeMass, 1 / 5.9736e24, 1e-39);  // 15 significant digits
  EXPECT_TRUE(r.deductMass);

  f.word = "Caption";
  CaptionDefinition& c = f.caption;
  c.slot = 2;
  c.fontName = "Arial";
  c.fontSize = 1200;  // a tenth of the window's width
  c.foreColor = 255;
  c.left = 600;
  c.top = 900;
  c.width = 6000;
  c.height = 1800;
  c.bold = true;
  c.italic = true;
  c.text = "Hello";
  line = Compose(f);
  EXPECT_EQ(
      line,
      Pad(Pad(Pad(Pad(Pad(Pad(Pad(Pad(Word("Caption") + " 2", 50) + "Arial", 90) + " .1", 120) + " 255", 150) + " .05",
                      180) +
                      " .1",
                  210) +
                  " .5",
              240) +
              " .2",
          270) +
          "yynnnHello");
  r = ReadBack(line);
  EXPECT_EQ(r.caption.slot, 2);
  EXPECT_EQ(r.caption.fontName, "Arial");
  EXPECT_DOUBLE_EQ(r.caption.fontSize, 1200);
  EXPECT_EQ(r.caption.foreColor, 255);
  EXPECT_EQ(r.caption.left, 600);
  EXPECT_EQ(r.caption.top, 900);
  EXPECT_EQ(r.caption.width, 6000);
  EXPECT_EQ(r.caption.height, 1800);
  EXPECT_TRUE(r.caption.bold && r.caption.italic);
  EXPECT_FALSE(r.caption.underline || r.caption.strikethru);
  EXPECT_EQ(r.caption.text, "Hello");

  c.text = "";
  EXPECT_EQ(Compose(f).size(), 275u);
}

}  // namespace
}  // namespace molvane

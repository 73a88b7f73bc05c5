#include "autopilot/autopilot_line.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "engine/calendar.h"
#include "engine/numtext.h"

namespace molvane {

namespace {

constexpr double SecondsPer400Years = 12622780800.0;

void PadTo(std::string& line, size_t n) {
  if (line.size() < n) line.append(n - line.size(), ' ');
}

std::string TrimRight(std::string_view t) {
  size_t n = t.size();
  while (n > 0 && t[n - 1] == ' ') --n;
  return std::string(t.substr(0, n));
}

std::string Trim(std::string_view t) {
  size_t b = 0;
  while (b < t.size() && t[b] == ' ') ++b;
  return TrimRight(t.substr(b));
}

std::string_view LastChars(std::string_view line, size_t n) {
  return line.size() <= n ? line : line.substr(line.size() - n);
}

// Ratio of a caption value to the window's size; 0 for a window of no size.
double Ratio(double value, double size) {
  if (size == 0) return 0;
  const double r = value / size;
  return std::isfinite(r) ? r : 0;
}

int32_t RoundedInt(double v) {
  int32_t out = 0;
  AssignNumber(v, out);
  return out;
}

bool IsUnit(std::string_view u) { return u == "Km" || u == "AU" || u == "LY"; }

}  // namespace

std::string_view LineColumns(std::string_view line, int from, int to) {
  if (from < 1) from = 1;
  const size_t start = static_cast<size_t>(from - 1);
  if (start >= line.size()) return {};
  if (to < 0) return line.substr(start);
  if (to < from) return {};
  return line.substr(start, static_cast<size_t>(to - from + 1));
}

std::string LineText(std::string_view line, int from, int to) { return TrimRight(LineColumns(line, from, to)); }

double LineNumber(std::string_view line, int from, int to) { return ParseNumberPrefix(LineColumns(line, from, to)); }

double LineFieldNumber(std::string_view line, int from, int to) {
  return ParseNumberPrefix(LineColumns(line, from, to), true);
}

std::string_view LineEnd(std::string_view line, size_t n) { return LastChars(line, n); }

bool ReadClockwise(std::string_view line, bool& clockwise) {
  std::string text = Trim(LineColumns(line, 65, 84));
  std::string lower = text;
  for (char& ch : lower) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
  double v = 0;
  if (lower == "true" || lower == "false") {
    clockwise = lower == "true";
  } else if (ParseWholeNumber(text, &v) && std::isfinite(v)) {
    clockwise = v != 0;
  } else {
    return false;
  }
  return true;
}

double AutopilotUnitMetres(const State& s, std::string_view unit) {
  if (unit == "Km") return 1000.0;
  if (unit == "AU") return s.AstronomicalUnit;
  if (unit == "LY") return LightYearMetres;
  return 0;
}

// ---- Date field.

std::string ComposeAutopilotDateField(double year, double month, double day, double hour, double minute,
                                      double second) {
  int16_t sec = 0;
  if (!AssignNumber(second, sec) && std::isfinite(second)) {
    sec = second < 0 ? INT16_MIN : INT16_MAX;
  }
  return ComposeDateTimeText(year, month, day, hour, minute, sec);
}

double AutopilotLineTime(std::string_view line) {
  const std::string_view field = LineColumns(line, 1, 23);
  if (field.size() > 15 && field[5] == '-') {
    // A negative year: move it into the 400-year cycle that starts at or
    // before it, where the calendar reads it as a plain positive year, and
    // take the whole cycles back off.
    const double year = ParseNumberPrefix(field.substr(5, 10));
    if (std::isfinite(year)) {
      const double cycles = std::floor(year / 400);
      const std::string inCycle = ShortText(year - cycles * 400);
      if (inCycle.size() <= 10) {
        std::string text(field.substr(0, 5));
        text += inCycle;
        PadTo(text, 15);
        text += field.substr(15);
        return ParseDateTimeText(text) + cycles * SecondsPer400Years;
      }
    }
  }
  return ParseDateTimeText(field);
}

DateTimeFields SplitDateTimeText(std::string_view text) {
  DateTimeFields f;
  f.month = Trim(LineColumns(text, 1, 2));
  f.day = Trim(LineColumns(text, 4, 5));
  f.year = Trim(LineColumns(text, 6, 15));
  f.hour = Trim(LineColumns(text, 16, 17));
  f.minute = Trim(LineColumns(text, 19, 20));
  f.second = Trim(LastChars(text, 2));
  return f;
}

// ---- What the editor refuses.

namespace {

std::string Whole(double v) { return GeneralText(static_cast<int64_t>(v)); }

}  // namespace

std::string AutopilotTimeProblem(std::string_view year, std::string_view month, std::string_view day,
                                 std::string_view hour, std::string_view minute, std::string_view second) {
  struct Range {
    const char* name;
    std::string_view text;
    double from, to;
    double value = 0;
  };
  Range fields[] = {{"Month", month, 1, 12}, {"Day", day, 1, 31}, {"Hour", hour, 0, 23}, {"Minute", minute, 0, 59}};
  for (Range& r : fields) {
    if (!ParseWholeNumber(r.text, &r.value) || r.value != std::floor(r.value) || r.value < r.from || r.value > r.to) {
      return std::string(r.name) + " must be a whole number from " + Whole(r.from) + " to " + Whole(r.to) + ".";
    }
  }
  double sec = 0;
  if (!ParseWholeNumber(second, &sec) || !(RoundHalfEven(sec) >= 0 && RoundHalfEven(sec) <= 59)) {
    return "Seconds must be a number from 0 to 59 (rounded to a whole second).";
  }
  double y = 0;
  if (!ParseWholeNumber(year, &y) || y != std::floor(y) || std::fabs(y) > LastExactYear) {
    return YearRangeMessage();
  }
  const double mo = fields[0].value, d = fields[1].value;
  const double t = AutopilotLineTime(ComposeAutopilotDateField(y, mo, d, fields[2].value, fields[3].value, sec));
  const DateTimeFields back = SplitDateTimeText(FormatDateTimeText(t));
  double backMonth = 0, backDay = 0;
  if (!std::isfinite(t) || !ParseWholeNumber(back.month, &backMonth) || !ParseWholeNumber(back.day, &backDay) ||
      backMonth != mo || backDay != d) {
    return "Day " + Whole(d) + " is not in month " + Whole(mo) + " of year " + Whole(y) + ".";
  }
  return {};
}

// ---- Words.

std::string AutopilotWordField(std::string_view storedWord) {
  std::string w(storedWord);
  if (storedWord == "Zoom .5x") {
    w.append(14, ' ');
  } else {
    PadTo(w, 20);
  }
  return w;
}

std::string_view AutopilotLineWord(std::string_view line) {
  const std::string_view field = LineColumns(line, AutopilotWordColumn, 44);
  if (field.size() != 20) return {};
  for (std::string_view w : AutopilotStoredWords) {
    if (field.substr(0, w.size()) == w && field.find_first_not_of(' ', w.size()) == std::string_view::npos) {
      return w;
    }
  }
  return {};
}

bool AutopilotLineEndsInPath(std::string_view line) {
  const std::string_view w = AutopilotLineWord(line);
  return (w == "Open" || w == "Save") && line.size() >= AutopilotParamColumn - 1;
}

// ---- Composer.

std::string ComposeAutopilotLine(std::string_view dateField, const AutopilotFields& f, double windowWidth,
                                 double windowHeight) {
  std::string line(dateField);
  line += ' ';
  const std::string& w = f.word;

  auto word = [&](std::string_view stored) { line += AutopilotWordField(stored); };
  auto field = [&](std::string_view text, size_t padTo) {
    line += text;
    PadTo(line, padTo);
  };

  if (w == "Rotating Frame") {
    word(w);
    field(f.rotatePeriod, 64);
    line += f.clockwise ? "True" : "False";
  } else if (w == "Caption") {
    const CaptionDefinition& c = f.caption;
    word(w);
    field(ShortText(c.slot), 50);
    field(c.fontName, 90);
    field(ShortText(Ratio(c.fontSize, windowWidth)), 120);
    field(ShortText(c.foreColor), 150);
    field(ShortText(Ratio(c.left, windowWidth)), 180);
    field(ShortText(Ratio(c.top, windowHeight)), 210);
    field(ShortText(Ratio(c.width, windowWidth)), 240);
    field(ShortText(Ratio(c.height, windowHeight)), 270);
    line += c.bold ? 'y' : 'n';
    line += c.italic ? 'y' : 'n';
    line += c.underline ? 'y' : 'n';
    line += c.strikethru ? 'y' : 'n';
    line += 'n';  // reserved
    line += c.text;
  } else if (w == "Clear Screen" || w == "Pause") {
    word(w);
  } else if (w == "Save" || w == "Open") {
    word(w);
    line += f.fileName;
  } else if (w == "Thrust") {
    word(f.thrustInitiate ? "Thrust Initiate" : "Thrust Cut Off");
    field(f.object, 66);
    field(f.thrustRate, 86);
  } else if (w == "Orient Custom") {
    word(w);
    field(f.object, 66);
    field(f.azimuth, 86);
    field(f.altitude, 106);
  } else if (w == "Orient Retrograde" || w == "Orient Toward" || w == "Orient Away" || w == "Orient Prograde") {
    word(w);
    field(f.object, 66);
    field(f.reference, 86);
  } else if (w == "Zoom") {
    if (f.zoom == ZoomOption::In) word("Zoom 2x");
    if (f.zoom == ZoomOption::Out) word("Zoom .5x");
    if (f.zoom == ZoomOption::Specify) {
      word("Zoom");
      line += f.zoomValue;
      if (IsUnit(f.zoomUnit)) line += f.zoomUnit;
    }
  } else if (w == "Graphics") {
    word(w);
    if (f.trails) line += "Trails ";
    if (f.labels) line += "Labels ";
    if (f.images) line += "Images  ";
    if (f.plot) line += "Plot  ";
    if (f.exaggerate) line += "Ex ";
    line.append(10, ' ');
  } else if (w == "Focus") {
    word(w);
    if (f.perspective == "Absolute") line += "Absolute ";
    if (f.perspective == "Floating") line += "Floating ";
    field(f.object + ' ', 74);
    field(f.offsetX, 94);
    field(f.offsetY + ' ', 114);
    field(f.offsetZ + ' ', 134);
    if (IsUnit(f.offsetUnit)) line += f.offsetUnit;
  } else if (w == "Time Scale") {
    word(w);
    line += f.timeScaleValue;
    line += ' ';
    line += TimeScaleUnitWords[static_cast<int>(f.timeScaleUnit)];
  } else if (w == "Release Probe") {
    word(w);
    field(f.object, 66);
    field(f.probeName, 86);
    field(ShortText(f.probeColour), 106);
    field(ShortText(f.probeMass), 136);
    field(ShortText(static_cast<int32_t>(f.deductMass ? 1 : 0)), 156);
    field(f.azimuth, 176);
    field(f.altitude, 196);
    field(f.probeSize, 216);
  }
  return line;
}

// ---- Reader.

bool ReadAutopilotLine(std::string_view line, double windowWidth, double windowHeight, AutopilotFields& f) {
  const std::string_view w = AutopilotLineWord(line);
  if (w.empty()) {
    f.word.clear();
    return false;
  }
  auto number = [&](int from, int to) { return GeneralText(LineNumber(line, from, to)); };

  if (w == "Thrust Initiate" || w == "Thrust Cut Off") {
    f.word = "Thrust";
    f.thrustInitiate = (w == "Thrust Initiate");
    f.object = LineText(line, 45, 66);
    f.thrustRate = LineText(line, 67, -1);
  } else if (w == "Orient Custom") {
    f.word = w;
    f.object = LineText(line, 45, 66);
    f.azimuth = LineText(line, 67, 86);
    f.altitude = LineText(line, 87, 106);
  } else if (w == "Orient Prograde" || w == "Orient Retrograde" || w == "Orient Toward" || w == "Orient Away") {
    f.word = w;
    f.object = LineText(line, 45, 66);
    f.reference = LineText(line, 67, 86);
  } else if (w == "Zoom 2x" || w == "Zoom .5x" || w == "Zoom") {
    f.word = "Zoom";
    if (w == "Zoom 2x") {
      f.zoom = ZoomOption::In;
    } else if (w == "Zoom .5x") {
      f.zoom = ZoomOption::Out;
    } else {
      f.zoom = ZoomOption::Specify;
      f.zoomValue = number(45, -1);
      const std::string_view unit = LastChars(line, 2);
      f.zoomUnit = IsUnit(unit) ? std::string(unit) : std::string();
    }
  } else if (w == "Graphics") {
    f.word = w;
    f.trails = f.labels = f.images = f.plot = f.exaggerate = false;
    for (int p = 45; p <= 77; ++p) {
      const std::string_view six = LineColumns(line, p, p + 5);
      if (six == "Trails") f.trails = true;
      if (six == "Labels") f.labels = true;
      if (six == "Images") f.images = true;
      if (LineColumns(line, p, p + 3) == "Plot") f.plot = true;
      if (LineColumns(line, p, p + 1) == "Ex") f.exaggerate = true;
    }
  } else if (w == "Focus") {
    f.word = w;
    const std::string_view persp = LineColumns(line, 45, 52);
    const bool hasPerspective = (persp == "Floating" || persp == "Absolute");
    f.perspective = hasPerspective ? std::string(persp) : std::string();
    f.object = LineText(line, hasPerspective ? 54 : 45, 74);
    f.offsetX = number(75, 94);
    f.offsetY = number(95, 114);
    f.offsetZ = number(115, 134);
    const std::string_view unit = LastChars(line, 2);
    f.offsetUnit = IsUnit(unit) ? std::string(unit) : std::string();
  } else if (w == "Time Scale") {
    f.word = w;
    f.timeScaleValue = number(45, -1);
    const std::string_view unit = LastChars(line, 7);
    for (size_t k = 0; k < TimeScaleUnitWords.size(); ++k) {
      if (unit == TimeScaleUnitWords[k]) f.timeScaleUnit = static_cast<TimeScaleUnit>(k);
    }
  } else if (w == "Release Probe") {
    f.word = w;
    f.object = LineText(line, 45, 66);
    f.probeName = LineText(line, 67, 86);
    AssignNumber(LineNumber(line, 87, 106), f.probeColour);
    AssignNumber(LineNumber(line, 107, 136), f.probeMass);
    f.deductMass = LineNumber(line, 137, 156) == 1;
    f.azimuth = LineText(line, 157, 176);
    f.altitude = LineText(line, 177, 196);
    f.probeSize = LineText(line, 197, 216);
  } else if (w == "Save" || w == "Open") {
    f.word = w;
    f.fileName = std::string(LineColumns(line, 45, -1));
  } else if (w == "Caption") {
    f.word = w;
    CaptionDefinition& c = f.caption;
    AssignNumber(LineNumber(line, 45, 50), c.slot);
    c.fontName = LineText(line, 51, 90);
    AssignNumber(LineNumber(line, 91, 120) * windowWidth, c.fontSize);
    AssignNumber(LineNumber(line, 121, 150), c.foreColor);
    c.left = RoundedInt(LineNumber(line, 151, 180) * windowWidth);
    c.top = RoundedInt(LineNumber(line, 181, 210) * windowHeight);
    c.width = RoundedInt(LineNumber(line, 211, 240) * windowWidth);
    c.height = RoundedInt(LineNumber(line, 241, 270) * windowHeight);
    c.bold = LineColumns(line, 271, 271) == "y";
    c.italic = LineColumns(line, 272, 272) == "y";
    c.underline = LineColumns(line, 273, 273) == "y";
    c.strikethru = LineColumns(line, 274, 274) == "y";
    c.text = std::string(LineColumns(line, 276, -1));
  } else if (w == "Rotating Frame") {
    f.word = w;
    f.rotatePeriod = LineText(line, 45, 64);
    f.clockwise = LineText(line, 65, -1) != "False";
  } else {
    f.word = w;  // Pause, Clear Screen: the word alone
  }
  return true;
}

}  // namespace molvane

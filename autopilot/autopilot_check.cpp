// What the autopilot can never run, one check per command word. The editor
// refuses such a command at Add and Replace; the executor refuses it, once,
// when its time comes (it came from a file, or a body it names is gone).
#include <algorithm>
#include <cmath>
#include <limits>

#include "autopilot/autopilot.h"
#include "engine/bodies.h"
#include "engine/calendar.h"
#include "engine/numtext.h"

namespace molvane {

namespace {

constexpr double FloatMax = std::numeric_limits<float>::max();
// A step whose square (the mass terms) overflows or vanishes can hold no body.
constexpr double SmallestTimeStep = 1e-150;
constexpr double LargestTimeStep = 1e150;

std::string TrimRight(std::string_view t) {
  size_t n = t.size();
  while (n > 0 && t[n - 1] == ' ') --n;
  return std::string(t.substr(0, n));
}

bool FitsFloat(double v) { return std::isfinite(v) && std::fabs(v) <= FloatMax; }

std::string FloatProblem(const char* field, double v) {
  if (FitsFloat(v)) return {};
  return std::string(field) + " must be a number from -3.4E+38 to 3.4E+38.";
}

// A body name at `column`, with the command's next field at `next` (0: none).
struct NameField {
  const char* caption;
  int column;
  int next;
};

// In the editor the typed name only has to name something and fit its field;
// the executor also needs the body in the table (`index` gets it, 0 in the
// editor).
std::string NameProblem(const AutopilotCheck& c, std::string_view line, const NameField& f, const std::string& typed,
                        int& index) {
  const std::string caption = f.caption;
  std::string name = typed;
  index = 0;
  if (!c.typed) {
    index = FindBodyNamedAt(c.s, line, f.column);
    if (index == 0) {
      const std::string text = TrimRight(LineColumns(line, f.column, f.next > 0 ? f.next - 1 : f.column + 21));
      if (text.empty()) return caption + " must name a body.";
      return caption + " names no body of the situation: \"" + text + "\".";
    }
    name = c.s.objname[index];
  }
  if (TrimRight(name).empty()) return caption + " must name a body.";
  const size_t room = f.next > 0 ? static_cast<size_t>(f.next - f.column) : name.size();
  if (name.size() > room) {
    return caption + " is too long: this command has room for " + std::to_string(room) + " characters.";
  }
  return {};
}

std::string Typed(const AutopilotCheck& c, std::string AutopilotFields::*field) {
  return c.typed ? (*c.typed).*field : std::string();
}

std::string NameProblem(const AutopilotCheck& c, std::string_view line, const NameField& f, int& index) {
  return NameProblem(c, line, f, Typed(c, &AutopilotFields::object), index);
}

// ---- The checks, word by word.

std::string CaptionProblem(const AutopilotCheck& c, std::string_view line, std::string_view) {
  int16_t slot = 0;
  if (!AssignNumber(LineFieldNumber(line, 45, 50), slot) || slot < 1 || slot > MaxCaptions) {
    return "Slot must be a caption number from 1 to 4.";
  }
  float size = 0;
  const double fraction = LineFieldNumber(line, 91, 120);
  if (!std::isfinite(fraction) || !AssignNumber(c.windowWidth * fraction, size)) return "Font size is out of range.";
  int32_t whole = 0;
  if (!AssignNumber(LineFieldNumber(line, 121, 150), whole)) return "Colour is out of range.";
  const struct {
    const char* field;
    int column;
    double base;
  } geometry[] = {{"Left", 151, c.windowWidth},
                  {"Top", 181, c.windowHeight},
                  {"Width", 211, c.windowWidth},
                  {"Height", 241, c.windowHeight}};
  for (const auto& g : geometry) {
    if (!AssignNumber(LineFieldNumber(line, g.column, g.column + 29) * g.base, whole)) {
      return std::string(g.field) + " is out of range.";
    }
  }
  return {};
}

std::string RotatingFrameProblem(const AutopilotCheck&, std::string_view line, std::string_view) {
  const double period = LineFieldNumber(line, 45, 64);
  // The view turns by 2 pi / period times the step each step: a shorter
  // period turns it by no number at all, with the largest step.
  if (!std::isfinite(period) || !(std::fabs(period) >= SmallestTimeStep)) {
    return "Period must be a number other than 0, of at least 1E-150 seconds either way.";
  }
  bool clockwise = false;
  if (!ReadClockwise(line, clockwise)) return "Clockwise must be True, False or a number.";
  return {};
}

std::string ThrustProblem(const AutopilotCheck& c, std::string_view line, std::string_view word) {
  const bool initiate = word == "Thrust Initiate";
  int body = 0;
  std::string problem = NameProblem(c, line, {"Object", AutopilotParamColumn, initiate ? ThrustRateColumn : 0}, body);
  if (problem.empty() && initiate)
    problem = FloatProblem("Meters / Second", LineFieldNumber(line, ThrustRateColumn, 86));
  return problem;
}

std::string OrientProblem(const AutopilotCheck& c, std::string_view line, std::string_view word) {
  int body = 0;
  std::string problem = NameProblem(c, line, {"Object", AutopilotParamColumn, OrientSecondColumn}, body);
  if (!problem.empty()) return problem;
  if (word == "Orient Custom") {
    problem = FloatProblem("Azimuth", LineFieldNumber(line, 67, 86));
    return problem.empty() ? FloatProblem("Altitude", LineFieldNumber(line, 87, 106)) : problem;
  }
  // A body has no direction toward, away from or along itself. Typed names
  // that name bodies now are read as the executor reads them ("Earth2"
  // without such a body is Earth); others are compared as typed.
  const int object = FindBodyNamedAt(c.s, line, AutopilotParamColumn);
  const int reference = FindBodyNamedAt(c.s, line, OrientSecondColumn);
  const bool itself = c.typed && (object == 0 || reference == 0)
                          ? TrimRight(c.typed->reference) == TrimRight(c.typed->object)
                          : reference == object;
  if (itself) return "Reference Object must be a body other than the object.";
  return {};
}

std::string FocusProblem(const AutopilotCheck& c, std::string_view line, std::string_view) {
  const std::string_view perspective = LineColumns(line, 45, 52);
  const bool hasPerspective = perspective == "Floating" || perspective == "Absolute";
  int body = 0;
  std::string problem = NameProblem(
      c, line, {"Focus Object", hasPerspective ? FocusNameColumn : AutopilotParamColumn, FocusOffsetColumn}, body);
  if (!problem.empty()) return problem;
  double unit = AutopilotUnitMetres(c.s, LineEnd(line, 2));
  if (unit == 0) unit = 1;  // no unit: metres
  if (!std::isfinite(LineFieldNumber(line, FocusOffsetColumn, 94) * unit)) return "Offset X is out of range.";
  if (!std::isfinite(LineFieldNumber(line, 95, 114) * unit)) return "Offset Y is out of range.";
  return {};
}

std::string ZoomProblem(const AutopilotCheck& c, std::string_view line, std::string_view) {
  const double factor = AutopilotUnitMetres(c.s, LineEnd(line, 2));
  if (factor == 0) return {};  // no unit: the scale stays
  const double value = LineFieldNumber(line, 45, -1);
  if (!(std::isfinite(value) && value > 0)) return "Specify Zoom must be a number greater than 0.";
  const double scale = c.screenWidth / value / factor;
  const double km = c.screenWidth / scale / 1000;
  if (!(std::isfinite(scale) && scale > 0 && std::isfinite(km))) {
    return "Specify Zoom is out of the range the view can show.";
  }
  return {};
}

std::string TimeScaleProblem(const AutopilotCheck&, std::string_view line, std::string_view) {
  const std::string_view unit = LineEnd(line, 7);
  double factor = 1;
  for (size_t k = 0; k < TimeScaleUnitWords.size(); ++k) {
    if (unit == TimeScaleUnitWords[k]) factor = TimeScaleUnitSeconds[k];
  }
  const double step = LineFieldNumber(line, 45, -1) * factor;
  if (!(step >= SmallestTimeStep && step <= LargestTimeStep)) {
    return "Time Scale must be a time step from 1E-150 to 1E+150 seconds.";
  }
  return {};
}

std::string ReleaseProbeProblem(const AutopilotCheck& c, std::string_view line, std::string_view) {
  int parent = 0;
  std::string problem = NameProblem(c, line, {"Release From", AutopilotParamColumn, ProbeNameColumn}, parent);
  if (!problem.empty()) return problem;
  // A probe name that runs into the colour would shift every later field.
  const std::string probeName = Typed(c, &AutopilotFields::probeName);
  const std::string_view colourSign = LineColumns(line, ProbeColourColumn, ProbeColourColumn);
  if (probeName.size() > ProbeColourColumn - ProbeNameColumn ||
      (!colourSign.empty() && colourSign != " " && colourSign != "-")) {
    return "Probe Name is too long: this command has room for 20 characters.";
  }
  int32_t colour = 0;
  if (!AssignNumber(LineFieldNumber(line, 87, 106), colour)) return "Color is out of range.";
  const double mass = c.typed ? c.typed->probeMass : LineFieldNumber(line, 107, 136);
  if (mass < 0) return "Mass must not be negative.";
  if (!std::isfinite(mass)) return "Mass is out of range.";
  problem = FloatProblem("Az", LineFieldNumber(line, 157, 176));
  if (problem.empty()) problem = FloatProblem("Alt", LineFieldNumber(line, 177, 196));
  if (!problem.empty()) return problem;
  const double size = LineFieldNumber(line, 197, 216);
  if (!(std::isfinite(size) && size >= 0)) return "Size must be a number of at least 0 (meters).";
  return {};
}

std::string SaveProblem(const AutopilotCheck&, std::string_view line, std::string_view word) {
  if (!TrimRight(LineColumns(line, 45, -1)).empty()) return {};
  return word == "Save" ? "File Name must name a file." : "File must name a file.";
}

using WordCheck = std::string (*)(const AutopilotCheck&, std::string_view line, std::string_view word);

// Words not named here (Pause, Clear Screen, Zoom 2x, Zoom .5x, Graphics)
// always run.
const struct {
  std::string_view word;
  WordCheck check;
} Checks[] = {{"Caption", CaptionProblem},
              {"Open", SaveProblem},
              {"Rotating Frame", RotatingFrameProblem},
              {"Thrust Initiate", ThrustProblem},
              {"Thrust Cut Off", ThrustProblem},
              {"Save", SaveProblem},
              {"Orient Prograde", OrientProblem},
              {"Orient Toward", OrientProblem},
              {"Orient Away", OrientProblem},
              {"Orient Custom", OrientProblem},
              {"Orient Retrograde", OrientProblem},
              {"Focus", FocusProblem},
              {"Zoom", ZoomProblem},
              {"Time Scale", TimeScaleProblem},
              {"Release Probe", ReleaseProbeProblem}};

// The typed texts the composer pads to the next field, and how many columns
// the executor reads of each: a longer one would run into what follows.
const struct {
  std::string_view word;  // the editor's word
  const char* caption;
  std::string AutopilotFields::*text;
  size_t columns;
} TypedFields[] = {{"Rotating Frame", "Period", &AutopilotFields::rotatePeriod, 20},
                   {"Thrust", "Meters / Second", &AutopilotFields::thrustRate, 20},
                   {"Orient Custom", "Azimuth", &AutopilotFields::azimuth, 20},
                   {"Orient Custom", "Altitude", &AutopilotFields::altitude, 20},
                   {"Focus", "Offset X", &AutopilotFields::offsetX, 20},
                   {"Focus", "Offset Y", &AutopilotFields::offsetY, 20},
                   {"Focus", "Offset Z", &AutopilotFields::offsetZ, 20},
                   {"Release Probe", "Az", &AutopilotFields::azimuth, 20},
                   {"Release Probe", "Alt", &AutopilotFields::altitude, 20},
                   {"Release Probe", "Size", &AutopilotFields::probeSize, 20}};

// "05 12 2005 08:30:15": the time as the list shows it, without the padding.
std::string WhenText(double time) {
  const DateTimeFields f = SplitDateTimeText(FormatDateTimeText(time));
  return f.month + ' ' + f.day + ' ' + f.year + ' ' + f.hour + ':' + f.minute + ':' + f.second;
}

}  // namespace

AutopilotCheck ExecutorCheck(const State& s, const AutopilotHost& host) {
  return {s, host.mainWindowWidthTwips(), host.mainWindowHeightTwips(), host.screenWidthPixels(), nullptr};
}

std::string AutopilotTypedFieldProblem(const AutopilotFields& f) {
  constexpr size_t FontColumns = 40;  // columns 51-90
  if (f.word == "Caption" && f.caption.fontName.size() > FontColumns) {
    return "Font is too long: this command has room for 40 characters.";
  }
  for (const auto& row : TypedFields) {
    if (row.word != f.word || (row.text == &AutopilotFields::thrustRate && !f.thrustInitiate)) continue;
    const std::string& text = f.*row.text;
    if (text.size() > row.columns) {
      return std::string(row.caption) + " is too long: this command has room for " + std::to_string(row.columns) +
             " characters.";
    }
  }
  return {};
}

std::string AutopilotCommandProblem(const AutopilotCheck& c, std::string_view line) {
  if (c.typed) {
    std::string problem = AutopilotTypedFieldProblem(*c.typed);
    if (!problem.empty()) return problem;
  }
  const std::string_view word = AutopilotLineWord(line);
  for (const auto& row : Checks) {
    if (row.word == word) return row.check(c, line, word);
  }
  return {};
}

std::string AutopilotEntryTimeProblem(double time) {
  if (!std::isfinite(time)) return "Execution Time is out of range.";
  if (time == 0)
    return "Execution Time must not be " + WhenText(0) + ", the clock's origin: an entry there would end the list.";
  return {};
}

std::string AutopilotEntriesNaming(const State& s, std::string_view name) {
  std::string out;
  if (name.empty()) return out;
  const int n = AutopilotListCount(s);
  for (int k = 1; k <= n; ++k) {
    const AutopilotCommand& e = s.autopilot[k];
    AutopilotFields f;
    // The window sizes scale caption fields only, which are not read here.
    if (!ReadAutopilotLine(e.line, 1, 1, f)) continue;
    const bool orient = f.word.starts_with("Orient") && f.word != "Orient Custom";
    if (f.object != name && !(orient && f.reference == name)) continue;
    if (!out.empty()) out += ", ";
    out += WhenText(e.time) + " (" + std::string(AutopilotLineWord(e.line)) + ")";
  }
  return out;
}

std::string AutopilotLateEntriesNote(const State& s) {
  const double t0 = s.SecondsElapsed, step = s.timescale;
  if (!s.TimeForward || !(step > 0) || !std::isfinite(t0)) return {};
  std::string note;
  double previous = 0;  // the step, counted from now, that ran the last entry
  const int n = AutopilotListCount(s);
  for (int k = 1; k <= n; ++k) {
    const double time = s.autopilot[k].time;
    if (!(time >= t0)) continue;  // passed: it will not run
    // Whole steps from now: the first step whose end reaches the entry's time.
    const double due = std::max(1.0, std::ceil((time - t0) / step));
    const double runs = std::max(due, previous + 1);
    const double when = t0 + runs * step;
    if (!std::isfinite(when) || runs == previous) break;  // past the clock's whole seconds
    if (runs > due) {
      // Appended piece by piece: GCC 12 at -O3 warns falsely of an overlap on "#" + to_string(k).
      note.append("#").append(std::to_string(k)).append(" ").append(AutopilotLineWord(s.autopilot[k].line));
      note.append(" at ").append(WhenText(when)).append("\n");
    }
    previous = runs;
  }
  if (note.empty()) return {};
  return "One entry runs per step, so these run later than typed (time step " + GeneralText(step) + " s):\n" + note;
}

std::string AutopilotRefusalMessage(double time, std::string_view word, const std::string& problem) {
  return "The autopilot entry of " + WhenText(time) + " (" + std::string(word) + ") cannot run: " + problem +
         "\nThe run is paused; when it plays on, the autopilot goes on with the next entry.";
}

}  // namespace molvane

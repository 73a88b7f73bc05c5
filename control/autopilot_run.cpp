// The autopilot executor. Every command first reads and checks all it needs
// and only then changes anything: a command that cannot run leaves every
// table as it was and reports Failed, so the same entry is tried again at
// the next step without having done half its work.
#include <algorithm>
#include <cctype>
#include <cmath>
#include <optional>

#include "control/autopilot.h"
#include "engine/bodies.h"
#include "engine/numtext.h"
#include "engine/orbits.h"
#include "engine/timestep.h"
#include "engine/twips.h"
#include "files/textitems.h"

namespace molvane {

namespace {

bool Finite(double v) { return std::isfinite(v); }

// A number field as the executor reads it: blanks inside the number are
// skipped, so a typed "1 000" is 1000.
double FieldNumber(std::string_view line, int from, int to) {
  return ParseNumberPrefix(LineColumns(line, from, to), true);
}

std::string_view LastChars(std::string_view line, size_t n) {
  return line.size() <= n ? line : line.substr(line.size() - n);
}

// Metres per unit of a zoom or focus-offset unit; 0 for no unit.
double UnitMetres(const State& s, std::string_view unit) {
  if (unit == "Km") return 1000.0;
  if (unit == "AU") return s.AstronomicalUnit;
  if (unit == "LY") return LightYearMetres;
  return 0;
}

constexpr int Unreadable = -1;

// The body a name field at `column` names, 0 for none. A name that runs
// into `nextColumn`, where the command reads its next field, would make
// that field a piece of the name: Unreadable (0 for no next field).
int BodyNamed(const State& s, std::string_view line, int column, int nextColumn = 0) {
  const int k = FindBodyNamedAt(s, line, column);
  if (k != 0 && nextColumn > 0 && column + static_cast<int>(s.objname[k].size()) > nextColumn) {
    return Unreadable;
  }
  return k;
}

bool ToFloat(double v, float& out) {
  float f = 0;
  if (!AssignNumber(v, f)) return false;
  out = f;
  return true;
}

// A direction scaled by the time step as the body table keeps it.
bool ScaledDirection(const Direction3& u, double timescale, float out[3]) {
  return ToFloat(u.x * timescale, out[0]) && ToFloat(u.y * timescale, out[1]) && ToFloat(u.z * timescale, out[2]);
}

// ---- Commands. Each returns false when it could not run (nothing changed).

bool RunCaption(State& s, AutopilotHost& host, std::string_view line) {
  int16_t slot = 0;
  if (!AssignNumber(FieldNumber(line, 45, 50), slot) || slot < 1 || slot > MaxCaptions) {
    return false;
  }
  const double W = host.mainWindowWidthTwips();
  const double H = host.mainWindowHeightTwips();
  const double B = host.captionReferenceWidth();

  CaptionDefinition def = s.captionDefinition;
  def.slot = slot;
  def.fontName = LineText(line, 51, 90);
  def.fontSize = FieldNumber(line, 91, 120);
  def.foreColor = FieldNumber(line, 121, 150);
  float fontSize = 0;
  int32_t colour = 0;
  if (!Finite(def.fontSize) || !ToFloat(W * def.fontSize, fontSize) || !AssignNumber(def.foreColor, colour)) {
    return false;
  }
  if (!AssignNumber(FieldNumber(line, 151, 180) * W, def.left) ||
      !AssignNumber(FieldNumber(line, 181, 210) * H, def.top) ||
      !AssignNumber(FieldNumber(line, 211, 240) * W, def.width) ||
      !AssignNumber(FieldNumber(line, 241, 270) * H, def.height)) {
    return false;
  }
  def.bold = LineColumns(line, 271, 271) == "y";
  def.italic = LineColumns(line, 272, 272) == "y";
  def.underline = LineColumns(line, 273, 273) == "y";
  def.strikethru = LineColumns(line, 274, 274) == "y";
  def.text = std::string(LineColumns(line, 276, -1));

  // Empty captions take no room.
  for (int k = 1; k <= MaxCaptions; ++k) {
    if (s.captions[k].caption.empty()) {
      s.captions[k].width = 1;
      s.captions[k].height = 1;
    }
  }
  CaptionSlot& c = s.captions[slot];
  c.fontName = def.fontName;
  c.fontSize = fontSize;
  c.foreColor = colour;
  // Left and top were typed in the main window's pixels; width and height
  // come in twips.
  c.left = static_cast<float>(def.left);
  c.top = static_cast<float>(def.top);
  c.width = static_cast<float>(def.width / double(TwipsPerPixel));
  c.height = static_cast<float>(def.height / double(TwipsPerPixel));
  if (B != 0 && Finite(B)) {
    c.relFontSize = static_cast<float>(c.fontSize / B);
    c.relLeft = static_cast<float>(c.left / B);
    c.relTop = static_cast<float>(c.top / B);
    c.relWidth = static_cast<float>(c.width / B);
    c.relHeight = static_cast<float>(c.height / B);
  }
  c.bold = def.bold;
  c.italic = def.italic;
  c.underline = def.underline;
  c.strikethru = def.strikethru;
  c.caption = def.text;
  s.captionDefinition = std::move(def);
  host.captionsChanged(slot);
  return true;
}

bool RunRotatingFrame(State& s, AutopilotHost& host, std::string_view line) {
  const double period = FieldNumber(line, 45, 64);
  if (!Finite(period) || period == 0) return false;  // the drawing divides by it
  std::string text = LineText(line, 65, 84);
  text.erase(0, std::min(text.find_first_not_of(' '), text.size()));
  std::string lower = text;
  for (char& ch : lower) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
  bool clockwise = false;
  double v = 0;
  if (lower == "true") {
    clockwise = true;
  } else if (lower == "false") {
    clockwise = false;
  } else if (ParseWholeNumber(text, &v) && Finite(v)) {
    clockwise = (v != 0);
  } else {
    return false;
  }
  s.RotatingFrame.on = true;
  s.RotatingFrame.period = period;
  s.RotatingFrame.clockwise = clockwise;
  host.rotatingFrameChanged();
  host.clearView();
  host.ResetPlotState();
  return true;
}

bool RunThrust(State& s, std::string_view line, bool initiate) {
  const int body = BodyNamed(s, line, AutopilotParamColumn, initiate ? ThrustRateColumn : 0);
  if (initiate) {
    float rate = 0;
    if (!ToFloat(FieldNumber(line, ThrustRateColumn, 86), rate)) return false;
    if (body <= 0) return true;  // no such body: nothing to switch on
    s.objthrust[body] = rate;
    s.objthruston[body] = true;
    s.ThrustActive = true;
    return true;
  }
  // An unknown name switches no body off, but the flag is still taken anew.
  if (body > 0) s.objthruston[body] = false;
  bool any = false;
  for (int i = 1; i <= BodyCount(s); ++i) any = any || s.objthruston[i];
  s.ThrustActive = any;
  return true;
}

bool RunZoom(State& s, AutopilotHost& host, std::string_view line) {
  const double factor = UnitMetres(s, LastChars(line, 2));
  const double width = host.screenWidthPixels();
  if (factor != 0) {
    const double value = FieldNumber(line, 45, -1);
    if (!Finite(value) || value <= 0) return false;
    const double scale = width / value / factor;
    if (!Finite(scale) || scale <= 0) return false;
    s.ScalePixel = scale;
  }
  if (s.ScalePixel != 0) {
    const double km = width / s.ScalePixel / 1000;
    if (Finite(km)) host.setVisibleWidthKm(km);
  }
  host.ResetPlotState();
  host.clearView();
  return true;
}

bool RunGraphics(State& s, AutopilotHost& host, std::string_view line) {
  bool trails = false, labels = false, plot = false, ex = false;
  for (int p = 45; p <= 77; ++p) {
    const std::string_view six = LineColumns(line, p, p + 5);
    if (six == "Trails") trails = true;
    if (six == "Labels") labels = true;
    if (LineColumns(line, p, p + 3) == "Plot") plot = true;
    if (LineColumns(line, p, p + 1) == "Ex") ex = true;
  }
  s.ExaggerateObjectSizeOn = ex;
  s.trails = trails;
  if (labels != s.llabels) {
    s.llabels = labels;
    host.setLabelsShown(labels);
  }
  s.pplot = plot;
  host.graphicsSwitchesChanged();
  return true;
}

bool RunTimeScale(State& s, EngineHost& engine, std::string_view line) {
  const std::string_view unit = LastChars(line, 7);
  double factor = 1;
  for (size_t k = 0; k < TimeScaleUnitWords.size(); ++k) {
    if (unit == TimeScaleUnitWords[k]) factor = TimeScaleUnitSeconds[k];
  }
  const double step = FieldNumber(line, 45, -1) * factor;
  if (!Finite(step) || step <= 0) return false;
  const double now = s.timescale;
  if (step > now) return MultiplyTimeStep(s, engine, step / now);
  if (step < now) return DivideTimeStep(s, engine, now / step);
  return true;
}

bool RunFocus(State& s, AutopilotHost& host, std::string_view line) {
  const std::string_view perspective = LineColumns(line, 45, 52);
  const bool hasPerspective = (perspective == "Floating" || perspective == "Absolute");
  const int f = BodyNamed(s, line, hasPerspective ? FocusNameColumn : AutopilotParamColumn, FocusOffsetColumn);
  if (f <= 0) return true;  // no such body: the focus stays

  const double unit = UnitMetres(s, LastChars(line, 2));
  double x = FieldNumber(line, FocusOffsetColumn, 94);
  double y = FieldNumber(line, 95, 114);
  if (unit != 0) {
    x *= unit;
    y *= unit;
  }
  const double offsetX = s.objx[f] * s.ScalePixel;
  const double offsetY = s.objy[f] * s.ScalePixel;
  if (!Finite(x) || !Finite(y) || !Finite(offsetX) || !Finite(offsetY)) return false;
  const bool floating = (x != 0 || y != 0) && s.ScalePixel != 0;
  double fx = 0, fy = 0;
  if (floating) {
    fx = offsetX / s.ScalePixel - x;
    fy = offsetY / s.ScalePixel + y;
    if (!Finite(fx) || !Finite(fy)) return false;
  }

  s.focusobj = static_cast<int16_t>(f);
  s.OffsetX = offsetX;
  s.OffsetY = offsetY;
  host.clearView();
  if (hasPerspective) {
    s.anchor = (perspective == "Absolute");
    host.graphicsSwitchesChanged();
    host.AssembleSystemElements();
  }
  if (floating) {
    // The view follows a point offset from the focus body, moving with it.
    s.FloatingPosition[0] = fx;
    s.FloatingPosition[1] = fy;
    s.objx[0] = fx;
    s.objy[0] = fy;
    s.objvx[0] = s.objvx[f];
    s.objvy[0] = s.objvy[f];
    s.objvz[0] = s.objvz[f];
    s.focusobj = 0;
  }
  host.focusChanged(s.focusobj);
  host.clearView();
  host.ResetPlotState();
  return true;
}

bool RunOrient(State& s, std::string_view word, std::string_view line) {
  const int body = BodyNamed(s, line, AutopilotParamColumn, OrientSecondColumn);
  if (body <= 0) return true;  // no such body: nothing to aim
  Direction3 u;
  if (word == "Orient Custom") {
    u = AutopilotDirection(FieldNumber(line, 67, 86), FieldNumber(line, 87, 106));
  } else {
    // A reference that names no body is the free slot past the last body,
    // at rest at the origin; with a full table there is none.
    const int ref = BodyNamed(s, line, OrientSecondColumn);
    if (ref == 0 && BodyCount(s) >= MaxBodies) return true;
    auto of = [ref](const auto& field) { return ref != 0 ? static_cast<double>(field[ref]) : 0.0; };
    const bool byVelocity = (word == "Orient Prograde" || word == "Orient Retrograde");
    const double sign = (word == "Orient Prograde" || word == "Orient Away") ? 1.0 : -1.0;
    double d[3];
    if (byVelocity) {
      d[0] = s.objvx[body] - of(s.objvx);
      d[1] = s.objvy[body] - of(s.objvy);
      d[2] = s.objvz[body] - of(s.objvz);
    } else {
      d[0] = s.objx[body] - of(s.objx);
      d[1] = s.objy[body] - of(s.objy);
      d[2] = s.objz[body] - of(s.objz);
    }
    const double norm = std::sqrt(d[0] * d[0] + d[1] * d[1] + d[2] * d[2]);
    if (!(norm > 0) || !Finite(norm)) return false;  // no direction to point along
    u = {sign * d[0] / norm, sign * d[1] / norm, sign * d[2] / norm};
  }
  float dir[3];
  if (!ScaledDirection(u, s.timescale, dir)) return false;
  s.objdirx[body] = dir[0];
  s.objdiry[body] = dir[1];
  s.objdirz[body] = dir[2];
  return true;
}

bool RunReleaseProbe(State& s, EngineHost& engine, std::string_view line) {
  if (s.objects >= MaxBodies || s.objects < 0) return true;  // no free slot
  const int p = BodyNamed(s, line, AutopilotParamColumn, ProbeNameColumn);
  if (p <= 0) return true;  // no parent to release from
  // A probe name that runs into the colour would shift every later field.
  const std::string_view colourSign = LineColumns(line, ProbeColourColumn, ProbeColourColumn);
  if (!colourSign.empty() && colourSign != " " && colourSign != "-") return true;

  // A blank name field names the probe "x".
  std::string name = LineText(line, 67, 86);
  if (name.empty()) name.push_back('x');
  int32_t colour = 0;
  if (!AssignNumber(FieldNumber(line, 87, 106), colour)) return false;
  const double ts = s.timescale;
  double mass = FieldNumber(line, 107, 136) * ts * ts;
  if (mass < 0) return true;  // a body of negative mass is never made
  double parentMass = s.objmass[p];
  if (FieldNumber(line, 137, 156) == 1) {
    if (mass > parentMass) mass = parentMass;  // at most the parent's whole mass
    parentMass -= mass;
  }
  const Direction3 u = AutopilotDirection(FieldNumber(line, 157, 176), FieldNumber(line, 177, 196));
  float dir[3];
  if (!ScaledDirection(u, ts, dir)) return false;
  const double size = FieldNumber(line, 197, 216);
  double d = (s.objsize[p] + size) / 2;
  if (d == 0) d = 1;
  double escape = 0;
  if (!Finite(mass) || !Finite(parentMass) || !Finite(size) || !Finite(d) ||
      !GetEscapeSpeed((parentMass + mass) / ts / ts, d, escape)) {
    return false;
  }
  const double speed = 1.1 * escape;
  const double pos[3] = {s.objx[p] + u.x * d, s.objy[p] + u.y * d, s.objz[p] + u.z * d};
  const double vel[3] = {s.objvx[p] + dir[0] * speed, s.objvy[p] + dir[1] * speed, s.objvz[p] + dir[2] * speed};
  for (double v : {pos[0], pos[1], pos[2], vel[0], vel[1], vel[2]}) {
    if (!Finite(v)) return false;
  }

  s.objmass[p] = parentMass;
  AddBody(s, {.name = name,
              .ref = s.objref[p],
              .colour = colour,
              .mass = mass,
              .size = size,
              .position = {pos[0], pos[1], pos[2]},
              .velocity = {vel[0], vel[1], vel[2]},
              .direction = {dir[0], dir[1], dir[2]},
              .refIndex = s.objrefindex[p]});
  engine.rebuildObjectLabels();
  engine.refreshObjectLists();
  return true;
}

// The end of every run: the view forgets its trails.
void EndRun(const State& s, AutopilotHost& host) {
  host.ResetPlotState();
  if (s.screenscaleloaded) host.showScreenScale();
}

// Nothing left pending.
void Disarm(AutopilotState& a) {
  a.nextTime = 0;
  a.nextLine.clear();
  a.armed = false;
}

// A run that did its work ends and the cursor moves on. Nothing above the
// list's count is ever taken as pending.
void Complete(State& s, AutopilotHost& host) {
  EndRun(s, host);
  AutopilotState& a = s.autopilotState;
  const int next = std::clamp<int>(a.cursor + 1, 1, MaxAutopilot + 1);
  a.cursor = static_cast<int16_t>(next);
  if (next > AutopilotListCount(s)) {
    Disarm(a);
    return;
  }
  a.nextTime = s.autopilot[next].time;
  a.nextLine = s.autopilot[next].line;
  if (a.nextTime == 0) a.armed = false;
}

}  // namespace

Direction3 AutopilotDirection(double azimuthDegrees, double altitudeDegrees) {
  const double a = (azimuthDegrees - 90) * GetPi() / 180;
  const float altitude = static_cast<float>(altitudeDegrees);
  const float b = static_cast<float>(altitude * GetPi() / 180);
  const double cb = std::cos(static_cast<double>(b));
  return {cb * std::sin(a), cb * std::cos(a), std::sin(static_cast<double>(b))};
}

std::optional<std::string> ResolveAutopilotPath(const State& s, std::string_view path) {
  std::string p(path);
  if (p.empty() || p[0] != '/') {
    std::replace(p.begin(), p.end(), '\\', '/');  // lines written on Windows
  }
  std::string base = IsResumeFilePath(s.isitname) ? s.ResumeFolder : s.CurrentFolder;
  if (base.empty()) base = GetFolderPart(s.isitname);
  return ResolveRelativePath(base, p);
}

AutopilotRun RunAutopilotCommand(State& s, AutopilotHost& host, EngineHost& engine) {
  AutopilotState& a = s.autopilotState;
  if (a.cursor < 1 || a.cursor > AutopilotListCount(s)) {
    // The list was emptied or cut short (New) since the entry was taken up:
    // nothing of the old list runs, but the run still ends as every run does.
    EndRun(s, host);
    Disarm(a);
    return AutopilotRun::Done;
  }
  const std::string line = a.nextLine;
  const std::string_view word = AutopilotLineWord(line);
  bool ok = true;

  if (word == "Caption") {
    ok = RunCaption(s, host, line);
  } else if (word == "Open") {
    const std::string_view written = LineColumns(line, 45, -1);
    const std::optional<std::string> path = ResolveAutopilotPath(s, written);
    s.OpenSucceeded = true;
    if (!path) {
      host.message(std::string(written) + " not found");
      s.OpenSucceeded = false;
    } else if (!host.openSituation(*path)) {
      s.OpenSucceeded = false;
    }
    // A loaded situation brought its own list and autopilot state.
    if (s.OpenSucceeded) return AutopilotRun::Reopened;
  } else if (word == "Clear Screen") {
    host.clearView();
  } else if (word == "Rotating Frame") {
    ok = RunRotatingFrame(s, host, line);
  } else if (word == "Thrust Initiate" || word == "Thrust Cut Off") {
    ok = RunThrust(s, line, word == "Thrust Initiate");
  } else if (word == "Pause") {
    host.PauseOnOff();
  } else if (word == "Save") {
    // The whole path, however long.
    const std::string_view written = LineColumns(line, 45, -1);
    if (const std::optional<std::string> path = ResolveAutopilotPath(s, written)) {
      host.saveSituation(*path);
    } else {
      host.message(std::string(written) + " cannot be written: no such folder");
    }
  } else if (word.starts_with("Orient ")) {
    ok = RunOrient(s, word, line);
  } else if (word == "Focus") {
    ok = RunFocus(s, host, line);
  } else if (word == "Zoom 2x") {
    host.zoomIn();
  } else if (word == "Zoom .5x") {
    host.zoomOut();
  } else if (word == "Zoom") {
    ok = RunZoom(s, host, line);
  } else if (word == "Graphics") {
    ok = RunGraphics(s, host, line);
  } else if (word == "Time Scale") {
    ok = RunTimeScale(s, engine, line);
  } else if (word == "Release Probe") {
    ok = RunReleaseProbe(s, engine, line);
  }

  if (!ok) return AutopilotRun::Failed;
  Complete(s, host);
  return AutopilotRun::Done;
}

}  // namespace molvane

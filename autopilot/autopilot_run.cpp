// The autopilot executor. An entry first passes the check of its command
// word (autopilot_check.cpp), the one the editor asks at Add; one that
// cannot run pauses the run once with a message and is passed over. Every
// command then reads and checks all it needs and only then changes
// anything: one that must wait (no direction to point along yet) leaves
// every table as it was and is tried again at the next step; one that
// cannot run with the tables as they are says why, as above.
#include <algorithm>
#include <cmath>
#include <optional>

#include "autopilot/autopilot.h"
#include "engine/bodies.h"
#include "engine/numtext.h"
#include "engine/orbits.h"
#include "engine/thrust.h"
#include "engine/timestep.h"
#include "engine/twipsperpixel.h"
#include "engine/view.h"
#include "files/textitems.h"

namespace molvane {

namespace {

bool Finite(double v) { return std::isfinite(v); }

double FieldNumber(std::string_view line, int from, int to) { return LineFieldNumber(line, from, to); }

// The body a name field at `column` names; the check has made sure there is one.
int BodyNamed(const State& s, std::string_view line, int column) { return FindBodyNamedAt(s, line, column); }

// A command that cannot run with the tables as they are: why, for the message.
bool Cannot(std::string& why, std::string text) {
  why = std::move(text);
  return false;
}
constexpr const char* NoDirection = "Object cannot be given a direction at this time step: it would not fit.";

// ---- Commands. Each returns false when it did not run (nothing changed):
// with `why` empty it waits, else it cannot run.

bool RunCaption(State& s, AutopilotHost& host, std::string_view line, std::string& why) {
  int16_t slot = 0;
  if (!AssignNumber(FieldNumber(line, 45, 50), slot) || slot < 1 || slot > MaxCaptions) {
    return Cannot(why, "Slot must be a caption number from 1 to 4.");
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
  if (!Finite(def.fontSize) || !AssignNumber(W * def.fontSize, fontSize) || !AssignNumber(def.foreColor, colour) ||
      !AssignNumber(FieldNumber(line, 151, 180) * W, def.left) ||
      !AssignNumber(FieldNumber(line, 181, 210) * H, def.top) ||
      !AssignNumber(FieldNumber(line, 211, 240) * W, def.width) ||
      !AssignNumber(FieldNumber(line, 241, 270) * H, def.height)) {
    return Cannot(why, "The caption does not fit the main window.");
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

bool RunRotatingFrame(State& s, AutopilotHost& host, std::string_view line, std::string& why) {
  const double period = FieldNumber(line, 45, 64);
  bool clockwise = false;
  // The drawing divides by the period.
  if (!Finite(period) || period == 0 || !ReadClockwise(line, clockwise)) {
    return Cannot(why, "Period and Clockwise must be a number other than 0 and True or False.");
  }
  s.RotatingFrame.on = true;
  s.RotatingFrame.period = period;
  s.RotatingFrame.clockwise = clockwise;
  host.rotatingFrameChanged();
  host.clearView();
  host.ResetPlotState();
  return true;
}

bool RunThrust(State& s, std::string_view line, bool initiate, std::string& why) {
  const int body = BodyNamed(s, line, AutopilotParamColumn);
  if (body <= 0) return Cannot(why, "Object must name a body.");
  if (initiate) {
    float rate = 0;
    if (!AssignNumber(FieldNumber(line, ThrustRateColumn, 86), rate)) {
      return Cannot(why, "Meters / Second must be a number from -3.4E+38 to 3.4E+38.");
    }
    s.objthrust[body] = rate;
    s.objthruston[body] = true;
    s.ThrustActive = true;
    return true;
  }
  s.objthruston[body] = false;
  bool any = false;
  for (int i = 1; i <= BodyCount(s); ++i) any = any || s.objthruston[i];
  s.ThrustActive = any;
  return true;
}

bool RunZoom(State& s, AutopilotHost& host, std::string_view line, std::string& why) {
  const double factor = AutopilotUnitMetres(s, LineEnd(line, 2));
  const double width = host.screenWidthPixels();
  if (factor != 0) {
    const double value = FieldNumber(line, 45, -1);
    const double scale = width / value / factor;
    if (!Finite(value) || value <= 0 || !Finite(scale) || scale <= 0) {
      return Cannot(why, "Specify Zoom is out of the range the view can show.");
    }
    s.ScalePixel = scale;
  }
  if (const std::optional<double> km = VisibleWidthKm(s, width)) host.setVisibleWidthKm(*km);
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

bool RunTimeScale(State& s, EngineHost& engine, std::string_view line, std::string& why) {
  const std::string_view unit = LineEnd(line, 7);
  double factor = 1;
  for (size_t k = 0; k < TimeScaleUnitWords.size(); ++k) {
    if (unit == TimeScaleUnitWords[k]) factor = TimeScaleUnitSeconds[k];
  }
  const double step = FieldNumber(line, 45, -1) * factor;
  const double now = s.timescale;
  bool ok = Finite(step) && step > 0;
  if (ok && step > now) ok = MultiplyTimeStep(s, engine, step / now);
  if (ok && step < now) ok = DivideTimeStep(s, engine, now / step);
  if (ok) return true;
  return Cannot(why, "Time Scale cannot take the bodies to this time step: a speed, direction or mass would not fit.");
}

bool RunFocus(State& s, AutopilotHost& host, std::string_view line, std::string& why) {
  const std::string_view perspective = LineColumns(line, 45, 52);
  const bool hasPerspective = (perspective == "Floating" || perspective == "Absolute");
  const int f = BodyNamed(s, line, hasPerspective ? FocusNameColumn : AutopilotParamColumn);
  if (f <= 0) return Cannot(why, "Focus Object must name a body.");
  constexpr const char* TooFar = "Offset X or Y is too large for the focus body's place.";

  const double unit = AutopilotUnitMetres(s, LineEnd(line, 2));
  double x = FieldNumber(line, FocusOffsetColumn, 94);
  double y = FieldNumber(line, 95, 114);
  if (unit != 0) {
    x *= unit;
    y *= unit;
  }
  const double offsetX = s.objx[f] * s.ScalePixel;
  const double offsetY = s.objy[f] * s.ScalePixel;
  if (!Finite(x) || !Finite(y) || !Finite(offsetX) || !Finite(offsetY)) return Cannot(why, TooFar);
  const bool floating = (x != 0 || y != 0) && s.ScalePixel != 0;
  double fx = 0, fy = 0;
  if (floating) {
    fx = offsetX / s.ScalePixel - x;
    fy = offsetY / s.ScalePixel + y;
    if (!Finite(fx) || !Finite(fy)) return Cannot(why, TooFar);
  }

  s.focusobj = static_cast<int16_t>(f);
  s.OffsetX = offsetX;
  s.OffsetY = offsetY;
  host.clearView();
  if (hasPerspective) {
    s.anchor = (perspective == "Absolute");
    host.graphicsSwitchesChanged();
    AssembleSystemElements(s);
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

bool RunOrient(State& s, std::string_view word, std::string_view line, std::string& why) {
  const int body = BodyNamed(s, line, AutopilotParamColumn);
  if (body <= 0) return Cannot(why, "Object must name a body.");
  std::optional<Direction3> u;
  if (word == "Orient Custom") {
    u = AutopilotDirection(FieldNumber(line, 67, 86), FieldNumber(line, 87, 106));
  } else {
    // A reference that names no body is the free slot past the last body,
    // at rest at the origin.
    const int ref = BodyNamed(s, line, OrientSecondColumn);
    auto of = [ref](const auto& field) { return ref != 0 ? static_cast<double>(field[ref]) : 0.0; };
    const bool byVelocity = (word == "Orient Prograde" || word == "Orient Retrograde");
    const double sign = (word == "Orient Prograde" || word == "Orient Away") ? 1.0 : -1.0;
    Direction3 d;
    if (byVelocity) {
      d = {s.objvx[body] - of(s.objvx), s.objvy[body] - of(s.objvy), s.objvz[body] - of(s.objvz)};
    } else {
      d = {s.objx[body] - of(s.objx), s.objy[body] - of(s.objy), s.objz[body] - of(s.objz)};
    }
    u = UnitAlong(d, sign);
    if (!u) return false;  // no direction to point along yet: it waits
  }
  if (!StoreThrustDirection(s, body, *u)) return Cannot(why, NoDirection);
  return true;
}

bool RunReleaseProbe(State& s, EngineHost& engine, std::string_view line, std::string& why) {
  if (s.objects >= MaxBodies || s.objects < 0) return Cannot(why, "The body table is full: it holds 1000 bodies.");
  const int p = BodyNamed(s, line, AutopilotParamColumn);
  if (p <= 0) return Cannot(why, "Release From must name a body.");

  // A blank name field names the probe "x".
  std::string name = LineText(line, 67, 86);
  if (name.empty()) name.push_back('x');
  int32_t colour = 0;
  AssignNumber(FieldNumber(line, 87, 106), colour);  // checked to fit
  const double ts = s.timescale;
  double mass = FieldNumber(line, 107, 136) * ts * ts;
  if (!Finite(mass) || mass < 0) return Cannot(why, "Mass is too large for this time step.");
  double parentMass = s.objmass[p];
  if (FieldNumber(line, 137, 156) == 1) {
    if (mass > parentMass) mass = parentMass;  // at most the parent's whole mass
    parentMass -= mass;
  }
  const Direction3 u = AutopilotDirection(FieldNumber(line, 157, 176), FieldNumber(line, 177, 196));
  std::array<float, 3> dir{};
  if (!ScaledThrustDirection(u, ts, dir)) {
    return Cannot(why, "The probe cannot be given a direction at this time step.");
  }
  const double size = FieldNumber(line, 197, 216);
  double d = (s.objsize[p] + size) / 2;
  if (d == 0) d = 1;
  double escape = 0;
  constexpr const char* NoStart = "Release From gives the probe no place or speed to start with.";
  if (!Finite(parentMass) || !Finite(size) || !Finite(d) || !GetEscapeSpeed((parentMass + mass) / ts / ts, d, escape)) {
    return Cannot(why, NoStart);
  }
  const double speed = 1.1 * escape;
  const double pos[3] = {s.objx[p] + u.x * d, s.objy[p] + u.y * d, s.objz[p] + u.z * d};
  const double vel[3] = {s.objvx[p] + dir[0] * speed, s.objvy[p] + dir[1] * speed, s.objvz[p] + dir[2] * speed};
  for (double v : {pos[0], pos[1], pos[2], vel[0], vel[1], vel[2]}) {
    if (!Finite(v)) return Cannot(why, NoStart);
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

// The cursor moves on. Nothing above the list's count is ever taken as
// pending; an entry of time 0 within it stays armed, so that it is reported
// rather than ending the list in silence.
void MoveOn(State& s) {
  AutopilotState& a = s.autopilotState;
  const int next = std::clamp<int>(a.cursor + 1, 1, MaxAutopilot + 1);
  a.cursor = static_cast<int16_t>(next);
  if (next > AutopilotListCount(s)) {
    Disarm(a);
    return;
  }
  a.nextTime = s.autopilot[next].time;
  a.nextLine = s.autopilot[next].line;
}

// An Open of a missing file says so and goes on; one that loaded a
// situation brought its own list and autopilot state (true).
bool RunOpen(State& s, AutopilotHost& host, std::string_view line) {
  const std::string_view written = LineColumns(line, 45, -1);
  const std::optional<std::string> path = ResolveAutopilotPath(s, written);
  s.OpenSucceeded = true;
  if (!path) {
    host.message(std::string(written) + " not found");
    s.OpenSucceeded = false;
  } else if (!host.openSituation(*path)) {
    s.OpenSucceeded = false;
  }
  return s.OpenSucceeded;
}

// The whole path, however long; the writer reports its own failures.
void RunSave(State& s, AutopilotHost& host, std::string_view line) {
  const std::string_view written = LineColumns(line, 45, -1);
  if (const std::optional<std::string> path = ResolveAutopilotPath(s, written)) {
    host.saveSituation(*path);
  } else {
    host.message(std::string(written) + " cannot be written: no such folder");
  }
}

// Runs the command of `word`; false when it did not run (see the commands).
// An Open that loaded a situation sets `reopened`.
bool RunWord(State& s, AutopilotHost& host, EngineHost& engine, std::string_view word, std::string_view line,
             std::string& why, bool& reopened) {
  if (word == "Caption") return RunCaption(s, host, line, why);
  if (word == "Rotating Frame") return RunRotatingFrame(s, host, line, why);
  if (word == "Thrust Initiate" || word == "Thrust Cut Off") return RunThrust(s, line, word == "Thrust Initiate", why);
  if (word.starts_with("Orient ")) return RunOrient(s, word, line, why);
  if (word == "Focus") return RunFocus(s, host, line, why);
  if (word == "Zoom") return RunZoom(s, host, line, why);
  if (word == "Graphics") return RunGraphics(s, host, line);
  if (word == "Time Scale") return RunTimeScale(s, engine, line, why);
  if (word == "Release Probe") return RunReleaseProbe(s, engine, line, why);
  if (word == "Open") {
    reopened = RunOpen(s, host, line);
  } else if (word == "Save") {
    RunSave(s, host, line);
  } else if (word == "Clear Screen") {
    host.clearView();
  } else if (word == "Pause") {
    host.PauseOnOff();
  } else if (word == "Zoom 2x") {
    host.zoomIn();
  } else if (word == "Zoom .5x") {
    host.zoomOut();
  }
  return true;
}

}  // namespace

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
  std::string why = AutopilotEntryTimeProblem(a.nextTime);
  if (why.empty()) why = AutopilotCommandProblem(ExecutorCheck(s, host), line);
  bool reopened = false;
  if (why.empty() && !RunWord(s, host, engine, word, line, why, reopened) && why.empty()) {
    return AutopilotRun::Failed;
  }
  if (reopened) return AutopilotRun::Reopened;
  if (!why.empty()) {
    // Told once, and nothing changed: the list goes on with the next entry
    // when the run goes on.
    engine.pauseWithMessage(AutopilotRefusalMessage(a.nextTime, word, why));
    MoveOn(s);
    return AutopilotRun::Refused;
  }
  EndRun(s, host);  // a run that did its work
  MoveOn(s);
  return AutopilotRun::Done;
}

}  // namespace molvane

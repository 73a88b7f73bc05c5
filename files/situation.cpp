// The situation file as a sequence of its sections (files/situation/): each
// of the four directions runs every section's function in its order.
#include "files/situation.h"

#include <cmath>

#include "engine/calendar.h"
#include "engine/thrust.h"
#include "engine/timestep.h"
#include "engine/view.h"
#include "files/situation/sections.h"

namespace molvane {

using namespace situation;

namespace {

// The load reads and applies the sections in this order: Objects first,
// since the others bound their body indices by them.
constexpr const Section* kLoadOrder[] = {&kObjects,        &kDistanceBoxes, &kOrbitBoxes, &kSData,
                                         &kCommandButtons, &kCaptions,      &kThrustBox,  &kAutoPilot};
// The order in which the writer puts them in the file.
constexpr const Section* kFileOrder[] = {&kDistanceBoxes, &kOrbitBoxes, &kSData,   &kCommandButtons,
                                         &kCaptions,      &kThrustBox,  &kObjects, &kAutoPilot};

// Before the sections: every window a situation records is closed and the
// autopilot list emptied (unless it is to be kept).
void ClearForLoad(const LoadTarget& to) {
  State& s = to.s;
  FilesHost& files = to.files;
  s.CurrentFolder = GetFolderPart(to.path);
  s.CurrentFileName = GetFileNamePart(to.path);
  for (int k = 1; k <= MaxCaptions; ++k) s.captions[k].width = 3;
  s.autoSave.enabled = false;
  for (int k = 1; k <= MaxSlots; ++k) {
    if (s.distanceBoxes[k].inUse) files.closeDistanceBox(k);
    s.distanceBoxes[k].inUse = false;
    if (s.orbitBoxes[k].inUse) files.closeOrbitBox(k);
    s.orbitBoxes[k].inUse = false;
    if (s.thrustPanels[k].inUse) files.closeThrustPanel(k);
    s.thrustPanels[k].inUse = false;
  }
  for (int w = 0; w < DashboardCount; ++w) {
    if (DashboardOpenFlag(s, w)) files.closeDashboard(w);
    DashboardOpenFlag(s, w) = false;
  }
  if (s.formcontrolcenterloaded) files.closeDefaultThrustPanel();
  s.formcontrolcenterloaded = false;
  if (!s.KeepCommandsFlag)
    for (int k = 1; k <= MaxAutopilot; ++k) s.autopilot[k] = AutopilotCommand{};
}

// The floating focus point follows the view offset, in the tilt of the
// scroll bars, and moves with the focus body.
void PlaceFloatingPoint(State& s) {
  const MainWindowRecord& w = s.mainWindow;
  if (s.ScalePixel > 0) {
    double t = (w.vscroll / 10000.0) * (1.0 - w.hscroll / 10000.0);
    double ox = s.OffsetX / s.ScalePixel, oy = s.OffsetY / s.ScalePixel;
    if (std::isfinite(ox) && std::isfinite(oy)) {
      s.FloatingPosition = {ox, std::fabs(t) * oy, -std::fabs(1.0 - t) * oy};
      s.objx[0] = s.FloatingPosition[0];
      s.objy[0] = std::fabs(t) * s.FloatingPosition[1];
      s.objz[0] = (1.0 - std::fabs(t)) * s.FloatingPosition[2];
    }
  }
  s.objvx[0] = s.objvx[s.focusobj];
  s.objvy[0] = s.objvy[s.focusobj];
  s.objvz[0] = s.objvz[s.focusobj];
  s.objname[0] = "Floating";
}

// After the sections: the view, the floating point, the names and the
// thrust switched off.
void RunEpilogue(const LoadTarget& to) {
  State& s = to.s;
  FilesHost& files = to.files;
  DivideTimeStep(s, to.engine, 1.0);
  files.UpdateScreenScale();
  if (s.focusobjectloaded) to.engine.selectFocusInList();
  if (s.anchor) {
    if (s.graphicsoptionsloaded) files.setAnchorButton("F");
  } else {
    AssembleSystemElements(s);
    if (s.graphicsoptionsloaded) files.setAnchorButton("A");
  }
  if (s.llabels) files.showBodyLabels();
  PlaceFloatingPoint(s);
  if (s.focusobj != 0) s.PreviousFocusObj = s.focusobj;
  if (s.dateandtimeloaded) files.showDateTime(FormatDateTimeText(s.SecondsElapsed));

  std::string caption = "Molvane -- " + GetFolderPart(to.path) + GetFileNamePart(to.path);
  if (s.mainWindow.titlebar) files.setMainCaption(caption);
  s.MainCaption = caption;
  s.isitname = to.path;
  for (int k = 1; k <= s.objects; ++k) s.objthruston[k] = false;
  s.ThrustActive = false;
  RaiseReferenceLabels(s, to.engine);
}

}  // namespace

bool SituationDocument::operator==(const SituationDocument& o) const {
  if (!(distanceBoxes == o.distanceBoxes && orbitBoxes == o.orbitBoxes && sdata == o.sdata &&
        hasDashboard == o.hasDashboard && hasCaptions == o.hasCaptions && captions == o.captions &&
        thrustPanels == o.thrustPanels && bodies == o.bodies && autopilot.size() == o.autopilot.size()))
    return false;
  for (int w = 0; w < DashboardCount; ++w) {
    const DashboardRecord &a = dashboard[w], &b = o.dashboard[w];
    if (a.open != b.open || a.top != b.top || a.left != b.left) return false;
  }
  for (size_t i = 0; i < autopilot.size(); ++i) {
    const AutopilotCommand &a = autopilot[i], &b = o.autopilot[i];
    if (a.line != b.line || a.time != b.time || a.note != b.note) return false;
  }
  return true;
}

ReadResult ReadSituation(const ItemList& items, const State& current) {
  ReadResult r;
  if (items.empty() || items[0].quoted) return r;  // NotSituation
  if (items[0].text == "mOLVANE") {
    r.status = ReadStatus::ValueList;
    return r;
  }
  if (items[0].text != kOpenTag) return r;
  r.status = ReadStatus::Damaged;
  SectionItems in(items);
  if (!in.HasEndTag()) return r;
  for (const Section* section : kLoadOrder)
    if (!section->read(in, current, r.doc, r.dropped)) return r;
  r.status = ReadStatus::Ok;
  return r;
}

ReadResult ReadSituation(std::string_view bytes, const State& current) {
  return ReadSituation(SplitItems(bytes), current);
}

ReadResult ReadSituation(std::string_view bytes) {
  static const State defaults;
  return ReadSituation(bytes, defaults);
}

std::string WriteSituation(const SituationDocument& d) {
  std::string out;
  out.reserve(1024 + d.bodies.size() * 400 + d.autopilot.size() * 120);
  Line(out, kOpenTag);
  for (const Section* section : kFileOrder) section->write(out, d);
  Line(out, kCloseTag);
  return out;
}

SituationDocument DocumentFromState(const State& s) {
  SituationDocument d;
  for (const Section* section : kFileOrder) section->fromState(s, d);
  return d;
}

void ApplySituation(State& s, FilesHost& files, EngineHost& engine, const SituationDocument& d,
                    const std::string& path) {
  const LoadTarget to{s, files, engine, path};
  ClearForLoad(to);
  for (const Section* section : kLoadOrder) section->apply(to, d);
  RunEpilogue(to);
}

std::string DescribeDropped(const DroppedRecords& d) {
  std::string out;
  auto add = [&](int n, const char* one, const char* many) {
    if (n <= 0) return;
    if (!out.empty()) out += ", ";
    out += std::to_string(n) + " " + (n == 1 ? one : many);
  };
  add(d.bodies, "body", "bodies");
  add(d.distanceBoxes, "distance box", "distance boxes");
  add(d.orbitBoxes, "orbit box", "orbit boxes");
  add(d.thrustPanels, "thrust panel", "thrust panels");
  add(d.autopilot, "autopilot entry", "autopilot entries");
  return out;
}

}  // namespace molvane

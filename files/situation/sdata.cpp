// The SData section: the clock, the time step, the view, the main window
// and the auto-save settings, 36 lines read by position. Line 7 (the body
// count) is written from the bodies and never read; lines 30 and 31 are
// passed through.
#include <cmath>

#include "engine/numtext.h"
#include "files/situation/sections.h"

namespace molvane::situation {

namespace {

constexpr int kSDataLines = 36;

// The lines from item p, `current` giving what does not read; false for a
// time step that is not positive.
bool ReadLines(const SectionItems& in, size_t p, const State& c, int objects, SDataRecord& s) {
  auto at = [&](int line) -> TextItem { return in[p + static_cast<size_t>(line) - 1]; };
  s.scalePixel = c.ScalePixel;
  double scale = c.ScalePixel;
  if (ReadNumber(at(1), scale) && scale > 0) s.scalePixel = scale;
  s.secondsElapsed = c.SecondsElapsed;
  ReadNumber(at(2), s.secondsElapsed);
  s.timescale = c.timescale;
  if (ReadNumber(at(3), s.timescale) && !(s.timescale > 0)) return false;
  s.offsetX = c.OffsetX;
  ReadNumber(at(4), s.offsetX);
  s.offsetY = c.OffsetY;
  ReadNumber(at(5), s.offsetY);
  s.focusobj = c.focusobj;
  ReadNumber(at(6), s.focusobj);
  s.focusobj = BodyIndexOrZero(s.focusobj, objects);
  s.menus = c.menus;
  ReadFlag(at(8), s.menus);
  s.llabels = c.llabels;
  ReadFlag(at(9), s.llabels);
  s.hscroll = c.mainWindow.hscroll;
  ReadNumber(at(10), s.hscroll);
  s.vscroll = c.mainWindow.vscroll;
  ReadNumber(at(11), s.vscroll);
  s.storedName = at(12).text;
  s.rotatingOn = c.RotatingFrame.on;
  ReadFlag(at(13), s.rotatingOn);
  s.rotatingPeriod = c.RotatingFrame.period;
  ReadNumber(at(14), s.rotatingPeriod);
  s.timeForward = c.TimeForward;
  ReadFlag(at(15), s.timeForward);
  const MainWindowRecord& w = c.mainWindow;
  s.backColor = w.backColor;
  ReadNumber(at(16), s.backColor);
  s.backColor = ColourOr(s.backColor, 0);
  s.windowState = w.windowState;
  ReadNumber(at(17), s.windowState);
  s.top = w.top;
  ReadNumber(at(18), s.top);
  s.left = w.left;
  ReadNumber(at(19), s.left);
  s.width = w.width;
  ReadNumber(at(20), s.width);
  s.height = w.height;
  ReadNumber(at(21), s.height);
  s.titlebar = w.titlebar;
  ReadFlag(at(22), s.titlebar);
  s.exaggerate = c.ExaggerateObjectSizeOn;
  ReadFlag(at(23), s.exaggerate);
  s.minimumObjectSize = c.MinimumObjectSize;
  ReadNumber(at(24), s.minimumObjectSize);
  s.exaggeratedObjectSize = c.ExaggeratedObjectSize;
  ReadNumber(at(25), s.exaggeratedObjectSize);
  s.anchor = c.anchor;
  ReadFlag(at(26), s.anchor);
  s.llabelsAgain = s.llabels;
  ReadFlag(at(27), s.llabelsAgain);
  s.trails = c.trails;
  ReadFlag(at(28), s.trails);
  s.pplot = c.pplot;
  ReadFlag(at(29), s.pplot);
  s.currentFolder = at(30).text;
  s.originalName = at(31).text;
  s.autoSaveEnabled = false;  // the load switches auto-save off before this
  ReadFlag(at(32), s.autoSaveEnabled);
  s.autoSaveInterval = c.autoSave.interval;
  ReadNumber(at(33), s.autoSaveInterval);
  s.savesMade = c.autoSave.savesMade;
  ReadNumber(at(34), s.savesMade);
  s.maxSaves = c.autoSave.maxSaves;
  ReadNumber(at(35), s.maxSaves);
  s.nextTime = c.autoSave.nextTime;
  ReadNumber(at(36), s.nextTime);
  return true;
}

bool ReadSData(const SectionItems& in, const State& current, SituationDocument& d, DroppedRecords&) {
  std::optional<size_t> p = in.PositionalSection(kSDataTags.open, kSDataLines);
  if (!p || *p == SectionItems::kMissing) return false;  // without it the bodies' units are unknown
  SDataRecord& s = d.sdata;
  if (!ReadLines(in, *p, current, LastBody(d), s)) return false;
  for (double* v :
       {&s.scalePixel, &s.secondsElapsed, &s.timescale, &s.offsetX, &s.offsetY, &s.rotatingPeriod, &s.nextTime})
    Canon(*v);
  for (float* v : {&s.top, &s.left, &s.width, &s.height, &s.autoSaveInterval}) Canon(*v);
  return true;
}

void WriteSData(std::string& out, const SituationDocument& d) {
  const SDataRecord& s = d.sdata;
  Line(out, kSDataTags.open);
  Line(out, ShortText(s.scalePixel));
  Line(out, ShortText(s.secondsElapsed));
  Line(out, ShortText(s.timescale));
  Line(out, ShortText(s.offsetX));
  Line(out, ShortText(s.offsetY));
  Line(out, ShortText(s.focusobj));
  Line(out, ShortText(static_cast<int64_t>(LastBody(d))));
  Line(out, FlagText(s.menus));
  Line(out, FlagText(s.llabels));
  Line(out, ShortText(s.hscroll));
  Line(out, ShortText(s.vscroll));
  Line(out, WriteTextItem(s.storedName));
  Line(out, FlagText(s.rotatingOn));
  Line(out, ShortText(s.rotatingPeriod));
  Line(out, FlagText(s.timeForward));
  Line(out, ShortText(s.backColor));
  Line(out, ShortText(s.windowState));
  Line(out, ShortText(s.top));
  Line(out, ShortText(s.left));
  Line(out, ShortText(s.width));
  Line(out, ShortText(s.height));
  Line(out, FlagText(s.titlebar));
  Line(out, FlagText(s.exaggerate));
  Line(out, ShortText(s.minimumObjectSize));
  Line(out, ShortText(s.exaggeratedObjectSize));
  Line(out, FlagText(s.anchor));
  Line(out, FlagText(s.llabelsAgain));
  Line(out, FlagText(s.trails));
  Line(out, FlagText(s.pplot));
  Line(out, WriteTextItem(s.currentFolder));
  Line(out, WriteTextItem(s.originalName));
  Line(out, FlagText(s.autoSaveEnabled));
  Line(out, ShortText(s.autoSaveInterval));
  Line(out, ShortText(s.savesMade));
  Line(out, ShortText(s.maxSaves));
  Line(out, ShortText(s.nextTime));
  Line(out, kSDataTags.close);
}

void SDataFromState(const State& s, SituationDocument& d) {
  SDataRecord& r = d.sdata;
  const MainWindowRecord& w = s.mainWindow;
  r.scalePixel = s.ScalePixel;
  r.secondsElapsed = s.SecondsElapsed;
  r.timescale = s.timescale;
  r.offsetX = s.OffsetX;
  r.offsetY = s.OffsetY;
  r.focusobj = s.focusobj;
  r.menus = s.menus;
  r.llabels = r.llabelsAgain = s.llabels;
  r.hscroll = w.hscroll;
  r.vscroll = w.vscroll;
  r.storedName = s.isitname;
  r.rotatingOn = s.RotatingFrame.on;
  r.rotatingPeriod = s.RotatingFrame.period;
  r.timeForward = s.TimeForward;
  r.backColor = w.backColor;
  r.windowState = w.windowState;
  r.top = w.top;
  r.left = w.left;
  r.width = w.width;
  r.height = w.height;
  r.titlebar = w.titlebar;
  r.exaggerate = s.ExaggerateObjectSizeOn;
  r.minimumObjectSize = s.MinimumObjectSize;
  r.exaggeratedObjectSize = s.ExaggeratedObjectSize;
  r.anchor = s.anchor;
  r.trails = s.trails;
  r.pplot = s.pplot;
  // The folder as a shell's pwd prints it: no closing "/" but for the root.
  r.currentFolder = s.CurrentFolder;
  while (r.currentFolder.size() > 1 && r.currentFolder.back() == '/') r.currentFolder.pop_back();
  r.originalName = IsResumeFilePath(s.isitname) ? s.OriginalSituationName : s.isitname;
  r.autoSaveEnabled = s.autoSave.enabled;
  r.autoSaveInterval = s.autoSave.interval;
  r.savesMade = s.autoSave.savesMade;
  r.maxSaves = s.autoSave.maxSaves;
  r.nextTime = s.autoSave.nextTime;
}

void ApplySData(const LoadTarget& to, const SituationDocument& d) {
  State& s = to.s;
  const SDataRecord& r = d.sdata;
  if (r.scalePixel > 0 && std::isfinite(r.scalePixel)) s.ScalePixel = r.scalePixel;
  s.SecondsElapsed = r.secondsElapsed;
  if (r.timescale > 0 && std::isfinite(r.timescale)) s.timescale = r.timescale;
  s.OffsetX = r.offsetX;
  s.OffsetY = r.offsetY;
  s.focusobj = BodyIndexOrZero(r.focusobj, s.objects);
  s.menus = r.menus;
  s.llabels = r.llabels;
  MainWindowRecord& w = s.mainWindow;
  w.hscroll = r.hscroll;
  w.vscroll = r.vscroll;
  s.StoredSituationName = r.storedName;
  // The view turns by the step over the period: a period of 0 leaves the
  // frame off.
  s.RotatingFrame.on = r.rotatingOn && r.rotatingPeriod != 0;
  s.RotatingFrame.period = r.rotatingPeriod;
  s.TimeForward = r.timeForward;
  w.backColor = r.backColor;
  w.windowState = r.windowState;
  w.top = r.top;
  w.left = r.left;
  w.width = r.width;
  w.height = r.height;
  w.titlebar = r.titlebar;
  s.ExaggerateObjectSizeOn = r.exaggerate;
  s.MinimumObjectSize = r.minimumObjectSize;
  s.ExaggeratedObjectSize = r.exaggeratedObjectSize;
  s.anchor = r.anchor;
  s.llabels = r.llabelsAgain;
  s.trails = r.trails;
  s.pplot = r.pplot;
  s.autoSave.enabled = r.autoSaveEnabled;
  s.autoSave.interval = r.autoSaveInterval;
  s.autoSave.savesMade = r.savesMade;
  s.autoSave.maxSaves = r.maxSaves;
  s.autoSave.nextTime = r.nextTime;
  // The resume file remembers which situation it stands for.
  if (IsResumeFilePath(to.path)) s.OriginalSituationName = r.originalName;
  to.files.setMainWindow();
}

}  // namespace

const Section kSData{ReadSData, WriteSData, SDataFromState, ApplySData};

}  // namespace molvane::situation

// The SData section: the clock, the time step, the view, the main window
// and the auto-save settings, read by position, one line per row of kLines.
#include <cmath>

#include "files/situation/fields.h"

namespace molvane::situation {

namespace {

using R = SDataRecord;
using SDataLine = Field<SDataRecord, const State&, State&>;

// ---- The lines' own rules

// Line 1: a scale that does not read as positive keeps the one before.
bool ReadScale(const TextItem& item, R& r, const FieldContext&) {
  double scale = r.scalePixel;
  if (ReadNumber(item, scale) && scale > 0) r.scalePixel = scale;
  return true;
}

// Lines 1 and 3: the tables take only a positive, finite scale and step.
void LoadScale(State& s, const R& r, const FieldContext&) {
  if (r.scalePixel > 0 && std::isfinite(r.scalePixel)) s.ScalePixel = r.scalePixel;
}

// Line 3: a time step that reads but is not positive damages the file.
bool ReadTimeStep(const TextItem& item, R& r, const FieldContext&) {
  return !(ReadNumber(item, r.timescale) && !(r.timescale > 0));
}

void LoadTimeStep(State& s, const R& r, const FieldContext&) {
  if (r.timescale > 0 && std::isfinite(r.timescale)) s.timescale = r.timescale;
}

// Line 6: the focus is one of the bodies (of the file read, of the table
// loaded into).
bool ReadFocus(const TextItem& item, R& r, const FieldContext& c) {
  ReadNumber(item, r.focusobj);
  r.focusobj = BodyIndexOrZero(r.focusobj, c.lastBody);
  return true;
}

void LoadFocus(State& s, const R& r, const FieldContext& c) { s.focusobj = BodyIndexOrZero(r.focusobj, c.lastBody); }

// Line 7: the body count, written from the bodies and never read.
void WriteBodyCount(std::string& out, const R&, const FieldContext& c) {
  Line(out, ShortText(static_cast<int64_t>(c.lastBody)));
}

// Line 12: the name of the situation written; the load keeps it apart.
void LoadStoredName(State& s, const R& r, const FieldContext&) { s.StoredSituationName = r.storedName; }

// Line 13: the view turns by the step over the period, so a period of 0
// leaves the frame off.
void LoadRotating(State& s, const R& r, const FieldContext&) {
  s.RotatingFrame.on = r.rotatingOn && r.rotatingPeriod != 0;
}

// Line 16.
bool ReadBackColour(const TextItem& item, R& r, const FieldContext&) {
  ReadNumber(item, r.backColor);
  r.backColor = ColourOr(r.backColor, 0);
  return true;
}

// Line 27, the labels flag again: what does not read is line 9's.
bool ReadLabelsAgain(const TextItem& item, R& r, const FieldContext&) {
  r.llabelsAgain = r.llabels;
  ReadFlag(item, r.llabelsAgain);
  return true;
}

// Line 30, the folder as a shell's pwd prints it (no closing "/" but for
// the root). It is not loaded: the folder is the opened file's.
void TakeFolder(const State& s, R& r) {
  r.currentFolder = s.CurrentFolder;
  while (r.currentFolder.size() > 1 && r.currentFolder.back() == '/') r.currentFolder.pop_back();
}

void LeaveFolder(State&, const R&, const FieldContext&) {}

// Line 31: the resume file remembers which situation it stands for.
void TakeOriginalName(const State& s, R& r) {
  r.originalName = IsResumeFilePath(s.isitname) ? s.OriginalSituationName : s.isitname;
}

void LoadOriginalName(State& s, const R& r, const FieldContext& c) {
  if (IsResumeFilePath(c.path)) s.OriginalSituationName = r.originalName;
}

// Line 32: the load has switched auto-save off before the sections.
bool ReadAutoSaveSwitch(const TextItem& item, R& r, const FieldContext&) {
  r.autoSaveEnabled = false;
  ReadFlag(item, r.autoSaveEnabled);
  return true;
}

// ---- The lines, in file order

using MW = MainWindowRecord;
using AS = AutoSaveSettings;
using RF = RotatingFrameState;

constexpr SDataLine kLines[] = {
    Row<SDataLine, &R::scalePixel, At<&State::ScalePixel>>({.read = ReadScale, .load = LoadScale}),  // 1
    Row<SDataLine, &R::secondsElapsed, At<&State::SecondsElapsed>>(),
    Row<SDataLine, &R::timescale, At<&State::timescale>>({.read = ReadTimeStep, .load = LoadTimeStep}),
    Row<SDataLine, &R::offsetX, At<&State::OffsetX>>(),
    Row<SDataLine, &R::offsetY, At<&State::OffsetY>>(),
    Row<SDataLine, &R::focusobj, At<&State::focusobj>>({.read = ReadFocus, .load = LoadFocus}),
    {.write = WriteBodyCount},  // 7
    Row<SDataLine, &R::menus, At<&State::menus>>(),
    Row<SDataLine, &R::llabels, At<&State::llabels>>(),
    Row<SDataLine, &R::hscroll, At<&State::mainWindow, &MW::hscroll>>(),  // 10
    Row<SDataLine, &R::vscroll, At<&State::mainWindow, &MW::vscroll>>(),
    Row<SDataLine, &R::storedName, At<&State::isitname>>({.load = LoadStoredName}),
    Row<SDataLine, &R::rotatingOn, At<&State::RotatingFrame, &RF::on>>({.load = LoadRotating}),
    Row<SDataLine, &R::rotatingPeriod, At<&State::RotatingFrame, &RF::period>>(),
    Row<SDataLine, &R::timeForward, At<&State::TimeForward>>(),
    Row<SDataLine, &R::backColor, At<&State::mainWindow, &MW::backColor>>({.read = ReadBackColour}),
    Row<SDataLine, &R::windowState, At<&State::mainWindow, &MW::windowState>>(),
    Row<SDataLine, &R::top, At<&State::mainWindow, &MW::top>>(),
    Row<SDataLine, &R::left, At<&State::mainWindow, &MW::left>>(),
    Row<SDataLine, &R::width, At<&State::mainWindow, &MW::width>>(),  // 20
    Row<SDataLine, &R::height, At<&State::mainWindow, &MW::height>>(),
    Row<SDataLine, &R::titlebar, At<&State::mainWindow, &MW::titlebar>>(),
    Row<SDataLine, &R::exaggerate, At<&State::ExaggerateObjectSizeOn>>(),
    Row<SDataLine, &R::minimumObjectSize, At<&State::MinimumObjectSize>>(),
    Row<SDataLine, &R::exaggeratedObjectSize, At<&State::ExaggeratedObjectSize>>(),
    Row<SDataLine, &R::anchor, At<&State::anchor>>(),
    Row<SDataLine, &R::llabelsAgain, At<&State::llabels>>({.read = ReadLabelsAgain}),
    Row<SDataLine, &R::trails, At<&State::trails>>(),
    Row<SDataLine, &R::pplot, At<&State::pplot>>(),
    Row<SDataLine, &R::currentFolder, At<&State::CurrentFolder>>({.take = TakeFolder, .load = LeaveFolder}),  // 30
    Row<SDataLine, &R::originalName, At<&State::OriginalSituationName>>(
        {.take = TakeOriginalName, .load = LoadOriginalName}),
    Row<SDataLine, &R::autoSaveEnabled, At<&State::autoSave, &AS::enabled>>({.read = ReadAutoSaveSwitch}),
    Row<SDataLine, &R::autoSaveInterval, At<&State::autoSave, &AS::interval>>(),
    Row<SDataLine, &R::savesMade, At<&State::autoSave, &AS::savesMade>>(),
    Row<SDataLine, &R::maxSaves, At<&State::autoSave, &AS::maxSaves>>(),
    Row<SDataLine, &R::nextTime, At<&State::autoSave, &AS::nextTime>>(),
};

// ---- The section

// What does not read keeps the value of `current`.
bool ReadSData(const SectionItems& in, const State& current, SituationDocument& d, DroppedRecords&) {
  std::optional<size_t> p = in.PositionalSection(kSDataTags.open, static_cast<int>(std::size(kLines)));
  if (!p || *p == SectionItems::kMissing) return false;  // without it the bodies' units are unknown
  TakeFields(kLines, current, d.sdata);
  return ReadFields(kLines, in, *p, d.sdata, {.lastBody = LastBody(d)});
}

void WriteSData(std::string& out, const SituationDocument& d) {
  Line(out, kSDataTags.open);
  WriteFields(kLines, out, d.sdata, {.lastBody = LastBody(d)});
  Line(out, kSDataTags.close);
}

void SDataFromState(const State& s, SituationDocument& d) { TakeFields(kLines, s, d.sdata); }

void ApplySData(const LoadTarget& to, const SituationDocument& d) {
  LoadFields(kLines, to.s, d.sdata, {.lastBody = to.s.objects, .path = to.path});
  to.files.setMainWindow();
}

}  // namespace

const Section kSData{ReadSData, WriteSData, SDataFromState, ApplySData};

}  // namespace molvane::situation

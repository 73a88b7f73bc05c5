#include "files/valuelist.h"

#include <algorithm>
#include <cmath>

#include "engine/autopilotarm.h"
#include "engine/bodies.h"
#include "engine/numtext.h"
#include "engine/view.h"
#include "files/situation.h"

namespace molvane {

namespace {

constexpr size_t kShortHeader = 46, kLongHeader = 146, kBlockItems = 18;

// ---- Fixed columns. Positions count from 1; a column past the end of the
// item is empty, and "the last n characters" of a shorter item is all of it.

std::string_view Mid(std::string_view t, size_t from, size_t to) {
  if (from < 1 || from > t.size() || to < from) return {};
  return t.substr(from - 1, std::min(to, t.size()) - from + 1);
}

std::string_view Right(std::string_view t, size_t n) { return n >= t.size() ? t : t.substr(t.size() - n); }

char CharAt(std::string_view t, size_t pos) { return (pos >= 1 && pos <= t.size()) ? t[pos - 1] : '\0'; }

double Val(std::string_view t) { return ParseNumberPrefix(t, true); }

bool StartsWith(std::string_view t, std::string_view head) { return t.substr(0, head.size()) == head; }

std::string TrimEnd(std::string_view t) {
  while (!t.empty() && (t.back() == ' ' || t.back() == '\t')) t.remove_suffix(1);
  return std::string(t);
}

class Reader {
 public:
  Reader(const ItemList& items, double captionBase, const std::string& path)
      : it_(items), base_(captionBase), path_(path) {}

  // Checks the layout without touching any table; `current` gives the time
  // step that a time-step item which does not convert leaves in place.
  ValueListStatus Check(ValueListRead& r, const State& current) {
    if (it_.empty() || it_[0].quoted || it_[0].text != "mOLVANE") return ValueListStatus::NotValueList;
    if (it_.size() < kShortHeader) return ValueListStatus::Damaged;
    r.longHeader = At(46).text == "True";
    const size_t header = r.longHeader ? kLongHeader : kShortHeader;
    if (it_.size() < header) return ValueListStatus::Damaged;

    // The body count decides the layout of everything after the header.
    double count = 0;
    if (!ParseWholeNumber(At(23).text, &count) || !std::isfinite(count)) return ValueListStatus::Damaged;
    count = RoundHalfEven(count);
    if (count < 0 || count > MaxBodies) return ValueListStatus::BadBodyCount;
    n_ = static_cast<int>(count);

    header_ = header;
    std::string_view first = header < it_.size() ? it_[header].text : std::string_view();
    floating_ = first == "Floating" || first.empty();
    blocks_ = static_cast<size_t>(n_) + (floating_ ? 1 : 0);
    if (n_ == 0 && header >= it_.size()) blocks_ = 0;  // no bodies and nothing after the header
    if (it_.size() - header < blocks_ * kBlockItems) return ValueListStatus::Damaged;

    double timescale = current.timescale;
    if (ReadNumber(At(19), timescale) && !(timescale > 0)) return ValueListStatus::Damaged;
    return ValueListStatus::Ok;
  }

  // Reads a checked file into the tables.
  void Fill(ValueListRead& r, State& next) {
    s_ = &next;
    ClearForLoad();
    ReadHeader();
    if (r.longHeader) ReadLongHeader(r);
    for (size_t b = 0; b < blocks_; ++b) {
      int k = floating_ ? static_cast<int>(b) : static_cast<int>(b) + 1;
      ReadBody(header_ + b * kBlockItems, k);
    }
    ResolveBodyReferences(next);
    ReadAutopilot(r, header_ + blocks_ * kBlockItems);
    ReadReferenceBoxes(r);
    Finish();
  }

 private:
  TextItem At(size_t n) const { return it_[n - 1]; }  // items count from 1

  int16_t Bounded(int16_t v) const { return BodyIndexOrZero(v, n_); }

  // Before the items: the captions' width, the file's names, the autopilot
  // times and lines (unless the list is to be kept).
  void ClearForLoad() {
    State& s = *s_;
    for (int k = 1; k <= MaxCaptions; ++k) s.captions[k].width = 3;
    s.CurrentFolder = GetFolderPart(path_);
    s.CurrentFileName = GetFileNamePart(path_);
    if (!s.KeepCommandsFlag)
      for (int k = 1; k <= MaxAutopilot; ++k) {
        s.autopilot[k].time = 0;
        s.autopilot[k].line.clear();
      }
  }

  // Items 2 to 45: the reference boxes' open flags, the view, the
  // Dashboard places and the captions.
  void ReadHeader() {
    State& s = *s_;
    auto opens = [](std::string_view t) { return t == "True" || t == "true"; };
    if (opens(At(3).text)) s.refbox1loaded = true;
    if (opens(At(10).text)) s.refbox2loaded = true;

    double scale = s.ScalePixel;
    if (ReadNumber(At(17), scale) && scale > 0) s.ScalePixel = scale;
    ReadNumber(At(18), s.SecondsElapsed);
    ReadNumber(At(19), s.timescale);  // checked above: finite and positive, or kept
    ReadNumber(At(20), s.OffsetX);
    ReadNumber(At(21), s.OffsetY);
    ReadNumber(At(22), s.focusobj);
    s.focusobj = Bounded(s.focusobj);
    BodyTableReplaced(s, n_);
    s.objects = static_cast<int16_t>(n_);
    ReadFlag(At(24), s.menus);
    s.llabels = At(25).text == "True";
    bool backward = false;
    if (ReadFlag(At(27), backward)) s.TimeForward = !backward;
    s.StoredSituationName = At(28).text;

    // Item 28 closes the Dashboard windows and the default thrust panel.
    for (int w = 0; w < DashboardCount; ++w) DashboardOpenFlag(s, w) = false;
    s.formcontrolcenterloaded = false;
    ReadDashboard(At(29).text);
    for (int k = 1; k <= MaxCaptions; ++k) ReadCaption(k, 30 + 4 * static_cast<size_t>(k - 1));

    // Scroll item: the view tilt.
    std::string_view tilt = At(26).text;
    AssignNumber(Val(Mid(tilt, 1, 8)), s.mainWindow.hscroll);
    AssignNumber(Val(Right(tilt, 8)), s.mainWindow.vscroll);
  }

  // Ten numbers from character 2, each up to the next "!": Top and Left of
  // each Dashboard window. A number that is negative, not finite or not
  // there leaves that edge alone; 0 or more opens the window.
  void ReadDashboard(std::string_view t) {
    if (t == "rffu18" || t == "rffu") return;
    size_t p = 1;  // character 1 is not read
    for (int i = 0; i < 2 * DashboardCount; ++i) {
      if (p > t.size()) break;  // the scan stops at the end of the item
      size_t bang = t.find('!', p);
      std::string_view number = t.substr(p, bang == std::string_view::npos ? std::string_view::npos : bang - p);
      p = bang == std::string_view::npos ? t.size() + 1 : bang + 1;
      float v = 0;
      double d = Val(number);
      if (!(d >= 0) || !AssignNumber(d, v)) continue;
      int w = i / 2;
      DashboardOpenFlag(*s_, w) = true;
      (i % 2 == 0 ? s_->dashboard[w].top : s_->dashboard[w].left) = v;
    }
  }

  void ReadCaption(int k, size_t first) {
    CaptionSlot& c = s_->captions[k];
    auto absent = [](std::string_view t) { return StartsWith(t, "rffu"); };
    auto scaled = [&](float rel, float& target) { AssignNumber(static_cast<double>(rel) * base_, target); };

    std::string_view text = At(first).text;
    c.caption = absent(text) ? std::string() : UnescapeItemText(text);

    std::string_view font = At(first + 1).text;
    if (!absent(font)) c.fontName = font;

    std::string_view style = At(first + 2).text;
    if (!absent(style)) {
      c.bold = CharAt(style, 16) == 'y';
      c.italic = CharAt(style, 17) == 'y';
      c.strikethru = CharAt(style, 18) == 'y';
      c.underline = CharAt(style, 19) == 'y';
      if (AssignNumber(Val(Mid(style, 1, 15)), c.relFontSize)) scaled(c.relFontSize, c.fontSize);
      AssignNumber(Val(Right(style, 10)), c.foreColor);
      c.foreColor = ColourOr(c.foreColor, ColourWhite);
    }

    std::string_view geometry = At(first + 3).text;
    if (!absent(geometry)) {
      if (AssignNumber(Val(Mid(geometry, 1, 15)), c.relTop)) scaled(c.relTop, c.top);
      if (AssignNumber(Val(Mid(geometry, 16, 30)), c.relHeight)) scaled(c.relHeight, c.height);
      if (AssignNumber(Val(Mid(geometry, 31, 45)), c.relWidth)) scaled(c.relWidth, c.width);
      if (AssignNumber(Val(Right(geometry, 15)), c.relLeft)) scaled(c.relLeft, c.left);
    }
  }

  // Five fields of 15 characters: window state, top, left, width, height.
  static void ReadGeometry(std::string_view t, SingleWindowPlace& place, bool neverMinimised) {
    int16_t ws = place.windowState;
    if (AssignNumber(Val(Mid(t, 1, 15)), ws) && ws >= 0 && ws <= 2)
      place.windowState = (neverMinimised && ws == 1) ? int16_t{2} : ws;
    AssignNumber(Val(Mid(t, 16, 30)), place.top);
    AssignNumber(Val(Mid(t, 31, 45)), place.left);
    AssignNumber(Val(Mid(t, 46, 60)), place.width);
    AssignNumber(Val(Right(t, 15)), place.height);
  }

  // Items 47 to 66: the default orbit box, the display switches, the main
  // window, the default thrust panel, the names and auto-save.
  void ReadLongHeader(ValueListRead& r) {
    State& s = *s_;
    r.orbitBoxShown = At(47).text == "True";
    ReadNumber(At(48), s.rbo1a);  // bounded with the other windows' bodies in Finish
    if (r.orbitBoxShown) {
      ReadStrictNumber(At(49), s.refboxorbit1Place.left);
      ReadStrictNumber(At(50), s.refboxorbit1Place.top);
    }

    std::string_view rotating = At(51).text;
    s.RotatingFrame.on = CharAt(rotating, 1) == 'y';
    if (s.RotatingFrame.on) AssignNumber(Val(rotating.substr(1)), s.RotatingFrame.period);
    if (s.RotatingFrame.period == 0) s.RotatingFrame.on = false;  // the view divides by it

    s.TimeForward = At(52).text == "True";
    AssignNumber(Val(At(53).text), s.mainWindow.backColor);
    s.mainWindow.backColor = ColourOr(s.mainWindow.backColor, 0);

    std::string_view exaggerate = At(54).text;
    s.ExaggerateObjectSizeOn = CharAt(exaggerate, 1) == 'y';
    if (s.ExaggerateObjectSizeOn) AssignNumber(Val(exaggerate.substr(1)), s.ExaggeratedObjectSize);
    AssignNumber(Val(At(55).text), s.MinimumObjectSize);

    SingleWindowPlace main{s.mainWindow.left, s.mainWindow.top, s.mainWindow.width, s.mainWindow.height,
                           s.mainWindow.windowState};
    ReadGeometry(At(56).text, main, true);
    s.mainWindow.windowState = main.windowState;
    s.mainWindow.top = main.top;
    s.mainWindow.left = main.left;
    s.mainWindow.width = main.width;
    s.mainWindow.height = main.height;

    std::string_view anchor = At(57).text;
    s.anchor = CharAt(anchor, 1) == 'y';
    s.BetaFullScreenFlag = !anchor.empty() && anchor.back() == 'y';

    ReadDefaultThrustPanel();

    std::string_view plot = At(61).text;
    s.trails = CharAt(plot, 2) != 'n';
    s.pplot = plot.empty() || plot.back() != 'n';
    s.ResumeFolder = At(62).text;
    s.OriginalSituationName = At(63).text;
    ReadAutoSave();
  }

  // Items 58 to 60: open, placement, bodies by name and direction texts.
  void ReadDefaultThrustPanel() {
    State& s = *s_;
    s.formcontrolcenterloaded = At(58).text == "y";
    if (!s.formcontrolcenterloaded) return;
    ReadGeometry(At(59).text, s.controlCenterPlace, false);
    std::string panel(At(60).text);
    if (panel.size() < 45) panel.resize(45, ' ');
    s.cpobjectname = panel.substr(0, 15);
    s.cpreferencename = panel.substr(15, 15);
    s.controlCenterText1 = panel.substr(30, 15);
    s.controlCenterText2 = Right(panel, 15);
  }

  // Items 64 to 66. A situation opened from the resume file never switches
  // auto-save on.
  void ReadAutoSave() {
    AutoSaveSettings& a = s_->autoSave;
    a.enabled = false;
    std::string_view save = At(64).text;
    double interval = Val(Mid(save, 1, 20));
    float asFloat = 0;
    if (!IsResumeFilePath(path_) && interval != 0 && AssignNumber(interval, asFloat)) {
      a.interval = asFloat;
      AssignNumber(Val(Right(save, 10)), a.savesMade);
      a.enabled = true;
      AssignNumber(Val(At(65).text), a.maxSaves);
      AssignNumber(Val(At(66).text), a.nextTime);
    }
  }

  void ReadBody(size_t p, int k) {
    State& s = *s_;
    s.objname[k] = it_[p].text;
    ReadNumber(it_[p + 1], s.objmass[k]);
    s.objref[k] = it_[p + 2].text;
    ReadNumber(it_[p + 3], s.objcolor[k]);
    s.objcolor[k] = ColourOr(s.objcolor[k], ColourWhite);
    s.objcolor2[k] = DeriveBodyColour(s.objcolor[k]);
    ReadNumber(it_[p + 4], s.objsize[k]);
    ReadNumber(it_[p + 5], s.objx[k]);
    ReadNumber(it_[p + 6], s.objy[k]);
    ReadNumber(it_[p + 7], s.objz[k]);
    ReadNumber(it_[p + 8], s.objvx[k]);
    ReadNumber(it_[p + 9], s.objvy[k]);
    ReadNumber(it_[p + 10], s.objvz[k]);
  }

  // The triples after the body blocks, a last incomplete one included.
  void ReadAutopilot(ValueListRead& r, size_t pos) {
    State& s = *s_;
    s.autopilotState.cursor = 1;
    if (!s.KeepCommandsFlag) {
      size_t rest = it_.size() - pos;
      size_t entries = (rest + 2) / 3;
      if (entries > MaxAutopilot) {
        r.droppedAutopilot = static_cast<int>(std::min<size_t>(entries - MaxAutopilot, 1u << 30));
        entries = MaxAutopilot;
      }
      auto item = [&](size_t i) { return i < it_.size() ? it_[i] : TextItem{}; };
      for (size_t e = 0; e < entries; ++e) {
        AutopilotCommand& a = s.autopilot[e + 1];
        size_t q = pos + 3 * e;
        a.line = item(q).text;
        a.time = 0;
        AssignNumber(Val(item(q + 1).text), a.time);
        a.note = item(q + 2).text;
      }
      s.autopilotCount = static_cast<int16_t>(entries);
      AutopilotListReplaced(s);
      if (entries > 0) s.autopilotState.armed = true;
    }
    s.KeepCommandsFlag = false;
  }

  // Items 4 to 9 and 11 to 16, for the boxes the file opens.
  void ReadReferenceBoxes(const ValueListRead& r) {
    State& s = *s_;
    if (s.refbox1loaded) ReadReferenceBox(4, s.refbox1Place, s.rb1a, s.rb1b);
    if (s.refbox2loaded) ReadReferenceBox(11, s.refbox2Place, s.rb2a, s.rb2b);
    s.refboxorbit1loaded = r.orbitBoxShown;
  }

  // After the items: the labels' last places, the bodies the windows hold,
  // and the names.
  void Finish() {
    State& s = *s_;
    for (int k = 1; k <= n_; ++k) {
      s.objlastx[k] = -100;
      s.objlasty[k] = -100;
    }
    // The default thrust panel confirms its body choice by name.
    if (s.formcontrolcenterloaded) {
      s.cpobject = FindBodyByName(s, TrimEnd(s.cpobjectname));
      s.cpreference = FindBodyByName(s, TrimEnd(s.cpreferencename));
    }
    for (int16_t* v : {&s.cpobject, &s.cpreference, &s.rb1a, &s.rb1b, &s.rb2a, &s.rb2b, &s.rbo1a, &s.rbo1b})
      *v = Bounded(*v);

    s.MainCaption = "Molvane -- " + GetFolderPart(path_) + GetFileNamePart(path_);
    s.isitname = path_;
  }

  // Left, Top, the two body names (the indices decide) and the two bodies.
  void ReadReferenceBox(size_t first, SingleWindowPlace& place, int16_t& a, int16_t& b) {
    ReadStrictNumber(At(first), place.left);
    ReadStrictNumber(At(first + 1), place.top);
    ReadStrictNumber(At(first + 4), a);
    ReadStrictNumber(At(first + 5), b);
  }

  const ItemList& it_;
  State* s_ = nullptr;
  double base_;
  const std::string& path_;
  int n_ = 0;
  size_t header_ = 0, blocks_ = 0;
  bool floating_ = false;
};

}  // namespace

ValueListRead ApplyValueList(State& s, FilesHost& files, EngineHost& engine, const ItemList& items,
                             const std::string& path) {
  ValueListRead read;
  Reader reader(items, files.captionReferenceWidth(), path);
  read.status = reader.Check(read, s);
  if (read.status != ValueListStatus::Ok) return read;
  bool dashboardWasOpen[DashboardCount];
  for (int w = 0; w < DashboardCount; ++w) dashboardWasOpen[w] = DashboardOpenFlag(s, w);
  bool panelWasOpen = s.formcontrolcenterloaded;
  bool orbitBoxWasOpen = s.refboxorbit1loaded;
  // Past the check nothing can fail: the file goes straight into the tables.
  reader.Fill(read, s);

  engine.rebuildObjectLabels();
  for (int w = 0; w < DashboardCount; ++w)
    if (dashboardWasOpen[w]) files.closeDashboard(w);
  if (panelWasOpen) files.closeDefaultThrustPanel();
  for (int w = 0; w < DashboardCount; ++w)
    if (DashboardOpenFlag(s, w)) files.openDashboard(w);
  for (int k = 1; k <= MaxCaptions; ++k) files.setCaptionLabel(k);
  files.setMainWindow();
  if (read.longHeader && s.graphicsoptionsloaded) files.setAnchorButton(s.anchor ? "F" : "A");
  if (read.orbitBoxShown)
    files.openDefaultOrbitBox();
  else if (orbitBoxWasOpen)
    files.closeDefaultOrbitBox();
  ArmAutopilot(s);
  if (s.refbox1loaded) files.openReferenceBox(1);
  if (s.refbox2loaded) files.openReferenceBox(2);
  engine.refreshObjectLists();
  if (s.focusobjectloaded) engine.selectFocusInList();
  // Also with the screen-scale window closed: the visible width follows the new scale.
  files.UpdateScreenScale();
  if (s.mainWindow.titlebar) files.setMainCaption(s.MainCaption);
  if (s.formcontrolcenterloaded) files.openDefaultThrustPanel();
  if (!s.anchor) AssembleSystemElements(s);
  if (s.llabels) files.showBodyLabels();
  return read;
}

bool OpenValueListSituation(State& s, FilesHost& files, EngineHost& engine, const ItemList& items,
                            const std::string& path) {
  ValueListRead r = ApplyValueList(s, files, engine, items, path);
  switch (r.status) {
    case ValueListStatus::Ok: break;
    case ValueListStatus::NotValueList: files.message(path + " is not a Molvane situation file"); return false;
    case ValueListStatus::Damaged: files.message(path + " is damaged or incomplete"); return false;
    case ValueListStatus::BadBodyCount:
      files.message(path + " names a body count outside 0 to 1000 and was not opened");
      return false;
  }
  if (r.droppedAutopilot > 0) {
    DroppedRecords d;
    d.autopilot = r.droppedAutopilot;
    files.message(path + " holds more than Molvane can keep; left out: " + DescribeDropped(d));
  }
  return true;
}

}  // namespace molvane

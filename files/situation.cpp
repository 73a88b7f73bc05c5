#include "files/situation.h"

#include <algorithm>
#include <cmath>

#include "engine/autopilotarm.h"
#include "engine/bodies.h"
#include "engine/calendar.h"
#include "engine/numtext.h"
#include "engine/thrust.h"
#include "engine/timestep.h"

namespace molvane {

namespace {

constexpr std::string_view kOpenTag = "<MoLVANE>";
constexpr std::string_view kEndTagLower = "</molvane>";

struct ListSection {
  std::string_view open, close;
};
constexpr ListSection kDistance{"<Distance Boxes>", "</Distance Boxes>"};
constexpr ListSection kOrbit{"<Orbit Boxes>", "</Orbit Boxes>"};
constexpr ListSection kThrust{"<Thrust Box>", "</Thrust Box>"};
constexpr ListSection kObjects{"<Objects>", "</Objects>"};
constexpr ListSection kAutoPilot{"<Auto Pilot>", "</Auto Pilot>"};
constexpr std::string_view kSData = "<SData>";
constexpr std::string_view kSDataEnd = "</SData>";
constexpr std::string_view kButtons = "<Command Buttons>";
constexpr std::string_view kButtonsEnd = "</Command Buttons>";
constexpr std::string_view kCaptions = "<Captions>";
constexpr std::string_view kCaptionsEnd = "</captions>";

constexpr int kBoxLines = 7, kBodyLines = 19, kAutopilotLines = 4;
constexpr int kSDataLines = 36, kButtonLines = 10, kCaptionLines = 12;

constexpr std::string_view kStructureTags[] = {
    "<MoLVANE>",   "<Distance Boxes>", "</Distance Boxes>", "<Orbit Boxes>",     "</Orbit Boxes>",
    "<SData>",     "</SData>",         "<Command Buttons>", "</Command Buttons>", "<Captions>",
    "</captions>", "<Thrust Box>",     "</Thrust Box>",     "<Objects>",         "</Objects>",
    "<Auto Pilot>", "</Auto Pilot>"};

std::string Lowered(std::string_view t) {
  std::string out(t);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

bool IsEndTag(const TextItem& it) {
  return !it.quoted && it.text.size() == kEndTagLower.size() && Lowered(it.text) == kEndTagLower;
}

// An unquoted tag of the file's structure: inside a record it means the
// record was cut short.
bool IsStructureTag(const TextItem& it) {
  if (it.quoted) return false;
  if (IsEndTag(it)) return true;
  for (std::string_view t : kStructureTags)
    if (it.text == t) return true;
  return false;
}

// Values as the writer would give them back: a number that the short text
// cannot hold exactly becomes the number that text reads as.
void Canon(double& v) {
  for (int i = 0; i < 4; ++i) {
    double w = ParseNumberPrefix(ShortText(v));
    if (!std::isfinite(w) || w == v) return;
    v = w;
  }
}

void Canon(float& v) {
  for (int i = 0; i < 4; ++i) {
    double d = ParseNumberPrefix(ShortText(v));
    if (!std::isfinite(d) || std::fabs(d) > 3.4028234663852886e38) return;
    float w = static_cast<float>(d);
    if (w == v) return;
    v = w;
  }
}

void CanonDocument(SituationDocument& d) {
  for (auto* boxes : {&d.distanceBoxes, &d.orbitBoxes})
    for (BoxRecord& b : *boxes) {
      Canon(b.left);
      Canon(b.top);
    }
  SDataRecord& s = d.sdata;
  for (double* v : {&s.scalePixel, &s.secondsElapsed, &s.timescale, &s.offsetX, &s.offsetY,
                    &s.rotatingPeriod, &s.nextTime})
    Canon(*v);
  for (float* v : {&s.top, &s.left, &s.width, &s.height, &s.autoSaveInterval}) Canon(*v);
  for (DashboardPlace& p : d.dashboard) {
    Canon(p.top);
    Canon(p.left);
  }
  for (CaptionRecord& c : d.captions)
    for (float* v : {&c.fontSize, &c.top, &c.left, &c.height, &c.width}) Canon(*v);
  for (ThrustPanelRecord& t : d.thrustPanels) {
    Canon(t.top);
    Canon(t.left);
  }
  for (BodyRecord& b : d.bodies) {
    for (double* v : {&b.mass, &b.size, &b.x, &b.y, &b.z, &b.vx, &b.vy, &b.vz}) Canon(*v);
    for (float* v : {&b.dirx, &b.diry, &b.dirz}) Canon(*v);
  }
  for (AutopilotCommand& a : d.autopilot) Canon(a.time);
}

class Reader {
 public:
  Reader(const ItemList& items, const State& cur) : it_(items), cur_(cur) {}

  ReadResult Run() {
    ReadResult r;
    if (it_.empty() || it_[0].quoted) return r;  // NotSituation
    if (it_[0].text == "mOLVANE") {
      r.status = ReadStatus::ValueList;
      return r;
    }
    if (it_[0].text != kOpenTag) return r;
    r.status = ReadStatus::Damaged;
    if (!HasEndTag()) return r;

    SituationDocument& d = r.doc;
    // Objects first: the other sections bound their body indices by them.
    std::vector<size_t> recs;
    if (!ListRecords(kObjects, kBodyLines, recs)) return r;
    if (recs.size() > BodySlots) {
      r.dropped.bodies = static_cast<int>(recs.size() - BodySlots);
      recs.resize(BodySlots);
    }
    for (size_t k = 0; k < recs.size(); ++k) d.bodies.push_back(ReadBody(recs[k] + 1, static_cast<int>(k)));
    objects_ = d.bodies.empty() ? 0 : static_cast<int>(d.bodies.size()) - 1;

    if (!ReadBoxes(kDistance, d.distanceBoxes, r.dropped.distanceBoxes)) return r;
    if (!ReadBoxes(kOrbit, d.orbitBoxes, r.dropped.orbitBoxes)) return r;

    auto sdata = PositionalSection(kSData, kSDataLines);
    if (!sdata || *sdata == kMissing) return r;  // without it the bodies' units are unknown
    if (!ReadSData(*sdata, d.sdata)) return r;

    auto buttons = PositionalSection(kButtons, kButtonLines);
    if (!buttons) return r;
    d.hasDashboard = *buttons != kMissing;
    if (d.hasDashboard) ReadDashboard(*buttons, d);
    else
      for (DashboardPlace& p : d.dashboard) p = {false, -1, -1};

    auto captions = PositionalSection(kCaptions, kCaptionLines * MaxCaptions);
    if (!captions) return r;
    d.hasCaptions = *captions != kMissing;
    if (d.hasCaptions) ReadCaptions(*captions, d);

    if (!ListRecords(kThrust, kBoxLines, recs)) return r;
    if (recs.size() > MaxSlots) {
      r.dropped.thrustPanels = static_cast<int>(recs.size() - MaxSlots);
      recs.resize(MaxSlots);
    }
    for (size_t rec : recs) d.thrustPanels.push_back(ReadThrustPanel(rec + 1));

    if (!ReadAutopilot(d, r.dropped.autopilot)) return r;

    CanonDocument(d);
    r.status = ReadStatus::Ok;
    return r;
  }

 private:
  static constexpr size_t kMissing = static_cast<size_t>(-1);

  bool HasEndTag() const {
    for (size_t i = 0; i < it_.size(); ++i)
      if (IsEndTag(it_[i])) return true;
    return false;
  }

  // Index of the first item after the opening tag, or kMissing.
  size_t Find(std::string_view tag) const {
    for (size_t i = 0; i < it_.size(); ++i)
      if (!it_[i].quoted && it_[i].text == tag) return i + 1;
    return kMissing;
  }

  // Start indices of the records of a list section (each at its separator);
  // false when the section or one of its records is cut short.
  bool ListRecords(const ListSection& sec, int lines, std::vector<size_t>& out) const {
    out.clear();
    size_t pos = Find(sec.open);
    if (pos == kMissing) return true;
    return RecordsFrom(pos, sec.close, lines, out);
  }

  bool RecordsFrom(size_t pos, std::string_view close, int lines, std::vector<size_t>& out) const {
    for (;;) {
      if (pos >= it_.size()) return false;
      TextItem sep = it_[pos];
      // A list ends at its closing tag or at the end of the file.
      if ((!sep.quoted && sep.text == close) || IsEndTag(sep)) return true;
      if (IsStructureTag(sep)) return false;
      for (int j = 1; j < lines; ++j)
        if (pos + j >= it_.size() || IsStructureTag(it_[pos + j])) return false;
      out.push_back(pos);
      pos += static_cast<size_t>(lines);
    }
  }

  // Start of a section read by position: kMissing when its tag is absent,
  // no result when its lines are cut short.
  std::optional<size_t> PositionalSection(std::string_view tag, int lines) const {
    size_t pos = Find(tag);
    if (pos == kMissing) return kMissing;
    for (int j = 0; j < lines; ++j)
      if (pos + j >= it_.size() || IsStructureTag(it_[pos + j])) return std::nullopt;
    return pos;
  }

  int16_t BodyIndex(int16_t v) const { return (v < 0 || v > objects_) ? int16_t{0} : v; }

  BodyRecord ReadBody(size_t p, int k) const {
    BodyRecord b;
    b.name = cur_.objname[k];
    b.mass = cur_.objmass[k];
    b.ref = cur_.objref[k];
    b.color = cur_.objcolor[k];
    b.size = cur_.objsize[k];
    b.x = cur_.objx[k];
    b.y = cur_.objy[k];
    b.z = cur_.objz[k];
    b.vx = cur_.objvx[k];
    b.vy = cur_.objvy[k];
    b.vz = cur_.objvz[k];
    b.dirx = cur_.objdirx[k];
    b.diry = cur_.objdiry[k];
    b.dirz = cur_.objdirz[k];
    b.name = it_[p].text;
    ReadNumber(it_[p + 1], b.mass);
    b.ref = it_[p + 2].text;
    ReadNumber(it_[p + 3], b.color);
    ReadNumber(it_[p + 4], b.size);
    ReadNumber(it_[p + 5], b.x);
    ReadNumber(it_[p + 6], b.y);
    ReadNumber(it_[p + 7], b.z);
    ReadNumber(it_[p + 8], b.vx);
    ReadNumber(it_[p + 9], b.vy);
    ReadNumber(it_[p + 10], b.vz);
    ReadNumber(it_[p + 11], b.dirx);
    ReadNumber(it_[p + 12], b.diry);
    ReadNumber(it_[p + 13], b.dirz);
    return b;  // the four reserved lines are passed over
  }

  bool ReadBoxes(const ListSection& sec, std::vector<BoxRecord>& out, int& dropped) const {
    std::vector<size_t> recs;
    if (!ListRecords(sec, kBoxLines, recs)) return false;
    if (recs.size() > MaxSlots) {
      dropped = static_cast<int>(recs.size() - MaxSlots);
      recs.resize(MaxSlots);
    }
    for (size_t rec : recs) {
      size_t p = rec + 1;
      BoxRecord b;
      ReadStrictNumber(it_[p], b.left);
      ReadStrictNumber(it_[p + 1], b.top);
      b.list1 = it_[p + 2].text;
      b.list2 = it_[p + 3].text;
      ReadStrictNumber(it_[p + 4], b.bodyA);
      ReadStrictNumber(it_[p + 5], b.bodyB);
      b.bodyA = BodyIndex(b.bodyA);
      b.bodyB = BodyIndex(b.bodyB);
      out.push_back(std::move(b));
    }
    return true;
  }

  bool ReadSData(size_t p, SDataRecord& s) const {
    const State& c = cur_;
    auto at = [&](int line) -> TextItem { return it_[p + static_cast<size_t>(line) - 1]; };
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
    s.focusobj = BodyIndex(s.focusobj);
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

  void ReadDashboard(size_t p, SituationDocument& d) const {
    for (int w = 0; w < DashboardCount; ++w) {
      TextItem a = it_[p + 2 * static_cast<size_t>(w)];
      TextItem b = it_[p + 2 * static_cast<size_t>(w) + 1];
      DashboardPlace place{true, cur_.dashboard[w].top, cur_.dashboard[w].left};
      double first = 0;
      bool closed = ParseWholeNumber(a.text, &first) && first == -1;
      if (!closed) {
        ReadNumber(a, place.top);
        ReadNumber(b, place.left);
        closed = place.top == -1;  // the writer could not tell it from a closed window
      }
      d.dashboard[w] = closed ? DashboardPlace{false, -1, -1} : place;
    }
  }

  void ReadCaptions(size_t p, SituationDocument& d) const {
    for (int k = 0; k < MaxCaptions; ++k) {
      const CaptionSlot& cs = cur_.captions[k + 1];
      CaptionRecord c{cs.caption, cs.fontName, cs.fontSize, cs.foreColor, cs.bold, cs.italic,
                      cs.strikethru, cs.underline, cs.top, cs.left, cs.height, 3.0f};
      size_t q = p + static_cast<size_t>(k * kCaptionLines);
      c.caption = UnescapeItemText(it_[q].text);
      c.fontName = it_[q + 1].text;
      ReadNumber(it_[q + 2], c.fontSize);
      ReadNumber(it_[q + 3], c.foreColor);
      ReadFlag(it_[q + 4], c.bold);
      ReadFlag(it_[q + 5], c.italic);
      ReadFlag(it_[q + 6], c.strikethru);
      ReadFlag(it_[q + 7], c.underline);
      ReadNumber(it_[q + 8], c.top);
      ReadNumber(it_[q + 9], c.left);
      ReadNumber(it_[q + 10], c.height);
      ReadNumber(it_[q + 11], c.width);
      d.captions[k] = std::move(c);
    }
  }

  ThrustPanelRecord ReadThrustPanel(size_t p) const {
    ThrustPanelRecord t;
    ReadNumber(it_[p], t.top);
    ReadNumber(it_[p + 1], t.left);
    t.text1 = it_[p + 2].text;
    t.text2 = it_[p + 3].text;
    ReadNumber(it_[p + 4], t.cpobject);
    ReadNumber(it_[p + 5], t.cpreference);
    t.cpobject = BodyIndex(t.cpobject);
    t.cpreference = BodyIndex(t.cpreference);
    return t;
  }

  bool ReadAutopilot(SituationDocument& d, int& dropped) const {
    size_t pos = Find(kAutoPilot.open);
    if (pos == kMissing) return true;
    if (pos >= it_.size()) return false;
    TextItem first = it_[pos];
    if ((!first.quoted && first.text == kAutoPilot.close) || IsEndTag(first)) return true;  // no count, no entries
    if (IsStructureTag(first)) return false;
    double count = ParseNumberPrefix(it_[pos].text, true);
    std::vector<size_t> recs;
    if (!RecordsFrom(pos + 1, kAutoPilot.close, kAutopilotLines, recs)) return false;
    if (recs.size() > MaxAutopilot) {
      dropped = static_cast<int>(recs.size() - MaxAutopilot);
      recs.resize(MaxAutopilot);
    }
    size_t n = recs.size();
    if (std::isfinite(count)) {
      double c = RoundHalfEven(count);
      n = c <= 0 ? 0 : std::min(n, static_cast<size_t>(std::min(c, 1e6)));
    }
    for (size_t k = 0; k < n; ++k) {
      size_t p = recs[k] + 1;
      AutopilotCommand a;
      a.line = it_[p].text;
      ReadNumber(it_[p + 1], a.time);
      a.note = UnescapeItemText(it_[p + 2].text);
      d.autopilot.push_back(std::move(a));
    }
    return true;
  }

  const ItemList& it_;
  const State& cur_;
  int objects_ = 0;
};

void Line(std::string& out, std::string_view text) {
  out.append(text);
  out.append("\r\n");
}

void WriteBoxes(std::string& out, const ListSection& sec, const std::vector<BoxRecord>& boxes) {
  Line(out, sec.open);
  for (const BoxRecord& b : boxes) {
    Line(out, " ");
    Line(out, ShortText(b.left));
    Line(out, ShortText(b.top));
    Line(out, WriteTextItem(b.list1));
    Line(out, WriteTextItem(b.list2));
    Line(out, ShortText(b.bodyA));
    Line(out, ShortText(b.bodyB));
  }
  Line(out, sec.close);
}

bool EndsWith(std::string_view s, std::string_view tail) {
  return s.size() >= tail.size() && s.substr(s.size() - tail.size()) == tail;
}


}  // namespace

bool SituationDocument::operator==(const SituationDocument& o) const {
  if (!(distanceBoxes == o.distanceBoxes && orbitBoxes == o.orbitBoxes && sdata == o.sdata &&
        hasDashboard == o.hasDashboard && hasCaptions == o.hasCaptions && captions == o.captions &&
        thrustPanels == o.thrustPanels && bodies == o.bodies &&
        autopilot.size() == o.autopilot.size()))
    return false;
  for (int w = 0; w < DashboardCount; ++w) {
    const DashboardPlace &a = dashboard[w], &b = o.dashboard[w];
    if (a.open != b.open || a.top != b.top || a.left != b.left) return false;
  }
  for (size_t i = 0; i < autopilot.size(); ++i) {
    const AutopilotCommand &a = autopilot[i], &b = o.autopilot[i];
    if (a.line != b.line || a.time != b.time || a.note != b.note) return false;
  }
  return true;
}

ReadResult ReadSituation(const ItemList& items, const State& current) {
  return Reader(items, current).Run();
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
  WriteBoxes(out, kDistance, d.distanceBoxes);
  WriteBoxes(out, kOrbit, d.orbitBoxes);

  const SDataRecord& s = d.sdata;
  Line(out, kSData);
  Line(out, ShortText(s.scalePixel));
  Line(out, ShortText(s.secondsElapsed));
  Line(out, ShortText(s.timescale));
  Line(out, ShortText(s.offsetX));
  Line(out, ShortText(s.offsetY));
  Line(out, ShortText(s.focusobj));
  Line(out, ShortText(static_cast<int64_t>(d.bodies.empty() ? 0 : d.bodies.size() - 1)));
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
  Line(out, kSDataEnd);

  if (d.hasDashboard) {
    Line(out, kButtons);
    for (const DashboardPlace& p : d.dashboard) {
      if (p.open) {
        Line(out, ShortText(p.top));
        Line(out, ShortText(p.left));
      } else {
        Line(out, "-1");
        Line(out, "-1");
      }
    }
    Line(out, kButtonsEnd);
  }

  if (d.hasCaptions) {
    Line(out, kCaptions);
    for (const CaptionRecord& c : d.captions) {
      Line(out, WriteTextItem(EscapeItemText(c.caption)));
      Line(out, WriteTextItem(c.fontName));
      Line(out, ShortText(c.fontSize));
      Line(out, ShortText(c.foreColor));
      Line(out, FlagText(c.bold));
      Line(out, FlagText(c.italic));
      Line(out, FlagText(c.strikethru));
      Line(out, FlagText(c.underline));
      Line(out, ShortText(c.top));
      Line(out, ShortText(c.left));
      Line(out, ShortText(c.height));
      Line(out, ShortText(c.width));
    }
    Line(out, kCaptionsEnd);
  }

  Line(out, kThrust.open);
  for (const ThrustPanelRecord& t : d.thrustPanels) {
    Line(out, " ");
    Line(out, ShortText(t.top));
    Line(out, ShortText(t.left));
    Line(out, WriteTextItem(t.text1));
    Line(out, WriteTextItem(t.text2));
    Line(out, ShortText(t.cpobject));
    Line(out, ShortText(t.cpreference));
  }
  Line(out, kThrust.close);

  Line(out, kObjects.open);
  for (const BodyRecord& b : d.bodies) {
    Line(out, " ");
    Line(out, WriteTextItem(b.name));
    Line(out, ShortText(b.mass));
    Line(out, WriteTextItem(b.ref));
    Line(out, ShortText(b.color));
    Line(out, ShortText(b.size));
    for (double v : {b.x, b.y, b.z, b.vx, b.vy, b.vz}) Line(out, ShortText(v));
    for (float v : {b.dirx, b.diry, b.dirz}) Line(out, ShortText(v));
    for (int i = 0; i < 4; ++i) Line(out, "Reserved for future use");
  }
  Line(out, kObjects.close);

  Line(out, kAutoPilot.open);
  Line(out, ShortText(static_cast<int64_t>(d.autopilot.size())));
  for (const AutopilotCommand& a : d.autopilot) {
    Line(out, " ");
    Line(out, WriteQuotedItem(a.line));
    Line(out, ShortText(a.time));
    Line(out, WriteQuotedItem(EscapeItemText(a.note)));
  }
  Line(out, kAutoPilot.close);
  Line(out, "</MoLVANE>");
  return out;
}

SituationDocument DocumentFromState(const State& s) {
  SituationDocument d;
  for (int k = 1; k <= MaxSlots; ++k) {
    const BoxSlot& b = s.distanceBoxes[k];
    if (b.inUse) d.distanceBoxes.push_back({b.left, b.top, b.list1, b.list2, b.bodyA, b.bodyB});
    const BoxSlot& o = s.orbitBoxes[k];
    if (o.inUse) d.orbitBoxes.push_back({o.left, o.top, o.list1, o.list2, o.bodyA, o.bodyB});
    const ThrustPanelSlot& t = s.thrustPanels[k];
    if (t.inUse) d.thrustPanels.push_back({t.top, t.left, t.text1, t.text2, t.cpobject, t.cpreference});
  }

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
  r.originalName = EndsWith(s.isitname, "resume.molv") ? s.OriginalSituationName : s.isitname;
  r.autoSaveEnabled = s.autoSave.enabled;
  r.autoSaveInterval = s.autoSave.interval;
  r.savesMade = s.autoSave.savesMade;
  r.maxSaves = s.autoSave.maxSaves;
  r.nextTime = s.autoSave.nextTime;

  for (int k = 0; k < DashboardCount; ++k)
    d.dashboard[k] = DashboardOpenFlag(s, k) ? DashboardPlace{true, s.dashboard[k].top, s.dashboard[k].left}
                                         : DashboardPlace{false, -1, -1};
  for (int k = 0; k < MaxCaptions; ++k) {
    const CaptionSlot& c = s.captions[k + 1];
    d.captions[k] = {c.caption, c.fontName, c.fontSize, c.foreColor, c.bold, c.italic,
                     c.strikethru, c.underline, c.top, c.left, c.height, c.width};
  }

  int n = std::clamp<int>(s.objects, 0, MaxBodies);
  for (int k = 0; k <= n; ++k)
    d.bodies.push_back({s.objname[k], s.objmass[k], s.objref[k], s.objcolor[k], s.objsize[k],
                        s.objx[k], s.objy[k], s.objz[k], s.objvx[k], s.objvy[k], s.objvz[k],
                        s.objdirx[k], s.objdiry[k], s.objdirz[k]});
  int count = std::clamp<int>(s.autopilotCount, 0, MaxAutopilot);
  for (int k = 1; k <= count; ++k) d.autopilot.push_back(s.autopilot[k]);
  return d;
}

void ApplySituation(State& s, FilesHost& files, EngineHost& engine, const SituationDocument& d,
                    const std::string& path) {
  std::string folder = GetFolderPart(path);
  std::string fileName = GetFileNamePart(path);
  s.CurrentFolder = folder;
  s.CurrentFileName = fileName;

  // Clearing.
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
    s.dashboard[w].open = false;
  }
  if (s.formcontrolcenterloaded) files.closeDefaultThrustPanel();
  s.formcontrolcenterloaded = false;
  if (!s.KeepCommandsFlag)
    for (int k = 1; k <= MaxAutopilot; ++k) s.autopilot[k] = AutopilotCommand{};

  // Objects.
  BodyTableReplaced(s);
  int count = std::min<int>(static_cast<int>(d.bodies.size()), BodySlots);
  for (int k = 0; k < count; ++k) {
    const BodyRecord& b = d.bodies[k];
    s.objname[k] = b.name;
    s.objmass[k] = b.mass;
    s.objref[k] = b.ref;
    s.objcolor[k] = b.color;
    s.objsize[k] = b.size;
    s.objx[k] = b.x;
    s.objy[k] = b.y;
    s.objz[k] = b.z;
    s.objvx[k] = b.vx;
    s.objvy[k] = b.vy;
    s.objvz[k] = b.vz;
    s.objdirx[k] = b.dirx;
    s.objdiry[k] = b.diry;
    s.objdirz[k] = b.dirz;
    s.objcolor2[k] = DeriveBodyColour(b.color);
  }
  s.objects = static_cast<int16_t>(count > 0 ? count - 1 : 0);
  engine.rebuildObjectLabels();
  engine.refreshObjectLists();

  auto bounded = [&](int16_t v) { return (v < 0 || v > s.objects) ? int16_t{0} : v; };

  // Boxes, slots 1 upward in file order.
  for (size_t k = 0; k < d.distanceBoxes.size() && k < MaxSlots; ++k) {
    const BoxRecord& b = d.distanceBoxes[k];
    s.distanceBoxes[k + 1] = {true, b.left, b.top, b.list1, b.list2, bounded(b.bodyA), bounded(b.bodyB)};
    files.openDistanceBox(static_cast<int>(k + 1));
  }
  for (size_t k = 0; k < d.orbitBoxes.size() && k < MaxSlots; ++k) {
    const BoxRecord& b = d.orbitBoxes[k];
    s.orbitBoxes[k + 1] = {true, b.left, b.top, b.list1, b.list2, bounded(b.bodyA), bounded(b.bodyB)};
    files.openOrbitBox(static_cast<int>(k + 1));
  }

  // SData.
  const SDataRecord& r = d.sdata;
  if (r.scalePixel > 0 && std::isfinite(r.scalePixel)) s.ScalePixel = r.scalePixel;
  s.SecondsElapsed = r.secondsElapsed;
  if (r.timescale > 0 && std::isfinite(r.timescale)) s.timescale = r.timescale;
  s.OffsetX = r.offsetX;
  s.OffsetY = r.offsetY;
  s.focusobj = bounded(r.focusobj);
  s.menus = r.menus;
  s.llabels = r.llabels;
  MainWindowRecord& w = s.mainWindow;
  w.hscroll = r.hscroll;
  w.vscroll = r.vscroll;
  s.StoredSituationName = r.storedName;
  s.RotatingFrame.on = r.rotatingOn;
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
  if (EndsWith(path, "resume.molv")) s.OriginalSituationName = r.originalName;
  files.setMainWindow();

  // Command Buttons.
  if (d.hasDashboard) {
    for (int k = 0; k < DashboardCount; ++k) {
      const DashboardPlace& p = d.dashboard[k];
      if (!p.open) continue;
      s.dashboard[k] = p;
      DashboardOpenFlag(s, k) = true;
      files.openDashboard(k);
      if (k == DashFocusObject) engine.refreshObjectLists();
    }
  }

  // Captions.
  if (d.hasCaptions) {
    for (int k = 0; k < MaxCaptions; ++k) {
      const CaptionRecord& c = d.captions[k];
      CaptionSlot& slot = s.captions[k + 1];
      slot.caption = c.caption;
      slot.fontName = c.fontName;
      slot.fontSize = c.fontSize;
      slot.foreColor = c.foreColor;
      slot.bold = c.bold;
      slot.italic = c.italic;
      slot.strikethru = c.strikethru;
      slot.underline = c.underline;
      slot.top = c.top;
      slot.left = c.left;
      slot.height = c.height;
      slot.width = c.width;
      files.setCaptionLabel(k + 1);
    }
  }

  // Thrust Box.
  for (size_t k = 0; k < d.thrustPanels.size() && k < MaxSlots; ++k) {
    const ThrustPanelRecord& t = d.thrustPanels[k];
    s.thrustPanels[k + 1] = {true, t.top, t.left, t.text1, t.text2, bounded(t.cpobject), bounded(t.cpreference)};
    files.openThrustPanel(static_cast<int>(k + 1));
  }

  // Auto Pilot.
  if (s.KeepCommandsFlag) {
    s.KeepCommandsFlag = false;
  } else {
    int n = std::min<int>(static_cast<int>(d.autopilot.size()), MaxAutopilot);
    for (int k = 0; k < n; ++k) s.autopilot[k + 1] = d.autopilot[k];
    s.autopilotCount = static_cast<int16_t>(n);
    ++s.autopilotListGeneration;
  }
  ArmAutopilotAfterLoad(s);

  // Epilogue.
  DivideTimeStep(s, engine, 1.0);
  files.updateScreenScale();
  if (s.focusobjectloaded) engine.selectFocusInList();
  if (s.anchor) {
    if (s.graphicsoptionsloaded) files.setAnchorButton("F");
  } else {
    files.assembleSystemElements();
    if (s.graphicsoptionsloaded) files.setAnchorButton("A");
  }
  if (s.llabels) files.showBodyLabels();

  // The floating focus point follows the view offset, in the tilt of the
  // scroll bars.
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
  if (s.focusobj != 0) s.PreviousFocusObj = s.focusobj;
  if (s.dateandtimeloaded) files.showDateTime(FormatDateTimeText(s.SecondsElapsed));

  std::string caption = "Molvane -- " + folder + fileName;
  if (w.titlebar) files.setMainCaption(caption);
  s.MainCaption = caption;
  s.isitname = path;
  for (int k = 1; k <= s.objects; ++k) s.objthruston[k] = false;
  s.ThrustActive = false;
  RaiseReferenceLabels(s, engine);
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

#include "files/keyed.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <initializer_list>
#include <limits>
#include <memory>
#include <optional>
#include <unordered_map>
#include <utility>
#include <vector>

#include "engine/autopilotarm.h"
#include "engine/bodies.h"
#include "engine/numtext.h"
#include "engine/view.h"
#include "files/fileio.h"
#include "files/situation.h"
#include "files/textitems.h"

namespace molvane {

namespace {

// Body fields: the key prefix padded to its width, then the body number.
enum BodyField { FName, FMass, FRef, FColor, FSize, FX, FY, FZ, FVx, FVy, FVz, FDirx, FDiry, FDirz, FieldCount };
constexpr std::array<std::string_view, FieldCount> kFieldKeys = {
    "objname   ",  "objmass   ",   "objref    ",   "objcolor   ",  "objsize    ",  "objx       ",  "objy       ",
    "objz       ", "objvx       ", "objvy       ", "objvz       ", "objdirx     ", "objdiry     ", "objdirz     "};

std::string_view FieldName(int f) {
  std::string_view k = kFieldKeys[f];
  return k.substr(0, k.find(' '));
}

// Plain keys, in the order the writer writes them.
constexpr std::string_view kPlainKeys[] = {"intro",
                                           "refbox1loaded",
                                           "refbox1left",
                                           "refbox1top",
                                           "rb1a",
                                           "rb1b",
                                           "refbox1width",
                                           "refbox1height",
                                           "refbox2loaded",
                                           "refbox2left",
                                           "refbox2top",
                                           "rb2a",
                                           "rb2b",
                                           "refbox2width",
                                           "refbox2height",
                                           "refboxorbit1loaded",
                                           "refboxorbit1left",
                                           "refboxorbit1top",
                                           "rbo1a",
                                           "rbo1b",
                                           "refboxorbit1width",
                                           "refboxorbit1height",
                                           "formcontrolcenterloaded",
                                           "formcontrolcenterleft",
                                           "formcontrolcentertop",
                                           "cpobject",
                                           "cpreference",
                                           "fuelused",
                                           "altitude",
                                           "azimuth",
                                           "formcontrolcenterwidth",
                                           "formcontrolcenterheight",
                                           "ScalePixel",
                                           "SecondsElapsed",
                                           "timescale",
                                           "OffsetX",
                                           "OffsetY",
                                           "focusobj",
                                           "objects",
                                           "menus",
                                           "llabels",
                                           "hscrollbarvalue1",
                                           "vscrollbarvalue1",
                                           "timedirection",
                                           "isitname",
                                           "screenscaletop",
                                           "screenscaleleft",
                                           "timeratetop",
                                           "timerateleft",
                                           "focusobjecttop",
                                           "focusobjectleft",
                                           "dateandtimetop",
                                           "dateandtimeleft",
                                           "graphicsoptionstop",
                                           "graphicsoptionsleft",
                                           "pplot",
                                           "trails",
                                           "anchor",
                                           "windowstate",
                                           "form1top",
                                           "form1left",
                                           "form1width",
                                           "form1height",
                                           "caption",
                                           "apc"};

constexpr std::string_view kDashboardKeys[DashboardCount][2] = {{"screenscaletop", "screenscaleleft"},
                                                                {"timeratetop", "timerateleft"},
                                                                {"focusobjecttop", "focusobjectleft"},
                                                                {"dateandtimetop", "dateandtimeleft"},
                                                                {"graphicsoptionstop", "graphicsoptionsleft"}};

bool IsKeyText(std::string_view t) {
  for (std::string_view k : kPlainKeys)
    if (t == k) return true;
  for (int f = 0; f < FieldCount; ++f)
    if (t.substr(0, FieldName(f).size()) == FieldName(f)) return true;
  return false;
}

// A text value: quoted when the reader would change it or take it for a key.
std::string TextValue(std::string_view t) {
  std::string plain = WriteTextItem(t);
  if (plain.size() != t.size() || IsKeyText(t)) return WriteQuotedItem(t);
  return plain;
}

void Pair(std::string& out, std::string_view key, std::string_view value) {
  out.append(key);
  out.append("\r\n");
  out.append(value);
  out.append("\r\n");
}

constexpr size_t kNone = std::numeric_limits<size_t>::max();

// Where each key's (last) value stands.
class KeyIndex {
 public:
  explicit KeyIndex(const ItemList& items) : it_(items) {
    for (std::string_view k : kPlainKeys) plain_.emplace(k, kNone);
    for (size_t i = 0; i < items.size(); ++i) {
      TextItem t = items[i];
      if (t.quoted) continue;  // a quoted item is a value, never a key
      auto p = plain_.find(t.text);
      if (p != plain_.end()) {
        p->second = i + 1;
        continue;
      }
      if (t.text.substr(0, 3) != "obj") continue;
      for (int f = 0; f < FieldCount; ++f) {
        std::string_view name = FieldName(f);
        if (t.text.substr(0, name.size()) != name) continue;
        std::string_view tail = t.text.size() > 4 ? t.text.substr(t.text.size() - 4) : t.text;
        double n = ParseNumberPrefix(tail, true);
        if (n >= 1 && n <= MaxBodies && n == std::floor(n)) body_[BodyKey(f, static_cast<int>(n))] = i + 1;
        break;
      }
    }
  }

  // The value after the key's last occurrence; no result when the key is
  // missing, an empty item when it is the last item.
  std::optional<TextItem> Get(std::string_view key) const {
    auto p = plain_.find(key);
    if (p == plain_.end() || p->second == kNone) return std::nullopt;
    return ValueAt(p->second);
  }
  std::optional<TextItem> Body(int field, int k) const {
    auto v = body_.find(BodyKey(field, k));
    if (v == body_.end()) return std::nullopt;
    return ValueAt(v->second);
  }
  // Index of the item after the key's value (the first autopilot entry).
  size_t After(std::string_view key) const { return plain_.at(key) + 1; }

 private:
  TextItem ValueAt(size_t i) const { return i < it_.size() ? it_[i] : TextItem{}; }

  const ItemList& it_;
  std::unordered_map<std::string_view, size_t> plain_;
  static int BodyKey(int field, int k) { return field * BodySlots + k; }

  std::unordered_map<int, size_t> body_;  // field and body -> value index
};

// Typed look-ups: each leaves its target alone when the key is missing or
// its value does not convert.
struct Lookup {
  const KeyIndex& keys;
  void number(std::string_view key, double& t) const {
    if (auto v = keys.Get(key)) ReadNumber(*v, t);
  }
  void number(std::string_view key, float& t) const {
    if (auto v = keys.Get(key)) ReadNumber(*v, t);
  }
  void number(std::string_view key, int16_t& t) const {
    if (auto v = keys.Get(key)) ReadNumber(*v, t);
  }
  void flag(std::string_view key, bool& t) const {
    if (auto v = keys.Get(key)) ReadFlag(*v, t);
  }
  void text(std::string_view key, std::string& t) const {
    if (auto v = keys.Get(key)) t = v->text;
  }
};

// What the check finds out before anything changes.
struct KeyedPlan {
  KeyedStatus status = KeyedStatus::NotKeyed;
  int objects = 0;
  size_t apFirst = 0, apCount = 0;
  int droppedAutopilot = 0;
};

KeyedPlan CheckKeyed(const ItemList& items, const KeyIndex& keys, const State& current) {
  KeyedPlan p;
  auto intro = keys.Get("intro");
  if (!intro || intro->text != "mOLVANE") return p;
  p.status = KeyedStatus::BadBodyCount;
  p.objects = BodyCount(current);
  if (auto v = keys.Get("objects")) {
    double n = RoundHalfEven(ParseNumberPrefix(v->text, true));
    if (!(n >= 0 && n <= MaxBodies)) return p;
    p.objects = static_cast<int>(n);
  }
  p.status = KeyedStatus::Damaged;
  if (auto v = keys.Get("timescale")) {
    double t = current.timescale;
    if (ReadNumber(*v, t) && !(t > 0)) return p;
  }
  // The autopilot entries follow the count, three items each.
  if (auto v = keys.Get("apc")) {
    double c = RoundHalfEven(ParseNumberPrefix(v->text, true));
    if (c > 0 && std::isfinite(c)) {
      p.apCount = static_cast<size_t>(std::min(c, 1e9));
      p.apFirst = keys.After("apc");
      size_t available = p.apFirst < items.size() ? (items.size() - p.apFirst) / 3 : 0;
      if (p.apCount > available) return p;
      if (p.apCount > MaxAutopilot) {
        p.droppedAutopilot = static_cast<int>(p.apCount - MaxAutopilot);
        p.apCount = MaxAutopilot;
      }
    }
  }
  p.status = KeyedStatus::Ok;
  return p;
}

// The clock, the view, the Dashboard places and the main window.
void FillView(const Lookup& get, int n, State& s) {
  double scale = s.ScalePixel;
  get.number("ScalePixel", scale);
  if (scale > 0) s.ScalePixel = scale;
  get.number("SecondsElapsed", s.SecondsElapsed);
  get.number("timescale", s.timescale);
  get.number("OffsetX", s.OffsetX);
  get.number("OffsetY", s.OffsetY);
  get.number("focusobj", s.focusobj);
  s.focusobj = BodyIndexOrZero(s.focusobj, n);
  get.flag("menus", s.menus);
  get.flag("llabels", s.llabels);
  get.number("hscrollbarvalue1", s.mainWindow.hscroll);
  get.number("vscrollbarvalue1", s.mainWindow.vscroll);
  if (auto v = get.keys.Get("timedirection")) {
    bool backward = false;
    ReadFlag(*v, backward);
    s.TimeForward = !backward;
  }
  get.flag("anchor", s.anchor);
  get.flag("trails", s.trails);
  get.flag("pplot", s.pplot);
  for (int w = 0; w < DashboardCount; ++w) {
    get.number(kDashboardKeys[w][0], s.dashboard[w].top);
    get.number(kDashboardKeys[w][1], s.dashboard[w].left);
  }
  get.text("isitname", s.StoredSituationName);

  int16_t state = s.mainWindow.windowState;
  get.number("windowstate", state);
  if (state >= 0 && state <= 2) s.mainWindow.windowState = state;
  get.text("caption", s.captions[1].caption);
  if (s.mainWindow.windowState == 0) {
    get.number("form1top", s.mainWindow.top);
    get.number("form1left", s.mainWindow.left);
    get.number("form1width", s.mainWindow.width);
    get.number("form1height", s.mainWindow.height);
  }
}

// A fixed window's place and its two bodies, the keys led by `name`.
void FillWindow(const Lookup& get, std::string_view name, SingleWindowPlace& place, std::string_view a, int16_t& ia,
                std::string_view b, int16_t& ib) {
  std::string key(name);
  get.number(key + "left", place.left);
  get.number(key + "top", place.top);
  get.number(key + "width", place.width);
  get.number(key + "height", place.height);
  get.number(a, ia);
  get.number(b, ib);
}

// The two reference boxes, the orbit box and the thrust panel, each read
// when the file has it open.
void FillWindows(const Lookup& get, int n, State& s) {
  get.flag("formcontrolcenterloaded", s.formcontrolcenterloaded);
  get.flag("refbox2loaded", s.refbox2loaded);
  get.flag("refbox1loaded", s.refbox1loaded);
  get.flag("refboxorbit1loaded", s.refboxorbit1loaded);
  if (s.refbox1loaded) FillWindow(get, "refbox1", s.refbox1Place, "rb1a", s.rb1a, "rb1b", s.rb1b);
  if (s.refbox2loaded) FillWindow(get, "refbox2", s.refbox2Place, "rb2a", s.rb2a, "rb2b", s.rb2b);
  if (s.refboxorbit1loaded) FillWindow(get, "refboxorbit1", s.refboxorbit1Place, "rbo1a", s.rbo1a, "rbo1b", s.rbo1b);
  if (s.formcontrolcenterloaded) {
    FillWindow(get, "formcontrolcenter", s.controlCenterPlace, "cpobject", s.cpobject, "cpreference", s.cpreference);
    get.text("altitude", s.controlCenterText1);
    get.text("azimuth", s.controlCenterText2);
    get.number("fuelused", s.fuelused);
  }
  // The bodies just read, and those kept from before against an older body
  // count, bounded by the new one.
  for (int16_t* v : {&s.rb1a, &s.rb1b, &s.rb2a, &s.rb2b, &s.rbo1a, &s.rbo1b, &s.cpobject, &s.cpreference})
    *v = BodyIndexOrZero(*v, n);
}

void FillBodies(const KeyIndex& keys, int n, State& s) {
  for (int k = 1; k <= n; ++k) {
    auto body = [&](int f) { return keys.Body(f, k); };
    if (auto v = body(FName)) s.objname[k] = v->text;
    if (auto v = body(FMass)) ReadNumber(*v, s.objmass[k]);
    if (auto v = body(FRef)) s.objref[k] = v->text;
    if (auto v = body(FColor)) {
      ReadNumber(*v, s.objcolor[k]);
      s.objcolor[k] = ColourOr(s.objcolor[k], ColourWhite);
      s.objcolor2[k] = DeriveBodyColour(s.objcolor[k]);
    }
    if (auto v = body(FSize)) ReadNumber(*v, s.objsize[k]);
    if (auto v = body(FX)) ReadNumber(*v, s.objx[k]);
    if (auto v = body(FY)) ReadNumber(*v, s.objy[k]);
    if (auto v = body(FZ)) ReadNumber(*v, s.objz[k]);
    if (auto v = body(FVx)) ReadNumber(*v, s.objvx[k]);
    if (auto v = body(FVy)) ReadNumber(*v, s.objvy[k]);
    if (auto v = body(FVz)) ReadNumber(*v, s.objvz[k]);
    if (auto v = body(FDirx)) ReadNumber(*v, s.objdirx[k]);
    if (auto v = body(FDiry)) ReadNumber(*v, s.objdiry[k]);
    if (auto v = body(FDirz)) ReadNumber(*v, s.objdirz[k]);
    s.objlastx[k] = -100;
    s.objlasty[k] = -100;
  }
}

// The entries after "apc", three items each; without the key the list stays.
void FillAutopilot(const ItemList& items, const KeyIndex& keys, const KeyedPlan& plan, State& s) {
  if (!keys.Get("apc")) return;
  for (size_t e = 0; e < plan.apCount; ++e) {
    AutopilotCommand& a = s.autopilot[e + 1];
    size_t q = plan.apFirst + 3 * e;
    a.line = items[q].text;
    a.time = 0;
    ReadNumber(items[q + 1], a.time);
    a.note = items[q + 2].text;
  }
  for (size_t e = plan.apCount + 1; e <= MaxAutopilot; ++e) s.autopilot[e] = AutopilotCommand{};
  s.autopilotCount = static_cast<int16_t>(plan.apCount);
  AutopilotListReplaced(s);
}

// Puts a checked file into the tables; nothing here can fail.
void FillKeyed(const ItemList& items, const KeyIndex& keys, const KeyedPlan& plan, State& s) {
  const Lookup get{keys};
  BodyTableReplaced(s, plan.objects);
  s.objects = static_cast<int16_t>(plan.objects);
  FillView(get, plan.objects, s);
  FillWindows(get, plan.objects, s);
  FillBodies(keys, plan.objects, s);
  ResolveBodyReferences(s);
  FillAutopilot(items, keys, plan, s);
}

void Flag(std::string& out, std::string_view key, bool v) { Pair(out, key, FlagText(v)); }

// A fixed window's place and its two bodies, the keys led by `name`; the
// thrust panel writes its own values between the bodies and the size.
void WriteWindow(std::string& out, std::string_view name, const SingleWindowPlace& p, std::string_view a, int16_t ia,
                 std::string_view b, int16_t ib,
                 std::initializer_list<std::pair<std::string_view, std::string>> own = {}) {
  std::string key(name);
  Pair(out, key + "left", ShortText(p.left));
  Pair(out, key + "top", ShortText(p.top));
  Pair(out, a, ShortText(ia));
  Pair(out, b, ShortText(ib));
  for (const auto& [k, v] : own) Pair(out, k, v);
  Pair(out, key + "width", ShortText(p.width));
  Pair(out, key + "height", ShortText(p.height));
}

// The two reference boxes, the orbit box and the thrust panel: each its
// open flag, and its keys when open.
void WriteWindows(std::string& out, const State& s) {
  Flag(out, "refbox1loaded", s.refbox1loaded);
  if (s.refbox1loaded) WriteWindow(out, "refbox1", s.refbox1Place, "rb1a", s.rb1a, "rb1b", s.rb1b);
  Flag(out, "refbox2loaded", s.refbox2loaded);
  if (s.refbox2loaded) WriteWindow(out, "refbox2", s.refbox2Place, "rb2a", s.rb2a, "rb2b", s.rb2b);
  Flag(out, "refboxorbit1loaded", s.refboxorbit1loaded);
  if (s.refboxorbit1loaded) WriteWindow(out, "refboxorbit1", s.refboxorbit1Place, "rbo1a", s.rbo1a, "rbo1b", s.rbo1b);
  Flag(out, "refboxorbit1loaded", s.refboxorbit1loaded);
  Flag(out, "formcontrolcenterloaded", s.formcontrolcenterloaded);
  if (s.formcontrolcenterloaded)
    WriteWindow(out, "formcontrolcenter", s.controlCenterPlace, "cpobject", s.cpobject, "cpreference", s.cpreference,
                {{"fuelused", ShortText(s.fuelused)},
                 {"altitude", TextValue(s.controlCenterText1)},
                 {"azimuth", TextValue(s.controlCenterText2)}});
}

// The clock, the view, the Dashboard places and the main window.
void WriteView(std::string& out, const State& s, int n) {
  Pair(out, " ScalePixel", ShortText(s.ScalePixel));
  Pair(out, "SecondsElapsed", ShortText(s.SecondsElapsed));
  Pair(out, "timescale", ShortText(s.timescale));
  Pair(out, "OffsetX", ShortText(s.OffsetX));
  Pair(out, "OffsetY", ShortText(s.OffsetY));
  Pair(out, "focusobj", ShortText(s.focusobj));
  Pair(out, "objects", ShortText(static_cast<int16_t>(n)));
  Flag(out, "menus", s.menus);
  Flag(out, "llabels", s.llabels);
  Pair(out, "hscrollbarvalue1", ShortText(s.mainWindow.hscroll));
  Pair(out, "vscrollbarvalue1", ShortText(s.mainWindow.vscroll));
  Flag(out, "timedirection", !s.TimeForward);
  Pair(out, "isitname", TextValue(s.isitname));
  for (int w = 0; w < DashboardCount; ++w) {
    Pair(out, kDashboardKeys[w][0], ShortText(s.dashboard[w].top));
    Pair(out, kDashboardKeys[w][1], ShortText(s.dashboard[w].left));
  }
  Flag(out, "pplot", s.pplot);
  Flag(out, "trails", s.trails);
  Flag(out, "anchor", s.anchor);
  Pair(out, "windowstate", ShortText(s.mainWindow.windowState));
  Pair(out, "form1top", ShortText(s.mainWindow.top));
  Pair(out, "form1left", ShortText(s.mainWindow.left));
  Pair(out, "form1width", ShortText(s.mainWindow.width));
  Pair(out, "form1height", ShortText(s.mainWindow.height));
  Pair(out, "caption", TextValue(s.captions[1].caption));
}

void WriteBodies(std::string& out, const State& s, int n) {
  for (int k = 1; k <= n; ++k) {
    std::string number = ShortText(static_cast<int64_t>(k));
    auto key = [&](int f) { return std::string(kFieldKeys[f]) + number; };
    Pair(out, key(FName), TextValue(s.objname[k]));
    Pair(out, key(FMass), ShortText(s.objmass[k]));
    Pair(out, key(FRef), TextValue(s.objref[k]));
    Pair(out, key(FColor), ShortText(s.objcolor[k]));
    Pair(out, key(FSize), ShortText(s.objsize[k]));
    Pair(out, key(FX), ShortText(s.objx[k]));
    Pair(out, key(FY), ShortText(s.objy[k]));
    Pair(out, key(FZ), ShortText(s.objz[k]));
    Pair(out, key(FVx), ShortText(s.objvx[k]));
    Pair(out, key(FVy), ShortText(s.objvy[k]));
    Pair(out, key(FVz), ShortText(s.objvz[k]));
    Pair(out, key(FDirx), ShortText(s.objdirx[k]));
    Pair(out, key(FDiry), ShortText(s.objdiry[k]));
    Pair(out, key(FDirz), ShortText(s.objdirz[k]));
  }
}

// The count, then each entry's line, time and note without keys.
void WriteAutopilot(std::string& out, const State& s) {
  const int count = AutopilotListCount(s);
  Pair(out, "apc", ShortText(static_cast<int16_t>(count)));
  for (int e = 1; e <= count; ++e) {
    const AutopilotCommand& a = s.autopilot[e];
    out += TextValue(a.line) + "\r\n" + ShortText(a.time) + "\r\n" + TextValue(a.note) + "\r\n";
  }
}

}  // namespace

std::string WriteKeyedSituation(const State& s) {
  std::string out;
  const int n = BodyCount(s);
  out.reserve(2048 + static_cast<size_t>(n) * 420);
  Pair(out, "intro", "mOLVANE");
  WriteWindows(out, s);
  WriteView(out, s, n);
  WriteBodies(out, s, n);
  WriteAutopilot(out, s);
  return out;
}

bool WriteKeyedSituationFile(const State& s, const std::string& path) {
  return SaveFileAtomically(path, WriteKeyedSituation(s));
}

KeyedStatus ReadKeyedSituation(State& s, FilesHost& files, EngineHost& engine, std::string_view bytes) {
  ItemList items = SplitItems(bytes);
  KeyIndex keys(items);
  KeyedPlan plan = CheckKeyed(items, keys, s);
  if (plan.status != KeyedStatus::Ok) return plan.status;
  bool orbitBoxWasOpen = s.refboxorbit1loaded, panelWasOpen = s.formcontrolcenterloaded;
  FillKeyed(items, keys, plan, s);
  const int dropped = plan.droppedAutopilot;

  engine.refreshObjectLists();
  engine.clearView();
  if (s.screenscaleloaded) files.UpdateScreenScale();
  engine.rebuildObjectLabels();
  if (s.llabels) files.showBodyLabels();
  if (s.graphicsoptionsloaded) files.setAnchorButton(s.anchor ? "F" : "A");
  if (!s.anchor) AssembleSystemElements(s);
  files.setMainWindow();
  files.setCaptionLabel(1);
  for (int w = 0; w < DashboardCount; ++w)
    if (DashboardOpenFlag(s, w)) files.openDashboard(w);  // at the places just read
  if (s.refbox1loaded) files.openReferenceBox(1);
  if (s.refbox2loaded) files.openReferenceBox(2);
  if (s.refboxorbit1loaded)
    files.openDefaultOrbitBox();
  else if (orbitBoxWasOpen)
    files.closeDefaultOrbitBox();
  if (s.formcontrolcenterloaded)
    files.openDefaultThrustPanel();
  else if (panelWasOpen)
    files.closeDefaultThrustPanel();
  if (dropped > 0) {
    DroppedRecords d;
    d.autopilot = dropped;
    files.message("The keyed situation holds more than Molvane can keep; left out: " + DescribeDropped(d));
  }
  return KeyedStatus::Ok;
}

KeyedStatus ReadKeyedSituationFile(State& s, FilesHost& files, EngineHost& engine, const std::string& path) {
  std::string bytes;
  if (ReadWholeFile(path, MaxSituationFileBytes, bytes) != ReadFileStatus::Ok) {
    files.message(path + " could not be read");
    return KeyedStatus::NotFound;
  }
  KeyedStatus status = ReadKeyedSituation(s, files, engine, bytes);
  switch (status) {
    case KeyedStatus::Ok:
    case KeyedStatus::NotFound: break;
    case KeyedStatus::NotKeyed: files.message(path + " is not a Molvane situation file"); break;
    case KeyedStatus::Damaged: files.message(path + " is damaged or incomplete"); break;
    case KeyedStatus::BadBodyCount:
      files.message(path + " names a body count outside 0 to 1000 and was not opened");
      break;
  }
  return status;
}

}  // namespace molvane

// libFuzzer target: the situation reader, and read-write-read, on any bytes;
// the older value-list and keyed readers on the same bytes (and with their
// first items put in front, so that the fuzzer reaches past them).
// Invariants: no crash, bodies 0..1000, boxes and panels within 100,
// autopilot within 1000, every number finite, indices within the bodies,
// read(write(doc)) == doc and writing is stable; applying the document to
// the tables keeps them finite and in range.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>

#include "files/keyed.h"
#include "files/situation.h"
#include "files/valuelist.h"
#include "tests/support/nullhosts.h"

namespace {

using namespace molvane;

void Check(bool ok, const char* what) {
  if (!ok) {
    std::fprintf(stderr, "invariant broken: %s\n", what);
    std::abort();
  }
}

bool Finite(double v) { return std::isfinite(v); }

void CheckDocument(const SituationDocument& d) {
  Check(d.bodies.size() <= BodySlots, "bodies within 0..1000");
  Check(d.distanceBoxes.size() <= MaxSlots && d.orbitBoxes.size() <= MaxSlots, "boxes within 100");
  Check(d.thrustPanels.size() <= MaxSlots, "thrust panels within 100");
  Check(d.autopilot.size() <= MaxAutopilot, "autopilot within 1000");
  int objects = d.bodies.empty() ? 0 : static_cast<int>(d.bodies.size()) - 1;
  auto inRange = [&](int v) { return v >= 0 && v <= objects; };
  auto windowBody = [&](int v) { return v == NoBody || inRange(v); };  // NoBody: gone when saved
  for (const BodyRecord& b : d.bodies)
    for (double v : {b.mass, b.size, b.x, b.y, b.z, b.vx, b.vy, b.vz, double(b.dirx), double(b.diry), double(b.dirz)})
      Check(Finite(v), "body numbers finite");
  for (const auto* boxes : {&d.distanceBoxes, &d.orbitBoxes})
    for (const BoxRecord& b : *boxes) {
      Check(Finite(b.left) && Finite(b.top), "box place finite");
      Check(windowBody(b.bodyA) && windowBody(b.bodyB), "box bodies in range");
    }
  for (const ThrustPanelRecord& t : d.thrustPanels) {
    Check(Finite(t.left) && Finite(t.top), "panel place finite");
    Check(windowBody(t.cpobject) && windowBody(t.cpreference), "panel bodies in range");
  }
  const SDataRecord& s = d.sdata;
  for (double v : {s.scalePixel, s.secondsElapsed, s.timescale, s.offsetX, s.offsetY, s.rotatingPeriod, s.nextTime,
                   double(s.top), double(s.left), double(s.width), double(s.height), double(s.autoSaveInterval)})
    Check(Finite(v), "SData numbers finite");
  Check(s.timescale > 0 && s.scalePixel > 0, "time step and scale positive");
  Check(inRange(s.focusobj), "focus in range");
  for (const DashboardRecord& p : d.dashboard) Check(Finite(p.top) && Finite(p.left), "dashboard finite");
  for (const CaptionRecord& c : d.captions)
    for (float v : {c.fontSize, c.top, c.left, c.height, c.width}) Check(Finite(v), "caption finite");
  for (const AutopilotCommand& a : d.autopilot) Check(Finite(a.time), "autopilot time finite");
}

// The tables after a load of the older forms.
void CheckTables(const State& s) {
  Check(s.objects >= 0 && s.objects <= MaxBodies, "objects in range");
  auto inRange = [&](int v) { return v >= 0 && v <= s.objects; };
  Check(inRange(s.focusobj), "focus in range");
  for (int v : {s.rb1a, s.rb1b, s.rb2a, s.rb2b, s.rbo1a, s.rbo1b, s.cpobject, s.cpreference})
    Check(inRange(v), "window bodies in range");
  for (int k = 0; k <= s.objects; ++k)
    for (double v : {s.objmass[k], s.objsize[k], s.objx[k], s.objy[k], s.objz[k], s.objvx[k], s.objvy[k], s.objvz[k],
                     double(s.objdirx[k]), double(s.objdiry[k]), double(s.objdirz[k])})
      Check(Finite(v), "body numbers finite");
  Check(s.timescale > 0 && Finite(s.timescale) && s.ScalePixel > 0 && Finite(s.ScalePixel),
        "time step and scale positive");
  for (double v : {s.SecondsElapsed, s.OffsetX, s.OffsetY, s.RotatingFrame.period, s.autoSave.nextTime,
                   double(s.autoSave.interval), double(s.mainWindow.top), double(s.mainWindow.left),
                   double(s.mainWindow.width), double(s.mainWindow.height), double(s.fuelused)})
    Check(Finite(v), "view numbers finite");
  for (const SingleWindowPlace* p : {&s.refbox1Place, &s.refbox2Place, &s.refboxorbit1Place, &s.controlCenterPlace})
    Check(Finite(p->left) && Finite(p->top) && Finite(p->width) && Finite(p->height), "window places finite");
  for (const DashboardPlace& p : s.dashboard) Check(Finite(p.top) && Finite(p.left), "dashboard finite");
  for (int k = 1; k <= MaxCaptions; ++k) {
    const CaptionSlot& c = s.captions[k];
    for (float v :
         {c.fontSize, c.top, c.left, c.height, c.width, c.relFontSize, c.relTop, c.relLeft, c.relWidth, c.relHeight})
      Check(Finite(v), "caption finite");
  }
  Check(s.autopilotCount >= 0 && s.autopilotCount <= MaxAutopilot, "autopilot within 1000");
  for (int e = 1; e <= s.autopilotCount; ++e) Check(Finite(s.autopilot[e].time), "autopilot time finite");
}

void FuzzValueList(std::string_view bytes) {
  // Tables reused between runs: a fresh 300 KiB State per run costs more
  // than the readers themselves.
  static const State* base = new State;
  static State* s = new State;
  *s = *base;
  NullFilesHost files;
  NullEngineHost engine;
  ValueListRead r = ApplyValueList(*s, files, engine, SplitItems(bytes), "/fuzz/x.molv");
  if (r.status != ValueListStatus::Ok) {
    Check(s->isitname.empty() && s->autopilotCount == 0, "a refused value-list file changes nothing");
    return;
  }
  CheckTables(*s);
}

void FuzzKeyed(std::string_view bytes) {
  static const State* base = new State;
  static State* s = new State;
  static State* t = new State;
  *s = *base;
  NullFilesHost files;
  NullEngineHost engine;
  if (ReadKeyedSituation(*s, files, engine, bytes) != KeyedStatus::Ok) return;
  CheckTables(*s);
  std::string written = WriteKeyedSituation(*s);
  *t = *base;
  Check(ReadKeyedSituation(*t, files, engine, written) == KeyedStatus::Ok, "written keyed file reads");
  CheckTables(*t);
  Check(t->objects == s->objects && t->autopilotCount == s->autopilotCount, "keyed counts survive");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const State* base = new State;
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  if (bytes.substr(0, 7) == "mOLVANE")
    FuzzValueList(bytes);
  else
    FuzzValueList("mOLVANE\r\n" + std::string(bytes));
  if (bytes.substr(0, 5) == "intro")
    FuzzKeyed(bytes);
  else
    FuzzKeyed("intro\r\nmOLVANE\r\n" + std::string(bytes));
  ReadResult r = ReadSituation(bytes, *base);
  if (r.status != ReadStatus::Ok) return 0;
  CheckDocument(r.doc);

  std::string written = WriteSituation(r.doc);
  ReadResult again = ReadSituation(written, *base);
  Check(again.status == ReadStatus::Ok, "written document reads");
  Check(again.doc == r.doc, "read(write(doc)) == doc");
  Check(WriteSituation(again.doc) == written, "writing is stable");

  auto s = std::make_unique<State>();
  NullFilesHost files;
  NullEngineHost engine;
  ApplySituation(*s, files, engine, r.doc, "/fuzz/x.molv");
  Check(s->objects >= 0 && s->objects <= MaxBodies, "objects in range");
  Check(s->focusobj >= 0 && s->focusobj <= s->objects, "focus in range after load");
  for (int k = 0; k <= s->objects; ++k)
    Check(Finite(s->objx[k]) && Finite(s->objy[k]) && Finite(s->objz[k]) && Finite(s->objvx[k]) &&
              Finite(s->objvy[k]) && Finite(s->objvz[k]) && Finite(s->objmass[k]),
          "body table finite after load");
  Check(s->autopilotState.cursor >= 1 && s->autopilotState.cursor <= MaxAutopilot, "autopilot cursor");
  return 0;
}

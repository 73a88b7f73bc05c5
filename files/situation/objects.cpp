// The Objects section: bodies 0 (the floating point) to objects, 19 lines
// each: a separator, the fourteen stored fields, four reserved lines.
#include <algorithm>

#include "engine/bodies.h"
#include "engine/numtext.h"
#include "files/situation/sections.h"

namespace molvane::situation {

namespace {

constexpr int kBodyLines = 19;

BodyRecord BodyFromTable(const State& s, int k) {
  return {s.objname[k], s.objmass[k], s.objref[k], s.objcolor[k], s.objsize[k], s.objx[k],    s.objy[k],
          s.objz[k],    s.objvx[k],   s.objvy[k],  s.objvz[k],    s.objdirx[k], s.objdiry[k], s.objdirz[k]};
}

void BodyToTable(State& s, int k, const BodyRecord& b) {
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
}

// Record k at item p; what does not read keeps body k of `current`.
BodyRecord ReadBody(const SectionItems& in, size_t p, const State& current, int k) {
  BodyRecord b = BodyFromTable(current, k);
  b.name = in[p].text;
  ReadNumber(in[p + 1], b.mass);
  b.ref = in[p + 2].text;
  ReadNumber(in[p + 3], b.color);
  b.color = ColourOr(b.color, ColourWhite);
  ReadNumber(in[p + 4], b.size);
  size_t q = p + 5;
  for (double* v : {&b.x, &b.y, &b.z, &b.vx, &b.vy, &b.vz}) ReadNumber(in[q++], *v);
  for (float* v : {&b.dirx, &b.diry, &b.dirz}) ReadNumber(in[q++], *v);
  for (double* v : {&b.mass, &b.size, &b.x, &b.y, &b.z, &b.vx, &b.vy, &b.vz}) Canon(*v);
  for (float* v : {&b.dirx, &b.diry, &b.dirz}) Canon(*v);
  return b;  // the four reserved lines are passed over
}

bool ReadObjects(const SectionItems& in, const State& current, SituationDocument& d, DroppedRecords& dropped) {
  std::vector<size_t> records;
  if (!in.ListRecords(kObjectsTags, kBodyLines, BodySlots, records, dropped.bodies)) return false;
  for (size_t k = 0; k < records.size(); ++k)
    d.bodies.push_back(ReadBody(in, records[k], current, static_cast<int>(k)));
  return true;
}

void WriteObjects(std::string& out, const SituationDocument& d) {
  Line(out, kObjectsTags.open);
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
  Line(out, kObjectsTags.close);
}

void ObjectsFromState(const State& s, SituationDocument& d) {
  const int n = BodyCount(s);
  for (int k = 0; k <= n; ++k) d.bodies.push_back(BodyFromTable(s, k));
}

void ApplyObjects(const LoadTarget& to, const SituationDocument& d) {
  State& s = to.s;
  const int count = std::min<int>(static_cast<int>(d.bodies.size()), BodySlots);
  BodyTableReplaced(s, count > 0 ? count - 1 : 0);
  for (int k = 0; k < count; ++k) {
    BodyToTable(s, k, d.bodies[k]);
    s.objcolor2[k] = DeriveBodyColour(d.bodies[k].color);
  }
  s.objects = static_cast<int16_t>(count > 0 ? count - 1 : 0);
  to.engine.rebuildObjectLabels();
  to.engine.refreshObjectLists();
}

}  // namespace

const Section kObjects{ReadObjects, WriteObjects, ObjectsFromState, ApplyObjects};

}  // namespace molvane::situation

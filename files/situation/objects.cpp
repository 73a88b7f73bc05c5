// The Objects section: bodies 0 (the floating point) to objects, each a
// separator, one line per field, and four reserved lines.
#include <algorithm>

#include "engine/bodies.h"
#include "files/situation/fields.h"

namespace molvane::situation {

namespace {

// A body's place in the tables: row k of the body table.
struct BodyIn {
  const State& s;
  int k;
};
struct BodyOut {
  State& s;
  int k;
};
using BodyField = Field<BodyRecord, BodyIn, BodyOut>;

template <auto Column>
struct BodyColumn {
  static const auto& From(BodyIn b) { return (b.s.*Column)[b.k]; }
  static auto& Into(BodyOut b) { return (b.s.*Column)[b.k]; }
};

bool ReadColour(const TextItem& item, BodyRecord& b, const FieldContext&) {
  ReadNumber(item, b.color);
  b.color = ColourOr(b.color, ColourWhite);
  return true;
}

// The colour the view draws with goes with the body's colour.
void LoadColour(BodyOut to, const BodyRecord& b, const FieldContext&) {
  to.s.objcolor[to.k] = b.color;
  to.s.objcolor2[to.k] = DeriveBodyColour(b.color);
}

using B = BodyRecord;

constexpr BodyField kBodyFields[] = {
    Row<BodyField, &B::name, BodyColumn<&State::objname>>(),  // the line after the separator
    Row<BodyField, &B::mass, BodyColumn<&State::objmass>>(),
    Row<BodyField, &B::ref, BodyColumn<&State::objref>>(),
    Row<BodyField, &B::color, BodyColumn<&State::objcolor>>({.read = ReadColour, .load = LoadColour}),
    Row<BodyField, &B::size, BodyColumn<&State::objsize>>(),
    Row<BodyField, &B::x, BodyColumn<&State::objx>>(),
    Row<BodyField, &B::y, BodyColumn<&State::objy>>(),
    Row<BodyField, &B::z, BodyColumn<&State::objz>>(),
    Row<BodyField, &B::vx, BodyColumn<&State::objvx>>(),
    Row<BodyField, &B::vy, BodyColumn<&State::objvy>>(),
    Row<BodyField, &B::vz, BodyColumn<&State::objvz>>(),
    Row<BodyField, &B::dirx, BodyColumn<&State::objdirx>>(),
    Row<BodyField, &B::diry, BodyColumn<&State::objdiry>>(),
    Row<BodyField, &B::dirz, BodyColumn<&State::objdirz>>(),
};

constexpr int kReservedLines = 4;
constexpr int kBodyLines = 1 + static_cast<int>(std::size(kBodyFields)) + kReservedLines;

// Record k at item p; what does not read keeps body k of `current`. The
// reserved lines are passed over.
BodyRecord ReadBody(const SectionItems& in, size_t p, const State& current, int k) {
  BodyRecord b;
  TakeFields(kBodyFields, {current, k}, b);
  ReadFields(kBodyFields, in, p, b, {});  // no body field damages the file
  return b;
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
    WriteFields(kBodyFields, out, b, {});
    for (int i = 0; i < kReservedLines; ++i) Line(out, "Reserved for future use");
  }
  Line(out, kObjectsTags.close);
}

void ObjectsFromState(const State& s, SituationDocument& d) {
  const int n = BodyCount(s);
  for (int k = 0; k <= n; ++k) TakeFields(kBodyFields, {s, k}, d.bodies.emplace_back());
}

void ApplyObjects(const LoadTarget& to, const SituationDocument& d) {
  State& s = to.s;
  const int count = std::min<int>(static_cast<int>(d.bodies.size()), BodySlots);
  BodyTableReplaced(s, count > 0 ? count - 1 : 0);
  for (int k = 0; k < count; ++k) LoadFields(kBodyFields, {s, k}, d.bodies[k], {});
  s.objects = static_cast<int16_t>(count > 0 ? count - 1 : 0);
  ResolveBodyReferences(s);
  to.engine.rebuildObjectLabels();
  to.engine.refreshObjectLists();
}

}  // namespace

const Section kObjects{ReadObjects, WriteObjects, ObjectsFromState, ApplyObjects};

}  // namespace molvane::situation

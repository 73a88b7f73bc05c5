// The Distance Boxes, Orbit Boxes and Thrust Box sections: the windows kept
// in slots 1 to 100. Each record is a separator and one line per field: two
// places in twips (Left, Top for the boxes; Top, Left for the panels), the
// texts of two lists or entry boxes, and two bodies.
#include <span>

#include "files/situation/fields.h"

namespace molvane::situation {

namespace {

using BoxField = Field<BoxRecord, const BoxSlot&, BoxSlot&>;
using PanelField = Field<ThrustPanelRecord, const ThrustPanelSlot&, ThrustPanelSlot&>;

// A window's body: one that had gone when the file was written (NoBody)
// stays gone, so the window shows none again; one past the table is 0.
int16_t WindowBody(int16_t index, int objects) { return index == NoBody ? NoBody : BodyIndexOrZero(index, objects); }

template <class F, auto Member, auto SlotMember>
struct WindowBodyRules {
  static bool Read(const TextItem& item, typename F::Record& r, const FieldContext& c) {
    ReadValue(item, r.*Member, c.strict);
    r.*Member = WindowBody(r.*Member, c.lastBody);
    return true;
  }
  static void Load(typename F::Target slot, const typename F::Record& r, const FieldContext& c) {
    slot.*SlotMember = WindowBody(r.*Member, c.lastBody);
  }
};

template <class F, auto Member, auto SlotMember>
constexpr F BodyOfWindow() {
  using Rules = WindowBodyRules<F, Member, SlotMember>;
  return Row<F, Member, At<SlotMember>>({.read = Rules::Read, .load = Rules::Load});
}

constexpr BoxField kBoxFields[] = {
    Row<BoxField, &BoxRecord::left, At<&BoxSlot::left>>(),
    Row<BoxField, &BoxRecord::top, At<&BoxSlot::top>>(),
    Row<BoxField, &BoxRecord::list1, At<&BoxSlot::list1>>(),
    Row<BoxField, &BoxRecord::list2, At<&BoxSlot::list2>>(),
    BodyOfWindow<BoxField, &BoxRecord::bodyA, &BoxSlot::bodyA>(),
    BodyOfWindow<BoxField, &BoxRecord::bodyB, &BoxSlot::bodyB>(),
};

constexpr PanelField kPanelFields[] = {
    Row<PanelField, &ThrustPanelRecord::top, At<&ThrustPanelSlot::top>>(),
    Row<PanelField, &ThrustPanelRecord::left, At<&ThrustPanelSlot::left>>(),
    Row<PanelField, &ThrustPanelRecord::text1, At<&ThrustPanelSlot::text1>>(),
    Row<PanelField, &ThrustPanelRecord::text2, At<&ThrustPanelSlot::text2>>(),
    BodyOfWindow<PanelField, &ThrustPanelRecord::cpobject, &ThrustPanelSlot::cpobject>(),
    BodyOfWindow<PanelField, &ThrustPanelRecord::cpreference, &ThrustPanelSlot::cpreference>(),
};

template <class F, class S>
struct WindowSection {
  SectionTags tags;
  std::span<const F> fields;
  bool strictNumbers;  // the boxes take a place or body only from a whole number
  std::vector<typename F::Record> SituationDocument::*records;
  std::array<S, MaxSlots + 1> State::*slots;
  int DroppedRecords::*dropped;
  void (FilesHost::*open)(int slot);
};

constexpr WindowSection<BoxField, BoxSlot> kDistanceBoxWindows{.tags = kDistanceBoxesTags,
                                                               .fields = kBoxFields,
                                                               .strictNumbers = true,
                                                               .records = &SituationDocument::distanceBoxes,
                                                               .slots = &State::distanceBoxes,
                                                               .dropped = &DroppedRecords::distanceBoxes,
                                                               .open = &FilesHost::openDistanceBox};
constexpr WindowSection<BoxField, BoxSlot> kOrbitBoxWindows{.tags = kOrbitBoxesTags,
                                                            .fields = kBoxFields,
                                                            .strictNumbers = true,
                                                            .records = &SituationDocument::orbitBoxes,
                                                            .slots = &State::orbitBoxes,
                                                            .dropped = &DroppedRecords::orbitBoxes,
                                                            .open = &FilesHost::openOrbitBox};
constexpr WindowSection<PanelField, ThrustPanelSlot> kThrustPanelWindows{.tags = kThrustBoxTags,
                                                                         .fields = kPanelFields,
                                                                         .strictNumbers = false,
                                                                         .records = &SituationDocument::thrustPanels,
                                                                         .slots = &State::thrustPanels,
                                                                         .dropped = &DroppedRecords::thrustPanels,
                                                                         .open = &FilesHost::openThrustPanel};

// The section functions of one kind of window: W is its row above. New
// windows start from zero, not from the current tables.
template <const auto& W>
bool ReadWindows(const SectionItems& in, const State&, SituationDocument& d, DroppedRecords& dropped) {
  const int lines = 1 + static_cast<int>(W.fields.size());
  std::vector<size_t> records;
  if (!in.ListRecords(W.tags, lines, MaxSlots, records, dropped.*W.dropped)) return false;
  const FieldContext c{.lastBody = LastBody(d), .strict = W.strictNumbers};
  for (size_t p : records) ReadFields(W.fields, in, p, (d.*W.records).emplace_back(), c);
  return true;
}

template <const auto& W>
void WriteWindows(std::string& out, const SituationDocument& d) {
  Line(out, W.tags.open);
  for (const auto& r : d.*W.records) {
    Line(out, " ");
    WriteFields(W.fields, out, r, {});
  }
  Line(out, W.tags.close);
}

// The slots in use, in slot order.
template <const auto& W>
void WindowsFromState(const State& s, SituationDocument& d) {
  for (int k = 1; k <= MaxSlots; ++k)
    if ((s.*W.slots)[k].inUse) TakeFields(W.fields, (s.*W.slots)[k], (d.*W.records).emplace_back());
}

// Slots 1 upward in file order, each window opened from its slot.
template <const auto& W>
void ApplyWindows(const LoadTarget& to, const SituationDocument& d) {
  const auto& records = d.*W.records;
  const FieldContext c{.lastBody = to.s.objects};
  for (size_t k = 0; k < records.size() && k < MaxSlots; ++k) {
    auto& slot = (to.s.*W.slots)[k + 1];
    slot = {};
    slot.inUse = true;
    LoadFields(W.fields, slot, records[k], c);
    (to.files.*W.open)(static_cast<int>(k + 1));
  }
}

template <const auto& W>
constexpr Section kWindows{ReadWindows<W>, WriteWindows<W>, WindowsFromState<W>, ApplyWindows<W>};

}  // namespace

const Section kDistanceBoxes = kWindows<kDistanceBoxWindows>;
const Section kOrbitBoxes = kWindows<kOrbitBoxWindows>;
const Section kThrustBox = kWindows<kThrustPanelWindows>;

}  // namespace molvane::situation

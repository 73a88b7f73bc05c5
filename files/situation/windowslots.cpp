// The Distance Boxes, Orbit Boxes and Thrust Box sections: the windows kept
// in slots 1 to 100. Their records have one shape, 7 lines: a separator, two
// places in twips (Left, Top for the boxes; Top, Left for the panels), the
// texts of two lists or entry boxes, and two bodies. Records and slots hold
// these fields in file order, so one set of functions serves all three.
#include <type_traits>

#include "engine/numtext.h"
#include "files/situation/sections.h"

namespace molvane::situation {

namespace {

constexpr int kSlotRecordLines = 7;

template <class R, class S>
struct WindowSection {
  using Record = R;
  SectionTags tags;
  bool strictNumbers;  // the boxes take a place or body only from a whole number
  std::vector<R> SituationDocument::*records;
  std::array<S, MaxSlots + 1> State::*slots;
  int DroppedRecords::*dropped;
  void (FilesHost::*open)(int slot);
};

constexpr WindowSection<BoxRecord, BoxSlot> kDistanceBoxWindows{kDistanceBoxesTags,
                                                                true,
                                                                &SituationDocument::distanceBoxes,
                                                                &State::distanceBoxes,
                                                                &DroppedRecords::distanceBoxes,
                                                                &FilesHost::openDistanceBox};
constexpr WindowSection<BoxRecord, BoxSlot> kOrbitBoxWindows{
    kOrbitBoxesTags,         true, &SituationDocument::orbitBoxes, &State::orbitBoxes, &DroppedRecords::orbitBoxes,
    &FilesHost::openOrbitBox};
constexpr WindowSection<ThrustPanelRecord, ThrustPanelSlot> kThrustPanelWindows{kThrustBoxTags,
                                                                                false,
                                                                                &SituationDocument::thrustPanels,
                                                                                &State::thrustPanels,
                                                                                &DroppedRecords::thrustPanels,
                                                                                &FilesHost::openThrustPanel};

// A window's body: one that had gone when the file was written (NoBody)
// stays gone, so the window shows none again; one past the table is 0.
int16_t WindowBody(int16_t index, int objects) { return index == NoBody ? NoBody : BodyIndexOrZero(index, objects); }

template <class T>
void ReadField(const TextItem& item, T& target, bool strict) {
  if (strict)
    ReadStrictNumber(item, target);
  else
    ReadNumber(item, target);
}

// New windows start from zero, not from the current tables.
template <class Record>
Record ReadSlotRecord(const SectionItems& in, size_t p, bool strict, int objects) {
  Record r{};
  auto& [place1, place2, text1, text2, body1, body2] = r;
  ReadField(in[p], place1, strict);
  ReadField(in[p + 1], place2, strict);
  text1 = in[p + 2].text;
  text2 = in[p + 3].text;
  ReadField(in[p + 4], body1, strict);
  ReadField(in[p + 5], body2, strict);
  body1 = WindowBody(body1, objects);
  body2 = WindowBody(body2, objects);
  Canon(place1);
  Canon(place2);
  return r;
}

// The section functions of one kind of window: W is its row above.
template <const auto& W>
bool ReadWindows(const SectionItems& in, const State&, SituationDocument& d, DroppedRecords& dropped) {
  using Record = typename std::remove_cvref_t<decltype(W)>::Record;
  std::vector<size_t> records;
  if (!in.ListRecords(W.tags, kSlotRecordLines, MaxSlots, records, dropped.*W.dropped)) return false;
  for (size_t p : records) (d.*W.records).push_back(ReadSlotRecord<Record>(in, p, W.strictNumbers, LastBody(d)));
  return true;
}

template <const auto& W>
void WriteWindows(std::string& out, const SituationDocument& d) {
  Line(out, W.tags.open);
  for (const auto& r : d.*W.records) {
    const auto& [place1, place2, text1, text2, body1, body2] = r;
    Line(out, " ");
    Line(out, ShortText(place1));
    Line(out, ShortText(place2));
    Line(out, WriteTextItem(text1));
    Line(out, WriteTextItem(text2));
    Line(out, ShortText(body1));
    Line(out, ShortText(body2));
  }
  Line(out, W.tags.close);
}

// The slots in use, in slot order.
template <const auto& W>
void WindowsFromState(const State& s, SituationDocument& d) {
  for (int k = 1; k <= MaxSlots; ++k) {
    const auto& [inUse, place1, place2, text1, text2, body1, body2] = (s.*W.slots)[k];
    if (inUse) (d.*W.records).push_back({place1, place2, text1, text2, body1, body2});
  }
}

// Slots 1 upward in file order, each window opened from its slot.
template <const auto& W>
void ApplyWindows(const LoadTarget& to, const SituationDocument& d) {
  const auto& records = d.*W.records;
  for (size_t k = 0; k < records.size() && k < MaxSlots; ++k) {
    const auto& [place1, place2, text1, text2, body1, body2] = records[k];
    (to.s.*W.slots)[k + 1] = {
        true, place1, place2, text1, text2, WindowBody(body1, to.s.objects), WindowBody(body2, to.s.objects)};
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

// The Captions section: the four caption labels, one line per field each,
// read by position; the caption text in its escaped form.
#include "files/situation/fields.h"

namespace molvane::situation {

namespace {

using CaptionField = Field<CaptionRecord, const CaptionSlot&, CaptionSlot&>;
using C = CaptionRecord;
using CS = CaptionSlot;

// The caption text stands escaped on its line.
bool ReadCaptionText(const TextItem& item, C& c, const FieldContext&) {
  c.caption = UnescapeItemText(item.text);
  return true;
}

void WriteCaptionText(std::string& out, const C& c, const FieldContext&) {
  Line(out, WriteTextItem(EscapeItemText(c.caption)));
}

bool ReadForeColour(const TextItem& item, C& c, const FieldContext&) {
  ReadNumber(item, c.foreColor);
  c.foreColor = ColourOr(c.foreColor, ColourWhite);
  return true;
}

// A width that does not read is the one the load resets to.
bool ReadWidth(const TextItem& item, C& c, const FieldContext&) {
  c.width = 3.0f;
  ReadNumber(item, c.width);
  return true;
}

constexpr CaptionField kCaptionFields[] = {
    Row<CaptionField, &C::caption, At<&CS::caption>>({.read = ReadCaptionText, .write = WriteCaptionText}),
    Row<CaptionField, &C::fontName, At<&CS::fontName>>(),
    Row<CaptionField, &C::fontSize, At<&CS::fontSize>>(),
    Row<CaptionField, &C::foreColor, At<&CS::foreColor>>({.read = ReadForeColour}),
    Row<CaptionField, &C::bold, At<&CS::bold>>(),
    Row<CaptionField, &C::italic, At<&CS::italic>>(),
    Row<CaptionField, &C::strikethru, At<&CS::strikethru>>(),
    Row<CaptionField, &C::underline, At<&CS::underline>>(),
    Row<CaptionField, &C::top, At<&CS::top>>(),
    Row<CaptionField, &C::left, At<&CS::left>>(),
    Row<CaptionField, &C::height, At<&CS::height>>(),
    Row<CaptionField, &C::width, At<&CS::width>>({.read = ReadWidth}),
};

constexpr size_t kCaptionLines = std::size(kCaptionFields);

// What does not read keeps the current caption.
bool ReadCaptions(const SectionItems& in, const State& current, SituationDocument& d, DroppedRecords&) {
  std::optional<size_t> p = in.PositionalSection(kCaptionsTags.open, static_cast<int>(kCaptionLines) * MaxCaptions);
  if (!p) return false;
  d.hasCaptions = *p != SectionItems::kMissing;
  if (d.hasCaptions)
    for (size_t k = 0; k < MaxCaptions; ++k) {
      TakeFields(kCaptionFields, current.captions[k + 1], d.captions[k]);
      ReadFields(kCaptionFields, in, *p + k * kCaptionLines, d.captions[k], {});
    }
  return true;
}

void WriteCaptions(std::string& out, const SituationDocument& d) {
  if (!d.hasCaptions) return;
  Line(out, kCaptionsTags.open);
  for (const CaptionRecord& c : d.captions) WriteFields(kCaptionFields, out, c, {});
  Line(out, kCaptionsTags.close);
}

void CaptionsFromState(const State& s, SituationDocument& d) {
  for (int k = 0; k < MaxCaptions; ++k) TakeFields(kCaptionFields, s.captions[k + 1], d.captions[k]);
}

void ApplyCaptions(const LoadTarget& to, const SituationDocument& d) {
  if (!d.hasCaptions) return;
  for (int k = 0; k < MaxCaptions; ++k) {
    LoadFields(kCaptionFields, to.s.captions[k + 1], d.captions[k], {});
    to.files.setCaptionLabel(k + 1);
  }
}

}  // namespace

const Section kCaptions{ReadCaptions, WriteCaptions, CaptionsFromState, ApplyCaptions};

}  // namespace molvane::situation

// The Captions section: the four caption labels, 12 lines each by position,
// the caption text in its escaped form.
#include "engine/numtext.h"
#include "files/situation/sections.h"

namespace molvane::situation {

namespace {

constexpr int kCaptionLines = 12;

CaptionRecord CaptionFromSlot(const CaptionSlot& c) {
  return {c.caption,    c.fontName,  c.fontSize, c.foreColor, c.bold,   c.italic,
          c.strikethru, c.underline, c.top,      c.left,      c.height, c.width};
}

// A caption from item q; what does not read keeps the current caption, but
// the width that the load resets.
CaptionRecord ReadCaption(const SectionItems& in, size_t q, const CaptionSlot& current) {
  CaptionRecord c = CaptionFromSlot(current);
  c.width = 3.0f;
  c.caption = UnescapeItemText(in[q].text);
  c.fontName = in[q + 1].text;
  ReadNumber(in[q + 2], c.fontSize);
  ReadNumber(in[q + 3], c.foreColor);
  c.foreColor = ColourOr(c.foreColor, ColourWhite);
  size_t p = q + 4;
  for (bool* f : {&c.bold, &c.italic, &c.strikethru, &c.underline}) ReadFlag(in[p++], *f);
  for (float* v : {&c.top, &c.left, &c.height, &c.width}) ReadNumber(in[p++], *v);
  return c;
}

bool ReadCaptions(const SectionItems& in, const State& current, SituationDocument& d, DroppedRecords&) {
  std::optional<size_t> p = in.PositionalSection(kCaptionsTags.open, kCaptionLines * MaxCaptions);
  if (!p) return false;
  d.hasCaptions = *p != SectionItems::kMissing;
  if (d.hasCaptions)
    for (int k = 0; k < MaxCaptions; ++k)
      d.captions[k] = ReadCaption(in, *p + static_cast<size_t>(k * kCaptionLines), current.captions[k + 1]);
  for (CaptionRecord& c : d.captions)
    for (float* v : {&c.fontSize, &c.top, &c.left, &c.height, &c.width}) Canon(*v);
  return true;
}

void WriteCaptions(std::string& out, const SituationDocument& d) {
  if (!d.hasCaptions) return;
  Line(out, kCaptionsTags.open);
  for (const CaptionRecord& c : d.captions) {
    Line(out, WriteTextItem(EscapeItemText(c.caption)));
    Line(out, WriteTextItem(c.fontName));
    Line(out, ShortText(c.fontSize));
    Line(out, ShortText(c.foreColor));
    for (bool f : {c.bold, c.italic, c.strikethru, c.underline}) Line(out, FlagText(f));
    for (float v : {c.top, c.left, c.height, c.width}) Line(out, ShortText(v));
  }
  Line(out, kCaptionsTags.close);
}

void CaptionsFromState(const State& s, SituationDocument& d) {
  for (int k = 0; k < MaxCaptions; ++k) d.captions[k] = CaptionFromSlot(s.captions[k + 1]);
}

void ApplyCaptions(const LoadTarget& to, const SituationDocument& d) {
  if (!d.hasCaptions) return;
  for (int k = 0; k < MaxCaptions; ++k) {
    const CaptionRecord& c = d.captions[k];
    CaptionSlot& slot = to.s.captions[k + 1];
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
    to.files.setCaptionLabel(k + 1);
  }
}

}  // namespace

const Section kCaptions{ReadCaptions, WriteCaptions, CaptionsFromState, ApplyCaptions};

}  // namespace molvane::situation

// The Auto Pilot section: the entry count, then 4 lines per entry: a
// separator, the command line and the note between double quotes (the note
// escaped), the time between them.
#include <algorithm>
#include <cmath>

#include "engine/autopilotarm.h"
#include "engine/numtext.h"
#include "files/situation/sections.h"

namespace molvane::situation {

namespace {

constexpr int kAutopilotLines = 4;

// The entries run to the closing tag; a count below their number keeps
// only the first ones.
bool ReadAutoPilot(const SectionItems& in, const State&, SituationDocument& d, DroppedRecords& dropped) {
  size_t pos = in.Find(kAutoPilotTags.open);
  if (pos == SectionItems::kMissing) return true;
  if (pos >= in.size()) return false;
  TextItem first = in[pos];
  if ((!first.quoted && first.text == kAutoPilotTags.close) || IsEndTag(first)) return true;  // no count, no entries
  if (IsStructureTag(first)) return false;
  double count = ParseNumberPrefix(first.text, true);
  std::vector<size_t> records;
  if (!in.RecordsFrom(pos + 1, kAutoPilotTags.close, kAutopilotLines, records)) return false;
  KeepAtMost(records, MaxAutopilot, dropped.autopilot);
  size_t n = records.size();
  if (std::isfinite(count)) {
    double c = RoundHalfEven(count);
    n = c <= 0 ? 0 : std::min(n, static_cast<size_t>(std::min(c, 1e6)));
  }
  for (size_t k = 0; k < n; ++k) {
    size_t p = records[k];
    AutopilotCommand a;
    a.line = in[p].text;
    ReadNumber(in[p + 1], a.time);
    Canon(a.time);
    a.note = UnescapeItemText(in[p + 2].text);
    d.autopilot.push_back(std::move(a));
  }
  return true;
}

void WriteAutoPilot(std::string& out, const SituationDocument& d) {
  Line(out, kAutoPilotTags.open);
  Line(out, ShortText(static_cast<int64_t>(d.autopilot.size())));
  for (const AutopilotCommand& a : d.autopilot) {
    Line(out, " ");
    Line(out, WriteQuotedItem(a.line));
    Line(out, ShortText(a.time));
    Line(out, WriteQuotedItem(EscapeItemText(a.note)));
  }
  Line(out, kAutoPilotTags.close);
}

void AutoPilotFromState(const State& s, SituationDocument& d) {
  int count = AutopilotListCount(s);
  for (int k = 1; k <= count; ++k) d.autopilot.push_back(s.autopilot[k]);
}

// "Restore with current commands" keeps the list in memory; either list is
// armed.
void ApplyAutoPilot(const LoadTarget& to, const SituationDocument& d) {
  State& s = to.s;
  if (s.KeepCommandsFlag) {
    s.KeepCommandsFlag = false;
  } else {
    int n = std::min<int>(static_cast<int>(d.autopilot.size()), MaxAutopilot);
    for (int k = 0; k < n; ++k) s.autopilot[k + 1] = d.autopilot[k];
    s.autopilotCount = static_cast<int16_t>(n);
    AutopilotListReplaced(s);
  }
  ArmAutopilotAfterLoad(s);
}

}  // namespace

const Section kAutoPilot{ReadAutoPilot, WriteAutoPilot, AutoPilotFromState, ApplyAutoPilot};

}  // namespace molvane::situation

// The Command Buttons section: Top and Left of each Dashboard window in
// DashboardWindow order, "-1" twice for a closed one; 10 lines by position.
#include "engine/numtext.h"
#include "files/situation/sections.h"

namespace molvane::situation {

namespace {

constexpr int kButtonLines = 2 * DashboardCount;
constexpr DashboardRecord kClosed{false, -1, -1};

void ReadPlaces(const SectionItems& in, size_t p, const State& current, SituationDocument& d) {
  for (int w = 0; w < DashboardCount; ++w) {
    TextItem a = in[p + 2 * static_cast<size_t>(w)];
    TextItem b = in[p + 2 * static_cast<size_t>(w) + 1];
    DashboardRecord place{true, current.dashboard[w].top, current.dashboard[w].left};
    double first = 0;
    bool closed = ParseWholeNumber(a.text, &first) && first == -1;
    if (!closed) {
      ReadNumber(a, place.top);
      ReadNumber(b, place.left);
      closed = place.top == -1;  // the writer could not tell it from a closed window
    }
    d.dashboard[w] = closed ? kClosed : place;
  }
}

bool ReadCommandButtons(const SectionItems& in, const State& current, SituationDocument& d, DroppedRecords&) {
  std::optional<size_t> p = in.PositionalSection(kCommandButtonsTags.open, kButtonLines);
  if (!p) return false;
  d.hasDashboard = *p != SectionItems::kMissing;
  if (d.hasDashboard)
    ReadPlaces(in, *p, current, d);
  else
    for (DashboardRecord& place : d.dashboard) place = kClosed;
  for (DashboardRecord& place : d.dashboard) {
    Canon(place.top);
    Canon(place.left);
  }
  return true;
}

void WriteCommandButtons(std::string& out, const SituationDocument& d) {
  if (!d.hasDashboard) return;
  Line(out, kCommandButtonsTags.open);
  for (const DashboardRecord& p : d.dashboard) {
    if (p.open) {
      Line(out, ShortText(p.top));
      Line(out, ShortText(p.left));
    } else {
      Line(out, "-1");
      Line(out, "-1");
    }
  }
  Line(out, kCommandButtonsTags.close);
}

void CommandButtonsFromState(const State& s, SituationDocument& d) {
  for (int k = 0; k < DashboardCount; ++k)
    d.dashboard[k] = DashboardOpenFlag(s, k) ? DashboardRecord{true, s.dashboard[k].top, s.dashboard[k].left} : kClosed;
}

// The windows the file lists as open, at their places; the focus object
// window fills its list as it opens.
void ApplyCommandButtons(const LoadTarget& to, const SituationDocument& d) {
  if (!d.hasDashboard) return;
  for (int k = 0; k < DashboardCount; ++k) {
    const DashboardRecord& p = d.dashboard[k];
    if (!p.open) continue;
    to.s.dashboard[k] = {p.top, p.left};
    DashboardOpenFlag(to.s, k) = true;
    to.files.openDashboard(k);
    if (k == DashFocusObject) to.engine.refreshObjectLists();
  }
}

}  // namespace

const Section kCommandButtons{ReadCommandButtons, WriteCommandButtons, CommandButtonsFromState, ApplyCommandButtons};

}  // namespace molvane::situation

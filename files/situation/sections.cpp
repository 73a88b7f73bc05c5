#include "files/situation/sections.h"

#include <cmath>

#include "engine/numtext.h"

namespace molvane::situation {

namespace {

constexpr std::string_view kEndTagLower = "</molvane>";

constexpr SectionTags kSections[] = {kDistanceBoxesTags, kOrbitBoxesTags, kSDataTags,   kCommandButtonsTags,
                                     kCaptionsTags,      kThrustBoxTags,  kObjectsTags, kAutoPilotTags};

std::string Lowered(std::string_view t) {
  std::string out(t);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

}  // namespace

bool IsEndTag(const TextItem& it) {
  return !it.quoted && it.text.size() == kEndTagLower.size() && Lowered(it.text) == kEndTagLower;
}

bool IsStructureTag(const TextItem& it) {
  if (it.quoted) return false;
  if (IsEndTag(it) || it.text == kOpenTag) return true;
  for (const SectionTags& t : kSections)
    if (it.text == t.open || it.text == t.close) return true;
  return false;
}

bool SectionItems::HasEndTag() const {
  for (size_t i = 0; i < items_.size(); ++i)
    if (IsEndTag(items_[i])) return true;
  return false;
}

size_t SectionItems::Find(std::string_view tag) const {
  for (size_t i = 0; i < items_.size(); ++i)
    if (!items_[i].quoted && items_[i].text == tag) return i + 1;
  return kMissing;
}

bool SectionItems::RecordsFrom(size_t pos, std::string_view close, int lines, std::vector<size_t>& out) const {
  for (;;) {
    if (pos >= items_.size()) return false;
    TextItem sep = items_[pos];
    if ((!sep.quoted && sep.text == close) || IsEndTag(sep)) return true;
    if (IsStructureTag(sep)) return false;
    for (int j = 1; j < lines; ++j)
      if (pos + j >= items_.size() || IsStructureTag(items_[pos + j])) return false;
    out.push_back(pos + 1);
    pos += static_cast<size_t>(lines);
  }
}

bool SectionItems::ListRecords(const SectionTags& tags, int lines, size_t limit, std::vector<size_t>& out,
                               int& dropped) const {
  out.clear();
  size_t pos = Find(tags.open);
  if (pos == kMissing) return true;
  if (!RecordsFrom(pos, tags.close, lines, out)) return false;
  KeepAtMost(out, limit, dropped);
  return true;
}

std::optional<size_t> SectionItems::PositionalSection(std::string_view tag, int lines) const {
  size_t pos = Find(tag);
  if (pos == kMissing) return kMissing;
  for (int j = 0; j < lines; ++j)
    if (pos + j >= items_.size() || IsStructureTag(items_[pos + j])) return std::nullopt;
  return pos;
}

void KeepAtMost(std::vector<size_t>& records, size_t limit, int& dropped) {
  if (records.size() <= limit) return;
  dropped = static_cast<int>(records.size() - limit);
  records.resize(limit);
}

int LastBody(const SituationDocument& d) { return d.bodies.empty() ? 0 : static_cast<int>(d.bodies.size()) - 1; }

void Canon(double& v) {
  for (int i = 0; i < 4; ++i) {
    double w = ParseNumberPrefix(ShortText(v));
    if (!std::isfinite(w) || w == v) return;
    v = w;
  }
}

void Canon(float& v) {
  for (int i = 0; i < 4; ++i) {
    double d = ParseNumberPrefix(ShortText(v));
    if (!std::isfinite(d) || std::fabs(d) > 3.4028234663852886e38) return;
    float w = static_cast<float>(d);
    if (w == v) return;
    v = w;
  }
}

void Line(std::string& out, std::string_view text) {
  out.append(text);
  out.append("\r\n");
}

}  // namespace molvane::situation

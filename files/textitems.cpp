#include "files/textitems.h"

#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "engine/numtext.h"

namespace molvane {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (Lower(a[i]) != Lower(b[i])) return false;
  return true;
}

constexpr std::array<std::string_view, 19> kTags = {
    "<MoLVANE>",          "</MoLVANE>",     "mOLVANE",      "<Distance Boxes>", "</Distance Boxes>",
    "<Orbit Boxes>",      "</Orbit Boxes>", "<SData>",      "</SData>",         "<Command Buttons>",
    "</Command Buttons>", "<Captions>",     "</captions>",  "<Thrust Box>",     "</Thrust Box>",
    "<Objects>",          "</Objects>",     "<Auto Pilot>", "</Auto Pilot>"};

// The item's number value: the numeric prefix with inner blanks ignored.
double PrefixValue(const TextItem& item) { return ParseNumberPrefix(item.text, true); }

}  // namespace

void ItemList::push_back(std::string_view text, bool quoted) {
  index_.push_back({static_cast<uint32_t>(text_.size()), static_cast<uint32_t>(text.size()) | (quoted ? kQuoted : 0u)});
  text_.append(text);
}

ItemList SplitItems(std::string_view s) {
  ItemList items;
  const size_t n = s.size();
  if (n == 0 || n > 0x7FFFFFFFu) return items;
  size_t pos = 0;
  std::string quotedText;
  for (;;) {
    while (pos < n && IsBlank(s[pos])) ++pos;
    if (pos < n && s[pos] == '"') {
      quotedText.clear();
      ++pos;
      while (pos < n) {
        if (s[pos] == '"') {
          if (pos + 1 < n && s[pos + 1] == '"') {
            quotedText.push_back('"');
            pos += 2;
            continue;
          }
          ++pos;
          break;
        }
        quotedText.push_back(s[pos++]);
      }
      while (pos < n && s[pos] != ',' && !IsLineEnd(s[pos])) ++pos;
      items.push_back(quotedText, true);
    } else {
      size_t start = pos;
      while (pos < n && s[pos] != ',' && !IsLineEnd(s[pos])) ++pos;
      size_t end = pos;
      while (end > start && IsBlank(s[end - 1])) --end;
      items.push_back(s.substr(start, end - start), false);
    }
    if (pos >= n) break;
    if (s[pos] == ',') {
      ++pos;
      continue;  // an item follows, empty when the line ends here
    }
    if (s[pos] == '\r') {
      ++pos;
      if (pos < n && s[pos] == '\n') ++pos;
    } else {
      ++pos;  // a bare line feed
    }
    if (pos >= n) break;
  }
  if (items.size() == 1 && items[0].text.find('\n') != std::string_view::npos) {
    std::string whole(items[0].text);
    ItemList pieces;
    size_t start = 0;
    for (;;) {
      size_t lf = whole.find('\n', start);
      pieces.push_back(std::string_view(whole).substr(start, lf == std::string::npos ? std::string::npos : lf - start),
                       false);
      if (lf == std::string::npos) break;
      start = lf + 1;
    }
    return pieces;
  }
  return items;
}

std::vector<std::string> SplitLines(std::string_view s) {
  std::vector<std::string> lines;
  size_t pos = 0;
  while (pos < s.size()) {
    size_t end = pos;
    while (end < s.size() && !IsLineEnd(s[end])) ++end;
    lines.emplace_back(s.substr(pos, end - pos));
    pos = end;
    if (pos < s.size() && s[pos] == '\r') ++pos;
    if (pos < s.size() && s[pos] == '\n') ++pos;
  }
  return lines;
}

std::string EscapeItemText(std::string_view text) {
  std::string out(text);
  if (!out.empty() && out[0] == ' ') out[0] = static_cast<char>(0xFF);
  for (char& c : out) {
    if (c == ',')
      c = '`';
    else if (c == '\r')
      c = '~';
  }
  return out;
}

std::string UnescapeItemText(std::string_view text) {
  std::string out(text);
  if (!out.empty() && static_cast<unsigned char>(out[0]) == 0xFF) out[0] = ' ';
  for (char& c : out) {
    if (c == '`')
      c = ',';
    else if (c == '~')
      c = '\r';
  }
  return out;
}

bool IsSectionTagText(std::string_view text) {
  for (std::string_view tag : kTags)
    if (EqualsNoCase(text, tag)) return true;
  return false;
}

std::string WriteQuotedItem(std::string_view text) {
  std::string out;
  out.reserve(text.size() + 2);
  out.push_back('"');
  for (char c : text) {
    out.push_back(c);
    if (c == '"') out.push_back('"');
  }
  out.push_back('"');
  return out;
}

std::string WriteTextItem(std::string_view text) {
  bool quote = !text.empty() && (IsBlank(text.front()) || IsBlank(text.back()) || text.front() == '"');
  for (char c : text)
    if (c == ',' || c == '"' || IsLineEnd(c)) quote = true;
  if (!quote && IsSectionTagText(text)) quote = true;
  return quote ? WriteQuotedItem(text) : std::string(text);
}

bool ReadNumber(const TextItem& item, double& target) { return AssignNumber(PrefixValue(item), target); }
bool ReadNumber(const TextItem& item, float& target) { return AssignNumber(PrefixValue(item), target); }
bool ReadNumber(const TextItem& item, int16_t& target) { return AssignNumber(PrefixValue(item), target); }
bool ReadNumber(const TextItem& item, int32_t& target) { return AssignNumber(PrefixValue(item), target); }

bool ReadStrictNumber(const TextItem& item, float& target) {
  double v = 0;
  return ParseWholeNumber(item.text, &v) && AssignNumber(v, target);
}

bool ReadStrictNumber(const TextItem& item, int16_t& target) {
  double v = 0;
  return ParseWholeNumber(item.text, &v) && AssignNumber(v, target);
}

bool ReadFlag(const TextItem& item, bool& target) {
  if (EqualsNoCase(item.text, "true")) {
    target = true;
    return true;
  }
  if (EqualsNoCase(item.text, "false")) {
    target = false;
    return true;
  }
  double v = 0;
  if (!ParseWholeNumber(item.text, &v) || std::isnan(v)) return false;
  target = v != 0;
  return true;
}

std::string FlagText(bool v) { return v ? "True" : "False"; }

std::string GetFolderPart(std::string_view path) {
  size_t slash = path.rfind('/');
  if (slash == std::string_view::npos) return {};
  return std::string(path.substr(0, slash + 1));
}

std::string GetFileNamePart(std::string_view path) {
  size_t slash = path.rfind('/');
  if (slash == std::string_view::npos) return std::string(path);
  return std::string(path.substr(slash + 1));
}

std::optional<std::string> ResolveRelativePath(std::string_view base, std::string_view target) {
  if (!target.empty() && target.front() == '/') return std::string(target);
  if (target.empty() || base.empty() || base.front() != '/') return std::nullopt;
  std::string folder(base);
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  for (;;) {
    if (target.substr(0, 2) == "./") {
      target.remove_prefix(2);
    } else if (target == "..") {
      return std::nullopt;  // names a folder, not a file
    } else if (target.substr(0, 3) == "../") {
      if (folder == "/") return std::nullopt;
      size_t slash = folder.rfind('/');
      folder.erase(slash == 0 ? 1 : slash);
      target.remove_prefix(3);
    } else {
      break;
    }
  }
  if (target.empty()) return std::nullopt;
  if (folder.back() != '/') folder.push_back('/');
  return folder + std::string(target);
}

std::optional<std::string> MakeAbsolutePath(std::string_view path, std::string_view base) {
  return ResolveRelativePath(base, path);
}

std::string RelativeSituationPath(const std::string& folder, const std::string& chosen) {
  if (folder.empty() || folder.front() != '/' || chosen.empty() || chosen.front() != '/') {
    return chosen;
  }
  auto split = [](std::string_view p) {
    std::vector<std::string> parts;
    size_t i = 0;
    while (i < p.size()) {
      const size_t j = p.find('/', i);
      const size_t end = j == std::string_view::npos ? p.size() : j;
      if (end > i) parts.emplace_back(p.substr(i, end - i));
      if (j == std::string_view::npos) break;
      i = j + 1;
    }
    return parts;
  };
  const std::vector<std::string> base = split(folder);
  std::vector<std::string> target = split(chosen);
  if (target.empty()) return chosen;
  const std::string name = target.back();
  target.pop_back();
  size_t common = 0;
  while (common < base.size() && common < target.size() && base[common] == target[common]) ++common;
  std::string r;
  for (size_t i = common; i < base.size(); ++i) r += "../";
  for (size_t i = common; i < target.size(); ++i) r += target[i] + "/";
  return r + name;
}

bool IsResumeFilePath(std::string_view path) { return path.ends_with(ResumeFileName); }

}  // namespace molvane

#include "files/screensaversettings.h"

#include "files/fileio.h"

namespace molvane {

namespace {
constexpr size_t MaxSettingsBytes = 1 << 20;
}  // namespace

std::string ScreenSaverSettingsText(const ScreenSaverSettings& s) {
  std::string t = s.path + "\r\n" + (s.alwaysUse ? "True" : "False") + "\r\n";
  for (int k = 1; k <= 20; ++k) t += "rffu " + std::to_string(k) + "\r\n";
  return t;
}

bool ParseScreenSaverSettings(const std::string& text, ScreenSaverSettings& out) {
  std::string lines[2];
  size_t pos = 0;
  int n = 0;
  while (n < 2 && pos <= text.size()) {
    size_t end = text.find_first_of("\r\n", pos);
    if (end == std::string::npos) end = text.size();
    lines[n++] = text.substr(pos, end - pos);
    if (end >= text.size()) break;
    pos = end + ((text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ? 2 : 1);
  }
  if (n == 0 || text.empty()) return false;
  out.path = lines[0];
  out.alwaysUse = n < 2 || lines[1] == "True";
  return true;
}

bool ReadScreenSaverSettingsFile(const std::string& path, ScreenSaverSettings& out) {
  std::string text;
  return ReadWholeFile(path, MaxSettingsBytes, text) == ReadFileStatus::Ok && ParseScreenSaverSettings(text, out);
}

}  // namespace molvane

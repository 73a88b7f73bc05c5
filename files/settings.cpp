#include "files/settings.h"

#include "files/fileio.h"
#include "files/textitems.h"

namespace molvane {

namespace {
constexpr size_t kMaxSettingsBytes = 1024 * 1024;
}

std::string SettingsFilePath(const State& s) {
  if (s.dataFolder.empty()) return "molv.dat";
  return s.dataFolder.back() == '/' ? s.dataFolder + "molv.dat" : s.dataFolder + "/molv.dat";
}

void ReadSettingsFile(State& s) {
  std::string bytes;
  if (s.dataFolder.empty() || ReadWholeFile(SettingsFilePath(s), kMaxSettingsBytes, bytes) != ReadFileStatus::Ok)
    return;
  std::vector<std::string> lines = SplitLines(bytes);
  if (lines.empty()) return;
  std::string first = lines[0];
  while (!first.empty() && (first.back() == ' ' || first.back() == '\t')) first.pop_back();
  while (!first.empty() && (first.front() == ' ' || first.front() == '\t')) first.erase(0, 1);
  if (first == "True") s.ArchiveOnSave = true;
  for (size_t i = 1; i <= 4 && i < lines.size(); ++i) s.RecentFiles[i] = lines[i];
}

std::string SettingsFileText(const State& s) {
  std::string out = s.ArchiveOnSave ? "True\r\n" : "False\r\n";
  for (int i = 1; i <= 4; ++i) out += s.RecentFiles[i] + "\r\n";
  for (int i = 24; i >= 1; --i) out += "rffu " + std::to_string(i) + "\r\n";
  return out;
}

bool WriteSettingsFile(const State& s) {
  if (s.ScreenSaverMode || s.dataFolder.empty()) return false;
  if (!EnsureFolder(s.dataFolder)) return false;
  return SaveFileAtomically(SettingsFilePath(s), SettingsFileText(s));
}

bool IsFreeRecentEntry(const std::string& entry) { return entry.empty() || entry.rfind("rffu", 0) == 0; }

void UpdateRecentFiles(State& s) {
  int p = 5;
  for (int i = 1; i <= 4; ++i)
    if (s.RecentFiles[i] == s.isitname) p = i;
  for (int i = p; i >= 2; --i) s.RecentFiles[i] = s.RecentFiles[i - 1];
  s.RecentFiles[1] = s.isitname;
}

}  // namespace molvane

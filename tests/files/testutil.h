// Shared helpers of the file tests: a temporary folder, file access and a
// recording fake of the window host.
#pragma once

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "engine/host.h"
#include "engine/state.h"
#include "files/fileshost.h"
#include "tests/support/nullhosts.h"

namespace molvane::testing {

inline std::string DataPath(const std::string& name) { return std::string(MOLVANE_FILES_TEST_DATA) + "/" + name; }

inline std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

inline void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
}

inline bool Exists(const std::string& path) {
  struct stat st {};
  return stat(path.c_str(), &st) == 0;
}

inline bool EnsureFolderForTest(const std::string& folder) {
  return mkdir(folder.c_str(), 0755) == 0 || Exists(folder);
}

inline int FileCount(const std::string& folder) {
  int n = 0;
  if (DIR* d = opendir(folder.c_str())) {
    while (dirent* e = readdir(d))
      if (std::string(e->d_name) != "." && std::string(e->d_name) != "..") ++n;
    closedir(d);
  }
  return n;
}

class TempFolder {
 public:
  TempFolder() {
    char tmpl[] = "/tmp/molvane-files Übung 月-XXXXXX";  // folder names are bytes, not Latin-1
    path_ = mkdtemp(tmpl);
  }
  ~TempFolder() {
    std::string cmd = "chmod -R u+w '" + path_ + "' 2>/dev/null; rm -rf '" + path_ + "'";
    if (std::system(cmd.c_str()) != 0) {
    }
  }
  const std::string& path() const { return path_; }
  std::string operator/(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

// Records every call, answers the read-only question as told.
class FakeFilesHost : public NullFilesHost {
 public:
  std::vector<std::string> calls;
  std::vector<std::string> messages;
  std::vector<std::string> questions;
  bool answer = false;

  void message(const std::string& t) override { messages.push_back(t); }
  bool askYesNo(const std::string& t) override {
    questions.push_back(t);
    return answer;
  }
  void closeDistanceBox(int k) override { calls.push_back("closeDistanceBox " + std::to_string(k)); }
  void closeOrbitBox(int k) override { calls.push_back("closeOrbitBox " + std::to_string(k)); }
  void closeThrustPanel(int k) override { calls.push_back("closeThrustPanel " + std::to_string(k)); }
  void closeDashboard(int k) override { calls.push_back("closeDashboard " + std::to_string(k)); }
  void openDistanceBox(int k) override { calls.push_back("openDistanceBox " + std::to_string(k)); }
  void openOrbitBox(int k) override { calls.push_back("openOrbitBox " + std::to_string(k)); }
  void openThrustPanel(int k) override { calls.push_back("openThrustPanel " + std::to_string(k)); }
  void openDashboard(int k) override { calls.push_back("openDashboard " + std::to_string(k)); }
  void setCaptionLabel(int k) override { calls.push_back("setCaptionLabel " + std::to_string(k)); }
  void setMainWindow() override { calls.push_back("setMainWindow"); }
  void setMainCaption(const std::string& t) override { calls.push_back("setMainCaption " + t); }
  void UpdateScreenScale() override { calls.push_back("updateScreenScale"); }
  void setAnchorButton(const std::string& c) override { calls.push_back("setAnchorButton " + c); }
  void showBodyLabels() override { calls.push_back("showBodyLabels"); }
  void showDateTime(const std::string& t) override { calls.push_back("showDateTime " + t); }
};

class FakeEngineHost : public NullEngineHost {
 public:
  std::vector<std::string> calls;
  void rebuildObjectLabels() override { calls.push_back("rebuildObjectLabels"); }
  void refreshObjectLists() override { calls.push_back("refreshObjectLists"); }
  void selectFocusInList() override { calls.push_back("selectFocusInList"); }
};

}  // namespace molvane::testing

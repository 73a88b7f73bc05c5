#include "files/orbitexport.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <vector>

#include "engine/bodies.h"
#include "engine/numtext.h"
#include "engine/orbits.h"
#include "files/fileio.h"
#include "files/situationfile.h"

namespace molvane {

namespace {

bool HasMolvExtension(const std::string& name) {
  if (name.size() <= 5) return false;
  std::string tail = name.substr(name.size() - 5);
  for (char& c : tail)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return tail == ".molv";
}

bool IsRegularFile(const std::string& path) {
  struct stat st {};
  return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

}  // namespace

std::string OrbitExportLine(State& s) {
  std::string out = ShortText(s.SecondsElapsed / GregorianYearSeconds) + ",";
  const int n = BodyCount(s);
  int k = 0;  // carried over to a body whose reference names no body
  for (int i = 1; i <= n; ++i) {
    int found = BodyOfName(s, s.objrefindex[i], s.objref[i]);  // the one it holds, of equal names
    if (found > 0) k = found;
    bool hasRef = k > 0 && k != i;
    // Failed quantities keep their old value: start from 0, not from the
    // previous file's numbers.
    s.objsma[i] = s.objecc[i] = s.objinc[i] = s.objper[i] = s.objasc[i] = s.objma[i] = 0;
    if (hasRef) ComputeOrbitalElements(s, i, k);
    AppendOrbitalDataFields(out, s, i, hasRef);
    if (i < n) out += ", ,";
  }
  out += "\r\n";
  return out;
}

OrbitExportResult ExportOrbitTable(State& s, FilesHost& files, EngineHost& engine, const std::string& folderIn) {
  OrbitExportResult r;
  std::string folder = AbsoluteSituationPath(s, folderIn).value_or(std::string());
  if (!folder.empty() && folder.back() != '/') folder.push_back('/');
  DIR* dir = folder.empty() ? nullptr : opendir(folder.c_str());
  if (!dir) {
    files.message(folderIn + " not found");
    r.written = false;
    return r;
  }
  std::vector<std::string> names;
  while (dirent* e = readdir(dir)) {
    std::string name = e->d_name;
    if (HasMolvExtension(name) && IsRegularFile(folder + name)) names.push_back(std::move(name));
  }
  closedir(dir);
  std::sort(names.begin(), names.end());
  if (names.size() > static_cast<size_t>(MaxOrbitExportFiles)) {
    r.leftOut = static_cast<int>(names.size()) - MaxOrbitExportFiles;
    names.resize(MaxOrbitExportFiles);
    files.message(folder + " holds more than 1000 situation files; the first 1000 were exported");
  }

  std::string lines;
  for (const std::string& name : names) {
    if (!OpenSituationFile(s, files, engine, folder + name)) {
      ++r.failed;
      continue;
    }
    lines += OrbitExportLine(s);
    ++r.exported;
  }
  if (!lines.empty() && !AppendToFile(folder + "test.txt", lines)) {
    files.message("Could not write " + folder + "test.txt");
    r.written = false;
  }
  return r;
}

}  // namespace molvane

#include "files/situationfile.h"

#include <algorithm>
#include <cstdio>

#include "engine/bodies.h"
#include "engine/calendar.h"
#include "engine/numtext.h"
#include "engine/orbits.h"
#include "files/fileio.h"
#include "files/situation.h"
#include "files/textitems.h"
#include "files/valuelist.h"

namespace molvane {

namespace {

bool EndsWithNoCase(std::string_view s, std::string_view tail) {
  if (s.size() < tail.size()) return false;
  for (size_t i = 0; i < tail.size(); ++i) {
    char a = s[s.size() - tail.size() + i], b = tail[i];
    if (a >= 'A' && a <= 'Z') a = static_cast<char>(a - 'A' + 'a');
    if (a != b) return false;
  }
  return true;
}

std::string JoinFolder(const std::string& folder, const std::string& name) {
  if (folder.empty()) return name;
  return folder.back() == '/' ? folder + name : folder + "/" + name;
}

bool IsAbsolute(const std::string& p) { return !p.empty() && p.front() == '/'; }

// The situation path less its ".molv", in absolute form.
std::string SituationStem(const State& s) {
  std::string name = s.isitname;
  if (name.empty() || name == "New") return JoinFolder(s.dataFolder, "New");
  std::string abs = AbsoluteSituationPath(s, name).value_or(JoinFolder(s.dataFolder, "New"));
  if (EndsWithNoCase(abs, ".molv")) abs.resize(abs.size() - 5);
  return abs;
}

}  // namespace

std::optional<std::string> AbsoluteSituationPath(const State& s, const std::string& path) {
  if (IsAbsolute(path)) return path;
  const std::string& base = IsAbsolute(s.CurrentFolder) ? s.CurrentFolder : s.dataFolder;
  return MakeAbsolutePath(path, base);
}

bool OpenSituationFile(State& s, FilesHost& files, EngineHost& engine, const std::string& path) {
  std::optional<std::string> abs = AbsoluteSituationPath(s, path);
  if (!abs) {
    files.message(path + " not found");
    s.OpenSucceeded = false;
    return false;
  }
  std::string bytes;
  switch (ReadWholeFile(*abs, MaxSituationFileBytes, bytes)) {
    case ReadFileStatus::Ok: break;
    case ReadFileStatus::NotFound:
      files.message(*abs + " not found");
      s.OpenSucceeded = false;
      return false;
    case ReadFileStatus::TooLarge: files.message(*abs + " is larger than 16 MiB and was not opened"); return false;
    case ReadFileStatus::Failed: files.message(*abs + " could not be read"); return false;
  }
  ReadResult r = ReadSituation(bytes, s);
  switch (r.status) {
    case ReadStatus::Ok: break;
    case ReadStatus::ValueList: return OpenValueListSituation(s, files, engine, SplitItems(bytes), *abs);
    case ReadStatus::NotSituation: files.message(*abs + " is not a Molvane situation file"); return false;
    case ReadStatus::Damaged: files.message(*abs + " is damaged or incomplete"); return false;
  }
  ApplySituation(s, files, engine, r.doc, *abs);
  if (r.dropped.any())
    files.message(*abs + " holds more than Molvane can keep; left out: " + DescribeDropped(r.dropped));
  return true;
}

bool WriteSituationFile(State& s, SaveHost& files, const std::string& path) {
  std::optional<std::string> abs = AbsoluteSituationPath(s, path);
  if (!abs) {
    files.message("Could not save " + path);
    return false;
  }
  if (IsReadOnlyFile(*abs)) {
    if (!files.askYesNo(*abs +
                        " is a Read Only file.\nWould you like to change it's attributes so it may be overwritten?"))
      return false;
    if (!MakeWritable(*abs)) {
      files.message(*abs + " could not be made writable; nothing was saved");
      return false;
    }
  }
  // A save that failed moves nothing: the next relative path still means
  // the folder of before.
  if (!SaveFileAtomically(*abs, WriteSituation(DocumentFromState(s)))) {
    files.message("Could not save " + *abs);
    return false;
  }
  s.CurrentFolder = GetFolderPart(*abs);
  return true;
}

std::string ResumeFilePath(const State& s) { return JoinFolder(s.dataFolder, std::string(ResumeFileName)); }

std::string AutoSaveFileName(const State& s) {
  return SituationStem(s) + " ~ " + MakeFileDateText(FormatDateTimeText(s.SecondsElapsed)) + ".molv";
}

std::string DataLogFileName(const State& s) { return SituationStem(s) + ".txt"; }

void AppendOrbitalDataFields(std::string& out, const State& s, int i, bool hasRef) {
  const double ts = s.timescale > 0 ? s.timescale : 1.0;
  out += s.objname[i];
  for (double v : {s.objsma[i], s.objecc[i], s.objinc[i], s.objper[i], s.objasc[i], s.objma[i]}) {
    out += ',';
    out += ShortText(hasRef ? v : 0.0);
  }
  for (double v : {s.objx[i], s.objy[i], s.objz[i], s.objvx[i] / ts, s.objvy[i] / ts, s.objvz[i] / ts}) {
    out += ',';
    out += ShortText(v);
  }
}

std::string ArchiveRecord(State& s) {
  std::string out = MakeFileDateText(FormatDateTimeText(s.SecondsElapsed)) + ",";
  const int n = BodyCount(s);
  for (int i = 1; i <= n; ++i) {
    int k = BodyOfName(s, s.objrefindex[i], s.objref[i]);  // the one it holds, of equal names
    bool hasRef = k > 0 && k != i;
    if (hasRef) ComputeOrbitalElements(s, i, k);
    AppendOrbitalDataFields(out, s, i, hasRef);
    if (i < n) out += ", ,";
  }
  out += "\r\n";  // also without bodies, so the next record starts a line
  return out;
}

namespace {

// Holds back the writer's messages, and asks its read-only question once
// per run and folder: the answer given there stands for every later copy.
class AutoSaveWriter : public SaveHost {
 public:
  AutoSaveWriter(SaveHost& to, State& s, std::string folder) : to_(to), s_(s), folder_(std::move(folder)) {}
  void message(const std::string& text) override { held.push_back(text); }
  bool askYesNo(const std::string& text) override {
    for (const auto& [folder, yes] : s_.autoSaveReadOnlyAnswers) {
      if (folder == folder_) return yes;
    }
    const bool yes = to_.askYesNo(text);
    s_.autoSaveReadOnlyAnswers.emplace_back(folder_, yes);
    return yes;
  }
  std::vector<std::string> held;

 private:
  SaveHost& to_;
  State& s_;
  std::string folder_;
};

// Whether `folder` is told of now: the first failure there in this run.
bool FirstIn(std::vector<std::string>& told, const std::string& folder) {
  if (std::find(told.begin(), told.end(), folder) != told.end()) return false;
  told.push_back(folder);
  return true;
}

}  // namespace

bool WriteAutoSave(State& s, FilesHost& files) {
  std::string name = AutoSaveFileName(s);
  if (s.isitname.empty() || s.isitname == "New") EnsureFolder(s.dataFolder);
  // A folder that refuses the copies or the records would otherwise stop
  // the run with a message at every copy: the first failure of each there
  // is told, once per run.
  const std::string folder = GetFolderPart(name);
  AutoSaveWriter writer(files, s, folder);
  bool ok = WriteSituationFile(s, writer, name);
  std::string told;
  if (!writer.held.empty() && FirstIn(s.autoSaveFailureFolders, folder)) {
    told = writer.held.front() + "\nFurther auto-save copies that fail in " + folder + " are not reported.";
  }
  if (s.autoSave.dataFile) {
    const std::string log = DataLogFileName(s);
    if (!AppendToFile(log, ArchiveRecord(s))) {
      ok = false;
      if (FirstIn(s.dataLogFailureFolders, GetFolderPart(log))) {
        if (!told.empty()) told += "\n\n";
        told += "Could not add the orbital data record to " + log +
                "; the file is as it was.\nFurther records that fail in " + GetFolderPart(log) + " are not reported.";
      }
    }
  }
  if (!told.empty()) files.message(told);
  return ok;
}

std::string DialogInitialName(const State& s) {
  return IsResumeFilePath(s.isitname) ? s.OriginalSituationName : s.isitname;
}

std::string WithSituationExtension(const std::string& path) {
  const std::string name = GetFileNamePart(path);
  if (name.empty() || name.find('.') != std::string::npos) return path;
  return path + ".molv";
}

std::string ArchiveFileName(const State& s) {
  const std::string& name = s.isitname;
  const std::string stem = name.size() >= 4 ? name.substr(0, name.size() - 4) : std::string();
  return stem + " ~ " + MakeFileDateText(FormatDateTimeText(s.SecondsElapsed)) + ".molv";
}

std::string AutoSaveEntriesProblem(const std::string& interval, double unitSeconds, const std::string& maxSaves) {
  double seconds = 0;
  float kept = 0;
  if (!ReadTypedNumber(interval, unitSeconds, seconds) || seconds < 0 || !AssignNumber(seconds, kept)) {
    return "Save every must be a number from 0 to 3.4E+38 seconds.";
  }
  return TypedCountProblem("Maximum saves", maxSaves);
}

AutoSaveSettings AutoSaveFromEntries(const AutoSaveSettings& old, bool enabled, const std::string& interval,
                                     double unitSeconds, const std::string& maxSaves, bool dataFile) {
  AutoSaveSettings a = old;
  a.savesMade = 0;
  a.nextTime = 0;
  float seconds = 0;
  if (!AssignNumber(ParseNumberPrefix(interval) * unitSeconds, seconds)) seconds = 0;
  a.interval = seconds;
  a.maxSaves = WholeFromText(maxSaves, 0);
  a.enabled = enabled && a.interval >= 1;
  a.dataFile = dataFile;
  return a;
}

void ConsoleSaveHost::message(const std::string& text) { std::fprintf(stderr, "%s\n", text.c_str()); }

bool ConsoleSaveHost::askYesNo(const std::string& text) {
  message(text);
  return false;
}

}  // namespace molvane

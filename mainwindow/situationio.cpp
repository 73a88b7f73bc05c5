#include "mainwindow/situationio.h"

#include "files/settings.h"
#include "files/situationfile.h"

namespace molvane {

bool OpenSituation(State& s, FilesHost& files, EngineHost& engine, const std::string& path) {
  return OpenSituationFile(s, files, engine, path);
}

bool SaveSituation(State& s, FilesHost& files, const std::string& path) { return WriteSituationFile(s, files, path); }

void ReadProgramSettings(State& s, const std::string& dataFolder) {
  s.dataFolder = dataFolder;
  ReadSettingsFile(s);
}

void WriteTimedCopy(State& s, FilesHost& files) { WriteAutoSave(s, files); }

}  // namespace molvane

// The main window's one door to the situation files and settings: every
// open, save, resume and timed copy of the window goes through here.
#pragma once

#include <string>

#include "engine/host.h"
#include "engine/state.h"
#include "files/fileshost.h"

namespace molvane {

// Opens the situation at `path` (absolute) into the tables and windows.
// False when nothing was loaded (the opener has shown its message).
bool OpenSituation(State& s, FilesHost& files, EngineHost& engine, const std::string& path);
// Writes the whole situation to `path` safely (a failed write keeps the
// old file). False on failure.
bool SaveSituation(State& s, FilesHost& files, const std::string& path);
// Reads the settings file of the per-user data folder.
void ReadProgramSettings(State& s, const std::string& dataFolder);
// The timed auto-save copy (and data log record) that the loop found due.
void WriteTimedCopy(State& s, FilesHost& files);

}  // namespace molvane

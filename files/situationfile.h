// Opening and saving situation files, the resume file, the timed auto-save
// copies and the orbital data log.
//
// Paths: a relative path is made absolute against State::CurrentFolder (or,
// while that is not absolute, State::dataFolder) when it enters here; the
// process's current directory is never used or changed.
#pragma once

#include <optional>
#include <string>

#include "engine/host.h"
#include "engine/state.h"
#include "files/fileshost.h"

namespace molvane {

// The absolute form of a situation path given by the user or a file.
std::optional<std::string> AbsoluteSituationPath(const State& s, const std::string& path);

// Loads a situation. The file is read and checked whole before anything
// changes; a file that is missing, too large, not a situation file or
// damaged is reported through `files` and leaves every table, window and
// `isitname` as it was. Sets OpenSucceeded false for a missing file.
// Returns whether the situation was loaded.
bool OpenSituationFile(State& s, FilesHost& files, EngineHost& engine, const std::string& path);

// Saves the whole situation to `path` safely (temporary file and rename).
// A read-only target asks first; No writes nothing. A failure leaves the
// old file as it was, says "Could not save <path>" and changes nothing
// else. A save that succeeds makes the file's folder CurrentFolder.
bool WriteSituationFile(State& s, SaveHost& files, const std::string& path);

// The writer's host of a program without windows: messages go to standard
// error, and a read-only file is not made writable.
class ConsoleSaveHost : public SaveHost {
 public:
  void message(const std::string& text) override;
  bool askYesNo(const std::string& text) override;
};

// "resume.molv" in the data folder: written at exit, read at start. Whether
// a name is that file: IsResumeFilePath (textitems.h).
std::string ResumeFilePath(const State& s);

// The timed copy's name: the situation path less ".molv", " ~ ", the file
// date text of the clock, ".molv". A situation without a ".molv" path of
// its own ("New") is copied into the data folder.
std::string AutoSaveFileName(const State& s);
// The orbital data log beside the situation: its path with ".txt".
std::string DataLogFileName(const State& s);
// One data-log record: the file date text and ",", then for each body its
// name, orbital elements about its reference (recomputed here; 0 without a
// reference body), position and velocity per second, bodies separated by
// ", ,", ended by CR LF.
std::string ArchiveRecord(State& s);
// One body's thirteen fields of an orbital data line: name, the elements
// (0 without a reference), position in metres and velocity in m/s.
void AppendOrbitalDataFields(std::string& out, const State& s, int i, bool hasRef);

// The name the dialogs propose: the situation the resume file stands for
// while the resume file is current, else the current file.
std::string DialogInitialName(const State& s);

// A name chosen in the save dialog without an extension gets ".molv".
std::string WithSituationExtension(const std::string& path);

// "<isitname less its last four characters> ~ <file date text>.molv".
std::string ArchiveFileName(const State& s);

// What the main window's EngineHost::writeAutoSave() calls when a copy is
// due: writes the copy and, when the data file option is on, appends the
// record. The caller has done the due check and keeps the counters. A
// copy that fails is reported once per run and folder.
bool WriteAutoSave(State& s, FilesHost& files);

// Why OK cannot take the dialog's entries: an interval that is negative or
// no number a 32-bit float holds in seconds, a negative or endless count.
// The message names the box; empty when OK can take them.
std::string AutoSaveEntriesProblem(const std::string& interval, double unitSeconds, const std::string& maxSaves);

// The auto-save settings that OK gives for the dialog's entries (unit
// factor in seconds); savesMade and nextTime start again at 0.
AutoSaveSettings AutoSaveFromEntries(const AutoSaveSettings& old, bool enabled, const std::string& interval,
                                     double unitSeconds, const std::string& maxSaves, bool dataFile);

}  // namespace molvane

// The keyed situation file: an older form in which every value follows a
// line naming it ("focusobj", then its value), so values are found by name.
// No menu reaches it; these are library functions only.
#pragma once

#include <string>
#include <string_view>

#include "engine/host.h"
#include "engine/state.h"
#include "files/fileshost.h"

namespace molvane {

// The file's bytes (Latin-1, CR LF) for the current tables. A text value
// that the reader would otherwise take for a key, or change, is quoted.
std::string WriteKeyedSituation(const State& s);
// Writes them safely (temporary file and rename); false on failure, the old
// file then stays as it was.
bool WriteKeyedSituationFile(const State& s, const std::string& path);

enum class KeyedStatus {
  Ok,
  NotFound,      // the file is missing or could not be read
  NotKeyed,      // no "intro" key with the value "mOLVANE"
  Damaged,       // time step <= 0, autopilot entries cut short
  BadBodyCount,  // "objects" outside 0..1000
};

// Reads a keyed file into the tables and windows. Every occurrence of a key
// counts, the last one wins; a missing key leaves its target as it was. The
// whole file is checked first: anything but Ok changes nothing. A number
// that is not finite or does not fit its field leaves the field; indices
// outside the bodies become 0; at most 1000 autopilot entries are kept.
KeyedStatus ReadKeyedSituation(State& s, FilesHost& files, EngineHost& engine, std::string_view bytes);
// The same from a file; failures are reported through `files`.
KeyedStatus ReadKeyedSituationFile(State& s, FilesHost& files, EngineHost& engine, const std::string& path);

}  // namespace molvane

// Batch export of orbital data: every situation file of one folder is
// loaded in turn, and one line per file is appended to "test.txt" in that
// folder. No menu reaches it; it is a library function only.
#pragma once

#include <string>

#include "engine/host.h"
#include "engine/state.h"
#include "files/fileshost.h"

namespace molvane {

constexpr int MaxOrbitExportFiles = 1000;
constexpr double GregorianYearSeconds = 31556952.0;  // 365.2425 days

struct OrbitExportResult {
  int exported = 0;     // lines written
  int failed = 0;       // files that did not load (each reported by the opener)
  int leftOut = 0;      // files beyond the first 1000
  bool written = true;  // false when the output could not be written
};

// The line for the situation now loaded: the elapsed years and ",", then
// for each body 1..objects its name and twelve ","-led numbers (semi-major
// axis km, eccentricity, inclination, argument of periapsis, ascending node,
// mean anomaly in degrees, position m, velocity m/s), bodies joined by
// ", ,", ended by CR LF (also without bodies). Each body's elements are
// computed about the last body named as its reference, or, when none is,
// about the reference of the body before it; without any reference, or about
// itself, they are 0.
std::string OrbitExportLine(State& s);

// Loads each "*.molv" file of `folder` (in name order, at most 1000; the
// letter case of the extension is free) and appends its line to
// `folder`/test.txt. The last file loaded stays the current situation.
OrbitExportResult ExportOrbitTable(State& s, FilesHost& files, EngineHost& engine, const std::string& folder);

}  // namespace molvane

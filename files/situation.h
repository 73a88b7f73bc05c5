// The situation file ("<MoLVANE>" tag format) as a plain document: reading
// is bytes -> document, writing is document -> bytes, and two more functions
// move a document out of and into the program-wide tables. Each section of
// the file does its part of all four in a file of its own under
// files/situation/.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/host.h"
#include "engine/state.h"
#include "files/fileshost.h"
#include "files/textitems.h"

namespace molvane {

// Largest situation file that is read at all.
constexpr size_t MaxSituationFileBytes = 16u * 1024u * 1024u;

// The body, box, panel, SData and caption records hold one member per line
// of the file. Their section's field table (files/situation/) binds each
// member to its line and to its place in State: a new field is a member
// here, a row there and the State member.

struct BodyRecord {
  std::string name;
  double mass = 0;
  std::string ref;
  int32_t color = 0;
  double size = 0;
  double x = 0, y = 0, z = 0;
  double vx = 0, vy = 0, vz = 0;
  float dirx = 0, diry = 0, dirz = 0;
  bool operator==(const BodyRecord&) const = default;
};

// A distance box (bodyA/bodyB = objecta/objectb) or an orbit box
// (orbitobject/orbitreference).
struct BoxRecord {
  float left = 0, top = 0;  // twips
  std::string list1, list2;
  int16_t bodyA = 0, bodyB = 0;
  bool operator==(const BoxRecord&) const = default;
};

struct ThrustPanelRecord {
  float top = 0, left = 0;  // twips
  std::string text1, text2;
  int16_t cpobject = 0, cpreference = 0;
  bool operator==(const ThrustPanelRecord&) const = default;
};

// A Dashboard window's line pair; a closed window is written "-1" twice.
struct DashboardRecord {
  bool open = false;
  float top = 0, left = 0;  // twips
};

// The SData lines but line 7 (the body count, written from the bodies and
// never read); lines 30 and 31 are passed through.
struct SDataRecord {
  double scalePixel = 0, secondsElapsed = 0, timescale = 1, offsetX = 0, offsetY = 0;
  int16_t focusobj = 0;
  bool menus = true, llabels = false;
  int16_t hscroll = 0, vscroll = 0;
  std::string storedName;  // line 12
  bool rotatingOn = false;
  double rotatingPeriod = 0;
  bool timeForward = true;
  int32_t backColor = 0;
  int16_t windowState = 0;
  float top = 0, left = 0, width = 0, height = 0;
  bool titlebar = true, exaggerate = false;
  int16_t minimumObjectSize = 0, exaggeratedObjectSize = 0;
  bool anchor = true, llabelsAgain = false, trails = true, pplot = true;
  std::string currentFolder;  // line 30
  std::string originalName;   // line 31
  bool autoSaveEnabled = false;
  float autoSaveInterval = 0;
  int16_t savesMade = 0, maxSaves = 0;
  double nextTime = 0;
  bool operator==(const SDataRecord&) const = default;
};

struct CaptionRecord {
  std::string caption;  // unescaped
  std::string fontName;
  float fontSize = 0;
  int32_t foreColor = 0;
  bool bold = false, italic = false, strikethru = false, underline = false;
  float top = 0, left = 0, height = 0, width = 0;
  bool operator==(const CaptionRecord&) const = default;
};

struct SituationDocument {
  std::vector<BoxRecord> distanceBoxes;  // slots 1.. in order
  std::vector<BoxRecord> orbitBoxes;
  SDataRecord sdata;
  bool hasDashboard = true;                                 // "<Command Buttons>" present
  std::array<DashboardRecord, DashboardCount> dashboard{};  // closed: -1, -1
  bool hasCaptions = true;
  std::array<CaptionRecord, MaxCaptions> captions{};  // labels 1..4
  std::vector<ThrustPanelRecord> thrustPanels;
  std::vector<BodyRecord> bodies;           // body 0 first; empty means no bodies
  std::vector<AutopilotCommand> autopilot;  // entries 1..count
  bool operator==(const SituationDocument&) const;
};

// What did not fit the tables and was left out.
struct DroppedRecords {
  int bodies = 0, distanceBoxes = 0, orbitBoxes = 0, thrustPanels = 0, autopilot = 0;
  bool any() const { return bodies || distanceBoxes || orbitBoxes || thrustPanels || autopilot; }
};

enum class ReadStatus {
  Ok,
  NotSituation,  // first item is not "<MoLVANE>" (nor "mOLVANE")
  ValueList,     // first item "mOLVANE": the older value-list form
  Damaged,       // truncated, a list section or record cut short, a time step <= 0
};

struct ReadResult {
  ReadStatus status = ReadStatus::NotSituation;
  SituationDocument doc;
  DroppedRecords dropped;
};

// Reads a tag-format situation file. A value that the file does not give in
// a usable form (not a number, not finite, not fitting its field) keeps the
// value `current` holds, as the load would leave it; new boxes and panels
// start from zero. Numbers are kept as the writer would write them back, so
// that ReadSituation(WriteSituation(doc)).doc == doc for every document it
// returns. Indices outside the bodies read become 0.
ReadResult ReadSituation(std::string_view bytes, const State& current);
ReadResult ReadSituation(const ItemList& items, const State& current);
// The same against the tables as the program starts.
ReadResult ReadSituation(std::string_view bytes);

// The file's bytes (Latin-1, CR LF).
std::string WriteSituation(const SituationDocument& doc);

// The document of the current situation. `currentFolder` is written on the
// line that records the folder at the time of writing.
SituationDocument DocumentFromState(const State& s);

// Puts a read document into the tables and windows in the load order:
// clearing, Objects, Distance Boxes, Orbit Boxes, SData, Command Buttons,
// Captions, Thrust Box, Auto Pilot, then the epilogue. `path` is the
// absolute path that becomes `isitname`.
void ApplySituation(State& s, FilesHost& files, EngineHost& engine, const SituationDocument& doc,
                    const std::string& path);

// Human text of what was dropped, e.g. "1200 bodies, 3 orbit boxes".
std::string DescribeDropped(const DroppedRecords& d);

}  // namespace molvane

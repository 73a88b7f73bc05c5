// The sections of the situation file, one file each in this folder. Every
// section has the same four functions: read its records from the file's
// items into the document, write them as lines, take them from the tables,
// and put them into the tables and windows (the load). files/situation.cpp
// runs them in order; this header holds what they share.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/host.h"
#include "engine/state.h"
#include "files/fileshost.h"
#include "files/situation.h"
#include "files/textitems.h"

namespace molvane::situation {

// ---- Tags

struct SectionTags {
  std::string_view open, close;
};
inline constexpr std::string_view kOpenTag = "<MoLVANE>";
inline constexpr std::string_view kCloseTag = "</MoLVANE>";
inline constexpr SectionTags kDistanceBoxesTags{"<Distance Boxes>", "</Distance Boxes>"};
inline constexpr SectionTags kOrbitBoxesTags{"<Orbit Boxes>", "</Orbit Boxes>"};
inline constexpr SectionTags kSDataTags{"<SData>", "</SData>"};
inline constexpr SectionTags kCommandButtonsTags{"<Command Buttons>", "</Command Buttons>"};
inline constexpr SectionTags kCaptionsTags{"<Captions>", "</captions>"};
inline constexpr SectionTags kThrustBoxTags{"<Thrust Box>", "</Thrust Box>"};
inline constexpr SectionTags kObjectsTags{"<Objects>", "</Objects>"};
inline constexpr SectionTags kAutoPilotTags{"<Auto Pilot>", "</Auto Pilot>"};

// "</MoLVANE>" in any letter case, unquoted.
bool IsEndTag(const TextItem& item);
// An unquoted tag of the file's structure: inside a record it means the
// record was cut short.
bool IsStructureTag(const TextItem& item);

// ---- Reading

// The items of a file as the sections find them.
class SectionItems {
 public:
  static constexpr size_t kMissing = static_cast<size_t>(-1);

  explicit SectionItems(const ItemList& items) : items_(items) {}
  TextItem operator[](size_t i) const { return items_[i]; }
  size_t size() const { return items_.size(); }

  bool HasEndTag() const;
  // Index of the first item after the opening tag, or kMissing.
  size_t Find(std::string_view tag) const;
  // The records of a list section whose first separator stands at `pos`:
  // the index of each record's first item past its separator. A list ends
  // at its closing tag or at the end tag; false when a record is cut short.
  bool RecordsFrom(size_t pos, std::string_view close, int lines, std::vector<size_t>& out) const;
  // The same for a whole section: no records when its tag is absent; at
  // most `limit` records are kept, the rest counted in `dropped`.
  bool ListRecords(const SectionTags& tags, int lines, size_t limit, std::vector<size_t>& out, int& dropped) const;
  // Start of a section read by position: kMissing when its tag is absent,
  // no result when its lines are cut short.
  std::optional<size_t> PositionalSection(std::string_view tag, int lines) const;

 private:
  const ItemList& items_;
};

// Keeps the first `limit` records; counts the rest in `dropped`.
void KeepAtMost(std::vector<size_t>& records, size_t limit, int& dropped);

// The last body of a document: 0 without bodies.
int LastBody(const SituationDocument& d);

// Values as the writer would give them back: a number that the short text
// cannot hold exactly becomes the number that text reads as.
void Canon(double& v);
void Canon(float& v);

// ---- Writing

// One line of the file: the text and CR LF.
void Line(std::string& out, std::string_view text);

// ---- Loading

// What a section's load works on. `path` is the absolute path opened.
struct LoadTarget {
  State& s;
  FilesHost& files;
  EngineHost& engine;
  const std::string& path;
};

// ---- The sections

// A section's four functions. Reading fails (false) on a damaged section;
// values the file does not give in a usable form come from `current`.
struct Section {
  bool (*read)(const SectionItems& in, const State& current, SituationDocument& d, DroppedRecords& dropped);
  void (*write)(std::string& out, const SituationDocument& d);
  void (*fromState)(const State& s, SituationDocument& d);
  void (*apply)(const LoadTarget& to, const SituationDocument& d);
};

extern const Section kObjects;         // objects.cpp: bodies 0 (the floating point) to objects
extern const Section kDistanceBoxes;   // windowslots.cpp: the windows kept in slots 1 to 100
extern const Section kOrbitBoxes;      // windowslots.cpp
extern const Section kThrustBox;       // windowslots.cpp
extern const Section kSData;           // sdata.cpp: the clock, the view and the main window
extern const Section kCommandButtons;  // commandbuttons.cpp: the places of the Dashboard windows
extern const Section kCaptions;        // captions.cpp: the four caption labels
extern const Section kAutoPilot;       // autopilot.cpp: the command list and its arming

}  // namespace molvane::situation

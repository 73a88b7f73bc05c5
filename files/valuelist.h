// The older value-list situation file: items read strictly by position, no
// tags, first item "mOLVANE". Only read, never written.
//
// A file is checked whole before anything changes (layout, body count,
// time step); past that check nothing can fail, so a damaged file changes
// nothing.
#pragma once

#include <string>

#include "engine/host.h"
#include "engine/state.h"
#include "files/fileshost.h"
#include "files/textitems.h"

namespace molvane {

enum class ValueListStatus {
  Ok,
  NotValueList,  // the first item is not "mOLVANE"
  Damaged,       // header or body blocks cut short, body count not a number, time step <= 0
  BadBodyCount,  // a body count outside 0..1000
};

struct ValueListRead {
  ValueListStatus status = ValueListStatus::NotValueList;
  bool longHeader = false;     // items 47..146 were present
  bool orbitBoxShown = false;  // the default orbit box is shown (else closed)
  int droppedAutopilot = 0;    // entries past the 1000th, not kept
};

// Checks and, when the file passes, puts it into the tables and windows.
// `path` is the absolute path being opened; the captions' relative sizes
// are taken against FilesHost::captionReferenceWidth(). Shows no message.
ValueListRead ApplyValueList(State& s, FilesHost& files, EngineHost& engine, const ItemList& items,
                             const std::string& path);

// The same, reporting a refused file through `files` with "<path> is
// damaged or incomplete" (or the body-count message); such a file leaves
// every table, window and `isitname` as it was. Returns whether it loaded.
bool OpenValueListSituation(State& s, FilesHost& files, EngineHost& engine, const ItemList& items,
                            const std::string& path);

}  // namespace molvane

// The settings file "molv.dat" in the data folder: the archive preference
// and the four recent files.
#pragma once

#include <string>

#include "engine/state.h"

namespace molvane {

std::string SettingsFilePath(const State& s);

// Reads line 1 (exactly "True" turns ArchiveOnSave on) and lines 2 to 5
// whole into RecentFiles[1..4]. A missing or unreadable file changes
// nothing.
void ReadSettingsFile(State& s);
// The 29 lines: preference, four recent entries, "rffu 24" .. "rffu 1".
std::string SettingsFileText(const State& s);
// Writes it (creating the data folder); nothing in screen-saver mode.
bool WriteSettingsFile(const State& s);

// An empty entry or one beginning with "rffu" is free.
bool IsFreeRecentEntry(const std::string& entry);
// Puts `isitname` first in RecentFiles[1..4]; the others keep their order
// and the fourth falls off when the name was not listed.
void UpdateRecentFiles(State& s);

}  // namespace molvane

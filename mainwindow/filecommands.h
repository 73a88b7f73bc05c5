// The File menu's commands around the situation opener and writer: the
// names the file dialogs propose and store, and the archive copy.
// The commands themselves are Form1's (filecommands.cpp).
#pragma once

#include <string>

#include "engine/state.h"

namespace molvane {

// The name the dialogs propose: the situation the resume file stands for
// while the resume file is current, else the current file.
std::string DialogInitialName(const State& s);

// A name chosen in the save dialog without an extension gets ".molv".
std::string WithSituationExtension(const std::string& path);

// "<isitname less its last four characters> ~ <file date text>.molv".
std::string ArchiveFileName(const State& s);

}  // namespace molvane

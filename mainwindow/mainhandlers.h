// What the main window's own dialogs and windows ask of it beside
// WindowServices, one narrow part each. Form1 implements them.
#pragma once

#include <cstdint>

#include "mainwindow/toolhooks.h"
#include "ui/instrumentwindows.h"

namespace molvane {

// The windows around the main window, looked up at each use: the program
// installs its own sets after the main window is made.
class WindowSets {
 public:
  virtual ~WindowSets() = default;
  virtual ToolWindows& tools() = 0;
  virtual InstrumentWindows& instruments() = 0;
};

// The caption labels and the body-name labels take the background colour
// (0x00BBGGRR) that Preferences sets.
class LabelBackColour {
 public:
  virtual ~LabelBackColour() = default;
  virtual void setLabelBackColor(int32_t colour) = 0;
};

}  // namespace molvane

// The door through which the main window opens the windows of the body
// editors, instruments, thrust panels and autopilot. Until those windows
// exist the slots still hold their records, so situation files save and
// restore them.
#pragma once

#include <cstdint>

#include "engine/boxslots.h"

namespace molvane {

// The single windows the main window's menus open.
enum class InstrumentWindow {
  ObjEdit,  // edits State::ObjEditTarget
  CreateObjects,
  RotatingPeriod,
  AddCaption,
  AutoPilot,
  OrbitCalculator,
  Spectrum,
  ControlPanel,  // the default thrust panel
  OrbitRefBox1,  // the default orbit box
  BetaBox,       // the default distance box
  RefBox1,
  RefBox2,
};

// What the main window asks of those windows. Every method is pure: a set
// of windows says what it does with each request, if only that none of its
// windows takes it. The windows install theirs with
// Form1::setInstrumentWindows(); until then NoInstrumentWindows answers.
class InstrumentWindows {
 public:
  virtual ~InstrumentWindows() = default;
  // Create (or reuse) and show the window of a slot from State's record of
  // that slot; close it (the slot's flag is cleared by the caller).
  virtual void openBox(BoxKind kind, int slot) = 0;
  virtual void closeBox(BoxKind kind, int slot) = 0;
  virtual void closeDefaultThrustPanel() = 0;
  // Show a window, owned by the main window. With reloadFirst an open
  // instance is closed first (it opens afresh); without, it is only
  // brought forward.
  virtual void show(InstrumentWindow w, bool reloadFirst) = 0;
  // Reference boxes 1 and 2: whether they are shown now, and closing.
  virtual bool isShown(InstrumentWindow w) const = 0;
  virtual void close(InstrumentWindow w) = 0;

  // Once per drawing while plotting is on: what the open boxes' readouts
  // keep step by step, no widget touched.
  virtual void stepReadouts() = 0;
  // The latest step's readouts into the boxes that can be seen: at most once
  // a display frame while the loop runs, and when it stops.
  virtual void showReadouts() = 0;
  // Both at once, as a drawing outside the running loop shows them.
  void plotReadouts() {
    stepReadouts();
    showReadouts();
  }
  // The set of bodies or their names changed: refill every body list.
  virtual void refreshObjectLists() = 0;
  // A merge took a body out of the table; the refresh follows the merge.
  virtual void bodyLeftTable() = 0;
  // The autopilot list may have been replaced (a situation opened, New).
  virtual void autopilotListReplaced() = 0;
  // Once per timer event for a reference box whose flag is set.
  virtual void showReferenceBox(int which) = 0;
  // One point of the relative-speed spectrum.
  virtual void spectrumPoint(int16_t x, double value) = 0;
  // Windows that are never open at start (reference boxes, autopilot,
  // default thrust panel).
  virtual void closeStartupWindows() = 0;
};

// A main window without instrument windows (before the windows install
// theirs, or where a program has none): nothing to open, show or refresh.
// Test fakes derive from it and override what they look at.
class NoInstrumentWindows : public InstrumentWindows {
 public:
  void openBox(BoxKind, int) override {}
  void closeBox(BoxKind, int) override {}
  void closeDefaultThrustPanel() override {}
  void show(InstrumentWindow, bool) override {}
  bool isShown(InstrumentWindow) const override { return false; }
  void close(InstrumentWindow) override {}
  void stepReadouts() override {}
  void showReadouts() override {}
  void refreshObjectLists() override {}
  void bodyLeftTable() override {}
  void autopilotListReplaced() override {}
  void showReferenceBox(int) override {}
  void spectrumPoint(int16_t, double) override {}
  void closeStartupWindows() override {}
};

}  // namespace molvane

// The numbered slots of the windows that can be open many times at once
// (distance boxes, orbit boxes, thrust panels) and the door through which
// the main window opens the windows of the body editors, instruments,
// thrust panels and autopilot. Until those windows exist the slots still
// hold their records, so situation files save and restore them.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "engine/state.h"

namespace molvane {

class Form1;

enum class BoxKind { Distance, Orbit, Thrust };

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

// What the main window asks of those windows. The defaults do nothing; the
// windows install a fuller set with Form1::setInstrumentWindows().
class InstrumentWindows {
 public:
  virtual ~InstrumentWindows() = default;
  // Create (or reuse) and show the window of a slot from State's record of
  // that slot; close it (the slot's flag is cleared by the caller).
  virtual void openBox(BoxKind /*kind*/, int /*slot*/) {}
  virtual void closeBox(BoxKind /*kind*/, int /*slot*/) {}
  virtual void closeDefaultThrustPanel() {}
  // Show a window, owned by the main window. With reloadFirst an open
  // instance is closed first (it opens afresh); without, it is only
  // brought forward.
  virtual void show(InstrumentWindow /*w*/, bool /*reloadFirst*/) {}
  // Reference boxes 1 and 2: whether they are shown now, and closing.
  virtual bool isShown(InstrumentWindow /*w*/) const { return false; }
  virtual void close(InstrumentWindow /*w*/) {}

  // Once per drawing while plotting is on: the open boxes' readouts.
  virtual void plotReadouts() {}
  // The set of bodies or their names changed: refill every body list.
  virtual void refreshObjectLists() {}
  // A merge took a body out of the table; the refresh follows the merge.
  virtual void bodyLeftTable() {}
  // The autopilot list may have been replaced (a situation opened, New).
  virtual void autopilotListReplaced() {}
  // Once per timer event for a reference box whose flag is set.
  virtual void showReferenceBox(int /*which*/) {}
  // One point of the relative-speed spectrum.
  virtual void spectrumPoint(int16_t /*x*/, double /*value*/) {}
  // Windows that are never open at start (reference boxes, autopilot,
  // default thrust panel).
  virtual void closeStartupWindows() {}
};

// The View menu's three "Add" items and the closing of a slot's window.
class BoxSlots {
 public:
  explicit BoxSlots(Form1& form) : form_(form) {}
  // A new box or panel in the lowest free slot; 0 (and a message) when all
  // 100 are in use. `fill` sets the fresh slot's record before it opens.
  int addBox(BoxKind kind, const std::function<void(int slot)>& fill = {});
  // Closes the window of an in-use slot and frees the slot.
  void closeBoxWindow(BoxKind kind, int slot);

 private:
  Form1& form_;
};

// Whether slot 1..100 of a kind is in use (anything else: false).
bool BoxSlotInUse(const State& s, BoxKind kind, int slot);
// Takes the lowest free slot 1..100 with a fresh record and marks it in
// use. 0 when every slot is taken (nothing changes).
int TakeBoxSlot(State& s, BoxKind kind);
// A box's window has closed: its slot is free again. Out of range: nothing.
void ReleaseBoxSlot(State& s, BoxKind kind, int slot);
// The message shown when all slots of a kind are taken.
std::string AllSlotsTakenText(BoxKind kind);

// The record of a new orbit box that shows body k about its reference, as
// the body label's "Display Orbital Elements" fills it: the body list shows
// the body's name, the reference list the reference's name (empty when no
// body bears it, "Floating" for the floating point).
void FillOrbitBoxFor(State& s, int slot, int k);

}  // namespace molvane

// The slot tables of the multi-instance windows, the View menu's three
// "Add" items and the popup menu of a body's name label.
#include "mainwindow/boxslots.h"

#include <QMenu>

#include "engine/bodies.h"
#include "mainwindow/form1.h"
#include "mainwindow/menus.h"

namespace molvane {

namespace {

bool InRange(int slot) { return slot >= 1 && slot <= MaxSlots; }

}  // namespace

bool BoxSlotInUse(const State& s, BoxKind kind, int slot) {
  if (!InRange(slot)) return false;
  switch (kind) {
    case BoxKind::Distance: return s.distanceBoxes[slot].inUse;
    case BoxKind::Orbit: return s.orbitBoxes[slot].inUse;
    case BoxKind::Thrust: return s.thrustPanels[slot].inUse;
  }
  return false;
}

int TakeBoxSlot(State& s, BoxKind kind) {
  for (int slot = 1; slot <= MaxSlots; ++slot) {
    if (BoxSlotInUse(s, kind, slot)) continue;
    // A window opened afresh starts from its defaults, whatever the slot's
    // earlier window held.
    switch (kind) {
      case BoxKind::Distance: s.distanceBoxes[slot] = BoxSlot{}; break;
      case BoxKind::Orbit: s.orbitBoxes[slot] = BoxSlot{}; break;
      case BoxKind::Thrust: s.thrustPanels[slot] = ThrustPanelSlot{}; break;
    }
    switch (kind) {
      case BoxKind::Distance: s.distanceBoxes[slot].inUse = true; break;
      case BoxKind::Orbit: s.orbitBoxes[slot].inUse = true; break;
      case BoxKind::Thrust: s.thrustPanels[slot].inUse = true; break;
    }
    return slot;
  }
  return 0;
}

void ReleaseBoxSlot(State& s, BoxKind kind, int slot) {
  if (!InRange(slot)) return;
  switch (kind) {
    case BoxKind::Distance: s.distanceBoxes[slot].inUse = false; break;
    case BoxKind::Orbit: s.orbitBoxes[slot].inUse = false; break;
    case BoxKind::Thrust: s.thrustPanels[slot].inUse = false; break;
  }
}

std::string AllSlotsTakenText(BoxKind kind) {
  switch (kind) {
    case BoxKind::Distance:
      return "All 100 distance and velocity boxes are open. Close one before adding another.";
    case BoxKind::Orbit:
      return "All 100 orbital elements boxes are open. Close one before adding another.";
    case BoxKind::Thrust:
      break;
  }
  return "All 100 thrust boxes are open. Close one before adding another.";
}

void FillOrbitBoxFor(State& s, int slot, int k) {
  if (!InRange(slot) || k < 0 || k > BodyCount(s)) return;
  BoxSlot& box = s.orbitBoxes[slot];
  box.list1 = s.objname[k];
  const std::string& ref = s.objref[k];
  const bool refExists = FindBodyByName(s, ref) != 0 || s.objname[0] == ref;
  box.list2 = refExists ? ref : std::string();
  // What the box's body list does with these texts when it takes them.
  box.bodyA = FindBodyByName(s, box.list1);
  box.bodyB = FindBodyByName(s, box.list2);
}

// ------------------------------------------------------------ main window

void Form1::setInstrumentWindows(std::unique_ptr<InstrumentWindows> w) {
  if (w) instruments_ = std::move(w);
}

int Form1::addBox(BoxKind kind) {
  const int slot = TakeBoxSlot(s_, kind);
  if (slot == 0) {
    message(AllSlotsTakenText(kind));
    return 0;
  }
  instruments_->openBox(kind, slot);
  return slot;
}

void Form1::closeBoxWindow(BoxKind kind, int slot) {
  if (!BoxSlotInUse(s_, kind, slot)) return;
  instruments_->closeBox(kind, slot);
  ReleaseBoxSlot(s_, kind, slot);
}

void Form1::objLabel_MouseUp(int k, Qt::MouseButton button, QPoint globalPos) {
  if (button != Qt::RightButton) return;
  popupObject_ = static_cast<int16_t>(std::clamp(k, 0, MaxBodies));
  HoldBody(s_, popupHeld_, popupObject_);
  tools_->labelPopup(k, globalPos);
  if (menus_ && menus_->popup) menus_->popup->popup(globalPos);
}

// The popup's commands act on the body last right-clicked, wherever it
// stands after deletions, and on nothing once it is gone.
bool Form1::popupObjectValid() {
  popupObject_ = FollowBody(s_, popupHeld_, false);
  return popupObject_ >= 1 && popupObject_ <= BodyCount(s_);
}

void Form1::mnuDisplayOrbitalElements_Click() {
  if (!popupObjectValid()) return;
  const int slot = TakeBoxSlot(s_, BoxKind::Orbit);
  if (slot == 0) {
    message(AllSlotsTakenText(BoxKind::Orbit));
    return;
  }
  FillOrbitBoxFor(s_, slot, popupObject_);
  instruments_->openBox(BoxKind::Orbit, slot);
}

void Form1::mnuFocusThisObject_Click() {
  if (!popupObjectValid()) return;
  s_.focusobj = popupObject_;
  clearView();
  view_.parkLabels(-100, -100);
  const int n = BodyCount(s_);
  for (int i = 1; i <= n; ++i) {
    s_.objlastx[i] = -1000;
    s_.objlasty[i] = -1000;
  }
  tools_->selectFocusInList();
}

void Form1::mnuEditThisObject_Click() {
  if (!popupObjectValid()) return;
  s_.ObjEditTarget = popupObject_;
  instruments_->show(InstrumentWindow::ObjEdit, false);
}

void Form1::mnuDeleteThisObject_Click() {
  if (!popupObjectValid()) return;
  DeleteBody(s_, *this, popupObject_);
}

// ---- FilesHost: the loaders open and close the slot windows.

void Form1::closeDistanceBox(int slot) { instruments_->closeBox(BoxKind::Distance, slot); }
void Form1::closeOrbitBox(int slot) { instruments_->closeBox(BoxKind::Orbit, slot); }
void Form1::closeThrustPanel(int slot) { instruments_->closeBox(BoxKind::Thrust, slot); }
void Form1::closeDefaultThrustPanel() { instruments_->closeDefaultThrustPanel(); }
void Form1::openDistanceBox(int slot) { instruments_->openBox(BoxKind::Distance, slot); }
void Form1::openOrbitBox(int slot) { instruments_->openBox(BoxKind::Orbit, slot); }
void Form1::openThrustPanel(int slot) { instruments_->openBox(BoxKind::Thrust, slot); }
void Form1::openReferenceBox(int which) {
  if (which == 1 || which == 2) {
    instruments_->show(which == 1 ? InstrumentWindow::RefBox1 : InstrumentWindow::RefBox2, false);
  }
}
void Form1::openDefaultOrbitBox() { instruments_->show(InstrumentWindow::OrbitRefBox1, false); }
void Form1::closeDefaultOrbitBox() { instruments_->close(InstrumentWindow::OrbitRefBox1); }
void Form1::openDefaultThrustPanel() { instruments_->show(InstrumentWindow::ControlPanel, false); }

}  // namespace molvane

// The slot tables of the multi-instance windows.
#include "engine/boxslots.h"

#include "engine/bodies.h"

namespace molvane {

namespace {

// The in-use flag of a slot in range.
bool& InUseFlag(State& s, BoxKind kind, int slot) {
  switch (kind) {
    case BoxKind::Distance: return s.distanceBoxes[slot].inUse;
    case BoxKind::Orbit: return s.orbitBoxes[slot].inUse;
    case BoxKind::Thrust: break;
  }
  return s.thrustPanels[slot].inUse;
}

}  // namespace

bool IsFreshBoxSlot(const BoxSlot& r) {
  return r.left == 0 && r.top == 0 && r.list1.empty() && r.list2.empty() && r.bodyA == 0 && r.bodyB == 0;
}

bool BoxSlotInUse(const State& s, BoxKind kind, int slot) {
  if (!IsBoxSlot(slot)) return false;
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
    InUseFlag(s, kind, slot) = true;
    return slot;
  }
  return 0;
}

void ReleaseBoxSlot(State& s, BoxKind kind, int slot) {
  if (IsBoxSlot(slot)) InUseFlag(s, kind, slot) = false;
}

std::string AllSlotsTakenText(BoxKind kind) {
  switch (kind) {
    case BoxKind::Distance: return "All 100 distance and velocity boxes are open. Close one before adding another.";
    case BoxKind::Orbit: return "All 100 orbital elements boxes are open. Close one before adding another.";
    case BoxKind::Thrust: break;
  }
  return "All 100 thrust boxes are open. Close one before adding another.";
}

void FillOrbitBoxFor(State& s, int slot, int k) {
  if (!IsBoxSlot(slot) || k < 0 || k > BodyCount(s)) return;
  BoxSlot& box = s.orbitBoxes[slot];
  box.list1 = s.objname[k];
  const std::string& ref = s.objref[k];
  // The box opens on body k itself and on the reference it holds, not on
  // the last bodies of those names.
  const int16_t r = BodyOfName(s, s.objrefindex[k], ref);
  box.list2 = r != 0 || s.objname[0] == ref ? ref : std::string();
  box.bodyA = static_cast<int16_t>(k);
  box.bodyB = r;
}

}  // namespace molvane

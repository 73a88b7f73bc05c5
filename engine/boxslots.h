// The numbered slots of the windows that can be open many times at once
// (distance boxes, orbit boxes, thrust panels): which are in use, taking
// and freeing one, and the record of a new orbit box.
#pragma once

#include <string>

#include "engine/state.h"

namespace molvane {

enum class BoxKind { Distance, Orbit, Thrust };

// A slot number 1..100.
constexpr bool IsBoxSlot(int slot) { return slot >= 1 && slot <= MaxSlots; }
// A record that TakeBoxSlot has just handed out: its window opens afresh.
// Anything else was filled by a situation file or the body popup.
bool IsFreshBoxSlot(const BoxSlot& r);

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

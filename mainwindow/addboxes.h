// The View menu's three "Add" items: a box or panel in the lowest free slot
// of its kind, and the closing of a slot's window.
#pragma once

#include <functional>

#include "engine/boxslots.h"

namespace molvane {

class WindowServices;
class WindowSets;

class BoxSlots {
 public:
  BoxSlots(WindowServices& form, WindowSets& windows) : form_(form), windows_(windows) {}
  // A new box or panel in the lowest free slot; 0 (and a message) when all
  // 100 are in use. `fill` sets the fresh slot's record before it opens.
  int addBox(BoxKind kind, const std::function<void(int slot)>& fill = {});
  // Closes the window of an in-use slot and frees the slot.
  void closeBoxWindow(BoxKind kind, int slot);

 private:
  WindowServices& form_;
  WindowSets& windows_;
};

}  // namespace molvane

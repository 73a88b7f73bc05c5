// The View menu's three "Add" items over the slot tables.
#include "mainwindow/addboxes.h"

#include "mainwindow/mainhandlers.h"
#include "ui/windowservices.h"

namespace molvane {

int BoxSlots::addBox(BoxKind kind, const std::function<void(int slot)>& fill) {
  State& s = form_.state();
  const int slot = TakeBoxSlot(s, kind);
  if (slot == 0) {
    form_.message(AllSlotsTakenText(kind));
    return 0;
  }
  if (fill) fill(slot);
  windows_.instruments().openBox(kind, slot);
  return slot;
}

void BoxSlots::closeBoxWindow(BoxKind kind, int slot) {
  if (!BoxSlotInUse(form_.state(), kind, slot)) return;
  windows_.instruments().closeBox(kind, slot);
  ReleaseBoxSlot(form_.state(), kind, slot);
}

}  // namespace molvane

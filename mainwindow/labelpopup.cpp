#include "mainwindow/labelpopup.h"

#include <QMenu>
#include <algorithm>

#include "mainwindow/form1.h"
#include "mainwindow/menus.h"

namespace molvane {

void LabelPopup::objLabel_MouseUp(int k, Qt::MouseButton button, QPoint globalPos) {
  if (button != Qt::RightButton) return;
  popupObject_ = static_cast<int16_t>(std::clamp(k, 0, MaxBodies));
  HoldBody(form_.state(), popupHeld_, popupObject_);
  form_.tools().labelPopup(k, globalPos);
  if (form_.menus().popup) form_.menus().popup->popup(globalPos);
}

bool LabelPopup::popupObjectValid() {
  popupObject_ = FollowBody(form_.state(), popupHeld_, false);
  return popupObject_ >= 1 && popupObject_ <= BodyCount(form_.state());
}

void LabelPopup::mnuDisplayOrbitalElements_Click() {
  if (!popupObjectValid()) return;
  form_.boxSlots().addBox(BoxKind::Orbit, [this](int slot) { FillOrbitBoxFor(form_.state(), slot, popupObject_); });
}

void LabelPopup::mnuFocusThisObject_Click() {
  if (!popupObjectValid()) return;
  State& s = form_.state();
  s.focusobj = popupObject_;
  form_.clearView();
  form_.view().parkLabels(-100, -100);
  const int n = BodyCount(s);
  for (int i = 1; i <= n; ++i) {
    s.objlastx[i] = -1000;
    s.objlasty[i] = -1000;
  }
  form_.tools().selectFocusInList();
}

void LabelPopup::mnuEditThisObject_Click() {
  if (!popupObjectValid()) return;
  form_.state().ObjEditTarget = popupObject_;
  form_.instruments().show(InstrumentWindow::ObjEdit, false);
}

void LabelPopup::mnuDeleteThisObject_Click() {
  if (!popupObjectValid()) return;
  DeleteBody(form_.state(), form_, popupObject_);
}

}  // namespace molvane

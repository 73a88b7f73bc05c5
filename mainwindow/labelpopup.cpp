#include "mainwindow/labelpopup.h"

#include <QMenu>
#include <algorithm>

#include "mainwindow/addboxes.h"
#include "mainwindow/mainhandlers.h"
#include "mainwindow/mainview.h"
#include "ui/windowservices.h"

namespace molvane {

void LabelPopup::objLabel_MouseUp(int k, Qt::MouseButton button, QPoint globalPos) {
  if (button != Qt::RightButton) return;
  popupObject_ = static_cast<int16_t>(std::clamp(k, 0, MaxBodies));
  HoldBody(form_.state(), popupHeld_, popupObject_);
  windows_.tools().labelPopup(k, globalPos);
  if (menu_) menu_->popup(globalPos);
}

bool LabelPopup::popupObjectValid() {
  popupObject_ = FollowBody(form_.state(), popupHeld_, false);
  return popupObject_ >= 1 && popupObject_ <= BodyCount(form_.state());
}

void LabelPopup::mnuDisplayOrbitalElements_Click() {
  if (!popupObjectValid()) return;
  boxes_.addBox(BoxKind::Orbit, [this](int slot) { FillOrbitBoxFor(form_.state(), slot, popupObject_); });
}

void LabelPopup::mnuFocusThisObject_Click() {
  if (!popupObjectValid()) return;
  State& s = form_.state();
  s.focusobj = popupObject_;
  form_.engineHost().clearView();
  view_.parkLabels(-100, -100);
  const int n = BodyCount(s);
  for (int i = 1; i <= n; ++i) {
    s.objlastx[i] = -1000;
    s.objlasty[i] = -1000;
  }
  windows_.tools().selectFocusInList();
}

void LabelPopup::mnuEditThisObject_Click() {
  if (!popupObjectValid()) return;
  form_.state().ObjEditTarget = popupObject_;
  windows_.instruments().show(InstrumentWindow::ObjEdit, false);
}

void LabelPopup::mnuDeleteThisObject_Click() {
  if (!popupObjectValid()) return;
  DeleteBody(form_.state(), form_.engineHost(), popupObject_);
}

}  // namespace molvane

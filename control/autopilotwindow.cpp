#include "control/autopilotwindow.h"

#include <QPointer>

#include "control/autopilotdialog.h"
#include "ui/windowservices.h"

namespace molvane {

struct AutopilotWindows::Windows {
  QPointer<frmAutoPilot> editor;
  AutopilotEditorMemory memory;  // kept from one opening to the next
};

AutopilotWindows::AutopilotWindows(WindowServices& form) : form_(form), w_(std::make_unique<Windows>()) {}

AutopilotWindows::~AutopilotWindows() {
  if (frmAutoPilot* e = w_->editor) {
    e->detachFromSimulation();
    delete e;
  }
}

void AutopilotWindows::show(bool reloadFirst) {
  // A closed editor waits for its deletion: a new one takes its place.
  if (w_->editor && (reloadFirst || w_->editor->isClosed())) {
    frmAutoPilot* old = w_->editor;
    old->close();
    delete old;
  }
  if (!w_->editor) w_->editor = new frmAutoPilot(form_, w_->memory);
  w_->editor->show();
  w_->editor->raise();
  w_->editor->activateWindow();
}

bool AutopilotWindows::isShown() const { return w_->editor && !w_->editor->isClosed() && w_->editor->isVisible(); }

void AutopilotWindows::close() {
  if (w_->editor) w_->editor->close();
}

// A closed editor waiting for its deletion has nothing to show.
void AutopilotWindows::refreshObjectLists() {
  if (frmAutoPilot* e = editor()) e->refreshObjectLists();
}

void AutopilotWindows::followList() {
  if (frmAutoPilot* e = editor()) e->followList();
}

frmAutoPilot* AutopilotWindows::editor() const {
  return w_->editor && !w_->editor->isClosed() ? w_->editor.data() : nullptr;
}

}  // namespace molvane

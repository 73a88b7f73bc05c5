#include "mainwindow/instrumentrouter.h"

namespace molvane {

InstrumentRouter::InstrumentRouter(std::unique_ptr<InstrumentWindows> editors,
                                   std::unique_ptr<InstrumentWindows> control)
    : editors_(editors ? std::move(editors) : std::make_unique<NoInstrumentWindows>()),
      control_(control ? std::move(control) : std::make_unique<NoInstrumentWindows>()) {}

InstrumentWindows& InstrumentRouter::owner(InstrumentWindow w) const {
  switch (w) {
    case InstrumentWindow::AddCaption:
    case InstrumentWindow::AutoPilot:
    case InstrumentWindow::ControlPanel: return *control_;
    default: return *editors_;
  }
}

InstrumentWindows& InstrumentRouter::owner(BoxKind kind) const {
  return kind == BoxKind::Thrust ? *control_ : *editors_;
}

void InstrumentRouter::openBox(BoxKind kind, int slot) { owner(kind).openBox(kind, slot); }
void InstrumentRouter::closeBox(BoxKind kind, int slot) { owner(kind).closeBox(kind, slot); }
void InstrumentRouter::closeDefaultThrustPanel() { control_->closeDefaultThrustPanel(); }
void InstrumentRouter::show(InstrumentWindow w, bool reloadFirst) { owner(w).show(w, reloadFirst); }
bool InstrumentRouter::isShown(InstrumentWindow w) const { return owner(w).isShown(w); }
void InstrumentRouter::close(InstrumentWindow w) { owner(w).close(w); }

void InstrumentRouter::stepReadouts() {
  editors_->stepReadouts();
  control_->stepReadouts();
}

void InstrumentRouter::showReadouts() {
  editors_->showReadouts();
  control_->showReadouts();
}

void InstrumentRouter::refreshObjectLists() {
  editors_->refreshObjectLists();
  control_->refreshObjectLists();
}

void InstrumentRouter::showReferenceBox(int which) { editors_->showReferenceBox(which); }
void InstrumentRouter::spectrumPoint(int16_t x, double value) { editors_->spectrumPoint(x, value); }

void InstrumentRouter::closeStartupWindows() {
  editors_->closeStartupWindows();
  control_->closeStartupWindows();
}

}  // namespace molvane

// Sends each request of the main window to the set of windows that owns it:
// the body editors and instruments on one side, the thrust panels, the
// autopilot and the captions on the other.
#pragma once

#include <memory>

#include "ui/instrumentwindows.h"

namespace molvane {

class InstrumentRouter : public InstrumentWindows {
 public:
  InstrumentRouter(std::unique_ptr<InstrumentWindows> editors, std::unique_ptr<InstrumentWindows> control);

  void openBox(BoxKind kind, int slot) override;
  void closeBox(BoxKind kind, int slot) override;
  void closeDefaultThrustPanel() override;
  void show(InstrumentWindow w, bool reloadFirst) override;
  bool isShown(InstrumentWindow w) const override;
  void close(InstrumentWindow w) override;
  void stepReadouts() override;
  void showReadouts() override;
  void refreshObjectLists() override;
  void bodyLeftTable() override { control_->bodyLeftTable(); }
  void autopilotListReplaced() override { control_->autopilotListReplaced(); }
  void showReferenceBox(int which) override;
  void spectrumPoint(int16_t x, double value) override;
  void closeStartupWindows() override;

  InstrumentWindows& editors() { return *editors_; }
  InstrumentWindows& control() { return *control_; }

 private:
  InstrumentWindows& owner(InstrumentWindow w) const;
  InstrumentWindows& owner(BoxKind kind) const;

  std::unique_ptr<InstrumentWindows> editors_;
  std::unique_ptr<InstrumentWindows> control_;
};

}  // namespace molvane

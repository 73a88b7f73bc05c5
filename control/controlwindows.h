// The control side of the main window's windows: the thrust panels (slots
// 1..100 and the default panel), the caption editor and the autopilot
// windows. The main window reaches them through InstrumentWindows.
#pragma once

#include <QPointer>
#include <array>
#include <memory>

#include "control/autopilotwindow.h"
#include "control/captioneditor.h"
#include "control/thrustpanel.h"
#include "ui/instrumentwindows.h"

namespace molvane {

class WindowServices;

class ControlWindows : public InstrumentWindows {
 public:
  explicit ControlWindows(WindowServices& form);
  ~ControlWindows() override;

  void openBox(BoxKind kind, int slot) override;
  void closeBox(BoxKind kind, int slot) override;
  void closeDefaultThrustPanel() override;
  void show(InstrumentWindow w, bool reloadFirst) override;
  bool isShown(InstrumentWindow w) const override;
  void close(InstrumentWindow w) override;
  void refreshObjectLists() override;
  void bodyLeftTable() override;
  void autopilotListReplaced() override { autopilot_->followList(); }
  void closeStartupWindows() override;
  // The boxes with readouts and the spectrum are the editors'.
  void stepReadouts() override {}
  void showReadouts() override {}
  void showReferenceBox(int) override {}
  void spectrumPoint(int16_t, double) override {}

  // The default panel as the older situation files restore it (also
  // show(ControlPanel, false)): shown at its State place with its bodies and
  // texts, the body choice confirmed by name and the custom direction taken
  // from the texts. show(ControlPanel, true) opens it afresh.
  void openDefaultThrustPanel();
  // The caption editor on caption k (a double-click on caption k).
  void editCaption(int k);

  // The open panel of a slot (0: the default panel), or null.
  FormControlCenter* thrustPanel(int slot) const;
  frmAddCaption* captionEditor() const {
    return captionEditor_ && !captionEditor_->isClosed() ? captionEditor_.data() : nullptr;
  }
  AutopilotWindows& autopilot() { return *autopilot_; }

 private:
  FormControlCenter* showDefaultPanel(bool reloadFirst);
  void showCaptionEditor(bool reloadFirst);

  WindowServices& form_;
  State& s_;
  std::array<QPointer<FormControlCenter>, MaxSlots + 1> panels_{};
  QPointer<frmAddCaption> captionEditor_;
  std::unique_ptr<AutopilotWindows> autopilot_;
};

}  // namespace molvane

// The body editors' and instruments' side of the main window's instrument
// router: the distance and orbit boxes of the slot tables, the default
// orbit box, the "betabox", the two reference boxes and the spectrum
// window, plus the body editors (BodyEditors).
#pragma once

#include <QPointer>
#include <QWidget>
#include <array>
#include <vector>

#include "editors/bodyeditors.h"
#include "editors/distancebox.h"
#include "editors/orbitbox.h"
#include "editors/referenceboxes.h"
#include "editors/spectrum.h"
#include "engine/readouts.h"
#include "ui/instrumentwindows.h"

namespace molvane {

class WindowServices;

class EditorWindows : public InstrumentWindows {
 public:
  explicit EditorWindows(WindowServices& form);
  ~EditorWindows() override;

  void openBox(BoxKind kind, int slot) override;
  void closeBox(BoxKind kind, int slot) override;
  void show(InstrumentWindow w, bool reloadFirst) override;
  bool isShown(InstrumentWindow w) const override;
  void close(InstrumentWindow w) override;
  void stepReadouts() override;
  void showReadouts() override;
  void refreshObjectLists() override;
  void showReferenceBox(int which) override;
  void spectrumPoint(int16_t x, double value) override;
  void closeStartupWindows() override;
  // The thrust panels and the autopilot are the control windows'.
  void closeDefaultThrustPanel() override {}
  void bodyLeftTable() override {}
  void autopilotListReplaced() override {}

  // The windows as they stand (null when never created).
  RefBoxS* distanceBox(int slot) const;
  RefBoxOrbit1* orbitBox(int slot) const;  // slot 0: the default orbit box
  RefBox* referenceBox(int which) const;
  RefBoxS* betaBox() const { return beta_.data(); }
  frmSpectrum* spectrum() const { return spectrum_.data(); }
  BodyEditors& bodyEditors() { return editors_; }
  // What each reference box measured at its previous refresh.
  const PairMeasure& referenceMeasure(int which) const { return refReadout_[which == 2 ? 2 : 1].measure; }

 private:
  RefBox& referenceWindow(int which);
  // A reference box or the default orbit box opened while the run is paused
  // shows its values at once: no step fills it until the run goes on.
  void showPausedReadout(InstrumentWindow w);
  WindowServices& form_;
  State& s_;
  BodyEditors editors_;
  std::array<QPointer<RefBoxS>, MaxSlots + 1> distance_{};
  std::array<QPointer<RefBoxOrbit1>, MaxSlots + 1> orbit_{};
  QPointer<RefBoxS> beta_;
  std::array<QPointer<RefBox>, 3> ref_{};
  QPointer<frmSpectrum> spectrum_;
  std::array<PairReadout, 3> refReadout_{};
  OrbitReadout defaultOrbit_;  // rbo1a about rbo1b at the latest step
  // The numbered slots opened here and still in use at the latest step, in
  // slot order: a step with no box open looks at none of the 200 slots.
  std::vector<int> openDistance_, openOrbit_;
};

}  // namespace molvane

// The main window as the editors and control windows see it, without one: a
// plain widget as their parent, the caption labels on it, a State, recording
// dialogs, and a count of what the windows asked.
#pragma once

#include <QLabel>
#include <QStandardPaths>
#include <QWidget>
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "autopilot/autopilothost.h"
#include "engine/boxslots.h"
#include "engine/host.h"
#include "engine/state.h"
#include "tests/support/nullhosts.h"
#include "ui/bodynames.h"
#include "ui/dialogs.h"
#include "ui/instrumentwindows.h"
#include "ui/twips.h"
#include "ui/windowservices.h"

namespace molvane {

class FakeWindowServices : public NullEngineHost, public NullAutopilotHost, public WindowServices {
 public:
  explicit FakeWindowServices(State& s) : s_(s) {
    main.resize(800, 600);
    for (int k = 1; k <= MaxCaptions; ++k) {
      captions[k] = new QLabel(&main);
      captions[k]->setGeometry(0, 0, 0, 0);
    }
  }

  State& state() override { return s_; }
  QWidget& mainWidget() override { return main; }
  EngineHost& engineHost() override { return *this; }
  AutopilotHost& autopilotHost() override { return *this; }
  Dialogs& dialogs() override { return *dialogs_; }
  void setDialogs(Dialogs& d) { dialogs_ = &d; }
  void message(const std::string& text) override { dialogs_->message(&main, "Molvane", text); }
  QString dataFolder() const override { return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation); }

  bool timerEnabled() const override { return timerOn; }
  // As the main window's timer: a paused simulation is not started.
  void setTimerEnabled(bool on) override {
    if (!on || !s_.PausedFlag) timerOn = on;
  }
  void refreshObjectLists() override {
    ++listRefreshes;
    if (onRefreshObjectLists) onRefreshObjectLists();
  }
  BodyNames& bodyNames() override {
    names_.sync();
    return names_;
  }
  void rebuildObjectLabels() override { ++labelRebuilds; }
  void syncMenus() override { ++menuSyncs; }

  double mainWindowWidthTwips() const override { return main.frameGeometry().width() * TwipsPerPixel; }
  double mainWindowHeightTwips() const override { return main.frameGeometry().height() * TwipsPerPixel; }
  double screenWidthPixels() const override { return screenWidth; }
  double visibleWidthKm() const override { return visibleKm; }
  void setVisibleWidthKm(double km) override { visibleKm = km; }

  QLabel* captionLabel(int k) override { return k >= 1 && k <= MaxCaptions ? captions[k] : nullptr; }
  double captionReferenceWidth() const override { return mainWindowWidthTwips(); }
  void captionsChanged(int front) override { changedCaptions.push_back(front); }
  void setCaptionEditor(std::function<void(int)> open) override { captionEditor = std::move(open); }
  QPoint newWindowPlace(QPoint designed) override { return designed; }
  void AlignKeyReleased(int code) override { alignKeys.push_back(code); }

  QWidget main;
  std::array<QLabel*, MaxCaptions + 1> captions{};
  RecordingDialogs recording;
  bool timerOn = false;
  double screenWidth = 800;
  double visibleKm = 0;
  int listRefreshes = 0, labelRebuilds = 0, menuSyncs = 0;
  std::function<void()> onRefreshObjectLists;
  std::vector<int> changedCaptions, alignKeys;
  std::function<void(int)> captionEditor;

 private:
  State& s_;
  BodyNames names_{s_};
  Dialogs* dialogs_ = &recording;
};

// What the main window's "Add" items and a slot's closing do, for windows
// installed on the stand-in: a box or panel in the lowest free slot of its
// kind (0 when all are taken), and the slot's window closed and freed.
inline int AddBox(State& s, InstrumentWindows& windows, BoxKind kind) {
  const int slot = TakeBoxSlot(s, kind);
  if (slot != 0) windows.openBox(kind, slot);
  return slot;
}
inline void CloseBoxWindow(State& s, InstrumentWindows& windows, BoxKind kind, int slot) {
  if (!BoxSlotInUse(s, kind, slot)) return;
  windows.closeBox(kind, slot);
  ReleaseBoxSlot(s, kind, slot);
}

}  // namespace molvane

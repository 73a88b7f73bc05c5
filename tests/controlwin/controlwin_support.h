// The control windows over a stand-in for the main window (a fresh State,
// recording dialogs, the caption labels on a plain widget), as the program
// installs them, and a few bodies. What the main window itself does with
// them is tested in tests/mainwindow.
#pragma once

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <string>

#include "../support/fakewindowservices.h"
#include "../support/scenes.h"
#include "control/controlwindows.h"
#include "engine/state.h"
#include "ui/dialogs.h"

namespace molvane {

class ControlWinFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(data_.isValid());
    qputenv("XDG_DATA_HOME", data_.path().toUtf8());
    state = std::make_unique<State>();
    fake = std::make_unique<FakeWindowServices>(*state);
    fake->setDialogs(dialogs);
    control = std::make_unique<ControlWindows>(*fake);
    fake->onRefreshObjectLists = [this] { control->refreshObjectLists(); };
    fake->main.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&fake->main));
  }
  void TearDown() override {
    control.reset();
    fake.reset();
    state.reset();
  }
  void addBodies() { SunEarthMoon(*state); }
  // A thrust panel in the lowest free slot, as the View menu adds one.
  int addThrustPanel() { return AddBox(*state, *control, BoxKind::Thrust); }

  QTemporaryDir data_;
  RecordingDialogs dialogs;
  std::unique_ptr<State> state;
  std::unique_ptr<FakeWindowServices> fake;
  std::unique_ptr<ControlWindows> control;
};

}  // namespace molvane

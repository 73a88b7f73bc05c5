// A main window over a fresh State with the control windows and the body
// editors installed, as the program has them, and a few bodies.
#pragma once

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <string>

#include "control/controlwindows.h"
#include "editors/editorwindows.h"
#include "engine/state.h"
#include "mainwindow/form1.h"
#include "mainwindow/instrumentrouter.h"
#include "ui/dialogs.h"

namespace molvane {

class ControlWinFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(data_.isValid());
    qputenv("XDG_DATA_HOME", data_.path().toUtf8());
    state = std::make_unique<State>();
    form = std::make_unique<Form1>(*state);
    form->setDialogs(dialogs);
    auto cw = std::make_unique<ControlWindows>(*form);
    control = cw.get();
    auto ed = std::make_unique<EditorWindows>(*form);
    editors = ed.get();
    form->setInstrumentWindows(std::make_unique<InstrumentRouter>(std::move(ed), std::move(cw)));
    form->resize(800, 600);
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
  }
  void TearDown() override {
    form.reset();
    state.reset();
  }
  // Body 1 "Sun" at the origin; body 2 "Earth" 1000 km along +x, about the
  // Sun, at rest relative to it; body 3 "Moon" with no reference.
  void addBodies() {
    State& s = *state;
    s.objname[1] = "Sun";
    s.objname[2] = "Earth";
    s.objref[2] = "Sun";
    s.objx[2] = 1e6;
    s.objname[3] = "Moon";
    s.objects = 3;
  }

  QTemporaryDir data_;
  RecordingDialogs dialogs;
  std::unique_ptr<State> state;
  std::unique_ptr<Form1> form;
  ControlWindows* control = nullptr;
  EditorWindows* editors = nullptr;
};

}  // namespace molvane

// The main window with the body editors and the control windows installed,
// as the program has them, shown offscreen over a fresh State: the tests of
// what the main window does with those windows (its menus, popups, running
// loop, situation files and dashboard). The windows' own tests run over a
// stand-in, in tests/editors and tests/controlwin.
#pragma once

#include <QTest>
#include <memory>

#include "../support/scenes.h"
#include "../support/windowfixture.h"
#include "control/controlwindows.h"
#include "editors/editorwindows.h"
#include "mainwindow/form1.h"
#include "mainwindow/instrumentrouter.h"

namespace molvane {

class WindowSetFixture : public WindowFixture {
 protected:
  void SetUp() override {
    WindowFixture::SetUp();
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
    form.reset();  // the windows go before the tables they work on
    state.reset();
  }
  void addBodies() { SunEarthMoon(*state); }
  using WindowFixture::addBodies;

  std::unique_ptr<Form1> form;
  ControlWindows* control = nullptr;
  EditorWindows* editors = nullptr;
};

}  // namespace molvane

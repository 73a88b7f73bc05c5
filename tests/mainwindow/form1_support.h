// Shared pieces of the main-window tests: a main window over a fresh State
// and a tool-window stand-in that counts.
#pragma once

#include <memory>

#include "../support/windowfixture.h"
#include "engine/state.h"
#include "mainwindow/form1.h"
#include "mainwindow/toolhooks.h"

namespace molvane {

struct CountingTools : FlagToolWindows {
  using FlagToolWindows::FlagToolWindows;
  int readouts = 0, alignV = 0, alignH = 0, popups = 0, lastPopup = 0;
  void stepReadouts() override { ++readouts; }
  void alignVertically() override { ++alignV; }
  void alignHorizontally() override { ++alignH; }
  void labelPopup(int k, QPoint) override {
    ++popups;
    lastPopup = k;
  }
};

class Form1Fixture : public WindowFixture {
 protected:
  void TearDown() override {
    form.reset();
    state.reset();
  }
  // A main window over a fresh State, its dialogs answered from `dialogs`;
  // not started.
  Form1& makeForm() {
    form.reset();
    dialogs = RecordingDialogs();
    state = std::make_unique<State>();
    form = std::make_unique<Form1>(*state);
    form->setDialogs(dialogs);
    auto t = std::make_unique<CountingTools>(*state);
    tools = t.get();
    form->setToolWindows(std::move(t));
    return *form;
  }

  std::unique_ptr<Form1> form;
  CountingTools* tools = nullptr;
};

}  // namespace molvane

// Shared pieces of the main-window tests: a private data folder per test,
// a main window over a fresh State, and a tool-window stand-in that counts.
#pragma once

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "engine/state.h"
#include "mainwindow/form1.h"
#include "mainwindow/toolhooks.h"
#include "ui/dialogs.h"

namespace molvane {

struct CountingTools : ToolWindows {
  using ToolWindows::ToolWindows;
  int readouts = 0, alignV = 0, alignH = 0, popups = 0, lastPopup = 0;
  void plotReadouts() override { ++readouts; }
  void alignVertically() override { ++alignV; }
  void alignHorizontally() override { ++alignH; }
  void labelPopup(int k, QPoint) override {
    ++popups;
    lastPopup = k;
  }
};

class Form1Fixture : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(data_.isValid());
    // Named outside ASCII, as many users' home folders are.
    ASSERT_TRUE(QDir().mkpath(dataDir()));
    qputenv("XDG_DATA_HOME", QFile::encodeName(dataDir()));
  }
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
  // Bodies laid out along +x, body 1 the focus.
  void addBodies(int n) {
    State& s = *state;
    for (int i = 1; i <= n; ++i) {
      s.objname[i] = "Body" + std::to_string(i);
      s.objref[i] = "Body1";
      s.objmass[i] = i == 1 ? 1000 : 1e-3;
      s.objx[i] = 1e9 * (i - 1);
      s.objvy[i] = i == 1 ? 0 : 1000;
      s.objvx[i] = 10.0 * i;
      s.objvz[i] = -5.0 * i;
      s.objsize[i] = 1e6;
      s.objcolor[i] = 0x00FF00;
      s.objcolor2[i] = ColourWhite;
    }
    s.objects = static_cast<int16_t>(n);
    s.focusobj = 1;
  }
  QString dataDir() const { return data_.path() + "/Übung Größe 月"; }
  std::string dataPath() const { return QFile::encodeName(dataDir()).toStdString(); }
  static std::string examplePath() { return std::string(MOLVANE_EXAMPLES_DIR) + "/inner-planets.molv"; }

  QTemporaryDir data_;
  RecordingDialogs dialogs;
  std::unique_ptr<State> state;
  std::unique_ptr<Form1> form;
  CountingTools* tools = nullptr;
};

}  // namespace molvane

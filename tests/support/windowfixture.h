// What every window test starts from: a private data folder, recording
// dialogs, and a fresh State with a few bodies when asked.
#pragma once

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <memory>
#include <string>

#include "engine/state.h"
#include "ui/dialogs.h"

#ifndef MOLVANE_EXAMPLES_DIR
#define MOLVANE_EXAMPLES_DIR ""
#endif

namespace molvane {

class WindowFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(data_.isValid());
    // Named outside ASCII, as many users' home folders are.
    ASSERT_TRUE(QDir().mkpath(dataDir()));
    qputenv("XDG_DATA_HOME", QFile::encodeName(dataDir()));
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
};

}  // namespace molvane

// The window host of the older file forms' tests: records the single-
// instance windows too and arms the autopilot as the main window does.
#pragma once

#include <string>

#include "engine/autopilotarm.h"
#include "testutil.h"

namespace molvane::testing {

class OldFilesHost : public FakeFilesHost {
 public:
  explicit OldFilesHost(State&) {}
  void openReferenceBox(int k) override { calls.push_back("openReferenceBox " + std::to_string(k)); }
  void openDefaultOrbitBox() override { calls.push_back("openDefaultOrbitBox"); }
  void closeDefaultOrbitBox() override { calls.push_back("closeDefaultOrbitBox"); }
  void openDefaultThrustPanel() override { calls.push_back("openDefaultThrustPanel"); }
  void closeDefaultThrustPanel() override { calls.push_back("closeDefaultThrustPanel"); }
  double captionReferenceWidth() const override { return 12000; }
};

}  // namespace molvane::testing

#include "engine/thrust.h"
#include "tests/support/nullhosts.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace molvane {
namespace {

// The panel's Prograde row with no push: only the direction is stored.
void PointPrograde(State& s, int i, int j) {
  float azimuth = 0, altitude = 0;
  FireBoost(s, BoostRow::Prograde, i, j, 0, "", "", azimuth, altitude);
}

TEST(ThrustDirection, ProgradeTimesTimescaleThenImpulse) {
  State s;
  s.timescale = 2;
  s.objects = 2;
  s.objvx[1] = 30;  // 15 m/s faster than body 2 along +x, in metres per step
  s.objvy[1] = 4;
  s.objvx[2] = 0;
  s.objvy[2] = 4;
  PointPrograde(s, 1, 2);
  EXPECT_EQ(s.objdirx[1], 2.0f);
  EXPECT_EQ(s.objdiry[1], 0.0f);
  EXPECT_EQ(s.objdirz[1], 0.0f);

  ApplyThrustImpulse(s, 1, 10);
  EXPECT_EQ(s.objthrust[1], 10.0f);
  EXPECT_EQ(s.objvx[1], 50.0);  // 10 m/s is 20 m per step
  EXPECT_EQ(s.objvy[1], 4.0);

  ApplyThrustImpulse(s, 1, -10);
  EXPECT_EQ(s.objthrust[1], -10.0f);
  EXPECT_EQ(s.objvx[1], 30.0);

  ApplyThrustImpulse(s, 1, 0);
  EXPECT_EQ(s.objthrust[1], 0.0f);
  EXPECT_EQ(s.objvx[1], 30.0);
}

TEST(ThrustDirection, RoundedToSinglePrecision) {
  State s;
  s.timescale = 3;
  s.objvx[1] = 1;
  s.objvy[1] = 1;
  s.objvz[1] = 1;
  PointPrograde(s, 1, 0);
  const double d = std::sqrt(3.0);
  EXPECT_EQ(s.objdirx[1], static_cast<float>(1 / d * 3));
  EXPECT_EQ(s.objdirz[1], static_cast<float>(1 / d * 3));

  // The impulse works in double on the stored single values.
  ApplyThrustImpulse(s, 1, 7);
  EXPECT_EQ(s.objvy[1], 1 + 7.0f / 3.0 * s.objdiry[1] * 3.0);
}

TEST(ThrustDirection, NoRelativeMotionOrBadIndexKeepsDirection) {
  State s;
  s.objvx[1] = s.objvx[2] = 12.5;
  s.objdirx[1] = 0.25f;
  s.objdiry[1] = -0.5f;
  s.objdirz[1] = 1.0f;
  PointPrograde(s, 1, 2);
  EXPECT_EQ(s.objdirx[1], 0.25f);
  EXPECT_EQ(s.objdiry[1], -0.5f);
  EXPECT_EQ(s.objdirz[1], 1.0f);

  s.objvx[1] = 100;
  PointPrograde(s, 1, 1001);
  PointPrograde(s, -1, 2);
  EXPECT_EQ(s.objdirx[1], 0.25f);

  // A time step no single can carry: the x component does not fit, and the
  // zero y and z do not come in alone either.
  s.timescale = 1e39;
  PointPrograde(s, 1, 2);
  EXPECT_EQ(s.objdirx[1], 0.25f);
  EXPECT_EQ(s.objdiry[1], -0.5f);
  EXPECT_EQ(s.objdirz[1], 1.0f);
  EXPECT_FALSE(StoreThrustDirection(s, 1, {std::nan(""), 0, 0}));
  EXPECT_EQ(s.objdiry[1], -0.5f);

  // A direction never set changes nothing; out-of-range bodies are ignored.
  State t;
  t.objvx[3] = 5;
  ApplyThrustImpulse(t, 3, 100);
  EXPECT_EQ(t.objvx[3], 5);
  ApplyThrustImpulse(t, 1001, 100);
  ApplyThrustImpulse(t, -1, 100);
  t.timescale = 0;
  t.objdirx[3] = 1;
  ApplyThrustImpulse(t, 3, 100);
  EXPECT_EQ(t.objvx[3], 5);
}

struct LabelHost : NullEngineHost {
  std::vector<int> raised;
  void raiseLabel(int k) override { raised.push_back(k); }
};

TEST(ThrustLabels, RaisesLastMatchingReference) {
  State s;
  s.objects = 5;
  s.objname[1] = "Sun";
  s.objname[2] = "Earth";
  s.objref[2] = "Sun";
  s.objname[3] = "Moon";
  s.objref[3] = "Earth";
  s.objname[4] = "Sun";  // duplicate name: the last one counts
  s.objname[5] = "Probe";
  s.objref[5] = "Floating";
  s.objname[6] = "Beyond";  // above objects: not a body
  s.objref[6] = "Sun";
  LabelHost host;
  RaiseReferenceLabels(s, host);
  EXPECT_EQ(host.raised, (std::vector<int>{4, 2}));
}

}  // namespace
}  // namespace molvane

#include "engine/timestep.h"
#include "tests/support/nullhosts.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace molvane {
namespace {

struct ShownSteps : NullEngineHost {
  std::vector<std::pair<std::string, std::string>> shown;
  void showTimeStep(const std::string& caption, const std::string& text) override { shown.emplace_back(caption, text); }
};

struct TimeStepTest : ::testing::Test {
  std::unique_ptr<State> owned = std::make_unique<State>();
  State& s = *owned;
  ShownSteps host;

  void FillRandom(int n) {
    std::mt19937_64 rng(7);
    std::uniform_real_distribution<double> u(-1e4, 1e4);
    s.objects = static_cast<int16_t>(n);
    s.timescale = 37.25;
    for (int i = 0; i <= n + 1; ++i) {  // n + 1: beyond the table
      s.objvx[i] = u(rng);
      s.objvy[i] = u(rng);
      s.objvz[i] = u(rng);
      s.objmass[i] = std::fabs(u(rng)) * 1e-3;
      s.objdirx[i] = static_cast<float>(u(rng));
      s.objdiry[i] = static_cast<float>(u(rng));
      s.objdirz[i] = static_cast<float>(u(rng));
    }
  }

  // The fields a rescale touches, for all-or-nothing comparisons.
  struct Snapshot {
    double timescale;
    std::vector<double> d;
    std::vector<float> f;
    bool operator==(const Snapshot&) const = default;
  };
  Snapshot Take() const {
    Snapshot snap{s.timescale, {}, {}};
    for (int i = 0; i < BodySlots; ++i) {
      snap.d.insert(snap.d.end(), {s.objvx[i], s.objvy[i], s.objvz[i], s.objmass[i]});
      snap.f.insert(snap.f.end(), {s.objdirx[i], s.objdiry[i], s.objdirz[i]});
    }
    return snap;
  }
};

TEST_F(TimeStepTest, DoublingThenHalvingRestoresEveryFieldBitForBit) {
  FillRandom(20);
  const Snapshot before = Take();
  std::vector<double> speed, mass;
  for (int i = 0; i <= 20; ++i) {
    speed.push_back(s.objvx[i] / s.timescale);
    mass.push_back(s.objmass[i] / s.timescale / s.timescale);
  }

  ASSERT_TRUE(MultiplyTimeStep(s, host, 2.0));
  EXPECT_EQ(s.timescale, 74.5);
  EXPECT_EQ(s.objvx[21], before.d[21 * 4]);  // beyond objects: untouched
  for (int i = 0; i <= 20; ++i) {
    EXPECT_EQ(s.objvx[i] / s.timescale, speed[i]);
    EXPECT_EQ(s.objmass[i] / s.timescale / s.timescale, mass[i]);
  }
  ASSERT_TRUE(DivideTimeStep(s, host, 2.0));
  EXPECT_TRUE(Take() == before);

  ASSERT_TRUE(DivideTimeStep(s, host, 2.0));
  ASSERT_TRUE(MultiplyTimeStep(s, host, 2.0));
  EXPECT_TRUE(Take() == before);
  EXPECT_TRUE(host.shown.empty());  // the time-step window is closed
}

TEST_F(TimeStepTest, ScalesVelocityDirectionAndMassByTheirPowers) {
  s.objects = 0;  // only the floating body
  s.objvx[0] = 3;
  s.objmass[0] = 5;
  s.objdirx[0] = 0.1f;
  s.objvx[1] = 3;
  ASSERT_TRUE(MultiplyTimeStep(s, host, 3.0));
  EXPECT_EQ(s.timescale, 3.0);
  EXPECT_EQ(s.objvx[0], 9.0);
  EXPECT_EQ(s.objmass[0], 45.0);
  EXPECT_EQ(s.objdirx[0], static_cast<float>(static_cast<double>(0.1f) * 3.0));
  EXPECT_EQ(s.objvx[1], 3.0);
  ASSERT_TRUE(DivideTimeStep(s, host, 3.0));
  EXPECT_EQ(s.objmass[0], 45.0 / 9.0);
}

TEST_F(TimeStepTest, RefusedFactorsChangeNothing) {
  FillRandom(5);
  const Snapshot before = Take();
  for (double k : {0.0, -2.0, -0.0, std::nan(""), std::numeric_limits<double>::infinity(),
                   -std::numeric_limits<double>::infinity()}) {
    EXPECT_FALSE(MultiplyTimeStep(s, host, k)) << k;
    EXPECT_FALSE(DivideTimeStep(s, host, k)) << k;
  }
  EXPECT_TRUE(Take() == before);

  // One body that would overflow or vanish refuses the whole rescale.
  s.objvy[5] = 1e300;
  const Snapshot big = Take();
  EXPECT_FALSE(MultiplyTimeStep(s, host, 1e10));
  EXPECT_TRUE(Take() == big);
  s.objvy[5] = 1;
  s.objmass[3] = 1e-320;
  const Snapshot tiny = Take();
  EXPECT_FALSE(DivideTimeStep(s, host, 1e5));
  EXPECT_TRUE(Take() == tiny);
  s.objmass[3] = 1;
  s.objdirz[2] = 1e-40f;
  EXPECT_FALSE(DivideTimeStep(s, host, 1e10));
  s.objdirz[2] = 1;
  EXPECT_TRUE(DivideTimeStep(s, host, 1e5));  // zeros stay zero
}

TEST_F(TimeStepTest, DisplayTexts) {
  EXPECT_EQ(TimeStepDisplay(86400).caption, "Time Step -- Days");
  EXPECT_EQ(TimeStepDisplay(86400).text, "1.");
  EXPECT_EQ(TimeStepDisplay(31536000).caption, "Time Step -- Days");
  EXPECT_EQ(TimeStepDisplay(31536000).text, "365.");
  EXPECT_EQ(TimeStepDisplay(2 * 31536000.0).caption, "Time Step -- Years");
  EXPECT_EQ(TimeStepDisplay(2 * 31536000.0).text, "2.");
  EXPECT_EQ(TimeStepDisplay(43200).caption, "Time Step -- Seconds");
  EXPECT_EQ(TimeStepDisplay(43200).text, "43200.");
  EXPECT_EQ(TimeStepDisplay(0.5).text, ".5");
  EXPECT_EQ(TimeStepDisplay(129600).text, "1.5");
}

TEST_F(TimeStepTest, OpenWindowIsShownTheNewStep) {
  s.timerateloaded = true;
  s.timescale = 43200;
  ASSERT_TRUE(MultiplyTimeStep(s, host, 2.0));
  ASSERT_EQ(host.shown.size(), 1u);
  EXPECT_EQ(host.shown[0].first, "Time Step -- Days");
  EXPECT_EQ(host.shown[0].second, "1.");
  EXPECT_FALSE(DivideTimeStep(s, host, 0));
  EXPECT_EQ(host.shown.size(), 1u);  // a refused rescale shows nothing
}

}  // namespace
}  // namespace molvane

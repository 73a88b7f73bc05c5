// Brisklet against the built-in loop: the same bits in every build (scalar,
// AVX2, AVX-512, and the library as the program loads it), the touching-pair
// list, and the start-up binding with a missing or broken library file.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>
#include <memory>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "engine/host.h"
#include "engine/nativeloop.h"
#include "engine/simulation.h"
#include "engine/state.h"
#include "forceloop/kernel.h"
#include "tests/support/nullhosts.h"

namespace fs = std::filesystem;
using molvane::State;

namespace {

std::string ProgramFolder() { return fs::read_symlink("/proc/self/exe").parent_path().string(); }

struct Build {
  const char* name;
  brisklet::LoopFn fn;
};

// The library as the program binds it; nullptr when it cannot be bound.
brisklet::LoopFn LibraryLoop() {
  static const brisklet::LoopFn fn = [] {
    auto s = std::make_unique<State>();
    return molvane::BindNativeForceLoop(*s, ProgramFolder()) ? brisklet::LoopFn(s->nativeRunLoop) : nullptr;
  }();
  return fn;
}

std::vector<Build> Builds() {
  std::vector<Build> b{{"scalar", brisklet::RunLoopScalar}};
  for (const brisklet::LoopVariant& v : brisklet::ExactVariants())
    if (v.fn != brisklet::RunLoopScalar) b.push_back({v.name, v.fn});
  if (LibraryLoop() != nullptr) b.push_back({"library", LibraryLoop()});
  return b;
}

int32_t Call(brisklet::LoopFn fn, State& s, int32_t n) {
  return fn(n, s.objmass.data(), s.objx.data(), s.objy.data(), s.objz.data(), s.objvx.data(), s.objvy.data(),
            s.objvz.data(), s.objsize.data(), s.higher.data(), s.lower.data());
}

void BuiltInStep(State& s) {
  molvane::NullEngineHost host;
  s.CollisionPairCount = 0;
  molvane::BuiltInForceLoop(s, host);
  molvane::Drift(s);
}

// Spread-out bodies of size 0 (never touching), with positive, zero and
// negative mass terms, and a moving body 0.
void Scatter(State& s, int n, unsigned seed) {
  std::mt19937_64 rng(seed);
  std::uniform_real_distribution<double> pos(-1e10, 1e10), vel(-3e3, 3e3), mass(-20.0, 1000.0);
  s.objects = int16_t(n);
  for (int i = 0; i <= n + 8 && i < molvane::BodySlots; ++i) {
    s.objx[i] = pos(rng);
    s.objy[i] = pos(rng);
    s.objz[i] = pos(rng);
    s.objvx[i] = vel(rng);
    s.objvy[i] = vel(rng);
    s.objvz[i] = vel(rng);
    s.objsize[i] = 0.0;
    const unsigned kind = unsigned(rng() % 8);
    s.objmass[i] = kind == 0 ? 0.0 : kind == 1 ? -std::abs(mass(rng)) : mass(rng);
  }
}

// Scatter's bodies (within 1e10 m of the origin, so every row has partners
// nearer than 1.5e9 m) with body n/2 a body of 3e9 m at the origin. No other
// body lies within its reach, unless `touching` puts five there.
void LargeBodyAmongClose(State& s, int n, unsigned seed, bool touching) {
  Scatter(s, n, seed);
  const int large = n / 2;
  for (int i = 0; i <= n; ++i) {
    const double d = std::sqrt(s.objx[i] * s.objx[i] + s.objy[i] * s.objy[i] + s.objz[i] * s.objz[i]);
    if (d < 2e9) s.objx[i] += s.objx[i] < 0 ? -2e9 : 2e9;
  }
  s.objx[large] = s.objy[large] = s.objz[large] = 0.0;
  s.objsize[large] = 3e9;
  for (int t = 1; touching && t <= 5; ++t) {
    const int i = (large + 300 * t) % n + 1;  // rows before and after the large body's
    s.objx[i] = t * 2.5e8;
    s.objy[i] = s.objz[i] = 0.0;
  }
}

// Scatter's bodies, about a third of them made awkward for the divisions'
// shortcuts: on a plane through zeros of either sign, at the place of the
// body before, at tiny or huge coordinates (distances below 2^-300 or above
// 2^300, or overflowing), a distance whose significand is all ones, a
// numerator below 2^-600, NaN or an infinity in a coordinate, velocity or
// mass, a negative size, or random bits. No size is positive, so no pair
// touches and the built-in loop, which merges touching bodies, stays
// comparable.
void AwkwardScene(State& s, int n, unsigned seed) {
  Scatter(s, n, seed);
  std::mt19937_64 rng(seed * 7919u);
  const double nan = std::numeric_limits<double>::quiet_NaN(), inf = std::numeric_limits<double>::infinity();
  const auto sign = [&rng] { return (rng() & 1) != 0 ? -1.0 : 1.0; };
  const auto field = [&s](unsigned f, int i) -> double& {
    molvane::BodyArray<double>* a[] = {&s.objx, &s.objy, &s.objz, &s.objvx, &s.objvy, &s.objvz, &s.objmass};
    return (*a[f % 7])[i];
  };
  for (int i = 1; i <= n; ++i) {
    const int p = i > 1 ? i - 1 : i;
    switch (rng() % 24) {
      case 0:  // planar, zeros of either sign
        s.objz[i] = sign() * 0.0;
        if (rng() & 1) s.objx[i] = sign() * 0.0;
        break;
      case 1:  // coincident with the body before
        s.objx[i] = s.objx[p], s.objy[i] = s.objy[p], s.objz[i] = s.objz[p];
        break;
      case 2:  // tiny coordinates: among such bodies distances are tiny or subnormal
        s.objx[i] = sign() * std::ldexp(1.0 + double(rng() % 1000) / 1000, -int(rng() % 1080));
        s.objy[i] = s.objz[i] = 0.0;
        break;
      case 3:  // huge coordinates: the squared distance beyond 2^600 or overflowing
        s.objy[i] = sign() * std::ldexp(1.0, 280 + int(rng() % 250));
        break;
      case 4:  // along x from the body before by an all-ones significand, or by one below 2^-600
        s.objx[p] = 0.0;
        s.objx[i] = sign() * ((rng() & 1) != 0 ? std::ldexp(0x1.fffffffffffffp0, int(rng() % 80) - 40) : 1e-185);
        if (s.objx[i] != 1e-185 && s.objx[i] != -1e-185) s.objy[i] = s.objy[p], s.objz[i] = s.objz[p];
        break;
      case 5: field(unsigned(rng()), i) = (rng() & 1) != 0 ? nan : -nan; break;
      case 6: field(unsigned(rng()), i) = sign() * inf; break;
      case 7: s.objsize[i] = -1.0e9; break;
      case 8:  // random bits, the size's sign bit set
        for (unsigned f = 0; f < 7; ++f) {
          const uint64_t bits = rng();
          std::memcpy(&field(f, i), &bits, sizeof bits);
        }
        {
          const uint64_t bits = rng() | (uint64_t(1) << 63);
          std::memcpy(&s.objsize[i], &bits, sizeof bits);
        }
        break;
      default: break;
    }
  }
}

// Differences in the bits of bodies 0..upTo and of the whole pair list.
std::string Diff(const State& a, const State& b, int upTo) {
  auto arr = [&](const char* name, const molvane::BodyArray<double>& p,
                 const molvane::BodyArray<double>& q) -> std::string {
    for (int i = 0; i <= upTo; ++i)
      if (std::memcmp(&p[i], &q[i], sizeof(double)) != 0)
        return std::string(name) + "[" + std::to_string(i) + "] " + std::to_string(p[i]) + " vs " +
               std::to_string(q[i]);
    return {};
  };
  for (auto r : {arr("x", a.objx, b.objx), arr("y", a.objy, b.objy), arr("z", a.objz, b.objz),
                 arr("vx", a.objvx, b.objvx), arr("vy", a.objvy, b.objvy), arr("vz", a.objvz, b.objvz)})
    if (!r.empty()) return r;
  if (a.higher != b.higher || a.lower != b.lower) return "pair list";
  return {};
}

}  // namespace

TEST(ForceLoopBuilds, LibraryBindsFromTheProgramFolder) {
  auto s = std::make_unique<State>();
  ASSERT_TRUE(molvane::BindNativeForceLoop(*s, ProgramFolder()));
  EXPECT_TRUE(s->UseNativeForceLoop);
  EXPECT_NE(s->nativeRunLoop, nullptr);
  // A folder name with a trailing slash names the same file.
  auto t = std::make_unique<State>();
  EXPECT_TRUE(molvane::BindNativeForceLoop(*t, ProgramFolder() + "/"));
  EXPECT_EQ(t->nativeRunLoop, s->nativeRunLoop);
}

// Hundreds of steps of each build against the built-in loop plus drift.
TEST(ForceLoopBuilds, SameBitsAsBuiltInLoop) {
  struct Case {
    int n, steps;
    bool large = false;  // one body of 3e9 m among close bodies, none within its reach
  };
  // Odd and even counts around whole vectors of four and eight partners, and
  // the largest tables; then every count up to 130, each row length and
  // parity at the end of the table.
  std::vector<Case> cases{Case{1, 300},   Case{2, 300},       Case{3, 300},       Case{4, 300},       Case{5, 300},
                          Case{7, 300},   Case{9, 200},       Case{10, 200},      Case{13, 200},      Case{18, 200},
                          Case{33, 100},  Case{64, 200},      Case{101, 50},      Case{256, 20},      Case{999, 10},
                          Case{1000, 20}, Case{40, 50, true}, Case{999, 3, true}, Case{1000, 3, true}};
  for (int n = 1; n <= 130; ++n) cases.push_back(Case{n, 3});
  for (const Case c : cases) {
    for (const Build& b : Builds()) {
      SCOPED_TRACE(std::string(b.name) + " n=" + std::to_string(c.n) + (c.large ? " with a large body" : ""));
      auto ref = std::make_unique<State>();
      if (c.large) {
        LargeBodyAmongClose(*ref, c.n, 1234u + unsigned(c.n), false);
      } else {
        Scatter(*ref, c.n, 1234u + unsigned(c.n));
      }
      auto nat = std::make_unique<State>(*ref);
      for (int step = 0; step < c.steps; ++step) {
        BuiltInStep(*ref);
        ASSERT_EQ(Call(b.fn, *nat, c.n), 1);
        const std::string d = Diff(*ref, *nat, std::min(c.n + 8, molvane::MaxBodies));
        ASSERT_TRUE(d.empty()) << "step " << step << ": " << d;
      }
      EXPECT_EQ(ref->higher[1], 0);  // the situation had no touching pair
    }
  }
}

// Every table size from 1 to 1000 with its own awkward bodies, each build
// against the built-in loop over one step.
TEST(ForceLoopBuilds, EveryCountWithAwkwardBodiesAsBuiltInLoop) {
  const std::vector<Build> builds = Builds();
  for (int n = 1; n <= molvane::MaxBodies; ++n) {
    auto base = std::make_unique<State>();
    AwkwardScene(*base, n, 99u + unsigned(n));
    auto ref = std::make_unique<State>(*base);
    BuiltInStep(*ref);
    for (const Build& b : builds) {
      auto got = std::make_unique<State>(*base);
      ASSERT_EQ(Call(b.fn, *got, n), 1);
      ASSERT_EQ(Diff(*ref, *got, std::min(n + 8, molvane::MaxBodies)), "") << b.name << " n=" << n;
    }
  }
}

// Values at the edge of the double range: updates that would overflow are
// skipped in every build exactly as in the built-in loop, and no NaN or
// infinity enters the table.
TEST(ForceLoopBuilds, OverflowingUpdatesAreSkippedLikeBuiltInLoop) {
  // Rows of either parity, in vector lanes and in the last partial vectors.
  for (const int n : {45, 46, 130}) {
    for (const Build& b : Builds()) {
      SCOPED_TRACE(std::string(b.name) + " n=" + std::to_string(n));
      auto ref = std::make_unique<State>();
      Scatter(*ref, n, 4242);
      // Pairs so close that 1/d^2 overflows: in whole vectors, in the short
      // last vector of a row, and the last two bodies.
      for (const auto& [lo, hi, gap] :
           {std::tuple{3, 4, 1e-160}, std::tuple{19, 20, 3e-156}, std::tuple{40, 43, 2e-158},
            std::tuple{24, 37, 5e-157}, std::tuple{n - 3, n, 1e-159}}) {
        ref->objx[lo] = 0.0;
        ref->objx[hi] = gap;
        ref->objy[lo] = ref->objy[hi] = lo * 1e9;
        ref->objz[lo] = ref->objz[hi] = 0.0;
        ref->objmass[lo] = ref->objmass[hi] = 5.0;
      }
      ref->objmass[30] = 1e300;  // GM overflows
      ref->objx[33] = 1.7e308;   // d overflows
      ref->objvx[34] = 1.5e308;  // drift overflows
      ref->objx[34] = 1.0e308;
      ref->objvy[0] = -1.7e308;
      ref->objy[0] = -1.7e308;
      auto nat = std::make_unique<State>(*ref);
      for (int step = 0; step < 4; ++step) {
        BuiltInStep(*ref);
        Call(b.fn, *nat, n);
        ASSERT_EQ(Diff(*ref, *nat, n), "") << "step " << step;
      }
      for (int i = 0; i <= n; ++i) {
        ASSERT_TRUE(std::isfinite(nat->objvx[i]) && std::isfinite(nat->objvy[i]) && std::isfinite(nat->objvz[i]) &&
                    std::isfinite(nat->objx[i]) && std::isfinite(nat->objy[i]) && std::isfinite(nat->objz[i]))
            << "body " << i;
      }
    }
  }
}

// Crowded bodies, many touching and some at the same place (no attraction
// between those): the vector builds still give the scalar build's bits,
// including the pair list. (The built-in loop merges touching bodies within
// its pass; without touching pairs the scalar build is its twin.)
TEST(ForceLoopBuilds, VectorBuildsMatchScalarWithContactsAndCoincidentBodies) {
  // Bodies on a grid of cells: 1e6 m apart most bodies touch, 1e7 m apart
  // only those that share a cell. Cell size 0: one body of 3e9 m among close
  // bodies, five of them within its reach.
  struct Case {
    int n;
    double cellSize;
  };
  for (const auto [n, cellSize] :
       {Case{2, 1e6}, Case{3, 1e6}, Case{5, 1e6}, Case{9, 1e6}, Case{18, 1e6}, Case{31, 1e6}, Case{150, 1e6},
        Case{1000, 1e6}, Case{150, 1e7}, Case{1000, 1e7}, Case{999, 0}, Case{1000, 0}}) {
    auto base = std::make_unique<State>();
    std::mt19937_64 rng(77u + unsigned(n));
    std::uniform_int_distribution<int> cell(-3, 3);
    std::uniform_real_distribution<double> mass(-1.0, 5.0), size(0.0, 3.0e6);
    base->objects = int16_t(n);
    for (int i = 0; i <= n && cellSize > 0; ++i) {
      base->objx[i] = cell(rng) * cellSize;
      base->objy[i] = cell(rng) * cellSize;
      base->objz[i] = (i % 4 == 0) ? 0.0 : cell(rng) * cellSize;
      base->objvx[i] = double(cell(rng));
      base->objmass[i] = (i % 5 == 0) ? 0.0 : mass(rng);
      base->objsize[i] = size(rng);
    }
    if (cellSize == 0) LargeBodyAmongClose(*base, n, 5u, true);
    auto want = std::make_unique<State>(*base);
    for (int step = 0; step < 3; ++step) Call(brisklet::RunLoopScalar, *want, n);
    for (int i = 0; i <= n; ++i) ASSERT_TRUE(std::isfinite(want->objvx[i]));
    if (cellSize == 0) {
      ASSERT_NE(want->higher[5], 0);  // the large body's five pairs, no more
      ASSERT_EQ(want->higher[6], 0);
    }
    for (const Build& b : Builds()) {
      SCOPED_TRACE(std::string(b.name) + " n=" + std::to_string(n) + " cell=" + std::to_string(cellSize));
      auto got = std::make_unique<State>(*base);
      for (int step = 0; step < 3; ++step) Call(b.fn, *got, n);
      EXPECT_EQ(Diff(*want, *got, n), "");
    }
  }
}

// One body of an odd size among bodies that all touch, at every place in
// tables of 2..20: a size that is not a number, an infinite or a negative
// one touches as in the scalar loop and hides none of its row pair's pairs.
TEST(ForceLoopPairs, OneOddSizeHidesNoPair) {
  const double nan = std::numeric_limits<double>::quiet_NaN(), inf = std::numeric_limits<double>::infinity();
  for (const double odd : {nan, -nan, inf, -inf, -4.0e6, -0.0}) {
    for (int n = 2; n <= 20; ++n) {
      for (int at = 1; at <= n; ++at) {
        auto base = std::make_unique<State>();
        base->objects = int16_t(n);
        for (int i = 1; i <= n; ++i) {
          base->objx[i] = i * 10.0;
          base->objy[i] = (i % 3) * 7.0;
          base->objsize[i] = i == at ? odd : 1.0e6 + i;
        }
        auto want = std::make_unique<State>(*base);
        Call(brisklet::RunLoopScalar, *want, n);
        for (const Build& b : Builds()) {
          auto got = std::make_unique<State>(*base);
          Call(b.fn, *got, n);
          ASSERT_EQ(Diff(*want, *got, n), "") << b.name << " n=" << n << " size[" << at << "]=" << odd;
        }
      }
    }
  }
}

TEST(ForceLoopPairs, StrictTouchAndVisitingOrder) {
  for (const Build& b : Builds()) {
    SCOPED_TRACE(b.name);
    auto s = std::make_unique<State>();
    s->objects = 17;
    for (int i = 1; i <= 17; ++i) s->objx[i] = i * 1.0e9;  // far apart, size 0
    // (2, 7): diameters sum to exactly twice the distance: not listed.
    s->objx[7] = s->objx[2] + 2.0;
    s->objsize[2] = s->objsize[7] = 2.0;
    // (3, 12) a hair closer than touching: listed; (3, 15) too, after it.
    s->objx[3] = 0.0;  // where the hair is representable
    s->objx[12] = std::nextafter(2.0, 0.0);
    s->objsize[3] = s->objsize[12] = 2.0;
    s->objx[15] = s->objx[3] - 1.0;
    s->objsize[15] = 0.5;
    // (5, 6) touch at a distance that only their own sizes reach, both being
    // larger than every body after them.
    s->objx[6] = s->objx[5] + 2.75;
    s->objsize[5] = s->objsize[6] = 3.0;
    // (16, 17) at the same place with sizes: listed, and no attraction.
    s->objx[17] = s->objx[16];
    s->objsize[16] = s->objsize[17] = 1.0;
    s->objmass[16] = s->objmass[17] = 1.0;
    for (int e = 5; e <= molvane::MaxPairs; ++e) s->higher[e] = s->lower[e] = -7;
    EXPECT_EQ(Call(b.fn, *s, 17), 1);
    EXPECT_EQ(s->higher[0], 0);
    EXPECT_EQ(s->higher[1], 12);
    EXPECT_EQ(s->lower[1], 3);
    EXPECT_EQ(s->higher[2], 15);
    EXPECT_EQ(s->lower[2], 3);
    EXPECT_EQ(s->higher[3], 6);
    EXPECT_EQ(s->lower[3], 5);
    EXPECT_EQ(s->higher[4], 17);
    EXPECT_EQ(s->lower[4], 16);
    for (int e = 5; e <= molvane::MaxPairs; ++e) {
      EXPECT_EQ(s->higher[e], -7);
      EXPECT_EQ(s->lower[e], -7);
    }
    EXPECT_EQ(s->objvx[16], 0.0);
    EXPECT_EQ(s->objvx[17], 0.0);
  }
}

TEST(ForceLoopPairs, OnlyTheFirstHundredAndNeverPastEntry100) {
  // All pairs touch; the hundredth falls in row 4 or in row 3.
  for (const int n : {30, 40}) {
    for (const Build& b : Builds()) {
      SCOPED_TRACE(std::string(b.name) + " n=" + std::to_string(n));
      auto s = std::make_unique<State>();
      s->objects = n;
      for (int i = 1; i <= n; ++i) {
        s->objx[i] = i * 10.0;
        s->objsize[i] = 1.0e6;
      }
      // The pair arrays sit in a larger block with guards after entry 100.
      std::vector<int32_t> hi(molvane::MaxPairs + 9, -1), lo(molvane::MaxPairs + 9, -1);
      ASSERT_EQ(b.fn(n, s->objmass.data(), s->objx.data(), s->objy.data(), s->objz.data(), s->objvx.data(),
                     s->objvy.data(), s->objvz.data(), s->objsize.data(), hi.data(), lo.data()),
                1);
      int e = 0;
      for (int j = 1; j <= n && e < molvane::MaxPairs; ++j)
        for (int k = j + 1; k <= n && e < molvane::MaxPairs; ++k) {
          ++e;
          ASSERT_EQ(hi[e], k) << "entry " << e;
          ASSERT_EQ(lo[e], j) << "entry " << e;
        }
      EXPECT_EQ(hi[0], -1);
      for (size_t g = molvane::MaxPairs + 1; g < hi.size(); ++g) {
        EXPECT_EQ(hi[g], -1);
        EXPECT_EQ(lo[g], -1);
      }
    }
  }
}

// Signed zeros: bodies that pull nothing (mass term 0 or below) and bodies
// whose pull underflows to a zero of either sign, all starting at -0. Every
// zero's sign must come out as in the built-in loop.
TEST(ForceLoopEdges, SignedZeroVelocitiesAsBuiltInLoop) {
  for (const Build& b : Builds()) {
    SCOPED_TRACE(b.name);
    auto ref = std::make_unique<State>();
    constexpr int n = 29;
    ref->objects = n;
    for (int i = 1; i <= n; ++i) {
      ref->objx[i] = -i * 1.0e10;  // partners lie at -x: their terms are -0
      ref->objy[i] = i > 20 ? 1.0e10 : 0.0;
      ref->objvx[i] = ref->objvy[i] = ref->objvz[i] = -0.0;
      ref->objmass[i] = i % 3 == 0 ? std::numeric_limits<double>::denorm_min() : (i % 3 == 1 ? 0.0 : -3.0);
    }
    auto nat = std::make_unique<State>(*ref);
    BuiltInStep(*ref);
    Call(b.fn, *nat, n);
    EXPECT_EQ(Diff(*ref, *nat, n), "");
  }
}

TEST(ForceLoopEdges, NoBodiesMovesNothingAndOneBodyDrifts) {
  for (const Build& b : Builds()) {
    SCOPED_TRACE(b.name);
    auto s = std::make_unique<State>();
    Scatter(*s, 3, 5);
    s->objmass[1] = s->objmass[2] = 50.0;
    auto before = std::make_unique<State>(*s);
    EXPECT_EQ(Call(b.fn, *s, 0), 0);
    EXPECT_EQ(Call(b.fn, *s, -3), 0);
    EXPECT_EQ(Diff(*before, *s, 4), "");

    EXPECT_EQ(Call(b.fn, *s, 1), 1);
    for (int i = 0; i <= 1; ++i) {
      EXPECT_EQ(s->objx[i], before->objx[i] + before->objvx[i]);
      EXPECT_EQ(s->objy[i], before->objy[i] + before->objvy[i]);
      EXPECT_EQ(s->objz[i], before->objz[i] + before->objvz[i]);
      EXPECT_EQ(s->objvx[i], before->objvx[i]);
    }
    EXPECT_EQ(s->objx[2], before->objx[2]);
    EXPECT_EQ(s->objvx[2], before->objvx[2]);
    EXPECT_EQ(s->higher[1], 0);
  }
}

// Start-up binding: anything but a loadable library exporting RunLoop leaves
// the built-in loop in charge, and the step runs it without a failing call.
class ForceLoopBinding : public ::testing::Test {
 protected:
  void SetUp() override {
    char tmpl[] = "/tmp/brisklet-bind-XXXXXX";
    ASSERT_NE(mkdtemp(tmpl), nullptr);
    folder_ = tmpl;
  }
  void TearDown() override {
    std::error_code ec;
    fs::remove_all(folder_, ec);
  }
  std::string File() const { return folder_ + "/libbrisklet.so"; }

  // With no bodies only the built-in path moves body 0 (its drift covers
  // 0..objects; the native loop returns at once for n < 1).
  static bool StepMovesBodyZero(State& s) {
    s.objects = 0;
    s.objvx[0] = 5.0;
    const double x0 = s.objx[0];
    molvane::NullEngineHost host;
    molvane::SimulationStep(s, host);
    return s.objx[0] != x0;
  }

  std::string folder_;
};

TEST_F(ForceLoopBinding, MissingFileKeepsBuiltInLoop) {
  auto s = std::make_unique<State>();
  EXPECT_FALSE(molvane::BindNativeForceLoop(*s, folder_));
  EXPECT_FALSE(molvane::BindNativeForceLoop(*s, ""));
  EXPECT_FALSE(s->UseNativeForceLoop);
  EXPECT_EQ(s->nativeRunLoop, nullptr);
  EXPECT_TRUE(StepMovesBodyZero(*s));
}

TEST_F(ForceLoopBinding, FilesThatAreNotTheLibraryKeepBuiltInLoop) {
  {
    std::ofstream(File()) << "not a library\n";
    auto s = std::make_unique<State>();
    EXPECT_FALSE(molvane::BindNativeForceLoop(*s, folder_));
    EXPECT_FALSE(s->UseNativeForceLoop);
    EXPECT_EQ(s->nativeRunLoop, nullptr);
    EXPECT_TRUE(StepMovesBodyZero(*s));
  }
  {
    fs::remove(File());
    fs::copy_file(NORUNLOOP_LIBRARY, File());
    auto s = std::make_unique<State>();
    EXPECT_FALSE(molvane::BindNativeForceLoop(*s, folder_));
    EXPECT_FALSE(s->UseNativeForceLoop);
    EXPECT_EQ(s->nativeRunLoop, nullptr);
  }
  {
    fs::remove(File());
    fs::create_directory(File());
    auto s = std::make_unique<State>();
    EXPECT_FALSE(molvane::BindNativeForceLoop(*s, folder_));
    EXPECT_FALSE(s->UseNativeForceLoop);
  }
}

TEST_F(ForceLoopBinding, StepUsesBoundLibrary) {
  // A copy of the real library in another folder, found by a relative name.
  fs::copy_file(ProgramFolder() + "/libbrisklet.so", File());
  const fs::path here = fs::current_path();
  fs::current_path(folder_);
  auto s = std::make_unique<State>();
  const bool bound = molvane::BindNativeForceLoop(*s, ".");
  fs::current_path(here);
  ASSERT_TRUE(bound);
  EXPECT_TRUE(s->UseNativeForceLoop);
  EXPECT_FALSE(StepMovesBodyZero(*s));

  // One step of the program with the library gives the loop's own bits.
  Scatter(*s, 64, 99);
  s->ThrustActive = false;
  auto want = std::make_unique<State>(*s);
  molvane::NullEngineHost host;
  molvane::SimulationStep(*s, host);
  Call(brisklet::RunLoopScalar, *want, 64);
  EXPECT_EQ(Diff(*want, *s, 64), "");
}

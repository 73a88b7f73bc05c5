#include "engine/orbits.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace molvane {
namespace {

constexpr double kPi = 3.14159265358979323846;
double Rad(double deg) { return deg * kPi / 180; }

// Body 1 "Centre" (mass 1 Earth mass, moving) and body 2 "Sat" referring to
// it, ready for placement with the given elements (degrees here).
State TwoBodies(double ts, double a, double e, double inc, double argp, double node, double M) {
  State s;
  s.timescale = ts;
  s.objects = 2;
  s.objname[1] = "Centre";
  s.objname[2] = "Sat";
  s.objref[2] = "Centre";
  s.objmass[1] = 1.0 * ts * ts;
  s.objx[1] = 1.5e9;
  s.objy[1] = -2.0e8;
  s.objz[1] = 3.0e7;
  s.objvx[1] = 1200.0 * ts;
  s.objvy[1] = -300.0 * ts;
  s.objvz[1] = 50.0 * ts;
  s.NewBodyMass = 0.01;
  s.objmass[2] = s.NewBodyMass * ts * ts;
  s.objrefindex[2] = 1;
  s.objsma[2] = a;
  s.objecc[2] = e;
  s.objinc[2] = Rad(inc);
  s.objper[2] = Rad(argp);
  s.objasc[2] = Rad(node);
  s.objma[2] = Rad(M);
  return s;
}

// True anomaly 0..2pi for mean anomaly M, by bisection (independent of the
// Newton iteration under test).
double TrueAnomaly(double e, double M) {
  M = std::fmod(M, 2 * kPi);
  double lo = 0, hi = 2 * kPi;
  for (int it = 0; it < 200; ++it) {
    const double mid = (lo + hi) / 2;
    (mid - e * std::sin(mid) < M ? lo : hi) = mid;
  }
  const double E = (lo + hi) / 2;
  double nu = 2 * std::atan2(std::sqrt(1 + e) * std::sin(E / 2), std::sqrt(1 - e) * std::cos(E / 2));
  if (nu < 0) nu += 2 * kPi;
  return nu;
}

void ExpectAllFinite(const State& s, int i) {
  for (double v : {s.objsma[i], s.objecc[i], s.objinc[i], s.objper[i], s.objasc[i], s.objma[i], s.objperdist[i],
                   s.objappdist[i]}) {
    EXPECT_TRUE(std::isfinite(v));
  }
}

TEST(OrbitsArcCos, FormulaInsideFailsAtAndBeyondOne) {
  double out = 7;
  ASSERT_TRUE(ArcCos(0.0, out));
  EXPECT_DOUBLE_EQ(out, kPi / 2);
  ASSERT_TRUE(ArcCos(0.5, out));
  EXPECT_NEAR(out, kPi / 3, 1e-15);
  ASSERT_TRUE(ArcCos(-0.5, out));
  EXPECT_NEAR(out, 2 * kPi / 3, 1e-15);
  out = 7;
  for (double x : {1.0, -1.0, 1.0000001, -3.0, double(NAN), double(INFINITY)}) {
    EXPECT_FALSE(ArcCos(x, out)) << x;
    EXPECT_EQ(out, 7);
  }
  EXPECT_EQ(GetPi(), 4 * std::atan(1.0));
}

// Place a body from elements, read the elements back. Only where the
// quadrant rules keep the value: node below 180, argument of periapsis below
// 180, and a true anomaly between 0 and 90 for the mean anomaly.
TEST(OrbitsRoundTrip, GridOfElementsComesBack) {
  int anomaliesCompared = 0;
  for (double ts : {1.0, 60.0}) {
    for (double e : {0.01, 0.1, 0.3, 0.5, 0.7, 0.9}) {
      for (double inc : {10.0, 45.0, 80.0, 150.0}) {
        for (double node : {30.0, 120.0, 210.0}) {
          for (double argp : {20.0, 100.0, 170.0, 250.0}) {
            for (double M : {2.0, 10.0, 30.0, 60.0, 200.0, 300.0}) {
              SCOPED_TRACE(testing::Message() << "ts " << ts << " e " << e << " i " << inc << " O " << node << " w "
                                              << argp << " M " << M);
              const double a = 26000.0;
              State s = TwoBodies(ts, a, e, inc, argp, node, M);
              ASSERT_TRUE(PlaceBodyOnOrbit(s, 2, false));
              ComputeOrbitalElements(s, 2, 1);
              ExpectAllFinite(s, 2);
              EXPECT_NEAR(s.objsma[2], a, a * 1e-9);
              EXPECT_NEAR(s.objecc[2], e, 1e-10);
              EXPECT_NEAR(s.objinc[2], inc <= 90 ? inc : 180 - inc, 1e-7);
              EXPECT_NEAR(s.objperdist[2], a * (1 - e), a * 1e-9);
              EXPECT_NEAR(s.objappdist[2], a * (1 + e), a * 1e-9);
              // The quadrant rules keep every angle within 0..180.
              EXPECT_GE(s.objasc[2], 0);
              EXPECT_LE(s.objasc[2], 180);
              EXPECT_GE(s.objper[2], 0);
              EXPECT_LE(s.objper[2], 180);
              EXPECT_GE(s.objma[2], 0);
              EXPECT_LE(s.objma[2], 180);
              if (node < 180) {
                EXPECT_NEAR(s.objasc[2], node, 1e-7);
              }
              if (argp < 180) {
                EXPECT_NEAR(s.objper[2], argp, 1e-6);
              }
              const double nu = TrueAnomaly(e, Rad(M)) * 180 / kPi;
              if (nu > 1 && nu < 89) {
                EXPECT_NEAR(s.objma[2], M, 1e-6);
                ++anomaliesCompared;
              }
            }
          }
        }
      }
    }
  }
  EXPECT_GT(anomaliesCompared, 300);
}

TEST(OrbitsQuirks, RetrogradeNodeAndPeriapsisFold) {
  State s = TwoBodies(1.0, 30000.0, 0.2, 150.0, 250.0, 210.0, 20.0);
  ASSERT_TRUE(PlaceBodyOnOrbit(s, 2, false));
  ComputeOrbitalElements(s, 2, 1);
  EXPECT_NEAR(s.objinc[2], 30, 1e-7);   // absolute value of cos i
  EXPECT_NEAR(s.objasc[2], 30, 1e-7);   // pi - (2 pi - 210 deg)
  EXPECT_NEAR(s.objper[2], 110, 1e-6);  // no quadrant rule: 360 - 250
}

TEST(OrbitsQuirks, EquatorialOrbitShowsNode180AndPeriapsis0) {
  State s = TwoBodies(1.0, 12000.0, 0.4, 0.0, 75.0, 40.0, 30.0);
  ASSERT_TRUE(PlaceBodyOnOrbit(s, 2, false));
  // Reference at rest in z so the relative orbit lies exactly in the plane.
  ASSERT_EQ(s.objz[2] - s.objz[1], 0.0);
  ComputeOrbitalElements(s, 2, 1);
  ExpectAllFinite(s, 2);
  EXPECT_EQ(s.objinc[2], 0);
  EXPECT_EQ(s.objasc[2], 180);
  EXPECT_EQ(s.objper[2], 0);
  EXPECT_NEAR(s.objsma[2], 12000, 1e-5);
  EXPECT_NEAR(s.objecc[2], 0.4, 1e-10);
}

// A circular orbit built so that v^2 equals mu / r exactly: e is 0 and the
// periapsis, true anomaly and eccentric anomaly arc cosines all fail.
TEST(OrbitsQuirks, CircularOrbitShowsPeriapsis0) {
  State s;
  s.objects = 2;
  // Find a mass term whose gravitational parameter is exactly 20000 km^3/s^2.
  double m = 20000.0 / 398600.44;
  for (int step = 0; step < 100; ++step) m = std::nextafter(m, 0.0);
  for (int step = 0; step < 200 && 398600.44 * (0.0 + m) != 20000.0; ++step) m = std::nextafter(m, 1.0);
  ASSERT_EQ(398600.44 * (0.0 + m), 20000.0);
  s.objmass[1] = m;
  s.objy[2] = 8.0e5;     // r = (0, 800, 0) km
  s.objvx[2] = -3000.0;  // v = (-3, 0, 4) km/s, |v|^2 = 25 = mu / r
  s.objvz[2] = 4000.0;
  ComputeOrbitalElements(s, 2, 1);
  EXPECT_EQ(s.objecc[2], 0);
  EXPECT_EQ(s.objper[2], 0);
  EXPECT_DOUBLE_EQ(s.objsma[2], 800);
  EXPECT_EQ(s.objperdist[2], s.objsma[2]);
  EXPECT_EQ(s.objappdist[2], s.objsma[2]);
  EXPECT_NEAR(s.objinc[2], std::acos(0.6) * 180 / kPi, 1e-12);
  EXPECT_NEAR(s.objasc[2], 90, 1e-12);
  // True anomaly stays 0, r.v = 0 turns it into pi, E mirrors to pi.
  EXPECT_NEAR(s.objma[2], 180, 1e-12);
}

TEST(OrbitsQuirks, TrueAnomalyMirrors) {
  const double e = 0.5;
  const auto meanFromTrue = [&](double nuDeg) {
    const double nu = Rad(nuDeg);
    double E = 2 * std::atan(std::sqrt((1 - e) / (1 + e)) * std::tan(nu / 2));
    if (E < 0) E += 2 * kPi;
    return (E - e * std::sin(E)) * 180 / kPi;
  };
  const auto eccFromTrue = [&](double nuDeg) {
    const double c = std::cos(Rad(nuDeg));
    return std::acos((e + c) / (1 + e * c));
  };
  {
    // Outward at 100 degrees: E is mirrored about 90 degrees.
    State s = TwoBodies(1.0, 20000.0, e, 30.0, 40.0, 50.0, meanFromTrue(100));
    ASSERT_TRUE(PlaceBodyOnOrbit(s, 2, false));
    ComputeOrbitalElements(s, 2, 1);
    const double E = kPi - eccFromTrue(100);
    EXPECT_NEAR(s.objma[2], (E - e * std::sin(E)) * 180 / kPi, 1e-6);
  }
  {
    // Inward at 250 degrees: reported true anomaly 180 - 110 = 70, no mirror.
    State s = TwoBodies(1.0, 20000.0, e, 30.0, 40.0, 50.0, meanFromTrue(250));
    ASSERT_TRUE(PlaceBodyOnOrbit(s, 2, false));
    ComputeOrbitalElements(s, 2, 1);
    EXPECT_NEAR(s.objma[2], meanFromTrue(70), 1e-6);
  }
}

TEST(OrbitsDegenerate, NoNaNEverStored) {
  State s = TwoBodies(1.0, 20000.0, 0.3, 30.0, 40.0, 50.0, 60.0);
  ASSERT_TRUE(PlaceBodyOnOrbit(s, 2, false));
  // Body about itself: everything fails but the quadrant rules.
  ComputeOrbitalElements(s, 2, 2);
  ExpectAllFinite(s, 2);
  EXPECT_EQ(s.objsma[2], 0);
  EXPECT_EQ(s.objecc[2], 0);
  EXPECT_EQ(s.objinc[2], 0);
  EXPECT_EQ(s.objper[2], 0);
  EXPECT_EQ(s.objasc[2], 180);
  EXPECT_EQ(s.objma[2], 180);

  // Massless pair, zero time step, reference index out of range.
  State m = s;
  m.objmass[1] = m.objmass[2] = 0;
  ComputeOrbitalElements(m, 2, 1);
  ExpectAllFinite(m, 2);
  State z = s;
  z.timescale = 0;
  ComputeOrbitalElements(z, 2, 1);
  ExpectAllFinite(z, 2);
  State r = s;
  ComputeOrbitalElements(r, 2, 1001);
  ExpectAllFinite(r, 2);
  EXPECT_EQ(r.objasc[2], 180);

  // Body index out of range: nothing written anywhere.
  State before = s;
  ComputeOrbitalElements(s, 1001, 1);
  ComputeOrbitalElements(s, -1, 1);
  EXPECT_EQ(s.objsma, before.objsma);
  EXPECT_EQ(s.objma, before.objma);
}

TEST(OrbitsPeriod, KnownValueAndIndependentOfTimeStep) {
  State s = TwoBodies(1.0, 7000.0, 0.05, 20.0, 30.0, 40.0, 50.0);
  s.NewBodyMass = 0;
  s.objmass[2] = 0;
  ASSERT_TRUE(PlaceBodyOnOrbit(s, 2, false));
  const double p1 = GetOrbitalPeriod(s, "Sat");
  EXPECT_NEAR(p1, 2 * kPi * std::sqrt(std::pow(7.0e6, 3) / EarthGM), 1e-6);

  for (double k : {2.0, 60.0, 1.0 / 3.0}) {
    State r = s;
    r.timescale *= k;
    for (int b = 0; b <= r.objects; ++b) {
      r.objvx[b] *= k;
      r.objvy[b] *= k;
      r.objvz[b] *= k;
      r.objmass[b] *= k * k;
    }
    EXPECT_NEAR(GetOrbitalPeriod(r, "Sat"), p1, p1 * 1e-12) << k;
  }

  // Both mass terms count: equal masses give 1/sqrt(2) of the period.
  State two = TwoBodies(1.0, 7000.0, 0.05, 20.0, 30.0, 40.0, 50.0);
  two.NewBodyMass = 1;
  two.objmass[2] = 1;
  ASSERT_TRUE(PlaceBodyOnOrbit(two, 2, false));
  EXPECT_NEAR(GetOrbitalPeriod(two, "Sat") * std::sqrt(2.0), p1, p1 * 1e-9);
}

TEST(OrbitsPeriod, UnboundOrUnknownGivesZero) {
  State s = TwoBodies(1.0, 7000.0, 0.05, 20.0, 30.0, 40.0, 50.0);
  ASSERT_TRUE(PlaceBodyOnOrbit(s, 2, false));
  s.objvx[2] *= 3;  // far above escape speed: negative semi-major axis
  EXPECT_EQ(GetOrbitalPeriod(s, "Sat"), 0);
  EXPECT_EQ(GetOrbitalPeriod(s, "Nobody"), 0);
  ExpectAllFinite(s, 0);
}

TEST(OrbitsEscapeSpeed, EarthAndFailures) {
  double v = 0;
  ASSERT_TRUE(GetEscapeSpeed(1.0, 6378137.0, v));
  EXPECT_GT(v, 11000);
  EXPECT_LT(v, 11300);
  EXPECT_DOUBLE_EQ(v, std::sqrt(7.9720088e14 / 6378137.0));
  v = 5;
  EXPECT_FALSE(GetEscapeSpeed(1.0, 0.0, v));
  EXPECT_FALSE(GetEscapeSpeed(-1.0, 10.0, v));
  EXPECT_FALSE(GetEscapeSpeed(1e300, 1e-300, v));
  EXPECT_FALSE(GetEscapeSpeed(NAN, 1.0, v));
  EXPECT_EQ(v, 5);
}

TEST(OrbitsPlace, PeriapsisDistanceAboutMovingReference) {
  State s = TwoBodies(1.0, 10000.0, 0.25, 35.0, 60.0, 80.0, 0.0);
  ASSERT_TRUE(PlaceBodyOnOrbit(s, 2, false));
  const double dx = s.objx[2] - s.objx[1], dy = s.objy[2] - s.objy[1], dz = s.objz[2] - s.objz[1];
  EXPECT_NEAR(std::sqrt(dx * dx + dy * dy + dz * dz), 7500e3, 1e-3);
  // Vis-viva at periapsis, in metres per step relative to the reference.
  const double mu = 398600.44 * 1.01 * 1e9;
  const double vx = s.objvx[2] - s.objvx[1], vy = s.objvy[2] - s.objvy[1], vz = s.objvz[2] - s.objvz[1];
  EXPECT_NEAR(std::sqrt(vx * vx + vy * vy + vz * vz), std::sqrt(mu * (2 / 7500e3 - 1 / 10000e3)), 1e-6);
}

TEST(OrbitsPlace, FailureLeavesBodyUnchanged) {
  struct Case {
    double a, e, M;
  };
  // Newton divides by zero at the start; Newton wanders without converging;
  // negative semi-major axis; infinite mean anomaly.
  for (const Case& c :
       {Case{10000, 1.0, -0.5}, Case{10000, 1.0, 5.95}, Case{-10000, 0.3, 1.0}, Case{10000, 0.3, INFINITY}}) {
    State s = TwoBodies(1.0, c.a, c.e, 10, 20, 30, 0);
    s.objma[2] = c.M;
    s.objx[2] = 1;
    s.objy[2] = 2;
    s.objz[2] = 3;
    s.objvx[2] = 4;
    s.objvy[2] = 5;
    s.objvz[2] = 6;
    const State before = s;
    EXPECT_FALSE(PlaceBodyOnOrbit(s, 2, false)) << c.a << " " << c.e << " " << c.M;
    EXPECT_EQ(s.objx, before.objx);
    EXPECT_EQ(s.objy, before.objy);
    EXPECT_EQ(s.objz, before.objz);
    EXPECT_EQ(s.objvx, before.objvx);
    EXPECT_EQ(s.objvy, before.objvy);
    EXPECT_EQ(s.objvz, before.objvz);
  }
  State s = TwoBodies(1.0, 10000, 0.1, 10, 20, 30, 0);
  EXPECT_FALSE(PlaceBodyOnOrbit(s, 1001, false));
  s.objrefindex[2] = -1;
  EXPECT_FALSE(PlaceBodyOnOrbit(s, 2, false));
}

// The group is every other body referring to the reference; the new body
// itself (here 3, already named as a member) is not part of it, and nothing
// but the new body moves.
TEST(OrbitsPlace, GroupBarycentreExcludesNewBody) {
  State s = TwoBodies(1.0, 50000.0, 0.2, 15.0, 25.0, 35.0, 45.0);
  s.objects = 4;
  s.objmass[2] = 0.5;
  s.objx[2] = 3.0e8;
  s.objvy[2] = 800.0;
  s.objrefindex[2] = 1;
  s.objname[3] = "New";
  s.objref[3] = "Centre";
  s.objmass[3] = 0.25;
  s.objx[3] = -9.0e9;
  s.objvz[3] = 5.0e4;
  s.objrefindex[3] = 1;
  s.objname[4] = "Other";
  s.objref[4] = "Sat";
  s.objmass[4] = 7;
  s.objsma[3] = s.objsma[2];
  s.objecc[3] = s.objecc[2];
  s.objinc[3] = s.objinc[2];
  s.objper[3] = s.objper[2];
  s.objasc[3] = s.objasc[2];
  s.objma[3] = s.objma[2];
  const State before = s;
  ASSERT_TRUE(PlaceBodyOnOrbit(s, 3, true));
  EXPECT_EQ(s.SystemElementsCount, 1);
  EXPECT_EQ(s.SystemElements[1], 2);
  EXPECT_DOUBLE_EQ(s.GroupMass, 1.5);
  for (int b : {1, 2, 4}) {
    EXPECT_EQ(s.objx[b], before.objx[b]);
    EXPECT_EQ(s.objvy[b], before.objvy[b]);
  }

  // Same placement about a single body of the group's mass at its barycentre.
  State ref = before;
  ref.objmass[1] = 1.5;
  ref.objx[1] = (before.objx[1] * 1.0 + before.objx[2] * 0.5) / 1.5;
  ref.objy[1] = (before.objy[1] * 1.0 + before.objy[2] * 0.5) / 1.5;
  ref.objz[1] = (before.objz[1] * 1.0 + before.objz[2] * 0.5) / 1.5;
  ref.objvx[1] = (before.objvx[1] * 1.0 + before.objvx[2] * 0.5) / 1.5;
  ref.objvy[1] = (before.objvy[1] * 1.0 + before.objvy[2] * 0.5) / 1.5;
  ref.objvz[1] = (before.objvz[1] * 1.0 + before.objvz[2] * 0.5) / 1.5;
  ref.NewBodyMass = 0;
  ASSERT_TRUE(PlaceBodyOnOrbit(ref, 3, false));
  EXPECT_NEAR(s.objx[3], ref.objx[3], 1e-3);
  EXPECT_NEAR(s.objy[3], ref.objy[3], 1e-3);
  EXPECT_NEAR(s.objz[3], ref.objz[3], 1e-3);
  EXPECT_NEAR(s.objvx[3], ref.objvx[3], 1e-9);
  EXPECT_NEAR(s.objvy[3], ref.objvy[3], 1e-9);
  EXPECT_NEAR(s.objvz[3], ref.objvz[3], 1e-9);
}

// A massless reference with a massless member has no barycentre: the centre
// stays at the reference instead of turning into 0/0.
TEST(OrbitsPlace, MasslessGroupKeepsCentreAtReference) {
  State s = TwoBodies(1.0, 50000.0, 0.2, 15.0, 25.0, 35.0, 0.0);
  s.objmass[1] = 0;
  s.objmass[2] = 0;
  s.objx[2] = 4.0e8;
  s.objvx[2] = 900;
  s.objects = 3;
  s.objname[3] = "Probe";
  s.objref[3] = "Centre";
  s.objrefindex[3] = 1;
  s.objsma[3] = 50000;
  s.objecc[3] = 0.2;
  ASSERT_TRUE(PlaceBodyOnOrbit(s, 3, true));
  EXPECT_EQ(s.SystemElementsCount, 1);
  const double dx = s.objx[3] - s.objx[1], dy = s.objy[3] - s.objy[1], dz = s.objz[3] - s.objz[1];
  EXPECT_NEAR(std::sqrt(dx * dx + dy * dy + dz * dz), 40000e3, 1e-3);  // periapsis
  EXPECT_EQ(s.objvx[3], s.objvx[1]);                                   // no attracting mass: no orbital speed
}

}  // namespace
}  // namespace molvane

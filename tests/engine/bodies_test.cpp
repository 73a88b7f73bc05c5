#include "engine/bodies.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "engine/orbits.h"
#include "engine/simulation.h"
#include "tests/support/nullhosts.h"

namespace molvane {
namespace {

struct CallLog : NullEngineHost {
  std::vector<std::string> calls;
  void setTimerEnabled(bool on) override { calls.push_back(on ? "timer on" : "timer off"); }
  void rebuildObjectLabels() override { calls.push_back("labels"); }
  void refreshObjectLists() override { calls.push_back("lists"); }
  void clearView() override { calls.push_back("clear"); }
  void selectFocusInList() override { calls.push_back("focus list"); }
};

struct BodiesTest : ::testing::Test {
  std::unique_ptr<State> owned = std::make_unique<State>();
  State& s = *owned;
  CallLog host;

  // Body i gets values in every per-body field that tell it apart.
  void AddDistinct() {
    const int i = ++s.objects;
    const double v = i;
    s.objname[i] = "Body " + std::to_string(i);
    s.objref[i] = "Ref " + std::to_string(i);
    s.objmass[i] = v;
    s.objx[i] = 10 * v;
    s.objy[i] = 20 * v;
    s.objz[i] = 30 * v;
    s.objvx[i] = 40 * v;
    s.objvy[i] = 50 * v;
    s.objvz[i] = 60 * v;
    s.objsize[i] = 70 * v;
    s.objcolor[i] = 80 * i;
    s.objcolor2[i] = 90 * i;
    s.objdirx[i] = 1.5f * i;
    s.objdiry[i] = 2.5f * i;
    s.objdirz[i] = 3.5f * i;
    s.objthrust[i] = 4.5f * i;
    s.objthruston[i] = (i % 2) == 1;
    s.objrefindex[i] = static_cast<int16_t>(100 + i);
    s.objlastx[i] = 110 * v;
    s.objlasty[i] = 120 * v;
    s.objsma[i] = 130 * v;
    s.objecc[i] = 140 * v;
    s.objinc[i] = 150 * v;
    s.objper[i] = 160 * v;
    s.objasc[i] = 170 * v;
    s.objma[i] = 180 * v;
    s.objperdist[i] = 190 * v;
    s.objappdist[i] = 200 * v;
  }

  // Every per-body field of body i, as one comparable record.
  std::vector<std::string> Fields(int i) const { return FieldsOf(s, i); }
  static std::vector<std::string> FieldsOf(const State& st, int i) {
    auto n = [](double v) { return std::to_string(v); };
    return {st.objname[i],      st.objref[i],         n(st.objmass[i]),     n(st.objx[i]),     n(st.objy[i]),
            n(st.objz[i]),      n(st.objvx[i]),       n(st.objvy[i]),       n(st.objvz[i]),    n(st.objsize[i]),
            n(st.objcolor[i]),  n(st.objcolor2[i]),   n(st.objdirx[i]),     n(st.objdiry[i]),  n(st.objdirz[i]),
            n(st.objthrust[i]), n(st.objthruston[i]), n(st.objrefindex[i]), n(st.objlastx[i]), n(st.objlasty[i]),
            n(st.objsma[i]),    n(st.objecc[i]),      n(st.objinc[i]),      n(st.objper[i]),   n(st.objasc[i]),
            n(st.objma[i]),     n(st.objperdist[i]),  n(st.objappdist[i])};
  }

  void Pair(int k, int hi, int lo) {
    s.higher[k] = hi;
    s.lower[k] = lo;
  }

  void Body(int i, double m, double vx, double size = 1) {
    if (s.objects < i) s.objects = static_cast<int16_t>(i);
    s.objname[i] = "B" + std::to_string(i);
    s.objmass[i] = m;
    s.objvx[i] = vx;
    s.objsize[i] = size;
  }
};

TEST_F(BodiesTest, FindBodyByNameTakesTheLastExactMatch) {
  AddDistinct();
  AddDistinct();
  AddDistinct();
  s.objname[3] = "Body 1";
  EXPECT_EQ(FindBodyByName(s, "Body 1"), 3);
  EXPECT_EQ(FindBodyByName(s, "Body 2"), 2);
  EXPECT_EQ(FindBodyByName(s, "body 2"), 0);
  EXPECT_EQ(FindBodyByName(s, "Body 2 "), 0);
  // A name that begins the text: the last such body; an empty name never.
  EXPECT_EQ(FindBodyNamedAtStart(s, "Body 1 and more"), 3);
  EXPECT_EQ(FindBodyNamedAtStart(s, "Body 2"), 2);
  EXPECT_EQ(FindBodyNamedAtStart(s, "Body"), 0);
  s.objname[3].clear();
  EXPECT_EQ(FindBodyNamedAtStart(s, "Body 12"), 1);
  s.objname[3] = "Body 1";
  s.objects = 0;
  EXPECT_EQ(FindBodyByName(s, "Body 1"), 0);
}

// Sun (about itself), Earth twice, the Moon and a nameless body: a read
// table resolves each reference as a typed name; a rename of the first Earth
// carries to what was put about it, of the Sun to every body naming it.
TEST_F(BodiesTest, ReferencesResolveByNameAndFollowARename) {
  const char* names[][2] = {{"Sun", "Sun"},    {"Earth", "Sun"}, {"Earth", "Sun"},
                            {"Moon", "Earth"}, {"", "Earth"},    {"X", ""}};
  for (auto [name, ref] : names) AddBody(s, {.name = name, .ref = ref});
  ResolveBodyReferences(s);
  const auto refs = [&] {
    std::string r;
    for (int i = 1; i <= s.objects; ++i) r += s.objref[i] + ":" + std::to_string(s.objrefindex[i]) + " ";
    return r;
  };
  EXPECT_EQ(refs(), "Sun:1 Sun:1 Sun:1 Earth:3 Earth:3 :0 ");
  s.objrefindex[5] = 2;
  s.objname[2] = "Terra";
  CarryRename(s, 2, "Earth");
  s.objname[1] = "Sol";
  CarryRename(s, 1, "Sun");
  s.objname[5] = "Y";
  CarryRename(s, 5, "");  // an empty name was nobody's reference
  EXPECT_EQ(refs(), "Sol:1 Sol:1 Sol:1 Earth:3 Terra:2 :0 ");
}

TEST_F(BodiesTest, DeleteMovesEveryFieldAndClearsTheVacatedSlot) {
  for (int i = 0; i < 4; ++i) AddDistinct();
  const auto body1 = Fields(1), body3 = Fields(3), body4 = Fields(4);
  s.focusobj = 4;
  DeleteBody(s, host, 2);
  EXPECT_EQ(s.objects, 3);
  EXPECT_EQ(Fields(1), body1);
  EXPECT_EQ(Fields(2), body3);
  EXPECT_EQ(Fields(3), body4);
  auto fresh = std::make_unique<State>();
  fresh->objlastx[4] = fresh->objlasty[4] = -1000;  // no disc drawn
  EXPECT_EQ(Fields(4), FieldsOf(*fresh, 4));
  EXPECT_EQ(s.focusobj, 3);
  EXPECT_EQ(host.calls, (std::vector<std::string>{"labels", "lists"}));
}

TEST_F(BodiesTest, AddBodyKeepsNothingOfTheSlotsFormerBodyAndStopsAtTheLast) {
  for (int i = 0; i < 3; ++i) AddDistinct();
  HeldBody held;
  HoldBody(s, held, 3);
  s.objects = 2;  // slot 3 still holds the values of the body that left it
  ASSERT_EQ(AddBody(s, {.name = "New", .colour = 255, .position = {1, 2, 3}, .refIndex = 1}), 3);
  auto fresh = std::make_unique<State>();
  fresh->objname[3] = "New";
  fresh->objcolor[3] = 255;
  fresh->objcolor2[3] = ColourWhite;
  fresh->objx[3] = 1, fresh->objy[3] = 2, fresh->objz[3] = 3;
  fresh->objrefindex[3] = 1;
  fresh->objlastx[3] = fresh->objlasty[3] = -1000;
  EXPECT_EQ(Fields(3), FieldsOf(*fresh, 3));
  EXPECT_EQ(FollowBody(s, held, false), -1);  // the new body is not the one held
  s.objects = MaxBodies;
  EXPECT_EQ(AddBody(s, {}), 0);
  EXPECT_EQ(s.objects, MaxBodies);
}

TEST_F(BodiesTest, DeleteOutsideTheTableDoesNothing) {
  AddDistinct();
  AddDistinct();
  for (int k : {0, -1, 3, 1001, 40000}) DeleteBody(s, host, k);
  EXPECT_EQ(s.objects, 2);
  EXPECT_EQ(s.objname[2], "Body 2");
  EXPECT_TRUE(host.calls.empty());
}

TEST_F(BodiesTest, DeleteFocusRules) {
  for (int i = 0; i < 3; ++i) AddDistinct();
  s.focusobj = 2;  // on the deleted body: passes to the one moving into 2
  DeleteBody(s, host, 2);
  EXPECT_EQ(s.focusobj, 2);
  EXPECT_EQ(s.objname[2], "Body 3");

  s.focusobj = 2;  // the last body, deleted: the new last body
  s.focusobjectloaded = true;
  host.calls.clear();
  DeleteBody(s, host, 2);
  EXPECT_EQ(s.focusobj, 1);
  EXPECT_EQ(host.calls, (std::vector<std::string>{"labels", "lists", "clear", "focus list"}));

  DeleteBody(s, host, 1);  // the only body
  EXPECT_EQ(s.objects, 0);
  EXPECT_EQ(s.focusobj, 0);
}

// Every body index that State holds, each set to body 2, 3 or 5 of six,
// through the deletion of body 3, its merge into body 4 and a new table of
// four bodies: it names the same body as before, or none (NoBody where 0 is
// the floating point a window shows, else 0).
TEST_F(BodiesTest, EveryBodyIndexOfTheTablesFollowsItsBody) {
  const char* changes[] = {"body 3 deleted", "body 3 merged into body 4", "a new table of four bodies"};
  for (int change = 0; change < 3; ++change) {
    for (int16_t v : {2, 3, 5}) {
      SCOPED_TRACE(std::string(changes[change]) + ", index " + std::to_string(v));
      *owned = *std::make_unique<State>();
      for (int i = 0; i < 6; ++i) AddDistinct();  // body i has mass i: 4 takes 3 in
      // Those a window shows as the floating point hold NoBody for none.
      const std::vector<int16_t*> shown({&s.rb1a, &s.rb1b, &s.rb2a, &s.rb2b, &s.rbo1a, &s.rbo1b, &s.cpobject,
                                         &s.cpreference, &s.PreviousFocusObj, &s.distanceBoxes[1].bodyA,
                                         &s.distanceBoxes[100].bodyB, &s.orbitBoxes[1].bodyA, &s.orbitBoxes[100].bodyB,
                                         &s.thrustPanels[1].cpobject, &s.thrustPanels[100].cpreference});
      const std::vector<int16_t*> others({&s.ObjEditTarget, &s.spectrumSettings.bodyA, &s.spectrumSettings.bodyB});
      for (int16_t* field : shown) *field = v;
      for (int16_t* field : others) *field = v;
      s.objrefindex[6] = s.focusobj = v;
      s.SystemElements[1] = 2, s.SystemElements[2] = 3, s.SystemElements[3] = 5, s.SystemElementsCount = 3;
      if (change == 0) DeleteBody(s, host, 3);
      if (change == 1) Pair(1, 4, 3), MergeCollidedBodies(s, host);
      if (change == 2) BodyTableReplaced(s, 4);
      const bool left = change < 2;  // body 3 left, the bodies above moved down
      ASSERT_EQ(s.objects, left ? 5 : 6);
      auto now = [&](int16_t none) -> int16_t { return left ? (v == 3 ? none : v == 5 ? 4 : v) : (v == 5 ? none : v); };
      for (size_t f = 0; f < shown.size(); ++f) EXPECT_EQ(*shown[f], now(NoBody)) << "field " << f;
      for (size_t f = 0; f < others.size(); ++f) EXPECT_EQ(*others[f], now(0)) << "field " << f;
      EXPECT_EQ(s.objrefindex[left ? 5 : 6], left ? now(0) : 0);  // body 6's element reference
      EXPECT_EQ(s.focusobj, left && v == 5 ? 4 : v);              // a focus on 3 passes on, or to 4 that took it
      const std::vector<int16_t> system(s.SystemElements.begin() + 1, s.SystemElements.begin() + 4);
      EXPECT_EQ(system, left ? std::vector<int16_t>({2, 4, 0}) : std::vector<int16_t>(3, 0));
      EXPECT_EQ(s.SystemElementsCount, left ? 2 : 0);
    }
  }
}

TEST_F(BodiesTest, MergeKeepsMassAndMomentumAndTheHeavierSurvives) {
  Body(1, 3, 10, 2);
  Body(2, 5, -2, 4);
  s.objvy[1] = 1;
  s.objvz[2] = 7;
  s.focusobj = 1;
  Pair(1, 2, 1);
  MergeCollidedBodies(s, host);
  EXPECT_EQ(s.objects, 1);
  EXPECT_EQ(s.objname[1], "B2");
  EXPECT_EQ(s.objmass[1], 8.0);
  EXPECT_DOUBLE_EQ(s.objvx[1] * 8, 3 * 10.0 + 5 * -2.0);
  EXPECT_DOUBLE_EQ(s.objvy[1] * 8, 3.0);
  EXPECT_DOUBLE_EQ(s.objvz[1] * 8, 35.0);
  EXPECT_EQ(s.focusobj, 1);  // followed the survivor
  // Mass-weighted density: the merged diameter from the mixed density.
  const double rho = 3.0 / 8 * GetDensity(s, 3, 2) + 5.0 / 8 * GetDensity(s, 5, 4);
  EXPECT_DOUBLE_EQ(s.objsize[1], GetDiameterFromDensity(s, 8, rho));
  EXPECT_EQ(host.calls.front(), "timer off");
  EXPECT_EQ(host.calls.back(), "timer on");
  EXPECT_EQ(s.higher[1], 0);
  EXPECT_EQ(s.lower[1], 0);
}

TEST_F(BodiesTest, EqualMassesLowerIndexSurvives) {
  Body(1, 4, 1);
  Body(2, 4, 3);
  s.focusobj = 2;
  Pair(1, 2, 1);
  MergeCollidedBodies(s, host);
  EXPECT_EQ(s.objects, 1);
  EXPECT_EQ(s.objname[1], "B1");
  EXPECT_EQ(s.objvx[1], 2.0);
  EXPECT_EQ(s.focusobj, 1);
}

TEST_F(BodiesTest, MasslessBodyTakesTheMassiveBodysVelocity) {
  Body(1, 6, 12.5, 3);
  Body(2, 0, -99, 3);
  Pair(1, 2, 1);
  MergeCollidedBodies(s, host);
  EXPECT_EQ(s.objects, 1);
  EXPECT_EQ(s.objmass[1], 6.0);
  EXPECT_EQ(s.objvx[1], 12.5);
  EXPECT_DOUBLE_EQ(s.objsize[1], 3.0);
}

TEST_F(BodiesTest, ZeroTotalMassKeepsTheLargerDiameterAndAveragesVelocity) {
  Body(1, 0, 2, 4);
  Body(2, 0, 6, 9);
  Body(3, 2, 0, 1);
  Body(4, -2, 0, 5);
  Pair(1, 2, 1);
  Pair(2, 4, 3);
  MergeCollidedBodies(s, host);
  ASSERT_EQ(s.objects, 2);
  EXPECT_EQ(s.objsize[1], 9.0);
  EXPECT_EQ(s.objvx[1], 4.0);
  EXPECT_EQ(s.objmass[2], 0.0);
  EXPECT_EQ(s.objsize[2], 5.0);
  EXPECT_TRUE(std::isfinite(s.objvx[2]));
}

TEST_F(BodiesTest, ChainMergeCountsEveryBodyOnce) {
  Body(1, 1, 0);
  Body(2, 5, 0);
  Body(3, 3, 0);
  Body(4, 100, 0);
  Pair(1, 2, 1);
  Pair(2, 3, 1);  // body 1 is now part of body 2
  Pair(3, 3, 2);  // already one body
  MergeCollidedBodies(s, host);
  ASSERT_EQ(s.objects, 2);
  EXPECT_EQ(s.objname[1], "B2");
  EXPECT_EQ(s.objmass[1], 9.0);
  EXPECT_EQ(s.objname[2], "B4");
}

TEST_F(BodiesTest, ChainMergeThroughTheForceLoop) {
  for (double m : {1.0, 5.0, 3.0}) {
    const int i = ++s.objects;
    s.objmass[i] = m;
    s.objsize[i] = 1e6;
    s.objx[i] = i;  // all within each other's spheres
  }
  BuiltInForceLoop(s, host);
  ASSERT_EQ(s.objects, 1);
  EXPECT_EQ(s.objmass[1], 9.0);
}

TEST_F(BodiesTest, HeavyBodyAbsorbsTwoLighterOnes) {
  Body(1, 1, 0);
  Body(2, 50, 0);
  Body(3, 2, 0);
  Body(4, 7, 0);
  s.focusobj = 4;
  Pair(1, 2, 1);
  Pair(2, 3, 2);
  MergeCollidedBodies(s, host);
  ASSERT_EQ(s.objects, 2);
  EXPECT_EQ(s.objname[1], "B2");
  EXPECT_EQ(s.objmass[1], 53.0);
  EXPECT_EQ(s.objname[2], "B4");
  EXPECT_EQ(s.focusobj, 2);
  // Two deletions, one refresh of the windows.
  EXPECT_EQ(host.calls, (std::vector<std::string>{"timer off", "labels", "lists", "timer on"}));
}

TEST_F(BodiesTest, MergeSkipsMalformedPairsAndStopsAtTheFirstEmptyEntry) {
  Body(1, 1, 0);
  Body(2, 2, 0);
  Body(3, 3, 0);
  Pair(1, 1, 2);  // not higher > lower
  Pair(2, 9, 1);  // beyond the table
  Pair(3, 2, 0);  // body 0 is not a body
  Pair(5, 3, 2);  // after the end of the list
  MergeCollidedBodies(s, host);
  EXPECT_EQ(s.objects, 3);
  EXPECT_EQ(s.higher[5], 0);
}

TEST_F(BodiesTest, SphereRelations) {
  EXPECT_DOUBLE_EQ(GetSphereVolume(2), 8 * GetPi() / 6);
  s.timescale = 10;
  EXPECT_EQ(GetDensity(s, 5, 0), 0.0);
  EXPECT_DOUBLE_EQ(GetDensity(s, 100 * 8 * GetPi() / 6, 2), 1.0);
  EXPECT_DOUBLE_EQ(GetDiameterFromDensity(s, 100 * 8 * GetPi() / 6, 1.0), 2.0);
  EXPECT_EQ(GetDiameterFromDensity(s, 5, 0), 0.0);
  double out = 42;
  EXPECT_FALSE(TryGetDiameterFromDensity(s, 5, 0, out));
  EXPECT_FALSE(TryGetDiameterFromDensity(s, -5, 1, out));
  EXPECT_EQ(out, 42.0);
  s.timescale = 0;
  EXPECT_EQ(GetDensity(s, 5, 1), 0.0);
}

}  // namespace
}  // namespace molvane

// Boosts of the thrust panel: the velocity changes by the amount in m/s
// along the row's direction, the fuel total, the body choice.
#include <QPointer>
#include <QTest>
#include <array>
#include <cmath>

#include "../support/pressing.h"
#include "controlwin_support.h"
#include "engine/numtext.h"

namespace molvane {
namespace {

class ThrustPanelTest : public ControlWinFixture {
 protected:
  FormControlCenter* openPanel() { return control->thrustPanel(addThrustPanel()); }
  void choose(FormControlCenter* p, const char* object, const char* reference) {
    p->Combo1->setEditText(object);
    p->Combo2->setEditText(reference);
    p->Command1_Click();
  }
};

TEST_F(ThrustPanelTest, TowardTenAtOneThousandKilometresAsTheButtonDoes) {
  addBodies();
  state->timescale = 60;
  FormControlCenter* p = openPanel();
  ASSERT_NE(p, nullptr);
  choose(p, "Earth", "Sun");
  EXPECT_EQ(p->cpobject(), 2);
  EXPECT_EQ(p->cpreference(), 1);
  p->boostButtons[static_cast<size_t>(BoostRow::Toward)][1]->click();  // Command10
  EXPECT_DOUBLE_EQ(state->objvx[2], -600);                             // 10 m/s toward the Sun, per 60 s step
  EXPECT_EQ(state->objvy[2], 0);
  EXPECT_EQ(state->objthrust[2], 10);
  EXPECT_EQ(state->objdirx[2], 60);  // stored outward
  EXPECT_EQ(state->fuelused, 10);
  EXPECT_EQ(p->Label7->text(), "10");
  // Away with the same amount restores the velocity; both count as fuel.
  p->boostButtons[static_cast<size_t>(BoostRow::Away)][1]->click();
  EXPECT_NEAR(state->objvx[2], 0, 1e-9);
  EXPECT_EQ(state->fuelused, 20);
  p->boostButtons[static_cast<size_t>(BoostRow::Away)][3]->click();
  p->boostButtons[static_cast<size_t>(BoostRow::Away)][2]->click();
  EXPECT_EQ(p->Label7->text(), "1120");
}

// An angle that is a number a single cannot hold, typed into the editor:
// its OK and a Custom boost each say so once, naming the angle; the editor
// stays open, and no direction, speed or fuel changes.
TEST_F(ThrustPanelTest, AnAngleThatDoesNotFitIsRefusedByOkAndByACustomBoost) {
  addBodies();
  FormControlCenter* p = openPanel();
  p->show();
  choose(p, "Earth", "Sun");
  const std::string digits(2000, '9');
  const struct {
    QLineEdit* box;
    std::string typed;
    const char* field;
  } rows[] = {{p->Text1, "1e400", "Azimuth"}, {p->Text2, digits, "Altitude"}, {p->Text1, "-1e39", "Azimuth"}};
  for (const auto& r : rows) {
    for (bool boost : {false, true}) {
      SCOPED_TRACE(r.typed.substr(0, 10) + (boost ? " boost" : " OK"));
      Press(p, "Command23");
      TypeOver(r.box, QString::fromStdString(r.typed));
      const std::array<double, 4> before{state->objdirx[2], state->objdiry[2], state->objvx[2], state->fuelused};
      const size_t messages = dialogs.messages().size();
      QTest::mouseClick(boost ? p->boostButtons[static_cast<size_t>(BoostRow::Custom)][2] : p->Command24,
                        Qt::LeftButton);
      ExpectRefusal(dialogs.messages(), messages, r.field);
      EXPECT_EQ((std::array<double, 4>{state->objdirx[2], state->objdiry[2], state->objvx[2], state->fuelused}),
                before);
      EXPECT_TRUE(boost || p->Frame8->isVisible());
      r.box->setText("0");
    }
  }
}

TEST_F(ThrustPanelTest, ProgradeAndRetrogradeFollowTheRelativeVelocity) {
  addBodies();
  state->timescale = 2;
  state->objvx[2] = 8;  // 4 m/s along +x relative to the Sun
  state->objvx[1] = 0;
  float az = 0, alt = 0;
  FireBoost(*state, BoostRow::Prograde, 2, 1, 10, "", "", az, alt);
  EXPECT_EQ(state->objdirx[2], 2);
  EXPECT_DOUBLE_EQ(state->objvx[2], 28);
  FireBoost(*state, BoostRow::Retrograde, 2, 1, 1, "", "", az, alt);
  EXPECT_EQ(state->objdirx[2], -2);
  EXPECT_DOUBLE_EQ(state->objvx[2], 26);
  EXPECT_EQ(state->objthrust[2], 1);
  EXPECT_EQ(state->fuelused, 11);

  // No relative motion: the old direction stays and the boost goes along it.
  state->objvx[1] = state->objvx[2];
  state->objdirx[2] = 0;
  state->objdiry[2] = 2;
  FireBoost(*state, BoostRow::Retrograde, 2, 1, 100, "", "", az, alt);
  EXPECT_EQ(state->objdiry[2], 2);
  EXPECT_DOUBLE_EQ(state->objvy[2], 200);
  FireBoost(*state, BoostRow::Prograde, 2, 1, 100, "", "", az, alt);
  EXPECT_DOUBLE_EQ(state->objvy[2], 400);
  EXPECT_FALSE(std::isnan(state->objdirx[2]));
}

TEST_F(ThrustPanelTest, TowardAndAwayAtZeroDistanceKeepTheDirectionAndStayFinite) {
  addBodies();
  state->objdirz[3] = 1;
  float az = 0, alt = 0;
  FireBoost(*state, BoostRow::Toward, 3, 3, 10, "", "", az, alt);  // object is its own reference
  EXPECT_EQ(state->objdirz[3], 1);
  EXPECT_DOUBLE_EQ(state->objvz[3], -10);
  FireBoost(*state, BoostRow::Away, 0, 0, 10, "", "", az, alt);  // nothing chosen yet
  EXPECT_TRUE(std::isfinite(state->objvx[0]) && std::isfinite(state->objdirx[0]));
  // Indices outside the table change nothing, not even the fuel total.
  const float fuel = state->fuelused;
  FireBoost(*state, BoostRow::Away, 2000, 1, 10, "", "", az, alt);
  FireBoost(*state, BoostRow::Away, 1, -1, 10, "", "", az, alt);
  EXPECT_EQ(state->fuelused, fuel);
  FireBoost(*state, BoostRow::Custom, 1, -1, 10, "", "", az, alt);  // reads no reference
  EXPECT_EQ(state->fuelused, fuel + 10);
}

// Earth about the first of two Suns, beside a nameless body: once that Sun is
// deleted a Custom boost still pushes Earth (it reads no reference), a
// Toward boost says why it cannot, and neither touches another body.
TEST_F(ThrustPanelTest, ACustomBoostNeedsNoReference) {
  addBodies();
  state->objname[3] = "Sun";
  state->objname[4] = "";
  state->objects = 4;
  FormControlCenter* p = openPanel();
  PickFromList(p->Combo1, "Earth");
  Press(p, "Command1");
  ASSERT_EQ(p->cpreference(), 3);  // the last Sun, as Earth's reference names it
  DeleteBody(*state, fake->engineHost(), 3);
  const State before = *state;
  Press(p, "Command10");  // Toward 10
  ASSERT_EQ(dialogs.messages().size(), 1u);
  EXPECT_NE(dialogs.messages()[0].find("reference object is gone"), std::string::npos);
  EXPECT_EQ(state->objvx[2], before.objvx[2]);
  Press(p, "Command20");  // Custom 10, along -x at azimuth 0
  EXPECT_DOUBLE_EQ(state->objvx[2], before.objvx[2] - 10);
  for (int i : {1, 3}) EXPECT_EQ(state->objvx[i], before.objvx[i]);
}

TEST_F(ThrustPanelTest, CustomDirectionFromAzimuthAndAltitude) {
  addBodies();
  state->timescale = 10;
  float az = 0, alt = 0;
  // Both boxes empty: along -x, with the tiny y of the single-precision -pi/2.
  SetCustomDirection(*state, 2, "", "", az, alt);
  EXPECT_FLOAT_EQ(state->objdirx[2], -10);
  EXPECT_NEAR(state->objdiry[2], -4.37e-7, 1e-8);
  EXPECT_NE(state->objdiry[2], 0);
  EXPECT_EQ(state->objdirz[2], 0);
  SetCustomDirection(*state, 2, "90", "0", az, alt);
  EXPECT_NEAR(state->objdiry[2], 10, 1e-5);
  SetCustomDirection(*state, 2, "180", "0", az, alt);
  EXPECT_NEAR(state->objdirx[2], 10, 1e-5);
  SetCustomDirection(*state, 2, "270abc", "90", az, alt);  // leading number; straight up
  EXPECT_NEAR(state->objdirz[2], 10, 1e-5);
  EXPECT_NEAR(state->objdirx[2], 0, 1e-5);
  // A value a single cannot hold keeps the working angle: same direction.
  const float x = state->objdirx[2], y = state->objdiry[2], z = state->objdirz[2];
  SetCustomDirection(*state, 2, "270", "1e300", az, alt);
  EXPECT_EQ(state->objdirx[2], x);
  EXPECT_EQ(state->objdiry[2], y);
  EXPECT_EQ(state->objdirz[2], z);

  // The panel: OK of the editor sets the direction without a velocity
  // change; a custom boost before any choice acts on the floating body 0.
  FormControlCenter* p = openPanel();
  p->Command23_Click();
  EXPECT_FALSE(p->Frame8->isHidden());
  p->Text1->setText("90");
  p->Command24_Click();
  EXPECT_TRUE(p->Frame8->isHidden());
  EXPECT_NEAR(state->objdiry[0], 10, 1e-5);
  EXPECT_EQ(state->objvy[0], 0);
  p->boostButtons[static_cast<size_t>(BoostRow::Custom)][0]->click();
  EXPECT_NEAR(state->objvy[0], 10, 1e-4);
}

TEST_F(ThrustPanelTest, PickingAnObjectSetsItsReferenceAndOkLooksUpBothByName) {
  addBodies();
  FormControlCenter* p = openPanel();
  EXPECT_FALSE(p->Frame2->isHidden());
  EXPECT_TRUE(p->Frame1->isHidden());
  EXPECT_EQ(p->Combo1->count(), 3);
  EXPECT_EQ(p->Combo1->currentText(), "");
  p->Combo1->setCurrentIndex(1);
  p->Combo1_Click();
  EXPECT_EQ(p->cpobject(), 2);
  EXPECT_EQ(p->cpreference(), 1);
  EXPECT_EQ(p->Combo2->currentText(), "Sun");
  // A body without a reference leaves the reference as it was.
  p->Combo1->setCurrentIndex(2);
  p->Combo1_Click();
  EXPECT_EQ(p->cpobject(), 3);
  EXPECT_EQ(p->cpreference(), 1);

  // A trailing blank is trimmed; an unknown name keeps the old index.
  choose(p, "Earth  ", "Nowhere");
  EXPECT_EQ(p->Combo1->currentText(), "Earth");
  EXPECT_EQ(p->Command2->text(), "Earth");
  EXPECT_EQ(p->cpobject(), 2);
  EXPECT_EQ(p->cpreference(), 1);
  EXPECT_TRUE(p->Frame2->isHidden());
  EXPECT_FALSE(p->Frame1->isHidden());
  p->Command2_Click();
  EXPECT_FALSE(p->Frame2->isHidden());
  // The choice is the slot's record, which the situation file saves.
  const ThrustPanelSlot& r = state->thrustPanels[static_cast<size_t>(p->SlotIndex())];
  EXPECT_EQ(r.cpobject, 2);
  EXPECT_EQ(r.cpreference, 1);
}

TEST_F(ThrustPanelTest, ASecondPanelResetsTheFuelTotalOnly) {
  addBodies();
  FormControlCenter* a = openPanel();
  choose(a, "Earth", "Sun");
  a->boostButtons[static_cast<size_t>(BoostRow::Away)][2]->click();
  EXPECT_EQ(state->fuelused, 100);
  FormControlCenter* b = openPanel();
  EXPECT_NE(a, b);
  EXPECT_EQ(state->fuelused, 0);
  EXPECT_EQ(a->Label7->text(), "100");
  EXPECT_EQ(b->Label7->text(), "");
  // Directions and thrust survive closing the panel.
  a->close();
  EXPECT_EQ(state->objthrust[2], 100);
}

// Each button pressed once in this order: OK of the bodies typed, every
// boost on Earth at rest 1000 km along +x from the Sun and moving 4 m/s
// along +y, with no direction and no fuel used before, then the direction
// editor for a custom direction straight up, and the object button.
TEST_F(ThrustPanelTest, EachButtonDoesItsOwnPart) {
  addBodies();
  QPointer<FormControlCenter> p = openPanel();
  const auto vec = [](double x, double y, double z) {
    const auto r = [](double v) { return GeneralText(std::round(v * 1000) / 1000 + 0.0); };
    return r(x) + "," + r(y) + "," + r(z);
  };
  const auto look = [&]() -> Look {
    const State& s = *state;
    const std::string frames = std::string(p->Frame1->isVisible() ? "1" : "") + (p->Frame2->isVisible() ? "2" : "") +
                               (p->Frame8->isVisible() ? "8" : "");
    return Look({"frames=" + frames, "bodies=" + GeneralText(p->cpobject()) + "," + GeneralText(p->cpreference()),
                 "v=" + vec(s.objvx[2], s.objvy[2], s.objvz[2]), "dir=" + vec(s.objdirx[2], s.objdiry[2], s.objdirz[2]),
                 "fuel=" + GeneralText(s.fuelused)});
  };
  std::vector<PressRow> rows = {{"Command1", "frames=1 bodies=2,1"}};
  // By row: the buttons by amount, the stored direction and the push of 1 m/s.
  const std::tuple<std::array<const char*, 4>, std::array<double, 3>, std::array<double, 3>> boosts[] = {
      {{"Command3", "Command4", "Command5", "Command15"}, {0, 1, 0}, {0, 1, 0}},
      {{"Command6", "Command7", "Command8", "Command16"}, {0, -1, 0}, {0, -1, 0}},
      {{"Command9", "Command10", "Command11", "Command17"}, {1, 0, 0}, {-1, 0, 0}},
      {{"Command12", "Command13", "Command14", "Command18"}, {1, 0, 0}, {1, 0, 0}},
      {{"Command19", "Command20", "Command21", "Command22"}, {0, 0, 1}, {0, 0, 1}}};
  for (const auto& [names, dir, push] : boosts) {
    for (int k = 0; k < 4; ++k) {
      const double a = std::pow(10, k);
      rows.push_back({names[k], "v=" + vec(a * push[0], 4 + a * push[1], a * push[2]) +
                                    " dir=" + vec(dir[0], dir[1], dir[2]) + " fuel=" + GeneralText(a)});
    }
  }
  rows.insert(rows.end(), {{"Command23", "frames=18"}, {"Command24", "frames=1 dir=0,0,1"}, {"Command2", "frames=2"}});
  QTest::keyClicks(p->Combo1, "Earth");
  QTest::keyClicks(p->Combo2, "Sun");
  p->Text1->setText("0");
  p->Text2->setText("90");
  ExpectEachPress(rows, look, [&](const PressRow&) {
    State& s = *state;
    s.objvx[2] = s.objvz[2] = s.objdirx[2] = s.objdiry[2] = s.objdirz[2] = 0;
    s.objvy[2] = 4;
    s.fuelused = 0;
    return p.data();
  });
}

}  // namespace
}  // namespace molvane

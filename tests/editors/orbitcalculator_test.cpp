// The orbit calculator's numbers against hand computations.
#include "editors/orbitcalculator.h"

#include <QPointer>
#include <cmath>

#include "../support/pressing.h"
#include "bodyeditors_support.h"
#include "engine/numtext.h"

namespace molvane {
namespace {

// The apsides computation's gravitational parameter: 6e24 kg per Earth mass
// over 3883769368 squared, km^3/s^2.
const double MuApsides = 6e24 / (3883769368.0 * 3883769368.0);

TEST(OrbitCalculatorMath, EqualApsidesGiveTheCircularSpeedAndPeriod) {
  ApsidesValues v;
  ComputeApsides(1, 1, 7000, 7000, v);
  ASSERT_TRUE(v.apogeeSpeed && v.perigeeSpeed);
  EXPECT_NEAR(*v.apogeeSpeed, 7.538295767, 1e-8);
  EXPECT_DOUBLE_EQ(*v.apogeeSpeed, *v.perigeeSpeed);
  EXPECT_NEAR(v.period, 5834.5146578, 1e-6);
  EXPECT_NEAR(v.period, 2 * M_PI * 7000 / *v.apogeeSpeed, 1e-9);
}

TEST(OrbitCalculatorMath, SpeedsFollowVisVivaAndThePeriodKepler) {
  ApsidesValues v;
  const double ts = 60;  // the mass term carries the step squared
  ComputeApsides(3600, ts, 42164, 6678, v);
  const double a = (42164 + 6678) / 2.0;
  EXPECT_NEAR(*v.apogeeSpeed, std::sqrt(MuApsides * (2 / 42164.0 - 1 / a)), 1e-9);
  EXPECT_NEAR(*v.perigeeSpeed, std::sqrt(MuApsides * (2 / 6678.0 - 1 / a)), 1e-9);
  EXPECT_NEAR(v.period, 2 * M_PI * std::sqrt(a * a * a / MuApsides), 1e-6);
  EXPECT_NEAR(v.period, 38019.188, 1e-3);
}

TEST(OrbitCalculatorMath, StepsThatCannotBeComputedKeepTheirValues) {
  ApsidesValues v;
  ComputeApsides(1, 1, 0, 0, v);
  EXPECT_FALSE(v.apogeeSpeed);
  EXPECT_EQ(v.period, 0);
  ComputeApsides(1, 1, 7000, 7000, v);
  const ApsidesValues good = v;
  ComputeApsides(1, 1, 0, 7000, v);  // no circular speed at 0: the old one serves
  EXPECT_EQ(v.period, good.period);
  EXPECT_EQ(v.circularApogee, good.circularApogee);
  EXPECT_DOUBLE_EQ(*v.apogeeSpeed, *good.circularApogee * std::sqrt(2.0));
  ComputeApsides(0, 1, 7000, 7000, v);  // no mass: speeds 0, period kept
  EXPECT_EQ(*v.apogeeSpeed, 0);
  EXPECT_EQ(v.period, good.period);
  ComputeApsides(1, 1, -7000, 7000, v);
  EXPECT_TRUE(std::isfinite(v.period));
}

TEST(OrbitCalculatorMath, AStateGivesTheApsidesOfItsOrbit) {
  const double mu = 5.9736e24 / 1.5023e19;
  const double r = 7000, vc = std::sqrt(mu / r);
  double angle = 0, ap = 0, pe = 0;
  // Radial speed 0: the exact angle, a circle.
  ASSERT_TRUE(ComputeApsidesFromState(1, 1, r, vc, 0, angle, ap, pe));
  EXPECT_NEAR(ap, r, 0.01);
  EXPECT_NEAR(pe, r, 0.01);
  EXPECT_NEAR(angle, M_PI / 2, 1e-6);
  // Faster than circular at perigee, hand computed from energy and momentum.
  const double v = 8.5;
  ASSERT_TRUE(ComputeApsidesFromState(1, 1, r, v, 0, angle, ap, pe));
  const double h = r * v, eps = v * v / 2 - mu / r;
  const double e = std::sqrt(1 + 2 * eps * h * h / (mu * mu)), p = h * h / mu;
  EXPECT_NEAR(pe, p / (1 + e), 0.5);
  EXPECT_NEAR(ap, p / (1 - e), 5);
  // Radial speeds of either sign give the same orbit.
  double ap1 = 0, pe1 = 0, ap2 = 0, pe2 = 0;
  ASSERT_TRUE(ComputeApsidesFromState(1, 1, r, 7.0, 0.5, angle, ap1, pe1));
  ASSERT_TRUE(ComputeApsidesFromState(1, 1, r, 7.0, -0.5, angle, ap2, pe2));
  EXPECT_NEAR(ap1, ap2, ap1 * 1e-3);
  EXPECT_NEAR(pe1, pe2, pe1 * 1e-3);
  // Nothing to compute: the results are left alone.
  ap = pe = -1;
  EXPECT_FALSE(ComputeApsidesFromState(1, 1, 0, 7, 1, angle, ap, pe));
  EXPECT_FALSE(ComputeApsidesFromState(0, 1, r, 7, 1, angle, ap, pe));
  EXPECT_FALSE(ComputeApsidesFromState(1, 1, NAN, 7, 1, angle, ap, pe));
  EXPECT_EQ(ap, -1);
  EXPECT_EQ(pe, -1);
}

class OrbitCalculatorTest : public BodyEditorsFixture {};

TEST_F(OrbitCalculatorTest, OpensOnACircularOrbitAtTheSurfaceOfBodyOne) {
  addBodies(2);
  state->objmass[1] = 1;
  state->objsize[1] = 12742000;
  editors->show(InstrumentWindow::OrbitCalculator, true);
  OrbitCalculator& d = *editors->orbitCalculator();
  EXPECT_TRUE(state->orbitcalculatorloaded);
  EXPECT_EQ(d.Text1->text(), " 6371");
  EXPECT_EQ(d.Text2->text(), " 6371");
  EXPECT_EQ(d.Text3->text(), d.Text4->text());
  EXPECT_NEAR(ParseNumberPrefix(d.Text3->text().toStdString()), std::sqrt(MuApsides / 6371), 1e-9);
  // A state typed in (the distance grouped as the readouts show it).
  d.StateBox_Click();
  EXPECT_TRUE(d.Text1->text().isEmpty() && d.Text2->text().isEmpty() && d.Text3->text().isEmpty() &&
              d.Text9->text().isEmpty() && d.Text11->text().isEmpty());
  d.Text6->setText("7,000.000");
  d.Text7->setText(QString::fromStdString(GeneralText(std::sqrt(5.9736e24 / 1.5023e19 / 7000))));
  d.Text8->setText("0");
  d.Command1_Click();
  EXPECT_NEAR(ParseNumberPrefix(d.Text1->text().toStdString()), 7000, 0.01);
  EXPECT_NEAR(ParseNumberPrefix(d.Text2->text().toStdString()), 7000, 0.01);
  d.Command2->click();
  EXPECT_FALSE(state->orbitcalculatorloaded);
}

TEST_F(OrbitCalculatorTest, CopiesReferenceBoxOneWhenItIsOpen) {
  addBodies(2);
  state->refbox1loaded = true;
  editors->readReferenceBox1 = [](ReferenceBoxReadout& r) {
    r = {"Body2", "1,000,000.5", "3.25", "-0.5"};
    return true;
  };
  editors->show(InstrumentWindow::OrbitCalculator, true);
  OrbitCalculator& d = *editors->orbitCalculator();
  EXPECT_EQ(d.CentralIndex, 2);
  EXPECT_EQ(d.Combo1->currentText(), "Body2");
  EXPECT_EQ(d.Text6->text(), "1,000,000.5");
  EXPECT_EQ(d.Text8->text(), "-0.5");
}

// About the first of two bodies of one name, next to a nameless one: once it
// is deleted the speeds and the period go, with a word to the user.
TEST_F(OrbitCalculatorTest, TheResultsGoWithTheCentralBody) {
  addBodies(3);
  state->objname[2] = "Body1";
  state->objname[3] = "";
  editors->show(InstrumentWindow::OrbitCalculator, true);
  OrbitCalculator& d = *editors->orbitCalculator();
  ASSERT_FALSE(d.Text3->text().isEmpty());
  DeleteBody(*state, form->engineHost(), 1);
  EXPECT_EQ(d.CentralIndex, 0);
  EXPECT_EQ(d.Text3->text() + d.Text4->text() + d.Text5->text(), "");
  ASSERT_EQ(dialogs.messages().size(), 1u);
  EXPECT_NE(dialogs.messages()[0].find("central object is gone"), std::string::npos);
  Press(&d, "Command1");
  EXPECT_EQ(d.Text3->text(), "");
}

// Each button pressed on the dialog with the results emptied: Compute fills
// them, Close closes, Clear does nothing.
TEST_F(OrbitCalculatorTest, EachButtonDoesItsOwnPart) {
  addBodies(2);
  editors->show(InstrumentWindow::OrbitCalculator, true);
  QPointer<OrbitCalculator> d = editors->orbitCalculator();
  const auto look = [&] { return Look({"open=" + Flag(d->isVisible()), "period=" + d->Text5->text().toStdString()}); };
  const auto rows = PressRows({"Command3", "Command1 period= 3.52218920525536", "Command2 open=0"});
  ExpectEachPress(rows, look, [&](const PressRow&) { return d->Text5->clear(), d.data(); });
}

}  // namespace
}  // namespace molvane

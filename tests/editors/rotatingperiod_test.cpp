// The rotating-period dialog acts on the rotating frame at once.
#include "editors/rotatingperiod.h"

#include <QAbstractItemView>
#include <QPointer>
#include <QStyleOptionComboBox>
#include <QTest>

#include "../support/pressing.h"
#include "bodyeditors_support.h"
#include "engine/numtext.h"
#include "engine/orbits.h"

namespace molvane {
namespace {

class RotatingPeriodTest : public BodyEditorsFixture {
 protected:
  frmRotatingPeriod& open() {
    editors->show(InstrumentWindow::RotatingPeriod, true);
    return *editors->rotatingPeriod();
  }
};

TEST_F(RotatingPeriodTest, LoadsTheSettingsUnchanged) {
  addBodies(2);
  state->RotatingFrame = {true, 123456.5, false};
  frmRotatingPeriod& d = open();
  EXPECT_TRUE(state->rotatingperiodloaded);
  EXPECT_EQ(d.TextRotatePeriod->text(), " 123456.5");
  EXPECT_TRUE(d.Option3->isChecked());
  EXPECT_TRUE(d.Option2->isChecked());
  EXPECT_EQ(d.ComboRotatingObject->count(), 2);
  EXPECT_EQ(d.ComboRotatingObject->currentIndex(), -1);
  EXPECT_TRUE(state->RotatingFrame.on);
  EXPECT_FALSE(state->RotatingFrame.clockwise);
  EXPECT_EQ(state->RotatingFrame.period, 123456.5);
}

TEST_F(RotatingPeriodTest, FactorButtonsKeepThePeriodEqualToTheNumberShown) {
  frmRotatingPeriod& d = open();
  state->RotatingFrame.period = 1000;
  d.Factor_Click(0);  // +10%
  d.Factor_Click(5);  // -10%
  EXPECT_DOUBLE_EQ(state->RotatingFrame.period, 990);
  for (int k = 0; k < 25; ++k) d.Factor_Click(k % 10);
  EXPECT_EQ(state->RotatingFrame.period, ParseNumberPrefix(d.TextRotatePeriod->text().toStdString()));
  EXPECT_EQ(ShortText(state->RotatingFrame.period), d.TextRotatePeriod->text().toStdString());
}

TEST_F(RotatingPeriodTest, APeriodOfZeroOrNoNumberIsNeverTaken) {
  frmRotatingPeriod& d = open();
  d.TextRotatePeriod->setText("5000");
  EXPECT_EQ(state->RotatingFrame.period, 5000);
  for (const char* t : {"", "-", ".", "abc", "0", "1e999"}) {
    d.TextRotatePeriod->setText(t);
    EXPECT_EQ(state->RotatingFrame.period, 5000) << t;
  }
  d.TextRotatePeriod->setText("7000x");
  d.Option4->setChecked(true);
  EXPECT_EQ(state->RotatingFrame.period, 7000);
}

TEST_F(RotatingPeriodTest, ABodysOrbitalPeriodBecomesThePeriod) {
  addBodies(3);
  frmRotatingPeriod& d = open();
  QApplication::processEvents();
  state->objname[2] = "Callisto Probe";  // renamed while the dialog is open
  form->refreshObjectLists();
  QComboBox* c = d.ComboRotatingObject;
  c->showPopup();
  QTest::mouseClick(c->view()->viewport(), Qt::LeftButton, {}, c->view()->visualRect(c->model()->index(1, 0)).center());
  // The list shows the chosen name whole.
  EXPECT_EQ(c->currentText(), "Callisto Probe");
  QStyleOptionComboBox opt;
  opt.initFrom(c);
  EXPECT_GE(c->style()->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxEditField, c).width(),
            c->fontMetrics().horizontalAdvance(c->currentText()));
  const double expected = GetOrbitalPeriod(*state, "Callisto Probe");
  ASSERT_GT(expected, 0);
  EXPECT_EQ(d.TextRotatePeriod->text().toStdString(), ShortText(expected));
  EXPECT_EQ(state->RotatingFrame.period, ParseNumberPrefix(ShortText(expected)));
  // Body1 has itself as reference: no period, nothing changes.
  const double before = state->RotatingFrame.period;
  d.ComboRotatingObject->setCurrentIndex(0);
  d.ComboRotatingObject_Click();
  if (GetOrbitalPeriod(*state, "Body1") == 0) {
    EXPECT_EQ(state->RotatingFrame.period, before);
  }
}

// Each button pressed once in this order, the period set to 1000 before
// each and the frame switched on behind the dialog before OK and Cancel:
// what each alone changes.
TEST_F(RotatingPeriodTest, EachButtonDoesItsOwnPart) {
  QPointer<frmRotatingPeriod> d;  // closed, it is deleted later
  const auto look = [&] {
    const RotatingFrameState& r = state->RotatingFrame;
    return Look({"open=" + Flag(d->isVisible()), "period=" + GeneralText(r.period), "on=" + Flag(r.on),
                 "clockwise=" + Flag(r.clockwise)});
  };
  const auto rows =
      PressRows({"Command1 period=1100", "Command2 period=1010", "Command3 period=1001", "Command4 period=1000.1",
                 "Command12 period=1000.01", "Command5 period=900", "Command6 period=990", "Command7 period=999",
                 "Command8 period=999.9", "Command11 period=999.99", "Option3 on=1", "Option4 on=0",
                 "Option2 clockwise=0", "Option1 clockwise=1", "Command9 open=0 on=0", "Command10 open=0"});
  ExpectEachPress(rows, look, [&](const PressRow& r) {
    if (!d || !d->isVisible()) d = &open();
    d->TextRotatePeriod->setText("1000");
    if (r.changes.starts_with("open")) state->RotatingFrame.on = true;
    return d.data();
  });
}

}  // namespace
}  // namespace molvane
